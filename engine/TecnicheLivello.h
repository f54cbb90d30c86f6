// The technique settings of the current level as the solver reads them: the
// group-order code, the turns it gives each group, the first turn whose
// sequence an accepted puzzle must show, and the setters of the technique
// switches.  The level menus, the generator and the reasoning window's tabs
// all set them through here.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Condiviso.h"
#include "engine/Motore.h"

namespace kenvaron {

// Upper-cases the code in place and sets each group's turn to the 1-based
// position of its letter in the code (0 when absent); blanks count as positions.
void TurniDaCodice(std::string& codice, std::array<std::int16_t, 5>& turni);

class TecnicheLivello {
public:
    TecnicheLivello(Motore& motore, Condiviso& stato) : motore_(motore), stato_(stato) {}

    // Group-order code of the current level, e.g. "SGDBC"; " " = singles only.
    std::string CodiciTecniche = " ";
    // First turn whose sequence must appear in an accepted custom-level puzzle.
    std::int16_t TurnoObbligatorio = 0;

    // Upper-cases the code in place and sets the engine's turns from it.
    void SettaTurni(std::string& codice);
    // a: fish and XY-wing switches; b: Nishio, colours and both forcing-chain switches.
    void AccendiSchK(Byte a, Byte b);
    // The extended variants of Nishio, forcing chains and colours.
    void AccendiAV(Byte a, Byte b, Byte c);

private:
    Motore& motore_;
    Condiviso& stato_;
};

}  // namespace kenvaron
