#include "insiemeschede.h"

#include "base/codepage1252.h"
#include "base/text.h"

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

std::uint64_t offsetOf(std::uint64_t k)
{
    return (k - 1) * kRecord;
}

// Record numbers whose offset a file can have: from 1 up to where off_t ends.
bool validRecord(std::uint64_t k)
{
    constexpr std::uint64_t kLast = (std::uint64_t(INT64_MAX) - kRecord) / kRecord + 1;
    return k >= 1 && k <= kLast;
}

Esito<std::uint64_t> fileSize(int fd, const std::string &path)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, path, errno);
    return static_cast<std::uint64_t>(info.st_size);
}

// pread/pwrite until the whole span is moved, the file ends or an error occurs.
template <typename Transfer, typename Byte>
std::pair<std::size_t, int> transferAll(Transfer transfer, int fd, Byte *data, std::size_t size,
                                        std::uint64_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = transfer(fd, data + done, size - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return {done, errno};
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return {done, 0};
}

} // namespace

InsiemeSchede::InsiemeSchede(std::string percorso, Apertura apertura)
    : m_percorso(std::move(percorso)), m_apertura(apertura)
{}

Esito<DescrittoreFile> InsiemeSchede::apri(int flags) const
{
    // Non-blocking, so that a pipe put in place of a set cannot hang the game at open.
    flags |= O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (m_apertura == Apertura::CreaSeManca || (flags & O_ACCMODE) != O_RDONLY)
        flags |= O_CREAT;
    DescrittoreFile file(::open(m_percorso.c_str(), flags, 0666));
    if (file.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, errno);
    struct stat info
    {
    };
    if (::fstat(file.fd(), &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, errno);
    if (S_ISDIR(info.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, EISDIR);
    if (!S_ISREG(info.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, m_percorso, kNonRegolare);
    return file;
}

Esito<std::uint64_t> InsiemeSchede::dimensione(const DescrittoreFile &file) const
{
    return fileSize(file.fd(), m_percorso);
}

Esito<std::uint64_t> InsiemeSchede::leggiBlocco(const DescrittoreFile &file, std::uint64_t primo,
                                                std::vector<unsigned char> &blocco) const
{
    const auto [letti, errore] =
        transferAll(::pread, file.fd(), blocco.data(), blocco.size(), offsetOf(primo));
    if (errore != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errore);
    return letti / kRecord;
}

Esito<std::uint64_t> InsiemeSchede::lunghezza() const
{
    auto file = apri(O_RDONLY);
    if (!file)
        return file.errore();
    return fileSize(file.valore().fd(), m_percorso);
}

Esito<std::uint64_t> InsiemeSchede::conta() const
{
    auto size = lunghezza();
    if (!size)
        return size;
    return size.valore() / kRecord;
}

Esito<std::uint64_t> InsiemeSchede::contaEntroIlLimite() const
{
    auto count = conta();
    if (count && count.valore() > ErroreFile::kMassimoSchede)
        return ErroreFile(ErroreFile::Tipo::TroppoGrande, m_percorso, 0, count.valore());
    return count;
}

Esito<Schedina> InsiemeSchede::leggi(std::uint64_t k) const
{
    auto file = apri(O_RDONLY);
    if (!file)
        return file.errore();
    Schedina::Record record{};
    const auto [letti, errore] = !validRecord(k) ? std::pair<std::size_t, int>{0, 0}
                                                 : transferAll(::pread, file.valore().fd(),
                                                               record.data(), kRecord, offsetOf(k));
    if (errore != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errore);
    if (letti < kRecord)
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
    return Schedina::decodifica(record.data());
}

Esito<std::vector<Schedina>> InsiemeSchede::leggiTutte() const
{
    const auto count = contaEntroIlLimite();
    if (!count)
        return count.errore();
    std::vector<Schedina> schede;
    schede.reserve(count.valore());
    auto esito = scorri([&](std::uint64_t, const unsigned char *bytes) {
        schede.push_back(Schedina::decodifica(bytes));
        return true;
    });
    if (!esito)
        return esito.errore();
    return schede;
}

Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPerTitolo(std::string_view titolo) const
{
    const auto cercato = CodePage1252::encodeExactly(trimSpaces(titolo));
    if (!cercato) {
        // No stored title can hold this text; the file is still opened as every scan opens it.
        auto file = apri(O_RDONLY);
        if (!file)
            return file.errore();
        return std::optional<std::uint64_t>{};
    }
    return trovaPrimo([&](std::string_view stored) { return trimSpaces(stored) == *cercato; });
}

Esito<std::optional<std::uint64_t>> InsiemeSchede::trovaPerVoce(std::string_view voce) const
{
    const auto cercato = CodePage1252::encodeExactly(voce).value_or(std::string{});
    return trovaPrimo([&](std::string_view stored) { return stored == cercato; });
}

Esito<Fatto> InsiemeSchede::elimina() const
{
    // A set file is deleted under its lock: a writer at work finishes first, and one waiting
    // then finds that the path names another file, or none.
    struct stat info
    {
    };
    std::optional<Esito<BloccoInsieme>> blocco;
    if (::lstat(m_percorso.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
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
    const std::uint64_t whole = lunghezza / kRecord;
    const std::uint64_t twiceTail = 2 * (lunghezza % kRecord);
    if (twiceTail < kRecord)
        return whole + 1;
    if (twiceTail > kRecord)
        return whole + 2;
    return (whole + 1) % 2 == 0 ? whole + 1 : whole + 2; // exactly half: to the even number
}

Esito<std::uint64_t> InsiemeSchede::aggiungi(const Schedina &schedina) const
{
    const auto blocco = BloccoInsieme::prendi(m_percorso);
    if (!blocco)
        return blocco.errore();
    auto scritto = aggiungi(schedina, blocco.valore());
    if (!scritto && blocco.valore().creato())
        ::unlink(m_percorso.c_str()); // a failed first write leaves no empty file behind
    return scritto;
}

Esito<std::uint64_t> InsiemeSchede::aggiungi(const Schedina &schedina,
                                             const BloccoInsieme &blocco) const
{
    std::uint64_t scritto = 0;
    auto esito = scriviRecord(blocco.fd(), 0, schedina, true, &scritto);
    if (!esito)
        return esito.errore();
    return scritto;
}

Esito<Fatto> InsiemeSchede::sovrascrivi(std::uint64_t k, const Schedina &schedina) const
{
    if (!validRecord(k))
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
    const auto blocco = BloccoInsieme::prendi(m_percorso);
    if (!blocco)
        return blocco.errore();
    return sovrascrivi(k, schedina, blocco.valore());
}

Esito<Fatto> InsiemeSchede::sovrascrivi(std::uint64_t k, const Schedina &schedina,
                                        const BloccoInsieme &blocco) const
{
    if (!validRecord(k))
        return ErroreFile(ErroreFile::Tipo::RecordInesistente, m_percorso, 0, k);
    return scriviRecord(blocco.fd(), k, schedina, false, nullptr);
}

Esito<InsiemeSchede::PrimaDellAggiunta>
InsiemeSchede::primaDellAggiunta(const BloccoInsieme &blocco) const
{
    const auto size = fileSize(blocco.fd(), m_percorso);
    if (!size)
        return size.errore();
    PrimaDellAggiunta prima{size.valore(), offsetOf(numeroPerAggiunta(size.valore())), {}};
    if (prima.inizioCoda < prima.lunghezza) {
        prima.coda.resize(prima.lunghezza - prima.inizioCoda);
        const auto [letti, errore] = transferAll(::pread, blocco.fd(), prima.coda.data(),
                                                 prima.coda.size(), prima.inizioCoda);
        if (errore != 0 || letti != prima.coda.size())
            return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errore);
    }
    return prima;
}

Esito<Fatto> InsiemeSchede::annullaAggiunta(const BloccoInsieme &blocco,
                                            const PrimaDellAggiunta &prima) const
{
    if (blocco.creato()) {
        if (::unlink(m_percorso.c_str()) != 0)
            return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, errno);
        return Fatto{};
    }
    const int fd = blocco.fd();
    const bool fatto =
        ::ftruncate(fd, static_cast<off_t>(prima.lunghezza)) == 0 &&
        transferAll(::pwrite, fd, prima.coda.data(), prima.coda.size(), prima.inizioCoda) ==
            std::pair<std::size_t, int>{prima.coda.size(), 0} &&
        ::fdatasync(fd) == 0;
    if (!fatto)
        return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, errno);
    return Fatto{};
}

Esito<std::uint64_t> InsiemeSchede::aggiungiRecord(std::string_view record,
                                                   const BloccoInsieme &blocco,
                                                   const PrimaDellAggiunta &prima) const
{
    const std::uint64_t primo = numeroPerAggiunta(prima.lunghezza);
    auto [written, error] =
        transferAll(::pwrite, blocco.fd(), record.data(), record.size(), offsetOf(primo));
    if (error == 0 && written == record.size() && ::fdatasync(blocco.fd()) != 0)
        error = errno;
    if (error == 0 && written == record.size())
        return primo;
    annullaAggiunta(blocco, prima);
    return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, error);
}

// Writes one whole record and makes sure it reached the disk. When anything fails, the bytes
// it may have changed are put back and a file it made longer is cut back to its old length, so
// no half-written record is ever left to be read as a ticket.
Esito<Fatto> InsiemeSchede::scriviRecord(int fd, std::uint64_t k, const Schedina &schedina,
                                         bool allaFine, std::uint64_t *scritto) const
{
    const auto size = fileSize(fd, m_percorso);
    if (!size)
        return size.errore();
    const std::uint64_t before = size.valore();
    if (allaFine)
        k = numeroPerAggiunta(before);
    const std::uint64_t offset = offsetOf(k);

    Schedina::Record previous{};
    const std::size_t kept =
        offset < before ? static_cast<std::size_t>(std::min(kRecord, before - offset)) : 0;
    if (kept > 0 && transferAll(::pread, fd, previous.data(), kept, offset).first != kept)
        return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errno);

    const Schedina::Record record = schedina.codifica();
    auto [written, error] = transferAll(::pwrite, fd, record.data(), kRecord, offset);
    if (error == 0 && written == kRecord && ::fdatasync(fd) != 0)
        error = errno;
    if (error == 0 && written == kRecord) {
        if (scritto)
            *scritto = k;
        return Fatto{};
    }
    if (kept > 0)
        transferAll(::pwrite, fd, previous.data(), kept, offset);
    if (auto now = fileSize(fd, m_percorso); now && now.valore() > before) {
        [[maybe_unused]] const int ignored = ::ftruncate(fd, static_cast<off_t>(before));
    }
    ::fdatasync(fd);
    return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, error);
}
