#pragma once

#include "base/lotto.h"
#include "engine/generatorecasuale.h"
#include "engine/generatorexoshiro.h"

#include <array>
#include <cstdint>

// The draw: five different numbers from 1 to 90 on each of the ten wheels, in the order they
// were drawn. Cell (w, p) holds 0 before the first draw.
class Estrazione
{
public:
    static constexpr std::size_t kPosizioni = 5;

    // Re-seeds the source, clears the table and draws wheel by wheel, position by position; a
    // number already drawn on the same wheel is drawn again at the same position.
    void estrai(GeneratoreCasuale &generatore);
    // The companion's draw: the same rule (five different numbers a wheel, a repeat drawn again
    // at its position) from its own fast generator.
    void estrai(GeneratoreXoshiro &generatore);

    std::int16_t numero(std::size_t ruota, std::size_t posizione) const
    {
        return m_estratti[ruota][posizione];
    }
    // Whether the wheel has numbers: a real day may leave a wheel undrawn.
    bool estratta(std::size_t ruota) const { return m_estratti[ruota][0] != 0; }
    // Sets a whole draw at once (the companion's evaluate); fifty numbers, wheel by wheel.
    void imposta(const std::array<std::int16_t, lotto::kRuote * kPosizioni> &numeri);

    // Which numbers came out on a wheel: bit n for number n.
    struct Maschera
    {
        std::uint64_t bassi = 0; // 0..63
        std::uint64_t alti = 0;  // 64..127
    };
    const Maschera &maschera(std::size_t ruota) const { return m_maschere[ruota]; }

private:
    void aggiornaMaschere();

    // Declared 0..10 by 0..5 as the table always was; only wheels 0..9 and positions 0..4 count.
    std::array<std::array<std::int16_t, 6>, 11> m_estratti{};
    std::array<Maschera, lotto::kRuote> m_maschere{};
};
