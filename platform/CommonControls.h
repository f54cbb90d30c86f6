// The common controls: an image list of keyed pictures, the toolbar with
// keyed buttons, the status bar with keyed panels and the tab strip.
// Collections are indexed from 1, as the windows index them.
#pragma once

#include <QAction>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QStatusBar>
#include <QToolBar>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Controls.h"

class QTabBar;

namespace kenvaron::plat {

class ImageList {
public:
    void Add(const std::string& chiave, const QPixmap& immagine);
    // nullptr when the key is unknown.
    const QPixmap* Image(const std::string& chiave) const;
    std::vector<std::string> Keys() const;
    int Count() const { return static_cast<int>(immagini_.size()); }

private:
    std::map<std::string, QPixmap> immagini_;
};

// Toolbar button styles.
constexpr int tbrDefault = 0;
constexpr int tbrCheck = 1;
constexpr int tbrSeparator = 3;
constexpr int tbrPlaceholder = 4;

class Toolbar;

class ToolbarButton {
public:
    const std::string& Key() const { return chiave_; }
    int Style() const { return stile_; }
    const std::string& Image() const { return immagine_; }
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    std::string ToolTipText() const;
    void SetToolTipText(const std::string& testo);
    bool Enabled() const { return abilitato_; }
    void SetEnabled(bool abilitato);
    bool Visible() const;
    void SetVisible(bool visibile);
    // Width of a placeholder, in twips.
    int Width() const { return larghezza_; }
    void SetWidth(int twip);
    QAction* Action() const { return azione_; }

private:
    friend class Toolbar;
    ToolbarButton(Toolbar& t, std::string chiave, int stile, std::string immagine);
    Toolbar* barra_;
    std::string chiave_;
    int stile_;
    std::string immagine_;
    bool abilitato_ = true;
    int larghezza_ = 0;
    QPointer<QAction> azione_;
    QPointer<QWidget> spazio_;
};

// A toolbar along the top of a form, below the menu bar and the toolbars made before it.
class Toolbar {
public:
    explicit Toolbar(Form& form);
    ~Toolbar();
    Toolbar(const Toolbar&) = delete;
    Toolbar& operator=(const Toolbar&) = delete;

    // The pictures of the buttons; the list must outlive the toolbar.
    void SetImageList(const ImageList* lista);
    // Adds a button at the end; a placeholder has no picture and takes its Width.
    ToolbarButton& Add(const std::string& chiave, int stile = tbrDefault, const std::string& immagine = "",
                       const std::string& caption = "");
    // nullptr when there is no button with that key.
    ToolbarButton* Button(const std::string& chiave);
    ToolbarButton& ButtonAt(int indice);
    int Count() const { return static_cast<int>(pulsanti_.size()); }
    void Remove(const std::string& chiave);
    void Clear();
    // Enables or disables the button with that key, if there is one.
    void SetButtonEnabled(const std::string& chiave, bool abilitato);

    bool Visible() const;
    void SetVisible(bool visibile);
    bool Enabled() const;
    void SetEnabled(bool abilitato);
    // Height in twips.
    int Height() const;
    QToolBar* Widget() const { return barra_; }

    // Clicks the button as the user would: nothing happens unless the button
    // and the toolbar are enabled.  True when ButtonClick was raised.
    bool Click(const std::string& chiave);
    std::function<void(ToolbarButton& Button)> ButtonClick;

private:
    friend class ToolbarButton;
    void Premuto(ToolbarButton* b);
    void Butta(std::unique_ptr<ToolbarButton> b);

    QPointer<QToolBar> barra_;
    const ImageList* immagini_ = nullptr;
    std::vector<std::unique_ptr<ToolbarButton>> pulsanti_;
    // Buttons removed while their own click runs are freed after it.
    std::vector<std::unique_ptr<ToolbarButton>> rimossi_;
    int inClic_ = 0;
};

// Status panel sizing.
constexpr int sbrNoAutoSize = 0;
constexpr int sbrSpring = 1;
constexpr int sbrContents = 2;
// A panel on a line of its own above the bar, as wide as the window.
constexpr int sbrLine = 3;

class StatusPanel {
public:
    const std::string& Key() const { return chiave_; }
    std::string Text() const;
    void SetText(const std::string& testo);
    std::string ToolTipText() const;
    void SetToolTipText(const std::string& testo);
    // Paints the panel now, handling no other event.
    void Refresh();
    QLabel* Widget() const { return etichetta_; }

private:
    friend class StatusBar;
    StatusPanel(std::string chiave, QLabel* etichetta) : chiave_(std::move(chiave)), etichetta_(etichetta) {}
    std::string chiave_;
    QPointer<QLabel> etichetta_;
};

// A status bar along the bottom of a form; panels of the style sbrLine stand
// each on a line of its own above it.
class StatusBar {
public:
    explicit StatusBar(Form& form);
    ~StatusBar();
    StatusBar(const StatusBar&) = delete;
    StatusBar& operator=(const StatusBar&) = delete;

    // Width in twips; a spring panel takes the room the others leave, at
    // least that width; a line panel takes the whole line.
    StatusPanel& Add(const std::string& chiave, const std::string& testo = "", int larghezza = 1440,
                     int adatta = sbrNoAutoSize);
    // nullptr when there is no panel with that key.
    StatusPanel* Panel(const std::string& chiave);
    StatusPanel& PanelAt(int indice);
    int Count() const { return static_cast<int>(pannelli_.size()); }
    // The text of a panel ("" for an unknown key); writing an unknown key does nothing.
    std::string Text(const std::string& chiave);
    void SetText(const std::string& chiave, const std::string& testo);

    bool Visible() const;
    void SetVisible(bool visibile);
    QStatusBar* Widget() const { return barra_; }

private:
    QPointer<QStatusBar> barra_;
    // The lines above the bar, one for each line panel.
    std::vector<QPointer<QStatusBar>> righe_;
    Form& form_;
    std::vector<std::unique_ptr<StatusPanel>> pannelli_;
};

class TabStrip;

class Tab {
public:
    int Index() const { return indice_; }
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    std::string ToolTipText() const;
    void SetToolTipText(const std::string& testo);
    bool Selected() const;
    // Selecting another tab, by code or by the user, raises the strip's Click.
    void SetSelected(bool selezionata);

private:
    friend class TabStrip;
    Tab(TabStrip& s, int indice) : strip_(&s), indice_(indice) {}
    TabStrip* strip_;
    int indice_;
};

class TabStrip : public Control {
public:
    explicit TabStrip(Container& c);
    ~TabStrip() override;
    Tab& Add(const std::string& caption = "");
    Tab& TabAt(int indice);
    int Count() const { return static_cast<int>(schede_.size()); }
    void Clear();
    // The selected tab, from 1 (0 when there is none).
    int SelectedIndex() const;
    void SetSelectedIndex(int indice);
    // Raised when the selection changes, by code or by the user, and when the user
    // clicks the tab already selected.
    std::function<void()> Click;
    QTabBar* Bar() const;

private:
    std::vector<std::unique_ptr<Tab>> schede_;
};

}  // namespace kenvaron::plat
