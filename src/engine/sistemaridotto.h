#pragma once

#include <array>
#include <cstdint>
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
    using Blocco = std::vector<std::uint8_t>; // k indices, ascending

    // The largest n the construction and the check accept for a given p: every p-subset of
    // the n numbers is one entry of a table.
    static int massimoNumeri(int p);

    // The tickets, in lexicographic order; the same parameters always give the same tickets.
    static std::vector<Blocco> costruisci(const Parametri &parametri);

    // Whether the tickets keep the guarantee, tried on every p-subset of the n numbers.
    static bool verifica(const Parametri &parametri, const std::vector<Blocco> &blocchi);
};
