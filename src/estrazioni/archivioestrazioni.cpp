#include "archivioestrazioni.h"

#include "estrazioni/errorearchivio.h"
#include "storage/errorefile.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unordered_map>

namespace {

// The mark the archive's header carries, "ZaEs", so that another program's database is never
// taken for it.
constexpr int kSegno = 0x5A614573;
// How long a writer waits for another to finish before it gives up.
constexpr int kAttesaMs = 60000;

constexpr const char *kSchema = R"(
CREATE TABLE IF NOT EXISTS estratti (
    data INTEGER NOT NULL,   -- YYYYMMDD
    ruota INTEGER NOT NULL,  -- 0 Bari ... 9 Venezia, 10 Nazionale
    n1 INTEGER NOT NULL, n2 INTEGER NOT NULL, n3 INTEGER NOT NULL,
    n4 INTEGER NOT NULL, n5 INTEGER NOT NULL,
    PRIMARY KEY (data, ruota)
) WITHOUT ROWID;
)";

// A prepared statement, finalized when it goes.
class Istruzione
{
public:
    Istruzione(sqlite3 *db, const char *sql)
    {
        if (sqlite3_prepare_v2(db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            m_stmt = nullptr;
    }
    ~Istruzione() { sqlite3_finalize(m_stmt); }
    Istruzione(const Istruzione &) = delete;
    Istruzione &operator=(const Istruzione &) = delete;

    bool pronta() const { return m_stmt != nullptr; }
    sqlite3_stmt *get() const { return m_stmt; }
    // SQLITE_ROW while there are rows, SQLITE_DONE at the end, anything else on error.
    int passo() const { return sqlite3_step(m_stmt); }
    std::int64_t intero(int colonna) const { return sqlite3_column_int64(m_stmt, colonna); }

private:
    sqlite3_stmt *m_stmt = nullptr;
};

// A transaction that is rolled back unless committed.
class Transazione
{
public:
    explicit Transazione(sqlite3 *db) : m_db(db) {}
    ~Transazione()
    {
        if (m_aperta)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transazione(const Transazione &) = delete;
    Transazione &operator=(const Transazione &) = delete;
    void aperta() { m_aperta = true; }
    void chiusa() { m_aperta = false; }

private:
    sqlite3 *m_db;
    bool m_aperta = false;
};

std::int64_t chiave(std::int32_t data, std::size_t ruota)
{
    return std::int64_t(data) * 16 + std::int64_t(ruota);
}

EstrazioneDelGiorno::Cinquina cinquina(const Istruzione &s, int prima)
{
    EstrazioneDelGiorno::Cinquina c{};
    for (std::size_t p = 0; p < c.size(); ++p)
        c[p] = std::int16_t(s.intero(prima + int(p)));
    return c;
}

std::string elenco(const EstrazioneDelGiorno::Cinquina &c)
{
    std::string t;
    for (const auto n : c)
        t += (t.empty() ? "" : ",") + std::to_string(n);
    return t;
}

} // namespace

std::string ArchivioEstrazioni::percorsoPredefinito()
{
    const char *dati = std::getenv("XDG_DATA_HOME");
    std::filesystem::path cartella;
    if (dati && dati[0] == '/') {
        cartella = dati;
    } else {
        const char *casa = std::getenv("HOME");
        cartella = std::filesystem::path(casa ? casa : ".") / ".local" / "share";
    }
    return (cartella / "zaffirone" / "estrazioni.sqlite").string();
}

ArchivioEstrazioni::ArchivioEstrazioni(std::string percorso, Modo modo)
    : m_percorso(std::move(percorso))
{
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (modo == Modo::Scrittura) {
        flags |= SQLITE_OPEN_CREATE;
        const auto cartella = std::filesystem::path(m_percorso).parent_path();
        std::error_code e;
        if (!cartella.empty())
            std::filesystem::create_directories(cartella, e);
        if (e)
            throw ErroreArchivio(
                ErroreArchivio::Tipo::Errore,
                ErroreFile(ErroreFile::Tipo::Scrittura, cartella.string(), e.value())
                    .descrizione());
    } else if (struct stat info; ::stat(m_percorso.c_str(), &info) != 0) {
        if (errno == ENOENT)
            throw ErroreArchivio(ErroreArchivio::Tipo::Errore,
                                 "L'archivio delle estrazioni \"" + m_percorso +
                                     "\" non c'è: caricalo con \"zaffirone-cli draws import "
                                     "storico.zip\".");
        throw ErroreArchivio(
            ErroreArchivio::Tipo::Errore,
            ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, errno).descrizione());
    }
    if (sqlite3_open_v2(m_percorso.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        errore("Impossibile aprire");
    sqlite3_busy_timeout(m_db, kAttesaMs);
    if (!nostro())
        throw ErroreArchivio(ErroreArchivio::Tipo::Errore,
                             "Il file \"" + m_percorso + "\" non è un archivio delle estrazioni.");
}

ArchivioEstrazioni::~ArchivioEstrazioni()
{
    sqlite3_close_v2(m_db);
}

void ArchivioEstrazioni::esegui(const char *sql) const
{
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        errore("Impossibile scrivere");
}

void ArchivioEstrazioni::errore(const std::string &cosa) const
{
    const int codice = m_db ? sqlite3_extended_errcode(m_db) : SQLITE_NOMEM;
    std::string motivo;
    switch (codice & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        motivo = "non è un archivio delle estrazioni, o è danneggiato";
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        motivo = "un altro programma lo sta scrivendo da troppo tempo";
        break;
    case SQLITE_FULL:
        motivo = "il disco è pieno";
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        motivo = "permesso negato, o la cartella non si può usare";
        break;
    default:
        motivo = sqlite3_errstr(codice);
    }
    throw ErroreArchivio(ErroreArchivio::Tipo::Errore, cosa + " l'archivio delle estrazioni \"" +
                                                           m_percorso + "\": " + motivo + ".");
}

// An archive, or an empty database that can become one.
bool ArchivioEstrazioni::nostro() const
{
    Istruzione segno(m_db, "PRAGMA application_id");
    if (!segno.pronta() || segno.passo() != SQLITE_ROW)
        errore("Impossibile leggere");
    if (segno.intero(0) == kSegno)
        return true;
    Istruzione tabelle(m_db, "SELECT COUNT(*) FROM sqlite_schema");
    if (!tabelle.pronta() || tabelle.passo() != SQLITE_ROW)
        errore("Impossibile leggere");
    return segno.intero(0) == 0 && tabelle.intero(0) == 0;
}

bool ArchivioEstrazioni::tabella() const
{
    Istruzione s(m_db, "SELECT COUNT(*) FROM sqlite_schema WHERE name = 'estratti'");
    if (!s.pronta() || s.passo() != SQLITE_ROW)
        errore("Impossibile leggere");
    return s.intero(0) != 0;
}

std::vector<ArchivioEstrazioni::Voce> ArchivioEstrazioni::unifica(const std::vector<Voce> &voci,
                                                                  std::uint64_t &doppie,
                                                                  const Rifiuto &rifiuta)
{
    std::vector<Voce> uniche;
    // Each day and wheel met so far: its place in uniche.
    std::unordered_map<std::int64_t, std::size_t> lette;
    for (const Voce &v : voci) {
        const auto [prima, nuova] =
            lette.try_emplace(chiave(v.riga.data.numero(), v.riga.ruota), uniche.size());
        if (nuova) {
            uniche.push_back(v);
        } else if (const Voce &p = uniche[prima->second]; p.riga.numeri == v.riga.numeri) {
            ++doppie;
        } else {
            rifiuta(v, EstrazioneDelGiorno::nomeRuota(v.riga.ruota) + " del " +
                           v.riga.data.testo() + " ha già altri numeri (" + elenco(p.riga.numeri) +
                           ") alla riga " + std::to_string(p.numero));
        }
    }
    return uniche;
}

ArchivioEstrazioni::Bilancio ArchivioEstrazioni::aggiungi(const std::vector<Voce> &voci,
                                                          bool scrivi, const Rifiuto &rifiuta)
{
    Transazione transazione(m_db);
    esegui("BEGIN IMMEDIATE");
    transazione.aperta();
    // Made here, in the same transaction, the first time something is added.
    if (!nostro())
        throw ErroreArchivio(ErroreArchivio::Tipo::Errore,
                             "Il file \"" + m_percorso + "\" non è un archivio delle estrazioni.");
    esegui(kSchema);
    esegui(("PRAGMA application_id = " + std::to_string(kSegno)).c_str());

    // What the archive holds: each day and wheel's numbers, and the days.
    std::unordered_map<std::int64_t, EstrazioneDelGiorno::Cinquina> archiviate;
    std::set<std::int32_t> giorni;
    {
        Istruzione tutte(m_db, "SELECT data, ruota, n1, n2, n3, n4, n5 FROM estratti");
        if (!tutte.pronta())
            errore("Impossibile leggere");
        int passo;
        while ((passo = tutte.passo()) == SQLITE_ROW) {
            archiviate.emplace(chiave(std::int32_t(tutte.intero(0)), std::size_t(tutte.intero(1))),
                               cinquina(tutte, 2));
            giorni.insert(std::int32_t(tutte.intero(0)));
        }
        if (passo != SQLITE_DONE)
            errore("Impossibile leggere");
    }

    Bilancio bilancio;
    std::vector<std::size_t> nuove;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const Voce &v = voci[i];
        const auto archiviata = archiviate.find(chiave(v.riga.data.numero(), v.riga.ruota));
        if (archiviata == archiviate.end()) {
            nuove.push_back(i);
        } else if (archiviata->second != v.riga.numeri) {
            rifiuta(v, EstrazioneDelGiorno::nomeRuota(v.riga.ruota) + " del " +
                           v.riga.data.testo() + " è già nell'archivio con altri numeri (" +
                           elenco(archiviata->second) + ")");
            scrivi = false;
        }
    }
    if (!scrivi)
        return bilancio;

    Istruzione inserisci(m_db, "INSERT INTO estratti VALUES (?, ?, ?, ?, ?, ?, ?)");
    if (!inserisci.pronta())
        errore("Impossibile scrivere");
    std::set<std::int32_t> aggiunti;
    for (const std::size_t i : nuove) {
        const LetturaStorico::Riga &r = voci[i].riga;
        sqlite3_bind_int(inserisci.get(), 1, r.data.numero());
        sqlite3_bind_int(inserisci.get(), 2, int(r.ruota));
        for (std::size_t p = 0; p < r.numeri.size(); ++p)
            sqlite3_bind_int(inserisci.get(), 3 + int(p), r.numeri[p]);
        if (inserisci.passo() != SQLITE_DONE)
            errore("Impossibile scrivere");
        sqlite3_reset(inserisci.get());
        if (!giorni.count(r.data.numero()))
            aggiunti.insert(r.data.numero());
    }
    bilancio = conta();
    bilancio.nuove = aggiunti.size();
    esegui("COMMIT");
    transazione.chiusa();
    bilancio.scritta = true;
    return bilancio;
}

ArchivioEstrazioni::Bilancio ArchivioEstrazioni::conta() const
{
    if (!tabella())
        return {};
    Istruzione s(m_db, "SELECT COUNT(*), MIN(data), MAX(data), SUM(ruote < 10) FROM "
                       "(SELECT data, SUM(ruota < 10) AS ruote FROM estratti GROUP BY data)");
    if (!s.pronta() || s.passo() != SQLITE_ROW)
        errore("Impossibile leggere");
    Bilancio b;
    b.estrazioni = std::uint64_t(s.intero(0));
    if (b.estrazioni > 0) {
        b.dal = DataEstrazione::daNumero(std::int32_t(s.intero(1)));
        b.al = DataEstrazione::daNumero(std::int32_t(s.intero(2)));
        b.incomplete = std::uint64_t(s.intero(3));
    }
    return b;
}

std::optional<DataEstrazione> ArchivioEstrazioni::ultima() const
{
    const auto b = conta();
    return b.al;
}

std::optional<EstrazioneDelGiorno> ArchivioEstrazioni::estrazione(DataEstrazione data) const
{
    auto giorni = leggi(data, data);
    if (giorni.empty())
        return std::nullopt;
    return giorni.front();
}

std::vector<EstrazioneDelGiorno> ArchivioEstrazioni::leggi(std::optional<DataEstrazione> dal,
                                                           std::optional<DataEstrazione> al) const
{
    std::vector<EstrazioneDelGiorno> giorni;
    if (!tabella())
        return giorni; // nothing was ever added
    Istruzione s(m_db, "SELECT data, ruota, n1, n2, n3, n4, n5 FROM estratti "
                       "WHERE data BETWEEN ? AND ? ORDER BY data, ruota");
    if (!s.pronta())
        errore("Impossibile leggere");
    sqlite3_bind_int(s.get(), 1, dal ? dal->numero() : 0);
    sqlite3_bind_int(s.get(), 2, al ? al->numero() : 99999999);
    int passo;
    while ((passo = s.passo()) == SQLITE_ROW) {
        const auto data = std::int32_t(s.intero(0));
        if (giorni.empty() || giorni.back().data().numero() != data)
            giorni.emplace_back(DataEstrazione::daNumero(data));
        const auto ruota = std::size_t(s.intero(1));
        if (ruota < EstrazioneDelGiorno::kRuote)
            giorni.back().imposta(ruota, cinquina(s, 2));
    }
    if (passo != SQLITE_DONE)
        errore("Impossibile leggere");
    return giorni;
}
