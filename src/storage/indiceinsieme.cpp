#include "indiceinsieme.h"

#include "base/codepage1252.h"
#include "storage/insiemeschede.h"

#include <cstring>

namespace {

constexpr std::uint32_t kNessuno = 0;

// A quick mix of the 20 bytes of a title; the table only needs titles to spread well.
std::uint64_t impronta(std::string_view titolo)
{
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::uint32_t c = 0;
    std::memcpy(&a, titolo.data(), 8);
    std::memcpy(&b, titolo.data() + 8, 8);
    std::memcpy(&c, titolo.data() + 16, 4);
    std::uint64_t h =
        (a * 0x9E3779B97F4A7C15ULL) ^ (b + 0x632BE59BD9B4E019ULL) ^ (std::uint64_t(c) << 17);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return h;
}

std::size_t dimensioneTabella(std::size_t quanti)
{
    std::size_t dimensione = 16;
    while (dimensione < 2 * quanti)
        dimensione *= 2;
    return dimensione;
}

} // namespace

Esito<IndiceInsieme> IndiceInsieme::leggi(const InsiemeSchede &insieme)
{
    auto schede = insieme.leggiTutte();
    if (!schede)
        return schede.errore();
    return IndiceInsieme(std::move(schede).valore());
}

IndiceInsieme::IndiceInsieme(std::vector<Schedina> schede)
    : m_schede(std::move(schede)), m_primi(dimensioneTabella(m_schede.size())),
      m_successivi(m_schede.size() + 1, kNessuno), m_costoPrimo(m_schede.size())
{
    m_costi.reserve(m_schede.size());
    m_titoli.reserve(m_schede.size() * kVoce);
    for (const Schedina &s : m_schede) {
        m_costi.push_back(s.costo());
        m_titoli += s.titoloGrezzo();
    }
    // The last record seen so far of each title, to chain the next one after it.
    std::vector<std::uint32_t> ultimo(m_schede.size() + 1, kNessuno);
    for (std::uint32_t k = 1; k <= m_schede.size(); ++k) {
        const std::string_view titoloDelRecord = titolo(k);
        Posto &casella = m_primi[posto(titoloDelRecord)];
        if (casella.record == kNessuno) {
            casella = {k, std::uint32_t(impronta(titoloDelRecord) >> 32)};
            ultimo[k] = k;
            m_costoPrimo[k - 1] = m_costi[k - 1];
            continue;
        }
        m_costoPrimo[k - 1] = m_costi[casella.record - 1];
        m_successivi[ultimo[casella.record]] = k;
        ultimo[casella.record] = k;
    }
}

std::size_t IndiceInsieme::posto(std::string_view titolo) const
{
    const std::size_t maschera = m_primi.size() - 1;
    const std::uint64_t valore = impronta(titolo);
    const auto segno = std::uint32_t(valore >> 32);
    for (std::size_t i = valore & maschera;; i = (i + 1) & maschera) {
        const Posto &casella = m_primi[i];
        if (casella.record == kNessuno ||
            (casella.impronta == segno && this->titolo(casella.record) == titolo))
            return i;
    }
}

std::string IndiceInsieme::codificaVoci(const std::vector<std::string> &vociUtf8)
{
    std::string codificate;
    codificate.reserve(vociUtf8.size() * kVoce);
    for (const std::string &voce : vociUtf8) {
        std::string codificata = CodePage1252::encodeFromUtf8(voce, kVoce);
        codificata.resize(kVoce, ' ');
        codificate += codificata;
    }
    return codificate;
}

std::optional<std::size_t> IndiceInsieme::prossimo(std::string_view voce, std::size_t k) const
{
    if (voce.size() != kVoce)
        return std::nullopt;
    const std::uint32_t inizio = m_primi[posto(voce)].record;
    if (inizio == kNessuno)
        return std::nullopt;
    for (std::uint32_t r = inizio; r != kNessuno; r = m_successivi[r]) {
        if (r >= k)
            return r;
    }
    return inizio; // none at k or after: round to the first one
}

std::optional<Currency> IndiceInsieme::costoVoce(std::string_view voce) const
{
    const auto k = primo(voce);
    return k ? m_costi[*k - 1] : Currency();
}

std::optional<IndiceInsieme::Costi>
IndiceInsieme::costoVoci(std::string_view voci, std::span<const std::uint32_t> record) const
{
    Costi costi;
    costi.voci.reserve(voci.size() / kVoce);
    for (std::size_t da = 0, i = 0; da + kVoce <= voci.size(); da += kVoce, ++i) {
        const std::string_view voce = voci.substr(da, kVoce);
        const std::size_t k = i < record.size() ? record[i] : 0;
        const auto costo = k >= 1 && k <= m_schede.size() && titolo(k) == voce ? m_costoPrimo[k - 1]
                                                                               : costoVoce(voce);
        const auto somma = costo ? costi.totale.plus(*costo) : std::nullopt;
        if (!somma)
            return std::nullopt;
        costi.totale = *somma;
        costi.voci.push_back(*costo);
    }
    return costi;
}

std::optional<Currency> IndiceInsieme::rimborso(std::string_view voci) const
{
    Currency totale;
    Giro giro(*this, voci);
    while (const auto trovato = giro.prossimo()) {
        const auto &costo = m_costi[*trovato - 1];
        const auto somma = costo ? totale.plus(*costo) : std::nullopt;
        if (!somma)
            return std::nullopt;
        totale = *somma;
    }
    return totale;
}

std::optional<std::size_t> IndiceInsieme::Giro::prossimo()
{
    while (m_voci.size() >= kVoce) {
        const auto trovato = m_indice.prossimo(m_voci.substr(0, kVoce), m_inizio);
        m_voci.remove_prefix(kVoce);
        if (!trovato)
            continue;
        m_inizio = *trovato == m_indice.conta() ? 1 : *trovato + 1;
        return trovato;
    }
    return std::nullopt;
}
