#include "righeperschedina.h"

#include "cli/codiciuscita.h"
#include "cli/erroredifile.h"
#include "storage/insiemeschede.h"

#include <ostream>
#include <utility>

int righePerSchedina(const std::string &percorso, std::ostream &out, std::ostream &err,
                     const std::function<std::string(std::uint64_t, const Schedina &)> &riga,
                     const std::string &intestazione)
{
    const InsiemeSchede insieme(percorso, InsiemeSchede::Apertura::SoloSeEsiste);
    bool primo = true;
    std::string line;
    const auto lunghezza = insieme.scorri([&](std::uint64_t k, const unsigned char *bytes) {
        line = std::exchange(primo, false) ? intestazione : std::string();
        line += riga(k, Schedina::decodifica(bytes));
        return static_cast<bool>(out.write(line.data(), std::streamsize(line.size())));
    });
    if (!lunghezza)
        return erroreDiFile(lunghezza.errore(), err);
    if (primo)
        out << intestazione;
    codaIgnorata(lunghezza.valore(), err);
    return uscita::kFatto;
}
