#include "generatorexoshiro.h"

GeneratoreXoshiro::GeneratoreXoshiro(std::uint64_t seme, std::uint64_t flusso)
{
    // splitmix64 over the seed and the stream: four words, never all zero.
    std::uint64_t x = seme ^ (flusso * 0xD1B54A32D192ED03ULL + 0x8CB92BA72F3D8DD7ULL);
    for (std::uint64_t &s : m_s) {
        std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        s = z ^ (z >> 31);
    }
}
