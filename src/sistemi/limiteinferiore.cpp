#include "limiteinferiore.h"

#include "base/combinazioni.h"
#include "sistemi/disegninoti.h"

#include <algorithm>
#include <array>

using combinazioni::binomiale;

namespace {

// Counts from the literature: a minimum proven (no system has fewer tickets), or the fewest
// tickets of a system published (the covering designs' tables of the La Jolla Covering
// Repository, Li and van Rees's lotto design tables), which a system above it could reach.
struct Noto
{
    int n, k, p, v;
    std::uint64_t schedine;
    bool provato;
};

constexpr std::array kNoti{
    Noto{49, 6, 2, 2, 82, true},     Noto{27, 6, 4, 4, 1170, true},  Noto{90, 3, 3, 2, 660, true},
    Noto{90, 4, 3, 2, 338, true},    Noto{40, 6, 2, 2, 55, false},   Noto{90, 6, 2, 2, 273, false},
    Noto{70, 7, 2, 2, 123, false},   Noto{90, 8, 2, 2, 152, false},  Noto{60, 10, 2, 2, 47, false},
    Noto{90, 10, 2, 2, 91, false},   Noto{49, 6, 3, 3, 1035, false}, Noto{30, 7, 3, 3, 142, false},
    Noto{30, 10, 3, 3, 46, false},   Noto{90, 6, 3, 3, 6363, false}, Noto{20, 6, 4, 4, 382, false},
    Noto{30, 8, 4, 4, 559, false},   Noto{40, 10, 4, 4, 703, false}, Noto{20, 7, 5, 5, 977, false},
    Noto{30, 10, 5, 5, 1090, false}, Noto{10, 5, 4, 4, 51, true},    Noto{40, 3, 5, 2, 62, false},
    Noto{30, 3, 4, 2, 48, false},    Noto{90, 6, 3, 2, 140, false},  Noto{90, 10, 3, 2, 51, false},
    Noto{30, 6, 5, 3, 62, false},
};

const Noto *noto(int n, int k, int p, int v)
{
    const auto trovato = std::find_if(kNoti.begin(), kNoti.end(), [&](const Noto &x) {
        return x.n == n && x.k == k && x.p == p && x.v == v;
    });
    return trovato == kNoti.end() ? nullptr : &*trovato;
}

} // namespace

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
    const std::uint64_t limite = p == v ? schoenheim(n, k, v) : conteggio(n, k, p, v);
    const Noto *x = noto(n, k, p, v);
    return x && x->provato ? std::max(limite, x->schedine) : limite;
}

// Fort and Hedlund: triples reach Schönheim's bound for every v. Mills: quadruples do for
// every v but 7, 9, 10 and 19. Hanani: S(2, 5, v) for v = 1, 5 mod 20 and S(3, 4, v) for
// v = 2, 4 mod 6, whose block counts are Schönheim's bound. Besides, every design built here.
bool LimiteInferiore::raggiungibile(int n, int k, int t)
{
    if (k == 3 && t == 2)
        return true;
    if (k == 4 && t == 2 && n != 7 && n != 9 && n != 10 && n != 19)
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
    if (const Noto *x = noto(n, k, p, v); x && schedine > x->schedine)
        return false;
    if (p == v && raggiungibile(n, k, v))
        return false;
    return std::nullopt;
}
