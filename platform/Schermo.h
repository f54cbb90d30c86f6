// The screen's edges: a window cut or moved so that it lies on the screen's
// available area.
#pragma once

#include <QMargins>
#include <QRect>

class QScreen;
class QWidget;
class QWindow;

namespace kenvaron::plat {

// A rectangle of the screen: its left and top edges and its size, in one unit.
struct Rettangolo {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rettangolo&) const = default;
};

// `finestra` made narrower or shorter where it would end past the right or
// bottom edge of `area`, so that it ends there.  Its left and top never move,
// and it never grows; along an edge that it starts beyond, it keeps its size
// (no size would bring it back).
Rettangolo EntroArea(const Rettangolo& finestra, const Rettangolo& area);
// `finestra` moved, never resized, so that it starts neither left of nor
// above `area` and ends inside it as far as its size allows.
Rettangolo DentroArea(const Rettangolo& finestra, const Rettangolo& area);

// A window's frame borders as Qt knows them, none where they can be no
// frame's (another client may write any number where a window manager tells
// them, and Qt takes it as told).
QMargins BordiDi(const QWindow& finestra);
// The screen's available area, in Qt's pixels, of which every pixel lies on
// the screen also at a scale that is not whole.
QRect AreaDisponibile(const QScreen& schermo);

// A window of Qt's own (a dialog) that grows while shown past the right or
// bottom edge of its screen's available area moves back, so that its frame
// ends there, as far as the left and top edges allow.
void TieniSulloSchermo(QWidget* finestra);

// Places a window of Qt's own whose window system window Qt has not created
// yet (a dialog never shown) centred over `sotto`'s window, client area over
// client area (over the screen's available area without one), its frame
// wholly on the available area as far as its size allows.  The frame is
// expected to get the borders of `sotto`'s window, or of another framed
// window of the program.  Qt creates the window with its frame's point there,
// where a window manager puts the frame, and no longer places it itself.
void PiazzaSopra(QWidget* finestra, const QWidget* sotto);

}  // namespace kenvaron::plat
