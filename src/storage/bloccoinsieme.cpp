#include "bloccoinsieme.h"

#include "storage/giornaleripristino.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Another program making and deleting the set as fast as it can could keep the open going round
// for ever; past these tries it is said.
constexpr int kTentativi = 64;

// Opens the path for writing, noting whether this open made the file.
Esito<std::pair<DescrittoreFile, bool>> apri(const std::string &percorso, bool crea)
{
    constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    for (int tentativo = 0; tentativo < kTentativi; ++tentativo) {
        DescrittoreFile file(::open(percorso.c_str(), kFlags));
        if (file.fd() >= 0)
            return std::pair{std::move(file), false};
        if (errno != ENOENT || !crea)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        DescrittoreFile made(::open(percorso.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
        if (made.fd() >= 0)
            return std::pair{std::move(made), true};
        if (errno != EEXIST)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        // The name is there and names nothing: a link to a file, or into a folder, that is
        // missing. Otherwise someone else made the set in between: open that one.
        struct stat link
        {
        };
        if (::lstat(percorso.c_str(), &link) == 0 && S_ISLNK(link.st_mode))
            return ErroreFile(ErroreFile::Tipo::CollegamentoInterrotto, percorso, ENOENT);
    }
    return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, EBUSY);
}

// The locked file is still the one the path names.
bool stessoFile(int fd, const std::string &percorso)
{
    struct stat aperto
    {
    }, nome{};
    return ::fstat(fd, &aperto) == 0 && ::stat(percorso.c_str(), &nome) == 0 &&
           aperto.st_dev == nome.st_dev && aperto.st_ino == nome.st_ino;
}

} // namespace

Esito<BloccoInsieme> BloccoInsieme::prendi(const std::string &percorso,
                                           std::chrono::milliseconds attesa)
{
    return prendi(percorso, attesa, true);
}

Esito<BloccoInsieme> BloccoInsieme::prendiSeLibero(const std::string &percorso)
{
    return prendi(percorso, std::chrono::milliseconds(0), false);
}

Esito<BloccoInsieme> BloccoInsieme::prendi(const std::string &percorso,
                                           std::chrono::milliseconds attesa, bool crea)
{
    const auto fine = Clock::now() + attesa;
    for (;;) {
        auto aperto = apri(percorso, crea);
        if (!aperto)
            return aperto.errore();
        auto [file, creato] = std::move(aperto.valore());
        while (::flock(file.fd(), LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR)
                return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
            if (Clock::now() >= fine) {
                if (creato)
                    ::unlink(percorso.c_str());
                return ErroreFile(ErroreFile::Tipo::InUso, percorso, EWOULDBLOCK);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        if (!stessoFile(file.fd(), percorso))
            continue;
        struct stat info
        {
        };
        if (::fstat(file.fd(), &info) != 0)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        if (!S_ISREG(info.st_mode)) // a pipe or a device put in the set's place
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, ENODEV);
        const auto ripristinato = GiornaleRipristino::ripristina(percorso, file.fd());
        if (!ripristinato)
            return ripristinato.errore();
        if (ripristinato.valore() && !crea) // the set was the stopped write's own, and is gone
            return ErroreFile(ErroreFile::Tipo::Apertura, percorso, ENOENT);
        if (!ripristinato.valore())
            return BloccoInsieme(std::move(file), creato);
    }
}
