// Every question goes through the responder, which a test answers.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <functional>

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
