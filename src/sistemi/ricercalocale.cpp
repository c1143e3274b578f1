#include "ricercalocale.h"

#include "sistemi/copertura.h"

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <ctime>

namespace {

using combinazioni::Blocchi;
using combinazioni::Blocco;
using Maschera = std::array<std::uint64_t, 2>;

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
    std::size_t below(std::size_t limite) { return static_cast<std::size_t>(next() % limite); }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    std::uint64_t m_stato = 0x5A77F1A0;
};

// The steady heat of the search from below (terno or more on every draw): hotter and it stays
// far from valid, colder and it sets in the first shape it finds.
constexpr double kDalBasso = 0.6;
// When the search from below ends at this share of the system given or under it, its heat suits
// the system better than the usual, and the rest of the search keeps it.
constexpr double kSoglia = 0.9;

std::uint64_t luby(std::uint64_t i)
{
    std::uint64_t potenza = 1;
    while (potenza * 2 - 1 < i)
        potenza *= 2;
    return potenza * 2 - 1 == i ? potenza : luby(i - potenza + 1);
}

template <typename Numeri>
Maschera maschera(const Numeri &numeri, int quanti)
{
    Maschera m{};
    for (int i = 0; i < quanti; ++i) {
        const int x = numeri[static_cast<std::size_t>(i)];
        m[static_cast<std::size_t>(x / 64)] |= 1ULL << (x % 64);
    }
    return m;
}

bool contiene(const Maschera &m, int x)
{
    return (m[static_cast<std::size_t>(x / 64)] >> (x % 64)) & 1U;
}

// A ticket for the first lost draw t: its numbers, those of the next lost draws, then the
// smallest numbers left.
Blocco bloccoPer(const RicercaLocale::Parametri &s, const Copertura &c, std::uint32_t t)
{
    const auto totale = static_cast<std::uint32_t>(combinazioni::binomiale(s.n, s.p));
    std::array<bool, combinazioni::kMassimoN> preso{};
    int presi = 0;
    auto prendi = [&](int x) {
        if (presi < s.k && !preso[static_cast<std::size_t>(x)]) {
            preso[static_cast<std::size_t>(x)] = true;
            ++presi;
        }
    };
    for (std::uint32_t u = t, visti = 0; u < totale && presi < s.k && visti < 64; ++u) {
        if (c.coperto(u))
            continue;
        ++visti;
        const auto numeri = combinazioni::dalRango(u, s.p);
        for (int i = 0; i < s.p; ++i)
            prendi(numeri[static_cast<std::size_t>(i)]);
    }
    for (int x = 0; x < s.n; ++x)
        prendi(x);
    Blocco b;
    for (int x = 0; x < s.n; ++x) {
        if (preso[static_cast<std::size_t>(x)])
            b.push_back(static_cast<std::uint8_t>(x));
    }
    return b;
}

// When the guarantee is for every draw (p = v): from the first lost draw, the number that
// completes the most lost draws with the ticket's numbers, one at a time.
Blocco bloccoAvido(const RicercaLocale::Parametri &s, const Copertura &c, std::uint32_t t)
{
    const auto primo = combinazioni::dalRango(t, s.p);
    Blocco b(primo.begin(), primo.begin() + s.p);
    while (static_cast<int>(b.size()) < s.k) {
        int migliore = -1, scelto = 0;
        for (int x = 0; x < s.n; ++x) {
            if (std::binary_search(b.begin(), b.end(), x))
                continue;
            int nuovi = 0;
            combinazioni::perOgni(s.v - 1, static_cast<int>(b.size()), [&](const auto &indice) {
                std::array<std::uint8_t, 5> u{};
                int j = 0;
                for (; j < s.v - 1 && b[static_cast<std::size_t>(indice[j])] < x; ++j)
                    u[static_cast<std::size_t>(j)] = b[static_cast<std::size_t>(indice[j])];
                u[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(x);
                for (; j < s.v - 1; ++j)
                    u[static_cast<std::size_t>(j + 1)] = b[static_cast<std::size_t>(indice[j])];
                nuovi += !c.coperto(combinazioni::rango(u, s.v));
            });
            if (nuovi > migliore) {
                migliore = nuovi;
                scelto = x;
            }
        }
        b.insert(std::upper_bound(b.begin(), b.end(), scelto), static_cast<std::uint8_t>(scelto));
    }
    return b;
}

// The system being searched: its tickets, their masks and the coverage they give.
class Stato
{
public:
    Stato(const RicercaLocale::Parametri &s, const Blocchi &blocchi)
        : m_s(s), m_copertura(s.n, s.k, s.p, s.v)
    {
        imposta(blocchi);
    }

    const Blocchi &blocchi() const { return m_blocchi; }
    Copertura &copertura() { return m_copertura; }

    void imposta(const Blocchi &blocchi)
    {
        for (const Blocco &b : m_blocchi)
            m_copertura.togli(b);
        m_blocchi = blocchi;
        m_maschere.clear();
        for (const Blocco &b : m_blocchi) {
            m_copertura.aggiungi(b);
            m_maschere.push_back(maschera(b, m_s.k));
        }
        indicizza();
    }
    void togli(std::size_t i)
    {
        m_copertura.togli(m_blocchi[i]);
        m_blocchi.erase(m_blocchi.begin() + static_cast<std::ptrdiff_t>(i));
        m_maschere.erase(m_maschere.begin() + static_cast<std::ptrdiff_t>(i));
        indicizza();
    }
    // The ticket whose loss leaves the fewest draws lost.
    std::size_t menoUtile()
    {
        std::size_t via = 0, minimo = SIZE_MAX;
        for (std::size_t i = 0; i < m_blocchi.size(); ++i) {
            if (const std::size_t solo = m_copertura.soloDa(m_blocchi[i]); solo < minimo) {
                via = i;
                minimo = solo;
            }
        }
        return via;
    }
    bool ricuoci(Generatore &g, std::uint64_t limite, double scadenza, double calda, double fredda);

private:
    struct Mossa
    {
        std::size_t blocco = 0;
        int via = 0, dentro = 0;
        long delta = 0;
    };
    Mossa mossaPer(std::uint32_t u, Generatore &g);
    void applica(const Mossa &m);
    void indicizza();
    void segna(int x, std::size_t blocco, bool dentro);

    RicercaLocale::Parametri m_s;
    Copertura m_copertura;
    Blocchi m_blocchi;
    std::vector<Maschera> m_maschere;
    // For each number, a bit for each ticket holding it: the tickets with the most of a draw's
    // numbers are found a word (64 tickets) at a time, not a ticket at a time.
    std::size_t m_parole = 0;
    std::vector<std::uint64_t> m_conNumero;
};

void Stato::indicizza()
{
    m_parole = (m_blocchi.size() + 63) / 64;
    m_conNumero.assign(static_cast<std::size_t>(m_s.n) * m_parole, 0);
    for (std::size_t i = 0; i < m_blocchi.size(); ++i)
        for (std::uint8_t x : m_blocchi[i])
            segna(x, i, true);
}

void Stato::segna(int x, std::size_t blocco, bool dentro)
{
    std::uint64_t &parola = m_conNumero[static_cast<std::size_t>(x) * m_parole + blocco / 64];
    const std::uint64_t bit = 1ULL << (blocco % 64);
    parola = dentro ? parola | bit : parola & ~bit;
}

// A few tickets among those holding the most of u's numbers (short of v) each change one
// number for one of u's; the change losing the fewest draws is the move.
Stato::Mossa Stato::mossaPer(std::uint32_t u, Generatore &g)
{
    constexpr int kProve = 3;
    const auto numeri = combinazioni::dalRango(u, m_s.p);
    const Maschera mu = maschera(numeri, m_s.p);
    // Word by word, how many of u's numbers each ticket holds, in three bit planes (at most
    // five): then the tickets holding the most of them, in order; every ticket if none holds any.
    const auto quanti = [&](std::size_t w, int c) {
        std::uint64_t uno = 0, due = 0, quattro = 0;
        for (int i = 0; i < m_s.p; ++i) {
            const std::uint64_t b = m_conNumero[std::size_t(numeri[std::size_t(i)]) * m_parole + w];
            const std::uint64_t riporto = uno & b;
            uno ^= b;
            quattro |= due & riporto;
            due ^= riporto;
        }
        return (c & 1 ? uno : ~uno) & (c & 2 ? due : ~due) & (c & 4 ? quattro : ~quattro);
    };
    int migliore = 0;
    for (int c = m_s.v - 1; c > 0 && migliore == 0; --c)
        for (std::size_t w = 0; w < m_parole && migliore == 0; ++w)
            if (quanti(w, c) != 0)
                migliore = c;
    std::array<std::size_t, kProve> scelti{};
    int visti = 0;
    // Reservoir sampling: each of the best tickets equally likely among the chosen.
    const auto candidato = [&](std::size_t i) {
        if (visti < kProve)
            scelti[static_cast<std::size_t>(visti)] = i;
        else if (const std::size_t j = g.below(static_cast<std::size_t>(visti) + 1); j < kProve)
            scelti[j] = i;
        ++visti;
    };
    for (std::size_t w = 0; w < m_parole && migliore > 0; ++w)
        for (std::uint64_t bits = quanti(w, migliore); bits != 0; bits &= bits - 1)
            candidato(w * 64 + static_cast<std::size_t>(std::countr_zero(bits)));
    for (std::size_t i = 0; i < m_blocchi.size() && migliore == 0; ++i)
        candidato(i);
    m_copertura.lavora(m_parole * static_cast<std::size_t>(m_s.p) / 8 + 8);
    Mossa meglio;
    meglio.delta = LONG_MAX;
    for (int prova = 0; prova < std::min(visti, kProve); ++prova) {
        Mossa m;
        m.blocco = scelti[static_cast<std::size_t>(prova)];
        const Blocco &b = m_blocchi[m.blocco];
        std::array<int, combinazioni::kMassimoK> fuori{}, dentro{};
        int nFuori = 0, nDentro = 0;
        for (std::uint8_t x : b) {
            if (!contiene(mu, x))
                fuori[static_cast<std::size_t>(nFuori++)] = x;
        }
        for (int i = 0; i < m_s.p; ++i) {
            if (!contiene(m_maschere[m.blocco], numeri[static_cast<std::size_t>(i)]))
                dentro[static_cast<std::size_t>(nDentro++)] = numeri[static_cast<std::size_t>(i)];
        }
        m.via = fuori[g.below(static_cast<std::size_t>(nFuori))];
        m.dentro = dentro[g.below(static_cast<std::size_t>(nDentro))];
        m.delta = m_copertura.variazione(b, m.via, m.dentro);
        if (m.delta < meglio.delta)
            meglio = m;
    }
    return meglio;
}

void Stato::applica(const Mossa &m)
{
    Blocco &b = m_blocchi[m.blocco];
    m_copertura.scambia(b, m.via, m.dentro);
    segna(m.via, m.blocco, false);
    segna(m.dentro, m.blocco, true);
    *std::find(b.begin(), b.end(), m.via) = static_cast<std::uint8_t>(m.dentro);
    std::sort(b.begin(), b.end());
    m_maschere[m.blocco] = maschera(b, m_s.k);
}

// Simulated annealing on the tickets there are, until no draw is lost or the work runs out: from
// calda, cooling to fredda.
bool Stato::ricuoci(Generatore &g, std::uint64_t limite, double scadenza, double calda,
                    double fredda)
{
    double temperatura = calda;
    for (std::uint32_t passi = 0; m_copertura.scoperti() > 0 && m_copertura.lavoro() < limite;
         ++passi) {
        if (passi % 1024 == 1023 && RicercaLocale::tempoCpu() > scadenza)
            break;
        const std::uint32_t u = m_copertura.scoperto(g.below(m_copertura.scoperti()));
        const Mossa m = mossaPer(u, g);
        if (m.delta <= 0 || g.unit() < std::exp(-static_cast<double>(m.delta) / temperatura))
            applica(m);
        temperatura = std::max(fredda, temperatura * 0.9995);
    }
    return m_copertura.scoperti() == 0;
}

// k of the n numbers at random.
Blocco casuale(const RicercaLocale::Parametri &s, Generatore &g)
{
    std::array<std::uint8_t, combinazioni::kMassimoN> numeri{};
    for (int x = 0; x < s.n; ++x)
        numeri[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(x);
    for (int i = 0; i < s.k; ++i)
        std::swap(numeri[static_cast<std::size_t>(i)],
                  numeri[static_cast<std::size_t>(i) + g.below(static_cast<std::size_t>(s.n - i))]);
    Blocco b(numeri.begin(), numeri.begin() + s.k);
    std::sort(b.begin(), b.end());
    return b;
}

} // namespace

RicercaLocale::RicercaLocale(const Parametri &s, std::uint64_t lavoroMassimo, Progresso progresso,
                             double scadenza)
    : m_s(s), m_lavoroMassimo(lavoroMassimo), m_progresso(std::move(progresso)),
      m_scadenza(scadenza)
{}

double RicercaLocale::tempoCpu()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

Blocchi RicercaLocale::completa(const Blocchi &iniziali) const
{
    Copertura c(m_s.n, m_s.k, m_s.p, m_s.v);
    Blocchi blocchi = iniziali;
    for (const Blocco &b : blocchi)
        c.aggiungi(b);
    const auto totale = static_cast<std::uint32_t>(combinazioni::binomiale(m_s.n, m_s.p));
    for (std::uint32_t t = 0; t < totale; ++t) {
        if (c.coperto(t))
            continue;
        blocchi.push_back(m_s.p == m_s.v ? bloccoAvido(m_s, c, t) : bloccoPer(m_s, c, t));
        c.aggiungi(blocchi.back());
    }
    // Tickets whose every draw another ticket also wins on go, the latest first.
    for (std::size_t i = blocchi.size(); i-- > 0;) {
        if (c.soloDa(blocchi[i]) == 0) {
            c.togli(blocchi[i]);
            blocchi.erase(blocchi.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    return blocchi;
}

// A ticket goes, the least useful, and the annealing moves numbers until every draw is won on
// again; a try that fails keeps its tickets, and the next starts again from them. The tries'
// lengths follow Luby's sequence (1, 1, 2, 1, 1, 2, 4, ...) of a share of work sized to the
// system, started again after each success.
// With a terno or more on every draw this is first done from below, in a quarter of the work:
// from random tickets, a quarter of the way from the bound up to the system given, at one steady
// heat; what is still lost at the end is won on by the greedy. On large tickets over few numbers
// that finds far smaller systems than taking tickets away from the greedy's, whose shape no move
// undoes (30 in decine, terno se 3: 49 tickets, where that alone reached 67).
// On pairs it only took work from the rest.
// Then down from the smallest valid system, colder with the guarantee on every draw: on the
// systems measured a move there that loses a draw more than it wins mostly leads nowhere. But
// where the search from below did far better, at its heat: 30 in decine, terno se 3, goes on
// from 49 tickets to 48 (at the usual heat, none fewer), 25 in decine from 33 to 30.
Blocchi RicercaLocale::riduci(Blocchi valido, std::uint64_t limite)
{
    const std::uint64_t quota =
        std::clamp<std::uint64_t>(combinazioni::binomiale(m_s.n, m_s.p) * 64, 100'000, 4'000'000);
    Stato stato(m_s, valido);
    const std::uint64_t inizio = stato.copertura().lavoro();
    Generatore g;
    // migliore: the smallest valid system so far (none yet when empty), replaced by each smaller;
    // tentativo: 0 when the state is migliore itself, else the tries made on the state's count.
    // With riscalda, a longer try (it comes after shorter ones failed on the same count of
    // tickets) runs a quarter hotter for each doubling: out of the place where they stuck.
    const auto discendi = [&](Blocchi &migliore, std::uint64_t fine, std::uint64_t tentativo,
                              double calda, double fredda, bool riscalda) {
        while ((migliore.empty() || migliore.size() > std::max<std::uint64_t>(limite, 1)) &&
               stato.copertura().lavoro() < fine && tempoCpu() <= m_scadenza) {
            if (tentativo == 0)
                stato.togli(stato.menoUtile());
            const std::uint64_t lunghezza = luby(++tentativo);
            const double scala = riscalda ? 1 + std::log2(static_cast<double>(lunghezza)) / 4 : 1;
            if (stato.ricuoci(g, std::min(fine, stato.copertura().lavoro() + quota * lunghezza),
                              m_scadenza, calda * scala, fredda * scala)) {
                migliore = stato.blocchi();
                tentativo = 0;
            }
            if (m_progresso && !migliore.empty())
                m_progresso(std::min(migliore.size(), valido.size()),
                            stato.copertura().lavoro() - inizio);
        }
    };
    const bool ogni = m_s.p == m_s.v;
    bool dalBasso = false;
    if (const std::size_t sotto =
            limite + (valido.size() - std::min<std::size_t>(limite, valido.size())) / 4;
        ogni && m_s.v >= 3 && sotto > 0 && sotto < valido.size()) {
        Blocchi casuali;
        for (std::size_t i = 0; i < sotto; ++i)
            casuali.push_back(casuale(m_s, g));
        stato.imposta(casuali);
        Blocchi trovato;
        discendi(trovato, inizio + m_lavoroMassimo / 4, 1, kDalBasso, kDalBasso, false);
        if (trovato.empty())
            trovato = completa(stato.blocchi());
        dalBasso = double(trovato.size()) < kSoglia * double(valido.size());
        if (trovato.size() < valido.size())
            valido = std::move(trovato);
        stato.imposta(valido);
    }
    const double calda = dalBasso ? kDalBasso : ogni ? 0.3 : 0.6;
    const double fredda = dalBasso ? kDalBasso : ogni ? 0.1 : 0.05;
    discendi(valido, inizio + m_lavoroMassimo, 0, calda, fredda, true);
    m_lavoroFatto = stato.copertura().lavoro() - inizio;
    return valido;
}
