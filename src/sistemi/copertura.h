#pragma once

#include "base/combinazioni.h"

#include <cstdint>
#include <vector>

// The search's view of a system: for each draw of p numbers (a target) how many tickets win
// on it, holding v of its numbers, and the list of those none wins on. Work is counted in
// targets visited, the same on every machine.
class Copertura
{
public:
    Copertura(int n, int k, int p, int v);

    std::size_t scoperti() const { return m_scoperti.size(); }
    std::uint32_t scoperto(std::size_t i) const { return m_scoperti[i]; }
    bool coperto(std::uint32_t t) const { return m_conta[t] > 0; }
    std::uint64_t lavoro() const { return m_lavoro; }
    void lavora(std::uint64_t passi) { m_lavoro += passi; }

    void aggiungi(const combinazioni::Blocco &b);
    void togli(const combinazioni::Blocco &b);
    // Targets only this ticket wins on.
    std::size_t soloDa(const combinazioni::Blocco &b);
    // If x in ticket b gave way to y: targets no longer won on, less those newly won on.
    long variazione(const combinazioni::Blocco &b, int x, int y);
    void scambia(const combinazioni::Blocco &b, int x, int y);

private:
    template <typename Visita>
    void perOgniCoperto(const combinazioni::Blocco &b, Visita &&visita);
    template <typename Visita>
    void perOgniScambio(const combinazioni::Blocco &b, int x, int y, Visita &&visita);
    void conta(std::uint32_t t, int quanto);

    int m_n, m_k, m_p, m_v;
    std::vector<std::uint32_t> m_conta;
    std::vector<std::uint32_t> m_scoperti;
    std::vector<std::uint32_t> m_posizione;
    std::uint64_t m_lavoro = 0;
};
