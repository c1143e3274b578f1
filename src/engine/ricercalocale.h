#pragma once

#include "engine/combinazioni.h"

#include <cstdint>
#include <functional>

// The search for a smaller system: from a valid one, a ticket at a time is taken away and
// simulated annealing moves single numbers until every draw is won on again. Work, not time,
// bounds it, so the same request gives the same tickets on any machine.
class RicercaLocale
{
public:
    struct Parametri
    {
        int n = 0, k = 0, p = 0, v = 0;
    };
    // Called now and then with the tickets of the best system so far and the work done.
    using Progresso = std::function<void(std::size_t schedine, std::uint64_t lavoro)>;

    RicercaLocale(const Parametri &s, std::uint64_t lavoroMassimo, Progresso progresso);

    // A valid system from the tickets given (possibly none): the greedy adds a ticket for each
    // draw still lost, then tickets that add nothing are dropped.
    combinazioni::Blocchi completa(const combinazioni::Blocchi &iniziali) const;
    // The smallest valid system found from a valid one, not below the bound.
    combinazioni::Blocchi riduci(combinazioni::Blocchi valido, std::uint64_t limite);

private:
    Parametri m_s;
    std::uint64_t m_lavoroMassimo;
    Progresso m_progresso;
};
