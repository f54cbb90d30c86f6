// The harder and easier variants on seeded generator puzzles, checked with the
// independent solver: symmetry, uniqueness, every remaining pair needed, the
// partners put back without the symmetry switch, and repeatable draws.
#include <gtest/gtest.h>

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
        return Varianti(banco.m, banco.stato, banco.gen, banco.finestra,
                        [this] { banco.generatore.CmdSemplifica_Click(); });
    }
    BancoGenerazione banco;
    std::string schema;
    Tabella soluzione{};
};

TEST_F(VariantiTest, ComplicaKeepsSymmetryAndEndsWithoutTrialRepeatably) {
    ASSERT_TRUE(Simmetrico(banco.stato.Problema));
    const Casuale inizio = banco.m.casuale;
    Varianti v = Nuove();
    v.CmdComplica_Click();
    const Tabella primo = banco.stato.Problema;
    EXPECT_TRUE(Simmetrico(primo));
    EXPECT_EQ(Soluzioni(primo), 1);
    banco.m.Risolvi(1);
    EXPECT_LE(banco.m.ProfonditaMax, 1);
    EXPECT_EQ(banco.finestra.puntatore, 0);

    // The same seed gives the same puzzle.
    BancoGenerazione::Carica(banco.stato.Problema, schema);
    banco.m.Soluzione = soluzione;
    banco.m.casuale = inizio;
    Nuove().CmdComplica_Click();
    EXPECT_EQ(banco.stato.Problema, primo);
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

TEST_F(VariantiTest, Semplifica2AddsOnePairAndLowersTheDepth) {
    Varianti v = Nuove();
    v.Riduci1();
    const Tabella prima = banco.stato.Problema;
    banco.m.Risolvi(1);
    const Byte profondita = banco.m.ProfonditaMax;
    ASSERT_GT(profondita, 1);
    banco.m.Soluzione = soluzione;
    v.Semplifica2();
    const Tabella& p = banco.stato.Problema;
    EXPECT_EQ(BancoGenerazione::Piene(p), BancoGenerazione::Piene(prima) + 2);
    EXPECT_TRUE(Simmetrico(p));
    EXPECT_GT(banco.gen.MaxValore, 0);
    EXPECT_EQ(banco.gen.MigliorValore, banco.gen.MaxValore);
    banco.m.Risolvi(1);
    EXPECT_LT(banco.m.ProfonditaMax, profondita);
    EXPECT_EQ(banco.finestra.puntatore, 0);
}

TEST_F(VariantiTest, ComplicaGenWithNoBestCellChangesNothing) {
    // No givens at all: no removal to try.
    banco.stato.Problema = Tabella{};
    Varianti v = Nuove();
    v.CmdComplicaGen_Click();
    EXPECT_EQ(banco.stato.Problema, Tabella{});
    EXPECT_EQ(v.SoloValutazione, 0);
    EXPECT_EQ(banco.gen.MaxValore, 0);
}

}  // namespace
}  // namespace kenvaron
