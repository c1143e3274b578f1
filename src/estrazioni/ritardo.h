#pragma once

#include <cstdint>

// The run of days without a win, or without a number, counted one day at a time: the current
// run, the longest (the current one and the one before the first win count too), and the wins.
class Ritardo
{
public:
    void conta(bool uscito);

    std::uint64_t ritardo() const { return m_corrente; }
    std::uint64_t massimo() const { return m_massimo; }
    std::uint64_t uscite() const { return m_uscite; }

private:
    std::uint64_t m_corrente = 0;
    std::uint64_t m_massimo = 0;
    std::uint64_t m_uscite = 0;
};
