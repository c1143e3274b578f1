#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A CSV file as spreadsheets save it: an optional UTF-8 byte-order mark, a header naming the
// columns, the separator being the character after the first name ("," or ";"), fields quoted
// with doubled quotes inside, "\r\n" or "\n" line ends.
class LetturaCsv
{
public:
    struct Riga
    {
        std::size_t numero = 0; // the header is row 1
        std::vector<std::string> campi;
        std::string errore; // why the row cannot be read, if it cannot
    };
    struct Contenuto
    {
        std::string errore; // the header is missing or wrong: nothing else was read
        std::vector<Riga> righe;
    };

    static constexpr std::size_t kColonne = 8;
    static constexpr std::array<std::string_view, kColonne> kIntestazione = {
        "titolo", "numeri", "ruote", "estratto", "ambo", "terno", "quaterna", "cinquina"};

    // The rows after the header; blank lines are no rows but keep their number.
    static Contenuto leggi(std::string_view testo);
    // Whether a text is well-formed UTF-8.
    static bool utf8Valido(std::string_view testo);
};
