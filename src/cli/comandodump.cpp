#include "comandodump.h"

#include "cli/erroredifile.h"
#include "storage/insiemeschede.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace {

nlohmann::ordered_json recordJson(std::uint64_t k, const Schedina &s, std::ostream &err)
{
    nlohmann::ordered_json puntate = nlohmann::ordered_json::array();
    for (const Currency &stake : s.puntate)
        puntate.push_back(stake.toString());
    nlohmann::ordered_json costo = nullptr;
    if (const auto cost = s.costo())
        costo = cost->toString();
    else
        err << "zaffirone-cli: schedina " << k
            << ": la somma delle puntate supera il limite della valuta, costo null\n";
    return {{"record", k},
            {"titolo", s.titoloTesto()},
            {"ruote", s.ruote},
            {"numeri", s.numeri},
            {"giocate", s.giocate},
            {"puntate", std::move(puntate)},
            {"costo", std::move(costo)}};
}

} // namespace

int eseguiDump(const std::string &percorso, std::ostream &out, std::ostream &err)
{
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto lunghezza = insieme.lunghezza();
    if (!lunghezza)
        return erroreDiFile(lunghezza.errore(), err);
    std::string line;
    const auto esito = insieme.scorri([&](std::uint64_t k, const unsigned char *bytes) {
        line = recordJson(k, Schedina::decodifica(bytes), err).dump();
        line += '\n';
        // A reader that is gone stops the listing.
        return static_cast<bool>(out.write(line.data(), static_cast<std::streamsize>(line.size())));
    });
    if (!esito)
        return erroreDiFile(esito.errore(), err);
    codaIgnorata(lunghezza.valore(), err);
    return 0;
}
