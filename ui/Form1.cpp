#include "ui/Form1.h"

#include <QToolBar>

#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/System.h"
#include "engine/FileTesto.h"
#include "engine/Funzioni.h"
#include "platform/Units.h"
#include "ui/Avvio.h"
#include "ui/Comandi.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Form5.h"
#include "ui/Form6.h"
#include "ui/Form7.h"
#include "ui/Programma.h"
#include "generation/MenuLivelli.h"
#include "ui/Salvataggio.h"

namespace kenvaron {

namespace {

// Room around the board inside the window, in twips.
constexpr int kMargine = 120;
constexpr int kLatoPopup = 1440;

// The tag of the controls that hold settings and are never seen.
constexpr const char* kTagNascosto = "V";

}  // namespace

Form1::Form1()
    : FineProgramma([this] { plat::EndProgram(stato.CodiceUscita); }),
      gr(*this),
      gra(*this),
      tlb1(*this),
      tlb2(*this),
      Stbr(*this),
      Frame1(*this),
      Frame2(*this),
      Text1(*this),
      Text2(*this),
      TxtMin(*this),
      txtSec(*this),
      Txtmax(*this),
      txtLiv(*this),
      ChkSimm(*this, "Simmetrico"),
      List1(*this),
      CmbR(*this),
      CmbC(*this),
      Cmbf(*this),
      Label2(*this) {
    SetCaption(kNomeProgramma);
    CostruisciMenu();

    plat::RiempiIcone(immagini);
    tlb1.SetImageList(&immagini);
    tlb1.ButtonClick = [this](plat::ToolbarButton& b) { tlb1_ButtonClick(b); };
    tlb2.SetImageList(&immagini);
    tlb2.ButtonClick = [this](plat::ToolbarButton& b) { tlb2_ButtonClick(b); };
    tlb2.SetVisible(false);

    // Results, hints and progress take a line as wide as the window, above
    // the prompts, the level name and the background's progress.
    Stbr.Add("p1", "", 2400, plat::sbrSpring);
    Stbr.Add("p2", "", 0, plat::sbrLine);
    Stbr.Add("p3", "", 2100);
    Stbr.Add("p4", "", 2100);

    gr.SetScrollBars(plat::flexScrollBarNone);
    gr.SetLeft(kMargine);
    gr.SetTop(kMargine);
    gra.SetVisible(false);

    for (plat::Frame* f : {&Frame1, &Frame2}) {
        f->SetWidth(kLatoPopup);
        f->SetHeight(kLatoPopup);
    }
    CostruisciPopup();
    CostruisciSviluppo();

    // Settings kept in controls, with the texts they start with.
    TxtMin.SetText("1500");
    txtSec.SetText("9999");
    Txtmax.SetText("15000");
    txtLiv.SetText("22");
    ChkSimm.SetValue(plat::vbChecked);
    for (plat::Control* c : std::initializer_list<plat::Control*>{
             &Text1, &Text2, &TxtMin, &txtSec, &Txtmax, &txtLiv, &ChkSimm, &List1, &CmbR, &CmbC, &Cmbf,
             &Label2})
        c->Tag = kTagNascosto;
    CmbR.Click = [this] { motore().IndiceRagionamento = CmbR.ListIndex(); };
    Cmbf.Click = [this] { stato.impostazioni.IndiceCmbf = Cmbf.ListIndex(); };
    CmbC.Click = [this] { stato.impostazioni.IndiceCmbC = CmbC.ListIndex(); };

    // Esc reaches the window whichever control has the focus.
    SetKeyPreview(true);
    motore().VisualizzaValidi = [this](const TabellaCandidati& p) { VisualizzaValidi(p); };
}

Form1::~Form1() { motore().VisualizzaValidi = nullptr; }

// ---- Menus and toolbar --------------------------------------------------------------

void Form1::CostruisciMenu() {
    for (const MenuPrincipale& m : BarraMenu()) {
        menu_.push_back(std::make_unique<plat::Menu>(*this, m.titolo));
        plat::Menu& principale = *menu_.back();
        menuPerNome_[m.nome] = &principale;
        for (const VoceMenu& v : m.voci) {
            menu_.push_back(std::make_unique<plat::Menu>(principale, v.separatore() ? "-" : v.titolo));
            menuPerNome_[v.nome] = menu_.back().get();
        }
    }
    auto collega = [this](const char* nome, void (Form1::*gestore)()) {
        Menu(nome)->Click = [this, gestore] { (this->*gestore)(); };
    };
    collega("MnuFile", &Form1::MnuFile_Click);
    collega("MnuLivelli", &Form1::MnuLivelli_Click);
    collega("mnuNuovo", &Form1::mnuNuovo_Click);
    collega("mnuManuale", &Form1::mnuManuale_Click);
    collega("mnuApri", &Form1::mnuApri_Click);
    collega("mnuSalva", &Form1::mnuSalva_Click);
    collega("mnuStampa", &Form1::mnuStampa_Click);
    collega("mnuEsci", &Form1::mnuEsci_Click);
    collega("mnuAttivaBackGround", &Form1::mnuAttivaBackGround_Click);
    collega("mnuAiuto", &Form1::mnuAiuto_Click);
    collega("mnuInformazioni", &Form1::mnuInformazioni_Click);
    collega("mnuSemplice", &Form1::mnuSemplice_Click);
    collega("MnuNormale", &Form1::MnuNormale_Click);
    collega("MnuDifficile", &Form1::MnuDifficile_Click);
    collega("MnuEsperto", &Form1::MnuEsperto_Click);
    collega("MnuEstremo", &Form1::MnuEstremo_Click);
    collega("mnuSemplice2", &Form1::mnuSemplice2_Click);
    collega("mnuClassico", &Form1::mnuClassico_Click);
    collega("mnuSuperSemplice", &Form1::mnuSuperSemplice_Click);
    collega("mnuSuperComplesso", &Form1::mnuSuperComplesso_Click);
    collega("mnuPersonalizzato", &Form1::mnuPersonalizzato_Click);
    // "Non so" is switched off in the menu's design and nothing switches it on.
    Menu("mnuSemplice2")->SetEnabled(false);
    Menu("MnuNormale")->SetChecked(true);
    Menu("mnuAttivaBackGround")->SetChecked(false);
}

plat::Menu* Form1::Menu(const std::string& nome) {
    const auto it = menuPerNome_.find(nome);
    return it == menuPerNome_.end() ? nullptr : it->second;
}

void Form1::CostruisciBarra() {
    const bool regole = FileExists(plat::AppPath() + "/" + kFileRegole);
    for (const VoceBarra& v : VociBarra(regole)) {
        switch (v.stile) {
            case StileBottone::Pulsante:
                tlb1.Add(v.chiave, plat::tbrDefault, v.immagine).SetToolTipText(v.suggerimento);
                break;
            case StileBottone::Separatore: tlb1.Add(v.chiave, plat::tbrSeparator); break;
            case StileBottone::Segnaposto:
                tlb1.Add(v.chiave, plat::tbrPlaceholder).SetWidth(v.larghezza);
                break;
        }
    }
}

void Form1::NascondiFrame() {
    Frame1.SetVisible(false);
    Frame2.SetVisible(false);
}

void Form1::MnuFile_Click() { NascondiFrame(); }
void Form1::MnuLivelli_Click() { NascondiFrame(); }

// ---- Life cycle -------------------------------------------------------------------------

void Form1::Form_Load() {
    stato.SchemaModificato = 0;
    CostruisciBarra();
    settaBottoni(0);
    NascondiFrame();

    Condiviso& c = condiviso();
    const char* const sequenze[] = {"SGDBC", "SGCDB", "BSGCD", "GSDBC", "C", "DSGBC"};
    for (int i = 2; i <= 7; ++i) c.Sequenze[i] = sequenze[i - 2];

    ImpostazioniGenerazione& g = stato.impostazioni;
    g.LimiteRigaRimozione = 9;
    g.LimiteColonnaRimozione = 9;
    g.LimiteSuperSemplice = 68;
    g.SuperSimmetrico = false;
    stato.livelli.AccendiSchK(0, 0);
    stato.livelli.AccendiAV(0, 0, 0);

    Motore& m = motore();
    m.SoluzioneLogica = true;
    m.TurniAttivi = {true, true, true, true, true};
    m.ModoRisolvi = true;
    m.Turni[Motore::kS] = 1;
    m.Turni[Motore::kG] = 2;
    m.Turni[Motore::kD] = 3;
    m.Turni[Motore::kB] = 4;
    m.Turni[Motore::kC] = 5;
    m.LimiteFor = 3;
    m.CostruisciTabelleUnita();

    Inizializzagrid();
    // The window fits the board and the toolbar.
    SetClientSize(gr.Width() + 2 * kMargine, gr.Height() + 2 * kMargine);
    TienBarraIntera();
    Move(0, 0);
    m.IsalvaValidi = -1;

    for (plat::Control* controllo : Controls())
        if (controllo->Tag == kTagNascosto) controllo->SetVisible(false);

    MnuNormale_Click();
    c.Sequenze[1] = stato.livelli.CodiciTecniche;
    stato.livelli.SettaTurni(stato.livelli.CodiciTecniche);
}

void Form1::Form_Activate() {
    TienBarraIntera();
    stato.RidisegnoGriglia = true;
    if (stato.GiaAttivato != 0) return;
    stato.GiaAttivato = 1;
    if (stato.generazione.GeneraAuto)
        AvvioProduzione();
    else
        AvvioInterattivo();
}

void Form1::TienBarraIntera() {
    // Measured again once the window is on the screen, whose fonts and style
    // may differ from those the window was built with; the user cannot make it
    // narrower either.  A window widened for it keeps the board at its margin
    // on the left, so that the reasoning window beside the board gets the
    // room.  The width goes through the form, so that the window system gets
    // it as the form's own request; the minimum follows.
    const int barra = tlb1.Widget()->sizeHint().width();
    if (Widget()->width() < barra) SetWidth(plat::Twip(barra));
    Widget()->setMinimumWidth(barra);
}

void Form1::AvvioInterattivo() {
    gr.SetVisible(true);
    gra.SetVisible(false);
    CaricaImpostazioni();
    if (Menu("mnuAttivaBackGround")->Checked()) {
        condiviso().CodiceStop = 0;
        if (sfondo_ != nullptr) sfondo_->EsecBkg();
    }
}

void Form1::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == 27) Interrompi();
}

void Form1::Interrompi() {
    if (stato.generazione.GenerazioneInCorso) stato.generazione.Chiudi = 1;
    if (stato.generazione.GeneraAuto) {
        stato.ProduzioneFermata = true;
        FineProgramma();
    }
}

void Form1::Form_QueryUnload(int& Cancel, int /*UnloadMode*/) {
    if (scaricoRinviato_) return;  // the save question was answered already
    if (stato.generazione.GeneraAuto) {
        // Batch production asks nothing; a close while it runs ends it as Esc does.
        if (!stato.CalcoloInCorso()) return;
        Cancel = 1;
        stato.ProduzioneFermata = true;
        FineProgramma();
        return;
    }
    if (stato.ChiusuraRinviata()) {
        Cancel = 1;  // a close is already waiting for the computation
        return;
    }
    bool annulla = false;
    ChiediSalvataggio(annulla);
    if (stato.RichiestaChiusura(annulla) != StatoPrincipale::EsitoChiusura::Chiudere) Cancel = 1;
}

void Form1::Form_Unload(int& /*Cancel*/) { condiviso().CodiceStop = 1; }

Form1::CalcoloLungo::~CalcoloLungo() {
    if (!f_.stato.FineCalcolo()) return;
    f_.scaricoRinviato_ = true;
    f_.Unload();
}

void Form1::Form_Resize() {
    if (WindowState() == plat::vbMaximized) SetWindowState(plat::vbNormal);
}

void Form1::mnuEsci_Click() { Unload(); }

// ---- Saving ---------------------------------------------------------------------------------

void Form1::ChiediSalvataggio(bool& annulla) {
    annulla = kenvaron::ChiediSalvataggio(
        stato.SchemaModificato,
        [] {
            switch (plat::MsgBox(kDomandaSalvataggio, plat::vbYesNoCancel)) {
                case plat::vbYes: return Risposta::Si;
                case plat::vbNo: return Risposta::No;
                default: return Risposta::Annulla;
            }
        },
        [this] { mnuSalva_Click(); });
}

std::string Form1::Salva() { return plat::DialogoSalva(plat::FiltroSchemi, true); }

void Form1::mnuSalva_Click() {
    Text2.SetText(Salva());
    const std::string percorso = Text2.Text();
    if (!percorso.empty() && !ScriviSchema(percorso, condiviso().Problema, FilePropriProgramma())) {
        // The puzzle stays marked as changed, so nothing is lost without a question.
        plat::MsgBox("Schema " + percorso + " non salvato", plat::vbExclamation);
        return;
    }
    if (!percorso.empty()) stato.SchemaModificato = 0;
    SetCaption(TitoloConFile(percorso));
}

// ---- Board -------------------------------------------------------------------------------------

void Form1::Inizializzagrid() {
    Cmbf.Clear();
    for (const char* voce : {"Facile", "Medio", "Difficile"}) Cmbf.AddItem(voce);
    Cmbf.SetListIndex(2);
    CmbC.Clear();
    for (int n = 23; n <= 30; ++n) CmbC.AddItem(std::to_string(n) + " caselle");
    CmbC.SetListIndex(0);
    CmbR.Clear();
    for (const char* voce : {"Semplice", "Normale", "Impegnativo", "Complicato", "Molto Complicato"})
        CmbR.AddItem(voce);
    CmbR.SetListIndex(4);
    kenvaron::Inizializzagrid(griglia_);
    stato.impostazioni.SoloAngolari = true;
}

void Form1::Visualizza(const Tabella& t) { motore().NumCellePiene = DisegnaTabella(t); }

int Form1::DisegnaTabella(const Tabella& t) {
    const OpzioniVisualizza o{&motore().CelleDate, stato.generazione.ModoInterrogativo,
                              stato.generazione.SudokuDisponibile};
    return kenvaron::Visualizza(griglia_, t, o);
}

void Form1::VisualizzaStr(const TabellaTesti& s) { kenvaron::VisualizzaStr(griglia_, motore().Griglia, s); }

void Form1::VisualizzaValidi(const TabellaCandidati& p) {
    VisualizzaStr(CandidatiValidi(p));
    gr.SetRedraw(stato.RidisegnoGriglia);
}

// ---- Levels --------------------------------------------------------------------------------------

void Form1::spegniLivelli() {
    for (const char* nome : kVociLivelloSpuntabili) Menu(nome)->SetChecked(false);
}

void Form1::DecodMnuLiv() {
    if (const auto nome = kenvaron::DecodMnuLiv(stato.livelli.Livello)) Stbr.SetText("p3", *nome);
}

void Form1::AllineaCombo() {
    Cmbf.SetListIndex(stato.impostazioni.IndiceCmbf);
    CmbR.SetListIndex(motore().IndiceRagionamento);
}

void Form1::ScegliLivello(const std::string& menu) {
    const RigaLivello* riga = TrovaRigaLivello(menu);
    if (riga == nullptr) return;
    spegniLivelli();
    ApplicaRigaLivello(*riga, stato.contestoLivello);
    if (riga->spuntaPropria) Menu(menu)->SetChecked(true);
    DecodMnuLiv();
    AllineaCombo();
    if (menu == "mnuSemplice2") {
        // The merit limit of the level, shown so that Val reads it back in any locale.
        ImpostazioniGenerazione& g = stato.impostazioni;
        g.LimiteSemplice2 = Val(plat::InputBox("", "", TestoNumero(g.LimiteSemplice2)));
    }
    if (riga->superSimmetrico) {
        Form7 opzioni(*this);
        opzioni.Show(plat::vbModal);
    }
}

void Form1::Command9_Click() {
    ScambiaTecniche(stato.contestoLivello, [this] {
        Form6 scelta(*this);
        scelta.Show(plat::vbModal);
    });
}

void Form1::mnuPersonalizzato_Click() {
    ApplicaPersonalizzato(stato.contestoLivello, [this] { Command9_Click(); });
    spegniLivelli();
    Menu("mnuPersonalizzato")->SetChecked(true);
    DecodMnuLiv();
    AllineaCombo();
}

}  // namespace kenvaron
