// The main window's side of the reasoning window: opening it after a solve
// (or writing a hint instead), the developer's whole list, and the candidate
// view of the board.
#include <algorithm>
#include <memory>

#include "narration/Sequenze.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Ragionamento.h"

namespace kenvaron {

void Form1::MostraSequenzaRagionamento() {
    NascondiFrame();
    Motore& m = motore();
    Condiviso& c = condiviso();
    const bool aiuto = stato.LivelloAiuto != 0;
    // A hint shows no window, so the main window stays where it is.
    const int sinistra = Left();
    const int alto = Top();
    if (!aiuto) Move(0, 0);

    form2_ = std::make_unique<Form2>(*this);
    Form2& w = *form2_;
    w.Load();
    w.Azione = false;
    w.Tbs.SetSelectedIndex(1);
    for (int i = 1; i <= kNumeroSequenze; ++i) {
        plat::Tab& t = w.Tbs.TabAt(i);
        t.SetCaption(TitoloScheda(i, Stbr.Text("p3")));
        t.SetToolTipText(SuggerimentoScheda(i));
    }
    w.Tbs.SetSelectedIndex(SchedaIniziale(stato.livelli.CodiciTecniche, c.Sequenze, c.TecnicheAttive));
    w.Azione = true;

    if (m.NumPassi == 1) m.Risolvi(1);
    Visualizza(c.Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    AbilitaBottone("Validi", true);
    w.RiempiLista();
    if (stato.SingoloStep == 1) w.NascondiRighe();
    w.gp.SetRow(0);
    if (stato.FlagVisPoss == 1 && w.gp.Rows() > 1) w.gp.SetRow(1);
    w.gp.SetCol(0);

    if (aiuto) {
        if (stato.FlagVisPoss == 1) CmdValidi_Click();
        VisAiuto(1, m, stato.LivelloAiuto, Stbr);
    } else {
        w.Apri();
        Move(sinistra, alto);
        Stbr.SetText("p2", "");
        Visualizza(c.Problema);
        if (stato.FlagVisPoss == 1) CmdValidi_Click();
    }
    // Every opening sets the window up anew; closing puts the switches back.
    if (w.Loaded()) w.Unload();
    form2_.reset();
    gr.SetRow(0);
    gr.SetRedraw(stato.RidisegnoGriglia);
}

void Form1::Command17_Click() {
    // The main window goes to the left edge first, so that the sequence
    // window opens beside the board.
    const int sinistra = Left();
    Move(0, Top());
    form2_ = std::make_unique<Form2>(*this);
    Form2& w = *form2_;
    w.Load();
    // The whole list, from the first step.
    condiviso().NumPassiMostrati = 1;
    w.RiempiLista();
    w.Apri();
    Move(sinistra, Top());
    Stbr.SetText("p2", "");
    if (w.Loaded()) w.Unload();
    form2_.reset();
}

void Form1::CmdValidi_Click() {
    NascondiFrame();
    Motore& m = motore();
    const Tabella& schema = condiviso().Problema;
    m.Inizializza();
    Motore::SalvaTabella(schema, m.Griglia);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) PiazzaCifra(m, r, c, schema[r][c]);
    // The user's strikes, where the placements left the candidate possible.
    m.ApplicaScartiUtente(false);
    VisualizzaValidi(m.Possibili);
    stato.FlagVisPoss = 1;
    AbilitaBottone("Schema", true);
}

}  // namespace kenvaron
