// Measures of the window layer: positions and sizes are twips, 15 to a pixel
// (1440 to an inch at 96 dots per inch), font sizes are points.  Everything is
// laid out in 96-dpi pixels whatever the screen, so a layout written in twips
// looks the same on every machine.
#pragma once

#include <cmath>

class QFont;

namespace kenvaron::plat {

constexpr int TwipPerPixel = 15;
constexpr double TwipPerPollice = 1440.0;

// Twips to whole pixels, rounded to the nearest.
inline int Px(double twip) { return static_cast<int>(std::lround(twip / TwipPerPixel)); }
// Pixels to twips.
inline int Twip(int px) { return px * TwipPerPixel; }
// Millimetres to twips, for placing printed text.
constexpr double ConvertiMmTwip(double mm) { return mm * TwipPerPollice / 25.4; }
// Points to whole pixels at 96 dpi (never below 1).
inline int PuntiInPixel(double punti) {
    const long px = std::lround(punti * 96.0 / 72.0);
    return px < 1 ? 1 : static_cast<int>(px);
}

// A font given as the windows name it: family, size in points, bold, italic, underline.
QFont Carattere(const char* nome, double punti, bool grassetto = false, bool corsivo = false,
                bool sottolineato = false);

}  // namespace kenvaron::plat
