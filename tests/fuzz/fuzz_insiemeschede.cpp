// A set file is whatever bytes are on the disk: written by an older version, cut short by a
// full disk, edited by hand. Every scan the game and the companion run on it must finish, find
// exactly what a plain reading of the bytes finds and leave the file as it was; rewriting a
// record read from it changes nothing, and an append lands where the game always put it.

#include "contenuto.h"
#include "filetemporaneo.h"
#include "verifica.h"

#include "shared/text.h"
#include "storage/codepage1252.h"
#include "storage/indiceinsieme.h"
#include "storage/insiemeschede.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kRecord = Contenuto::kRecord;

// The text a title search is run with: the UTF-8 of a stored title, picked by the input's first
// byte, or the tail's bytes read as text, which may be malformed. Each search reads the whole
// file through a buffer of a megabyte, so one text per input keeps the runs quick.
std::string testoCercato(const Contenuto &c)
{
    const std::size_t n = c.conta();
    if (n == 0 || c.data[0] % 4 == 0)
        return std::string(c.coda());
    return Schedina::decodifica(c.record(1 + c.data[1] % n)).titoloTesto();
}

void verificaLetture(const InsiemeSchede &insieme, const Contenuto &c)
{
    const std::size_t n = c.conta();

    const auto lunghezza = insieme.lunghezza();
    VERIFICA(lunghezza && lunghezza.valore() == c.size);
    const auto conta = insieme.conta();
    VERIFICA(conta && conta.valore() == n);
    const auto entroIlLimite = insieme.contaEntroIlLimite();
    VERIFICA(entroIlLimite && entroIlLimite.valore() == n);

    const auto tutte = insieme.leggiTutte();
    VERIFICA(tutte && tutte.valore().size() == n);
    for (std::size_t k = 1; k <= n; ++k)
        VERIFICA(tutte.valore()[k - 1] == Schedina::decodifica(c.record(k)));

    // The records are visited in order with their own bytes, and a visitor that stops is never
    // called again.
    const std::size_t fermo = c.size == 0 ? 1 : 1 + c.data[c.size - 1] % (n + 2);
    std::size_t visitati = 0;
    VERIFICA(insieme.scorri([&](std::uint64_t k, const unsigned char *bytes) {
        VERIFICA(visitati < fermo);
        VERIFICA(k == ++visitati);
        VERIFICA(std::memcmp(bytes, c.record(k), kRecord) == 0);
        return visitati < fermo;
    }));
    VERIFICA(visitati == std::min(fermo, n));

    // Records by number: every existing one, and numbers around and far beyond the end.
    std::uint64_t lontano = std::numeric_limits<std::uint64_t>::max();
    if (c.size > 0)
        std::memcpy(&lontano, c.data, std::min(c.size, sizeof lontano));
    for (const std::uint64_t k : {std::uint64_t{0}, std::uint64_t{1}, std::uint64_t{n / 2},
                                  std::uint64_t{n}, std::uint64_t{n + 1}, lontano}) {
        const auto letta = insieme.leggi(k);
        if (k >= 1 && k <= n)
            VERIFICA(letta && letta.valore() == Schedina::decodifica(c.record(k)));
        else
            VERIFICA(!letta);
    }

    // Titles searched as the editor and the companion search them.
    const std::string testo = testoCercato(c);
    const auto trovato = insieme.trovaPerTitolo(testo);
    VERIFICA(trovato);
    const std::string_view cercato = trimSpaces(testo);
    VERIFICA(trovato.valore() == c.primoCon([&](std::string_view titolo) {
        return CodePage1252::decodeToUtf8(trimSpaces(titolo)) == cercato;
    }));
    const auto voce = insieme.trovaPerVoce(testo);
    VERIFICA(voce);
    VERIFICA(voce.valore() == c.primoCon([&](std::string_view titolo) {
        return CodePage1252::decodeToUtf8(titolo) == testo;
    }));

    // The index the play and the refund use is the same records, each found by its title.
    const auto indice = IndiceInsieme::leggi(insieme);
    VERIFICA(indice && indice.valore().conta() == n);
    for (std::size_t k = 1; k <= n; ++k) {
        VERIFICA(indice.valore().scheda(k) == tutte.valore()[k - 1]);
        VERIFICA(indice.valore().primo(c.titolo(k)) == c.cercaInCerchio(c.titolo(k), 1));
    }
}

// Writing a record read from the file puts back the same bytes; appending lands where the
// rounding of the length says, and nothing before it moves.
void verificaScritture(const InsiemeSchede &insieme, const Contenuto &c)
{
    const FileTemporaneo &file = fileTemporaneo();
    const std::size_t n = c.conta();
    if (n > 0) {
        const std::size_t k = 1 + c.data[0] % n;
        VERIFICA(insieme.sovrascrivi(k, Schedina::decodifica(c.record(k))));
        VERIFICA(file.contenuto() == c.tutto());
    }

    Schedina nuova;
    if (n > 0)
        nuova = Schedina::decodifica(c.record(n));
    nuova.impostaTitolo("Aggiunta");
    const std::size_t coda = c.coda().size();
    std::size_t atteso = n + 1;
    if (2 * coda > kRecord || (2 * coda == kRecord && (n + 1) % 2 == 1))
        atteso = n + 2;
    VERIFICA(InsiemeSchede::numeroPerAggiunta(c.size) == atteso);
    const auto scritto = insieme.aggiungi(nuova);
    VERIFICA(scritto && scritto.valore() == atteso);

    const std::string dopo = file.contenuto();
    const std::size_t inizio = (atteso - 1) * kRecord;
    const std::size_t tenuti = std::min(inizio, c.size);
    VERIFICA(dopo.size() == atteso * kRecord);
    VERIFICA(std::string_view(dopo).substr(0, tenuti) == c.tutto().substr(0, tenuti));
    for (std::size_t i = c.size; i < inizio; ++i)
        VERIFICA(dopo[i] == '\0');
    const auto record = nuova.codifica();
    VERIFICA(std::memcmp(dopo.data() + inizio, record.data(), kRecord) == 0);
    const auto riletta = insieme.leggi(atteso);
    VERIFICA(riletta && riletta.valore() == nuova);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FileTemporaneo &file = fileTemporaneo();
    file.scrivi(data, size);
    const Contenuto c{data, size};
    const InsiemeSchede insieme(file.percorso());

    verificaLetture(insieme, c);
    // Nothing above writes.
    VERIFICA(file.contenuto() == c.tutto());

    verificaScritture(insieme, c);
    return 0;
}
