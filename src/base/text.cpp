#include "text.h"

std::string_view trimSpaces(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::size_t utf8Length(unsigned char first)
{
    return first < 0x80         ? 1
           : (first >> 5) == 6  ? 2
           : (first >> 4) == 14 ? 3
           : (first >> 3) == 30 ? 4
                                : 0;
}

bool utf8Valid(char32_t codePoint, std::size_t length)
{
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    return length >= 1 && length <= 4 && codePoint >= kShortest[length] && codePoint <= 0x10FFFF &&
           (codePoint < 0xD800 || codePoint > 0xDFFF);
}
