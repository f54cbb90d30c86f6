// The ordinary controls of a window: every control is created on a container
// (a form or a frame), placed in twips, and raises its events through the
// std::function members named after them (Click, Change, Timer ...).
// Properties are read with the property's name and written with Set + name.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QWidget>

#include "platform/Colors.h"
#include "platform/Form.h"

class QTimer;

namespace kenvaron::plat {

// What every control has: place, visibility, enabling, tool tip, tag, font and colours.
class Control {
public:
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* Widget() const { return w_; }
    Form& Parent() const { return *form_; }

    // Position inside the container and size, in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twip);
    void SetTop(int twip);
    void SetWidth(int twip);
    void SetHeight(int twip);
    void Move(int left, int top, int width, int height);

    // The control's own flags (a hidden form does not make its controls invisible).
    bool Visible() const;
    void SetVisible(bool visibile);
    bool Enabled() const;
    void SetEnabled(bool abilitato);

    std::string ToolTipText() const;
    void SetToolTipText(const std::string& testo);
    // 0 brings the control to the front, 1 sends it to the back.
    void ZOrder(int posizione = 0);
    void SetFocus();

    long BackColor() const;
    void SetBackColor(long colore);
    long ForeColor() const;
    void SetForeColor(long colore);
    void SetFont(const std::string& nome, double punti, bool grassetto = false);
    void SetFontBold(bool grassetto);
    void SetFontSize(double punti);

    // Free text the window code uses to mark controls (for instance "V").
    std::string Tag;

protected:
    Control(Container& contenitore, QWidget* w);

private:
    QPointer<QWidget> w_;
    Form* form_;
};

class CommandButton : public Control {
public:
    explicit CommandButton(Container& c, const std::string& caption = "");
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    std::function<void()> Click;
};

// Label alignment.
constexpr int vbLeftJustify = 0;
constexpr int vbRightJustify = 1;
constexpr int vbCenter = 2;

class Label : public Control {
public:
    explicit Label(Container& c, const std::string& caption = "");
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    int Alignment() const { return allineamento_; }
    void SetAlignment(int allineamento);
    void SetWordWrap(bool aCapo);
    // 0 no border, 1 a thin line.
    void SetBorderStyle(int stile);
    // Raised on a click with the left button on an enabled label.
    std::function<void()> Click;

private:
    std::string caption_;
    int allineamento_ = vbLeftJustify;
};

// A rectangle that holds other controls; option buttons in one frame form one group.
class Frame : public Control, public Container {
public:
    explicit Frame(Container& c, const std::string& caption = "");
    QWidget* Area() const override;
    Form& FormOf() override { return Parent(); }
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    // 0 no border, 1 the frame's line.
    void SetBorderStyle(int stile);
};

// Check box values.
constexpr int vbUnchecked = 0;
constexpr int vbChecked = 1;
constexpr int vbGrayed = 2;

class CheckBox : public Control {
public:
    explicit CheckBox(Container& c, const std::string& caption = "");
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    int Value() const;
    // A change of value, by code or by the user, raises Click.
    void SetValue(int valore);
    std::function<void()> Click;
};

class OptionButton : public Control {
public:
    explicit OptionButton(Container& c, const std::string& caption = "");
    std::string Caption() const;
    void SetCaption(const std::string& testo);
    bool Value() const;
    // Selecting the button, by code or by the user, raises Click and clears its group.
    void SetValue(bool selezionato);
    std::function<void()> Click;
};

class TextBox : public Control {
public:
    explicit TextBox(Container& c, bool multiLine = false);
    // The text exactly as set or typed, line ends included.
    const std::string& Text() const { return testo_; }
    void SetText(const std::string& testo);
    void SetLocked(bool bloccato);
    // Raised whenever the text changes, by code or by the user.
    std::function<void()> Change;

private:
    void Mostra();
    std::string testo_;
    bool multi_;
};

// The list part shared by the combo box and the list box: items indexed from 0,
// ListIndex -1 when nothing is selected; a change of ListIndex raises Click.
class ListControl : public Control {
public:
    void Clear();
    void AddItem(const std::string& testo);
    void RemoveItem(int indice);
    int ListCount() const;
    std::string List(int indice) const;
    int ListIndex() const;
    void SetListIndex(int indice);
    // The selected item's text ("" when none).
    std::string Text() const;
    std::function<void()> Click;

protected:
    ListControl(Container& c, QWidget* w);
};

// A drop-down list the user can only choose from.
class ComboBox : public ListControl {
public:
    explicit ComboBox(Container& c);
};

class ListBox : public ListControl {
public:
    explicit ListBox(Container& c);
};

// A timer: while Enabled and Interval > 0 it raises Timer every Interval
// milliseconds; a single-shot timer disables itself before raising it.
class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    int Interval() const { return intervallo_; }
    void SetInterval(int millisecondi);
    bool Enabled() const { return abilitato_; }
    void SetEnabled(bool abilitato);
    void SetSingleShot(bool unaVolta) { unaVolta_ = unaVolta; }
    std::function<void()> OnTimer;  // the Timer event (Timer1_Timer)

private:
    void Aggiorna();
    std::unique_ptr<QTimer> t_;
    int intervallo_ = 0;
    bool abilitato_ = false;
    bool unaVolta_ = false;
};

// A menu of the form's menu bar, or an item of a menu.  The caption "-" makes
// a separator.  An item raises Click when chosen; a top menu that holds items
// raises Click when it opens.  A checked item is not ticked by the click
// itself: the handler sets Checked.
class Menu {
public:
    Menu(Form& form, const std::string& caption);
    Menu(Menu& genitore, const std::string& caption);
    ~Menu();
    Menu(const Menu&) = delete;
    Menu& operator=(const Menu&) = delete;

    std::string Caption() const;
    void SetCaption(const std::string& testo);
    bool Checked() const { return spuntato_; }
    void SetChecked(bool spuntato);
    bool Enabled() const;
    void SetEnabled(bool abilitato);
    bool Visible() const;
    void SetVisible(bool visibile);
    // Chooses the item as the user would (nothing happens when it is disabled).
    void Choose();
    QAction* Action() const { return azione_; }
    std::function<void()> Click;

private:
    QMenu* Sottomenu();
    QPointer<QAction> azione_;
    Menu* genitore_ = nullptr;
    QPointer<QMenu> sotto_;
    bool spuntato_ = false;
};

}  // namespace kenvaron::plat
