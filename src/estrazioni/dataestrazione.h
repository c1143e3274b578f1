#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The day of a draw. Read as the player or a published file writes it, kept as the number
// YYYYMMDD (which sorts as the days do) and written as 2025-04-29.
class DataEstrazione
{
public:
    DataEstrazione() = default;
    explicit DataEstrazione(std::chrono::year_month_day giorno) : m_giorno(giorno) {}

    // A day in one of the shapes the files and the players use: 2025-04-29, 2025/04/29,
    // 29/04/2025 and 20250429. Nothing for another shape; a day that does not exist in a known
    // shape (2025/02/30) is given back as it is, for the caller to tell the two apart with ok().
    static std::optional<std::chrono::year_month_day> scomponi(std::string_view testo);
    // The same, for a day that must exist.
    static std::optional<DataEstrazione> leggi(std::string_view testo);
    static DataEstrazione daNumero(std::int32_t aaaammgg);

    std::int32_t numero() const;
    std::string testo() const;
    std::chrono::year_month_day giorno() const { return m_giorno; }

    friend bool operator==(const DataEstrazione &, const DataEstrazione &) = default;
    friend auto operator<=>(const DataEstrazione &a, const DataEstrazione &b)
    {
        return a.numero() <=> b.numero();
    }

private:
    std::chrono::year_month_day m_giorno{};
};
