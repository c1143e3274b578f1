#pragma once

#include <cstddef>
#include <string_view>

// Titles are compared with leading and trailing blanks removed: only the space character counts.
std::string_view trimSpaces(std::string_view text);

// UTF-8, one character at a time: the length of the character a byte begins (1 to 4; 0 for a
// byte that begins none), and whether a code point decoded from that many bytes is a character
// written in its shortest form (not an overlong form, a surrogate or beyond U+10FFFF).
std::size_t utf8Length(unsigned char first);
bool utf8Valid(char32_t codePoint, std::size_t length);
