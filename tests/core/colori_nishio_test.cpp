// Colours, multi-colours and Nishio on boards built from struck candidates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Motore.h"
#include "tests/core/candidati_a_mano.h"

namespace kenvaron {
namespace {

class ColoriNishioTest : public CandidatiAMano {
protected:
    // Strikes digit d everywhere except in the listed cells (row*10 + column) of
    // the given rows and columns.
    void SoloIn(int d, const std::vector<int>& righe, const std::vector<int>& colonne,
                const std::vector<int>& tenute) {
        auto tenuta = [&](int r, int c) {
            for (int t : tenute)
                if (t == r * 10 + c) return true;
            return false;
        };
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                bool dentro = false;
                for (int x : righe) dentro = dentro || x == r;
                for (int x : colonne) dentro = dentro || x == c;
                if (dentro && !tenuta(r, c)) Cancella(r, c, d);
            }
    }
    // Digit 1 left only at (1,1), (1,5) in row 1, at (1,5), (5,5) in column 5
    // and at (5,1), (5,5) in row 5.
    void Esempio() { SoloIn(1, {1, 5}, {5}, {11, 15, 51, 55}); }

    std::vector<Passo> Registro() const {
        return std::vector<Passo>(m.LogPassi.begin() + 1, m.LogPassi.begin() + 1 + m.NumPassi);
    }
    int Conta(const std::string& testo) const {
        int n = 0;
        for (int i = 1; i <= m.NumPassi; ++i)
            if (m.LogPassi[i].Testo.find(testo) != std::string::npos) ++n;
        return n;
    }
};

const std::string kRientro = "    ";

// ---- Colours ------------------------------------------------------------------

TEST_F(ColoriNishioTest, ColourExampleNarratesBothScenariosAndLeavesTheEliminations) {
    Esempio();
    const TabellaCandidati prima = m.Possibili;
    m.ModoRisolvi = true;  // two passes: R1, C5 and R5 all measure 2, R1 comes first
    m.CtrlColori(2, kRientro, 1);

    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.CelleGruppo, "211311411611711811911");
    EXPECT_EQ(m.Possibili, prima) << "the search itself strikes nothing";
    const std::vector<std::pair<std::string, std::string>> attesi = {
        {"1 in 1,1 è una delle due possibilità per  la riga 1", "/1,1,1|X,X,X|yyy"},
        {"Verrebbe escluso dalle celle 1,5, 5,1,  ", "/1,1,1|X,X,X|1,5,1|5,1,1|yyy"},
        {"1 in 5,5 sarebbe l' unico possibile per  la riga 5", "/1,1,1|5,5,1|X,X,X|1,5,1|5,1,1|yyy"},
        {"1 in 1,5 è l'altra possibilità per  la riga 1", "/W,W,W|1,5,1|X,X,X|yyy"},
        {"Verrebbe escluso dalle celle 1,1, 5,5,  ", "/W,W,W|1,5,1|X,X,X|1,1,1|5,5,1|yyy"},
        {"1 in 5,1 sarebbe l' unico possibile per  la riga 5",
         "/W,W,W|1,5,1|5,1,1|X,X,X|1,1,1|5,5,1|yyy"},
        {"Ne consegue che 1 o è nel gruppo verde o è nel gruppo azzurro",
         "2,1,1|3,1,1|4,1,1|6,1,1|7,1,1|8,1,1|9,1,1|/1,1,1|5,5,1|W,W,W|1,5,1|5,1,1|"},
    };
    const auto registro = Registro();
    ASSERT_EQ(registro.size(), attesi.size());
    for (std::size_t i = 0; i < attesi.size(); ++i) {
        const Passo& p = registro[i];
        EXPECT_EQ(p.Testo, kRientro + attesi[i].first) << i;
        EXPECT_EQ(p.Celle, attesi[i].second) << i;
        EXPECT_EQ(p.Tipo, "M");
        EXPECT_EQ(p.Codice, "");
        EXPECT_EQ(p.Dimensione, 4);
        EXPECT_EQ(p.Profondita, 1);
        EXPECT_EQ(p.Riga, 0);
        EXPECT_EQ(p.Colonna, 0);
        EXPECT_EQ(p.Cifra, "0");
        EXPECT_EQ(p.Ripristino, "");
    }
    EXPECT_EQ(Conta("Ne consegue"), 1);
    EXPECT_EQ(Conta("viola"), 0);
}

TEST_F(ColoriNishioTest, ColourVioletCellIsPlacedInBothScenarios) {
    // Row 1: (1,1), (1,5); row 7: (7,1), (7,6); box 8: (7,6), (9,5).  Both
    // scenarios of row 1 force 1 into (7,6).
    SoloIn(1, {1, 7}, {}, {11, 15, 71, 76});
    for (int r = 7; r <= 9; ++r)
        for (int c = 4; c <= 6; ++c)
            if (r * 10 + c != 76 && r * 10 + c != 95) Cancella(r, c, 1);
    for (bool dueScansioni : {true, false}) {
        m.NumPassi = 0;
        m.ModoRisolvi = dueScansioni;
        m.TrovatoAvanzato = false;
        m.CtrlColori(2, kRientro, 1);
        ASSERT_TRUE(m.TrovatoAvanzato);
        EXPECT_EQ(m.CelleGruppo, "261361461561661711951");
        const Passo& fine = m.LogPassi[m.NumPassi];
        EXPECT_EQ(fine.Testo, kRientro + "Ne consegue che 1 o è nel gruppo verdeviola o è nel gruppo azzurroviola");
        EXPECT_EQ(fine.Celle,
                  "2,6,1|3,6,1|4,6,1|5,6,1|6,6,1|7,1,1|9,5,1|/1,1,1|7,6,1|W,W,W|1,5,1|7,6,1|M,M,M|7,6,1|");
        // The second scenario reaches (7,6) through box 8.
        EXPECT_EQ(Conta("1 in 7,6 sarebbe l' unico possibile per  il quadrato 8"), 1);
        EXPECT_EQ(Conta("1 in 7,6 sarebbe l' unico possibile per  la riga 7"), 1);
    }
}

TEST_F(ColoriNishioTest, ColourTwoPassesPreferTheEarlierOfEqualStartUnits) {
    // Row 5 holds 1 only at (5,1), (5,2), which are also box 4's only places;
    // row 8 only at (8,1), (8,2).  Q4, R5 and R8 all measure 2 and Q4 comes first.
    SoloIn(1, {5, 8}, {}, {51, 52, 81, 82});
    for (int r : {4, 6})
        for (int c = 1; c <= 3; ++c) Cancella(r, c, 1);
    m.ModoRisolvi = true;
    m.CtrlColori(2, kRientro, 1);
    ASSERT_TRUE(m.TrovatoAvanzato);
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, kRientro + "1 in 5,1 è una delle due possibilità per  il quadrato 4");
    EXPECT_EQ(m.LogPassi[1].Celle, "/5,1,1|X,X,X|yyy");
    EXPECT_EQ(Conta("Ne consegue"), 1);

    // One pass narrates the first start unit with eliminations, in the same order.
    m.NumPassi = 0;
    m.ModoRisolvi = false;
    m.CtrlColori(2, kRientro, 1);
    EXPECT_EQ(m.LogPassi[1].Testo, kRientro + "1 in 5,1 è una delle due possibilità per  il quadrato 4");
}

TEST_F(ColoriNishioTest, ColourAnalysisNarratesEveryStartUnitAndHandsNothingOver) {
    Esempio();
    const TabellaCandidati prima = m.Possibili;
    m.ModoRisolvi = true;
    m.Analisi = true;
    m.CtrlColori(2, Motore::IncrementaIndice(2), 2);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.Possibili, prima);
    // R1, C5 and R5 each give a conclusion, in start-unit order.
    EXPECT_EQ(Conta("Ne consegue"), 3);
    EXPECT_EQ(m.LogPassi[1].Testo, "       1 in 1,1 è una delle due possibilità per  la riga 1");
    EXPECT_EQ(Conta("1 in 1,5 è una delle due possibilità per  la colonna 5"), 1);
    EXPECT_EQ(Conta("1 in 5,1 è una delle due possibilità per  la riga 5"), 1);
    EXPECT_EQ(m.LogPassi[1].Profondita, 2);
}

TEST_F(ColoriNishioTest, ColourExtendedSwitchListsEveryExcludedPeerInOnePass) {
    Esempio();
    stato.TecnicheAvanzate[2] = 1;
    m.ModoRisolvi = true;
    m.CtrlColori(2, kRientro, 1);
    ASSERT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.LogPassi[2].Testo,
              kRientro + "Verrebbe escluso dalle celle 1,5, 2,1, 3,1, 4,1, 5,1, 6,1, 7,1, 8,1, 9,1, "
                         "2,2, 2,3, 3,2, 3,3,  ");
    EXPECT_EQ(m.CelleGruppo, "211311411611711811911");
}

TEST_F(ColoriNishioTest, ColourExtendedByteOtherThanOneOnlyTurnsOffTheMeasuringPass) {
    // Digit 1 runs round the loop (1,1)-(1,5)-(5,5)-(5,9)-(9,9)-(9,1): from R1
    // each scenario chains three cells, every loop cell is placed in one
    // scenario and struck in the other, and column 1 loses it.  Digit 2 is the
    // example pattern, whose chains have two cells.
    SoloIn(1, {1, 5, 9}, {5, 9}, {11, 15, 55, 59, 99, 91});
    SoloIn(2, {1, 5}, {5}, {11, 15, 51, 55});
    m.ModoRisolvi = true;
    m.CtrlColori(2, kRientro, 1);
    ASSERT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.LogPassi[1].Testo, kRientro + "2 in 1,1 è una delle due possibilità per  la riga 1");

    // Any value but 0 makes one pass; only 1 widens the chains and the lists.
    m.NumPassi = 0;
    stato.TecnicheAvanzate[2] = 2;
    m.CtrlColori(2, kRientro, 1);
    ASSERT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.CelleGruppo, "211311411611711811");
    ASSERT_EQ(m.NumPassi, 11);
    EXPECT_EQ(m.LogPassi[1].Testo, kRientro + "1 in 1,1 è una delle due possibilità per  la riga 1");
    EXPECT_EQ(m.LogPassi[2].Testo, kRientro + "Verrebbe escluso dalle celle 1,5, 9,1,  ");
    EXPECT_EQ(m.LogPassi[3].Testo, kRientro + "1 in 9,9 sarebbe l' unico possibile per  la riga 9");
    EXPECT_EQ(m.LogPassi[11].Celle,
              "2,1,1|3,1,1|4,1,1|6,1,1|7,1,1|8,1,1|/1,1,1|9,9,1|5,5,1|W,W,W|1,5,1|5,9,1|9,1,1|");
}

TEST_F(ColoriNishioTest, ColourWithoutTwoPlaceUnitsFindsNothing) {
    m.ModoRisolvi = true;
    m.CtrlColori(2, kRientro, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.NumPassi, 0);
    // Out-of-range place counts are refused rather than overrunning the scenario tables.
    Esempio();
    m.CtrlColori(4, kRientro, 1);
    m.CtrlColori(0, kRientro, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.NumPassi, 0);
}

TEST_F(ColoriNishioTest, NishioUserSolveStrikesTheFirstContradictingCell) {
    Esempio();
    const TabellaCandidati prima = m.Possibili;
    const Tabella numeri = m.NumeroCandidati;
    m.ModoRisolvi = true;
    m.PilaLivelli[1].ListaRipristino = "E9,9,9|";
    m.CtrlNishio(1, 1);

    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "L2,1,1|E9,9,9|");
    EXPECT_EQ(m.ListaCambi, "2,1,1|");
    EXPECT_EQ(m.PilaLivelli[0].Riga, 2);
    EXPECT_EQ(m.PilaLivelli[0].Colonna, 1);
    EXPECT_EQ(m.PilaLivelli[0].Cifra, 1);
    // Only the struck candidate changed; every trial placement was taken back.
    TabellaCandidati atteso = prima;
    atteso[2][1][1] = 49;
    EXPECT_EQ(m.Possibili, atteso);
    EXPECT_EQ(m.NumeroCandidati[2][1], numeri[2][1] - 1);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) EXPECT_EQ(m.Griglia[r][c], 0);

    const std::string persi1 =
        "2,2,1|2,3,1|2,4,1|2,6,1|2,7,1|2,8,1|2,9,1|1,1,1|3,1,1|4,1,1|5,1,1|6,1,1|7,1,1|8,1,1|9,1,1|3,2,1|3,3,1|";
    const std::string persi2 = "5,5,1|3,4,1|3,6,1|";
    struct Atteso {
        std::string testo, celle, tipo, codice;
    };
    // The failed trials of (1,1) and (1,5) left nothing in the log.
    const std::vector<Atteso> attesi = {
        {"Vuota", "COL/2,1,1|", "", ""},
        {kRientro + "1 in 2,1 porta a una contraddizione poichè: ", "COL/2,1,1|X,X,X|", "C", ""},
        {kRientro + "verrebbe escluso dalle celle 2,2  2,3  2,4  2,6  2,7  2,8  2,9  1,1  3,1  4,1  5,1  "
                    "6,1  7,1  8,1  9,1  3,2  3,3      ",
         "COL/2,1,1|X,X,X|X,X,X|" + persi1, "C", ""},
        {kRientro + "1 in 1,5 sarebbe unico poss. per riga 1", "COL/2,1,1|1,5,1|X,X,X|" + persi1, "C", ""},
        {kRientro + "verrebbe escluso dalle celle 5,5  3,4  3,6      ",
         "COL/2,1,1|1,5,1|X,X,X|" + persi1 + "X,X,X|" + persi1 + persi2, "C", ""},
        {kRientro + "1 non  sarebbe  poss. per riga 5",
         "2,1,1|/2,1,1|1,5,1|X,X,X|" + persi1 + persi2 + "CLL", "C", "R"},
    };
    const auto registro = Registro();
    ASSERT_EQ(registro.size(), attesi.size());
    for (std::size_t i = 0; i < attesi.size(); ++i) {
        EXPECT_EQ(registro[i].Testo, attesi[i].testo) << i;
        EXPECT_EQ(registro[i].Celle, attesi[i].celle) << i;
        EXPECT_EQ(registro[i].Tipo, attesi[i].tipo) << i;
        EXPECT_EQ(registro[i].Codice, attesi[i].codice) << i;
        EXPECT_EQ(registro[i].Profondita, 1);
        EXPECT_EQ(registro[i].Cifra, "0");
        EXPECT_EQ(registro[i].Dimensione, 0);
    }
    EXPECT_EQ(Conta(" contraddizione"), 1);

    // The "L" entry gives the candidate back.
    std::string annulla = m.PilaLivelli[1].ListaRipristino.substr(0, 7);
    m.RipristinaTecnica(annulla);
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumeroCandidati, numeri);
}

TEST_F(ColoriNishioTest, NishioArmedBreakpointNarratesEveryTrialAndDropsTheFailedOnes) {
    Esempio();
    m.ModoRisolvi = true;
    m.NumPassi = 3;
    m.IsalvaValidi = 5;  // reached by the failed trial of (1,1) as well
    int mostrati = 0;
    TabellaCandidati mostrata{};
    m.VisualizzaValidi = [&](const TabellaCandidati& t) {
        ++mostrati;
        mostrata = t;
    };
    m.CtrlNishio(1, 1);
    EXPECT_EQ(m.NumPassi, 3 + 6);
    EXPECT_EQ(m.IsalvaValidi, -1);
    EXPECT_EQ(m.LogPassi[4].Testo, "Vuota");
    EXPECT_EQ(m.LogPassi[5].Testo, kRientro + "1 in 2,1 porta a una contraddizione poichè: ");
    // The last display is that of the kept record 5: 1 placed at (2,1).
    EXPECT_GE(mostrati, 1);
    EXPECT_EQ(mostrata[2][1][1], 47);
    EXPECT_EQ(mostrata[9][1][1], 49);
}

TEST_F(ColoriNishioTest, NishioAnalysisNarratesEveryContradictionAndStrikesNothing) {
    Esempio();
    const TabellaCandidati prima = m.Possibili;
    m.ModoRisolvi = true;
    m.Analisi = true;
    m.CtrlNishio(1, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
    EXPECT_EQ(Conta(" contraddizione"), 7);
    EXPECT_EQ(Conta("Vuota"), 7);
    EXPECT_EQ(Conta("non  sarebbe  poss. per riga 5"), 7);
}

TEST_F(ColoriNishioTest, NishioNeedsTwoUnitsWithTwoPlaces) {
    // Only row 1 holds digit 1 in exactly two places.
    SoloIn(1, {1}, {}, {11, 15});
    m.ModoRisolvi = true;
    m.CtrlNishio(1, 1);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.NumPassi, 0);
    // Out-of-range arguments are ignored.
    Esempio();
    m.CtrlNishio(0, 1);
    m.CtrlNishio(10, 1);
    m.CtrlNishio(1, 82);
    EXPECT_EQ(m.NumPassi, 0);
}

TEST_F(ColoriNishioTest, NishioExtendedWindowLetsThreePlaceUnitsForce) {
    // Row 1 holds 1 at (1,1), (1,2), (1,9); box 6 only at (5,9); column 5 at
    // (5,5), (6,5) and row 8 at (8,4), (8,6) (the two units with two places).
    // 1 in (2,1) leaves (1,9) alone in row 1, and (1,9) takes (5,9) from box 6:
    // a contradiction only when a unit of three places may force its last cell.
    SoloIn(1, {1, 8}, {5}, {11, 12, 19, 55, 65, 84, 86});
    for (int r = 4; r <= 6; ++r)
        for (int c = 7; c <= 9; ++c)
            if (r * 10 + c != 59) Cancella(r, c, 1);
    m.ModoRisolvi = true;
    m.Analisi = true;
    const std::string prova = "1 in 2,1 porta a una contraddizione";
    m.CtrlNishio(1, 1);
    EXPECT_EQ(Conta(prova), 0);
    EXPECT_EQ(Conta("sarebbe unico poss. per riga 1"), 0);
    EXPECT_EQ(Conta("1 in 1,9 porta a una contraddizione"), 1);  // (1,9) sees (5,9) itself

    m.NumPassi = 0;
    stato.TecnicheAvanzate[0] = 2;  // any value but 0 widens the window
    m.CtrlNishio(1, 1);
    ASSERT_EQ(Conta(prova), 1);
    int i = 1;
    while (m.LogPassi[i].Testo.find(prova) == std::string::npos) ++i;
    ASSERT_LE(i + 4, m.NumPassi);
    EXPECT_EQ(m.LogPassi[i - 1].Testo, "Vuota");
    EXPECT_EQ(m.LogPassi[i + 2].Testo, kRientro + "1 in 1,9 sarebbe unico poss. per riga 1");
    EXPECT_EQ(m.LogPassi[i + 4].Testo, kRientro + "1 non  sarebbe  poss. per quadrato 6");
    EXPECT_EQ(m.LogPassi[i + 4].Codice, "Q");
}

}  // namespace
}  // namespace kenvaron
