#include "valutazione.h"

#include <algorithm>
#include <cmath>

namespace {

struct Fattore
{
    double valore;
    bool esatto; // multiplies the stake as an exact currency value
};

// The payout factor of bet type k (1..5) for n numbers played (1..10), as the game has always
// paid it, including 1.2 for Estratto with five numbers and 476916 for Cinquina with seven.
constexpr Fattore kFattori[10][5] = {
    {{11.2, false}, {}, {}, {}, {}},
    {{5.6, false}, {250, true}, {}, {}, {}},
    {{3.7, false}, {83.7, false}, {4250, true}, {}, {}},
    {{2.8, false}, {41.6, false}, {1062.5, false}, {80000, true}, {}},
    {{1.2, false}, {25, true}, {425, true}, {16000, true}, {1000000, true}},
    {{1.8, false}, {16.6, false}, {212.5, false}, {5333.3, false}, {166666.6, false}},
    {{1.6, false}, {11.9, false}, {121.4, false}, {2285.7, false}, {476916, true}},
    {{1.4, false}, {8.9, false}, {75.8, false}, {1142.8, false}, {17857.1, false}},
    {{1.2, false}, {6.9, false}, {50.59, false}, {634.9, false}, {7936.5, false}},
    {{1.1, false}, {5.5, false}, {35.4, false}, {380.9, false}, {2968.2, false}},
};

// The stake times the factor, as a double.
double prodotto(Currency puntata, const Fattore &fattore)
{
    std::int64_t exact = 0;
    if (fattore.esatto &&
        !__builtin_mul_overflow(puntata.raw(), static_cast<std::int64_t>(fattore.valore), &exact))
        return static_cast<double>(exact) / Currency::kScale;
    // A stake so large that the exact product leaves the currency range is multiplied as a
    // double like the other factors.
    return puntata.toDouble() * fattore.valore;
}

bool vince(std::int16_t n, std::int16_t k, std::int16_t colpi)
{
    // The highest bet type a ticket can win, and Cinquina, need exactly k hits.
    if ((k == n && n >= 2 && n <= 4) || k == 5)
        return colpi == k;
    return colpi >= k;
}

} // namespace

std::int16_t Valutazione::numeriGiocati(const Schedina &s)
{
    return static_cast<std::int16_t>(std::count_if(s.numeri.begin(), s.numeri.begin() + 10,
                                                   [](std::int16_t v) { return v != 0; }));
}

std::int16_t Valutazione::ruoteGiocate(const Schedina &s)
{
    if (s.ruote[lotto::kTutte] == 1)
        return 10;
    return static_cast<std::int16_t>(
        std::count(s.ruote.begin(), s.ruote.begin() + lotto::kTutte + 1, std::int16_t{1}));
}

bool Valutazione::ruotaValutata(const Schedina &s, std::size_t ruota)
{
    return ruoteGiocate(s) == 10 || s.ruote[ruota] == 1;
}

std::int16_t Valutazione::colpi(const Schedina &s, std::int16_t n, const Estrazione &estrazione,
                                std::size_t ruota)
{
    std::int16_t hits = 0;
    for (std::int16_t i = 0; i <= n && i < std::int16_t(s.numeri.size()); ++i) {
        for (std::size_t p = 0; p < Estrazione::kPosizioni; ++p) {
            if (estrazione.numero(ruota, p) == s.numeri[i])
                ++hits;
        }
    }
    return hits;
}

void Valutazione::ContaCombinazioni(std::int16_t n, Combinazioni &combinazioni)
{
    if (n < 1 || n > 10)
        return;
    std::int64_t ways = 1;
    for (std::int16_t k = 1; k <= std::min<std::int16_t>(n, 5); ++k) {
        ways = ways * (n - k + 1) / k;
        combinazioni[k] = static_cast<std::int16_t>(ways);
    }
}

double Valutazione::CalcolaVincita(const Schedina &s, std::int16_t n, std::int16_t colpi,
                                   std::int16_t m, std::size_t ruota,
                                   const Combinazioni &combinazioni, Annunciatore &annunciatore)
{
    double v = 0;
    if (n < 1 || n > 10)
        return v;
    for (std::int16_t k = 1; k <= std::min<std::int16_t>(n, 5); ++k) {
        // With one number the Estratto flag is not looked at.
        const bool played = n == 1 || s.giocate[k - 1] == 1;
        if (!played || !vince(n, k, colpi))
            continue;
        v = prodotto(s.puntate[k - 1], kFattori[n - 1][k - 1]) / m * combinazioni[k];
        annunciatore.annuncia(std::size_t(k - 1), ruota);
    }
    return v;
}

void Valutazione::valuta(const Schedina &s, const Estrazione &estrazione,
                         Combinazioni &combinazioni, Annunciatore &annunciatore,
                         const std::function<void(std::size_t, double)> &paga)
{
    const std::int16_t n = numeriGiocati(s);
    const std::int16_t m = ruoteGiocate(s);
    std::array<std::int16_t, lotto::kRuote> hits{};
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (m == 10 || s.ruote[w] == 1)
            hits[w] = colpi(s, n, estrazione, w);
    }
    ContaCombinazioni(n, combinazioni);
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (hits[w] >= 1)
            paga(w, CalcolaVincita(s, n, hits[w], m, w, combinazioni, annunciatore));
    }
}

double Valutazione::credito(double importo)
{
    return std::floor(importo);
}
