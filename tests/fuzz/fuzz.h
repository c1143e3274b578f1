#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// A broken invariant aborts at once: libFuzzer keeps the input and prints where it stopped.
#define VERIFICA(c)                                                                                \
    ((c) ? void(0) : (std::fputs("verifica fallita: " #c "\n", stderr), std::abort()))

// The one set file a fuzz process works on, in memory, rewritten with each input; its path.
inline const std::string &fileDi(const std::uint8_t *data, std::size_t size)
{
    static const int fd = ::memfd_create("set.slott", 0);
    static const std::string percorso = "/proc/self/fd/" + std::to_string(fd);
    VERIFICA(fd >= 0 && ::ftruncate(fd, 0) == 0 && ::pwrite(fd, data, size, 0) == ssize_t(size));
    return percorso;
}
