// The user's moves and their undo stack: a value written into a cell (kind
// "N") and a candidate struck out (kind "C").  A strike lives only as its
// record: every rebuild of the candidates replays the "C" records, so taking a
// strike back is dropping its record.  The stack holds at most 1000 records;
// a push onto a full stack lets go of the oldest record that can go.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>

#include "engine/Condiviso.h"
#include "engine/Tipi.h"

namespace kenvaron {

// Pushes a record.  On a full stack the oldest "N" record goes first (its
// value stays on the board and can no longer be taken back); with none, the
// oldest "C" record that a later record repeats (the strike stays in force).
void SpingiMossa(Condiviso& s, const Mossa& m);

// Writes v (0 = empty) into the cell and pushes its "N" record.
void MossaValore(Condiviso& s, int r, int c, Byte v);

// Strikes digit d of the cell: pushes its "C" record with the counter as it
// was, and a counter at 50 (possible) becomes 49.
void MossaCandidato(Condiviso& s, TabellaCandidati& possibili, int r, int c, int d);

// Applies the steps accepted in the reasoning window, entries 1..n of testi
// and tipi: kind "N" is a placement "rcv", any other kind an elimination
// "r,c,d,".  An elimination already on the stack is skipped; a placement is
// always pushed; an entry whose row, column or digit is not 1..9 is skipped.
void AccettaSuggerimenti(Condiviso& s, TabellaCandidati& possibili, std::span<const std::string> testi,
                         std::span<const std::string> tipi, int n);

// Takes back the newest record: the cell's old value, or the counter as it
// was.  Returns the record, or nothing on an empty stack.
std::optional<Mossa> AnnullaUltimaMossa(Condiviso& s, TabellaCandidati& possibili);

// The candidates the board offers in a cell, as the candidate view counts
// them: digit d (1..9) is offered when no cell of the cell's row, column or
// box, the cell itself included, holds d and no "C" record strikes it there.
std::array<bool, 10> CandidatiOfferti(const Condiviso& s, int r, int c);

}  // namespace kenvaron
