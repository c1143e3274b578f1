#include "descrittorefile.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

DescrittoreFile &DescrittoreFile::operator=(DescrittoreFile &&other) noexcept
{
    if (this != &other) {
        chiudi();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

DescrittoreFile::~DescrittoreFile()
{
    chiudi();
}

int DescrittoreFile::chiudi()
{
    if (m_fd < 0)
        return 0;
    const int result = ::close(std::exchange(m_fd, -1));
    return result == 0 || errno == EINTR ? 0 : errno;
}
