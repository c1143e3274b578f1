#pragma once

#include "storage/schedina.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>

// The reading commands' common work: the set opened (never made), an optional first line, then
// one line per whole record in file order, stopping when the reader is gone, and a word about a
// tail. Returns the exit code: 0, or 1 when the set could not be read.
int righePerSchedina(const std::string &percorso, std::ostream &out, std::ostream &err,
                     const std::function<std::string(std::uint64_t, const Schedina &)> &riga,
                     const std::string &intestazione = {});
