#include "comandistorico.h"

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"
#include "cli/righeperschedina.h"
#include "cli/usoarchivio.h"
#include "engine/simulazione.h"
#include "estrazioni/archivioestrazioni.h"
#include "estrazioni/profilostorico.h"
#include "estrazioni/ritardo.h"
#include "estrazioni/statistichenumeri.h"
#include "estrazioni/storiainsieme.h"
#include "estrazioni/verificainsieme.h"
#include "storage/insiemeschede.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <ostream>

namespace {

using Json = nlohmann::ordered_json;

Json punti(__int128 valore)
{
    if (valore >= INT64_MIN && valore <= INT64_MAX)
        return std::int64_t(valore);
    return double(valore);
}

// The whole number of an option, from minimo to massimo.

// --dal and --al; false when one is not a date (said on err).
bool intervallo(const RichiestaStorico &r, std::optional<DataEstrazione> &dal,
                std::optional<DataEstrazione> &al, std::ostream &err)
{
    if (r.dal && !(dal = usoarchivio::data(*r.dal, err)))
        return false;
    if (r.al && !(al = usoarchivio::data(*r.al, err)))
        return false;
    return true;
}

Json valuta(const std::optional<Currency> &c)
{
    return c ? Json(c->toString()) : Json(nullptr);
}

Json rapporto(double numeratore, const std::optional<Currency> &c)
{
    if (!c || c->raw() == 0)
        return nullptr;
    return numeratore / c->toDouble();
}

// A title as a JSON string: as it is when it is plain ASCII, with nothing to escape.
std::string stringaJson(const std::string &testo)
{
    for (const char c : testo) {
        if (c < 0x20 || c > 0x7E || c == '"' || c == '\\')
            return Json(testo).dump();
    }
    return '"' + testo + '"';
}

// One win as a line of JSON, written by hand: a large set can win millions of times a day.
void vincitaJson(std::string &righe, const std::string &inizio, const VerificaSchedina::Vincita &v)
{
    righe += inizio;
    righe += EstrazioneDelGiorno::nomeRuota(v.ruota);
    righe += R"(","annunci":[)";
    for (std::size_t i = 0; i < v.tipi.size(); ++i) {
        righe += i == 0 ? "\"" : ",\"";
        righe += lotto::kNomiGiocate.at(v.tipi[i]);
        righe += '"';
    }
    righe += R"(],"vincita":)";
    righe += std::fabs(v.credito) < 9.2e18 ? std::to_string(std::int64_t(v.credito))
                                           : Json(v.credito).dump();
    righe += "}\n";
}

} // namespace

int eseguiCheck(const RichiestaStorico &r, std::ostream &out, std::ostream &err)
{
    std::optional<DataEstrazione> data;
    if (r.data && !(data = usoarchivio::data(*r.data, err)))
        return uscita::kRifiuto;
    const auto colpi = usoarchivio::colpi(r.colpi, err);
    if (!colpi)
        return uscita::kRifiuto;
    return usoarchivio::esegui(err, [&] {
        const ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                          ArchivioEstrazioni::Modo::Lettura);
        auto giorni = VerificaInsieme::giorni(archivio, data, *colpi);
        if (const auto *motivo = std::get_if<std::string>(&giorni))
            return usoarchivio::rifiuta(err, *motivo);
        VerificaInsieme verifica(std::get<std::vector<EstrazioneDelGiorno>>(giorni));
        std::vector<std::string> date;
        for (const auto &v : verifica.verifiche())
            date.push_back(v.giorno().data().testo());

        const InsiemeSchede insieme(r.percorso, InsiemeSchede::Apertura::SoloSeEsiste);
        std::string righe;
        const auto scrivi = [&] {
            out.write(righe.data(), std::streamsize(righe.size()));
            righe.clear();
            return static_cast<bool>(out);
        };
        const auto lunghezza = insieme.scorri([&](std::uint64_t k, const unsigned char *bytes) {
            const Schedina s = Schedina::decodifica(bytes);
            std::string titolo;
            // A line's beginning is made once for a ticket's day, however many wheels win.
            std::string inizio;
            std::size_t giornoInizio = date.size();
            verifica.verifica(s, [&](std::size_t g, const VerificaSchedina::Vincita &vincita) {
                if (titolo.empty())
                    titolo = stringaJson(s.titoloTesto());
                if (g != giornoInizio) {
                    inizio = R"({"data":")" + date[g] + R"(","record":)" + std::to_string(k) +
                             R"(,"titolo":)" + titolo + R"(,"ruota":")";
                    giornoInizio = g;
                }
                vincitaJson(righe, inizio, vincita);
            });
            return righe.size() < (1u << 16) || scrivi();
        });
        if (!lunghezza)
            return erroreDiFile(lunghezza.errore(), err);
        if (!scrivi())
            return uscita::kErrore;
        codaIgnorata(lunghezza.valore(), err);
        out << Json{{"schedine", verifica.schedine()},
                    {"estrazioni", verifica.verifiche().size()},
                    {"puntato", valuta(verifica.puntato())},
                    {"vinto", punti(verifica.vinto())}}
                   .dump()
            << '\n';
        return uscita::kFatto;
    });
}

int eseguiHistory(const RichiestaStorico &r, std::ostream &out, std::ostream &err)
{
    std::optional<DataEstrazione> dal, al;
    if (!intervallo(r, dal, al, err))
        return uscita::kRifiuto;
    const auto thread = r.thread ? usoarchivio::intero(*r.thread, 1, 1024)
                                 : std::optional<std::uint64_t>(Simulazione::threadDisponibili());
    if (!thread)
        return usoarchivio::rifiuta(err, "--thread vuole da 1 a 1024 thread");
    return usoarchivio::esegui(err, [&] {
        const ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                          ArchivioEstrazioni::Modo::Lettura);
        const auto giorni = archivio.leggi(dal, al);
        if (giorni.empty())
            return usoarchivio::rifiuta(err, "nell'archivio non ci sono estrazioni in quei giorni");
        const InsiemeSchede insieme(r.percorso, InsiemeSchede::Apertura::SoloSeEsiste);
        const auto schede = insieme.leggiTutte();
        if (!schede)
            return erroreDiFile(schede.errore(), err);
        if (const auto lunghezza = insieme.lunghezza())
            codaIgnorata(lunghezza.valore(), err);
        CostoSchedine costo;
        for (const Schedina &s : schede.valore())
            costo.aggiungi(s);
        const auto storia = StoriaInsieme::esegui(schede.valore(), giorni, unsigned(*thread));
        const auto puntato = costo.per(giorni.size());
        Json massima = nullptr;
        if (storia.massima)
            massima = Json{{"data", storia.massima->data.testo()},
                           {"record", storia.massima->record},
                           {"vincita", storia.massima->vincita}};
        const double valutazioni = double(giorni.size()) * double(schede.valore().size());
        out << Json{{"estrazioni", giorni.size()},
                    {"schedine", schede.valore().size()},
                    {"puntato", valuta(puntato)},
                    {"vinto", punti(storia.vinto)},
                    {"rendimento", rapporto(double(storia.vinto), puntato)},
                    {"rendimento_atteso", rapporto(storia.ritornoAtteso, costo.perGiorno())},
                    {"vincita_massima", massima},
                    {"senza_vincite_max", storia.senzaVinciteMax},
                    {"secondi", storia.secondi},
                    {"valutazioni_al_secondo",
                     storia.secondi > 0 ? valutazioni / storia.secondi : 0.0}}
                   .dump()
            << '\n';
        return uscita::kFatto;
    });
}

int eseguiDelays(const RichiestaStorico &r, std::ostream &out, std::ostream &err)
{
    std::optional<DataEstrazione> dal, al;
    if (!intervallo(r, dal, al, err))
        return uscita::kRifiuto;
    return usoarchivio::esegui(err, [&] {
        const ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                          ArchivioEstrazioni::Modo::Lettura);
        const auto giorni = ProfiloStorico::compila(archivio.leggi(std::nullopt, al));
        return righePerSchedina(r.percorso, out, err, [&](std::uint64_t k, const Schedina &s) {
            const ProfiloStorico profilo(s);
            Ritardo ritardo;
            for (std::size_t d = 0; d < giorni.maschere.size(); ++d) {
                if ((profilo.ruote() & giorni.maschere[d].ruote) != 0)
                    ritardo.conta(profilo.valuta(giorni.maschere[d], giorni.estrazioni[d]).vince);
            }
            return Json{{"record", k},
                        {"titolo", s.titoloTesto()},
                        {"ritardo", ritardo.ritardo()},
                        {"ritardo_massimo", ritardo.massimo()},
                        {"vincite", ritardo.uscite()}}
                       .dump() +
                   '\n';
        });
    });
}

int eseguiStats(const RichiestaStorico &r, std::ostream &out, std::ostream &err)
{
    std::optional<DataEstrazione> dal, al;
    if (!intervallo(r, dal, al, err))
        return uscita::kRifiuto;
    std::optional<std::size_t> ruota;
    if (r.ruota && !(ruota = EstrazioneDelGiorno::ruotaDaNome(*r.ruota)))
        return usoarchivio::rifiuta(err, "\"" + testoVisibile(*r.ruota) +
                                             "\" non è una ruota: BARI ... VENEZIA, NAZIONALE");
    return usoarchivio::esegui(err, [&] {
        const ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                          ArchivioEstrazioni::Modo::Lettura);
        const auto giorni = archivio.leggi(dal, al);
        std::string righe;
        for (std::size_t w = 0; w < EstrazioneDelGiorno::kRuote; ++w) {
            if (ruota && *ruota != w)
                continue;
            const StatisticheNumeri statistiche(giorni, w);
            for (int n = 1; n <= 90; ++n) {
                const Ritardo &numero = statistiche.numero(n);
                righe += Json{{"ruota", EstrazioneDelGiorno::nomeRuota(w)},
                              {"numero", n},
                              {"uscite", numero.uscite()},
                              {"ritardo", numero.ritardo()},
                              {"ritardo_massimo", numero.massimo()}}
                             .dump() +
                         '\n';
            }
        }
        out << righe;
        return uscita::kFatto;
    });
}
