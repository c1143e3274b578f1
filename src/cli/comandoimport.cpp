#include "comandoimport.h"

#include "base/codepage1252.h"
#include "base/lotto.h"
#include "base/text.h"
#include "cli/aggiuntainblocco.h"
#include "cli/controlloadd.h"
#include "cli/erroredifile.h"
#include "cli/letturacsv.h"
#include "storage/filetesto.h"

#include <ostream>
#include <unordered_set>

namespace {

// The blank-separated items of a field as "add" takes a list: "1 2 3" as "1,2,3".
std::string elenco(const std::string &campo)
{
    std::string testo;
    std::size_t i = 0;
    while ((i = campo.find_first_not_of(' ', i)) != std::string::npos) {
        const std::size_t fine = campo.find(' ', i);
        testo += (testo.empty() ? "" : ",") + campo.substr(i, fine - i);
        i = fine;
    }
    return testo;
}

RichiestaAdd richiesta(const std::string &percorso, const LetturaCsv::Riga &riga)
{
    RichiestaAdd r{percorso, riga.campi[0], elenco(riga.campi[1]), elenco(riga.campi[2]), {}};
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k) {
        if (!riga.campi[3 + k].empty())
            r.giocate.push_back(std::string(lotto::kNomiGiocate[k]) + '=' + riga.campi[3 + k]);
    }
    return r;
}

// The titles a ticket may not take: those in the set, then those of the rows before it.
class Titoli
{
public:
    Esito<Fatto> leggiInsieme(const InsiemeSchede &insieme, std::size_t quante)
    {
        m_presenti.reserve(quante);
        return insieme.scorri([&](std::uint64_t, const unsigned char *bytes) {
            m_presenti.emplace(
                trimSpaces({reinterpret_cast<const char *>(bytes), Schedina::kLunghezzaTitolo}));
            return true;
        });
    }
    // Whether the title is taken; it is taken from now on either way.
    bool prendi(std::string_view titolo)
    {
        const auto chiave = CodePage1252::encodeExactly(trimSpaces(titolo));
        return chiave && !m_presenti.insert(*chiave).second;
    }

private:
    std::unordered_set<std::string> m_presenti;
};

// Every row checked; the records of those accepted, one line on err for each refused.
bool controllaRighe(const std::string &percorso, const std::vector<LetturaCsv::Riga> &righe,
                    Titoli &titoli, std::string &record, std::ostream &err)
{
    bool tutte = true;
    for (const LetturaCsv::Riga &riga : righe) {
        std::string rifiuto = riga.errore;
        if (rifiuto.empty()) {
            const auto v =
                ControlloAdd::controlla(richiesta(percorso, riga), [&](std::string_view t) {
                    return Esito<bool>(titoli.prendi(t));
                });
            rifiuto = v.rifiuto;
            if (v.schedina) {
                const Schedina::Record r = v.schedina->codifica();
                record.append(reinterpret_cast<const char *>(r.data()), r.size());
            }
        }
        if (!rifiuto.empty())
            err << "riga " << riga.numero << ": " << rifiuto << '\n';
        tutte = tutte && rifiuto.empty();
    }
    return tutte;
}

} // namespace

int eseguiImport(const std::string &percorso, const std::string &csv, std::ostream &out,
                 std::ostream &err)
{
    const auto testo = FileTesto::leggi(csv);
    if (!testo)
        return erroreDiFile(testo.errore(), err);
    const LetturaCsv::Contenuto contenuto = LetturaCsv::leggi(testo.valore());
    if (!contenuto.errore.empty()) {
        err << "riga 1: " << contenuto.errore << '\n';
        return 2;
    }
    if (contenuto.righe.empty()) {
        out << R"({"schedine":0,"primo_record":null,"ultimo_record":null})" << '\n';
        return 0;
    }
    auto aggiunta = AggiuntaInBlocco::prendi(percorso);
    if (!aggiunta)
        return erroreDiFile(aggiunta.errore(), err);
    Titoli titoli;
    if (const auto letto = titoli.leggiInsieme(
            aggiunta.valore().insieme(), aggiunta.valore().schedine() + contenuto.righe.size());
        !letto)
        return erroreDiFile(letto.errore(), err);
    std::string record;
    record.reserve(contenuto.righe.size() * Schedina::kDimensioneRecord);
    if (!controllaRighe(percorso, contenuto.righe, titoli, record, err))
        return 2;
    const std::uint64_t quante = contenuto.righe.size();
    return aggiunta.valore().scriviEStampa(
        record,
        [&](std::uint64_t primo, std::uint64_t ultimo) {
            return R"({"schedine":)" + std::to_string(quante) + R"(,"primo_record":)" +
                   std::to_string(primo) + R"(,"ultimo_record":)" + std::to_string(ultimo) + "}";
        },
        out, err);
}
