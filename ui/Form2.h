// The reasoning window: the narrated solution as a list beside the board, the
// seven solving sequences as tabs, steps revealed one at a time, the board at
// a step (digits so far, trial digits, eliminations, the pattern that justified
// the step) or with the candidates of that moment, the steps up to the
// selected one accepted into the puzzle, and the list printed.  The main
// window opens it for each use and releases it when it has closed.
#pragma once

#include <string>

#include "narration/Sequenze.h"
#include "narration/VistaPasso.h"
#include "platform/CommonControls.h"
#include "platform/Form.h"
#include "platform/Grid.h"

namespace kenvaron {

class Form1;

class Form2 : public plat::Form {
public:
    explicit Form2(Form1& principale);
    ~Form2() override;

    plat::Grid gp;  // the reasoning list
    plat::TabStrip Tbs;
    plat::ImageList ImageList1;
    plat::Toolbar tlb1;
    plat::StatusBar Stbr;

    // Tab changes re-solve only while true (false while the tabs are set in code).
    bool Azione = false;

    // Shows the window modally.  Before it appears it widens for its seven
    // tabs side by side, captions set by now, and where it would then end
    // past the screen's edge it ends there, narrower or shorter, keeping its
    // place beside the board: the window system gets its final size at once.
    void Apri();

    // Reveals the next hidden step and shows it on the board.
    void SuggerimentoSuccessivo();
    // Shows the selected step on the board (the list's click).
    void gp_Click();
    void gp_MouseButton(int Button, int Shift, float X, float Y);
    // The candidates at the selected step; offset 1 = one step further.
    void MostraValidiPasso(int offset);
    // The board at the selected step, without candidates.
    void MostraSchemaPasso();
    void tlb1_ButtonClick(plat::ToolbarButton& Button);
    void Tbs_Click();

    // Fills the list from the step log of the last solve.
    void RiempiLista();
    // Every step row hidden, for revealing them one at a time.
    void NascondiRighe();

    // What the last step display collected for "Accetta".
    const Suggerimenti& suggerimenti() const { return suggerimenti_; }
    int VistaValidi() const { return vistaValidi_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;
    void Form_Resize() override;

private:
    // Painting the main board (the step view).
    void EvidenziaCelle(const std::string& celle, int riga);
    void ScriviConclusione(const std::string& voce, int riga);
    void ColoraCella(const std::string& voce);
    // The cell list of row j painted over the board as it stands.
    void DipingiCelle(int j);
    // The board cell of puzzle row and column r, c (0 gives the corner cell).
    void VaiACella(int r, int c);
    // Passes the technique name of the selected row's step to the status bar.
    void NomeTecnica();
    void StampaSequenza();
    void StampaRighe();

    Form1& f_;
    int vistaValidi_ = 0;
    long coloreEvidenza_ = kColoreSchema;
    int classeCella_ = 0;
    bool primaAttivazione_ = true;
    int applicaPasso_ = 0;
    Suggerimenti suggerimenti_;
    TecnicheSalvate tecnicheSalvate_;
};

}  // namespace kenvaron
