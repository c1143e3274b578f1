#pragma once

#include "cli/comandoadd.h"
#include "salvataggio/controllosalvataggio.h"
#include "storage/schedina.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The checks "add" makes of one ticket, in the game's order, and the record they let through.
// Every command that writes tickets (add, system, import) runs them, so a ticket refused by one
// is refused by all, with the same words.
class ControlloAdd
{
public:
    struct Verdetto
    {
        std::optional<Schedina> schedina; // the record, when the ticket passed
        std::string titolo;               // the title as the set will hold it, in UTF-8
        std::string rifiuto;              // why the ticket was refused
        bool nomeSconosciuto = false;     // the refusal is a misspelt wheel or bet type
        std::optional<ErroreFile> errore; // the set could not be looked through for the title
    };

    static Verdetto controlla(const RichiestaAdd &richiesta,
                              const ControlloSalvataggio::TitoloEsiste &titoloEsiste);

    // "12, 34" as {"12", "34"}: the parts between commas, blanks around them dropped.
    static std::vector<std::string> elenco(std::string_view testo);
    // A list of numbers as "add" takes them: a word, a number outside 1..90 or a repeat is
    // refused, in that order for each number in turn.
    static std::optional<std::string> controllaNumeri(const std::vector<std::string> &numeri);
    // The value of a whole number as written; far outside 1..90 when it has many digits.
    static std::optional<long long> numero(std::string_view testo);
};
