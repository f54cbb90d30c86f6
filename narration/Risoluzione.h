// The solve behind the "Risolvi" command: the puzzle on the board solved with
// the level's techniques and the narration on, up to four solutions, and the
// grid the board then shows.
#pragma once

#include <optional>

#include "engine/Motore.h"

namespace kenvaron::narrazione {

// Solves stato.Problema in user mode with Risolvi(4).  The result is the grid
// to draw: the solver's grid when it is full, else the first solution kept in
// Soluzione when it fits the puzzle as it stands now, else the first solution
// of the puzzle found by a second, silent engine.  Nothing to draw when no
// solution was found or none is full.  The solve's results (count, step log,
// measures) stay those of Risolvi(4).
std::optional<Tabella> RisolviPerComando(Motore& m);

// A table with no empty cell.
bool TabellaPiena(const Tabella& t);

}  // namespace kenvaron::narrazione
