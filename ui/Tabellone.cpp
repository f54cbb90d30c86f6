#include "ui/Tabellone.h"

namespace kenvaron {

namespace {

constexpr bool Separatore(int i) { return i % 4 == 1; }

constexpr int kFontCifra = 14;
constexpr int kFontCandidati = 7;

void SelezionaCella(GrigliaCelle& gr, int i, int j) {
    gr.SetRow(IndiceGriglia(i));
    gr.SetCol(IndiceGriglia(j));
}

}  // namespace

void Inizializzagrid(GrigliaCelle& gr) {
    gr.SetRows(kCelleGriglia);
    gr.SetCols(kCelleGriglia);
    gr.SetColWidth(0, 0);
    gr.SetRowHeight(0, 0);
    int totale = 0;
    for (int i = 1; i < kCelleGriglia; ++i) {
        const int lato = Separatore(i) ? kLatoSeparatore : kLatoCella;
        gr.SetRowHeight(i, lato);
        gr.SetColWidth(i, lato);
        totale += lato;
    }
    gr.SetSize(kBordoGriglia + totale, kBordoGriglia + totale);
    for (int i = 1; i < kCelleGriglia; ++i) {
        for (int j = 1; j < kCelleGriglia; ++j) {
            gr.SetRow(i);
            gr.SetCol(j);
            if (Separatore(i) || Separatore(j)) gr.SetCellBackColor(kColoreBlu);
            gr.SetCellAlignmentCentre();
        }
    }
    gr.SetRow(0);
    for (int j = 0; j < kCelleGriglia; ++j) {
        gr.SetCol(j);
        gr.SetText("  ");
        gr.SetCellAlignmentCentre();
        gr.SetCellFontBold(true);
    }
}

int Visualizza(GrigliaCelle& gr, const Tabella& t, const OpzioniVisualizza& o) {
    gr.SetRedraw(false);
    int piene = 0;
    for (int i = 1; i <= 9; ++i) {
        for (int j = 1; j <= 9; ++j) {
            SelezionaCella(gr, i, j);
            gr.SetCellFontSize(kFontCifra);
            gr.SetCellFontName("");
            gr.SetCellFontBold(true);
            gr.SetCellBackColor(kColoreBianco);
            const bool data = o.celleDate != nullptr && (*o.celleDate)[i][j] != 0;
            gr.SetCellForeColor(data ? kColoreNero : kColoreBlu);
            if (t[i][j] != 0) {
                if (o.modoInterrogativo == 1) {
                    gr.SetText("?");
                    gr.SetCellForeColor(o.sudokuDisponibile ? kColoreBlu : kColoreRosso);
                } else {
                    gr.SetText(std::string(1, static_cast<char>('0' + t[i][j] % 10)));
                }
                ++piene;
            } else {
                gr.SetText("");
            }
        }
    }
    gr.SetRow(0);
    return piene;
}

void VisualizzaStr(GrigliaCelle& gr, const Tabella& griglia, const TabellaTesti& s) {
    gr.SetRedraw(false);
    for (int i = 1; i <= 9; ++i) {
        for (int j = 1; j <= 9; ++j) {
            SelezionaCella(gr, i, j);
            const Byte cifra = griglia[i][j];
            if (cifra > 0 || s[i][j].empty()) {
                gr.SetText(cifra > 0 ? std::string(1, static_cast<char>('0' + cifra % 10)) : "");
                gr.SetCellFontSize(kFontCifra);
                gr.SetCellFontName("");
            } else {
                gr.SetText(s[i][j]);
                gr.SetCellFontSize(kFontCandidati);
                gr.SetCellFontName(kCarattereCandidati);
            }
            gr.SetCellBackColor(kColoreBianco);
            gr.SetCellForeColor(kColoreNero);
            gr.SetCellFontBold(cifra != 0);
        }
    }
    gr.SetRow(0);
}

TabellaTesti CandidatiValidi(const TabellaCandidati& p) {
    TabellaTesti s{};
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j)
            for (int k = 1; k <= 9; ++k)
                if (p[i][j][k] == 50) s[i][j] += static_cast<char>('0' + k);
    return s;
}

}  // namespace kenvaron
