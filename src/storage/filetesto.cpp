#include "filetesto.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Esito<FileTesto> FileTesto::apri(const std::string &percorso)
{
    DescrittoreFile file(::open(percorso.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info
    {
    };
    if (file.fd() < 0 || ::fstat(file.fd(), &info) != 0)
        return ErroreFile(ErroreFile::Tipo::Apertura, percorso, errno);
    if (!S_ISREG(info.st_mode))
        return ErroreFile(ErroreFile::Tipo::Apertura, percorso,
                          S_ISDIR(info.st_mode) ? EISDIR : ENODEV);
    return FileTesto(std::move(file), percorso);
}

Esito<std::string_view> FileTesto::prossimi()
{
    for (;;) {
        const ssize_t n =
            ::pread(m_file.fd(), m_blocco.data(), m_blocco.size(), off_t(m_posizione));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ErroreFile(ErroreFile::Tipo::Lettura, m_percorso, errno);
        m_posizione += std::uint64_t(n);
        return std::string_view(m_blocco.data(), std::size_t(n));
    }
}
