// A set held in memory from any bytes, searched as the play, the refund and the moves search
// it, and played whole against a draw taken from the same bytes: every search ends, finds a
// record holding the entry, and the play credits exactly what each ticket wins.

#include "verifica.h"

#include "engine/annunciatore.h"
#include "engine/estrazione.h"
#include "engine/profiloschedina.h"
#include "engine/turnodigioco.h"
#include "shared/modulo.h"
#include "storage/indiceinsieme.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

struct Silenzio : Riproduttore, Avvisi, Annunciatore
{
    void suona(const std::string &) override {}
    void mostra(std::string_view, std::string_view) override {}
    bool chiedi(std::string_view, std::string_view) override { return false; }
    void annuncia(std::size_t, std::size_t) override {}
};

// Keeps, for each ticket played, what it credited and whether every wheel's credit stayed in a
// range where the simulator's integer table and the play's doubles must agree.
struct Registro : VistaTurno
{
    void vincitaAccreditata(double totale) override
    {
        // Past a huge credit the running total has lost the units: nothing after it compares.
        moderate =
            moderate && std::fabs(totale - last) < kModerate && std::fabs(totale) < kModerate;
        last = totale;
    }
    void schedinaLetta(double totale) override
    {
        moderate = moderate && std::fabs(totale) < kModerate;
        tickets.push_back({totale - start, moderate});
        start = last = totale;
    }
    static constexpr double kModerate = 1e12;
    std::vector<std::pair<double, bool>> tickets;
    double start = 0;
    double last = 0;
    bool moderate = true;
};

// Fifty numbers, five different ones per wheel, from the input's first bytes.
Estrazione drawFrom(const std::uint8_t *data, std::size_t size)
{
    std::array<std::int16_t, 50> numbers{};
    for (std::size_t w = 0; w < 10; ++w) {
        for (std::size_t p = 0; p < 5; ++p) {
            int n = size ? data[(w * 5 + p) % size] % 90 + 1 : int(p + 1);
            while (std::find(numbers.begin() + 5 * w, numbers.begin() + 5 * w + p, n) !=
                   numbers.begin() + 5 * w + p)
                n = n % 90 + 1;
            numbers[w * 5 + p] = std::int16_t(n);
        }
    }
    Estrazione e;
    e.imposta(numbers);
    return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<Schedina> records;
    for (std::size_t at = 0; at + Schedina::kDimensioneRecord <= size;
         at += Schedina::kDimensioneRecord)
        records.push_back(Schedina::decodifica(data + at));
    const IndiceInsieme index(records);
    // The play list: every record's title, then a title nobody has, in reverse file order.
    std::string entries;
    for (auto it = records.rbegin(); it != records.rend(); ++it)
        entries += it->titoloGrezzo();
    entries += std::string(IndiceInsieme::kVoce, '\x7f');
    for (std::size_t k = 1; k <= records.size() + 1; ++k) {
        for (std::size_t at = 0; at < entries.size(); at += IndiceInsieme::kVoce) {
            const std::string_view entry(entries.data() + at, IndiceInsieme::kVoce);
            const auto found = index.prossimo(entry, k);
            const bool aRecordsTitle = at + IndiceInsieme::kVoce < entries.size();
            VERIFICA(found.has_value() || !aRecordsTitle);
            VERIFICA(!found || index.scheda(*found).titoloGrezzo() == entry);
        }
    }
    index.costoVoci(entries);
    index.rimborso(entries);

    Silenzio quiet;
    Registro view;
    Modulo modulo(quiet, quiet);
    const Estrazione draw = drawFrom(data, size);
    const Currency before = modulo.punti;
    const double total = TurnoDiGioco::gioca(modulo, index, entries, draw, quiet, view);
    // Each ticket played wins the same through the simulator's bit-mask count.
    std::size_t r = 1;
    std::size_t played = 0;
    for (std::size_t at = 0; at < entries.size(); at += IndiceInsieme::kVoce) {
        const auto found = index.prossimo(std::string_view(entries).substr(at, 20), r);
        if (!found)
            continue;
        VERIFICA(played < view.tickets.size());
        const auto [credited, moderate] = view.tickets[played++];
        if (moderate)
            VERIFICA(credited == double(ProfiloSchedina(index.scheda(*found)).vincita(draw)));
        r = *found == index.conta() ? 1 : *found + 1;
    }
    VERIFICA(played == view.tickets.size());
    if (std::fabs(total) < Registro::kModerate &&
        std::all_of(view.tickets.begin(), view.tickets.end(), [](auto t) { return t.second; })) {
        VERIFICA(modulo.situazione == total);
        VERIFICA(modulo.punti.raw() == before.raw() + std::int64_t(total) * Currency::kScale);
    }
    return 0;
}
