// The generation state of the main window: the stop request and the flags a
// running generation shows, the merits and counters of the best try, the
// rebuild key of the current puzzle and the working tables of the passes.
// One object per window; the passes in Generatore read and write it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Tipi.h"

namespace kenvaron {

// Cell order of the givens search: the row and column at each position 1..81,
// and the current combination of positions (entry 0 is 0).
struct OrdineCelle {
    std::array<Byte, 82> OrdineRighe{};
    std::array<Byte, 82> OrdineColonne{};
    std::array<Byte, 82> PilaCombinazioni{};
};

struct StatoGenerazione {
    std::int16_t Chiudi = 0;         // 1 = stop the running generation
    bool GenerazioneInCorso = false; // a foreground generation may be stopped by Esc
    bool SudokuDisponibile = false;  // an accepted puzzle is available
    Byte ModoInterrogativo = 0;      // 1 = the board shows "?" for every digit
    bool GeneraAuto = false;         // batch production mode
    bool GeneraAuto2 = false;        // batch: a rule with COMPLICA takes the first available puzzle
    bool ProvaCronometrata = false;  // the developer's timed statistics run

    // Merits: of the current simplification series, of the current attempt.
    std::int32_t MaxValore = 0;
    std::int32_t MigliorValore = 0;
    // Quality count and technique counters (S, G, D, B, C) of the best try.
    Byte Pregio = 0;
    std::array<std::int32_t, 5> ContaTecnicaMigliore{};
    // The last rating met the level's rule.
    bool RegolaSoddisfatta = false;
    // 53 while the simplification command runs, 0 otherwise.
    double ModoSemplifica = 0;

    // The last try that the level's rule accepted as a new best of a
    // simplification step: a later, better but unaccepted try cannot hide it.
    bool AccettatoPresente = false;
    Tabella SchemaAccettato{};
    std::int32_t ValoreAccettato = 0;

    // Rebuild key of the current puzzle: seed "|" skip.
    std::string SemeCorrente;

    // Elapsed-clock start of the current generation, for the status texts.
    double InizioGenerazione = 0;
    // Deadline of the current givens search on the elapsed clock.
    double ScadenzaTentativo = 0;
    bool TempoScaduto = false;

    OrdineCelle ordine;

    // The recursive removal pass: the deepest puzzle, its depth, the calls made.
    Tabella SchemaProfondo{};
    double ProfonditaMigliore = 0;
    Byte ContaChiamate = 0;

    // Technique weights of batch production (filled by the rules reader).
    std::int32_t PCandidati_imprigionati = 0;
    std::int32_t PTripletta_nascosta = 0;
    std::int32_t PSwordfish = 0;
    std::int32_t PSimple_Color = 0;
};

}  // namespace kenvaron
