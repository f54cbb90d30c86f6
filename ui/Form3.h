// The instructions window: the manual "Kenvaron.rtf" from the program's
// folder, shown as rich text.  A missing or unreadable manual is reported and
// the window opens empty.
#pragma once

#include <string>

#include "engine/FileTesto.h"
#include "platform/Form.h"
#include "platform/RichText.h"

namespace kenvaron {

class Form1;

class Form3 : public plat::Form {
public:
    explicit Form3(Form1& principale);

    plat::RichTextBox Rtb;

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    Form1& principale_;
};

}  // namespace kenvaron
