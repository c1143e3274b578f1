#include "importazioneestrazioni.h"

#include "base/rapportorighe.h"
#include "base/testovisibile.h"
#include "estrazioni/letturastorico.h"
#include "estrazioni/testoimportato.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <system_error>

namespace {

// How often, in lines, the share of the work is told.
constexpr std::uint64_t kOgniRighe = 4096;

} // namespace

ImportazioneEstrazioni::Esito ImportazioneEstrazioni::importa(const std::vector<std::string> &file,
                                                              const std::string &archivio,
                                                              const Avanzamento &avanzamento)
{
    std::vector<TestoImportato::Parte> parti;
    for (const std::string &f : file) {
        auto lette = TestoImportato::leggi(f);
        std::move(lette.begin(), lette.end(), std::back_inserter(parti));
    }
    // The lines are named by their file only when there are several.
    std::vector<std::string> luoghi;
    std::size_t byteTotali = 0;
    for (const auto &parte : parti) {
        luoghi.push_back(parti.size() > 1 ? testoVisibile(parte.nome) : std::string());
        byteTotali += parte.testo.size();
    }
    // Reading is most of the work; the archive's write is the rest.
    const auto avanza = [&](double frazione) {
        if (avanzamento)
            avanzamento(frazione);
    };
    Esito esito;
    std::vector<ArchivioEstrazioni::Voce> voci;
    RapportoRighe rapporto;
    std::size_t byteLetti = 0;
    for (std::uint32_t i = 0; i < parti.size(); ++i) {
        const std::string &testo = parti[i].testo;
        const auto linee = std::uint64_t(std::count(testo.begin(), testo.end(), '\n')) + 1;
        esito.righe += LetturaStorico::leggi(
            testo,
            [&](std::uint64_t numero, const LetturaStorico::Riga &riga) {
                voci.push_back({riga, i, numero});
                if (numero % kOgniRighe == 0)
                    avanza(0.8 *
                           (double(byteLetti) +
                            double(testo.size()) * double(numero) / double(linee)) /
                           double(byteTotali));
            },
            [&](std::uint64_t numero, const std::string &motivo) {
                rapporto.aggiungi(numero, testoVisibile(motivo), luoghi[i]);
            });
        byteLetti += testo.size();
        avanza(0.8 * double(byteLetti) / double(std::max<std::size_t>(byteTotali, 1)));
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
    avanza(1);
    return esito;
}
