// Lowering a level: one pass tries the givens in turn and keeps the first try
// whose puzzle still has one solution.  The givens are shuffled, then, by the
// generation difficulty, ordered by how many empty cells a single still
// solves once each is gone (most first for an easy puzzle, fewest first for a
// hard one).
//
// A try places the other listed givens in list order, each with its partners,
// and places nothing more once the tried given has come back as the last
// partner an entry placed.  Under central symmetry a try therefore keeps the
// given it tries (unless it is the lone centre, nobody's partner) and leaves
// out every pair whose two entries both come after its partner's entry, and
// the centre too when its entry comes after that one: one pass may take
// several pairs out at once, the lone centre together with them, or the
// centre alone.  Under the four-fold symmetries an entry places up to three
// partners, and a try stops placing only once the tried given is an entry's
// last partner; placed as an earlier one, it is kept and placing goes on.
// The coded collections and the seeded puzzles rest on this order of placing.
#include <algorithm>
#include <utility>

#include "generation/Generatore.h"

namespace kenvaron {

void Generatore::TrasferisciSoluz(int n, int k, const std::array<Byte, 82>& righe,
                                  const std::array<Byte, 82>& colonne, int escluso) {
    const Tabella& problema = stato_.Problema;
    // The partner most recently placed in this call; none at first.
    int pr = -1, pc = -1;
    const bool kValido = k >= 1 && k <= n;
    for (int i = 1; i <= n; ++i) {
        if (i == k || i == escluso) continue;
        if (kValido && righe[k] == pr && colonne[k] == pc) continue;
        const int r = righe[i], c = colonne[i];
        Piazza(r, c, problema[r][c]);
        if (!imp_.Simmetrico) continue;
        auto partner = [&](int rr, int cc) {
            pr = rr;
            pc = cc;
            Piazza(rr, cc, problema[rr][cc]);
        };
        if (!(r == 5 && c == 5)) partner(10 - r, 10 - c);
        if (imp_.SuperSimmetrico && NO456(imp_, r) && NO456(imp_, c)) {
            if (c != 5) partner(r, 10 - c);
            if (r != 5) partner(10 - r, c);
        }
    }
}

ListaDate DateMischiate(Motore& motore, const Tabella& t) {
    ListaDate l;
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j)
            if (t[i][j] != 0) {
                ++l.n;
                l.righe[l.n] = static_cast<Byte>(i);
                l.colonne[l.n] = static_cast<Byte>(j);
            }
    for (int volta = 0; volta < 200; ++volta) {
        const int a = static_cast<int>(motore.GeneraCasuale(l.n));
        const int b = static_cast<int>(motore.GeneraCasuale(l.n));
        if (l.n > 0) l.Scambia(a, b);
    }
    return l;
}

void ListaDate::Scambia(int a, int b) {
    std::swap(righe[a], righe[b]);
    std::swap(colonne[a], colonne[b]);
    std::swap(pesi[a], pesi[b]);
}

void Generatore::AbbassaLivello() {
    Tabella& problema = stato_.Problema;
    ListaDate lista = DateMischiate(m_, problema);
    auto& righe = lista.righe;
    auto& colonne = lista.colonne;
    auto& pesi = lista.pesi;
    const int n = lista.n;
    auto scambia = [&](int a, int b) { lista.Scambia(a, b); };
    // The order draw is taken whatever the difficulty, so the sequence is the same.
    int x = static_cast<int>(m_.GeneraCasuale(3));
    switch (imp_.IndiceCmbf) {
        case 0: x = 2; break;
        case 1: x = 1; break;
        case 2: x = 3; break;
        default: break;
    }
    if (x > 1) {
        for (int k = 1; k <= n; ++k) {
            finestra_.Cedi();
            if (gen_.Chiudi == 1) return;
            m_.Inizializza();
            TrasferisciSoluz(n, k, righe, colonne, 0);
            Motore::SalvaTabella(problema, m_.Griglia);
            Scrivi(m_.Griglia, GruppoDi(righe[k], colonne[k]), nullptr);
            int singoli = 0;
            for (int i = 1; i <= 9; ++i)
                for (int j = 1; j <= 9; ++j)
                    if (m_.Griglia[i][j] == 0 &&
                        m_.CercaSoluzioniBelle(static_cast<Byte>(i), static_cast<Byte>(j), false,
                                               static_cast<Byte>(n), m_.Soluzione[i][j]))
                        ++singoli;
            pesi[k] = static_cast<Byte>(singoli);
        }
        // Gnome sort; equal weights keep the shuffled order.
        auto inOrdine = [&](int a, int b) { return x == 2 ? pesi[a] >= pesi[b] : pesi[a] <= pesi[b]; };
        OrdinaGnomo(n, inOrdine, scambia);
    }
    for (int k = 1; k <= n; ++k) {
        m_.Inizializza();
        TrasferisciSoluz(n, k, righe, colonne, 0);
        ContaSoluzioni();
        if (m_.ContaSoluz == 1) {
            Motore::SalvaTabella(m_.Griglia, problema);
            return;
        }
    }
}

}  // namespace kenvaron
