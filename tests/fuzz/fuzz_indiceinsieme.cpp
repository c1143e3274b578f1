// A set held in memory from any bytes, searched as the play, the refund and the moves search it
// (with or without the record an entry was listed from), and played whole against a draw taken
// from the same bytes: every search ends and finds a record holding its entry, the play credits
// each ticket exactly what the simulator's bit-mask count says it wins, and the set compiled as
// simulate sums it (one ticket at a time, or eight where the CPU can) wins what its tickets win
// one by one.

#include "fuzz.h"

#include "engine/annunciatore.h"
#include "engine/profiloschedina.h"
#include "engine/schedinecompilate.h"
#include "engine/turnodigioco.h"
#include "shared/modulo.h"
#include "storage/indiceinsieme.h"

#include <algorithm>
#include <cmath>

namespace {

// Silent; checks each ticket's credit, just after the play has credited it, against the
// simulator's count on the same draw, and keeps the largest running total seen.
struct Registro : Riproduttore, Avvisi, Annunciatore, VistaTurno
{
    void suona(const std::string &) override {}
    void mostra(std::string_view, std::string_view) override {}
    bool chiedi(std::string_view, std::string_view) override { return false; }
    void annuncia(std::size_t, std::size_t) override {}
    void vincitaAccreditata(double totale) override
    {
        largest = std::max(largest, std::fabs(totale));
    }
    void schedinaLetta(double totale) override
    {
        vincitaAccreditata(totale);
        agree = agree && totale - last == double(ProfiloSchedina(modulo->schedina).vincita(*draw));
        last = totale;
        ++played;
    }
    const Modulo *modulo = nullptr;
    const Estrazione *draw = nullptr;
    bool agree = true;
    std::size_t played = 0;
    double last = 0;
    double largest = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<Schedina> records;
    for (std::size_t at = 0; at + Schedina::kDimensioneRecord <= size;
         at += Schedina::kDimensioneRecord)
        records.push_back(Schedina::decodifica(data + at));
    const IndiceInsieme index(records);
    // The play list: every record's title in reverse file order, then a title nobody has.
    std::string entries;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        entries += it->titoloGrezzo();
    const std::string missing(IndiceInsieme::kVoce, '\x7f');
    const bool missingTaken = index.primo(missing).has_value(); // a record may hold it
    entries += missing;
    for (std::size_t k = 1; k <= records.size() + 1; ++k) {
        for (std::size_t at = 0; at < entries.size(); at += IndiceInsieme::kVoce) {
            const std::string_view entry(entries.data() + at, IndiceInsieme::kVoce);
            const auto found = index.prossimo(entry, k);
            VERIFICA(found ? records[*found - 1].titoloGrezzo() == entry
                           : !missingTaken && at + IndiceInsieme::kVoce == entries.size());
            // The record an entry was listed from, right or stale, never changes what is found.
            const std::size_t from = size ? data[(at + k) % size] % (records.size() + 2) : 0;
            VERIFICA(index.prossimo(entry, k, from) == found);
        }
    }
    index.costoVoci(entries);
    index.rimborso(entries);
    // The records the play walks to, as the play reads them from the file.
    std::vector<Schedina> played;
    IndiceInsieme::Giro giro(index, entries);
    while (const auto k = giro.prossimo())
        played.push_back(records[*k - 1]);

    // Fifty numbers from the input's first bytes, five different ones on each wheel.
    std::array<std::int16_t, 50> numbers{};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        int n = size ? data[i % size] % 90 + 1 : int(i % 5 + 1);
        while (std::find(numbers.begin() + i / 5 * 5, numbers.begin() + i, n) !=
               numbers.begin() + i)
            n = n % 90 + 1;
        numbers[i] = std::int16_t(n);
    }
    Estrazione draw;
    draw.imposta(numbers);
    Registro view;
    Modulo modulo(view, view);
    view.modulo = &modulo;
    view.draw = &draw;
    std::vector<ProfiloSchedina> profili;
    for (const Schedina &s : records)
        profili.emplace_back(s);
    VERIFICA(SchedineCompilate(records).vincite(draw) ==
             ProfiloSchedina::vinciteTotali(profili, draw));
    const double total = TurnoDiGioco::gioca(modulo, played, draw, view, view);
    VERIFICA(view.played == records.size() + (missingTaken ? 1 : 0));
    // Past 10^14 the running total loses units, and the points stop at the currency's end.
    if (view.largest < 1e14) {
        VERIFICA(view.agree && modulo.situazione == total);
        VERIFICA(modulo.punti.raw() == (10000 + std::int64_t(total)) * Currency::kScale);
    }
    return 0;
}
