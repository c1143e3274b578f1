#pragma once

#include <string>
#include <string_view>

// A player's text as a message may repeat it on a terminal: control characters (C0, DEL, C1)
// and bytes that are not UTF-8 written as escapes ("\n", "\t", "\x1B", "\u0085", "\xFF"), so
// that a refusal can never move the cursor, change colours or clear the screen.
std::string testoVisibile(std::string_view testo);

// Whether a UTF-8 text holds a control character (C0, DEL or C1).
bool haControlli(std::string_view testo);
