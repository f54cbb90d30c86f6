#include "ui/Form5.h"

#include "platform/CommonControls.h"
#include "platform/System.h"
#include "ui/Form1.h"

namespace kenvaron {

namespace {

// The start timer's first tick, and the wait while the main window is busy.
constexpr int kAvvioMs = 1;
constexpr int kAttesaMs = 200;
// The longest stretch without a real turn of the event loop.
constexpr auto kTurno = std::chrono::milliseconds(5);

// Panel "p4" of the main window's status bar.
class PannelloP4 final : public PannelloSfondo {
public:
    explicit PannelloP4(plat::StatusBar& barra) : barra_(barra) {}
    void Testo(const std::string& testo) override {
        if (plat::StatusPanel* p = barra_.Panel("p4")) p->SetText(testo);
    }
    void Suggerimento(const std::string& suggerimento) override {
        if (plat::StatusPanel* p = barra_.Panel("p4")) p->SetToolTipText(suggerimento);
    }
    void Ridisegna() override {
        if (plat::StatusPanel* p = barra_.Panel("p4")) p->Refresh();
    }

private:
    plat::StatusBar& barra_;
};

}  // namespace

Form5::Form5(Form1& principale)
    : principale_(principale),
      motore_(std::make_unique<Motore>(principale.condiviso(), OrologioDiSistema::Istanza(),
                                       ProfiloMotore::DiSfondo([this] { Cedi(); },
                                                               [this] { principale_.FineProgramma(); }))),
      generatore_(std::make_unique<GeneratoreSfondo>(*motore_)),
      pannello_(std::make_unique<PannelloP4>(principale.Stbr)),
      corsa_(std::make_unique<CorsaSfondo>(*generatore_, *pannello_, OrologioDiSistema::Istanza())),
      guida_(std::make_unique<GuidaSfondo>(
          *generatore_, *pannello_, [this] { Corsa(); }, [this] { principale_.SalvaImpostazioni(); })) {
    Corsa = [this] { corsa_->Cmdcomplic4_Click(); };
    Timer2.SetSingleShot(true);
    Timer2.SetInterval(kAvvioMs);
    Timer2.OnTimer = [this] { Timer2_Timer(); };
}

Form5::~Form5() = default;

void Form5::Form_Load() { generatore_->Form_Load(); }

void Form5::Cedi() {
    const auto adesso = std::chrono::steady_clock::now();
    if (adesso - ultimoTurno_ < kTurno) return;
    plat::DoEvents();
    ultimoTurno_ = std::chrono::steady_clock::now();
}

void Form5::EsecBkg() {
    Timer2.SetInterval(kAvvioMs);
    Timer2.SetEnabled(true);
}

void Form5::Timer2_Timer() {
    Timer2.SetEnabled(false);
    Condiviso& c = principale_.condiviso();
    // A start asked for during a run (the option switched off and on again):
    // the run under way goes on.
    if (c.BkgInEsecuzione) return;
    // A run never nests inside a yield of the main window's own computations:
    // the tick waits for them to end.
    if (principale_.stato.generazione.GenerazioneInCorso || principale_.stato.CalcoloInCorso()) {
        Timer2.SetInterval(kAttesaMs);
        Timer2.SetEnabled(true);
        return;
    }
    c.BkgInEsecuzione = true;
    guida_->EsecBkg2();
}

}  // namespace kenvaron
