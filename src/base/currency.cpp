#include "currency.h"

#include <limits>

std::optional<Currency> Currency::fromWhole(std::int64_t units)
{
    std::int64_t raw = 0;
    if (__builtin_mul_overflow(units, kScale, &raw))
        return std::nullopt;
    return fromRaw(raw);
}

std::optional<Currency> Currency::fromDigits(std::string_view digits)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t units = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        if (__builtin_mul_overflow(units, std::int64_t{10}, &units) ||
            __builtin_add_overflow(units, std::int64_t{c - '0'}, &units))
            return std::nullopt;
    }
    return fromWhole(units);
}

std::string Currency::toString(char decimalPoint) const
{
    // Work on the magnitude as unsigned so that the most negative value has a text too.
    const bool negative = m_raw < 0;
    const std::uint64_t magnitude =
        negative ? std::uint64_t{0} - static_cast<std::uint64_t>(m_raw) : std::uint64_t(m_raw);
    const std::uint64_t scale = kScale;
    std::string text = std::to_string(magnitude / scale);
    std::uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        digits.erase(digits.find_last_not_of('0') + 1);
        text += decimalPoint;
        text += digits;
    }
    if (negative)
        text.insert(0, 1, '-');
    return text;
}
