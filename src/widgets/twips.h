#pragma once

#include <QRect>

// Positions and sizes are laid out in twips, as the windows were drawn: 15 twips to a pixel at
// 96 dpi. Qt scales the pixels on high-dpi screens.
constexpr int twips(int value)
{
    return (value + (value >= 0 ? 7 : -7)) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}
