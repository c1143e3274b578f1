#pragma once

#include "storage/errorefile.h"

#include <utility>
#include <variant>

// The value of a set-file operation that did its work.
struct Fatto
{
};

// The outcome of a set-file operation: its value, or what went wrong. Never to be dropped
// unread: a write whose failure nobody looks at is a set changed without a word.
template <typename T>
class [[nodiscard]] Esito
{
public:
    Esito(T valore) : m_stato(std::move(valore)) {}
    Esito(ErroreFile errore) : m_stato(std::move(errore)) {}

    bool ok() const { return m_stato.index() == 0; }
    explicit operator bool() const { return ok(); }

    const T &valore() const & { return std::get<0>(m_stato); }
    T &valore() & { return std::get<0>(m_stato); }
    T &&valore() && { return std::get<0>(std::move(m_stato)); }
    const ErroreFile &errore() const { return std::get<1>(m_stato); }

private:
    std::variant<T, ErroreFile> m_stato;
};
