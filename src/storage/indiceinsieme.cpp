#include "indiceinsieme.h"

#include "base/codepage1252.h"
#include "storage/insiemeschede.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

constexpr std::uint32_t kNessuno = 0;

// A quick mix of the 20 bytes of a title, of which the index keeps 32 bits: titles need only
// spread well, and equal hashes are told apart by their titles.
std::uint32_t impronta(std::string_view titolo)
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
    return std::uint32_t(h >> 32);
}

// Sorts the keys by their high half, keeping the order of keys with the same high half: three
// passes of a radix sort, each reading and writing the keys once in order, where a hash table
// of a million titles would wait on memory at every insertion.
void ordinaPerImpronta(VettoreGrande<std::uint64_t> &chiavi)
{
    VettoreGrande<std::uint64_t> appoggio(chiavi.size());
    for (const auto &[spostamento, cifre] : {std::pair{32, 11}, {43, 11}, {54, 10}}) {
        const std::uint64_t maschera = (std::uint64_t{1} << cifre) - 1;
        std::array<std::size_t, 2048> inizi{};
        for (const std::uint64_t chiave : chiavi)
            ++inizi[(chiave >> spostamento) & maschera];
        std::size_t totale = 0;
        for (std::size_t &inizio : inizi)
            totale += std::exchange(inizio, totale);
        for (const std::uint64_t chiave : chiavi)
            appoggio[inizi[(chiave >> spostamento) & maschera]++] = chiave;
        chiavi.swap(appoggio);
    }
}

} // namespace

Esito<IndiceInsieme> IndiceInsieme::leggi(const InsiemeSchede &insieme)
{
    const auto quante = insieme.contaEntroIlLimite();
    if (!quante)
        return quante.errore();
    IndiceInsieme indice;
    indice.m_titoli.reserve(quante.valore() * kVoce);
    indice.m_costi.reserve(quante.valore());
    const auto letto = insieme.scorri([&](std::uint64_t, const unsigned char *record) {
        indice.aggiungi(record);
        return true;
    });
    if (!letto)
        return letto.errore();
    indice.raggruppa();
    return indice;
}

IndiceInsieme::IndiceInsieme(const std::vector<Schedina> &schede)
{
    for (const Schedina &schedina : schede)
        aggiungi(schedina.codifica().data());
    raggruppa();
}

void IndiceInsieme::aggiungi(const unsigned char *record)
{
    m_titoli.append(std::string_view(reinterpret_cast<const char *>(record), kVoce));
    const auto costo = Schedina::costoDelRecord(record);
    if (!costo)
        m_costiOltre.push_back(std::uint32_t(m_costi.size() + 1));
    m_costi.push_back(costo.value_or(Currency()));
}

std::optional<Currency> IndiceInsieme::costo(std::size_t k) const
{
    if (!m_costiOltre.empty() &&
        std::binary_search(m_costiOltre.begin(), m_costiOltre.end(), std::uint32_t(k)))
        return std::nullopt;
    return m_costi[k - 1];
}

// Records with one title end up chained from the first of them, in file order.
void IndiceInsieme::raggruppa()
{
    const std::size_t n = conta();
    m_chiavi.resize(n);
    for (std::uint32_t k = 1; k <= n; ++k)
        m_chiavi[k - 1] = std::uint64_t(impronta(titolo(k))) << 32 | k;
    ordinaPerImpronta(m_chiavi);
    // Within a run of one hash, records stand in file order; each distinct title's first and
    // last record so far.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> titoliDelGruppo;
    for (std::size_t i = 0; i < n; ++i) {
        const auto k = std::uint32_t(m_chiavi[i]);
        const bool nuovoGruppo = i == 0 || m_chiavi[i] >> 32 != m_chiavi[i - 1] >> 32;
        if (nuovoGruppo && (i + 1 == n || m_chiavi[i + 1] >> 32 != m_chiavi[i] >> 32))
            continue; // a hash of its own: a title of its own, the common case
        if (nuovoGruppo)
            titoliDelGruppo.clear();
        const auto stesso =
            std::find_if(titoliDelGruppo.begin(), titoliDelGruppo.end(),
                         [&](const auto &t) { return titolo(t.first) == titolo(k); });
        if (stesso == titoliDelGruppo.end()) {
            titoliDelGruppo.emplace_back(k, k);
            continue;
        }
        if (m_primo.empty()) { // the set's first title held twice
            m_primo.resize(n);
            std::iota(m_primo.begin(), m_primo.end(), 1U);
            m_successivo.resize(n, kNessuno);
        }
        m_primo[k - 1] = stesso->first;
        m_successivo[stesso->second - 1] = k;
        stesso->second = k;
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

std::optional<std::size_t> IndiceInsieme::primoDa(std::string_view voce, std::size_t da) const
{
    if (voce.size() != kVoce)
        return std::nullopt;
    if (da >= 1 && da <= conta() && titolo(da) == voce)
        return primoDelTitolo(da);
    const std::uint64_t cercata = std::uint64_t(impronta(voce)) << 32;
    for (auto it = std::lower_bound(m_chiavi.begin(), m_chiavi.end(), cercata);
         it != m_chiavi.end() && (*it >> 32) == (cercata >> 32); ++it) {
        const auto k = std::uint32_t(*it);
        if (titolo(k) == voce)
            return k; // records of one hash stand in file order: this is the title's first
    }
    return std::nullopt;
}

std::optional<std::size_t> IndiceInsieme::primo(std::string_view voce) const
{
    return primoDa(voce, 0);
}

std::optional<std::size_t> IndiceInsieme::prossimo(std::string_view voce, std::size_t k,
                                                   std::size_t da) const
{
    const auto inizio = primoDa(voce, da);
    if (!inizio)
        return std::nullopt;
    for (std::size_t r = *inizio; r != kNessuno; r = successivo(r)) {
        if (r >= k)
            return r;
    }
    return inizio; // none at k or after: round to the first one
}

std::optional<Currency> IndiceInsieme::costoVoce(std::string_view voce) const
{
    const auto k = primo(voce);
    return k ? costo(*k) : Currency();
}

std::optional<IndiceInsieme::Costi> IndiceInsieme::costoVoci(std::string_view voci,
                                                             std::span<const std::uint32_t> record,
                                                             bool parti) const
{
    Costi costi;
    if (parti)
        costi.voci.reserve(voci.size() / kVoce);
    for (std::size_t da = 0, i = 0; da + kVoce <= voci.size(); da += kVoce, ++i) {
        const auto k = primoDa(voci.substr(da, kVoce), i < record.size() ? record[i] : 0);
        const auto parte = k ? costo(*k) : Currency();
        const auto somma = parte ? costi.totale.plus(*parte) : std::nullopt;
        if (!somma)
            return std::nullopt;
        costi.totale = *somma;
        if (parti)
            costi.voci.push_back(*parte);
    }
    return costi;
}

std::optional<Currency> IndiceInsieme::rimborso(std::string_view voci,
                                                std::span<const std::uint32_t> record) const
{
    Currency totale;
    Giro giro(*this, voci, record);
    while (const auto trovato = giro.prossimo()) {
        const auto parte = costo(*trovato);
        const auto somma = parte ? totale.plus(*parte) : std::nullopt;
        if (!somma)
            return std::nullopt;
        totale = *somma;
    }
    return totale;
}

std::optional<std::size_t> IndiceInsieme::Giro::prossimo()
{
    while (m_voci.size() >= kVoce) {
        const std::size_t da = m_voce < m_record.size() ? m_record[m_voce] : 0;
        const auto trovato = m_indice.prossimo(m_voci.substr(0, kVoce), m_inizio, da);
        m_voci.remove_prefix(kVoce);
        ++m_voce;
        if (!trovato)
            continue;
        m_inizio = *trovato == m_indice.conta() ? 1 : *trovato + 1;
        return trovato;
    }
    return std::nullopt;
}
