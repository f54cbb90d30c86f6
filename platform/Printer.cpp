#include "platform/Printer.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "platform/Colors.h"
#include "platform/Grid.h"

namespace kenvaron::plat {

Printer& Printer::Instance() {
    // Never destroyed: the printer must not outlive the application object.
    static Printer* stampante = new Printer;
    return *stampante;
}

Printer::Printer() : stampante_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {}

Printer::~Printer() = default;

void Printer::SetPdfOutput(const std::string& percorso) {
    if (percorso.empty()) {
        stampante_->setOutputFileName(QString());
        stampante_->setOutputFormat(QPrinter::NativeFormat);
    } else {
        stampante_->setOutputFormat(QPrinter::PdfFormat);
        stampante_->setOutputFileName(QString::fromStdString(percorso));
    }
}

double Printer::Scala() const { return stampante_->resolution() / 1440.0; }

QPainter* Printer::Pittore() {
    if (pittore_ != nullptr) return pittore_.get();
    if (fallito_) return nullptr;
    auto p = std::make_unique<QPainter>();
    if (!p->begin(stampante_.get())) {
        fallito_ = true;
        errore_ = "Stampante non disponibile";
        return nullptr;
    }
    errore_.clear();
    pittore_ = std::move(p);
    return pittore_.get();
}

void Printer::ApplicaFont() {
    QFont f(QString::fromStdString(font_));
    f.setPointSizeF(punti_ > 0 ? punti_ : 1);
    f.setBold(grassetto_);
    if (pittore_ != nullptr) pittore_->setFont(f);
}

double Printer::TextHeight(const std::string& testo) {
    (void)testo;
    QFont f(QString::fromStdString(font_));
    f.setPointSizeF(punti_ > 0 ? punti_ : 1);
    f.setBold(grassetto_);
    return QFontMetricsF(f, stampante_.get()).lineSpacing() / Scala();
}

double Printer::TextWidth(const std::string& testo) {
    QFont f(QString::fromStdString(font_));
    f.setPointSizeF(punti_ > 0 ? punti_ : 1);
    f.setBold(grassetto_);
    return QFontMetricsF(f, stampante_.get()).horizontalAdvance(QString::fromStdString(testo)) /
           Scala();
}

void Printer::Print(const std::string& riga) {
    const double altezza = TextHeight(riga);
    if (y_ > 0 && y_ + altezza > ScaleHeight()) {
        NewPage();
        y_ = 0;
    }
    if (QPainter* p = Pittore()) {
        ApplicaFont();
        p->setPen(Qt::black);
        const double s = Scala();
        const QFontMetricsF m(p->font(), stampante_.get());
        p->drawText(QPointF(x_ * s, y_ * s + m.ascent()), QString::fromStdString(riga));
    }
    x_ = 0;
    y_ += altezza;
}

void Printer::Line(double x1, double y1, double x2, double y2, long colore) {
    if (QPainter* p = Pittore()) {
        const double s = Scala();
        p->setPen(QPen(ColoreQt(colore), spessore_ * s));
        p->drawLine(QPointF(x1 * s, y1 * s), QPointF(x2 * s, y2 * s));
    }
    x_ = x2;
    y_ = y2;
}

void Printer::Box(double x1, double y1, double x2, double y2, long colore, bool pieno) {
    if (QPainter* p = Pittore()) {
        const double s = Scala();
        const QRectF r(QPointF(x1 * s, y1 * s), QPointF(x2 * s, y2 * s));
        if (pieno) {
            p->fillRect(r.normalized(), ColoreQt(colore));
        } else {
            p->setPen(QPen(ColoreQt(colore), spessore_ * s));
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.normalized());
        }
    }
    x_ = x2;
    y_ = y2;
}

void Printer::PrintGrid(const Grid& griglia, double x, double y) {
    if (QPainter* p = Pittore()) {
        const double s = Scala();
        p->save();
        griglia.Disegna(*p, QPointF(x * s, y * s), s);
        p->restore();
    }
}

void Printer::PaintPicture(const QImage& immagine, double x, double y, double larghezza, double altezza) {
    if (QPainter* p = Pittore()) {
        const double s = Scala();
        p->drawImage(QRectF(x * s, y * s, larghezza * s, altezza * s), immagine);
    }
}

void Printer::NewPage() {
    if (QPainter* p = Pittore()) {
        (void)p;
        stampante_->newPage();
    }
    ++pagina_;
    x_ = 0;
    y_ = 0;
}

void Printer::EndDoc() {
    if (pittore_ != nullptr) pittore_->end();
    pittore_.reset();
    fallito_ = false;
    x_ = 0;
    y_ = 0;
    pagina_ = 1;
}

void Printer::KillDoc() {
    if (pittore_ != nullptr) stampante_->abort();
    EndDoc();
}

double Printer::ScaleWidth() const { return stampante_->pageRect(QPrinter::DevicePixel).width() / Scala(); }
double Printer::ScaleHeight() const {
    return stampante_->pageRect(QPrinter::DevicePixel).height() / Scala();
}

}  // namespace kenvaron::plat
