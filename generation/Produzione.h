// Batch production: the rules are served in turn, one puzzle per rule per
// pass, until a whole pass has nothing left to make.  Each puzzle is made
// with only the rule's techniques, rated, kept when its value reaches the
// rule's filter, appended as one line to the rule's file and counted in the
// results grid.  Making a puzzle, rating it and yielding to the window are
// handed in, so the loop runs the same under the window and in tests.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/FileTesto.h"
#include "engine/Funzioni.h"
#include "engine/Motore.h"
#include "generation/ImpostazioniGenerazione.h"
#include "generation/Livelli.h"
#include "generation/RegoleProduzione.h"
#include "generation/StatoGenerazione.h"
#include "generation/CalcolaValore.h"

namespace kenvaron {

// The results grid as the loop fills it (row 0 headers, one row per rule).
class GrigliaRisultati {
public:
    virtual ~GrigliaRisultati() = default;
    virtual void SetRows(int n) = 0;
    virtual void SetCols(int n) = 0;
    virtual void SetColWidth(int colonna, int twip) = 0;
    virtual void SetTextMatrix(int riga, int colonna, const std::string& testo) = 0;
    // The cell's text aligned right, centred vertically.
    virtual void AllineaADestra(int riga, int colonna) = 0;
};

// Headers "Regola" .. "Media", widths, and each rule's techniques and count wanted.
void InizializzaGRA(GrigliaRisultati& gra, const RegoleProduzione& regole);

// What a rule's technique keywords ask of the solver.
struct ConfigurazioneAuto {
    std::string Codice;                   // group letters in the keywords' order
    std::array<Byte, 6> TecnicheAttive{}; // the advanced technique switches
    std::int16_t LimiteFor = 3;           // largest fish
    std::string Livello = "P";            // "1" when the code is empty
};
ConfigurazioneAuto DecodificaTecniche(const std::string& tecniche);

// Sets the level, switches, turns, removal limits and first-puzzle switch
// (`GeneraAuto2`, from COMPLICA) of a rule, then runs `cicloNuovo` (the
// "Nuovo" loop: true when it left an accepted puzzle in Problema and the
// solved grid in the engine).  True when the puzzle and its full solution
// (copied into ProblemaF5) are ready to be written.
bool EseguiGeneraAuto(const Regola& regola, Motore& motore, Livelli& livelli, ImpostazioniGenerazione& impostazioni,
                      StatoGenerazione& generazione, const std::function<bool()>& cicloNuovo);

// One output line without its end: puzzle, solution, value, techniques, time.
std::string RigaProduzione(const Tabella& problema, const Tabella& soluzione, std::int32_t valore,
                           const std::string& tecniche, const DataOra& quando);
// Appends the line (and CR LF) to the rule's file, whole or not at all; false
// on failure, or when the file is one of the program's own.
bool ScriviSchema(const Regola& regola, const std::string& riga, const FilePropri& propri);

// The message of a file that could not be written, on standard error or in a
// message box alike.  No byte of the name reaches a terminal as a control:
// a NUL byte shows as \0; any other byte below 0x20, DEL and each byte that
// is no part of valid UTF-8 show as \xNN (ESC as \x1B); valid UTF-8 stays.
std::string MessaggioNonSalvato(const std::string& percorso);
// A message about rule `numero` (from 1): "Regola 3: " and the text.
std::string MessaggioRegola(int numero, const std::string& testo);

// Before production starts, each rule that writes (puzzles to make, or kind
// "OUTPUT") has its file checked, and the files of kind "OUTPUT" are emptied.
// A rule without a file, or whose file is one of the program's own, not a
// regular file, or cannot be emptied, is stopped and its file left as it
// was; the messages name those rules.
std::vector<std::string> PreparaFileRegole(RegoleProduzione& regole, const FilePropri& propri);

// A rule of level "P" whose merit is 0 for every try (each of its groups
// weighs 0 in the batch merit) can never keep a try, so it would search for
// ever: why, naming those weights; empty when the rule can accept a puzzle.
std::string NessunoSchemaAccettabile(const Regola& regola, const PesiTecniche& pesi);

struct ServiziProduzione {
    // One turn of the event loop; false when a stop was asked for (Esc, closing).
    std::function<bool()> Eventi;
    // Makes one puzzle for a rule into Problema and ProblemaF5; false = none accepted.
    std::function<bool(const Regola&)> Genera;
    // Rates the puzzle in Problema.
    std::function<Valutazione()> CalcolaValore;
    // Reports a failure (a rule that can accept nothing, an output file that cannot be written).
    std::function<void(const std::string&)> Avviso;
    // The time stamp of a line.
    std::function<DataOra()> Adesso = [] { return Now(); };
};

struct EsitoProduzione {
    bool Interrotta = false;  // a stop was asked for: the caller's end has been called already
    bool Fallimenti = false;  // some rule was stopped and reported
};

// The batch loop over the rules; Problema and ProblemaF5 of `stato` hold each
// puzzle.  A rule that can accept nothing is reported before the loop and
// skipped; no line ever goes into one of the program's own files.
EsitoProduzione EseguiGenerazione(RegoleProduzione& regole, const Condiviso& stato,
                                  GrigliaRisultati& gra, ServiziProduzione& servizi, const FilePropri& propri);

}  // namespace kenvaron
