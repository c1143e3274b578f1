#include "schedinecompilate.h"

#include <algorithm>
#include <map>

namespace {

// Ten wheels' credits of such a table add up within 64 bits.
bool piccoli(const ProfiloSchedina::Crediti &crediti)
{
    constexpr std::int64_t kLimite = INT64_MAX / 16;
    return std::all_of(crediti.begin(), crediti.end(),
                       [](std::int64_t c) { return c > -kLimite && c < kLimite; });
}

} // namespace

SchedineCompilate::SchedineCompilate(const std::vector<Schedina> &schede)
{
    std::map<ProfiloSchedina::Crediti, std::uint32_t> indici;
    for (const Schedina &s : schede) {
        ProfiloSchedina profilo(s);
        if (profilo.ruote() == 0)
            continue; // it plays no wheel: it never wins
        if (!profilo.conMaschera() || !piccoli(profilo.crediti())) {
            m_lente.push_back(std::move(profilo));
            continue;
        }
        const auto [it, nuova] =
            indici.try_emplace(profilo.crediti(), static_cast<std::uint32_t>(m_tabelle.size()));
        if (nuova)
            m_tabelle.push_back(profilo.crediti());
        m_veloci.push_back({profilo.bassi(), profilo.alti(), it->second, profilo.ruote()});
    }
}

__attribute__((target_clones("popcnt", "default"))) __int128
SchedineCompilate::vincite(const Estrazione &estrazione) const
{
    std::array<Estrazione::Maschera, lotto::kRuote> estratti;
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        estratti[w] = estrazione.maschera(w);
    __int128 totale = 0;
    for (const Veloce &t : m_veloci) {
        const ProfiloSchedina::Crediti &crediti = m_tabelle[t.tabella];
        std::int64_t schedina = 0;
        for (unsigned ruote = t.ruote; ruote != 0; ruote &= ruote - 1) {
            const Estrazione::Maschera &e = estratti[unsigned(__builtin_ctz(ruote))];
            schedina += crediti[unsigned(__builtin_popcountll(t.bassi & e.bassi) +
                                         __builtin_popcountll(t.alti & e.alti))];
        }
        totale += schedina;
    }
    return m_lente.empty() ? totale : totale + ProfiloSchedina::vinciteTotali(m_lente, estrazione);
}
