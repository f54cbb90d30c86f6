// The board: a 14 x 14 cell grid holding the 9 x 9 puzzle cells between thin
// blue separator lines, and the procedures that draw puzzles and candidate
// strings into it.  They work on any grid with the per-cell properties below,
// so the window's grid and a recording grid in tests draw alike.
#pragma once

#include <string>

#include "engine/Tipi.h"

namespace kenvaron {

// Colours as the window code writes them: red in the low byte, blue in the high.
inline constexpr long kColoreBianco = 0xFFFFFF;
inline constexpr long kColoreBlu = 0xFF0000;
inline constexpr long kColoreRosso = 0xFF;
inline constexpr long kColoreNero = 0;

// Geometry in twips.
inline constexpr int kLatoCella = 700;
inline constexpr int kLatoSeparatore = 30;
inline constexpr int kBordoGriglia = 110;
inline constexpr int kCelleGriglia = 14;

// Grid row (or column) of puzzle row (or column) i = 1..9: 2-4, 6-8, 10-12.
constexpr int IndiceGriglia(int i) { return i + 1 + (i - 1) / 3; }
// Puzzle row (or column) of grid row (or column) g of a cell: the inverse of IndiceGriglia.
constexpr int IndiceCella(int g) {
    if (g >= 10) --g;
    if (g >= 5) --g;
    return g - 1;
}
// A click on a separator line (or past the last cell) counts for the cell
// beside it: grid row 13 or beyond goes to 12, 9 to 10, 5 to 6, 1 to 2.
constexpr int AgganciaCella(int g) {
    if (g >= 13) g = 12;
    if (g == 9) g = 10;
    if (g == 5) g = 6;
    if (g == 1) g = 2;
    return g;
}

// What the drawing procedures need of a cell grid: the current cell chosen by
// Row and Col, and the properties of that cell.
class GrigliaCelle {
public:
    virtual ~GrigliaCelle() = default;
    virtual void SetRows(int n) = 0;
    virtual void SetCols(int n) = 0;
    virtual void SetRowHeight(int riga, int twip) = 0;
    virtual void SetColWidth(int colonna, int twip) = 0;
    virtual void SetSize(int larghezzaTwip, int altezzaTwip) = 0;
    virtual void SetRow(int riga) = 0;
    virtual void SetCol(int colonna) = 0;
    virtual void SetText(const std::string& testo) = 0;
    virtual void SetCellFontSize(double punti) = 0;
    // "" = the grid's own font.
    virtual void SetCellFontName(const std::string& nome) = 0;
    virtual void SetCellFontBold(bool grassetto) = 0;
    virtual void SetCellBackColor(long colore) = 0;
    virtual void SetCellForeColor(long colore) = 0;
    virtual void SetCellAlignmentCentre() = 0;
    virtual void SetRedraw(bool ridisegna) = 0;
};

// Candidate strings per cell (rows and columns 1..9), e.g. "1379".
using TabellaTesti = std::array<std::array<std::string, 10>, 10>;

// Lays the grid out: sizes, blue separators, centred cells, the empty header row.
void Inizializzagrid(GrigliaCelle& gr);

// What Visualizza reads besides the table it draws.
struct OpzioniVisualizza {
    const Tabella* celleDate = nullptr;  // nonzero = given, drawn black
    Byte modoInterrogativo = 0;          // 1 = every filled cell shows "?"
    bool sudokuDisponibile = false;      // colour of "?": blue when true, red before
};

// Draws the 81 cells of t and returns the number of its nonzero cells.
// Redraw is switched off and left off; the current row is left at 0.
int Visualizza(GrigliaCelle& gr, const Tabella& t, const OpzioniVisualizza& o);

// The narrow face of the candidate strings: nine digits fit a cell at 7 points.
inline constexpr const char* kCarattereCandidati = "Liberation Sans Narrow";

// Draws the solver's grid, with the candidate string of each empty cell in
// small narrow type.  Redraw is switched off and left off.
void VisualizzaStr(GrigliaCelle& gr, const Tabella& griglia, const TabellaTesti& s);

// The candidate strings of a counter table: the digits whose counter is 50.
TabellaTesti CandidatiValidi(const TabellaCandidati& p);

}  // namespace kenvaron
