// The loop behind "Nuovo": ask the generator for puzzles until one is solved
// by logic alone, emptying the user's undo stack before every try.
#pragma once

#include <functional>

#include "engine/Motore.h"

namespace kenvaron {

// genera makes a puzzle of the current level into Problema and answers
// whether an accepted puzzle is there; false (Esc, no puzzle, or the window
// closing) ends the loop at once.  Each accepted puzzle is solved once; one
// that needed a trial is discarded and another is asked for.
void CicloNuovo(Motore& motore, const std::function<bool()>& genera);

}  // namespace kenvaron
