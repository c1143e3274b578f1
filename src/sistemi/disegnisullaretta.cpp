#include "disegnisullaretta.h"

#include "sistemi/campofinito.h"
#include "sistemi/coperturaesatta.h"

#include <algorithm>
#include <array>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;
using Permutazione = std::vector<std::uint8_t>;

// The group's elements as permutations of the q + 1 points.
std::vector<Permutazione> gruppo(const CampoFinito &f)
{
    const int q = f.ordine(), infinito = q;
    std::vector<bool> quadrato(static_cast<std::size_t>(q), false);
    for (int x = 1; x < q; ++x)
        quadrato[static_cast<std::size_t>(f.prodotto(x, x))] = true;
    // x -> (ax + b) / (cx + d), with c = 1 or else c = 0 and d = 1: one map per class of
    // scalar multiples, as a scalar changes the determinant by a square.
    std::vector<Permutazione> mobius;
    auto aggiungi = [&](int a, int b, int c, int d) {
        Permutazione p(static_cast<std::size_t>(q + 1));
        for (int x = 0; x < q; ++x) {
            const int sotto = f.somma(f.prodotto(c, x), d);
            p[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(
                sotto == 0 ? infinito : f.quoziente(f.somma(f.prodotto(a, x), b), sotto));
        }
        p[static_cast<std::size_t>(q)] =
            static_cast<std::uint8_t>(c == 0 ? infinito : f.quoziente(a, c));
        mobius.push_back(std::move(p));
    };
    for (int a = 0; a < q; ++a)
        for (int b = 0; b < q; ++b) {
            if (quadrato[static_cast<std::size_t>(a)])
                aggiungi(a, b, 0, 1);
            for (int d = 0; d < q; ++d)
                if (quadrato[static_cast<std::size_t>(f.differenza(f.prodotto(a, d), b))])
                    aggiungi(a, b, 1, d);
        }
    // The field's automorphisms x -> x^(p^i), composed after each map.
    std::vector<Permutazione> elementi;
    Permutazione frobenius(static_cast<std::size_t>(q + 1));
    for (int x = 0; x <= q; ++x) {
        int y = x;
        if (x < q)
            for (int i = 1; i < f.caratteristica(); ++i)
                y = f.prodotto(y, x);
        frobenius[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(y);
    }
    int grado = 0;
    for (int x = 1; x < q; x *= f.caratteristica())
        ++grado;
    Permutazione potenza(static_cast<std::size_t>(q + 1));
    for (int x = 0; x <= q; ++x)
        potenza[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(x);
    for (int i = 0; i < grado; ++i) {
        for (const Permutazione &m : mobius) {
            Permutazione p(m.size());
            for (std::size_t x = 0; x < m.size(); ++x)
                p[x] = potenza[m[x]];
            elementi.push_back(std::move(p));
        }
        for (std::uint8_t &x : potenza)
            x = frobenius[x];
    }
    return elementi;
}

// The image of the subset (ascending) under the permutation, ascending.
std::array<std::uint8_t, combinazioni::kMassimoK> immagine(const Permutazione &g,
                                                           const std::uint8_t *punti, int quanti)
{
    std::array<std::uint8_t, combinazioni::kMassimoK> i{};
    for (int j = 0; j < quanti; ++j)
        i[static_cast<std::size_t>(j)] = g[punti[j]];
    std::sort(i.begin(), i.begin() + quanti);
    return i;
}

// The orbits of the m-subsets of the points: each subset's orbit by its rank, and each orbit's
// first subset and size.
struct Orbite
{
    std::vector<int> orbita;
    std::vector<std::uint32_t> primo;
    std::vector<std::uint32_t> grandezza;
};

Orbite orbite(const std::vector<Permutazione> &g, int punti, int m)
{
    Orbite o{std::vector<int>(combinazioni::binomiale(punti, m), -1), {}, {}};
    combinazioni::perOgni(m, punti, [&](const auto &indice) {
        const std::uint32_t r = combinazioni::rango(indice, m);
        if (o.orbita[r] >= 0)
            return;
        const int nuova = static_cast<int>(o.primo.size());
        std::array<std::uint8_t, combinazioni::kMassimoK> s{};
        for (int i = 0; i < m; ++i)
            s[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(indice[std::size_t(i)]);
        std::uint32_t quanti = 0;
        for (const Permutazione &p : g) {
            int &id = o.orbita[combinazioni::rango(immagine(p, s.data(), m), m)];
            if (id != nuova) {
                id = nuova;
                ++quanti;
            }
        }
        o.primo.push_back(r);
        o.grandezza.push_back(quanti);
    });
    return o;
}

} // namespace

std::optional<Blocchi> DisegniSullaRetta::costruisci(int q, int k, int t)
{
    constexpr long kMassimoScelte = 1'000'000;
    if (!CampoFinito::esiste(q) || q + 1 > combinazioni::kMassimoN || k > combinazioni::kMassimoK ||
        t >= k || k > q)
        return std::nullopt;
    const CampoFinito f(q);
    const std::vector<Permutazione> g = gruppo(f);
    const int punti = q + 1;
    const Orbite blocchi = orbite(g, punti, k), sottoinsiemi = orbite(g, punti, t);
    // An orbit of blocks whose blocks hold c of their t-subsets in an orbit of those holds each
    // of them |orbit of blocks| c / |orbit of t-subsets| times: a row when that is 0 or 1.
    CoperturaEsatta copertura(static_cast<int>(sottoinsiemi.primo.size()));
    std::vector<std::size_t> righe;
    for (std::size_t b = 0; b < blocchi.primo.size(); ++b) {
        const auto blocco = combinazioni::dalRango(blocchi.primo[b], k);
        std::vector<std::uint64_t> volte(sottoinsiemi.primo.size(), 0);
        combinazioni::perOgni(t, k, [&](const auto &indice) {
            std::array<std::uint8_t, combinazioni::kMassimoK> s{};
            for (int i = 0; i < t; ++i)
                s[static_cast<std::size_t>(i)] = blocco[std::size_t(indice[std::size_t(i)])];
            volte[static_cast<std::size_t>(sottoinsiemi.orbita[combinazioni::rango(s, t)])] +=
                blocchi.grandezza[b];
        });
        std::vector<int> colonne;
        bool unaVolta = true;
        for (std::size_t i = 0; i < volte.size(); ++i) {
            if (volte[i] == sottoinsiemi.grandezza[i])
                colonne.push_back(static_cast<int>(i));
            else
                unaVolta = unaVolta && volte[i] == 0;
        }
        if (unaVolta && !colonne.empty()) {
            copertura.aggiungiRiga(colonne);
            righe.push_back(b);
        }
    }
    const auto scelte = copertura.risolvi(kMassimoScelte);
    if (!scelte)
        return std::nullopt;
    Blocchi disegno;
    std::vector<bool> preso(combinazioni::binomiale(punti, k), false);
    for (int riga : *scelte) {
        const auto blocco =
            combinazioni::dalRango(blocchi.primo[righe[static_cast<std::size_t>(riga)]], k);
        for (const Permutazione &p : g) {
            const auto i = immagine(p, blocco.data(), k);
            if (const std::uint32_t r = combinazioni::rango(i, k); !preso[r]) {
                preso[r] = true;
                disegno.emplace_back(i.begin(), i.begin() + k);
            }
        }
    }
    std::sort(disegno.begin(), disegno.end());
    return disegno;
}
