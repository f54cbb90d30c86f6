// Group searches not built yet: each finds nothing.
#include "engine/Motore.h"

namespace kenvaron {

bool Motore::CercaGruppiG(int, int) { return false; }
bool Motore::CercaPesci(int, int) { return false; }
void Motore::CtrlXYwings(const std::string&, const std::string&, int) {}
void Motore::CtrlXYwingsMult(const std::string&, const std::string&, int) {}

}  // namespace kenvaron
