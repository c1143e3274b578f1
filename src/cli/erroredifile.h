#pragma once

#include "base/testovisibile.h"
#include "cli/codiciuscita.h"
#include "storage/errorefile.h"
#include "storage/schedina.h"

#include <cstdint>

#include <ostream>

// A set file the companion could not use: one line on the error stream, and the exit code that
// says so. A set larger than the game can load is a refusal, like any other limit.
inline int erroreDiFile(const ErroreFile &errore, std::ostream &err)
{
    err << "zaffirone-cli: " << testoVisibile(errore.descrizione()) << '\n';
    return errore.tipo() == ErroreFile::Tipo::TroppoGrande ? uscita::kRifiuto : uscita::kErrore;
}

// A set whose length is not a whole number of records: the bytes after the last are not a
// ticket, and the companion says it left them out.
inline void codaIgnorata(std::uint64_t lunghezza, std::ostream &err)
{
    if (const auto coda = lunghezza % Schedina::kDimensioneRecord; coda != 0)
        err << "zaffirone-cli: il file termina con " << coda
            << " byte che non formano una schedina intera: ignorati\n";
}

// The refusal of a set that would hold more tickets than the game can load.
inline int oltreIlLimite(std::uint64_t schedine, std::ostream &err)
{
    err << "Il file avrebbe " << schedine
        << " schedine, più di quante il gioco possa caricare (al massimo "
        << ErroreFile::kMassimoSchede << ")\n";
    return uscita::kRifiuto;
}
