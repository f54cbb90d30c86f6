#include "platform/Colors.h"

namespace kenvaron::plat {

QColor ColoreQt(Colore c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

Colore ColoreVb(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace kenvaron::plat
