#pragma once

#include "base/combinazioni.h"

#include <optional>

// Steiner systems S(2, k, v) that a group of translations maps onto themselves: a few base
// blocks whose differences are each element of the group once (or each outside a subgroup of
// order k, whose cosets are blocks too), every translate of them a block. The base blocks come from
// a search of their own, the same every time, on each abelian group of v elements in turn.
class FamiglieDiDifferenze
{
public:
    static std::optional<combinazioni::Blocchi> steiner(int v, int k);
    // The same in the cyclic group Z_v only (v up to 180), with blocks larger than five: the
    // base blocks are one block and its multiples by a unit whose powers are as many as the
    // blocks needed, an odd number. S(2, 6, 91) is one.
    static std::optional<combinazioni::Blocchi> steinerConMoltiplicatore(int v, int k);
    // A group divisible design in Z_v: the numbers in groups of g, those of the same remainder
    // modulo v / g (the cosets of the subgroup of order g), two numbers of different groups
    // together in exactly one block, two of the same group in none. Base blocks whose
    // differences are each element outside the subgroup once; the blocks only.
    static std::optional<combinazioni::Blocchi> divisibile(int v, int k, int g);
};
