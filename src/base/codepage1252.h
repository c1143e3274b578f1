#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Titles are stored one byte per character in Windows-1252. The mapping here is total and
// reversible: the five bytes the code page leaves undefined map to the code points of the same
// value and NUL stays NUL, so a title read from any file is written back byte for byte.
class CodePage1252
{
public:
    static char32_t decode(unsigned char byte);
    // The byte for a code point, or nothing when the code page cannot hold it.
    static std::optional<unsigned char> encode(char32_t codePoint);

    static std::string decodeToUtf8(std::string_view bytes);
    // Encodes at most maxCharacters characters of a UTF-8 text; a character the code page cannot
    // hold (or a malformed UTF-8 sequence) becomes '?'.
    static std::string encodeFromUtf8(std::string_view utf8, std::size_t maxCharacters);
    // The exact bytes for a UTF-8 text, or nothing when some character cannot be stored as such:
    // such a text can never equal a stored title.
    static std::optional<std::string> encodeExactly(std::string_view utf8);
};
