#include "usoarchivio.h"

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "estrazioni/errorearchivio.h"

namespace usoarchivio {

std::string percorso(const std::optional<std::string> &archivio)
{
    return archivio ? *archivio : ArchivioEstrazioni::percorsoPredefinito();
}

std::optional<DataEstrazione> data(const std::string &testo, std::ostream &err)
{
    const auto d = DataEstrazione::leggi(testo);
    if (!d)
        rifiuta(err, "\"" + testoVisibile(testo) +
                         "\" non è una data: scrivila come 2025-04-29, 2025/04/29 o 29/04/2025");
    return d;
}

int esegui(std::ostream &err, const std::function<int()> &comando)
{
    try {
        return comando();
    } catch (const ErroreArchivio &e) {
        err << "zaffirone-cli: " << testoVisibile(e.what()) << '\n';
        return e.tipo() == ErroreArchivio::Tipo::Rifiuto ? uscita::kRifiuto : uscita::kErrore;
    }
}

int rifiuta(std::ostream &err, const std::string &motivo)
{
    err << "zaffirone-cli: " << motivo << '\n';
    return uscita::kRifiuto;
}

} // namespace usoarchivio
