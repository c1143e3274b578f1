#include "campofinito.h"

#include <stdexcept>
#include <tuple>

namespace {

// q = p^grado with p prime, or {0, 0}.
std::pair<int, int> potenzaDiPrimo(int q)
{
    if (q < 2)
        return {0, 0};
    int p = 2;
    while (q % p != 0)
        ++p;
    int grado = 0;
    for (int r = q; r > 1; r /= p) {
        if (r % p != 0)
            return {0, 0};
        ++grado;
    }
    return {p, grado};
}

// Polynomials over GF(p) of degree below the field's are held as their base-p digits.
std::vector<int> cifre(int x, int p, int quante)
{
    std::vector<int> c(static_cast<std::size_t>(quante));
    for (int &d : c) {
        d = x % p;
        x /= p;
    }
    return c;
}

int numero(const std::vector<int> &c, int p)
{
    int x = 0;
    for (auto d = c.rbegin(); d != c.rend(); ++d)
        x = x * p + *d;
    return x;
}

} // namespace

bool CampoFinito::esiste(int q)
{
    return q <= kMassimoOrdine && potenzaDiPrimo(q).first != 0;
}

CampoFinito::CampoFinito(int q) : m_q(q)
{
    std::tie(m_p, m_grado) = potenzaDiPrimo(q);
    if (!esiste(q))
        throw std::invalid_argument("no field of that order");
    const auto celle = static_cast<std::size_t>(q * q);
    m_somma.resize(celle);
    for (int a = 0; a < q; ++a) {
        for (int b = 0; b < q; ++b) {
            auto x = cifre(a, m_p, m_grado);
            const auto y = cifre(b, m_p, m_grado);
            for (std::size_t i = 0; i < x.size(); ++i)
                x[i] = (x[i] + y[i]) % m_p;
            m_somma[indice(a, b)] = numero(x, m_p);
        }
    }
    // The first monic polynomial of the field's degree that leaves no zero divisors is
    // irreducible; its remainders are the field.
    for (int modulo = 0; modulo < q; ++modulo) {
        if (provaModulo(modulo))
            return;
    }
    throw std::logic_error("no irreducible polynomial");
}

// modulo: the lower coefficients of x^grado - modulo(x), as base-p digits.
bool CampoFinito::provaModulo(int modulo)
{
    const auto riduzione = cifre(modulo, m_p, m_grado);
    m_prodotto.assign(static_cast<std::size_t>(m_q * m_q), 0);
    for (int a = 0; a < m_q; ++a) {
        for (int b = 0; b < m_q; ++b) {
            std::vector<int> c(static_cast<std::size_t>(2 * m_grado), 0);
            const auto x = cifre(a, m_p, m_grado), y = cifre(b, m_p, m_grado);
            for (std::size_t i = 0; i < x.size(); ++i)
                for (std::size_t j = 0; j < y.size(); ++j)
                    c[i + j] = (c[i + j] + x[i] * y[j]) % m_p;
            for (std::size_t i = c.size() - 1; i >= static_cast<std::size_t>(m_grado); --i) {
                for (std::size_t j = 0; j < riduzione.size(); ++j) {
                    auto &d = c[i - static_cast<std::size_t>(m_grado) + j];
                    d = (d + c[i] * riduzione[j]) % m_p;
                }
                c[i] = 0;
            }
            c.resize(static_cast<std::size_t>(m_grado));
            m_prodotto[indice(a, b)] = numero(c, m_p);
            if (a != 0 && b != 0 && m_prodotto[indice(a, b)] == 0)
                return false;
        }
    }
    m_opposto.assign(static_cast<std::size_t>(m_q), 0);
    m_inverso.assign(static_cast<std::size_t>(m_q), 0);
    for (int a = 0; a < m_q; ++a) {
        for (int b = 0; b < m_q; ++b) {
            if (somma(a, b) == 0)
                m_opposto[static_cast<std::size_t>(a)] = b;
            if (prodotto(a, b) == 1)
                m_inverso[static_cast<std::size_t>(a)] = b;
        }
    }
    return true;
}
