#include "platform/Grid.h"

#include <QFontMetricsF>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "platform/Units.h"

namespace kenvaron::plat {

namespace {

constexpr int Bordo = Grid::BordoPixel;
constexpr int AltezzaPredefinita = 240;
constexpr int LarghezzaPredefinita = 960;

int PulsanteVb(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

int MaiuscoleVb(Qt::KeyboardModifiers m) {
    int s = 0;
    if (m & Qt::ShiftModifier) s |= vbShiftMask;
    if (m & Qt::ControlModifier) s |= vbCtrlMask;
    if (m & Qt::AltModifier) s |= vbAltMask;
    return s;
}

}  // namespace

// The widget of the grid: paints the cells, holds the scroll bars, reports the mouse.
class GridView : public QWidget {
public:
    explicit GridView(Grid* g) : g_(g) {
        setMouseTracking(true);
        verticale_ = new QScrollBar(Qt::Vertical, this);
        orizzontale_ = new QScrollBar(Qt::Horizontal, this);
        verticale_->hide();
        orizzontale_->hide();
        QObject::connect(verticale_, &QScrollBar::valueChanged, [this](int v) {
            if (g_->rigaInCima_ == v) return;
            g_->rigaInCima_ = v;
            if (g_->ridisegna_) update();
        });
        QObject::connect(orizzontale_, &QScrollBar::valueChanged, [this](int v) {
            if (g_->colonnaASinistra_ == v) return;
            g_->colonnaASinistra_ = v;
            if (g_->ridisegna_) update();
        });
    }

    // Places the scroll bars and fits the first row and column shown to the room there is.
    void Disponi() {
        if (!pronto) return;
        const int barra = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const QRect interno = rect().adjusted(Bordo, Bordo, -Bordo, -Bordo);
        const auto somma = [](const std::vector<int>& v, int da) {
            long long s = 0;
            for (std::size_t i = static_cast<std::size_t>(da); i < v.size(); ++i) s += v[i];
            return s;
        };
        const long long alto = somma(g_->altezze_, 0), largo = somma(g_->larghezze_, 0);
        bool serveV = false, serveO = false;
        for (int giro = 0; giro < 2; ++giro) {
            const int l = interno.width() - (serveV ? barra : 0);
            const int a = interno.height() - (serveO ? barra : 0);
            serveV = (g_->barre_ & flexScrollBarVertical) && alto > static_cast<long long>(a) * TwipPerPixel;
            serveO = (g_->barre_ & flexScrollBarHorizontal) && largo > static_cast<long long>(l) * TwipPerPixel;
        }
        area_ = interno.adjusted(0, 0, serveV ? -barra : 0, serveO ? -barra : 0);
        const auto fisso = [](const std::vector<int>& v, int n) {
            long long s = 0;
            for (int i = 0; i < n && i < static_cast<int>(v.size()); ++i) s += v[static_cast<std::size_t>(i)];
            return s;
        };
        const int spazioV = std::max(0, area_.height() * TwipPerPixel - static_cast<int>(fisso(g_->altezze_, g_->righeFisse_)));
        const int spazioO = std::max(0, area_.width() * TwipPerPixel - static_cast<int>(fisso(g_->larghezze_, g_->colonneFisse_)));
        massimaRiga_ = g_->UltimaInCima(g_->altezze_, g_->righeFisse_, spazioV);
        massimaColonna_ = g_->UltimaInCima(g_->larghezze_, g_->colonneFisse_, spazioO);
        g_->rigaInCima_ = std::clamp(g_->rigaInCima_, g_->righeFisse_, massimaRiga_);
        g_->colonnaASinistra_ = std::clamp(g_->colonnaASinistra_, g_->colonneFisse_, massimaColonna_);
        {
            const QSignalBlocker b1(verticale_), b2(orizzontale_);
            verticale_->setRange(g_->righeFisse_, massimaRiga_);
            verticale_->setValue(g_->rigaInCima_);
            orizzontale_->setRange(g_->colonneFisse_, massimaColonna_);
            orizzontale_->setValue(g_->colonnaASinistra_);
        }
        verticale_->setGeometry(area_.right() + 1, area_.top(), barra, area_.height());
        orizzontale_->setGeometry(area_.left(), area_.bottom() + 1, area_.width(), barra);
        verticale_->setVisible(serveV);
        orizzontale_->setVisible(serveO);
    }

    // False until the grid's own members exist.
    bool pronto = false;

    int MassimaRiga() const { return massimaRiga_; }
    int MassimaColonna() const { return massimaColonna_; }

    // The cell under a point of the widget (-1 when none).
    void CellaIn(QPoint punto, int& riga, int& colonna) const {
        const double scala = 1.0 / TwipPerPixel;
        riga = Cerca(Grid::Strisce(g_->altezze_, g_->righeFisse_, g_->rigaInCima_, area_.top(),
                                   area_.bottom() + 1, scala, true),
                     punto.y());
        colonna = Cerca(Grid::Strisce(g_->larghezze_, g_->colonneFisse_, g_->colonnaASinistra_,
                                      area_.left(), area_.right() + 1, scala, true),
                        punto.x());
        if (!area_.contains(punto)) riga = colonna = -1;
    }

protected:
    void resizeEvent(QResizeEvent*) override { Disponi(); }

    void paintEvent(QPaintEvent*) override {
        const qreal dpr = devicePixelRatioF();
        if (g_->ridisegna_ || memoria_.isNull() || memoria_.size() != size() * dpr) {
            if (g_->sporco_) {
                Disponi();
                g_->sporco_ = false;
            }
            memoria_ = QPixmap(size() * dpr);
            memoria_.setDevicePixelRatio(dpr);
            QPainter p(&memoria_);
            Dipingi(p);
        }
        QPainter(this).drawPixmap(0, 0, memoria_);
    }

    void mousePressEvent(QMouseEvent* e) override {
        AggiornaMouse(e->position().toPoint());
        const int b = PulsanteVb(e->button());
        if (b == vbLeftButton && g_->rigaMouse_ >= g_->righeFisse_ && g_->colonnaMouse_ >= g_->colonneFisse_) {
            g_->SetRow(g_->rigaMouse_);
            g_->SetCol(g_->colonnaMouse_);
        }
        premuto_ = b;
        if (g_->MouseDown)
            g_->MouseDown(b, MaiuscoleVb(e->modifiers()), static_cast<float>(e->position().x() * TwipPerPixel),
                          static_cast<float>(e->position().y() * TwipPerPixel));
    }

    void mouseReleaseEvent(QMouseEvent* e) override {
        AggiornaMouse(e->position().toPoint());
        const int b = PulsanteVb(e->button());
        const bool clic = b == premuto_ && (b == vbLeftButton || b == vbRightButton);
        premuto_ = 0;
        if (g_->MouseUp)
            g_->MouseUp(b, MaiuscoleVb(e->modifiers()), static_cast<float>(e->position().x() * TwipPerPixel),
                        static_cast<float>(e->position().y() * TwipPerPixel));
        if (clic && g_->Click) g_->Click();
    }

    void mouseMoveEvent(QMouseEvent* e) override { AggiornaMouse(e->position().toPoint()); }

    void wheelEvent(QWheelEvent* e) override {
        if (!verticale_->isVisible()) return;
        verticale_->setValue(verticale_->value() - e->angleDelta().y() / 120 * 3);
    }

private:
    static int Cerca(const std::vector<Grid::Striscia>& strisce, int posizione) {
        for (const auto& s : strisce)
            if (s.fine > s.inizio && posizione >= s.inizio && posizione < s.fine) return s.indice;
        return -1;
    }

    void AggiornaMouse(QPoint punto) { CellaIn(punto, g_->rigaMouse_, g_->colonnaMouse_); }

    void Dipingi(QPainter& p) {
        p.fillRect(rect(), ColoreQt(g_->sfondoVuoto_));
        const double scala = 1.0 / TwipPerPixel;
        const auto righe = Grid::Strisce(g_->altezze_, g_->righeFisse_, g_->rigaInCima_, area_.top(),
                                         area_.bottom() + 1, scala, true);
        const auto colonne = Grid::Strisce(g_->larghezze_, g_->colonneFisse_, g_->colonnaASinistra_,
                                           area_.left(), area_.right() + 1, scala, true);
        p.save();
        p.setClipRect(area_);
        const Grid::Evidenza evidenza{std::min(g_->riga_, g_->rigaSel_), std::max(g_->riga_, g_->rigaSel_),
                                      palette().color(QPalette::Highlight),
                                      palette().color(QPalette::HighlightedText)};
        g_->DisegnaStrisce(p, righe, colonne, scala, g_->evidenzia_ ? &evidenza : nullptr);
        p.restore();
        // The sunken border.
        const QRect r = rect();
        p.setPen(QColor(128, 128, 128));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(QColor(255, 255, 255));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        const QRect d = r.adjusted(1, 1, -1, -1);
        p.setPen(QColor(64, 64, 64));
        p.drawLine(d.topLeft(), d.topRight());
        p.drawLine(d.topLeft(), d.bottomLeft());
        p.setPen(QColor(212, 208, 200));
        p.drawLine(d.bottomLeft(), d.bottomRight());
        p.drawLine(d.topRight(), d.bottomRight());
    }

    Grid* g_;
    QScrollBar* verticale_;
    QScrollBar* orizzontale_;
    QRect area_;
    QPixmap memoria_;
    int massimaRiga_ = 1;
    int massimaColonna_ = 1;
    int premuto_ = 0;
};

Grid::Grid(Container& c) : Control(c, new GridView(this)) {
    vista_ = static_cast<GridView*>(Widget());
    vista_->pronto = true;
    Ridimensiona(2, 2);
    vista_->resize(Px(2 * LarghezzaPredefinita), Px(4 * AltezzaPredefinita));
}

Grid::~Grid() = default;

// ---- Shape

void Grid::Ridimensiona(int righe, int colonne) {
    righe = std::max(0, righe);
    colonne = std::max(0, colonne);
    if (colonne == colonne_ && static_cast<int>(celle_.size()) == righe_ * colonne_) {
        celle_.resize(static_cast<std::size_t>(righe) * static_cast<std::size_t>(colonne));
    } else {
        std::vector<Cella> nuove(static_cast<std::size_t>(righe) * static_cast<std::size_t>(colonne));
        for (int r = 0; r < std::min(righe, righe_); ++r)
            for (int c = 0; c < std::min(colonne, colonne_); ++c)
                nuove[static_cast<std::size_t>(r * colonne + c)] =
                    std::move(celle_[static_cast<std::size_t>(r * colonne_ + c)]);
        celle_ = std::move(nuove);
    }
    righe_ = righe;
    colonne_ = colonne;
    altezze_.resize(static_cast<std::size_t>(righe), AltezzaPredefinita);
    larghezze_.resize(static_cast<std::size_t>(colonne), LarghezzaPredefinita);
    righeFisse_ = std::min(righeFisse_, righe_);
    colonneFisse_ = std::min(colonneFisse_, colonne_);
    riga_ = std::min(riga_, std::max(0, righe_ - 1));
    colonna_ = std::min(colonna_, std::max(0, colonne_ - 1));
    rigaSel_ = std::min(rigaSel_, std::max(0, righe_ - 1));
    colonnaSel_ = std::min(colonnaSel_, std::max(0, colonne_ - 1));
    Aggiorna();
}

void Grid::SetRows(int n) { Ridimensiona(n, colonne_); }
void Grid::SetCols(int n) { Ridimensiona(righe_, n); }

void Grid::SetFixedRows(int n) {
    righeFisse_ = std::clamp(n, 0, righe_);
    Aggiorna();
}

void Grid::SetFixedCols(int n) {
    colonneFisse_ = std::clamp(n, 0, colonne_);
    Aggiorna();
}

int Grid::RowHeight(int riga) const {
    return riga >= 0 && riga < righe_ ? altezze_[static_cast<std::size_t>(riga)] : 0;
}

void Grid::SetRowHeight(int riga, int twip) {
    if (riga < 0 || riga >= righe_) return;
    altezze_[static_cast<std::size_t>(riga)] = std::max(0, twip);
    Aggiorna();
}

int Grid::ColWidth(int colonna) const {
    return colonna >= 0 && colonna < colonne_ ? larghezze_[static_cast<std::size_t>(colonna)] : 0;
}

void Grid::SetColWidth(int colonna, int twip) {
    if (colonna < 0 || colonna >= colonne_) return;
    larghezze_[static_cast<std::size_t>(colonna)] = std::max(0, twip);
    Aggiorna();
}

// ---- Current cell and scrolling

void Grid::SetRow(int riga) {
    if (riga < 0 || riga >= righe_) return;
    riga_ = rigaSel_ = riga;
    if (evidenzia_ && ridisegna_) vista_->update();
}

void Grid::SetCol(int colonna) {
    if (colonna < 0 || colonna >= colonne_) return;
    colonna_ = colonnaSel_ = colonna;
}

void Grid::SetRowSel(int riga) {
    if (riga < 0 || riga >= righe_) return;
    rigaSel_ = riga;
    if (evidenzia_ && ridisegna_) vista_->update();
}

void Grid::SetHighLight(bool evidenzia) {
    evidenzia_ = evidenzia;
    if (ridisegna_) vista_->update();
}

void Grid::SetColSel(int colonna) {
    if (colonna >= 0 && colonna < colonne_) colonnaSel_ = colonna;
}

void Grid::SetTopRow(int riga) {
    vista_->Disponi();
    rigaInCima_ = std::clamp(riga, righeFisse_, vista_->MassimaRiga());
    vista_->Disponi();
    if (ridisegna_) vista_->update();
}

void Grid::SetLeftCol(int colonna) {
    vista_->Disponi();
    colonnaASinistra_ = std::clamp(colonna, colonneFisse_, vista_->MassimaColonna());
    vista_->Disponi();
    if (ridisegna_) vista_->update();
}

void Grid::SetScrollBars(int barre) {
    barre_ = barre;
    Aggiorna();
}

int Grid::UltimaInCima(const std::vector<int>& misure, int fisse, int spazioTwip) const {
    const int n = static_cast<int>(misure.size());
    long long occupato = 0;
    int m = n;
    while (m - 1 >= fisse && occupato + misure[static_cast<std::size_t>(m - 1)] <= spazioTwip)
        occupato += misure[static_cast<std::size_t>(--m)];
    return std::clamp(m, fisse, std::max(fisse, n - 1));
}

// ---- Text and cell properties

Grid::Cella* Grid::CellaIn(int riga, int colonna) {
    if (riga < 0 || riga >= righe_ || colonna < 0 || colonna >= colonne_) return nullptr;
    return &celle_[static_cast<std::size_t>(riga * colonne_ + colonna)];
}

const Grid::Cella* Grid::CellaIn(int riga, int colonna) const {
    return const_cast<Grid*>(this)->CellaIn(riga, colonna);
}

Grid::Cella* Grid::CellaCorrente() { return CellaIn(riga_, colonna_); }
const Grid::Cella* Grid::CellaCorrente() const { return CellaIn(riga_, colonna_); }

std::string Grid::Text() const { return TextMatrix(riga_, colonna_); }
void Grid::SetText(const std::string& testo) { SetTextMatrix(riga_, colonna_, testo); }

std::string Grid::TextMatrix(int riga, int colonna) const {
    const Cella* c = CellaIn(riga, colonna);
    return c != nullptr ? c->testo : std::string();
}

void Grid::SetTextMatrix(int riga, int colonna, const std::string& testo) {
    Modifica([&](Cella& c) { c.testo = testo; }, riga, colonna);
}

long Grid::CellBackColor() const {
    const Cella* c = CellaCorrente();
    return c != nullptr ? c->sfondo : 0;
}

void Grid::SetCellBackColor(long colore) {
    Modifica([&](Cella& c) { c.sfondo = colore; });
}

long Grid::CellForeColor() const {
    const Cella* c = CellaCorrente();
    return c != nullptr ? c->inchiostro : 0;
}

void Grid::SetCellForeColor(long colore) {
    Modifica([&](Cella& c) { c.inchiostro = colore; });
}

double Grid::CellFontSize() const {
    const Cella* c = CellaCorrente();
    return c != nullptr && c->punti > 0 ? c->punti : punti_;
}

void Grid::SetCellFontSize(double punti) {
    Modifica([&](Cella& c) { c.punti = std::max(0.0, punti); });
}

std::string Grid::CellFontName() const {
    const Cella* c = CellaCorrente();
    return c != nullptr && c->carattere >= 0 ? caratteri_[static_cast<std::size_t>(c->carattere)] : font_;
}

void Grid::SetCellFontName(const std::string& nome) {
    signed char indice = -1;
    if (!nome.empty()) {
        auto i = std::find(caratteri_.begin(), caratteri_.end(), nome);
        if (i == caratteri_.end()) {
            if (caratteri_.size() >= 127) return;
            i = caratteri_.insert(caratteri_.end(), nome);
        }
        indice = static_cast<signed char>(i - caratteri_.begin());
    }
    Modifica([&](Cella& c) { c.carattere = indice; });
}

bool Grid::CellFontBold() const {
    const Cella* c = CellaCorrente();
    return c != nullptr && c->grassetto >= 0 ? c->grassetto == 1 : grassetto_;
}

void Grid::SetCellFontBold(bool grassetto) {
    Modifica([&](Cella& c) { c.grassetto = grassetto ? 1 : 0; });
}

QFont Grid::CellFont() const {
    const Cella* c = CellaCorrente();
    return CarattereDi(c != nullptr ? *c : Cella{}, 1.0 / TwipPerPixel);
}

QFont Grid::CarattereDi(const Cella& cella, double scala) const {
    QFont f(QString::fromStdString(cella.carattere >= 0 ? caratteri_[static_cast<std::size_t>(cella.carattere)]
                                                        : font_));
    const double punti = cella.punti > 0 ? cella.punti : punti_;
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(punti * 20.0 * scala))));
    f.setBold(cella.grassetto >= 0 ? cella.grassetto == 1 : grassetto_);
    return f;
}

int Grid::CellAlignment() const {
    const Cella* c = CellaCorrente();
    return c != nullptr && c->allineamento >= 0 ? c->allineamento : flexAlignGeneral;
}

void Grid::SetCellAlignment(int allineamento) {
    if (allineamento < 0 || allineamento > flexAlignGeneral) return;
    Modifica([&](Cella& c) { c.allineamento = static_cast<signed char>(allineamento); });
}

// ---- Drawing

void Grid::SetRedraw(bool ridisegna) {
    ridisegna_ = ridisegna;
    if (ridisegna) {
        vista_->Disponi();
        sporco_ = false;
        vista_->update();
    }
}

void Grid::Ridipingi() { vista_->update(); }

void Grid::Refresh() {
    if (sporco_) {
        vista_->Disponi();
        sporco_ = false;
    }
    vista_->repaint();
}

void Grid::Aggiorna() {
    if (!ridisegna_) {
        sporco_ = true;
        return;
    }
    vista_->Disponi();
    vista_->update();
}

void Grid::SetGridBackColor(long colore) { sfondo_ = colore; Aggiorna(); }
void Grid::SetGridForeColor(long colore) { inchiostro_ = colore; Aggiorna(); }
void Grid::SetBackColorFixed(long colore) { sfondoFisso_ = colore; Aggiorna(); }
void Grid::SetBackColorBkg(long colore) { sfondoVuoto_ = colore; Aggiorna(); }
void Grid::SetGridColor(long colore) { colorLinee_ = colore; Aggiorna(); }
void Grid::SetGridLines(int tipo) { linee_ = tipo; Aggiorna(); }

void Grid::SetGridFont(const std::string& nome, double punti, bool grassetto) {
    font_ = nome;
    punti_ = punti;
    grassetto_ = grassetto;
    Aggiorna();
}

QImage Grid::Picture() const {
    if (sporco_) {
        vista_->Disponi();
        sporco_ = false;
    }
    QImage immagine(vista_->size(), QImage::Format_ARGB32);
    immagine.fill(Qt::white);
    vista_->render(&immagine);
    return immagine;
}

std::vector<Grid::Striscia> Grid::Strisce(const std::vector<int>& misure, int fisse, int prima,
                                          double origine, double limite, double scala, bool interi) {
    const auto bordo = [&](long long twip) {
        const double v = static_cast<double>(twip) * scala;
        return interi ? std::round(v) : v;
    };
    std::vector<Striscia> strisce;
    const int n = static_cast<int>(misure.size());
    long long somma = 0;
    for (int i = 0; i < fisse && i < n; ++i) {
        const double inizio = origine + bordo(somma);
        somma += misure[static_cast<std::size_t>(i)];
        if (inizio >= limite) return strisce;
        strisce.push_back({i, inizio, origine + bordo(somma)});
    }
    const double base = origine + bordo(somma);
    somma = 0;
    for (int i = std::max(prima, fisse); i < n; ++i) {
        const double inizio = base + bordo(somma);
        somma += misure[static_cast<std::size_t>(i)];
        if (inizio >= limite) break;
        strisce.push_back({i, inizio, base + bordo(somma)});
    }
    return strisce;
}

void Grid::DisegnaStrisce(QPainter& p, const std::vector<Striscia>& righe,
                          const std::vector<Striscia>& colonne, double scala, const Evidenza* evidenza) const {
    const double linea = TwipPerPixel * scala;  // one screen pixel
    for (const auto& r : righe) {
        if (r.fine <= r.inizio) continue;
        for (const auto& c : colonne) {
            if (c.fine <= c.inizio) continue;
            const Cella& cella = celle_[static_cast<std::size_t>(r.indice * colonne_ + c.indice)];
            const bool fissa = r.indice < righeFisse_ || c.indice < colonneFisse_;
            const bool marcata = evidenza != nullptr && !fissa && cella.sfondo == 0 && r.indice >= evidenza->da &&
                                 r.indice <= evidenza->a;
            const QRectF rett(c.inizio, r.inizio, c.fine - c.inizio, r.fine - r.inizio);
            p.fillRect(rett, marcata ? evidenza->sfondo
                                     : ColoreQt(cella.sfondo != 0 ? cella.sfondo : fissa ? sfondoFisso_ : sfondo_));
            QRectF testo = rett;
            if (linee_ != 0) {
                const QColor colore = ColoreQt(fissa ? coloreLineeFisse_ : colorLinee_);
                if (rett.width() > linea) {
                    p.fillRect(QRectF(rett.right() - linea, rett.top(), linea, rett.height()), colore);
                    testo.setRight(rett.right() - linea);
                }
                if (rett.height() > linea) {
                    p.fillRect(QRectF(rett.left(), rett.bottom() - linea, rett.width(), linea), colore);
                    testo.setBottom(rett.bottom() - linea);
                }
            }
            if (cella.testo.empty()) continue;
            const QString t = QString::fromStdString(cella.testo);
            int allineamento = cella.allineamento >= 0 ? cella.allineamento : flexAlignGeneral;
            if (allineamento == flexAlignGeneral) {
                bool numero = false;
                t.trimmed().toDouble(&numero);
                allineamento = numero ? flexAlignRightCenter : flexAlignLeftCenter;
            }
            Qt::Alignment a;
            switch (allineamento / 3) {
            case 0: a = Qt::AlignLeft; break;
            case 1: a = Qt::AlignHCenter; break;
            default: a = Qt::AlignRight; break;
            }
            switch (allineamento % 3) {
            case 0: a |= Qt::AlignTop; break;
            case 1: a |= Qt::AlignVCenter; break;
            default: a |= Qt::AlignBottom; break;
            }
            const QFont f = CarattereDi(cella, scala);
            p.save();
            p.setClipRect(rett, Qt::IntersectClip);
            p.setFont(f);
            p.setPen(marcata ? evidenza->testo : ColoreQt(cella.inchiostro != 0 ? cella.inchiostro : inchiostro_));
            QRectF area = testo.adjusted(MargineTesto * scala, 0, -MargineTesto * scala, 0);
            // A text wider than its cell is narrowed to fit rather than cut.
            const double largo = QFontMetricsF(f, p.device()).horizontalAdvance(t);
            if (largo > testo.width() && testo.width() > 0) {
                const double stretta = testo.width() / largo;
                p.translate(testo.left(), 0);
                p.scale(stretta, 1);
                area = QRectF(0, testo.top(), largo, testo.height());
            }
            p.drawText(area, a, t);
            p.restore();
        }
    }
}

void Grid::Disegna(QPainter& p, QPointF origine, double scala) const {
    constexpr double Infinito = 1e12;
    const auto righe = Strisce(altezze_, righeFisse_, righeFisse_, origine.y(), Infinito, scala, false);
    const auto colonne = Strisce(larghezze_, colonneFisse_, colonneFisse_, origine.x(), Infinito, scala, false);
    DisegnaStrisce(p, righe, colonne, scala);
}

}  // namespace kenvaron::plat
