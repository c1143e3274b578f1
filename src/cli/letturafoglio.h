#pragma once

#include "cli/scritturafoglio.h"
#include "storage/letturacsv.h"

#include <map>
#include <optional>
#include <string>

// The first sheet of a spreadsheet file, .ods or .xlsx whatever its name, read as rows of the
// CSV's columns: LibreOffice's repeated rows and cells, paragraphs and space elements, values
// kept in attributes, the shared strings of an .xlsx. A title must be a text cell: one a
// spreadsheet holds as a number, a date, a truth value or an error was converted on the way.
class LetturaFoglio
{
public:
    using Formato = ScritturaFoglio::Formato;

    // The file's parts when it is a zip holding a spreadsheet; nothing when it is not a zip (a
    // CSV, then); errore says why a zip is no spreadsheet or could not be read.
    static std::optional<LetturaFoglio> apri(const std::string &percorso, std::string &errore);

    // Why a sheet's rows could not all be read: its header is another (a refusal, as for a CSV
    // file), or its XML cannot be read at all.
    struct Problema
    {
        std::string testo;
        bool illeggibile = false;
    };

    // Every row after the header, in the sheet's numbering, until the end or until visita says
    // stop.
    std::optional<Problema> leggi(const LetturaCsv::Visitatore &visita) const;

private:
    LetturaFoglio(Formato formato, std::map<std::string, std::string> parti)
        : m_formato(formato), m_parti(std::move(parti))
    {}
    // Whether Gnumeric wrote the file, as the file says.
    bool daGnumeric() const;
    std::optional<Problema> leggiOds(const LetturaCsv::Visitatore &visita) const;
    std::optional<Problema> leggiXlsx(const LetturaCsv::Visitatore &visita) const;

    Formato m_formato;
    std::map<std::string, std::string> m_parti; // name in the zip, content
};
