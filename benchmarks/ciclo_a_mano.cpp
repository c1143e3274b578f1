// The plain loop simulate is measured against, as tight as this machine allows: each draw made
// straight into one 128-bit mask per wheel (xoshiro256**, five different numbers of 90, a repeat
// drawn again), each ticket a mask and the place of its table of points by hit count, kept in one
// list a wheel it plays; a population count and a table look-up per ticket and wheel, summed in
// 64 bits, two tickets at a time, or eight at a time where the CPU counts bits in vectors.
// Usage: ciclo_a_mano FILE DRAWS. Prints the ticket evaluations per second of CPU.
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <immintrin.h>
#include <map>
#include <vector>

using u128 = unsigned __int128;
using u64 = std::uint64_t;

namespace {

u64 s[4] = {0x9E3779B97F4A7C15, 0xBF58476D1CE4E5B9, 0x94D049BB133111EB, 7};
u64 rotl(u64 x, int k)
{
    return (x << k) | (x >> (64 - k));
}
u64 next()
{
    const u64 r = rotl(s[1] * 5, 7) * 9, t = s[1] << 17;
    s[2] ^= s[0], s[3] ^= s[1], s[1] ^= s[2], s[0] ^= s[3], s[2] ^= t, s[3] = rotl(s[3], 45);
    return r;
}

struct Wheel
{
    std::vector<u64> lo, hi;
    std::vector<std::int64_t> table; // where its points for 0 hits are in `points`
};
using Wheels = std::array<Wheel, 10>;
using Drawn = std::array<u128, 10>;

std::int64_t scalar(const Wheels &wheels, const std::int64_t *points, const Drawn &drawn)
{
    std::int64_t a = 0, b = 0;
    for (int w = 0; w < 10; ++w) {
        const Wheel &l = wheels[w];
        const u64 dl = u64(drawn[w]), dh = u64(drawn[w] >> 64);
        const std::size_t n = l.lo.size();
        std::size_t i = 0;
        for (; i + 1 < n; i += 2) {
            a += points[l.table[i] + __builtin_popcountll(l.lo[i] & dl) +
                        __builtin_popcountll(l.hi[i] & dh)];
            b += points[l.table[i + 1] + __builtin_popcountll(l.lo[i + 1] & dl) +
                        __builtin_popcountll(l.hi[i + 1] & dh)];
        }
        if (i < n)
            a += points[l.table[i] + __builtin_popcountll(l.lo[i] & dl) +
                        __builtin_popcountll(l.hi[i] & dh)];
    }
    return a + b;
}

__attribute__((target("avx512f,avx512vpopcntdq"))) std::int64_t
vectors(const Wheels &wheels, const std::int64_t *points, const Drawn &drawn)
{
    __m512i sum = _mm512_setzero_si512();
    for (int w = 0; w < 10; ++w) {
        const Wheel &l = wheels[w];
        const __m512i dl = _mm512_set1_epi64((long long)drawn[w]);
        const __m512i dh = _mm512_set1_epi64((long long)(drawn[w] >> 64));
        const std::size_t n = l.lo.size();
        for (std::size_t i = 0; i < n; i += 8) {
            const __mmask8 m = n - i >= 8 ? 0xFF : __mmask8((1u << (n - i)) - 1);
            const __m512i hits = _mm512_add_epi64(
                _mm512_popcnt_epi64(_mm512_and_si512(_mm512_maskz_loadu_epi64(m, &l.lo[i]), dl)),
                _mm512_popcnt_epi64(_mm512_and_si512(_mm512_maskz_loadu_epi64(m, &l.hi[i]), dh)));
            const __m512i at = _mm512_add_epi64(_mm512_maskz_loadu_epi64(m, &l.table[i]), hits);
            sum = _mm512_add_epi64(
                sum, _mm512_mask_i64gather_epi64(_mm512_setzero_si512(), m, at, points, 8));
        }
    }
    alignas(64) std::int64_t parts[8];
    _mm512_store_si512(parts, sum);
    return parts[0] + parts[1] + parts[2] + parts[3] + parts[4] + parts[5] + parts[6] + parts[7];
}

} // namespace

int main(int argc, char **argv)
{
    // Each ticket's table: what each bet type it plays pays per stake when the hits reach it.
    const std::int64_t pay[5] = {11, 250, 4500, 120000, 6000000};
    std::map<std::array<std::int64_t, 8>, std::int64_t> tables;
    std::vector<std::int64_t> points;
    Wheels wheels;
    long tickets = 0;
    std::ifstream file(argc > 2 ? argv[1] : "", std::ios::binary);
    for (unsigned char r[126]; file.read(reinterpret_cast<char *>(r), 126); ++tickets) {
        u128 mask = 0;
        for (int i = 0; i < 10; ++i)
            if (int n = r[44 + 2 * i] | r[45 + 2 * i] << 8; n >= 1 && n <= 90)
                mask |= u128(1) << n;
        std::array<std::int64_t, 8> table{};
        for (int h = 1; h <= 5; ++h)
            for (int k = 0; k < h; ++k)
                if (r[66 + 2 * k] == 1)
                    table[h] += pay[k] * (r[78 + 8 * k] | r[79 + 8 * k] << 8 | r[80 + 8 * k] << 16);
        const auto [at, added] = tables.try_emplace(table, std::int64_t(points.size()));
        if (added)
            points.insert(points.end(), table.begin(), table.end());
        for (int w = 0; w < 10; ++w)
            if (r[20 + 2 * w] | r[40]) {
                wheels[w].lo.push_back(u64(mask));
                wheels[w].hi.push_back(u64(mask >> 64));
                wheels[w].table.push_back(at->second);
            }
    }
    const long draws = argc > 2 ? std::atol(argv[2]) : 0;
    const bool wide =
        __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq");
    long long won = 0;
    const std::clock_t start = std::clock();
    for (long d = 0; d < draws; ++d) {
        Drawn drawn;
        for (u128 &wheel : drawn) {
            wheel = 0;
            for (int k = 0; k < 5;) {
                const u64 p = (next() >> 32) * 90;
                if (std::uint32_t(p) < 16) // 2^32 mod 90: the values that would favour some numbers
                    continue;
                const u128 b = u128(1) << ((p >> 32) + 1);
                if (!(wheel & b))
                    wheel |= b, ++k;
            }
        }
        won += wide ? vectors(wheels, points.data(), drawn) : scalar(wheels, points.data(), drawn);
    }
    const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
    std::printf("{\"valutazioni_al_secondo_cpu\":%.0f,\"vinto\":%lld,\"vettori\":%s}\n",
                double(draws) * double(tickets) / cpu, won, wide ? "true" : "false");
}
