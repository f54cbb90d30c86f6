#include "background/GuidaSfondo.h"

#include <utility>

#include "background/CorsaSfondo.h"

namespace kenvaron {

namespace {

// The pools in the order the driver fills them, each with the level that
// fills it; the pools C and E draw the XY-wing weight anew before every run.
struct PoolSfondo {
    const char* lettera;
    void (GeneratoreSfondo::*livello)();
    bool pesoCasuale;
};

constexpr PoolSfondo kPool[] = {
    {"S", &GeneratoreSfondo::mnuSemplice_Click, false}, {"N", &GeneratoreSfondo::MnuNormale_Click, false},
    {"D", &GeneratoreSfondo::MnuDifficile_Click, false}, {"C", &GeneratoreSfondo::mnuClassico_Click, true},
    {"E", &GeneratoreSfondo::MnuEstremo_Click, true},
};

}  // namespace

GuidaSfondo::GuidaSfondo(GeneratoreSfondo& generatore, PannelloSfondo& pannello, std::function<void()> corsa,
                         std::function<void()> salva)
    : g_(generatore), pannello_(pannello), corsa_(std::move(corsa)), salva_(std::move(salva)) {}

void GuidaSfondo::EsecBkg2() {
    Motore& m = g_.motore();
    Condiviso& c = m.stato;
    for (;;) {
        // The scan: the first empty slot, or none when the pool is full or the
        // generator is told to stop.
        const PoolSfondo* trovato = nullptr;
        for (const PoolSfondo& p : kPool) {
            for (const std::string& slot : SlotSfondo(c, p.lettera)) {
                if (g_.Cedi()) return;
                if (c.CodiceStop == 2) break;
                if (slot.empty()) {
                    trovato = &p;
                    break;
                }
            }
            if (trovato != nullptr || c.CodiceStop == 2) break;
        }
        if (trovato == nullptr) break;

        c.LivelloBkg = trovato->lettera;
        if (trovato->pesoCasuale) m.PesoTecnica = m.GeneraCasuale(2) - 1;
        (g_.*trovato->livello)();
        corsa_();
        // The run has met stop code 1 and the end action returned: nothing more.
        if (c.CodiceStop == 1) return;
        // Written also after a run that stop code 2 ended, with no yield
        // between the run's archive and the write.
        salva_();
    }
    c.BkgInEsecuzione = false;
    pannello_.Testo("");
    pannello_.Suggerimento("");
}

}  // namespace kenvaron
