// Colours as the windows write them: one whole number with red in the low
// byte, green in the middle and blue in the high byte, so &HFF0000 is pure
// blue and &HFF pure red.  ColoreQt and ColoreVb are the only places where such
// a number meets a Qt colour.
#pragma once

#include <QColor>

namespace kenvaron::plat {

using Colore = long;

constexpr Colore RGB(int rosso, int verde, int blu) {
    return static_cast<Colore>((rosso & 0xFF) | ((verde & 0xFF) << 8) | ((blu & 0xFF) << 16));
}

constexpr Colore vbWhite = 0xFFFFFF;
constexpr Colore vbBlack = 0x000000;
constexpr Colore vbBlue = 0xFF0000;
constexpr Colore vbRed = 0x0000FF;

// The Qt colour of a windows colour number (only the low 24 bits count).
QColor ColoreQt(Colore c);
// The windows colour number of a Qt colour.
Colore ColoreVb(const QColor& c);

}  // namespace kenvaron::plat
