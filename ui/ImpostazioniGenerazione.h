// Settings of the main window that the levels write and the puzzle generator
// reads: the given-removal limits, the symmetry modes, the difficulty index
// of the hidden combo Cmbf and the merit limit of level "3".
#pragma once

#include <cstdint>

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
};

}  // namespace kenvaron
