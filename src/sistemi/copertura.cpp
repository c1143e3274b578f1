#include "copertura.h"

#include <algorithm>
#include <array>

namespace {

using combinazioni::Blocco;
using Bersaglio = std::array<std::uint8_t, 5>;

// The numbers outside the ticket and other than escluso, ascending.
int fuoriDa(const Blocco &b, int n, int escluso, std::array<std::uint8_t, 90> &fuori)
{
    int quanti = 0;
    for (int x = 0, i = 0; x < n; ++x) {
        if (i < static_cast<int>(b.size()) && b[static_cast<std::size_t>(i)] == x)
            ++i;
        else if (x != escluso)
            fuori[static_cast<std::size_t>(quanti++)] = static_cast<std::uint8_t>(x);
    }
    return quanti;
}

// Insertion: at most five numbers, most of them in order already.
std::uint32_t rangoDi(Bersaglio t, int p)
{
    for (std::size_t i = 1; i < static_cast<std::size_t>(p); ++i)
        for (std::size_t j = i; j > 0 && t[j - 1] > t[j]; --j)
            std::swap(t[j - 1], t[j]);
    return combinazioni::rango(t, p);
}

} // namespace

Copertura::Copertura(int n, int k, int p, int v)
    : m_n(n), m_k(k), m_p(p), m_v(v), m_conta(combinazioni::binomiale(n, p), 0),
      m_posizione(m_conta.size())
{
    m_scoperti.reserve(m_conta.size());
    for (std::uint32_t t = 0; t < m_conta.size(); ++t) {
        m_posizione[t] = t;
        m_scoperti.push_back(t);
    }
}

void Copertura::conta(std::uint32_t t, int quanto)
{
    if (quanto > 0 && m_conta[t]++ == 0) {
        const std::uint32_t ultimo = m_scoperti.back();
        m_scoperti[m_posizione[t]] = ultimo;
        m_posizione[ultimo] = m_posizione[t];
        m_scoperti.pop_back();
    } else if (quanto < 0 && --m_conta[t] == 0) {
        m_posizione[t] = static_cast<std::uint32_t>(m_scoperti.size());
        m_scoperti.push_back(t);
    }
}

void Copertura::aggiungi(const Blocco &b)
{
    perOgniCoperto(b, [&](std::uint32_t t) { conta(t, 1); });
}

void Copertura::togli(const Blocco &b)
{
    perOgniCoperto(b, [&](std::uint32_t t) { conta(t, -1); });
}

std::size_t Copertura::soloDa(const Blocco &b)
{
    std::size_t solo = 0;
    perOgniCoperto(b, [&](std::uint32_t t) { solo += m_conta[t] == 1; });
    return solo;
}

long Copertura::variazione(const Blocco &b, int x, int y)
{
    long delta = 0;
    perOgniScambio(b, x, y, [&](std::uint32_t perso, std::uint32_t vinto) {
        delta += (m_conta[perso] == 1) - (m_conta[vinto] == 0);
    });
    return delta;
}

void Copertura::scambia(const Blocco &b, int x, int y)
{
    perOgniScambio(b, x, y, [&](std::uint32_t perso, std::uint32_t vinto) {
        conta(perso, -1);
        conta(vinto, 1);
    });
}

// Every target holding at least v of the ticket's numbers: j of them, p - j of the others.
template <typename Visita>
void Copertura::perOgniCoperto(const Blocco &b, Visita &&visita)
{
    std::array<std::uint8_t, 90> fuori{};
    const int nFuori = fuoriDa(b, m_n, -1, fuori);
    for (int j = std::max(m_v, m_p - nFuori); j <= std::min(m_k, m_p); ++j) {
        combinazioni::perOgni(j, m_k, [&](const auto &dentro) {
            combinazioni::perOgni(m_p - j, nFuori, [&](const auto &altri) {
                Bersaglio t{};
                for (int i = 0; i < j; ++i)
                    t[static_cast<std::size_t>(i)] = b[static_cast<std::size_t>(dentro[i])];
                for (int i = 0; i < m_p - j; ++i)
                    t[static_cast<std::size_t>(j + i)] = fuori[static_cast<std::size_t>(altri[i])];
                ++m_lavoro;
                visita(rangoDi(t, m_p));
            });
        });
    }
}

// Only the targets the swap changes: v - 1 other numbers of the ticket and x (lost) or y (won),
// with p - v numbers from outside the ticket other than y. Any target holding more of the ticket
// keeps being won on.
template <typename Visita>
void Copertura::perOgniScambio(const Blocco &b, int x, int y, Visita &&visita)
{
    std::array<std::uint8_t, 90> fuori{};
    const int nFuori = fuoriDa(b, m_n, y, fuori);
    m_lavoro += static_cast<std::uint64_t>(m_n) / 8; // the numbers looked through for fuori
    std::array<std::uint8_t, combinazioni::kMassimoK> resto{};
    int nResto = 0;
    for (std::uint8_t e : b) {
        if (e != x)
            resto[static_cast<std::size_t>(nResto++)] = e;
    }
    combinazioni::perOgni(m_v - 1, nResto, [&](const auto &dentro) {
        combinazioni::perOgni(m_p - m_v, nFuori, [&](const auto &altri) {
            Bersaglio t{};
            for (int i = 0; i < m_v - 1; ++i)
                t[static_cast<std::size_t>(i)] = resto[static_cast<std::size_t>(dentro[i])];
            for (int i = 0; i < m_p - m_v; ++i)
                t[static_cast<std::size_t>(m_v + i)] = fuori[static_cast<std::size_t>(altri[i])];
            t[static_cast<std::size_t>(m_v - 1)] = static_cast<std::uint8_t>(x);
            const std::uint32_t perso = rangoDi(t, m_p);
            t[static_cast<std::size_t>(m_v - 1)] = static_cast<std::uint8_t>(y);
            m_lavoro += 2;
            visita(perso, rangoDi(t, m_p));
        });
    });
}
