#pragma once

#include "shared/modulo.h"

// While code fills or clears the editor or the viewer, the handlers that its changes set off
// must not act: `blocca_eventi` is 1 for the guard's lifetime, then back to what it was.
class BloccoEventi
{
public:
    explicit BloccoEventi(Modulo &modulo) : m_modulo(modulo), m_prima(modulo.blocca_eventi)
    {
        m_modulo.blocca_eventi = 1;
    }
    ~BloccoEventi() { m_modulo.blocca_eventi = m_prima; }
    BloccoEventi(const BloccoEventi &) = delete;
    BloccoEventi &operator=(const BloccoEventi &) = delete;

private:
    Modulo &m_modulo;
    int m_prima;
};
