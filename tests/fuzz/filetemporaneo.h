#pragma once

#include "verifica.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// The one set file a fuzz process works on, rewritten with each input: in memory under
// /dev/shm where there is one, named after the process so parallel jobs never share it.
class FileTemporaneo
{
public:
    FileTemporaneo()
        : m_percorso((::access("/dev/shm", W_OK) == 0 ? std::string("/dev/shm") : "/tmp") +
                     "/zaffirone-fuzz-" + std::to_string(::getpid()) + ".slott")
    {}
    ~FileTemporaneo() { std::remove(m_percorso.c_str()); }

    const std::string &scrivi(const std::uint8_t *data, std::size_t size)
    {
        std::FILE *file = std::fopen(m_percorso.c_str(), "wb");
        VERIFICA(file != nullptr);
        VERIFICA(size == 0 || std::fwrite(data, 1, size, file) == size);
        VERIFICA(std::fclose(file) == 0);
        return m_percorso;
    }

private:
    std::string m_percorso;
};
