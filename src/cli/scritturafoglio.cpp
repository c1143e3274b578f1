#include "scritturafoglio.h"

#include <libxml/xmlwriter.h>

#include <archive.h>
#include <archive_entry.h>

#include <ostream>
#include <utility>
#include <vector>

namespace {

constexpr const char *kNomeFoglio = "Schedine";

// The parts that hold no data, as any program writing these formats writes them.
constexpr const char *kManifesto =
    R"(<?xml version="1.0" encoding="UTF-8"?>)"
    "\n"
    R"(<manifest:manifest xmlns:manifest="urn:oasis:names:tc:opendocument:xmlns:manifest:1.0")"
    R"( manifest:version="1.2"><manifest:file-entry manifest:full-path="/")"
    R"( manifest:version="1.2" manifest:media-type="application/vnd.oasis.opendocument.)"
    R"(spreadsheet"/><manifest:file-entry manifest:full-path="content.xml")"
    R"( manifest:media-type="text/xml"/></manifest:manifest>)";
constexpr const char *kTipiContenuto =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.)"
    R"(relationships+xml"/><Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-)"
    R"(officedocument.spreadsheetml.sheet.main+xml"/><Override)"
    R"( PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-)"
    R"(officedocument.spreadsheetml.worksheet+xml"/></Types>)";
constexpr const char *kRelazioni =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
constexpr const char *kCartella =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main")"
    R"( xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<sheets><sheet name="Schedine" sheetId="1" r:id="rId1"/></sheets></workbook>)";
constexpr const char *kRelazioniCartella =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/)"
    R"(relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>)";

const xmlChar *x(const char *testo)
{
    return reinterpret_cast<const xmlChar *>(testo);
}

// The column's letters of a cell reference: A to Z, then AA.
std::string colonna(unsigned indice)
{
    std::string lettere;
    for (++indice; indice > 0; indice = (indice - 1) / 26)
        lettere.insert(lettere.begin(), char('A' + (indice - 1) % 26));
    return lettere;
}

la_ssize_t scriviSu(struct archive *, void *flusso, const void *byte, size_t quanti)
{
    auto &out = *static_cast<std::ostream *>(flusso);
    out.write(static_cast<const char *>(byte), std::streamsize(quanti));
    return out ? la_ssize_t(quanti) : -1;
}

} // namespace

struct ScritturaFoglio::Xml
{
    std::unique_ptr<xmlBuffer, void (*)(xmlBufferPtr)> buffer{xmlBufferCreate(), xmlBufferFree};
    std::unique_ptr<xmlTextWriter, void (*)(xmlTextWriterPtr)> scrittore{
        xmlNewTextWriterMemory(buffer.get(), 0), xmlFreeTextWriter};
};

ScritturaFoglio::ScritturaFoglio(Formato formato)
    : m_formato(formato), m_xml(std::make_unique<Xml>())
{
    xmlTextWriter *w = m_xml->scrittore.get();
    xmlTextWriterStartDocument(w, nullptr, "UTF-8", nullptr);
    if (m_formato == Formato::Ods) {
        xmlTextWriterStartElement(w, x("office:document-content"));
        xmlTextWriterWriteAttribute(w, x("xmlns:office"),
                                    x("urn:oasis:names:tc:opendocument:xmlns:office:1.0"));
        xmlTextWriterWriteAttribute(w, x("xmlns:table"),
                                    x("urn:oasis:names:tc:opendocument:xmlns:table:1.0"));
        xmlTextWriterWriteAttribute(w, x("xmlns:text"),
                                    x("urn:oasis:names:tc:opendocument:xmlns:text:1.0"));
        xmlTextWriterWriteAttribute(w, x("office:version"), x("1.2"));
        xmlTextWriterStartElement(w, x("office:body"));
        xmlTextWriterStartElement(w, x("office:spreadsheet"));
        xmlTextWriterStartElement(w, x("table:table"));
        xmlTextWriterWriteAttribute(w, x("table:name"), x(kNomeFoglio));
    } else {
        xmlTextWriterStartElement(w, x("worksheet"));
        xmlTextWriterWriteAttribute(w, x("xmlns"),
                                    x("http://schemas.openxmlformats.org/spreadsheetml/2006/main"));
        xmlTextWriterStartElement(w, x("sheetData"));
    }
}

ScritturaFoglio::~ScritturaFoglio() = default;

void ScritturaFoglio::iniziaRiga()
{
    ++m_riga;
    m_colonna = 0;
    xmlTextWriter *w = m_xml->scrittore.get();
    if (m_formato == Formato::Ods) {
        xmlTextWriterStartElement(w, x("table:table-row"));
    } else {
        xmlTextWriterStartElement(w, x("row"));
        xmlTextWriterWriteAttribute(w, x("r"), x(std::to_string(m_riga).c_str()));
    }
}

void ScritturaFoglio::cella(const char *tipo, std::string_view valore)
{
    xmlTextWriter *w = m_xml->scrittore.get();
    const std::string testo(valore);
    if (m_formato == Formato::Ods) {
        xmlTextWriterStartElement(w, x("table:table-cell"));
        xmlTextWriterWriteAttribute(w, x("office:value-type"), x(tipo));
        if (std::string_view(tipo) == "float")
            xmlTextWriterWriteAttribute(w, x("office:value"), x(testo.c_str()));
        // A paragraph's blanks collapse into one, and those at its ends vanish: every blank but
        // one between two other characters is written as a space element.
        xmlTextWriterStartElement(w, x("text:p"));
        std::string parte;
        for (std::size_t i = 0; i < testo.size();) {
            const std::size_t fine = std::min(testo.find_first_not_of(' ', i), testo.size());
            if (fine == i) {
                const std::size_t spazio = std::min(testo.find(' ', i), testo.size());
                parte = testo.substr(i, spazio - i);
                xmlTextWriterWriteString(w, x(parte.c_str()));
                i = spazio;
                continue;
            }
            std::size_t spazi = fine - i;
            if (i > 0 && fine < testo.size()) {
                xmlTextWriterWriteString(w, x(" "));
                --spazi;
            }
            if (spazi > 0) {
                xmlTextWriterStartElement(w, x("text:s"));
                if (spazi > 1)
                    xmlTextWriterWriteAttribute(w, x("text:c"), x(std::to_string(spazi).c_str()));
                xmlTextWriterEndElement(w);
            }
            i = fine;
        }
        xmlTextWriterEndElement(w);
        xmlTextWriterEndElement(w);
    } else {
        xmlTextWriterStartElement(w, x("c"));
        xmlTextWriterWriteAttribute(w, x("r"),
                                    x((colonna(m_colonna) + std::to_string(m_riga)).c_str()));
        if (std::string_view(tipo) == "float") {
            xmlTextWriterWriteElement(w, x("v"), x(testo.c_str()));
        } else {
            xmlTextWriterWriteAttribute(w, x("t"), x("inlineStr"));
            xmlTextWriterStartElement(w, x("is"));
            xmlTextWriterStartElement(w, x("t"));
            xmlTextWriterWriteAttribute(w, x("xml:space"), x("preserve"));
            xmlTextWriterWriteString(w, x(testo.c_str()));
            xmlTextWriterEndElement(w);
            xmlTextWriterEndElement(w);
        }
        xmlTextWriterEndElement(w);
    }
    ++m_colonna;
}

void ScritturaFoglio::testo(std::string_view testo)
{
    cella("string", testo);
}

void ScritturaFoglio::numero(std::string_view valore)
{
    cella("float", valore);
}

void ScritturaFoglio::vuota()
{
    xmlTextWriter *w = m_xml->scrittore.get();
    xmlTextWriterStartElement(w, x(m_formato == Formato::Ods ? "table:table-cell" : "c"));
    if (m_formato == Formato::Xlsx)
        xmlTextWriterWriteAttribute(w, x("r"),
                                    x((colonna(m_colonna) + std::to_string(m_riga)).c_str()));
    xmlTextWriterEndElement(w);
    ++m_colonna;
}

void ScritturaFoglio::fineRiga()
{
    xmlTextWriterEndElement(m_xml->scrittore.get());
}

bool ScritturaFoglio::concludi(std::ostream &out, std::string &errore)
{
    if (xmlTextWriterEndDocument(m_xml->scrittore.get()) < 0) {
        errore = "il testo XML del foglio non si è potuto comporre";
        return false;
    }
    xmlTextWriterFlush(m_xml->scrittore.get());
    const std::string_view foglio(
        reinterpret_cast<const char *>(xmlBufferContent(m_xml->buffer.get())),
        std::size_t(xmlBufferLength(m_xml->buffer.get())));
    std::vector<std::pair<const char *, std::string_view>> parti;
    if (m_formato == Formato::Ods)
        parti = {{"mimetype", ScritturaFoglio::kTipoOds},
                 {"META-INF/manifest.xml", kManifesto},
                 {"content.xml", foglio}};
    else
        parti = {{"[Content_Types].xml", kTipiContenuto},
                 {"_rels/.rels", kRelazioni},
                 {"xl/workbook.xml", kCartella},
                 {"xl/_rels/workbook.xml.rels", kRelazioniCartella},
                 {"xl/worksheets/sheet1.xml", foglio}};

    std::unique_ptr<struct archive, int (*)(struct archive *)> zip(archive_write_new(),
                                                                   archive_write_free);
    std::unique_ptr<struct archive_entry, void (*)(struct archive_entry *)> voce(
        archive_entry_new(), archive_entry_free);
    bool fatto = archive_write_set_format_zip(zip.get()) == ARCHIVE_OK &&
                 archive_write_set_bytes_in_last_block(zip.get(), 1) == ARCHIVE_OK &&
                 archive_write_open(zip.get(), &out, nullptr, scriviSu, nullptr) == ARCHIVE_OK;
    for (const auto &[nome, contenuto] : parti) {
        if (!fatto)
            break;
        // An OpenDocument file begins with its type, stored as it is, for a reader to see.
        if (std::string_view(nome) == "mimetype")
            archive_write_zip_set_compression_store(zip.get());
        else
            archive_write_zip_set_compression_deflate(zip.get());
        archive_entry_clear(voce.get());
        archive_entry_set_pathname(voce.get(), nome);
        archive_entry_set_filetype(voce.get(), AE_IFREG);
        archive_entry_set_perm(voce.get(), 0644);
        archive_entry_set_size(voce.get(), la_int64_t(contenuto.size()));
        fatto = archive_write_header(zip.get(), voce.get()) == ARCHIVE_OK &&
                archive_write_data(zip.get(), contenuto.data(), contenuto.size()) ==
                    la_ssize_t(contenuto.size());
    }
    fatto = archive_write_close(zip.get()) == ARCHIVE_OK && fatto;
    if (!fatto)
        errore = archive_error_string(zip.get()) ? archive_error_string(zip.get())
                                                 : "la scrittura non è riuscita";
    return fatto;
}
