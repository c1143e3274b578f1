#include "comandiestrazioni.h"

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "cli/usoarchivio.h"
#include "estrazioni/archivioestrazioni.h"
#include "estrazioni/importazioneestrazioni.h"
#include "estrazioni/letturastorico.h"
#include "estrazioni/verificainsieme.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <ostream>

namespace {

using Json = nlohmann::ordered_json;

Json dataJson(const std::optional<DataEstrazione> &data)
{
    return data ? Json(data->testo()) : Json(nullptr);
}

// {"data":"2025-04-29","ruote":{"BARI":[...],...}}: the wheels drawn that day, in wheel order.
std::string estrazioneJson(const EstrazioneDelGiorno &giorno)
{
    Json ruote = Json::object();
    for (std::size_t w = 0; w < EstrazioneDelGiorno::kRuote; ++w) {
        if (giorno.estratta(w))
            ruote[EstrazioneDelGiorno::nomeRuota(w)] = giorno.numeri(w);
    }
    return Json{{"data", giorno.data().testo()}, {"ruote", ruote}}.dump() + '\n';
}

// "BARI=1,2,3,4,5": the wheel and its five numbers, or why not.
std::variant<LetturaStorico::Riga, std::string> ruotaDigitata(const std::string &testo,
                                                              DataEstrazione data)
{
    const auto uguale = testo.find('=');
    const auto ruota = EstrazioneDelGiorno::ruotaDaNome(testo.substr(0, uguale));
    if (uguale == std::string::npos || !ruota)
        return std::string("scrivi la ruota per nome e i suoi cinque numeri, per esempio "
                           "BARI=1,2,3,4,5 (BARI ... VENEZIA, NAZIONALE)");
    LetturaStorico::Riga riga{data, *ruota, {}};
    std::size_t quanti = 0;
    for (std::size_t inizio = uguale + 1;; ++quanti) {
        const auto virgola = testo.find(',', inizio);
        const std::string_view campo = std::string_view(testo).substr(
            inizio, virgola == std::string::npos ? std::string::npos : virgola - inizio);
        int n = 0;
        const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), n);
        if (quanti == riga.numeri.size() || campo.empty() || errore != std::errc() ||
            fine != campo.data() + campo.size() || n < INT16_MIN || n > INT16_MAX)
            return std::string("ogni ruota vuole cinque numeri da 1 a 90 separati da virgole");
        riga.numeri[quanti] = std::int16_t(n);
        if (virgola == std::string::npos)
            break;
        inizio = virgola + 1;
    }
    if (quanti + 1 != riga.numeri.size())
        return std::string("ogni ruota vuole cinque numeri da 1 a 90 separati da virgole");
    if (const auto difetto = EstrazioneDelGiorno::difetto(riga.numeri))
        return *difetto;
    return riga;
}

} // namespace

int eseguiDrawsImport(const RichiestaDraws &r, std::ostream &out, std::ostream &err)
{
    return usoarchivio::esegui(err, [&] {
        const auto esito =
            ImportazioneEstrazioni::importa(r.file, usoarchivio::percorso(r.archivio));
        if (!esito.rifiuti.empty()) {
            err << esito.rifiuti;
            return uscita::kRifiuto;
        }
        const auto &bilancio = esito.bilancio;
        out << Json{{"righe", esito.righe},
                    {"estrazioni", bilancio.estrazioni},
                    {"nuove", bilancio.nuove},
                    {"dal", dataJson(bilancio.dal)},
                    {"al", dataJson(bilancio.al)},
                    {"doppie", esito.doppie},
                    {"incomplete", bilancio.incomplete}}
                   .dump()
            << '\n';
        return uscita::kFatto;
    });
}

int eseguiDrawsAdd(const RichiestaDraws &r, std::ostream &out, std::ostream &err)
{
    const auto data = usoarchivio::data(r.data, err);
    if (!data)
        return uscita::kRifiuto;
    std::vector<ArchivioEstrazioni::Voce> voci;
    for (const std::string &testo : r.ruote) {
        const auto letta = ruotaDigitata(testo, *data);
        if (const auto *motivo = std::get_if<std::string>(&letta))
            return usoarchivio::rifiuta(err, "--ruota " + testoVisibile(testo) + ": " + *motivo);
        const auto &riga = std::get<LetturaStorico::Riga>(letta);
        for (const auto &v : voci) {
            if (v.riga.ruota == riga.ruota)
                return usoarchivio::rifiuta(err, "la ruota " +
                                                     EstrazioneDelGiorno::nomeRuota(riga.ruota) +
                                                     " è data due volte");
        }
        voci.push_back({riga, 0, voci.size() + 1});
    }
    return usoarchivio::esegui(err, [&] {
        ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                    ArchivioEstrazioni::Modo::Scrittura);
        std::string rifiuti;
        archivio.aggiungi(voci, true,
                          [&](const ArchivioEstrazioni::Voce &, const std::string &motivo) {
                              rifiuti += "zaffirone-cli: " + motivo + '\n';
                          });
        if (!rifiuti.empty()) {
            err << rifiuti;
            return uscita::kRifiuto;
        }
        out << estrazioneJson(*archivio.estrazione(*data));
        return uscita::kFatto;
    });
}

int eseguiDrawsShow(const RichiestaDraws &r, std::ostream &out, std::ostream &err)
{
    std::optional<DataEstrazione> data;
    if (!r.data.empty() && !(data = usoarchivio::data(r.data, err)))
        return uscita::kRifiuto;
    const auto colpi = usoarchivio::colpi(r.colpi, err);
    if (!colpi)
        return uscita::kRifiuto;
    return usoarchivio::esegui(err, [&] {
        const ArchivioEstrazioni archivio(usoarchivio::percorso(r.archivio),
                                          ArchivioEstrazioni::Modo::Lettura);
        const auto giorni = VerificaInsieme::giorni(archivio, data, *colpi);
        if (const auto *motivo = std::get_if<std::string>(&giorni))
            return usoarchivio::rifiuta(err, *motivo);
        for (const auto &giorno : std::get<std::vector<EstrazioneDelGiorno>>(giorni))
            out << estrazioneJson(giorno);
        return uscita::kFatto;
    });
}
