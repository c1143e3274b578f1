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
    for (int row : righe) {
        voci.grezze.append(voce(std::size_t(row)));
        voci.record.push_back(m_voci.record.at(std::size_t(row)));
        if (!m_voci.addebiti.empty())
            voci.addebiti.push_back(m_voci.addebiti.at(std::size_t(row)));
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
    for (std::size_t end = righe.size(); end > 0;) {
        std::size_t start = end - 1;
        while (start > 0 && righe[start - 1] == righe[start] - 1)
            --start;
        const auto first = std::size_t(righe[start]);
        const auto count = std::size_t(righe[end - 1]) - first + 1;
        if (m_osservatore)
            m_osservatore->primaDiTogliere(first, count);
        m_voci.grezze.erase(first * kVoce, count * kVoce);
        m_voci.record.erase(m_voci.record.begin() + std::ptrdiff_t(first),
                            m_voci.record.begin() + std::ptrdiff_t(first + count));
        if (!m_voci.addebiti.empty())
            m_voci.addebiti.erase(m_voci.addebiti.begin() + std::ptrdiff_t(first),
                                  m_voci.addebiti.begin() + std::ptrdiff_t(first + count));
        if (m_osservatore)
            m_osservatore->dopoAverTolto();
        end = start;
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
