// The batch rules file Kenvaron.ini: technique weights up to the line
// "[REGOLE]", then up to 20 production rules, each opened by "<REGOLA>" and
// followed by KEY=value lines (FILE, TECNICHE, SCHEMI, FILTRO, COMPLICA).
// Reading is two passes over the same lines: the weights with a forgiving
// syntax, then the rule keys exactly as written.  Every reading starts from
// nothing, so a second reading equals a first one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generation/PesiTecniche.h"

namespace kenvaron {

struct Regola {
    std::string File;            // output file, as written (relative to the current folder)
    std::string TipoFile;        // kind after the ",", upper-cased; "OUTPUT" empties the file
    std::int16_t Schemi = 0;     // puzzles wanted
    std::int16_t Generati = 0;   // puzzles written so far
    std::string Tecniche;        // comma-separated technique keywords, upper-cased
    bool Complica = false;
    std::int32_t ValMin = 99999999;  // lowest value written
    std::int32_t ValMax = 0;         // highest value written
    std::int64_t Somma = 0;          // sum of the values written
    std::int32_t Filtro = 0;         // lowest value accepted
    bool Bloccata = false;       // stopped and reported (its file, or nothing acceptable): makes nothing more
};

struct RegoleProduzione {
    static constexpr int kMaxRegole = 20;
    PesiTecniche Pesi;
    // Rules 1..NumRegole; record 0 takes the keys that come before any "<REGOLA>".
    std::array<Regola, kMaxRegole + 1> Regole{};
    std::int16_t NumRegole = 0;
};

// The lines of a text: each ends at CR LF, LF or CR (a last line without an end counts).
std::vector<std::string_view> RigheTesto(std::string_view testo);

// The longest rules file read: weights and 20 rules take a few KiB, and a
// longer file is refused rather than read whole.
inline constexpr std::size_t kMaxFileRegole = std::size_t{1} << 20;

// Reads the rules file's text into a fresh set of weights and rules.
RegoleProduzione LeggiRegole(std::string_view testo);

}  // namespace kenvaron
