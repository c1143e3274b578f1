#pragma once

#include "engine/estrazione.h"
#include "engine/profiloschedina.h"
#include "storage/schedina.h"

#include <cstdint>
#include <vector>

// A whole set made ready for millions of draws: each ticket as its numbers' 128-bit mask and
// its table of points by hit count (tickets with the same stakes share one table), packed
// close together in runs of tickets on the same wheels. A ticket that holds a number twice keeps
// the game's count over its positions on a slower path of its own.
class SchedineCompilate
{
public:
    explicit SchedineCompilate(const std::vector<Schedina> &schede);
    // Each ticket points into the tables: a copy would point into the original's.
    SchedineCompilate(const SchedineCompilate &) = delete;
    SchedineCompilate &operator=(const SchedineCompilate &) = delete;

    std::size_t size() const { return m_veloci.size() + m_lente.size(); }

    // The points the whole set credits against one draw, every wheel's credit whole, with the
    // CPU's population count instruction where there is one.
    __int128 vincite(const Estrazione &estrazione) const;

    // A ticket of the fast path, and a run of them on the same wheels.
    struct Veloce
    {
        std::uint64_t bassi;
        std::uint64_t alti;
        const std::int64_t *crediti; // its table of points by hit count
    };

    struct Gruppo
    {
        std::uint16_t ruote;
        std::size_t inizio;
        std::size_t fine;
    };

private:
    std::vector<Veloce> m_veloci;
    std::vector<Gruppo> m_gruppi; // the runs of tickets on the same wheels
    std::vector<ProfiloSchedina::Crediti> m_tabelle;
    std::vector<ProfiloSchedina> m_lente;
};
