// Windows: a form is a top-level window with an optional menu bar, toolbars
// along its top, a client area where controls sit at positions in twips, and an
// optional status bar.  A window class derives from Form, creates its controls
// as members and overrides the Form_ events it needs.
//
// Life cycle: Load runs Form_Load once; Show loads when needed, shows the
// window and raises Form_Activate; Show(vbModal) returns only when the window
// has been hidden or unloaded; Unload asks Form_QueryUnload and Form_Unload
// (either may cancel) and hides the window.  Unloading never destroys the C++
// object: whoever owns it releases it once Show has returned.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Assestamento.h"
#include "platform/Schermo.h"

class QWidget;
class QMenuBar;
class QVBoxLayout;
class QEventLoop;
class QObject;

namespace kenvaron::plat {

class Control;
class Form;
class FormWidget;
class Spia;

// Show modes.
constexpr int vbModeless = 0;
constexpr int vbModal = 1;
// Why a window is closing (the UnloadMode of Form_QueryUnload).
constexpr int vbFormControlMenu = 0;  // the user closed it
constexpr int vbFormCode = 1;         // code called Unload
// Window states.
constexpr int vbNormal = 0;
constexpr int vbMinimized = 1;
constexpr int vbMaximized = 2;
// Mouse pointers.
constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;

// The while, in ms, the window system gets to show a request of the
// program's (a window manager framing a window included), which also guards
// a wish shown: a second.  A test that must see the window system's reports
// lengthens it.
int AttesaRisposta();
void SetAttesaRisposta(int ms);

// The window a dialog opens over: Qt's active window, or else the window of
// the form shown last that is still shown (a window manager may take the
// focus away for a moment, as one does when another dialog closes).
QWidget* FinestraAttiva();

// Something controls can be placed in: a form's client area or a frame.
class Container {
public:
    virtual ~Container() = default;
    // The widget that holds the children.
    virtual QWidget* Area() const = 0;
    // The form the container belongs to.
    virtual Form& FormOf() = 0;
};

class Form : public Container {
public:
    Form();
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    QWidget* Area() const override;
    Form& FormOf() override { return *this; }
    // The top-level widget.
    QWidget* Widget() const;

    std::string Caption() const;
    void SetCaption(const std::string& testo);

    // Position of the frame's top left corner and size of the window, in
    // twips: where and as the program put it until the window system has
    // shown it so, then where and as the window is.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void SetLeft(int twip);
    void SetTop(int twip);
    void SetWidth(int twip);
    void SetHeight(int twip);
    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    // Size of the client area (where the controls sit), in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    void SetClientSize(int width, int height);
    // A window whose frame would end past the right or bottom edge of its
    // screen's available area becomes narrower or shorter, so that it ends
    // there (EntroArea); it is never moved, and the size asked for is kept for
    // later cuts.  Until the window is framed the frame's borders are taken
    // from another framed window of the program; it is cut again once its own
    // frame is known.
    void KeepOnScreen();
    // A window whose frame would start above or left of its screen's
    // available area, or end past it, moves so that it lies on it as far as
    // it fits (DentroArea); it never shrinks.  Redone, like KeepOnScreen,
    // once the frame is known.
    void MoveOnScreen();
    // The window is settling: a window manager frames it, and the program
    // showed, placed or resized it in a way the window system has yet to
    // report.
    bool Assestamento() const;
    // A wish of the program's stands for the window: it settles, or it is
    // shown and guarded for the while of the program's newest request.  With
    // none, nothing is asked after a move or resize of the window.
    bool Desiderata() const;
    void SetBackColor(long colore);

    int WindowState() const;
    void SetWindowState(int stato);
    int MousePointer() const { return puntatore_; }
    void SetMousePointer(int puntatore);
    // With key preview the form sees every key pressed in any of its controls first.
    bool KeyPreview() const { return anteprimaTasti_; }
    void SetKeyPreview(bool attiva);

    // Every control created on this form or in its frames, in creation order.
    const std::vector<Control*>& Controls() const { return controlli_; }

    void Load();
    bool Loaded() const { return caricata_; }
    void Show(int modo = vbModeless);
    void Hide();
    // Unloads as code does (UnloadMode vbFormCode); false when a handler cancelled it.
    bool Unload();
    bool Visible() const;
    // Repaints the window at once.
    void Refresh();

    // For the layer's own controls.
    QMenuBar* MenuBar();
    QVBoxLayout* ToolbarArea() const;
    QVBoxLayout* StatusArea() const;
    void RegisterControl(Control* c);
    void UnregisterControl(Control* c);
    // Closing requested by the user (the close box): true when the window unloaded.
    bool CloseRequested();
    // A key typed in the window; true when the form consumed it.
    bool KeyTyped(int keyAscii);
    void Resized();

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_KeyPress(int& KeyAscii) { (void)KeyAscii; }
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) {
        (void)Cancel;
        (void)UnloadMode;
    }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }
    virtual void Form_Resize() {}

private:
    bool Scarica(int modo);
    int AltezzaBarre() const;
    // The frame's top left corner to a point of the screen, in pixels.
    void Sposta(const QPoint& cornice);
    // New size in pixels, the frame's top left corner staying where it is.
    void Ridimensiona(int larghezza, int altezza);
    // The frame's borders (title bar included) as Qt knows them by now: none
    // until a window manager has framed the window (offscreen a border of 2
    // pixels from the start).
    QMargins Bordi() const;
    // This window's borders once framed; until then those of another framed
    // window of the program, the likeliest ones it will get.
    QMargins BordiAttesi() const;
    bool Incorniciata() const;
    // Shown, neither minimised nor maximised.
    bool Normale() const;
    // The window as the window system shows it now (on X, as the server
    // shows it), in Qt's pixels.
    Vista Vede() const;
    // Where the frame's top left corner is now.
    QPoint PostoAttuale() const;
    QPoint PostoAttuale(const Vista& v) const;
    // What Left, Top, Width and Height tell: the wish while one stands.
    QPoint PostoCornice() const;
    QSize Dimensione() const;
    Ambiente AmbienteOra(const std::optional<Vista>& v) const;
    // The settling (platform/Assestamento.h): a new wish, which the window
    // gets at once where it is hidden (or minimised or maximised, as its
    // normal geometry), or is asked for where shown, as `v` shows it.
    std::optional<Vista> Desiderio();
    void Applica(const std::optional<Vista>& v);
    void Invia(const Richiesta& r);
    void Mostrata();
    // A report of the window system (a move or resize of the window), and
    // the check it brings; `riportato` false when the while of an unanswered
    // request ran out.
    void Riportato();
    void Verifica(bool riportato);
    void Attiva();
    friend class Spia;

    FormWidget* w_;
    QWidget* client_;
    QMenuBar* menu_ = nullptr;
    QVBoxLayout* barre_;
    QVBoxLayout* stato_;
    QEventLoop* ciclo_ = nullptr;
    QObject* filtroTasti_ = nullptr;
    std::vector<Control*> controlli_;
    bool caricata_ = false;
    bool inScarico_ = false;
    bool anteprimaTasti_ = false;
    Spia* spia_;
    plat::Assestamento assestamento_;
    int puntatore_ = vbDefault;
};

}  // namespace kenvaron::plat
