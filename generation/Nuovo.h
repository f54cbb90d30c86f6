// The search behind "Nuovo": the pool request, and the attempts and sweeps
// that look for a puzzle the level's rule accepts.  Each attempt starts from a
// seed puzzle (a Semplice puzzle of the pool, or a seeded run); each sweep
// takes every symmetric group of givens of the first half out in turn, lets
// the simplification step repair the gap and keeps the best try as the start
// of the next sweep, until a sweep gains nothing.  The search stops at the
// first accepted puzzle, at Esc, or at the time limit, on the elapsed clock.
#pragma once

#include <functional>
#include <string>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "engine/Orologio.h"
#include "generation/Generatore.h"

namespace kenvaron {

// The pool request of a level letter: "S", "N", "D" their own slots, "C" and
// "E" the C slots, "M" the E slots; any other letter none.  Returns the first
// full slot in slot order and empties it; a slot that is not 81 digits or
// whose puzzle has not exactly one solution is emptied and skipped.  "" when
// none.  The caller saves the pool file after every request.
std::string RecuperaProbl(Condiviso& stato, const std::string& livello);

// True when the puzzle's givens stand in central symmetry.
bool SimmetriaCentrale(const Tabella& t);

// The time limit of a working letter: 180 s for "E", "M", "C", "D", else 9999.
const char* LimiteSecondi(const std::string& lettera);

// The working letter of a level: "P" with the code " " or empty counts as "S".
std::string LetteraDiLavoro(const std::string& livello, const std::string& codici);

// The status texts of a running search; t is in whole seconds.
std::string TestoInCorso(long t);
std::string TestoDisponibile(int pregio, long t);

class RicercaNuovo {
public:
    RicercaNuovo(Generatore& generatore, Motore& motore, Condiviso& stato, ImpostazioniGenerazione& impostazioni,
                 StatoGenerazione& generazione, FinestraGenerazione& finestra, const Orologio& orologio);

    // Puts a Semplice pool puzzle on the board as the seed of an attempt;
    // false when the pool has none.  Unset: every seed is a seeded run.
    std::function<bool()> SemeDalPool;

    // Runs the attempts for the working letter with the time limit (seconds)
    // counted from generazione.InizioGenerazione.  True when a puzzle was
    // accepted: Problema, Soluzione and SemeCorrente are then the best
    // accepted try with its attempt's solution and seed (not yet solved).
    bool Cerca(const std::string& lettera, double limite);

private:
    double Trascorsi() const;
    // Keeps the try the rule accepted when it is the best so far (ties to the later).
    void Accettato(const Tabella& schema, std::int32_t valore);
    // One sweep's cell loop over the representative cells.
    void Giro(const Tabella& inizio, Tabella& miglioreGiro, double limite);

    Generatore& g_;
    Motore& m_;
    Condiviso& stato_;
    ImpostazioniGenerazione& imp_;
    StatoGenerazione& gen_;
    FinestraGenerazione& finestra_;
    const Orologio& orologio_;

    bool accettato_ = false;
    std::int32_t valoreAccettato_ = 0;
    Tabella schemaAccettato_{};
    Tabella soluzioneAccettata_{};
    std::string semeAccettato_;
};

}  // namespace kenvaron
