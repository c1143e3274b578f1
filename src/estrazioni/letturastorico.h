#pragma once

#include "estrazioni/dataestrazione.h"
#include "estrazioni/estrazionedelgiorno.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>

// The lines of an archive of draws as players keep it: one line a day and wheel,
//   1939/01/07<TAB>BA<TAB>58<TAB>22<TAB>47<TAB>49<TAB>69    (the published file)
//   07/01/1939;BA;58;22;47;49;69   or   19390107;BA;58;22;47;49;69
// with LF or CRLF line ends; blank lines are passed over.
class LetturaStorico
{
public:
    struct Riga
    {
        DataEstrazione data;
        std::size_t ruota = 0;
        EstrazioneDelGiorno::Cinquina numeri{};
    };

    // One line, without its line end: its day, wheel and numbers, or why it is refused.
    static std::variant<Riga, std::string> leggiRiga(std::string_view linea);

    // Every line of the text in turn, numbered from 1: riga for each one read, rifiuto for each
    // one refused. The lines that are not blank.
    static std::uint64_t
    leggi(std::string_view testo, const std::function<void(std::uint64_t, const Riga &)> &riga,
          const std::function<void(std::uint64_t, const std::string &)> &rifiuto);
};
