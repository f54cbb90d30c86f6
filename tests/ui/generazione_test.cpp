// The main window's generation buttons offscreen: the seeded run without
// wall-clock limits gives the pinned puzzle whatever the elapsed clock does,
// draws it on the board and leaves the default pointer; Esc pressed in a
// yield stops the run with the board as it was.
#include <gtest/gtest.h>

#include <string>

#include "tests/core/BancoGenerazione.h"
#include "ui/Form1.h"
#include "ui/Tabellone.h"

namespace kenvaron {
namespace {

constexpr const char* kSchema79583 =
    "000000400029100006074920000000590080180000054090068000000059260600002570002000000";

class FinestraGenerazioneTest : public ::testing::Test {
protected:
    FinestraGenerazioneTest() {
        f.FineProgramma = [] {};
        f.Show();
        f.motore().orologio = &orologio;
    }
    ~FinestraGenerazioneTest() override { f.motore().orologio = &OrologioDiSistema::Istanza(); }

    std::string Tavola() {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + f.condiviso().Problema[r][c]);
        return s;
    }

    // The elapsed face jumps an hour at every reading; the seconds and the day stand still.
    verifica::OrologioACatti orologio{3600.0, 79583.9, 46038.0};
    Form1 f;
};

TEST_F(FinestraGenerazioneTest, TheSeededRunWithoutLimitsGivesThePinnedPuzzleOnTheBoard) {
    ASSERT_EQ(f.stato.livelli.Livello, "N");
    ASSERT_TRUE(f.Command7SenzaLimiti());
    EXPECT_EQ(f.stato.generazione.SemeCorrente, "79583|38");
    EXPECT_EQ(Tavola(), kSchema79583);
    EXPECT_EQ(f.stato.generazione.ModoInterrogativo, 0);
    EXPECT_EQ(f.MousePointer(), 0);
    EXPECT_EQ(f.gr.TextMatrix(IndiceGriglia(1), IndiceGriglia(7)), "4");
    EXPECT_EQ(f.gr.TextMatrix(IndiceGriglia(1), IndiceGriglia(1)), "");
    ASSERT_TRUE(f.Command7SenzaLimiti());
    EXPECT_EQ(f.stato.generazione.SemeCorrente, "79583|39");
}

TEST_F(FinestraGenerazioneTest, EscInAYieldStopsTheRunAndKeepsTheBoard) {
    f.condiviso().Problema[5][5] = 7;
    f.stato.generazione.GenerazioneInCorso = true;
    // Esc while the generation runs sets the stop request the passes poll.
    f.KeyTyped(27);
    EXPECT_EQ(f.stato.generazione.Chiudi, 1);
    f.Command1_Click();
    EXPECT_EQ(f.condiviso().Problema[5][5], 7);
    EXPECT_EQ(f.MousePointer(), 0);
    f.stato.generazione.GenerazioneInCorso = false;
}

TEST_F(FinestraGenerazioneTest, TheHiddenBoxesAreTheSettingsTheGeneratorReads) {
    f.txtLiv.SetText("1");
    f.TxtMin.SetText("900");
    f.ChkSimm.SetValue(plat::vbUnchecked);
    f.stato.generazione.Chiudi = 1;
    f.Command5_Click();
    EXPECT_EQ(f.stato.impostazioni.TestoLiv, "1");
    EXPECT_EQ(f.stato.impostazioni.TestoMin, "900");
    EXPECT_FALSE(f.stato.impostazioni.Simmetrico);
}

}  // namespace
}  // namespace kenvaron
