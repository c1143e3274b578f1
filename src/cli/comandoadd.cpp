#include "comandoadd.h"

#include "cli/codiciuscita.h"
#include "cli/controlloadd.h"
#include "cli/erroredifile.h"
#include "storage/insiemeschede.h"

#include <cerrno>
#include <ostream>
#include <unistd.h>

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

// The ticket taken back after its number could not be printed; when even that fails, the
// player is told which record the set may still hold.
int takeBack(const InsiemeSchede &insieme, const BloccoInsieme &blocco,
             const InsiemeSchede::PrimaDellAggiunta &prima, std::uint64_t numero, std::ostream &err)
{
    if (const auto tolta = insieme.annullaAggiunta(blocco, prima); !tolta)
        err << "zaffirone-cli: " << testoVisibile(tolta.errore().descrizione())
            << "\nzaffirone-cli: il file potrebbe contenere ancora la schedina " << numero << '\n';
    return uscita::kErrore;
}

// The checked ticket appended under the set's lock, its title looked for again there: another
// writer may have saved it meanwhile. The number is printed while the lock is held, so that a
// number nobody could read takes its ticket back. A file the lock made goes if nothing stays.
int appendAndPrint(const std::string &percorso, const Schedina &schedina, std::string_view titolo,
                   std::ostream &out, std::ostream &err)
{
    const auto blocco = BloccoInsieme::prendi(percorso);
    if (!blocco)
        return erroreDiFile(blocco.errore(), err);
    const InsiemeSchede insieme(percorso);
    const auto fallita = [&](int codice) {
        if (blocco.valore().creato())
            ::unlink(percorso.c_str());
        return codice;
    };
    const auto before = insieme.primaDellAggiunta(blocco.valore());
    const auto found = insieme.trovaPerTitolo(titolo);
    if (!before || !found)
        return fallita(erroreDiFile(before ? found.errore() : before.errore(), err));
    if (found.valore()) {
        err << Rifiuto::di(Evento::SalvaTitoloEsistente).testo << '\n';
        return fallita(uscita::kRifiuto);
    }
    const std::uint64_t numero = InsiemeSchede::numeroPerAggiunta(before.valore().lunghezza);
    if (numero > ErroreFile::kMassimoSchede)
        return fallita(oltreIlLimite(numero, err));
    const auto written = insieme.aggiungi(schedina, blocco.valore());
    if (!written)
        return fallita(erroreDiFile(written.errore(), err));
    if (out << written.valore() << '\n' && out.flush())
        return uscita::kFatto;
    return takeBack(insieme, blocco.valore(), before.valore(), written.valore(), err);
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
