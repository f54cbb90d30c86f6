// XY-wings, XYZ-wings and forcing chains from a cell and from a unit, called
// directly on boards built from struck candidates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Motore.h"

namespace kenvaron {
namespace {

class CateneTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    Motore m{stato, orologio};
    const std::string rientro = Motore::IncrementaIndice(1);

    // Leaves only the digits of `cifre` as candidates of (r, c).
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d) {
            if (cifre.find(static_cast<char>('0' + d)) != std::string::npos) continue;
            Togli(r, c, d);
        }
    }
    void Togli(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.AggiornaColori(0);
    }
    void Metti(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.Aggiorna(0);
    }
    void Ali(const std::string& modo) {
        m.TrovatoAvanzato = false;
        m.CtrlXYwings(modo, rientro, 1);
    }
    void CateneUnita() {
        m.TrovatoAvanzato = false;
        m.CtrlXYwingsMult("O", rientro, 1);
    }
    std::vector<std::string> Testi() const {
        std::vector<std::string> testi;
        for (int i = 1; i <= m.NumPassi; ++i) testi.push_back(m.LogPassi[i].Testo);
        return testi;
    }
    // The XY-wing of the examples: {3,5} at (2,2), {3,8} at (2,7), {5,8} at (5,2).
    void XYWing() {
        Lascia(2, 2, "35");
        Lascia(2, 7, "38");
        Lascia(5, 2, "58");
    }
    // Digit 1 in row 1 only at (1,1) and (1,9); both branches end by forcing 7 into (4,9).
    void CatenaRiga1() {
        for (int c = 2; c <= 8; ++c) Togli(1, c, 1);
        Lascia(4, 1, "14");
        Lascia(6, 9, "14");
        Lascia(4, 9, "47");
    }
    // Digit 3 in row 5 only at (5,4) and (5,6).
    void Riga5Cifra3() {
        for (int c : {1, 2, 3, 5, 7, 8, 9}) Togli(5, c, 3);
    }
};

void ControllaRecordCatena(const Passo& p, const std::string& tipo) {
    EXPECT_EQ(p.Profondita, 1);
    EXPECT_EQ(p.Riga, 0);
    EXPECT_EQ(p.Colonna, 0);
    EXPECT_EQ(p.Cifra, "0");
    EXPECT_EQ(p.Ripristino, "");
    EXPECT_EQ(p.Tipo, tipo);
    EXPECT_EQ(p.Codice, "");
    EXPECT_EQ(p.Dimensione, 4);
}

TEST_F(CateneTest, XYWingNarratesBothBranchesAndEliminatesTheCommonPeer) {
    XYWing();
    for (bool modoRisolvi : {true, false}) {  // one pass, then measuring and narrating
        m.NumPassi = 0;
        m.ModoRisolvi = modoRisolvi;
        Ali("W");
        ASSERT_EQ(m.NumPassi, 1) << modoRisolvi;
        const Passo& p = m.LogPassi[1];
        EXPECT_EQ(p.Testo, rientro + "se 3 in 2,2 allora 8 in 2,7  se invece 5 in 2,2 allora 8 in 5,2");
        EXPECT_EQ(p.Celle, "5,7,8|/2,7,8|2,2,3|5,2,8|2,2,5|");
        ControllaRecordCatena(p, "W");
        EXPECT_EQ(m.CelleGruppo, "578");
        EXPECT_TRUE(m.TrovatoAvanzato);
    }
    // The search only hands the list over: no candidate changes.
    EXPECT_EQ(m.Possibili[5][7][8], 50);
}

TEST_F(CateneTest, XYZWingNamesThePivotDigitAndBothTargets) {
    Lascia(2, 2, "358");
    Lascia(2, 7, "38");
    Lascia(1, 3, "58");
    Ali("W");
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo,
              rientro + "il 8 può andare in 2,2 o se 3 in 2,2 allora 8 in 2,7  se invece 5 in 2,2 allora 8 in 1,3");
    EXPECT_EQ(m.LogPassi[1].Celle, "2,1,8|2,3,8|/2,7,8|2,2,3|1,3,8|2,2,5|");
    EXPECT_EQ(m.CelleGruppo, "218238");
    EXPECT_TRUE(m.TrovatoAvanzato);
}

TEST_F(CateneTest, NakedPairFormOfTheWing) {
    Lascia(2, 2, "35");
    Lascia(2, 7, "35");
    Ali("W");
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "in 2,7 e 2,2 possibili solo  35");
    // Only the digit of the last common removal (3) is reported, not the 5s.
    EXPECT_EQ(m.LogPassi[1].Celle, "2,1,3|2,3,3|2,4,3|2,5,3|2,6,3|2,8,3|2,9,3|/2,2,3|2,7,3|2,2,5|");
    EXPECT_EQ(m.CelleGruppo, "213233243253263283293");
}

TEST_F(CateneTest, ChainFromACellTellsEachLinkThenTheConclusion) {
    XYWing();
    Ali("O");
    ASSERT_EQ(m.NumPassi, 3);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "Se 5 in cella 2,2 allora 8 in cella 5,2");
    EXPECT_EQ(m.LogPassi[1].Celle, "5,7,8|/2,2,5|5,2,8|xxx");
    EXPECT_EQ(m.LogPassi[2].Testo, rientro + "Se 3 in cella 2,2 allora 8 in cella 2,7");
    EXPECT_EQ(m.LogPassi[2].Celle, "5,7,8|/5,2,8|W,W,W|2,2,3|2,7,8|xxx");
    EXPECT_EQ(m.LogPassi[3].Testo, rientro + "Ne consegue che o 8 in cella 2,7   o 8 in cella 5,2   ");
    EXPECT_EQ(m.LogPassi[3].Celle, "5,7,8|/2,7,8|5,2,8|");
    for (int i = 1; i <= 3; ++i) ControllaRecordCatena(m.LogPassi[i], "O");
    EXPECT_EQ(m.CelleGruppo, "578");
    EXPECT_EQ(m.ListaCambi, "5,7,8|/2,7,8|5,2,8|");
    EXPECT_TRUE(m.TrovatoAvanzato);

    // Outside analysis mode a text equal to the last logged one is written all the same.
    m.NumPassi = 1;
    Ali("O");
    ASSERT_EQ(m.NumPassi, 4);
    EXPECT_EQ(m.LogPassi[2].Testo, m.LogPassi[1].Testo);
}

// The wing at (2,2) has a third bivalue peer, (1,1), that its first branch also
// forces; the wing at (7,4) comes later but its branches are shorter.
TEST_F(CateneTest, AUsersSolveTellsTheFirstWingGenerationTheShortest) {
    XYWing();
    Lascia(1, 1, "39");
    Lascia(7, 4, "12");
    Lascia(7, 8, "16");
    Lascia(9, 4, "26");
    m.ModoRisolvi = true;
    Ali("W");
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.CelleGruppo, "578");

    m.NumPassi = 0;
    m.ModoRisolvi = false;
    Ali("W");
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "se 1 in 7,4 allora 6 in 7,8  se invece 2 in 7,4 allora 6 in 9,4");
    EXPECT_EQ(m.LogPassi[1].Celle, "7,5,6|7,6,6|9,7,6|9,8,6|9,9,6|/7,8,6|7,4,1|9,4,6|7,4,2|");
    EXPECT_EQ(m.CelleGruppo, "756766976986996");
}

// A loop of four bivalue cells: the start's branches meet only two links deep.
TEST_F(CateneTest, WingsStopAtTheStartNodesConsequencesChainsGoOn) {
    Lascia(1, 1, "12");
    Lascia(1, 5, "13");
    Lascia(5, 5, "34");
    Lascia(5, 1, "24");
    Ali("W");
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_FALSE(m.TrovatoAvanzato);

    Ali("O");
    const std::vector<std::string> attesi = {
        rientro + "Se 2 in cella 1,1 allora 4 in cella 5,1",
        rientro + "4 in cella 5,1 comporta 3 in cella 5,5",
        rientro + "3 in cella 5,5 comporta 1 in cella 1,5",
        rientro + "Ne consegue che o 1 in cella 1,1   o 1 in cella 1,5   ",
    };
    EXPECT_EQ(Testi(), attesi);
    EXPECT_EQ(m.LogPassi[3].Celle, "1,2,1|1,3,1|1,4,1|1,6,1|1,7,1|1,8,1|1,9,1|/1,1,2|5,1,4|5,5,3|1,5,1|xxx");
    EXPECT_EQ(m.CelleGruppo, "121131141161171181191");
    EXPECT_TRUE(m.TrovatoAvanzato);

    // Analysis tells each of the four starts once, though each finding takes seven
    // cells: three links and a conclusion apiece.
    m.NumPassi = 0;
    m.Analisi = true;
    Ali("O");
    EXPECT_EQ(m.NumPassi, 16);
    int conclusioni = 0;
    for (const std::string& testo : Testi())
        if (testo.find("Ne consegue") != std::string::npos) ++conclusioni;
    EXPECT_EQ(conclusioni, 4);
    EXPECT_FALSE(m.TrovatoAvanzato);
}

// The pivot (5,5) comes after the wing (2,5) in row order but has the shorter branches.
TEST_F(CateneTest, TwoPassesNarrateTheShortestStartOnePassTheFirst) {
    Lascia(5, 5, "35");
    Lascia(2, 5, "38");
    Lascia(5, 2, "58");
    Ali("O");
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "Se 5 in cella 5,5 allora 8 in cella 5,2");
    EXPECT_EQ(m.CelleGruppo, "228");

    m.NumPassi = 0;
    stato.TecnicheAvanzate[1] = 1;  // extended chains search in one pass
    Ali("O");
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "Se 3 in cella 2,5 allora 5 in cella 5,5");
    EXPECT_EQ(m.LogPassi[m.NumPassi].Testo, rientro + "Ne consegue che o 8 in cella 5,2   o 8 in cella 2,5   ");
}

// (9,9) holds 2, 5 and 7: only the extended search lets it propagate.
TEST_F(CateneTest, ExtendedChainsFollowLargerCellsAndNoteWhatWasRuledOut) {
    Lascia(1, 1, "12");
    Lascia(1, 9, "17");
    Lascia(5, 9, "27");
    Lascia(9, 9, "257");
    Lascia(1, 5, "25");
    stato.TecnicheAvanzate[1] = 1;
    Ali("O");
    const std::vector<std::string> attesi = {
        rientro + "Se 2 in cella 1,1 allora 5 in cella 1,5",
        rientro + "Se 1 in cella 1,1 allora 7 in cella 1,9",
        rientro + "7 in cella 1,9 comporta 2 in cella 5,9",
        rientro + "2 in cella 5,9 comporta 5 in cella 9,9 (7 elim. da tecnica avanzata)",
        rientro + "Ne consegue che o 5 in cella 9,9   o 5 in cella 1,5   ",
    };
    EXPECT_EQ(Testi(), attesi);
    EXPECT_EQ(m.LogPassi[4].Celle, "9,5,5|/1,5,5|W,W,W|1,1,1|1,9,7|5,9,2|9,9,5|xxx");
    EXPECT_EQ(m.LogPassi[5].Celle, "9,5,5|/9,9,5|1,5,5|");
    EXPECT_EQ(m.CelleGruppo, "955");

    // Without it (9,9) stays open and no sentence carries the note.
    m.NumPassi = 0;
    stato.TecnicheAvanzate[1] = 0;
    Ali("O");
    ASSERT_GE(m.NumPassi, 1);
    for (const std::string& testo : Testi()) EXPECT_EQ(testo.find("elim. da tecnica avanzata"), std::string::npos);
}

TEST_F(CateneTest, AnalysisNarratesEveryStartAndHandsNothingOver) {
    XYWing();
    m.Analisi = true;
    Ali("O");
    int conclusioni = 0;
    for (int i = 1; i <= m.NumPassi; ++i) {
        if (m.LogPassi[i].Testo.find("Ne consegue") != std::string::npos) ++conclusioni;
        if (i > 1) {
            EXPECT_NE(m.LogPassi[i].Testo, m.LogPassi[i - 1].Testo);
        }
    }
    EXPECT_EQ(conclusioni, 3);  // from (2,2), (2,7) and (5,2) alike
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.CelleGruppo, "578");

    // A record equal to the last logged text is skipped.
    m.NumPassi = 1;
    m.LogPassi[1].Testo = rientro + "Se 5 in cella 2,2 allora 8 in cella 5,2";
    Ali("O");
    EXPECT_EQ(m.LogPassi[2].Testo, rientro + "Se 3 in cella 2,2 allora 8 in cella 2,7");
    EXPECT_FALSE(m.TrovatoAvanzato);

    // As wings only the pivot (2,2) reaches (5,7).
    m.NumPassi = 0;
    Ali("W");
    EXPECT_EQ(m.NumPassi, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
}

TEST_F(CateneTest, UnitChainWithoutLinksNamesTheRow) {
    Riga5Cifra3();
    CateneUnita();
    ASSERT_EQ(m.NumPassi, 1);
    const Passo& p = m.LogPassi[1];
    EXPECT_EQ(p.Testo, rientro + "Nella riga 5 o 3 in cella 5,4   o 3 in cella 5,6   ");
    EXPECT_EQ(p.Celle, "4,4,3|4,5,3|4,6,3|6,4,3|6,5,3|6,6,3|/5,4,3|5,6,3|");
    ControllaRecordCatena(p, "I");
    EXPECT_EQ(m.CelleGruppo, "443453463643653663");
    EXPECT_TRUE(m.TrovatoAvanzato);

    // Analysis reports the box cells once and hands nothing over.
    m.NumPassi = 0;
    m.Analisi = true;
    CateneUnita();
    EXPECT_EQ(m.NumPassi, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
}

TEST_F(CateneTest, UnitChainLinksOpenWithTheUnitAndMeetInOneCell) {
    CatenaRiga1();
    CateneUnita();
    const std::vector<std::string> attesi = {
        rientro + "In riga 1: 1 possibile solo in due celle, Se 1 in cella 1,9 allora 4 in cella 6,9",
        rientro + "4 in cella 6,9 comporta 7 in cella 4,9",
        rientro + "In riga 1: 1 possibile solo in due celle, Se 1 in cella 1,1 allora 4 in cella 4,1",
        rientro + "4 in cella 4,1 comporta 7 in cella 4,9",
        rientro + "Ne consegue che 7 è l'unico possibile per  cella 4,9   ",
    };
    EXPECT_EQ(Testi(), attesi);
    for (int i = 1; i <= m.NumPassi; ++i) ControllaRecordCatena(m.LogPassi[i], "I");
    const std::string esclusioni =
        "2,9,7|3,9,7|4,2,7|4,3,7|4,4,7|4,5,7|4,6,7|4,7,7|4,8,7|5,7,7|5,8,7|5,9,7|6,7,7|6,8,7|7,9,7|8,9,7|9,9,7|/";
    EXPECT_EQ(m.LogPassi[5].Celle, esclusioni + "4,9,7|");
    EXPECT_EQ(m.LogPassi[4].Celle, esclusioni + "4,9,7|W,W,W|1,1,1|4,1,4|4,9,7|xxx");
    EXPECT_TRUE(m.TrovatoAvanzato);
}

// Units are taken by number first, then row, column, box: box 4 comes before row 5.
TEST_F(CateneTest, UnitStartsOfEqualLengthTellTheEarlierOne) {
    Riga5Cifra3();
    for (int r : {4, 6})
        for (int c : {2, 3}) Togli(r, c, 3);  // 3 in box 4 only at (4,1) and (6,1)
    CateneUnita();
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "Nel quadrato 4 o 3 in cella 4,1   o 3 in cella 6,1   ");
    EXPECT_EQ(m.CelleGruppo, "113213313713813913");
}

// The chain of digit 1 in row 1 comes first; the start from row 5 is shorter.
TEST_F(CateneTest, UnitChainsTwoPassesTellTheShortestOnePassTheFirst) {
    CatenaRiga1();
    Riga5Cifra3();
    CateneUnita();
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, rientro + "Nella riga 5 o 3 in cella 5,4   o 3 in cella 5,6   ");

    m.NumPassi = 0;
    stato.TecnicheAvanzate[1] = 1;
    CateneUnita();
    ASSERT_EQ(m.NumPassi, 5);
    EXPECT_EQ(m.LogPassi[5].Testo, rientro + "Ne consegue che 7 è l'unico possibile per  cella 4,9   ");
    EXPECT_TRUE(m.TrovatoAvanzato);
}

TEST_F(CateneTest, NothingToStartFromLeavesNoRecord) {
    // No cell with two or three candidates, no unit with two places of a digit.
    Lascia(3, 3, "1234");
    Metti(7, 7, 9);
    for (const char* modo : {"W", "O"}) {
        Ali(modo);
        EXPECT_EQ(m.NumPassi, 0) << modo;
        EXPECT_FALSE(m.TrovatoAvanzato);
    }
    CateneUnita();
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_FALSE(m.TrovatoAvanzato);
}

TEST(FrasiCatene, SentenceBuilders) {
    // Three wings through one three-candidate pivot: three clauses and no " invece".
    EXPECT_EQ(Motore::FraseXYWings0("9,9,8|/2,7,8|2,2,3|1,3,8|2,2,5|5,2,8|2,2,7|"),
              "se 3 in 2,2 allora 8 in 2,7  se 5 in 2,2 allora 8 in 1,3  se 7 in 2,2 allora 8 in 5,2");
    EXPECT_EQ(Motore::FraseXYWings("4,1,2", "4,7,6", 1, "C1"),
              "In colonna 1: 2 possibile solo in due celle, Se 2 in cella 4,1 allora 6 in cella 4,7");
    EXPECT_EQ(Motore::FraseXYWings("4,1,2", "4,7,6", 1, "Q4"),
              "In quadrato 4: 2 possibile solo in due celle, Se 2 in cella 4,1 allora 6 in cella 4,7");
    EXPECT_EQ(Motore::FraseXYWings("4,1,2", "4,7,6", 3, "R4"), "2 in cella 4,1 comporta 6 in cella 4,7");
    EXPECT_EQ(Motore::FraseTAV("2579", "5,1,2", "9,9,5"), "(79 elim. da tecnica avanzata)");
    // Malformed lists make a sentence without crashing.
    EXPECT_NO_THROW(Motore::FraseXYWings0(""));
    EXPECT_NO_THROW(Motore::FraseXYWings("", "1", 1, "R"));
}

}  // namespace
}  // namespace kenvaron
