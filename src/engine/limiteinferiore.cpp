#include "limiteinferiore.h"

#include "engine/combinazioni.h"
#include "engine/disegninoti.h"

using combinazioni::binomiale;

std::uint64_t LimiteInferiore::schoenheim(int v, int k, int t)
{
    // Each of the v points lies in at least the bound for v - 1, k - 1, t - 1 of the blocks
    // through it, and each block is counted by its k points.
    if (t <= 0)
        return 1;
    const std::uint64_t perPunto = schoenheim(v - 1, k - 1, t - 1);
    return (static_cast<std::uint64_t>(v) * perPunto + static_cast<std::uint64_t>(k) - 1) /
           static_cast<std::uint64_t>(k);
}

std::uint64_t LimiteInferiore::conteggio(int n, int k, int p, int v)
{
    std::uint64_t vinte = 0;
    for (int j = v; j <= p; ++j)
        vinte += binomiale(k, j) * binomiale(n - k, p - j);
    return (binomiale(n, p) + vinte - 1) / vinte;
}

std::uint64_t LimiteInferiore::migliore(int n, int k, int p, int v)
{
    if (k >= n)
        return 1;
    return p == v ? schoenheim(n, k, v) : conteggio(n, k, p, v);
}

// Fort and Hedlund: triples reach Schönheim's bound for every v. Hanani: Steiner systems
// S(2, 4, v) for v = 1, 4 mod 12, S(2, 5, v) for v = 1, 5 mod 20 and S(3, 4, v) for
// v = 2, 4 mod 6, whose block counts are Schönheim's bound. Besides, every design built here.
bool LimiteInferiore::raggiungibile(int n, int k, int t)
{
    if (k == 3 && t == 2)
        return true;
    if (k == 4 && t == 2 && (n % 12 == 1 || n % 12 == 4))
        return true;
    if (k == 5 && t == 2 && (n % 20 == 1 || n % 20 == 5))
        return true;
    if (k == 4 && t == 3 && (n % 6 == 2 || n % 6 == 4))
        return true;
    const auto disegno = DisegniNoti::costruisci(n, k, t);
    return disegno && disegno->size() == schoenheim(n, k, t);
}

std::optional<bool> LimiteInferiore::ottimo(int n, int k, int p, int v, std::uint64_t schedine)
{
    if (schedine <= migliore(n, k, p, v))
        return true;
    if (p == v && raggiungibile(n, k, v))
        return false;
    return std::nullopt;
}
