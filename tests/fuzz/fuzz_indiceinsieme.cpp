// A set from any bytes, searched as the play, the refund and the moves search it, and played
// whole against a draw from the same bytes: every search finds a record holding its entry, and
// the play, the simulator's bit-mask count and the compiled set (one or eight at a time) agree.

#include "fuzz.h"

#include "engine/generatorecasuale.h"
#include "engine/partita.h"
#include "engine/profiloschedina.h"
#include "engine/schedinecompilate.h"
#include "storage/indiceinsieme.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

namespace {

// The draw's values from the input's bytes, each round shifted by an odd step: a draw ends.
struct DaiByte : GeneratoreCasuale
{
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at = 0;
    DaiByte(const std::uint8_t *d, std::size_t n) : data(d), size(n) {}
    void semina() override {}
    float prossimo() override
    {
        const std::size_t n = std::max<std::size_t>(size, 1), k = at++;
        return float(((size ? data[k % n] : 0) + 37 * (k / n)) % 256) / 256.0f;
    }
};

// The set file the game plays from, rewritten for each input.
const std::string &fileDellInsieme()
{
    static const std::string percorso = [] {
        char nome[] = "/tmp/fuzz_indiceinsieme-XXXXXX";
        const int fd = ::mkstemp(nome);
        if (fd >= 0)
            ::close(fd);
        return std::string(nome);
    }();
    return percorso;
}

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
    // The play's walk finds every entry some record holds.
    std::size_t found = 0;
    for (IndiceInsieme::Giro giro(index, entries); giro.prossimo();)
        ++found;
    VERIFICA(found == records.size() + (missingTaken ? 1 : 0));

    // The whole set chosen and played by the game: every record once, in file order, each
    // credited what the simulator's bit-mask count says it wins.
    std::ofstream(fileDellInsieme(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char *>(data), std::streamsize(size));
    Partita partita;
    VERIFICA(!partita.apri(fileDellInsieme()));
    Partita::Conti ricco;
    ricco.punti = *Currency::fromWhole(std::int64_t(1) << 40);
    partita.ripristina(ricco);
    const auto scelte = partita.scegliTutte();
    if (scelte.esito != Partita::Mossa::Esito::Fatta)
        return 0; // more than the points can pay: refused, and nothing to play
    DaiByte generatore(data, size);
    const Partita::Turno turno = partita.gioca(generatore);
    std::vector<ProfiloSchedina> profili;
    for (const Schedina &s : records)
        profili.emplace_back(s);
    const __int128 vinto = ProfiloSchedina::vinciteTotali(profili, partita.estrazione());
    VERIFICA(SchedineCompilate(records).vincite(partita.estrazione()) == vinto);
    VERIFICA(turno.esito == Partita::Turno::Esito::Giocato);
    // Within the currency's range either way (a stake read from any bytes may be negative), the
    // play's winnings are the simulator's to the point.
    if (vinto < (__int128(1) << 45) && vinto > -(__int128(1) << 45))
        VERIFICA(partita.conti().vincita == *Currency::fromWhole(std::int64_t(vinto)));
    return 0;
}
