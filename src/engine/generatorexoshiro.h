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
        const std::uint64_t risultato = ruota(m_s[1] * 5, 7) * 9;
        const std::uint64_t t = m_s[1] << 17;
        m_s[2] ^= m_s[0];
        m_s[3] ^= m_s[1];
        m_s[1] ^= m_s[2];
        m_s[0] ^= m_s[3];
        m_s[2] ^= t;
        m_s[3] = ruota(m_s[3], 45);
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

private:
    static constexpr std::uint32_t kScarto = (0u - 90u) % 90u; // 2^32 mod 90
    static std::uint64_t ruota(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

    std::uint64_t m_s[4];
};
