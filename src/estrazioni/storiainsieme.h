#pragma once

#include "estrazioni/estrazionedelgiorno.h"
#include "storage/schedina.h"

#include <cstdint>
#include <optional>
#include <vector>

// A whole set played on every day of a stretch of the archive, on every thread asked for: what
// it won, its largest single win, and its longest run of days without any win.
class StoriaInsieme
{
public:
    // The tickets go to the threads in blocks of this many, each made ready by its thread.
    static constexpr std::uint64_t kBloccoSchedine = 64;

    struct Massima
    {
        DataEstrazione data;
        std::uint64_t record = 0;
        std::int64_t vincita = 0;
    };
    struct Risultato
    {
        __int128 vinto = 0;
        // What one play of the whole set returns on average, exactly: the sum of each ticket's.
        double ritornoAtteso = 0;
        // The largest credit of one ticket on one day (the first day, then the first ticket,
        // among equals); nothing when no ticket ever credited a point.
        std::optional<Massima> massima;
        std::uint64_t senzaVinciteMax = 0;
        double secondi = 0;
    };

    static Risultato esegui(const std::vector<Schedina> &schede,
                            const std::vector<EstrazioneDelGiorno> &giorni, unsigned thread);
};
