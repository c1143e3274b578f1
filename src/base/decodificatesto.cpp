#include "decodificatesto.h"

#include "base/codepage1252.h"
#include "base/text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr char32_t kSostituto = 0xFFFD;

void scriviUtf8(char32_t cp, std::string &testo)
{
    if (cp < 0x80) {
        testo += char(cp);
    } else if (cp < 0x800) {
        testo += char(0xC0 | cp >> 6);
        testo += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        testo += char(0xE0 | cp >> 12);
        testo += char(0x80 | (cp >> 6 & 0x3F));
        testo += char(0x80 | (cp & 0x3F));
    } else {
        testo += char(0xF0 | cp >> 18);
        testo += char(0x80 | (cp >> 12 & 0x3F));
        testo += char(0x80 | (cp >> 6 & 0x3F));
        testo += char(0x80 | (cp & 0x3F));
    }
}

// How many bytes from the start are whole valid UTF-8 characters; valido false at the first
// byte that cannot be. What is left after them is a character cut short.
std::size_t validi(std::string_view testo, bool &valido)
{
    std::size_t i = 0;
    while (i < testo.size()) {
        // Plain ASCII, the bulk of any CSV, eight bytes at a time.
        std::uint64_t otto = 0;
        if (i + 8 <= testo.size() && (std::memcpy(&otto, testo.data() + i, 8), true) &&
            (otto & 0x8080808080808080ULL) == 0) {
            i += 8;
            continue;
        }
        const auto c = static_cast<unsigned char>(testo[i]);
        const std::size_t len = utf8Length(c);
        valido = len != 0;
        char32_t cp = len == 1 ? c : c & (0x7F >> len);
        for (std::size_t k = 1; valido && k < len && i + k < testo.size(); ++k) {
            const auto d = static_cast<unsigned char>(testo[i + k]);
            valido = (d & 0xC0) == 0x80;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (!valido || i + len > testo.size())
            return i;
        valido = utf8Valid(cp, len);
        if (!valido)
            return i;
        i += len;
    }
    return i;
}

} // namespace

std::optional<std::pair<DecodificaTesto::Codifica, std::size_t>>
DecodificaTesto::daMarca(std::string_view inizio)
{
    if (inizio.starts_with("\xEF\xBB\xBF"))
        return std::pair{Codifica::Utf8, std::size_t(3)};
    if (inizio.starts_with("\xFF\xFE"))
        return std::pair{Codifica::Utf16LE, std::size_t(2)};
    if (inizio.starts_with("\xFE\xFF"))
        return std::pair{Codifica::Utf16BE, std::size_t(2)};
    return std::nullopt;
}

bool DecodificaTesto::utf8Valido(std::string_view testo)
{
    DecodificaTesto controllo(Codifica::Utf8);
    return controllo.controllaUtf8(testo) && controllo.fineUtf8();
}

bool DecodificaTesto::controllaUtf8(std::string_view byte)
{
    if (!m_valido)
        return false;
    // Only a character cut at the end of the last block is carried over to this one.
    const std::size_t unite = std::min<std::size_t>(byte.size(), 4);
    m_resto.append(byte.substr(0, unite));
    const std::size_t fatti = validi(m_resto, m_valido);
    if (!m_valido || unite == byte.size()) {
        m_resto.erase(0, fatti);
        return m_valido;
    }
    if (fatti < m_resto.size() - unite) // still cut after four more bytes: never valid
        return m_valido = false;
    const std::size_t ripresa = fatti - (m_resto.size() - unite); // of byte, already checked
    m_resto.clear();
    const std::string_view resto = byte.substr(ripresa);
    const std::size_t altri = validi(resto, m_valido);
    m_resto.assign(resto.substr(altri));
    return m_valido;
}

void DecodificaTesto::converti(std::string_view byte, std::string &testo)
{
    switch (m_codifica) {
    case Codifica::Utf8:
        testo.append(byte);
        return;
    case Codifica::Windows1252:
        testo += CodePage1252::decodeToUtf8(byte);
        return;
    case Codifica::Utf16LE:
    case Codifica::Utf16BE:
        convertiUtf16(byte, testo);
        return;
    }
}

void DecodificaTesto::convertiUtf16(std::string_view byte, std::string &testo)
{
    m_resto.append(byte);
    const bool piccolo = m_codifica == Codifica::Utf16LE;
    std::size_t i = 0;
    for (; i + 1 < m_resto.size(); i += 2) {
        const auto a = static_cast<unsigned char>(m_resto[i]);
        const auto b = static_cast<unsigned char>(m_resto[i + 1]);
        const char32_t unita = piccolo ? a | b << 8 : b | a << 8;
        if (m_alto != 0 && unita >= 0xDC00 && unita <= 0xDFFF) {
            scriviUtf8(0x10000 + ((m_alto - 0xD800) << 10) + (unita - 0xDC00), testo);
            m_alto = 0;
            continue;
        }
        if (m_alto != 0)
            scriviUtf8(kSostituto, testo);
        m_alto = unita >= 0xD800 && unita <= 0xDBFF ? unita : 0;
        if (m_alto == 0)
            scriviUtf8(unita >= 0xDC00 && unita <= 0xDFFF ? kSostituto : unita, testo);
    }
    m_resto.erase(0, i);
}

void DecodificaTesto::fine(std::string &testo)
{
    if (m_alto != 0 || !m_resto.empty())
        scriviUtf8(kSostituto, testo);
    m_alto = 0;
    m_resto.clear();
}
