#include "platform/Icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kenvaron::plat {

namespace {

// Every picture is drawn on a 24 x 24 design grid and scaled.
const QColor Inchiostro(40, 40, 40);
const QColor Carta(255, 255, 255);
const QColor Blu(30, 90, 200);
const QColor Verde(30, 150, 60);
const QColor Rosso(200, 40, 40);
const QColor Giallo(250, 210, 50);
const QColor Grigio(150, 150, 150);

QPen Penna(const QColor& c, double spessore = 1.5) {
    return QPen(c, spessore, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A small board of 3 x 3 boxes.
void Tabellone(QPainter& p, QRectF r) {
    p.setPen(Penna(Inchiostro, 1.2));
    p.setBrush(Carta);
    p.drawRect(r);
    p.setPen(Penna(Grigio, 0.8));
    for (int i = 1; i < 3; ++i) {
        const double x = r.left() + r.width() * i / 3, y = r.top() + r.height() * i / 3;
        p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

// A sheet of paper with a folded corner.
void Foglio(QPainter& p, QRectF r) {
    QPainterPath f;
    f.moveTo(r.topLeft());
    f.lineTo(r.right() - 5, r.top());
    f.lineTo(r.right(), r.top() + 5);
    f.lineTo(r.bottomRight());
    f.lineTo(r.bottomLeft());
    f.closeSubpath();
    p.setPen(Penna(Inchiostro, 1.2));
    p.setBrush(Carta);
    p.drawPath(f);
    p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
    p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void Spunta(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colore, double spessore = 2.5) {
    p.setPen(Penna(colore, spessore));
    p.setBrush(Qt::NoBrush);
    QPainterPath s;
    s.moveTo(a);
    s.lineTo(b);
    s.lineTo(c);
    p.drawPath(s);
}

void Triangolo(QPainter& p, QPointF a, QPointF b, QPointF c, const QColor& colore) {
    p.setPen(Penna(colore, 1));
    p.setBrush(colore);
    p.drawPolygon(QPolygonF({a, b, c}));
}

void Testo(QPainter& p, QRectF r, const QString& t, const QColor& colore, int pixel, bool grassetto = true) {
    QFont f;
    f.setPixelSize(pixel);
    f.setBold(grassetto);
    p.setFont(f);
    p.setPen(colore);
    p.drawText(r, Qt::AlignCenter, t);
}

// A curved arrow pointing left, from the right end to the left head.
void FrecciaIndietro(QPainter& p, double dx, const QColor& colore) {
    p.setPen(Penna(colore, 2.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath a;
    a.moveTo(dx + 18, 18);
    a.cubicTo(dx + 18, 9, dx + 12, 8, dx + 6, 9);
    p.drawPath(a);
    Triangolo(p, QPointF(dx + 2, 9), QPointF(dx + 8, 4.5), QPointF(dx + 8, 13.5), colore);
}

void Disegna(QPainter& p, const std::string& chiave) {
    if (chiave == "Nuovo") {
        Tabellone(p, QRectF(2, 5, 15, 15));
        p.setPen(Penna(Verde, 3));
        p.drawLine(QPointF(18, 2), QPointF(18, 11));
        p.drawLine(QPointF(13.5, 6.5), QPointF(22.5, 6.5));
    } else if (chiave == "Aiutino" || chiave == "Aiuto") {
        // A light bulb; the stronger hint has it lit with rays.
        const bool forte = chiave == "Aiuto";
        if (forte) {
            p.setPen(Penna(Giallo.darker(130), 1.5));
            p.drawLine(QPointF(12, 0.5), QPointF(12, 2.5));
            p.drawLine(QPointF(3, 4), QPointF(4.8, 5.6));
            p.drawLine(QPointF(21, 4), QPointF(19.2, 5.6));
            p.drawLine(QPointF(1, 11), QPointF(3, 11));
            p.drawLine(QPointF(21, 11), QPointF(23, 11));
        }
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(forte ? Giallo : QColor(255, 245, 200));
        QPainterPath bulbo;
        bulbo.moveTo(9, 17);
        bulbo.cubicTo(9, 14, 5, 13, 5, 9.5);
        bulbo.cubicTo(5, 5.5, 8, 3.5, 12, 3.5);
        bulbo.cubicTo(16, 3.5, 19, 5.5, 19, 9.5);
        bulbo.cubicTo(19, 13, 15, 14, 15, 17);
        bulbo.closeSubpath();
        p.drawPath(bulbo);
        p.setBrush(Grigio);
        p.drawRect(QRectF(9, 17, 6, 4));
        p.drawLine(QPointF(9, 19), QPointF(15, 19));
    } else if (chiave == "SingoloStep") {
        // One step forward: a play mark against a bar.
        Triangolo(p, QPointF(5, 4), QPointF(16, 12), QPointF(5, 20), Blu);
        p.setPen(Qt::NoPen);
        p.setBrush(Blu);
        p.drawRect(QRectF(17, 4, 3, 16));
    } else if (chiave == "Risolvi") {
        Tabellone(p, QRectF(2, 2, 18, 18));
        Spunta(p, QPointF(9, 14), QPointF(14, 20), QPointF(23, 7), Verde, 3);
    } else if (chiave == "Mostra") {
        // The reasoning list: numbered lines.
        Foglio(p, QRectF(3, 2, 18, 20));
        for (int i = 0; i < 4; ++i) {
            const double y = 7 + i * 4;
            p.setPen(Penna(Blu, 1.6));
            p.drawPoint(QPointF(7, y));
            p.setPen(Penna(Inchiostro, 1.2));
            p.drawLine(QPointF(9.5, y), QPointF(17.5, y));
        }
    } else if (chiave == "Analisi") {
        // A magnifying glass.
        p.setPen(Penna(Inchiostro, 2));
        p.setBrush(QColor(200, 225, 255));
        p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        p.setPen(Penna(QColor(120, 80, 40), 3.5));
        p.drawLine(QPointF(15, 15), QPointF(21.5, 21.5));
    } else if (chiave == "Copia") {
        Foglio(p, QRectF(3, 2, 12, 15));
        Foglio(p, QRectF(9, 7, 12, 15));
    } else if (chiave == "Incolla") {
        // A clipboard with a sheet on it.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(QColor(190, 140, 80));
        p.drawRoundedRect(QRectF(3, 4, 15, 18), 1.5, 1.5);
        p.setBrush(Grigio);
        p.drawRect(QRectF(7, 2, 7, 4));
        Foglio(p, QRectF(10, 9, 11, 13));
    } else if (chiave == "Undo") {
        FrecciaIndietro(p, 1, Blu);
    } else if (chiave == "UndoAll") {
        // Back to the start: a bar and two heads pointing left.
        p.setPen(Qt::NoPen);
        p.setBrush(Rosso);
        p.drawRect(QRectF(2, 5, 3, 14));
        Triangolo(p, QPointF(6, 12), QPointF(14, 5), QPointF(14, 19), Rosso);
        Triangolo(p, QPointF(13, 12), QPointF(21, 5), QPointF(21, 19), Rosso);
    } else if (chiave == "Validi") {
        // A cell holding its small candidate digits.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(Carta);
        p.drawRect(QRectF(2, 2, 20, 20));
        int cifra = 1;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c, ++cifra)
                if (cifra % 2 == 1)
                    Testo(p, QRectF(3 + c * 6, 3 + r * 6, 6, 6), QString::number(cifra), Blu, 6);
    } else if (chiave == "Schema") {
        Tabellone(p, QRectF(2, 2, 20, 20));
        Testo(p, QRectF(2, 2, 6.67, 6.67), QStringLiteral("5"), Inchiostro, 6);
        Testo(p, QRectF(8.67, 8.67, 6.67, 6.67), QStringLiteral("3"), Inchiostro, 6);
        Testo(p, QRectF(15.33, 15.33, 6.67, 6.67), QStringLiteral("8"), Inchiostro, 6);
    } else if (chiave == "Stampa") {
        // A printer with a sheet coming out.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(Carta);
        p.drawRect(QRectF(7, 2, 10, 7));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(2, 8, 20, 9), 2, 2);
        p.setBrush(Carta);
        p.drawRect(QRectF(6, 14, 12, 8));
        p.setPen(Penna(Grigio, 1));
        p.drawLine(QPointF(8, 17), QPointF(16, 17));
        p.drawLine(QPointF(8, 19.5), QPointF(16, 19.5));
        p.setPen(Penna(Verde, 2));
        p.drawPoint(QPointF(19, 11));
    } else if (chiave == "Uscita") {
        // An open door and an arrow going out.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(QColor(140, 90, 50));
        p.drawRect(QRectF(3, 2, 10, 20));
        p.setBrush(Inchiostro);
        p.drawEllipse(QPointF(11, 12), 0.9, 0.9);
        p.setPen(Penna(Rosso, 2.5));
        p.drawLine(QPointF(13, 12), QPointF(20, 12));
        Triangolo(p, QPointF(23, 12), QPointF(18, 7.5), QPointF(18, 16.5), Rosso);
    } else if (chiave == "Fine") {
        // A green tick in a box: the composition is finished.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(QColor(225, 245, 225));
        p.drawRoundedRect(QRectF(2, 2, 20, 20), 3, 3);
        Spunta(p, QPointF(6, 12), QPointF(10, 17), QPointF(18, 6), Verde, 3);
    } else if (chiave == "Applica") {
        // An arrow into a cell.
        p.setPen(Penna(Inchiostro, 1.2));
        p.setBrush(Carta);
        p.drawRect(QRectF(11, 5, 11, 14));
        p.setPen(Penna(Blu, 2.5));
        p.drawLine(QPointF(2, 12), QPointF(12, 12));
        Triangolo(p, QPointF(17, 12), QPointF(11, 7), QPointF(11, 17), Blu);
    } else if (chiave == "Accetta") {
        // A tick in a green disc.
        p.setPen(Penna(Verde.darker(130), 1.2));
        p.setBrush(Verde);
        p.drawEllipse(QPointF(12, 12), 10, 10);
        Spunta(p, QPointF(7, 12.5), QPointF(10.5, 16.5), QPointF(17, 8), Carta, 2.8);
    }
}

}  // namespace

const std::vector<std::string>& ChiaviIcone() {
    static const std::vector<std::string> chiavi = {
        "Nuovo", "Aiutino", "Aiuto",  "SingoloStep", "Risolvi", "Mostra", "Analisi", "Copia",  "Incolla",
        "UndoAll", "Undo",  "Validi", "Schema",      "Stampa",  "Uscita", "Fine",    "Applica", "Accetta"};
    return chiavi;
}

void RiempiIcone(ImageList& lista, int lato) {
    for (const std::string& chiave : ChiaviIcone()) {
        QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
        immagine.fill(Qt::transparent);
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(lato / 24.0, lato / 24.0);
        Disegna(p, chiave);
        p.end();
        lista.Add(chiave, QPixmap::fromImage(immagine));
    }
}

}  // namespace kenvaron::plat
