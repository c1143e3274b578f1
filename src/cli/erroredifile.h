#pragma once

#include "storage/errorefile.h"
#include "storage/schedina.h"

#include <cstdint>

#include <ostream>

// A set file the companion could not use: one line on the error stream, and the exit code that
// says so.
inline int erroreDiFile(const ErroreFile &errore, std::ostream &err)
{
    err << "zaffirone-cli: " << errore.descrizione() << '\n';
    return 1;
}

// A set whose length is not a whole number of records: the bytes after the last are not a
// ticket, and the companion says it left them out.
inline void codaIgnorata(std::uint64_t lunghezza, std::ostream &err)
{
    if (const auto coda = lunghezza % Schedina::kDimensioneRecord; coda != 0)
        err << "zaffirone-cli: il file termina con " << coda
            << " byte che non formano una schedina intera: ignorati\n";
}
