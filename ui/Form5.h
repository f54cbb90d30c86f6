// The hidden background form: loaded once before the main window, never shown.
// It will fill the pool of ready puzzles from a one-shot timer; for now its
// start request only counts the times it was asked, and no generator runs.
#pragma once

#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form5 : public plat::Form {
public:
    explicit Form5(Form1& principale) : principale_(principale) {}

    // Starts the background generator (arms the start timer).
    void EsecBkg() { ++RichiesteAvvio; }
    // How many times the generator was asked to start.
    int RichiesteAvvio = 0;

    Form1& Principale() { return principale_; }

private:
    Form1& principale_;
};

}  // namespace kenvaron
