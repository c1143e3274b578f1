#pragma once

#include "storage/schedina.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// A fuzz input read as a set file, the plain way: whole records of 126 bytes one after the
// other, titles in their first 20 bytes, and a tail too short to be a record.
struct Contenuto
{
    static constexpr std::size_t kRecord = Schedina::kDimensioneRecord;
    static constexpr std::size_t kTitolo = Schedina::kLunghezzaTitolo;

    const std::uint8_t *data;
    std::size_t size;

    std::size_t conta() const { return size / kRecord; }
    const unsigned char *record(std::size_t k) const { return data + (k - 1) * kRecord; }
    std::string_view titolo(std::size_t k) const
    {
        return {reinterpret_cast<const char *>(record(k)), kTitolo};
    }
    std::string_view coda() const
    {
        return {reinterpret_cast<const char *>(data) + conta() * kRecord, size % kRecord};
    }
    std::string_view tutto() const { return {reinterpret_cast<const char *>(data), size}; }

    // The circular search written out the slow way: the first record with exactly these 20
    // bytes as its title, from record k to the last, then from record 1.
    std::optional<std::size_t> cercaInCerchio(std::string_view voce, std::size_t k) const
    {
        const std::size_t n = conta();
        if (voce.size() != kTitolo || n == 0)
            return std::nullopt;
        for (std::size_t passo = 0; passo < n; ++passo) {
            const std::size_t j = (k - 1 + passo) % n + 1;
            if (titolo(j) == voce)
                return j;
        }
        return std::nullopt;
    }

    // The first record whose title satisfies a predicate.
    template <typename Predicato>
    std::optional<std::size_t> primoCon(Predicato &&uguale) const
    {
        for (std::size_t k = 1; k <= conta(); ++k) {
            if (uguale(titolo(k)))
                return k;
        }
        return std::nullopt;
    }
};
