#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// "zaffirone-cli add": writes one ticket as the editor would, after the editor's checks and a
// few of the companion's own.
struct RichiestaAdd
{
    std::string percorso;
    std::string titolo;
    std::string numeri;               // "12,34"
    std::string ruote;                // "BARI,ROMA" or "TUTTE"
    std::vector<std::string> giocate; // "Ambo=5", "Estratto", "Terno="
};

// Exit codes: 0 written, 1 the file could not be read or written, 2 refused or bad names.
int eseguiAdd(const RichiestaAdd &richiesta, std::ostream &out, std::ostream &err);
