#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// "zaffirone-cli print": the set's tickets, or those with the titles given, as the play plan to
// take to the ricevitoria, an A4 PDF file.
struct RichiestaPrint
{
    std::string percorso;
    std::string pdf;
    std::vector<std::string> titoli; // none: every ticket
};

// Exit codes: 0 written, 1 the set could not be read or the PDF written, 2 a title not found.
int eseguiPrint(const RichiestaPrint &richiesta, std::ostream &out, std::ostream &err);
