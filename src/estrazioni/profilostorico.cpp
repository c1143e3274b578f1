#include "profilostorico.h"

#include "engine/valutazione.h"

namespace {

class Contatore : public Annunciatore
{
public:
    void annuncia(std::size_t, std::size_t) override { ++annunci; }
    int annunci = 0;
};

} // namespace

ProfiloStorico::ProfiloStorico(const Schedina &schedina) : m_profilo(schedina)
{
    const std::int16_t n = Valutazione::numeriGiocati(schedina);
    const std::int16_t m = Valutazione::ruoteGiocate(schedina);
    Valutazione::Combinazioni combinazioni{};
    Valutazione::ContaCombinazioni(n, combinazioni);
    for (std::size_t h = 1; h < ProfiloSchedina::kMassimoColpi; ++h) {
        Contatore contatore;
        Valutazione::CalcolaVincita(schedina, n, std::int16_t(h), m, 0, combinazioni, contatore);
        if (contatore.annunci > 0)
            m_vince = std::uint16_t(m_vince | 1u << h);
    }
}

ProfiloStorico::Giorni ProfiloStorico::compila(const std::vector<EstrazioneDelGiorno> &giorni)
{
    Giorni compilati{std::vector<Giorno>(giorni.size()), {}};
    compilati.estrazioni.reserve(giorni.size());
    for (std::size_t d = 0; d < giorni.size(); ++d) {
        Giorno &g = compilati.maschere[d];
        for (std::size_t w = 0; w < lotto::kRuote; ++w) {
            const unsigned __int128 m = giorni[d].maschera(w);
            g.bassi[w] = std::uint64_t(m);
            g.alti[w] = std::uint64_t(m >> 64);
        }
        g.ruote = std::uint16_t(giorni[d].ruote() & ((1u << lotto::kRuote) - 1));
        compilati.estrazioni.push_back(giorni[d].comeEstrazione());
    }
    return compilati;
}
