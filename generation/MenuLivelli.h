// The level table of the menu "Livelli": what each entry sets in the level
// state, the engine and the generation settings, and the level names shown in
// the status bar.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "generation/ImpostazioniGenerazione.h"

namespace kenvaron {

// Everything a level entry writes.
struct ContestoLivello {
    Livelli& livelli;
    Motore& motore;
    Condiviso& stato;
    ImpostazioniGenerazione& impostazioni;
};

struct RigaLivello {
    const char* menu;    // name of the menu entry, e.g. "MnuNormale"
    const char* codice;  // CodiciTecniche
    const char* lettera; // Livello
    Byte schkA, schkB;   // arguments of AccendiSchK
    std::int16_t limiteFor;
    Byte limiteRimozione;  // rows and columns alike
    bool superSimmetrico;
    bool cambiaScelte;     // sets Cmbf, CmbR and SaltaNaked
    bool spuntaPropria;    // the entry takes the check mark
};

// The rows of every entry but "Personalizzato", in menu order; nullptr for
// an unknown name.
const RigaLivello* TrovaRigaLivello(const std::string& menu);

// The row that sets a level letter ("S", "N", ...); nullptr for "P" and
// any letter outside the table.
const RigaLivello* TrovaRigaLettera(const std::string& lettera);

// Applies one row in the order the level handlers use: switches, code and
// turns, letter, fish limit and choices, then the option, removal limits and
// symmetry.  Check marks and the status bar are the window's part.
void ApplicaRigaLivello(const RigaLivello& riga, ContestoLivello& c);

// The custom level's exchange: the code goes to the technique-choice window
// in TestoTecniche, the window (when given) runs, and the code that comes back
// sets the turns; the advanced choices are applied whichever way it closed.
void ScambiaTecniche(ContestoLivello& c, const std::function<void()>& finestra);

// "Personalizzato": the exchange (scambio; without one the code comes back as
// it went), then the level becomes "P" with the standard choices.
void ApplicaPersonalizzato(ContestoLivello& c, const std::function<void()>& scambio = {});

// A number as the default text of an input box: "." before any decimals, so
// that Val reads back what it shows in any locale; whole numbers without decimals.
std::string TestoNumero(double x);

// Status-bar name of a level letter; nullopt for a letter outside the table.
std::optional<std::string> DecodMnuLiv(const std::string& lettera);

// Names of the entries whose check marks spegniLivelli clears ("Non so" is not one).
inline constexpr const char* kVociLivelloSpuntabili[] = {
    "mnuSemplice", "MnuNormale", "MnuDifficile", "MnuEsperto", "MnuEstremo",
    "mnuClassico", "mnuSuperSemplice", "mnuSuperComplesso", "mnuPersonalizzato"};

}  // namespace kenvaron
