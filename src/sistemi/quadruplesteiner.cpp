#include "quadruplesteiner.h"

#include "sistemi/geometriafinita.h"
#include "sistemi/quadruplecicliche.h"
#include "sistemi/quadruplehanani.h"

#include <algorithm>
#include <bit>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

// The round-robin one-factorisation of K_v, v even: factor f pairs v - 1 with f and f - j with
// f + j modulo v - 1.
std::vector<std::vector<std::pair<int, int>>> fattorizzazione(int v)
{
    const int m = v - 1;
    std::vector<std::vector<std::pair<int, int>>> fattori(static_cast<std::size_t>(m));
    for (int f = 0; f < m; ++f) {
        fattori[static_cast<std::size_t>(f)].emplace_back(f, m);
        for (int j = 1; j <= (m - 1) / 2; ++j)
            fattori[static_cast<std::size_t>(f)].emplace_back((f - j + m) % m, (f + j) % m);
    }
    return fattori;
}

// Two copies of a system on v points, then {a, b, c', d'} for every two pairs ab and cd of the
// same factor: a triple across the copies has its pair on one side in one factor only.
Blocchi raddoppia(const Blocchi &sistema, int v)
{
    Blocchi doppio = sistema;
    for (const Blocco &b : sistema) {
        Blocco copia;
        for (std::uint8_t x : b)
            copia.push_back(static_cast<std::uint8_t>(x + v));
        doppio.push_back(copia);
    }
    for (const auto &fattore : fattorizzazione(v)) {
        for (const auto &[a, b] : fattore)
            for (const auto &[c, d] : fattore) {
                Blocco q{static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b),
                         static_cast<std::uint8_t>(c + v), static_cast<std::uint8_t>(d + v)};
                std::sort(q.begin(), q.end());
                doppio.push_back(q);
            }
    }
    return doppio;
}

} // namespace

std::optional<Blocchi> QuadrupleSteiner::costruisci(int v)
{
    std::optional<Blocchi> sistema;
    if (v >= 4 && std::has_single_bit(static_cast<unsigned>(v)))
        sistema = GeometriaFinita::pianiBinari(std::countr_zero(static_cast<unsigned>(v)));
    else if (v == 10)
        sistema = GeometriaFinita::cerchiInversivi(3);
    else if (auto meta = v % 2 == 0 && v > 10 ? costruisci(v / 2) : std::nullopt)
        sistema = raddoppia(*meta, v / 2);
    else
        sistema = QuadrupleCicliche::costruisci(v);
    if (!sistema)
        sistema = QuadrupleHanani::costruisci(v, costruisci);
    if (sistema)
        std::sort(sistema->begin(), sistema->end());
    return sistema;
}
