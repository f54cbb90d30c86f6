// Printing the board: after the printer set-up, the never-shown print window
// lays the board out and the printer draws its grid on one page.
#include "platform/Dialogs.h"
#include "platform/Printer.h"
#include "ui/Form1.h"
#include "ui/Form4.h"

namespace kenvaron {

namespace {

// Where the board stands on the page, from the printable area's corner.
constexpr double kSinistraStampa = 1200;
constexpr double kAltoStampa = 840;

}  // namespace

bool Form1::Sceglistampante() { return plat::DialogoStampante(); }

void Form1::Stampa() {
    NascondiFrame();
    if (!Sceglistampante()) return;
    Form4 f4;
    f4.Load();
    f4.VisualizzaF4(condiviso().Problema);
    plat::Printer& p = plat::Printer::Instance();
    p.PrintGrid(f4.gr, kSinistraStampa, kAltoStampa);
    p.EndDoc();
    if (!p.Errore().empty()) plat::MsgBox(p.Errore(), plat::vbExclamation);
}

void Form1::mnuStampa_Click() { Stampa(); }

}  // namespace kenvaron
