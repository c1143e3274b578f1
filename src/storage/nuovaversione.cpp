#include "nuovaversione.h"

#include "storage/schedina.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <random>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int kTentativi = 64;

std::string baseDi(const std::string &file)
{
    const auto barra = file.rfind('/');
    return barra == std::string::npos ? file : file.substr(barra + 1);
}

// A new version's name while it has one: hidden, after the set's own, so that what a stopped
// write left behind is known for what it is.
std::string prefisso(const BloccoInsieme &blocco)
{
    return "." + baseDi(blocco.destinazione()).substr(0, 200) + ".zaffirone-";
}

std::string nomeCasuale(const BloccoInsieme &blocco)
{
    static std::mt19937_64 generatore{std::random_device{}()};
    char coda[17];
    std::snprintf(coda, sizeof coda, "%016llx", static_cast<unsigned long long>(generatore()));
    return prefisso(blocco) + coda;
}

// What a write stopped between naming its new version and renaming it left behind. Under the
// set's hold no other writer of it is at work, and only our own files are ours to remove.
void rimuoviAvanzi(const BloccoInsieme &blocco)
{
    DIR *cartella = ::fdopendir(::dup(blocco.cartella()));
    if (!cartella)
        return;
    ::rewinddir(cartella);
    const std::string inizio = prefisso(blocco);
    while (const dirent *voce = ::readdir(cartella)) {
        struct stat info
        {
        };
        if (std::string_view(voce->d_name).starts_with(inizio) &&
            ::fstatat(blocco.cartella(), voce->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
            ::unlinkat(blocco.cartella(), voce->d_name, 0);
    }
    ::closedir(cartella);
}

// A file of the folder with no name, that vanishes with the program unless given one; on a file
// system that has none, a hidden name from the start.
DescrittoreFile creaFile(const BloccoInsieme &blocco, std::string &nome)
{
    DescrittoreFile file(::openat(blocco.cartella(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666));
    if (file.fd() >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return file;
    for (int tentativo = 0; tentativo < kTentativi; ++tentativo) {
        nome = nomeCasuale(blocco);
        file = DescrittoreFile(
            ::openat(blocco.cartella(), nome.c_str(),
                     O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0666));
        if (file.fd() >= 0 || errno != EEXIST)
            break;
    }
    if (file.fd() < 0)
        nome.clear();
    return file;
}

// A name in the folder for the unnamed file open on fd; false with errno set.
bool collega(int fd, int cartella, const std::string &nome)
{
    char proc[64];
    std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, proc, cartella, nome.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Without /proc, the privileged way.
    return errno == ENOENT && ::linkat(fd, "", cartella, nome.c_str(), AT_EMPTY_PATH) == 0;
}

} // namespace

NuovaVersione::NuovaVersione(const BloccoInsieme &blocco, DescrittoreFile file, std::string nome)
    : m_blocco(&blocco), m_file(std::move(file)), m_nome(std::move(nome))
{}

NuovaVersione::NuovaVersione(NuovaVersione &&other) noexcept
    : m_blocco(other.m_blocco), m_file(std::move(other.m_file)),
      m_nome(std::exchange(other.m_nome, {})), m_lunghezzaPrima(other.m_lunghezzaPrima),
      m_sostituita(other.m_sostituita)
{}

NuovaVersione::~NuovaVersione()
{
    if (!m_nome.empty())
        ::unlinkat(m_blocco->cartella(), m_nome.c_str(), 0);
}

ErroreFile NuovaVersione::errore(int codice) const
{
    return ErroreFile(ErroreFile::Tipo::Scrittura, m_blocco->percorso(), codice);
}

Esito<NuovaVersione> NuovaVersione::prepara(const BloccoInsieme &blocco)
{
    struct stat insieme
    {
    };
    if (!blocco.nuovo()) {
        if (auto posto = blocco.controllaPosto(); !posto)
            return posto.errore();
        if (::fstat(blocco.fd(), &insieme) != 0)
            return ErroreFile(ErroreFile::Tipo::Scrittura, blocco.percorso(), errno);
    }
    rimuoviAvanzi(blocco);
    std::string nome;
    DescrittoreFile file = creaFile(blocco, nome);
    if (file.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, blocco.percorso(), errno);
    NuovaVersione versione(blocco, std::move(file), std::move(nome));
    if (blocco.nuovo())
        return versione;
    const int fd = versione.m_file.fd();
    // The set keeps its owner and its permissions; one that would pass to us is not ours to
    // rewrite.
    if (::fchown(fd, insieme.st_uid, insieme.st_gid) != 0 && insieme.st_uid != ::geteuid())
        return ErroreFile(ErroreFile::Tipo::AltroProprietario, blocco.percorso(), errno);
    if (::fchmod(fd, insieme.st_mode & 07777) != 0)
        return versione.errore(errno);
    if (auto copiato = versione.copia(std::uint64_t(insieme.st_size)); !copiato)
        return copiato.errore();
    return versione;
}

// The set's bytes: shared with it where the file system can (a reflink), copied by the kernel
// where it can, else read and written.
Esito<Fatto> NuovaVersione::copia(std::uint64_t lunghezza)
{
    const int da = m_blocco->fd();
    const int a = m_file.fd();
    if (lunghezza > 0 && ::ioctl(a, FICLONE, da) != 0) {
        off64_t dentro = 0;
        off64_t fuori = 0;
        bool aMano = false;
        while (!aMano && std::uint64_t(dentro) < lunghezza) {
            const ssize_t n =
                ::copy_file_range(da, &dentro, a, &fuori, std::size_t(lunghezza) - dentro, 0);
            if (n == 0)
                break; // cut short by another program meanwhile
            if (n < 0 && errno != EINTR) {
                if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
                    return errore(errno);
                aMano = true;
            }
        }
        std::vector<char> blocco(aMano ? std::size_t(1) << 20 : 0);
        while (aMano) {
            const ssize_t letti = ::pread(da, blocco.data(), blocco.size(), dentro);
            if (letti < 0 && errno == EINTR)
                continue;
            if (letti < 0)
                return errore(errno);
            if (letti == 0)
                break;
            for (ssize_t scritti = 0; scritti < letti;) {
                const ssize_t n = ::pwrite(a, blocco.data() + scritti, std::size_t(letti - scritti),
                                           dentro + scritti);
                if (n < 0 && errno != EINTR)
                    return errore(errno);
                scritti += n > 0 ? n : 0;
            }
            dentro += letti;
        }
    }
    struct stat copiato
    {
    };
    if (::fstat(a, &copiato) != 0)
        return errore(errno);
    m_lunghezzaPrima = std::uint64_t(copiato.st_size);
    return Fatto{};
}

Esito<Fatto> NuovaVersione::scrivi(std::string_view record, std::uint64_t primo)
{
    const auto posizione = Schedina::posizione(primo);
    if (!posizione || !Schedina::posizione(primo + record.size() / Schedina::kDimensioneRecord))
        return errore(EFBIG);
    for (std::size_t scritti = 0; scritti < record.size();) {
        const ssize_t n = ::pwrite(m_file.fd(), record.data() + scritti, record.size() - scritti,
                                   off_t(*posizione + scritti));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return errore(n < 0 ? errno : 0);
        scritti += std::size_t(n);
    }
    return Fatto{};
}

Esito<Fatto> NuovaVersione::sincronizza()
{
    if (::fdatasync(m_file.fd()) != 0)
        return errore(errno);
    return Fatto{};
}

Esito<Fatto> NuovaVersione::daiNome()
{
    for (int tentativo = 0; m_nome.empty() && tentativo < kTentativi; ++tentativo) {
        std::string nome = nomeCasuale(*m_blocco);
        if (collega(m_file.fd(), m_blocco->cartella(), nome))
            m_nome = std::move(nome);
        else if (errno != EEXIST)
            return errore(errno);
    }
    if (m_nome.empty())
        return errore(EEXIST);
    return Fatto{};
}

Esito<Fatto> NuovaVersione::sostituisci()
{
    if (auto posto = m_blocco->controllaPosto(); !posto)
        return posto.errore();
    const int cartella = m_blocco->cartella();
    const std::string destinazione = baseDi(m_blocco->destinazione());
    if (m_blocco->nuovo()) {
        // A link never replaces: a set made meanwhile by someone else stays as it is.
        const bool collegato = m_nome.empty() ? collega(m_file.fd(), cartella, destinazione)
                                              : ::linkat(cartella, m_nome.c_str(), cartella,
                                                         destinazione.c_str(), 0) == 0;
        if (!collegato)
            return errno == EEXIST ? ErroreFile(ErroreFile::Tipo::Spostato, m_blocco->percorso(), 0)
                                   : errore(errno);
        m_sostituita = true;
        if (!m_nome.empty())
            ::unlinkat(cartella, std::exchange(m_nome, {}).c_str(), 0);
    } else {
        if (auto nominato = daiNome(); !nominato)
            return nominato;
        if (::renameat(cartella, m_nome.c_str(), cartella, destinazione.c_str()) != 0)
            return errore(errno);
        m_sostituita = true;
        m_nome.clear();
    }
    if (::fsync(cartella) != 0)
        return errore(errno);
    return Fatto{};
}
