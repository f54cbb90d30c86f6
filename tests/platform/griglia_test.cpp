// The grid: the board of 14 x 14 lines, hidden rows, the mouse, per-cell
// properties, the redraw switch, growing and scrolling.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QImage>
#include <QTest>

#include "platform/Grid.h"
#include "platform/Units.h"

namespace kenvaron::plat {
namespace {

constexpr long Blu = 0xFF0000;
constexpr long Bianco = 0xFFFFFF;

// Pixel position of the left (top) edge of column (row) k.
int Bordo(const std::vector<int>& misure, int k) {
    int somma = 0;
    for (int i = 0; i < k; ++i) somma += misure[static_cast<std::size_t>(i)];
    return Grid::BordoPixel + Px(somma);
}

class Griglia : public ::testing::Test {
protected:
    Form f;
    Grid g{f};
    std::vector<int> misure;

    // The board as the main window lays it out: 30-twip blue separators, 700-twip cells.
    void Tabellone() {
        g.SetRows(14);
        g.SetCols(14);
        g.SetColWidth(0, 0);
        g.SetRowHeight(0, 0);
        int somma = 0;
        misure.assign(14, 0);
        for (int i = 1; i <= 13; ++i) {
            const int m = i % 4 == 1 ? 30 : 700;
            g.SetRowHeight(i, m);
            g.SetColWidth(i, m);
            misure[static_cast<std::size_t>(i)] = m;
            somma += m;
        }
        g.Move(0, 0, 110 + somma, 110 + somma);
        for (int i = 1; i <= 13; ++i)
            for (int j = 1; j <= 13; ++j) {
                g.SetRow(i);
                g.SetCol(j);
                if (i % 4 == 1 || j % 4 == 1) g.SetCellBackColor(Blu);
                g.SetCellAlignment(flexAlignCenterCenter);
            }
    }

    QColor Pixel(const QImage& im, int colonna, int riga, int dx = -1, int dy = -1) {
        const auto centro = [&](int k, int d) {
            const int inizio = Bordo(misure, k), fine = Bordo(misure, k + 1);
            return d >= 0 ? inizio + d : (inizio + fine) / 2;
        };
        return im.pixelColor(centro(colonna, dx), centro(riga, dy));
    }
};

TEST_F(Griglia, TheBoardDrawsBlueSeparatorsAndWhiteCellsWithBoldDigits) {
    Tabellone();
    EXPECT_EQ(g.Width(), Twip(Px(6530)));
    g.SetRow(2);
    g.SetCol(2);
    g.SetCellBackColor(Bianco);
    g.SetCellFontSize(14);
    g.SetCellFontBold(true);
    g.SetText("8");
    g.SetRow(0);
    const QImage im = g.Picture();
    // The first pixel of every separator line is pure blue, across and down.
    EXPECT_EQ(Pixel(im, 2, 1, -1, 0), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(im, 5, 3, 0, -1), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(im, 13, 13, 0, 0), QColor(0, 0, 255));
    // A cell is white away from its digit, and the digit is drawn dark in its middle.
    EXPECT_EQ(Pixel(im, 2, 2, 3, 3), QColor(255, 255, 255));
    int scuri = 0;
    for (int x = Bordo(misure, 2); x < Bordo(misure, 3); ++x)
        for (int y = Bordo(misure, 2); y < Bordo(misure, 3); ++y)
            if (im.pixelColor(x, y).lightness() < 100) ++scuri;
    EXPECT_GT(scuri, 30);
    EXPECT_DOUBLE_EQ(g.CellFontSize(), 8.25);  // row 0 keeps the grid's size
}

TEST_F(Griglia, ARowOfHeightZeroIsHiddenAndTheRowsBelowMoveUp) {
    g.SetRows(5);
    g.SetCols(2);
    g.SetFixedRows(0);
    g.SetFixedCols(0);
    misure.assign(5, 240);
    g.Move(0, 0, 3000, 1500);
    g.SetRow(1);
    g.SetCol(0);
    g.SetCellBackColor(RGB(255, 0, 0));
    g.SetText("nascosta");
    g.SetRowHeight(1, 0);
    misure[1] = 0;
    const QImage im = g.Picture();
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) ASSERT_NE(im.pixelColor(x, y), QColor(255, 0, 0));
    EXPECT_EQ(g.RowHeight(1), 0);
    EXPECT_EQ(g.TextMatrix(1, 0), "nascosta");
    // Where row 1 stood, the mouse now finds row 2.
    f.Show();
    QTest::mouseMove(g.Widget(), QPoint(10, Bordo(misure, 2) + 3));
    EXPECT_EQ(g.MouseRow(), 2);
    EXPECT_EQ(g.MouseCol(), 0);
    g.SetRowHeight(1, 1);  // a one-twip row shows nothing either
    EXPECT_EQ(Px(1), 0);
}

TEST_F(Griglia, MouseDownComesBeforeClickAndCarriesTheButton) {
    Tabellone();
    f.Show();
    std::vector<std::string> log;
    g.MouseDown = [&](int b, int, float, float) {
        log.push_back("down " + std::to_string(b) + " riga " + std::to_string(g.Row()));
    };
    g.MouseUp = [&](int b, int, float, float) { log.push_back("up " + std::to_string(b)); };
    g.Click = [&] { log.push_back("click riga " + std::to_string(g.Row())); };
    g.SetRow(0);
    g.SetCol(0);
    const QPoint cella7_8((Bordo(misure, 8) + Bordo(misure, 9)) / 2, (Bordo(misure, 7) + Bordo(misure, 8)) / 2);
    QTest::mouseClick(g.Widget(), Qt::RightButton, {}, cella7_8);
    EXPECT_EQ(g.MouseRow(), 7);
    EXPECT_EQ(g.MouseCol(), 8);
    EXPECT_EQ(g.Row(), 0);  // the right button does not move the current cell
    QTest::mouseClick(g.Widget(), Qt::LeftButton, {}, cella7_8);
    EXPECT_EQ(g.Row(), 7);
    EXPECT_EQ(g.Col(), 8);
    EXPECT_EQ(log, (std::vector<std::string>{"down 2 riga 0", "up 2", "click riga 0", "down 1 riga 7",
                                             "up 1", "click riga 7"}));
}

TEST_F(Griglia, CellPropertiesBelongToTheCurrentCellAndBadIndexesAreHarmless) {
    g.SetRows(3);
    g.SetCols(3);
    g.SetRow(1);
    g.SetCol(2);
    g.SetText("1379");
    g.SetCellFontSize(7);
    g.SetCellForeColor(0x0000FF);
    g.SetCellAlignment(flexAlignLeftCenter);
    g.SetCol(1);
    EXPECT_EQ(g.Text(), "");
    EXPECT_EQ(g.CellForeColor(), 0);
    EXPECT_EQ(g.CellAlignment(), flexAlignGeneral);
    g.SetCol(2);
    EXPECT_EQ(g.Text(), "1379");
    EXPECT_DOUBLE_EQ(g.CellFontSize(), 7);
    EXPECT_EQ(g.CellForeColor(), 0x0000FF);
    EXPECT_EQ(g.CellAlignment(), flexAlignLeftCenter);
    EXPECT_FALSE(g.CellFontBold());
    g.SetRow(9);  // out of range: the current cell stays
    EXPECT_EQ(g.Row(), 1);
    g.SetTextMatrix(5, 5, "x");
    EXPECT_EQ(g.TextMatrix(5, 5), "");
    EXPECT_EQ(g.TextMatrix(-1, 0), "");
    g.SetRowHeight(7, 100);
    EXPECT_EQ(g.RowHeight(7), 0);
    g.SetRowSel(2);
    EXPECT_EQ(g.RowSel(), 2);
    g.SetRow(2);
    EXPECT_EQ(g.RowSel(), 2);
}

TEST_F(Griglia, WithRedrawOffTheGridKeepsShowingTheOldPicture) {
    g.SetRows(2);
    g.SetCols(2);
    g.Move(0, 0, 2000, 600);
    g.SetRow(1);
    g.SetCol(1);
    const QPoint dentro(Grid::BordoPixel + Px(960) + 5, Grid::BordoPixel + Px(240) + 5);
    EXPECT_EQ(g.Picture().pixelColor(dentro), QColor(255, 255, 255));
    g.SetRedraw(false);
    g.SetCellBackColor(0x00FFFF);
    EXPECT_EQ(g.Picture().pixelColor(dentro), QColor(255, 255, 255));
    g.SetRedraw(true);
    EXPECT_EQ(g.Picture().pixelColor(dentro), QColor(255, 255, 0));
    g.SetCellBackColor(0);  // 0 gives the grid's own colour back
    EXPECT_EQ(g.Picture().pixelColor(dentro), QColor(255, 255, 255));
}

TEST_F(Griglia, OnlyAHighLightedGridMarksItsSelectedRowAndCellsWithTheirOwnColourKeepIt) {
    g.SetRows(4);
    g.SetCols(2);
    g.Move(0, 0, 2000, 1200);
    g.SetRow(2);
    g.SetCol(0);
    g.SetCellBackColor(0x00FFFF);
    g.SetCol(1);
    // The centre of cell (r, c); row and column 0 are the fixed ones.
    const auto colore = [&](int r, int c) {
        return g.Picture().pixelColor(Grid::BordoPixel + Px(960 * c + 480), Grid::BordoPixel + Px(240 * r + 120));
    };
    const QColor bianco(255, 255, 255), evidenza = g.Widget()->palette().color(QPalette::Highlight);
    ASSERT_NE(evidenza, bianco);
    EXPECT_EQ(colore(2, 1), bianco);
    g.SetHighLight(true);
    EXPECT_EQ(colore(2, 1), evidenza);
    EXPECT_EQ(colore(2, 0), QColor(255, 255, 0));
    EXPECT_EQ(colore(1, 1), bianco);
    g.SetRow(3);
    EXPECT_EQ(colore(2, 1), bianco);
    EXPECT_EQ(colore(3, 1), evidenza);
    g.SetRow(0);  // a fixed row is never marked
    EXPECT_EQ(colore(1, 1), bianco);
}

TEST_F(Griglia, RowsAddedOneByOneKeepTheirCellsAndStayQuick) {
    g.SetRedraw(false);
    g.SetRows(1);
    g.SetCols(8);
    QElapsedTimer t;
    t.start();
    for (int i = 1; i <= 6000; ++i) {
        g.SetRows(g.Rows() + 1);
        g.SetTextMatrix(i, 3, std::to_string(i));
        g.SetTextMatrix(i, 6, std::to_string(i));
    }
    g.SetRedraw(true);
    EXPECT_LT(t.elapsed(), 2000);
    EXPECT_EQ(g.TextMatrix(4321, 3), "4321");
    g.SetCols(7);
    EXPECT_EQ(g.TextMatrix(4321, 6), "4321");
    g.SetCols(4);
    EXPECT_EQ(g.TextMatrix(4321, 3), "4321");
    EXPECT_EQ(g.TextMatrix(4321, 6), "");
    g.SetRows(1);
    EXPECT_EQ(g.Rows(), 1);
    EXPECT_EQ(g.TextMatrix(1, 3), "");
}

TEST_F(Griglia, TopRowScrollsByWholeRowsWithinWhatThereIs) {
    g.SetRows(101);
    g.SetCols(2);
    g.Move(0, 0, 3000, 2400 + 60);
    g.SetScrollBars(flexScrollBarBoth);
    g.SetTopRow(50);
    EXPECT_EQ(g.TopRow(), 50);
    g.SetTopRow(1000);
    const int ultima = g.TopRow();
    EXPECT_LT(ultima, 100);
    EXPECT_GT(ultima, 85);
    g.SetTopRow(0);
    EXPECT_EQ(g.TopRow(), 1);  // the fixed row cannot scroll
    g.SetRows(3);
    EXPECT_EQ(g.TopRow(), 1);
    g.SetTopRow(2);
    EXPECT_EQ(g.TopRow(), 1);  // everything fits: nothing to scroll
}

}  // namespace
}  // namespace kenvaron::plat
