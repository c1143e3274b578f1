#include "modulo.h"

Modulo::Modulo(Riproduttore &riproduttore, Avvisi &avvisi)
    : m_riproduttore(riproduttore), m_avvisi(avvisi, turno)
{}

void Modulo::SuonaFile(std::string_view percorso)
{
    if (suoni_attivi == 0)
        return;
    const TurnoGiocatore::Attesa attesa(turno);
    m_riproduttore.suona(std::string(percorso));
}
