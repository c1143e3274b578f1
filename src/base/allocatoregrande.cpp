#include "allocatoregrande.h"

#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace {

constexpr std::size_t kPaginaGrande = std::size_t{2} << 20;
// Below this an array takes a few small pages at most: the heap serves it.
constexpr std::size_t kSoglia = kPaginaGrande / 8;

std::size_t arrotonda(std::size_t byte)
{
    return (byte + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
}

// A mapping of whole huge pages, aligned to one, for the kernel to back with huge pages.
void *mappaAllineata(std::size_t lunghezza)
{
    void *mappa = ::mmap(nullptr, lunghezza + kPaginaGrande, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mappa == MAP_FAILED)
        throw std::bad_alloc();
    const auto inizio = reinterpret_cast<std::uintptr_t>(mappa);
    const auto allineato = (inizio + kPaginaGrande - 1) / kPaginaGrande * kPaginaGrande;
    if (allineato > inizio)
        ::munmap(mappa, allineato - inizio);
    if (const std::size_t coda = kPaginaGrande - (allineato - inizio); coda > 0)
        ::munmap(reinterpret_cast<void *>(allineato + lunghezza), coda);
    ::madvise(reinterpret_cast<void *>(allineato), lunghezza, MADV_HUGEPAGE);
    return reinterpret_cast<void *>(allineato);
}

} // namespace

namespace memoria_grande {

void *prendi(std::size_t byte)
{
    if (byte < kSoglia)
        return ::operator new(byte);
    return mappaAllineata(arrotonda(byte));
}

void rendi(void *p, std::size_t byte)
{
    if (byte < kSoglia)
        ::operator delete(p);
    else
        ::munmap(p, arrotonda(byte));
}

} // namespace memoria_grande
