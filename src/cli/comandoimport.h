#pragma once

#include <iosfwd>
#include <string>

// "zaffirone-cli import FILE CSV": the rows of a spreadsheet's CSV appended as tickets, each
// through the checks of "add", all of them or none. Exit codes: 0 written, 1 a file could not
// be read or written, 2 some row refused (one line for each on the error stream).
int eseguiImport(const std::string &percorso, const std::string &csv, std::ostream &flusso,
                 std::ostream &flussoErrori);
