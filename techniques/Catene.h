// Branch propagation shared by the wing and forcing-chain searches.
//
// A start (a cell, or the two places of a digit in a unit) opens one branch per
// assumption.  Each branch works a breadth-first queue of chain nodes: a node
// says that its digit stands in its cell, removes that digit from the cell's
// row, column and box, and every cell left with a single candidate becomes a
// new node forced by it.  The tables record, per (cell, digit), how many
// branches removed it and which node did so in each branch; a (cell, digit)
// removed in every branch is false whatever the start holds.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string>

#include "engine/Motore.h"

namespace kenvaron::catene {

// A chain node: this digit stands in this cell in this branch.  `padre` is the
// queue index of the node whose working forced it, 0 for the branch's start node.
struct Nodo {
    Byte riga = 0;
    Byte colonna = 0;
    Byte cifra = 0;
    Byte padre = 0;
};

constexpr int kMaxNodi = 81;  // a cell enters a branch's queue at most once
constexpr int kMaxRami = 3;   // three-candidate start cells of the wings

using InsiemeCifre = std::uint16_t;  // bit d set = digit d
using TabellaMaschere = std::array<std::array<InsiemeCifre, 10>, 10>;
using TabellaConteggi = std::array<std::array<std::array<Byte, 10>, 10>, 10>;

inline InsiemeCifre Bit(int d) { return static_cast<InsiemeCifre>(1u << d); }

// "r,c,d": a node as the change lists and the sentences write it.
std::string TestoNodo(const Nodo& nodo);
// The digits of a mask, ascending, one character each.
std::string TestoCandidati(InsiemeCifre candidati);

struct Rami {
    // Built once per call: the candidates (counter exactly 50) of every empty cell.
    TabellaMaschere CandidatiCella{};
    std::array<std::array<Byte, 10>, 10> NumCandidatiCella{};

    // Per start: in how many branches each (cell, digit) was removed, and by which
    // node (queue index) in each branch, 0 = not removed.
    TabellaConteggi ContaEsclusioni{};
    std::array<TabellaConteggi, kMaxRami> CauseEsclusione{};
    // Digit of the last (cell, digit) removed in every branch; 0 = none.
    Byte CifraComune = 0;
    // Every digit that some (cell, digit) removed in every branch had.
    InsiemeCifre CifreComuni = 0;

    // Per branch: the queue (indices 1..count) and how many of its nodes were worked,
    // which is the length of the branch's path.
    std::array<std::array<Nodo, kMaxNodi + 1>, kMaxRami> CodaNodi{};
    std::array<int, kMaxRami> NodiLavorati{};
    TabellaMaschere CandidatiRamo{};
    // The same candidates by digit: the cells whose mask holds digit d, in the
    // start's table and in the branch's.
    std::array<Insieme81, 10> DoveCella{};
    std::array<Insieme81, 10> DoveRamo{};

    void Prepara(const Motore& m);
    void NuovaPartenza();

    // Runs branch `ramo` (0-based) of a start with `rami` branches from the start
    // node `partenza`, whose cell holds `candidatiPartenza` in this branch.  Only
    // cells with 2..`limite` candidates propagate.  `soloPrimoLivello`: the branch
    // ends at the first node forced by a node other than the start node (wings).
    // `saltaPartenza`: the start cell is left out of every scan (chains from a unit).
    // `cifraNodi`: when not 0, a forced cell becomes a node only with this digit.
    void Propaga(int ramo, int rami, const Nodo& partenza, InsiemeCifre candidatiPartenza, int limite,
                 bool soloPrimoLivello, bool saltaPartenza, int cifraNodi = 0);

    // Length of a branch's path as the searches measure it: six characters a node.
    int Lunghezza(int ramo) const { return 6 * NodiLavorati[ramo]; }

    // Measuring pass: true when the longer of the first two branches is shorter than
    // `migliore`, which then takes that length; equal lengths keep the earlier start.
    bool PiuCorta(int& migliore) const {
        const int lunghezza = Lunghezza(0) > Lunghezza(1) ? Lunghezza(0) : Lunghezza(1);
        if (lunghezza >= migliore) return false;
        migliore = lunghezza;
        return true;
    }

    // The node of branch `ramo` that removed digit d from (r, c).
    const Nodo& Rimotore(int ramo, int r, int c, int d) const {
        return CodaNodi[ramo][CauseEsclusione[ramo][r][c][d]];
    }

    bool StesseCause(int r1, int c1, int r2, int c2, int d) const {
        for (int k = 0; k < kMaxRami; ++k)
            if (CauseEsclusione[k][r1][c1][d] != CauseEsclusione[k][r2][c2][d]) return false;
        return true;
    }

    // Calls visita(node) for the chain of branch `ramo` from node index `indice` back
    // to its start node.  Parents always stand earlier in the queue, so the walk ends.
    template <class Visita>
    void PercorriCatena(int ramo, int indice, Visita&& visita) const {
        for (int i = indice; i >= 1 && i <= kMaxNodi;) {
            const Nodo& nodo = CodaNodi[ramo][i];
            visita(nodo);
            if (nodo.padre == 0 || nodo.padre >= i) break;
            i = nodo.padre;
        }
    }

    // True when some digit da..a was removed from a cell in every branch.
    bool Comune(int da, int a) const {
        const unsigned maschera = (2u << a) - (1u << da);
        return da >= 1 && (CifreComuni & maschera) != 0;
    }

    // Judges the start: scans the cells row-major, and in each the digits da..a, for
    // those lost in all `rami` branches and, for each, gathers every cell removed by
    // the same nodes into CelleGruppo and the eliminations list, then calls
    // narra(eliminations, row, column, digit), which says whether its final record was
    // written.  Outside analysis mode the first narrated finding is handed to the
    // solver (TrovatoAvanzato) and true is returned.
    template <class Narra>
    bool Concludi(Motore& m, int rami, int primaCifra, int ultimaCifra, Narra&& narra) {
        for (int a = 1; a <= 9; ++a)
            for (int b = 1; b <= 9; ++b)
                for (int d = primaCifra; d <= ultimaCifra; ++d)
                    if (ContaEsclusioni[a][b][d] == rami && Giudica(m, a, b, d, narra)) return true;
        return false;
    }

private:
    // One candidate finding of Concludi: (a, b) lost d in every branch.
    template <class Narra>
    bool Giudica(Motore& m, int a, int b, int d, Narra& narra) {
        std::string esclusioni;
        m.CelleGruppo.clear();
        for (int a2 = 1; a2 <= 9; ++a2) {
            for (int b2 = 1; b2 <= 9; ++b2) {
                if (!StesseCause(a, b, a2, b2, d)) continue;
                const char terna[3] = {static_cast<char>('0' + a2), static_cast<char>('0' + b2),
                                       static_cast<char>('0' + d)};
                esclusioni += TestoNodo(Nodo{static_cast<Byte>(a2), static_cast<Byte>(b2), static_cast<Byte>(d), 0});
                esclusioni += '|';
                m.CelleGruppo.append(terna, 3);
                // Analysis reports every finding once: these cells open no other.
                if (m.Analisi) ContaEsclusioni[a2][b2][d] = 0;
            }
        }
        esclusioni += '/';
        const bool scritto = narra(esclusioni, a, b, d);
        if (!m.Analisi && scritto) {
            m.TrovatoAvanzato = true;
            return true;
        }
        m.TrovatoAvanzato = false;
        return false;
    }
};

// Appends a record of a chain search (row 0, column 0, digit "0", size 4); in
// analysis mode a text equal to the last logged one is skipped.  True when written.
bool ScriviPasso(Motore& m, int livello, const std::string& testo, const std::string& celle,
                 const std::string& tipo);

// Link records and conclusion of a two-branch chain finding whose first eliminated
// cell is (a, b) for digit d.  `unita` is empty for a chain from a cell, or the start
// unit ("R5", "C3", "Q4").  True when the conclusion record was written.
bool NarraCatene(Motore& m, const Rami& rami, const std::string& esclusioni, int a, int b, int d,
                 const std::string& rientro, int livello, const std::string& tipo,
                 const std::string& unita, bool esteso);

}  // namespace kenvaron::catene
