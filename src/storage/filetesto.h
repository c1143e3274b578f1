#pragma once

#include "storage/descrittorefile.h"
#include "storage/esito.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A text file read a block at a time, so that its size never decides the memory a reading
// takes; opened the way set files are: never created, and a pipe or a device in its place
// refused rather than waited on. It can be read again from the start.
class FileTesto
{
public:
    static constexpr std::size_t kBlocco = std::size_t(1) << 16;

    static Esito<FileTesto> apri(const std::string &percorso);

    // The next bytes, at most a block; empty at the end of the file.
    Esito<std::string_view> prossimi();
    // From the first byte again.
    void riavvolgi() { m_posizione = 0; }

private:
    FileTesto(DescrittoreFile file, std::string percorso)
        : m_file(std::move(file)), m_percorso(std::move(percorso)), m_blocco(kBlocco)
    {}

    DescrittoreFile m_file;
    std::string m_percorso;
    std::vector<char> m_blocco;
    std::uint64_t m_posizione = 0;
};
