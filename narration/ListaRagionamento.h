// The reasoning list: the step log of the last solve turned into rows of
// eight columns.  A step row carries the numbered narration in column 3, a
// marker coloured by the kind of step in column 0 and, hidden, what the
// sequence window needs to replay the step: the cell (1), the undo string (2),
// the cell list (4), the search path (5) and the step number (6).  A step that
// eliminated candidates is followed by a continuation row that spells the
// eliminations out ("  Quindi  ...").  The list ends at the first solution line.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/Motore.h"

namespace kenvaron::narrazione {

// Columns of the list.
inline constexpr int kColMarcatore = 0;
inline constexpr int kColCella = 1;
inline constexpr int kColRipristino = 2;
inline constexpr int kColTesto = 3;
inline constexpr int kColCelle = 4;
inline constexpr int kColPercorso = 5;
inline constexpr int kColPasso = 6;
inline constexpr int kColonne = 8;

// Marker colours (red in the low byte).
inline constexpr long kBianco = 0xFFFFFF;
inline constexpr long kGrigioEvidenza = 0xC8C8C8;
inline constexpr long kGrigioSoluzione = 0x969696;
inline constexpr long kVerde = 0x00FF00;
inline constexpr long kGiallo = 0x00FFFF;
inline constexpr long kBlu = 0xFF0000;
inline constexpr long kCiano = 0xFFFF00;
inline constexpr long kRosso = 0x0000FF;
inline constexpr long kMagenta = 0xFF00FF;

struct RigaRagionamento {
    std::array<std::string, kColonne> colonne;
    // Back and text colour of the marker cell; 0 = the grid's own (continuation rows).
    long sfondo = 0;
    long inchiostro = 0;
    // Column 3 in bold.
    bool grassetto = false;
    // An empty record of a trial: the row keeps its data but shows nothing.
    bool vuota = false;
    bool continuazione = false;
};

struct ListaRagionamento {
    std::vector<RigaRagionamento> righe;
    // The log records the listing walked.
    int numPassiMostrati = 0;
    // The list ended at a solution line (its last step row).
    bool fermataSoluzione = false;
};

// The rows of the step log of `m`, records 1..NumPassi, up to the first solution line.
ListaRagionamento RigheRagionamento(const Motore& m);

// One elimination entry "a,b,c,..." worded "c non in a,b , ".  The entry is
// consumed: it keeps what follows the third comma.  A number that is
// missing or not followed by its comma reads 0.
std::string DecodificaNonpossibili(std::string& lista);

// The word of a subset size: 2 "Doppio" .. 5 "Quintuplo", else "".
std::string DecodDoppioTriplo(int n);

// "Trovate N soluzioni"; with `almeno`, a count of exactly 4 (the limit) reads
// "Trovate almeno 4 soluzioni".
std::string TestoSoluzioni(double contaSoluz, bool almeno);

// The step number as the list writes it: at least three digits.
std::string NumeroPasso(int passo);

}  // namespace kenvaron::narrazione
