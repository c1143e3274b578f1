#pragma once

#include "storage/errorefile.h"

#include <ostream>

// A set file the companion could not use: one line on the error stream, and the exit code that
// says so.
inline int erroreDiFile(const ErroreFile &errore, std::ostream &err)
{
    err << "zaffirone-cli: " << errore.descrizione() << '\n';
    return 1;
}
