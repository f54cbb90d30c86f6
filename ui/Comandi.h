// The main window's command inventory: the toolbar's buttons in order, the
// menu bar, and the rule that enables them in the three command states.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kenvaron {

enum class StileBottone { Pulsante, Separatore, Segnaposto };

// One toolbar entry: key, style, image name, tool tip, width in twips
// (placeholders only).
struct VoceBarra {
    std::string chiave;
    StileBottone stile;
    std::string immagine;
    std::string suggerimento;
    int larghezza = 0;
};

// The toolbar tlb1 in the order its buttons are added: 22 entries, or 23
// when the rules file exists ("CalcolaValore" after "s0").
std::vector<VoceBarra> VociBarra(bool regolePresenti);

// Command states: 0 idle without a puzzle, 1 busy, 2 a puzzle on the board.
// Whether a toolbar entry is enabled in a state; nullopt leaves it unchanged.
std::optional<bool> BottoneAbilitato(int modo, const std::string& chiave);
// Whether the menus "File", "Livelli", "Opzioni" and "Istruzioni" are
// enabled in a state; nullopt leaves them unchanged ("?" is never touched).
std::optional<bool> MenuAbilitati(int modo);

// One entry of a menu: its name, its caption; an empty caption is a separator.
struct VoceMenu {
    std::string nome;
    std::string titolo;
    bool separatore() const { return titolo.empty(); }
};

// A top menu of the bar; a top menu without items is a command itself.
struct MenuPrincipale {
    std::string nome;
    std::string titolo;
    std::vector<VoceMenu> voci;
};

// The menu bar in order: "File", "Livelli", "Opzioni", "Istruzioni", "?".
const std::vector<MenuPrincipale>& BarraMenu();

}  // namespace kenvaron
