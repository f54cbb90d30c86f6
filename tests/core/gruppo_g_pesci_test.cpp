// Group G and the fish of group B around a finding: apply, undo entry,
// narration, step record and score, on candidates struck by hand.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "tests/core/candidati_a_mano.h"

namespace kenvaron {
namespace {

class GruppiTest : public CandidatiAMano {
protected:
    const Passo& Ultimo() const { return m.LogPassi[m.NumPassi]; }
};

TEST_F(GruppiTest, NakedPairIsNarratedForRowThenForBox) {
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    ASSERT_TRUE(m.CercaGruppiG(1, 2));
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(Ultimo().Testo,
              "     nella riga  1 i numeri 12 sono gli unici possibili per le celle (1,1) (1,2) ");
    EXPECT_EQ(Ultimo().Profondita, 1);
    EXPECT_EQ(Ultimo().Tipo, "G");
    EXPECT_EQ(Ultimo().Codice, "R");
    EXPECT_EQ(Ultimo().Dimensione, 2);
    EXPECT_EQ(Ultimo().Cifra, "0");
    EXPECT_EQ(Ultimo().Celle.rfind("1,3,1|1,3,2|1,4,1|", 0), 0u) << Ultimo().Celle;
    EXPECT_NE(Ultimo().Celle.find("|/1,1,"), std::string::npos);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "X1,12,12|");
    EXPECT_EQ(m.GruppiApplicatiR[1][1], "12|12");
    EXPECT_EQ(m.Possibili[1][9][1], 49);
    EXPECT_EQ(m.NumeroCandidati[1][9], 7);
    EXPECT_EQ(m.PesoPasso, 10);
    EXPECT_EQ(m.ContaTecnicaG, 1);
    EXPECT_TRUE(m.TecnicaPendente);
    EXPECT_EQ(m.TurnoPendente, 2);

    ASSERT_TRUE(m.CercaGruppiG(1, 2));
    EXPECT_EQ(Ultimo().Testo,
              "     nel quadrato  1 i numeri 12 sono gli unici possibili per le celle (1,1) (1,2) ");
    EXPECT_EQ(Ultimo().Codice, "Q");
    EXPECT_EQ(m.ContaTecnicaG, 2);
    // The row's hidden pair now removes nothing: applied and recorded, not narrated.
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino.substr(0, 18), "S1,12,12|x1,12,12|");

    // Replaying the undo string takes everything back.
    std::string lista = m.PilaLivelli[1].ListaRipristino;
    m.RipristinaTecnica(lista);
    EXPECT_EQ(m.Possibili[1][9][1], 50);
    EXPECT_EQ(m.Possibili[2][3][2], 50);
    EXPECT_EQ(m.NumeroCandidati[1][9], 9);
    EXPECT_EQ(m.NumeroCandidati[1][1], 2);
}

// Each block has its own sentence, step kind, unit code and undo-entry letter.
TEST_F(GruppiTest, EveryBlockHasItsSentenceKindAndUndoEntry) {
    struct Caso {
        std::function<void()> prepara;
        std::string testo, tipo, codice, ripristino;
    };
    const std::vector<Caso> casi = {
        {[this] {
             SoloInColonne(3, 1, "16");
             SoloInColonne(7, 1, "16");
         },
         "     nella riga 1 le celle (1,1) (1,6)  sono  le uniche possibili per i numeri 37", "g", "R",
         "x1,16,37|"},
        {[this] {
             Lascia(1, 1, "12");
             Lascia(2, 1, "12");
         },
         "     nella colonna 1 i numeri 12 sono gli unici possibili per le celle (1,1) (2,1) ", "G", "C",
         "Y1,12,12|"},
        {[this] {
             SoloInRighe(3, 1, "16");
             SoloInRighe(7, 1, "16");
         },
         "     nella colonna 1 le celle (1,1) (6,1)  sono  le uniche possibili per i numeri 37", "g", "C",
         "y1,16,37|"},
        {[this] {
             // Digits 3 and 7 only at positions 3 and 7 of box 9.
             for (int r = 7; r <= 9; ++r)
                 for (int c = 7; c <= 9; ++c)
                     if (!((r == 7 && c == 9) || (r == 9 && c == 7))) {
                         Cancella(r, c, 3);
                         Cancella(r, c, 7);
                     }
         },
         "     nel quadrato 9 le celle (7,9) (9,7)  sono  le uniche possibili per i numeri 37", "g", "Q",
         "s9,37,37|"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.testo);
        // A fresh empty board for each case.
        m.Inizializza();
        for (Motore::ListeApplicate* lista : {&m.GruppiApplicatiR, &m.GruppiApplicatiC, &m.GruppiApplicatiQ})
            for (auto& slot : *lista) slot.fill("");
        m.NumPassi = 0;
        m.PilaLivelli[1].ListaRipristino.clear();
        caso.prepara();
        ASSERT_TRUE(m.CercaGruppiG(1, 1));
        ASSERT_EQ(m.NumPassi, 1);
        EXPECT_EQ(Ultimo().Testo, caso.testo);
        EXPECT_EQ(Ultimo().Tipo, caso.tipo);
        EXPECT_EQ(Ultimo().Codice, caso.codice);
        EXPECT_EQ(Ultimo().Dimensione, 2);
        EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, caso.ripristino);
    }
}

TEST_F(GruppiTest, AnalysisNarratesEveryUnitAgainstTheSameCandidates) {
    Lascia(2, 1, "45");
    Lascia(2, 9, "45");
    Lascia(5, 4, "89");
    Lascia(5, 5, "89");
    m.Analisi = true;
    const TabellaCandidati prima = m.Possibili;
    EXPECT_FALSE(m.CercaGruppiG(3, 4));
    ASSERT_GE(m.NumPassi, 3);
    EXPECT_EQ(m.LogPassi[1].Testo,
              Motore::IncrementaIndice(3) +
                  " nella riga  2 i numeri 45 sono gli unici possibili per le celle (2,1) (2,9) ");
    EXPECT_EQ(m.LogPassi[1].Profondita, 3);
    EXPECT_EQ(m.LogPassi[2].Testo.substr(10, 23), " nella riga  5 i numeri");
    EXPECT_EQ(m.ContaTecnicaG, m.NumPassi);
    EXPECT_TRUE(m.Possibili == prima);
    // The keys stay, so a second analysis pass reports nothing new.
    EXPECT_EQ(m.GruppiApplicatiR[2][1], "19|45");
    const int passi = m.NumPassi;
    EXPECT_FALSE(m.CercaGruppiG(3, 4));
    EXPECT_EQ(m.NumPassi, passi);
}

TEST_F(GruppiTest, XWingNarratesItsLineAndFourteenEliminations) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "38");
    ASSERT_TRUE(m.CercaPesci(1, 3));
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(Ultimo().Testo, "     il numero  4 nelle righe 26 possibile solo in colonne 38");
    EXPECT_EQ(Ultimo().Tipo, "B");
    EXPECT_EQ(Ultimo().Codice, "R");
    EXPECT_EQ(Ultimo().Dimensione, 2);
    EXPECT_EQ(Ultimo().Celle,
              "1,3,4|3,3,4|4,3,4|5,3,4|7,3,4|8,3,4|9,3,4|1,8,4|3,8,4|4,8,4|5,8,4|7,8,4|8,8,4|9,8,4|"
              "/2,3,4|6,3,4|2,8,4|6,8,4|");
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "54,26,38|");
    EXPECT_EQ(m.PesoPasso, 50);
    EXPECT_EQ(m.ContaTecnicaB, 1);
    EXPECT_EQ(m.TurnoPendente, 3);

    stato.TecnicheAttive[0] = 0;
    SoloInRighe(6, 5, "19");
    SoloInRighe(6, 7, "19");
    EXPECT_FALSE(m.CercaPesci(1, 3));
    stato.TecnicheAttive[0] = 2;  // on only when exactly 1
    EXPECT_FALSE(m.CercaPesci(1, 3));
    stato.TecnicheAttive[0] = 1;
    ASSERT_TRUE(m.CercaPesci(1, 3));
    EXPECT_EQ(Ultimo().Testo, "     il numero  6 nelle colonne 57 possibile solo in righe 19");
    EXPECT_EQ(Ultimo().Codice, "C");
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino.substr(0, 9), "66,57,19|");
}

TEST_F(GruppiTest, FishOrderDependsOnTheKindOfSolve) {
    SoloInColonne(1, 1, "14");
    SoloInColonne(1, 5, "47");
    SoloInColonne(1, 9, "17");
    SoloInRighe(9, 2, "38");
    SoloInRighe(9, 6, "38");
    // A user's solve: every fish of two lines first, the columns' X-wing of 9 included.
    ASSERT_TRUE(m.CercaPesci(1, 1));
    EXPECT_EQ(Ultimo().Testo, "     il numero  9 nelle colonne 26 possibile solo in righe 38");
    m.ModoRisolvi = false;
    m.LimiteFor = 3;
    ASSERT_TRUE(m.CercaPesci(1, 1));
    EXPECT_EQ(Ultimo().Testo, "     il numero  1 nelle righe 159 possibile solo in colonne 147");
}

TEST_F(GruppiTest, FishThatRemovesNothingIsRecordedSilently) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "38");
    SoloInRighe(4, 3, "26");
    SoloInRighe(4, 8, "26");
    SoloInColonne(5, 1, "27");
    SoloInColonne(5, 4, "27");
    ASSERT_TRUE(m.CercaPesci(1, 1));
    ASSERT_EQ(m.NumPassi, 1);
    EXPECT_EQ(Ultimo().Testo, "     il numero  5 nelle righe 14 possibile solo in colonne 27");
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "55,14,27|54,26,38|");
    EXPECT_EQ(m.SwordFishApplicatiR[4][1], "26/38");
    EXPECT_EQ(m.ContaTecnicaB, 1);
}

TEST_F(GruppiTest, AnalysisLogsEachFishAndUndoesIt) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "38");
    SoloInColonne(5, 1, "27");
    SoloInColonne(5, 4, "27");
    m.Analisi = true;
    const TabellaCandidati prima = m.Possibili;
    EXPECT_FALSE(m.CercaPesci(1, 1));
    ASSERT_EQ(m.NumPassi, 2);
    EXPECT_EQ(m.LogPassi[1].Testo, "     il numero  4 nelle righe 26 possibile solo in colonne 38");
    EXPECT_EQ(m.LogPassi[2].Testo, "     il numero  5 nelle righe 14 possibile solo in colonne 27");
    EXPECT_EQ(m.ContaTecnicaB, 2);
    EXPECT_TRUE(m.Possibili == prima);
    EXPECT_EQ(m.SwordFishApplicatiR[4][1], "26/38");
}

}  // namespace
}  // namespace kenvaron
