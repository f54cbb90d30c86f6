// The seven solving sequences of the reasoning window: the tabs' captions and
// tool tips, the tab that opens selected, the technique switches each tab
// solves with, and the switches saved when the window opens and put back when
// it closes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "engine/TecnicheLivello.h"

namespace kenvaron {

inline constexpr int kNumeroSequenze = 7;

// Caption of tab i (1..7); tab 1 shows the level's name.
std::string TitoloScheda(int i, const std::string& nomeLivello);
// Tool tip of tab i (1..7), "" outside.
const char* SuggerimentoScheda(int i);

// The tab selected when the window opens: the last tab whose order is the
// level's code; tab 2 (every group) only when all six switches are on.
int SchedaIniziale(const std::string& codiciTecniche, const std::array<std::string, 8>& sequenze,
                   const std::array<Byte, 6>& tecnicheAttive);

// The switches in force when the window opened.
struct TecnicheSalvate {
    std::array<Byte, 6> attive{};
    std::int16_t limiteFor = 0;
    std::array<Byte, 3> avanzate{};

    static TecnicheSalvate Da(const Condiviso& c, const Motore& m);
    // Puts every switch back and the turns of the level's code (which resets
    // the mandatory turn too).
    void Ripristina(Condiviso& c, Motore& m, TecnicheLivello& livello) const;
};

// Sets the turns and switches tab i solves with: tab 1 the level's own
// switches as saved, tabs 2..7 every technique on, no extended variant,
// fish up to 5 lines.
void ImpostaScheda(int i, const TecnicheSalvate& salvate, Condiviso& c, Motore& m, TecnicheLivello& livello);

// What a solve shows the user (count, step log, solution, grid, measures),
// kept aside while the candidate view replays the solve up to a step.
struct RisultatiSoluzione {
    double contaSoluz = 0;
    std::vector<Passo> passi;
    Tabella soluzione{};
    Tabella griglia{};
    TabellaCandidati possibili{};
    Tabella numeroCandidati{};
    Byte profonditaMax = 0;
    std::int32_t valore = 0;
    std::array<std::int32_t, 5> contaTecnica{};
    Byte contaPregio = 0;

    static RisultatiSoluzione Da(const Motore& m);
    void Ripristina(Motore& m) const;
};

}  // namespace kenvaron
