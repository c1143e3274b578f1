#include "guardiamodifica.h"

#include <cerrno>
#include <fcntl.h>
#include <thread>

namespace {

// A file system without these locks leaves nothing to wait for: the guard then holds nothing.
bool senzaLucchetti()
{
    return errno == EINVAL || errno == ENOLCK || errno == EOPNOTSUPP;
}

// The whole file, from its first byte to any length it may grow to.
bool blocca(int fd, short tipo)
{
    struct flock intervallo
    {
    };
    intervallo.l_type = tipo;
    intervallo.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &intervallo) == 0;
}

} // namespace

Esito<GuardiaModifica> GuardiaModifica::esclusiva(int fd, const std::string &percorso,
                                                  std::chrono::milliseconds attesa)
{
    const auto fine = std::chrono::steady_clock::now() + attesa;
    while (!blocca(fd, F_WRLCK)) {
        if (senzaLucchetti())
            return GuardiaModifica(-1);
        if (errno != EAGAIN && errno != EACCES && errno != EINTR)
            return ErroreFile(ErroreFile::Tipo::Scrittura, percorso, errno);
        if (std::chrono::steady_clock::now() >= fine)
            return ErroreFile(ErroreFile::Tipo::InUso, percorso, EWOULDBLOCK);
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return GuardiaModifica(fd);
}

std::optional<GuardiaModifica> GuardiaModifica::condivisa(int fd)
{
    if (blocca(fd, F_RDLCK))
        return GuardiaModifica(fd);
    if (senzaLucchetti())
        return GuardiaModifica(-1);
    return std::nullopt;
}

GuardiaModifica::~GuardiaModifica()
{
    if (m_fd >= 0)
        blocca(m_fd, F_UNLCK);
}
