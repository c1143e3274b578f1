#include "bloccoinsieme.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Opens the path for writing, noting whether this open made the file.
Esito<std::pair<DescrittoreFile, bool>> apri(const std::string &percorso)
{
    constexpr int kFlags = O_RDWR | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    for (;;) {
        DescrittoreFile file(::open(percorso.c_str(), kFlags));
        if (file.fd() >= 0)
            return std::pair{std::move(file), false};
        if (errno != ENOENT)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        DescrittoreFile made(::open(percorso.c_str(), kFlags | O_CREAT | O_EXCL, 0666));
        if (made.fd() >= 0)
            return std::pair{std::move(made), true};
        if (errno != EEXIST) // made by someone else in between: open that one
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
    }
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
    const auto fine = Clock::now() + attesa;
    for (;;) {
        auto aperto = apri(percorso);
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
        return BloccoInsieme(std::move(file), creato);
    }
}
