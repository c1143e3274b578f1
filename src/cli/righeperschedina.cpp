#include "righeperschedina.h"

#include "cli/erroredifile.h"
#include "storage/insiemeschede.h"

#include <ostream>

int righePerSchedina(const std::string &percorso, std::ostream &out, std::ostream &err,
                     const std::function<std::string(std::uint64_t, const Schedina &)> &riga,
                     const std::string &intestazione)
{
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    const auto lunghezza = insieme.lunghezza();
    if (!lunghezza)
        return erroreDiFile(lunghezza.errore(), err);
    out << intestazione;
    std::string line;
    const auto esito = insieme.scorri([&](std::uint64_t k, const unsigned char *bytes) {
        line = riga(k, Schedina::decodifica(bytes));
        return static_cast<bool>(out.write(line.data(), std::streamsize(line.size())));
    });
    if (!esito)
        return erroreDiFile(esito.errore(), err);
    codaIgnorata(lunghezza.valore(), err);
    return 0;
}
