#include "modulo.h"

Modulo::Modulo(Riproduttore &riproduttore, Avvisi &avvisi)
    : m_riproduttore(riproduttore), m_avvisi(avvisi)
{}

void Modulo::SuonaFile(std::string_view percorso)
{
    if (suoni_attivi == 0)
        return;
    m_riproduttore.suona(std::string(percorso));
}
