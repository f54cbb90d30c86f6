#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Units.h"

namespace kenvaron::plat {

namespace {

// A window manager that keeps acting on the program's older requests gets
// this many repairs.
constexpr int kRiparazioni = 20;
// The while, in ms, a window manager gets to frame a window where Qt created
// it, once it has shown the window framed elsewhere.
constexpr int kAttesaCornice = 1000;

// The forms shown, oldest first: the last one is the active window.
std::vector<Form*>& Attive() {
    static std::vector<Form*> attive;
    return attive;
}

void TogliDaAttive(Form* f) {
    auto& a = Attive();
    a.erase(std::remove(a.begin(), a.end(), f), a.end());
}

// The character code of a key as the windows give it (0 for keys without one).
int CodiceTasto(const QKeyEvent* k) {
    switch (k->key()) {
    case Qt::Key_Escape: return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    default: break;
    }
    const QString t = k->text();
    if (t.isEmpty() || t.at(0).unicode() < 32) return 0;
    return static_cast<int>(t.at(0).unicode());
}

}  // namespace

namespace {

// Where a window's client area goes for its frame to start at `cornice`: Qt
// places a shown window by its client area, and the frame's borders are told
// afresh here (the widget's own idea of them may be older than the frame).
QRect AreaCliente(const QWindow& finestra, const QPoint& cornice, const QSize& dimensione) {
    const QMargins bordi = finestra.frameMargins();
    return {cornice + QPoint(bordi.left(), bordi.top()), dimensione};
}

// Where the window system shows a window's client area now.  On X the server
// is asked: a window manager may move a frame without telling the client (one
// does as it frames a window), and Qt knows only what it was told.
QRect AreaMostrata(const QWindow& finestra) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return finestra.geometry();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return finestra.geometry();
    xcb_connection_t* c = x11->connection();
    const auto w = static_cast<xcb_window_t>(finestra.winId());
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (g == nullptr) return finestra.geometry();
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, g->root, 0, 0), nullptr);
    const QRect area = t != nullptr ? QRect(t->dst_x, t->dst_y, g->width, g->height) : finestra.geometry();
    std::free(t);
    std::free(g);
    return area;
}

// Asks the window system for that client area.  The request goes through the
// window itself, whose geometry is the one compared with: the widget's may
// differ for a moment, and the widget would then send nothing or only half.
void Colloca(QWidget& w, const QRect& area) { w.windowHandle()->setGeometry(area); }

}  // namespace


// What the window system reports of a form's window: the moves and resizes
// that Qt delivers to the window from the server's configure notices (a
// request of the program's own never reaches the window as an event).
class Spia : public QObject {
public:
    Spia(Form* f, QObject* genitore) : QObject(genitore), form_(f) {}

protected:
    bool eventFilter(QObject* /*oggetto*/, QEvent* e) override {
        if (e->spontaneous() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) form_->Riportato();
        return false;
    }

private:
    Form* form_;
};

// The top-level widget of a form: passes closing, keys and resizing to the form.
class FormWidget : public QWidget {
public:
    explicit FormWidget(Form* f) : form(f) { setAttribute(Qt::WA_DeleteOnClose, false); }
    Form* form;

protected:
    void closeEvent(QCloseEvent* e) override {
        if (form == nullptr || form->CloseRequested())
            e->accept();
        else
            e->ignore();
    }
    void keyPressEvent(QKeyEvent* e) override {
        // Reached only when no control took the key; with key preview the
        // form has seen it already.
        if (form != nullptr && !form->KeyPreview()) {
            const int codice = CodiceTasto(e);
            if (codice != 0 && form->KeyTyped(codice)) return;
        }
        QWidget::keyPressEvent(e);
    }
    void resizeEvent(QResizeEvent* e) override {
        QWidget::resizeEvent(e);
        if (form != nullptr) form->Resized();
    }
    void changeEvent(QEvent* e) override {
        QWidget::changeEvent(e);
        if (form != nullptr && e->type() == QEvent::WindowStateChange) form->Resized();
    }
};

namespace {

// Key preview: every key pressed in a widget of the form goes to the form first.
class FiltroTasti : public QObject {
public:
    explicit FiltroTasti(Form* f) : form_(f) {}

protected:
    bool eventFilter(QObject* oggetto, QEvent* e) override {
        // Every key press is announced by a shortcut check: a new key begins.
        if (e->type() == QEvent::ShortcutOverride) {
            ultimo_ = nullptr;
            passo_ = nullptr;
            return false;
        }
        if (e->type() != QEvent::KeyPress) return false;
        auto* w = qobject_cast<QWidget*>(oggetto);
        if (w == nullptr || w->window() != form_->Widget()) return false;
        // A key that a widget ignores travels on to its parent and passes here
        // again, once per widget.  Only that step is a repeat: a new key event
        // may reuse the address of the last one and go straight to an ancestor.
        const bool passaggio = e == ultimo_ && passo_ != nullptr && w == passo_->parentWidget();
        ultimo_ = e;
        passo_ = w;
        if (passaggio) return false;
        const int codice = CodiceTasto(static_cast<QKeyEvent*>(e));
        return codice != 0 && form_->KeyTyped(codice);
    }

private:
    Form* form_;
    const QEvent* ultimo_ = nullptr;
    // The widget the last key event reached last.
    QPointer<QWidget> passo_;
};

}  // namespace

Form::Form() : w_(new FormWidget(this)) {
    auto* colonna = new QVBoxLayout(w_);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    barre_ = new QVBoxLayout;
    barre_->setContentsMargins(0, 0, 0, 0);
    barre_->setSpacing(0);
    colonna->addLayout(barre_);
    client_ = new QWidget(w_);
    colonna->addWidget(client_, 1);
    stato_ = new QVBoxLayout;
    stato_->setContentsMargins(0, 0, 0, 0);
    stato_->setSpacing(0);
    colonna->addLayout(stato_);
    w_->resize(Px(4800), Px(3600));
    // A window manager that has not put a frame where Qt created the window
    // within this while has put it elsewhere on purpose.
    attesaCornice_ = new QTimer(w_);
    attesaCornice_->setSingleShot(true);
    attesaCornice_->setInterval(kAttesaCornice);
    QObject::connect(attesaCornice_, &QTimer::timeout, w_, [this] {
        if (!pendente_ || !pendenteCreazione_) return;
        pendente_ = false;
        Verifica();
    });
}

Form::~Form() {
    TogliDaAttive(this);
    if (ciclo_ != nullptr) ciclo_->quit();
    if (filtroTasti_ != nullptr) QCoreApplication::instance()->removeEventFilter(filtroTasti_);
    delete filtroTasti_;
    // The controls are members of the derived class and are gone by now.
    w_->form = nullptr;
    delete w_;
}

QWidget* Form::Area() const { return client_; }
QWidget* Form::Widget() const { return w_; }

std::string Form::Caption() const { return w_->windowTitle().toStdString(); }
void Form::SetCaption(const std::string& testo) { w_->setWindowTitle(QString::fromStdString(testo)); }

int Form::Left() const { return Twip(PostoCornice().x()); }
int Form::Top() const { return Twip(PostoCornice().y()); }
int Form::Width() const { return Twip(Dimensione().width()); }
int Form::Height() const { return Twip(Dimensione().height()); }
void Form::SetLeft(int twip) { Sposta({Px(twip), PostoCornice().y()}); }
void Form::SetTop(int twip) { Sposta({PostoCornice().x(), Px(twip)}); }
void Form::SetWidth(int twip) { Ridimensiona(Px(twip), Dimensione().height()); }
void Form::SetHeight(int twip) { Ridimensiona(Dimensione().width(), Px(twip)); }
void Form::Move(int left, int top) { Sposta({Px(left), Px(top)}); }
void Form::Move(int left, int top, int width, int height) {
    Move(left, top);
    Ridimensiona(Px(width), Px(height));
}

QMargins Form::Bordi() const {
    const QWindow* finestra = w_->windowHandle();
    return finestra != nullptr ? finestra->frameMargins() : QMargins();
}

QMargins Form::BordiAttesi() const {
    const QMargins propri = Bordi();
    if (!propri.isNull()) return propri;
    for (const Form* f : Attive()) {
        const QMargins altri = f != this ? f->Bordi() : QMargins();
        if (!altri.isNull()) return altri;
    }
    return {};
}

bool Form::Incorniciata() const { return !Bordi().isNull(); }

bool Form::Normale() const {
    return w_->isVisible() &&
           !(w_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

QPoint Form::PostoAttuale() const {
    const QWindow* finestra = w_->windowHandle();
    if (finestra == nullptr || !w_->isVisible()) return w_->pos();
    const QMargins bordi = finestra->frameMargins();
    return AreaMostrata(*finestra).topLeft() - QPoint(bordi.left(), bordi.top());
}

QPoint Form::PostoCornice() const {
    return attesa_ ? PostoVoluto(BordiAttesi()) : PostoAttuale();
}

QSize Form::Dimensione() const { return attesa_ ? DimensioneVoluta(BordiAttesi()) : w_->size(); }

Rettangolo Form::Cornice(const QPoint& posto, const QSize& dimensione, const QMargins& bordi) const {
    return {posto.x(), posto.y(), dimensione.width() + bordi.left() + bordi.right(),
            dimensione.height() + bordi.top() + bordi.bottom()};
}

QSize Form::DimensioneVoluta(const QMargins& bordi) const {
    const QSize dimensione = richiesta_.expandedTo(w_->minimumSize()).boundedTo(w_->maximumSize());
    const QScreen* schermo = w_->screen();
    if (!tieni_ || schermo == nullptr) return dimensione;
    const QRect a = schermo->availableGeometry();
    const Rettangolo cornice = Cornice(piazzata_ ? posto_ : PostoAttuale(), dimensione, bordi);
    const Rettangolo r = EntroArea(cornice, {a.x(), a.y(), a.width(), a.height()});
    return (dimensione - QSize(cornice.width - r.width, cornice.height - r.height)).expandedTo(w_->minimumSize());
}

QPoint Form::PostoVoluto(const QMargins& bordi) const {
    const QPoint posto = piazzata_ ? posto_ : PostoAttuale();
    const QScreen* schermo = w_->screen();
    if (!rientra_ || schermo == nullptr) return posto;
    const QRect a = schermo->availableGeometry();
    const Rettangolo r =
        DentroArea(Cornice(posto, DimensioneVoluta(bordi), bordi), {a.x(), a.y(), a.width(), a.height()});
    return {r.left, r.top};
}

QRect Form::GeometriaVoluta(const QMargins& bordi) const {
    return {PostoVoluto(bordi) + QPoint(bordi.left(), bordi.top()), DimensioneVoluta(bordi)};
}

void Form::Desiderio() {
    if (attesa_ && !mostrato_) return;
    // A new wish starts from the window as it stands, where it stands.
    attesa_ = true;
    mostrato_ = false;
    richiesta_ = w_->size();
    piazzata_ = tieni_ = rientra_ = false;
    riparazioni_ = 0;
}

void Form::Sposta(const QPoint& cornice) {
    Desiderio();
    posto_ = cornice;
    piazzata_ = true;
    Applica();
}

void Form::Ridimensiona(int larghezza, int altezza) {
    Desiderio();
    richiesta_ = QSize(std::max(1, larghezza), std::max(1, altezza));
    Applica();
}

void Form::KeepOnScreen() {
    Desiderio();
    tieni_ = true;
    Applica();
}

void Form::MoveOnScreen() {
    Desiderio();
    posto_ = PostoVoluto(BordiAttesi());
    piazzata_ = true;
    rientra_ = true;
    Applica();
}

void Form::Applica() {
    QWindow* finestra = w_->windowHandle();
    const bool mostrata = w_->isVisible() && finestra != nullptr;
    const QMargins propri = mostrata ? Bordi() : QMargins();
    const QMargins bordi = propri.isNull() ? BordiAttesi() : propri;
    const QSize dimensione = DimensioneVoluta(bordi);
    const QPoint posto = PostoVoluto(bordi);
    if (!mostrata || !Normale()) {
        // Qt takes the frame's point and the size when it shows the window;
        // a window maximised or minimised gets them as its normal geometry.
        if (piazzata_) w_->move(posto);
        w_->resize(dimensione);
        if (mostrata) FineAssestamento();
        return;
    }
    // The widget takes its size at once, as the form's controls are laid out
    // by it; Qt asks for it with the client area where it stands.
    if (w_->size() != dimensione) {
        w_->resize(dimensione);
        Chiesta(finestra->geometry(), !propri.isNull(), propri.isNull());
    }
    if (!propri.isNull()) {
        // Asked only where the window is not shown so already: a request
        // that changes nothing may still move a frame (a window manager may
        // take it as one to put the client area there, off by its borders).
        const QRect voluta(posto + QPoint(bordi.left(), bordi.top()), dimensione);
        if (piazzata_ && AreaMostrata(*finestra) != voluta) Invia(voluta);
        if (!pendente_) Verifica();
        return;
    }
    // Not framed, yet or ever: the frame's point is asked for as such, which
    // a window manager that frames the window later honours too (the client
    // area's place would put the title bar above the point).  Where the
    // client area then goes depends on the frame: only the size is awaited.
    if (piazzata_) {
        finestra->setFramePosition(posto);
        Chiesta(finestra->geometry(), false, true);
    }
}

void Form::Invia(const QRect& area) {
    // Qt sends nothing for the geometry it has already asked for.
    if (w_->windowHandle()->geometry() == area) return;
    Colloca(*w_, area);
    Chiesta(area, true, false);
}

void Form::Chiesta(const QRect& area, bool posto, bool cornice) {
    inviate_[static_cast<std::size_t>(numeroInviate_++ % kInviate)] = {area, cornice};
    pendente_ = true;
    pendenteCreazione_ = false;
    pendenteArea_ = area;
    pendentePosto_ = posto;
}

bool Form::Mostrato(const QRect& mostrata, const QMargins& bordi) const {
    // Qt creates a window by its frame's point: it is shown once framed, its
    // frame there (anywhere, when the program never placed it), whatever
    // window manager reports on the way.
    if (pendenteCreazione_)
        return !bordi.isNull() &&
               (!pendentePosto_ || mostrata.topLeft() == pendenteArea_.topLeft() + QPoint(bordi.left(), bordi.top()));
    return pendentePosto_ ? mostrata == pendenteArea_ : mostrata.size() == pendenteArea_.size();
}

bool Form::Spiegata(const QRect& mostrata, const QMargins& bordi) const {
    // A window manager may report a request in steps (the size, then the
    // point): each part is explained by the last check or by a request.  A
    // request by the frame's point explains the client area there (no window
    // manager) or inside a frame there.  A window never placed is the window
    // manager's to place.
    bool posto = !piazzata_ || mostrata.topLeft() == verificata_.topLeft();
    bool dimensione = mostrata.size() == verificata_.size();
    for (int i = 0; i < std::min(numeroInviate_, kInviate); ++i) {
        const Richiesta& r = inviate_[static_cast<std::size_t>(i)];
        posto = posto || mostrata.topLeft() == r.area.topLeft() ||
                (r.cornice && mostrata.topLeft() == r.area.topLeft() + QPoint(bordi.left(), bordi.top()));
        dimensione = dimensione || mostrata.size() == r.area.size();
    }
    return posto && dimensione;
}

void Form::Mostrata() {
    QWindow* finestra = w_->windowHandle();
    if (spia_ == nullptr) {
        spia_ = new Spia(this, w_);
        finestra->installEventFilter(spia_);
    }
    mostrato_ = false;
    verificata_ = finestra->geometry();
    // Where Qt created the window, the first request the window manager
    // answers (and may act on again).
    numeroInviate_ = 0;
    Chiesta(verificata_, attesa_ && piazzata_, true);
    pendenteCreazione_ = true;
    Riportato();
}

void Form::Riportato() {
    // A report comes as a resize and a move, one right after the other: one
    // check follows both.
    if (verificaInCoda_) return;
    verificaInCoda_ = true;
    QMetaObject::invokeMethod(
        w_,
        [this] {
            verificaInCoda_ = false;
            Verifica();
        },
        Qt::QueuedConnection);
}

void Form::Verifica() {
    // The report is the cue; the window is judged as the window system shows
    // it now.
    const QRect mostrata = AreaMostrata(*w_->windowHandle());
    const QMargins bordi = Bordi();
    const bool spiegata = Spiegata(mostrata, bordi);
    verificata_ = mostrata;
    if (pendente_ && Mostrato(mostrata, bordi)) {
        pendente_ = false;
        attesaCornice_->stop();
    }
    if (!Normale()) {
        FineAssestamento();
        return;
    }
    if (!attesa_) return;
    if (bordi.isNull()) {
        // Not framed (yet): not watched, only forgotten once moved elsewhere.
        if (!spiegata) FineAssestamento();
        return;
    }
    // A window never placed is wanted at its size, wherever it is.
    const QRect voluta =
        piazzata_ ? GeometriaVoluta(bordi) : QRect(mostrata.topLeft(), DimensioneVoluta(bordi));
    if (mostrata == voluta) {
        // Shown as wished.  A window manager may yet act on an older
        // request: the wish stands, guarded, until something else moves the
        // window.
        mostrato_ = true;
        return;
    }
    if (!spiegata) {
        // While it frames the window, a manager may show it on the way (its
        // frame still elsewhere): it gets a while to put the frame where Qt
        // created the window.
        if (pendente_ && pendenteCreazione_) {
            if (!attesaCornice_->isActive()) attesaCornice_->start();
            return;
        }
        FineAssestamento();
        return;
    }
    // While a request of the program's is yet to be shown, the window
    // manager is on its way there: only once none is does it get the wish
    // again.
    if (pendente_) return;
    if (++riparazioni_ > kRiparazioni) {
        FineAssestamento();
        return;
    }
    if (piazzata_) {
        Invia(voluta);
        return;
    }
    // The size alone, the client area where it stands.
    QWindow* finestra = w_->windowHandle();
    finestra->resize(voluta.size());
    Chiesta(finestra->geometry(), false, false);
}

bool Form::Assestamento() const { return attesa_ && !mostrato_ && Normale() && Incorniciata(); }

void Form::FineAssestamento() {
    attesa_ = mostrato_ = false;
    piazzata_ = tieni_ = rientra_ = false;
    pendente_ = false;
    attesaCornice_->stop();
}

int Form::AltezzaBarre() const {
    int a = barre_->sizeHint().height() + stato_->sizeHint().height();
    if (menu_ != nullptr && !menu_->isHidden()) a += menu_->sizeHint().height();
    return a;
}

int Form::ScaleWidth() const { return Twip(w_->width()); }
int Form::ScaleHeight() const { return Twip(std::max(0, w_->height() - AltezzaBarre())); }

void Form::SetClientSize(int width, int height) { Ridimensiona(Px(width), Px(height) + AltezzaBarre()); }

void Form::SetBackColor(long colore) {
    QPalette p = client_->palette();
    p.setColor(QPalette::Window, ColoreQt(colore));
    client_->setPalette(p);
    client_->setAutoFillBackground(true);
}

int Form::WindowState() const {
    const Qt::WindowStates s = w_->windowState();
    if (s & Qt::WindowMinimized) return vbMinimized;
    if (s & Qt::WindowMaximized) return vbMaximized;
    return vbNormal;
}

void Form::SetWindowState(int stato) {
    Qt::WindowStates s = w_->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (stato == vbMinimized) s |= Qt::WindowMinimized;
    if (stato == vbMaximized) s |= Qt::WindowMaximized;
    w_->setWindowState(s);
}

void Form::SetMousePointer(int puntatore) {
    puntatore_ = puntatore;
    if (puntatore == vbHourglass)
        w_->setCursor(Qt::WaitCursor);
    else
        w_->unsetCursor();
}

void Form::SetKeyPreview(bool attiva) {
    anteprimaTasti_ = attiva;
    if (attiva && filtroTasti_ == nullptr) {
        filtroTasti_ = new FiltroTasti(this);
        QCoreApplication::instance()->installEventFilter(filtroTasti_);
    } else if (!attiva && filtroTasti_ != nullptr) {
        QCoreApplication::instance()->removeEventFilter(filtroTasti_);
        delete filtroTasti_;
        filtroTasti_ = nullptr;
    }
}

QMenuBar* Form::MenuBar() {
    if (menu_ == nullptr) {
        menu_ = new QMenuBar(w_);
        w_->layout()->setMenuBar(menu_);
    }
    return menu_;
}

QVBoxLayout* Form::ToolbarArea() const { return barre_; }
QVBoxLayout* Form::StatusArea() const { return stato_; }

void Form::RegisterControl(Control* c) { controlli_.push_back(c); }
void Form::UnregisterControl(Control* c) {
    controlli_.erase(std::remove(controlli_.begin(), controlli_.end(), c), controlli_.end());
}

void Form::Load() {
    if (caricata_) return;
    caricata_ = true;
    Form_Load();
}

void Form::Attiva() {
    TogliDaAttive(this);
    Attive().push_back(this);
    Form_Activate();
}

void Form::Show(int modo) {
    Load();
    if (!caricata_) return;  // Form_Load unloaded it again
    if (modo != vbModal) {
        const bool giaVisibile = w_->isVisible();
        w_->show();
        if (!giaVisibile) {
            Mostrata();
            Attiva();
        }
        return;
    }
    if (ciclo_ != nullptr) return;  // already shown modally
    Form* precedente = Attive().empty() ? nullptr : Attive().back();
    w_->hide();
    w_->setWindowModality(Qt::ApplicationModal);
    w_->show();
    Mostrata();
    Attiva();
    if (caricata_ && w_->isVisible()) RisponditoreAttivo().ModalShown(*this);
    if (caricata_ && w_->isVisible()) {
        QEventLoop ciclo;
        ciclo_ = &ciclo;
        ciclo.exec();
        ciclo_ = nullptr;
    }
    w_->hide();
    w_->setWindowModality(Qt::NonModal);
    TogliDaAttive(this);
    // The window that was active before this one becomes active again.
    if (precedente != nullptr && precedente != this && precedente->Loaded() &&
        precedente->Visible())
        precedente->Attiva();
}

void Form::Hide() {
    w_->hide();
    FineAssestamento();
    TogliDaAttive(this);
    if (ciclo_ != nullptr) ciclo_->quit();
}

bool Form::Unload() { return Scarica(vbFormCode); }

bool Form::CloseRequested() { return Scarica(vbFormControlMenu); }

bool Form::Scarica(int modo) {
    if (!caricata_) return true;
    if (inScarico_) return false;
    inScarico_ = true;
    int annulla = 0;
    Form_QueryUnload(annulla, modo);
    if (annulla == 0) Form_Unload(annulla);
    inScarico_ = false;
    if (annulla != 0) return false;
    caricata_ = false;
    Hide();
    return true;
}

bool Form::Visible() const { return w_->isVisible(); }

void Form::Refresh() { w_->repaint(); }

bool Form::KeyTyped(int keyAscii) {
    int codice = keyAscii;
    Form_KeyPress(codice);
    return codice == 0;
}

void Form::Resized() {
    if (caricata_) Form_Resize();
}

}  // namespace kenvaron::plat
