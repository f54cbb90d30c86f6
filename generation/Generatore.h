// The puzzle generator of the main window: a random full grid, symmetric
// givens with one solution, the lowering passes, the simplification step
// that adds the best group of givens back, the passes that remove groups while
// logic alone still solves the puzzle, and the rating of every try by the
// level's rule.  It works on one engine, the shared puzzle Problema, the level
// state, the generation settings and state, and a window for yields and
// drawing.
//
// A seeded run (CorpoSeminato) draws only from the engine's own generator, in
// a fixed order and number, so a seed and a number of skipped draws rebuild
// the same puzzle bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <utility>

#include "engine/Condiviso.h"
#include "engine/Motore.h"
#include "engine/Orologio.h"
#include "generation/FinestraGenerazione.h"
#include "generation/ImpostazioniGenerazione.h"
#include "generation/Livelli.h"
#include "generation/StatoGenerazione.h"

namespace kenvaron {

// False only when the mirrors of rows and columns 4..6 are left out and 4 <= x <= 6.
bool NO456(const ImpostazioniGenerazione& impostazioni, int x);

// The cell order of the givens search, row-major, with its first n positions
// shuffled by 1000 swaps; then Forza4.  Draws 2000 + 1036 numbers.
void RandomizzaCelle(Motore& motore, OrdineCelle& ordine, double n);
// Four random cells of every box to positions 1..36, then 500 swaps among them.
void Forza4(Motore& motore, OrdineCelle& ordine);
// Places on the engine's grid the solution digits of the m chosen positions,
// each with its symmetric partners.
void TrasferisciCelleSelez(Motore& motore, const OrdineCelle& ordine, const ImpostazioniGenerazione& impostazioni,
                           Byte m);

// The rule and the merit of the levels whose rule reads only the five counters
// (S, G, D, B, C): "S", "N", "D", "E", "M" and "C"; false for any other letter,
// leaving both as they were.  The merit has no quality bonus.
bool RegolaEMerito(const std::string& livello, const std::array<std::int32_t, 5>& conteggi, bool& regola,
                   std::int64_t& valore);
// A merit as a 32-bit Long, held at the limits.
std::int32_t MeritoComeLong(std::int64_t valore);

// Takes the first (seed, skip) pair not in `usate`, starting from (seme, salto):
// the following skips of the seed (Mod 100), then the next seed.  Attempts run
// far faster than one second, and a pair used again would repeat its puzzle.
std::pair<long, int> PrendiCoppiaLibera(std::set<std::pair<long, int>>& usate, long seme, int salto);

// Places a digit on the engine's grid through Aggiorna(1); an empty digit is skipped.
void PiazzaCifra(Motore& motore, int r, int c, Byte cifra);

// The givens of a puzzle, row by row, with a weight each: the list a lowering
// pass works on.  Entries 1..n.
struct ListaDate {
    std::array<Byte, 82> righe{}, colonne{}, pesi{};
    int n = 0;
    void Scambia(int a, int b);
};
// Lists the givens of t and shuffles them by 200 exchanges of two drawn entries.
ListaDate DateMischiate(Motore& motore, const Tabella& t);

// Gnome sort of positions 1..n: a pair that `inOrdine`(a, b) accepts stays,
// any other is exchanged by `scambia`(a, b) and the cursors step back.  Pairs
// that inOrdine accepts both ways keep their order.
template <class InOrdine, class Scambia>
void OrdinaGnomo(int n, InOrdine&& inOrdine, Scambia&& scambia) {
    for (int a = 1, b = 2; b <= n;) {
        if (inOrdine(a, b)) {
            ++a;
            ++b;
        } else {
            scambia(a, b);
            if (a > 1) {
                --a;
                --b;
            } else {
                ++a;
                ++b;
            }
        }
    }
}

class Generatore {
public:
    Generatore(Motore& motore, Condiviso& stato, Livelli& livelli, ImpostazioniGenerazione& impostazioni,
               StatoGenerazione& generazione, FinestraGenerazione& finestra);
    Generatore(const Generatore&) = delete;
    Generatore& operator=(const Generatore&) = delete;

    // ---- Acceptance and merit -------------------------------------------------
    // RegolaSoddisfatta and Valore from the last solve and the level letter.
    void ValutaFinericerca();
    // The level's rule on the best try's counters: true when it holds, and
    // then SudokuDisponibile is set (never cleared here).
    bool ValutaFinericercaSAV();
    // Appends SemeCorrente "|" and the puzzle's 81 digits to the level's file in
    // `cartella`; false when the file cannot be written.
    bool Archivia(const std::string& cartella);

    // ---- Simplification ------------------------------------------------------------
    // Adds back the one group of givens whose try rates best.
    void Semplifica4();
    void CmdSemplifica_Click();

    // ---- Given removal ---------------------------------------------------------------
    void CmdTogliSemplici_Click();
    void TogliSempliciOrdine();
    void TogliSempliciRicorsivo(Byte profondita);
    void TogliSempliciValuta();

    // ---- Lowering ----------------------------------------------------------------------
    void AbbassaLivello();
    void Command4_Click() { AbbassaLivello(); }
    // Places the listed givens but the k-th and the escluso-th, with their
    // partners, up to the entry whose last partner placed is the k-th given.
    void TrasferisciSoluz(int n, int k, const std::array<Byte, 82>& righe, const std::array<Byte, 82>& colonne,
                          int escluso);

    // ---- Full grid and givens ------------------------------------------------------------
    // Full grid, givens, lowering passes and a final solve; false when stopped.
    bool Command1_Click();
    // Attempts until one finds a unique puzzle; false when stopped (Problema untouched).
    bool Generazione();
    enum class EsitoRicerca { Unico, Scaduto, Esaurito, Fermato };
    EsitoRicerca GeneraProbl(int m);
    void Command5_Click() { Generazione(); }
    void TrasferisciSoluzOld();

    // ---- Seeded run ---------------------------------------------------------------------------
    // Seed from the clock's whole seconds and skip from its day, as a pair not
    // taken before in this run of the program; then the seeded body.
    bool Command7_Click(bool senzaLimiti = false);
    // The seeded body: false when stopped or when a simplification step added nothing.
    // Without limits neither the givens deadline nor the engine's 5-second limit fires.
    bool CorpoSeminato(double seme, int salto, bool senzaLimiti = false);

    // Longest solve and longest givens attempt (seconds, real time) since the last reset.
    double PeggiorRisoluzione = 0;
    double PeggiorTentativo = 0;

private:
    // Solves through the engine, keeping the longest time.
    void Risolvi(Byte maxSoluzioni);
    // Plain count of up to two solutions of the engine's grid.
    void ContaSoluzioni();
    // The cells of the symmetric group of (r, c), itself first: the central
    // partner and the mirrors as the settings give them, each cell once.
    struct Gruppo {
        int n = 0;
        std::array<Byte, 4> r{}, c{};
    };
    Gruppo GruppoDi(int r, int c) const;
    // Sets every cell of a group in t from `sorgente`, or empties them when it is null.
    static void Scrivi(Tabella& t, const Gruppo& g, const Tabella* sorgente);
    // Takes the group of (b, a) out of the puzzle, draws the board and solves;
    // `prima` keeps the puzzle as it was.
    Gruppo TogliEDisegna(int b, int a, Tabella& prima);
    // The solution digits of the chosen cells and their partners, on a table.
    void SceltiSuTabella(Byte m, Tabella& t) const;
    // Places a digit on the engine's grid through Aggiorna(1); an empty digit is skipped.
    void Piazza(int r, int c, Byte cifra);
    double Adesso() const;

    Motore& m_;
    Condiviso& stato_;
    Livelli& livelli_;
    ImpostazioniGenerazione& imp_;
    StatoGenerazione& gen_;
    FinestraGenerazione& finestra_;
    bool senzaLimiti_ = false;
    OrologioFinto fermo_;
};

}  // namespace kenvaron
