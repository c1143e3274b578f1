#include "modulo.h"

Modulo::Modulo(Riproduttore &riproduttore, Avvisi &avvisi)
    : m_riproduttore(riproduttore), m_avvisi(avvisi, m_turno)
{}

void Modulo::SuonaFile(std::string_view percorso)
{
    if (!m_suoniAttivi)
        return;
    const TurnoGiocatore::Attesa attesa(m_turno);
    m_riproduttore.suona(std::string(percorso));
}
