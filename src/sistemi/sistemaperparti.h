#pragma once

#include "base/combinazioni.h"

#include <functional>
#include <limits>
#include <vector>

// A system whose guarantee is on fewer numbers than are drawn (v se p, v < p) made of systems on
// parts of the numbers: part i guarantees v whenever p_i of its own numbers are drawn, and as the
// p_i - 1 add up to less than p, whatever p are drawn some part gets its p_i of them. Ambo se 3
// is two halves each covered pair by pair; ambo se 5 in terzine on 40 numbers, four parts of 9,
// 9, 11 and 11 (12 + 12 + 19 + 19 tickets).
class SistemaPerParti
{
public:
    struct Parte
    {
        int numeri = 0; // consecutive positions, the parts one after another
        int se = 0;     // the drawn among them that call for v of them in a ticket
        bool operator==(const Parte &) const = default;
    };
    // How the tickets for v whenever all v are drawn among m numbers are costed in the choice:
    // 1 when a ticket holds them all, C(m, v) when tickets hold v, else Schönheim's bound,
    // which the designs and the best coverings reach or come near.
    static std::uint64_t stima(int m, int k, int v);
    // The parts of the fewest tickets by that cost, at least two; empty when no split helps.
    // costo, when given, costs the parts of more than k numbers that guarantee v se v instead:
    // the tickets a system at hand for them holds, kNessuno when there is none.
    static std::vector<Parte> scegli(int n, int k, int p, int v,
                                     const std::function<std::uint64_t(int m)> &costo = {});
    static constexpr std::uint64_t kNessuno = std::numeric_limits<std::uint64_t>::max() / 4;
    // The same guarantees on parts as equal as can be: the numbers of the parts with the same se
    // and more numbers than a ticket holds shared out evenly among them.
    static std::vector<Parte> pari(const std::vector<Parte> &parti, int k);
    // The tickets of every part together, each part's from costruisci on positions 0..numeri-1
    // (nothing for a part with fewer numbers than its se, one ticket for a part a ticket
    // holds); a ticket short of k numbers is filled with the smallest numbers it lacks.
    static combinazioni::Blocchi
    unisci(int n, int k, const std::vector<Parte> &parti,
           const std::function<combinazioni::Blocchi(int numeri)> &costruisci);
};
