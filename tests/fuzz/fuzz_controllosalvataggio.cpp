// The editor's boxes can hold anything a player types or pastes. The save checks must run to
// the end on any of it, refuse only for a reason the boxes really show, in the editor's order,
// and the record built afterwards must hold exactly what the boxes say; building is refused
// only for a stake no set file can hold.

#include "verifica.h"

#include "editor/controllosalvataggio.h"
#include "editor/moduloscheda.h"
#include "shared/text.h"
#include "sound/catalogo.h"
#include "storage/codepage1252.h"
#include "storage/schedina.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using Passo = ControlloSalvataggio::Passo;
using Rifiuto = ControlloSalvataggio::Rifiuto;
using catalogo::Evento;

constexpr Passo kOrdine[] = {Passo::Titolo, Passo::TitoloUnico, Passo::Numeri, Passo::NumeroZero,
                             Passo::Ruote,  Passo::Giocate,     Passo::Puntate};
constexpr std::size_t kPassi = std::size(kOrdine);

// What the set answers when asked for a title: it looks among the titles taken from the
// input, or it cannot be read.
enum class Risposta
{
    Cerca,
    Illeggibile
};

// A number box read as the record stores it: the digits it starts with, held at 32767.
std::int16_t numeroCasella(std::string_view testo)
{
    std::int64_t v = 0;
    for (char c : testo) {
        if (c < '0' || c > '9')
            break;
        v = std::min<std::int64_t>(v * 10 + (c - '0'), INT16_MAX);
    }
    return static_cast<std::int16_t>(v);
}

// The whole units of a stake box when a set file can hold them (at most 922337203685477, so
// that ten-thousandths fit in 64 bits); nothing for an empty box, a character other than a
// digit, or a larger amount.
std::optional<std::int64_t> puntataAmmessa(std::string_view testo)
{
    if (testo.empty() ||
        !std::all_of(testo.begin(), testo.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    while (testo.size() > 1 && testo.front() == '0')
        testo.remove_prefix(1);
    constexpr std::string_view kMassimo = "922337203685477";
    if (testo.size() > kMassimo.size() || (testo.size() == kMassimo.size() && testo > kMassimo))
        return std::nullopt;
    std::int64_t v = 0;
    for (char c : testo)
        v = v * 10 + (c - '0');
    return v;
}

bool qualcuno(const auto &caselle)
{
    return std::any_of(caselle.begin(), caselle.end(), [](bool b) { return b; });
}

std::size_t attivati(const ModuloScheda &m)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < m.numeri.size(); ++i)
        n += m.numeriAttivi[i] && !m.numeri[i].empty() ? 1 : 0;
    return n;
}

// Whether a step's check has what it needs to pass, read straight from the boxes.
bool passa(Passo passo, const ModuloScheda &m, bool titoloPresente)
{
    switch (passo) {
    case Passo::Titolo:
        return !m.titolo.empty();
    case Passo::TitoloUnico:
        return !titoloPresente;
    case Passo::Numeri:
        return !m.numeri[0].empty();
    case Passo::NumeroZero: {
        const std::size_t n = attivati(m);
        return n == 0 || numeroCasella(m.numeri[n - 1]) != 0;
    }
    case Passo::Ruote:
        return qualcuno(m.ruote);
    case Passo::Giocate:
        return qualcuno(m.giocate);
    case Passo::Puntate:
        for (std::size_t g = 0; g < m.giocate.size(); ++g) {
            if (m.giocate[g] && m.puntate[g].empty())
                return false;
        }
        return true;
    }
    return false;
}

Evento eventoDi(Passo passo)
{
    switch (passo) {
    case Passo::Titolo:
        return Evento::SalvaSenzaTitolo;
    case Passo::TitoloUnico:
        return Evento::SalvaTitoloEsistente;
    case Passo::Numeri:
        return Evento::SalvaSenzaNumeri;
    case Passo::NumeroZero:
        return Evento::SalvaNumeroFuoriIntervallo;
    case Passo::Ruote:
        return Evento::SalvaSenzaRuote;
    case Passo::Giocate:
        return Evento::SalvaSenzaGiocate;
    case Passo::Puntate:
        return Evento::SalvaSenzaPuntata;
    }
    return Evento::Click;
}

std::string testoCasella(FuzzedDataProvider &in, std::size_t massimo, bool soloCifre)
{
    std::string testo = in.ConsumeRandomLengthString(massimo);
    if (soloCifre) {
        for (char &c : testo)
            c = static_cast<char>('0' + static_cast<unsigned char>(c) % 10);
    }
    return testo;
}

void verificaControlli(const ModuloScheda &m, const std::vector<std::string> &esistenti,
                       Risposta risposta, std::size_t rifiutaDopo)
{
    std::vector<std::string> domande;
    bool titoloPresente = false;
    const ControlloSalvataggio::TitoloEsiste titoloEsiste =
        [&](std::string_view titolo) -> Esito<bool> {
        domande.emplace_back(titolo);
        if (risposta == Risposta::Illeggibile)
            return ErroreFile(ErroreFile::Tipo::Lettura, "insieme.slott", EIO);
        titoloPresente = std::any_of(esistenti.begin(), esistenti.end(), [&](const auto &t) {
            return trimSpaces(t) == trimSpaces(titolo);
        });
        return titoloPresente;
    };
    std::vector<Passo> passati;
    const Rifiuto aggiunto = Rifiuto::di(Evento::SchedaSenzaInsieme);
    const auto aggiuntivo = [&](Passo passo) -> std::optional<Rifiuto> {
        passati.push_back(passo);
        if (passati.size() == rifiutaDopo)
            return aggiunto;
        return std::nullopt;
    };

    const auto esito = ControlloSalvataggio::controlla(m, titoloEsiste, aggiuntivo);

    // The title is asked for at most once, as typed, and only when it is not the title the
    // ticket being modified already has.
    VERIFICA(domande.size() <= 1);
    VERIFICA(domande.empty() || domande.front() == m.titolo);
    const bool stessoTitolo = m.modifica && trimSpaces(m.titolo) == trimSpaces(m.titoloOriginale);
    if (stessoTitolo)
        VERIFICA(domande.empty());

    // The steps that passed are the first ones, in order, and each had what it needed.
    VERIFICA(passati.size() <= kPassi);
    for (std::size_t i = 0; i < passati.size(); ++i) {
        VERIFICA(passati[i] == kOrdine[i]);
        VERIFICA(passa(passati[i], m, titoloPresente));
    }
    if (passati.size() >= 2 && !stessoTitolo)
        VERIFICA(domande.size() == 1);

    VERIFICA(!(esito.rifiuto && esito.errore));
    if (esito.ok()) {
        VERIFICA(passati.size() == kPassi);
        VERIFICA(rifiutaDopo > kPassi);
        return;
    }
    if (esito.errore) {
        // Only the title's search can fail, and then nothing after it runs.
        VERIFICA(risposta == Risposta::Illeggibile && domande.size() == 1);
        VERIFICA(passati.size() == 1);
        VERIFICA(esito.errore->tipo() == ErroreFile::Tipo::Lettura);
        return;
    }
    const Rifiuto &r = *esito.rifiuto;
    VERIFICA(r.evento.has_value());
    VERIFICA(!r.testo.empty());
    if (passati.size() == rifiutaDopo) {
        // The caller's own check refused after its step passed.
        VERIFICA(r.evento == aggiunto.evento && r.testo == aggiunto.testo);
        VERIFICA(r.casella == -1);
        return;
    }
    // Refused by the first step that did not pass, for that step's own reason.
    VERIFICA(passati.size() < kPassi);
    const Passo fermo = kOrdine[passati.size()];
    VERIFICA(!passa(fermo, m, titoloPresente));
    VERIFICA(r.evento == eventoDi(fermo));
    VERIFICA(r.testo == catalogo::voce(eventoDi(fermo)).testo);
    if (fermo == Passo::NumeroZero) {
        const std::size_t n = attivati(m);
        VERIFICA(r.casella == static_cast<int>(n) - 1);
    } else {
        VERIFICA(r.casella == -1);
    }
}

void verificaCostruzione(const ModuloScheda &m, bool controlliSuperati, bool soloCifre)
{
    const auto costruita = ControlloSalvataggio::costruisci(m);

    std::optional<std::size_t> troppoAlta;
    for (std::size_t g = 0; g < lotto::kTipiGiocata && !troppoAlta; ++g) {
        if (m.giocate[g] && !puntataAmmessa(m.puntate[g]))
            troppoAlta = g;
    }
    if (const auto *r = std::get_if<Rifiuto>(&costruita)) {
        // After the checks, with stakes typed as the editor lets them be typed, the only
        // refusal left is a stake too large to store.
        VERIFICA(troppoAlta.has_value());
        if (controlliSuperati && soloCifre)
            VERIFICA(!m.puntate[*troppoAlta].empty());
        const Rifiuto atteso = ControlloSalvataggio::puntataTroppoAlta(*troppoAlta);
        VERIFICA(r->testo == atteso.testo && !r->evento && r->casella == -1);
        return;
    }
    VERIFICA(!troppoAlta.has_value());
    const Schedina &s = std::get<Schedina>(costruita);

    std::string titolo = CodePage1252::encodeFromUtf8(m.titolo, Schedina::kLunghezzaTitolo);
    titolo.resize(Schedina::kLunghezzaTitolo, ' ');
    VERIFICA(s.titoloGrezzo() == titolo);
    for (std::size_t i = 0; i < s.ruote.size(); ++i)
        VERIFICA(s.ruote[i] == (i < m.ruote.size() && m.ruote[i] ? 1 : 0));
    for (std::size_t i = 0; i < s.numeri.size(); ++i) {
        const bool attiva = i < m.numeri.size() && m.numeriAttivi[i];
        VERIFICA(s.numeri[i] == (attiva ? numeroCasella(m.numeri[i]) : 0));
    }
    for (std::size_t g = 0; g < s.giocate.size(); ++g) {
        const bool giocata = g < m.giocate.size() && m.giocate[g];
        VERIFICA(s.giocate[g] == (giocata ? 1 : 0));
        const std::int64_t unita = giocata ? *puntataAmmessa(m.puntate[g]) : 0;
        VERIFICA(s.puntate[g].raw() == unita * Currency::kScale);
    }
    // What is built is stored and read back unchanged.
    const auto record = s.codifica();
    VERIFICA(Schedina::decodifica(record.data()) == s);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    // The editor's number and stake boxes take digits only; the companion and a paste may
    // bring anything, so both kinds of text are tried.
    const bool soloCifre = in.ConsumeBool();
    const auto risposta = in.ConsumeBool() ? Risposta::Illeggibile : Risposta::Cerca;
    const auto rifiutaDopo = in.ConsumeIntegralInRange<std::size_t>(1, kPassi + 1);

    ModuloScheda m;
    for (std::size_t i = 0; i < m.numeri.size(); ++i)
        m.numeriAttivi[i] = in.ConsumeBool();
    for (std::size_t i = 0; i < m.ruote.size(); ++i)
        m.ruote[i] = in.ConsumeBool();
    for (std::size_t g = 0; g < m.giocate.size(); ++g)
        m.giocate[g] = in.ConsumeBool();
    m.modifica = in.ConsumeBool();

    m.titolo = in.ConsumeRandomLengthString(40);
    for (std::string &numero : m.numeri)
        numero = testoCasella(in, 8, soloCifre);
    for (std::string &puntata : m.puntate)
        puntata = testoCasella(in, 24, soloCifre);
    m.titoloOriginale = in.ConsumeRandomLengthString(40);
    std::vector<std::string> esistenti;
    while (esistenti.size() < 4 && in.remaining_bytes() > 0)
        esistenti.push_back(in.ConsumeRandomLengthString(40));

    verificaControlli(m, esistenti, risposta, rifiutaDopo);
    // Whether the editor would go on to build the record (no set holds the title yet).
    const auto nessunTitolo = [](std::string_view) -> Esito<bool> {
        return false;
    };
    const bool superati = ControlloSalvataggio::controlla(m, nessunTitolo).ok();
    verificaCostruzione(m, superati, soloCifre);
    return 0;
}
