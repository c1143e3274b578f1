#include "indiceinsieme.h"

#include "base/codepage1252.h"
#include "storage/insiemeschede.h"

#include <cstring>

namespace {

constexpr std::uint32_t kNessuno = 0;

// A quick mix of the 20 bytes of a title; the table only needs titles to spread well.
std::uint64_t hashTitle(std::string_view title)
{
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::uint32_t c = 0;
    std::memcpy(&a, title.data(), 8);
    std::memcpy(&b, title.data() + 8, 8);
    std::memcpy(&c, title.data() + 16, 4);
    std::uint64_t h =
        (a * 0x9E3779B97F4A7C15ULL) ^ (b + 0x632BE59BD9B4E019ULL) ^ (std::uint64_t(c) << 17);
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    h ^= h >> 32;
    return h;
}

std::size_t tableSize(std::size_t records)
{
    std::size_t size = 16;
    while (size < 2 * records)
        size *= 2;
    return size;
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
    : m_schede(std::move(schede)), m_primi(tableSize(m_schede.size())),
      m_successivi(m_schede.size() + 1, kNessuno), m_costoPrimo(m_schede.size())
{
    m_costi.reserve(m_schede.size());
    m_titoli.reserve(m_schede.size() * kVoce);
    for (const Schedina &s : m_schede) {
        m_costi.push_back(s.costo());
        m_titoli += s.titoloGrezzo();
    }
    // The last record seen so far of each title, to chain the next one after it.
    std::vector<std::uint32_t> last(m_schede.size() + 1, kNessuno);
    for (std::uint32_t k = 1; k <= m_schede.size(); ++k) {
        const std::string_view title = titolo(k);
        Posto &slot = m_primi[posto(title)];
        if (slot.record == kNessuno) {
            slot = {k, std::uint32_t(hashTitle(title) >> 32)};
            last[k] = k;
            m_costoPrimo[k - 1] = m_costi[k - 1];
            continue;
        }
        m_costoPrimo[k - 1] = m_costi[slot.record - 1];
        m_successivi[last[slot.record]] = k;
        last[slot.record] = k;
    }
}

std::size_t IndiceInsieme::posto(std::string_view titolo) const
{
    const std::size_t mask = m_primi.size() - 1;
    const std::uint64_t hash = hashTitle(titolo);
    const auto tag = std::uint32_t(hash >> 32);
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Posto &slot = m_primi[i];
        if (slot.record == kNessuno ||
            (slot.impronta == tag && this->titolo(slot.record) == titolo))
            return i;
    }
}

std::string IndiceInsieme::codificaVoci(const std::vector<std::string> &vociUtf8)
{
    std::string bytes;
    bytes.reserve(vociUtf8.size() * kVoce);
    for (const std::string &voce : vociUtf8) {
        std::string entry = CodePage1252::encodeFromUtf8(voce, kVoce);
        entry.resize(kVoce, ' ');
        bytes += entry;
    }
    return bytes;
}

std::optional<std::size_t> IndiceInsieme::prossimo(std::string_view voce, std::size_t k) const
{
    if (voce.size() != kVoce)
        return std::nullopt;
    const std::uint32_t first = m_primi[posto(voce)].record;
    if (first == kNessuno)
        return std::nullopt;
    for (std::uint32_t r = first; r != kNessuno; r = m_successivi[r]) {
        if (r >= k)
            return r;
    }
    return first; // none at k or after: round to the first one
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
    for (std::size_t at = 0, i = 0; at + kVoce <= voci.size(); at += kVoce, ++i) {
        const std::string_view voce = voci.substr(at, kVoce);
        const std::size_t k = i < record.size() ? record[i] : 0;
        const auto cost = k >= 1 && k <= m_schede.size() && titolo(k) == voce ? m_costoPrimo[k - 1]
                                                                              : costoVoce(voce);
        const auto sum = cost ? costi.totale.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        costi.totale = *sum;
        costi.voci.push_back(*cost);
    }
    return costi;
}

std::optional<Currency> IndiceInsieme::rimborso(std::string_view voci) const
{
    Currency total;
    std::size_t k = 1;
    for (std::size_t at = 0; at + kVoce <= voci.size(); at += kVoce) {
        const auto found = prossimo(voci.substr(at, kVoce), k);
        if (!found)
            continue; // a whole circle without its title: nothing to give back, k stays
        const auto &cost = m_costi[*found - 1];
        const auto sum = cost ? total.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        total = *sum;
        k = *found == conta() ? 1 : *found + 1;
    }
    return total;
}
