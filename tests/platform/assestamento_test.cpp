// The settling of a window, case by case, with no window system: the rule is
// given what the X server would show and says what it would ask for.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

#include "platform/Assestamento.h"
#include "platform/NotizieX.h"

namespace kenvaron::plat {

void PrintTo(const Richiesta& r, std::ostream* os) {
    *os << "modo " << static_cast<int>(r.modo) << " (" << r.area.x() << ", " << r.area.y() << ", "
        << r.area.width() << " x " << r.area.height() << ')';
}

namespace {

using Stato = Assestamento::Stato;
using Modo = Richiesta::Modo;

const QMargins kBordi(1, 20, 1, 4);
const QSize kDimensione(300, 200);

// What the server shows: a framed window's client area.
Vista Incorniciata(const QPoint& cliente, const QSize& dimensione = kDimensione) {
    Vista v;
    v.cliente = QRect(cliente, dimensione);
    v.bordi = kBordi;
    v.incorniciata = true;
    return v;
}
// Its client area for a frame at `cornice`.
QPoint In(const QPoint& cornice) { return cornice + QPoint(kBordi.left(), kBordi.top()); }

class Assestare : public ::testing::Test {
protected:
    Assestare() { a.schermo = QRect(0, 0, 1024, 768); }

    // A hidden window placed at `cornice`, then shown: Qt creates it there.
    void CreataA(const QPoint& cornice) {
        s.Inizia(kDimensione, std::nullopt);
        s.Piazza(cornice);
        s.Mostrata(QRect(cornice, kDimensione));
    }
    // Shown, then settled as wished at `cornice`.
    void MostrataA(const QPoint& cornice) {
        CreataA(cornice);
        ASSERT_EQ(s.Verifica(Incorniciata(In(cornice)), a, true), std::nullopt);
        ASSERT_EQ(s.Fase(), Stato::Mostrata);
    }

    // Settled at `da`, then placed at `posto` and asked for it.
    void SpostataA(const QPoint& da, const QPoint& posto) {
        MostrataA(da);
        s.Inizia(kDimensione, Incorniciata(In(da)));
        s.Piazza(posto);
        s.Inviata({Modo::Cliente, {In(posto), kDimensione}});
    }

    Assestamento s;
    Ambiente a;
};

TEST(InPixelQt, ServerPixelsBecomeQtsAsQtRoundsThem) {
    EXPECT_EQ(InPixelQt(QRect(902, 40, 1144, 1102), 2.0, {}), QRect(451, 20, 572, 551));
    // Around the screen's origin, which is the same in both.
    EXPECT_EQ(InPixelQt(QRect(1224, 40, 200, 100), 2.0, {1024, 0}), QRect(1124, 20, 100, 50));
    // At 1.5 each value rounds on its own, halves away from zero.
    EXPECT_EQ(InPixelQt(QRect(47, 26, 933, 827), 1.5, {}), QRect(31, 17, 622, 551));
    EXPECT_EQ(InPixelQt(QMargins(1, 20, 1, 5), 2.0), QMargins(1, 10, 1, 3));
    EXPECT_EQ(InPixelQt(QMargins(1, 20, 1, 4), 1.5), QMargins(1, 13, 1, 3));
    // A window manager keeps to steps of 2 server pixels at 1.5: 622 would
    // be 933, shown as 932, 621 of Qt's; 623 is 935, shown as 934, 623.
    EXPECT_EQ(AlPasso(622, 1.5), 623);
    EXPECT_EQ(AlPasso(551, 1.5), 551);
    EXPECT_EQ(AlPasso(622, 2.0), 622);
}

// Borders are taken as a window manager tells them, or as Qt works them out
// where none are told, only where they can be a frame's: another client may
// write any number there.  Numbers that are no frame's leave the borders
// unknown, and past an int's range are never turned into one.
TEST(VistaDa, BordersThatCanBeNoFramesAreNotKnown) {
    const QRect schermo(0, 0, 1024, 768);
    RisposteX r;
    r.cliente = QRect(451, 20, 572, 551);
    r.mappata = r.incorniciata = true;
    r.estensioni = std::array<uint32_t, 4>{1, 1, 20, 4};
    Vista v = VistaDa(r, 1.0, schermo);
    EXPECT_TRUE(v.bordiNoti);
    EXPECT_EQ(v.bordi, QMargins(1, 20, 1, 4));
    r.cliente = QRect(902, 40, 1144, 1102);
    r.estensioni = std::array<uint32_t, 4>{2, 2, 40, 8};
    v = VistaDa(r, 2.0, schermo);
    EXPECT_EQ(v.cliente, QRect(451, 20, 572, 551));
    EXPECT_EQ(v.bordi, QMargins(1, 20, 1, 4));
    // Told ones that no frame can have: those the frame shows, where known.
    const QRect cornice(900, 0, 1148, 1150);
    for (const std::array<uint32_t, 4>& e : {std::array<uint32_t, 4>{65535, 65535, 65535, 65535},
                                             std::array<uint32_t, 4>{0, 0, 65535, 0},
                                             std::array<uint32_t, 4>{1200, 1200, 20, 4},
                                             std::array<uint32_t, 4>{0x7fffffff, 0x7fffffff, 0x7fffffff, 0x7fffffff},
                                             std::array<uint32_t, 4>{0x80000000, 0x80000000, 0x80000000, 0x80000000}}) {
        r.estensioni = e;
        r.cornice.reset();
        v = VistaDa(r, 2.0, schermo);
        EXPECT_FALSE(v.bordiNoti) << e[0] << " " << e[2];
        EXPECT_EQ(v.bordi, QMargins());
        r.cornice = cornice;
        v = VistaDa(r, 2.0, schermo);
        EXPECT_TRUE(v.bordiNoti) << e[0] << " " << e[2];
        EXPECT_EQ(v.bordi, QMargins(1, 20, 1, 4));
    }
    // None told: those the frame shows, where they can be a frame's.
    r.estensioni.reset();
    v = VistaDa(r, 2.0, schermo);
    EXPECT_TRUE(v.bordiNoti);
    EXPECT_EQ(v.bordi, QMargins(1, 20, 1, 4));
    r.cornice = QRect(904, 0, 1148, 1150);
    EXPECT_FALSE(VistaDa(r, 2.0, schermo).bordiNoti);
    r.cornice = r.cliente;
    EXPECT_FALSE(VistaDa(r, 2.0, schermo).bordiNoti);
    // Not framed: no borders, and none to wait for.
    r.incorniciata = false;
    r.estensioni = std::array<uint32_t, 4>{65535, 65535, 65535, 65535};
    v = VistaDa(r, 1.0, schermo);
    EXPECT_TRUE(v.bordiNoti);
    EXPECT_EQ(v.bordi, QMargins());
}

// The notices a window manager's answer brings on the program's window
// (sent ones too) are reports; notices on other windows, and other
// properties, are not.
TEST(RiportoX, TheServersNoticesOnTheWindowAreReports) {
    constexpr uint32_t kFinestra = 0x400006, kAltra = 0x400101, kBordi = 300;
    xcb_configure_notify_event_t configura{};
    configura.response_type = XCB_CONFIGURE_NOTIFY | 0x80;
    configura.window = kFinestra;
    xcb_reparent_notify_event_t cornice{};
    cornice.response_type = XCB_REPARENT_NOTIFY;
    cornice.window = kFinestra;
    xcb_map_notify_event_t mappa{};
    mappa.response_type = XCB_MAP_NOTIFY;
    mappa.window = kFinestra;
    xcb_property_notify_event_t bordi{};
    bordi.response_type = XCB_PROPERTY_NOTIFY;
    bordi.window = kFinestra;
    bordi.atom = kBordi;
    const auto riporto = [](const auto& e, uint32_t finestra) {
        return RiportoX(reinterpret_cast<const xcb_generic_event_t&>(e), finestra, kBordi);
    };
    EXPECT_TRUE(riporto(configura, kFinestra));
    EXPECT_TRUE(riporto(cornice, kFinestra));
    EXPECT_TRUE(riporto(mappa, kFinestra));
    EXPECT_TRUE(riporto(bordi, kFinestra));
    EXPECT_FALSE(riporto(configura, kAltra));
    EXPECT_FALSE(riporto(cornice, kAltra));
    EXPECT_FALSE(riporto(mappa, kAltra));
    EXPECT_FALSE(riporto(bordi, kAltra));
    bordi.atom = kBordi + 1;
    EXPECT_FALSE(riporto(bordi, kFinestra));
    xcb_unmap_notify_event_t nascosta{};
    nascosta.response_type = XCB_UNMAP_NOTIFY;
    nascosta.window = kFinestra;
    EXPECT_FALSE(riporto(nascosta, kFinestra));
}

// At 1.5 a screen of 1600 x 1200 server pixels is 1067 x 800 of Qt's, the
// last column of which ends half a pixel past the screen: a window ends
// before it.
TEST(AreaIntera, AtAScaleThatIsNotWholeTheAreaEndsOnTheScreen) {
    const QRect schermo(0, 0, 1067, 800);
    EXPECT_EQ(AreaIntera(schermo, schermo, 1.5), QRect(0, 0, 1066, 800));
    EXPECT_EQ(AreaIntera(QRect(0, 30, 1067, 770), schermo, 1.5), QRect(0, 30, 1066, 770));
    EXPECT_EQ(AreaIntera(QRect(0, 0, 1000, 700), schermo, 1.5), QRect(0, 0, 1000, 700));
    EXPECT_EQ(AreaIntera(QRect(1024, 0, 1024, 768), QRect(1024, 0, 1024, 768), 2.0), QRect(1024, 0, 1024, 768));
}

// A window manager framing a new window may show it on the way, or not show
// it yet, or frame it before telling its borders: nothing of that is judged.
// Framed at the point, the window is shown as wished, and nothing is asked.
TEST_F(Assestare, ANewWindowWaitsWhileFramedAndSettlesAtThePoint) {
    const QPoint posto(7, 5);
    CreataA(posto);
    EXPECT_EQ(s.Fase(), Stato::Creazione);
    Vista nascosta = Incorniciata(posto);
    nascosta.visibile = false;
    EXPECT_EQ(s.Verifica(nascosta, a, true), std::nullopt);
    Vista senzaBordi = Incorniciata(In(posto));
    senzaBordi.bordiNoti = false;
    EXPECT_EQ(s.Verifica(senzaBordi, a, true), std::nullopt);
    EXPECT_EQ(s.Verifica(Incorniciata({1, 19}), a, true), std::nullopt);
    EXPECT_TRUE(s.InCorso());
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Mostrata);
    EXPECT_FALSE(s.Pendente());
}

// A window manager that places the window itself (a rule of its own, or
// another program's move while it frames it) is never undone: the report
// waits, a second report there is explained by nothing either, and the while
// of the unanswered request ends the wish where the window is.
TEST_F(Assestare, AWindowManagersOwnPlacementIsKept) {
    CreataA({0, 0});
    const Vista altrove = Incorniciata(In({300, 150}));
    EXPECT_EQ(s.Verifica(altrove, a, true), std::nullopt);
    EXPECT_EQ(s.Verifica(altrove, a, true), std::nullopt);
    EXPECT_TRUE(s.InCorso());
    EXPECT_EQ(s.Verifica(altrove, a, false), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);
}

// A check with no report never repairs: a window shown as an older request
// once the while has run out stays where it is.
TEST_F(Assestare, ACheckWithNoReportEndsTheWishRatherThanRepairing) {
    MostrataA({7, 5});
    s.Inizia(kDimensione, Incorniciata(In({7, 5})));
    s.Piazza({100, 100});
    ASSERT_EQ(s.Applica(Incorniciata(In({7, 5})), a), (Richiesta{Modo::Cliente, {In({100, 100}), kDimensione}}));
    s.Inviata({Modo::Cliente, {In({100, 100}), kDimensione}});
    EXPECT_EQ(s.Verifica(Incorniciata(In({7, 5})), a, false), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);
}

// Once shown, the wish stands guarded for the while of the newest request: a
// window manager acting late on an older request (the size the window was
// created with, a point asked before) gets the wish again; a user's move or
// resize, which no request explains, ends it and stays.  Once the while has
// run out, a move onto one of the program's earlier points stays too.
TEST_F(Assestare, AShownWishIsGuardedAgainstLateActsOnly) {
    const QPoint posto(7, 5);
    SpostataA({0, 0}, posto);
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, true), std::nullopt);
    ASSERT_EQ(s.Fase(), Stato::Mostrata);
    EXPECT_EQ(s.Verifica(Incorniciata(In({0, 0})), a, true), (Richiesta{Modo::Cliente, {In(posto), kDimensione}}));
    s.Inviata({Modo::Cliente, {In(posto), kDimensione}});
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, true), std::nullopt);
    ASSERT_EQ(s.Fase(), Stato::Mostrata);
    EXPECT_EQ(s.Verifica(Incorniciata(In({40, 30})), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);

    MostrataA(posto);
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto), {350, 260}), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);

    SpostataA({0, 0}, posto);
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, true), std::nullopt);
    ASSERT_EQ(s.Fase(), Stato::Mostrata);
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, false), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);
    EXPECT_EQ(s.Verifica(Incorniciata(In({0, 0})), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Libera);
}

// A window manager replaced while a wish stands unframes the window, and the
// new one frames it where its client area stands: the window without its
// frame is not judged (with no frame its point would be the client area's),
// and framed again where wished it is shown as wished.
TEST_F(Assestare, AWindowBetweenWindowManagersIsNotJudged) {
    const QPoint posto(450, 0);
    SpostataA({0, 0}, posto);
    Vista senzaCornice = Incorniciata(In(posto));
    senzaCornice.incorniciata = false;
    senzaCornice.bordi = QMargins();
    EXPECT_EQ(s.Verifica(senzaCornice, a, true), std::nullopt);
    EXPECT_TRUE(s.InCorso());
    EXPECT_EQ(s.Verifica(Incorniciata(In(posto)), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Mostrata);
}

// A window never placed is the window manager's to place: only its size is
// wished, and a late act on the size it was created with is put right.
TEST_F(Assestare, AWindowNeverPlacedIsWishedAtItsSizeWhereverItStands) {
    s.Mostrata(QRect({0, 0}, kDimensione));
    s.Inizia(kDimensione, Incorniciata(In({200, 100})));
    s.Dimensiona({120, 80});
    s.Inviata({Modo::Cliente, {In({200, 100}), QSize(120, 80)}});
    EXPECT_EQ(s.Verifica(Incorniciata(In({500, 300}), {120, 80}), a, true), std::nullopt);
    ASSERT_EQ(s.Fase(), Stato::Mostrata);
    EXPECT_EQ(s.Verifica(Incorniciata(In({500, 300})), a, true),
              (Richiesta{Modo::Dimensione, {In({500, 300}), QSize(120, 80)}}));
}

// While a request is on its way, a window manager showing an older one is on
// its way there: nothing is asked until the newest is shown.  Shown as the
// newest but not as wished (its borders made the cut differ), the window
// gets the wish.
TEST_F(Assestare, ARepairWaitsForTheNewestRequest) {
    MostrataA({7, 5});
    s.Inizia(kDimensione, Incorniciata(In({7, 5})));
    s.Piazza({100, 100});
    s.Inviata({Modo::Cliente, {In({100, 100}), kDimensione}});
    s.Piazza({200, 100});
    EXPECT_EQ(s.Applica(Incorniciata(In({7, 5})), a), (Richiesta{Modo::Cliente, {In({200, 100}), kDimensione}}));
    s.Inviata({Modo::Cliente, {In({200, 100}), kDimensione}});
    EXPECT_EQ(s.Verifica(Incorniciata(In({100, 100})), a, true), std::nullopt);
    EXPECT_TRUE(s.Pendente());
    EXPECT_EQ(s.Verifica(Incorniciata(In({200, 100})), a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Mostrata);

    s.Inizia(kDimensione, Incorniciata(In({200, 100})));
    s.Piazza({200, 100});
    s.Dimensiona({2000, 200});
    s.Tieni();
    s.Inviata({Modo::Cliente, {In({200, 100}), QSize(2000, 200)}});
    EXPECT_EQ(s.Verifica(Incorniciata(In({200, 100}), {2000, 200}), a, true),
              (Richiesta{Modo::Cliente, {In({200, 100}), QSize(1024 - 200 - 2, 200)}}));
}

// A move and a move back at once: the second is asked although the server
// still shows the window there, since the first is on its way.
TEST_F(Assestare, AMoveBackWhileAMoveIsOnItsWayIsAsked) {
    MostrataA({7, 5});
    s.Inizia(kDimensione, Incorniciata(In({7, 5})));
    s.Piazza({0, 0});
    const auto via = s.Applica(Incorniciata(In({7, 5})), a);
    ASSERT_TRUE(via.has_value());
    s.Inviata(*via);
    s.Piazza({7, 5});
    EXPECT_EQ(s.Applica(Incorniciata(In({7, 5})), a), (Richiesta{Modo::Cliente, {In({7, 5}), kDimensione}}));
    // Asked where it is shown, with nothing on its way, it is shown at once.
    Assestamento ferma;
    ferma.Mostrata(QRect(In({7, 5}), kDimensione));
    ferma.Inizia(kDimensione, Incorniciata(In({7, 5})));
    ferma.Piazza({7, 5});
    EXPECT_EQ(ferma.Applica(Incorniciata(In({7, 5})), a), std::nullopt);
    EXPECT_EQ(ferma.Fase(), Stato::Mostrata);
}

// A window shown but not framed yet is asked for by its frame's point: inside
// the borders another framed window has, or as a frame's point where none is
// known, at any scale.  A window manager that
// frames it where it was created (dropping the move made meanwhile) is asked
// again.  With no window manager it settles with no frame.
TEST_F(Assestare, AWindowNotYetFramedIsPlacedByItsFramesPoint) {
    const QPoint posto(210, 150);
    s.Mostrata(QRect({0, 0}, kDimensione));
    Vista nonIncorniciata = Incorniciata({0, 0});
    nonIncorniciata.visibile = false;
    s.Inizia(kDimensione, nonIncorniciata);
    s.Piazza(posto);
    EXPECT_EQ(s.Fase(), Stato::Creazione);
    EXPECT_EQ(s.Applica(nonIncorniciata, a), (Richiesta{Modo::Cornice, {posto, kDimensione}}));
    Ambiente conAttesi = a;
    conAttesi.bordiAttesi = kBordi;
    EXPECT_EQ(s.Applica(nonIncorniciata, conAttesi), (Richiesta{Modo::Cliente, {In(posto), kDimensione}}));
    Vista scalata = nonIncorniciata;
    scalata.scala = 2.0;
    EXPECT_EQ(s.Applica(scalata, a), (Richiesta{Modo::Cornice, {posto, kDimensione}}));
    s.Inviata({Modo::Cornice, {posto, kDimensione}});
    EXPECT_EQ(s.Verifica(Incorniciata(In({0, 0})), a, true), (Richiesta{Modo::Cliente, {In(posto), kDimensione}}));

    Assestamento libera;
    libera.Inizia(kDimensione, std::nullopt);
    libera.Piazza(posto);
    libera.Mostrata(QRect(posto, kDimensione));
    Vista senzaGestore;
    senzaGestore.cliente = QRect(posto, kDimensione);
    EXPECT_EQ(libera.Verifica(senzaGestore, a, true), std::nullopt);
    EXPECT_EQ(libera.Fase(), Stato::Mostrata);
}

// At a scale that is not whole the server shows a request within a pixel of
// it (Qt rounds borders and areas apart, a window manager keeps to whole
// server pixels); at a whole scale to the pixel.
TEST_F(Assestare, OnlyAScaleThatIsNotWholeShowsARequestWithinAPixel) {
    CreataA({31, 17});
    Vista v = Incorniciata(In({31, 18}), {299, 200});
    v.scala = 1.5;
    EXPECT_EQ(s.Verifica(v, a, true), std::nullopt);
    EXPECT_EQ(s.Fase(), Stato::Mostrata);

    Assestamento intera;
    intera.Inizia(kDimensione, std::nullopt);
    intera.Piazza({31, 17});
    intera.Mostrata(QRect({31, 17}, kDimensione));
    v.scala = 2.0;
    EXPECT_EQ(intera.Verifica(v, a, true), std::nullopt);
    EXPECT_EQ(intera.Fase(), Stato::Creazione);
}

}  // namespace
}  // namespace kenvaron::plat
