// The technique-choice window of the custom level "Personalizzato".  The user
// builds the group order by ticking group boxes in the order the groups are
// to be tried, switches the hard techniques of groups B and C on or off, and
// chooses how many of the last sequences a generated puzzle must need.  The
// group boxes B and C follow their switches and are not clicked directly;
// "Conferma" is the only way anything leaves the window.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/Controls.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form6 : public plat::Form {
public:
    explicit Form6(Form1& principale);

    // The group letters in the order ticked, e.g. "SGDBC".
    std::string SequenzaScelta;
    // While true the check-box handlers do nothing.
    bool BloccoEventi = false;

    // Group boxes S, D, G, B, C (Tags "S", "D", "G", "B", "C").
    std::array<std::unique_ptr<plat::CheckBox>, 5> ChK;
    plat::CheckBox chkBXS;
    plat::CheckBox ChkXYW;
    plat::CheckBox ChkC;
    plat::CheckBox ChkM;
    plat::CheckBox ChkO;
    plat::CheckBox ChkI;
    plat::Frame Frame1;
    plat::OptionButton Option1;
    plat::OptionButton Option2;
    plat::OptionButton Option3;
    plat::Label Label1;
    plat::CommandButton Command1;  // "Conferma"
    plat::CommandButton Command2;  // "Abbandona"
    plat::CommandButton Command3;  // "Clear"
    plat::CommandButton CmdTecniche;

    // Rebuilds the captions of the group boxes B and C and the sequence text.
    void DecodificaChk();

protected:
    void Form_Load() override;

private:
    void ChK_Click(int indice);
    void SwitchPesci(plat::CheckBox& questo, plat::CheckBox& altro);
    void SwitchGruppoC();
    void DidascalieAvanzate();
    // The six switches in the order of TecnicheAttive.
    std::array<plat::CheckBox*, 6> Switch();
    void CmdTecniche_Click();
    void Command1_Click();
    void Command3_Click();

    Form1& principale_;
    std::array<std::unique_ptr<plat::Label>, 6> titoli_;
};

}  // namespace kenvaron
