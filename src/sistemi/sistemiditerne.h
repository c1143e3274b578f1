#pragma once

#include "base/combinazioni.h"

#include <optional>

// Triples covering every pair of v points, as few as can be: a Steiner triple system when
// v is 1 or 3 modulo 6, otherwise a covering of the fewest triples pairs allow.
class SistemiDiTerne
{
public:
    // Bose's construction for v = 6n + 3, Skolem's for v = 6n + 1.
    static std::optional<combinazioni::Blocchi> steiner(int v);
    // The fewest triples for every v from 3.
    static std::optional<combinazioni::Blocchi> coperturaMinima(int v);
};
