// Puzzles in and out as text: File/Apri reads a puzzle file, "Incolla" the
// clipboard, and both hand the text to the one loader, Text1_DblClick, which
// also loads the background pool's puzzles.  "Copia" puts the board's picture
// on the clipboard; "Schema" shows the puzzle again instead of its candidates.
#include "engine/TestoSchema.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Salvataggio.h"

namespace kenvaron {

std::string Form1::Apri() { return plat::DialogoApri(plat::FiltroSchemi); }

bool Form1::Command11_Click() {
    Text2.SetText(Apri());
    if (Text2.Text().empty()) return false;
    std::string testo;
    if (!LeggiFileSchema(Text2.Text(), testo)) {
        // Nothing of a file that could not be read is loaded.
        Text1.SetText("");
        plat::MsgBox("Schema " + Text2.Text() + " non trovato");
        return false;
    }
    Text1.SetText(testo);
    return true;
}

void Form1::mnuApri_Click() {
    bool annulla = false;
    ChiediSalvataggio(annulla);
    if (annulla) return;
    Text1.SetText("");
    if (!Command11_Click()) return;
    if (!Text1_DblClick()) {
        plat::MsgBox("Schema " + Text2.Text() + " non valido");
        return;
    }
    SetCaption(TitoloConFile(Text2.Text()));
    stato.SchemaModificato = 0;
}

bool Form1::Text1_DblClick() {
    Condiviso& s = condiviso();
    Tabella nuovo = s.Problema;
    if (!LeggiSchema(Text1.Text(), nuovo)) return false;
    Motore& m = motore();
    s.NumMosse = 0;
    m.Inizializza();
    s.Problema = nuovo;
    Motore::SalvaTabella(s.Problema, m.CelleDate);
    Visualizza(s.Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    m.Risolvi(1);
    Motore::SalvaTabella(m.Griglia, m.Soluzione);
    settaBottoni(2);
    stato.FlagVisPoss = 0;
    return true;
}

void Form1::CopiaSchema() {
    NascondiFrame();
    plat::Clipboard::Clear();
    plat::Clipboard::SetText(FiguraSchema(condiviso().Problema));
}

bool Form1::IncollaSchema() {
    NascondiFrame();
    Text1.SetText("");
    Text1.SetText(std::string(TestoDaLeggere(plat::Clipboard::GetText())));
    return !Text1.Text().empty() && Text1_DblClick();
}

void Form1::MostraSchema() {
    NascondiFrame();
    stato.FlagVisPoss = 0;
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    AbilitaBottone("Validi", true);
}

}  // namespace kenvaron
