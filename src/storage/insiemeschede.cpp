#include "insiemeschede.h"

#include "base/codepage1252.h"
#include "base/text.h"
#include "storage/nuovaversione.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::uint64_t kRecord = Schedina::kDimensioneRecord;
// Reported when the path names something other than a plain file (a pipe, a device...).
constexpr int kNonRegolare = ENODEV;

Esito<std::uint64_t> dimensioneFile(int fd, const std::string &percorso)
{
    struct stat stato
    {
    };
    if (::fstat(fd, &stato) != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, percorso, errno);
    return static_cast<std::uint64_t>(stato.st_size);
}

// pread/pwrite until the whole span is moved, the file ends or an error occurs.
template <typename Trasferimento, typename Byte>
std::pair<std::size_t, int> trasferisciTutto(Trasferimento trasferisci, int fd, Byte *dati,
                                             std::size_t byte, std::uint64_t posizione)
{
    std::size_t fatti = 0;
    while (fatti < byte) {
        const ssize_t n =
            trasferisci(fd, dati + fatti, byte - fatti, static_cast<off_t>(posizione + fatti));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {fatti, errno};
        if (n == 0)
            break;
        fatti += static_cast<std::size_t>(n);
    }
    return {fatti, 0};
}

} // namespace

InsiemeSchede::InsiemeSchede(std::string percorso, Apertura apertura)
    : m_percorso(std::move(percorso)), m_apertura(apertura)
{}

InsiemeSchede::InsiemeSchede(std::string percorso, const DescrittoreFile &aperto)
    : m_percorso(std::move(percorso)), m_apertura(Apertura::SoloSeEsiste), m_aperto(aperto.fd())
{}

Esito<DescrittoreFile> InsiemeSchede::apri() const
{
    // Non-blocking, so that a pipe put in place of a set cannot hang the game at open.
    const int opzioni = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                        (m_apertura == Apertura::CreaSeManca ? O_CREAT : 0);
    DescrittoreFile file(m_aperto >= 0 ? ::fcntl(m_aperto, F_DUPFD_CLOEXEC, 0)
                                       : ::open(m_percorso.c_str(), opzioni, 0666));
    if (file.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, errno);
    struct stat stato
    {
    };
    if (::fstat(file.fd(), &stato) != 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, errno);
    if (S_ISDIR(stato.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, EISDIR);
    if (!S_ISREG(stato.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, kNonRegolare);
    return file;
}

Esito<InsiemeSchede::Lettura> InsiemeSchede::apriInLettura() const
{
    auto file = apri();
    if (!file)
        return file.errore();
    const auto lunghezza = dimensioneFile(file.valore().fd(), m_percorso);
    if (!lunghezza)
        return lunghezza.errore();
    return Lettura{std::move(file).valore(), lunghezza.valore()};
}

Esito<std::uint64_t> InsiemeSchede::leggiBlocco(const DescrittoreFile &file, std::uint64_t primo,
                                                std::uint64_t quanti,
                                                VettoreGrande<unsigned char> &blocco) const
{
    const auto [letti, errore] = trasferisciTutto(::pread, file.fd(), blocco.data(),
                                                  quanti * kRecord, (primo - 1) * kRecord);
    if (errore != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errore);
    return letti / kRecord;
}

Esito<std::uint64_t> InsiemeSchede::lunghezza() const
{
    auto aperto = apriInLettura();
    if (!aperto)
        return aperto.errore();
    return aperto.valore().lunghezza;
}

Esito<std::uint64_t> InsiemeSchede::conta() const
{
    auto byte = lunghezza();
    if (!byte)
        return byte;
    return byte.valore() / kRecord;
}

Esito<std::uint64_t> InsiemeSchede::contaEntroIlLimite() const
{
    auto quante = conta();
    if (quante && quante.valore() > ErroreFile::kMassimoSchede)
        return ErroreFile(ErroreFile::Tipo::TroppoGrande, m_percorso, 0, quante.valore());
    return quante;
}

Esito<Schedina> InsiemeSchede::leggi(std::uint64_t k) const
{
    auto letta = leggiUnoAUno({k});
    if (!letta)
        return letta.errore();
    return std::move(letta.valore().front());
}

Esito<std::vector<Schedina>> InsiemeSchede::leggiTutte() const
{
    const auto quante = contaEntroIlLimite();
    if (!quante)
        return quante.errore();
    std::vector<Schedina> schede;
    schede.reserve(quante.valore());
    auto esito = scorri([&](std::uint64_t, const unsigned char *byte) {
        schede.push_back(Schedina::decodifica(byte));
        return true;
    });
    if (!esito)
        return esito.errore();
    return schede;
}

// A few records, each with a read of its own.
Esito<std::vector<Schedina>>
InsiemeSchede::leggiUnoAUno(const std::vector<std::uint64_t> &ordinati) const
{
    const auto aperto = apriInLettura();
    if (!aperto)
        return aperto.errore();
    std::vector<Schedina> lette;
    lette.reserve(ordinati.size());
    Schedina::Record record{};
    for (const std::uint64_t k : ordinati) {
        const auto posizione = Schedina::posizione(k);
        const auto [letti, errore] = !posizione || k > aperto.valore().lunghezza / kRecord
                                         ? std::pair<std::size_t, int>{0, 0}
                                         : trasferisciTutto(::pread, aperto.valore().file.fd(),
                                                            record.data(), kRecord, *posizione);
        if (errore != 0)
            return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errore);
        if (letti < kRecord)
            return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
        lette.push_back(Schedina::decodifica(record.data()));
    }
    return lette;
}

// Many records, picked from the large blocks a whole read goes through.
Esito<std::vector<Schedina>>
InsiemeSchede::leggiScorrendo(const std::vector<std::uint64_t> &ordinati) const
{
    std::vector<Schedina> lette;
    lette.reserve(ordinati.size());
    const auto letto = scorri([&](std::uint64_t k, const unsigned char *record) {
        if (k == ordinati[lette.size()])
            lette.push_back(Schedina::decodifica(record));
        return lette.size() < ordinati.size();
    });
    if (!letto)
        return letto.errore();
    if (lette.size() < ordinati.size())
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0,
                          ordinati[lette.size()]);
    return lette;
}

Esito<std::vector<Schedina>> InsiemeSchede::leggiRecord(std::span<const std::uint64_t> numeri) const
{
    std::vector<std::uint64_t> ordinati(numeri.begin(), numeri.end());
    std::sort(ordinati.begin(), ordinati.end());
    ordinati.erase(std::unique(ordinati.begin(), ordinati.end()), ordinati.end());
    auto lette =
        ordinati.size() > kRecordPerBlocco / 8 ? leggiScorrendo(ordinati) : leggiUnoAUno(ordinati);
    if (!lette)
        return lette.errore();
    std::vector<Schedina> schede;
    schede.reserve(numeri.size());
    for (const std::uint64_t k : numeri)
        schede.push_back(lette.valore()[std::size_t(
            std::lower_bound(ordinati.begin(), ordinati.end(), k) - ordinati.begin())]);
    return schede;
}

Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPerTitolo(std::string_view titolo) const
{
    const auto cercato = CodePage1252::encodeExactly(trimSpaces(titolo));
    if (!cercato) {
        // No stored title can hold this text; the file is still opened as every scan opens it.
        auto file = apri();
        if (!file)
            return file.errore();
        return std::optional<std::uint64_t>{};
    }
    return trovaPrimo([&](std::string_view salvato) { return trimSpaces(salvato) == *cercato; });
}

Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPerTitolo(std::string_view titolo,
                                                                  const BloccoInsieme &blocco) const
{
    if (blocco.nuovo())
        return std::optional<std::uint64_t>{};
    return InsiemeSchede(m_percorso, Apertura::SoloSeEsiste).trovaPerTitolo(titolo);
}

Esito<Fatto> InsiemeSchede::elimina() const
{
    // A set file is deleted under its lock: a writer at work finishes first, and one waiting
    // then finds that the path names another file, or none.
    struct stat stato
    {
    };
    std::optional<Esito<BloccoInsieme>> blocco;
    if (::lstat(m_percorso.c_str(), &stato) == 0 && S_ISREG(stato.st_mode)) {
        blocco.emplace(BloccoInsieme::prendi(m_percorso));
        if (!*blocco)
            return ErroreFile(ErroreFile::Tipo::Eliminazione, m_percorso,
                              blocco->errore().codice());
    }
    if (::unlink(m_percorso.c_str()) != 0)
        return ErroreFile(ErroreFile::Tipo::Eliminazione, m_percorso, errno);
    return Fatto{};
}

std::uint64_t InsiemeSchede::numeroPerAggiunta(std::uint64_t lunghezza)
{
    const std::uint64_t interi = lunghezza / kRecord;
    const std::uint64_t codaDoppia = 2 * (lunghezza % kRecord);
    if (codaDoppia < kRecord)
        return interi + 1;
    if (codaDoppia > kRecord)
        return interi + 2;
    return (interi + 1) % 2 == 0 ? interi + 1 : interi + 2; // exactly half: to the even number
}

Esito<std::uint64_t> InsiemeSchede::aggiungi(const Schedina &schedina) const
{
    const auto blocco = BloccoInsieme::prendi(m_percorso);
    if (!blocco)
        return blocco.errore();
    return aggiungi(schedina, blocco.valore());
}

Esito<std::uint64_t> InsiemeSchede::aggiungi(const Schedina &schedina,
                                             const BloccoInsieme &blocco) const
{
    return scriviSchedina(blocco, 0, schedina);
}

Esito<Fatto> InsiemeSchede::sovrascrivi(std::uint64_t k, const Schedina &schedina) const
{
    if (!Schedina::posizione(k))
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
    const auto blocco = BloccoInsieme::prendi(m_percorso);
    if (!blocco)
        return blocco.errore();
    return sovrascrivi(k, schedina, blocco.valore());
}

Esito<Fatto> InsiemeSchede::sovrascrivi(std::uint64_t k, const Schedina &schedina,
                                        const BloccoInsieme &blocco) const
{
    if (!Schedina::posizione(k))
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
    const auto scritto = scriviSchedina(blocco, k, schedina);
    if (!scritto)
        return scritto.errore();
    return Fatto{};
}

// Writes one whole record, as number k or for 0 where an append goes, and makes sure it reached
// the disk. A set not made yet is made whole by a new version that holds the record, and so is a
// record written over another: a power cut leaves the old ticket or the new one, never half of
// each. An append is written in place, in one write; when anything fails, the bytes it may have
// changed are put back and a file it made longer is cut back to its old length, so no
// half-written record is left to be read as a ticket (a tail shorter than a record is never
// read). The record's number.
Esito<std::uint64_t> InsiemeSchede::scriviSchedina(const BloccoInsieme &blocco, std::uint64_t k,
                                                   const Schedina &schedina) const
{
    const Schedina::Record record = schedina.codifica();
    if (blocco.nuovo() || k != 0) {
        k = k == 0 ? numeroPerAggiunta(0) : k;
        auto versione = NuovaVersione::prepara(blocco);
        if (!versione)
            return versione.errore();
        auto fatto = versione.valore().scrivi(
            std::string_view(reinterpret_cast<const char *>(record.data()), kRecord), k);
        if (fatto)
            fatto = versione.valore().sincronizza();
        if (fatto)
            fatto = versione.valore().sostituisci();
        // Once in place the set holds it, even if its folder could not be synced.
        if (!fatto && !versione.valore().sostituita())
            return fatto.errore();
        return k;
    }
    const int fd = blocco.fd();
    const auto byte = dimensioneFile(fd, m_percorso);
    if (!byte)
        return byte.errore();
    const std::uint64_t lunghezzaPrima = byte.valore();
    k = k == 0 ? numeroPerAggiunta(lunghezzaPrima) : k;
    const auto inizio = Schedina::posizione(k);
    if (!inizio)
        return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, EFBIG);
    const std::uint64_t posizione = *inizio;

    Schedina::Record precedente{};
    const std::size_t salvati =
        posizione < lunghezzaPrima
            ? static_cast<std::size_t>(std::min(kRecord, lunghezzaPrima - posizione))
            : 0;
    if (salvati > 0 &&
        trasferisciTutto(::pread, fd, precedente.data(), salvati, posizione).first != salvati)
        return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errno);

    auto [scritti, problema] = trasferisciTutto(::pwrite, fd, record.data(), kRecord, posizione);
    if (problema == 0 && scritti == kRecord && ::fdatasync(fd) != 0)
        problema = errno;
    if (problema == 0 && scritti == kRecord)
        return k;
    if (salvati > 0)
        trasferisciTutto(::pwrite, fd, precedente.data(), salvati, posizione);
    if (auto adesso = dimensioneFile(fd, m_percorso); adesso && adesso.valore() > lunghezzaPrima) {
        [[maybe_unused]] const int ignorato = ::ftruncate(fd, static_cast<off_t>(lunghezzaPrima));
    }
    ::fdatasync(fd);
    return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, problema);
}
