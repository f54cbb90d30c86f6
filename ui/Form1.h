// The main window: the board grid, the results grid of batch production, the
// toolbar, the menus, the status bar, the hidden setting controls, and the
// window's life from loading to closing.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/CommonControls.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "generation/FinestraGenerazione.h"
#include "generation/Generatore.h"
#include "generation/Raccolte.h"
#include "generation/Sviluppo.h"
#include "ui/StatoPrincipale.h"
#include "ui/Tabellone.h"

namespace kenvaron {

class Form2;
class Form3;
class Form5;

// The board drawing procedures' view of the platform's grid.
class GrigliaPiattaforma final : public GrigliaCelle {
public:
    explicit GrigliaPiattaforma(plat::Grid& g) : g_(g) {}
    void SetRows(int n) override { g_.SetRows(n); }
    void SetCols(int n) override { g_.SetCols(n); }
    void SetRowHeight(int r, int twip) override { g_.SetRowHeight(r, twip); }
    void SetColWidth(int c, int twip) override { g_.SetColWidth(c, twip); }
    void SetSize(int l, int a) override {
        g_.SetWidth(l);
        g_.SetHeight(a);
    }
    void SetRow(int r) override { g_.SetRow(r); }
    void SetCol(int c) override { g_.SetCol(c); }
    void SetText(const std::string& t) override { g_.SetText(t); }
    void SetCellFontSize(double p) override { g_.SetCellFontSize(p); }
    void SetCellFontName(const std::string& nome) override { g_.SetCellFontName(nome); }
    void SetCellFontBold(bool b) override { g_.SetCellFontBold(b); }
    void SetCellBackColor(long c) override { g_.SetCellBackColor(c); }
    void SetCellForeColor(long c) override { g_.SetCellForeColor(c); }
    void SetCellAlignmentCentre() override { g_.SetCellAlignment(plat::flexAlignCenterCenter); }
    void SetRedraw(bool r) override { g_.SetRedraw(r); }

private:
    plat::Grid& g_;
};

class Form1 : public plat::Form, public FinestraGenerazione {
public:
    Form1();
    ~Form1() override;

    // The background form, loaded before this window (its settings and its start).
    void CollegaSfondo(Form5& sfondo) { sfondo_ = &sfondo; }

    // Engine, levels, shared data and the window's flags.
    StatoPrincipale stato;
    Motore& motore() { return *stato.motore; }
    Condiviso& condiviso() { return stato.stato; }

    // Ends the program at once with stato.CodiceUscita (batch production's
    // end, Esc in batch mode).  Tests replace it so that the test run goes on.
    std::function<void()> FineProgramma;

    // ---- Controls -------------------------------------------------------------
    plat::Grid gr;   // the board
    plat::Grid gra;  // the results grid of batch production
    plat::ImageList immagini;
    plat::Toolbar tlb1;
    // The manual composition's toolbar under tlb1: hidden until the first composition.
    plat::Toolbar tlb2;
    plat::StatusBar Stbr;
    // The two cell-editing pop-ups.
    plat::Frame Frame1;
    plat::Frame Frame2;
    // Their rings of labels, indices 1..11 ("1".."9", "0", "     X"), and centres.
    std::array<std::unique_ptr<plat::Label>, 12> Label1;
    std::array<std::unique_ptr<plat::Label>, 12> LabelC;
    std::unique_ptr<plat::Label> LabeV;
    std::unique_ptr<plat::Label> LabeCC;
    // Hidden controls that hold settings (Tag "V").
    plat::TextBox Text1;
    plat::TextBox Text2;
    plat::TextBox TxtMin;
    plat::TextBox txtSec;
    plat::TextBox Txtmax;
    plat::TextBox txtLiv;
    plat::CheckBox ChkSimm;
    plat::ListBox List1;
    plat::ComboBox CmbR;
    plat::ComboBox CmbC;
    plat::ComboBox Cmbf;
    plat::Label Label2;

    // A menu or menu entry by its name (nullptr for an unknown name).
    plat::Menu* Menu(const std::string& nome);

    // ---- Board ----------------------------------------------------------------
    void Inizializzagrid();
    // Draws a puzzle table; counts its filled cells into NumCellePiene.
    void Visualizza(const Tabella& t);
    // Draws the solver's grid with candidate strings for its empty cells.
    void VisualizzaStr(const TabellaTesti& s);
    // Draws the candidates of a counter table, then restores the grid's redraw.
    void VisualizzaValidi(const TabellaCandidati& p);

    // ---- Commands (ui/Form1Comandi.cpp) ----------------------------------------
    void settaBottoni(int modo);
    // Enables or greys a toolbar button.
    void AbilitaBottone(const std::string& chiave, bool abilitato);
    void NascondiFrame();
    void tlb1_ButtonClick(plat::ToolbarButton& Button);
    // Solves and opens the reasoning window: single steps, hint depth, analysis.
    void SequenzaRagionamento(Byte singoloStep, Byte livelloAiuto, bool analisi);
    void mnuNuovo_Click();
    // Asks the generator for puzzles until one is solved by logic alone.
    void CicloNuovo();
    void mnuAttivaBackGround_Click();
    void mnuAiuto_Click();
    void mnuInformazioni_Click();
    // The pool file in the program's folder and the check mark of "Attiva Backgorund".
    void CaricaImpostazioni();
    void SalvaImpostazioni();
    // The instructions window while it is open.
    std::unique_ptr<Form3> form3;
    // Asks whether to save a changed puzzle; annulla = true: the caller must stop.
    void ChiediSalvataggio(bool& annulla);
    void mnuSalva_Click();
    // The save dialog: the chosen path, "" when cancelled.
    std::string Salva();
    void mnuEsci_Click();
    void MnuFile_Click();
    void MnuLivelli_Click();

    // ---- Solving (ui/Form1Risolvi.cpp) ---------------------------------------------
    // Every solve command's entry: the level's order becomes sequence 1, the
    // filled cells are counted, then DocmdRisolvi.
    void PreparaRisolvi();
    // Solves the board's puzzle in user mode, draws the solution and writes the count.
    void DocmdRisolvi();

    // ---- The reasoning window and the candidate view (Form1Sequenza.cpp) -----------
    // After a solve: opens the reasoning window beside the board, or with
    // LivelloAiuto 1 or 2 writes the hint for the next step and opens nothing.
    void MostraSequenzaRagionamento();
    // The candidates of the puzzle on the board, the user's strikes taken out.
    void CmdValidi_Click();
    // The reasoning window while it is open, nullptr otherwise.
    Form2* Sequenza() const { return form2_.get(); }

    // ---- Cell editing and the user's undo (Form1Modifica.cpp) --------------------
    // A mouse button on the board, before the click it belongs to: the right
    // button makes the cell under the mouse current and asks for candidates.
    void gr_MouseButton(int Button, int Shift, float X, float Y);
    // Opens the value or the candidate pop-up over the current cell.
    void gr_Click();
    void Label1_Click(int Index);
    void LabelC_Click(int Index);
    // The steps accepted in the reasoning window, entries 1..quanti.
    void AccettaSuggerimento(std::span<const std::string> testi, std::span<const std::string> tipi,
                             int quanti);
    void AnnullaMossa();
    void AnnullaTutto();

    // ---- Puzzle text (Form1Testo.cpp) ----------------------------------------------
    // The open dialog: the chosen path, "" when cancelled.
    std::string Apri();
    // Puts the chosen file's text into Text1; true when a file was read.
    bool Command11_Click();
    void mnuApri_Click();
    // The one loader of puzzle text: loads Text1 as the new puzzle.  False,
    // with nothing changed, when the text holds no cell.
    bool Text1_DblClick();
    void CopiaSchema();
    // Loads the clipboard's text; true when it held a puzzle.
    bool IncollaSchema();
    void MostraSchema();

    // ---- Whole-board commands (Form1Schema.cpp) ------------------------------------
    void mnuManuale_Click();
    void tlb2_ButtonClick(plat::ToolbarButton& Button);
    void TerminaComposizione();
    // "Riparti ": an empty board.  "Ruota": puzzle and solution a quarter turn.
    void Cmdriparti_Click();
    void Command8_Click();

    // ---- Printing the board (Form1Stampa.cpp) --------------------------------------
    void Stampa();
    void mnuStampa_Click();
    // The printer set-up dialog; false when cancelled.
    bool Sceglistampante();

    // ---- Rating and batch production ---------------------------------------------
    // Reads the rules file; tronca = empty the "OUTPUT" files.  False when the
    // file cannot be read (said in a message box, or on stderr in batch mode).
    bool InizializzaAuto(bool tronca);
    // Rates the puzzle on the board; registra = also write CalcolaValore.txt.
    void CalcolaValore(bool registra);
    // The toolbar's "CalcolaValore".
    void Command3_Click();

    // ---- Levels -------------------------------------------------------------------
    void mnuSemplice_Click() { ScegliLivello("mnuSemplice"); }
    void MnuNormale_Click() { ScegliLivello("MnuNormale"); }
    void MnuDifficile_Click() { ScegliLivello("MnuDifficile"); }
    void MnuEsperto_Click() { ScegliLivello("MnuEsperto"); }
    void MnuEstremo_Click() { ScegliLivello("MnuEstremo"); }
    void mnuSemplice2_Click() { ScegliLivello("mnuSemplice2"); }
    void mnuClassico_Click() { ScegliLivello("mnuClassico"); }
    void mnuSuperSemplice_Click() { ScegliLivello("mnuSuperSemplice"); }
    void mnuSuperComplesso_Click() { ScegliLivello("mnuSuperComplesso"); }
    void mnuPersonalizzato_Click();
    // The custom level's exchange with the technique-choice window.
    void Command9_Click();
    void spegniLivelli();
    // Writes the level's name into panel "p3".
    void DecodMnuLiv();
    // The hidden combos show the indexes the level state holds.
    void AllineaCombo();

    // ---- New puzzle (ui/Form1Nuovo.cpp) ------------------------------------------------
    // Makes a puzzle of the current level and leaves it on the board: pool,
    // search or coded collection (virtual: tests stand in a generator).
    virtual void Cmdcomplic4_Click();
    // The pool request of a level letter; the pool file is saved every time.
    std::string RecuperaProbl(const std::string& livello);
    // Unloads the instructions window when it is open.
    void ChiudiIstruzioni();
    // A puzzle of a coded collection, by a clock-seeded key.
    void ScegliSchemaN();
    void ScegliSchemaD();
    void Command19_Click();
    void Command20_Click();
    // Record k of a table (or the next that passes), disguised, solved and
    // shown; false when none passes and the board restarts.
    bool TrasformaSchema(char tabella, int k);
    // The record maker: n.txt to y.txt in the program's folder.
    void Command18_Click();
    Decodificatore& decodificatore();

    // ---- Generation (hidden developer buttons; the work is the generator's) ------
    void Command1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command7_Click();
    void CmdSemplifica_Click();
    void CmdTogliSemplici_Click();
    // The seeded run without wall-clock limits, for checking a seed's puzzle.
    bool Command7SenzaLimiti();
    Generatore& generatore();

    // What the generator asks of the window.
    void Cedi() override;
    void Disegna(const Tabella& tabella) override;
    void Ridisegna(bool sempre = false) override;
    void TestoPannello(const std::string& chiave, const std::string& testo) override;
    void Puntatore(int puntatore) override;
    void TestoEtichetta(const std::string& testo) override;
    void Didascalia(const std::string& testo) override;
    void FineVistaCandidati() override;

    // ---- Developer controls, all hidden (ui/Form1Sviluppo.cpp) --------------------
    // A developer button by its control name (nullptr for an unknown name).
    plat::CommandButton* Bottone(const std::string& nome);
    // The statistics run's tick: 1 ms, off until Command14 starts a run.
    plat::Timer Timer1;
    CorsaStatistica statistica;
    void cmdSalvaPS_Click();
    void cmdScambiariga_Click();
    void cmdscambiacolonna_Click();
    void CmDazzeraVal_Click();
    void Command2_Click();
    void Command10_Click();
    void Command12_Click();
    void Command14_Click();
    void Command16_Click();
    void Timer1_Timer();
    void FermaEsecuzione();
    void VisualizzaTabellaStr();
    void VisualizzaTabellaStr2();
    // Harder and easier variants of the board's puzzle.
    void CmdComplica_Click();
    void CmdComplicaGen_Click();
    void RiduciNuovo_Click();
    void semplNuovo_Click();
    void cmdComplica2_Click();
    void probl41_Click();
    // The two experiments: a random full grid and symmetric givens for it.
    void ModoNuovo_Click();
    void ModoRandom_Click();
    // The whole reasoning list in the sequence window, shown modally.
    void Command17_Click();

    // ---- Long computations ------------------------------------------------------------
    // Held by a computation that yields to the event loop: a close asked for
    // meanwhile waits until the last such computation has returned.
    class CalcoloLungo {
    public:
        explicit CalcoloLungo(Form1& f) : f_(f) { f_.stato.InizioCalcolo(); }
        ~CalcoloLungo();
        CalcoloLungo(const CalcoloLungo&) = delete;
        CalcoloLungo& operator=(const CalcoloLungo&) = delete;

    private:
        Form1& f_;
    };

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    void CostruisciMenu();
    void CostruisciBarra();
    void CostruisciPopup();
    void CostruisciSviluppo();
    void FineStatistica();
    template <class Passo>
    void EseguiVariante(Passo&& passo);
    void Scambia(const std::string& domanda, void (*scambia)(Tabella&, double, double));
    // Puts a pop-up over the cell at grid row and column (g, h), inside the window.
    void PosizionaPopup(plat::Frame& f, int g, int h);
    void ScegliLivello(const std::string& menu);
    // The window is never narrower than its toolbar.
    void TienBarraIntera();
    void AvvioProduzione();
    // What Esc does: stops the running generation, and ends batch production.
    void Interrompi();
    // Batch production's report of a failure: panel "p2" and stderr.
    void AvvisoProduzione(const std::string& testo);
    void AvvioInterattivo();
    // The empty board of state 0, with the four menus enabled.
    void Ricomincia();
    void ScegliSchema(char tabella);
    // The puzzle of Problema with its Soluzione as the givens, solved once and
    // shown in command state 2.
    void MostraSchemaFinale();
    std::unique_ptr<Decodificatore> decodificatore_;

    GrigliaPiattaforma griglia_{gr};
    std::vector<std::unique_ptr<plat::Menu>> menu_;
    std::map<std::string, plat::Menu*> menuPerNome_;
    Form5* sfondo_ = nullptr;
    // The hidden setting boxes as the generator reads them.
    void CopiaImpostazioniGenerazione();
    // Runs a generator command as a long computation with the boxes' settings.
    template <class Comando>
    auto EseguiGenerazione(Comando&& comando) {
        CalcoloLungo calcolo(*this);
        CopiaImpostazioniGenerazione();
        return comando(generatore());
    }
    // Draws a table and returns its filled cells.
    int DisegnaTabella(const Tabella& t);
    std::unique_ptr<Generatore> generatore_;
    std::vector<std::unique_ptr<plat::CommandButton>> bottoniSviluppo_;
    std::unique_ptr<Form2> form2_;
    // The close that waited for a computation is under way: no second question.
    bool scaricoRinviato_ = false;
};

}  // namespace kenvaron
