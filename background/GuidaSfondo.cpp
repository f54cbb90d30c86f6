#include "background/GuidaSfondo.h"

#include <span>
#include <utility>

namespace kenvaron {

namespace {

// The pools in the order the driver fills them, each with the level that
// fills it; the pools C and E draw the XY-wing weight anew before every run.
struct PoolSfondo {
    const char* lettera;
    std::span<std::string> (*slot)(Condiviso&);
    void (GeneratoreSfondo::*livello)();
    bool pesoCasuale;
};

template <std::size_t N>
std::span<std::string> Slot(std::array<std::string, N>& pool) {
    return std::span<std::string>(pool).subspan(1);
}

constexpr PoolSfondo kPool[] = {
    {"S", [](Condiviso& c) { return Slot(c.SchemiBkgS); }, &GeneratoreSfondo::mnuSemplice_Click, false},
    {"N", [](Condiviso& c) { return Slot(c.SchemiBkgN); }, &GeneratoreSfondo::MnuNormale_Click, false},
    {"D", [](Condiviso& c) { return Slot(c.SchemiBkgD); }, &GeneratoreSfondo::MnuDifficile_Click, false},
    {"C", [](Condiviso& c) { return Slot(c.SchemiBkgC); }, &GeneratoreSfondo::mnuClassico_Click, true},
    {"E", [](Condiviso& c) { return Slot(c.SchemiBkgE); }, &GeneratoreSfondo::MnuEstremo_Click, true},
};

}  // namespace

GuidaSfondo::GuidaSfondo(Motore& motore, GeneratoreSfondo& generatore, PannelloSfondo& pannello,
                         std::function<void()> corsa, std::function<void()> salva)
    : m_(motore), g_(generatore), pannello_(pannello), corsa_(std::move(corsa)), salva_(std::move(salva)) {}

bool GuidaSfondo::Cedi() {
    if (m_.profilo.Cedi) m_.profilo.Cedi();
    if (m_.stato.CodiceStop != 1) return false;
    if (m_.profilo.Termina) m_.profilo.Termina();
    return true;
}

void GuidaSfondo::EsecBkg2() {
    Condiviso& c = m_.stato;
    for (;;) {
        // The scan: the first empty slot, or none when the pool is full or the
        // generator is told to stop.
        const PoolSfondo* trovato = nullptr;
        for (const PoolSfondo& p : kPool) {
            for (const std::string& slot : p.slot(c)) {
                if (Cedi()) return;
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
        if (trovato->pesoCasuale) m_.PesoTecnica = m_.GeneraCasuale(2) - 1;
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
