#pragma once

#include "engine/annunciatore.h"

class Modulo;

// Announces a win by its recording, the same in both sets, or with sounds off by its
// congratulation box.
class AnnunciVincite : public Annunciatore
{
public:
    explicit AnnunciVincite(Modulo &modulo) : m_modulo(modulo) {}

    void annuncia(std::size_t tipoGiocata, std::size_t ruota) override;

private:
    Modulo &m_modulo;
};
