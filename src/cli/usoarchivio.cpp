#include "usoarchivio.h"

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "estrazioni/errorearchivio.h"

#include <charconv>

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

std::optional<std::uint64_t> intero(const std::string &testo, std::uint64_t minimo,
                                    std::uint64_t massimo)
{
    std::uint64_t valore = 0;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (testo.empty() || errore != std::errc() || fine != testo.data() + testo.size() ||
        valore < minimo || valore > massimo)
        return std::nullopt;
    return valore;
}

std::optional<std::uint64_t> colpi(const std::optional<std::string> &testo, std::ostream &err)
{
    const auto n = testo ? intero(*testo, 1, 1000000) : std::optional<std::uint64_t>(1);
    if (!n)
        rifiuta(err, "--colpi vuole un numero intero da 1 a 1000000");
    return n;
}

} // namespace usoarchivio
