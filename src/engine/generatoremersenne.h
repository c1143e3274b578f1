#pragma once

#include "engine/generatorecasuale.h"

#include <cstdint>
#include <optional>
#include <random>

// The game's random source: a 32-bit Mersenne Twister (std::mt19937). Without a seed it is
// seeded again from the clock at every draw, as the game does; with one it is seeded once, so
// that a simulation can be repeated.
class GeneratoreMersenne : public GeneratoreCasuale
{
public:
    explicit GeneratoreMersenne(std::optional<std::uint64_t> seme = std::nullopt);

    void semina() override;
    float prossimo() override;

private:
    bool m_fisso;
    std::mt19937 m_motore;
};
