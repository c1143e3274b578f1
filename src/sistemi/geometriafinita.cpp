#include "geometriafinita.h"

#include "sistemi/campofinito.h"

#include <algorithm>
#include <set>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;
using Vettore = std::vector<int>;

int potenza(int base, int esponente)
{
    int r = 1;
    while (esponente-- > 0)
        r *= base;
    return r;
}

Vettore coordinate(int x, int q, int dimensione)
{
    Vettore c(static_cast<std::size_t>(dimensione));
    for (int &d : c) {
        d = x % q;
        x /= q;
    }
    return c;
}

int indiceDi(const Vettore &c, int q)
{
    int x = 0;
    for (auto d = c.rbegin(); d != c.rend(); ++d)
        x = x * q + *d;
    return x;
}

// a*x + y, coordinate by coordinate.
Vettore combina(const CampoFinito &f, int a, const Vettore &x, const Vettore &y)
{
    Vettore r(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        r[i] = f.somma(f.prodotto(a, x[i]), y[i]);
    return r;
}

// A projective point's representative: its first non-zero coordinate made 1.
Vettore normalizza(const CampoFinito &f, Vettore x)
{
    const auto primo = std::find_if(x.begin(), x.end(), [](int c) { return c != 0; });
    const int inverso = f.inverso(*primo);
    for (int &c : x)
        c = f.prodotto(inverso, c);
    return x;
}

Blocco ordinato(const std::vector<int> &punti)
{
    Blocco b(punti.begin(), punti.end());
    std::sort(b.begin(), b.end());
    return b;
}

Blocchi elenco(const std::set<Blocco> &insieme)
{
    return {insieme.begin(), insieme.end()};
}

} // namespace

int GeometriaFinita::puntiProiettivi(int d, int q)
{
    return (potenza(q, d + 1) - 1) / (q - 1);
}

Blocchi GeometriaFinita::retteProiettive(int d, int q)
{
    const CampoFinito f(q);
    std::vector<Vettore> punti;
    std::vector<int> numero(static_cast<std::size_t>(potenza(q, d + 1)), -1);
    for (int x = 1; x < potenza(q, d + 1); ++x) {
        const Vettore c = coordinate(x, q, d + 1);
        if (normalizza(f, c) == c) {
            numero[static_cast<std::size_t>(x)] = static_cast<int>(punti.size());
            punti.push_back(c);
        }
    }
    std::set<Blocco> rette;
    for (std::size_t i = 0; i < punti.size(); ++i) {
        for (std::size_t j = i + 1; j < punti.size(); ++j) {
            std::vector<int> retta{static_cast<int>(i)};
            for (int a = 0; a < q; ++a) {
                const Vettore c = normalizza(f, combina(f, a, punti[i], punti[j]));
                retta.push_back(numero[static_cast<std::size_t>(indiceDi(c, q))]);
            }
            rette.insert(ordinato(retta));
        }
    }
    return elenco(rette);
}

Blocchi GeometriaFinita::retteAffini(int d, int q)
{
    const CampoFinito f(q);
    const int v = potenza(q, d);
    std::set<Blocco> rette;
    for (int direzione = 1; direzione < v; ++direzione) {
        const Vettore vettoreDirezione = coordinate(direzione, q, d);
        if (normalizza(f, vettoreDirezione) != vettoreDirezione)
            continue;
        for (int origine = 0; origine < v; ++origine) {
            std::vector<int> retta;
            for (int a = 0; a < q; ++a)
                retta.push_back(
                    indiceDi(combina(f, a, vettoreDirezione, coordinate(origine, q, d)), q));
            rette.insert(ordinato(retta));
        }
    }
    return elenco(rette);
}

// The circles are the images of GF(q) and infinity under the maps z -> (az + b) / (cz + d) of
// GF(q^2); translations, scalings and z -> 1/z generate them all.
Blocchi GeometriaFinita::cerchiInversivi(int q)
{
    const CampoFinito f(q * q);
    const int infinito = q * q;
    std::vector<int> base{infinito};
    for (int z = 0; z < q * q; ++z) {
        int potenzaQ = 1;
        for (int i = 0; i < q; ++i)
            potenzaQ = f.prodotto(potenzaQ, z);
        if (potenzaQ == z)
            base.push_back(z);
    }
    auto trasforma = [&](const Blocco &c, auto &&mappa) {
        std::vector<int> r;
        for (int z : c)
            r.push_back(z == infinito ? mappa(infinito) : mappa(z));
        return ordinato(r);
    };
    std::set<Blocco> cerchi{ordinato(base)};
    std::vector<Blocco> daVedere{ordinato(base)};
    while (!daVedere.empty()) {
        const Blocco c = daVedere.back();
        daVedere.pop_back();
        std::vector<Blocco> immagini{trasforma(c, [&](int z) {
            return z == infinito ? 0 : z == 0 ? infinito : f.inverso(z);
        })};
        for (int a = 1; a < q * q; ++a) {
            immagini.push_back(
                trasforma(c, [&](int z) { return z == infinito ? infinito : f.somma(z, a); }));
            immagini.push_back(
                trasforma(c, [&](int z) { return z == infinito ? infinito : f.prodotto(z, a); }));
        }
        for (Blocco &i : immagini) {
            if (cerchi.insert(i).second)
                daVedere.push_back(std::move(i));
        }
    }
    return elenco(cerchi);
}

Blocchi GeometriaFinita::pianiBinari(int d)
{
    const int v = 1 << d;
    Blocchi piani;
    for (int a = 0; a < v; ++a)
        for (int b = a + 1; b < v; ++b)
            for (int c = b + 1; c < v; ++c) {
                if (const int quarto = a ^ b ^ c; quarto > c)
                    piani.push_back(ordinato({a, b, c, quarto}));
            }
    return piani;
}

// The points of x^(q+1) + y^(q+1) + z^(q+1) = 0: a line of the plane meets them in one point or
// in q + 1, and the q + 1 of each secant are a block.
Blocchi GeometriaFinita::unitale(int q)
{
    const int q2 = q * q;
    const CampoFinito f(q2);
    const auto norma = [&](int x) {
        int r = 1;
        for (int i = 0; i <= q; ++i)
            r = f.prodotto(r, x);
        return r;
    };
    std::vector<Vettore> punti;
    std::vector<int> numero(static_cast<std::size_t>(potenza(q2, 3)), -1);
    for (int x = 1; x < potenza(q2, 3); ++x) {
        const Vettore c = coordinate(x, q2, 3);
        if (normalizza(f, c) == c && f.somma(f.somma(norma(c[0]), norma(c[1])), norma(c[2])) == 0) {
            numero[static_cast<std::size_t>(x)] = static_cast<int>(punti.size());
            punti.push_back(c);
        }
    }
    std::set<Blocco> blocchi;
    for (std::size_t i = 0; i < punti.size(); ++i) {
        for (std::size_t j = i + 1; j < punti.size(); ++j) {
            std::vector<int> blocco{static_cast<int>(i)};
            for (int a = 0; a < q2; ++a) {
                const Vettore c = normalizza(f, combina(f, a, punti[i], punti[j]));
                if (const int p = numero[static_cast<std::size_t>(indiceDi(c, q2))]; p >= 0)
                    blocco.push_back(p);
            }
            blocchi.insert(ordinato(blocco));
        }
    }
    return elenco(blocchi);
}
