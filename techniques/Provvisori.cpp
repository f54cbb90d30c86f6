// Group searches not built yet: each finds nothing.
#include "engine/Motore.h"

namespace kenvaron {

void Motore::CtrlColori(int, const std::string&, int) {}
void Motore::CtrlNishio(int, int) {}

}  // namespace kenvaron
