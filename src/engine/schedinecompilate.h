#pragma once

#include "base/lotto.h"
#include "engine/estrazione.h"
#include "engine/profiloschedina.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <vector>

// A whole set made ready for millions of draws. Each ticket is its numbers' 128-bit mask and the
// place of its table of points by hit count (tickets with the same stakes share one table); the
// tickets stand in one list for each wheel they play, so that a draw's wheel goes through its
// list in one plain loop: two population counts and a look-up a ticket, eight tickets at a time
// where the CPU counts bits in vectors. A ticket that holds a number twice keeps the game's count
// over its positions on a slower path of its own.
class SchedineCompilate
{
public:
    // One mask a wheel: bit n for number n drawn.
    using Maschere = std::array<unsigned __int128, lotto::kRuote>;

    explicit SchedineCompilate(const std::vector<Schedina> &schede);

    std::size_t size() const { return m_schedine; }
    // Every ticket is counted by its mask: a draw's masks are all it needs.
    bool soloMaschere() const { return m_lente.empty(); }

    // The points the tickets counted by their masks credit against the draw's masks.
    __int128 vincite(const Maschere &estratti) const;
    // The points the whole set credits against one draw, every wheel's credit whole.
    __int128 vincite(const Estrazione &estrazione) const;

    // A wheel's list: the tickets' masks and the place of each one's table in m_punti.
    struct Lista
    {
        std::vector<std::uint64_t> bassi;
        std::vector<std::uint64_t> alti;
        std::vector<std::int64_t> tabella; // the index in m_punti of its points for 0 hits
    };
    // Points for 0 to 7 hits (a wheel draws five), eight to a table.
    static constexpr std::size_t kColpi = 8;

private:
    std::size_t m_schedine = 0;
    std::array<Lista, lotto::kRuote> m_liste;
    std::vector<std::int64_t> m_punti;
    // How a draw's points are summed: in 64 bits, one ticket after another or eight at a time;
    // in 128 when a draw's sum could leave 64 bits (stakes near the largest).
    enum class Somma
    {
        In64,
        Vettori,
        In128
    };
    Somma m_somma = Somma::In64;
    std::vector<ProfiloSchedina> m_lente;
};
