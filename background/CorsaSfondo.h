// One background generation run: attempts, each an easy puzzle from an empty
// board improved by passes of symmetric removals, until a try meets the
// level's rule; the accepted puzzle then goes into the first empty slot of the
// pool that the driver is filling.  Progress shows only in panel "p4".
//
// The run works on the background generator's engine, ProblemaF5 and its own
// generation state (merits, best-try counters, the acceptance flag), never on
// the main window's; only the used (seed, skip) pairs are the program's one
// set.  At every stop-code check it yields: a stop code of 1 calls the end
// action, 2 makes the run return; either way nothing is stored.
#pragma once

#include <span>
#include <string>

#include "background/GeneratoreSfondo.h"
#include "background/PannelloSfondo.h"
#include "engine/Condiviso.h"
#include "engine/Orologio.h"

namespace kenvaron {

// The slots 1..n of the pool of a level letter ("S", "N", "D", "C", "E");
// empty for any other letter.
std::span<std::string> SlotSfondo(Condiviso& stato, const std::string& lettera);

class CorsaSfondo {
public:
    CorsaSfondo(GeneratoreSfondo& generatore, PannelloSfondo& pannello, const Orologio& orologio);
    CorsaSfondo(const CorsaSfondo&) = delete;
    CorsaSfondo& operator=(const CorsaSfondo&) = delete;

    // Makes one puzzle of the selected level and stores it in the pool of
    // LivelloBkg; returns without storing when stopped.
    void Cmdcomplic4_Click();
    // The attempt's easy puzzle in ProblemaF5 (solution in Soluzione), from a
    // (seed, skip) pair this program has not used before.  False when the
    // program is ending or a simplification added nothing (a failed attempt).
    bool Command7_Click();
    // Shows "****BKG", pauses just over a second without yielding and puts
    // ProblemaF5 into the first empty slot of LivelloBkg's pool.
    void Archivia();

private:
    enum class FinePasso { Finito, Archivia, Fermato };
    // One pass of removals from `partenza`, best try kept in `migliore`.
    FinePasso Passo(double inizio, const Tabella& partenza, Tabella& migliore);
    // Yield, then true when the run must return (stop code 1 or 2).
    bool Controllo();
    void ArchiviaERitorna();

    GeneratoreSfondo& g_;
    Motore& m_;
    Condiviso& stato_;
    PannelloSfondo& pannello_;
    const Orologio& orologio_;
};

}  // namespace kenvaron
