#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

// Combinations of lottery numbers: how many there are, and each in turn.
namespace combinazioni {

inline constexpr int kMassimoN = 90; // the numbers
inline constexpr int kMassimoK = 10; // the most a ticket holds

// C(n, k) for n up to 90 and k up to 10, from a table made once; 0 outside 0 <= k <= n.
inline std::uint64_t binomiale(int n, int k)
{
    static const auto table = [] {
        std::array<std::array<std::uint64_t, kMassimoK + 1>, kMassimoN + 1> c{};
        for (int i = 0; i <= kMassimoN; ++i) {
            c[i][0] = 1;
            for (int j = 1; j <= std::min(i, kMassimoK); ++j)
                c[i][j] = c[i - 1][j - 1] + (j <= i - 1 ? c[i - 1][j] : 0);
        }
        return c;
    }();
    return k < 0 || k > n ? 0 : table[std::size_t(n)][std::size_t(k)];
}

using Posizioni = std::array<int, kMassimoN>;

// A ticket as positions among the system's numbers, ascending; a system is a list of them.
using Blocco = std::vector<std::uint8_t>;
using Blocchi = std::vector<Blocco>;

// The next m-combination of positions 0..totale-1 in lexicographic order; false after the last.
inline bool successiva(Posizioni &indice, int m, int totale)
{
    int i = m - 1;
    while (i >= 0 && indice[std::size_t(i)] == totale - m + i)
        --i;
    if (i < 0)
        return false;
    ++indice[std::size_t(i)];
    for (int j = i + 1; j < m; ++j)
        indice[std::size_t(j)] = indice[std::size_t(j - 1)] + 1;
    return true;
}

// Subsets are numbered in colexicographic order: {c1 < c2 < ...} is the sum of C(ci, i).
template <typename Elementi>
std::uint32_t rango(const Elementi &ordinati, int quanti)
{
    std::uint64_t r = 0;
    for (int i = 0; i < quanti; ++i)
        r += binomiale(ordinati[std::size_t(i)], i + 1);
    return static_cast<std::uint32_t>(r);
}

inline std::array<std::uint8_t, kMassimoK> dalRango(std::uint32_t r, int quanti)
{
    std::array<std::uint8_t, kMassimoK> sottoinsieme{};
    int c = kMassimoN;
    for (int i = quanti; i >= 1; --i) {
        while (binomiale(c, i) > r)
            --c;
        sottoinsieme[std::size_t(i - 1)] = static_cast<std::uint8_t>(c);
        r -= static_cast<std::uint32_t>(binomiale(c, i));
    }
    return sottoinsieme;
}

// Visits every m-combination of positions 0..totale-1 in lexicographic order (once, empty, for
// m = 0).
template <typename Visit>
void perOgni(int m, int totale, Visit &&visita)
{
    Posizioni indice{};
    for (int i = 0; i < m; ++i)
        indice[std::size_t(i)] = i;
    do
        visita(indice);
    while (m > 0 && successiva(indice, m, totale));
}

} // namespace combinazioni
