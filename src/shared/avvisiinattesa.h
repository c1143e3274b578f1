#pragma once

#include "shared/avvisi.h"
#include "shared/turnogiocatore.h"

// The message boxes, each a wait on the player: what arrives while one is open is kept for
// after the action that opened it.
class AvvisiInAttesa : public Avvisi
{
public:
    AvvisiInAttesa(Avvisi &avvisi, TurnoGiocatore &turno) : m_avvisi(avvisi), m_turno(turno) {}

    void mostra(std::string_view testo, std::string_view titolo) override
    {
        const TurnoGiocatore::Attesa attesa(m_turno);
        m_avvisi.mostra(testo, titolo);
    }
    bool chiedi(std::string_view testo, std::string_view titolo) override
    {
        const TurnoGiocatore::Attesa attesa(m_turno);
        return m_avvisi.chiedi(testo, titolo);
    }

private:
    Avvisi &m_avvisi;
    TurnoGiocatore &m_turno;
};
