// The printer the program prints to: text lines at a current position in a
// chosen font, lines and boxes, a grid's picture, page breaks and the end of
// the document.  Positions are twips from the top-left corner of the printable
// area.  A page is begun by the first thing drawn on it; EndDoc sends the
// document.  SetPdfOutput sends the following documents to a PDF file.
#pragma once

#include <memory>
#include <string>

class QImage;
class QPainter;
class QPrinter;

namespace kenvaron::plat {

class Grid;

class Printer {
public:
    static Printer& Instance();
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    QPrinter& QtPrinter() { return *stampante_; }
    // "" goes back to the system printer.
    void SetPdfOutput(const std::string& percorso);

    double CurrentX() const { return x_; }
    double CurrentY() const { return y_; }
    void SetCurrentX(double twip) { x_ = twip; }
    void SetCurrentY(double twip) { y_ = twip; }

    const std::string& FontName() const { return font_; }
    double FontSize() const { return punti_; }
    bool FontBold() const { return grassetto_; }
    void SetFontName(const std::string& nome) { font_ = nome; }
    void SetFontSize(double punti) { punti_ = punti; }
    void SetFontBold(bool grassetto) { grassetto_ = grassetto; }
    // Width of lines, in twips.
    void SetDrawWidth(double twip) { spessore_ = twip; }

    // Prints one line at the current position; the position then moves to the
    // start of the next line.  A line that would pass the bottom of the page
    // goes to the top of a new page.
    void Print(const std::string& riga);
    double TextWidth(const std::string& testo);
    double TextHeight(const std::string& testo = "X");
    void Line(double x1, double y1, double x2, double y2, long colore = 0);
    void Box(double x1, double y1, double x2, double y2, long colore = 0, bool pieno = false);
    // The grid's cells as they look on the screen, with their top-left corner at (x, y).
    void PrintGrid(const Grid& griglia, double x, double y);
    void PaintPicture(const QImage& immagine, double x, double y, double larghezza, double altezza);
    void NewPage();
    void EndDoc();
    void KillDoc();

    // Size of the printable area, in twips.
    double ScaleWidth() const;
    double ScaleHeight() const;
    // The page being drawn, from 1.
    int Page() const { return pagina_; }
    // Why the last document could not be started ("" when all went well).
    const std::string& Errore() const { return errore_; }

private:
    Printer();
    QPainter* Pittore();
    double Scala() const;
    void ApplicaFont();

    std::unique_ptr<QPrinter> stampante_;
    std::unique_ptr<QPainter> pittore_;
    bool fallito_ = false;
    std::string errore_;
    double x_ = 0, y_ = 0;
    std::string font_ = "Arial";
    double punti_ = 10;
    bool grassetto_ = false;
    double spessore_ = 15;
    int pagina_ = 1;
};

}  // namespace kenvaron::plat
