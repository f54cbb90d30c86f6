// The about window: the program's version and "OK".
#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form8 : public plat::Form {
public:
    explicit Form8(Form1& principale);

    plat::Label Label1;
    plat::CommandButton Command1;  // "OK"

protected:
    void Form_Load() override;

private:
    Form1& principale_;
};

}  // namespace kenvaron
