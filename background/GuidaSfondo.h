// The background driver: fills the pool slot by slot.  Each scan looks at the
// slots in the order S 1..30, N, D, C, E 1..10, giving the windows a turn
// before every slot; at the first empty slot it selects the level that fills
// that pool, lets one generation run store a puzzle, writes the pool file and
// scans again from S 1.  It ends when no slot is empty or the generator is
// told to stop (stop code 2); a closing program (stop code 1) ends at the next
// turn without a further write.
//
// The yield and the end action are the background generator's own, so the
// driver, the run and the engine stop alike.  When the end action
// returns, as in tests, the driver returns at once and writes nothing.
#pragma once

#include <functional>

#include "background/GeneratoreSfondo.h"
#include "background/PannelloSfondo.h"

namespace kenvaron {

class GuidaSfondo {
public:
    // `corsa` is one generation run of the selected level (it stores an
    // accepted puzzle in the first empty slot of LivelloBkg's pool, or returns
    // on a stop code); `salva` rewrites the pool file from memory.
    GuidaSfondo(GeneratoreSfondo& generatore, PannelloSfondo& pannello, std::function<void()> corsa,
                std::function<void()> salva);

    // The run itself, started by the background form's tick with
    // BkgInEsecuzione already set.  Returns when the pool is full or on stop
    // code 2, with BkgInEsecuzione false and panel "p4" empty.
    void EsecBkg2();

private:
    GeneratoreSfondo& g_;
    PannelloSfondo& pannello_;
    std::function<void()> corsa_;
    std::function<void()> salva_;
};

}  // namespace kenvaron
