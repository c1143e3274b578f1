#pragma once

#include "base/combinazioni.h"

#include <optional>

// The known systems of the fewest tickets, built on positions 0..v-1: whenever some t of the v
// numbers are drawn, a ticket of k holds all t, and no ticket could be spared.
class DisegniNoti
{
public:
    static std::optional<combinazioni::Blocchi> costruisci(int v, int k, int t);
    // Every point of `d`, a system on w points, taken c times: point x and its copies x + w,
    // x + 2w... in each block of x. A pair of copies of one point lies in every block through
    // it, a pair of copies of two in their block: pairs of c w points in blocks c times larger.
    static combinazioni::Blocchi copie(const combinazioni::Blocchi &d, int w, int c);
};
