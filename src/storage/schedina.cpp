#include "schedina.h"

#include "base/codepage1252.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr std::size_t kOffsetRuote = 20;
constexpr std::size_t kOffsetNumeri = 44;
constexpr std::size_t kOffsetGiocate = 66;
constexpr std::size_t kOffsetPuntate = 78;

constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

template <std::size_t N>
void putShorts(unsigned char *out, const std::array<std::int16_t, N> &values)
{
    if constexpr (kLittleEndianHost) {
        std::memcpy(out, values.data(), sizeof values);
        return;
    }
    for (std::size_t i = 0; i < N; ++i) {
        const auto v = static_cast<std::uint16_t>(values[i]);
        out[2 * i] = static_cast<unsigned char>(v & 0xFF);
        out[2 * i + 1] = static_cast<unsigned char>(v >> 8);
    }
}

template <std::size_t N>
void getShorts(const unsigned char *in, std::array<std::int16_t, N> &values)
{
    if constexpr (kLittleEndianHost) {
        std::memcpy(values.data(), in, sizeof values);
        return;
    }
    for (std::size_t i = 0; i < N; ++i)
        values[i] = static_cast<std::int16_t>(in[2 * i] | (in[2 * i + 1] << 8));
}

// The stakes of the bet types played (flag exactly 1), added up.
template <typename Giocata, typename Puntata>
std::optional<Currency> sommaDellePuntate(Giocata giocata, Puntata puntata)
{
    Currency totale;
    for (std::size_t g = 0; g < 5; ++g) {
        if (giocata(g) != 1)
            continue;
        const auto somma = totale.plus(puntata(g));
        if (!somma)
            return std::nullopt;
        totale = *somma;
    }
    return totale;
}

} // namespace

std::string Schedina::titoloTesto() const
{
    return CodePage1252::decodeToUtf8(titoloGrezzo());
}

void Schedina::impostaTitolo(std::string_view utf8)
{
    const std::string bytes = CodePage1252::encodeFromUtf8(utf8, kLunghezzaTitolo);
    titolo.fill(' ');
    std::copy(bytes.begin(), bytes.end(), titolo.begin());
}

std::optional<std::uint64_t> Schedina::posizione(std::uint64_t k)
{
    constexpr std::uint64_t kUltimo =
        (std::uint64_t(INT64_MAX) - kDimensioneRecord) / kDimensioneRecord + 1;
    if (k < 1 || k > kUltimo)
        return std::nullopt;
    return (k - 1) * kDimensioneRecord;
}

std::optional<Currency> Schedina::costo() const
{
    return sommaDellePuntate([this](std::size_t g) { return giocate[g]; },
                             [this](std::size_t g) { return puntate[g]; });
}

std::optional<Currency> Schedina::costoDelRecord(const unsigned char *record)
{
    // A loaded set prices every one of its records: the flags and stakes are read in place.
    std::array<std::int16_t, 5> giocate;
    std::array<std::int64_t, 5> puntate;
    if constexpr (kLittleEndianHost) {
        std::memcpy(giocate.data(), record + kOffsetGiocate, sizeof giocate);
        std::memcpy(puntate.data(), record + kOffsetPuntate, sizeof puntate);
    } else {
        const Schedina s = decodifica(record);
        std::copy_n(s.giocate.begin(), 5, giocate.begin());
        std::transform(s.puntate.begin(), s.puntate.begin() + 5, puntate.begin(),
                       [](Currency c) { return c.raw(); });
    }
    return sommaDellePuntate([&](std::size_t g) { return giocate[g]; },
                             [&](std::size_t g) { return Currency::fromRaw(puntate[g]); });
}

Schedina::Record Schedina::codifica() const
{
    Record out{};
    std::memcpy(out.data(), titolo.data(), kLunghezzaTitolo);
    putShorts(out.data() + kOffsetRuote, ruote);
    putShorts(out.data() + kOffsetNumeri, numeri);
    putShorts(out.data() + kOffsetGiocate, giocate);
    for (std::size_t i = 0; i < puntate.size(); ++i) {
        auto v = static_cast<std::uint64_t>(puntate[i].raw());
        for (std::size_t b = 0; b < 8; ++b, v >>= 8)
            out[kOffsetPuntate + 8 * i + b] = static_cast<unsigned char>(v & 0xFF);
    }
    return out;
}

Schedina Schedina::decodifica(const unsigned char *record)
{
    Schedina s;
    std::memcpy(s.titolo.data(), record, kLunghezzaTitolo);
    getShorts(record + kOffsetRuote, s.ruote);
    getShorts(record + kOffsetNumeri, s.numeri);
    getShorts(record + kOffsetGiocate, s.giocate);
    for (std::size_t i = 0; i < s.puntate.size(); ++i) {
        std::uint64_t v = 0;
        if constexpr (kLittleEndianHost) {
            std::memcpy(&v, record + kOffsetPuntate + 8 * i, sizeof v);
        } else {
            for (std::size_t b = 8; b-- > 0;)
                v = (v << 8) | record[kOffsetPuntate + 8 * i + b];
        }
        s.puntate[i] = Currency::fromRaw(static_cast<std::int64_t>(v));
    }
    return s;
}
