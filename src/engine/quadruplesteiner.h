#pragma once

#include "engine/combinazioni.h"

#include <optional>

// Steiner quadruple systems, every three of v points in exactly one block of four: the binary
// affine spaces, the inversive plane of order 3, and the doubling of any of these.
class QuadrupleSteiner
{
public:
    static std::optional<combinazioni::Blocchi> costruisci(int v);
};
