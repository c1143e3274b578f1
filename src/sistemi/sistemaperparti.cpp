#include "sistemaperparti.h"

#include "sistemi/limiteinferiore.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;

} // namespace

std::uint64_t SistemaPerParti::stima(int m, int k, int v)
{
    if (m <= k)
        return 1;
    if (k == v)
        return combinazioni::binomiale(m, v);
    return LimiteInferiore::schoenheim(m, k, v);
}

std::vector<SistemaPerParti::Parte>
SistemaPerParti::scegli(int n, int k, int p, int v,
                        const std::function<std::uint64_t(int m)> &costo)
{
    if (p <= v || n <= k)
        return {};
    // costo[m][q]: the fewest tickets for m numbers, guarantee v se q, as one part (q = v, or
    // fewer numbers than q: nothing to guarantee) or split in two, q1 + q2 = q + 1.
    struct Scelta
    {
        std::uint64_t costo = kNessuno;
        int numeri = 0, se = 0; // the first part of a split; 0: not split
    };
    std::vector<std::vector<Scelta>> t(std::size_t(n + 1), std::vector<Scelta>(std::size_t(p + 1)));
    for (int m = 0; m <= n; ++m) {
        for (int q = v; q <= p; ++q) {
            Scelta &c = t[std::size_t(m)][std::size_t(q)];
            if (m < q)
                c.costo = 0;
            else if (m <= k || (q == v && !costo))
                c.costo = stima(m, k, v);
            else if (q == v)
                c.costo = costo(m);
            for (int a = 1; a < m; ++a) {
                for (int q1 = v; q + 1 - q1 >= v; ++q1) {
                    const std::uint64_t somma =
                        t[std::size_t(a)][std::size_t(q1)].costo +
                        t[std::size_t(m - a)][std::size_t(q + 1 - q1)].costo;
                    if (somma < c.costo)
                        c = {somma, a, q1};
                }
            }
        }
    }
    if (t[std::size_t(n)][std::size_t(p)].costo >= kNessuno)
        return {};
    std::vector<Parte> parti;
    std::vector<std::pair<int, int>> daFare{{n, p}};
    while (!daFare.empty()) {
        const auto [m, q] = daFare.back();
        daFare.pop_back();
        const Scelta &c = t[std::size_t(m)][std::size_t(q)];
        if (c.numeri == 0) {
            parti.push_back({m, q});
        } else {
            daFare.emplace_back(m - c.numeri, q + 1 - c.se);
            daFare.emplace_back(c.numeri, c.se);
        }
    }
    return parti.size() > 1 ? parti : std::vector<Parte>{};
}

std::vector<SistemaPerParti::Parte> SistemaPerParti::pari(const std::vector<Parte> &parti, int k)
{
    std::vector<Parte> pari = parti;
    std::map<int, std::pair<int, int>> gruppi; // se: the numbers, the parts
    for (const Parte &parte : parti) {
        if (parte.numeri > k) {
            gruppi[parte.se].first += parte.numeri;
            ++gruppi[parte.se].second;
        }
    }
    std::map<int, int> date; // se: the parts given their numbers so far
    for (Parte &parte : pari) {
        if (parte.numeri <= k)
            continue;
        const auto [numeri, quante] = gruppi[parte.se];
        const int i = date[parte.se]++;
        parte.numeri = numeri / quante + (i < numeri % quante ? 1 : 0);
    }
    return pari;
}

Blocchi SistemaPerParti::unisci(int n, int k, const std::vector<Parte> &parti,
                                const std::function<Blocchi(int numeri)> &costruisci)
{
    std::map<int, Blocchi> fatti; // parts of the same size share their tickets
    Blocchi tutti;
    int inizio = 0;
    for (const Parte &parte : parti) {
        Blocchi propri;
        if (parte.numeri <= k && parte.numeri >= parte.se) {
            Blocco b;
            for (int x = 0; x < parte.numeri; ++x)
                b.push_back(std::uint8_t(x));
            propri.push_back(b);
        } else if (parte.numeri >= parte.se) {
            auto trovato = fatti.find(parte.numeri);
            if (trovato == fatti.end())
                trovato = fatti.emplace(parte.numeri, costruisci(parte.numeri)).first;
            propri = trovato->second;
        }
        for (Blocco b : propri) {
            for (std::uint8_t &x : b)
                x = std::uint8_t(x + inizio);
            for (int x = 0; int(b.size()) < k && x < n; ++x) {
                if (std::find(b.begin(), b.end(), x) == b.end())
                    b.push_back(std::uint8_t(x));
            }
            std::sort(b.begin(), b.end());
            tutti.push_back(std::move(b));
        }
        inizio += parte.numeri;
    }
    std::sort(tutti.begin(), tutti.end());
    tutti.erase(std::unique(tutti.begin(), tutti.end()), tutti.end());
    return tutti;
}
