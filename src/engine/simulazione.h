#pragma once

#include "engine/generatorecasuale.h"
#include "shared/currency.h"
#include "storage/schedina.h"

#include <cstdint>
#include <optional>
#include <vector>

// Plays every ticket of a set against many draws made by the game's own draw.
class Simulazione
{
public:
    struct Risultato
    {
        std::uint64_t estrazioni = 0;
        std::uint64_t schedine = 0;
        std::optional<Currency> puntato; // nothing when it leaves the currency range
        __int128 vinto = 0;
        double secondi = 0;
    };

    static Risultato esegui(const std::vector<Schedina> &schede, std::uint64_t estrazioni,
                            GeneratoreCasuale &generatore);
};
