// The solving engine: grid, candidate counters, search stack, step log,
// applied-findings marks and the measures of a solve.
//
// Every table is fixed-size and indexed from 1 as the solver's procedures use
// it; index 0 holds nothing except record 0 of PilaLivelli (the parameter
// block of the apply and undo procedures) and the first index of
// CelleQuadrato (0 row, 1 column).  The main window and the background
// generator each own an instance; nothing here is global.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/Casuale.h"
#include "engine/Condiviso.h"
#include "engine/Orologio.h"
#include "engine/Tipi.h"

namespace kenvaron {

class Motore {
public:
    static constexpr int kMaxPassi = 6000;
    static constexpr int kMaxLivelli = 81;
    static constexpr int kSlotApplicati = 50;

    explicit Motore(Condiviso& stato, Orologio& orologio = OrologioDiSistema::Istanza());
    Motore(const Motore&) = delete;
    Motore& operator=(const Motore&) = delete;

    Condiviso& stato;
    Orologio* orologio;
    Casuale casuale;

    // Optional display of candidate counters at the step-log breakpoint.
    std::function<void(const TabellaCandidati&)> VisualizzaValidi;

    // ---- Unit tables, built once by CostruisciTabelleUnita ----------------
    // QuadratoCella[r][c][0] = box, [1] = position inside the box.
    std::array<std::array<std::array<Byte, 2>, 10>, 10> QuadratoCella{};
    // CelleQuadrato[0][q][p] = row, [1][q][p] = column.
    std::array<std::array<std::array<Byte, 10>, 10>, 2> CelleQuadrato{};
    std::array<std::string, 10> CoppieLinee{};
    std::array<std::string, 10> CoppieLineeQ{};
    void CostruisciTabelleUnita();  // QuadratoCella, CelleQuadrato, CoppieLinee, CoppieLineeQ

    // ---- Grid and candidates ----------------------------------------------
    Tabella Griglia{};
    Tabella Soluzione{};
    Tabella CelleDate{};
    TabellaCandidati Possibili{};
    Tabella NumeroCandidati{};
    TabellaCandidati PossibiliSalvati{};

    // Marks of locked-candidate eliminations already applied.
    Tabella CandidatiApplicatiR{}, CandidatiApplicatiC{}, CandidatiApplicatiQR{}, CandidatiApplicatiQC{};
    using TabellaTesti = std::array<std::array<std::string, 10>, 10>;
    TabellaTesti CoppieApplicateR{}, CoppieApplicateC{}, CoppieApplicateQR{}, CoppieApplicateQC{};

    // Keys of applied subsets (per unit) and fish (per digit), slots 1..50.
    using ListeApplicate = std::array<std::array<std::string, kSlotApplicati + 1>, 10>;
    ListeApplicate GruppiApplicatiR{}, GruppiApplicatiC{}, GruppiApplicatiQ{};
    ListeApplicate SwordFishApplicatiR{}, SwordFishApplicatiC{};

    // ---- Hand-over between searches and apply procedures ------------------
    std::string ListaCambi;
    std::string CelleGruppo;
    std::string NumeriGruppo;
    bool TrovatoGruppo = false;
    bool TrovatoAvanzato = false;

    // ---- Search stack and step log ----------------------------------------
    std::array<LivelloPila, kMaxLivelli + 1> PilaLivelli{};
    std::array<Passo, kMaxPassi + 1> LogPassi{};
    int NumPassi = 0;

    // ---- Counts -------------------------------------------------------------
    double NumCellePiene = 0;
    std::int16_t CelleRiempite = 0;
    std::int16_t ContaRiempimento = 0;

    // ---- Solver modes and inputs ---------------------------------------------
    bool SoluzioneLogica = true;
    bool ModoRisolvi = false;
    bool SenzaTentativi = false;
    bool SoloSingoli = false;
    bool RegistraCelleMin = false;
    bool Analisi = false;                 // analysis mode of the main window
    bool SaltaNaked = false;              // singles test looks for hidden singles only
    std::int16_t LimiteFor = 3;           // largest fish outside a user's solve
    std::int16_t IsalvaValidi = -1;       // step-log breakpoint, -1 = none
    int IndiceRagionamento = 4;           // the reasoning-depth list's index, read by each solve
    Byte LivelloRagionamento = 4;
    // Turn of each group, in the order G, S, B, C, D; 0 = off.
    std::array<std::int16_t, 5> Turni{};
    // Enable flag of each group, in the order S, G, D, B, C.
    std::array<bool, 5> TurniAttivi{true, true, true, true, true};

    enum Gruppo { kG = 0, kS = 1, kB = 2, kC = 3, kD = 4 };

    // ---- Measures of a solve -----------------------------------------------
    double ContaSoluz = 0;
    std::int32_t Valore = 0;
    Byte ProfonditaMax = 0;
    std::int16_t PesoPasso = 0;
    std::int32_t ContaTecnicaS = 0, ContaTecnicaG = 0, ContaTecnicaD = 0, ContaTecnicaB = 0,
                 ContaTecnicaC = 0;
    Byte ContaPregio = 0;
    double NumCelleMin = 0;
    std::array<Byte, 82> CelleMinR{};
    std::array<Byte, 82> CelleMinC{};
    std::array<std::string, 82> CelleMinValidi{};

    // ---- Engine state and cell tables ---------------------------------------
    void Inizializza();
    static void SalvaTabella(const Tabella& sorgente, Tabella& destinazione);
    static void AzzeraTabella(Tabella& tabella);
    void contaCellePiene();
    double GeneraCasuale(double n);
    void SalvaCandidati();
    std::string ListaCelle(const std::string& unita, Byte indice, const std::string& posizioni) const;
    static void RuotaTabella(Tabella& tabella);
    static void Scambia(Tabella& tabella, double a, double b);
    static void ScambiaRiga(Tabella& tabella, double r1, double r2);
    static void ScambiaColonna(Tabella& tabella, double c1, double c2);
    std::string& MischiaValidi(std::string& s, Byte n);

    // ---- Placing and unplacing ----------------------------------------------
    void Aggiorna(int k);
    void Ripristina(int k);
    void AggiornaPerClr(int k);
    void AggiornaColori(int k);
    void RipristinaColori(int k);

    // ---- Step log -------------------------------------------------------------
    void AggiungiPasso(Byte profondita, const std::string& testo, Byte riga, Byte colonna,
                       const std::string& cifra, const std::string& ripristino,
                       const std::string& celle, const std::string& tipo,
                       const std::string& codice, Byte dimensione);
    static std::string IncrementaIndice(int livello);

    // ---- Undo strings -----------------------------------------------------------
    void RipristinaTecnica(std::string& s);


    // ---- Technique turns: the group searches the turn loop calls ---------------
    // A step applied and not yet followed by a single (its turn 1..5).
    bool TecnicaPendente = false;
    int TurnoPendente = 0;
    // Marks a technique step applied at turn `turno`: weight, group counter, pending flag.
    void RegistraTecnica(std::int16_t peso, std::int32_t& contatore, int turno) {
        PesoPasso = peso;
        ++contatore;
        TecnicaPendente = true;
        TurnoPendente = turno;
    }
    // Each wrapper runs its whole group (or the fish part of group B) at the given
    // level and turn; true when a step was applied and stays (outside analysis mode).
    bool CercaCandidatiFissati(int livello, int turno);     // group S
    bool CercaCandidatiFissatiDue(int livello, int turno);  // group D
    bool CercaGruppiG(int livello, int turno);              // group G
    bool CercaPesci(int livello, int turno);                // fish of group B
    // Searches that narrate themselves and leave an elimination list in CelleGruppo,
    // setting TrovatoAvanzato when they found something.
    void CtrlXYwings(const std::string& Modo, const std::string& Rientro, int livello);
    void CtrlXYwingsMult(const std::string& Modo, const std::string& Rientro, int livello);
    void CtrlColori(int posti, const std::string& Rientro, int livello);
    // Strikes the candidate itself and writes its own "L" undo entry.
    void CtrlNishio(int cifra, int livello);
    // Applies an elimination list of row-column-digit triples (no separators).
    void AggiornaXYW(const std::string& lista);

    // ---- Locked candidates, apply and undo of findings (one box, two boxes, lists)
    // ---- end locked candidates

    // ---- Naked and hidden subsets, fish
    // Search scratch: the items of the unit (cells, digits or base lines), a
    // per-index string table and a per-index presence mark.  A search leaves its
    // finding in CelleGruppo / NumeriGruppo and sets TrovatoGruppo.
    std::string ElementiGruppo;
    std::array<std::string, 10> TabellaGruppo{};
    std::array<Byte, 10> PresenzeGruppo{};

    // Naked subsets of 2..7 cells in row, column or box u.
    void CtrlGruppiR(Byte u);
    void CtrlGruppiC(Byte u);
    void CtrlGruppiQ(Byte u);
    void CombinaCelle2(const std::string& unita, Byte u, Byte k);
    void CombinaCelle3(const std::string& unita, Byte u, Byte k);
    void CombinaCelle4(const std::string& unita, Byte u, Byte k);
    void CombinaCelle5(const std::string& unita, Byte u, Byte k);
    void CombinaCelle6(const std::string& unita, Byte u, Byte k);
    void CombinaCelle7(const std::string& unita, Byte u, Byte k);
    void VerificaGruppi(const std::string& unita, Byte u, Byte k);

    // Hidden subsets of 2..5 digits in row, column or box u.
    void CtrlGruppiNumeriR(Byte u);
    void CtrlGruppiNumeriC(Byte u);
    void CtrlGruppiNumeriQ(Byte u);
    void CombinaNumeri2(const std::string& unita, Byte u, Byte k);
    void CombinaNumeri3(const std::string& unita, Byte u, Byte k);
    void CombinaNumeri4(const std::string& unita, Byte u, Byte k);
    void CombinaNumeri5(const std::string& unita, Byte u, Byte k);
    void VerificaGruppiNumeri(const std::string& unita, Byte u, Byte k);

    // Fish of digit d on rows (R) or columns (C) as base lines, sizes kmin..kmax (2..5 searched).
    void CtrlSwordFishR(Byte d, std::int16_t kmin, std::int16_t kmax);
    void CtrlSwordFishC(Byte d, std::int16_t kmin, std::int16_t kmax);
    void CombinaSwordFish2(const std::string& orientamento, Byte d, Byte k);
    void CombinaSwordFish3(const std::string& orientamento, Byte d, Byte k);
    void CombinaSwordFish4(const std::string& orientamento, Byte d, Byte k);
    void CombinaSwordFish5(const std::string& orientamento, Byte d, Byte k);
    void VerificaSwordFish(const std::string& orientamento, Byte d, Byte k);

    // Around a finding of group G or of the fish: `applica`(indice) carries it out and
    // its undo entry (kind `voce`, indice, CelleGruppo, NumeriGruppo) goes in front of
    // the level's undo string; true when a candidate was eliminated.
    bool ApplicaTrovato(int livello, char voce, int indice, void (Motore::*applica)(int));
    // Logs the narrated step of an effective finding (cells = ListaCambi, size = the
    // length of CelleGruppo) and scores it; in analysis mode undoes it at once with
    // `annulla`(indice).  True when the step stays.
    bool RegistraTrovato(int livello, int turno, const std::string& testo, const char* tipo,
                         const char* codice, std::int16_t peso, std::int32_t& contatore,
                         void (Motore::*annulla)(int), int indice);
    // Cell (r, c) at position p of unit "R", "C" or "Q" u; false for any other code.
    bool CellaDiUnita(char unita, int u, int p, int& r, int& c) const;
    // The applied list of unit code "R", "C" or "Q"; nullptr for any other code.
    ListeApplicate* ListaDiUnita(char unita);
    // Looks the finding's key (CelleGruppo, separatore, NumeriGruppo) up in slots
    // 1..50 of lista[indice]: sets TrovatoGruppo when the key is absent and a slot is free.
    void CercaChiave(const ListeApplicate& lista, int indice, char separatore);
    // Writes into `destinazione` the indexes 1..9 marked 1 in PresenzeGruppo, ascending;
    // returns how many there are.
    int RaccogliPresenze(std::string& destinazione) const;
    // Walks the k-combinations of ElementiGruppo in lexicographic order (last index
    // fastest), writes each into `destinazione` and calls `verifica`, until TrovatoGruppo.
    template <class Verifica>
    void CombinaElementi(int k, std::string& destinazione, Verifica&& verifica) {
        const int n = static_cast<int>(ElementiGruppo.size());
        if (k < 1 || k > n) return;
        std::array<int, 9> indice{};
        for (int i = 0; i < k; ++i) indice[i] = i;
        for (;;) {
            destinazione.clear();
            for (int i = 0; i < k; ++i) destinazione += ElementiGruppo[indice[i]];
            verifica();
            if (TrovatoGruppo) return;
            int i = k - 1;
            while (i >= 0 && indice[i] == n - k + i) --i;
            if (i < 0) return;
            ++indice[i];
            for (int j = i + 1; j < k; ++j) indice[j] = indice[j - 1] + 1;
        }
    }
    // ---- end subsets and fish

    // ---- XY-wings and forcing chains
    // ---- end XY-wings and forcing chains

    // ---- Colours and Nishio
    // ---- end colours and Nishio

    // ---- Solver loop, singles, dead ends
    // ---- end solver loop

private:
    // Lowers / raises one counter, keeping NumeroCandidati on the 50<->49 transitions.
    void Abbassa(int r, int c, int d) {
        if (--Possibili[r][c][d] == 49) --NumeroCandidati[r][c];
    }
    void Alza(int r, int c, int d) {
        if (++Possibili[r][c][d] == 50) ++NumeroCandidati[r][c];
    }
};

// Whole number 0..255 from the leading digits of a text, as the undo strings store them.
Byte ValoreByte(const std::string& testo);

}  // namespace kenvaron
