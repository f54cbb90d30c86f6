// Developer passes that make the board's puzzle harder or easier one given at
// a time: remove a random given and simplify until no trial is needed, climb
// on the merit for a while, reduce to the givens a single solution needs, and
// put back the cells at which the solver had to try or the cells that would
// rule out a wrong candidate there.  Two experiments build a random full grid
// and choose symmetric givens for it.  They work on the shared puzzle
// Problema and its known solution Soluzione; a given moves with its central
// partner while `Simmetrico` holds.
#pragma once

#include <cstdint>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "generation/FinestraGenerazione.h"
#include "generation/Generatore.h"
#include "generation/StatoGenerazione.h"

namespace kenvaron {

class Varianti {
public:
    // The generator gives the simplification step, the removal of easy givens,
    // the rating and the cell order of the experiments.
    Varianti(Motore& motore, Condiviso& stato, StatoGenerazione& generazione, FinestraGenerazione& finestra,
             Generatore& generatore)
        : m_(motore), stato_(stato), gen_(generazione), finestra_(finestra), generatore_(generatore) {}

    // The hidden box "Simmetrico": givens move with their central partner.
    bool Simmetrico = true;

    // Removes the k-th given in row-major order, k drawn from the givens, then
    // simplifies while a fresh solve still needs a trial.
    void CmdComplica_Click();
    // A hill climb on the merit for at most 180 seconds: random cells put back
    // up to 34 givens with easing, then the easy givens taken away; ten
    // attempts in a row without a better merit end it, and so does a stop
    // request at the attempt's yield.  The best puzzle found stays.
    void cmdComplica2_Click();
    // Removes givens in row-major order while the puzzle keeps one solution.
    void Riduci1();
    // Puts back every cell at which the solver looked for a trial, with its
    // partner whatever `Simmetrico` says.
    void SemplificaNuovo();
    // Puts back the one stall cell (with its partner while `Simmetrico`) whose
    // try lowers the trial depth with the highest merit; a later try of equal
    // merit wins.  With SoloValutazione 1 it stops after the tries, leaving
    // the best merit in MaxValore and the last try in Problema.
    void Semplifica2();
    // As Semplifica2, also over the cells that would rule out a wrong
    // candidate of a stall cell: those of its row, column and box holding
    // that digit in the solution.  A stop request ends it before a stall cell.
    void Semplifica1();
    // Five cycles over the trial steps of the latest solve: a drawn trial
    // cell's wrong candidates are placed, in turn, in the cells of its units
    // whose solved digit they are; the try whose solve has the most steps
    // marked "!" is kept.
    void Semplifica0();
    // Eases the engine's grid by singles and partners, then solves and rates
    // Problema as it was given; Problema does not change.
    void Semplifica5();
    // Tries the removal of every given, keeps the one after which one added
    // cell reaches the highest merit, then puts that best cell back.
    void CmdComplicaGen_Click();
    int SoloValutazione = 0;

    // A random full grid with 14 random symmetric pairs, then the pair that
    // brings the solver's grid closest to the full grid, until they agree.
    void ModoNuovo_Click();
    // A random full grid, then 100 tries of 16 random symmetric pairs; keeps
    // the best merit among the tries that one solve finishes without a trial
    // deeper than 5 (an empty board and MaxValore -1 when none does).
    void ModoRandom_Click();

private:
    // The tries of an easing pass and their best.
    struct Alleggerimento {
        Tabella salvato{};
        Tabella provate{};
        Byte d0 = 0;
        int migliorR = 0, migliorC = 0;
        int inizio = 0;  // givens when the pass began
    };
    // Draws the puzzle and counts its givens.
    void Mostra();
    // Puts back (r, c) from Soluzione; with its partner when asked.
    void Rimetti(int r, int c, bool partner);
    // Solves recording the cells at which the solver looked for a trial.
    void RisolviAlloStallo();
    // The start of an easing pass: the saved copy and the depth of the stalls.
    void IniziaAlleggerimento(Alleggerimento& a, bool mostra);
    // One try of an easing pass: the saved copy with (r, c) put back, solved,
    // and kept as the best when it lowers the depth with no lower merit.
    void ProvaAlleggerimento(Alleggerimento& a, int r, int c, bool semplifica1);
    // The end of an easing pass: the best cell put back, or the saved copy.
    void FineAlleggerimento(const Alleggerimento& a);
    // A random full grid in Griglia, made by the solver.
    void GrigliaCasuale();

    Motore& m_;
    Condiviso& stato_;
    StatoGenerazione& gen_;
    FinestraGenerazione& finestra_;
    Generatore& generatore_;
};

}  // namespace kenvaron
