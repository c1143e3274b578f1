#include "filewav.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>

namespace {

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kVirgolaMobile = 3;
constexpr std::uint16_t kEstensibile = 0xFFFE;
constexpr int kCanaliMassimi = 64;
constexpr std::uint32_t kFrequenzaMinima = 1000;
constexpr std::uint32_t kFrequenzaMassima = 384000;

// The sub-format GUID of WAVE_FORMAT_EXTENSIBLE after its first two bytes, which repeat the
// plain format tag.
constexpr std::array<std::uint8_t, 14> kCodaGuid = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                                    0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::uint16_t u16(const std::byte *p)
{
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(p[0]) |
                                      std::to_integer<unsigned>(p[1]) << 8);
}

std::uint32_t u32(const std::byte *p)
{
    return static_cast<std::uint32_t>(u16(p)) | static_cast<std::uint32_t>(u16(p + 2)) << 16;
}

bool etichetta(const std::byte *p, std::string_view nome)
{
    return std::memcmp(p, nome.data(), 4) == 0;
}

struct Formato
{
    std::uint16_t tipo = 0;
    int canali = 0;
    std::uint32_t frequenza = 0;
    std::size_t bloccoCampione = 0; // bytes of one sample of one channel
};

std::optional<Formato> leggiFormato(std::span<const std::byte> corpo)
{
    if (corpo.size() < 16)
        return std::nullopt;
    Formato f;
    f.tipo = u16(corpo.data());
    f.canali = u16(corpo.data() + 2);
    f.frequenza = u32(corpo.data() + 4);
    const std::uint16_t blocco = u16(corpo.data() + 12);
    const std::uint16_t bit = u16(corpo.data() + 14);
    if (f.tipo == kEstensibile) {
        if (corpo.size() < 40 || u16(corpo.data() + 16) < 22)
            return std::nullopt;
        const std::byte *guid = corpo.data() + 24;
        if (std::memcmp(guid + 2, kCodaGuid.data(), kCodaGuid.size()) != 0)
            return std::nullopt;
        f.tipo = u16(guid);
    }
    if (f.canali < 1 || f.canali > kCanaliMassimi || f.frequenza < kFrequenzaMinima ||
        f.frequenza > kFrequenzaMassima)
        return std::nullopt;
    // Some writers leave the block size at zero or at a wrong value; the bit depth then decides.
    if (blocco != 0 && blocco % f.canali == 0)
        f.bloccoCampione = blocco / static_cast<std::size_t>(f.canali);
    else
        f.bloccoCampione = (bit + 7u) / 8u;
    if (bit > f.bloccoCampione * 8)
        return std::nullopt;
    const bool intero = f.tipo == kPcm && f.bloccoCampione >= 1 && f.bloccoCampione <= 4;
    const bool mobile =
        f.tipo == kVirgolaMobile && (f.bloccoCampione == 4 || f.bloccoCampione == 8);
    if (!intero && !mobile)
        return std::nullopt;
    return f;
}

std::int16_t daMobile(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<std::int16_t>(
        std::clamp(std::lround(std::clamp(v, -2.0, 2.0) * 32768.0), -32768L, 32767L));
}

// Samples narrower than 16 bits widen, wider ones keep their top 16 bits: full scale stays
// full scale in both directions.
std::int16_t campione(const std::byte *p, const Formato &f)
{
    if (f.tipo == kVirgolaMobile) {
        if (f.bloccoCampione == 4) {
            float v;
            const std::uint32_t bit = u32(p);
            std::memcpy(&v, &bit, sizeof v);
            return daMobile(v);
        }
        double v;
        const std::uint64_t bit = u32(p) | static_cast<std::uint64_t>(u32(p + 4)) << 32;
        std::memcpy(&v, &bit, sizeof v);
        return daMobile(v);
    }
    switch (f.bloccoCampione) {
    case 1:
        return static_cast<std::int16_t>((std::to_integer<int>(p[0]) - 128) * 256);
    case 2:
        return static_cast<std::int16_t>(u16(p));
    case 3:
        return static_cast<std::int16_t>(u16(p + 1));
    default:
        return static_cast<std::int16_t>(u16(p + 2));
    }
}

} // namespace

FileWav::FileWav(int canali, int frequenza, std::vector<std::int16_t> campioni)
    : m_canali(canali), m_frequenza(frequenza), m_campioni(std::move(campioni))
{}

std::optional<FileWav> FileWav::leggi(const std::filesystem::path &file)
{
    std::error_code ec;
    const std::uintmax_t dimensione = std::filesystem::file_size(file, ec);
    if (ec || dimensione > kDatiMassimi + 1024 * 1024)
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<std::byte> contenuto(static_cast<std::size_t>(dimensione));
    in.read(reinterpret_cast<char *>(contenuto.data()), static_cast<std::streamsize>(dimensione));
    // A file that shrank since it was measured is read as far as it goes.
    contenuto.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return decodifica(contenuto);
}

std::optional<FileWav> FileWav::decodifica(std::span<const std::byte> contenuto)
{
    if (contenuto.size() < 12 || !etichetta(contenuto.data(), "RIFF") ||
        !etichetta(contenuto.data() + 8, "WAVE"))
        return std::nullopt;

    // The RIFF length is often wrong in files cut or written by streaming tools, so the walk
    // goes by the file's real end instead.
    std::optional<Formato> formato;
    std::optional<std::span<const std::byte>> dati;
    std::size_t pos = 12;
    while (!(formato && dati) && contenuto.size() - pos >= 8) {
        const std::byte *testa = contenuto.data() + pos;
        const std::uint64_t lunghezza = u32(testa + 4);
        const std::size_t inizio = pos + 8;
        const std::size_t disponibile = contenuto.size() - inizio;
        if (etichetta(testa, "data")) {
            if (!dati)
                dati = contenuto.subspan(inizio, static_cast<std::size_t>(std::min<std::uint64_t>(
                                                     lunghezza, disponibile)));
        } else if (etichetta(testa, "fmt ") && !formato) {
            if (lunghezza > disponibile)
                return std::nullopt;
            formato = leggiFormato(contenuto.subspan(inizio, static_cast<std::size_t>(lunghezza)));
            if (!formato)
                return std::nullopt;
        }
        const std::uint64_t salto = lunghezza + (lunghezza & 1u);
        if (salto >= disponibile)
            break;
        pos = inizio + static_cast<std::size_t>(salto);
    }
    if (!formato || !dati)
        return std::nullopt;

    const std::size_t blocco = formato->bloccoCampione * static_cast<std::size_t>(formato->canali);
    const std::size_t fotogrammi = dati->size() / blocco;
    if (fotogrammi == 0 || dati->size() > kDatiMassimi)
        return std::nullopt;
    std::vector<std::int16_t> campioni(fotogrammi * static_cast<std::size_t>(formato->canali));
    const std::byte *p = dati->data();
    for (auto &c : campioni) {
        c = campione(p, *formato);
        p += formato->bloccoCampione;
    }
    return FileWav(formato->canali, static_cast<int>(formato->frequenza), std::move(campioni));
}

std::int64_t FileWav::durataMicrosecondi() const
{
    return static_cast<std::int64_t>(fotogrammi()) * 1'000'000 / m_frequenza;
}

std::vector<std::int16_t> FileWav::convertiti(int canali, int frequenza) const
{
    if (canali < 1 || canali > kCanaliMassimi || frequenza < static_cast<int>(kFrequenzaMinima) ||
        frequenza > static_cast<int>(kFrequenzaMassima))
        return {};
    const std::size_t ingresso = fotogrammi();
    const std::size_t uscita = static_cast<std::size_t>(
        (static_cast<std::uint64_t>(ingresso) * static_cast<std::uint64_t>(frequenza) +
         static_cast<std::uint64_t>(m_frequenza) / 2) /
        static_cast<std::uint64_t>(m_frequenza));
    if (uscita == 0 || uscita > kDatiMassimi / static_cast<std::size_t>(canali))
        return {};

    const auto canaleIn = static_cast<std::size_t>(m_canali);
    const auto canaleOut = static_cast<std::size_t>(canali);
    // The value of one output channel at one input frame.
    const auto valore = [&](std::size_t fotogramma, std::size_t canale) -> int {
        const std::int16_t *f = m_campioni.data() + fotogramma * canaleIn;
        if (canaleOut == 1 && canaleIn > 1) {
            long somma = 0;
            for (std::size_t c = 0; c < canaleIn; ++c)
                somma += f[c];
            return static_cast<int>(somma / static_cast<long>(canaleIn));
        }
        return f[canale % canaleIn];
    };

    std::vector<std::int16_t> risultato(uscita * canaleOut);
    const double passo = static_cast<double>(m_frequenza) / frequenza;
    for (std::size_t i = 0; i < uscita; ++i) {
        const double sorgente = static_cast<double>(i) * passo;
        const std::size_t a = std::min(static_cast<std::size_t>(sorgente), ingresso - 1);
        const std::size_t b = std::min(a + 1, ingresso - 1);
        const double frazione = sorgente - static_cast<double>(a);
        for (std::size_t c = 0; c < canaleOut; ++c) {
            const int va = valore(a, c);
            const int vb = valore(b, c);
            risultato[i * canaleOut + c] =
                static_cast<std::int16_t>(std::lround(va + (vb - va) * frazione));
        }
    }
    return risultato;
}
