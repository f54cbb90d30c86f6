// The hidden background form: loaded once before the main window, never shown.
// It will fill the pool of ready puzzles from a one-shot timer; for now it
// only offers the operations the main window calls, and they do nothing:
// no settings file is read or written and no generator runs.
#pragma once

#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form5 : public plat::Form {
public:
    explicit Form5(Form1& principale) : principale_(principale) {}

    // Starts the background generator (arms the start timer).
    void EsecBkg() {}
    // Reads the settings file with the pool and the background option.
    void CaricaImpostazioni() {}

    Form1& Principale() { return principale_; }

private:
    Form1& principale_;
};

}  // namespace kenvaron
