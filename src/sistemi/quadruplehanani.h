#pragma once

#include "base/combinazioni.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// Hanani's recursive constructions of Steiner quadruple systems (1960), each from a smaller
// system: on 3n - 2 points from any system on n, on 3n - 8 from one on n = 2 mod 12, on
// 12n - 10 from one on n and the system on 14. With doubling they reach every admissible order.
class QuadrupleHanani
{
public:
    // The system on v points by the first of the three that applies to v, taking the smaller
    // systems from costruisci; nullopt when none applies or a smaller system is missing.
    static std::optional<combinazioni::Blocchi>
    costruisci(int v, const std::function<std::optional<combinazioni::Blocchi>(int)> &costruisci);

    static combinazioni::Blocchi treMenoDue(const combinazioni::Blocchi &sistema, int n);
    static combinazioni::Blocchi treMenoOtto(const combinazioni::Blocchi &sistema, int n);
    static combinazioni::Blocchi dodiciMenoDieci(const combinazioni::Blocchi &sistema, int n,
                                                 const combinazioni::Blocchi &sistema14);

    // Hanani's pairs P_alpha(m) on Z_2m, 0 <= alpha <= 2m - 2: for each m the sets of pairs
    // of a one-factorisation of the complete graph on 2m points, some short a pair.
    static std::vector<std::pair<int, int>> coppie(int alpha, int m);
};
