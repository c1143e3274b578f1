#pragma once

#include <string>

// The general number format for doubles: no grouping, at most fifteen significant digits,
// decimals only when the value has a fraction, an exponent only for very large or small values.
std::string formatGeneral(double value, char decimalPoint = '.');
