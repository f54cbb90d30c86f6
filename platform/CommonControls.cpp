#include "platform/CommonControls.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Stringhe.h"
#include "platform/Units.h"

namespace kenvaron::plat {

// ---- ImageList

void ImageList::Add(const std::string& chiave, const QPixmap& immagine) { immagini_[chiave] = immagine; }

const QPixmap* ImageList::Image(const std::string& chiave) const {
    const auto i = immagini_.find(chiave);
    return i == immagini_.end() ? nullptr : &i->second;
}

std::vector<std::string> ImageList::Keys() const {
    std::vector<std::string> chiavi;
    for (const auto& [chiave, immagine] : immagini_) chiavi.push_back(chiave);
    return chiavi;
}

// ---- ToolbarButton

ToolbarButton::ToolbarButton(Toolbar& t, std::string chiave, int stile, std::string immagine)
    : barra_(&t), chiave_(std::move(chiave)), stile_(stile), immagine_(std::move(immagine)) {}

std::string ToolbarButton::Caption() const { return azione_ ? S(azione_->text()) : std::string(); }

void ToolbarButton::SetCaption(const std::string& testo) {
    if (!azione_ || stile_ == tbrSeparator || stile_ == tbrPlaceholder) return;
    azione_->setText(Q(testo));
    if (auto* b = qobject_cast<QToolButton*>(barra_->Widget()->widgetForAction(azione_))) {
        const bool figura = !azione_->icon().isNull();
        b->setToolButtonStyle(testo.empty() ? Qt::ToolButtonIconOnly
                              : figura     ? Qt::ToolButtonTextUnderIcon
                                           : Qt::ToolButtonTextOnly);
    }
}

std::string ToolbarButton::ToolTipText() const { return azione_ ? S(azione_->toolTip()) : std::string(); }

void ToolbarButton::SetToolTipText(const std::string& testo) {
    if (azione_) azione_->setToolTip(Q(testo));
}

void ToolbarButton::SetEnabled(bool abilitato) {
    abilitato_ = abilitato;
    if (azione_) azione_->setEnabled(abilitato);
}

bool ToolbarButton::Visible() const { return azione_ && azione_->isVisible(); }

void ToolbarButton::SetVisible(bool visibile) {
    if (azione_) azione_->setVisible(visibile);
}

void ToolbarButton::SetWidth(int twip) {
    larghezza_ = std::max(0, twip);
    if (spazio_) spazio_->setFixedWidth(Px(larghezza_));
}

// ---- Toolbar

Toolbar::Toolbar(Form& form) : barra_(new QToolBar(form.Widget())) {
    barra_->setMovable(false);
    barra_->setFloatable(false);
    barra_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    form.ToolbarArea()->addWidget(barra_);
}

Toolbar::~Toolbar() {
    pulsanti_.clear();
    rimossi_.clear();
    delete barra_;
}

void Toolbar::SetImageList(const ImageList* lista) {
    immagini_ = lista;
    if (lista != nullptr && lista->Count() > 0) {
        const QPixmap* prima = lista->Image(lista->Keys().front());
        barra_->setIconSize(prima->size() / prima->devicePixelRatio());
    }
}

ToolbarButton& Toolbar::Add(const std::string& chiave, int stile, const std::string& immagine,
                            const std::string& caption) {
    std::unique_ptr<ToolbarButton> b(new ToolbarButton(*this, chiave, stile, immagine));
    ToolbarButton* p = b.get();
    if (stile == tbrSeparator) {
        b->azione_ = barra_->addSeparator();
    } else if (stile == tbrPlaceholder) {
        b->spazio_ = new QWidget;
        b->spazio_->setFixedWidth(0);
        b->azione_ = barra_->addWidget(b->spazio_);
    } else {
        QIcon icona;
        if (immagini_ != nullptr)
            if (const QPixmap* figura = immagini_->Image(immagine)) icona = QIcon(*figura);
        b->azione_ = barra_->addAction(icona, QString());
        b->azione_->setCheckable(stile == tbrCheck);
        QObject::connect(b->azione_, &QAction::triggered, [this, p] { Premuto(p); });
        b->SetCaption(caption);
        b->SetToolTipText("");
    }
    pulsanti_.push_back(std::move(b));
    return *p;
}

ToolbarButton* Toolbar::Button(const std::string& chiave) {
    for (auto& b : pulsanti_)
        if (b->chiave_ == chiave) return b.get();
    return nullptr;
}

ToolbarButton& Toolbar::ButtonAt(int indice) { return *pulsanti_.at(static_cast<std::size_t>(indice - 1)); }

void Toolbar::Butta(std::unique_ptr<ToolbarButton> b) {
    if (b->azione_) {
        barra_->removeAction(b->azione_);
        b->azione_->deleteLater();
    }
    if (b->spazio_) b->spazio_->deleteLater();
    if (inClic_ > 0)
        rimossi_.push_back(std::move(b));
}

void Toolbar::Remove(const std::string& chiave) {
    const auto i = std::find_if(pulsanti_.begin(), pulsanti_.end(),
                                [&](const auto& b) { return b->chiave_ == chiave; });
    if (i == pulsanti_.end()) return;
    std::unique_ptr<ToolbarButton> b = std::move(*i);
    pulsanti_.erase(i);
    Butta(std::move(b));
}

void Toolbar::Clear() {
    auto vecchi = std::move(pulsanti_);
    pulsanti_.clear();
    for (auto& b : vecchi) Butta(std::move(b));
}

void Toolbar::SetButtonEnabled(const std::string& chiave, bool abilitato) {
    if (ToolbarButton* b = Button(chiave)) b->SetEnabled(abilitato);
}

bool Toolbar::Visible() const { return !barra_->isHidden(); }
void Toolbar::SetVisible(bool visibile) { barra_->setVisible(visibile); }
bool Toolbar::Enabled() const { return !barra_->testAttribute(Qt::WA_ForceDisabled); }
void Toolbar::SetEnabled(bool abilitato) { barra_->setEnabled(abilitato); }
int Toolbar::Height() const { return barra_->isHidden() ? 0 : Twip(barra_->sizeHint().height()); }

bool Toolbar::Click(const std::string& chiave) {
    ToolbarButton* b = Button(chiave);
    if (b == nullptr || b->stile_ == tbrSeparator || b->stile_ == tbrPlaceholder || !b->abilitato_ ||
        !b->Visible() || !Enabled())
        return false;
    Premuto(b);
    return true;
}

void Toolbar::Premuto(ToolbarButton* b) {
    if (!b->abilitato_ || !Enabled()) return;
    ++inClic_;
    if (ButtonClick) ButtonClick(*b);
    if (--inClic_ == 0) rimossi_.clear();
}

// ---- StatusBar

std::string StatusPanel::Text() const { return etichetta_ ? S(etichetta_->text()) : std::string(); }
void StatusPanel::SetText(const std::string& testo) {
    if (etichetta_) etichetta_->setText(Q(testo));
}
std::string StatusPanel::ToolTipText() const { return etichetta_ ? S(etichetta_->toolTip()) : std::string(); }
void StatusPanel::SetToolTipText(const std::string& testo) {
    if (etichetta_) etichetta_->setToolTip(Q(testo));
}
void StatusPanel::Refresh() {
    if (etichetta_) etichetta_->repaint();
}

StatusBar::StatusBar(Form& form) : barra_(new QStatusBar(form.Widget())), form_(form) {
    barra_->setSizeGripEnabled(false);
    form.StatusArea()->addWidget(barra_);
}

StatusBar::~StatusBar() {
    pannelli_.clear();
    for (auto& r : righe_) delete r;
    delete barra_;
}

namespace {

// A panel of the bar: where the bar has room, a fixed panel is as wide as its
// width and a spring panel at least as wide; where it has not, every panel
// gives way, so that the bar never holds its window wider than the screen
// leaves it.
class EtichettaPannello : public QLabel {
public:
    EtichettaPannello(const QString& testo, int larghezza, int adatta)
        : QLabel(testo), larghezza_(larghezza), adatta_(adatta) {
        if (adatta == sbrNoAutoSize) setMaximumWidth(larghezza);
    }
    QSize sizeHint() const override {
        const QSize testo = QLabel::sizeHint();
        if (adatta_ == sbrNoAutoSize) return {larghezza_, testo.height()};
        if (adatta_ == sbrSpring) return {std::max(larghezza_, testo.width()), testo.height()};
        return testo;
    }
    QSize minimumSizeHint() const override {
        if (adatta_ == sbrLine) return QLabel::minimumSizeHint();
        return {0, QLabel::minimumSizeHint().height()};
    }

private:
    int larghezza_;
    int adatta_;
};

}  // namespace

StatusPanel& StatusBar::Add(const std::string& chiave, const std::string& testo, int larghezza, int adatta) {
    auto* l = new EtichettaPannello(Q(testo), Px(larghezza), adatta);
    l->setTextFormat(Qt::PlainText);
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (adatta == sbrLine) {
        // A bar of its own, so that the line looks like the bar below it.
        auto* riga = new QStatusBar(form_.Widget());
        riga->setSizeGripEnabled(false);
        riga->setVisible(!barra_->isHidden());
        QVBoxLayout* area = form_.StatusArea();
        area->insertWidget(area->indexOf(barra_), riga);
        riga->addWidget(l, 1);
        righe_.emplace_back(riga);
    } else {
        barra_->addWidget(l, adatta == sbrSpring ? 1 : 0);
    }
    pannelli_.push_back(std::unique_ptr<StatusPanel>(new StatusPanel(chiave, l)));
    return *pannelli_.back();
}

StatusPanel* StatusBar::Panel(const std::string& chiave) {
    for (auto& p : pannelli_)
        if (p->Key() == chiave) return p.get();
    return nullptr;
}

StatusPanel& StatusBar::PanelAt(int indice) { return *pannelli_.at(static_cast<std::size_t>(indice - 1)); }

std::string StatusBar::Text(const std::string& chiave) {
    StatusPanel* p = Panel(chiave);
    return p != nullptr ? p->Text() : std::string();
}

void StatusBar::SetText(const std::string& chiave, const std::string& testo) {
    if (StatusPanel* p = Panel(chiave)) p->SetText(testo);
}

bool StatusBar::Visible() const { return !barra_->isHidden(); }
void StatusBar::SetVisible(bool visibile) {
    barra_->setVisible(visibile);
    for (auto& r : righe_)
        if (r) r->setVisible(visibile);
}

// ---- TabStrip

TabStrip::TabStrip(Container& c) : Control(c, new QTabBar) {
    auto* b = Bar();
    QObject::connect(b, &QTabBar::currentChanged, [this](int) {
        if (Click) Click();
    });
    QObject::connect(b, &QTabBar::tabBarClicked, [this, b](int i) {
        if (i >= 0 && i == b->currentIndex() && Click) Click();
    });
}

TabStrip::~TabStrip() = default;

QTabBar* TabStrip::Bar() const { return static_cast<QTabBar*>(Widget()); }

Tab& TabStrip::Add(const std::string& caption) {
    const QSignalBlocker blocco(Bar());
    Bar()->addTab(Q(caption));
    schede_.push_back(std::unique_ptr<Tab>(new Tab(*this, Count() + 1)));
    return *schede_.back();
}

Tab& TabStrip::TabAt(int indice) { return *schede_.at(static_cast<std::size_t>(indice - 1)); }

void TabStrip::Clear() {
    const QSignalBlocker blocco(Bar());
    while (Bar()->count() > 0) Bar()->removeTab(0);
    schede_.clear();
}

int TabStrip::SelectedIndex() const { return Bar()->currentIndex() + 1; }

void TabStrip::SetSelectedIndex(int indice) {
    if (indice >= 1 && indice <= Count()) Bar()->setCurrentIndex(indice - 1);
}

std::string Tab::Caption() const { return S(strip_->Bar()->tabText(indice_ - 1)); }
void Tab::SetCaption(const std::string& testo) { strip_->Bar()->setTabText(indice_ - 1, Q(testo)); }
std::string Tab::ToolTipText() const { return S(strip_->Bar()->tabToolTip(indice_ - 1)); }
void Tab::SetToolTipText(const std::string& testo) { strip_->Bar()->setTabToolTip(indice_ - 1, Q(testo)); }
bool Tab::Selected() const { return strip_->SelectedIndex() == indice_; }
void Tab::SetSelected(bool selezionata) {
    if (selezionata) strip_->SetSelectedIndex(indice_);
}

}  // namespace kenvaron::plat
