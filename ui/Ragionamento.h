// The reasoning list, the technique name of a selected step and the hints,
// written into the controls they are handed: the sequence window's list grid,
// its status bar and its "Applica" button, and the main window's status bar.
#pragma once

#include "engine/Motore.h"
#include "narration/NomeTecnica.h"
#include "platform/CommonControls.h"
#include "platform/Grid.h"

namespace kenvaron {

// Fills the list grid `gp` from m's step log, sets NumPassiMostrati and,
// outside analysis, writes the solution count into panel "p2" of the main
// status bar.  The board's current row goes back to 0 when a board is given.
void MostraRag(plat::Grid& gp, plat::StatusBar& stbrPrincipale, plat::Grid* gr, const Motore& m, int& NumPassiMostrati);

// Names the technique of step `passo` in panels "p1" and "p2" of the sequence
// window's status bar; in single-step mode "Applica" follows "p1".  The
// selected row is the list's current row.
void Vishelp(int passo, const Motore& m, const narrazione::ModoLista& modo, const plat::Grid& gp, plat::StatusBar& stbr,
             plat::ToolbarButton* applica);

// The hint of step `passo` into panel "p2" of the main status bar.
void VisAiuto(int passo, const Motore& m, Byte LivelloAiuto, plat::StatusBar& stbrPrincipale);

}  // namespace kenvaron
