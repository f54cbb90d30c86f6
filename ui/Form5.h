// The hidden background form: loaded once before the main window, never shown.
// It owns the background engine, an instance of its own with the background
// profile (its yield gives the windows a turn, its end action ends the
// program), the generator that works on it and on ProblemaF5, and the driver
// that fills the pool.  The main window starts the driver with EsecBkg, which
// only arms the one-shot start timer: the run begins from the event loop,
// after the requesting handler has returned.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "background/CorsaSfondo.h"
#include "background/GeneratoreSfondo.h"
#include "background/GuidaSfondo.h"
#include "background/PannelloSfondo.h"
#include "engine/Motore.h"
#include "platform/Controls.h"
#include "platform/Form.h"

namespace kenvaron {

class Form1;

class Form5 : public plat::Form {
public:
    explicit Form5(Form1& principale);
    ~Form5() override;

    // Starts the background generator: arms the start timer and returns.
    void EsecBkg();
    // The start timer's tick: one run of the driver, unless one is under way
    // or the main window is busy with a computation that yields.
    void Timer2_Timer();
    // The driver's run (the tick calls it with BkgInEsecuzione set).
    void EsecBkg2() { guida_->EsecBkg2(); }

    // The one-shot start timer.
    plat::Timer Timer2;
    // One generation run of the level the driver selected, the form's own
    // (tests stand in one).
    std::function<void()> Corsa;

    Form1& Principale() { return principale_; }
    Motore& motore() { return *motore_; }
    GeneratoreSfondo& generatore() { return *generatore_; }
    PannelloSfondo& pannello() { return *pannello_; }

protected:
    void Form_Load() override;

private:
    // The yield of the background: the windows get a real turn at most every
    // few milliseconds; the stop code is tested at every call all the same.
    void Cedi();

    Form1& principale_;
    std::chrono::steady_clock::time_point ultimoTurno_{};
    std::unique_ptr<Motore> motore_;
    std::unique_ptr<GeneratoreSfondo> generatore_;
    std::unique_ptr<PannelloSfondo> pannello_;
    std::unique_ptr<CorsaSfondo> corsa_;
    std::unique_ptr<GuidaSfondo> guida_;
};

}  // namespace kenvaron
