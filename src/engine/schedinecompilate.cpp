#include "schedinecompilate.h"

#include <algorithm>
#include <bit>
#include <immintrin.h>
#include <map>

namespace {

using Lista = SchedineCompilate::Lista;
using Maschere = SchedineCompilate::Maschere;

// The sums of the lists against the draw, in 64 bits; two sums at a time, so that one ticket's
// look-up need not wait for the one before. In versions for the CPU's population count and
// without it, chosen at run time, in this file only (a function made in several versions must be
// declared so wherever it is called).
__attribute__((target_clones("popcnt", "default"))) std::int64_t
somma64(const std::array<Lista, lotto::kRuote> &liste, const std::int64_t *punti,
        const Maschere &estratti)
{
    std::int64_t a = 0, b = 0;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const Lista &l = liste[w];
        const auto eb = static_cast<std::uint64_t>(estratti[w]);
        const auto ea = static_cast<std::uint64_t>(estratti[w] >> 64);
        const std::size_t n = l.bassi.size();
        std::size_t i = 0;
        for (; i + 1 < n; i += 2) {
            a += punti[l.tabella[i] + __builtin_popcountll(l.bassi[i] & eb) +
                       __builtin_popcountll(l.alti[i] & ea)];
            b += punti[l.tabella[i + 1] + __builtin_popcountll(l.bassi[i + 1] & eb) +
                       __builtin_popcountll(l.alti[i + 1] & ea)];
        }
        if (i < n)
            a += punti[l.tabella[i] + __builtin_popcountll(l.bassi[i] & eb) +
                       __builtin_popcountll(l.alti[i] & ea)];
    }
    return a + b;
}

// Eight tickets at a time: their masks ANDed with the wheel's, counted and looked up together.
__attribute__((target("avx512f,avx512vpopcntdq"))) std::int64_t
somma64Vettori(const std::array<Lista, lotto::kRuote> &liste, const std::int64_t *punti,
               const Maschere &estratti)
{
    __m512i totale = _mm512_setzero_si512();
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const Lista &l = liste[w];
        const __m512i eb = _mm512_set1_epi64(static_cast<long long>(estratti[w]));
        const __m512i ea = _mm512_set1_epi64(static_cast<long long>(estratti[w] >> 64));
        const std::size_t n = l.bassi.size();
        for (std::size_t i = 0; i < n; i += 8) {
            const __mmask8 presi = n - i >= 8 ? 0xFF : __mmask8((1u << (n - i)) - 1);
            const __m512i colpi = _mm512_add_epi64(
                _mm512_popcnt_epi64(
                    _mm512_and_si512(_mm512_maskz_loadu_epi64(presi, l.bassi.data() + i), eb)),
                _mm512_popcnt_epi64(
                    _mm512_and_si512(_mm512_maskz_loadu_epi64(presi, l.alti.data() + i), ea)));
            const __m512i dove =
                _mm512_add_epi64(_mm512_maskz_loadu_epi64(presi, l.tabella.data() + i), colpi);
            totale = _mm512_add_epi64(
                totale, _mm512_mask_i64gather_epi64(_mm512_setzero_si512(), presi, dove, punti, 8));
        }
    }
    // Summed by hand: the header's own reduction trips GCC 12's uninitialised-value warning.
    alignas(64) std::int64_t parti[8];
    _mm512_store_si512(parti, totale);
    return parti[0] + parti[1] + parti[2] + parti[3] + parti[4] + parti[5] + parti[6] + parti[7];
}

// Where a draw's sum could leave 64 bits (stakes near the largest), each look-up is added in 128.
__int128 somma128(const std::array<Lista, lotto::kRuote> &liste, const std::int64_t *punti,
                  const Maschere &estratti)
{
    __int128 totale = 0;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const Lista &l = liste[w];
        const auto eb = static_cast<std::uint64_t>(estratti[w]);
        const auto ea = static_cast<std::uint64_t>(estratti[w] >> 64);
        for (std::size_t i = 0; i < l.bassi.size(); ++i)
            totale += punti[l.tabella[i] + std::popcount(l.bassi[i] & eb) +
                            std::popcount(l.alti[i] & ea)];
    }
    return totale;
}

// Vectors pay for their masked loads and gathers from a few dozen tickets a draw on.
constexpr std::size_t kPerVettori = 64;

bool vettori()
{
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vpopcntdq");
}

} // namespace

SchedineCompilate::SchedineCompilate(const std::vector<Schedina> &schede)
{
    std::map<ProfiloSchedina::Crediti, std::int64_t> posti;
    __int128 massimo = 0; // the largest sum a draw could make
    for (const Schedina &s : schede) {
        ProfiloSchedina profilo(s);
        if (profilo.ruote() == 0)
            continue; // it plays no wheel: it never wins
        ++m_schedine;
        if (!profilo.conMaschera()) {
            m_lente.push_back(std::move(profilo));
            continue;
        }
        const auto [it, nuova] =
            posti.try_emplace(profilo.crediti(), static_cast<std::int64_t>(m_punti.size()));
        if (nuova)
            m_punti.insert(m_punti.end(), profilo.crediti().begin(),
                           profilo.crediti().begin() + kColpi);
        std::int64_t alto = 0;
        for (std::size_t h = 0; h < kColpi; ++h)
            alto = std::max(alto, profilo.crediti()[h] < 0 ? INT64_MAX : profilo.crediti()[h]);
        for (unsigned ruote = profilo.ruote(); ruote != 0; ruote &= ruote - 1) {
            Lista &l = m_liste[unsigned(__builtin_ctz(ruote))];
            l.bassi.push_back(profilo.bassi());
            l.alti.push_back(profilo.alti());
            l.tabella.push_back(it->second);
            massimo += alto;
        }
    }
    std::size_t voci = 0;
    for (const Lista &l : m_liste)
        voci += l.bassi.size();
    m_somma = massimo > INT64_MAX                ? Somma::In128
              : voci >= kPerVettori && vettori() ? Somma::Vettori
                                                 : Somma::In64;
}

__int128 SchedineCompilate::vincite(const Maschere &estratti) const
{
    switch (m_somma) {
    case Somma::In64:
        return somma64(m_liste, m_punti.data(), estratti);
    case Somma::Vettori:
        return somma64Vettori(m_liste, m_punti.data(), estratti);
    case Somma::In128:
        break;
    }
    return somma128(m_liste, m_punti.data(), estratti);
}

__int128 SchedineCompilate::vincite(const Estrazione &estrazione) const
{
    Maschere estratti;
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        const Estrazione::Maschera &m = estrazione.maschera(w);
        estratti[w] = static_cast<unsigned __int128>(m.alti) << 64 | m.bassi;
    }
    const __int128 totale = vincite(estratti);
    return m_lente.empty() ? totale : totale + ProfiloSchedina::vinciteTotali(m_lente, estrazione);
}
