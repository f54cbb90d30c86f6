// The generator's uniqueness test: counts the solutions of a grid up to a
// limit.  Candidates are bit sets; naked and hidden singles are placed before
// every branch, and the search branches on a cell with the fewest candidates.
// It gives the count the engine's plain search gives, without that search's
// long walks through dead branches on grids with few givens.
#pragma once

#include <string>

#include "engine/Tipi.h"

namespace kenvaron {

// Solutions of t (0 = empty), at most `limite`; 0 when the givens clash.
int ContaSoluzioniRapido(const Tabella& t, int limite);

// A pool slot that can be served: 81 digits whose puzzle has exactly one solution.
bool SlotValido(const std::string& s);

}  // namespace kenvaron
