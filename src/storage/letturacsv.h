#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// A CSV file as spreadsheets save it, read as it comes, in UTF-8: a header naming the columns
// (in any case, quoted or not, blanks around them ignored), the separator being the first comma,
// semicolon or tab outside quotes of the header's first line; fields quoted with doubled quotes
// inside;
// "\r\n" or "\n" line ends. Each row is handed on as soon as it ends, so the text is never
// held whole: a row longer than kMassimoRiga characters is refused without being kept.
class LetturaCsv
{
public:
    struct Riga
    {
        std::size_t numero = 0; // the header is row 1
        std::vector<std::string> campi;
        std::string errore; // why the row cannot be read, if it cannot
    };
    // Returns false to stop the reading.
    using Visitatore = std::function<bool(const Riga &)>;

    static constexpr std::size_t kColonne = 8;
    static constexpr std::array<std::string_view, kColonne> kIntestazione = {
        "titolo", "numeri", "ruote", "estratto", "ambo", "terno", "quaterna", "cinquina"};
    static constexpr std::size_t kMassimoRiga = 4096;
    // The refusal of any other first row.
    static constexpr const char *kIntestazioneAttesa =
        "l'intestazione deve essere titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina "
        "(separati da virgole, da punti e virgola o da tabulazioni)";

    explicit LetturaCsv(Visitatore visita) : m_visita(std::move(visita)) {}

    // More of the text; false once the reading has stopped (a wrong header, or the visitor's
    // word). Blank lines are no rows but keep their number.
    bool leggi(std::string_view testo);
    // The end of the text: a last row without its line end.
    void fine();
    // Why the header is not the one expected; empty while it is, or before it ends.
    const std::string &erroreIntestazione() const { return m_erroreIntestazione; }

private:
    void carattere(char c);
    void fineCampo();
    void fineRecord(bool chiuso);
    void intestazione();

    Visitatore m_visita;
    bool m_fermo = false;
    std::string m_erroreIntestazione;
    std::string m_grezza;  // the header as written, until its separator is known
    char m_separatore = 0; // 0 while the header is being read
    std::size_t m_numero = 1;
    std::vector<std::string> m_campi;
    std::string m_campo;
    std::size_t m_lunghezza = 0; // characters of the record so far
    bool m_quotato = false;
    bool m_appenaChiuso = false; // a quote just ended a quoted part: a second one is literal
    bool m_ritorno = false;      // a '\r' waiting to see whether '\n' follows
    bool m_vuoto = true;         // nothing of the record yet
};
