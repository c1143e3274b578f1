#include "disegnidiwitt.h"

#include <algorithm>
#include <array>
#include <set>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

Blocco supporto(const std::vector<int> &parola)
{
    Blocco b;
    for (std::size_t i = 0; i < parola.size(); ++i) {
        if (parola[i] != 0)
            b.push_back(static_cast<std::uint8_t>(i));
    }
    return b;
}

// A basis of the span of the rows over GF(p) by elimination; p is 2 or 3 here.
std::vector<std::vector<int>> base(const std::vector<std::vector<int>> &righe, int p)
{
    std::vector<std::vector<int>> b;
    std::vector<std::size_t> pivot;
    for (std::vector<int> r : righe) {
        for (std::size_t i = 0; i < b.size(); ++i) {
            // In GF(2) and GF(3) every non-zero element is its own inverse.
            const int c = r[pivot[i]] * b[i][pivot[i]] % p;
            for (std::size_t j = 0; j < r.size(); ++j)
                r[j] = ((r[j] - c * b[i][j]) % p + p) % p;
        }
        const auto nonNullo = std::find_if(r.begin(), r.end(), [](int x) { return x != 0; });
        if (nonNullo != r.end()) {
            pivot.push_back(static_cast<std::size_t>(nonNullo - r.begin()));
            b.push_back(std::move(r));
        }
    }
    return b;
}

// The supports of every word of the given weight in the span of the basis.
Blocchi paroleDiPeso(const std::vector<std::vector<int>> &b, int p, int peso)
{
    std::set<Blocco> supporti;
    int totale = 1;
    for (std::size_t i = 0; i < b.size(); ++i)
        totale *= p;
    for (int scelta = 0; scelta < totale; ++scelta) {
        std::vector<int> parola(b[0].size(), 0);
        for (int i = 0, resto = scelta; i < static_cast<int>(b.size()); ++i, resto /= p)
            for (std::size_t j = 0; j < parola.size(); ++j)
                parola[j] = (parola[j] + resto % p * b[static_cast<std::size_t>(i)][j]) % p;
        if (std::count_if(parola.begin(), parola.end(), [](int x) { return x != 0; }) == peso)
            supporti.insert(supporto(parola));
    }
    return {supporti.begin(), supporti.end()};
}

} // namespace

// The binary quadratic-residue code of length 23 is spanned by the cyclic shifts of the
// residues' indicator; a parity bit makes it the extended Golay code, whose words of weight 8
// (the octads) hold every five of the 24 positions exactly once.
Blocchi DisegniDiWitt::ottadi()
{
    std::vector<int> residui(23, 0);
    for (int x = 1; x < 23; ++x)
        residui[static_cast<std::size_t>(x * x % 23)] = 1;
    std::vector<std::vector<int>> righe;
    for (std::size_t s = 0; s < 23; ++s) {
        std::vector<int> r(24, 0);
        for (std::size_t i = 0; i < 23; ++i)
            r[(i + s) % 23] = residui[i];
        r[23] = std::count(r.begin(), r.end(), 1) % 2;
        righe.push_back(std::move(r));
    }
    return paroleDiPeso(base(righe, 2), 2, 8);
}

// [I | C] with C the symmetric conference matrix of order 6 from the squares of GF(5) generates
// the extended ternary Golay code; the supports of its words of weight 6 (each held by a word
// and its opposite) hold every five of the 12 positions exactly once.
Blocchi DisegniDiWitt::esadi()
{
    constexpr std::array<int, 5> carattere{0, 1, -1, -1, 1}; // squares of GF(5): 1 and 4
    std::vector<std::vector<int>> righe;
    for (int i = 0; i < 6; ++i) {
        std::vector<int> r(12, 0);
        r[static_cast<std::size_t>(i)] = 1;
        for (int j = 0; j < 6; ++j) {
            const int c = i == 0   ? (j == 0 ? 0 : 1)
                          : j == 0 ? 1
                                   : carattere[static_cast<std::size_t>((j - i + 5) % 5)];
            r[static_cast<std::size_t>(6 + j)] = (c + 3) % 3;
        }
        righe.push_back(std::move(r));
    }
    return paroleDiPeso(righe, 3, 6);
}
