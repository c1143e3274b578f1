#include "giornaleripristino.h"

#include "storage/descrittorefile.h"
#include "storage/guardiamodifica.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view kIntestazione = "ZAFFIRONE RIPRISTINO 1\n";
// A journal holds a tail shorter than one record: anything longer is not one of ours.
constexpr std::size_t kMassimo = 512;

using Stato = GiornaleRipristino::Stato;

void aggiungiNumero(std::string &testo, std::uint64_t numero)
{
    for (int i = 0; i < 8; ++i)
        testo += char(numero >> (8 * i) & 0xFF);
}

std::uint64_t numeroDa(std::string_view testo, std::size_t da)
{
    std::uint64_t numero = 0;
    for (int i = 7; i >= 0; --i)
        numero = numero << 8 | static_cast<unsigned char>(testo[da + std::size_t(i)]);
    return numero;
}

// FNV-1a: a journal cut short or written over by anything else does not sum up.
std::uint64_t somma(std::string_view testo)
{
    std::uint64_t h = 0xCBF29CE484222325ULL;
    for (unsigned char c : testo)
        h = (h ^ c) * 0x100000001B3ULL;
    return h;
}

std::string codifica(std::uint64_t inode, const Stato &stato)
{
    std::string testo(kIntestazione);
    aggiungiNumero(testo, inode);
    aggiungiNumero(testo, stato.lunghezza);
    aggiungiNumero(testo, stato.inizioCoda);
    aggiungiNumero(testo, stato.creato ? 1 : 0);
    aggiungiNumero(testo, stato.coda.size());
    testo += stato.coda;
    aggiungiNumero(testo, somma(testo));
    return testo;
}

struct Letto
{
    std::uint64_t inode = 0;
    Stato stato;
};

std::optional<Letto> decodifica(std::string_view testo)
{
    const std::size_t fisso = kIntestazione.size() + 5 * 8;
    if (testo.size() < fisso + 8 || !testo.starts_with(kIntestazione))
        return std::nullopt;
    const std::uint64_t coda = numeroDa(testo, fisso - 8);
    if (coda != testo.size() - fisso - 8 ||
        numeroDa(testo, testo.size() - 8) != somma(testo.substr(0, testo.size() - 8)))
        return std::nullopt;
    const std::size_t campi = kIntestazione.size();
    Letto letto{numeroDa(testo, campi),
                {numeroDa(testo, campi + 8), numeroDa(testo, campi + 16),
                 std::string(testo.substr(fisso, coda)), numeroDa(testo, campi + 24) == 1}};
    return letto;
}

bool scriviTutto(int fd, std::string_view testo)
{
    while (!testo.empty()) {
        const ssize_t n = ::write(fd, testo.data(), testo.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        testo.remove_prefix(std::size_t(n));
    }
    return true;
}

// The folder's own entry for the file made or removed, on the disk: the journal must be found
// after a power loss exactly when the set may be half-written.
int sincronizzaCartella(const std::string &file)
{
    const auto barra = file.rfind('/');
    const std::string cartella = barra == std::string::npos ? "."
                                 : barra == 0               ? "/"
                                                            : file.substr(0, barra);
    const DescrittoreFile fd(::open(cartella.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.fd() < 0 || ::fsync(fd.fd()) != 0)
        return errno;
    return 0;
}

std::optional<ino_t> inodeDi(int fd)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return info.st_ino;
}

// The journal's bytes; nothing when there is none.
Esito<std::optional<std::string>> contenuto(const std::string &percorso)
{
    const DescrittoreFile fd(
        ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY));
    if (fd.fd() < 0 && errno == ENOENT)
        return std::optional<std::string>{};
    if (fd.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, percorso, errno);
    std::array<char, kMassimo + 1> byte{};
    std::size_t letti = 0;
    for (;;) {
        const ssize_t n = ::read(fd.fd(), byte.data() + letti, byte.size() - letti);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ErroreFile(ErroreFile::Tipo::Lettura, percorso, errno);
        letti += std::size_t(n);
        if (n == 0 || letti == byte.size())
            return std::optional(std::string(byte.data(), letti));
    }
}

struct Esame
{
    bool presente = false;      // a file is there, whole or not
    std::optional<Stato> stato; // a whole journal made for this very file
};

Esito<Esame> esamina(const std::string &insieme, int fd)
{
    const std::string percorso = GiornaleRipristino::percorsoPer(insieme);
    const auto byte = contenuto(percorso);
    if (!byte)
        return byte.errore();
    if (!byte.valore())
        return Esame{};
    const auto letto = decodifica(*byte.valore());
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Lettura, insieme, errno);
    // Writes only make a set longer: one shorter than the journal says is not its set.
    if (!letto || letto->inode != info.st_ino ||
        std::uint64_t(info.st_size) < letto->stato.lunghezza)
        return Esame{true, std::nullopt};
    return Esame{true, letto->stato};
}

} // namespace

std::string GiornaleRipristino::percorsoPer(const std::string &insieme)
{
    const std::unique_ptr<char, decltype(&std::free)> reale(::realpath(insieme.c_str(), nullptr),
                                                            &std::free);
    return (reale ? std::string(reale.get()) : insieme) + ".ripristino";
}

Esito<GiornaleRipristino> GiornaleRipristino::scrivi(const std::string &insieme, int fd,
                                                     const Stato &stato)
{
    const auto inode = inodeDi(fd);
    if (!inode)
        return ErroreFile(ErroreFile::Tipo::Scrittura, insieme, errno);
    const std::string percorso = percorsoPer(insieme);
    DescrittoreFile file(::open(
        percorso.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666));
    if (file.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
    errno = 0;
    int problema = 0;
    if (!scriviTutto(file.fd(), codifica(*inode, stato)) || ::fdatasync(file.fd()) != 0)
        problema = errno == 0 ? EIO : errno;
    if (problema == 0)
        problema = file.chiudi();
    if (problema == 0)
        problema = sincronizzaCartella(percorso);
    if (problema == 0)
        return GiornaleRipristino(percorso);
    ::unlink(percorso.c_str());
    return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, problema);
}

Esito<Fatto> GiornaleRipristino::conferma()
{
    // Emptied, a journal no longer sums up: that stands for removing it when the folder refuses.
    if (::unlink(m_percorso.c_str()) != 0 && errno != ENOENT) {
        const int motivo = errno;
        const DescrittoreFile vuoto(::open(m_percorso.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
        if (vuoto.fd() < 0 || ::fdatasync(vuoto.fd()) != 0)
            return ErroreFile(ErroreFile::Tipo::Eliminazione, m_percorso, motivo);
    }
    sincronizzaCartella(m_percorso);
    return Fatto{};
}

Esito<std::optional<GiornaleRipristino::Stato>>
GiornaleRipristino::leggi(const std::string &insieme, int fd)
{
    auto esame = esamina(insieme, fd);
    if (!esame)
        return esame.errore();
    return std::move(esame.valore().stato);
}

Esito<bool> GiornaleRipristino::ripristina(const std::string &insieme, int fd)
{
    const auto esame = esamina(insieme, fd);
    if (!esame)
        return esame.errore();
    if (!esame.valore().presente)
        return false;
    const auto &stato = esame.valore().stato;
    if (stato) {
        if (auto rimesso = rimetti(insieme, fd, *stato); !rimesso)
            return rimesso.errore();
    }
    const std::string percorso = percorsoPer(insieme);
    if (::unlink(percorso.c_str()) != 0 && errno != ENOENT)
        return ErroreFile(ErroreFile::Tipo::Eliminazione, percorso, errno);
    sincronizzaCartella(percorso);
    return stato && stato->creato;
}

Esito<Fatto> GiornaleRipristino::rimetti(const std::string &insieme, int fd, const Stato &stato)
{
    const auto guardia = GuardiaModifica::esclusiva(fd, insieme, GuardiaModifica::kAttesa);
    if (!guardia)
        return guardia.errore();
    if (stato.creato) {
        struct stat nome
        {
        };
        const bool suo = ::stat(insieme.c_str(), &nome) == 0 && inodeDi(fd) == nome.st_ino;
        if (suo && ::unlink(insieme.c_str()) != 0)
            return ErroreFile(ErroreFile::Tipo::Eliminazione, insieme, errno);
        sincronizzaCartella(insieme);
        return Fatto{};
    }
    bool riuscito = ::ftruncate(fd, off_t(stato.lunghezza)) == 0;
    for (std::size_t fatti = 0; riuscito && fatti < stato.coda.size();) {
        const ssize_t n = ::pwrite(fd, stato.coda.data() + fatti, stato.coda.size() - fatti,
                                   off_t(stato.inizioCoda + fatti));
        riuscito = n > 0 || (n < 0 && errno == EINTR);
        fatti += n > 0 ? std::size_t(n) : 0;
    }
    if (!riuscito || ::fdatasync(fd) != 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, insieme, errno == 0 ? EIO : errno);
    return Fatto{};
}
