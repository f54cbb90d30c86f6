#include "ui/Form7.h"

#include "ui/Centra.h"
#include "ui/Form1.h"

namespace kenvaron {

namespace {
// The fewest-givens choice sets the acceptance limit of level "1".
constexpr Byte kLimiteNormale = 68;
constexpr Byte kLimiteMinimo = 70;
}  // namespace

Form7::Form7(Form1& principale)
    : Option1(*this, "Simmetria dei quadrati angolari"),
      Option2(*this, "Simmetria completa"),
      Cmbf(*this),
      Check1(*this, " Genera con il minimo numero di celle iniziali "),
      Command1(*this, "OK"),
      principale_(principale) {
    Option1.Move(240, 180, 3600, 300);
    Option2.Move(240, 500, 3600, 300);
    Cmbf.Move(240, 900, 3000, 330);
    Command1.Move(4320, 180, 1200, 420);
    // The check box sits in the lower half: the "avanzato" window is cut in half.
    Check1.Move(240, 2040, 5000, 300);
    SetClientSize(5760, 2760);
    Command1.Click = [this] { Command1_Click(); };
}

void Form7::Form_Load() {
    CentraSu(*this, principale_);
    if (principale_.Menu("mnuSuperSemplice")->Checked()) {
        SetCaption("Livello SuperSimmetrico semplice");
        Check1.SetVisible(true);
    } else {
        SetCaption("Livello SuperSimmetrico avanzato");
        Check1.SetVisible(false);
        SetHeight(Height() / 2);
    }
    const ImpostazioniGenerazione& g = principale_.stato.impostazioni;
    if (g.SoloAngolari)
        Option1.SetValue(true);
    else
        Option2.SetValue(true);
    Check1.SetValue(g.LimiteSuperSemplice == kLimiteNormale ? plat::vbUnchecked : plat::vbChecked);
    Cmbf.Clear();
    for (const char* voce : {"Molto semplice", "Mediamente semplice", "Moderatamente semplice"}) Cmbf.AddItem(voce);
    Cmbf.SetListIndex(g.IndiceCmbf);
}

void Form7::Command1_Click() {
    ImpostazioniGenerazione& g = principale_.stato.impostazioni;
    g.LimiteSuperSemplice = Check1.Value() == plat::vbChecked ? kLimiteMinimo : kLimiteNormale;
    g.SoloAngolari = Option1.Value();
    g.IndiceCmbf = Cmbf.ListIndex();
    // The easiest puzzles use the simplest reasoning and hidden singles only.
    Motore& m = principale_.motore();
    const bool facilissimo = g.IndiceCmbf == 0;
    m.IndiceRagionamento = facilissimo ? 0 : 4;
    m.SaltaNaked = facilissimo;
    principale_.AllineaCombo();
    Unload();
}

}  // namespace kenvaron
