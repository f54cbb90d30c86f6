// Basic types of the puzzle model: 1-based 9x9 tables and the records of the
// search stack, the step log and the user's undo stack.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kenvaron {

using Byte = std::uint8_t;

// A 9x9 table indexed (row, column) from 1; index 0 holds nothing.
using Tabella = std::array<std::array<Byte, 10>, 10>;

// Candidate counters (row, column, digit), indexed from 1.
using TabellaCandidati = std::array<std::array<std::array<Byte, 10>, 10>, 10>;

// One step of a narrated solve.
struct Passo {
    std::string Testo;
    Byte Profondita = 0;
    Byte Riga = 0;
    Byte Colonna = 0;
    std::string Cifra;
    std::string Ripristino;
    std::string Celle;
    std::string Tipo;
    std::string Codice;
    Byte Dimensione = 0;
};

// One search level; record 0 is the parameter block of the apply and undo procedures.
struct LivelloPila {
    Byte Riga = 0;
    Byte Colonna = 0;
    Byte Tentativo = 0;
    Byte NumValidi = 0;
    std::string Validi;
    Byte Cifra = 0;
    std::string ListaRipristino;
};

// One move of the user's undo stack: "N" a value entered, "C" a candidate struck.
struct Mossa {
    Byte Riga = 0;
    Byte Colonna = 0;
    Byte Vecchio = 0;
    Byte Nuovo = 0;
    std::string Tipo;
    Byte Cifra = 0;
};

}  // namespace kenvaron
