#include "sistemaridotto.h"

#include "engine/combinazioni.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace {

using combinazioni::binomiale;
using combinazioni::kMassimoK;
using combinazioni::kMassimoN;

// Subsets are numbered in colexicographic order: {c1 < c2 < ...} is sum C(ci, i).
template <typename Elements>
std::uint32_t rank(const Elements &sorted, int size)
{
    std::uint64_t r = 0;
    for (int i = 0; i < size; ++i)
        r += binomiale(sorted[i], i + 1);
    return static_cast<std::uint32_t>(r);
}

std::array<std::uint8_t, kMassimoK> unrank(std::uint32_t r, int size)
{
    std::array<std::uint8_t, kMassimoK> subset{};
    int c = kMassimoN;
    for (int i = size; i >= 1; --i) {
        while (binomiale(c, i) > r)
            --c;
        subset[i - 1] = static_cast<std::uint8_t>(c);
        r -= static_cast<std::uint32_t>(binomiale(c, i));
    }
    return subset;
}

// Plain 64-bit generator (splitmix64): the same sequence on every platform.
class Generatore
{
public:
    std::uint64_t next()
    {
        std::uint64_t z = (m_stato += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return static_cast<std::size_t>(next() % bound); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t m_stato = 0x5A77F1A0;
};

using Blocco = SistemaRidotto::Blocco;

// The search state: for each p-subset (a target), how many tickets cover it, and the list of
// those no ticket covers.
class Copertura
{
public:
    explicit Copertura(const SistemaRidotto::Parametri &s)
        : m_s(s), m_conta(binomiale(s.n, s.p), 0), m_posizione(m_conta.size())
    {
        m_scoperti.reserve(m_conta.size());
        for (std::uint32_t t = 0; t < m_conta.size(); ++t) {
            m_posizione[t] = t;
            m_scoperti.push_back(t);
        }
    }

    std::size_t scoperti() const { return m_scoperti.size(); }
    std::uint32_t scoperto(std::size_t i) const { return m_scoperti[i]; }
    bool coperto(std::uint32_t t) const { return m_conta[t] > 0; }
    std::uint64_t lavoro() const { return m_lavoro; }
    void lavora(std::uint64_t passi) { m_lavoro += passi; }

    void aggiungi(const Blocco &b)
    {
        perOgniCoperto(b, [&](std::uint32_t t) {
            if (m_conta[t]++ == 0)
                togliScoperto(t);
        });
    }
    void togli(const Blocco &b)
    {
        perOgniCoperto(b, [&](std::uint32_t t) {
            if (--m_conta[t] == 0)
                aggiungiScoperto(t);
        });
    }
    // Targets only this ticket covers.
    std::size_t soloDa(const Blocco &b)
    {
        std::size_t solo = 0;
        perOgniCoperto(b, [&](std::uint32_t t) { solo += m_conta[t] == 1; });
        return solo;
    }

private:
    // Every target holding at least v of the ticket's numbers: j of them, p - j of the others.
    template <typename Visit>
    void perOgniCoperto(const Blocco &b, Visit &&visit)
    {
        std::array<std::uint8_t, kMassimoN> fuori{};
        int nFuori = 0;
        for (int x = 0, i = 0; x < m_s.n; ++x) {
            if (i < m_s.k && b[i] == x)
                ++i;
            else
                fuori[nFuori++] = static_cast<std::uint8_t>(x);
        }
        for (int j = std::max(m_s.v, m_s.p - nFuori); j <= std::min(m_s.k, m_s.p); ++j) {
            combinazioni::perOgni(j, m_s.k, [&](const auto &dentro) {
                combinazioni::perOgni(m_s.p - j, nFuori, [&](const auto &altri) {
                    std::array<std::uint8_t, 5> t{};
                    int a = 0, c = 0;
                    for (int i = 0; i < m_s.p; ++i) {
                        const bool fromBlock =
                            c >= m_s.p - j || (a < j && b[dentro[a]] < fuori[altri[c]]);
                        t[i] = fromBlock ? b[dentro[a++]] : fuori[altri[c++]];
                    }
                    ++m_lavoro;
                    visit(rank(t, m_s.p));
                });
            });
        }
    }
    void togliScoperto(std::uint32_t t)
    {
        const std::uint32_t last = m_scoperti.back();
        m_scoperti[m_posizione[t]] = last;
        m_posizione[last] = m_posizione[t];
        m_scoperti.pop_back();
    }
    void aggiungiScoperto(std::uint32_t t)
    {
        m_posizione[t] = static_cast<std::uint32_t>(m_scoperti.size());
        m_scoperti.push_back(t);
    }

    SistemaRidotto::Parametri m_s;
    std::vector<std::uint32_t> m_conta;
    std::vector<std::uint32_t> m_scoperti;
    std::vector<std::uint32_t> m_posizione;
    std::uint64_t m_lavoro = 0;
};

// A ticket for the first uncovered target t: its numbers (the first k when it has more), then
// the numbers of the next uncovered targets, then the smallest numbers left.
Blocco bloccoPer(const SistemaRidotto::Parametri &s, const Copertura &c, std::uint32_t t,
                 std::uint32_t totale)
{
    std::array<bool, kMassimoN> preso{};
    int presi = 0;
    auto prendi = [&](int x) {
        if (presi < s.k && !preso[x]) {
            preso[x] = true;
            ++presi;
        }
    };
    for (std::uint32_t u = t, visti = 0; u < totale && presi < s.k && visti < 64; ++u) {
        if (c.coperto(u))
            continue;
        ++visti;
        const auto numeri = unrank(u, s.p);
        for (int i = 0; i < s.p; ++i)
            prendi(numeri[i]);
    }
    for (int x = 0; x < s.n; ++x)
        prendi(x);
    Blocco b;
    for (int x = 0; x < s.n; ++x) {
        if (preso[x])
            b.push_back(static_cast<std::uint8_t>(x));
    }
    return b;
}

std::vector<Blocco> greedy(const SistemaRidotto::Parametri &s, Copertura &c)
{
    std::vector<Blocco> blocchi;
    const auto totale = static_cast<std::uint32_t>(binomiale(s.n, s.p));
    for (std::uint32_t t = 0; t < totale; ++t) {
        if (c.coperto(t))
            continue;
        blocchi.push_back(bloccoPer(s, c, t, totale));
        c.aggiungi(blocchi.back());
    }
    // Tickets whose every target another ticket also covers are dropped, the latest first.
    for (std::size_t i = blocchi.size(); i-- > 0;) {
        if (c.soloDa(blocchi[i]) == 0) {
            c.togli(blocchi[i]);
            blocchi.erase(blocchi.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return blocchi;
}

// One ticket changed by one number so that it covers the uncovered target u: a ticket that
// already holds v - 1 of u's numbers if there is one, else one holding the most.
struct Mossa
{
    std::size_t blocco;
    Blocco nuovo;
};

Mossa mossaPer(const SistemaRidotto::Parametri &s, const std::vector<Blocco> &blocchi,
               std::uint32_t u, Generatore &g)
{
    const auto target = unrank(u, s.p);
    std::vector<std::size_t> candidati;
    int migliore = -1;
    for (std::size_t i = 0; i < blocchi.size(); ++i) {
        const int in = static_cast<int>(
            std::count_if(target.begin(), target.begin() + s.p, [&](std::uint8_t x) {
                return std::binary_search(blocchi[i].begin(), blocchi[i].end(), x);
            }));
        const int valore = std::min(in, s.v - 1);
        if (in >= s.v || valore < migliore)
            continue;
        if (valore > migliore)
            candidati.clear();
        migliore = valore;
        candidati.push_back(i);
    }
    const std::size_t i = candidati[g.below(candidati.size())];
    Blocco b = blocchi[i];
    std::vector<std::uint8_t> fuori, dentro;
    for (int j = 0; j < s.p; ++j)
        (std::binary_search(b.begin(), b.end(), target[j]) ? dentro : fuori).push_back(target[j]);
    std::vector<std::uint8_t> via;
    for (std::uint8_t x : b) {
        if (std::find(dentro.begin(), dentro.end(), x) == dentro.end())
            via.push_back(x);
    }
    *std::find(b.begin(), b.end(), via[g.below(via.size())]) = fuori[g.below(fuori.size())];
    std::sort(b.begin(), b.end());
    return {i, b};
}

// Simulated annealing on a fixed number of tickets, to leave no target uncovered.
bool anneal(const SistemaRidotto::Parametri &s, Copertura &c, std::vector<Blocco> &blocchi,
            Generatore &g, std::uint64_t limite)
{
    double temperatura = 0.6;
    while (c.scoperti() > 0 && c.lavoro() < limite) {
        const std::uint32_t u = c.scoperto(g.below(c.scoperti()));
        Mossa m = mossaPer(s, blocchi, u, g);
        c.lavora(blocchi.size());
        const auto prima = static_cast<double>(c.scoperti());
        c.togli(blocchi[m.blocco]);
        c.aggiungi(m.nuovo);
        const double delta = static_cast<double>(c.scoperti()) - prima;
        if (delta <= 0 || g.unit() < std::exp(-delta / temperatura)) {
            blocchi[m.blocco] = std::move(m.nuovo);
        } else {
            c.togli(m.nuovo);
            c.aggiungi(blocchi[m.blocco]);
        }
        temperatura = std::max(0.05, temperatura * 0.9995);
    }
    return c.scoperti() == 0;
}

// Fewer tickets, one at a time: the ticket whose loss uncovers least goes, and the annealing
// tries to cover again with the rest, within a fixed amount of work.
void riduci(const SistemaRidotto::Parametri &s, Copertura &c, std::vector<Blocco> &blocchi)
{
    constexpr std::uint64_t kLavoroMassimo = 40'000'000;
    // A small system needs few tries to show it cannot lose another ticket.
    const std::uint64_t lavoroPerTentativo =
        std::clamp<std::uint64_t>(binomiale(s.n, s.p) * 256, 200'000, 2'000'000);
    Generatore g;
    while (blocchi.size() > 1 && c.lavoro() < kLavoroMassimo) {
        const std::vector<Blocco> valido = blocchi;
        c.lavora(blocchi.size());
        std::size_t via = 0, minimo = std::numeric_limits<std::size_t>::max();
        for (std::size_t i = 0; i < blocchi.size(); ++i) {
            if (const std::size_t solo = c.soloDa(blocchi[i]); solo < minimo)
                std::tie(via, minimo) = std::pair(i, solo);
        }
        c.togli(blocchi[via]);
        blocchi.erase(blocchi.begin() + static_cast<std::ptrdiff_t>(via));
        if (anneal(s, c, blocchi, g, std::min(kLavoroMassimo, c.lavoro() + lavoroPerTentativo)))
            continue;
        for (const Blocco &b : blocchi)
            c.togli(b);
        blocchi = valido;
        for (const Blocco &b : blocchi)
            c.aggiungi(b);
        return;
    }
}

} // namespace

int SistemaRidotto::massimoNumeri(int p)
{
    return p <= 3 ? 90 : p == 4 ? 60 : 40;
}

std::vector<SistemaRidotto::Blocco> SistemaRidotto::costruisci(const Parametri &parametri)
{
    Copertura c(parametri);
    std::vector<Blocco> blocchi = greedy(parametri, c);
    riduci(parametri, c, blocchi);
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
                sub[i] = b[idx[i]];
            tenuto[rank(sub, s.v)] = true;
        });
    }
    bool garantito = true;
    combinazioni::perOgni(s.p, s.n, [&](const auto &estratti) {
        bool trovato = false;
        combinazioni::perOgni(s.v, s.p, [&](const auto &idx) {
            std::array<int, 5> sub{};
            for (int i = 0; i < s.v; ++i)
                sub[i] = estratti[idx[i]];
            trovato = trovato || tenuto[rank(sub, s.v)];
        });
        garantito = garantito && trovato;
    });
    return garantito;
}
