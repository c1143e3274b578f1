#include "turnodigioco.h"

#include "engine/valutazione.h"
#include "shared/modulo.h"
#include "storage/indiceinsieme.h"

#include <cmath>
#include <limits>

void TurnoDiGioco::accredita(Modulo &modulo, double vincita)
{
    constexpr double kLimit = 9.2e14; // well inside the currency range, in whole points
    constexpr auto kTop = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    constexpr auto kBottom = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    if (std::isnan(vincita))
        return;
    std::optional<Currency> points;
    if (std::fabs(vincita) < kLimit)
        points = modulo.punti.plus(*Currency::fromWhole(static_cast<std::int64_t>(vincita)));
    if (!points)
        points = vincita > 0 ? kTop : kBottom;
    modulo.punti = *points;
}

double TurnoDiGioco::gioca(Modulo &modulo, const IndiceInsieme &insieme, std::string_view voci,
                           const Estrazione &estrazione, Annunciatore &annunci, VistaTurno &vista)
{
    double totale = 0;
    std::size_t r = 1;
    for (std::size_t at = 0; at + IndiceInsieme::kVoce <= voci.size(); at += IndiceInsieme::kVoce) {
        const auto found = insieme.prossimo(voci.substr(at, IndiceInsieme::kVoce), r);
        if (!found)
            continue;
        modulo.schedina = insieme.scheda(*found);
        Valutazione::valuta(modulo.schedina, estrazione, modulo.combinazioni, annunci,
                            [&](std::size_t, double importo) {
                                const double win = Valutazione::credito(importo);
                                totale += win;
                                modulo.situazione += win;
                                accredita(modulo, win);
                                vista.vincitaAccreditata(totale);
                            });
        vista.schedinaLetta(totale);
        r = *found == insieme.conta() ? 1 : *found + 1;
    }
    return totale;
}
