#pragma once

#include "base/lotto.h"
#include "engine/estrazione.h"
#include "estrazioni/dataestrazione.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What was drawn on one day: five numbers, in the order drawn, on each wheel drawn that day.
// The archive knows eleven wheels: the game's ten (0 Bari ... 9 Venezia) and the Nazionale, which
// no ticket plays.
class EstrazioneDelGiorno
{
public:
    static constexpr std::size_t kRuote = lotto::kRuote + 1;
    static constexpr std::size_t kNazionale = lotto::kRuote;
    using Cinquina = std::array<std::int16_t, Estrazione::kPosizioni>;

    EstrazioneDelGiorno() = default;
    explicit EstrazioneDelGiorno(DataEstrazione data) : m_data(data) {}

    // A wheel by the two letters of the published files (BA ... VE, RN), and by its name as the
    // companion's options take it (BARI ... VENEZIA, NAZIONALE); either in any case.
    static std::optional<std::size_t> ruotaDaCodice(std::string_view codice);
    static std::optional<std::size_t> ruotaDaNome(std::string_view nome);
    static std::string nomeRuota(std::size_t ruota);
    // Why five numbers cannot be a wheel's draw, or nothing when they can.
    static std::optional<std::string> difetto(const Cinquina &numeri);

    const DataEstrazione &data() const { return m_data; }
    bool estratta(std::size_t ruota) const { return (m_ruote >> ruota & 1u) != 0; }
    // Bit w: wheel w was drawn that day.
    std::uint16_t ruote() const { return m_ruote; }
    const Cinquina &numeri(std::size_t ruota) const { return m_numeri[ruota]; }
    void imposta(std::size_t ruota, const Cinquina &numeri);

    // The day's draw on the game's ten wheels; a wheel not drawn holds no number.
    Estrazione comeEstrazione() const;
    // Bit n for each number n drawn on the wheel; none on a wheel not drawn.
    unsigned __int128 maschera(std::size_t ruota) const;

private:
    DataEstrazione m_data;
    std::array<Cinquina, kRuote> m_numeri{};
    std::uint16_t m_ruote = 0;
};
