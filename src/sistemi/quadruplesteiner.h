#pragma once

#include "base/combinazioni.h"

#include <optional>

// Steiner quadruple systems, every three of v points in exactly one block of four: the binary
// affine spaces, the inversive plane of order 3, the doubling of any system built here, and
// else the systems a rotation of the points maps onto themselves, and where none is found
// Hanani's constructions from smaller systems.
class QuadrupleSteiner
{
public:
    static std::optional<combinazioni::Blocchi> costruisci(int v);
};
