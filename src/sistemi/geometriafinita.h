#pragma once

#include "base/combinazioni.h"

// The lines, circles and planes of the finite geometries, each family a Steiner system: every
// t points lie together in exactly one block. Points are numbered 0..v-1.
class GeometriaFinita
{
public:
    // Lines of the projective space PG(d, q): S(2, q + 1, (q^(d+1) - 1) / (q - 1)).
    static combinazioni::Blocchi retteProiettive(int d, int q);
    static int puntiProiettivi(int d, int q);
    // Lines of the affine space AG(d, q): S(2, q, q^d).
    static combinazioni::Blocchi retteAffini(int d, int q);
    // Circles of the inversive plane over GF(q): S(3, q + 1, q^2 + 1).
    static combinazioni::Blocchi cerchiInversivi(int q);
    // The Hermitian unital of PG(2, q^2): S(2, q + 1, q^3 + 1).
    static combinazioni::Blocchi unitale(int q);
    // Planes of the binary affine space AG(d, 2): S(3, 4, 2^d).
    static combinazioni::Blocchi pianiBinari(int d);
};
