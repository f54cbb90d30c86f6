// The harder and easier variants and the two experiments on seeded generator
// puzzles, checked with the independent solver: symmetry, uniqueness, every
// remaining pair needed, the partners put back without the symmetry switch,
// the time limit on an injected clock, and repeatable draws.
#include <gtest/gtest.h>

#include <tuple>

#include "generation/Varianti.h"
#include "tests/core/BancoGenerazione.h"

namespace kenvaron {
namespace {

using verifica::BancoGenerazione;

bool Simmetrico(const Tabella& t) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if ((t[r][c] != 0) != (t[10 - r][10 - c] != 0)) return false;
    return true;
}

int Soluzioni(const Tabella& t) { return verifica::ContaSoluzioni(verifica::DaTesto(BancoGenerazione::Testo(t)), 2); }

class VariantiTest : public ::testing::Test {
protected:
    VariantiTest() {
        schema = banco.Genera(4242, 7);
        banco.m.Risolvi(1);  // the solution the passes put back from
        soluzione = banco.m.Soluzione;
    }
    Varianti Nuove() {
        return Varianti(banco.m, banco.stato, banco.gen, banco.finestra, banco.generatore);
    }
    // The puzzle, solution and generator state a pass starts from.
    struct Partenza {
        Tabella problema, soluzione;
        Casuale casuale;
    };
    Partenza Ora() const { return {banco.stato.Problema, banco.m.Soluzione, banco.m.casuale}; }
    // Runs the pass again from `da`: the same draws must give the same puzzle.
    void StessoRisultato(const Partenza& da, void (Varianti::*passo)(), bool simmetrico = true) {
        const Tabella atteso = banco.stato.Problema;
        banco.stato.Problema = da.problema;
        banco.m.Soluzione = da.soluzione;
        banco.m.casuale = da.casuale;
        Varianti v = Nuove();
        v.Simmetrico = simmetrico;
        (v.*passo)();
        EXPECT_EQ(banco.stato.Problema, atteso);
    }
    BancoGenerazione banco;
    std::string schema;
    Tabella soluzione{};
};

TEST_F(VariantiTest, ComplicaKeepsSymmetryAndEndsWithoutTrialRepeatably) {
    ASSERT_TRUE(Simmetrico(banco.stato.Problema));
    const Partenza inizio = Ora();
    Varianti v = Nuove();
    v.CmdComplica_Click();
    const Tabella primo = banco.stato.Problema;
    EXPECT_TRUE(Simmetrico(primo));
    EXPECT_EQ(Soluzioni(primo), 1);
    banco.m.Risolvi(1);
    EXPECT_LE(banco.m.ProfonditaMax, 1);
    EXPECT_EQ(banco.finestra.puntatore, 0);
    StessoRisultato(inizio, &Varianti::CmdComplica_Click);
}

TEST_F(VariantiTest, ComplicaOnAnEmptyBoardRemovesNothingAndStillSimplifies) {
    banco.stato.Problema = Tabella{};
    Nuove().CmdComplica_Click();
    const Tabella& p = banco.stato.Problema;
    EXPECT_TRUE(Simmetrico(p));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (p[r][c] != 0) {
                EXPECT_EQ(p[r][c], soluzione[r][c]);
            }
}

TEST_F(VariantiTest, RiduciKeepsOneSolutionAndEveryPairIsNeeded) {
    // Put back a few pairs so that there is something to reduce.
    for (const auto& [r, c] : {std::pair{1, 1}, {2, 3}, {4, 7}})
        for (const auto& [i, j] : {std::pair{r, c}, {10 - r, 10 - c}}) banco.stato.Problema[i][j] = soluzione[i][j];
    const int prima = BancoGenerazione::Piene(banco.stato.Problema);
    Nuove().Riduci1();
    const Tabella& p = banco.stato.Problema;
    EXPECT_LT(BancoGenerazione::Piene(p), prima);
    EXPECT_TRUE(Simmetrico(p));
    EXPECT_EQ(Soluzioni(p), 1);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (p[r][c] == 0) continue;
            EXPECT_EQ(p[r][c], soluzione[r][c]);
            Tabella senza = p;
            senza[r][c] = senza[10 - r][10 - c] = 0;
            EXPECT_EQ(Soluzioni(senza), 2) << r << c;
        }
    EXPECT_TRUE(banco.m.SoluzioneLogica);
}

TEST_F(VariantiTest, RiduciNeverCorruptsAnUnsolvableOrStaleBoard) {
    banco.m.Soluzione = Tabella{};  // stale: nothing to put back from
    Tabella& p = banco.stato.Problema;
    p[1][1] = p[1][2] = 5;  // contradictory
    Nuove().Riduci1();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) EXPECT_LE(p[r][c], 9);
}

TEST_F(VariantiTest, SemplificaNuovoAddsPartnersWithoutTheSwitch) {
    // A puzzle that needs a trial: thin the generator's puzzle with Riduci first.
    Varianti v = Nuove();
    v.Riduci1();
    const Tabella prima = banco.stato.Problema;
    banco.m.Risolvi(1);
    banco.m.Soluzione = soluzione;
    v.Simmetrico = false;
    v.SemplificaNuovo();
    const Tabella& p = banco.stato.Problema;
    ASSERT_GT(banco.m.NumCelleMin, 0);
    EXPECT_GT(BancoGenerazione::Piene(p), BancoGenerazione::Piene(prima));
    EXPECT_TRUE(Simmetrico(p));
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (prima[r][c] != 0) {
                EXPECT_EQ(p[r][c], prima[r][c]);
            } else if (p[r][c] != 0) {
                EXPECT_EQ(p[r][c], soluzione[r][c]);
            }
    EXPECT_EQ(Soluzioni(p), 1);
    EXPECT_FALSE(banco.m.RegistraCelleMin);
}

TEST_F(VariantiTest, EasingAddsOnePairAndLowersTheDepth) {
    std::int32_t soloStalli = 0;
    for (const bool conEliminanti : {false, true}) {
        SCOPED_TRACE(conEliminanti ? "Semplifica1" : "Semplifica2");
        BancoGenerazione::Carica(banco.stato.Problema, schema);
        Varianti v = Nuove();
        v.Riduci1();
        const Tabella prima = banco.stato.Problema;
        banco.m.Risolvi(1);
        const Byte profondita = banco.m.ProfonditaMax;
        ASSERT_GT(profondita, 1);
        banco.m.Soluzione = soluzione;
        if (conEliminanti)
            v.Semplifica1();
        else
            v.Semplifica2();
        const Tabella& p = banco.stato.Problema;
        EXPECT_EQ(BancoGenerazione::Piene(p), BancoGenerazione::Piene(prima) + 2);
        EXPECT_TRUE(Simmetrico(p));
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (p[r][c] != 0) {
                    EXPECT_EQ(p[r][c], soluzione[r][c]);
                }
        EXPECT_GT(banco.gen.MaxValore, 0);
        EXPECT_EQ(banco.gen.MigliorValore, banco.gen.MaxValore);
        // The eliminating cells come on top of the stall cells: never a lower best.
        if (conEliminanti) {
            EXPECT_GE(banco.gen.MaxValore, soloStalli);
        }
        soloStalli = banco.gen.MaxValore;
        banco.m.Risolvi(1);
        EXPECT_LT(banco.m.ProfonditaMax, profondita);
        EXPECT_EQ(banco.finestra.puntatore, 0);
    }
}

TEST_F(VariantiTest, Semplifica1StoppedBeforeAStallCellRestoresPointerAndTrials) {
    Varianti v = Nuove();
    v.Riduci1();
    const Tabella prima = banco.stato.Problema;
    banco.gen.Chiudi = 1;
    banco.m.SenzaTentativi = false;
    v.Semplifica1();
    EXPECT_EQ(banco.stato.Problema, prima);
    EXPECT_EQ(banco.finestra.puntatore, 0);
    EXPECT_FALSE(banco.m.SenzaTentativi);
    EXPECT_FALSE(banco.m.RegistraCelleMin);
}

TEST_F(VariantiTest, Semplifica0AddsAtMostOneSolvedDigitAndSemplifica5RatesThePuzzleAsGiven) {
    Varianti v = Nuove();
    v.Riduci1();
    const Tabella prima = banco.stato.Problema;
    // Semplifica5 leaves the solve and the rating of the puzzle it was given.
    banco.m.Risolvi(1);
    banco.generatore.ValutaFinericerca();
    const auto misure = [&] {
        return std::tuple{banco.m.ContaSoluz, banco.m.NumPassi, banco.m.ProfonditaMax, banco.m.Valore};
    };
    const auto attese = misure();
    banco.m.Valore = -1;
    v.Semplifica5();
    EXPECT_EQ(banco.stato.Problema, prima);
    EXPECT_EQ(misure(), attese);
    v.Semplifica0();
    const Tabella& p = banco.stato.Problema;
    int aggiunte = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (prima[r][c] != 0) {
                EXPECT_EQ(p[r][c], prima[r][c]);
            }
            if (p[r][c] != prima[r][c]) {
                ++aggiunte;
                EXPECT_EQ(p[r][c], soluzione[r][c]);
            }
        }
    EXPECT_EQ(aggiunte, 1);
    EXPECT_EQ(Soluzioni(p), 1);
}

TEST_F(VariantiTest, NewPassesSurviveEmptyContradictoryAndStaleBoards) {
    using Passo = void (Varianti::*)();
    for (const Passo passo : {&Varianti::Semplifica1, &Varianti::Semplifica0, &Varianti::Semplifica5,
                              &Varianti::cmdComplica2_Click}) {
        for (const bool vuota : {true, false}) {
            SCOPED_TRACE(vuota ? "empty" : "contradictory");
            Tabella& p = banco.stato.Problema;
            p = Tabella{};
            banco.m.Soluzione = Tabella{};  // stale: nothing to put back from
            if (!vuota) p[1][1] = p[1][2] = 5;
            banco.m.SenzaTentativi = false;
            // The climb stops at its first yield.
            banco.gen.Chiudi = 0;
            banco.finestra.escAllaCessione = banco.finestra.cessioni + 1;
            Varianti v = Nuove();
            (v.*passo)();
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) EXPECT_LE(p[r][c], 9);
            EXPECT_EQ(banco.finestra.puntatore, 0);
            EXPECT_FALSE(banco.m.SenzaTentativi);
        }
    }
}

TEST_F(VariantiTest, Complica2EndsWithItsStartPuzzlePastTheTimeLimit) {
    // Every reading of the clock moves it 200 s: the first attempt is already late.
    verifica::OrologioACatti tardi(200, 0, 0);
    banco.m.orologio = &tardi;
    const Tabella prima = banco.stato.Problema;
    const int cessioni = banco.finestra.cessioni;
    Nuove().cmdComplica2_Click();
    EXPECT_EQ(banco.stato.Problema, prima);
    EXPECT_EQ(banco.finestra.cessioni, cessioni);
    banco.m.orologio = &banco.orologio;
}

TEST_F(VariantiTest, Complica2EndsAfterTenFruitlessAttemptsRepeatably) {
    // The generator puzzle gets harder only so far; the climb ends on its own.
    const Partenza inizio = Ora();
    Varianti v = Nuove();
    v.cmdComplica2_Click();
    const Tabella primo = banco.stato.Problema;
    EXPECT_TRUE(Simmetrico(primo));
    EXPECT_EQ(Soluzioni(primo), 1);
    EXPECT_EQ(banco.finestra.etichetta.substr(0, 4), "10\r\n");
    EXPECT_EQ(banco.finestra.puntatore, 0);
    StessoRisultato(inizio, &Varianti::cmdComplica2_Click);
}

TEST_F(VariantiTest, ModoNuovoEndsSymmetricWithTheRandomGridAsItsFirstSolution) {
    Varianti v = Nuove();
    v.ModoNuovo_Click();
    const Tabella& p = banco.stato.Problema;
    const Tabella griglia = banco.m.Soluzione;
    EXPECT_TRUE(Simmetrico(p));
    EXPECT_EQ(Soluzioni(griglia), 1);  // a full, valid grid
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (p[r][c] != 0) {
                EXPECT_EQ(p[r][c], griglia[r][c]);
            }
    banco.m.SoluzioneLogica = false;
    banco.m.Risolvi(2);
    EXPECT_EQ(banco.m.Griglia, griglia);
    EXPECT_EQ(banco.finestra.puntatore, 0);
}

TEST_F(VariantiTest, ModoRandomKeepsAShallowTryOrEndsEmptyRepeatably) {
    const Partenza inizio = Ora();
    Varianti v = Nuove();
    v.Simmetrico = false;  // the experiment puts partners back regardless
    v.ModoRandom_Click();
    const Tabella primo = banco.stato.Problema;
    const auto& d = banco.finestra.didascalie;
    ASSERT_EQ(d.size(), 10u);
    EXPECT_EQ(d.front(), "1 -1");
    EXPECT_EQ(d.back(), "91 " + std::to_string(banco.gen.MaxValore));
    if (banco.gen.MaxValore == -1) {
        EXPECT_EQ(primo, Tabella{});
    } else {
        EXPECT_TRUE(Simmetrico(primo));
        EXPECT_GT(BancoGenerazione::Piene(primo), 0);
        banco.m.Risolvi(1);
        EXPECT_LT(banco.m.ProfonditaMax, 6);
        EXPECT_EQ(banco.m.Valore, banco.gen.MaxValore);
    }
    StessoRisultato(inizio, &Varianti::ModoRandom_Click, false);
}

TEST_F(VariantiTest, ComplicaGenWithNoBestCellChangesNothing) {
    // No givens at all: no removal to try.  Then a puzzle that singles solve
    // after any removal: no try lowers the depth, and the board shows the
    // puzzle, not the last removal tried.
    Tabella quasiPiena = soluzione;
    for (const auto& [r, c] : {std::pair{1, 1}, {2, 3}, {5, 5}}) quasiPiena[r][c] = quasiPiena[10 - r][10 - c] = 0;
    for (const Tabella& inizio : {Tabella{}, quasiPiena}) {
        banco.stato.Problema = inizio;
        banco.gen.MaxValore = 5;
        Varianti v = Nuove();
        v.CmdComplicaGen_Click();
        EXPECT_EQ(banco.stato.Problema, inizio);
        EXPECT_EQ(v.SoloValutazione, 0);
        EXPECT_EQ(banco.gen.MaxValore, 0);
        ASSERT_FALSE(banco.finestra.disegnate.empty());
        EXPECT_EQ(banco.finestra.disegnate.back(), inizio);
        EXPECT_EQ(banco.finestra.puntatore, 0);
    }
}

}  // namespace
}  // namespace kenvaron
