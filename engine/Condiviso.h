// Data shared by every window for the whole run: the puzzle on the board, the
// technique switches, the solving sequences, the user's undo stack, the
// (seed, skip) pairs generation has used, the pool slots and the background
// generator's stop code.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "engine/Tipi.h"

namespace kenvaron {

struct Condiviso {
    // The puzzle shown and edited, (row, column), 0 = empty.
    Tabella Problema{};

    // Technique switches, 1 = on: fish, XY-wing, Nishio, colours,
    // forcing chains from a cell, forcing chains from a unit.
    std::array<Byte, 6> TecnicheAttive{};
    // Extended variants of Nishio, forcing chains and colours.
    std::array<Byte, 3> TecnicheAvanzate{};
    // The user's choices in the advanced-techniques window.
    std::array<Byte, 3> ScelteAvanzate{};
    // "Sequenze di soluzione obbligatorie": 0 the last, 1 the last two, 2 all.
    double SequenzeObbligatorie = 0;
    // Carries a group-order code to and from the technique-choice window.
    std::string TestoTecniche;

    // The seven solving sequences offered by the reasoning window, 1..7.
    std::array<std::string, 8> Sequenze{};
    // The step-log records the reasoning list walked when it was last filled.
    int NumPassiMostrati = 0;

    // The user's undo stack, records 1..NumMosse.
    static constexpr int kMaxMosse = 1000;
    std::array<Mossa, kMaxMosse + 1> PilaAnnulla{};
    int NumMosse = 0;

    // (seed, skip) pairs the generation attempts have taken since the program
    // started: the main window's, the background's and the batch's alike, so
    // that no two attempts rebuild the same full grid.
    std::set<std::pair<long, int>> CoppieUsate;

    // Pool of ready puzzles, one SchemaTesto or "" per slot; slot 0 holds nothing.
    std::array<std::string, 31> SchemiBkgS{};  // slots 1..30
    std::array<std::string, 11> SchemiBkgN{};  // slots 1..10
    std::array<std::string, 11> SchemiBkgD{};  // slots 1..10
    std::array<std::string, 11> SchemiBkgC{};  // slots 1..10
    std::array<std::string, 11> SchemiBkgE{};  // slots 1..10

    // The pool file's scrambler seed, and whether the pool was loaded from
    // the file (only a loaded pool is ever written back to it).
    std::int64_t SemeCodifica = 0;
    bool PoolCaricato = false;

    // Background generator: 0 run, 1 the program is ending, 2 stop the generator.
    int CodiceStop = 0;
    bool BkgInEsecuzione = false;
    std::string LivelloBkg;
    // The puzzle the background generator works on.
    Tabella ProblemaF5{};
};

}  // namespace kenvaron
