// The options of the two supersymmetric levels: the kind of symmetry of the
// givens, how easy the puzzle should be and, for "SuperSimmetrico semplice"
// only, whether to aim at the fewest givens.  Only "OK" stores anything.
#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form7 : public plat::Form {
public:
    explicit Form7(Form1& principale);

    plat::OptionButton Option1;  // corner boxes only
    plat::OptionButton Option2;  // full symmetry
    plat::ComboBox Cmbf;
    plat::CheckBox Check1;
    plat::CommandButton Command1;  // "OK"

protected:
    void Form_Load() override;

private:
    void Command1_Click();

    Form1& principale_;
};

}  // namespace kenvaron
