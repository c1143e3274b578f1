#include "sistemaridotto.h"

#include "engine/disegninoti.h"
#include "engine/limiteinferiore.h"
#include "engine/ricercalocale.h"

#include <algorithm>
#include <array>

namespace {

using combinazioni::binomiale;
using combinazioni::Blocchi;
using combinazioni::Blocco;

// How far the designs on other counts of numbers are looked for, as starts of the search.
constexpr int kDistanzaVicini = 6;

// A design on more numbers than the system's: each number past the system's is replaced in its
// tickets by the smallest number the ticket lacks.
Blocchi ristretto(const Blocchi &disegno, int n)
{
    Blocchi blocchi;
    for (Blocco b : disegno) {
        std::array<bool, combinazioni::kMassimoN> dentro{};
        for (std::uint8_t x : b)
            dentro[x] = x < n;
        for (std::uint8_t &x : b) {
            if (x >= n) {
                const auto libero = std::find(dentro.begin(), dentro.begin() + n, false);
                *libero = true;
                x = static_cast<std::uint8_t>(libero - dentro.begin());
            }
        }
        std::sort(b.begin(), b.end());
        blocchi.push_back(std::move(b));
    }
    std::sort(blocchi.begin(), blocchi.end());
    blocchi.erase(std::unique(blocchi.begin(), blocchi.end()), blocchi.end());
    return blocchi;
}

// The greedy from nothing, the design for v of a guarantee drawn among more, and the designs on
// a few numbers more (cut down) or fewer (completed): the smallest valid one.
Blocchi partenza(const SistemaRidotto::Parametri &s, const RicercaLocale &ricerca)
{
    Blocchi migliore = ricerca.completa({});
    auto prova = [&](const Blocchi &iniziali) {
        if (Blocchi b = ricerca.completa(iniziali); b.size() < migliore.size())
            migliore = std::move(b);
    };
    for (int w = s.n - kDistanzaVicini; w <= s.n + kDistanzaVicini; ++w) {
        // With the guarantee on every draw the design on the system's own numbers was looked
        // for already, and a search for one can be long.
        if (w <= s.k || w > combinazioni::kMassimoN || (w == s.n && s.p == s.v))
            continue;
        if (const auto d = DisegniNoti::costruisci(w, s.k, s.v))
            prova(w > s.n ? ristretto(*d, s.n) : *d);
    }
    return migliore;
}

} // namespace

int SistemaRidotto::massimoNumeri(int p)
{
    return p <= 3 ? 90 : p == 4 ? 60 : 40;
}

std::vector<SistemaRidotto::Blocco>
SistemaRidotto::costruisci(const Parametri &s, std::uint64_t lavoro, const Progresso &progresso)
{
    if (s.p == s.v) {
        if (auto d = DisegniNoti::costruisci(s.n, s.k, s.v))
            return *d;
    }
    RicercaLocale ricerca(
        {s.n, s.k, s.p, s.v}, lavoro, [&](std::size_t schedine, std::uint64_t fatto) {
            if (progresso)
                progresso(schedine, static_cast<double>(fatto) / static_cast<double>(lavoro));
        });
    Blocchi blocchi = ricerca.riduci(partenza(s, ricerca), limiteInferiore(s));
    std::sort(blocchi.begin(), blocchi.end());
    return blocchi;
}

bool SistemaRidotto::verifica(const Parametri &s, const std::vector<Blocco> &blocchi)
{
    // Every v-subset some ticket holds, then each p-subset looked for among its v-subsets.
    std::vector<bool> tenuto(binomiale(s.n, s.v), false);
    for (const Blocco &b : blocchi) {
        combinazioni::perOgni(s.v, static_cast<int>(b.size()), [&](const auto &idx) {
            std::array<std::uint8_t, 5> sub{};
            for (int i = 0; i < s.v; ++i)
                sub[std::size_t(i)] = b[std::size_t(idx[std::size_t(i)])];
            tenuto[combinazioni::rango(sub, s.v)] = true;
        });
    }
    bool garantito = true;
    combinazioni::perOgni(s.p, s.n, [&](const auto &estratti) {
        bool trovato = false;
        combinazioni::perOgni(s.v, s.p, [&](const auto &idx) {
            std::array<int, 5> sub{};
            for (int i = 0; i < s.v; ++i)
                sub[std::size_t(i)] = estratti[std::size_t(idx[std::size_t(i)])];
            trovato = trovato || tenuto[combinazioni::rango(sub, s.v)];
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
