#include "estrazionedelgiorno.h"

#include "base/text.h"

#include <algorithm>

namespace {

constexpr std::array<std::string_view, EstrazioneDelGiorno::kRuote> kCodici = {
    "BA", "CA", "FI", "GE", "MI", "NA", "PA", "RM", "TO", "VE", "RN"};

std::string maiuscolo(std::string_view testo)
{
    std::string t(testo);
    std::transform(t.begin(), t.end(), t.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return t;
}

} // namespace

std::optional<std::size_t> EstrazioneDelGiorno::ruotaDaCodice(std::string_view codice)
{
    const auto it = std::find(kCodici.begin(), kCodici.end(), maiuscolo(codice));
    if (it == kCodici.end())
        return std::nullopt;
    return std::size_t(it - kCodici.begin());
}

std::optional<std::size_t> EstrazioneDelGiorno::ruotaDaNome(std::string_view nome)
{
    const std::string cercato = maiuscolo(trimSpaces(nome));
    for (std::size_t w = 0; w < kRuote; ++w) {
        if (nomeRuota(w) == cercato)
            return w;
    }
    return std::nullopt;
}

std::string EstrazioneDelGiorno::nomeRuota(std::size_t ruota)
{
    return ruota == kNazionale ? "NAZIONALE" : std::string(lotto::kNomiRuote.at(ruota));
}

std::optional<std::string> EstrazioneDelGiorno::difetto(const Cinquina &numeri)
{
    for (std::size_t p = 0; p < numeri.size(); ++p) {
        if (numeri[p] < 1 || numeri[p] > 90)
            return "il numero " + std::to_string(numeri[p]) + " non è tra 1 e 90";
        if (std::find(numeri.begin(), numeri.begin() + std::ptrdiff_t(p), numeri[p]) !=
            numeri.begin() + std::ptrdiff_t(p))
            return "il numero " + std::to_string(numeri[p]) + " è estratto due volte";
    }
    return std::nullopt;
}

void EstrazioneDelGiorno::imposta(std::size_t ruota, const Cinquina &numeri)
{
    m_numeri.at(ruota) = numeri;
    m_ruote = std::uint16_t(m_ruote | 1u << ruota);
}

Estrazione EstrazioneDelGiorno::comeEstrazione() const
{
    std::array<std::int16_t, lotto::kRuote * Estrazione::kPosizioni> numeri{};
    for (std::size_t w = 0; w < lotto::kRuote; ++w) {
        if (estratta(w))
            std::copy(m_numeri[w].begin(), m_numeri[w].end(),
                      numeri.begin() + std::ptrdiff_t(w * Estrazione::kPosizioni));
    }
    Estrazione estrazione;
    estrazione.imposta(numeri);
    return estrazione;
}

unsigned __int128 EstrazioneDelGiorno::maschera(std::size_t ruota) const
{
    unsigned __int128 m = 0;
    if (estratta(ruota)) {
        for (const std::int16_t n : m_numeri[ruota])
            m |= static_cast<unsigned __int128>(1) << n;
    }
    return m;
}
