#pragma once

#include <vector>

// The finite field with q elements, q a prime power up to 81: the coordinates of the planes and
// spaces the known designs are drawn in. Elements are 0..q-1, 0 and 1 being the field's own.
class CampoFinito
{
public:
    static constexpr int kMassimoOrdine = 81;

    // Whether q is a prime power the field can be built for.
    static bool esiste(int q);
    explicit CampoFinito(int q);

    int ordine() const { return m_q; }
    int caratteristica() const { return m_p; }
    int somma(int a, int b) const { return m_somma[indice(a, b)]; }
    int prodotto(int a, int b) const { return m_prodotto[indice(a, b)]; }
    int opposto(int a) const { return m_opposto[static_cast<std::size_t>(a)]; }
    int inverso(int a) const { return m_inverso[static_cast<std::size_t>(a)]; }
    int differenza(int a, int b) const { return somma(a, opposto(b)); }
    int quoziente(int a, int b) const { return prodotto(a, inverso(b)); }

private:
    std::size_t indice(int a, int b) const { return static_cast<std::size_t>(a * m_q + b); }
    bool provaModulo(int modulo);

    int m_q = 0;
    int m_p = 0;
    int m_grado = 0;
    std::vector<int> m_somma;
    std::vector<int> m_prodotto;
    std::vector<int> m_opposto;
    std::vector<int> m_inverso;
};
