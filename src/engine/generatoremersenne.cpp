#include "generatoremersenne.h"

#include <chrono>
#include <cmath>

GeneratoreMersenne::GeneratoreMersenne(std::optional<std::uint64_t> seme)
    : m_fisso(seme.has_value())
{
    if (seme) {
        std::seed_seq sequence{std::uint32_t(*seme), std::uint32_t(*seme >> 32)};
        m_motore.seed(sequence);
    } else {
        semina();
    }
}

void GeneratoreMersenne::semina()
{
    if (m_fisso)
        return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq sequence{std::uint32_t(now), std::uint32_t(std::uint64_t(now) >> 32)};
    m_motore.seed(sequence);
}

float GeneratoreMersenne::prossimo()
{
    // 24 random bits make every float of [0, 1) with that spacing equally likely, and never 1.
    return float(m_motore() >> 8) * 0x1.0p-24f;
}
