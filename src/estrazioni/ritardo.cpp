#include "ritardo.h"

#include <algorithm>

void Ritardo::conta(bool uscito)
{
    if (uscito) {
        ++m_uscite;
        m_corrente = 0;
        return;
    }
    m_massimo = std::max(m_massimo, ++m_corrente);
}
