// The main window's solve command: the puzzle on the board solved with the
// level's techniques, its solution drawn and the number of solutions written
// into the status bar.  The solving itself is core code (narration/).
#include "narration/ListaRagionamento.h"
#include "narration/Risoluzione.h"
#include "platform/Form.h"
#include "ui/Form1.h"

namespace kenvaron {

void Form1::PreparaRisolvi() {
    NascondiFrame();
    condiviso().Sequenze[1] = stato.livelli.CodiciTecniche;
    motore().contaCellePiene();
    DocmdRisolvi();
}

void Form1::DocmdRisolvi() {
    Motore& m = motore();
    SetMousePointer(plat::vbHourglass);
    const std::optional<Tabella> mostrata = narrazione::RisolviPerComando(m);
    if (stato.generazione.ProvaCronometrata) return;  // the statistics run draws and restores the pointer itself
    if (mostrata) {
        Visualizza(*mostrata);
        gr.SetRedraw(stato.RidisegnoGriglia);
    }
    SetMousePointer(plat::vbDefault);
    if (!m.Analisi) Stbr.SetText("p2", narrazione::TestoSoluzioni(m.ContaSoluz, true));
    AbilitaBottone("Mostra", true);
}

}  // namespace kenvaron
