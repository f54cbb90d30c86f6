// Option windows open centred over the main window, wherever it stands, and
// moved onto the screen where the main window's place would put them partly
// off it.
#pragma once

#include "platform/Form.h"

namespace kenvaron {

inline void CentraSu(plat::Form& finestra, const plat::Form& principale) {
    finestra.Move(principale.Left() + (principale.Width() - finestra.Width()) / 2,
                  principale.Top() + (principale.Height() - finestra.Height()) / 2);
    finestra.MoveOnScreen();
}

}  // namespace kenvaron
