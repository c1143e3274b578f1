#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run at once: libFuzzer treats the abort as a crash and keeps the
// input that caused it, and the message says which check it was.
[[noreturn]] inline void fallisciVerifica(const char *condizione, const char *file, int riga)
{
    std::fprintf(stderr, "%s:%d: verifica fallita: %s\n", file, riga, condizione);
    std::fflush(stderr);
    std::abort();
}

#define VERIFICA(condizione)                                                                       \
    ((condizione) ? static_cast<void>(0) : fallisciVerifica(#condizione, __FILE__, __LINE__))
