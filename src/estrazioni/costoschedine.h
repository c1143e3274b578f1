#pragma once

#include "base/currency.h"
#include "storage/schedina.h"

#include <cstdint>
#include <optional>

// What tickets cost on one day, each ticket's stakes once, and over many days; nothing past the
// currency's range.
class CostoSchedine
{
public:
    void aggiungi(const Schedina &s)
    {
        const auto c = s.costo();
        m_totale = c && m_totale ? m_totale->plus(*c) : std::nullopt;
    }
    std::optional<Currency> perGiorno() const { return m_totale; }
    std::optional<Currency> per(std::uint64_t giorni) const
    {
        return m_totale ? m_totale->times(giorni) : std::nullopt;
    }

private:
    std::optional<Currency> m_totale = Currency();
};
