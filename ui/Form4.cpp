#include "ui/Form4.h"

namespace kenvaron {

namespace {

constexpr int kCelle = 14;
constexpr long kNeroSeparatore = 65793;  // RGB(1, 1, 1): black, not the grid's own colour
constexpr long kBianco = 0xFFFFFF;

constexpr bool Separatore(int k) { return k % 4 == 1; }

}  // namespace

Form4::Form4() : gr(*this) {
    gr.SetScrollBars(plat::flexScrollBarNone);
    gr.SetGridFont("Arial", 8.25);
}

void Form4::VisualizzaF4(const Tabella& t) {
    gr.SetRows(kCelle);
    gr.SetCols(kCelle);
    gr.SetRowHeight(0, 0);
    gr.SetColWidth(0, 0);
    int somma = 0;
    for (int k = 1; k < kCelle; ++k) {
        const int lato = !Separatore(k) ? 700 : k == 1 ? 40 : 35;
        gr.SetRowHeight(k, lato);
        gr.SetColWidth(k, lato);
        somma += lato;
    }
    gr.SetWidth(somma + gr.ColWidth(0) + 110);
    gr.SetHeight(somma + gr.RowHeight(0) + 110);
    gr.SetRedraw(false);
    for (int k = 0; k < kCelle; ++k) {
        gr.SetTextMatrix(0, k, "  ");
        gr.SetRow(0);
        gr.SetCol(k);
        gr.SetCellFontBold(true);
    }
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j) {
            gr.SetRow(i + 1 + (i - 1) / 3);
            gr.SetCol(j + 1 + (j - 1) / 3);
            gr.SetCellFontSize(14);
            gr.SetCellFontBold(true);
            gr.SetCellBackColor(kBianco);
            gr.SetCellForeColor(0);
            gr.SetText(t[i][j] != 0 ? std::string(1, static_cast<char>('0' + t[i][j] % 10)) : "");
        }
    for (int i = 0; i < kCelle; ++i)
        for (int j = 0; j < kCelle; ++j) {
            gr.SetRow(i);
            gr.SetCol(j);
            if (i >= 1 && j >= 1 && (Separatore(i) || Separatore(j))) gr.SetCellBackColor(kNeroSeparatore);
            gr.SetCellAlignment(plat::flexAlignCenterCenter);
        }
    gr.SetRedraw(true);
}

}  // namespace kenvaron
