// The main window's commands: the toolbar's dispatcher, the command states
// and the enabling rule, the "Nuovo" loop, the background option with the
// pool file, and the instructions and about windows.
#include <map>

#include "background/Impostazioni.h"
#include "generation/CicloNuovo.h"
#include "platform/System.h"
#include "ui/Comandi.h"
#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Form5.h"
#include "ui/Form8.h"
#include "ui/Salvataggio.h"

namespace kenvaron {

namespace {

// What each toolbar key does; keys not listed (separators, placeholders) do nothing.
using AzioneBarra = void (*)(Form1&);

void Risolvi(Form1& f) {
    f.SetMousePointer(plat::vbHourglass);
    f.stato.livelli.SettaTurni(f.stato.livelli.CodiciTecniche);
    f.PreparaRisolvi();
    f.SetMousePointer(plat::vbDefault);
}

void Incolla(Form1& f) {
    bool annulla = false;
    f.ChiediSalvataggio(annulla);
    // A clipboard without a puzzle changes nothing, not even the caption.
    if (annulla || !f.IncollaSchema()) return;
    f.stato.SchemaModificato = 1;
    f.SetCaption(kNomeProgramma);
}

const std::map<std::string, AzioneBarra>& AzioniBarra() {
    static const std::map<std::string, AzioneBarra> azioni{
        {"Nuovo", [](Form1& f) { f.mnuNuovo_Click(); }},
        {"Risolvi", Risolvi},
        {"SingoloStep", [](Form1& f) { f.SequenzaRagionamento(1, 0, false); }},
        {"Aiutino", [](Form1& f) { f.SequenzaRagionamento(1, 1, false); }},
        {"Aiuto", [](Form1& f) { f.SequenzaRagionamento(1, 2, false); }},
        {"Mostra", [](Form1& f) { f.SequenzaRagionamento(0, 0, false); }},
        {"Analisi", [](Form1& f) { f.SequenzaRagionamento(0, 0, true); }},
        {"CalcolaValore", [](Form1& f) { f.Command3_Click(); }},
        {"UndoAll",
         [](Form1& f) {
             f.AnnullaTutto();
             f.stato.SchemaModificato = 1;
         }},
        {"Undo",
         [](Form1& f) {
             f.AnnullaMossa();
             f.stato.SchemaModificato = 1;
         }},
        {"Copia", [](Form1& f) { f.CopiaSchema(); }},
        {"Incolla", Incolla},
        {"Validi", [](Form1& f) { f.CmdValidi_Click(); }},
        {"Schema", [](Form1& f) { f.MostraSchema(); }},
        {"Stampa", [](Form1& f) { f.Stampa(); }},
        {"Uscita", [](Form1& f) { f.mnuEsci_Click(); }},
    };
    return azioni;
}

}  // namespace

// ---- Command states ----------------------------------------------------------------

void Form1::settaBottoni(int modo) {
    NascondiFrame();
    for (int i = 1; i <= tlb1.Count(); ++i) {
        plat::ToolbarButton& b = tlb1.ButtonAt(i);
        if (const auto abilitato = BottoneAbilitato(modo, b.Key())) b.SetEnabled(*abilitato);
    }
    if (const auto menu = MenuAbilitati(modo))
        for (const char* nome : {"MnuFile", "MnuLivelli", "mnuOpzioni", "mnuAiuto"})
            Menu(nome)->SetEnabled(*menu);
}

void Form1::AbilitaBottone(const std::string& chiave, bool abilitato) { tlb1.SetButtonEnabled(chiave, abilitato); }

// ---- Toolbar -----------------------------------------------------------------------------

void Form1::tlb1_ButtonClick(plat::ToolbarButton& Button) {
    Stbr.SetText("p2", "");
    // A close that waits for a running computation keeps its stop request.
    if (!stato.ChiusuraRinviata()) stato.generazione.Chiudi = 0;
    const auto& azioni = AzioniBarra();
    if (const auto it = azioni.find(Button.Key()); it != azioni.end()) it->second(*this);
}

void Form1::SequenzaRagionamento(Byte singoloStep, Byte livelloAiuto, bool analisi) {
    stato.SingoloStep = singoloStep;
    stato.LivelloAiuto = livelloAiuto;
    motore().Analisi = analisi;
    SetMousePointer(plat::vbHourglass);
    stato.livelli.SettaTurni(stato.livelli.CodiciTecniche);
    PreparaRisolvi();
    MostraSequenzaRagionamento();
    SetMousePointer(plat::vbDefault);
    motore().Analisi = false;
}

// ---- New puzzle ------------------------------------------------------------------------------

void Form1::mnuNuovo_Click() {
    bool annulla = false;
    ChiediSalvataggio(annulla);
    if (annulla) return;
    CicloNuovo();
    stato.SchemaModificato = 1;
    SetCaption(kNomeProgramma);
}

void Form1::CicloNuovo() {
    // A close asked for meanwhile waits for the loop, and ends it.
    CalcoloLungo calcolo(*this);
    kenvaron::CicloNuovo(motore(), [this] {
        Cmdcomplic4_Click();
        return stato.generazione.SudokuDisponibile && !stato.ChiusuraRinviata();
    });
}

// ---- Background option and pool file -----------------------------------------------------------

void Form1::CaricaImpostazioni() {
    const std::string percorso = plat::AppPath() + "/" + kFileImpostazioni;
    // What killed writes of the pool left beside it goes before the pool is read.
    RimuoviTemporaneiVecchi(percorso);
    const bool opzione = kenvaron::CaricaImpostazioni(condiviso(), percorso);
    Menu("mnuAttivaBackGround")->SetChecked(opzione);
}

void Form1::SalvaImpostazioni() {
    kenvaron::SalvaImpostazioni(condiviso(), plat::AppPath() + "/" + kFileImpostazioni,
                                Menu("mnuAttivaBackGround")->Checked(), *motore().orologio);
}

void Form1::mnuAttivaBackGround_Click() {
    plat::Menu& opzione = *Menu("mnuAttivaBackGround");
    opzione.SetChecked(!opzione.Checked());
    SalvaImpostazioni();
    if (opzione.Checked()) {
        condiviso().CodiceStop = 0;
        if (sfondo_ != nullptr) sfondo_->EsecBkg();
    } else {
        condiviso().CodiceStop = 2;
    }
}

// ---- Instructions and about --------------------------------------------------------------------

void Form1::mnuAiuto_Click() {
    if (!form3) form3 = std::make_unique<Form3>(*this);
    form3->Show(plat::vbModal);
    form3.reset();
}

void Form1::mnuInformazioni_Click() {
    Form8 informazioni(*this);
    informazioni.Show(plat::vbModal);
}

}  // namespace kenvaron
