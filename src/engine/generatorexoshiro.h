#pragma once

#include <cstdint>

// The companion's fast random source: xoshiro256**, seeded through splitmix64 from a seed and
// a stream number, so that every block of a simulation draws from a stream of its own whichever
// thread runs it. The game's own draw keeps its clock-seeded Mersenne Twister.
class GeneratoreXoshiro
{
public:
    GeneratoreXoshiro(std::uint64_t seme, std::uint64_t flusso);

    std::uint64_t prossimo()
    {
        const std::uint64_t risultato = rotola(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = rotola(m_s[3], 45);
        return risultato;
    }

    // A number from 1 to 90, every one equally likely (multiply and shift, with the few values
    // that would favour some numbers drawn again).
    int numero90()
    {
        for (;;) {
            const std::uint64_t prodotto = (prossimo() >> 32) * 90;
            if (static_cast<std::uint32_t>(prodotto) >= kScarto)
                return static_cast<int>(prodotto >> 32) + 1;
        }
    }

    // One wheel drawn by the game's rule, five different numbers from 1 to 90 (a repeat drawn
    // again at its position), as a mask: bit n for number n. With numeri, the five in the order
    // they came out too. No branch depends on which numbers come out, but for a repeat.
    unsigned __int128 ruota(std::int16_t *numeri = nullptr)
    {
        unsigned __int128 maschera = 0;
        for (int k = 0; k < 5;) {
            const int n = numero90();
            const unsigned __int128 bit = static_cast<unsigned __int128>(1) << n;
            if ((maschera & bit) != 0)
                continue;
            maschera |= bit;
            if (numeri)
                numeri[k] = static_cast<std::int16_t>(n);
            ++k;
        }
        return maschera;
    }

private:
    static constexpr std::uint32_t kScarto = (0u - 90u) % 90u; // 2^32 mod 90
    static std::uint64_t rotola(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_s[4];
};
