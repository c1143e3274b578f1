#include "indiceinsieme.h"

#include "storage/codepage1252.h"
#include "storage/insiemeschede.h"

namespace {

constexpr std::size_t kNessuno = 0;

} // namespace

Esito<IndiceInsieme> IndiceInsieme::leggi(const InsiemeSchede &insieme)
{
    auto schede = insieme.leggiTutte();
    if (!schede)
        return schede.errore();
    return IndiceInsieme(std::move(schede).valore());
}

IndiceInsieme::IndiceInsieme(std::vector<Schedina> schede)
    : m_schede(std::move(schede)), m_successivi(m_schede.size() + 1, kNessuno)
{
    m_primi.reserve(m_schede.size());
    std::unordered_map<std::string_view, std::size_t> last;
    for (std::size_t k = 1; k <= m_schede.size(); ++k) {
        const std::string_view title = m_schede[k - 1].titoloGrezzo();
        const auto [first, isNew] = m_primi.try_emplace(title, k);
        if (isNew)
            continue;
        // A repeated title: chain it after the previous record that had it.
        auto [previous, seen] = last.try_emplace(title, first->second);
        m_successivi[previous->second] = k;
        previous->second = k;
    }
}

std::optional<std::size_t> IndiceInsieme::primo(std::string_view voce) const
{
    return prossimo(voce, 1);
}

std::optional<std::size_t> IndiceInsieme::prossimo(std::string_view voce, std::size_t k) const
{
    const auto bytes = CodePage1252::encodeExactly(voce);
    if (!bytes)
        return std::nullopt;
    return trovaCodificata(*bytes, k);
}

std::optional<std::size_t> IndiceInsieme::trovaCodificata(std::string_view voce,
                                                          std::size_t k) const
{
    const auto first = m_primi.find(voce);
    if (first == m_primi.end())
        return std::nullopt;
    for (std::size_t r = first->second; r != kNessuno; r = m_successivi[r]) {
        if (r >= k)
            return r;
    }
    return first->second; // none at k or after: round to the first one
}

std::optional<Currency> IndiceInsieme::costoVoci(const std::vector<std::string> &voci) const
{
    Currency total;
    for (const std::string &voce : voci) {
        const auto k = primo(voce);
        if (!k)
            continue;
        const auto cost = scheda(*k).costo();
        const auto sum = cost ? total.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        total = *sum;
    }
    return total;
}

std::optional<Currency> IndiceInsieme::rimborso(const std::vector<std::string> &voci) const
{
    Currency total;
    std::size_t k = 1;
    for (const std::string &voce : voci) {
        const auto found = prossimo(voce, k);
        if (!found)
            continue; // a whole circle without its title: nothing to give back, k stays
        const auto cost = scheda(*found).costo();
        const auto sum = cost ? total.plus(*cost) : std::nullopt;
        if (!sum)
            return std::nullopt;
        total = *sum;
        k = *found == conta() ? 1 : *found + 1;
    }
    return total;
}
