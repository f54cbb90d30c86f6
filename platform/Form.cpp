#include "platform/Form.h"

#include <QApplication>
#include <QCloseEvent>
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

#include "platform/Colors.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Units.h"

namespace kenvaron::plat {

namespace {

// A window settling after the program showed, placed or resized it is looked
// at every kPassoAssestamento ms; it has settled once it has stood as it
// should for kPassiFermi looks in a row.  A window manager that keeps moving
// it away gets kRiparazioni repairs; one that never frames it, kAttesaCornice ms.
constexpr int kPassoAssestamento = 25;
constexpr int kPassiFermi = 12;
constexpr int kRiparazioni = 20;
constexpr int kAttesaCornice = 30000;

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

Rettangolo EntroArea(const Rettangolo& finestra, const Rettangolo& area) {
    Rettangolo r = finestra;
    const int destra = area.left + area.width;
    const int basso = area.top + area.height;
    if (r.left < destra && r.left + r.width > destra) r.width = destra - r.left;
    if (r.top < basso && r.top + r.height > basso) r.height = basso - r.top;
    return r;
}

namespace {

// Where a window's client area goes for its frame to start at `cornice`: Qt
// places a shown window by its client area, and the frame's borders are told
// afresh here (the widget's own idea of them may be older than the frame).
QRect AreaCliente(const QWindow& finestra, const QPoint& cornice, const QSize& dimensione) {
    const QMargins bordi = finestra.frameMargins();
    return {cornice + QPoint(bordi.left(), bordi.top()), dimensione};
}

// Asks the window system for that client area.  The request goes through the
// window itself, whose geometry is the one compared with: the widget's may
// differ for a moment, and the widget would then send nothing or only half.
void Colloca(QWidget& w, const QRect& area) { w.windowHandle()->setGeometry(area); }

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
        const QRect c = w->frameGeometry();
        const QRect a = schermo->availableGeometry();
        QPoint posto = c.topLeft();
        if (c.right() > a.right()) posto.setX(std::max(a.left(), a.right() + 1 - c.width()));
        if (c.bottom() > a.bottom()) posto.setY(std::max(a.top(), a.bottom() + 1 - c.height()));
        if (posto != c.topLeft()) Colloca(*finestra_, AreaCliente(*w, posto, w->geometry().size()));
    }

    QWidget* finestra_;
};

}  // namespace

void TieniSulloSchermo(QWidget* finestra) { new Rientro(finestra); }

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
    assestamento_ = new QTimer(w_);
    assestamento_->setInterval(kPassoAssestamento);
    QObject::connect(assestamento_, &QTimer::timeout, w_, [this] { PassoAssestamento(); });
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

QRect Form::Cornice() const {
    const QWindow* finestra = w_->windowHandle();
    return finestra != nullptr ? finestra->frameGeometry() : w_->frameGeometry();
}

bool Form::Incorniciata() const {
    const QWindow* finestra = w_->windowHandle();
    return finestra != nullptr && finestra->frameGeometry() != finestra->geometry();
}

QPoint Form::PostoCornice() const { return piazzata_ ? posto_ : Cornice().topLeft(); }

QSize Form::Dimensione() const { return Assestamento() ? DimensioneVoluta() : w_->size(); }

QMargins Form::Bordi() const {
    const QWindow* finestra = w_->windowHandle();
    return finestra != nullptr ? finestra->frameMargins() : QMargins();
}

void Form::Sposta(const QPoint& cornice) {
    posto_ = cornice;
    piazzata_ = true;
    Assesta();
    if (Assestamento() && Incorniciata())
        Colloca(*w_, GeometriaVoluta());
    else
        w_->move(cornice);
}

void Form::Ridimensiona(int larghezza, int altezza) {
    w_->resize(std::max(1, larghezza), std::max(1, altezza));
    richiesta_ = w_->size();
    Assesta();
}

int Form::AltezzaBarre() const {
    int a = barre_->sizeHint().height() + stato_->sizeHint().height();
    if (menu_ != nullptr && !menu_->isHidden()) a += menu_->sizeHint().height();
    return a;
}

int Form::ScaleWidth() const { return Twip(w_->width()); }
int Form::ScaleHeight() const { return Twip(std::max(0, w_->height() - AltezzaBarre())); }

void Form::SetClientSize(int width, int height) { Ridimensiona(Px(width), Px(height) + AltezzaBarre()); }

void Form::KeepOnScreen() {
    const QScreen* schermo = w_->screen();
    if (schermo == nullptr) return;
    // The frame, title bar included, is what must end on the screen; only the
    // window's own size changes.  Until a window manager has framed the
    // window and while it settles, the frame's borders may not be known yet,
    // or only for a moment: the settling cuts the size asked for at each look.
    if (Assestamento() || !Incorniciata()) {
        if (!Assestamento()) richiesta_ = w_->size();
        tieni_ = true;
        w_->resize(DimensioneVoluta());
        Assesta();
        return;
    }
    const QSize dimensione = w_->size();
    const QSize taglio = Ritaglio(PostoCornice(), dimensione, schermo->availableGeometry());
    Ridimensiona(dimensione.width() - taglio.width(), dimensione.height() - taglio.height());
}

QSize Form::Ritaglio(const QPoint& posto, const QSize& dimensione, const QRect& area) const {
    const QMargins bordi = Bordi();
    const Rettangolo cornice{posto.x(), posto.y(), dimensione.width() + bordi.left() + bordi.right(),
                             dimensione.height() + bordi.top() + bordi.bottom()};
    const Rettangolo r = EntroArea(cornice, {area.x(), area.y(), area.width(), area.height()});
    return {cornice.width - r.width, cornice.height - r.height};
}

bool Form::Assestamento() const { return assestamento_->isActive(); }

void Form::Assesta() {
    if (!w_->isVisible() ||
        (w_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    if (!Assestamento()) {
        richiesta_ = w_->size();
        durataAssestamento_.start();
        riparazioni_ = 0;
        assestamento_->start();
    }
    ferma_ = 0;
}

QSize Form::DimensioneVoluta() const {
    QSize dimensione = richiesta_.expandedTo(w_->minimumSize()).boundedTo(w_->maximumSize());
    const QScreen* schermo = w_->screen();
    if (tieni_ && schermo != nullptr)
        dimensione = (dimensione - Ritaglio(PostoCornice(), dimensione, schermo->availableGeometry()))
                         .expandedTo(w_->minimumSize());
    return dimensione;
}

QRect Form::GeometriaVoluta() const {
    return AreaCliente(*w_->windowHandle(), PostoCornice(), DimensioneVoluta());
}

void Form::PassoAssestamento() {
    if (!w_->isVisible() ||
        (w_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        FineAssestamento();
        return;
    }
    if (!Incorniciata()) {
        // Without a window manager the window is never framed.
        if (durataAssestamento_.elapsed() > kAttesaCornice) FineAssestamento();
        return;
    }
    const QRect voluta = GeometriaVoluta();
    if (w_->windowHandle()->geometry() == voluta) {
        if (++ferma_ >= kPassiFermi) FineAssestamento();
        return;
    }
    // A window manager that frames a window may act on requests the window
    // made before (a resize asks for the client area's place, so the title
    // bar would go above the point), or tell a size it no longer has.
    ferma_ = 0;
    if (++riparazioni_ > kRiparazioni) {
        FineAssestamento();
        return;
    }
    Colloca(*w_, voluta);
}

void Form::FineAssestamento() {
    assestamento_->stop();
    piazzata_ = false;
    tieni_ = false;
}

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
            Assesta();
            Attiva();
        }
        return;
    }
    if (ciclo_ != nullptr) return;  // already shown modally
    Form* precedente = Attive().empty() ? nullptr : Attive().back();
    w_->hide();
    w_->setWindowModality(Qt::ApplicationModal);
    w_->show();
    Assesta();
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
