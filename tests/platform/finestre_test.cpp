// Windows: loading, modal showing without a person, activation, closing and its
// cancellation, key preview and the resize rule.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/Units.h"

namespace kenvaron::plat {

void PrintTo(const Rettangolo& r, std::ostream* os) {
    *os << '(' << r.left << ", " << r.top << ", " << r.width << " x " << r.height << ')';
}

namespace {

// A window that writes its events into a shared log.
class Registrata : public Form {
public:
    Registrata(std::vector<std::string>& log, std::string nome) : log_(log), nome_(std::move(nome)) {}
    std::function<void()> allAttivazione;
    int annullaChiusura = 0;
    int ultimoModo = -1;
    std::vector<int> tasti;
    int azzeraTasto = 0;

protected:
    void Form_Load() override { log_.push_back(nome_ + ".load"); }
    void Form_Activate() override {
        log_.push_back(nome_ + ".activate");
        if (allAttivazione) {
            auto f = std::move(allAttivazione);
            f();
        }
    }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        log_.push_back(nome_ + ".queryunload");
        ultimoModo = UnloadMode;
        Cancel = annullaChiusura;
    }
    void Form_Unload(int&) override { log_.push_back(nome_ + ".unload"); }
    void Form_KeyPress(int& KeyAscii) override {
        tasti.push_back(KeyAscii);
        if (KeyAscii == azzeraTasto) KeyAscii = 0;
    }
    void Form_Resize() override {
        if (WindowState() == vbMaximized) SetWindowState(vbNormal);
    }

private:
    std::vector<std::string>& log_;
    std::string nome_;
};

class Finestre : public ::testing::Test {
protected:
    RisponditoreProgrammato risposte;
    RisponditoreInUso inUso{risposte};
    std::vector<std::string> log;
};

TEST_F(Finestre, AModalWindowIsLoadedActivatedAndClosedByTheResponder) {
    Registrata f(log, "f");
    f.Show(vbModal);
    EXPECT_EQ(log, (std::vector<std::string>{"f.load", "f.activate", "f.queryunload", "f.unload"}));
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.ultimoModo, vbFormCode);
    ASSERT_EQ(risposte.domandati.size(), 1u);
    EXPECT_EQ(risposte.domandati[0].tipo, "finestra");
}

TEST_F(Finestre, AModalWindowRunsItsOwnLoopUntilAButtonUnloadsIt) {
    Registrata f(log, "f");
    CommandButton ok(f, "OK");
    ok.Click = [&] { f.Unload(); };
    bool nelCiclo = false;
    risposte.finestraModale = [&](Form& finestra) {
        EXPECT_TRUE(finestra.Visible());
        // The click arrives from the event loop, after Show has started waiting.
        QTimer::singleShot(0, [&] {
            nelCiclo = true;
            QTest::mouseClick(ok.Widget(), Qt::LeftButton);
        });
    };
    f.Show(vbModal);
    EXPECT_TRUE(nelCiclo);
    EXPECT_FALSE(f.Loaded());
}

TEST_F(Finestre, ClosingAChildWindowActivatesTheWindowBeneathAgain) {
    Registrata principale(log, "main"), figlia(log, "child");
    principale.allAttivazione = [&] { figlia.Show(vbModal); };
    principale.Show(vbModal);
    EXPECT_EQ(log, (std::vector<std::string>{"main.load", "main.activate", "child.load", "child.activate",
                                             "child.queryunload", "child.unload", "main.activate",
                                             "main.queryunload", "main.unload"}));
}

TEST_F(Finestre, TheCloseBoxAsksFirstAndCanBeRefused) {
    Registrata f(log, "f");
    f.Show();
    f.annullaChiusura = 1;
    EXPECT_FALSE(f.Widget()->close());
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(f.Loaded());
    EXPECT_EQ(f.ultimoModo, vbFormControlMenu);
    f.annullaChiusura = 0;
    EXPECT_TRUE(f.Widget()->close());
    EXPECT_FALSE(f.Loaded());
    EXPECT_FALSE(f.Unload() == false);  // unloading an unloaded window is harmless
}

TEST_F(Finestre, HidingAModalWindowEndsItsShowAndKeepsItLoaded) {
    Registrata f(log, "f");
    risposte.finestraModale = [](Form& finestra) { QTimer::singleShot(0, [&] { finestra.Hide(); }); };
    f.Show(vbModal);
    EXPECT_TRUE(f.Loaded());
    EXPECT_FALSE(f.Visible());
    f.Load();
    EXPECT_EQ(std::count(log.begin(), log.end(), "f.load"), 1);
}

TEST_F(Finestre, KeyPreviewSeesTheKeysOfEveryControlFirst) {
    Registrata f(log, "f");
    TextBox testo(f);
    f.Show();
    QTest::keyClick(testo.Widget(), Qt::Key_A);
    EXPECT_TRUE(f.tasti.empty());
    EXPECT_EQ(testo.Text(), "a");

    f.SetKeyPreview(true);
    f.azzeraTasto = 'b';
    QTest::keyClick(testo.Widget(), Qt::Key_Escape);
    QTest::keyClick(testo.Widget(), Qt::Key_B);
    QTest::keyClick(testo.Widget(), Qt::Key_C);
    EXPECT_EQ(f.tasti, (std::vector<int>{27, 'b', 'c'}));
    EXPECT_EQ(testo.Text(), "ac");  // the form swallowed the b

    // A key that reaches the window itself after one typed in a control is
    // seen too: the control's Esc went on to the window, this one starts there.
    f.tasti.clear();
    QTest::keyClick(testo.Widget(), Qt::Key_Escape);
    QTest::keyClick(f.Widget(), Qt::Key_Escape);
    QTest::keyClick(testo.Widget(), Qt::Key_D);
    // The same without the shortcut check that comes before a typed key.
    const auto premi = [](QWidget* w, int tasto, const QString& t) {
        QKeyEvent e(QEvent::KeyPress, tasto, Qt::NoModifier, t);
        QCoreApplication::sendEvent(w, &e);
    };
    premi(testo.Widget(), Qt::Key_Escape, QStringLiteral("\x1b"));
    premi(f.Widget(), Qt::Key_Escape, QStringLiteral("\x1b"));
    EXPECT_EQ(f.tasti, (std::vector<int>{27, 27, 'd', 27, 27}));
}

TEST_F(Finestre, PositionsAndSizesAreTwips) {
    Registrata f(log, "f");
    f.Move(0, 0, 6000, 4500);
    EXPECT_EQ(f.Width(), 6000);
    EXPECT_EQ(f.Height(), 4500);
    f.SetClientSize(9000, 8325);
    EXPECT_EQ(f.ScaleWidth(), 9000);
    EXPECT_EQ(f.ScaleHeight(), 8325);
    Label l(f, "x");
    l.Move(1200, 840, 700, 300);
    EXPECT_EQ(l.Left(), 1200);
    EXPECT_EQ(l.Top(), 840);
    EXPECT_EQ(l.Width(), 705);  // 700 twips are 46.7 pixels: whole pixels count
    EXPECT_EQ(Px(700), 47);
}

TEST(EntroArea, AWindowEndingPastTheAreaIsCutAtItsEdgesAndNeverMoves) {
    const Rettangolo piccola{0, 0, 1024, 768};
    const Rettangolo grande{0, 0, 1400, 1000};
    // A window beside a board in the screen's corner.
    const Rettangolo finestra{450, 0, 724, 555};
    EXPECT_EQ(EntroArea(finestra, grande), finestra);
    EXPECT_EQ(EntroArea(finestra, piccola), (Rettangolo{450, 0, 574, 555}));
    // Past the bottom too, in an area below a panel; ending right at the edges fits.
    const Rettangolo alta{450, 100, 724, 900};
    EXPECT_EQ(EntroArea(alta, {0, 30, 1024, 738}), (Rettangolo{450, 100, 574, 668}));
    EXPECT_EQ(EntroArea(alta, grande), alta);
    // A window that starts past an edge keeps its size: none would bring it back.
    EXPECT_EQ(EntroArea({1100, 0, 300, 500}, piccola), (Rettangolo{1100, 0, 300, 500}));
}

TEST(DentroArea, AWindowOffTheAreaMovesOntoItAsFarAsItFitsAndKeepsItsSize) {
    const Rettangolo schermo{0, 0, 1024, 768};
    // Above the top, and past the bottom: it moves, never shrinks.
    EXPECT_EQ(DentroArea({118, -40, 611, 504}, schermo), (Rettangolo{118, 0, 611, 504}));
    EXPECT_EQ(DentroArea({118, 560, 611, 504}, schermo), (Rettangolo{118, 264, 611, 504}));
    EXPECT_EQ(DentroArea({900, 100, 300, 200}, schermo), (Rettangolo{724, 100, 300, 200}));
    // Taller than the area: its top, title bar and all, stays on it.
    EXPECT_EQ(DentroArea({-5, 100, 300, 900}, {0, 30, 1024, 738}), (Rettangolo{0, 30, 300, 900}));
}

// A window not yet shown and kept on the screen is cut where it stands, yet
// keeps the size asked for: placed where that size fits, it shows it whole.
TEST_F(Finestre, KeepOnScreenBeforeShowingKeepsTheSizeAskedFor) {
    Registrata f(log, "f");
    const QRect a = f.Widget()->screen()->availableGeometry();
    f.Move(Twip(a.right() - 200), 0, Twip(400), Twip(300));
    f.KeepOnScreen();
    EXPECT_LT(f.Width(), Twip(400));
    f.Move(0, 0);
    f.Show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.Assestamento(); }, 30000));
    EXPECT_EQ(f.Widget()->width(), 400);
    EXPECT_EQ(f.Width(), Twip(400));
}

// Every window, a form or a plain one of Qt's, tells a base size as it is
// shown: on a scaled desktop Qt's own would be negative, and fluxbox frames a
// window placed before showing at 65534 pixels a side for it.
TEST_F(Finestre, EveryWindowTellsABaseSizeAsItIsShown) {
    Registrata f(log, "f");
    f.Move(Twip(100), Twip(100));
    f.Show();
    QWidget semplice;
    semplice.move(50, 50);
    semplice.show();
    for (const QWidget* w : {static_cast<const QWidget*>(f.Widget()), static_cast<const QWidget*>(&semplice)}) {
        ASSERT_NE(w->windowHandle(), nullptr);
        EXPECT_EQ(w->windowHandle()->baseSize(), QSize(0, 0));
    }
    f.Unload();
}

// A dialog opens over Qt's active window, or, where a window manager has
// taken the focus away for a moment, over the form shown last that is still
// shown.
TEST_F(Finestre, DialogsOpenOverTheActiveWindowOrTheFormShownLast) {
    Registrata a(log, "a"), b(log, "b");
    a.Show();
    b.Show();
    QApplication::setActiveWindow(a.Widget());
    EXPECT_EQ(FinestraAttiva(), a.Widget());
    QApplication::setActiveWindow(nullptr);
    EXPECT_EQ(FinestraAttiva(), b.Widget());
    b.Hide();
    EXPECT_EQ(FinestraAttiva(), a.Widget());
    a.Hide();
    EXPECT_EQ(FinestraAttiva(), nullptr);
}

TEST_F(Finestre, AMaximisedWindowReturnsToNormalThroughItsResizeHandler) {
    Registrata f(log, "f");
    f.Load();
    f.SetWindowState(vbMaximized);
    EXPECT_EQ(f.WindowState(), vbNormal);
    f.SetMousePointer(vbHourglass);
    EXPECT_EQ(f.Widget()->cursor().shape(), Qt::WaitCursor);
    f.SetMousePointer(vbDefault);
    EXPECT_EQ(f.MousePointer(), vbDefault);
}

TEST_F(Finestre, ControlsAreListedSoThatTaggedOnesCanBeHidden) {
    Registrata f(log, "f");
    Frame riquadro(f);
    CommandButton a(f), b(riquadro);
    TextBox t(f);
    b.Tag = "V";
    t.Tag = "V";
    ASSERT_EQ(f.Controls().size(), 4u);
    for (Control* c : f.Controls())
        if (c->Tag == "V") c->SetVisible(false);
    EXPECT_TRUE(a.Visible());
    EXPECT_FALSE(b.Visible());
    EXPECT_FALSE(t.Visible());
    EXPECT_TRUE(riquadro.Visible());
}

}  // namespace
}  // namespace kenvaron::plat
