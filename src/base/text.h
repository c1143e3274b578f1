#pragma once

#include <string_view>

// Titles are compared with leading and trailing blanks removed: only the space character counts.
std::string_view trimSpaces(std::string_view text);
