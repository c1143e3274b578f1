#include "comandivalutazione.h"

#include "cli/erroredifile.h"
#include "cli/righeperschedina.h"
#include "engine/estrazione.h"
#include "engine/generatoremersenne.h"
#include "engine/profiloschedina.h"
#include "engine/simulazione.h"
#include "engine/valutazione.h"
#include "storage/insiemeschede.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <ostream>
#include <set>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;
constexpr int kArgomentiErrati = 2;

std::string nomeRuota(std::size_t w)
{
    std::string name(lotto::kNomiRuote.at(w));
    for (std::size_t i = 1; i < name.size(); ++i)
        name[i] = char(name[i] - 'A' + 'a');
    return name;
}

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
        annunci.push_back({{"tipo", lotto::kNomiGiocate.at(tipo)}, {"ruota", nomeRuota(ruota)}});
    }
    Json annunci = Json::array();
};

Json costJson(const Schedina &s)
{
    const auto cost = s.costo();
    return cost ? Json(cost->toString()) : Json(nullptr);
}

} // namespace

int eseguiEvaluate(const std::string &percorso, const std::string &record,
                   const std::string &estrazione, std::ostream &out, std::ostream &err)
{
    const auto k = parseWhole(record);
    if (!k) {
        err << "zaffirone-cli: \"" << record
            << "\" non è un numero di schedina: le schedine si contano da 1\n";
        return kArgomentiErrati;
    }
    const auto draw = parseDraw(estrazione);
    if (!draw) {
        err << "zaffirone-cli: l'estrazione deve avere 50 numeri da 1 a 90, cinque per ruota "
               "da Bari a Venezia, diversi su ogni ruota\n";
        return kArgomentiErrati;
    }
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto count = insieme.conta();
    if (!count)
        return erroreDiFile(count.errore(), err);
    if (*k < 1 || *k > count.valore()) {
        err << "zaffirone-cli: la schedina numero " << record << " non esiste: il file ne ha "
            << count.valore() << '\n';
        return kArgomentiErrati;
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
                {{"ruota", nomeRuota(w)}, {"importo", amount}, {"vincita", points(credit)}});
        });
    out << Json{{"annunci", registro.annunci}, {"ruote", wheels}, {"totale", points(total)}}.dump()
        << '\n';
    return 0;
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

int eseguiSimulate(const std::string &percorso, const std::string &estrazioni,
                   const std::optional<std::string> &seme, std::ostream &out, std::ostream &err)
{
    const auto draws = parseWhole(estrazioni);
    const auto seed = seme ? parseWhole(*seme) : std::optional<std::uint64_t>(0);
    if (!draws || !seed) {
        err << "zaffirone-cli: --estrazioni e --seme vogliono numeri interi non negativi\n";
        return kArgomentiErrati;
    }
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto schede = insieme.leggiTutte();
    if (!schede)
        return erroreDiFile(schede.errore(), err);
    if (const auto lunghezza = insieme.lunghezza())
        codaIgnorata(lunghezza.valore(), err);
    GeneratoreMersenne generatore(seme ? seed : std::nullopt);
    const auto result = Simulazione::esegui(schede.valore(), *draws, generatore);
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
    return 0;
}
