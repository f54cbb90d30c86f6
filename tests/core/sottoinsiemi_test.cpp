// Naked and hidden subset searches and the fish search, on candidates struck by hand.
#include <gtest/gtest.h>

#include <string>

#include "engine/Motore.h"
#include "tests/core/candidati_a_mano.h"

namespace kenvaron {
namespace {

class RicercaTest : public CandidatiAMano {
protected:
    // Runs one driver call as the solver does: TrovatoGruppo cleared first.
    template <class Cerca>
    bool Trova(Cerca&& cerca) {
        m.TrovatoGruppo = false;
        cerca();
        return m.TrovatoGruppo;
    }
    bool TrovaPesce(bool righe, int d, int kmin, int kmax) {
        m.TrovatoGruppo = false;
        if (righe)
            m.CtrlSwordFishR(static_cast<Byte>(d), static_cast<std::int16_t>(kmin),
                             static_cast<std::int16_t>(kmax));
        else
            m.CtrlSwordFishC(static_cast<Byte>(d), static_cast<std::int16_t>(kmin),
                             static_cast<std::int16_t>(kmax));
        return m.TrovatoGruppo;
    }
    void Riempi(Motore::ListeApplicate& lista, int u, const std::string& testo) {
        for (int s = 1; s <= Motore::kSlotApplicati; ++s) lista[u][s] = testo;
    }
};

TEST_F(RicercaTest, NakedPairInRowAndBoxNotInColumn) {
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "12");
    EXPECT_EQ(m.NumeriGruppo, "12");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiQ(1); }));
    EXPECT_EQ(m.CelleGruppo, "12");
    EXPECT_EQ(m.NumeriGruppo, "12");
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiC(1); }));
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(2); }));
}

TEST_F(RicercaTest, NakedPairsComeInPositionOrderAndKeysSkipThem) {
    Lascia(1, 3, "48");
    Lascia(1, 5, "48");
    Lascia(1, 2, "16");
    Lascia(1, 9, "16");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "29");
    EXPECT_EQ(m.NumeriGruppo, "16");

    m.GruppiApplicatiR[1][1] = "29|16";
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "35");
    EXPECT_EQ(m.NumeriGruppo, "48");

    // An undone subset ("E") is found again; a hidden key with "/" does not hide it.
    m.GruppiApplicatiR[1][1] = "E";
    m.GruppiApplicatiR[1][2] = "29/16";
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "29");

    // Fifty taken slots without the key: nothing more for this row.
    Riempi(m.GruppiApplicatiR, 1, "E");
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(1); }));
}

TEST_F(RicercaTest, NakedSizesFollowModeAndReasoningDepth) {
    for (int c = 1; c <= 5; ++c) Lascia(1, c, "12345");
    // Nine empty cells: the limit in a user's solve is 5.
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "12345");
    EXPECT_EQ(m.NumeriGruppo, "12345");
    m.LivelloRagionamento = 2;
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(1); }));
    m.LivelloRagionamento = 4;

    // Eight empty cells: limit 4 in a user's solve, all sizes below 8 otherwise.
    Metti(1, 9, 9);
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(1); }));
    m.ModoRisolvi = false;
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "12345");
}

TEST_F(RicercaTest, NakedSixAndSevenOnlyOutsideAUsersSolve) {
    for (int c = 1; c <= 6; ++c) Lascia(2, c, "123456");
    for (int c = 1; c <= 7; ++c) Lascia(3, c, "1234567");
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(2); }));
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(3); }));
    m.ModoRisolvi = false;
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(2); }));
    EXPECT_EQ(m.CelleGruppo, "123456");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(3); }));
    EXPECT_EQ(m.NumeriGruppo, "1234567");
    m.LivelloRagionamento = 3;
    EXPECT_TRUE(Trova([&] { m.CtrlGruppiR(3); }));
    m.LivelloRagionamento = 2;
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(3); }));
}

TEST_F(RicercaTest, NakedSubsetNeverCoversEveryEmptyCell) {
    // Row 1 keeps three empty cells, row 9 two.
    for (int c = 4; c <= 9; ++c) Metti(1, c, c);
    for (int c = 3; c <= 9; ++c) Metti(9, c, c - 2);
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_EQ(m.CelleGruppo, "12");
    m.ModoRisolvi = false;
    EXPECT_TRUE(Trova([&] { m.CtrlGruppiR(1); }));
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(9); }));
    m.ModoRisolvi = true;
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(9); }));
}

TEST_F(RicercaTest, NakedPairInBoxUsesBoxPositions) {
    Lascia(4, 4, "79");
    Lascia(5, 5, "79");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiQ(5); }));
    EXPECT_EQ(m.CelleGruppo, "15");
    EXPECT_EQ(m.NumeriGruppo, "79");
    EXPECT_EQ(m.ListaCelle("Q", 5, m.CelleGruppo), "(4,4) (5,5) ");
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiR(4); }));
}

TEST_F(RicercaTest, HiddenPairAndItsKey) {
    SoloInColonne(3, 1, "16");
    SoloInColonne(7, 1, "16");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiNumeriR(1); }));
    EXPECT_EQ(m.CelleGruppo, "16");
    EXPECT_EQ(m.NumeriGruppo, "37");
    m.GruppiApplicatiR[1][1] = "16|37";
    EXPECT_TRUE(Trova([&] { m.CtrlGruppiNumeriR(1); }));
    m.GruppiApplicatiR[1][2] = "16/37";
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiNumeriR(1); }));
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiNumeriC(1); }));
}

TEST_F(RicercaTest, HiddenSizesFollowEmptyCellsAndDepth) {
    // Digits 1..4 only in columns 1..4 of row 2: a hidden quadruple.
    for (int d = 1; d <= 4; ++d) SoloInColonne(d, 2, "1234");
    m.LivelloRagionamento = 2;
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiNumeriR(2); }));
    m.LivelloRagionamento = 3;
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiNumeriR(2); }));
    EXPECT_EQ(m.CelleGruppo, "1234");
    EXPECT_EQ(m.NumeriGruppo, "1234");

    // Digits 1, 2 only in columns 1, 2 of row 3, which keeps five empty cells: pairs only.
    for (int c = 5; c <= 8; ++c) Metti(3, c, c);
    SoloInColonne(1, 3, "12");
    SoloInColonne(2, 3, "12");
    ASSERT_TRUE(Trova([&] { m.CtrlGruppiNumeriR(3); }));
    EXPECT_EQ(m.CelleGruppo, "12");
    // Three empty cells: half of them rounds down to 1, so nothing is tried.
    Metti(3, 4, 4);
    Metti(3, 9, 9);
    EXPECT_FALSE(Trova([&] { m.CtrlGruppiNumeriR(3); }));
}

TEST_F(RicercaTest, XWingOnRowsAndItsKey) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "38");
    ASSERT_TRUE(TrovaPesce(true, 4, 2, 2));
    EXPECT_EQ(m.CelleGruppo, "26");
    EXPECT_EQ(m.NumeriGruppo, "38");
    EXPECT_FALSE(TrovaPesce(false, 4, 2, 5));
    EXPECT_FALSE(TrovaPesce(true, 5, 2, 5));

    m.SwordFishApplicatiR[4][1] = "26/38";
    EXPECT_FALSE(TrovaPesce(true, 4, 2, 5));
    m.SwordFishApplicatiR[4][1] = "E";
    EXPECT_TRUE(TrovaPesce(true, 4, 2, 5));
    Riempi(m.SwordFishApplicatiR, 4, "E");
    EXPECT_FALSE(TrovaPesce(true, 4, 2, 5));
}

TEST_F(RicercaTest, SwordfishOnColumnsNeedsItsSize) {
    SoloInColonne(7, 1, "14");
    SoloInColonne(7, 5, "47");
    SoloInColonne(7, 9, "17");
    EXPECT_FALSE(TrovaPesce(true, 7, 2, 2));
    ASSERT_TRUE(TrovaPesce(true, 7, 3, 3));
    EXPECT_EQ(m.CelleGruppo, "159");
    EXPECT_EQ(m.NumeriGruppo, "147");

    // The same shape with rows and columns exchanged.
    SoloInRighe(2, 1, "14");
    SoloInRighe(2, 5, "47");
    SoloInRighe(2, 9, "17");
    ASSERT_TRUE(TrovaPesce(false, 2, 2, 5));
    EXPECT_EQ(m.CelleGruppo, "159");
    EXPECT_EQ(m.NumeriGruppo, "147");
}

TEST_F(RicercaTest, BaseLinesCoveringTooManyLinesAreNoFish) {
    // Three rows over four columns: no fish of three; a fourth row closes a jellyfish.
    SoloInColonne(3, 1, "12");
    SoloInColonne(3, 5, "23");
    SoloInColonne(3, 9, "34");
    EXPECT_FALSE(TrovaPesce(true, 3, 2, 3));
    SoloInColonne(3, 7, "14");
    EXPECT_FALSE(TrovaPesce(true, 3, 2, 3));
    ASSERT_TRUE(TrovaPesce(true, 3, 2, 5));
    EXPECT_EQ(m.CelleGruppo, "1579");
    EXPECT_EQ(m.NumeriGruppo, "1234");
    // A row with one place is no base line.
    Cancella(1, 2, 3);
    EXPECT_FALSE(TrovaPesce(true, 3, 2, 4));
}

TEST_F(RicercaTest, FilledCellsAreNoPlaces) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "138");
    EXPECT_FALSE(TrovaPesce(true, 4, 2, 2));
    // Filling (6,1) with another digit leaves row 6 with the places 3 and 8.
    Metti(6, 1, 9);
    ASSERT_TRUE(TrovaPesce(true, 4, 2, 2));
    EXPECT_EQ(m.CelleGruppo, "26");
}

}  // namespace
}  // namespace kenvaron
