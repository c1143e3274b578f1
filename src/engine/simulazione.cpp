#include "simulazione.h"

#include "engine/estrazione.h"
#include "engine/profiloschedina.h"

#include <chrono>

namespace {

std::optional<Currency> staked(const std::vector<Schedina> &schede, std::uint64_t estrazioni)
{
    Currency perDraw;
    for (const Schedina &s : schede) {
        const auto cost = s.costo();
        const auto sum = cost ? perDraw.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        perDraw = *sum;
    }
    std::int64_t total = 0;
    if (estrazioni > std::uint64_t(INT64_MAX) ||
        __builtin_mul_overflow(perDraw.raw(), std::int64_t(estrazioni), &total))
        return std::nullopt;
    return Currency::fromRaw(total);
}

} // namespace

Simulazione::Risultato Simulazione::esegui(const std::vector<Schedina> &schede,
                                           std::uint64_t estrazioni, GeneratoreCasuale &generatore)
{
    Risultato result;
    result.estrazioni = estrazioni;
    result.schedine = schede.size();
    result.puntato = staked(schede, estrazioni);
    const auto start = std::chrono::steady_clock::now();
    std::vector<ProfiloSchedina> profili(schede.begin(), schede.end());
    Estrazione estrazione;
    for (std::uint64_t i = 0; i < estrazioni; ++i) {
        estrazione.estrai(generatore);
        result.vinto += ProfiloSchedina::vinciteTotali(profili, estrazione);
    }
    result.secondi =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}
