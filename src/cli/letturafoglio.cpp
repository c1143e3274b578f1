#include "letturafoglio.h"

#include "cli/titolonelfoglio.h"

#include <libxml/xmlreader.h>

#include <archive.h>
#include <archive_entry.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstring>
#include <fstream>
#include <memory>
#include <utility>

namespace {

constexpr const char *kNsTable = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr const char *kNsOffice = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr const char *kNsText = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";
constexpr const char *kNsMeta = "urn:oasis:names:tc:opendocument:xmlns:meta:1.0";
constexpr const char *kNsRelazioni =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
// No part of a sheet of two million tickets comes near it: a larger one is a zip bomb.
constexpr la_int64_t kMassimoParte = la_int64_t(1) << 30;

constexpr const char *kTitoloNonTesto =
    "nel foglio di calcolo il titolo è un numero, una data, un valore logico o una formula, non "
    "un testo: il foglio lo ha convertito; scrivilo come testo";

const xmlChar *x(const char *testo)
{
    return reinterpret_cast<const xmlChar *>(testo);
}

using Lettore = std::unique_ptr<xmlTextReader, void (*)(xmlTextReaderPtr)>;

Lettore lettore(const std::string &xml)
{
    return Lettore(xmlReaderForMemory(xml.data(), int(xml.size()), nullptr, nullptr,
                                      XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING),
                   xmlFreeTextReader);
}

bool e(xmlTextReader *r, const char *nome, const char *ns = nullptr)
{
    const xmlChar *locale = xmlTextReaderConstLocalName(r);
    if (!locale || xmlStrcmp(locale, x(nome)) != 0)
        return false;
    const xmlChar *uri = xmlTextReaderConstNamespaceUri(r);
    return ns ? uri && xmlStrcmp(uri, x(ns)) == 0 : true;
}

std::optional<std::string> attributo(xmlTextReader *r, const char *nome, const char *ns = nullptr)
{
    xmlChar *valore =
        ns ? xmlTextReaderGetAttributeNs(r, x(nome), x(ns)) : xmlTextReaderGetAttribute(r, x(nome));
    if (!valore)
        return std::nullopt;
    std::string testo(reinterpret_cast<const char *>(valore));
    xmlFree(valore);
    return testo;
}

std::string testoNodo(xmlTextReader *r)
{
    const xmlChar *v = xmlTextReaderConstValue(r);
    return v ? reinterpret_cast<const char *>(v) : "";
}

// The next node in the document, or with salta the node after the current one's subtree.
int avanza(xmlTextReader *r, bool &salta)
{
    return std::exchange(salta, false) ? xmlTextReaderNext(r) : xmlTextReaderRead(r);
}

// A count or a row number as an attribute writes it, within minimo and massimo: no number is
// minimo, a larger one massimo, so that no file makes the reader build a huge text or count on
// past the end.
std::size_t intero(const std::optional<std::string> &testo, std::size_t minimo, std::size_t massimo)
{
    std::size_t valore = minimo;
    if (testo) {
        const auto [fine, ec] =
            std::from_chars(testo->data(), testo->data() + testo->size(), valore);
        valore = ec == std::errc::result_out_of_range ? massimo
                 : ec != std::errc()                  ? minimo
                                                      : valore;
    }
    return std::clamp(valore, minimo, massimo);
}

// More rows or columns than any spreadsheet program has.
constexpr std::size_t kMassimoRighe = std::size_t(1) << 24;
constexpr std::size_t kMassimoColonne = std::size_t(1) << 16;

bool testuale(int tipo)
{
    return tipo == XML_READER_TYPE_TEXT || tipo == XML_READER_TYPE_CDATA ||
           tipo == XML_READER_TYPE_WHITESPACE || tipo == XML_READER_TYPE_SIGNIFICANT_WHITESPACE;
}

// A number as a spreadsheet keeps it ("2.5", "1E-3", "0.10000000000000001") as the companion
// writes it: plain decimals, at most the currency's four.
std::string valoreNumero(const std::string &valore)
{
    const auto punto = valore.find('.');
    if (valore.find_first_not_of("0123456789.-") == std::string::npos &&
        (punto == std::string::npos || valore.size() - punto - 1 <= 4))
        return valore;
    double d = 0;
    const auto [fine, ec] = std::from_chars(valore.data(), valore.data() + valore.size(), d);
    if (ec != std::errc() || fine != valore.data() + valore.size())
        return valore;
    std::array<char, 64> testo{};
    const auto scritto =
        std::to_chars(testo.data(), testo.data() + testo.size(), d, std::chars_format::fixed, 4);
    std::string s(testo.data(), scritto.ptr);
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

// The cells of the row being read, gathered into the CSV's columns; the header checked first.
class Raccolta
{
public:
    Raccolta(const LetturaCsv::Visitatore &visita, bool gnumeric)
        : m_visita(visita), m_gnumeric(gnumeric)
    {}

    void cella(std::size_t colonna, std::string valore, bool testo)
    {
        if (valore.empty())
            return;
        // Gnumeric opening a CSV file takes the apostrophe that begins a field for the mark that
        // keeps it text, and drops it: the cell holds the title itself, '007 where LibreOffice
        // keeps ''007. A title that import would change gets its apostrophe back; one that
        // came from export's own spreadsheet already has it.
        if (m_gnumeric && colonna == 0 && testo) {
            const std::string titolo = TitoloNelFoglio::leggi(valore);
            if (titolo != valore && titolo.front() != '\'')
                valore.insert(0, 1, '\'');
        }
        m_vuota = false;
        if (colonna >= LetturaCsv::kColonne) {
            m_oltre = std::max(m_oltre, colonna + 1);
            return;
        }
        m_campi[colonna] = std::move(valore);
        if (colonna == 0 && !testo)
            m_titoloNonTesto = true;
    }

    // The row ends, repeated as many times; false once the reading stops.
    bool fineRiga(std::size_t numero, std::size_t ripetute = 1)
    {
        const bool vuota = m_vuota;
        std::vector<std::string> campi(m_campi.begin(), m_campi.end());
        const std::size_t oltre = m_oltre;
        const bool titoloNonTesto = m_titoloNonTesto;
        m_campi = {};
        m_vuota = true;
        m_oltre = 0;
        m_titoloNonTesto = false;
        if (vuota)
            return !m_fermo;
        for (std::size_t k = 0; k < ripetute && !m_fermo; ++k, ++numero) {
            if (!m_intestazione) {
                intestazione(numero, campi, oltre);
                continue;
            }
            LetturaCsv::Riga riga{numero, campi, {}};
            if (oltre > 0)
                riga.errore = "la riga ha " + std::to_string(oltre) + " campi invece di " +
                              std::to_string(LetturaCsv::kColonne);
            else if (titoloNonTesto)
                riga.errore = kTitoloNonTesto;
            if (!riga.errore.empty())
                riga.campi.clear();
            m_fermo = !m_visita(riga);
        }
        return !m_fermo;
    }

    // The reading's outcome once the sheet has ended.
    std::optional<LetturaFoglio::Problema> esito() const
    {
        if (!m_errore.empty())
            return LetturaFoglio::Problema{m_errore};
        if (!m_intestazione)
            return LetturaFoglio::Problema{std::string("riga 1: ") +
                                           LetturaCsv::kIntestazioneAttesa};
        return std::nullopt;
    }
    bool fermo() const { return m_fermo; }

private:
    void intestazione(std::size_t numero, const std::vector<std::string> &campi, std::size_t oltre)
    {
        for (std::size_t i = 0; i < campi.size(); ++i) {
            std::string nome = campi[i];
            nome.erase(0, std::min(nome.find_first_not_of(' '), nome.size()));
            nome.erase(nome.find_last_not_of(' ') + 1);
            std::transform(nome.begin(), nome.end(), nome.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            if (nome != LetturaCsv::kIntestazione[i] || oltre > 0) {
                m_errore =
                    "riga " + std::to_string(numero) + ": " + LetturaCsv::kIntestazioneAttesa;
                m_fermo = true;
                return;
            }
        }
        m_intestazione = true;
    }

    const LetturaCsv::Visitatore &m_visita;
    bool m_gnumeric;
    std::array<std::string, LetturaCsv::kColonne> m_campi{};
    bool m_vuota = true;
    std::size_t m_oltre = 0;
    bool m_titoloNonTesto = false;
    bool m_intestazione = false;
    bool m_fermo = false;
    std::string m_errore;
};

const LetturaFoglio::Problema kXmlIllegibile{
    "il foglio di calcolo non si può leggere: il suo XML non è valido", true};

// The text of an OpenDocument cell: its paragraphs one a line, blanks collapsed as the format
// says, space, tab and line-break elements as what they stand for, notes left out.
std::string testoCellaOds(xmlTextReader *r)
{
    const int profondita = xmlTextReaderDepth(r);
    std::string testo;
    bool primoParagrafo = true, inParagrafo = false, vuoto = true, spazio = false;
    const auto aggiungi = [&](std::string_view parte) {
        if (spazio && !vuoto)
            testo += ' ';
        spazio = false;
        testo += parte;
        vuoto = false;
    };
    bool salta = false;
    while (avanza(r, salta) == 1) {
        const int tipo = xmlTextReaderNodeType(r);
        if (tipo == XML_READER_TYPE_END_ELEMENT && xmlTextReaderDepth(r) == profondita)
            break;
        if (tipo == XML_READER_TYPE_ELEMENT) {
            if (e(r, "annotation", kNsOffice)) {
                salta = true;
                continue;
            }
            if (e(r, "p", kNsText) || e(r, "h", kNsText)) {
                if (!primoParagrafo)
                    testo += '\n';
                primoParagrafo = false;
                inParagrafo = !xmlTextReaderIsEmptyElement(r);
                vuoto = true;
                spazio = false;
            } else if (e(r, "s", kNsText)) {
                const auto c = attributo(r, "c", kNsText);
                aggiungi(std::string(intero(c, 1, LetturaCsv::kMassimoRiga), ' '));
            } else if (e(r, "tab", kNsText)) {
                aggiungi("\t");
            } else if (e(r, "line-break", kNsText)) {
                aggiungi("\n");
            }
        } else if (tipo == XML_READER_TYPE_END_ELEMENT &&
                   (e(r, "p", kNsText) || e(r, "h", kNsText))) {
            inParagrafo = false;
        } else if (inParagrafo && testuale(tipo)) {
            for (char c : testoNodo(r)) {
                if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
                    spazio = true;
                else
                    aggiungi(std::string_view(&c, 1));
            }
        }
    }
    return testo;
}

// The column letters of a cell reference ("AB12") as an index from 0.
std::optional<std::size_t> colonnaDi(const std::string &riferimento)
{
    std::size_t indice = 0, lettere = 0;
    for (char c : riferimento) {
        if (!std::isalpha(static_cast<unsigned char>(c)))
            break;
        indice = indice * 26 + std::size_t(std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
        if (++lettere > 3)
            return std::nullopt;
    }
    return lettere ? std::optional<std::size_t>(indice - 1) : std::nullopt;
}

// The text of the t elements below the current one (an si or an is), phonetic runs left out.
std::string testoXlsx(xmlTextReader *r)
{
    std::string testo;
    if (xmlTextReaderIsEmptyElement(r))
        return testo;
    const int profondita = xmlTextReaderDepth(r);
    bool inT = false, salta = false;
    while (avanza(r, salta) == 1) {
        const int tipo = xmlTextReaderNodeType(r);
        if (tipo == XML_READER_TYPE_END_ELEMENT && xmlTextReaderDepth(r) == profondita)
            break;
        if (tipo == XML_READER_TYPE_ELEMENT && e(r, "rPh")) {
            salta = true;
            continue;
        }
        if (tipo == XML_READER_TYPE_ELEMENT && e(r, "t"))
            inT = !xmlTextReaderIsEmptyElement(r);
        else if (tipo == XML_READER_TYPE_END_ELEMENT && e(r, "t"))
            inT = false;
        else if (inT && testuale(tipo))
            testo += testoNodo(r);
    }
    return testo;
}

} // namespace

std::optional<LetturaFoglio> LetturaFoglio::apri(const std::string &percorso, std::string &errore)
{
    {
        std::ifstream file(percorso, std::ios::binary);
        std::array<char, 4> inizio{};
        if (!file.read(inizio.data(), inizio.size()) ||
            std::string_view(inizio.data(), inizio.size()) != std::string_view("PK\x03\x04", 4))
            return std::nullopt;
    }
    std::unique_ptr<struct archive, int (*)(struct archive *)> zip(archive_read_new(),
                                                                   archive_read_free);
    archive_read_support_format_zip(zip.get());
    const auto illeggibile = [&] {
        const char *motivo = archive_error_string(zip.get());
        errore = std::string("il file non si può leggere come foglio di calcolo") +
                 (motivo ? std::string(" (") + motivo + ")" : std::string());
        return std::nullopt;
    };
    if (archive_read_open_filename(zip.get(), percorso.c_str(), 1 << 16) != ARCHIVE_OK)
        return illeggibile();
    std::map<std::string, std::string> parti;
    archive_entry *voce = nullptr;
    for (int esito; (esito = archive_read_next_header(zip.get(), &voce)) != ARCHIVE_EOF;) {
        if (esito < ARCHIVE_WARN)
            return illeggibile();
        const std::string nome = archive_entry_pathname(voce) ? archive_entry_pathname(voce) : "";
        if (nome != "mimetype" && nome != "content.xml" && nome != "meta.xml" &&
            nome != "docProps/app.xml" && nome.rfind("xl/", 0) != 0)
            continue;
        std::string &contenuto = parti[nome];
        std::array<char, 1 << 16> blocco;
        for (la_ssize_t letti;
             (letti = archive_read_data(zip.get(), blocco.data(), blocco.size())) != 0;) {
            if (letti < 0)
                return illeggibile();
            if (la_int64_t(contenuto.size()) + letti > kMassimoParte) {
                errore = "il foglio di calcolo è troppo grande: " + nome + " supera 1 GiB";
                return std::nullopt;
            }
            contenuto.append(blocco.data(), std::size_t(letti));
        }
    }
    const auto tipo = parti.find("mimetype");
    if (parti.count("content.xml") &&
        (tipo == parti.end() || tipo->second == ScritturaFoglio::kTipoOds))
        return LetturaFoglio(Formato::Ods, std::move(parti));
    if (parti.count("xl/workbook.xml"))
        return LetturaFoglio(Formato::Xlsx, std::move(parti));
    errore = "il file è uno zip ma non un foglio di calcolo .ods o .xlsx";
    return std::nullopt;
}

std::optional<LetturaFoglio::Problema>
LetturaFoglio::leggi(const LetturaCsv::Visitatore &visita) const
{
    return m_formato == Formato::Ods ? leggiOds(visita) : leggiXlsx(visita);
}

bool LetturaFoglio::daGnumeric() const
{
    // The program the file names as its writer: the generator of an .ods's meta.xml
    // ("gnumeric/1.12.55"), the Application of an .xlsx's docProps/app.xml ("gnumeric").
    const bool ods = m_formato == Formato::Ods;
    const auto parte = m_parti.find(ods ? "meta.xml" : "docProps/app.xml");
    if (parte == m_parti.end())
        return false;
    const Lettore r = lettore(parte->second);
    while (r && xmlTextReaderRead(r.get()) == 1) {
        if (xmlTextReaderNodeType(r.get()) != XML_READER_TYPE_ELEMENT ||
            !(ods ? e(r.get(), "generator", kNsMeta) : e(r.get(), "Application")))
            continue;
        xmlChar *testo = xmlTextReaderReadString(r.get());
        const bool gnumeric =
            testo && xmlStrncasecmp(testo, x("gnumeric"), int(std::strlen("gnumeric"))) == 0;
        xmlFree(testo);
        return gnumeric;
    }
    return false;
}

std::optional<LetturaFoglio::Problema>
LetturaFoglio::leggiOds(const LetturaCsv::Visitatore &visita) const
{
    const Lettore r = lettore(m_parti.at("content.xml"));
    if (!r)
        return kXmlIllegibile;
    Raccolta raccolta(visita, daGnumeric());
    std::size_t numero = 1, colonna = 0, ripetute = 1;
    bool inTabella = false, salta = false;
    int esito = 0;
    while (!raccolta.fermo() && (esito = avanza(r.get(), salta)) == 1) {
        const int tipo = xmlTextReaderNodeType(r.get());
        if (!inTabella) {
            inTabella = tipo == XML_READER_TYPE_ELEMENT && e(r.get(), "table", kNsTable) &&
                        !xmlTextReaderIsEmptyElement(r.get());
            continue;
        }
        if (tipo == XML_READER_TYPE_END_ELEMENT && e(r.get(), "table", kNsTable))
            break; // the first sheet only
        if (tipo == XML_READER_TYPE_ELEMENT && e(r.get(), "table", kNsTable)) {
            salta = true; // a sheet inside a cell
            continue;
        }
        const bool riga = e(r.get(), "table-row", kNsTable);
        if (tipo == XML_READER_TYPE_ELEMENT && riga) {
            const auto n = attributo(r.get(), "number-rows-repeated", kNsTable);
            ripetute = intero(n, 1, kMassimoRighe);
            colonna = 0;
            if (!xmlTextReaderIsEmptyElement(r.get()))
                continue;
        }
        if ((tipo == XML_READER_TYPE_ELEMENT && riga && xmlTextReaderIsEmptyElement(r.get())) ||
            (tipo == XML_READER_TYPE_END_ELEMENT && riga)) {
            // A row repeated is as many rows; an empty one only moves the numbering on.
            raccolta.fineRiga(numero, ripetute);
            numero += ripetute;
            continue;
        }
        if (tipo != XML_READER_TYPE_ELEMENT ||
            !(e(r.get(), "table-cell", kNsTable) || e(r.get(), "covered-table-cell", kNsTable)))
            continue;
        const auto n = attributo(r.get(), "number-columns-repeated", kNsTable);
        const std::size_t colonne = intero(n, 1, kMassimoColonne);
        const std::string tipoValore = attributo(r.get(), "value-type", kNsOffice).value_or("");
        std::optional<std::string> valore;
        if (tipoValore == "float" || tipoValore == "percentage" || tipoValore == "currency")
            valore = attributo(r.get(), "value", kNsOffice);
        else if (tipoValore == "date")
            valore = attributo(r.get(), "date-value", kNsOffice);
        else if (tipoValore == "time")
            valore = attributo(r.get(), "time-value", kNsOffice);
        else if (tipoValore == "boolean")
            valore = attributo(r.get(), "boolean-value", kNsOffice);
        const std::string testo =
            xmlTextReaderIsEmptyElement(r.get()) ? std::string() : testoCellaOds(r.get());
        const bool numerico =
            tipoValore == "float" || tipoValore == "percentage" || tipoValore == "currency";
        const std::string contenuto = valore ? (numerico ? valoreNumero(*valore) : *valore) : testo;
        for (std::size_t k = 0; k < colonne && colonna + k <= LetturaCsv::kColonne; ++k)
            raccolta.cella(colonna + k, contenuto, tipoValore.empty() || tipoValore == "string");
        colonna += colonne;
    }
    if (esito < 0)
        return kXmlIllegibile;
    return raccolta.esito();
}

std::optional<LetturaFoglio::Problema>
LetturaFoglio::leggiXlsx(const LetturaCsv::Visitatore &visita) const
{
    // The first sheet the workbook lists, through its relationship.
    std::string id, bersaglio;
    if (const Lettore r = lettore(m_parti.at("xl/workbook.xml")); r) {
        while (id.empty() && xmlTextReaderRead(r.get()) == 1) {
            if (xmlTextReaderNodeType(r.get()) == XML_READER_TYPE_ELEMENT && e(r.get(), "sheet"))
                id = attributo(r.get(), "id", kNsRelazioni).value_or("");
        }
    }
    if (const auto relazioni = m_parti.find("xl/_rels/workbook.xml.rels");
        relazioni != m_parti.end()) {
        const Lettore r = lettore(relazioni->second);
        while (r && bersaglio.empty() && xmlTextReaderRead(r.get()) == 1) {
            if (xmlTextReaderNodeType(r.get()) == XML_READER_TYPE_ELEMENT &&
                e(r.get(), "Relationship") && attributo(r.get(), "Id") == id)
                bersaglio = attributo(r.get(), "Target").value_or("");
        }
    }
    const std::string nomeFoglio =
        bersaglio.empty() ? "xl/worksheets/sheet1.xml"
                          : (bersaglio.front() == '/' ? bersaglio.substr(1) : "xl/" + bersaglio);
    const auto foglio = m_parti.find(nomeFoglio);
    if (foglio == m_parti.end())
        return Problema{"il foglio di calcolo non ha il foglio " + nomeFoglio, true};

    std::vector<std::string> condivisi;
    if (const auto sst = m_parti.find("xl/sharedStrings.xml"); sst != m_parti.end()) {
        const Lettore r = lettore(sst->second);
        if (!r)
            return kXmlIllegibile;
        int esito = 0;
        while ((esito = xmlTextReaderRead(r.get())) == 1) {
            if (xmlTextReaderNodeType(r.get()) == XML_READER_TYPE_ELEMENT && e(r.get(), "si"))
                condivisi.push_back(testoXlsx(r.get()));
        }
        if (esito < 0)
            return kXmlIllegibile;
    }

    const Lettore r = lettore(foglio->second);
    if (!r)
        return kXmlIllegibile;
    Raccolta raccolta(visita, daGnumeric());
    std::size_t numero = 0, colonna = 0;
    int esito = 0;
    while (!raccolta.fermo() && (esito = xmlTextReaderRead(r.get())) == 1) {
        const int tipo = xmlTextReaderNodeType(r.get());
        if (e(r.get(), "row")) {
            if (tipo == XML_READER_TYPE_ELEMENT) {
                const auto n = attributo(r.get(), "r");
                numero = std::max(intero(n, 1, kMassimoRighe), numero + 1);
                colonna = 0;
            }
            if (tipo == XML_READER_TYPE_END_ELEMENT || xmlTextReaderIsEmptyElement(r.get()))
                raccolta.fineRiga(numero);
            continue;
        }
        if (tipo != XML_READER_TYPE_ELEMENT || !e(r.get(), "c"))
            continue;
        if (const auto rif = attributo(r.get(), "r"))
            colonna = colonnaDi(*rif).value_or(colonna);
        const std::string t = attributo(r.get(), "t").value_or("n");
        std::string valore;
        const int profondita = xmlTextReaderDepth(r.get());
        bool inV = false;
        while (!xmlTextReaderIsEmptyElement(r.get()) && xmlTextReaderRead(r.get()) == 1) {
            const int sotto = xmlTextReaderNodeType(r.get());
            if (sotto == XML_READER_TYPE_END_ELEMENT && xmlTextReaderDepth(r.get()) == profondita)
                break;
            if (sotto == XML_READER_TYPE_ELEMENT && e(r.get(), "is"))
                valore = testoXlsx(r.get());
            else if (sotto == XML_READER_TYPE_ELEMENT && e(r.get(), "v"))
                inV = !xmlTextReaderIsEmptyElement(r.get());
            else if (sotto == XML_READER_TYPE_END_ELEMENT && e(r.get(), "v"))
                inV = false;
            else if (inV && testuale(sotto))
                valore += testoNodo(r.get());
        }
        if (t == "s" && !valore.empty()) {
            const std::size_t indice = intero(valore, 0, condivisi.size());
            if (indice >= condivisi.size())
                return Problema{"il foglio di calcolo non si può leggere: una cella rimanda a "
                                "un testo che non c'è",
                                true};
            valore = condivisi[std::size_t(indice)];
        } else if (t == "n" && !valore.empty()) {
            valore = valoreNumero(valore);
        }
        raccolta.cella(colonna, valore, t == "s" || t == "inlineStr");
        ++colonna;
    }
    if (esito < 0)
        return kXmlIllegibile;
    return raccolta.esito();
}
