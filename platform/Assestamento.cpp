#include "platform/Assestamento.h"

#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "platform/Schermo.h"

namespace kenvaron::plat {

QRect InPixelQt(const QRect& nativa, double scala, const QPoint& origine) {
    const double f = 1.0 / scala;
    const QPoint p = nativa.topLeft() - origine;
    return {QPoint(qRound(p.x() * f), qRound(p.y() * f)) + origine,
            QSize(qRound(nativa.width() * f), qRound(nativa.height() * f))};
}

QMargins InPixelQt(const QMargins& nativi, double scala) {
    const double f = 1.0 / scala;
    return {qRound(nativi.left() * f), qRound(nativi.top() * f), qRound(nativi.right() * f),
            qRound(nativi.bottom() * f)};
}

bool BordiPlausibili(const QMargins& bordi, const QSize& schermo) {
    const qint64 l = bordi.left(), t = bordi.top(), r = bordi.right(), b = bordi.bottom();
    return l >= 0 && t >= 0 && r >= 0 && b >= 0 && l + r < schermo.width() && t + b < schermo.height();
}

Vista VistaDa(const RisposteX& r, double scala, const QRect& schermo) {
    Vista v;
    v.scala = scala;
    v.cliente = InPixelQt(r.cliente, scala, schermo.topLeft());
    v.visibile = r.mappata;
    v.incorniciata = r.incorniciata;
    if (!v.incorniciata) return v;
    if (r.estensioni) {
        // Numbers past the screen's size in the server's pixels are no
        // frame's, and are not turned into Qt's (nor into an int).
        const auto& e = *r.estensioni;
        const double limite = std::max(schermo.width(), schermo.height()) * scala;
        const bool entro = std::all_of(e.begin(), e.end(), [&](uint32_t x) { return x <= limite; });
        const QMargins detti = entro ? InPixelQt(QMargins(static_cast<int>(e[0]), static_cast<int>(e[2]),
                                                          static_cast<int>(e[1]), static_cast<int>(e[3])),
                                                 scala)
                                     : QMargins();
        if (entro && BordiPlausibili(detti, schermo.size())) {
            v.bordi = detti;
            return v;
        }
    }
    // Borders not told, or none a frame can have: those the frame shows
    // around the client area.
    v.bordiNoti = false;
    if (!r.cornice) return v;
    const QRect& c = *r.cornice;
    const QMargins visti = InPixelQt(QMargins(r.cliente.left() - c.left(), r.cliente.top() - c.top(),
                                              c.right() - r.cliente.right(), c.bottom() - r.cliente.bottom()),
                                     scala);
    if (BordiPlausibili(visti, schermo.size())) v.bordi = visti;
    v.bordiNoti = !v.bordi.isNull();
    return v;
}

QRect AreaIntera(const QRect& area, const QRect& schermo, double scala) {
    if (scala == std::floor(scala)) return area;
    // The screen's least size in the server's pixels that Qt rounds to the
    // size it tells, and the most of Qt's pixels from its origin that it holds.
    const auto intero = [scala](int qt) {
        const int nativo = static_cast<int>(std::ceil((qt - 0.5) * scala));
        return static_cast<int>(std::floor(nativo / scala + 1e-9));
    };
    QRect r = area;
    r.setRight(std::min(r.right(), schermo.left() + intero(schermo.width()) - 1));
    r.setBottom(std::min(r.bottom(), schermo.top() + intero(schermo.height()) - 1));
    return r;
}

namespace {

Rettangolo Cornice(const QPoint& posto, const QSize& dimensione, const QMargins& bordi) {
    return {posto.x(), posto.y(), dimensione.width() + bordi.left() + bordi.right(),
            dimensione.height() + bordi.top() + bordi.bottom()};
}

Rettangolo Area(const QRect& r) { return {r.x(), r.y(), r.width(), r.height()}; }

QPoint Angolo(const QMargins& bordi) { return {bordi.left(), bordi.top()}; }

// Whether what the server shows is the same as what was asked: to the pixel
// at a whole scale.  At a scale that is not whole, within one pixel: Qt
// rounds the borders and the client area apart, and a window manager keeps a
// size to the increments of whole server pixels that Qt gives it.
int Tolleranza(const Vista& v) { return v.scala == std::floor(v.scala) ? 0 : 1; }
bool Presso(const QPoint& a, const QPoint& b, int t) {
    return std::abs(a.x() - b.x()) <= t && std::abs(a.y() - b.y()) <= t;
}
bool Presso(const QSize& a, const QSize& b, int t) {
    return std::abs(a.width() - b.width()) <= t && std::abs(a.height() - b.height()) <= t;
}
bool Presso(const QRect& a, const QRect& b, int t) {
    return Presso(a.topLeft(), b.topLeft(), t) && Presso(a.size(), b.size(), t);
}

}  // namespace

void Assestamento::Inizia(const QSize& dimensione, const std::optional<Vista>& mostrata) {
    if (stato_ == Stato::Nascosta || InCorso()) return;
    richiesta_ = dimensione;
    piazzata_ = tieni_ = rientra_ = false;
    riparazioni_ = 0;
    if (!mostrata) {
        stato_ = Stato::Nascosta;
        return;
    }
    Osserva(*mostrata);
    stato_ = Giudicabile(*mostrata) ? Stato::Attesa : Stato::Creazione;
    if (mostrata->visibile) conosciuta_ = mostrata->cliente;
}

void Assestamento::Piazza(const QPoint& cornice) {
    posto_ = cornice;
    piazzata_ = true;
}

void Assestamento::Dimensiona(const QSize& dimensione) {
    richiesta_ = QSize(std::max(1, dimensione.width()), std::max(1, dimensione.height()));
}

void Assestamento::Tieni() { tieni_ = true; }

void Assestamento::Rientra(const QMargins& bordi, const Ambiente& a) {
    posto_ = Posto(bordi, a);
    piazzata_ = true;
    rientra_ = true;
}

QMargins Assestamento::Bordi(const Vista& v, const Ambiente& a) {
    if (!v.visibile || !v.incorniciata) return v.visibile ? QMargins() : a.bordiAttesi;
    return v.bordiNoti ? v.bordi : a.bordiAttesi;
}

int AlPasso(int lato, double scala) {
    if (scala == std::floor(scala)) return lato;
    const int passo = std::max(1, qRound(scala));
    for (int chiesto = lato;; ++chiesto) {
        const int nativo = qRound(chiesto * scala);
        if (qRound((nativo - nativo % passo) / scala) >= lato) return chiesto;
    }
}

QSize Assestamento::Dimensione(const QMargins& bordi, const Ambiente& a) const {
    const QSize chiesta = richiesta_.expandedTo(a.minima).boundedTo(a.massima);
    const QSize dimensione(AlPasso(chiesta.width(), a.scala), AlPasso(chiesta.height(), a.scala));
    if (!tieni_ || a.schermo.isEmpty()) return dimensione;
    // Cut to the screen, a size the window manager's step can only make
    // smaller still.
    const Rettangolo cornice = Cornice(piazzata_ ? posto_ : a.ora, dimensione, bordi);
    const Rettangolo r = EntroArea(cornice, Area(a.schermo));
    return (dimensione - QSize(cornice.width - r.width, cornice.height - r.height)).expandedTo(a.minima);
}

QPoint Assestamento::Posto(const QMargins& bordi, const Ambiente& a) const {
    const QPoint posto = piazzata_ ? posto_ : a.ora;
    if (!rientra_ || a.schermo.isEmpty()) return posto;
    const Rettangolo r = DentroArea(Cornice(posto, Dimensione(bordi, a), bordi), Area(a.schermo));
    return {r.left, r.top};
}

QRect Assestamento::Voluta(const Vista& v, const QMargins& bordi, const Ambiente& a) const {
    const QSize dimensione = Dimensione(bordi, a);
    if (!piazzata_) return {v.cliente.topLeft(), dimensione};
    return {Posto(bordi, a) + Angolo(bordi), dimensione};
}

std::optional<Richiesta> Assestamento::Applica(const Vista& v, const Ambiente& a) {
    if (!Vigile()) return std::nullopt;
    Osserva(v);
    if (!Giudicabile(v)) {
        // No frame known yet: the client area goes inside the frame the
        // window is likeliest to get (another framed window's), so that the
        // window manager frames it at the point.  With no borders to expect,
        // the frame's point is asked for as such.
        if (!piazzata_) return std::nullopt;
        const QPoint posto = Posto(a.bordiAttesi, a);
        const QSize dimensione = Dimensione(a.bordiAttesi, a);
        if (a.bordiAttesi.isNull()) return Richiesta{Richiesta::Modo::Cornice, {posto, dimensione}};
        return Richiesta{Richiesta::Modo::Cliente, {posto + Angolo(a.bordiAttesi), dimensione}};
    }
    const QMargins bordi = v.incorniciata ? v.bordi : QMargins();
    const QRect voluta = Voluta(v, bordi, a);
    if (!pendente_ && Presso(v.cliente, voluta, Tolleranza(v))) {
        stato_ = Stato::Mostrata;
        return std::nullopt;
    }
    if (piazzata_) return Richiesta{Richiesta::Modo::Cliente, voluta};
    // A window never placed: its size, unless that is on its way already.
    if (pendente_) return std::nullopt;
    return Richiesta{Richiesta::Modo::Dimensione, voluta};
}

void Assestamento::Mostrata(const QRect& creata) {
    const Richiesta creazione{Richiesta::Modo::Cornice, creata};
    numeroInviate_ = 0;
    inviate_[static_cast<std::size_t>(numeroInviate_++)] = creazione;
    conosciuta_ = creata;
    pendente_.reset();
    inquadrata_ = false;
    if (stato_ != Stato::Nascosta) return;
    stato_ = Stato::Creazione;
    pendente_ = creazione;
    ++richieste_;
}

void Assestamento::Inviata(const Richiesta& r) {
    inviate_[static_cast<std::size_t>(numeroInviate_++ % kInviate)] = r;
    pendente_ = r;
    ++richieste_;
    if (stato_ == Stato::Mostrata) stato_ = Stato::Attesa;
}

bool Assestamento::Mostra(const Richiesta& r, const Vista& v, const QMargins& bordi) const {
    const int t = Tolleranza(v);
    if (!Presso(v.cliente.size(), r.area.size(), t)) return false;
    if (!piazzata_ || r.modo == Richiesta::Modo::Dimensione) return true;
    const QPoint punto = r.modo == Richiesta::Modo::Cornice ? r.area.topLeft() + Angolo(bordi) : r.area.topLeft();
    return Presso(v.cliente.topLeft(), punto, t);
}

bool Assestamento::Spiegata(const Vista& v, const QMargins& bordi) const {
    // A request by the frame's point explains the client area inside a frame
    // there (or the client area there, with no frame).  A window the program
    // never placed is the window manager's to place.
    const int t = Tolleranza(v);
    const QPoint punto = v.cliente.topLeft();
    bool posto = !piazzata_ || Presso(punto, conosciuta_.topLeft(), t);
    bool dimensione = Presso(v.cliente.size(), conosciuta_.size(), t);
    for (int i = 0; i < std::min(numeroInviate_, kInviate); ++i) {
        const Richiesta& r = inviate_[static_cast<std::size_t>(i)];
        posto = posto || Presso(punto, r.area.topLeft(), t) ||
                (r.modo == Richiesta::Modo::Cornice && Presso(punto, r.area.topLeft() + Angolo(bordi), t));
        dimensione = dimensione || Presso(v.cliente.size(), r.area.size(), t);
    }
    return posto && dimensione;
}

std::optional<Richiesta> Assestamento::Verifica(const Vista& v, const Ambiente& a, bool riportato) {
    if (!Vigile()) return std::nullopt;
    if (!v.normale) {
        Fine();
        return std::nullopt;
    }
    Osserva(v);
    if (!riportato) {
        // The while of the newest request ran out: no late act on it can
        // come now, and the window stays where it is.
        Fine();
        return std::nullopt;
    }
    // Not yet shown by the server, framed with borders Qt has yet to learn,
    // or between window managers: nothing to judge.
    if (!Giudicabile(v)) return std::nullopt;
    const QMargins bordi = v.incorniciata ? v.bordi : QMargins();
    if (pendente_ && Mostra(*pendente_, v, bordi)) pendente_.reset();
    if (stato_ == Stato::Creazione && !pendente_) stato_ = Stato::Attesa;
    const QRect voluta = Voluta(v, bordi, a);
    if (Presso(v.cliente, voluta, Tolleranza(v))) {
        stato_ = Stato::Mostrata;
        conosciuta_ = v.cliente;
        return std::nullopt;
    }
    if (!Spiegata(v, bordi)) {
        // While a window manager frames the window it may show it on the
        // way: that waits for the while of the unanswered request.
        if (stato_ != Stato::Creazione) Fine();
        return std::nullopt;
    }
    conosciuta_ = v.cliente;
    // A window manager that has framed the window as one of the program's
    // requests is done creating it, and may have dropped a request made
    // meanwhile: that is asked again.
    if (stato_ == Stato::Creazione) {
        stato_ = Stato::Attesa;
        pendente_.reset();
    }
    // While a request is on its way the window manager is going there: only
    // once none is does the window get the wish again.
    if (pendente_) return std::nullopt;
    if (++riparazioni_ > kRiparazioni) {
        Fine();
        return std::nullopt;
    }
    if (!piazzata_) return Richiesta{Richiesta::Modo::Dimensione, voluta};
    return Richiesta{Richiesta::Modo::Cliente, voluta};
}

void Assestamento::Fine() {
    stato_ = Stato::Libera;
    piazzata_ = tieni_ = rientra_ = false;
    pendente_.reset();
}

}  // namespace kenvaron::plat
