#pragma once

#include <cstdint>
#include <optional>

// How few tickets a reduced system can have: n numbers, k a ticket, whenever p of them are
// drawn some ticket holds v of them.
class LimiteInferiore
{
public:
    // Schönheim's bound for covering every t-subset of v points with blocks of k.
    static std::uint64_t schoenheim(int v, int k, int t);
    // Each ticket wins on so many of the C(n, p) draws: at least the quotient of tickets.
    static std::uint64_t conteggio(int n, int k, int p, int v);
    // The best bound known here: Schönheim's when p = v, else the counting one; a minimum the
    // literature proves where it is larger.
    static std::uint64_t migliore(int n, int k, int p, int v);
    // true: as few as can be; false: fewer are known to do (a design of fewer is proven to
    // exist, or the literature has a system of fewer); nullopt: not known.
    static std::optional<bool> ottimo(int n, int k, int p, int v, std::uint64_t schedine);

private:
    // Whether a system of exactly the bound's size is proven to exist.
    static bool raggiungibile(int n, int k, int t);
};
