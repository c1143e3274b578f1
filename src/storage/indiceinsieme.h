#pragma once

#include "base/allocatoregrande.h"
#include "base/currency.h"
#include "base/testocondiviso.h"
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

// A set file's titles and costs read once, with its records found by stored title at once: one
// read serves every entry a click handles, however long the lists are. The records themselves
// are not kept: a play reads the few it needs.
class IndiceInsieme
{
public:
    static Esito<IndiceInsieme> leggi(const InsiemeSchede &insieme);
    // The same from records already in memory.
    explicit IndiceInsieme(const std::vector<Schedina> &schede);

    std::size_t conta() const { return m_costi.size(); }

    // List entries are handled as their stored bytes: 20 to an entry, entries one after the
    // other in one string, the way a list of many thousands is passed at once.
    static constexpr std::size_t kVoce = Schedina::kLunghezzaTitolo;
    // The stored bytes of UTF-8 entries, as a title typed with them would be stored.
    static std::string codificaVoci(const std::vector<std::string> &vociUtf8);
    // Every record's stored title, in file order, side by side: the entries of a set loaded.
    const TestoCondiviso &titoli() const { return m_titoli; }

    // The first record whose stored title equals an entry.
    std::optional<std::size_t> primo(std::string_view voce) const;
    // The first such record at k or after it, going round to record 1 after the last; nothing
    // when no record has the entry's title. An entry listed from record `da` (0: not known) is
    // found without looking its title up while that record still has the title.
    std::optional<std::size_t> prossimo(std::string_view voce, std::size_t k,
                                        std::size_t da = 0) const;

    // The entries' cost, each from the first record with its title (0 for an entry without
    // one), and, when `parti`, each entry's part of it; nothing when the total leaves the
    // currency range. Entry i listed from record record[i] (0: not known) is costed without
    // looking its title up while that record still has the title.
    struct Costi
    {
        Currency totale;
        VettoreGrande<Currency> voci;
    };
    std::optional<Costi> costoVoci(std::string_view voci,
                                   std::span<const std::uint32_t> record = {},
                                   bool parti = true) const;
    // One entry's part: its first record's cost, 0 when no record has its title.
    std::optional<Currency> costoVoce(std::string_view voce) const;
    // What giving back the entries of the play list is worth: each entry's record as Giro finds
    // it.
    std::optional<Currency> rimborso(std::string_view voci,
                                     std::span<const std::uint32_t> record = {}) const;

    // The records of a list's entries, found one after the other in a circle of the set: each
    // entry from the record after the previous entry's, round to record 1 after the last; an
    // entry no record has is passed over, the circle going on from where it was. The play and
    // the refund of the play list both walk it so.
    class Giro
    {
    public:
        Giro(const IndiceInsieme &indice, std::string_view voci,
             std::span<const std::uint32_t> record = {})
            : m_indice(indice), m_voci(voci), m_record(record)
        {}
        // The record of the next entry found; nothing once the entries are over.
        std::optional<std::size_t> prossimo();

    private:
        const IndiceInsieme &m_indice;
        std::string_view m_voci;
        std::span<const std::uint32_t> m_record;
        std::size_t m_voce = 0;   // the entry the walk is at
        std::size_t m_inizio = 1; // where the next entry's search starts
    };

private:
    IndiceInsieme() = default;
    // One record as the read meets it, then the titles grouped once all are in.
    void aggiungi(const unsigned char *record);
    void raggruppa();
    // The first record with the entry's title: through the record it was listed from when that
    // one still has it, else by the title's hash.
    std::optional<std::size_t> primoDa(std::string_view voce, std::size_t da) const;
    std::string_view titolo(std::size_t k) const
    {
        return std::string_view(m_titoli).substr((k - 1) * kVoce, kVoce);
    }
    std::optional<Currency> costo(std::size_t k) const;
    std::size_t primoDelTitolo(std::size_t k) const { return m_primo.empty() ? k : m_primo[k - 1]; }
    std::size_t successivo(std::size_t k) const
    {
        return m_successivo.empty() ? 0 : m_successivo[k - 1];
    }

    TestoCondiviso m_titoli;                 // the stored titles side by side
    VettoreGrande<Currency> m_costi;         // each record's cost, worked out once
    std::vector<std::uint32_t> m_costiOltre; // the records whose cost leaves the currency range
    // Each record's hash in the high half and the record in the low half, sorted by the hash,
    // so that a title is looked up by a binary search and equal titles lie side by side.
    VettoreGrande<std::uint64_t> m_chiavi;
    // Each record's first record with its title, and the next record with its title (0 for
    // none); both empty while every title is a title of its own.
    VettoreGrande<std::uint32_t> m_primo;
    VettoreGrande<std::uint32_t> m_successivo;
};
