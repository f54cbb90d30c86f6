#include "ui/Form9.h"

#include "ui/Centra.h"
#include "ui/Form1.h"
#include "ui/Form6.h"

namespace kenvaron {

namespace {
bool Spuntato(const plat::CheckBox& c) { return c.Value() == plat::vbChecked; }
}  // namespace

Form9::Form9(Form1& principale, Form6& scelta)
    : Label2(*this,
             "Le tecniche avanzate sono applicate solo in fase di soluzione e di log, non in fase di "
             "generazione."),
      Label1(*this,
             "Consentono di verificare se esistono procedimenti  alternativi alla soluzione per "
             "tentativi."),
      Label3(*this,
             "Le catene dei passi di soluzione possono quindi essere molto lunghe e difficilmente "
             "comprensibili."),
      Label4(*this, "Applica tecniche avanzate a:"),
      ChkVM(*this, "[Colori, Colori Multipli]"),
      ChkVO(*this, "[Catene obbligate / Catene obbl. RCQ]"),
      ChkVC(*this, "[Nishio]"),
      CmdTecniche(*this, "OK"),
      principale_(principale),
      scelta_(scelta) {
    SetCaption("Tecniche di soluzione avanzate");
    int y = 120;
    for (plat::Label* l : {&Label2, &Label1, &Label3}) {
        l->SetWordWrap(true);
        l->Move(240, y, 6600, 520);
        y += 600;
    }
    Label4.Move(240, y + 120, 3600, 300);
    CmdTecniche.Move(5400, y, 1440, 420);
    y += 600;
    for (plat::CheckBox* c : {&ChkVM, &ChkVO, &ChkVC}) {
        c->Move(480, y, 5400, 300);
        y += 360;
    }
    SetClientSize(7080, y + 240);
    CmdTecniche.Click = [this] { CmdTecniche_Click(); };
}

void Form9::Form_Load() {
    CentraSu(*this, principale_);
    ChkVC.SetEnabled(Spuntato(scelta_.ChkC));
    ChkVO.SetEnabled(Spuntato(scelta_.ChkO) || Spuntato(scelta_.ChkI));
    ChkVM.SetEnabled(Spuntato(scelta_.ChkM));
    const auto& av = principale_.condiviso().ScelteAvanzate;
    ChkVM.SetValue(av[2] == 1 ? plat::vbChecked : plat::vbUnchecked);
    ChkVO.SetValue(av[1] == 1 ? plat::vbChecked : plat::vbUnchecked);
    ChkVC.SetValue(av[0] == 1 ? plat::vbChecked : plat::vbUnchecked);
}

void Form9::CmdTecniche_Click() {
    auto& av = principale_.condiviso().ScelteAvanzate;
    av[2] = Spuntato(ChkVM) ? 1 : 0;
    av[1] = Spuntato(ChkVO) ? 1 : 0;
    av[0] = Spuntato(ChkVC) ? 1 : 0;
    Unload();
}

}  // namespace kenvaron
