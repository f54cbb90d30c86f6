// How a window settles where and as the program wants it.
//
// The program's wish (its frame's point where the program placed it, the
// size asked for, cut or moved onto the screen where asked) stands until the
// window system shows the window so, and Left/Top/Width/Height tell it until
// then.  A hidden window takes the wish when Qt creates it (its frame at the
// point).  A shown window is asked for it: by its frame's point while no frame
// is known, by its client area once framed.  Each report of the window system
// brings a check of the window as the X server shows it now:
//  - shown as wished: the wish is shown, and stands guarded for the while of
//    the program's newest request: a window manager's late act on one of the
//    program's older requests is answered with the wish again.  Once the
//    while has run out no such act can come: the wish ends, and any later
//    move stands wherever it lands, one of the program's earlier points
//    included;
//  - shown otherwise, as the program's requests explain it (a window manager
//    on its way to the newest one, or acting on an older one): the window gets
//    the wish again, once no request is on its way;
//  - shown as nothing the program asked for explains (a user's drag or resize,
//    another program's move, a window manager's own placement): the wish ends
//    and the window stays.  Only while a window manager frames a new window,
//    which it may show on the way, does such a report wait;
//  - not yet shown by the server, or framed with borders yet unknown: nothing
//    is judged.
// The while of the newest request running out brings a check with no report:
// the wish ends, shown by then or where the window is.
//
// The rule takes the server's answer as a value (Vista), in Qt's pixels, and
// answers what to ask for; it never talks to a window system itself.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>
#include <optional>

namespace kenvaron::plat {

// A window as the X server shows it, in Qt's device-independent pixels.
struct Vista {
    // The client area, on the screen.
    QRect cliente;
    // The frame's borders, title bar included: none where no frame is.
    QMargins bordi;
    // A window manager has put a frame around the window (the server has it
    // reparented), and whether its borders are known by now.
    bool incorniciata = false;
    bool bordiNoti = true;
    // The server shows the window (a window manager has mapped it).
    bool visibile = true;
    // Neither minimised nor maximised.
    bool normale = true;
    // Server pixels to one of Qt's.  At a scale that is not whole a frame
    // placed by its point shows its client area up to a pixel off the point
    // plus the borders, each rounded on its own.
    double scala = 1.0;
};

// What the rule needs of the screen and of the window to work out the wish:
// the screen's available area, the window's size limits, the borders a frame
// is likeliest to get while none is known (another framed window's), and
// (for a wish that never placed the window) where its frame stands now.
struct Ambiente {
    // Server pixels to one of Qt's.
    double scala = 1.0;
    QRect schermo;
    QSize minima{0, 0};
    QSize massima{16777215, 16777215};
    QMargins bordiAttesi;
    QPoint ora;
};

// A request to the window system.
struct Richiesta {
    enum class Modo {
        // The client area, point and size.
        Cliente,
        // The frame's point, and the size (a window with no known frame).
        Cornice,
        // The size alone, the client area staying where it stands.
        Dimensione,
    };
    Modo modo = Modo::Cliente;
    QRect area;
    bool operator==(const Richiesta&) const = default;
};

// Server pixels to Qt's: a point keeps its distance from the screen's origin
// divided by the scale, a size is divided by it, each rounded as Qt rounds.
QRect InPixelQt(const QRect& nativa, double scala, const QPoint& origine);
QMargins InPixelQt(const QMargins& nativi, double scala);
// Whether borders in Qt's pixels can be a frame's on a screen of this size:
// none negative, and narrower and lower than the screen together.  Another
// client may write any number where a window manager tells them.
bool BordiPlausibili(const QMargins& bordi, const QSize& schermo);

// What the X server answers of a window, in its own pixels.
struct RisposteX {
    // The client area, on the screen.
    QRect cliente;
    bool mappata = false;
    // Reparented away from the root window.
    bool incorniciata = false;
    // _NET_FRAME_EXTENTS as told: left, right, top, bottom.
    std::optional<std::array<uint32_t, 4>> estensioni;
    // The frame: the window on the root that holds the client window, where
    // asked for.
    std::optional<QRect> cornice;
};
// The window as the answers show it, in Qt's pixels, on a screen whose
// origin and size (in Qt's pixels) are given.  The borders are those told,
// where they can be a frame's; where none are told, or none a frame can
// have, those between the frame and the client area, where the frame is
// known; else the borders are not known.
Vista VistaDa(const RisposteX& r, double scala, const QRect& schermo);

// The part of `area` (of the screen `schermo`, in Qt's pixels) whose every
// pixel lies on the screen in the server's: at a scale that is not whole Qt
// rounds the screen's size to the nearest of its pixels, which may end half
// a pixel past it.
QRect AreaIntera(const QRect& area, const QRect& schermo, double scala);

// The length in Qt's pixels to ask for, for a window to be at least `lato`
// long.  At a scale that is not whole Qt tells a window manager to keep a
// window's size to steps of the scale rounded (2 server pixels at 1.5), and
// the manager takes the step at or below the size asked for.
int AlPasso(int lato, double scala);

class Assestamento {
public:
    enum class Stato {
        // No wish: the window is where and as the window system shows it.
        Libera,
        // A wish for a hidden window, which Qt creates with it.
        Nascosta,
        // Shown, and a window manager is framing it: reports that nothing
        // explains wait for the while of an unanswered request.
        Creazione,
        // Framed, a request of the program's on its way.
        Attesa,
        // Shown as wished, and guarded until the while of the newest
        // request runs out.
        Mostrata,
    };

    Stato Fase() const { return stato_; }
    // A wish stands (hidden, settling, or shown and guarded).
    bool Desiderio() const { return stato_ != Stato::Libera; }
    // Settling: a wish stands that the window system has yet to show.
    bool InCorso() const { return stato_ == Stato::Creazione || stato_ == Stato::Attesa; }
    // The while of the newest request runs: the wish settles, or is shown
    // and guarded.
    bool Vigile() const { return InCorso() || stato_ == Stato::Mostrata; }
    // A request of the program's is on its way: the window system has yet to
    // show it (the while of an unanswered request runs).
    bool Pendente() const { return pendente_.has_value(); }
    // Counts the requests, so that the while of an unanswered one restarts
    // with each new one.
    int Richieste() const { return richieste_; }

    // The wish.  A new one starts from the window as it stands (its size,
    // and as the server shows it where it is shown) unless one is still
    // settling, which it changes.  A window not yet shown framed (a window
    // manager maps and frames it) is still being created.
    void Inizia(const QSize& dimensione, const std::optional<Vista>& mostrata);
    void Piazza(const QPoint& cornice);
    void Dimensiona(const QSize& dimensione);
    void Tieni();
    void Rientra(const QMargins& bordi, const Ambiente& a);
    bool Piazzata() const { return piazzata_; }
    // Where the wish wants the frame's point, and the window's size, with
    // these borders.
    QPoint Posto(const QMargins& bordi, const Ambiente& a) const;
    QSize Dimensione(const QMargins& bordi, const Ambiente& a) const;
    // The borders the wish is worked out with: the frame's once known, the
    // likeliest ones until then.
    static QMargins Bordi(const Vista& v, const Ambiente& a);
    // Whether a frame is known: the window is framed with borders known, or
    // shown by the server with no frame at all (no window manager).
    static bool CorniceNota(const Vista& v) { return v.visibile && (!v.incorniciata || v.bordiNoti); }
    // Whether the window can be judged as shown: its frame is known, and it
    // is framed if a window manager framed it since it was shown.  A window
    // that lost its frame is changing hands between window managers (one
    // ends, or another replaces it, which frames it anew where its client
    // area stands): nothing is judged until it is framed again.
    bool Giudicabile(const Vista& v) const { return CorniceNota(v) && (v.incorniciata || !inquadrata_); }
    // A window manager framed the window.
    void Inquadrata() { inquadrata_ = true; }

    // What to ask of a shown window for the wish: by its frame's point while
    // no frame is known, else by its client area, and only where the server
    // does not show it so already and no other request is on its way (a
    // request for where the window is may move a frame, and may bring no
    // report at all).  None when nothing is to be asked.
    std::optional<Richiesta> Applica(const Vista& v, const Ambiente& a);
    // The window was shown: Qt created it with its client area at `creata`,
    // by its frame's point where the program placed it.
    void Mostrata(const QRect& creata);
    // A request sent to the window system.
    void Inviata(const Richiesta& r);
    // A check of the window as the server shows it; `riportato` when it
    // follows a report of the window system, false when the while of the
    // newest request ran out.  Answers what to ask for, if anything.
    std::optional<Richiesta> Verifica(const Vista& v, const Ambiente& a, bool riportato);
    // The wish is over (the window hidden, minimised or maximised).
    void Fine();

private:
    static constexpr int kInviate = 8;
    // A window manager that keeps acting on older requests gets this many
    // repairs.
    static constexpr int kRiparazioni = 20;

    // The client area the wish wants with these borders (at the window's
    // point where the program never placed it).
    QRect Voluta(const Vista& v, const QMargins& bordi, const Ambiente& a) const;
    // Whether the window as shown shows request `r` (its size alone where
    // the wish never placed the window).
    bool Mostra(const Richiesta& r, const Vista& v, const QMargins& bordi) const;
    // Whether the program's requests, or the last check for a part of a
    // report in steps, explain the window as shown.
    bool Spiegata(const Vista& v, const QMargins& bordi) const;

    Stato stato_ = Stato::Libera;
    bool piazzata_ = false;
    QPoint posto_;
    QSize richiesta_;
    // KeepOnScreen and MoveOnScreen.
    bool tieni_ = false;
    bool rientra_ = false;
    // The requests since the window was shown, the newest kInviate of them,
    // its creation first: a window manager may act on one late.
    std::array<Richiesta, kInviate> inviate_{};
    int numeroInviate_ = 0;
    int richieste_ = 0;
    std::optional<Richiesta> pendente_;
    // The client area as the server last showed it where the program's
    // requests explained it: a report in steps (the size first, then the
    // point) explains each part by it.
    QRect conosciuta_;
    int riparazioni_ = 0;
    // Framed by a window manager since it was shown.
    bool inquadrata_ = false;
    void Osserva(const Vista& v) {
        if (v.visibile && v.incorniciata) inquadrata_ = true;
    }
};

}  // namespace kenvaron::plat
