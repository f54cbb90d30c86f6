#include "generation/CicloNuovo.h"

namespace kenvaron {

void CicloNuovo(Motore& motore, const std::function<bool()>& genera) {
    do {
        motore.stato.NumMosse = 0;
        if (!genera()) return;
        motore.contaCellePiene();
        motore.Risolvi(1);
    } while (motore.ProfonditaMax != 1);
}

}  // namespace kenvaron
