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

std::optional<std::uint64_t> parseWhole(std::string_view testo)
{
    std::uint64_t valore = 0;
    const auto [fineLetta, errore] =
        std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (errore != std::errc() || fineLetta != testo.data() + testo.size() || testo.empty())
        return std::nullopt;
    return valore;
}

// Fifty numbers, wheel by wheel from Bari, five different numbers from 1 to 90 on each.
std::optional<std::array<std::int16_t, 50>> parseDraw(const std::string &testo)
{
    std::array<std::int16_t, 50> numeri{};
    std::size_t conta = 0;
    std::size_t inizio = 0;
    for (;;) {
        const auto virgola = testo.find(',', inizio);
        const auto valore = parseWhole(std::string_view(testo).substr(inizio, virgola - inizio));
        if (!valore || *valore < 1 || *valore > 90 || conta == numeri.size())
            return std::nullopt;
        numeri[conta++] = std::int16_t(*valore);
        if (virgola == std::string::npos)
            break;
        inizio = virgola + 1;
    }
    if (conta != numeri.size())
        return std::nullopt;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const std::set<std::int16_t> ruota(numeri.begin() + 5 * w, numeri.begin() + 5 * w + 5);
        if (ruota.size() != 5)
            return std::nullopt;
    }
    return numeri;
}

// A credited amount: a whole number when it is one the JSON integers hold.
Json points(double valore)
{
    if (std::fabs(valore) < 9.2e18)
        return std::int64_t(valore);
    return valore;
}

Json points(__int128 valore)
{
    if (valore >= INT64_MIN && valore <= INT64_MAX)
        return std::int64_t(valore);
    return double(valore);
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
    const auto costo = s.costo();
    return costo ? Json(costo->toString()) : Json(nullptr);
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
                     std::ostream &flusso, std::ostream &flussoErrori)
{
    const auto risultato = Simulazione::esegui(schede, o.quante, o.seme, o.thread);
    Json puntato = nullptr;
    Json rendimento = nullptr;
    if (risultato.puntato) {
        puntato = risultato.puntato->toString();
        if (risultato.puntato->raw() != 0)
            rendimento = double(risultato.vinto) / risultato.puntato->toDouble();
    } else {
        flussoErrori
            << "zaffirone-cli: il totale puntato supera il limite della valuta, puntato null\n";
    }
    const double valutazioni = double(risultato.estrazioni) * double(risultato.schedine);
    flusso << Json{{"estrazioni", risultato.estrazioni},
                   {"schedine", risultato.schedine},
                   {"puntato", puntato},
                   {"vinto", points(risultato.vinto)},
                   {"rendimento", rendimento},
                   {"secondi", risultato.secondi},
                   {"valutazioni_al_secondo",
                    risultato.secondi > 0 ? valutazioni / risultato.secondi : 0.0}}
                  .dump()
           << '\n';
    return uscita::kFatto;
}

// Points in ten-thousandths as the plain currency format writes them, beyond 64 bits too.
std::string puntiTesto(__int128 grezzo)
{
    if (grezzo >= INT64_MIN && grezzo <= INT64_MAX)
        return Currency::fromRaw(std::int64_t(grezzo)).toString();
    std::string cifre;
    for (__int128 intero = grezzo / Currency::kScale; intero != 0; intero /= 10)
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

int simulaPartite(const std::vector<Schedina> &schede, const OpzioniSimulate &o,
                  std::ostream &flusso)
{
    const auto risultato = Simulazione::gioca(schede, o.quante, o.turni, o.seme, o.thread);
    double turni = 0;
    for (const auto &[n, quante] : risultato.turni)
        turni += double(n) * double(quante);
    using F = Simulazione::Fine;
    const auto fini = [&](F fine) {
        return risultato.fini[std::size_t(fine)];
    };
    const auto punti = [&](std::uint64_t centesimi) {
        return puntiTesto(quantile(risultato.punti, o.quante, centesimi));
    };
    flusso << Json{{"partite", o.quante},
                   {"vittorie", fini(F::Vittoria)},
                   {"game_over", fini(F::GameOver)},
                   {"ferme", fini(F::Ferma)},
                   {"interrotte", fini(F::Interrotta)},
                   {"turni",
                    {{"media", turni / double(o.quante)},
                     {"mediana", quantile(risultato.turni, o.quante, 50)}}},
                   {"punti_finali", {{"p10", punti(10)}, {"p50", punti(50)}, {"p90", punti(90)}}},
                   {"secondi", risultato.secondi}}
                  .dump()
           << '\n';
    return uscita::kFatto;
}

} // namespace

int eseguiEvaluate(const std::string &percorso, const std::string &record,
                   const std::string &estrazione, std::ostream &flusso, std::ostream &flussoErrori)
{
    const auto k = parseWhole(record);
    if (!k) {
        flussoErrori << "zaffirone-cli: \"" << testoVisibile(record)
                     << "\" non è un numero di schedina: le schedine si contano da 1\n";
        return uscita::kRifiuto;
    }
    const auto estratti = parseDraw(estrazione);
    if (!estratti) {
        flussoErrori
            << "zaffirone-cli: l'estrazione deve avere 50 numeri da 1 a 90, cinque per ruota "
               "da Bari a Venezia, diversi su ogni ruota\n";
        return uscita::kRifiuto;
    }
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto conta = insieme.conta();
    if (!conta)
        return erroreDiFile(conta.errore(), flussoErrori);
    if (*k < 1 || *k > conta.valore()) {
        flussoErrori << "zaffirone-cli: la schedina numero " << record
                     << " non esiste: il file ne ha " << conta.valore() << '\n';
        return uscita::kRifiuto;
    }
    const auto schedina = insieme.leggi(*k);
    if (!schedina)
        return erroreDiFile(schedina.errore(), flussoErrori);
    Estrazione estrazioneFatta;
    estrazioneFatta.imposta(*estratti);
    Valutazione::Combinazioni combinazioni{};
    Registro registro;
    Json ruote = Json::array();
    double totale = 0;
    Valutazione::valuta(schedina.valore(), estrazioneFatta, combinazioni, registro,
                        [&](std::size_t w, double importo) {
                            const double credito = Valutazione::credito(importo);
                            totale += credito;
                            ruote.push_back({{"ruota", lotto::nomeRuota(w)},
                                             {"importo", importo},
                                             {"vincita", points(credito)}});
                        });
    flusso
        << Json{{"annunci", registro.annunci}, {"ruote", ruote}, {"totale", points(totale)}}.dump()
        << '\n';
    return uscita::kFatto;
}

int eseguiOdds(const std::string &percorso, std::ostream &flusso, std::ostream &flussoErrori)
{
    return righePerSchedina(percorso, flusso, flussoErrori, [](std::uint64_t k, const Schedina &s) {
        const double atteso = ProfiloSchedina(s).ritornoAtteso();
        const auto costo = s.costo();
        Json rendimento = nullptr;
        if (costo && costo->raw() != 0)
            rendimento = atteso / costo->toDouble();
        return Json{{"record", k},
                    {"titolo", s.titoloTesto()},
                    {"costo", costJson(s)},
                    {"ritorno_atteso", atteso},
                    {"rendimento", rendimento}}
                   .dump() +
               '\n';
    });
}

int eseguiSimulate(const RichiestaSimulate &richiesta, std::ostream &flusso,
                   std::ostream &flussoErrori)
{
    const auto lette = leggiOpzioni(richiesta);
    if (const auto *motivo = std::get_if<std::string>(&lette)) {
        flussoErrori << "zaffirone-cli: " << *motivo << "\nUso: zaffirone-cli simulate --help\n";
        return uscita::kRifiuto;
    }
    const auto &opzioni = std::get<OpzioniSimulate>(lette);
    const InsiemeSchede insieme(richiesta.percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto schede = insieme.leggiTutte();
    if (!schede)
        return erroreDiFile(schede.errore(), flussoErrori);
    if (const auto lunghezza = insieme.lunghezza())
        codaIgnorata(lunghezza.valore(), flussoErrori);
    if (!opzioni.partite)
        return simulaEstrazioni(schede.valore(), opzioni, flusso, flussoErrori);
    if (schede.valore().empty()) {
        flussoErrori
            << "zaffirone-cli: il file non contiene schedine: non c'è nessuna partita da giocare\n";
        return uscita::kRifiuto;
    }
    return simulaPartite(schede.valore(), opzioni, flusso);
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
