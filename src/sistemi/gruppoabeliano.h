#pragma once

#include <vector>

// A finite abelian group Z_m1 x ... x Z_mr, its elements numbered 0..m-1 by their coordinates
// in mixed radix, 0 being the identity: the translations the difference families are built on.
class GruppoAbeliano
{
public:
    explicit GruppoAbeliano(const std::vector<int> &moduli);

    // Every abelian group of order m once, up to isomorphism, the cyclic one first.
    static std::vector<GruppoAbeliano> diOrdine(int m);

    int ordine() const { return m_ordine; }
    int somma(int x, int y) const { return m_somma[indice(x, y)]; }
    int opposto(int x) const { return m_opposto[static_cast<std::size_t>(x)]; }
    int differenza(int x, int y) const { return somma(x, opposto(y)); }
    // The elements x with h x = 0, ascending.
    std::vector<int> torsione(int h) const;

private:
    std::size_t indice(int x, int y) const { return static_cast<std::size_t>(x * m_ordine + y); }

    int m_ordine = 1;
    std::vector<int> m_somma;
    std::vector<int> m_opposto;
};
