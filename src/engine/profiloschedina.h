#pragma once

#include "engine/estrazione.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <span>

// A ticket prepared for many draws: the points each possible hit count credits on a wheel,
// worked out once with the game's own evaluation, and its numbers as a bit mask so that a
// wheel's hits are one population count. A ticket holding a number twice keeps the game's
// count over its positions instead, since a mask would count that number once.
class ProfiloSchedina
{
public:
    explicit ProfiloSchedina(const Schedina &schedina);

    // The points this ticket credits against a draw, over all the wheels it plays.
    std::int64_t vincita(const Estrazione &estrazione) const;
    // What one play of it credits on average, exactly: over every evaluated wheel, the chance of
    // each hit count times the points it credits.
    double ritornoAtteso() const;

    // The points all the tickets credit against one draw; the CPU's population count
    // instruction is chosen at run time where there is one.
    static __int128 vinciteTotali(std::span<const ProfiloSchedina> profili,
                                  const Estrazione &estrazione);

    static constexpr std::size_t kMassimoColpi = 12;
    using Crediti = std::array<std::int64_t, kMassimoColpi>;

    // What the mask path needs: whether it applies (no number held twice), the numbers' bits,
    // the wheels evaluated (bit w) and the points for each hit count.
    bool conMaschera() const { return m_maschera; }
    std::uint64_t bassi() const { return m_bassi; }
    std::uint64_t alti() const { return m_alti; }
    std::uint16_t ruote() const { return m_ruote; }
    const Crediti &crediti() const { return m_crediti; }
    // A wheel's hits counted the game's way, over the ticket's positions.
    std::int16_t colpiLenti(const Estrazione &estrazione, std::size_t ruota) const;

private:
    Schedina m_schedina;
    std::int16_t m_numeri;
    std::uint16_t m_ruote = 0; // bit w: wheel w is evaluated
    bool m_maschera = true;    // hits can be counted with the mask
    std::uint64_t m_bassi = 0;
    std::uint64_t m_alti = 0;
    Crediti m_crediti{}; // points for each hit count
};
