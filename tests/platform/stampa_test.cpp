// Printing to a PDF file: the text printed is in the file, pages break, a
// grid prints with its cells.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <filesystem>

#include "platform/Grid.h"
#include "platform/Printer.h"
#include "tests/platform/TestoPdf.h"

namespace kenvaron::plat {
namespace {

class Stampa : public ::testing::Test {
protected:
    // ctest runs the tests as parallel processes: each writes its own file.
    std::filesystem::path pdf =
        std::filesystem::temp_directory_path() /
        ("kenvaron_stampa_" + std::to_string(::getpid()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".pdf");
    Printer& stampante = Printer::Instance();
    void SetUp() override {
        std::filesystem::remove(pdf);
        stampante.SetPdfOutput(pdf.string());
    }
    void TearDown() override {
        stampante.SetPdfOutput("");
        std::filesystem::remove(pdf);
    }
    QByteArray Leggi() {
        QFile f(QString::fromStdString(pdf.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static double Mm(double mm) { return mm * 1440 / 25.4; }
};

TEST_F(Stampa, APrintedPageHoldsItsLinesOfText) {
    stampante.SetCurrentX(Mm(1));
    stampante.SetCurrentY(Mm(10));
    stampante.SetFontName("Verdana");
    stampante.SetFontSize(9);
    stampante.SetFontBold(true);
    const double altezza = stampante.TextHeight();
    stampante.Print("001)Il 5 in 3,7 è l'unico possibile");
    EXPECT_DOUBLE_EQ(stampante.CurrentX(), 0);
    EXPECT_NEAR(stampante.CurrentY(), Mm(10) + altezza, 1e-6);
    stampante.SetCurrentX(Mm(1));
    stampante.Print("001   Quindi  5 non in 3,8 ,");
    stampante.Line(0, Mm(30), Mm(50), Mm(30), 0x808080);
    stampante.EndDoc();
    EXPECT_EQ(stampante.Errore(), "");

    const QByteArray contenuto = Leggi();
    ASSERT_TRUE(contenuto.startsWith("%PDF"));
    const TestoPdf letto(contenuto);
    EXPECT_EQ(letto.Pagine(), 1);
    const QString testo = letto.Testo();
    EXPECT_TRUE(testo.contains(QString::fromUtf8("001)Il 5 in 3,7 è l'unico possibile"))) << testo.toStdString();
    EXPECT_TRUE(testo.contains(QStringLiteral("001   Quindi  5 non in 3,8 ,"))) << testo.toStdString();
}

TEST_F(Stampa, LinesPastTheBottomGoOnOnANewPageAndNoneIsLost) {
    stampante.SetFontName("Verdana");
    stampante.SetFontSize(9);
    for (int i = 1; i <= 150; ++i) stampante.Print("riga " + std::to_string(i) + " fine");
    EXPECT_GE(stampante.Page(), 2);
    stampante.EndDoc();
    const TestoPdf letto(Leggi());
    EXPECT_GE(letto.Pagine(), 2);
    const QString testo = letto.Testo();
    for (int i = 1; i <= 150; ++i)
        ASSERT_TRUE(testo.contains(QStringLiteral("riga %1 fine").arg(i))) << i;
}

TEST_F(Stampa, AGridPrintsItsCellsText) {
    Form f;
    Grid g(f);
    g.SetRows(3);
    g.SetCols(3);
    g.SetRow(1);
    g.SetCol(1);
    g.SetCellFontSize(14);
    g.SetCellFontBold(true);
    g.SetText("7");
    g.SetTextMatrix(2, 2, "4");
    stampante.PrintGrid(g, 1200, 840);
    stampante.EndDoc();
    const QString testo = TestoPdf(Leggi()).Testo();
    EXPECT_TRUE(testo.contains(QLatin1Char('7'))) << testo.toStdString();
    EXPECT_TRUE(testo.contains(QLatin1Char('4'))) << testo.toStdString();
}

}  // namespace
}  // namespace kenvaron::plat
