// Commands on the whole board: manual composition (the user types a puzzle in
// on an empty board and "Fine" turns the entries into givens), "Riparti "
// (an empty board) and "Ruota" (puzzle and solution a quarter turn).
#include "ui/Form1.h"
#include "ui/Salvataggio.h"

namespace kenvaron {

void Form1::mnuManuale_Click() {
    bool annulla = false;
    ChiediSalvataggio(annulla);
    if (annulla) return;
    SetCaption(kNomeProgramma);
    Condiviso& s = condiviso();
    Motore::AzzeraTabella(s.Problema);
    Motore::AzzeraTabella(motore().CelleDate);
    settaBottoni(1);
    tlb2.Clear();
    tlb2.Add("Fine", plat::tbrDefault, "Fine", "Termina ").SetToolTipText("Termina composizione manuale  SUDOKU");
    if (!tlb2.Visible()) {
        // The window grows by the new toolbar, so the whole board stays in sight.
        const int altezza = ScaleHeight();
        tlb2.SetVisible(true);
        // Emptied by "Fine", the toolbar keeps its height: the board does not move.
        tlb2.Widget()->setMinimumHeight(tlb2.Widget()->sizeHint().height());
        SetClientSize(ScaleWidth(), altezza);
    }
    Visualizza(s.Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    s.NumMosse = 0;
    stato.SchemaModificato = 1;
}

void Form1::tlb2_ButtonClick(plat::ToolbarButton& Button) {
    if (Button.Key() == "Fine") TerminaComposizione();
}

void Form1::TerminaComposizione() {
    settaBottoni(2);
    Condiviso& s = condiviso();
    Motore& m = motore();
    s.NumMosse = 0;
    Motore::SalvaTabella(s.Problema, m.CelleDate);
    Visualizza(s.Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    m.Risolvi(1);
    Motore::SalvaTabella(m.Griglia, m.Soluzione);
    // The toolbar stays, empty, under the main one.
    tlb2.Clear();
}

void Form1::Cmdriparti_Click() {
    Motore& m = motore();
    Motore::AzzeraTabella(condiviso().Problema);
    // No former given stays black, or asks before it is edited.
    Motore::AzzeraTabella(m.CelleDate);
    m.Inizializza();
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    SetMousePointer(plat::vbDefault);
}

void Form1::Command8_Click() {
    stato.generazione.ModoInterrogativo = 0;
    Motore::RuotaTabella(condiviso().Problema);
    Motore::RuotaTabella(motore().Soluzione);
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
}

}  // namespace kenvaron
