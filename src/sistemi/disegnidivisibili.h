#pragma once

#include "base/combinazioni.h"

#include <optional>

// Group divisible designs on n numbers in Z_n, the groups the remainders modulo n / g: every two
// numbers of different groups together in exactly one block. Filling the groups covers every
// pair: each group of g numbers gets a system of its own for every pair, so the pairs of n
// numbers are covered by n (n - g) / (k (k - 1)) + (n / g) C(g, k, 2) tickets. With quartine on
// 90 numbers in groups of 6, 630 + 15 * 3: Schönheim's bound.
class DisegniDivisibili
{
public:
    // The groups' size g (a divisor of n with at least k groups, n - g a multiple of k (k - 1))
    // whose filled design is the smallest by SistemaPerParti's estimate of the groups' systems;
    // nullopt when none comes within a tenth of Schönheim's bound for the n numbers.
    static std::optional<int> gruppo(int n, int k);
    // The filled design: the divisible design in groups of g, and each group covered by
    // gruppo, a system on g numbers 0..g-1, number i of group r being r + i n / g. nullopt when
    // no design is found.
    static std::optional<combinazioni::Blocchi> riempito(int n, int k, int g,
                                                         const combinazioni::Blocchi &gruppo);
};
