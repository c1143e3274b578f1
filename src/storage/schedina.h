#pragma once

#include "base/currency.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One lottery ticket, as it is kept in a set file: 126 bytes, little-endian, no padding.
struct Schedina
{
    static constexpr std::size_t kDimensioneRecord = 126;
    static constexpr std::size_t kLunghezzaTitolo = 20;
    using Record = std::array<unsigned char, kDimensioneRecord>;

    // The stored title: 20 bytes in Windows-1252, left-aligned and padded with spaces.
    std::array<char, kLunghezzaTitolo> titolo;
    std::array<std::int16_t, 12> ruote{};  // 0..9 the wheels, 10 "TUTTE", 11 unused
    std::array<std::int16_t, 11> numeri{}; // one per number box, 0 for none; 10 unused
    std::array<std::int16_t, 6> giocate{}; // 1 when the bet type is played; 5 unused
    std::array<Currency, 6> puntate{};     // the stake on each bet type; 5 unused

    Schedina() { titolo.fill(' '); }

    std::string_view titoloGrezzo() const { return {titolo.data(), titolo.size()}; }
    // The 20 stored characters, padding included, as UTF-8.
    std::string titoloTesto() const;
    // Stores a title as typed: cut to 20 characters, padded with spaces.
    void impostaTitolo(std::string_view utf8);

    // The sum of the stakes of the bet types played (flag exactly 1); nothing when the sum
    // leaves the currency range (stakes near the largest each, or a record made elsewhere).
    std::optional<Currency> costo() const;
    // The same for a record as the set file holds it, without decoding the rest of it.
    static std::optional<Currency> costoDelRecord(const unsigned char *record);

    // Where record k (numbered from 1) begins in a set file; nothing for a number no file can
    // have, its offset beyond what the system's file offsets reach.
    static std::optional<std::uint64_t> posizione(std::uint64_t k);

    Record codifica() const;
    static Schedina decodifica(const unsigned char *record);

    bool operator==(const Schedina &) const = default;
};
