// The background generator's building blocks, on the background form's own
// engine and on ProblemaF5: the form's set-up and its five levels, a puzzle
// from an empty board (random full grid, symmetric givens found by an ordered
// search under a 10-second deadline, lowering steps), the simplify pass, the
// removal of every pair the level's logic can do without, and the rating and
// acceptance by the level letter.
//
// Every wait for the program's windows goes through the engine profile's
// yield; after it a stop code of 1 calls the profile's end action, and when
// that returns (as in tests) the procedure returns at once and leaves
// ProblemaF5 as it found it.  Nothing here reads or writes Problema or the
// main window's engine.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/Motore.h"
#include "generation/ImpostazioniGenerazione.h"
#include "generation/StatoGenerazione.h"

namespace kenvaron {

class GeneratoreSfondo {
public:
    // `motore` is the background form's engine (background profile); its
    // shared state holds ProblemaF5 and the stop code.
    explicit GeneratoreSfondo(Motore& motore);
    GeneratoreSfondo(const GeneratoreSfondo&) = delete;
    GeneratoreSfondo& operator=(const GeneratoreSfondo&) = delete;

    // ---- The form's hidden controls and level -------------------------------------
    // Symmetric givens, difficulty "Difficile", "23 caselle", 22 representatives.
    ImpostazioniGenerazione impostazioni;
    // Level code and letter of the background level.
    std::string CodiciTecniche = "SGB";
    std::string Livello = "C";
    // Merits, best-try counters, the acceptance flag, the givens deadline and the cell order.
    StatoGenerazione generazione;
    // The cell whose removal the run is trying; the simplify pass never adds it back.
    Byte RigaTolta = 0, ColonnaTolta = 0;
    // Random fills and givens searches begun since the generator was made.
    int Riempimenti = 0;
    int RicercheGivens = 0;

    // Fixed tables, modes and the default level "Classico".
    void Form_Load();
    // Upper-cases the code and sets the five turns from it; nothing else.
    void Settaf5turni(std::string& codice);
    void mnuSemplice_Click();
    void MnuNormale_Click();
    void MnuDifficile_Click();
    void mnuClassico_Click();
    void MnuEstremo_Click();

    // ---- Puzzle from an empty board ---------------------------------------------------
    // Full grid in Soluzione, givens in ProblemaF5, lowering steps, a final solve.
    // False when the program is ending.
    bool Command1_Click();
    // Givens searches on fresh cell orders until one ends in time; false when stopped.
    bool Generazione();
    // The ordered search over m-subsets of the cell order: the givens of the
    // first combination with one solution in Griglia, or TempoScaduto.
    void Generaf5probl(int m);

    // ---- Lowering and transfers -----------------------------------------------------------
    void Command4_Click() { AbbassaLivello(); }
    // Takes out the given (with its partner) whose removal leaves the fewest
    // singles, among those that keep one solution; otherwise nothing changes.
    void AbbassaLivello();
    // Places the listed givens of ProblemaF5 except entry k and its partner.
    void TrasferisciSoluz(int n, int k, const std::array<Byte, 82>& righe, const std::array<Byte, 82>& colonne);

    // ---- Simplify, reduction, rating -----------------------------------------------------
    // Adds back the one pair of the first half that rates best (ties to the later cell).
    void Semplifica4();
    void CmdSemplifica_Click() { Semplifica4(); }
    // Removes every pair that the level's logic can do without.
    void TogliSempliciOrdine();
    void CmdTogliSemplici_Click() { TogliSempliciOrdine(); }
    // Valore of the last solve by the level's rule (with the quality bonus when
    // the rule holds); a letter outside "S", "N", "D", "C", "M" leaves it.
    void ValutaFinericerca();
    // The level's rule on the best try's counters: true sets SudokuDisponibile.
    bool ValutaFinericercaSAV();

    // ---- Counts and solves ---------------------------------------------------------------
    // NumCellePiene of ProblemaF5.
    void contaCellePiene() { m_.contaCellePiene(); }
    // NumCellePiene of t (nothing shows the background's board).
    void Visualizza(const Tabella& t);
    // Narrated solve of ProblemaF5.
    void Risolvi(Byte maxSoluzioni) { m_.Risolvi(maxSoluzioni); }

    // ---- Yield -------------------------------------------------------------------------------
    // One turn to the windows; true (after the end action) when the program is ending.
    bool Cedi();
    bool Finito() const { return stato_.CodiceStop == 1; }
    Motore& motore() { return m_; }

private:
    // Places a digit through Aggiorna(1); an empty digit is skipped.
    void Piazza(int r, int c, Byte cifra);
    // The plain count of up to two solutions of the engine's grid.
    void ContaPiano();
    void Seleziona(const char* codice, const char* lettera, std::int16_t limiteFor);

    Motore& m_;
    Condiviso& stato_;
};

}  // namespace kenvaron
