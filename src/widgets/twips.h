#pragma once

#include <QRect>

#include <cmath>

// The windows' scale against the design: 1 as drawn, smaller only where the screen, at its own
// scale, has no room for the main window as drawn (stile::impostaScala sets it, before any
// window is made).
inline double &scalaDisegno()
{
    static double scala = 1;
    return scala;
}

// Positions and sizes are laid out in twips, as the windows were drawn: 15 twips to a pixel at
// 96 dpi, times the scale above. Qt scales the pixels on high-dpi screens.
inline int twips(int value)
{
    if (scalaDisegno() == 1)
        return (value + (value >= 0 ? 7 : -7)) / 15;
    return int(std::lround(value * scalaDisegno() / 15.0));
}

// Smaller than drawn, a rectangle's edges are rounded, not its size: neighbours drawn one pixel
// over each other stay so.
inline QRect twipsRect(int left, int top, int width, int height)
{
    if (scalaDisegno() == 1)
        return {twips(left), twips(top), twips(width), twips(height)};
    return QRect(QPoint(twips(left), twips(top)),
                 QPoint(twips(left + width) - 1, twips(top + height) - 1));
}
