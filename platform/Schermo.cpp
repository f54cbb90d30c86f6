#include "platform/Schermo.h"

#include <QApplication>
#include <QCoreApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

#include "platform/Assestamento.h"

namespace kenvaron::plat {

Rettangolo EntroArea(const Rettangolo& finestra, const Rettangolo& area) {
    Rettangolo r = finestra;
    const int destra = area.left + area.width;
    const int basso = area.top + area.height;
    if (r.left < destra && r.left + r.width > destra) r.width = destra - r.left;
    if (r.top < basso && r.top + r.height > basso) r.height = basso - r.top;
    return r;
}

Rettangolo DentroArea(const Rettangolo& finestra, const Rettangolo& area) {
    Rettangolo r = finestra;
    r.left = std::max(area.left, std::min(r.left, area.left + area.width - r.width));
    r.top = std::max(area.top, std::min(r.top, area.top + area.height - r.height));
    return r;
}

QMargins BordiDi(const QWindow& finestra) {
    const QScreen* schermo = finestra.screen();
    const QMargins bordi = finestra.frameMargins();
    return schermo != nullptr && BordiPlausibili(bordi, schermo->geometry().size()) ? bordi : QMargins();
}

QRect AreaDisponibile(const QScreen& schermo) {
    return AreaIntera(schermo.availableGeometry(), schermo.geometry(), schermo.devicePixelRatio());
}

namespace {

// Moves a window back onto the screen whenever it has grown.
class Rientro : public QObject {
public:
    explicit Rientro(QWidget* finestra) : QObject(finestra), finestra_(finestra) {
        finestra->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* e) override {
        if (oggetto == finestra_ && e->type() == QEvent::Resize && finestra_->isVisible()) Rientra();
        return false;
    }

private:
    void Rientra() {
        const QWindow* w = finestra_->windowHandle();
        const QScreen* schermo = finestra_->screen();
        if (w == nullptr || schermo == nullptr) return;
        const QMargins m = BordiDi(*w);
        const QRect c = w->geometry().marginsAdded(m);
        const QRect a = AreaDisponibile(*schermo);
        QPoint posto = c.topLeft();
        if (c.right() > a.right()) posto.setX(std::max(a.left(), a.right() + 1 - c.width()));
        if (c.bottom() > a.bottom()) posto.setY(std::max(a.top(), a.bottom() + 1 - c.height()));
        if (posto != c.topLeft())
            finestra_->windowHandle()->setGeometry(QRect(posto + QPoint(m.left(), m.top()), w->geometry().size()));
    }

    QWidget* finestra_;
};

}  // namespace

void TieniSulloSchermo(QWidget* finestra) { new Rientro(finestra); }

namespace {

// Every window of the program, forms and dialogs alike, tells the window
// manager a base size of 0x0 as it is shown.  Qt tells a window's base size
// only once a size limit is set on the window after Qt created it, as the
// layout of a window with a menu, a toolbar or a dialog's buttons does as the
// window is shown; until then it tells none at a scale of 1, but on a scaled
// desktop -1x-1 times the scale beside a resize increment of the scale, and
// fluxbox frames such a window, where the program placed it before showing
// it, 65534 server pixels a side (for which Qt then wants gigabytes).
class BaseNulla : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* oggetto, QEvent* e) override {
        if (e->type() == QEvent::Show && oggetto->isWidgetType()) {
            const auto* w = static_cast<QWidget*>(oggetto);
            QWindow* finestra = w->isWindow() ? w->windowHandle() : nullptr;
            if (finestra != nullptr && !finestra->baseSize().isValid()) finestra->setBaseSize(QSize(0, 0));
        }
        return false;
    }
};

void InstallaBaseNulla() {
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new BaseNulla(app));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallaBaseNulla)

namespace {

// The borders a window manager is likeliest to give a new window: those of
// `sopra` once framed, else those of another framed window; none when no
// window is framed.
QMargins BordiProbabili(QWidget* sopra) {
    QWidgetList finestre = QApplication::topLevelWidgets();
    if (sopra != nullptr) finestre.prepend(sopra);
    for (const QWidget* f : finestre) {
        const QWindow* w = f->windowHandle();
        const QMargins bordi = w != nullptr ? BordiDi(*w) : QMargins();
        if (f->isVisible() && !bordi.isNull()) return bordi;
    }
    return {};
}

}  // namespace

void PiazzaSopra(QWidget* finestra, const QWidget* sotto) {
    QWidget* sopra = sotto != nullptr ? sotto->window() : nullptr;
    const QScreen* schermo = sopra != nullptr ? sopra->screen() : finestra->screen();
    if (schermo == nullptr) return;
    const QRect a = AreaDisponibile(*schermo);
    const QRect base = sopra != nullptr ? sopra->geometry() : a;
    const QMargins b = BordiProbabili(sopra);
    const QSize s = finestra->size();
    const Rettangolo cornice{base.x() + (base.width() - s.width()) / 2 - b.left(),
                             base.y() + (base.height() - s.height()) / 2 - b.top(),
                             s.width() + b.left() + b.right(), s.height() + b.top() + b.bottom()};
    const Rettangolo r = DentroArea(cornice, {a.x(), a.y(), a.width(), a.height()});
    // Before Qt creates the window, its point is the frame's.
    finestra->move(r.left, r.top);
}

}  // namespace kenvaron::plat
