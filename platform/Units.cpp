#include "platform/Units.h"

#include <QFont>

namespace kenvaron::plat {

QFont Carattere(const char* nome, double punti, bool grassetto, bool corsivo, bool sottolineato) {
    QFont f(QString::fromUtf8(nome));
    f.setPixelSize(PuntiInPixel(punti));
    f.setBold(grassetto);
    f.setItalic(corsivo);
    f.setUnderline(sottolineato);
    return f;
}

}  // namespace kenvaron::plat
