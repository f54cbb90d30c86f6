// The grid: a table of text cells with fixed (header) rows and columns, row
// heights and column widths in twips (0 hides a row or column), a current
// cell (Row, Col) that the per-cell properties read and write, per-cell back
// colour, fore colour, font size, bold and alignment, a redraw switch, scrolling
// by whole rows and columns, and mouse events.  The current cell looks like
// any other; a grid with HighLight on marks its selected rows on the screen.
//
// Colour 0 in a cell's back or fore colour means the grid's own colour.
// A left press on a cell makes it the current cell; MouseDown comes before
// MouseUp and Click; Click follows a left or right click.
#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <functional>
#include <string>
#include <vector>

#include "platform/Colors.h"
#include "platform/Controls.h"

class QImage;
class QPainter;

namespace kenvaron::plat {

class GridView;

// Cell alignments.
constexpr int flexAlignLeftTop = 0;
constexpr int flexAlignLeftCenter = 1;
constexpr int flexAlignLeftBottom = 2;
constexpr int flexAlignCenterTop = 3;
constexpr int flexAlignCenterCenter = 4;
constexpr int flexAlignCenterBottom = 5;
constexpr int flexAlignRightTop = 6;
constexpr int flexAlignRightCenter = 7;
constexpr int flexAlignRightBottom = 8;
constexpr int flexAlignGeneral = 9;  // text left, numbers right, both centred vertically
// Scroll bars.
constexpr int flexScrollBarNone = 0;
constexpr int flexScrollBarHorizontal = 1;
constexpr int flexScrollBarVertical = 2;
constexpr int flexScrollBarBoth = 3;
// Mouse buttons and shift keys of the mouse events.
constexpr int vbLeftButton = 1;
constexpr int vbRightButton = 2;
constexpr int vbMiddleButton = 4;
constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

class Grid : public Control {
public:
    // Width of the grid's sunken border, in pixels: the cells start inside it.
    static constexpr int BordoPixel = 2;
    // Room between a cell's text and its left or right edge, in twips.
    static constexpr int MargineTesto = 30;

    explicit Grid(Container& c);
    ~Grid() override;

    int Rows() const { return righe_; }
    void SetRows(int n);
    int Cols() const { return colonne_; }
    void SetCols(int n);
    int FixedRows() const { return righeFisse_; }
    void SetFixedRows(int n);
    int FixedCols() const { return colonneFisse_; }
    void SetFixedCols(int n);

    // In twips; an index out of range reads 0 and writes nothing.
    int RowHeight(int riga) const;
    void SetRowHeight(int riga, int twip);
    int ColWidth(int colonna) const;
    void SetColWidth(int colonna, int twip);

    // The current cell; setting Row or Col also sets RowSel or ColSel.
    int Row() const { return riga_; }
    void SetRow(int riga);
    int Col() const { return colonna_; }
    void SetCol(int colonna);
    int RowSel() const { return rigaSel_; }
    void SetRowSel(int riga);
    int ColSel() const { return colonnaSel_; }
    void SetColSel(int colonna);
    // The first scrolling row and column shown.
    int TopRow() const { return rigaInCima_; }
    void SetTopRow(int riga);
    int LeftCol() const { return colonnaASinistra_; }
    void SetLeftCol(int colonna);
    int ScrollBars() const { return barre_; }
    void SetScrollBars(int barre);
    // The cell under the mouse at the last mouse event (-1 outside the cells).
    int MouseRow() const { return rigaMouse_; }
    int MouseCol() const { return colonnaMouse_; }

    std::string Text() const;
    void SetText(const std::string& testo);
    std::string TextMatrix(int riga, int colonna) const;
    void SetTextMatrix(int riga, int colonna, const std::string& testo);

    // Properties of the current cell.
    long CellBackColor() const;
    void SetCellBackColor(long colore);
    long CellForeColor() const;
    void SetCellForeColor(long colore);
    double CellFontSize() const;
    void SetCellFontSize(double punti);
    // The face of the current cell; "" gives it the grid's own font back.
    std::string CellFontName() const;
    void SetCellFontName(const std::string& nome);
    bool CellFontBold() const;
    void SetCellFontBold(bool grassetto);
    // The font the current cell's text is drawn in on the screen.
    QFont CellFont() const;
    int CellAlignment() const;
    void SetCellAlignment(int allineamento);

    // On: the selected rows (Row to RowSel) show their cells that have no back
    // colour of their own in the screen's selection colours, as a list does.
    // Off (the default): nothing is marked.  Printing never marks anything.
    bool HighLight() const { return evidenzia_; }
    void SetHighLight(bool evidenzia);

    // With Redraw off the grid keeps showing what it showed; on repaints it.
    bool Redraw() const { return ridisegna_; }
    void SetRedraw(bool ridisegna);
    void Refresh();

    // The grid's own colours and font.
    void SetGridBackColor(long colore);
    void SetGridForeColor(long colore);
    void SetBackColorFixed(long colore);
    void SetBackColorBkg(long colore);
    void SetGridColor(long colore);
    // 0 no grid lines, 1 a line at the right and bottom of every cell.
    void SetGridLines(int tipo);
    void SetGridFont(const std::string& nome, double punti, bool grassetto = false);

    // The grid as it shows on the screen.
    QImage Picture() const;
    // Draws every cell (no scrolling) with its top-left corner at origine,
    // scala device pixels to a twip.
    void Disegna(QPainter& p, QPointF origine, double scala) const;

    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;
    std::function<void()> Click;

private:
    friend class GridView;
    struct Cella {
        std::string testo;
        long sfondo = 0;
        long inchiostro = 0;
        double punti = 0;  // 0 = the grid's font size
        signed char grassetto = -1;
        signed char carattere = -1;  // index into caratteri_; -1 = the grid's font
        signed char allineamento = -1;
    };
    // One row or column on the screen: its index and its edges in device pixels.
    struct Striscia {
        int indice;
        double inizio;
        double fine;
    };

    // Changes one cell (the current one by default) and repaints when Redraw is on.
    template <typename Cambio>
    void Modifica(Cambio cambio, int riga = -1, int colonna = -1) {
        if (Cella* c = riga < 0 ? CellaCorrente() : CellaIn(riga, colonna)) {
            cambio(*c);
            if (ridisegna_) Ridipingi();
        }
    }
    void Ridipingi();
    Cella* CellaCorrente();
    const Cella* CellaCorrente() const;
    Cella* CellaIn(int riga, int colonna);
    const Cella* CellaIn(int riga, int colonna) const;
    void Ridimensiona(int righe, int colonne);
    void Aggiorna();
    static std::vector<Striscia> Strisce(const std::vector<int>& misure, int fisse, int prima,
                                         double origine, double limite, double scala, bool interi);
    // The marked rows da..a and their colours; no marking without it.
    struct Evidenza {
        int da, a;
        QColor sfondo, testo;
    };
    void DisegnaStrisce(QPainter& p, const std::vector<Striscia>& righe,
                        const std::vector<Striscia>& colonne, double scala,
                        const Evidenza* evidenza = nullptr) const;
    // The font of a cell's text at scala device pixels to a twip.
    QFont CarattereDi(const Cella& cella, double scala) const;
    int UltimaInCima(const std::vector<int>& misure, int fisse, int spazioTwip) const;

    int righe_ = 0, colonne_ = 0, righeFisse_ = 1, colonneFisse_ = 1;
    std::vector<int> altezze_, larghezze_;
    std::vector<Cella> celle_;
    int riga_ = 1, colonna_ = 1, rigaSel_ = 1, colonnaSel_ = 1;
    int rigaInCima_ = 1, colonnaASinistra_ = 1;
    int rigaMouse_ = -1, colonnaMouse_ = -1;
    bool ridisegna_ = true;
    bool evidenzia_ = false;
    mutable bool sporco_ = false;  // the shape changed while Redraw was off
    int barre_ = flexScrollBarBoth;
    long sfondo_ = 0xFFFFFF, inchiostro_ = 0x000000, sfondoFisso_ = 0xC0C0C0, sfondoVuoto_ = 0x808080,
         colorLinee_ = 0xC0C0C0, coloreLineeFisse_ = 0x808080;
    int linee_ = 1;
    std::string font_ = "MS Sans Serif";
    // The faces cells were given, each once.
    std::vector<std::string> caratteri_;
    double punti_ = 8.25;
    bool grassetto_ = false;
    GridView* vista_;
};

}  // namespace kenvaron::plat
