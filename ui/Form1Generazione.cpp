// The main window's generation buttons and its side of the generator's
// window interface: yielding, drawing a table, the status panels, the
// pointer and the end of the candidate view.  The handlers read the hidden
// setting boxes and hand the work to the generator.
#include "platform/System.h"
#include "ui/Form1.h"

namespace kenvaron {

Generatore& Form1::generatore() {
    if (!generatore_)
        generatore_ = std::make_unique<Generatore>(motore(), condiviso(), stato.livelli, stato.impostazioni,
                                                   stato.generazione, *this);
    return *generatore_;
}

void Form1::CopiaImpostazioniGenerazione() {
    ImpostazioniGenerazione& g = stato.impostazioni;
    g.TestoLiv = txtLiv.Text();
    g.TestoMin = TxtMin.Text();
    g.Simmetrico = ChkSimm.Value() == plat::vbChecked;
}

void Form1::Command1_Click() {
    EseguiGenerazione([](Generatore& g) { g.Command1_Click(); });
}
void Form1::Command4_Click() {
    EseguiGenerazione([](Generatore& g) { g.Command4_Click(); });
}
void Form1::Command5_Click() {
    EseguiGenerazione([](Generatore& g) { g.Command5_Click(); });
}
void Form1::Command7_Click() {
    EseguiGenerazione([](Generatore& g) { g.Command7_Click(); });
}
bool Form1::Command7SenzaLimiti() {
    return EseguiGenerazione([](Generatore& g) { return g.Command7_Click(true); });
}
void Form1::CmdSemplifica_Click() {
    EseguiGenerazione([](Generatore& g) { g.CmdSemplifica_Click(); });
}
void Form1::CmdTogliSemplici_Click() {
    EseguiGenerazione([](Generatore& g) { g.CmdTogliSemplici_Click(); });
}

void Form1::Cedi() { plat::DoEvents(); }

void Form1::Disegna(const Tabella& tabella) { DisegnaTabella(tabella); }

void Form1::Ridisegna(bool sempre) { gr.SetRedraw(sempre || stato.RidisegnoGriglia); }

void Form1::TestoPannello(const std::string& chiave, const std::string& testo) { Stbr.SetText(chiave, testo); }

void Form1::Puntatore(int puntatore) { SetMousePointer(puntatore); }

void Form1::FineVistaCandidati() { stato.FlagVisPoss = 0; }

}  // namespace kenvaron
