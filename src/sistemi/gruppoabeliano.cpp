#include "gruppoabeliano.h"

#include <algorithm>

namespace {

std::vector<int> cifre(int x, const std::vector<int> &moduli)
{
    std::vector<int> c;
    for (int m : moduli) {
        c.push_back(x % m);
        x /= m;
    }
    return c;
}

int numero(const std::vector<int> &c, const std::vector<int> &moduli)
{
    int x = 0;
    for (std::size_t i = moduli.size(); i-- > 0;)
        x = x * moduli[i] + c[i];
    return x;
}

// The ways of writing e as a sum of parts, the largest parts first: {e} comes first.
void partizioni(int e, int massimo, std::vector<int> &parti, std::vector<std::vector<int>> &tutte)
{
    if (e == 0) {
        tutte.push_back(parti);
        return;
    }
    for (int a = std::min(e, massimo); a >= 1; --a) {
        parti.push_back(a);
        partizioni(e - a, a, parti, tutte);
        parti.pop_back();
    }
}

// For each prime power p^e dividing m exactly, the cyclic factors p^a of each partition of e.
std::vector<std::vector<std::vector<int>>> fattoriPrimari(int m)
{
    std::vector<std::vector<std::vector<int>>> perPrimo;
    for (int p = 2; m > 1; ++p) {
        int e = 0;
        for (; m % p == 0; m /= p)
            ++e;
        if (e == 0)
            continue;
        std::vector<int> parti;
        std::vector<std::vector<int>> modi;
        partizioni(e, e, parti, modi);
        for (auto &modo : modi) {
            for (int &a : modo) {
                int potenza = 1;
                for (int i = 0; i < a; ++i)
                    potenza *= p;
                a = potenza;
            }
        }
        perPrimo.push_back(modi);
    }
    return perPrimo;
}

} // namespace

GruppoAbeliano::GruppoAbeliano(const std::vector<int> &moduli) : m_ordine(1)
{
    for (int m : moduli)
        m_ordine *= m;
    m_somma.resize(static_cast<std::size_t>(m_ordine * m_ordine));
    m_opposto.resize(static_cast<std::size_t>(m_ordine));
    for (int x = 0; x < m_ordine; ++x) {
        const auto cx = cifre(x, moduli);
        for (int y = 0; y < m_ordine; ++y) {
            auto c = cifre(y, moduli);
            for (std::size_t i = 0; i < c.size(); ++i)
                c[i] = (c[i] + cx[i]) % moduli[i];
            m_somma[indice(x, y)] = numero(c, moduli);
            if (m_somma[indice(x, y)] == 0)
                m_opposto[static_cast<std::size_t>(x)] = y;
        }
    }
}

// Products of one partition's factors for each prime, the cyclic choice for every prime first.
std::vector<GruppoAbeliano> GruppoAbeliano::diOrdine(int m)
{
    std::vector<std::vector<int>> moduli{{}};
    for (const auto &modi : fattoriPrimari(m)) {
        std::vector<std::vector<int>> estesi;
        for (const auto &finora : moduli) {
            for (const auto &modo : modi) {
                estesi.push_back(finora);
                estesi.back().insert(estesi.back().end(), modo.begin(), modo.end());
            }
        }
        moduli = std::move(estesi);
    }
    std::vector<GruppoAbeliano> gruppi;
    for (const auto &m : moduli)
        gruppi.emplace_back(m);
    return gruppi;
}

std::vector<int> GruppoAbeliano::torsione(int h) const
{
    std::vector<int> t;
    for (int x = 0; x < m_ordine; ++x) {
        int multiplo = 0;
        for (int i = 0; i < h; ++i)
            multiplo = somma(multiplo, x);
        if (multiplo == 0)
            t.push_back(x);
    }
    return t;
}
