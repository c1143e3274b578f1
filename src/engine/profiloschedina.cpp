#include "profiloschedina.h"

#include "base/combinazioni.h"
#include "engine/valutazione.h"

#include <cmath>
#include <limits>
#include <vector>

namespace {

class Silenzioso : public Annunciatore
{
public:
    void annuncia(std::size_t, std::size_t) override {}
};

std::int64_t toPoints(double credito)
{
    constexpr double kTop = 9.2e18;
    if (std::isnan(credito))
        return 0;
    if (credito >= kTop)
        return std::numeric_limits<std::int64_t>::max();
    if (credito <= -kTop)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(credito);
}

// The CPU's population count instruction is chosen at run time where there is one. The
// versions live in this file only, called from here: a function made in several versions has
// to be defined before its first use and declared so wherever it is called.
__attribute__((target_clones("popcnt", "default"))) __int128
sommaProfili(std::span<const ProfiloSchedina> profili, const Estrazione &estrazione)
{
    __int128 totale = 0;
    for (const ProfiloSchedina &p : profili) {
        for (std::uint16_t ruote = p.ruote(); ruote != 0; ruote &= ruote - 1) {
            const auto w = std::size_t(__builtin_ctz(ruote));
            const Estrazione::Maschera &usciti = estrazione.maschera(w);
            const int azzeccati = p.conMaschera() ? __builtin_popcountll(p.bassi() & usciti.bassi) +
                                                        __builtin_popcountll(p.alti() & usciti.alti)
                                                  : p.colpiLenti(estrazione, w);
            totale +=
                p.crediti()[std::size_t(azzeccati) < ProfiloSchedina::kMassimoColpi ? azzeccati
                                                                                    : 0];
        }
    }
    return totale;
}

} // namespace

ProfiloSchedina::ProfiloSchedina(const Schedina &schedina)
    : m_schedina(schedina), m_numeri(Valutazione::numeriGiocati(schedina))
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (Valutazione::ruotaValutata(schedina, w))
            m_ruote |= std::uint16_t(1u << w);
    }
    for (std::int16_t i = 0; i <= m_numeri && i < std::int16_t(schedina.numeri.size()); ++i) {
        const int n = schedina.numeri[i];
        if (n < 1 || n > 90)
            continue; // never drawn
        std::uint64_t &parola = n < 64 ? m_bassi : m_alti;
        const std::uint64_t bit = std::uint64_t{1} << (n % 64);
        m_maschera = m_maschera && !(parola & bit);
        parola |= bit;
    }
    Valutazione::Combinazioni combinazioni{};
    Valutazione::ContaCombinazioni(m_numeri, combinazioni);
    const std::int16_t m = Valutazione::ruoteGiocate(schedina);
    Silenzioso silenzioso;
    for (std::size_t h = 1; h < kMassimoColpi; ++h) {
        const double importo = Valutazione::CalcolaVincita(schedina, m_numeri, std::int16_t(h), m,
                                                           0, combinazioni, silenzioso);
        m_crediti[h] = toPoints(Valutazione::credito(importo));
    }
}

std::int16_t ProfiloSchedina::colpiLenti(const Estrazione &estrazione, std::size_t ruota) const
{
    return Valutazione::colpi(m_schedina, m_numeri, estrazione, ruota);
}

__int128 ProfiloSchedina::vinciteTotali(std::span<const ProfiloSchedina> profili,
                                        const Estrazione &estrazione)
{
    return sommaProfili(profili, estrazione);
}

std::int64_t ProfiloSchedina::vincita(const Estrazione &estrazione) const
{
    return static_cast<std::int64_t>(vinciteTotali(std::span(this, 1), estrazione));
}

double ProfiloSchedina::ritornoAtteso() const
{
    // The distinct numbers a draw can hit, and how many of the ticket's positions hold each.
    std::vector<int> conteggi;
    std::vector<int> visti;
    for (std::int16_t i = 0; i <= m_numeri && i < std::int16_t(m_schedina.numeri.size()); ++i) {
        const int n = m_schedina.numeri[i];
        if (n < 1 || n > 90)
            continue;
        std::size_t j = 0;
        while (j < visti.size() && visti[j] != n)
            ++j;
        if (j == visti.size()) {
            visti.push_back(n);
            conteggi.push_back(0);
        }
        ++conteggi[j];
    }
    const int d = int(visti.size());
    // Every subset S of them is exactly what a wheel draws of them in C(90 - d, 5 - |S|) of the
    // C(90, 5) draws; its hits are the positions holding its numbers.
    __int128 pesato = 0;
    for (std::uint32_t sottoinsieme = 1; sottoinsieme < (1u << d); ++sottoinsieme) {
        const int dimensione = __builtin_popcount(sottoinsieme);
        if (dimensione > 5)
            continue;
        int azzeccati = 0;
        for (int j = 0; j < d; ++j)
            azzeccati += (sottoinsieme >> j & 1u) ? conteggi[std::size_t(j)] : 0;
        const std::int64_t credito =
            m_crediti[std::size_t(azzeccati) < kMassimoColpi ? azzeccati : 0];
        pesato += __int128(std::int64_t(combinazioni::binomiale(90 - d, 5 - dimensione))) * credito;
    }
    const int ruote = __builtin_popcount(m_ruote);
    return double(pesato) * ruote / double(combinazioni::binomiale(90, 5));
}
