#include "titolonelfoglio.h"

#include "base/codepage1252.h"
#include "base/decodificatesto.h"
#include "base/text.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr char kApostrofo = '\'';

// The words LibreOffice and Excel take for truth values, in Italian and in English.
constexpr std::array<std::string_view, 4> kVeroFalso = {"vero", "falso", "true", "false"};

// What a cell shows where its formula failed, in Italian and in English.
constexpr std::array<std::string_view, 14> kErroriFoglio = {
    "#nome?", "#name?", "#valore!", "#value!", "#rif!",  "#ref!",  "#div/0!",
    "#n/d",   "#n/a",   "#num!",    "#nullo!", "#null!", "#calc!", "#spill!"};

std::string minuscolo(std::string_view testo)
{
    std::string basso(testo);
    std::transform(basso.begin(), basso.end(), basso.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return basso;
}

// The bytes a spreadsheet reading UTF-8 as Windows-1252 (or Latin-1, where the code page leaves
// a byte undefined) turned into these characters; nothing when some character is no such byte.
std::optional<std::string> byteLetti(std::string_view titolo)
{
    std::string byte;
    for (std::size_t i = 0; i < titolo.size();) {
        const auto primo = static_cast<unsigned char>(titolo[i]);
        const std::size_t lunghezza = std::max<std::size_t>(1, utf8Length(primo));
        if (i + lunghezza > titolo.size())
            return std::nullopt;
        char32_t punto = lunghezza == 1 ? primo : primo & (0x7F >> lunghezza);
        for (std::size_t k = 1; k < lunghezza; ++k)
            punto = (punto << 6) | (static_cast<unsigned char>(titolo[i + k]) & 0x3F);
        i += lunghezza;
        if (const auto b = CodePage1252::encode(punto))
            byte += char(*b);
        else if (punto >= 0x80 && punto <= 0x9F)
            byte += char(punto);
        else
            return std::nullopt;
    }
    return byte;
}

} // namespace

bool TitoloNelFoglio::sembraUnDato(std::string_view titolo)
{
    if (titolo.empty())
        return false;
    if (std::string_view("=+-@'").find(titolo.front()) != std::string_view::npos)
        return true;
    const std::string basso = minuscolo(trimSpaces(titolo));
    if (std::find(kVeroFalso.begin(), kVeroFalso.end(), basso) != kVeroFalso.end())
        return true;
    const bool cifre =
        std::any_of(titolo.begin(), titolo.end(), [](unsigned char c) { return std::isdigit(c); });
    return cifre && titolo.find_first_not_of("0123456789.,:/%eE+-() $") == std::string_view::npos;
}

std::string TitoloNelFoglio::proteggi(std::string_view titolo)
{
    return sembraUnDato(titolo) ? kApostrofo + std::string(titolo) : std::string(titolo);
}

std::string TitoloNelFoglio::leggi(std::string_view campo)
{
    if (!campo.empty() && campo.front() == kApostrofo && sembraUnDato(campo.substr(1)))
        return std::string(campo.substr(1));
    return std::string(campo);
}

std::string TitoloNelFoglio::soloSeNecessario(std::string_view titolo)
{
    return leggi(titolo) != titolo ? kApostrofo + std::string(titolo) : std::string(titolo);
}

std::string TitoloNelFoglio::alterazione(std::string_view titolo)
{
    const std::string_view netto = trimSpaces(titolo);
    const std::string basso = minuscolo(netto);
    if (std::find(kErroriFoglio.begin(), kErroriFoglio.end(), basso) != kErroriFoglio.end() ||
        (basso.size() == 7 && basso.rfind("err:", 0) == 0 &&
         std::all_of(basso.begin() + 4, basso.end(),
                     [](unsigned char c) { return std::isdigit(c); })))
        return "il titolo \"" + std::string(netto) +
               "\" è un errore del foglio di calcolo, che ha letto il titolo come una formula";
    const auto byte = byteLetti(titolo);
    if (byte && DecodificaTesto::utf8Valido(*byte) &&
        std::any_of(byte->begin(), byte->end(), [](char c) { return c & 0x80; }))
        return "il titolo \"" + std::string(netto) +
               "\" è testo UTF-8 letto come Windows-1252 (\"" + std::string(trimSpaces(*byte)) +
               "\"): il foglio di calcolo lo ha cambiato, riaprilo indicando UTF-8";
    return {};
}
