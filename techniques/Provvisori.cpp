// Group searches not built yet: each finds nothing.
#include "engine/Motore.h"

namespace kenvaron {

bool Motore::CercaGruppiG(int, int) { return false; }
bool Motore::CercaPesci(int, int) { return false; }
void Motore::CtrlColori(int, const std::string&, int) {}
void Motore::CtrlNishio(int, int) {}

}  // namespace kenvaron
