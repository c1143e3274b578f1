#pragma once

#include <cstddef>

// Told of every winning bet type (0 Estratto .. 4 Cinquina) on a wheel (0 Bari .. 9 Venezia) the
// moment the evaluation finds it; the announcement ends before the evaluation goes on.
class Annunciatore
{
public:
    virtual ~Annunciatore() = default;
    virtual void annuncia(std::size_t tipoGiocata, std::size_t ruota) = 0;
};
