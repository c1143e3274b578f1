#pragma once

#include "base/combinazioni.h"

// The two large Witt designs, as the supports of the lightest words of the extended Golay
// codes: S(5, 8, 24) from the binary code, S(5, 6, 12) from the ternary one.
class DisegniDiWitt
{
public:
    static combinazioni::Blocchi ottadi();
    static combinazioni::Blocchi esadi();
};
