#include "turnodigioco.h"

#include "engine/valutazione.h"
#include "shared/modulo.h"
#include "storage/schedina.h"

#include <cmath>
#include <limits>

void TurnoDiGioco::accredita(Modulo &modulo, double vincita)
{
    constexpr double kLimite = 9.2e14; // well inside the currency range, in whole punti
    constexpr auto kMassimo = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    constexpr auto kMinimo = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    if (std::isnan(vincita))
        return;
    std::optional<Currency> punti;
    if (std::fabs(vincita) < kLimite)
        punti = modulo.punti.plus(*Currency::fromWhole(static_cast<std::int64_t>(vincita)));
    if (!punti)
        punti = vincita > 0 ? kMassimo : kMinimo;
    modulo.punti = *punti;
}

double TurnoDiGioco::gioca(Modulo &modulo, std::span<const Schedina> schede,
                           const Estrazione &estrazione, Annunciatore &annunci, VistaTurno &vista)
{
    double totale = 0;
    for (const Schedina &schedina : schede) {
        modulo.schedina = schedina;
        Valutazione::valuta(modulo.schedina, estrazione, modulo.combinazioni, annunci,
                            [&](std::size_t, double importo) {
                                const double vincita = Valutazione::credito(importo);
                                totale += vincita;
                                modulo.situazione += vincita;
                                accredita(modulo, vincita);
                                vista.vincitaAccreditata(totale);
                            });
        vista.schedinaLetta(totale);
    }
    return totale;
}
