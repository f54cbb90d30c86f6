#include "platform/Form.h"

#include <QAbstractNativeEventFilter>
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
#include "platform/NotizieX.h"
#include "platform/Units.h"

namespace kenvaron::plat {

namespace {

// The while's length in ms (AttesaRisposta).
int& Attesa() {
    static int attesa = 1000;
    return attesa;
}

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

QPoint Angolo(const QMargins& bordi) { return {bordi.left(), bordi.top()}; }

// The property in which a window manager tells a frame's borders.
xcb_atom_t AtomoEstensioni(xcb_connection_t* c) {
    static const xcb_atom_t atomo = [c] {
        static const char nome[] = "_NET_FRAME_EXTENTS";
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof nome - 1, nome), nullptr);
        const xcb_atom_t a = r != nullptr ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    }();
    return atomo;
}

xcb_connection_t* ConnessioneX() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// The root window of the program's screen on X.
xcb_window_t Radice() {
    xcb_connection_t* c = ConnessioneX();
    return c != nullptr ? xcb_setup_roots_iterator(xcb_get_setup(c)).data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The frame of a framed window whose parent is `genitore`: the window on the
// root that holds it, on the screen, in the server's pixels.
std::optional<QRect> Cornice(xcb_connection_t* c, xcb_window_t genitore, xcb_window_t radice) {
    xcb_window_t w = genitore;
    // A window manager nests a client a few windows deep at most.
    for (int livello = 0; livello < 8; ++livello) {
        xcb_query_tree_reply_t* albero = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
        if (albero == nullptr) return std::nullopt;
        const xcb_window_t su = albero->parent;
        std::free(albero);
        if (su == radice) {
            xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
            if (g == nullptr) return std::nullopt;
            const QRect r(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
            std::free(g);
            return r;
        }
        w = su;
    }
    return std::nullopt;
}

// The window as the X server shows it now.  A window manager may move a frame
// without telling the client (one does as it frames a window), and Qt knows
// only what it was told.  The questions go out together, and are answered in
// one round trip; the answers, in the server's pixels, are turned into Qt's.
std::optional<Vista> VistaX(const QWindow& finestra) {
    xcb_connection_t* c = ConnessioneX();
    const QScreen* schermo = finestra.screen();
    if (c == nullptr || schermo == nullptr) return std::nullopt;
    const xcb_atom_t estensioni = AtomoEstensioni(c);
    const auto w = static_cast<xcb_window_t>(finestra.winId());
    const xcb_window_t radice = Radice();
    const auto geometria = xcb_get_geometry(c, w);
    const auto posto = xcb_translate_coordinates(c, w, radice, 0, 0);
    const auto attributi = xcb_get_window_attributes(c, w);
    const auto albero = xcb_query_tree(c, w);
    const auto bordi = xcb_get_property(c, 0, w, estensioni, XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, geometria, nullptr);
    xcb_translate_coordinates_reply_t* t = xcb_translate_coordinates_reply(c, posto, nullptr);
    xcb_get_window_attributes_reply_t* at = xcb_get_window_attributes_reply(c, attributi, nullptr);
    xcb_query_tree_reply_t* al = xcb_query_tree_reply(c, albero, nullptr);
    xcb_get_property_reply_t* b = xcb_get_property_reply(c, bordi, nullptr);
    std::optional<Vista> v;
    if (g != nullptr && t != nullptr && at != nullptr && al != nullptr) {
        RisposteX r;
        r.cliente = QRect(t->dst_x, t->dst_y, g->width, g->height);
        r.mappata = at->map_state == XCB_MAP_STATE_VIEWABLE;
        r.incorniciata = al->parent != al->root;
        if (b != nullptr && b->type == XCB_ATOM_CARDINAL && b->format == 32 && b->value_len == 4) {
            const auto* e = static_cast<const uint32_t*>(xcb_get_property_value(b));
            r.estensioni = std::array<uint32_t, 4>{e[0], e[1], e[2], e[3]};
        }
        v = VistaDa(r, finestra.devicePixelRatio(), schermo->geometry());
        if (v->incorniciata && !v->bordiNoti) {
            // No borders told that a frame can have: the frame itself shows them.
            r.cornice = Cornice(c, al->parent, radice);
            v = VistaDa(r, finestra.devicePixelRatio(), schermo->geometry());
        }
    }
    std::free(g);
    std::free(t);
    std::free(at);
    std::free(al);
    std::free(b);
    return v;
}

}  // namespace

// What the window system reports of a form's window, and the while the
// window system gets to show a request: each brings a check.  On X the
// reports are the server's own notices of the window (configured, framed,
// mapped, its borders told), each of which a window manager's answer to a
// request brings: Qt turns a configure notice into a move or resize only
// where the window ends elsewhere than Qt last knew it, and a move there and
// back at once may bring none.  Elsewhere they are the moves and resizes
// that Qt delivers to the window (a request of the program's own never
// reaches the window as an event).
class Spia : public QObject, public QAbstractNativeEventFilter {
public:
    Spia(Form* f, QObject* genitore) : QObject(genitore), form_(f), attesa_(new QTimer(this)) {
        attesa_->setSingleShot(true);
        connect(attesa_, &QTimer::timeout, this, [this] { form_->Verifica(false); });
        if (ConnessioneX() != nullptr) QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~Spia() override {
        if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
    }
    Spia(const Spia&) = delete;
    Spia& operator=(const Spia&) = delete;

    // The window watched, once Qt has created it.
    void Guarda(QWindow* finestra) {
        finestra->removeEventFilter(this);
        finestra->installEventFilter(this);
        xcb_connection_t* c = ConnessioneX();
        if (c == nullptr) return;
        x_ = static_cast<uint32_t>(finestra->winId());
        estensioni_ = AtomoEstensioni(c);
    }
    // A report comes in parts (a resize and a move, a notice of each kind),
    // one right after the other: one check follows them.
    void Riportato() {
        if (inCoda_) return;
        inCoda_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                inCoda_ = false;
                form_->Verifica(true);
            },
            Qt::QueuedConnection);
    }
    // The while runs as long as the window settles or its wish is guarded,
    // anew with each request.
    void Orologio(const Assestamento& a) {
        if (!a.Vigile()) {
            attesa_->stop();
        } else if (!attesa_->isActive() || a.Richieste() != richieste_) {
            richieste_ = a.Richieste();
            attesa_->start(AttesaRisposta());
        }
    }

    bool nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr* /*risultato*/) override {
        if (x_ == 0 || tipo != "xcb_generic_event_t") return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(messaggio);
        if (!RiportoX(*e, x_, estensioni_)) return false;
        // Framed: reparented away from the root window.
        if ((e->response_type & 0x7f) == XCB_REPARENT_NOTIFY &&
            reinterpret_cast<const xcb_reparent_notify_event_t*>(e)->parent != Radice())
            form_->assestamento_.Inquadrata();
        form_->Riportato();
        return false;
    }

protected:
    bool eventFilter(QObject* /*oggetto*/, QEvent* e) override {
        if (e->spontaneous() && (e->type() == QEvent::Move || e->type() == QEvent::Resize)) form_->Riportato();
        return false;
    }

private:
    Form* form_;
    QTimer* attesa_;
    bool inCoda_ = false;
    int richieste_ = 0;
    uint32_t x_ = 0;
    uint32_t estensioni_ = 0;
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

int AttesaRisposta() { return Attesa(); }
void SetAttesaRisposta(int ms) { Attesa() = ms; }

QWidget* FinestraAttiva() {
    if (QWidget* attiva = QApplication::activeWindow()) return attiva;
    const auto& a = Attive();
    for (auto f = a.rbegin(); f != a.rend(); ++f)
        if ((*f)->Visible()) return (*f)->Widget();
    return nullptr;
}

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
    spia_ = new Spia(this, w_);
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
    return finestra != nullptr ? BordiDi(*finestra) : QMargins();
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

Vista Form::Vede() const {
    const QWindow* finestra = w_->windowHandle();
    std::optional<Vista> v = VistaX(*finestra);
    if (!v) {
        // Elsewhere Qt's idea of the window is the window system's.
        v = Vista{};
        v->cliente = finestra->geometry();
        v->bordi = BordiDi(*finestra);
        v->incorniciata = !v->bordi.isNull();
    }
    v->normale = Normale();
    return *v;
}

QPoint Form::PostoAttuale(const Vista& v) const {
    Ambiente a;
    a.bordiAttesi = BordiAttesi();
    return v.cliente.topLeft() - Angolo(Assestamento::Bordi(v, a));
}

QPoint Form::PostoAttuale() const {
    if (w_->windowHandle() == nullptr || !w_->isVisible()) return w_->pos();
    return PostoAttuale(Vede());
}

Ambiente Form::AmbienteOra(const std::optional<Vista>& v) const {
    Ambiente a;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) a.scala = w_->devicePixelRatio();
    if (const QScreen* schermo = w_->screen()) a.schermo = AreaDisponibile(*schermo);
    a.minima = w_->minimumSize();
    a.massima = w_->maximumSize();
    a.bordiAttesi = BordiAttesi();
    // Where a wish that never placed the window finds it.
    if (!assestamento_.Piazzata()) a.ora = v ? PostoAttuale(*v) : PostoAttuale();
    return a;
}

QPoint Form::PostoCornice() const {
    if (!assestamento_.Desiderio()) return PostoAttuale();
    return assestamento_.Posto(BordiAttesi(), AmbienteOra(std::nullopt));
}

QSize Form::Dimensione() const {
    if (!assestamento_.Desiderio()) return w_->size();
    return assestamento_.Dimensione(BordiAttesi(), AmbienteOra(std::nullopt));
}

std::optional<Vista> Form::Desiderio() {
    const bool mostrata = w_->isVisible() && w_->windowHandle() != nullptr && Normale();
    const std::optional<Vista> v = mostrata ? std::optional<Vista>(Vede()) : std::nullopt;
    assestamento_.Inizia(w_->size(), v);
    return v;
}

void Form::Sposta(const QPoint& cornice) {
    const auto v = Desiderio();
    assestamento_.Piazza(cornice);
    Applica(v);
}

void Form::Ridimensiona(int larghezza, int altezza) {
    const auto v = Desiderio();
    assestamento_.Dimensiona({larghezza, altezza});
    Applica(v);
}

void Form::KeepOnScreen() {
    const auto v = Desiderio();
    assestamento_.Tieni();
    Applica(v);
}

void Form::MoveOnScreen() {
    const auto v = Desiderio();
    const Ambiente a = AmbienteOra(v);
    assestamento_.Rientra(v ? Assestamento::Bordi(*v, a) : a.bordiAttesi, a);
    Applica(v);
}

void Form::Applica(const std::optional<Vista>& v) {
    QWindow* finestra = w_->windowHandle();
    if (!v) {
        // Qt takes the frame's point and the size when it shows the window;
        // a window maximised or minimised gets them as its normal geometry.
        const Ambiente a = AmbienteOra(std::nullopt);
        if (assestamento_.Piazzata()) w_->move(assestamento_.Posto(a.bordiAttesi, a));
        w_->resize(assestamento_.Dimensione(a.bordiAttesi, a));
        if (w_->isVisible()) assestamento_.Fine();
        return;
    }
    const Ambiente a = AmbienteOra(v);
    // The widget takes its size at once, as the form's controls are laid out
    // by it; Qt asks for it with the client area where it stands.
    const QSize dimensione = assestamento_.Dimensione(Assestamento::Bordi(*v, a), a);
    if (w_->size() != dimensione) {
        w_->resize(dimensione);
        const auto modo = assestamento_.Giudicabile(*v) ? Richiesta::Modo::Cliente : Richiesta::Modo::Cornice;
        assestamento_.Inviata({modo, finestra->geometry()});
    }
    if (const auto r = assestamento_.Applica(*v, a)) Invia(*r);
    spia_->Orologio(assestamento_);
}

void Form::Invia(const Richiesta& r) {
    // The requests go through the window itself, whose geometry is the one
    // compared with: the widget's may differ for a moment, and the widget
    // would then send nothing or only half.
    QWindow* finestra = w_->windowHandle();
    switch (r.modo) {
    case Richiesta::Modo::Cliente:
        // Qt sends nothing for the geometry it has already asked for.
        if (finestra->geometry() == r.area) return;
        finestra->setGeometry(r.area);
        break;
    case Richiesta::Modo::Cornice:
        finestra->setFramePosition(r.area.topLeft());
        assestamento_.Inviata({r.modo, QRect(r.area.topLeft(), finestra->geometry().size())});
        return;
    case Richiesta::Modo::Dimensione:
        if (finestra->geometry().size() == r.area.size()) return;
        finestra->resize(r.area.size());
        break;
    }
    assestamento_.Inviata({r.modo, finestra->geometry()});
}

void Form::Mostrata() {
    QWindow* finestra = w_->windowHandle();
    spia_->Guarda(finestra);
    // Where Qt created the window, the first request a window manager
    // answers (and may act on again).
    assestamento_.Mostrata(finestra->geometry());
    // On X the server's notices of the window's mapping bring the first
    // check (one now would wait for a window manager busy framing it).
    if (ConnessioneX() == nullptr) Riportato();
    spia_->Orologio(assestamento_);
}

void Form::Riportato() {
    // Nothing is asked of the window system where no wish stands.
    if (assestamento_.Desiderio()) spia_->Riportato();
}

void Form::Verifica(bool riportato) {
    if (!assestamento_.Desiderio() || w_->windowHandle() == nullptr || !w_->isVisible()) return;
    const Vista v = Vede();
    if (const auto r = assestamento_.Verifica(v, AmbienteOra(v), riportato)) Invia(*r);
    spia_->Orologio(assestamento_);
}

bool Form::Assestamento() const { return assestamento_.InCorso() && Normale() && Incorniciata(); }
bool Form::Desiderata() const { return assestamento_.Desiderio(); }

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
    assestamento_.Fine();
    spia_->Orologio(assestamento_);
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
