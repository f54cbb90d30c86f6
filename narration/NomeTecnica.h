// The technique name of a step, as the sequence window's status bar shows it
// when a row of the reasoning list is selected, and whether the selected row
// lets the step be applied to the board with the right mouse button.
#pragma once

#include <string>

#include "engine/Motore.h"

namespace kenvaron::narrazione {

// What the selected row must show for the step to be applied.
enum class Applicabile {
    Mai,               // a kind without a technique (trial, dead end, solution)
    Sempre,            // a single places its digit from either row
    SeQuindi,          // the continuation row listing the eliminations
    SeVerrebbeEscluso  // a Nishio row naming the excluded cells
};

struct NomeTecnica {
    std::string nome;
    Applicabile applicabile = Applicabile::Mai;
};

// The name of a step by its kind, sub-code, subset size and wording.
NomeTecnica NomeDelPasso(const Passo& p);

// The main window's modes that the status texts follow.
struct ModoLista {
    Byte FlagVisPoss = 0;  // 1 = the board shows candidates
    Byte SingoloStep = 0;  // 1 = single-step mode
    bool Analisi = false;
};

// The two status texts of a selected row: "p1" the apply prompt, "p2" the name.
struct TestiPasso {
    std::string p1;
    std::string p2;
};

inline constexpr char kTastoDestro[] = "Tasto Dx: Applica";

// For step `passo` of m's log (no name outside 1..NumPassi), selected on a
// row whose column-3 text is `testoRiga`.
TestiPasso TestiDelPasso(const Motore& m, int passo, const std::string& testoRiga, const ModoLista& modo);

}  // namespace kenvaron::narrazione
