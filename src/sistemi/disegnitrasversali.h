#pragma once

#include "base/combinazioni.h"

#include <optional>

// Transversal designs TD(k, q) from the lines of the affine plane over GF(q): k groups of q
// numbers and q^2 blocks, each with one number of every group, every two numbers of different
// groups together in exactly one. Filling the groups covers every pair: each group, with the x
// numbers past the design's kq joined to all of them, gets a system of its own for every pair,
// so the pairs of kq + x numbers are covered by q^2 + k C(q + x, k, 2) tickets (Wilson).
class DisegniTrasversali
{
public:
    // The order q (a prime power, k <= q, kq <= n) whose filled design is the smallest by
    // SistemaPerParti's estimate of the groups' systems; nullopt when none comes within a tenth
    // of Schönheim's bound for the n numbers.
    static std::optional<int> ordine(int n, int k);
    // The filled design on n numbers: TD(k, q) on 0..kq-1, group i the numbers iq..iq+q-1, and
    // each group with the numbers kq..n-1 covered by gruppo, a system on q + n - kq numbers
    // whose first q are the group's and the others the shared ones. A ticket short of k numbers
    // is filled with the smallest it lacks.
    static combinazioni::Blocchi riempito(int n, int k, int q, const combinazioni::Blocchi &gruppo);
};
