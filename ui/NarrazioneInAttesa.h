// Stand-ins for the reasoning list, the technique names and the hints, until
// the narration procedures arrive: the list with the columns the reasoning
// window reads, no names, and a bare hint.
#pragma once

namespace kenvaron {

namespace plat {
class Grid;
}
class Form1;
class Form2;

// Fills the list from the main engine's step log.
void MostraRag(Form1& f, plat::Grid& gp);
// The technique name of step `passo` and the apply prompt, in the window's status bar.
void Vishelp(Form1& f, Form2& w, int passo);
// The hint for step `passo` in the main status bar.
void VisAiuto(Form1& f, int passo);

}  // namespace kenvaron
