// "Tecniche di soluzione avanzate": for which of the chain-like families
// (Nishio, forcing chains, colours) the extended variant is used.  Opened from
// the technique-choice window; a family's box can be changed only while its
// switches are ticked there, but every box keeps and stores its choice.
#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;
class Form6;

class Form9 : public plat::Form {
public:
    Form9(Form1& principale, Form6& scelta);

    plat::Label Label2;
    plat::Label Label1;
    plat::Label Label3;
    plat::Label Label4;
    plat::CheckBox ChkVM;  // colours
    plat::CheckBox ChkVO;  // forcing chains
    plat::CheckBox ChkVC;  // Nishio
    plat::CommandButton CmdTecniche;  // "OK"

protected:
    void Form_Load() override;

private:
    void CmdTecniche_Click();

    Form1& principale_;
    Form6& scelta_;
};

}  // namespace kenvaron
