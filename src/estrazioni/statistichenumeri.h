#pragma once

#include "estrazioni/estrazionedelgiorno.h"
#include "estrazioni/ritardo.h"

#include <array>
#include <vector>

// How often each number came out on a wheel, and its delays, counted over the days that wheel
// was drawn.
class StatisticheNumeri
{
public:
    StatisticheNumeri(const std::vector<EstrazioneDelGiorno> &giorni, std::size_t ruota);

    // The number's run counts, for n from 1 to 90.
    const Ritardo &numero(int n) const { return m_numeri.at(std::size_t(n - 1)); }
    std::uint64_t estrazioni() const { return m_estrazioni; }

private:
    std::array<Ritardo, 90> m_numeri{};
    std::uint64_t m_estrazioni = 0;
};
