#include "comandoadd.h"

#include "cli/erroredifile.h"
#include "editor/controllosalvataggio.h"
#include "shared/text.h"
#include "storage/codepage1252.h"
#include "storage/insiemeschede.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <limits>
#include <optional>
#include <ostream>
#include <set>
#include <unistd.h>

namespace {

using Rifiuto = ControlloSalvataggio::Rifiuto;
using Passo = ControlloSalvataggio::Passo;
using catalogo::Evento;

// A mistake in how the command was written (an unknown wheel or bet type): a usage error.
struct NomeSconosciuto
{
    std::string messaggio;
};

std::vector<std::string> splitList(const std::string &text)
{
    std::vector<std::string> parts;
    if (trimSpaces(text).empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        parts.emplace_back(trimSpaces(std::string_view(text).substr(start, comma - start)));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

bool sameName(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
}

template <typename Names>
std::size_t indexOf(const Names &names, std::string_view name, const char *what)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameName(names[i], name))
            return i;
    }
    throw NomeSconosciuto{std::string(what) + " sconosciuta: \"" + std::string(name) + "\""};
}

bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The numbers as given: a value for each token that is a whole number, nothing otherwise.
std::optional<long long> parseNumber(std::string_view token)
{
    const bool negative = !token.empty() && token.front() == '-';
    const std::string_view digits = token.substr(negative || token.starts_with('+') ? 1 : 0);
    if (!allDigits(digits))
        return std::nullopt;
    const std::size_t significant = std::min(digits.find_first_not_of('0'), digits.size());
    if (digits.size() - significant > 6)
        return negative ? -1000000 : 1000000; // far outside 1..90 either way
    const long long value = std::stoll(std::string(digits));
    return negative ? -value : value;
}

struct Giocata
{
    std::size_t tipo;
    std::string puntata;
};

struct Richiesta
{
    std::vector<std::string> numeri;
    std::vector<std::size_t> ruote;
    std::vector<Giocata> giocate;
};

Richiesta parse(const RichiestaAdd &r)
{
    Richiesta p;
    p.numeri = splitList(r.numeri);
    for (const std::string &wheel : splitList(r.ruote))
        p.ruote.push_back(indexOf(lotto::kNomiRuote, wheel, "Ruota"));
    for (const std::string &bet : r.giocate) {
        const auto equals = bet.find('=');
        const std::string name(trimSpaces(std::string_view(bet).substr(0, equals)));
        const std::string stake = equals == std::string::npos ? "" : bet.substr(equals + 1);
        p.giocate.push_back({indexOf(lotto::kNomiGiocate, name, "Giocata"), stake});
    }
    return p;
}

ModuloScheda modulo(const RichiestaAdd &r, const Richiesta &p)
{
    ModuloScheda m;
    // The title as the set file will hold it, as the editor's title box shows it: a character
    // Windows-1252 lacks is "?" before any check sees it.
    m.titolo = CodePage1252::decodeToUtf8(
        CodePage1252::encodeFromUtf8(r.titolo, std::numeric_limits<std::size_t>::max()));
    const std::size_t filled = std::min(p.numeri.size(), lotto::kCaselleNumeri);
    for (std::size_t i = 0; i < filled; ++i) {
        const auto value = parseNumber(p.numeri[i]);
        m.numeri[i] = value ? std::to_string(std::clamp<long long>(*value, 0, 99)) : "0";
        m.numeriAttivi[i] = true;
    }
    if (filled < lotto::kCaselleNumeri)
        m.numeriAttivi[filled] = true; // the next box is open, as in the editor
    for (std::size_t w : p.ruote)
        m.ruote[w] = true;
    for (const Giocata &g : p.giocate) {
        m.giocate[g.tipo] = true;
        m.puntate[g.tipo] = g.puntata;
    }
    return m;
}

Rifiuto proprio(std::string testo)
{
    return {std::nullopt, std::move(testo), -1};
}

std::optional<Rifiuto> checkNumbers(const Richiesta &p)
{
    std::set<long long> seen;
    for (const std::string &token : p.numeri) {
        const auto value = parseNumber(token);
        if (!value)
            return proprio("\"" + token + "\" non è un numero intero");
        if (*value < 1 || *value > 90)
            return Rifiuto::di(Evento::SalvaNumeroFuoriIntervallo);
        if (!seen.insert(*value).second)
            return Rifiuto::di(Evento::NumeroGiaIntrodotto);
    }
    if (p.numeri.size() > lotto::kCaselleNumeri)
        return proprio("Puoi giocare al massimo 10 numeri su una schedina");
    return std::nullopt;
}

std::optional<Rifiuto> checkWheels(const Richiesta &p)
{
    const bool tutte = std::count(p.ruote.begin(), p.ruote.end(), lotto::kTutte) > 0;
    if (tutte && std::any_of(p.ruote.begin(), p.ruote.end(),
                             [](std::size_t w) { return w != lotto::kTutte; }))
        return proprio("TUTTE comprende già ogni ruota: non indicare anche ruote singole");
    return std::nullopt;
}

std::optional<Rifiuto> checkBets(const Richiesta &p)
{
    std::set<std::size_t> seen;
    for (const Giocata &g : p.giocate) {
        if (!seen.insert(g.tipo).second)
            return proprio("Hai indicato la giocata " + std::string(lotto::kNomiGiocate[g.tipo]) +
                           " più di una volta");
    }
    for (const Giocata &g : p.giocate) {
        if (p.numeri.size() < lotto::numeriRichiesti(g.tipo))
            return proprio("Per giocare " + std::string(lotto::kNomiGiocate[g.tipo]) +
                           " servono almeno " + std::to_string(lotto::numeriRichiesti(g.tipo)) +
                           " numeri");
    }
    return std::nullopt;
}

std::optional<Rifiuto> checkStakes(const Richiesta &p)
{
    for (const Giocata &g : p.giocate) {
        if (!allDigits(g.puntata))
            return Rifiuto::di(Evento::SoloCifre);
    }
    for (const Giocata &g : p.giocate) {
        if (!Currency::fromDigits(g.puntata))
            return ControlloSalvataggio::puntataTroppoAlta(g.tipo);
    }
    return std::nullopt;
}

// The companion's own checks, each run right after the editor's check it belongs with.
std::optional<Rifiuto> ownChecks(Passo passo, const Richiesta &p)
{
    switch (passo) {
    case Passo::Numeri:
        return checkNumbers(p);
    case Passo::Ruote:
        return checkWheels(p);
    case Passo::Giocate:
        return checkBets(p);
    case Passo::Puntate:
        return checkStakes(p);
    default:
        return std::nullopt;
    }
}

// A missing file is an empty set here, and looking must not create it.
Esito<bool> titleInSet(const std::string &percorso, std::string_view titolo)
{
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    auto found = insieme.trovaPerTitolo(titolo);
    if (!found) {
        const ErroreFile &e = found.errore();
        if (e.tipo() == ErroreFile::Tipo::Apertura && e.codice() == ENOENT)
            return false;
        return e;
    }
    return found.valore().has_value();
}

// The checked ticket appended under the set's lock, its title looked for again there: another
// writer may have saved it meanwhile. The number is printed while the lock is held, so that a
// number nobody could read takes its ticket back. A file the lock made goes if nothing stays.
int appendAndPrint(const std::string &percorso, const Schedina &schedina, std::string_view titolo,
                   std::ostream &out, std::ostream &err)
{
    const auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return erroreDiFile(blocco.errore(), err);
    const InsiemeSchede insieme(percorso);
    const auto fallita = [&](int codice) {
        if (blocco.valore().creato())
            ::unlink(percorso.c_str());
        return codice;
    };
    const auto before = insieme.primaDellAggiunta(blocco.valore());
    const auto found = insieme.trovaPerTitolo(titolo);
    if (!before || !found)
        return fallita(erroreDiFile(before ? found.errore() : before.errore(), err));
    if (found.valore()) {
        err << Rifiuto::di(Evento::SalvaTitoloEsistente).testo << '\n';
        return fallita(2);
    }
    const auto written = insieme.aggiungi(schedina, blocco.valore());
    if (!written)
        return fallita(erroreDiFile(written.errore(), err));
    if (out << written.valore() << '\n' && out.flush())
        return 0;
    insieme.annullaAggiunta(blocco.valore(), before.valore());
    return 1;
}

} // namespace

int eseguiAdd(const RichiestaAdd &richiesta, std::ostream &out, std::ostream &err)
{
    Richiesta p;
    try {
        p = parse(richiesta);
    } catch (const NomeSconosciuto &e) {
        err << "zaffirone-cli: " << e.messaggio << "\nUso: zaffirone-cli add --help\n";
        return 2;
    }
    const ModuloScheda m = modulo(richiesta, p);
    const auto verdict = ControlloSalvataggio::controlla(
        m, [&](std::string_view t) { return titleInSet(richiesta.percorso, t); },
        [&](Passo passo) { return ownChecks(passo, p); });
    if (verdict.errore)
        return erroreDiFile(*verdict.errore, err);
    if (verdict.rifiuto) {
        err << verdict.rifiuto->testo << '\n';
        return 2;
    }
    auto built = ControlloSalvataggio::costruisci(m);
    if (const auto *refusal = std::get_if<Rifiuto>(&built)) {
        err << refusal->testo << '\n';
        return 2;
    }
    return appendAndPrint(richiesta.percorso, std::get<Schedina>(built), m.titolo, out, err);
}
