#pragma once

#include "base/combinazioni.h"

#include <optional>

// The known systems of the fewest tickets, built on positions 0..v-1: whenever some t of the v
// numbers are drawn, a ticket of k holds all t, and no ticket could be spared.
class DisegniNoti
{
public:
    static std::optional<combinazioni::Blocchi> costruisci(int v, int k, int t);
};
