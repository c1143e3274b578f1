#pragma once

#include "shared/currency.h"
#include "storage/esito.h"
#include "storage/schedina.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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

    // The first record whose stored 20 characters equal a list entry (UTF-8).
    std::optional<std::size_t> primo(std::string_view voce) const;
    // The first such record at k or after it, going round to record 1 after the last; nothing
    // when no record has the entry's title.
    std::optional<std::size_t> prossimo(std::string_view voce, std::size_t k) const;

    // The entries' cost, each from the first record with its title (0 for an entry without
    // one); nothing when the total leaves the currency range.
    std::optional<Currency> costoVoci(const std::vector<std::string> &voci) const;
    // What giving back the entries of the play list is worth: the records are searched in a
    // circle, each entry from the record after the previous entry's.
    std::optional<Currency> rimborso(const std::vector<std::string> &voci) const;

private:
    std::optional<std::size_t> trovaCodificata(std::string_view voce, std::size_t k) const;

    std::vector<Schedina> m_schede;
    // The first record of each stored title, and each record's next record with its title.
    std::unordered_map<std::string_view, std::size_t> m_primi;
    std::vector<std::size_t> m_successivi;
};
