// The passes that thin a puzzle: remove a group of givens and keep the
// removal while the engine still solves the puzzle without trial.  The
// ordinary levels go once through the board in reading order; the levels
// without techniques search depth-first, within a budget of calls, for the
// deepest chain of removals; the advanced supersymmetric level rates every
// single removal first and removes the best rated groups first.
#include <algorithm>
#include <cmath>

#include "generation/Generatore.h"
#include "generation/Nuovo.h"

namespace kenvaron {

void Generatore::CmdTogliSemplici_Click() {
    if (livelli_.Livello != "3" && !imp_.SuperSimmetrico) {
        TogliSempliciOrdine();
    } else if (livelli_.CodiciTecniche == " ") {
        gen_.ContaChiamate = 0;
        gen_.ProfonditaMigliore = 0;
        gen_.SchemaProfondo = stato_.Problema;
        TogliSempliciRicorsivo(0);
        stato_.Problema = gen_.SchemaProfondo;
    } else {
        TogliSempliciValuta();
    }
    finestra_.Puntatore(0);
}

void Generatore::TogliSempliciOrdine() {
    finestra_.Puntatore(11);
    Tabella& problema = stato_.Problema;
    m_.SenzaTentativi = true;
    for (int b = 1; b <= imp_.LimiteRigaRimozione && gen_.Chiudi != 1; ++b) {
        for (int a = 1; a <= imp_.LimiteColonnaRimozione; ++a) {
            if (gen_.Chiudi == 1) break;
            if (problema[b][a] == 0) continue;
            const Gruppo g = GruppoDi(b, a);
            // What the cells held goes back when the removal fails.
            const Tabella prima = problema;
            Scrivi(problema, g, nullptr);
            m_.contaCellePiene();
            Risolvi(1);
            if (m_.ProfonditaMax >= 2) Scrivi(problema, g, &prima);
        }
    }
    // Every way out, a stop included, gives trials back to the solver.
    m_.SenzaTentativi = false;
    finestra_.Puntatore(0);
    if (!gen_.ProvaCronometrata && !gen_.GenerazioneInCorso) {
        finestra_.Disegna(problema);
        finestra_.Ridisegna();
    }
}

void Generatore::TogliSempliciRicorsivo(Byte profondita) {
    finestra_.Puntatore(11);
    Tabella& problema = stato_.Problema;
    // The deeper state is recorded even once the budget is spent.
    if (profondita > gen_.ProfonditaMigliore) {
        gen_.SchemaProfondo = problema;
        gen_.ProfonditaMigliore = profondita;
    }
    if (gen_.ContaChiamate > 50) return;
    ++gen_.ContaChiamate;
    m_.contaCellePiene();
    if (gen_.ContaChiamate % 5 == 0) {
        finestra_.Cedi();
        finestra_.Disegna(problema);
        finestra_.Ridisegna();
    }
    finestra_.TestoPannello("p2", TestoInCorso(static_cast<long>(std::floor(Adesso() - gen_.InizioGenerazione))));
    if (gen_.Chiudi == 1) return;
    for (int b = 1; b <= 5; ++b) {
        for (int a = 1; a <= 5; ++a) {
            if (gen_.Chiudi == 1) return;
            if (problema[b][a] == 0) continue;
            const Gruppo g = GruppoDi(b, a);
            const Tabella prima = problema;
            Scrivi(problema, g, nullptr);
            m_.NumCellePiene -= g.n;
            finestra_.Disegna(problema);
            finestra_.Ridisegna(true);
            Risolvi(1);
            if (m_.ProfonditaMax == 1) TogliSempliciRicorsivo(static_cast<Byte>(profondita + 1));
            Scrivi(problema, g, &prima);
            m_.NumCellePiene += g.n;
        }
    }
}

Generatore::Gruppo Generatore::TogliEDisegna(int b, int a, Tabella& prima) {
    Tabella& problema = stato_.Problema;
    const Gruppo g = GruppoDi(b, a);
    prima = problema;
    Scrivi(problema, g, nullptr);
    finestra_.Disegna(problema);
    finestra_.Ridisegna();
    Risolvi(1);
    return g;
}

void Generatore::TogliSempliciValuta() {
    finestra_.Puntatore(11);
    Tabella& problema = stato_.Problema;
    std::array<Byte, 82> righe{}, colonne{};
    std::array<std::int32_t, 82> valori{};
    int conta = 0;
    m_.contaCellePiene();
    finestra_.Disegna(problema);
    finestra_.Ridisegna();
    // Rating: the merit of every removal that logic alone still solves.
    for (int b = 1; b <= imp_.LimiteRigaRimozione; ++b) {
        for (int a = 1; a <= imp_.LimiteColonnaRimozione; ++a) {
            if (gen_.Chiudi == 1) return finestra_.Puntatore(0);
            if (problema[b][a] == 0) continue;
            Tabella prima;
            const Gruppo g = TogliEDisegna(b, a, prima);
            if (m_.ProfonditaMax == 1 && conta < 81) {
                ++conta;
                righe[conta] = static_cast<Byte>(b);
                colonne[conta] = static_cast<Byte>(a);
                valori[conta] = m_.Valore;
            }
            Scrivi(problema, g, &prima);
        }
    }
    finestra_.Disegna(problema);
    finestra_.Ridisegna();
    // Highest merit first; records of equal merit keep their reading order.
    OrdinaGnomo(
        conta, [&](int i, int j) { return valori[i] >= valori[j]; },
        [&](int i, int j) {
            std::swap(righe[i], righe[j]);
            std::swap(colonne[i], colonne[j]);
            std::swap(valori[i], valori[j]);
        });
    m_.contaCellePiene();
    for (int k = 1; k <= conta; ++k) {
        if (gen_.Chiudi == 1) break;
        const int b = righe[k], a = colonne[k];
        if (problema[b][a] == 0) continue;
        Tabella prima;
        const Gruppo g = TogliEDisegna(b, a, prima);
        if (m_.ProfonditaMax >= 2) Scrivi(problema, g, &prima);
    }
    finestra_.Puntatore(0);
}

}  // namespace kenvaron
