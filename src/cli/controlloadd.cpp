#include "controlloadd.h"

#include "base/codepage1252.h"
#include "base/lotto.h"
#include "base/testovisibile.h"
#include "base/text.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <set>

namespace {

using Rifiuto = ControlloSalvataggio::Rifiuto;
using Passo = ControlloSalvataggio::Passo;
using catalogo::Evento;

// A mistake in how the command was written (an unknown wheel or bet type): a usage error.
struct NomeSconosciuto
{
    std::string messaggio;
};

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
    throw NomeSconosciuto{std::string(what) + " sconosciuta: \"" + testoVisibile(name) + "\""};
}

bool allDigits(std::string_view text)
{
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

struct Giocata
{
    std::size_t tipo;
    std::string puntata;
};

struct Richiesta
{
    std::string titolo;
    std::vector<std::string> numeri;
    std::vector<std::size_t> ruote;
    std::vector<Giocata> giocate;
};

Richiesta parse(const RichiestaAdd &r)
{
    Richiesta p;
    p.titolo = r.titolo;
    p.numeri = ControlloAdd::elenco(r.numeri);
    for (const std::string &wheel : ControlloAdd::elenco(r.ruote))
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
        const auto value = ControlloAdd::numero(p.numeri[i]);
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

// The companion keeps every title whole: one cut to the set's 20 characters could match another
// cut the same way, and a control character would reach the game's lists and players' terminals.
std::optional<Rifiuto> checkTitle(const Richiesta &p)
{
    if (haControlli(p.titolo))
        return proprio("Il titolo \"" + testoVisibile(p.titolo) +
                       "\" contiene un carattere di controllo: usa lettere, cifre, spazi e segni");
    const std::string byte =
        CodePage1252::encodeFromUtf8(p.titolo, std::numeric_limits<std::size_t>::max());
    const std::size_t caratteri = byte.find_last_not_of(' ') + 1; // padding is no character
    if (caratteri > Schedina::kLunghezzaTitolo)
        return proprio("Il titolo ha " + std::to_string(caratteri) +
                       " caratteri: una schedina ne tiene al massimo " +
                       std::to_string(Schedina::kLunghezzaTitolo));
    return std::nullopt;
}

std::optional<Rifiuto> checkNumbers(const Richiesta &p)
{
    if (auto refusal = ControlloAdd::controllaNumeri(p.numeri))
        return proprio(*refusal);
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
    case Passo::Titolo:
        return checkTitle(p);
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

} // namespace

std::vector<std::string> ControlloAdd::elenco(std::string_view testo)
{
    std::vector<std::string> parts;
    if (trimSpaces(testo).empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        const auto comma = testo.find(',', start);
        parts.emplace_back(trimSpaces(testo.substr(start, comma - start)));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

std::optional<long long> ControlloAdd::numero(std::string_view testo)
{
    const bool negative = !testo.empty() && testo.front() == '-';
    const std::string_view digits = testo.substr(negative || testo.starts_with('+') ? 1 : 0);
    if (!allDigits(digits))
        return std::nullopt;
    const std::size_t significant = std::min(digits.find_first_not_of('0'), digits.size());
    if (digits.size() - significant > 6)
        return negative ? -1000000 : 1000000; // far outside 1..90 either way
    const long long value = std::stoll(std::string(digits));
    return negative ? -value : value;
}

std::optional<std::string> ControlloAdd::controllaNumeri(const std::vector<std::string> &numeri)
{
    std::set<long long> seen;
    for (const std::string &token : numeri) {
        const auto value = numero(token);
        if (!value)
            return "\"" + testoVisibile(token) + "\" non è un numero intero";
        if (*value < 1 || *value > 90)
            return Rifiuto::di(Evento::SalvaNumeroFuoriIntervallo).testo;
        if (!seen.insert(*value).second)
            return Rifiuto::di(Evento::NumeroGiaIntrodotto).testo;
    }
    return std::nullopt;
}

ControlloAdd::Verdetto ControlloAdd::controlla(const RichiestaAdd &richiesta,
                                               const ControlloSalvataggio::TitoloEsiste &esiste)
{
    Verdetto v;
    Richiesta p;
    try {
        p = parse(richiesta);
    } catch (const NomeSconosciuto &e) {
        v.rifiuto = e.messaggio;
        v.nomeSconosciuto = true;
        return v;
    }
    const ModuloScheda m = modulo(richiesta, p);
    v.titolo = m.titolo;
    const auto checked = ControlloSalvataggio::controlla(
        m, esiste, [&](Passo passo) { return ownChecks(passo, p); });
    v.errore = checked.errore;
    if (checked.rifiuto)
        v.rifiuto = checked.rifiuto->testo;
    if (!checked.ok())
        return v;
    auto built = ControlloSalvataggio::costruisci(m);
    if (const auto *refusal = std::get_if<Rifiuto>(&built))
        v.rifiuto = refusal->testo;
    else
        v.schedina = std::get<Schedina>(built);
    return v;
}
