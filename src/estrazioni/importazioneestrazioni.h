#pragma once

#include "estrazioni/archivioestrazioni.h"

#include <cstdint>
#include <string>
#include <vector>

// Files of draws read into the archive, whole or not at all: every line is read and checked
// first, and the archive changes only when none is refused. The companion's import, which the
// game's Estrazioni menu runs too.
class ImportazioneEstrazioni
{
public:
    struct Esito
    {
        std::uint64_t righe = 0;  // the lines that are not blank
        std::uint64_t doppie = 0; // lines repeating another exactly, left out
        ArchivioEstrazioni::Bilancio bilancio;
        // Each refused line, "riga N: motivo" (the file named first when there are several);
        // empty when none was refused, and only then is the archive written.
        std::string rifiuti;
    };
    // Throws ErroreArchivio when a file cannot be read or the archive cannot be opened or
    // written. A refused file never makes an archive that was not there.
    static Esito importa(const std::vector<std::string> &file, const std::string &archivio);
};
