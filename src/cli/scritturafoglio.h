#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

// A spreadsheet file of one sheet, written a row at a time: an OpenDocument spreadsheet (.ods) or
// an Office Open XML workbook (.xlsx), each a zip of XML parts. Its cells are typed, so a
// spreadsheet opening it takes a text for text and a number for a number, whatever they look like.
class ScritturaFoglio
{
public:
    enum class Formato
    {
        Ods,
        Xlsx
    };

    // What an OpenDocument spreadsheet's first part, "mimetype", says it is.
    static constexpr const char *kTipoOds = "application/vnd.oasis.opendocument.spreadsheet";

    explicit ScritturaFoglio(Formato formato);
    ~ScritturaFoglio();
    ScritturaFoglio(const ScritturaFoglio &) = delete;
    ScritturaFoglio &operator=(const ScritturaFoglio &) = delete;

    void iniziaRiga();
    void testo(std::string_view testo);
    // A number cell; valore is its decimal text ("2.5"), kept as written.
    void numero(std::string_view valore);
    void vuota();
    void fineRiga();

    // The zip of the whole file onto out; false, with the reason in errore, when it failed.
    bool concludi(std::ostream &out, std::string &errore);

private:
    void cella(const char *tipo, std::string_view valore);

    struct Xml; // libxml2's writer and the buffer it writes into

    Formato m_formato;
    std::unique_ptr<Xml> m_xml;
    unsigned m_riga = 0;
    unsigned m_colonna = 0;
};
