#include "ui/Form8.h"

#include "ui/Centra.h"
#include "ui/Form1.h"

namespace kenvaron {

Form8::Form8(Form1& principale)
    : Label1(*this, "VERSIONE   1.0"), Command1(*this, "OK"), principale_(principale) {
    SetCaption("Informzioni su Kenvaron");
    Label1.SetAlignment(plat::vbCenter);
    Label1.SetFont("Arial", 12, true);
    Label1.Move(240, 360, 3600, 400);
    Command1.Move(1320, 1080, 1440, 420);
    SetClientSize(4080, 1800);
    Command1.Click = [this] { Unload(); };
}

void Form8::Form_Load() { CentraSu(*this, principale_); }

}  // namespace kenvaron
