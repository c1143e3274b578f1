#include "schedinecompilate.h"

#include <algorithm>
#include <map>
#include <span>

SchedineCompilate::SchedineCompilate(const std::vector<Schedina> &schede)
{
    struct Voce
    {
        std::uint16_t ruote;
        std::uint64_t bassi;
        std::uint64_t alti;
        std::uint32_t tabella;
    };
    std::vector<Voce> voci;
    std::map<ProfiloSchedina::Crediti, std::uint32_t> indici;
    for (const Schedina &s : schede) {
        ProfiloSchedina profilo(s);
        if (profilo.ruote() == 0)
            continue; // it plays no wheel: it never wins
        if (!profilo.conMaschera()) {
            m_lente.push_back(std::move(profilo));
            continue;
        }
        const auto [it, nuova] =
            indici.try_emplace(profilo.crediti(), static_cast<std::uint32_t>(m_tabelle.size()));
        if (nuova)
            m_tabelle.push_back(profilo.crediti());
        voci.push_back({profilo.ruote(), profilo.bassi(), profilo.alti(), it->second});
    }
    // Tickets on the same wheels side by side, one run for each set of wheels: a draw's wheel
    // is then matched against a whole run in a plain loop.
    std::stable_sort(voci.begin(), voci.end(),
                     [](const Voce &a, const Voce &b) { return a.ruote < b.ruote; });
    for (const Voce &v : voci) {
        if (m_gruppi.empty() || m_gruppi.back().ruote != v.ruote)
            m_gruppi.push_back({v.ruote, m_veloci.size(), m_veloci.size()});
        m_veloci.push_back({v.bassi, v.alti, m_tabelle[v.tabella].data()});
        m_gruppi.back().fine = m_veloci.size();
    }
}

namespace {

// The runs against a draw's wheels; made in two versions, chosen at run time, in this file only
// (a function made in several versions must be declared so wherever it is called).
__attribute__((target_clones("popcnt", "default"))) __int128
sommaVeloci(std::span<const SchedineCompilate::Gruppo> gruppi,
            std::span<const SchedineCompilate::Veloce> veloci, const Estrazione &estrazione)
{
    std::array<Estrazione::Maschera, lotto::kRuote> estratti;
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        estratti[w] = estrazione.maschera(w);
    __int128 totale = 0;
    for (const SchedineCompilate::Gruppo &g : gruppi) {
        for (unsigned ruote = g.ruote; ruote != 0; ruote &= ruote - 1) {
            const Estrazione::Maschera e = estratti[unsigned(__builtin_ctz(ruote))];
            for (std::size_t i = g.inizio; i < g.fine; ++i) {
                const SchedineCompilate::Veloce &t = veloci[i];
                totale += t.crediti[unsigned(__builtin_popcountll(t.bassi & e.bassi) +
                                             __builtin_popcountll(t.alti & e.alti))];
            }
        }
    }
    return totale;
}

} // namespace

__int128 SchedineCompilate::vincite(const Estrazione &estrazione) const
{
    const __int128 totale = sommaVeloci(m_gruppi, m_veloci, estrazione);
    return m_lente.empty() ? totale : totale + ProfiloSchedina::vinciteTotali(m_lente, estrazione);
}
