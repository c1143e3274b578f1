#include "quadruplecicliche.h"

#include "sistemi/coperturaesatta.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <set>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;
using Quadrupla = std::array<std::uint8_t, 4>;

// The search gives up on a group and tries the next past so many rows tried for each orbit of
// triples, which each choice looks through for the one in the fewest rows.
constexpr long kMassimoLavoro = 10'000'000;
// The largest order of the multipliers tried with the rotation.
constexpr int kMassimoOrdine = 6;

// The v points in cycles of m, m j + p the point p of the cycle j; each g = (a, b) of the group
// maps p to a p + b modulo m in every cycle, a a power of the multiplier.
struct Gruppo
{
    int v = 0;
    int m = 0;
    std::vector<int> moltiplicatori{1};

    int ordine() const { return m * static_cast<int>(moltiplicatori.size()); }
    template <std::size_t N>
    std::array<std::uint8_t, N> applica(std::array<std::uint8_t, N> punti, int a, int b) const
    {
        for (std::uint8_t &x : punti)
            x = static_cast<std::uint8_t>(x - x % m + (a * (x % m) + b) % m);
        std::sort(punti.begin(), punti.end());
        return punti;
    }
};

// Each triple's orbit, by the triple's rank, and each orbit's size.
struct OrbiteTerne
{
    std::vector<int> orbita;
    std::vector<int> grandezza;
};

OrbiteTerne orbiteTerne(const Gruppo &g)
{
    OrbiteTerne o{std::vector<int>(combinazioni::binomiale(g.v, 3), -1), {}};
    combinazioni::perOgni(3, g.v, [&](const auto &indice) {
        if (o.orbita[combinazioni::rango(indice, 3)] >= 0)
            return;
        const int nuova = static_cast<int>(o.grandezza.size());
        const std::array<std::uint8_t, 3> t{std::uint8_t(indice[0]), std::uint8_t(indice[1]),
                                            std::uint8_t(indice[2])};
        int quante = 0;
        for (int a : g.moltiplicatori) {
            for (int b = 0; b < g.m; ++b) {
                if (int &id = o.orbita[combinazioni::rango(g.applica(t, a, b), 3)]; id != nuova) {
                    id = nuova;
                    ++quante;
                }
            }
        }
        o.grandezza.push_back(quante);
    });
    return o;
}

// The least quadruple of an orbit starts with the first point of a cycle, else a turn back
// would make it less: q, so started, is its orbit's representative when no element of the
// group bringing one of its points to the start of a cycle makes it less.
bool rappresentante(const Gruppo &g, const Quadrupla &q)
{
    for (std::uint8_t x : q) {
        for (int a : g.moltiplicatori) {
            if (g.applica(q, a, (g.m - a * (x % g.m) % g.m) % g.m) < q)
                return false;
        }
    }
    return true;
}

// The elements that fix q bring its first point onto one of its points in the same cycle.
int grandezzaOrbita(const Gruppo &g, const Quadrupla &q)
{
    int fissano = 0;
    for (std::uint8_t x : q) {
        for (int a : g.moltiplicatori) {
            if (x / g.m == q[0] / g.m && g.applica(q, a, x % g.m) == q)
                ++fissano;
        }
    }
    return g.ordine() / fissano;
}

// The triples' orbits a quadruple's orbit covers, or nothing if it covers one more than once:
// a triple of an orbit that u of q's triples are in lies in u |orbit of q| / |its orbit| of the
// quadruples, and exactly one is wanted.
std::optional<std::vector<int>> copre(const OrbiteTerne &terne, const Quadrupla &q, int grandezza)
{
    std::vector<int> orbite;
    for (int via = 0; via < 4; ++via) {
        std::array<std::uint8_t, 3> t{};
        std::copy_if(q.begin(), q.end(), t.begin(), [&](std::uint8_t x) { return x != q[via]; });
        orbite.push_back(terne.orbita[combinazioni::rango(t, 3)]);
    }
    std::sort(orbite.begin(), orbite.end());
    for (std::size_t i = 0; i < orbite.size();) {
        const auto uguali = std::upper_bound(orbite.begin(), orbite.end(), orbite[i]) -
                            orbite.begin() - static_cast<long>(i);
        if (uguali * grandezza != terne.grandezza[static_cast<std::size_t>(orbite[i])])
            return std::nullopt;
        i += static_cast<std::size_t>(uguali);
    }
    orbite.erase(std::unique(orbite.begin(), orbite.end()), orbite.end());
    return orbite;
}

// The exact cover of the triples' orbits by those of the quadruples, each orbit a row.
std::optional<Blocchi> invariante(const Gruppo &g)
{
    const OrbiteTerne terne = orbiteTerne(g);
    CoperturaEsatta copertura(static_cast<int>(terne.grandezza.size()));
    std::vector<Quadrupla> righe;
    for (int primo = 0; primo < g.v; primo += g.m) {
        combinazioni::perOgni(3, g.v - primo - 1, [&](const auto &indice) {
            const Quadrupla q{std::uint8_t(primo), std::uint8_t(primo + indice[0] + 1),
                              std::uint8_t(primo + indice[1] + 1),
                              std::uint8_t(primo + indice[2] + 1)};
            if (!rappresentante(g, q))
                return;
            if (const auto orbite = copre(terne, q, grandezzaOrbita(g, q))) {
                copertura.aggiungiRiga(*orbite);
                righe.push_back(q);
            }
        });
    }
    const auto scelte =
        copertura.risolvi(kMassimoLavoro / static_cast<long>(terne.grandezza.size()));
    if (!scelte)
        return std::nullopt;
    std::set<Blocco> blocchi;
    for (int s : *scelte) {
        for (int a : g.moltiplicatori) {
            for (int b = 0; b < g.m; ++b) {
                const Quadrupla q = g.applica(righe[static_cast<std::size_t>(s)], a, b);
                blocchi.insert(Blocco(q.begin(), q.end()));
            }
        }
    }
    return Blocchi(blocchi.begin(), blocchi.end());
}

// The powers of u modulo m when u is the least element generating them, else nothing: each
// cyclic group of multipliers once.
std::vector<int> potenze(int u, int m)
{
    std::vector<int> p{1};
    for (int x = u; x != 1; x = x * u % m) {
        if (std::gcd(x, m) != 1 || static_cast<int>(p.size()) >= kMassimoOrdine)
            return {};
        p.push_back(x);
    }
    for (std::size_t i = 1; i < p.size(); ++i) {
        if (std::gcd(i, p.size()) == 1 && p[i] < u)
            return {};
    }
    return p;
}

// The rotation of all v points with its groups of multipliers, the largest first, then two
// cycles of v / 2.
std::vector<Gruppo> gruppi(int v)
{
    std::vector<Gruppo> g;
    for (int ordine = kMassimoOrdine; ordine >= 1; --ordine) {
        for (int u = 1; u < v; ++u) {
            if (auto p = potenze(u, v); static_cast<int>(p.size()) == ordine)
                g.push_back({v, v, p});
        }
    }
    g.push_back({v, v / 2, {1}});
    return g;
}

} // namespace

std::optional<Blocchi> QuadrupleCicliche::costruisci(int v)
{
    if (v < 4 || v > combinazioni::kMassimoN || (v % 6 != 2 && v % 6 != 4))
        return std::nullopt;
    for (const Gruppo &g : gruppi(v)) {
        if (auto sistema = invariante(g))
            return sistema;
    }
    return std::nullopt;
}
