#include "turnogiocatore.h"

TurnoGiocatore::Attesa::Attesa(TurnoGiocatore &turno) : m_turno(turno)
{
    ++m_turno.m_attese;
}

// A wait outside any action (the greeting at start) hands the kept actions over at its end.
TurnoGiocatore::Attesa::~Attesa()
{
    if (--m_turno.m_attese == 0 && m_turno.m_azioni == 0)
        m_turno.svuota();
}

void TurnoGiocatore::esegui(std::function<void()> azione)
{
    if (m_attese > 0) {
        m_tenute.push_back(std::move(azione));
        return;
    }
    ++m_azioni;
    azione();
    --m_azioni;
    if (m_azioni == 0)
        svuota();
}

// The kept actions run one after the other, each as if it had just come; one kept while they
// run waits behind them.
void TurnoGiocatore::svuota()
{
    while (!m_tenute.empty() && m_attese == 0) {
        const std::function<void()> azione = std::move(m_tenute.front());
        m_tenute.pop_front();
        ++m_azioni;
        azione();
        --m_azioni;
    }
}
