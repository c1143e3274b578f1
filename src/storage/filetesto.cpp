#include "filetesto.h"

#include "storage/descrittorefile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Esito<std::string> FileTesto::leggi(const std::string &percorso)
{
    const DescrittoreFile file(
        ::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info
    {
    };
    if (file.fd() < 0 || ::fstat(file.fd(), &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, percorso, errno);
    if (!S_ISREG(info.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, percorso,
                          S_ISDIR(info.st_mode) ? EISDIR : ENODEV);
    if (static_cast<std::uint64_t>(info.st_size) > kMassimo)
        return ErroreFile(ErroreFile::Tipo::Lettura, percorso, EFBIG);
    std::string testo;
    testo.reserve(static_cast<std::size_t>(info.st_size));
    char blocco[1 << 16];
    for (;;) {
        const ssize_t n = ::read(file.fd(), blocco, sizeof blocco);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ErroreFile(ErroreFile::Tipo::Lettura, percorso, errno);
        if (n == 0)
            return testo;
        testo.append(blocco, static_cast<std::size_t>(n));
        if (testo.size() > kMassimo)
            return ErroreFile(ErroreFile::Tipo::Lettura, percorso, EFBIG);
    }
}
