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
        if (const Disegno d = coppie(w, s))
            return DisegniNoti::copie(*d, w, c);
    }
    return std::nullopt;
}

// Coverings that the translations of Z_m map onto themselves, on two copies of it (number x of
// copy c is x + c m): each base block translated m times, and the cosets of the subgroup of
// order k within copy 0, each a block. They reach Schönheim's bound. The base blocks were found
// by a search of ours over the ways three blocks can share the differences left by the cosets:
// those within copy 0 outside the subgroup, every one within copy 1, every one across.
struct SuDueCopie
{
    int v, k;
    std::array<std::array<int, 5>, 3> basi;
};
constexpr std::array kSuDueCopie{
    // C(30, 5, 2) = 48 = 3 * 15 + 3.
    SuDueCopie{30, 5, {{{0, 1, 4, 15, 20}, {0, 2, 7, 19, 25}, {0, 21, 22, 24, 28}}}},
};

Disegno suDueCopie(int v, int k)
{
    for (const SuDueCopie &c : kSuDueCopie) {
        if (c.v != v || c.k != k)
            continue;
        const int m = v / 2;
        Blocchi blocchi;
        for (const auto &base : c.basi) {
            for (int t = 0; t < m; ++t) {
                Blocco b;
                for (const int x : base)
                    b.push_back(static_cast<std::uint8_t>((x % m + t) % m + x / m * m));
                std::sort(b.begin(), b.end());
                blocchi.push_back(std::move(b));
            }
        }
        for (int r = 0; r < m / k; ++r) {
            Blocco b;
            for (int x = r; x < m; x += m / k)
                b.push_back(static_cast<std::uint8_t>(x));
            blocchi.push_back(std::move(b));
        }
        return blocchi;
    }
    return std::nullopt;
}

} // namespace

Blocchi DisegniNoti::copie(const Blocchi &d, int w, int c)
{
    Blocchi blocchi;
    for (const Blocco &b : d) {
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
    if (!d && t == 2)
        d = suDueCopie(v, k);
    if (t == 3 && k == 4)
        d = QuadrupleSteiner::costruisci(v);
    if (!d && t == 3)
        d = sfere(v, k);
    if (!d)
        d = diWitt(v, k, t);
    if (d)
        std::sort(d->begin(), d->end());
    return d;
}
