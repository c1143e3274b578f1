#pragma once

#include "base/combinazioni.h"

#include <cstdint>
#include <functional>

// The search for a smaller system: from a valid one, a ticket at a time is taken away and
// simulated annealing moves single numbers until every draw is won on again. Work, not time,
// bounds it, so the same request gives the same tickets on any machine; a limit on the process's
// CPU time, when given, is only a guard for a machine far slower than the work was sized for.
class RicercaLocale
{
public:
    struct Parametri
    {
        int n = 0, k = 0, p = 0, v = 0;
    };
    // Called now and then with the tickets of the best system so far and the work done.
    using Progresso = std::function<void(std::size_t schedine, std::uint64_t lavoro)>;

    // scadenza: the process's CPU seconds (as tempoCpu gives them) past which the search stops
    // whatever work is left; infinity for none.
    RicercaLocale(const Parametri &s, std::uint64_t lavoroMassimo, Progresso progresso,
                  double scadenza);

    // The CPU seconds this process has used so far.
    static double tempoCpu();

    // A valid system from the tickets given (possibly none): the greedy adds a ticket for each
    // draw still lost, then tickets that add nothing are dropped.
    combinazioni::Blocchi completa(const combinazioni::Blocchi &iniziali) const;
    // The smallest valid system found from a valid one, not below the bound, in all the work
    // given: tries of lengths in Luby's sequence, each from the smallest system found so far;
    // with a terno or more on every draw, first from random tickets well below it.
    combinazioni::Blocchi riduci(combinazioni::Blocchi valido, std::uint64_t limite);
    // The work riduci did.
    std::uint64_t lavoroFatto() const { return m_lavoroFatto; }

private:
    Parametri m_s;
    std::uint64_t m_lavoroMassimo;
    Progresso m_progresso;
    double m_scadenza;
    std::uint64_t m_lavoroFatto = 0;
};
