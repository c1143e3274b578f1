#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// An amount of points or of a stake, held exactly as a whole number of ten-thousandths.
// Every operation that could leave the 64-bit range says so instead of wrapping.
class Currency
{
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths)
    {
        Currency c;
        c.m_raw = tenThousandths;
        return c;
    }
    static std::optional<Currency> fromWhole(std::int64_t units);
    // A stake as the editor accepts it: one or more decimal digits, leading zeros allowed.
    static std::optional<Currency> fromDigits(std::string_view digits);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / kScale; }

    // Inline: a loaded set adds up the stakes of every one of its records.
    std::optional<Currency> plus(Currency other) const
    {
        std::int64_t sum = 0;
        if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
            return std::nullopt;
        return fromRaw(sum);
    }
    std::optional<Currency> minus(Currency other) const
    {
        std::int64_t difference = 0;
        if (__builtin_sub_overflow(m_raw, other.m_raw, &difference))
            return std::nullopt;
        return fromRaw(difference);
    }
    // The amount n times over: a stake over n draws.
    std::optional<Currency> times(std::uint64_t n) const
    {
        std::int64_t product = 0;
        if (n > std::uint64_t(INT64_MAX) ||
            __builtin_mul_overflow(m_raw, std::int64_t(n), &product))
            return std::nullopt;
        return fromRaw(product);
    }

    // General number format: no grouping, decimals only when there is a fraction.
    std::string toString(char decimalPoint = '.') const;

    constexpr auto operator<=>(const Currency &) const = default;

private:
    std::int64_t m_raw = 0;
};
