#include "disegninoti.h"

#include "sistemi/campofinito.h"
#include "sistemi/disegnidiwitt.h"
#include "sistemi/disegnisullaretta.h"
#include "sistemi/famigliedidifferenze.h"
#include "sistemi/geometriafinita.h"
#include "sistemi/limiteinferiore.h"
#include "sistemi/quadruplesteiner.h"
#include "sistemi/sistemiditerne.h"

#include <algorithm>
#include <array>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;
using Disegno = std::optional<Blocchi>;

// The blocks through the last point, without it: S(t, k, v) gives S(t - 1, k - 1, v - 1).
Blocchi derivato(const Blocchi &disegno, int v)
{
    Blocchi d;
    for (const Blocco &b : disegno) {
        if (b.back() == v - 1)
            d.emplace_back(b.begin(), b.end() - 1);
    }
    return d;
}

Disegno diWitt(int v, int k, int t)
{
    for (int derivazioni = 0; derivazioni <= 2; ++derivazioni) {
        if (v + derivazioni == 24 && k + derivazioni == 8 && t + derivazioni == 5) {
            Blocchi d = DisegniDiWitt::ottadi();
            for (int i = 0; i < derivazioni; ++i)
                d = derivato(d, 24 - i);
            return d;
        }
    }
    // Denniston's S(5, 7, 28) over GF(27) and S(5, 6, 24) over GF(23), and the systems
    // derived from them on a point or two fewer.
    constexpr std::array<std::array<int, 3>, 2> kDenniston{{{27, 7, 5}, {23, 6, 5}}};
    for (const auto &[q, kd, td] : kDenniston) {
        for (int derivazioni = 0; derivazioni <= 2; ++derivazioni) {
            if (v + derivazioni == q + 1 && k + derivazioni == kd && t + derivazioni == td) {
                auto d = DisegniSullaRetta::costruisci(q, kd, td);
                for (int i = 0; d && i < derivazioni; ++i)
                    d = derivato(*d, q + 1 - i);
                return d;
            }
        }
    }
    if (v == 12 && k == 6 && t == 5)
        return DisegniDiWitt::esadi();
    if (v == 11 && k == 5 && t == 4)
        return derivato(DisegniDiWitt::esadi(), 12);
    return std::nullopt;
}

// Lines of a projective or affine space whose points are v and whose lines hold k.
Disegno rette(int v, int k)
{
    for (int d = 2; d <= 6; ++d) {
        if (CampoFinito::esiste(k - 1) && GeometriaFinita::puntiProiettivi(d, k - 1) == v)
            return GeometriaFinita::retteProiettive(d, k - 1);
        int punti = 1;
        for (int i = 0; i < d; ++i)
            punti *= k;
        if (k >= 3 && CampoFinito::esiste(k) && punti == v)
            return GeometriaFinita::retteAffini(d, k);
    }
    return std::nullopt;
}

// Every pair in one block: the lines of the geometries, the unitals, else a difference family,
// looked for in full only with blocks of four or five, where Hanani proved systems exist for
// every v the divisibility allows; with larger blocks a search could go on long for one that
// does not, and only the short one with a multiplier is tried.
Disegno coppie(int v, int k)
{
    if (Disegno d = rette(v, k))
        return d;
    const int q = k - 1;
    if (q >= 2 && CampoFinito::esiste(q * q) && q * q * q + 1 == v)
        return GeometriaFinita::unitale(q);
    if (k == 4 || k == 5)
        return FamiglieDiDifferenze::steiner(v, k);
    return FamiglieDiDifferenze::steinerConMoltiplicatore(v, k);
}

Disegno sfere(int v, int k)
{
    const int q = k - 1;
    if (q >= 2 && CampoFinito::esiste(q) && q * q + 1 == v)
        return GeometriaFinita::cerchiInversivi(q);
    return std::nullopt;
}

// Every point of a design on v / c points with blocks of k / c taken c times: a pair of copies
// of one point lies in every block through it, a pair of copies of two in their block. Kept
// where it reaches Schönheim's bound, as the plane of order 4 does for 42 numbers in decine
// (21 tickets) and the affine plane of order 5 for 50 (30).
Disegno copiato(int v, int k)
{
    for (int c = 2; c <= k / 3; ++c) {
        const int w = v / c, s = k / c;
        if (k % c != 0 || v % c != 0 || w <= s || (w - 1) % (s - 1) != 0 ||
            std::uint64_t(w) * std::uint64_t(w - 1) / std::uint64_t(s * (s - 1)) !=
                LimiteInferiore::schoenheim(v, k, 2))
            continue;
        const Disegno d = coppie(w, s);
        if (!d)
            continue;
        Blocchi blocchi;
        for (const Blocco &b : *d) {
            Blocco copie;
            for (const std::uint8_t x : b) {
                for (int i = 0; i < c; ++i)
                    copie.push_back(static_cast<std::uint8_t>(x + i * w));
            }
            std::sort(copie.begin(), copie.end());
            blocchi.push_back(std::move(copie));
        }
        return blocchi;
    }
    return std::nullopt;
}

} // namespace

std::optional<Blocchi> DisegniNoti::costruisci(int v, int k, int t)
{
    if (k >= v) {
        Blocco tutti;
        for (int x = 0; x < v; ++x)
            tutti.push_back(static_cast<std::uint8_t>(x));
        return Blocchi{tutti};
    }
    Disegno d;
    if (t == 2 && k == 3)
        d = SistemiDiTerne::coperturaMinima(v);
    else if (t == 2)
        d = coppie(v, k);
    if (!d && t == 2 && k > 3)
        d = copiato(v, k);
    else if (t == 3 && k == 4)
        d = QuadrupleSteiner::costruisci(v);
    if (!d && t == 3)
        d = sfere(v, k);
    if (!d)
        d = diWitt(v, k, t);
    if (d)
        std::sort(d->begin(), d->end());
    return d;
}
