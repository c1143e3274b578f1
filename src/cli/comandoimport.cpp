#include "comandoimport.h"

#include "base/codepage1252.h"
#include "base/decodificatesto.h"
#include "base/lotto.h"
#include "base/rapportorighe.h"
#include "base/text.h"
#include "cli/aggiuntainblocco.h"
#include "cli/codiciuscita.h"
#include "cli/controlloadd.h"
#include "cli/erroredifile.h"
#include "cli/letturafoglio.h"
#include "cli/titolonelfoglio.h"
#include "storage/filetesto.h"
#include "storage/letturacsv.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <ostream>

namespace {

// The blank-separated items of a field as "add" takes a list: "1 2 3" as "1,2,3".
std::string elenco(const std::string &campo)
{
    std::string testo;
    std::size_t i = 0;
    while ((i = campo.find_first_not_of(' ', i)) != std::string::npos) {
        const std::size_t fine = campo.find(' ', i);
        testo += (testo.empty() ? "" : ",") + campo.substr(i, fine - i);
        i = fine;
    }
    return testo;
}

// The title without the apostrophe that kept it text in a spreadsheet, whichever file the
// spreadsheet saved it in afterwards.
RichiestaAdd richiesta(const std::string &percorso, const LetturaCsv::Riga &riga)
{
    RichiestaAdd r{percorso,
                   TitoloNelFoglio::leggi(riga.campi[0]),
                   elenco(riga.campi[1]),
                   elenco(riga.campi[2]),
                   {}};
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k) {
        if (!riga.campi[3 + k].empty())
            r.giocate.push_back(std::string(lotto::kNomiGiocate[k]) + '=' + riga.campi[3 + k]);
    }
    return r;
}

// Why a stake is no number a player wrote: a spreadsheet saved it as its cell showed it, too
// narrow for the digits, in scientific notation ("9,223E+14"), rounded. Empty when it is not.
std::string puntataArrotondata(const LetturaCsv::Riga &riga)
{
    for (std::size_t k = 0; k < lotto::kTipiGiocata; ++k) {
        const std::string &campo = riga.campi[3 + k];
        const std::size_t e = campo.find_first_of("eE");
        if (e == 0 || e == std::string::npos || e + 1 == campo.size() ||
            campo.find_first_not_of("0123456789.,") != e ||
            campo.find_first_not_of("0123456789+-", e + 1) != std::string::npos)
            continue;
        return "la puntata \"" + campo + "\" (" + std::string(lotto::kNomiGiocate[k]) +
               ") è un numero arrotondato, in notazione scientifica, come lo mostrava la cella "
               "del foglio di calcolo: salva il file con i valori delle celle, non come appaiono";
    }
    return {};
}

// The titles a ticket may not take, as the set stores them trimmed: those in the set, then
// those of the rows before it. Kept side by side in one table of 21 bytes a title that grows with
// the titles taken, never with the rows refused.
class Titoli
{
public:
    // Whether the title is taken; it is taken from now on either way.
    bool prendi(std::string_view byte)
    {
        if (byte.size() > Schedina::kLunghezzaTitolo)
            return false; // no stored title is that long
        if (2 * (m_presi + 1) > m_caselle.size())
            cresci();
        Casella &casella = cerca(m_caselle, byte);
        if (casella[0] != 0)
            return true;
        casella[0] = char(byte.size() + 1);
        std::copy(byte.begin(), byte.end(), casella.begin() + 1);
        ++m_presi;
        return false;
    }

    Esito<std::uint64_t> leggiInsieme(const InsiemeSchede &insieme)
    {
        return insieme.scorri([&](std::uint64_t, const unsigned char *byte) {
            prendi(trimSpaces({reinterpret_cast<const char *>(byte), Schedina::kLunghezzaTitolo}));
            return true;
        });
    }

private:
    using Casella = std::array<char, Schedina::kLunghezzaTitolo + 1>; // length + 1, then bytes

    // The title's slot, or the empty one where it goes.
    static Casella &cerca(std::vector<Casella> &caselle, std::string_view byte)
    {
        std::uint64_t h = 0xCBF29CE484222325ULL;
        for (unsigned char c : byte)
            h = (h ^ c) * 0x100000001B3ULL;
        for (std::size_t i = h & (caselle.size() - 1);; i = (i + 1) & (caselle.size() - 1)) {
            Casella &casella = caselle[i];
            if (casella[0] == 0 || (std::size_t(casella[0]) == byte.size() + 1 &&
                                    std::equal(byte.begin(), byte.end(), casella.begin() + 1)))
                return casella;
        }
    }

    void cresci()
    {
        std::vector<Casella> caselle(std::max<std::size_t>(1024, 2 * m_caselle.size()));
        for (const Casella &c : m_caselle) {
            if (c[0] != 0)
                cerca(caselle, {c.data() + 1, std::size_t(c[0]) - 1}) = c;
        }
        m_caselle = std::move(caselle);
    }

    std::vector<Casella> m_caselle;
    std::size_t m_presi = 0;
};

// What a first reading of the whole file learns: how it is encoded, whether its header is one,
// and how many rows it has, up to one more than a set may hold.
struct Esame
{
    DecodificaTesto::Codifica codifica = DecodificaTesto::Codifica::Utf8;
    std::size_t marca = 0; // the byte-order mark's length
    std::string errore;
    std::uint64_t righe = 0;
};

// The file from its start, a block at a time, each block shown to vedi, then decoded and read
// as CSV, until the end or until the reader stops.
template <typename Vedi>
Esito<Fatto> leggiCsv(FileTesto &file, std::size_t marca, DecodificaTesto &decodifica,
                      LetturaCsv &csv, Vedi &&vedi)
{
    file.riavvolgi();
    std::string testo;
    for (bool primo = true;; primo = false) {
        const auto blocco = file.prossimi();
        if (!blocco)
            return blocco.errore();
        const std::string_view byte =
            blocco.valore().substr(primo ? std::min(marca, blocco.valore().size()) : 0);
        vedi(byte);
        testo.clear();
        decodifica.converti(byte, testo);
        if (blocco.valore().empty())
            decodifica.fine(testo);
        if (!csv.leggi(testo))
            return Fatto{};
        if (blocco.valore().empty()) {
            csv.fine();
            return Fatto{};
        }
    }
}

Esito<Esame> esamina(FileTesto &file)
{
    const auto inizio = file.prossimi();
    if (!inizio)
        return inizio.errore();
    Esame esame;
    const auto marca = DecodificaTesto::daMarca(inizio.valore());
    if (marca)
        std::tie(esame.codifica, esame.marca) = *marca;
    // UTF-8 and Windows-1252 share the separators, quotes and line ends of ASCII: the rows are
    // counted on the bytes themselves while they are checked for UTF-8.
    DecodificaTesto utf8(DecodificaTesto::Codifica::Utf8), decodifica(esame.codifica);
    LetturaCsv csv(
        [&](const LetturaCsv::Riga &) { return ++esame.righe <= ErroreFile::kMassimoSchede; });
    const bool utf8Atteso = esame.codifica == DecodificaTesto::Codifica::Utf8;
    const auto letto = leggiCsv(file, esame.marca, decodifica, csv, [&](std::string_view byte) {
        if (utf8Atteso)
            utf8.controllaUtf8(byte);
    });
    if (!letto)
        return letto.errore();
    // Not UTF-8, whatever its mark says: the set file's own encoding.
    if (utf8Atteso && !utf8.fineUtf8())
        esame.codifica = DecodificaTesto::Codifica::Windows1252;
    esame.errore = csv.erroreIntestazione();
    return esame;
}

// The visitor of the reading that adds the rows: every row checked, the records of those accepted
// written as they come until one is refused; then only the refusals are gathered.
LetturaCsv::Visitatore controllo(const std::string &percorso, AggiuntaInBlocco &aggiunta,
                                 Titoli &titoli, RapportoRighe &rapporto)
{
    return [&](const LetturaCsv::Riga &riga) {
        aggiunta.puntoDiControllo();
        std::string rifiuto = riga.errore;
        if (rifiuto.empty()) {
            const RichiestaAdd r = richiesta(percorso, riga);
            rifiuto = TitoloNelFoglio::alterazione(r.titolo);
            if (rifiuto.empty())
                rifiuto = puntataArrotondata(riga);
            if (rifiuto.empty()) {
                const auto v = ControlloAdd::controlla(r, [&](std::string_view t) {
                    const auto byte = CodePage1252::encodeExactly(trimSpaces(t));
                    return Esito<bool>(byte && titoli.prendi(*byte));
                });
                rifiuto = v.rifiuto;
                if (v.schedina && rapporto.vuoto() && !aggiunta.aggiungi(v.schedina->codifica()))
                    return false; // the write failed: it is said at the end
            }
        }
        if (!rifiuto.empty())
            rapporto.aggiungi(riga.numero, rifiuto);
        return true;
    };
}

std::string rigaJson(std::uint64_t quante, std::uint64_t primo, std::uint64_t ultimo)
{
    return R"({"schedine":)" + std::to_string(quante) + R"(,"primo_record":)" +
           std::to_string(primo) + R"(,"ultimo_record":)" + std::to_string(ultimo) + "}";
}

} // namespace

int eseguiImport(const std::string &percorso, const std::string &csv, std::ostream &flusso,
                 std::ostream &flussoErrori)
{
    std::string illeggibile;
    const auto foglio = LetturaFoglio::apri(csv, illeggibile);
    if (!illeggibile.empty()) {
        flussoErrori << "zaffirone-cli: " << csv << ": " << illeggibile << '\n';
        return uscita::kErrore;
    }
    // The rows' reading that adds them, from the spreadsheet or the CSV file; the exit code when
    // it could not be done.
    std::function<std::optional<int>(const LetturaCsv::Visitatore &)> leggiRighe;
    const auto problema = [&](const LetturaFoglio::Problema &p) {
        flussoErrori << (p.illeggibile ? "zaffirone-cli: " + csv + ": " : "") << p.testo << '\n';
        return p.illeggibile ? uscita::kErrore : uscita::kRifiuto;
    };
    // A CSV file is read once before, for its encoding, its header and its rows' count; a
    // spreadsheet, whose cells say what they hold, is read only once, its rows counted as they
    // are added.
    std::optional<std::uint64_t> righe;
    std::optional<FileTesto> file;
    Esame esame;
    if (foglio) {
        leggiRighe = [&](const LetturaCsv::Visitatore &v) -> std::optional<int> {
            if (const auto p = foglio->leggi(v))
                return problema(*p);
            return std::nullopt;
        };
    } else {
        auto aperto = FileTesto::apri(csv);
        if (!aperto)
            return erroreDiFile(aperto.errore(), flussoErrori);
        file.emplace(std::move(aperto.valore()));
        const auto esaminato = esamina(*file);
        if (!esaminato)
            return erroreDiFile(esaminato.errore(), flussoErrori);
        esame = esaminato.valore();
        if (!esame.errore.empty()) {
            flussoErrori << "riga 1: " << esame.errore << '\n';
            return uscita::kRifiuto;
        }
        righe = esame.righe;
        leggiRighe = [&](const LetturaCsv::Visitatore &v) -> std::optional<int> {
            DecodificaTesto decodifica(esame.codifica);
            LetturaCsv lettura(v);
            if (const auto letto =
                    leggiCsv(*file, esame.marca, decodifica, lettura, [](std::string_view) {});
                !letto)
                return erroreDiFile(letto.errore(), flussoErrori);
            return std::nullopt;
        };
    }
    // What the rows' count alone decides: too many, or none; nothing when the rows are to be
    // added.
    const auto perNumero = [&](std::uint64_t quante) -> std::optional<int> {
        if (quante > ErroreFile::kMassimoSchede) {
            flussoErrori << "Il CSV ha più di " << ErroreFile::kMassimoSchede
                         << " righe: il file avrebbe più schedine di quante il gioco possa "
                            "caricare\n";
            return uscita::kRifiuto;
        }
        if (quante == 0) {
            flusso << R"({"schedine":0,"primo_record":null,"ultimo_record":null})" << '\n';
            return uscita::kFatto;
        }
        return std::nullopt;
    };
    if (righe) {
        if (const auto codice = perNumero(*righe))
            return *codice;
    }
    auto aggiunta = AggiuntaInBlocco::prendi(percorso, flussoErrori);
    if (!aggiunta)
        return erroreDiFile(aggiunta.errore(), flussoErrori);
    const std::uint64_t prima = aggiunta.valore().schedine();
    if (righe && prima + *righe > ErroreFile::kMassimoSchede)
        return oltreIlLimite(prima + *righe, flussoErrori);
    Titoli titoli;
    if (const auto letto = titoli.leggiInsieme(aggiunta.valore().insieme()); !letto)
        return erroreDiFile(letto.errore(), flussoErrori);
    RapportoRighe rapporto;
    // A spreadsheet's rows are counted as they are added: one too many for any set stops the
    // reading, and those past what this set can take are dropped with it at the end.
    std::uint64_t lette = 0;
    const auto aggiungi = controllo(percorso, aggiunta.valore(), titoli, rapporto);
    if (const auto codice = leggiRighe([&](const LetturaCsv::Riga &riga) {
            return ++lette <= ErroreFile::kMassimoSchede && aggiungi(riga);
        }))
        return *codice;
    if (const auto codice = perNumero(lette))
        return *codice;
    if (prima + lette > ErroreFile::kMassimoSchede)
        return oltreIlLimite(prima + lette, flussoErrori);
    if (!rapporto.vuoto()) {
        flussoErrori << rapporto.testo();
        return uscita::kRifiuto;
    }
    return aggiunta.valore().concludi(
        [&](std::uint64_t primo, std::uint64_t ultimo) {
            return rigaJson(ultimo - primo + 1, primo, ultimo);
        },
        flusso);
}
