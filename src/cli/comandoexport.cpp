#include "comandoexport.h"

#include "base/lotto.h"
#include "cli/codiciuscita.h"
#include "cli/righeperschedina.h"
#include "cli/scritturafoglio.h"
#include "cli/titolonelfoglio.h"
#include "storage/letturacsv.h"

#include <array>

#include <ostream>
#include <sstream>

namespace {

// What makes a spreadsheet read a CSV file as UTF-8.
constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

// Quoted when a spreadsheet would read it otherwise: a separator, a quote or a line end inside,
// or a blank at either end; inner quotes doubled.
std::string campo(const std::string &testo)
{
    const bool quota = testo.find_first_of(",;\"\r\n") != std::string::npos ||
                       (!testo.empty() && (testo.front() == ' ' || testo.back() == ' '));
    if (!quota)
        return testo;
    std::string quotato = "\"";
    for (char c : testo)
        quotato += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quotato + '"';
}

// The stored title without its trailing blanks; a title of blanks only stays one blank.
std::string titolo(const Schedina &s)
{
    std::string testo = s.titoloTesto();
    const auto ultimo = testo.find_last_not_of(' ');
    return ultimo == std::string::npos ? std::string(" ") : testo.substr(0, ultimo + 1);
}

// The numbers in stored order, the zeros after the last other one left out.
std::string numeri(const Schedina &s)
{
    std::size_t fine = 10;
    while (fine > 0 && s.numeri[fine - 1] == 0)
        --fine;
    std::string testo;
    for (std::size_t i = 0; i < fine; ++i)
        testo += (i ? " " : "") + std::to_string(s.numeri[i]);
    return testo;
}

std::string ruote(const Schedina &s)
{
    std::string testo;
    for (std::size_t w = 0; w <= lotto::kRuote; ++w) {
        if (s.ruote[w] == 1)
            testo += (testo.empty() ? "" : " ") + std::string(lotto::kNomiRuote[w]);
    }
    return testo;
}

// The stakes of the five bet types in the currency's text; empty where the type is not played.
std::array<std::string, lotto::kTipiGiocata> puntate(const Schedina &s)
{
    std::array<std::string, lotto::kTipiGiocata> testo;
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k)
        testo[k] = s.giocate[k] == 1 ? s.puntate[k].toString() : std::string();
    return testo;
}

std::string intestazione()
{
    std::string testo;
    for (std::string_view nome : LetturaCsv::kIntestazione)
        testo += (testo.empty() ? "" : ",") + std::string(nome);
    return testo + "\r\n";
}

std::string riga(const Schedina &s, bool perFoglio)
{
    const std::string t = titolo(s);
    std::string testo =
        campo(perFoglio ? TitoloNelFoglio::proteggi(t) : TitoloNelFoglio::soloSeNecessario(t)) +
        ',' + numeri(s) + ',' + ruote(s);
    for (const std::string &puntata : puntate(s))
        testo += ',' + puntata;
    return testo + "\r\n";
}

int esportaFoglio(const std::string &percorso, ScritturaFoglio::Formato formato, std::ostream &out,
                  std::ostream &err)
{
    ScritturaFoglio foglio(formato);
    foglio.iniziaRiga();
    for (std::string_view nome : LetturaCsv::kIntestazione)
        foglio.testo(nome);
    foglio.fineRiga();
    std::ostringstream nulla;
    const int esito = righePerSchedina(percorso, nulla, err, [&](std::uint64_t, const Schedina &s) {
        foglio.iniziaRiga();
        foglio.testo(TitoloNelFoglio::soloSeNecessario(titolo(s)));
        foglio.testo(numeri(s));
        foglio.testo(ruote(s));
        for (const std::string &puntata : puntate(s)) {
            if (puntata.empty())
                foglio.vuota();
            else
                foglio.numero(puntata);
        }
        foglio.fineRiga();
        return std::string();
    });
    if (esito != uscita::kFatto)
        return esito;
    std::string errore;
    if (!foglio.concludi(out, errore)) {
        err << "zaffirone-cli: il foglio di calcolo non si è potuto scrivere: " << errore << '\n';
        return uscita::kErrore;
    }
    return uscita::kFatto;
}

} // namespace

int eseguiExport(const std::string &percorso, const std::string &formato, std::ostream &out,
                 std::ostream &err)
{
    if (formato == "ods")
        return esportaFoglio(percorso, ScritturaFoglio::Formato::Ods, out, err);
    if (formato == "xlsx")
        return esportaFoglio(percorso, ScritturaFoglio::Formato::Xlsx, out, err);
    if (formato != "csv" && formato != "csv-foglio") {
        err << "zaffirone-cli: --formato deve essere csv, csv-foglio, ods o xlsx\n";
        return uscita::kRifiuto;
    }
    const bool perFoglio = formato == "csv-foglio";
    return righePerSchedina(
        percorso, out, err,
        [perFoglio](std::uint64_t, const Schedina &s) { return riga(s, perFoglio); },
        (perFoglio ? std::string(kMarcaUtf8) : std::string()) + intestazione());
}
