#include "sistemiditerne.h"

#include <algorithm>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

// Point (x, i) of Q x Z3 is number 3x + i.
int punto(int x, int i)
{
    return 3 * x + i % 3;
}

Blocco terna(int a, int b, int c)
{
    Blocco t{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
             static_cast<std::uint8_t>(c)};
    std::sort(t.begin(), t.end());
    return t;
}

// Every pair of Q x Z3 off a column, from a commutative quasigroup of order m on Q.
template <typename Quasigruppo>
void colonneIncrociate(int m, Quasigruppo &&per, Blocchi &terne)
{
    for (int x = 0; x < m; ++x)
        for (int y = x + 1; y < m; ++y)
            for (int i = 0; i < 3; ++i)
                terne.push_back(terna(punto(x, i), punto(y, i), punto(per(x, y), i + 1)));
}

// v = 6n + 3: x o y = (x + y) / 2 modulo 2n + 1 is idempotent, so each column is a triple.
Blocchi bose(int n)
{
    const int m = 2 * n + 1;
    Blocchi terne;
    for (int x = 0; x < m; ++x)
        terne.push_back(terna(punto(x, 0), punto(x, 1), punto(x, 2)));
    colonneIncrociate(
        m, [&](int x, int y) { return (x + y) * (n + 1) % m; }, terne);
    return terne;
}

// v = 6n + 1: the half-idempotent quasigroup of order 2n leaves x and x + n in one class, which
// the point at infinity joins across the columns.
Blocchi skolem(int n)
{
    const int m = 2 * n, infinito = 6 * n;
    Blocchi terne;
    for (int x = 0; x < n; ++x) {
        terne.push_back(terna(punto(x, 0), punto(x, 1), punto(x, 2)));
        for (int i = 0; i < 3; ++i)
            terne.push_back(terna(infinito, punto(x + n, i), punto(x, i + 1)));
    }
    colonneIncrociate(
        m,
        [&](int x, int y) {
            const int s = (x + y) % m;
            return s % 2 == 0 ? s / 2 : (s + m - 1) / 2;
        },
        terne);
    return terne;
}

// v = 6n: Skolem's system on v + 1 without its point at infinity leaves the pairs it joined
// uncovered; each column triple {x, y, z} gives way to {x, y, x'}, {y, z, y'}, {z, x, z'}, x'
// being x's partner, so each point is in one pair covered twice.
Blocchi senzaInfinito(int n)
{
    const int infinito = 6 * n;
    std::vector<int> compagno(static_cast<std::size_t>(infinito));
    Blocchi terne;
    for (const Blocco &t : skolem(n)) {
        if (t[2] == infinito) {
            compagno[t[0]] = t[1];
            compagno[t[1]] = t[0];
        } else if (!(t[0] % 3 == 0 && t[1] == t[0] + 1 && t[2] == t[0] + 2 && t[0] < 3 * n)) {
            terne.push_back(t);
        }
    }
    for (int x = 0; x < n; ++x) {
        const int a = punto(x, 0), b = punto(x, 1), c = punto(x, 2);
        terne.push_back(terna(a, b, compagno[static_cast<std::size_t>(a)]));
        terne.push_back(terna(b, c, compagno[static_cast<std::size_t>(b)]));
        terne.push_back(terna(c, a, compagno[static_cast<std::size_t>(c)]));
    }
    return terne;
}

// v = 6n + 2 or 6n + 4: a Steiner system on v - 1 and the new point with the others in pairs,
// the last one twice.
Blocchi conUnPunto(int v)
{
    Blocchi terne = *SistemiDiTerne::steiner(v - 1);
    for (int x = 0; x < v - 1; x += 2)
        terne.push_back(terna(v - 1, x, x + 1 < v - 1 ? x + 1 : 0));
    return terne;
}

// v = 6n + 5: Bose's quasigroup with its rows and columns swapped in pairs, 2j - 1 with 2j,
// has x o x = x at 0 alone. The pairs it leaves out, (x, i) with (x', i + 1) for x' the partner
// of x, close a hexagon on each two partnered columns, whose alternate sides the two new points
// take in turn. Column 0 and the new points are the one block of five, as four triples whose
// only pair covered again is the new points', three times: Schönheim's bound exactly.
Blocchi conCinque(int n)
{
    const int m = 2 * n + 1, primo = 6 * n + 3, secondo = 6 * n + 4;
    const auto compagno = [](int x) {
        return x == 0 ? 0 : x % 2 == 1 ? x + 1 : x - 1;
    };
    Blocchi terne{terna(0, 1, 2), terna(0, primo, secondo), terna(1, primo, secondo),
                  terna(2, primo, secondo)};
    colonneIncrociate(
        m, [&](int x, int y) { return (compagno(x) + compagno(y)) * (n + 1) % m; }, terne);
    for (int x = 1; x < m; x += 2) {
        for (int i = 0; i < 3; ++i) {
            terne.push_back(terna(primo, punto(x, i), punto(x + 1, i + 1)));
            terne.push_back(terna(secondo, punto(x + 1, i), punto(x, i + 1)));
        }
    }
    return terne;
}

} // namespace

std::optional<Blocchi> SistemiDiTerne::steiner(int v)
{
    Blocchi terne;
    if (v >= 3 && v % 6 == 3)
        terne = bose(v / 6);
    else if (v >= 7 && v % 6 == 1)
        terne = skolem(v / 6);
    else
        return std::nullopt;
    std::sort(terne.begin(), terne.end());
    return terne;
}

std::optional<Blocchi> SistemiDiTerne::coperturaMinima(int v)
{
    if (v < 3)
        return std::nullopt;
    if (v % 6 == 1 || v % 6 == 3)
        return steiner(v);
    Blocchi terne = v % 6 == 0   ? senzaInfinito(v / 6)
                    : v % 6 == 5 ? conCinque(v / 6)
                                 : conUnPunto(v);
    std::sort(terne.begin(), terne.end());
    return terne;
}
