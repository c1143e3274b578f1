#pragma once

#include "base/combinazioni.h"

#include <optional>

// Steiner quadruple systems that a group of rotations maps onto themselves: an exact cover of
// the triples' orbits by the quadruples' orbits, found by a search of our own, the same every
// time. The groups tried turn the v points in one cycle, with multipliers of order 6 down to
// 1, then in two cycles of v / 2.
class QuadrupleCicliche
{
public:
    static std::optional<combinazioni::Blocchi> costruisci(int v);
};
