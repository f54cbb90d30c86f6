// The difficulty value of a solve: a walk over the step log that adds one
// technique weight per step, and the list of the techniques that opened the
// way to a single (the steps a bonus single "!!" follows).  The walk can also
// write a report, one line per step and a total line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "generation/PesiTecniche.h"

namespace kenvaron {

// The report file's name, written in the program's folder.
inline constexpr const char* kFileCalcolaValore = "CalcolaValore.txt";

struct Valutazione {
    std::int32_t ValoreCalcolato = 0;  // sum of the weights, kept within 32 bits
    std::string TestoTecniche;         // labels joined by "|"
    std::vector<std::string> Rapporto; // report lines without their ends (when asked for)
};

// A number the way a file print writes it: a blank or "-", the digits, a blank.
std::string NumeroStampato(std::int64_t n);

// Rates the steps 1..NumPassi of the engine's log with the given weights.
Valutazione ValutaPassi(const Motore& motore, const PesiTecniche& pesi, bool registra);

// Solves the puzzle on the board as the solve commands do, in the current
// level's order: the order becomes sequence 1 and up to 4 solutions are counted.
void RisolviProblema(Motore& motore, Livelli& livelli);

}  // namespace kenvaron
