#include "coperturaesatta.h"

CoperturaEsatta::CoperturaEsatta(int colonne) : m_quante(colonne + 1, 0)
{
    for (int c = 0; c <= colonne; ++c)
        m_nodi.push_back({c == 0 ? colonne : c - 1, c == colonne ? 0 : c + 1, c, c, c, -1});
}

void CoperturaEsatta::aggiungiRiga(const std::vector<int> &colonne)
{
    const int primo = static_cast<int>(m_nodi.size());
    for (int c : colonne) {
        const int nodo = static_cast<int>(m_nodi.size()), testa = c + 1;
        const int ultimo = nodo == primo ? nodo : m_nodi[primo].sinistra;
        m_nodi.push_back({ultimo, primo, m_nodi[testa].su, testa, testa, m_righe});
        m_nodi[m_nodi[testa].su].giu = nodo;
        m_nodi[testa].su = nodo;
        m_nodi[ultimo].destra = nodo;
        m_nodi[primo].sinistra = nodo;
        ++m_quante[testa];
    }
    ++m_righe;
}

std::optional<std::vector<int>> CoperturaEsatta::risolvi(long massimoScelte)
{
    m_massimoScelte = massimoScelte;
    if (cerca())
        return m_scelte;
    return std::nullopt;
}

void CoperturaEsatta::copri(int c)
{
    m_nodi[m_nodi[c].destra].sinistra = m_nodi[c].sinistra;
    m_nodi[m_nodi[c].sinistra].destra = m_nodi[c].destra;
    for (int i = m_nodi[c].giu; i != c; i = m_nodi[i].giu) {
        for (int j = m_nodi[i].destra; j != i; j = m_nodi[j].destra) {
            m_nodi[m_nodi[j].giu].su = m_nodi[j].su;
            m_nodi[m_nodi[j].su].giu = m_nodi[j].giu;
            --m_quante[m_nodi[j].colonna];
        }
    }
}

// Exactly the reverse of copri, in the reverse order.
void CoperturaEsatta::scopri(int c)
{
    for (int i = m_nodi[c].su; i != c; i = m_nodi[i].su) {
        for (int j = m_nodi[i].sinistra; j != i; j = m_nodi[j].sinistra) {
            ++m_quante[m_nodi[j].colonna];
            m_nodi[m_nodi[j].giu].su = j;
            m_nodi[m_nodi[j].su].giu = j;
        }
    }
    m_nodi[m_nodi[c].destra].sinistra = c;
    m_nodi[m_nodi[c].sinistra].destra = c;
}

int CoperturaEsatta::piuStretta() const
{
    int migliore = m_nodi[0].destra;
    for (int c = migliore; c != 0; c = m_nodi[c].destra) {
        if (m_quante[c] < m_quante[migliore])
            migliore = c;
    }
    return migliore;
}

bool CoperturaEsatta::cerca()
{
    if (m_nodi[0].destra == 0)
        return true;
    const int c = piuStretta();
    copri(c);
    bool trovata = false;
    for (int r = m_nodi[c].giu; r != c && !trovata && ++m_scelteFatte <= m_massimoScelte;
         r = m_nodi[r].giu) {
        m_scelte.push_back(m_nodi[r].riga);
        for (int j = m_nodi[r].destra; j != r; j = m_nodi[j].destra)
            copri(m_nodi[j].colonna);
        trovata = cerca();
        for (int j = m_nodi[r].sinistra; j != r; j = m_nodi[j].sinistra)
            scopri(m_nodi[j].colonna);
        if (!trovata)
            m_scelte.pop_back();
    }
    scopri(c);
    return trovata;
}
