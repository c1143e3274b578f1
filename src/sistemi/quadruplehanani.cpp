#include "quadruplehanani.h"

#include <algorithm>
#include <array>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

int modulo(int x, int m)
{
    return (x % m + m) % m;
}

void aggiungi(Blocchi &blocchi, std::initializer_list<int> punti)
{
    Blocco b;
    for (int x : punti)
        b.push_back(static_cast<std::uint8_t>(x));
    std::sort(b.begin(), b.end());
    blocchi.push_back(std::move(b));
}

// The system's points renamed so that its first block is {n - 4, n - 3, n - 2, n - 1}, the
// others numbered from 0 in the order they first appear.
Blocchi rinomina(const Blocchi &sistema, int n)
{
    std::vector<int> nome(static_cast<std::size_t>(n), -1);
    for (std::size_t i = 0; i < 4; ++i)
        nome[sistema.front()[i]] = n - 4 + static_cast<int>(i);
    int dati = 0;
    Blocchi rinominato;
    for (const Blocco &b : sistema) {
        Blocco r;
        for (std::uint8_t x : b) {
            if (nome[x] < 0)
                nome[x] = dati++;
            r.push_back(static_cast<std::uint8_t>(nome[x]));
        }
        std::sort(r.begin(), r.end());
        rinominato.push_back(std::move(r));
    }
    return rinominato;
}

} // namespace

std::vector<std::pair<int, int>> QuadrupleHanani::coppie(int alpha, int m)
{
    std::vector<std::pair<int, int>> p;
    // Below this alpha, the pairs 2a, 2a + 2b + 1 (alpha = 2b) or 2a, 2a - 2b - 1 (2b + 1).
    const int tratti = m % 2 == 0 ? m : m - 1;
    if (alpha < tratti) {
        const int b = alpha / 2;
        for (int a = 0; a < m; ++a)
            p.emplace_back(2 * a,
                           modulo(alpha % 2 == 0 ? 2 * a + 2 * b + 1 : 2 * a - 2 * b - 1, 2 * m));
        return p;
    }
    if (m % 2 == 0) {
        const int y = alpha - m;
        for (int b = 0; b < y; ++b)
            p.emplace_back(b, modulo(2 * y - b, 2 * m));
        for (int c = 2 * y + 1; c < m + y - 1; ++c)
            p.emplace_back(c, modulo(2 * m + 2 * y - c - 2, 2 * m));
        p.emplace_back(y % 2 == 0 ? 2 * m - 2 : 2 * m - 1, y);
        p.emplace_back(y % 2 == 0 ? 2 * m - 1 : 2 * m - 2, m + y - 1);
    } else {
        const int y = alpha - m + 1;
        for (int b = 0; b < y; ++b)
            p.emplace_back(b, 2 * y - b);
        for (int c = 2 * y + 1; c < m + y; ++c)
            p.emplace_back(c, 2 * m + 2 * y - c);
        p.emplace_back(y, m + y);
    }
    return p;
}

// Three copies of the n - 1 points other than the last, A, and a new point: a block through A
// gives the new point with a transversal of its other three, summing to 0 mod 3, and two points
// of one copy with the third in the other two; any other block, every transversal summing to
// 0; two points in two adjacent copies, and a point in all three with the new one.
Blocchi QuadrupleHanani::treMenoDue(const Blocchi &sistema, int n)
{
    const int nuovo = 3 * n - 3;
    auto r = [&](int i, int x) {
        return i % 3 * (n - 1) + x;
    };
    Blocchi blocchi;
    for (const Blocco &s : sistema) {
        const int x = s[0], y = s[1], z = s[2], t = s[3];
        if (t == n - 1) {
            for (int a = 0; a < 3; ++a)
                for (int b = 0; b < 3; ++b)
                    aggiungi(blocchi, {r(a, x), r(b, y), r(modulo(-(a + b), 3), z), nuovo});
            for (int i = 0; i < 3; ++i) {
                aggiungi(blocchi, {r(i, x), r(i, y), r(i + 1, z), r(i + 2, z)});
                aggiungi(blocchi, {r(i, x), r(i, z), r(i + 1, y), r(i + 2, y)});
                aggiungi(blocchi, {r(i, y), r(i, z), r(i + 1, x), r(i + 2, x)});
            }
        } else {
            for (int a = 0; a < 3; ++a)
                for (int b = 0; b < 3; ++b)
                    for (int c = 0; c < 3; ++c)
                        aggiungi(blocchi,
                                 {r(a, x), r(b, y), r(c, z), r(modulo(-(a + b + c), 3), t)});
        }
    }
    for (int j = 0; j < n - 1; ++j) {
        for (int jj = j + 1; jj < n - 1; ++jj)
            for (int i = 0; i < 3; ++i)
                aggiungi(blocchi, {r(i, j), r(i, jj), r(i + 1, j), r(i + 1, jj)});
        aggiungi(blocchi, {r(0, j), r(1, j), r(2, j), nuovo});
    }
    return blocchi;
}

// n = 12k + 14. Three copies of Z_(n-4) and the four points of one block kept once: the other
// blocks on each copy, transversals with each of the four, and the pairs within a copy and
// across two joined by Hanani's pairs.
Blocchi QuadrupleHanani::treMenoOtto(const Blocchi &originale, int n)
{
    const Blocchi sistema = rinomina(originale, n);
    const int m = n - 4, k = (n - 14) / 12;
    auto r = [&](int i, int x) {
        return i % 3 * m + modulo(x, m);
    };
    auto fisso = [&](int x) {
        return x + 2 * m;
    }; // the points n - 4 .. n - 1
    Blocchi blocchi;
    for (const Blocco &s : sistema) {
        if (s[0] >= m) {
            aggiungi(blocchi, {fisso(s[0]), fisso(s[1]), fisso(s[2]), fisso(s[3])});
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            Blocco b;
            for (std::uint8_t x : s)
                b.push_back(static_cast<std::uint8_t>(x < m ? r(i, x) : fisso(x)));
            std::sort(b.begin(), b.end());
            blocchi.push_back(std::move(b));
        }
    }
    for (int a = 0; a < 4; ++a)
        for (int aa = 0; aa < m; ++aa)
            for (int aaa = 0; aaa < m; ++aaa)
                aggiungi(blocchi, {r(0, aa), r(1, aaa), r(2, -(a + aa + aaa)), 3 * m + a});
    for (int i = 0; i < 3; ++i)
        for (int b = 0; b < m; ++b)
            for (int bb = 0; bb < m; ++bb)
                for (int d = 0; d <= 2 * k; ++d)
                    aggiungi(blocchi,
                             {r(i + 2, -(b + bb)), r(i, b + 2 * k + 1 + i * (4 * k + 2) - d),
                              r(i, b + 2 * k + 2 + i * (4 * k + 2) + d), r(i + 1, bb)});
    for (int i = 0; i < 3; ++i)
        for (int alpha = 4 * k + 2; alpha < 12 * k + 9; ++alpha) {
            const auto p = coppie(alpha, 6 * k + 5);
            for (const auto &[ra, sa] : p)
                for (const auto &[raa, saa] : p)
                    aggiungi(blocchi, {r(i, ra), r(i, sa), r(i + 1, raa), r(i + 1, saa)});
        }
    return blocchi;
}

// Twelve copies of the n - 1 points other than the last and two new points: the system on 14
// on each point's twelve copies and the two new points; a block through the last point gives
// Hanani's configuration on its other three, any other block its transversals summing to 0
// mod 12.
Blocchi QuadrupleHanani::dodiciMenoDieci(const Blocchi &sistema, int n, const Blocchi &sistema14)
{
    auto r = [&](int i, int x) {
        return i + modulo(x, 12) * (n - 1);
    };
    const int nuovo = 12 * (n - 1);
    Blocchi blocchi;
    for (const Blocco &s : sistema14)
        for (int i = 0; i < n - 1; ++i) {
            Blocco b;
            for (std::uint8_t x : s)
                b.push_back(static_cast<std::uint8_t>(x < 12 ? r(i, x) : nuovo + x - 12));
            std::sort(b.begin(), b.end());
            blocchi.push_back(std::move(b));
        }
    for (const Blocco &s : sistema) {
        if (s[3] != n - 1) {
            for (int a = 0; a < 12; ++a)
                for (int aa = 0; aa < 12; ++aa)
                    for (int aaa = 0; aaa < 12; ++aaa)
                        aggiungi(blocchi,
                                 {r(s[0], a), r(s[1], aa), r(s[2], aaa), r(s[3], -(a + aa + aaa))});
            continue;
        }
        const std::array<int, 3> uvw{s[0], s[1], s[2]};
        auto d = [&](int i) {
            return uvw[static_cast<std::size_t>(i % 3)];
        };
        for (int b = 0; b < 12; ++b)
            for (int bb = 0; bb < 12; ++bb) {
                const int bbb = -(b + bb);
                for (int h = 0; h < 2; ++h)
                    aggiungi(blocchi, {nuovo + h, r(d(0), b), r(d(1), bb), r(d(2), bbb + 3 * h)});
                for (int i = 0; i < 3; ++i)
                    aggiungi(blocchi, {r(d(i), b + 4 + i), r(d(i), b + 7 + i), r(d(i + 1), bb),
                                       r(d(i + 2), bbb)});
            }
        for (int j = 0; j < 12; ++j)
            for (int e = 0; e < 2; ++e)
                for (int i = 0; i < 3; ++i) {
                    const int a = r(d(i), j), f = 6 * e - 2 * j;
                    aggiungi(blocchi,
                             {a, r(d(i + 1), j + 6 * e), r(d(i + 2), f + 1), r(d(i + 2), f - 1)});
                    aggiungi(blocchi,
                             {a, r(d(i + 1), j + 6 * e), r(d(i + 2), f + 2), r(d(i + 2), f - 2)});
                    aggiungi(blocchi, {a, r(d(i + 1), j + 6 * e - 3), r(d(i + 2), f + 1),
                                       r(d(i + 2), f + 2)});
                    aggiungi(blocchi, {a, r(d(i + 1), j + 6 * e + 3), r(d(i + 2), f - 1),
                                       r(d(i + 2), f - 2)});
                }
        for (int j = 0; j < 6; ++j)
            for (int i = 0; i < 3; ++i)
                for (int e = 0; e < 2; ++e)
                    aggiungi(blocchi, {r(d(i), j), r(d(i), j + 6), r(d(i + 1), j + 3 * e),
                                       r(d(i + 1), j + 6 + 3 * e)});
        for (int j = 0; j < 12; ++j)
            for (int i = 0; i < 3; ++i)
                for (int e = 0; e < 4; ++e)
                    for (int salto : {1, 2, 4})
                        aggiungi(blocchi, {r(d(i), j), r(d(i), j + salto), r(d(i + 1), j + 3 * e),
                                           r(d(i + 1), j + 3 * e + salto)});
        for (int alpha = 4; alpha <= 5; ++alpha) {
            const auto p = coppie(alpha, 6);
            for (const auto &[ra, sa] : p)
                for (const auto &[raa, saa] : p)
                    for (int i = 0; i < 3; ++i)
                        for (int ii = i + 1; ii < 3; ++ii)
                            aggiungi(blocchi,
                                     {r(d(i), ra), r(d(i), sa), r(d(ii), raa), r(d(ii), saa)});
        }
        for (int g = 0; g < 6; ++g)
            for (int e = 0; e < 2; ++e)
                for (int i = 0; i < 3; ++i)
                    for (int ii = 0; ii < 3; ++ii) {
                        if (i == ii)
                            continue;
                        const int a = r(d(i), 2 * g + 3 * e), b = r(d(i), 2 * g + 6 + 3 * e);
                        aggiungi(blocchi, {a, b, r(d(ii), 2 * g + 1), r(d(ii), 2 * g + 5)});
                        aggiungi(blocchi, {a, b, r(d(ii), 2 * g + 2), r(d(ii), 2 * g + 4)});
                    }
    }
    return blocchi;
}

std::optional<combinazioni::Blocchi> QuadrupleHanani::costruisci(
    int v, const std::function<std::optional<combinazioni::Blocchi>(int)> &costruisci)
{
    auto ammissibile = [](int n) {
        return n >= 4 && (n % 6 == 2 || n % 6 == 4);
    };
    if (v % 3 == 1 && ammissibile((v + 2) / 3))
        if (const auto s = costruisci((v + 2) / 3))
            return treMenoDue(*s, (v + 2) / 3);
    if (v % 3 == 1 && (v + 8) / 3 % 12 == 2 && v >= 34)
        if (const auto s = costruisci((v + 8) / 3))
            return treMenoOtto(*s, (v + 8) / 3);
    if (v % 12 == 2 && v > 14 && ammissibile((v + 10) / 12))
        if (const auto s = costruisci((v + 10) / 12), s14 = costruisci(14); s && s14)
            return dodiciMenoDieci(*s, (v + 10) / 12, *s14);
    return std::nullopt;
}
