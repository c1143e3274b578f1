// The plain loop that simulate is measured against: xoshiro256** drawing 5 of 90 per wheel,
// each ticket as a 128-bit mask, one popcount per played wheel, a payout table by hit count.
// Usage: ciclo_a_mano FILE DRAWS. Prints the ticket evaluations per second of CPU.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <vector>

using u128 = unsigned __int128;
static std::uint64_t s[4] = {0x9E3779B97F4A7C15, 0xBF58476D1CE4E5B9, 0x94D049BB133111EB, 7};
static std::uint64_t rotl(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}
static std::uint64_t next()
{
    const std::uint64_t r = rotl(s[1] * 5, 7) * 9, t = s[1] << 17;
    s[2] ^= s[0], s[3] ^= s[1], s[1] ^= s[2], s[0] ^= s[3], s[2] ^= t, s[3] = rotl(s[3], 45);
    return r;
}

int main(int argc, char **argv)
{
    struct Ticket
    {
        u128 mask;
        unsigned wheels;
    };
    std::vector<Ticket> tickets;
    std::ifstream file(argc > 2 ? argv[1] : "", std::ios::binary);
    for (unsigned char r[126]; file.read(reinterpret_cast<char *>(r), 126);) {
        Ticket t{0, 0};
        for (int i = 0; i < 10; ++i)
            if (int n = r[44 + 2 * i] | r[45 + 2 * i] << 8; n >= 1 && n <= 90)
                t.mask |= u128(1) << n;
        for (int w = 0; w < 10; ++w)
            t.wheels |= (r[20 + 2 * w] | r[40]) ? 1u << w : 0;
        tickets.push_back(t);
    }
    const long draws = argc > 2 ? std::atol(argv[2]) : 0;
    const long pay[6] = {0, 11, 250, 4500, 120000, 6000000};
    long won = 0;
    const std::clock_t start = std::clock();
    for (long d = 0; d < draws; ++d) {
        u128 drawn[10] = {};
        for (u128 &wheel : drawn)
            for (int k = 0; k < 5;)
                if (u128 b = u128(1) << (1 + ((next() >> 32) * 90 >> 32)); !(wheel & b))
                    wheel |= b, ++k;
        for (const Ticket &t : tickets)
            for (unsigned w = t.wheels; w; w &= w - 1) {
                const u128 hit = t.mask & drawn[__builtin_ctz(w)];
                won += pay[__builtin_popcountll(std::uint64_t(hit)) +
                           __builtin_popcountll(std::uint64_t(hit >> 64))];
            }
    }
    const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
    std::printf("{\"valutazioni_al_secondo_cpu\":%.0f,\"vinto\":%ld}\n",
                double(draws) * double(tickets.size()) / cpu, won);
}
