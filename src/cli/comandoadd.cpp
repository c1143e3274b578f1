#include "comandoadd.h"

#include "cli/codiciuscita.h"
#include "cli/controlloadd.h"
#include "cli/erroredifile.h"
#include "storage/insiemeschede.h"

#include <cerrno>
#include <ostream>

namespace {

using catalogo::Evento;
using Rifiuto = ControlloSalvataggio::Rifiuto;

// A missing file is an empty set here, and looking must not create it.
Esito<bool> titleInSet(const std::string &percorso, std::string_view titolo)
{
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    auto found = insieme.trovaPerTitolo(titolo);
    if (!found) {
        const ErroreFile &e = found.errore();
        if (e.tipo() == ErroreFile::Tipo::Apertura && e.codice() == ENOENT)
            return false;
        return e;
    }
    return found.valore().has_value();
}

// The checked ticket appended under the set's lock, its title looked for again there: another
// writer may have saved it meanwhile. Its number is printed once the ticket is on the disk; a
// number nobody could read leaves it there, and says so. A set not made yet is made with it.
int appendAndPrint(const std::string &percorso, const Schedina &schedina, std::string_view titolo,
                   std::ostream &out, std::ostream &err)
{
    const auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return erroreDiFile(blocco.errore(), err);
    const InsiemeSchede insieme(percorso);
    const auto lunghezza = blocco.valore().lunghezza();
    const auto found = insieme.trovaPerTitolo(titolo, blocco.valore());
    if (!lunghezza || !found)
        return erroreDiFile(lunghezza ? found.errore() : lunghezza.errore(), err);
    if (found.valore()) {
        err << Rifiuto::di(Evento::SalvaTitoloEsistente).testo << '\n';
        return uscita::kRifiuto;
    }
    const std::uint64_t numero = InsiemeSchede::numeroPerAggiunta(lunghezza.valore());
    if (numero > ErroreFile::kMassimoSchede)
        return oltreIlLimite(numero, err);
    const auto written = insieme.aggiungi(schedina, blocco.valore());
    if (!written)
        return erroreDiFile(written.errore(), err);
    if (out << written.valore() << '\n' && out.flush())
        return uscita::kFatto;
    err << "zaffirone-cli: la schedina è nel file come record " << written.valore()
        << ", ma non si è potuto dirlo\n";
    return uscita::kErrore;
}

} // namespace

int eseguiAdd(const RichiestaAdd &richiesta, std::ostream &out, std::ostream &err)
{
    const auto verdict = ControlloAdd::controlla(
        richiesta, [&](std::string_view t) { return titleInSet(richiesta.percorso, t); });
    if (verdict.errore)
        return erroreDiFile(*verdict.errore, err);
    if (verdict.nomeSconosciuto) {
        err << "zaffirone-cli: " << verdict.rifiuto << "\nUso: zaffirone-cli add --help\n";
        return uscita::kRifiuto;
    }
    if (!verdict.schedina) {
        err << verdict.rifiuto << '\n';
        return uscita::kRifiuto;
    }
    return appendAndPrint(richiesta.percorso, *verdict.schedina, verdict.titolo, out, err);
}
