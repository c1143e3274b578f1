#include "comandivalutazione.h"

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"
#include "cli/righeperschedina.h"
#include "engine/estrazione.h"
#include "engine/partita.h"
#include "engine/profiloschedina.h"
#include "engine/simulazione.h"
#include "engine/valutazione.h"
#include "storage/insiemeschede.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <variant>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;
using Clock = std::chrono::steady_clock;

std::optional<std::uint64_t> parseWhole(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// Fifty numbers, wheel by wheel from Bari, five different numbers from 1 to 90 on each.
std::optional<std::array<std::int16_t, 50>> parseDraw(const std::string &text)
{
    std::array<std::int16_t, 50> numbers{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const auto comma = text.find(',', start);
        const auto value = parseWhole(std::string_view(text).substr(start, comma - start));
        if (!value || *value < 1 || *value > 90 || count == numbers.size())
            return std::nullopt;
        numbers[count++] = std::int16_t(*value);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (count != numbers.size())
        return std::nullopt;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const std::set<std::int16_t> wheel(numbers.begin() + 5 * w, numbers.begin() + 5 * w + 5);
        if (wheel.size() != 5)
            return std::nullopt;
    }
    return numbers;
}

// A credited amount: a whole number when it is one the JSON integers hold.
Json points(double value)
{
    if (std::fabs(value) < 9.2e18)
        return std::int64_t(value);
    return value;
}

Json points(__int128 value)
{
    if (value >= INT64_MIN && value <= INT64_MAX)
        return std::int64_t(value);
    return double(value);
}

class Registro : public Annunciatore
{
public:
    void annuncia(std::size_t tipo, std::size_t ruota) override
    {
        annunci.push_back(
            {{"tipo", lotto::kNomiGiocate.at(tipo)}, {"ruota", lotto::nomeRuota(ruota)}});
    }
    Json annunci = Json::array();
};

Json costJson(const Schedina &s)
{
    const auto cost = s.costo();
    return cost ? Json(cost->toString()) : Json(nullptr);
}

struct OpzioniSimulate
{
    bool partite = false; // whole games rather than draws
    std::uint64_t quante = 0;
    std::uint64_t seme = 0;
    std::uint64_t turni = 1000;
    unsigned thread = 1;
};

// Every count up to the largest whole number of 64 bits is honoured exactly (a block's numbers
// never wrap round); anything past it, or not a whole number, is refused.
std::variant<OpzioniSimulate, std::string> leggiOpzioni(const RichiestaSimulate &r)
{
    if (r.estrazioni.has_value() == r.partite.has_value())
        return std::string("indica --estrazioni oppure --partite, uno solo dei due");
    if (r.turni && !r.partite)
        return std::string("--turni vale solo con --partite");
    const auto intero = [](const std::optional<std::string> &testo, std::uint64_t altrimenti) {
        return testo ? parseWhole(*testo) : std::optional(altrimenti);
    };
    const auto quante = intero(r.partite ? r.partite : r.estrazioni, 0);
    const auto seme = intero(r.seme, std::random_device()() ^
                                         std::uint64_t(Clock::now().time_since_epoch().count()));
    const auto turni = intero(r.turni, 1000);
    const auto thread = intero(r.thread, Simulazione::threadDisponibili());
    if (!quante || !seme || !turni || !thread)
        return "--estrazioni, --partite, --seme, --turni e --thread vogliono numeri interi da 0 "
               "a " +
               std::to_string(UINT64_MAX);
    if (r.partite && *quante == 0)
        return std::string("--partite vuole almeno una partita");
    if (*turni == 0)
        return std::string("--turni vuole almeno un turno");
    if (*thread == 0 || *thread > 1024)
        return std::string("--thread vuole da 1 a 1024 thread");
    return OpzioniSimulate{r.partite.has_value(), *quante, *seme, *turni, unsigned(*thread)};
}

int simulaEstrazioni(const std::vector<Schedina> &schede, const OpzioniSimulate &o,
                     std::ostream &out, std::ostream &err)
{
    const auto result = Simulazione::esegui(schede, o.quante, o.seme, o.thread);
    Json staked = nullptr;
    Json yield = nullptr;
    if (result.puntato) {
        staked = result.puntato->toString();
        if (result.puntato->raw() != 0)
            yield = double(result.vinto) / result.puntato->toDouble();
    } else {
        err << "zaffirone-cli: il totale puntato supera il limite della valuta, puntato null\n";
    }
    const double evaluations = double(result.estrazioni) * double(result.schedine);
    out << Json{{"estrazioni", result.estrazioni},
                {"schedine", result.schedine},
                {"puntato", staked},
                {"vinto", points(result.vinto)},
                {"rendimento", yield},
                {"secondi", result.secondi},
                {"valutazioni_al_secondo", result.secondi > 0 ? evaluations / result.secondi : 0.0}}
               .dump()
        << '\n';
    return uscita::kFatto;
}

// Points in ten-thousandths as the plain currency format writes them, beyond 64 bits too.
std::string puntiTesto(__int128 raw)
{
    if (raw >= INT64_MIN && raw <= INT64_MAX)
        return Currency::fromRaw(std::int64_t(raw)).toString();
    std::string cifre;
    for (__int128 intero = raw / Currency::kScale; intero != 0; intero /= 10)
        cifre.insert(cifre.begin(), char('0' + int(intero % 10)));
    return cifre; // only a win beyond any real stake gets here: its fraction is left out
}

// The q-th quantile by nearest rank: the ceil(q N)-th smallest, q in hundredths, from a count of
// the games by value.
template <typename T>
T quantile(const std::map<T, std::uint64_t> &conteggi, std::uint64_t giocate,
           std::uint64_t centesimi)
{
    const unsigned __int128 rango =
        std::max<unsigned __int128>(1, ((unsigned __int128)giocate * centesimi + 99) / 100);
    unsigned __int128 visti = 0;
    for (const auto &[valore, quante] : conteggi) {
        visti += quante;
        if (visti >= rango)
            return valore;
    }
    return conteggi.rbegin()->first;
}

int simulaPartite(const std::vector<Schedina> &schede, const OpzioniSimulate &o, std::ostream &out)
{
    const auto result = Simulazione::gioca(schede, o.quante, o.turni, o.seme, o.thread);
    double turni = 0;
    for (const auto &[n, quante] : result.turni)
        turni += double(n) * double(quante);
    using F = Simulazione::Fine;
    const auto fini = [&](F fine) {
        return result.fini[std::size_t(fine)];
    };
    const auto punti = [&](std::uint64_t centesimi) {
        return puntiTesto(quantile(result.punti, o.quante, centesimi));
    };
    out << Json{{"partite", o.quante},
                {"vittorie", fini(F::Vittoria)},
                {"game_over", fini(F::GameOver)},
                {"ferme", fini(F::Ferma)},
                {"interrotte", fini(F::Interrotta)},
                {"turni",
                 {{"media", turni / double(o.quante)},
                  {"mediana", quantile(result.turni, o.quante, 50)}}},
                {"punti_finali", {{"p10", punti(10)}, {"p50", punti(50)}, {"p90", punti(90)}}},
                {"secondi", result.secondi}}
               .dump()
        << '\n';
    return uscita::kFatto;
}

} // namespace

int eseguiEvaluate(const std::string &percorso, const std::string &record,
                   const std::string &estrazione, std::ostream &out, std::ostream &err)
{
    const auto k = parseWhole(record);
    if (!k) {
        err << "zaffirone-cli: \"" << testoVisibile(record)
            << "\" non è un numero di schedina: le schedine si contano da 1\n";
        return uscita::kRifiuto;
    }
    const auto draw = parseDraw(estrazione);
    if (!draw) {
        err << "zaffirone-cli: l'estrazione deve avere 50 numeri da 1 a 90, cinque per ruota "
               "da Bari a Venezia, diversi su ogni ruota\n";
        return uscita::kRifiuto;
    }
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto count = insieme.conta();
    if (!count)
        return erroreDiFile(count.errore(), err);
    if (*k < 1 || *k > count.valore()) {
        err << "zaffirone-cli: la schedina numero " << record << " non esiste: il file ne ha "
            << count.valore() << '\n';
        return uscita::kRifiuto;
    }
    const auto schedina = insieme.leggi(*k);
    if (!schedina)
        return erroreDiFile(schedina.errore(), err);
    Estrazione drawn;
    drawn.imposta(*draw);
    Valutazione::Combinazioni combinazioni{};
    Registro registro;
    Json wheels = Json::array();
    double total = 0;
    Valutazione::valuta(
        schedina.valore(), drawn, combinazioni, registro, [&](std::size_t w, double amount) {
            const double credit = Valutazione::credito(amount);
            total += credit;
            wheels.push_back(
                {{"ruota", lotto::nomeRuota(w)}, {"importo", amount}, {"vincita", points(credit)}});
        });
    out << Json{{"annunci", registro.annunci}, {"ruote", wheels}, {"totale", points(total)}}.dump()
        << '\n';
    return uscita::kFatto;
}

int eseguiOdds(const std::string &percorso, std::ostream &out, std::ostream &err)
{
    return righePerSchedina(percorso, out, err, [](std::uint64_t k, const Schedina &s) {
        const double expected = ProfiloSchedina(s).ritornoAtteso();
        const auto cost = s.costo();
        Json yield = nullptr;
        if (cost && cost->raw() != 0)
            yield = expected / cost->toDouble();
        return Json{{"record", k},
                    {"titolo", s.titoloTesto()},
                    {"costo", costJson(s)},
                    {"ritorno_atteso", expected},
                    {"rendimento", yield}}
                   .dump() +
               '\n';
    });
}

int eseguiSimulate(const RichiestaSimulate &richiesta, std::ostream &out, std::ostream &err)
{
    const auto lette = leggiOpzioni(richiesta);
    if (const auto *motivo = std::get_if<std::string>(&lette)) {
        err << "zaffirone-cli: " << *motivo << "\nUso: zaffirone-cli simulate --help\n";
        return uscita::kRifiuto;
    }
    const auto &opzioni = std::get<OpzioniSimulate>(lette);
    const InsiemeSchede insieme(richiesta.percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto schede = insieme.leggiTutte();
    if (!schede)
        return erroreDiFile(schede.errore(), err);
    if (const auto lunghezza = insieme.lunghezza())
        codaIgnorata(lunghezza.valore(), err);
    if (!opzioni.partite)
        return simulaEstrazioni(schede.valore(), opzioni, out, err);
    if (schede.valore().empty()) {
        err << "zaffirone-cli: il file non contiene schedine: non c'è nessuna partita da giocare\n";
        return uscita::kRifiuto;
    }
    return simulaPartite(schede.valore(), opzioni, out);
}

std::string aiutoPartite()
{
    return "Con --estrazioni N ogni schedina è valutata su N estrazioni. Con --partite N si "
           "giocano N partite come nel gioco: " +
           std::to_string(Partita::kPuntiIniziali) +
           " punti all'inizio; a ogni turno tutto il file va in gioco (ogni schedina al costo "
           "della prima con il suo titolo, come con \">>\"), poi un'estrazione e le vincite. Una "
           "partita finisce a 0 punti (game_over), sopra " +
           std::to_string(Partita::kTraguardo) +
           " (vittoria), quando il file costa più dei punti (ferma) o dopo --turni turni "
           "(interrotta). Stampa una riga JSON.\n";
}
