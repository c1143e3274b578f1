#pragma once

#include "base/currency.h"
#include "storage/schedina.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// The companion's simulations of a set, on every thread asked for (or as many as the system
// lets it make). The work is cut into fixed blocks (draws, or whole games), each drawing from its
// own stream of the seed, so that the results are the same whatever the number of threads.
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

    // How whole games end.
    enum class Fine
    {
        Vittoria,   // above ten million points
        GameOver,   // exactly 0 points
        Ferma,      // the set costs more than the points left
        Interrotta, // the turns allowed were all played
    };
    // The games as counts, never one record a game: the memory stays the same for any number
    // of games, and grows only with the different lengths and final scores they have.
    struct Partite
    {
        std::array<std::uint64_t, 4> fini{};          // by Fine
        std::map<std::uint64_t, std::uint64_t> turni; // games by the draws they made
        std::map<__int128, std::uint64_t> punti;      // by final points, in ten-thousandths
        double secondi = 0;
        void unisci(const Partite &altre);
    };

    static constexpr std::uint64_t kBloccoEstrazioni = 1024;

    // Every ticket against each of the draws.
    static Risultato esegui(const std::vector<Schedina> &schede, std::uint64_t estrazioni,
                            std::uint64_t seme, unsigned thread);

    // Whole games by the game's rules (Partita): each turn the whole set is chosen for play
    // (each entry at the cost of the first record with its title), then one draw is made and
    // every ticket is evaluated.
    static Partite gioca(const std::vector<Schedina> &schede, std::uint64_t partite,
                         std::uint64_t turni, std::uint64_t seme, unsigned thread);

    // The CPUs this process may run on.
    static unsigned threadDisponibili();

    // The cost of choosing the whole set for play, as ">>" prices it; nothing when it leaves
    // the currency range.
    static std::optional<Currency> costoDellInsieme(const std::vector<Schedina> &schede);
};
