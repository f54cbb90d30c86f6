// The program's entry: chooses interactive use or batch production and runs
// the main window.
#pragma once

#include <string>

#include "engine/FileTesto.h"

namespace kenvaron {

// The files the program keeps beside itself (pool, rules, manual, the
// program): no save and no batch output may ever write over them.
FilePropri FilePropriProgramma();

// Loads the background form, reads the command line (the whole argument
// string) and shows the main window modally; returns the exit code.  An
// application object must exist.
int Main(const std::string& rigaComando);

}  // namespace kenvaron
