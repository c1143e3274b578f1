#pragma once

#include "base/combinazioni.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// A reduced lottery system: tickets of k numbers taken from n, fewer than every combination,
// such that whenever p of the n numbers are drawn at least one ticket holds v of them (a
// covering). Numbers are indices 0..n-1 here; the caller maps them to the player's numbers.
class SistemaRidotto
{
public:
    struct Parametri
    {
        int n = 0; // the system's numbers
        int k = 0; // numbers per ticket, 1..10
        int p = 0; // numbers drawn among the system's, 2..5
        int v = 0; // numbers a ticket must hold of them, 2..p and at most k
    };
    using Blocco = combinazioni::Blocco; // k indices, ascending
    // Called during the search with the tickets of the best system so far and the share of the
    // work done, from 0 to 1.
    using Progresso = std::function<void(std::size_t schedine, double fatto)>;

    // The search's work units a second of CPU gets through on the slowest systems measured
    // (41 to 62 million on the machine of docs/performance.md), with a fifth to spare: a budget
    // of s seconds is s times this much work, the search's own and that of the systems on parts
    // of the numbers, and the same request ends with the same tickets before the CPU limit.
    static constexpr std::uint64_t kLavoroPerSecondo = 33'000'000;

    // The largest n the construction and the check accept for a given p: every p-subset of
    // the n numbers is one entry of a table.
    static int massimoNumeri(int p);

    // The tickets, in lexicographic order: a known design of the fewest tickets when one fits,
    // else the best the search finds within the work from the best start built: a design on
    // more numbers cut down, on fewer completed, a transversal design with its groups filled
    // (for every pair), the systems on the parts of the numbers joined (when the guarantee is on
    // fewer numbers than drawn), the greedy. The same parameters and
    // work always give the same tickets, unless secondi (when above 0) of the process's CPU
    // time run out first: a guard for a machine far slower than the work was sized for.
    static std::vector<Blocco> costruisci(const Parametri &parametri, std::uint64_t lavoro,
                                          const Progresso &progresso = {}, double secondi = 0);

    // Whether the tickets keep the guarantee, tried on every p-subset of the n numbers.
    static bool verifica(const Parametri &parametri, const std::vector<Blocco> &blocchi);

    // No system of these parameters has fewer tickets than this.
    static std::uint64_t limiteInferiore(const Parametri &parametri);
    // true: no system has fewer tickets; false: one with fewer is known; nullopt: not known.
    static std::optional<bool> ottimo(const Parametri &parametri, std::size_t schedine);
};
