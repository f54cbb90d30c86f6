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

#include <QElapsedTimer>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <string>
#include <vector>

class QWidget;
class QMenuBar;
class QVBoxLayout;
class QEventLoop;
class QObject;
class QTimer;

namespace kenvaron::plat {

class Control;
class Form;
class FormWidget;

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

// A rectangle of the screen: its left and top edges and its size, in one unit.
struct Rettangolo {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rettangolo&) const = default;
};

// `finestra` made narrower or shorter where it would end past the right or
// bottom edge of `area`, so that it ends there.  Its left and top never move,
// and it never grows; along an edge that it starts beyond, it keeps its size
// (no size would bring it back).
Rettangolo EntroArea(const Rettangolo& finestra, const Rettangolo& area);

// A window of Qt's own (a dialog) that grows while shown past the right or
// bottom edge of its screen's available area moves back, so that its frame
// ends there, as far as the left and top edges allow.
void TieniSulloSchermo(QWidget* finestra);

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
    // twips; while the window settles, where and as the program put it.
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
    // A shown window whose frame would end past the right or bottom edge of
    // its screen's available area becomes narrower or shorter, so that it ends
    // there (EntroArea); it is never moved.  Where a window manager has yet to
    // frame the window, it does so again once the frame is known.
    void KeepOnScreen();
    // The window is settling: the program showed, placed or resized it, and
    // its frame has yet to stand where and as the program put it.
    bool Assestamento() const;
    // How many looks in a row the settling window has stood as it should (a
    // look every pass of the event loop at the most).
    int PassiFermi() const { return ferma_; }
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
    // The frame, title bar included, as the window system knows it by now:
    // the window itself until a window manager has framed it (offscreen the
    // frame is a border of 2 pixels from the start).
    QRect Cornice() const;
    QMargins Bordi() const;
    bool Incorniciata() const;
    // How much narrower and shorter a window of `dimensione` whose frame
    // starts at `posto` must be to end within `area`.
    QSize Ritaglio(const QPoint& posto, const QSize& dimensione, const QRect& area) const;
    // Where the frame's top left corner belongs, and the size the window
    // should have, now.
    QPoint PostoCornice() const;
    QSize Dimensione() const;
    // The size and client area the settling window should have: the size
    // asked for, cut where KeepOnScreen asked for it with the frame's
    // borders known by now.
    QSize DimensioneVoluta() const;
    QRect GeometriaVoluta() const;
    // Settling, from a showing, move or resize of the program's own: until
    // the frame has stood for a while where the program placed it (where the
    // window manager put it, if the program never did), at the size it asked
    // for, and ending on the screen if KeepOnScreen asked for it, it is put
    // back there whatever the window manager did with earlier requests.
    // Once settled, the window stays wherever the user moves it.
    void Assesta();
    void PassoAssestamento();
    void FineAssestamento();
    void Attiva();

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
    QTimer* assestamento_;
    QElapsedTimer durataAssestamento_;
    // The program placed the frame at posto_; the window has yet to settle there.
    bool piazzata_ = false;
    QPoint posto_;
    // The size the program asked for, while the window settles.
    QSize richiesta_;
    // KeepOnScreen ran before the frame was known, or while the window
    // settles: the settled window ends on the screen.
    bool tieni_ = false;
    // Steps for which the window has stood as it should, and the repairs made.
    int ferma_ = 0;
    int riparazioni_ = 0;
    int puntatore_ = vbDefault;
};

}  // namespace kenvaron::plat
