#include "importazioneestrazioni.h"

#include "base/rapportorighe.h"
#include "base/testovisibile.h"
#include "estrazioni/letturastorico.h"
#include "estrazioni/testoimportato.h"

#include <filesystem>
#include <iterator>
#include <system_error>

ImportazioneEstrazioni::Esito ImportazioneEstrazioni::importa(const std::vector<std::string> &file,
                                                              const std::string &archivio)
{
    std::vector<TestoImportato::Parte> parti;
    for (const std::string &f : file) {
        auto lette = TestoImportato::leggi(f);
        std::move(lette.begin(), lette.end(), std::back_inserter(parti));
    }
    // The lines are named by their file only when there are several.
    std::vector<std::string> luoghi;
    for (const auto &parte : parti)
        luoghi.push_back(parti.size() > 1 ? testoVisibile(parte.nome) : std::string());
    Esito esito;
    std::vector<ArchivioEstrazioni::Voce> voci;
    RapportoRighe rapporto;
    for (std::uint32_t i = 0; i < parti.size(); ++i) {
        esito.righe += LetturaStorico::leggi(
            parti[i].testo,
            [&](std::uint64_t numero, const LetturaStorico::Riga &riga) {
                voci.push_back({riga, i, numero});
            },
            [&](std::uint64_t numero, const std::string &motivo) {
                rapporto.aggiungi(numero, testoVisibile(motivo), luoghi[i]);
            });
    }
    const auto rifiuta = [&](const ArchivioEstrazioni::Voce &v, const std::string &motivo) {
        rapporto.aggiungi(v.numero, motivo, luoghi[v.luogo]);
    };
    voci = ArchivioEstrazioni::unifica(voci, esito.doppie, rifiuta);
    // A refused file never makes an archive; one that is there is checked too, so that every
    // line it refuses is said at once.
    std::error_code e;
    if (rapporto.vuoto() || std::filesystem::exists(archivio, e)) {
        ArchivioEstrazioni aperto(archivio, ArchivioEstrazioni::Modo::Scrittura);
        esito.bilancio = aperto.aggiungi(voci, rapporto.vuoto(), rifiuta);
    }
    esito.rifiuti = rapporto.vuoto() ? std::string() : rapporto.testo();
    return esito;
}
