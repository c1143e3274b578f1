#include "uscitacontrollata.h"

#include <cerrno>
#include <unistd.h>

UscitaControllata::UscitaControllata(int fd) : m_fd(fd)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

UscitaControllata::~UscitaControllata()
{
    svuota();
}

UscitaControllata::int_type UscitaControllata::overflow(int_type c)
{
    if (!svuota())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int UscitaControllata::sync()
{
    return svuota() ? 0 : -1;
}

bool UscitaControllata::svuota()
{
    const char *from = pbase();
    while (m_errore == 0 && from < pptr()) {
        const ssize_t n = ::write(m_fd, from, static_cast<std::size_t>(pptr() - from));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            m_errore = n < 0 ? errno : EIO;
        else
            from += n;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_errore == 0;
}
