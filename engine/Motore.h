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
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "engine/Casuale.h"
#include "engine/Condiviso.h"
#include "engine/Orologio.h"
#include "engine/Tipi.h"

namespace kenvaron {

// One cell of the peer walk of a cell (its row, its column, its box), as the
// flat index r * 10 + c, and how many times the walk visits it.
struct VisitaPari {
    Byte cella;
    Byte volte;
};
// For each cell r * 10 + c: the 21 distinct cells of its walk.  The cell itself
// is visited three times, the other cells of its row and column inside its box
// twice, every other peer once.
inline constexpr auto kPariDistinti = [] {
    std::array<std::array<VisitaPari, 21>, 100> t{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            auto& lista = t[r * 10 + c];
            int n = 0;
            const int r0 = 3 * ((r - 1) / 3) + 1, c0 = 3 * ((c - 1) / 3) + 1;
            for (int rr = 1; rr <= 9; ++rr)
                for (int cc = 1; cc <= 9; ++cc) {
                    const bool riga = rr == r, colonna = cc == c;
                    const bool quadrato = rr >= r0 && rr < r0 + 3 && cc >= c0 && cc < c0 + 3;
                    const int volte = riga + colonna + quadrato;
                    if (volte > 0) lista[n++] = {static_cast<Byte>(rr * 10 + cc), static_cast<Byte>(volte)};
                }
        }
    return t;
}();

// A set of the 81 cells, cell (r, c) being bit (r - 1) * 9 + c - 1: bits 0..63
// in the first word, 64..80 in the second.
struct Insieme81 {
    std::array<std::uint64_t, 2> parole{};
    static constexpr int Bit(int r, int c) { return (r - 1) * 9 + c - 1; }
    static constexpr std::uint64_t Uno(int i) { return std::uint64_t{1} << (i & 63); }
    constexpr void Metti(int i) { parole[i >> 6] |= Uno(i); }
    constexpr void Togli(int i) { parole[i >> 6] &= ~Uno(i); }
    constexpr bool Ha(int i) const { return (parole[i >> 6] >> (i & 63) & 1) != 0; }
    constexpr bool Vuoto() const { return (parole[0] | parole[1]) == 0; }
    // The first cell of a set that is not empty.
    constexpr int Primo() const {
        return parole[0] != 0 ? std::countr_zero(parole[0]) : 64 + std::countr_zero(parole[1]);
    }
    constexpr Insieme81 operator&(const Insieme81& o) const { return {{parole[0] & o.parole[0], parole[1] & o.parole[1]}}; }
    // The cells of this set that are not in o.
    constexpr Insieme81 Senza(const Insieme81& o) const {
        return {{parole[0] & ~o.parole[0], parole[1] & ~o.parole[1]}};
    }
    constexpr Insieme81& operator^=(const Insieme81& o) {
        parole[0] ^= o.parole[0];
        parole[1] ^= o.parole[1];
        return *this;
    }
};
// For each cell bit: its row, column and box, itself included; and the flat
// index r * 10 + c of each cell bit.
inline constexpr auto kPariInsieme = [] {
    std::array<Insieme81, 81> t{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            for (const VisitaPari& v : kPariDistinti[r * 10 + c])
                t[Insieme81::Bit(r, c)].Metti(Insieme81::Bit(v.cella / 10, v.cella % 10));
    return t;
}();
inline constexpr auto kCellaDelBit = [] {
    std::array<Byte, 81> t{};
    for (int i = 0; i < 81; ++i) t[i] = static_cast<Byte>((i / 9 + 1) * 10 + i % 9 + 1);
    return t;
}();

// How many of bits 0..9 are set; a table, as not every target has a population-count instruction.
inline constexpr auto kContaBit = [] {
    std::array<Byte, 1024> t{};
    for (int m = 1; m < 1024; ++m) t[m] = static_cast<Byte>(t[m >> 1] + (m & 1));
    return t;
}();
inline int ContaBit(unsigned maschera) { return kContaBit[maschera & 1023]; }

// What kind of engine an instance is, fixed when it is built.  The main window's
// engine reads the technique switches of Condiviso and the user's struck
// candidates.  The background generator's engine solves ProblemaF5 with a
// fixed technique set, its own single-test order and wing and chain rules,
// and gives the event loop a turn at the head of every search level.
struct ProfiloMotore {
    bool Sfondo = false;
    // Called at the head of every search level of a background solve.
    std::function<void()> Cedi;
    // Called when CodiceStop is 1 after a yield; meant to end the program.
    std::function<void()> Termina;

    static ProfiloMotore DiSfondo(std::function<void()> cedi = {}, std::function<void()> termina = {}) {
        return ProfiloMotore{true, std::move(cedi), std::move(termina)};
    }
};

class Motore {
public:
    static constexpr int kMaxPassi = 6000;
    static constexpr int kMaxLivelli = 81;
    static constexpr int kSlotApplicati = 50;

    explicit Motore(Condiviso& stato, Orologio& orologio = OrologioDiSistema::Istanza(),
                    ProfiloMotore profilo = {});
    Motore(const Motore&) = delete;
    Motore& operator=(const Motore&) = delete;

    Condiviso& stato;
    Orologio* orologio;
    Casuale casuale;
    const ProfiloMotore profilo;
    // The background profile, read where the two profiles part.
    const bool Sfondo;

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
    double PesoTecnica = 0;               // background: what an XY-wing adds to ContaTecnicaB (0 or 1)
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
    // Search levels the last Sviluppa entered (the work a solve did, for the bench).
    std::int64_t LivelliVisitati = 0;
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
    // The same shuffle on the first `lunghezza` characters of s.
    void MischiaCifre(char* s, std::size_t lunghezza, Byte n);

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
    // `incremento` is what the step adds to the group counter (an XY-wing adds its switch).
    void RegistraTecnica(std::int16_t peso, std::int32_t& contatore, int turno, int incremento = 1) {
        PesoPasso = peso;
        contatore += incremento;
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
    // Apply procedures read their parameters from record k of PilaLivelli (always 0
    // in practice), or take the unit or digit with CelleGruppo and NumeriGruppo; each
    // leaves its eliminations in ListaCambi ("" when none) and TrovatoAvanzato.  Every
    // undo twin is the exact inverse for the same arguments on the grid the apply left.
    // One box: row into box (r, q, d), column into box (c, q, d),
    // box into row (q, r, d), box into column (q, c, d).
    void AggiornaR(int k);
    void RipristinaR(int k);
    void AggiornaC(int k);
    void RipristinaC(int k);
    void AggiornaQR(int k);
    void RipristinaQR(int k);
    void AggiornaQC(int k);
    void RipristinaQC(int k);
    // Two boxes: Riga = pair index, Validi = the two units met, Cifra = digit.
    void AggiornaRcp(int k);
    void RipristinaRcp(int k);
    void AggiornaCcp(int k);
    void RipristinaCcp(int k);
    void AggiornaQRcp(int k);
    void RipristinaQRcp(int k);
    void AggiornaQCcp(int k);
    void RipristinaQCcp(int k);
    // Naked (cells, digits) and hidden subsets in row, column or box u.
    void AggiornaGruppiR(int u);
    void RipristinaGruppiR(int u);
    void AggiornaGruppiC(int u);
    void RipristinaGruppiC(int u);
    void AggiornaGruppiQ(int u);
    void RipristinaGruppiQ(int u);
    void AggiornaGruppiNumeriR(int u);
    void RipristinaGruppiNumeriR(int u);
    void AggiornaGruppiNumeriC(int u);
    void RipristinaGruppiNumeriC(int u);
    void AggiornaGruppiNumeriQ(int u);
    void RipristinaGruppiNumeriQ(int u);
    // Fish on digit d: base lines in CelleGruppo, cover lines in NumeriGruppo.
    void AggiornaSwordFishR(int d);
    void RipristinaSwordFishR(int d);
    void AggiornaSwordFishC(int d);
    void RipristinaSwordFishC(int d);
    // Undo of AggiornaXYW: the same row-column-digit triples raised again.
    void RipristinaXYW(const std::string& lista);
    // True when the pattern part of a change list (after its first "/") has two cells.
    static bool AlmenoDue(const std::string& s);
    // Scratch of the pattern part of a change list, kept to reuse its storage.
    std::string SchemaCambi;

private:
    enum class Unita { kRiga, kColonna, kQuadrato };
    // Row and column of the i-th cell (1..9) of a row, column or box.
    void CellaUnita(Unita u, int indice, int i, int& r, int& c) const;
    // The row, column or box of a cell.
    int ValoreUnita(Unita u, int r, int c) const;
    // The units of the given kind met, in visiting order, by the cells of unit
    // (linea, indice) where d is possible; false when none or more than `limite`.
    // Reads PostiUnita.
    bool UnitaIncontrate(Unita linea, int indice, int d, Unita nota, int limite, int& u1,
                         int& u2) const;
    // For each kind of unit, unit 1..9 and digit 1..9: the positions 1..9 (one
    // bit each) of the unit's empty cells where the digit is at 50.  Kept by the
    // locked-candidate searches for their scans: RilevaPosti(d) takes digit d
    // afresh from the tables, RilevaPosti(0) every digit.
    std::array<std::array<std::array<std::uint16_t, 10>, 10>, 3> PostiUnita{};
    void RilevaPosti(int d);
    // While set, PostiUnita holds the places of the grid as it stands and the
    // singles test reads its units there: the singles sweep keeps it so,
    // following each digit it places with PostiDopoPiazzamento.
    bool PostiCorrenti = false;
    void PostiDopoPiazzamento(int r, int c, int d);
    void InizioApplica();
    void FineApplica();
    // Lowers d where it leaves the change list's pattern lines, or raises it back.
    void CifraInUnita(Unita u, int indice, int d, Unita linea, unsigned maschera, bool applica);
    void GruppoInUnita(Unita u, int indice, bool nascosto, bool applica);
    void ApplicaGruppo(ListeApplicate& liste, Unita u, int indice, bool nascosto);
    void AnnullaGruppo(ListeApplicate& liste, Unita u, int indice, bool nascosto);
    void SwordFish(Unita base, int d, bool applica);
    void ApplicaSwordFish(ListeApplicate& liste, Unita base, int d);
    void AnnullaSwordFish(ListeApplicate& liste, Unita base, int d);
    void Elimina(int r, int c, int d);
    void AggiungiSchema(int r, int c, int d);
    void RegistraChiave(std::array<std::string, kSlotApplicati + 1>& slot, char separatore);
    void AnnullaChiave(std::array<std::string, kSlotApplicati + 1>& slot, char separatore);
    // Set of the digits 1..9 that stand in a text, one bit each.
    static unsigned Maschera(const std::string& cifre);
    // The four locked-candidate variants, in search order: row into box, column
    // into box, box into row, box into column.  Variant v visits unit kind
    // kVisita[v] (numbered by record 0's Colonna, or by the unit string of the
    // two-box kinds) and keeps the lines of kind kLinea[v] named by Riga (or the pair).
    static constexpr Unita kVisita[4] = {Unita::kQuadrato, Unita::kQuadrato, Unita::kRiga,
                                         Unita::kColonna};
    static constexpr Unita kLinea[4] = {Unita::kRiga, Unita::kColonna, Unita::kQuadrato,
                                        Unita::kQuadrato};
    void ApplicaFissato(int variante, int k, bool applica);
    void ApplicaFissatoDue(int variante, int k, bool applica);

public:
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
    bool CellaDiUnita(char unita, int u, int p, int& r, int& c) const {
        if (u < 1 || u > 9 || p < 1 || p > 9) return false;
        switch (unita) {
            case 'R':
                r = u;
                c = p;
                return true;
            case 'C':
                r = p;
                c = u;
                return true;
            case 'Q':
                r = CelleQuadrato[0][u][p];
                c = CelleQuadrato[1][u][p];
                return true;
            default:
                return false;
        }
    }
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
    // maschere[i] is the set (bits 1..9) that item i brings to a combination,
    // the set whose size `verifica` compares with k: a combination whose union
    // has another size cannot be a finding and is passed over unwritten, except
    // the last one, so that the scratch ends as a walk through all of them leaves it.
    template <class Verifica>
    void CombinaElementi(int k, std::string& destinazione, const std::array<std::uint16_t, 9>& maschere,
                         Verifica&& verifica) {
        const int n = static_cast<int>(ElementiGruppo.size());
        if (k < 1 || k > n) return;
        std::array<int, 9> indice{};
        for (int i = 0; i < k; ++i) indice[i] = i;
        for (;;) {
            unsigned unione = 0;
            for (int i = 0; i < k; ++i) unione |= maschere[indice[i]];
            int i = k - 1;
            while (i >= 0 && indice[i] == n - k + i) --i;
            if (ContaBit(unione) == k || i < 0) {
                destinazione.clear();
                for (int j = 0; j < k; ++j) destinazione += ElementiGruppo[indice[j]];
                verifica();
                if (TrovatoGruppo) return;
            }
            if (i < 0) return;
            ++indice[i];
            for (int j = i + 1; j < k; ++j) indice[j] = indice[j - 1] + 1;
        }
    }
    // ---- end subsets and fish

    // ---- XY-wings and forcing chains
    // Sentence of a wing from its change list (eliminations, "/", then the chains).
    static std::string FraseXYWings0(const std::string& lista);
    // Sentence of one chain link from entry a to entry b ("r,c,d" each); position 1
    // opens a chain, preceded by the start unit ("R5", "C3", "Q4") when one is given.
    static std::string FraseXYWings(const std::string& a, const std::string& b, int posizione,
                                    const std::string& unita);
    // Note naming the candidates of a cell that the link from a to b ruled out.
    static std::string FraseTAV(const std::string& candidati, const std::string& a, const std::string& b);
    // ---- end XY-wings and forcing chains

    // ---- Colours and Nishio
    // Sentence of one cell of a colour chain: `voce` is the seven-character step
    // entry (row,column,digit| and the letter of the unit that placed it), s the
    // scenario and q the position in its chain, both from 1.
    std::string DecodificaMult1(const std::string& voce, int s, int q) const;
    // Sentence of the cells one colour placement excludes (a cell-triple list).
    static std::string DecodificaMult2(const std::string& lista);
    // Concluding sentence of a colour finding; violet cells rename both groups.
    static std::string DecodificaMult3(int cifra, const std::string& viola);
    // ---- end colours and Nishio

    // ---- Solver loop, singles, dead ends
    // Narrated solve of stato.Problema from scratch, counting up to maxSoluzioni.
    void Risolvi(Byte maxSoluzioni);
    // Turns the candidates the user struck (the "C" moves of the undo stack)
    // from 50 to 49; with `contaCandidati` the cell's count drops too.
    void ApplicaScartiUtente(bool contaCandidati);
    // Depth-first search from the current grid; narra = singles, turns and step log.
    void Sviluppa(Byte maxSoluzioni, bool casuale, Byte vuote, bool narra);
private:
    // The body of Sviluppa, built once for each mode: the plain one is then
    // free of every narrated branch.
    template <bool narra>
    void SviluppaModo(Byte maxSoluzioni, bool casuale, Byte vuote);
public:
    // True when digit `cifra` is a single at (riga, colonna); narrates the rule.
    bool CercaSoluzioniBelle(Byte riga, Byte colonna, bool narra, Byte livello, Byte cifra);
    // False (after narrating the first contradiction) when the grid is a dead end.
    bool Verifiche(Byte livello);
    // One round of technique turns 1..5 at a level; true when a step was applied
    // and stays, so that the sweep of singles runs again.
    bool TurniTecniche(int livello);
    // The XY-wing search of group B may run (worked out at each Sviluppa entry).
    bool PermessoXYW = false;
    // Weights applied per turn 1..5 since the last bonus.
    std::array<std::int32_t, 6> AccumulatoriTurno{};
    // Scoring of a pending technique step: at the start of a pass of the sweep,
    // and when a single follows it (the bonus, " !!!!" on the single's record).
    void PesaPassoPendente();
    void PremiaSingolo(int livello);

private:
    // Applies an elimination list left in CelleGruppo and records its undo entry.
    void ApplicaEliminazioni(int livello, char tipo);
    // Records a fewest-candidates cell of the first trial point.
    void RegistraCellaMin(int r, int c);
    // The empty cell with the fewest candidates by the counts `numeri` (a table
    // of 100 bytes, cell r * 10 + c), the first in row-major order among equals:
    // its count, and its row and column in mr, mc (0 when the grid has no empty
    // cell, the count then being 99).
    int CellaMinima(const Byte* numeri, int& mr, int& mc) const;

    // ---- Plain search
    // A plain search reads nothing of Possibili but which digits of a cell are
    // at 50, and of NumeroCandidati but their number.  It keeps both in sets of
    // its own and leaves the tables alone while it runs; when it ends they get
    // the trial digits still in place (Possibili only moves by whole
    // placements, so the result is the same).
    struct CandidatiVeloci {
        std::array<Insieme81, 10> dove;  // for digit d, the cells where Possibili(cell, d) is 50
        // NumeroCandidati of every cell as eight bit planes: bit p of a cell's
        // count is its bit in piani[p].  A whole set of cells counts one down
        // or up with a few word operations, and so does the search for the
        // cells of the smallest count.
        std::array<Insieme81, 8> piani;
        Insieme81 vuote;  // the cells where Griglia is 0
        // Some count has had a bit in the four high planes since the search began.
        bool alti;
        // One candidate fewer in every cell of s, or one more; a byte's wrap-around included.
        // Counts of up to 15 take the four low planes, which are always worked
        // through; the borrow or carry seldom goes further.
        void Diminuisci(Insieme81 s) {
            for (int p = 0; p < 4; ++p) {
                const Insieme81 prima = piani[p];
                piani[p] ^= s;
                s = s.Senza(prima);
            }
            for (int p = 4; p < 8 && !s.Vuoto(); ++p) {
                alti = true;
                const Insieme81 prima = piani[p];
                piani[p] ^= s;
                s = s.Senza(prima);
            }
        }
        void Aumenta(Insieme81 s) {
            for (int p = 0; p < 4; ++p) {
                const Insieme81 prima = piani[p];
                piani[p] ^= s;
                s = s & prima;
            }
            for (int p = 4; p < 8 && !s.Vuoto(); ++p) {
                alti = true;
                const Insieme81 prima = piani[p];
                piani[p] ^= s;
                s = s & prima;
            }
        }
    };
    CandidatiVeloci Veloci{};
    // For each level, the cells where its trial digit fell below 50, to raise it
    // back on the way up.
    std::array<Insieme81, kMaxLivelli + 1> PersiSalvati{};
    // For each level of a plain search, its trial digits (what Validi holds in
    // a narrated one) and how many there are.
public:
    struct CifreProva {
        std::array<char, 9> cifre;
        std::int8_t quante;
    };

private:
    std::array<CifreProva, kMaxLivelli + 1> ProveVeloci{};
    // Trial digits in place, levels 1..TentativiPiazzati.
    int TentativiPiazzati = 0;
    void IniziaVeloci();
    void PiazzaVeloce(int k);
    void TogliVeloce(int k);
    // The empty cell of the smallest count, the first in row-major order among
    // equals, as CellaMinima finds it on the plain search's own counts.
    int CellaMinimaVeloce(int& mr, int& mc) const;
    // Carries the trial digits in place into Possibili and NumeroCandidati.
    void RiportaTentativi();

public:
    // ---- end solver loop

private:
    // Lowers / raises one counter, keeping NumeroCandidati on the 50<->49 transitions.
    // Visits the cells of the row of (r, c), then of its column, then of its box
    // row by row: the cell itself three times, a box peer on its line twice.
    template <class F>
    void PerOgniPari(int r, int c, F&& f) {
        for (int i = 1; i <= 9; ++i) f(r, i);
        for (int i = 1; i <= 9; ++i) f(i, c);
        const int q = QuadratoCella[r][c][0];
        const int r0 = CelleQuadrato[0][q][1], c0 = CelleQuadrato[1][q][1];
        for (int rr = r0; rr <= r0 + 2; ++rr)
            for (int cc = c0; cc <= c0 + 2; ++cc) f(rr, cc);
    }
    void Abbassa(int r, int c, int d) {
        if (--Possibili[r][c][d] == 49) --NumeroCandidati[r][c];
    }
    void Alza(int r, int c, int d) {
        if (++Possibili[r][c][d] == 50) ++NumeroCandidati[r][c];
    }
    // The counters of d along the whole walk of (r, c) lowered (verso -1) or raised
    // (+1) in one go: each of the 21 distinct cells moves by the number of times
    // the walk visits it, and NumeroCandidati follows every counter that crosses
    // between 49 and 50, as one Abbassa or Alza per visit would leave them.  The
    // tables are read as flat bytes: cell r * 10 + c, counter (r * 10 + c) * 10 + d.
    void SpostaCifra(int r, int c, int d, int verso) {
        Byte* contatori = reinterpret_cast<Byte*>(Possibili.data()) + d;
        Byte* numeri = reinterpret_cast<Byte*>(NumeroCandidati.data());
        for (const VisitaPari& v : kPariDistinti[r * 10 + c]) {
            Byte& contatore = contatori[v.cella * 10];
            const int prima = contatore, dopo = prima + verso * v.volte;
            contatore = static_cast<Byte>(dopo);
            numeri[v.cella] = static_cast<Byte>(numeri[v.cella] + (dopo >= 50) - (prima >= 50));
        }
    }
};

// Whole number 0..255 from the leading digits of a text, as the undo strings store them.
Byte ValoreByte(const std::string& testo);


}  // namespace kenvaron
