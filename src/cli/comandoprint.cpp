#include "comandoprint.h"

#include "base/text.h"
#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"
#include "stampa/impaginazione.h"
#include "stampa/pdfcairo.h"
#include "storage/insiemeschede.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace {

// The tickets whose titles, blanks around aside, are among those asked for, in file order; every
// title asked for must name one.
std::vector<Schedina> scelte(std::vector<Schedina> schede, const std::vector<std::string> &titoli,
                             std::ostream &err, bool &rifiutate)
{
    std::vector<std::string> cercati;
    for (const std::string &t : titoli)
        cercati.emplace_back(trimSpaces(t));
    std::vector<bool> trovati(cercati.size(), false);
    std::erase_if(schede, [&](const Schedina &s) {
        const std::string titolo(trimSpaces(s.titoloTesto()));
        bool tenuta = false;
        for (std::size_t i = 0; i < cercati.size(); ++i) {
            if (cercati[i] == titolo)
                tenuta = trovati[i] = true;
        }
        return !tenuta;
    });
    for (std::size_t i = 0; i < cercati.size(); ++i) {
        if (!trovati[i]) {
            err << "zaffirone-cli: nessuna schedina del file ha il titolo \"" << cercati[i]
                << "\"\n";
            rifiutate = true;
        }
    }
    return schede;
}

} // namespace

int eseguiPrint(const RichiestaPrint &r, std::ostream &out, std::ostream &err)
{
    const InsiemeSchede insieme(r.percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto lunghezza = insieme.lunghezza();
    if (!lunghezza)
        return erroreDiFile(lunghezza.errore(), err);
    auto schede = insieme.leggiTutte();
    if (!schede)
        return erroreDiFile(schede.errore(), err);
    codaIgnorata(lunghezza.valore(), err);
    std::vector<Schedina> stampate = std::move(schede.valore());
    if (!r.titoli.empty()) {
        bool rifiutate = false;
        stampate = scelte(std::move(stampate), r.titoli, err, rifiutate);
        if (rifiutate)
            return uscita::kRifiuto;
    }
    // A PDF written over the set would leave the player without tickets.
    std::error_code errore;
    if (std::filesystem::equivalent(r.percorso, r.pdf, errore)) {
        err << "zaffirone-cli: il PDF non può prendere il posto del file delle schedine\n";
        return uscita::kRifiuto;
    }
    const Impaginazione piano(r.percorso, stampate);
    if (const auto errore = scriviPdf(piano, r.pdf)) {
        err << "zaffirone-cli: Impossibile scrivere \"" << r.pdf << "\": " << *errore << '\n';
        return uscita::kErrore;
    }
    const auto &totale = piano.totale();
    out << nlohmann::ordered_json{{"schedine", piano.schedine()},
                                  {"pagine", piano.pagine().size()},
                                  {"puntata_totale",
                                   totale ? nlohmann::ordered_json(totale->toString())
                                          : nlohmann::ordered_json(nullptr)}}
               .dump()
        << '\n';
    return uscita::kFatto;
}
