// Puzzles as text.  A puzzle text is read cell by cell: the digits "0".."9"
// fill the cells row by row ("0" empty), "." and a capital "X" are empty
// cells, and every other byte (blanks, line ends, "|", "-", "+", letters,
// NUL, non-ASCII) is skipped, so a nine-line file, a picture of the grid and
// a UTF-16 file all load.  Reading stops at the 81st cell and never looks past
// the first MiB of a text or a file.  The clipboard picture of a board is
// built here too.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/Tipi.h"

namespace kenvaron {

// The most of a puzzle text, or of a puzzle file, that is ever looked at.
inline constexpr std::size_t kMaxTestoSchema = std::size_t{1} << 20;

// True for the bytes that stand for a cell: "0".."9", "." and "X".
constexpr bool CarattereCella(char c) { return (c >= '0' && c <= '9') || c == '.' || c == 'X'; }

// The part of a text the loader reads: up to and including its 81st cell,
// and never more than kMaxTestoSchema bytes (cut before a character that the
// limit would split).
std::string_view TestoDaLeggere(std::string_view testo);

// Reads a puzzle text into t: the cells found fill t row by row, the cells
// after the last one found are empty.  A text without any cell leaves t as it
// was and answers false.
bool LeggiSchema(std::string_view testo, Tabella& t);

// Reads the text of a puzzle file, as far as the loader needs it, its lines
// joined without their line ends (CR, LF or both).  False, with
// testo empty, when the path names nothing readable: a missing file, a
// folder, a FIFO or device (never opened, so nothing blocks), or a read error.
bool LeggiFileSchema(const std::string& percorso, std::string& testo);

// The puzzle as 81 digits, row by row, "0" for an empty cell.
std::string SchemaTesto(const Tabella& t);

// The clipboard picture of a board: eleven lines of 23 characters, rows
// " 1 . . | . . . | . . . " and separators "-------+-------+------ ", each
// followed by CR LF except the last row, which has no trailing blank: 272
// characters in all.
std::string FiguraSchema(const Tabella& t);

}  // namespace kenvaron
