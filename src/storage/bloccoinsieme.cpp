#include "bloccoinsieme.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Another program making and deleting the set as fast as it can could keep the open going round
// for ever; past these tries it is said.
constexpr int kTentativi = 64;

Esito<Fatto> blocca(int fd, const std::string &percorso, Clock::time_point fine)
{
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        if (Clock::now() >= fine)
            return ErroreFile(ErroreFile::Tipo::InUso, percorso, EWOULDBLOCK);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return Fatto{};
}

bool stessoFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool stessoFile(const struct stat &aperto, const std::string &percorso)
{
    struct stat nome
    {
    };
    return ::stat(percorso.c_str(), &nome) == 0 && stessoFile(aperto, nome);
}

std::string cartellaDi(const std::string &file)
{
    const auto barra = file.rfind('/');
    if (barra == std::string::npos)
        return ".";
    return barra == 0 ? "/" : file.substr(0, barra);
}

// The folder holding file, for the set named percorso.
Esito<DescrittoreFile> apriCartella(const std::string &file, const std::string &percorso)
{
    DescrittoreFile cartella(::open(cartellaDi(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (cartella.fd() < 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
    return cartella;
}

} // namespace

Esito<BloccoInsieme> BloccoInsieme::prendi(const std::string &percorso,
                                           std::chrono::milliseconds attesa)
{
    const auto fine = Clock::now() + attesa;
    for (int tentativo = 0; tentativo < kTentativi; ++tentativo) {
        DescrittoreFile file(::open(percorso.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
        if (file.fd() < 0 && errno != ENOENT)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        if (file.fd() < 0) {
            // The name leads nowhere: a link to a file, or into a folder, that is missing.
            struct stat link
            {
            };
            if (::lstat(percorso.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
                return ErroreFile(ErroreFile::Tipo::CollegamentoInterrotto, percorso, ENOENT);
            auto cartella = apriCartella(percorso, percorso);
            if (!cartella)
                return cartella.errore();
            if (auto preso = blocca(cartella.valore().fd(), percorso, fine); !preso)
                return preso.errore();
            if (::lstat(percorso.c_str(), &link) != 0 && errno == ENOENT)
                return BloccoInsieme(percorso, DescrittoreFile(), std::move(cartella).valore(),
                                     percorso);
            continue; // made meanwhile by someone else: its own lock is the one to take
        }
        if (auto preso = blocca(file.fd(), percorso, fine); !preso)
            return preso.errore();
        struct stat aperto
        {
        };
        if (::fstat(file.fd(), &aperto) != 0)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        if (!S_ISREG(aperto.st_mode)) // a pipe or a device put in the set's place
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, ENODEV);
        if (!stessoFile(aperto, percorso))
            continue;
        // A name that cannot be followed to its end (a file open elsewhere, seen through /proc)
        // is its own destination.
        const std::unique_ptr<char, decltype(&std::free)> reale(
            ::realpath(percorso.c_str(), nullptr), &std::free);
        const std::string destinazione = reale ? reale.get() : percorso;
        auto cartella = apriCartella(destinazione, percorso);
        if (!cartella)
            return cartella.errore();
        return BloccoInsieme(percorso, std::move(file), std::move(cartella).valore(), destinazione);
    }
    return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, EBUSY);
}

Esito<std::uint64_t> BloccoInsieme::lunghezza() const
{
    struct stat info
    {
    };
    if (nuovo())
        return std::uint64_t(0);
    if (::fstat(fd(), &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, errno);
    return std::uint64_t(info.st_size);
}

Esito<Fatto> BloccoInsieme::controllaPosto() const
{
    struct stat aperto
    {
    };
    if (nuovo()) {
        if (::lstat(m_percorso.c_str(), &aperto) == 0)
            return ErroreFile(ErroreFile::Tipo::Spostato, m_percorso, EEXIST);
        return Fatto{};
    }
    if (::fstat(fd(), &aperto) != 0)
        return ErroreFile(ErroreFile::Tipo::Scrittura, m_percorso, errno);
    if (aperto.st_nlink == 0 || !stessoFile(aperto, m_percorso) ||
        !stessoFile(aperto, m_destinazione))
        return ErroreFile(ErroreFile::Tipo::Spostato, m_percorso, 0);
    if (aperto.st_nlink > 1)
        return ErroreFile(ErroreFile::Tipo::AltriNomi, m_percorso, 0, aperto.st_nlink - 1);
    return Fatto{};
}
