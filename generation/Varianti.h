// Developer passes that make the board's puzzle harder or easier one given at
// a time: remove a random given and simplify until no trial is needed, reduce
// to the givens a single solution needs, and put back every cell at which the
// solver had to try.  They work on the shared puzzle Problema and its known
// solution Soluzione; a given moves with its central partner while
// `Simmetrico` holds.
#pragma once

#include <functional>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "generation/FinestraGenerazione.h"
#include "generation/StatoGenerazione.h"

namespace kenvaron {

class Varianti {
public:
    // `semplifica` is the simplification step that adds the best group of givens.
    Varianti(Motore& motore, Condiviso& stato, StatoGenerazione& generazione, FinestraGenerazione& finestra,
             std::function<void()> semplifica)
        : m_(motore), stato_(stato), gen_(generazione), finestra_(finestra), semplifica_(std::move(semplifica)) {}

    // The hidden box "Simmetrico": givens move with their central partner.
    bool Simmetrico = true;

    // Removes the k-th given in row-major order, k drawn from the givens, then
    // simplifies while a fresh solve still needs a trial.
    void CmdComplica_Click();
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
    // Tries the removal of every given, keeps the one after which one added
    // cell reaches the highest merit, then puts that best cell back.
    void CmdComplicaGen_Click();
    int SoloValutazione = 0;

private:
    // Draws the puzzle and counts its givens.
    void Mostra();
    // Puts back (r, c) from Soluzione; with its partner when asked.
    void Rimetti(int r, int c, bool partner);
    // Solves recording the cells at which the solver looked for a trial.
    void RisolviAlloStallo();

    Motore& m_;
    Condiviso& stato_;
    StatoGenerazione& gen_;
    FinestraGenerazione& finestra_;
    std::function<void()> semplifica_;
};

}  // namespace kenvaron
