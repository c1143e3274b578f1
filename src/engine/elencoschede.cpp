#include "elencoschede.h"

#include "storage/indiceinsieme.h"

namespace {

constexpr std::size_t kVoce = IndiceInsieme::kVoce;

} // namespace

std::size_t ElencoSchede::conta() const
{
    return m_voci.grezze.size() / kVoce;
}

std::string_view ElencoSchede::voce(std::size_t riga) const
{
    return std::string_view(m_voci.grezze).substr(riga * kVoce, kVoce);
}

ElencoSchede::Voci ElencoSchede::prendi(std::span<const int> righe) const
{
    Voci voci;
    voci.grezze.reserve(righe.size() * kVoce);
    for (int riga : righe) {
        voci.grezze.append(voce(std::size_t(riga)));
        voci.record.push_back(m_voci.record.at(std::size_t(riga)));
        if (!m_voci.addebiti.empty())
            voci.addebiti.push_back(m_voci.addebiti.at(std::size_t(riga)));
    }
    return voci;
}

void ElencoSchede::aggiungi(Voci voci)
{
    const std::size_t n = voci.grezze.size() / kVoce;
    if (n == 0)
        return;
    voci.record.resize(n, 0);
    if (!voci.addebiti.empty())
        voci.addebiti.resize(n, Currency());
    if (m_osservatore)
        m_osservatore->primaDiAggiungere(conta(), n);
    if (conta() == 0) { // a whole list into an empty one: taken over, not copied
        m_voci = std::move(voci);
    } else {
        // Charges are kept only once some entry has one.
        if (!voci.addebiti.empty() || !m_voci.addebiti.empty()) {
            m_voci.addebiti.resize(conta(), Currency());
            voci.addebiti.resize(n, Currency());
            m_voci.addebiti.insert(m_voci.addebiti.end(), voci.addebiti.begin(),
                                   voci.addebiti.end());
        }
        m_voci.grezze.append(voci.grezze);
        m_voci.record.insert(m_voci.record.end(), voci.record.begin(), voci.record.end());
    }
    if (m_osservatore)
        m_osservatore->dopoAverAggiunto();
}

void ElencoSchede::rimuovi(std::span<const int> righe)
{
    // From the end, one run of neighbouring rows at a time, so earlier rows keep their numbers.
    for (std::size_t fine = righe.size(); fine > 0;) {
        std::size_t inizio = fine - 1;
        while (inizio > 0 && righe[inizio - 1] == righe[inizio] - 1)
            --inizio;
        const auto primo = std::size_t(righe[inizio]);
        const auto quante = std::size_t(righe[fine - 1]) - primo + 1;
        if (m_osservatore)
            m_osservatore->primaDiTogliere(primo, quante);
        m_voci.grezze.erase(primo * kVoce, quante * kVoce);
        m_voci.record.erase(m_voci.record.begin() + std::ptrdiff_t(primo),
                            m_voci.record.begin() + std::ptrdiff_t(primo + quante));
        if (!m_voci.addebiti.empty())
            m_voci.addebiti.erase(m_voci.addebiti.begin() + std::ptrdiff_t(primo),
                                  m_voci.addebiti.begin() + std::ptrdiff_t(primo + quante));
        if (m_osservatore)
            m_osservatore->dopoAverTolto();
        fine = inizio;
    }
}

ElencoSchede::Voci ElencoSchede::prendiTutte()
{
    if (m_osservatore)
        m_osservatore->primaDiSvuotare();
    Voci voci = std::exchange(m_voci, {});
    if (m_osservatore)
        m_osservatore->dopoAverSvuotato();
    return voci;
}

void ElencoSchede::svuota()
{
    (void)prendiTutte();
}
