#include "sistemaridotto.h"

#include "sistemi/disegnidivisibili.h"
#include "sistemi/disegninoti.h"
#include "sistemi/disegnitrasversali.h"
#include "sistemi/limiteinferiore.h"
#include "sistemi/ricercalocale.h"
#include "sistemi/sistemaperparti.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>
#include <map>
#include <optional>
#include <set>

namespace {

using combinazioni::binomiale;
using combinazioni::Blocchi;
using combinazioni::Blocco;

// How far the designs on other counts of numbers are looked for, as starts of the search.
constexpr int kDistanzaVicini = 6;

// How many numbers more a design may have to be cut down to the system's: for pairs twice as
// many, as their designs are quick to build and stay near the bound when cut (the plane of order
// 9 cut down to 84 numbers in decine gives 88 tickets, to 80 gives 84, where the search alone gave
// 105 and 96); for larger guarantees their building took CPU from the search.
int distanzaSopra(int v)
{
    return v == 2 ? 2 * kDistanzaVicini : kDistanzaVicini;
}

// The share of the work the systems on the parts of a split get, together, in fifths: the best
// systems known of that kind are such splits, which the search on the whole seldom improves.
constexpr std::uint64_t kQuintiParti = 4;

// A design on more numbers than the system's, the numbers past the system's taken away: what is
// left of a ticket that lost some goes with others as short into one ticket where they fit
// (largest first, into the first with room), and a ticket still short is filled with the
// smallest numbers it lacks. What is left with fewer than v numbers wins on nothing and goes.
Blocchi ristretto(const Blocchi &disegno, int n, int k, int v)
{
    Blocchi blocchi, corti;
    for (const Blocco &b : disegno) {
        Blocco resto;
        std::copy_if(b.begin(), b.end(), std::back_inserter(resto),
                     [&](std::uint8_t x) { return x < n; });
        if (static_cast<int>(resto.size()) == k)
            blocchi.push_back(std::move(resto));
        else if (static_cast<int>(resto.size()) >= v)
            corti.push_back(std::move(resto));
    }
    std::stable_sort(corti.begin(), corti.end(),
                     [](const Blocco &a, const Blocco &b) { return a.size() > b.size(); });
    const std::size_t pieni = blocchi.size();
    for (const Blocco &c : corti) {
        auto posto = std::find_if(blocchi.begin() + static_cast<std::ptrdiff_t>(pieni),
                                  blocchi.end(), [&](const Blocco &b) {
                                      return static_cast<int>(b.size() + c.size()) <= k &&
                                             std::none_of(c.begin(), c.end(), [&](std::uint8_t x) {
                                                 return std::find(b.begin(), b.end(), x) != b.end();
                                             });
                                  });
        if (posto == blocchi.end())
            blocchi.push_back(c);
        else
            posto->insert(posto->end(), c.begin(), c.end());
    }
    for (Blocco &b : blocchi) {
        for (int x = 0; static_cast<int>(b.size()) < k; ++x) {
            if (std::find(b.begin(), b.end(), x) == b.end())
                b.push_back(static_cast<std::uint8_t>(x));
        }
        std::sort(b.begin(), b.end());
    }
    std::sort(blocchi.begin(), blocchi.end());
    blocchi.erase(std::unique(blocchi.begin(), blocchi.end()), blocchi.end());
    return blocchi;
}

// Every v-subset of the numbers: the only system when a ticket holds v.
Blocchi tutte(int n, int v)
{
    Blocchi blocchi;
    combinazioni::perOgni(v, n, [&](const auto &indice) {
        blocchi.emplace_back(indice.begin(), indice.begin() + v);
    });
    return blocchi;
}

// The greedy from nothing, the design for v of a guarantee drawn among more, and for a
// guarantee on every draw the designs on a few numbers more (cut down) or fewer (completed):
// the smallest valid one. Past the CPU limit only the greedy is left.
Blocchi partenza(const SistemaRidotto::Parametri &s, const RicercaLocale &ricerca, double scadenza)
{
    Blocchi migliore = ricerca.completa({});
    auto prova = [&](const Blocchi &iniziali) {
        if (Blocchi b = ricerca.completa(iniziali); b.size() < migliore.size())
            migliore = std::move(b);
    };
    for (int w = s.n - kDistanzaVicini; w <= s.n + distanzaSopra(s.v); ++w) {
        // With the guarantee on every draw the design on the system's own numbers was looked
        // for already, and a search for one can be long.
        if (w <= s.k || (w == s.n && s.p == s.v) || (w != s.n && s.p > s.v) ||
            RicercaLocale::tempoCpu() > scadenza)
            continue;
        if (const auto d = DisegniNoti::costruisci(w, s.k, s.v))
            prova(w > s.n ? ristretto(*d, s.n, s.k, s.v) : *d);
    }
    return migliore;
}

// fatto: the search's work done, added to.
Blocchi costruisciEntro(const SistemaRidotto::Parametri &s, std::uint64_t lavoro,
                        const SistemaRidotto::Progresso &progresso, double scadenza,
                        std::uint64_t &fatto)
{
    if (s.p == s.v) {
        if (s.k == s.v && s.n > s.k)
            return tutte(s.n, s.v);
        if (auto d = DisegniNoti::costruisci(s.n, s.k, s.v))
            return *d;
    }
    const double inizio = RicercaLocale::tempoCpu();
    // Where the guarantee is on fewer numbers than drawn, the systems on the parts of the split
    // the estimate calls best and on the same split evened out (the estimate is no more than a
    // bound), each size with its share of the work and of the time: the smaller union.
    Blocchi perParti;
    std::uint64_t lavoroPrima = 0; // the parts' or the groups' systems', before the search
    if (const auto parti = SistemaPerParti::scegli(s.n, s.k, s.p, s.v); !parti.empty()) {
        std::vector<std::vector<SistemaPerParti::Parte>> scelte{parti};
        if (auto pari = SistemaPerParti::pari(parti, s.k); pari != parti)
            scelte.push_back(std::move(pari));
        std::set<int> misure;
        for (const auto &scelta : scelte)
            for (const auto &parte : scelta)
                misure.insert(parte.numeri);
        const auto diverse = static_cast<std::uint64_t>(misure.size());
        const std::uint64_t quota = lavoro / 5 * kQuintiParti / diverse;
        const double tempo = (scadenza - inizio) / 5 * kQuintiParti / static_cast<double>(diverse);
        std::map<int, Blocchi> fatti;
        for (const auto &scelta : scelte) {
            Blocchi unione = SistemaPerParti::unisci(s.n, s.k, scelta, [&](int m) {
                auto trovato = fatti.find(m);
                if (trovato == fatti.end())
                    trovato = fatti
                                  .emplace(m, costruisciEntro({m, s.k, s.v, s.v}, quota, {},
                                                              RicercaLocale::tempoCpu() + tempo,
                                                              lavoroPrima))
                                  .first;
                return trovato->second;
            });
            if (perParti.empty() || unione.size() < perParti.size())
                perParti = std::move(unione);
        }
        // The split the designs at hand reach, on the parts' own numbers or on a few more cut
        // down, costed by their tickets: no search, and the best of the lotto designs known
        // are such splits (90 in decine, ambo se 3: 42 and 48 numbers, 21 + 30 tickets).
        std::map<int, std::optional<Blocchi>> disegni;
        std::map<int, Blocchi> diretti;
        const auto diretto = [&](int m) -> const Blocchi * {
            if (auto trovato = diretti.find(m); trovato != diretti.end())
                return trovato->second.empty() ? nullptr : &trovato->second;
            Blocchi &migliore = diretti[m];
            for (int w = m; w <= m + distanzaSopra(s.v); ++w) {
                auto d = disegni.find(w);
                if (d == disegni.end())
                    d = disegni.emplace(w, DisegniNoti::costruisci(w, s.k, s.v)).first;
                if (!d->second)
                    continue;
                Blocchi b = w > m ? ristretto(*d->second, m, s.k, s.v) : *d->second;
                if (migliore.empty() || b.size() < migliore.size())
                    migliore = std::move(b);
            }
            return migliore.empty() ? nullptr : &migliore;
        };
        const auto costo = [&](int m) {
            const Blocchi *b = diretto(m);
            return b ? std::uint64_t(b->size()) : SistemaPerParti::kNessuno;
        };
        if (const auto noti = SistemaPerParti::scegli(s.n, s.k, s.p, s.v, costo); !noti.empty()) {
            Blocchi unione =
                SistemaPerParti::unisci(s.n, s.k, noti, [&](int m) { return *diretto(m); });
            if (unione.size() < perParti.size())
                perParti = std::move(unione);
        }
    }
    // For every pair, the transversal and the divisible designs with their groups filled where
    // they come near the bound: the groups' systems get a fifth of the work and of the time.
    std::vector<Blocchi> riempiti;
    if (s.p == 2 && s.v == 2) {
        const auto q = DisegniTrasversali::ordine(s.n, s.k);
        const auto g = DisegniDivisibili::gruppo(s.n, s.k);
        const double tempo = (scadenza - inizio) / 5 / (q && g ? 2 : 1);
        const std::uint64_t quota = lavoro / 5 / (q && g ? 2 : 1);
        if (q) {
            const Blocchi gruppo = costruisciEntro({*q + s.n - s.k * *q, s.k, 2, 2}, quota, {},
                                                   RicercaLocale::tempoCpu() + tempo, lavoroPrima);
            riempiti.push_back(DisegniTrasversali::riempito(s.n, s.k, *q, gruppo));
        }
        if (g) {
            const Blocchi gruppo = costruisciEntro({*g, s.k, 2, 2}, quota, {},
                                                   RicercaLocale::tempoCpu() + tempo, lavoroPrima);
            if (auto d = DisegniDivisibili::riempito(s.n, s.k, *g, gruppo))
                riempiti.push_back(std::move(*d));
        }
        // Every number twice: a known system on half the numbers in tickets of half as many.
        // 30 in cinquine (48 tickets) gives 60 in decine.
        if (s.n % 2 == 0 && s.k % 2 == 0 && s.k >= 6) {
            if (const auto d = DisegniNoti::costruisci(s.n / 2, s.k / 2, 2))
                riempiti.push_back(DisegniNoti::copie(*d, s.n / 2, 2));
        }
    }
    RicercaLocale ricerca(
        {s.n, s.k, s.p, s.v}, lavoro - std::min(lavoro, lavoroPrima),
        [&](std::size_t schedine, std::uint64_t cercato) {
            if (progresso)
                progresso(schedine, static_cast<double>(cercato + lavoroPrima) /
                                        static_cast<double>(std::max<std::uint64_t>(lavoro, 1)));
        },
        scadenza);
    // The union beat the greedy on every system measured, and the greedy on all the draws of
    // many numbers is the slowest part of the start.
    Blocchi migliore =
        perParti.empty() ? partenza(s, ricerca, scadenza) : ricerca.completa(perParti);
    for (const Blocchi &riempito : riempiti) {
        if (Blocchi b = ricerca.completa(riempito); b.size() < migliore.size())
            migliore = std::move(b);
    }
    Blocchi blocchi =
        ricerca.riduci(std::move(migliore), LimiteInferiore::migliore(s.n, s.k, s.p, s.v));
    fatto += lavoroPrima + ricerca.lavoroFatto();
    std::sort(blocchi.begin(), blocchi.end());
    return blocchi;
}

} // namespace

int SistemaRidotto::massimoNumeri(int p)
{
    return p <= 3 ? 90 : p == 4 ? 60 : 40;
}

std::vector<SistemaRidotto::Blocco> SistemaRidotto::costruisci(const Parametri &s,
                                                               std::uint64_t lavoro,
                                                               const Progresso &progresso,
                                                               double secondi)
{
    const double scadenza =
        secondi > 0 ? RicercaLocale::tempoCpu() + secondi : std::numeric_limits<double>::infinity();
    std::uint64_t fatto = 0;
    return costruisciEntro(s, lavoro, progresso, scadenza, fatto);
}

bool SistemaRidotto::verifica(const Parametri &s, const std::vector<Blocco> &blocchi)
{
    // Every v-subset some ticket holds, then each p-subset looked for among its v-subsets.
    std::vector<bool> tenuto(binomiale(s.n, s.v), false);
    for (const Blocco &b : blocchi) {
        combinazioni::perOgni(s.v, static_cast<int>(b.size()), [&](const auto &indice) {
            std::array<std::uint8_t, 5> parziale{};
            for (int i = 0; i < s.v; ++i)
                parziale[std::size_t(i)] = b[std::size_t(indice[std::size_t(i)])];
            tenuto[combinazioni::rango(parziale, s.v)] = true;
        });
    }
    bool garantito = true;
    combinazioni::perOgni(s.p, s.n, [&](const auto &estratti) {
        bool trovato = false;
        combinazioni::perOgni(s.v, s.p, [&](const auto &indice) {
            std::array<int, 5> parziale{};
            for (int i = 0; i < s.v; ++i)
                parziale[std::size_t(i)] = estratti[std::size_t(indice[std::size_t(i)])];
            trovato = trovato || tenuto[combinazioni::rango(parziale, s.v)];
        });
        garantito = garantito && trovato;
    });
    return garantito;
}

std::uint64_t SistemaRidotto::limiteInferiore(const Parametri &s)
{
    return LimiteInferiore::migliore(s.n, s.k, s.p, s.v);
}

std::optional<bool> SistemaRidotto::ottimo(const Parametri &s, std::size_t schedine)
{
    return LimiteInferiore::ottimo(s.n, s.k, s.p, s.v, schedine);
}
