#pragma once

#include <stdexcept>
#include <string>

// What stopped a command on the archive of the draws, in words a player can read: a file that
// could not be read or written, or a request the archive refuses (a date it does not hold, a
// draw that contradicts the one it keeps).
class ErroreArchivio : public std::runtime_error
{
public:
    enum class Tipo
    {
        Errore,
        Rifiuto
    };
    ErroreArchivio(Tipo tipo, const std::string &messaggio)
        : std::runtime_error(messaggio), m_tipo(tipo)
    {}
    Tipo tipo() const { return m_tipo; }

private:
    Tipo m_tipo;
};
