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

    void AnnunciaEstratto(std::size_t ruota) { annuncia(0, ruota); }
    void AnnunciaAmbo(std::size_t ruota) { annuncia(1, ruota); }
    void AnnunciaTerno(std::size_t ruota) { annuncia(2, ruota); }
    void AnnunciaQuaterna(std::size_t ruota) { annuncia(3, ruota); }
    void AnnunciaCinquina(std::size_t ruota) { annuncia(4, ruota); }

private:
    Modulo &m_modulo;
};
