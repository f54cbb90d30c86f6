// Hints: one step of the log worded as what to look for next, "Cerca " and
// the technique, at strength 2 with the digit or the unit where to look.
#pragma once

#include <string>

#include "engine/Motore.h"

namespace kenvaron::narrazione {

// The hint of step `passo` of m's log; a record whose whole text is "Vuota"
// gives the hint of the next one.  livelloAiuto 2 is the strong hint, any
// other value the small one.  A record outside the log gives "Cerca ".
std::string TestoAiuto(const Motore& m, int passo, Byte livelloAiuto);

}  // namespace kenvaron::narrazione
