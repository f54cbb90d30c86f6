// Level state: the technique settings the solver reads, and the level letter
// that names the level in the status bar, the pool and the acceptance rules.
#pragma once

#include <string>

#include "engine/TecnicheLivello.h"

namespace kenvaron {

class Livelli : public TecnicheLivello {
public:
    using TecnicheLivello::TecnicheLivello;

    // Level letter: "S", "N", "D", "E", "M", "3", "C", "1", "2", "P".
    std::string Livello;
};

}  // namespace kenvaron
