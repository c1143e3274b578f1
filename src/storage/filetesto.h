#pragma once

#include "storage/esito.h"

#include <cstdint>
#include <string>

// A whole text file read into memory, opened the way set files are: never created, and a pipe
// or a device in its place refused rather than waited on.
class FileTesto
{
public:
    // Larger files are refused (EFBIG).
    static constexpr std::uint64_t kMassimo = std::uint64_t(1) << 30;

    static Esito<std::string> leggi(const std::string &percorso);
};
