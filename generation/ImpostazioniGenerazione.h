// Settings of the main window that the levels write and the puzzle generator
// reads: the given-removal limits, the symmetry modes, the difficulty index
// of the hidden combo Cmbf, the merit limits of levels "1" and "3", and the
// texts of the hidden setting boxes the generator reads.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Tipi.h"

namespace kenvaron {

struct ImpostazioniGenerazione {
    // Last row and column of the given-removal loops (9, or 5 when supersymmetric).
    Byte LimiteRigaRimozione = 9;
    Byte LimiteColonnaRimozione = 9;
    Byte LimiteSuperSemplice = 68;
    // Givens are chosen with four-fold symmetry.
    bool SuperSimmetrico = false;
    // The mirror partners of rows and columns 4..6 are left out.
    bool SoloAngolari = true;
    // Selected index of the generation difficulty "Facile", "Medio", "Difficile".
    int IndiceCmbf = 2;
    // Selected index of the seed size "23 caselle" .. "30 caselle".
    int IndiceCmbC = 0;
    // Merit limit of level "3", typed by the user.
    double LimiteSemplice2 = 0;
    // The box "Simmetrico": givens come with their central partner.
    bool Simmetrico = true;
    // Representative cells of a seed puzzle (the box txtLiv).
    std::string TestoLiv = "22";
    // Merit under which the timed statistics run rejects a try (the box TxtMin).
    std::string TestoMin = "1500";
};

}  // namespace kenvaron
