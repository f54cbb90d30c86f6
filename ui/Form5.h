// The hidden background form: loaded once before the main window, never shown.
// It owns the background engine, an instance of its own with the background
// profile (its yield gives the windows a turn, its end action ends the
// program), and the generator that works on it and on ProblemaF5.  The run
// that fills the pool comes later: for now the start request only counts the
// times it was asked.
#pragma once

#include <memory>

#include "background/GeneratoreSfondo.h"
#include "engine/Motore.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form5 : public plat::Form {
public:
    explicit Form5(Form1& principale);
    ~Form5() override;

    // Starts the background generator (arms the start timer).
    void EsecBkg() { ++RichiesteAvvio; }
    // How many times the generator was asked to start.
    int RichiesteAvvio = 0;

    Form1& Principale() { return principale_; }
    Motore& motore() { return *motore_; }
    GeneratoreSfondo& generatore() { return *generatore_; }

protected:
    void Form_Load() override;

private:
    Form1& principale_;
    std::unique_ptr<Motore> motore_;
    std::unique_ptr<GeneratoreSfondo> generatore_;
};

}  // namespace kenvaron
