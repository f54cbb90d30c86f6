// The pool file "Kenvaron.txt": one line that keeps the five pools of ready
// puzzles and the background option between runs.  Every slot is written with
// its digits scrambled by CodificaCifre, a digit substitution driven by a
// running seed; the starting seed heads the line, and reading runs the same
// substitution from the same seed, which gives the digits back.
//
// The file is written only from a pool that was loaded from it: a run that
// never loaded the pool (batch production, or a toggle before the first
// activation), or that found the file unreadable or not a regular file, leaves
// it as it is.  A write replaces the whole file through the core's writer: a
// kill never leaves half a line, the file keeps its permission bits, a link
// stays a link, and a file the program may not write is never written.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Condiviso.h"
#include "engine/FileTesto.h"
#include "engine/Orologio.h"

namespace kenvaron {

// Scrambles (and, from the same seed, unscrambles) a text: every character
// becomes one digit, a character that is not a digit counting as 0; the seed
// advances once per character.
std::string CodificaCifre(const std::string& testo, std::int64_t& seme);

// The line the writer puts in the file, without its line end: the seed, then
// the pools D, C, E, N and S, then the option ("1X" or "0X").  Advances
// SemeCodifica past every scrambled digit.
std::string RigaImpostazioni(Condiviso& c, std::int64_t seme, bool opzione);

// Reads the first line of the pool file at percorso into the pools and
// SemeCodifica and returns the background option.  A missing file is created
// empty and reads as the empty line.  A path that is not a regular file, or a
// file that cannot be read, loads nothing: the pools stay as they were, the
// option reads as off and the file is never written in this run; so does a
// first line longer than 1 MiB, which no pool ever makes.  A slot that is not
// 81 digits with exactly one solution loads empty, for the background to fill
// again.  The seed of the line goes to *semeIniziale when given.
bool CaricaImpostazioni(Condiviso& c, const std::string& percorso, std::int64_t* semeIniziale = nullptr);

// Rewrites the pool file from the pools in memory and the option, with the
// whole seconds since midnight of the clock as the seed.  Writes nothing
// unless the pool was loaded from the file; a failed write leaves the old file
// and reports nothing (the next write tries again).  True when written.
bool SalvaImpostazioni(Condiviso& c, const std::string& percorso, bool opzione, const Orologio& orologio);

}  // namespace kenvaron
