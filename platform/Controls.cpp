#include "platform/Controls.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include "platform/Stringhe.h"
#include "platform/Units.h"

namespace kenvaron::plat {

namespace {


// Gives the palette roles of a widget one colour.
void Colora(QWidget* w, std::initializer_list<QPalette::ColorRole> ruoli, long colore) {
    QPalette p = w->palette();
    for (const auto r : ruoli) p.setColor(r, ColoreQt(colore));
    w->setPalette(p);
}

// A label that reports a left click (press and release on the label).
class EtichettaWidget : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> clic;

protected:
    void mousePressEvent(QMouseEvent* e) override {
        premuto_ = e->button() == Qt::LeftButton;
        QLabel::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const bool eraPremuto = premuto_;
        premuto_ = false;
        QLabel::mouseReleaseEvent(e);
        if (eraPremuto && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) &&
            clic)
            clic();
    }

private:
    bool premuto_ = false;
};

}  // namespace

// ---- Control

Control::Control(Container& contenitore, QWidget* w) : w_(w), form_(&contenitore.FormOf()) {
    w_->setParent(contenitore.Area());
    w_->show();
    form_->RegisterControl(this);
}

Control::~Control() {
    form_->UnregisterControl(this);
    delete w_;
}

int Control::Left() const { return Twip(w_->x()); }
int Control::Top() const { return Twip(w_->y()); }
int Control::Width() const { return Twip(w_->width()); }
int Control::Height() const { return Twip(w_->height()); }
void Control::SetLeft(int twip) { w_->move(Px(twip), w_->y()); }
void Control::SetTop(int twip) { w_->move(w_->x(), Px(twip)); }
void Control::SetWidth(int twip) { w_->resize(std::max(0, Px(twip)), w_->height()); }
void Control::SetHeight(int twip) { w_->resize(w_->width(), std::max(0, Px(twip))); }
void Control::Move(int left, int top, int width, int height) {
    w_->setGeometry(Px(left), Px(top), std::max(0, Px(width)), std::max(0, Px(height)));
}

bool Control::Visible() const { return !w_->isHidden(); }
void Control::SetVisible(bool visibile) { w_->setVisible(visibile); }
bool Control::Enabled() const { return !w_->testAttribute(Qt::WA_ForceDisabled); }
void Control::SetEnabled(bool abilitato) { w_->setEnabled(abilitato); }

std::string Control::ToolTipText() const { return S(w_->toolTip()); }
void Control::SetToolTipText(const std::string& testo) { w_->setToolTip(Q(testo)); }

void Control::ZOrder(int posizione) {
    if (posizione == 0)
        w_->raise();
    else
        w_->lower();
}

void Control::SetFocus() { w_->setFocus(Qt::OtherFocusReason); }

long Control::BackColor() const { return ColoreVb(w_->palette().color(QPalette::Window)); }
void Control::SetBackColor(long colore) {
    Colora(w_, {QPalette::Window, QPalette::Base, QPalette::Button}, colore);
    w_->setAutoFillBackground(true);
}

long Control::ForeColor() const { return ColoreVb(w_->palette().color(QPalette::WindowText)); }
void Control::SetForeColor(long colore) {
    Colora(w_, {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}, colore);
}

void Control::SetFont(const std::string& nome, double punti, bool grassetto) {
    w_->setFont(Carattere(nome.c_str(), punti, grassetto));
}
void Control::SetFontBold(bool grassetto) {
    QFont f = w_->font();
    f.setBold(grassetto);
    w_->setFont(f);
}
void Control::SetFontSize(double punti) {
    QFont f = w_->font();
    f.setPixelSize(PuntiInPixel(punti));
    w_->setFont(f);
}

// ---- CommandButton

CommandButton::CommandButton(Container& c, const std::string& caption)
    : Control(c, new QPushButton(Q(caption))) {
    QObject::connect(static_cast<QPushButton*>(Widget()), &QPushButton::clicked, [this] {
        if (Click) Click();
    });
}
std::string CommandButton::Caption() const { return S(static_cast<QPushButton*>(Widget())->text()); }
void CommandButton::SetCaption(const std::string& testo) {
    static_cast<QPushButton*>(Widget())->setText(Q(testo));
}

// ---- Label

Label::Label(Container& c, const std::string& caption) : Control(c, new EtichettaWidget) {
    auto* l = static_cast<EtichettaWidget*>(Widget());
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->clic = [this] {
        if (Click) Click();
    };
    SetCaption(caption);
}
std::string Label::Caption() const { return caption_; }

void Label::SetCaption(const std::string& testo) {
    caption_ = testo;
    QString t = Q(testo);
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    static_cast<QLabel*>(Widget())->setText(t);
}

void Label::SetAlignment(int allineamento) {
    allineamento_ = allineamento;
    Qt::Alignment a = Qt::AlignLeft;
    if (allineamento == vbRightJustify) a = Qt::AlignRight;
    if (allineamento == vbCenter) a = Qt::AlignHCenter;
    static_cast<QLabel*>(Widget())->setAlignment(a | Qt::AlignTop);
}

void Label::SetWordWrap(bool aCapo) { static_cast<QLabel*>(Widget())->setWordWrap(aCapo); }

void Label::SetBorderStyle(int stile) {
    static_cast<QLabel*>(Widget())->setFrameStyle(stile == 0 ? QFrame::NoFrame
                                                             : QFrame::Box | QFrame::Plain);
}

// ---- Frame

Frame::Frame(Container& c, const std::string& caption) : Control(c, new QGroupBox(Q(caption))) {}

QWidget* Frame::Area() const { return Widget(); }
std::string Frame::Caption() const { return S(static_cast<QGroupBox*>(Widget())->title()); }
void Frame::SetCaption(const std::string& testo) {
    static_cast<QGroupBox*>(Widget())->setTitle(Q(testo));
}
void Frame::SetBorderStyle(int stile) {
    Widget()->setStyleSheet(stile == 0 ? QStringLiteral("QGroupBox { border: none; }") : QString());
}

// ---- CheckBox

CheckBox::CheckBox(Container& c, const std::string& caption) : Control(c, new QCheckBox(Q(caption))) {
    QObject::connect(static_cast<QCheckBox*>(Widget()), &QCheckBox::stateChanged, [this](int) {
        if (Click) Click();
    });
}
std::string CheckBox::Caption() const { return S(static_cast<QCheckBox*>(Widget())->text()); }
void CheckBox::SetCaption(const std::string& testo) {
    static_cast<QCheckBox*>(Widget())->setText(Q(testo));
}
int CheckBox::Value() const {
    switch (static_cast<QCheckBox*>(Widget())->checkState()) {
    case Qt::Checked: return vbChecked;
    case Qt::PartiallyChecked: return vbGrayed;
    default: return vbUnchecked;
    }
}
void CheckBox::SetValue(int valore) {
    auto* b = static_cast<QCheckBox*>(Widget());
    if (valore == vbGrayed) b->setTristate(true);
    b->setCheckState(valore == vbChecked   ? Qt::Checked
                     : valore == vbGrayed ? Qt::PartiallyChecked
                                          : Qt::Unchecked);
}

// ---- OptionButton

OptionButton::OptionButton(Container& c, const std::string& caption)
    : Control(c, new QRadioButton(Q(caption))) {
    QObject::connect(static_cast<QRadioButton*>(Widget()), &QRadioButton::toggled, [this](bool acceso) {
        if (acceso && Click) Click();
    });
}
std::string OptionButton::Caption() const { return S(static_cast<QRadioButton*>(Widget())->text()); }
void OptionButton::SetCaption(const std::string& testo) {
    static_cast<QRadioButton*>(Widget())->setText(Q(testo));
}
bool OptionButton::Value() const { return static_cast<QRadioButton*>(Widget())->isChecked(); }
void OptionButton::SetValue(bool selezionato) {
    auto* b = static_cast<QRadioButton*>(Widget());
    if (selezionato) {
        b->setChecked(true);
    } else {
        // A lone button of a group cannot be switched off while exclusive.
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
}

// ---- TextBox

TextBox::TextBox(Container& c, bool multiLine)
    : Control(c, multiLine ? static_cast<QWidget*>(new QPlainTextEdit) : new QLineEdit),
      multi_(multiLine) {
    if (multi_) {
        auto* e = static_cast<QPlainTextEdit*>(Widget());
        QObject::connect(e, &QPlainTextEdit::textChanged, [this, e] {
            const std::string nuovo = S(e->toPlainText());
            if (nuovo == testo_) return;
            testo_ = nuovo;
            if (Change) Change();
        });
    } else {
        auto* e = static_cast<QLineEdit*>(Widget());
        QObject::connect(e, &QLineEdit::textEdited, [this](const QString& t) {
            testo_ = S(t);
            if (Change) Change();
        });
    }
}

void TextBox::SetText(const std::string& testo) {
    if (testo == testo_) return;
    testo_ = testo;
    Mostra();
    if (Change) Change();
}

void TextBox::Mostra() {
    QString t = Q(testo_);
    if (multi_) {
        auto* e = static_cast<QPlainTextEdit*>(Widget());
        const QSignalBlocker blocco(e);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        e->setPlainText(t);
    } else {
        static_cast<QLineEdit*>(Widget())->setText(t);
    }
}

void TextBox::SetLocked(bool bloccato) {
    if (multi_)
        static_cast<QPlainTextEdit*>(Widget())->setReadOnly(bloccato);
    else
        static_cast<QLineEdit*>(Widget())->setReadOnly(bloccato);
}

// ---- ListControl, ComboBox, ListBox

namespace {
QComboBox* Combo(QWidget* w) { return qobject_cast<QComboBox*>(w); }
QListWidget* Lista(QWidget* w) { return qobject_cast<QListWidget*>(w); }
}  // namespace

ListControl::ListControl(Container& c, QWidget* w) : Control(c, w) {}

void ListControl::Clear() {
    const QSignalBlocker blocco(Widget());
    if (auto* c = Combo(Widget()))
        c->clear();
    else
        Lista(Widget())->clear();
}

void ListControl::AddItem(const std::string& testo) {
    // Adding never selects: the selection stays as it was.
    const QSignalBlocker blocco(Widget());
    const int prima = ListIndex();
    if (auto* c = Combo(Widget())) {
        c->addItem(Q(testo));
        c->setCurrentIndex(prima);
    } else {
        Lista(Widget())->addItem(Q(testo));
        Lista(Widget())->setCurrentRow(prima);
    }
}

void ListControl::RemoveItem(int indice) {
    if (indice < 0 || indice >= ListCount()) return;
    const QSignalBlocker blocco(Widget());
    if (auto* c = Combo(Widget()))
        c->removeItem(indice);
    else
        delete Lista(Widget())->takeItem(indice);
}

int ListControl::ListCount() const {
    if (auto* c = Combo(Widget())) return c->count();
    return Lista(Widget())->count();
}

std::string ListControl::List(int indice) const {
    if (indice < 0 || indice >= ListCount()) return {};
    if (auto* c = Combo(Widget())) return S(c->itemText(indice));
    return S(Lista(Widget())->item(indice)->text());
}

int ListControl::ListIndex() const {
    if (auto* c = Combo(Widget())) return c->currentIndex();
    return Lista(Widget())->currentRow();
}

void ListControl::SetListIndex(int indice) {
    if (indice < -1 || indice >= ListCount()) return;
    if (auto* c = Combo(Widget()))
        c->setCurrentIndex(indice);
    else
        Lista(Widget())->setCurrentRow(indice);
}

std::string ListControl::Text() const { return List(ListIndex()); }

ComboBox::ComboBox(Container& c) : ListControl(c, new QComboBox) {
    QObject::connect(Combo(Widget()), &QComboBox::currentIndexChanged, [this](int) {
        if (Click) Click();
    });
}

ListBox::ListBox(Container& c) : ListControl(c, new QListWidget) {
    QObject::connect(Lista(Widget()), &QListWidget::currentRowChanged, [this](int) {
        if (Click) Click();
    });
}

// ---- Timer

Timer::Timer() : t_(std::make_unique<QTimer>()) {
    QObject::connect(t_.get(), &QTimer::timeout, [this] {
        if (unaVolta_) SetEnabled(false);
        if (OnTimer) OnTimer();
    });
}

Timer::~Timer() = default;

void Timer::SetInterval(int millisecondi) {
    intervallo_ = std::max(0, millisecondi);
    Aggiorna();
}

void Timer::SetEnabled(bool abilitato) {
    if (abilitato == abilitato_) return;
    abilitato_ = abilitato;
    Aggiorna();
}

void Timer::Aggiorna() {
    if (abilitato_ && intervallo_ > 0)
        t_->start(intervallo_);
    else
        t_->stop();
}

// ---- Menu

Menu::Menu(Form& form, const std::string& caption) {
    azione_ = form.MenuBar()->addAction(Q(caption));
    QObject::connect(azione_, &QAction::triggered, [this] {
        azione_->setChecked(spuntato_);
        if (sotto_ == nullptr && Click) Click();
    });
}

Menu::Menu(Menu& genitore, const std::string& caption) : genitore_(&genitore) {
    QMenu* m = genitore.Sottomenu();
    if (caption == "-") {
        azione_ = m->addSeparator();
        return;
    }
    azione_ = m->addAction(Q(caption));
    QObject::connect(azione_, &QAction::triggered, [this] {
        azione_->setChecked(spuntato_);
        if (sotto_ == nullptr && Click) Click();
    });
}

Menu::~Menu() {
    delete azione_;
    delete sotto_;
}

QMenu* Menu::Sottomenu() {
    if (sotto_ == nullptr) {
        sotto_ = new QMenu;
        sotto_->setTitle(azione_->text());
        azione_->setMenu(sotto_);
        QObject::connect(sotto_, &QMenu::aboutToShow, [this] {
            if (Click) Click();
        });
    }
    return sotto_;
}

std::string Menu::Caption() const { return S(azione_->text()); }
void Menu::SetCaption(const std::string& testo) {
    azione_->setText(Q(testo));
    if (sotto_ != nullptr) sotto_->setTitle(Q(testo));
}

void Menu::SetChecked(bool spuntato) {
    spuntato_ = spuntato;
    azione_->setCheckable(true);
    azione_->setChecked(spuntato);
}

bool Menu::Enabled() const { return azione_->isEnabled(); }
void Menu::SetEnabled(bool abilitato) { azione_->setEnabled(abilitato); }
bool Menu::Visible() const { return azione_->isVisible(); }
void Menu::SetVisible(bool visibile) { azione_->setVisible(visibile); }

void Menu::Choose() {
    for (const Menu* m = this; m != nullptr; m = m->genitore_)
        if (!m->Enabled() || !m->Visible()) return;
    if (sotto_ != nullptr) {
        if (Click) Click();
    } else {
        azione_->trigger();
    }
}

}  // namespace kenvaron::plat
