#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The wheels and the bet types, in the order every record and every window uses.
namespace lotto {

inline constexpr std::size_t kRuote = 10;      // the ten real wheels, 0 Bari ... 9 Venezia
inline constexpr std::size_t kTutte = 10;      // the "all wheels" flag that follows them
inline constexpr std::size_t kTipiGiocata = 5; // Estratto ... Cinquina
inline constexpr std::size_t kCaselleNumeri = 10;

inline constexpr std::array<std::string_view, kRuote + 1> kNomiRuote = {
    "BARI",    "CAGLIARI", "FIRENZE", "GENOVA",  "MILANO", "NAPOLI",
    "PALERMO", "ROMA",     "TORINO",  "VENEZIA", "TUTTE"};

inline constexpr std::array<std::string_view, kTipiGiocata> kNomiGiocate = {
    "Estratto", "Ambo", "Terno", "Quaterna", "Cinquina"};

// A wheel's name as a sentence writes it: "Bari" ... "Venezia" (the flag 10 gives "Tutte").
std::string nomeRuota(std::size_t ruota);

// Bet type k needs at least k + 1 numbers on the ticket.
constexpr std::size_t numeriRichiesti(std::size_t tipoGiocata)
{
    return tipoGiocata + 1;
}

} // namespace lotto
