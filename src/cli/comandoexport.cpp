#include "comandoexport.h"

#include "base/lotto.h"
#include "cli/righeperschedina.h"

#include <ostream>

namespace {

constexpr std::string_view kIntestazione =
    "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina";

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

std::string riga(const Schedina &s)
{
    std::string testo = campo(titolo(s)) + ',' + numeri(s) + ',' + ruote(s);
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k)
        testo += ',' + (s.giocate[k] == 1 ? s.puntate[k].toString() : std::string());
    return testo + "\r\n";
}

} // namespace

int eseguiExport(const std::string &percorso, std::ostream &out, std::ostream &err)
{
    return righePerSchedina(
        percorso, out, err, [](std::uint64_t, const Schedina &s) { return riga(s); },
        std::string(kIntestazione) + "\r\n");
}
