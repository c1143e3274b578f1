#include "verificaschedina.h"

namespace {

// The announcements of the wheels drawn that day, gathered wheel by wheel.
class Raccolta : public Annunciatore
{
public:
    Raccolta(const EstrazioneDelGiorno &giorno, std::vector<VerificaSchedina::Vincita> &vincite)
        : m_giorno(giorno), m_vincite(vincite)
    {}
    void annuncia(std::size_t tipo, std::size_t ruota) override
    {
        if (!m_giorno.estratta(ruota))
            return;
        if (m_vincite.empty() || m_vincite.back().ruota != ruota)
            m_vincite.push_back({ruota, {}, 0});
        m_vincite.back().tipi.push_back(tipo);
    }

private:
    const EstrazioneDelGiorno &m_giorno;
    std::vector<VerificaSchedina::Vincita> &m_vincite;
};

} // namespace

VerificaSchedina::VerificaSchedina(const EstrazioneDelGiorno &giorno)
    : m_giorno(giorno), m_estrazione(giorno.comeEstrazione())
{
    for (std::size_t w = 0; w < lotto::kRuote; ++w)
        m_usciti |= giorno.maschera(w);
}

void VerificaSchedina::verifica(const Schedina &schedina, std::vector<Vincita> &vincite) const
{
    vincite.clear();
    // A ticket none of whose numbers came out anywhere has no hit to evaluate.
    bool uscito = false;
    for (const std::int16_t n : schedina.numeri)
        uscito = uscito || (n >= 1 && n <= 90 && (m_usciti >> n & 1u) != 0);
    if (!uscito)
        return;
    Raccolta raccolta(m_giorno, vincite);
    Valutazione::Combinazioni combinazioni{};
    Valutazione::valuta(schedina, m_estrazione, combinazioni, raccolta,
                        [&](std::size_t ruota, double importo) {
                            // A wheel pays right after its announcements: it is the last one.
                            if (!vincite.empty() && vincite.back().ruota == ruota)
                                vincite.back().credito = Valutazione::credito(importo);
                        });
}
