// Any 126 bytes are a record the game may meet in a set file someone else wrote: decoding must
// accept them all, read each field where the file format puts it, and give back the very same
// bytes when the record is written again, title included.

#include "verifica.h"

#include "storage/codepage1252.h"
#include "storage/schedina.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::size_t kRecord = Schedina::kDimensioneRecord;

// Little-endian fields read byte by byte, apart from the decoder's own way of reading them.
std::int16_t corto(const unsigned char *b)
{
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(b[0] | (b[1] << 8)));
}

std::int64_t lungo(const unsigned char *b)
{
    std::uint64_t v = 0;
    for (std::size_t i = 8; i-- > 0;)
        v = (v << 8) | b[i];
    return static_cast<std::int64_t>(v);
}

// The number of code points of a well-formed UTF-8 text, nothing for a malformed one. The
// table of valid sequences is written out here so that a bad sequence made by the title's
// decoder cannot slip through a check that shares its code.
std::optional<std::size_t> caratteriUtf8(std::string_view testo)
{
    std::size_t caratteri = 0;
    for (std::size_t i = 0; i < testo.size(); ++caratteri) {
        const auto b0 = static_cast<unsigned char>(testo[i]);
        std::size_t seguiti = 0;
        unsigned char minimo = 0x80;
        unsigned char massimo = 0xBF;
        if (b0 <= 0x7F) {
            seguiti = 0;
        } else if (b0 >= 0xC2 && b0 <= 0xDF) {
            seguiti = 1;
        } else if (b0 == 0xE0) {
            seguiti = 2;
            minimo = 0xA0;
        } else if (b0 == 0xED) {
            seguiti = 2;
            massimo = 0x9F;
        } else if (b0 >= 0xE1 && b0 <= 0xEF) {
            seguiti = 2;
        } else if (b0 == 0xF0) {
            seguiti = 3;
            minimo = 0x90;
        } else if (b0 >= 0xF1 && b0 <= 0xF3) {
            seguiti = 3;
        } else if (b0 == 0xF4) {
            seguiti = 3;
            massimo = 0x8F;
        } else {
            return std::nullopt;
        }
        if (i + 1 + seguiti > testo.size())
            return std::nullopt;
        for (std::size_t j = 1; j <= seguiti; ++j) {
            const auto b = static_cast<unsigned char>(testo[i + j]);
            const unsigned char lo = j == 1 ? minimo : 0x80;
            const unsigned char hi = j == 1 ? massimo : 0xBF;
            if (b < lo || b > hi)
                return std::nullopt;
        }
        i += 1 + seguiti;
    }
    return caratteri;
}

// The sum of the stakes of the bet types played, each added in turn, nothing as soon as a
// partial sum leaves the 64-bit range.
std::optional<std::int64_t> costoAtteso(const unsigned char *r)
{
    std::int64_t totale = 0;
    for (std::size_t g = 0; g < 5; ++g) {
        if (corto(r + 66 + 2 * g) != 1)
            continue;
        if (__builtin_add_overflow(totale, lungo(r + 78 + 8 * g), &totale))
            return std::nullopt;
    }
    return totale;
}

// A stake's text read back: optional minus, whole part without leading zeros, and a fraction of
// one to four digits without trailing zeros only when there is one. Anything else is nothing.
std::optional<__int128> valoreTesto(std::string_view testo, char punto)
{
    const bool negativo = !testo.empty() && testo.front() == '-';
    if (negativo)
        testo.remove_prefix(1);
    const auto virgola = testo.find(punto);
    const std::string_view intero = testo.substr(0, virgola);
    const std::string_view frazione =
        virgola == std::string_view::npos ? std::string_view{} : testo.substr(virgola + 1);
    const auto cifre = [](std::string_view t) {
        return !t.empty() &&
               std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!cifre(intero) || (intero.size() > 1 && intero.front() == '0'))
        return std::nullopt;
    if (virgola != std::string_view::npos &&
        (!cifre(frazione) || frazione.size() > 4 || frazione.back() == '0'))
        return std::nullopt;
    __int128 valore = 0;
    for (char c : intero)
        valore = valore * 10 + (c - '0');
    __int128 decimi = 0;
    for (std::size_t i = 0; i < 4; ++i)
        decimi = decimi * 10 + (i < frazione.size() ? frazione[i] - '0' : 0);
    valore = valore * Currency::kScale + decimi;
    if (negativo && valore == 0)
        return std::nullopt;
    return negativo ? -valore : valore;
}

void verificaRecord(const unsigned char *r)
{
    const Schedina s = Schedina::decodifica(r);

    // Every field where the format puts it.
    VERIFICA(std::memcmp(s.titolo.data(), r, Schedina::kLunghezzaTitolo) == 0);
    for (std::size_t i = 0; i < s.ruote.size(); ++i)
        VERIFICA(s.ruote[i] == corto(r + 20 + 2 * i));
    for (std::size_t i = 0; i < s.numeri.size(); ++i)
        VERIFICA(s.numeri[i] == corto(r + 44 + 2 * i));
    for (std::size_t i = 0; i < s.giocate.size(); ++i)
        VERIFICA(s.giocate[i] == corto(r + 66 + 2 * i));
    for (std::size_t i = 0; i < s.puntate.size(); ++i)
        VERIFICA(s.puntate[i].raw() == lungo(r + 78 + 8 * i));

    // Written again, the record is the same bytes, and reads back as the same ticket.
    const Schedina::Record scritto = s.codifica();
    VERIFICA(std::memcmp(scritto.data(), r, kRecord) == 0);
    VERIFICA(Schedina::decodifica(scritto.data()) == s);

    // The cost of any record is either the exact sum or nothing, never a wrapped number.
    const auto costo = s.costo();
    const auto atteso = costoAtteso(r);
    VERIFICA(costo.has_value() == atteso.has_value());
    VERIFICA(!costo || costo->raw() == *atteso);

    // Each stake's text, with either decimal point, reads back as the same amount.
    for (const Currency &puntata : s.puntate) {
        VERIFICA(valoreTesto(puntata.toString(), '.') == __int128{puntata.raw()});
        VERIFICA(valoreTesto(puntata.toString(','), ',') == __int128{puntata.raw()});
    }

    // The title as text is well-formed UTF-8 of exactly twenty characters, and stores back as
    // the same twenty bytes however it is stored.
    const std::string testo = s.titoloTesto();
    VERIFICA(caratteriUtf8(testo) == std::optional<std::size_t>{Schedina::kLunghezzaTitolo});
    const auto esatto = CodePage1252::encodeExactly(testo);
    VERIFICA(esatto.has_value() && *esatto == s.titoloGrezzo());
    VERIFICA(CodePage1252::encodeFromUtf8(testo, Schedina::kLunghezzaTitolo) == s.titoloGrezzo());
    VERIFICA(CodePage1252::encodeFromUtf8(testo + "oltre", Schedina::kLunghezzaTitolo) ==
             s.titoloGrezzo());
    Schedina ribattezzata;
    ribattezzata.impostaTitolo(testo);
    VERIFICA(ribattezzata.titolo == s.titolo);
    for (char c : s.titolo) {
        const auto byte = static_cast<unsigned char>(c);
        VERIFICA(CodePage1252::encode(CodePage1252::decode(byte)) == byte);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Every 126 bytes are one record; a short last piece is completed with zeros, as the bytes
    // of a record never written are.
    std::size_t at = 0;
    do {
        Schedina::Record record{};
        const std::size_t n = std::min(kRecord, size - at);
        if (n > 0)
            std::memcpy(record.data(), data + at, n);
        verificaRecord(record.data());
        at += n;
    } while (at < size);
    return 0;
}
