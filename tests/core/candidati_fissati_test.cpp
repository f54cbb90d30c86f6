// The searches of locked candidates in one box (group S) and over two boxes (group D).
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "engine/Motore.h"

namespace kenvaron {
namespace {

class CandidatiFissatiTest : public ::testing::Test {
public:
    Condiviso stato;
    OrologioFinto orologio;
    Motore m{stato, orologio};

    void Cancella(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.AggiornaColori(0);
    }
    void CancellaRiga(int r, std::initializer_list<int> colonne, int d) {
        for (int c : colonne) Cancella(r, c, d);
    }
    void CancellaColonna(int c, std::initializer_list<int> righe, int d) {
        for (int r : righe) Cancella(r, c, d);
    }
    // The level's undo string replayed: every counter, count and mark as before.
    void AnnullaLivello() {
        m.RipristinaTecnica(m.PilaLivelli[1].ListaRipristino);
        EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
    }
    const Passo& Ultimo() const { return m.LogPassi[m.NumPassi]; }

    // One finding on a fresh board: its sentence, code and undo entry, and the
    // board as before once the level is undone.
    struct Caso {
        void (*prepara)(CandidatiFissatiTest&);
        const char* testo;
        const char* codice;
        const char* voce;
    };
    void Prova(const Caso& caso, bool (Motore::*cerca)(int, int)) {
        m.Inizializza();
        m.NumPassi = 0;
        m.PilaLivelli[1].ListaRipristino.clear();
        caso.prepara(*this);
        const TabellaCandidati prima = m.Possibili;
        EXPECT_TRUE((m.*cerca)(1, 1));
        ASSERT_EQ(m.NumPassi, 1);
        EXPECT_EQ(Ultimo().Testo, caso.testo);
        EXPECT_EQ(Ultimo().Codice, caso.codice);
        EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, caso.voce);
        AnnullaLivello();
        EXPECT_EQ(m.Possibili, prima) << caso.codice;
    }
};

TEST_F(CandidatiFissatiTest, RowIntoBoxIsFoundAppliedNarratedAndUndone) {
    CancellaRiga(4, {1, 2, 3, 7, 8, 9}, 7);
    const TabellaCandidati prima = m.Possibili;
    const Tabella numero = m.NumeroCandidati;

    EXPECT_TRUE(m.CercaCandidatiFissati(1, 2));
    ASSERT_EQ(m.NumPassi, 1);
    const Passo& p = Ultimo();
    EXPECT_EQ(p.Testo, "    i possibili 7 della riga  4 sono tutti nel quadrato 5");
    EXPECT_EQ(p.Celle, "5,4,7|5,5,7|5,6,7|6,4,7|6,5,7|6,6,7|/4,4,7|4,5,7|4,6,7|");
    EXPECT_EQ(p.Profondita, 1);
    EXPECT_EQ(p.Tipo, "S");
    EXPECT_EQ(p.Codice, "RQ");
    EXPECT_EQ(p.Riga, 0);
    EXPECT_EQ(p.Colonna, 0);
    EXPECT_EQ(p.Cifra, "0");
    EXPECT_EQ(p.Ripristino, "");
    EXPECT_EQ(p.Dimensione, 0);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "R4,5,7|");
    EXPECT_EQ(m.CandidatiApplicatiR[4][7], 5);
    EXPECT_EQ(m.PesoPasso, 3);
    EXPECT_EQ(m.ContaTecnicaS, 1);
    EXPECT_TRUE(m.TecnicaPendente);
    EXPECT_EQ(m.TurnoPendente, 2);

    // The next run skips the marked row; box 5 into row 4 is then applied
    // silently (its 7s outside box 5 are already struck) and nothing is logged.
    EXPECT_FALSE(m.CercaCandidatiFissati(1, 2));
    EXPECT_EQ(m.NumPassi, 1);
    EXPECT_EQ(m.ContaTecnicaS, 1);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "Q5,4,7|R4,5,7|");
    EXPECT_EQ(m.CandidatiApplicatiQR[5][7], 4);
    EXPECT_EQ(m.Possibili[4][1][7], 48);

    AnnullaLivello();
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumeroCandidati, numero);
    EXPECT_EQ(m.CandidatiApplicatiR[4][7], 0);
    EXPECT_EQ(m.CandidatiApplicatiQR[5][7], 0);
}

TEST_F(CandidatiFissatiTest, EachOneBoxVariantHasItsSentence) {
    const Caso casi[] = {
        {[](CandidatiFissatiTest& t) { t.CancellaColonna(3, {1, 2, 3, 4, 5, 6}, 9); },
         "    i possibili 9 della colonna  3 sono tutti nel quadrato 7", "CQ", "C3,7,9|"},
        {[](CandidatiFissatiTest& t) {
             t.CancellaRiga(4, {7, 8, 9}, 1);
             t.CancellaRiga(6, {7, 8, 9}, 1);
         },
         "    i possibili 1 del quadrato 6 sono tutti nella riga 5", "QR", "Q6,5,1|"},
        {[](CandidatiFissatiTest& t) {
             t.CancellaColonna(4, {1, 2, 3}, 6);
             t.CancellaColonna(6, {1, 2, 3}, 6);
         },
         "    i possibili 6 del quadrato 2 sono tutti nella colonna 5", "QC", "q2,5,6|"},
    };
    for (const Caso& caso : casi) Prova(caso, &Motore::CercaCandidatiFissati);
}

TEST_F(CandidatiFissatiTest, FilledCellsAndMissingDigitsGiveNoPattern) {
    // Digit 3 placed in row 1: no counting cell in row 1 for it, and the digits
    // of a row in two boxes are no pattern either.
    m.PilaLivelli[0].Riga = 1;
    m.PilaLivelli[0].Colonna = 1;
    m.PilaLivelli[0].Cifra = 3;
    m.Aggiorna(0);
    CancellaRiga(2, {7, 8, 9}, 5);  // row 2 keeps 5 in boxes 1 and 2
    EXPECT_FALSE(m.CercaCandidatiFissati(1, 1));
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
    EXPECT_EQ(m.Griglia[1][1], 3);
}

TEST_F(CandidatiFissatiTest, AnalysisModeCountsEveryFindingAndUndoesIt) {
    CancellaRiga(4, {1, 2, 3, 7, 8, 9}, 7);       // three cells of row 4 in box 5
    CancellaRiga(8, {2, 3, 4, 5, 6, 7, 8, 9}, 2);  // a single cell, (8,1)
    const TabellaCandidati prima = m.Possibili;
    const Tabella numero = m.NumeroCandidati;
    m.Analisi = true;

    EXPECT_FALSE(m.CercaCandidatiFissati(1, 1));
    EXPECT_EQ(m.ContaTecnicaS, 2);
    ASSERT_EQ(m.NumPassi, 1);  // the one-cell pattern is counted, not narrated
    EXPECT_EQ(m.LogPassi[1].Testo, "    i possibili 7 della riga  4 sono tutti nel quadrato 5");
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumeroCandidati, numero);
    EXPECT_EQ(m.CandidatiApplicatiR[4][7], 0);
    EXPECT_EQ(m.CandidatiApplicatiR[8][2], 0);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "R8,7,2|R4,5,7|");
}

TEST_F(CandidatiFissatiTest, RowsOfABandInTwoBoxes) {
    CancellaRiga(1, {7, 8, 9}, 5);
    CancellaRiga(2, {7, 8, 9}, 5);
    const TabellaCandidati prima = m.Possibili;
    const Tabella numero = m.NumeroCandidati;

    EXPECT_TRUE(m.CercaCandidatiFissatiDue(1, 3));
    ASSERT_EQ(m.NumPassi, 1);
    const Passo& p = Ultimo();
    EXPECT_EQ(p.Testo, "     i possibili 5 delle righe 12 sono tutti nei quadrati 12");
    EXPECT_EQ(p.Celle.substr(0, 37), "3,1,5|3,2,5|3,3,5|3,4,5|3,5,5|3,6,5|/");
    EXPECT_EQ(p.Celle.size(), 37u + 12 * 6);
    EXPECT_EQ(p.Tipo, "D");
    EXPECT_EQ(p.Codice, "RQ");
    EXPECT_EQ(p.Cifra, "0");
    EXPECT_EQ(p.Dimensione, 0);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "11,12,5|");
    EXPECT_EQ(m.CoppieApplicateR[1][5], "12");
    EXPECT_EQ(m.PesoPasso, 10);
    EXPECT_EQ(m.ContaTecnicaD, 1);
    EXPECT_EQ(m.TurnoPendente, 3);

    AnnullaLivello();
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumeroCandidati, numero);
    EXPECT_EQ(m.CoppieApplicateR[1][5], "");
}

TEST_F(CandidatiFissatiTest, EachTwoBoxVariantKeepsItsTextExactly) {
    const Caso casi[] = {
        {[](CandidatiFissatiTest& t) {
             t.CancellaColonna(4, {7, 8, 9}, 3);
             t.CancellaColonna(5, {7, 8, 9}, 3);
         },
         "     i possibli 3 delle colonne  45 sono tutti nei quadrati 25", "CQ", "24,25,3|"},
        {[](CandidatiFissatiTest& t) { t.CancellaRiga(5, {1, 2, 3, 4, 5, 6}, 8); },
         "     i possibili 8 dei quadrati 45 sono tutti nelle righe 46", "QR", "44,46,8|"},
        {[](CandidatiFissatiTest& t) {
             t.CancellaColonna(8, {1, 2, 3, 7, 8, 9}, 2);
         },
         "     i possibli 2 dei quadrati 39 sono tutti nelle colonne 79", "QC", "38,79,2|"},
    };
    for (const Caso& caso : casi) Prova(caso, &Motore::CercaCandidatiFissatiDue);
}

TEST_F(CandidatiFissatiTest, TwoBoxPatternThatRemovesNothingStaysApplied) {
    CancellaRiga(1, {7, 8, 9}, 5);
    CancellaRiga(2, {7, 8, 9}, 5);
    CancellaRiga(3, {1, 2, 3, 4, 5, 6}, 5);
    const TabellaCandidati prima = m.Possibili;
    EXPECT_FALSE(m.CercaCandidatiFissatiDue(1, 1));
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_EQ(m.ContaTecnicaD, 0);
    EXPECT_EQ(m.CoppieApplicateR[1][5], "12");
    EXPECT_EQ(m.Possibili[3][1][5], 48);
    // Boxes 1 and 2 keep 5 in rows 1 and 2: the box view is applied silently too.
    EXPECT_EQ(m.CoppieApplicateQR[1][5], "12");
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino.substr(0, 8), "41,12,5|");
    AnnullaLivello();
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.CoppieApplicateR[1][5], "");
}

TEST_F(CandidatiFissatiTest, BoxColumnsMetInOppositeOrdersAreNoPattern) {
    // Box 1 keeps 4 at (1,3) and (2,1); box 4 at (4,1) and (5,3).
    for (int p = 1; p <= 9; ++p)
        if (p != 3 && p != 4) Cancella(m.CelleQuadrato[0][1][p], m.CelleQuadrato[1][1][p], 4);
    for (int p = 1; p <= 9; ++p)
        if (p != 1 && p != 6) Cancella(m.CelleQuadrato[0][4][p], m.CelleQuadrato[1][4][p], 4);
    ASSERT_EQ(m.Possibili[1][3][4], 50);
    ASSERT_EQ(m.Possibili[2][1][4], 50);
    ASSERT_EQ(m.Possibili[4][1][4], 50);
    ASSERT_EQ(m.Possibili[5][3][4], 50);
    EXPECT_FALSE(m.CercaCandidatiFissatiDue(1, 1));
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_EQ(m.CoppieApplicateQC[1][4], "");
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
}

TEST_F(CandidatiFissatiTest, GroupDNeverRunsInAnalysisMode) {
    CancellaRiga(1, {7, 8, 9}, 5);
    CancellaRiga(2, {7, 8, 9}, 5);
    const TabellaCandidati prima = m.Possibili;
    m.Analisi = true;
    EXPECT_FALSE(m.CercaCandidatiFissatiDue(1, 1));
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumPassi, 0);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
}

}  // namespace
}  // namespace kenvaron
