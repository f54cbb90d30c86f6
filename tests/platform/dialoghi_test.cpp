// Every question goes through the responder, which a test answers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <optional>

#include <xcb/xcb.h>

#include "platform/Dialogs.h"
#include "platform/Form.h"
#include "platform/System.h"

namespace kenvaron::plat {
namespace {

TEST(Dialoghi, TheResponderAnswersYesNoCancelInOrder) {
    RisponditoreProgrammato r;
    RisponditoreInUso inUso(r);
    r.messaggi = {vbYes, vbNo, vbCancel};
    EXPECT_EQ(MsgBox("Salvare lo schema attuale?", vbYesNoCancel), vbYes);
    EXPECT_EQ(MsgBox("Salvare lo schema attuale?", vbYesNoCancel), vbNo);
    EXPECT_EQ(MsgBox("Salvare lo schema attuale?", vbYesNoCancel), vbCancel);
    // With no answer left the box is cancelled: the safe choice.
    EXPECT_EQ(MsgBox("Salvare lo schema attuale?", vbYesNoCancel), vbCancel);
    EXPECT_EQ(MsgBox("Intendi modificare un valore iniziale del SUDOKU", vbYesNo), vbNo);
    EXPECT_EQ(MsgBox("Selezionare una riga"), vbOK);
    ASSERT_EQ(r.domandati.size(), 6u);
    EXPECT_EQ(r.domandati[0].tipo, "messaggio");
    EXPECT_EQ(r.domandati[0].testo, "Salvare lo schema attuale?");
    EXPECT_EQ(r.domandati[0].titolo, "Kenvaron");  // the program's name when no title is given
    EXPECT_EQ(r.domandati[0].pulsanti, vbYesNoCancel);
}

TEST(Dialoghi, QtsItalianTextsNameTheStandardButtonsAndTheFileTypes) {
    EXPECT_FALSE(LoadQtTranslation("xx"));
    // The language step gives the Italian locale whatever the machine's is.
    QLocale::setDefault(QLocale::c());
    ASSERT_TRUE(ImpostaLinguaItaliana()) << "Qt's Italian catalogue (qt6-translations-l10n) is not installed";
    {
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QString::fromUtf8("&Sì"));
        EXPECT_EQ(box.button(QMessageBox::No)->text(), "&No");
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), "Annulla");
    }
    // The file dialog's type column: what its file system model shows.
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    QFile schema(cartella.filePath("schema.txt"));
    ASSERT_TRUE(schema.open(QIODevice::WriteOnly));
    schema.close();
    const QFileIconProvider tipi;
    EXPECT_EQ(tipi.type(QFileInfo(schema)).toStdString(), "Documento in testo semplice");
    EXPECT_EQ(tipi.type(QFileInfo(cartella.path())).toStdString(), "Cartella");
    EXPECT_EQ(tipi.type(QFileInfo("/")).toStdString(), "Unità");
    // Nothing stays for the tests that follow in the same process.
    QLocale::setDefault(QLocale::system());
    UnloadQtTranslations();
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().toStdString(), "&Yes");
    EXPECT_EQ(tipi.type(QFileInfo(cartella.path())).toStdString(), "Folder");
}

TEST(Dialoghi, InputBoxesGiveTheTextOrEmptyOnCancel) {
    RisponditoreProgrammato r;
    RisponditoreInUso inUso(r);
    r.domande = {std::string("12"), std::nullopt, std::string("")};
    EXPECT_EQ(InputBox("scambia riga"), "12");
    EXPECT_EQ(InputBox("", "", "1500"), "");
    EXPECT_EQ(InputBox("scambia riga"), "");
    EXPECT_EQ(InputBox("ancora"), "");
    EXPECT_EQ(r.domandati[1].predefinito, "1500");
    EXPECT_EQ(r.domandati.size(), 4u);
}

TEST(Dialoghi, FileAndPrinterDialogsAreAnsweredToo) {
    RisponditoreProgrammato r;
    RisponditoreInUso inUso(r);
    r.file = {"/tmp/schema.txt"};
    r.stampanti = {false};
    EXPECT_EQ(DialogoApri(FiltroSchemi), "/tmp/schema.txt");
    EXPECT_EQ(DialogoSalva(FiltroSchemi), "");
    EXPECT_FALSE(DialogoStampante());
    EXPECT_TRUE(DialogoStampante());
    ASSERT_EQ(r.domandati.size(), 4u);
    EXPECT_EQ(r.domandati[0].tipo, "apri");
    EXPECT_EQ(r.domandati[0].testo, "File SUDOKU|*.txt;*.ss");
    EXPECT_EQ(r.domandati[1].tipo, "salva");
    EXPECT_EQ(r.domandati[1].pulsanti, 1);  // asks before replacing a file
    EXPECT_EQ(r.domandati[2].tipo, "stampante");
}

// "Opzioni >>" widens the real printer dialog where it stands, over a window
// at the right of the screen, past the screen's edge: it moves back and ends
// on the screen.
TEST(Dialoghi, ThePrinterDialogWidenedByItsOptionsEndsOnTheScreen) {
    QWidget sotto;
    const QRect schermo = sotto.screen()->availableGeometry();
    sotto.setGeometry(schermo.right() - 300, schermo.top() + 100, 300, 300);
    sotto.show();
    sotto.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&sotto));
    QRect cornice, area;
    int larghezze[2] = {0, 0};
    std::function<void()> allarga = [&] {
        auto* d = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            QTimer::singleShot(10, allarga);
            return;
        }
        larghezze[0] = d->width();
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text().contains(QStringLiteral(">>"))) b->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return d->width() > larghezze[0]; }, 30000));
        larghezze[1] = d->width();
        cornice = d->windowHandle()->frameGeometry();
        area = d->screen()->availableGeometry();
        d->reject();
    };
    QTimer::singleShot(0, allarga);
    EXPECT_FALSE(DialogoStampante());
    ASSERT_GT(larghezze[1], larghezze[0]);
    EXPECT_TRUE(area.contains(cornice)) << cornice.x() << "," << cornice.y() << " " << cornice.width() << "x"
                                        << cornice.height() << " on " << area.width() << "x" << area.height();
}

// A window's rectangle, its border included, on the X server's root.
QRect SullaRadice(xcb_connection_t* c, xcb_window_t w) {
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    if (g == nullptr) return {};
    const int b = g->border_width;
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, g->root, -b, -b), nullptr);
    const QRect r = t != nullptr ? QRect(t->dst_x, t->dst_y, g->width + 2 * b, g->height + 2 * b) : QRect();
    std::free(t);
    std::free(g);
    return r;
}

struct Mostrata {
    QRect cliente, cornice;
};
// A window's client area and frame where the window system shows them:
// offscreen as Qt has them; under X as the server has them (Qt may learn
// late, or never, where a window manager put a window it framed), once a
// window manager has framed the window (the frame is the client's ancestor
// just below the root) and shown it.
std::optional<Mostrata> ComeMostrata(const QWidget& finestra) {
    const QWindow* w = finestra.windowHandle();
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || x11 == nullptr)
        return Mostrata{w->geometry(), w->frameGeometry()};
    xcb_connection_t* c = x11->connection();
    const auto cliente = static_cast<xcb_window_t>(w->winId());
    xcb_window_t cima = cliente;
    for (;;) {
        xcb_query_tree_reply_t* albero = xcb_query_tree_reply(c, xcb_query_tree(c, cima), nullptr);
        const xcb_window_t genitore = albero != nullptr && albero->parent != albero->root ? albero->parent : 0;
        std::free(albero);
        if (genitore == 0) break;
        cima = genitore;
    }
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, cima), nullptr);
    const bool vista = a != nullptr && a->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(a);
    if (cima == cliente || !vista) return std::nullopt;
    return Mostrata{SullaRadice(c, cliente), SullaRadice(c, cima)};
}

// The file dialogs open centred over the window beneath, client area over
// client area, and over a window in the screen's corner their frames start
// at the screen's edges, title bar and all.  Offscreen a window's borders are
// known before it is shown; on a desktop (the entry
// dialoghi_su_fluxbox_800x600) only once a window manager has framed it.
TEST(Dialoghi, TheFileDialogsOpenCentredOverTheirWindowAndOnTheScreen) {
    // A file dialog keeps its state in the user's settings: here, in a folder of the test's.
    QTemporaryDir impostazioni;
    ASSERT_TRUE(impostazioni.isValid());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, impostazioni.path());
    std::optional<Mostrata> dialogo;
    std::function<void()> leggi = [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (d == nullptr) {
            QTimer::singleShot(10, leggi);
            return;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return (dialogo = ComeMostrata(*d)).has_value(); }, 30000));
        d->reject();
    };
    // Over the window of `sotto`, shown last, once Qt knows its borders: those
    // the dialog is expected to get.  A window manager may take the focus
    // away from it for a moment as the first dialog closes: the dialog opens
    // over it all the same.
    const auto apri = [&](Form& f, const std::function<std::string()>& chiedi) {
        QWidget& sotto = *f.Widget();
        f.Show();
        sotto.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&sotto, 30000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return !sotto.windowHandle()->frameMargins().isNull(); }, 30000));
        dialogo.reset();
        QTimer::singleShot(0, leggi);
        EXPECT_EQ(chiedi(), "");
        return dialogo.value_or(Mostrata{});
    };
    Form mezzo, angolo;
    const QRect area = mezzo.Widget()->screen()->availableGeometry();
    mezzo.Widget()->setGeometry(area.x() + 250, area.y() + 225, 200, 150);
    const Mostrata aperto = apri(mezzo, [] { return DialogoApri(FiltroSchemi); });
    const QPoint scarto =
        aperto.cliente.center() - ComeMostrata(*mezzo.Widget()).value_or(Mostrata{}).cliente.center();
    EXPECT_LE(std::abs(scarto.x()), 1) << scarto.x();
    EXPECT_LE(std::abs(scarto.y()), 1) << scarto.y();
    // Centred over a window in the corner, the dialog would start left of and above the screen.
    angolo.Widget()->move(area.topLeft());
    angolo.Widget()->resize(200, 150);
    const Mostrata salva = apri(angolo, [] { return DialogoSalva(FiltroSchemi); });
    EXPECT_GT(salva.cliente.width(), 200);
    EXPECT_GT(salva.cliente.height(), 150);
    EXPECT_EQ(salva.cornice.topLeft(), area.topLeft()) << salva.cornice.x() << "," << salva.cornice.y();
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

TEST(Dialoghi, InstallingAResponderIsUndoneAtTheEndOfItsScope) {
    Risponditore* prima = &RisponditoreAttivo();
    {
        RisponditoreProgrammato r;
        RisponditoreInUso inUso(r);
        EXPECT_EQ(&RisponditoreAttivo(), &r);
        {
            RisponditoreProgrammato interno;
            RisponditoreInUso secondo(interno);
            EXPECT_EQ(&RisponditoreAttivo(), &interno);
        }
        EXPECT_EQ(&RisponditoreAttivo(), &r);
    }
    EXPECT_EQ(&RisponditoreAttivo(), prima);
}

}  // namespace
}  // namespace kenvaron::plat
