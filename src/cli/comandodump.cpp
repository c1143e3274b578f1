#include "comandodump.h"

#include "cli/righeperschedina.h"

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
    return righePerSchedina(percorso, out, err, [&](std::uint64_t k, const Schedina &s) {
        return recordJson(k, s, err).dump() + '\n';
    });
}
