#include "numberformat.h"

#include <cmath>
#include <cstdio>

std::string formatGeneral(double value, char decimalPoint)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Inf" : "Inf";
    if (value == 0)
        return "0"; // also for -0
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text(buffer);
    const auto exponent = text.find('E');
    std::string mantissa = text.substr(0, exponent);
    const std::string suffix = exponent == std::string::npos ? "" : text.substr(exponent);
    if (const auto point = mantissa.find('.'); point != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.')
            mantissa.pop_back();
        else
            mantissa[point] = decimalPoint;
    }
    return mantissa + suffix;
}
