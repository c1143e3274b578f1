#pragma once

#include "base/combinazioni.h"

#include <optional>

// Designs on the q + 1 points of the projective line over GF(q) that the group PSigmaL(2, q)
// maps onto themselves (the maps x -> (ax + b) / (cx + d), ad - bc a non-zero square, and the
// field's automorphisms): an exact cover of the orbits of the t-subsets by orbits of k-subsets,
// each orbit of blocks holding each t-subset of an orbit it meets once. Denniston's S(5, 7, 28)
// is such a design over GF(27). Point q is the point at infinity.
class DisegniSullaRetta
{
public:
    // S(t, k, q + 1), or nullopt when the orbits admit none (or none within the search's work).
    static std::optional<combinazioni::Blocchi> costruisci(int q, int k, int t);
};
