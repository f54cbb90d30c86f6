// The main window's state that is not a control: the engine, the level and
// generation settings, the shared data of the program, the start-up and
// closing flags, and the rule that turns a close during a long computation
// into a stop request.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "generation/RegoleProduzione.h"
#include "generation/ImpostazioniGenerazione.h"
#include "generation/MenuLivelli.h"
#include "generation/StatoGenerazione.h"

namespace kenvaron {

class StatoPrincipale {
public:
    StatoPrincipale();
    StatoPrincipale(const StatoPrincipale&) = delete;
    StatoPrincipale& operator=(const StatoPrincipale&) = delete;

    // The program's one shared-state object; the background form works on it too.
    Condiviso stato;
    // The foreground engine (large: kept on the heap).
    std::unique_ptr<Motore> motore;
    Livelli livelli;
    ImpostazioniGenerazione impostazioni;
    ContestoLivello contestoLivello;

    // Stop request, running and available flags, best try, seed and the passes' tables.
    StatoGenerazione generazione;

    int GiaAttivato = 0;            // 1 after the first activation
    Byte SchemaModificato = 0;      // 1 = the board changed since loaded or saved
    bool RidisegnoGriglia = true;   // what drawing code gives the grid's Redraw
    Byte SingoloStep = 0;           // 1 = the reasoning is shown one step at a time
    Byte LivelloAiuto = 0;          // hint depth: 0 none, 1 the technique, 2 with digit and unit
    Byte FlagVisPoss = 0;           // 1 while the board shows the candidates

    // ---- Cell editing -------------------------------------------------------
    std::string ModoSelezione;      // "N": the next click opens the value pop-up
    Byte RigaGriglia = 0;           // grid row and column of the open pop-up's cell
    Byte ColonnaGriglia = 0;

    // Technique weights and batch rules of the rules file, and the last rating.
    RegoleProduzione regole;
    std::int32_t ValoreCalcolato = 0;
    // Batch production: Esc or a close asked it to stop; the program's exit code.
    bool ProduzioneFermata = false;
    int CodiceUscita = 0;

    // ---- Closing while a long computation yields ----------------------------
    enum class EsitoChiusura {
        Annullata,  // the user kept the window (the save question said so)
        Rinviata,   // a computation is running: it is asked to stop, the close follows
        Chiudere,   // the window may unload now
    };
    // A close request after the save question; annulla is that question's answer.
    EsitoChiusura RichiestaChiusura(bool annulla);
    // A long computation starts (they may nest inside one another's yields).
    void InizioCalcolo() { ++calcoliInCorso_; }
    // A long computation returned; true when a close waited for it and the
    // window must unload now.
    bool FineCalcolo();
    bool CalcoloInCorso() const { return calcoliInCorso_ > 0; }
    bool ChiusuraRinviata() const { return chiusuraRinviata_; }

private:
    int calcoliInCorso_ = 0;
    bool chiusuraRinviata_ = false;
};

}  // namespace kenvaron
