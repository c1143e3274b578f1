#include "testovisibile.h"

#include "base/text.h"

#include <cstdio>

namespace {

// The code point at i and its length in bytes; length 0 for a byte that begins no valid UTF-8.
std::pair<char32_t, std::size_t> carattere(std::string_view testo, std::size_t i)
{
    const auto c = static_cast<unsigned char>(testo[i]);
    const std::size_t len = utf8Length(c);
    if (len == 0 || i + len > testo.size())
        return {c, 0};
    char32_t cp = len == 1 ? c : c & (0x7F >> len);
    for (std::size_t k = 1; k < len; ++k) {
        const auto d = static_cast<unsigned char>(testo[i + k]);
        if ((d & 0xC0) != 0x80)
            return {c, 0};
        cp = (cp << 6) | (d & 0x3F);
    }
    return utf8Valid(cp, len) ? std::pair{cp, len} : std::pair<char32_t, std::size_t>{c, 0};
}

bool controllo(char32_t cp)
{
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

} // namespace

std::string testoVisibile(std::string_view testo)
{
    std::string visibile;
    for (std::size_t i = 0; i < testo.size();) {
        const auto [cp, len] = carattere(testo, i);
        char escape[8];
        if (len == 0)
            std::snprintf(escape, sizeof escape, "\\x%02X", unsigned(cp));
        else if (cp == '\n' || cp == '\t' || cp == '\r')
            std::snprintf(escape, sizeof escape, "\\%c", cp == '\n' ? 'n' : cp == '\t' ? 't' : 'r');
        else if (controllo(cp))
            std::snprintf(escape, sizeof escape, cp < 0x80 ? "\\x%02X" : "\\u%04X", unsigned(cp));
        else
            escape[0] = '\0';
        if (escape[0] != '\0')
            visibile += escape;
        else
            visibile.append(testo.substr(i, len));
        i += len == 0 ? 1 : len;
    }
    return visibile;
}

bool haControlli(std::string_view testo)
{
    for (std::size_t i = 0; i < testo.size();) {
        const auto [cp, len] = carattere(testo, i);
        if (len != 0 && controllo(cp))
            return true;
        i += len == 0 ? 1 : len;
    }
    return false;
}
