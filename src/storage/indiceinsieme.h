#pragma once

#include "base/currency.h"
#include "storage/esito.h"
#include "storage/schedina.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class InsiemeSchede;

// A set file read once, with its records found by stored title at once: one read serves every
// entry a click handles, however long the lists are.
class IndiceInsieme
{
public:
    static Esito<IndiceInsieme> leggi(const InsiemeSchede &insieme);
    explicit IndiceInsieme(std::vector<Schedina> schede);
    // The index looks titles up inside its own records: it moves, but is never copied.
    IndiceInsieme(const IndiceInsieme &) = delete;
    IndiceInsieme &operator=(const IndiceInsieme &) = delete;
    IndiceInsieme(IndiceInsieme &&) = default;
    IndiceInsieme &operator=(IndiceInsieme &&) = default;

    std::size_t conta() const { return m_schede.size(); }
    // Record k, counting from 1.
    const Schedina &scheda(std::size_t k) const { return m_schede.at(k - 1); }

    // List entries are handled as their stored bytes: 20 to an entry, entries one after the
    // other in one string, the way a list of many thousands is passed at once.
    static constexpr std::size_t kVoce = Schedina::kLunghezzaTitolo;
    // The stored bytes of UTF-8 entries, as a title typed with them would be stored.
    static std::string codificaVoci(const std::vector<std::string> &vociUtf8);

    // The first record whose stored title equals an entry.
    std::optional<std::size_t> primo(std::string_view voce) const { return prossimo(voce, 1); }
    // The first such record at k or after it, going round to record 1 after the last; nothing
    // when no record has the entry's title.
    std::optional<std::size_t> prossimo(std::string_view voce, std::size_t k) const;

    // The entries' cost, each from the first record with its title (0 for an entry without
    // one), and each entry's part of it; nothing when the total leaves the currency range.
    // Entry i listed from record record[i] (0: not known) is costed without looking its title
    // up while that record still has the title.
    struct Costi
    {
        Currency totale;
        std::vector<Currency> voci;
    };
    std::optional<Costi> costoVoci(std::string_view voci,
                                   std::span<const std::uint32_t> record = {}) const;
    // One entry's part: its first record's cost, 0 when no record has its title.
    std::optional<Currency> costoVoce(std::string_view voce) const;
    // What giving back the entries of the play list is worth: each entry's record as Giro finds
    // it.
    std::optional<Currency> rimborso(std::string_view voci) const;

    // The records of a list's entries, found one after the other in a circle of the set: each
    // entry from the record after the previous entry's, round to record 1 after the last; an
    // entry no record has is passed over, the circle going on from where it was. The play and
    // the refund of the play list both walk it so.
    class Giro
    {
    public:
        Giro(const IndiceInsieme &indice, std::string_view voci) : m_indice(indice), m_voci(voci) {}
        // The record of the next entry found; nothing once the entries are over.
        std::optional<std::size_t> prossimo();

    private:
        const IndiceInsieme &m_indice;
        std::string_view m_voci;
        std::size_t m_inizio = 1; // where the next entry's search starts
    };

private:
    struct Posto
    {
        std::uint32_t record = 0;   // the first record with the title; 0: empty
        std::uint32_t impronta = 0; // part of the title's hash, so most misses skip the record
    };
    // The slot of a title in the table: where it is, or the empty slot where it would go.
    std::size_t posto(std::string_view titolo) const;
    std::string_view titolo(std::size_t k) const
    {
        return std::string_view(m_titoli).substr((k - 1) * kVoce, kVoce);
    }

    std::vector<Schedina> m_schede;
    std::vector<std::optional<Currency>> m_costi; // each record's cost, worked out once
    std::string m_titoli; // the stored titles side by side, for lookups that touch little memory
    // An open-addressing table of the first record of each stored title, and each record's next
    // record with the same title (0 for none).
    std::vector<Posto> m_primi;
    std::vector<std::uint32_t> m_successivi;
    // For each record, the cost of the first record with its title: what its entry costs.
    std::vector<std::optional<Currency>> m_costoPrimo;
};
