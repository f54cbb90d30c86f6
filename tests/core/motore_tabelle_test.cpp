// Engine tables, placing and unplacing, the step log and the undo strings.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/Motore.h"
#include "generation/Livelli.h"

namespace kenvaron {
namespace {

class MotoreTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    Motore m{stato, orologio};

    void Metti(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.Aggiorna(0);
    }
    void Togli(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.Ripristina(0);
    }
};

bool StessoPeer(int r1, int c1, int r2, int c2) {
    return r1 == r2 || c1 == c2 || ((r1 - 1) / 3 == (r2 - 1) / 3 && (c1 - 1) / 3 == (c2 - 1) / 3);
}

TEST_F(MotoreTest, UnitTablesNumberBoxesAndPositionsRowMajor) {
    EXPECT_EQ(m.QuadratoCella[1][1][0], 1);
    EXPECT_EQ(m.QuadratoCella[5][6][0], 5);
    EXPECT_EQ(m.QuadratoCella[5][6][1], 6);
    EXPECT_EQ(m.QuadratoCella[9][7][0], 9);
    EXPECT_EQ(m.QuadratoCella[9][7][1], 7);
    for (int q = 1; q <= 9; ++q)
        for (int p = 1; p <= 9; ++p) {
            const int r = m.CelleQuadrato[0][q][p], c = m.CelleQuadrato[1][q][p];
            EXPECT_EQ(m.QuadratoCella[r][c][0], q);
            EXPECT_EQ(m.QuadratoCella[r][c][1], p);
        }
    EXPECT_EQ(m.CoppieLinee[4], "45");
    EXPECT_EQ(m.CoppieLineeQ[9], "69");
}

TEST_F(MotoreTest, PlacingLowersPeersAsTheCountingRulesSay) {
    Metti(1, 1, 5);
    EXPECT_EQ(m.Griglia[1][1], 5);
    EXPECT_EQ(m.Possibili[1][1][5], 47);
    EXPECT_EQ(m.Possibili[1][2][5], 48);
    EXPECT_EQ(m.Possibili[2][1][5], 48);
    EXPECT_EQ(m.Possibili[2][2][5], 49);
    EXPECT_EQ(m.Possibili[1][9][5], 49);
    EXPECT_EQ(m.Possibili[9][1][5], 49);
    EXPECT_EQ(m.Possibili[5][5][5], 50);
    int otto = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int atteso = StessoPeer(1, 1, r, c) ? 8 : 9;
            EXPECT_EQ(m.NumeroCandidati[r][c], atteso) << r << "," << c;
            if (atteso == 8) ++otto;
            for (int d = 1; d <= 9; ++d) {
                if (d != 5) { EXPECT_EQ(m.Possibili[r][c][d], 50); }
            }
        }
    EXPECT_EQ(otto, 21);
}

TEST_F(MotoreTest, UnplacingRestoresEveryCounterAndCount) {
    const TabellaCandidati prima = m.Possibili;
    const Tabella numeri = m.NumeroCandidati;
    m.ContaRiempimento = 1;
    m.CelleRiempite = 10;
    Metti(4, 7, 3);
    Metti(4, 2, 8);
    Metti(6, 9, 3);  // same box as (4,7): stacks on the same counters
    EXPECT_EQ(m.CelleRiempite, 13);
    Togli(6, 9, 3);
    Togli(4, 2, 8);
    Togli(4, 7, 3);
    EXPECT_EQ(m.CelleRiempite, 10);
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.NumeroCandidati, numeri);
    EXPECT_EQ(m.Griglia[4][7], 0);
}

TEST_F(MotoreTest, DoublyLoweredCandidateReturnsOnlyAfterBothUndos) {
    Metti(1, 1, 5);
    Metti(2, 9, 5);  // (1,1) row... (2,9) hits (2,2) by row; (1,1) hit it by box
    EXPECT_EQ(m.Possibili[2][2][5], 48);
    EXPECT_EQ(m.NumeroCandidati[2][2], 8);
    Togli(1, 1, 5);
    EXPECT_EQ(m.Possibili[2][2][5], 49);
    EXPECT_EQ(m.NumeroCandidati[2][2], 8);
    Togli(2, 9, 5);
    EXPECT_EQ(m.Possibili[2][2][5], 50);
    EXPECT_EQ(m.NumeroCandidati[2][2], 9);
}

TEST_F(MotoreTest, FillCountFollowsContaRiempimento) {
    m.CelleRiempite = 30;
    m.ContaRiempimento = 0;
    Metti(3, 3, 1);
    EXPECT_EQ(m.CelleRiempite, 30);
}

TEST_F(MotoreTest, AggiornaPerClrListsTheEmptyCellsThatLostTheDigit) {
    Metti(9, 1, 7);  // a filled cell in column 1 is never listed
    m.PilaLivelli[0] = LivelloPila{};
    m.PilaLivelli[0].Riga = 1;
    m.PilaLivelli[0].Colonna = 1;
    m.PilaLivelli[0].Cifra = 5;
    m.AggiornaPerClr(0);
    EXPECT_EQ(m.CelleGruppo,
              "1,2,5|1,3,5|1,4,5|1,5,5|1,6,5|1,7,5|1,8,5|1,9,5|"
              "2,1,5|3,1,5|4,1,5|5,1,5|6,1,5|7,1,5|8,1,5|"
              "2,2,5|2,3,5|3,2,5|3,3,5|");
    EXPECT_EQ(m.Griglia[1][1], 5);
}

TEST_F(MotoreTest, StrikingACandidateStacksLikeAnyElimination) {
    m.PilaLivelli[0].Riga = 3;
    m.PilaLivelli[0].Colonna = 4;
    m.PilaLivelli[0].Cifra = 6;
    m.AggiornaColori(0);
    EXPECT_EQ(m.Possibili[3][4][6], 49);
    EXPECT_EQ(m.NumeroCandidati[3][4], 8);
    m.AggiornaColori(0);
    EXPECT_EQ(m.Possibili[3][4][6], 48);
    EXPECT_EQ(m.NumeroCandidati[3][4], 8);
    m.RipristinaColori(0);
    EXPECT_EQ(m.Possibili[3][4][6], 49);
    EXPECT_EQ(m.NumeroCandidati[3][4], 8);
    m.RipristinaColori(0);
    EXPECT_EQ(m.NumeroCandidati[3][4], 9);
}

TEST_F(MotoreTest, InizializzaResetsTheGridButKeepsTheSolution) {
    m.Soluzione[1][1] = 4;
    Metti(1, 1, 4);
    m.CandidatiApplicatiR[2][3] = 1;
    m.CoppieApplicateQC[1][1] = "x";
    m.Inizializza();
    EXPECT_EQ(m.Soluzione[1][1], 4);
    EXPECT_EQ(m.Griglia[1][1], 0);
    EXPECT_EQ(m.NumeroCandidati[1][2], 9);
    EXPECT_EQ(m.Possibili[1][1][4], 50);
    EXPECT_EQ(m.CandidatiApplicatiR[2][3], 0);
    EXPECT_EQ(m.CoppieApplicateQC[1][1], "");
}

TEST_F(MotoreTest, UndoStringReplaysNewestFirstAndKeepsTheTail) {
    const TabellaCandidati prima = m.Possibili;
    // Two placements in one row; the entries stand newest first.
    Metti(2, 3, 4);
    Metti(2, 8, 6);
    std::string lista = "E2,8,6|E2,3,4|";
    lista += "          ";
    m.RipristinaTecnica(lista);
    EXPECT_EQ(lista, "          ");
    EXPECT_EQ(m.Possibili, prima);
    EXPECT_EQ(m.Griglia[2][3], 0);
    EXPECT_EQ(m.Griglia[2][8], 0);
    // Record 0 holds the last entry replayed.
    EXPECT_EQ(m.PilaLivelli[0].Riga, 2);
    EXPECT_EQ(m.PilaLivelli[0].Colonna, 3);
    EXPECT_EQ(m.PilaLivelli[0].Cifra, 4);
}

TEST_F(MotoreTest, UndoStringHandlesStrikesUnknownKindsAndEmptyStrings) {
    std::string vuota;
    m.RipristinaTecnica(vuota);
    EXPECT_EQ(vuota, "");

    m.PilaLivelli[0].Riga = 5;
    m.PilaLivelli[0].Colonna = 5;
    m.PilaLivelli[0].Cifra = 2;
    m.AggiornaColori(0);
    std::string lista = "Z9,abc,def|L5,5,2|resto";
    m.RipristinaTecnica(lista);
    EXPECT_EQ(lista, "resto");
    EXPECT_EQ(m.Possibili[5][5][2], 50);
    EXPECT_EQ(m.CelleGruppo, "5");
    EXPECT_EQ(m.NumeriGruppo, "2");
}

TEST_F(MotoreTest, StepLogCapsAndFiresTheBreakpointOnce) {
    int chiamate = 0;
    int visto = 0;
    m.VisualizzaValidi = [&](const TabellaCandidati& t) {
        ++chiamate;
        visto = t[1][1][1];
    };
    m.IsalvaValidi = 3;
    for (int i = 1; i <= 2; ++i) m.AggiungiPasso(1, "x", 0, 0, "0", "", "", "U", "", 0);
    EXPECT_EQ(chiamate, 0);
    m.Possibili[1][1][1] = 49;
    m.AggiungiPasso(1, "terzo", 0, 0, "0", "", "", "U", "", 0);
    EXPECT_EQ(chiamate, 1);
    EXPECT_EQ(visto, 49);
    EXPECT_EQ(m.IsalvaValidi, -1);
    for (int i = 4; i <= Motore::kMaxPassi; ++i)
        m.AggiungiPasso(1, "riga " + std::to_string(i), 0, 0, "0", "", "", "U", "", 0);
    EXPECT_EQ(m.NumPassi, Motore::kMaxPassi);
    m.IsalvaValidi = Motore::kMaxPassi;
    m.AggiungiPasso(2, "ultimo", 3, 4, "5", "", "", "P", "", 0);
    m.AggiungiPasso(2, "dopo", 3, 4, "5", "", "", "P", "", 0);
    EXPECT_EQ(m.NumPassi, Motore::kMaxPassi);
    EXPECT_EQ(chiamate, 2);
    EXPECT_EQ(m.LogPassi[Motore::kMaxPassi].Testo, "dopo");
    EXPECT_EQ(m.LogPassi[Motore::kMaxPassi - 1].Testo, "riga 5999");
    EXPECT_EQ(m.LogPassi[3].Testo, "terzo");
}

TEST_F(MotoreTest, IndentationIsThreeBlanksPerLevelPlusOne) {
    EXPECT_EQ(Motore::IncrementaIndice(0), " ");
    EXPECT_EQ(Motore::IncrementaIndice(1), "    ");
    EXPECT_EQ(Motore::IncrementaIndice(2), "       ");
}

TEST_F(MotoreTest, ListaCelleNamesCellsOfAUnit) {
    EXPECT_EQ(m.ListaCelle("C", 3, "159"), "(1,3) (5,3) (9,3) ");
    EXPECT_EQ(m.ListaCelle("R", 4, "27"), "(4,2) (4,7) ");
    EXPECT_EQ(m.ListaCelle("Q", 5, "19"), "(4,4) (6,6) ");
    EXPECT_EQ(m.ListaCelle("C", 3, ""), "");
    EXPECT_EQ(m.ListaCelle("X", 3, "12"), "");
}

Tabella TabellaNumerata() {
    Tabella t{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) t[r][c] = static_cast<Byte>((r * 7 + c * 3) % 10);
    return t;
}

TEST(Tabelle, FourQuarterTurnsAreTheIdentity) {
    const Tabella t = TabellaNumerata();
    Tabella u = t;
    Motore::RuotaTabella(u);
    EXPECT_NE(u, t);
    // The old top-right cell becomes the top-left one, the old top-left the bottom-left.
    EXPECT_EQ(u[1][1], t[1][9]);
    EXPECT_EQ(u[9][1], t[1][1]);
    for (int i = 0; i < 3; ++i) Motore::RuotaTabella(u);
    EXPECT_EQ(u, t);
}

TEST(Tabelle, RowAndColumnSwapsKeepCentralSymmetry) {
    const Tabella t = TabellaNumerata();
    Tabella u = t;
    Motore::ScambiaRiga(u, 1, 3);
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(u[1][c], t[3][c]);
        EXPECT_EQ(u[3][c], t[1][c]);
        EXPECT_EQ(u[9][c], t[7][c]);
        EXPECT_EQ(u[7][c], t[9][c]);
        EXPECT_EQ(u[5][c], t[5][c]);
    }
    u = t;
    Motore::ScambiaRiga(u, 4, 6);  // 6 is the partner of 4: every pair swaps twice
    EXPECT_EQ(u, t);
    u = t;
    Motore::ScambiaColonna(u, 2.4, 3);
    for (int r = 1; r <= 9; ++r) {
        EXPECT_EQ(u[r][2], t[r][3]);
        EXPECT_EQ(u[r][8], t[r][7]);
    }
    u = t;
    Motore::ScambiaRiga(u, 0, 12);  // out of range: nothing changes
    Motore::ScambiaColonna(u, -1, 3);
    EXPECT_EQ(u, t);
}

TEST(Tabelle, ScambiaExchangesTwoDigitsEverywhere) {
    Tabella t = TabellaNumerata();
    const Tabella prima = t;
    Motore::Scambia(t, 3, 7);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int v = prima[r][c];
            EXPECT_EQ(t[r][c], v == 3 ? 7 : v == 7 ? 3 : v);
        }
    Motore::Scambia(t, 4, 4);
    Motore::Scambia(t, 3, 7);
    EXPECT_EQ(t, prima);
}

TEST_F(MotoreTest, CountsFilledCellsOfTheSharedPuzzle) {
    m.contaCellePiene();
    EXPECT_EQ(m.NumCellePiene, 0);
    stato.Problema[1][1] = 3;
    stato.Problema[9][9] = 1;
    m.contaCellePiene();
    EXPECT_EQ(m.NumCellePiene, 2);
}

TEST(Casuale, DrawsArePinnedBitForBit) {
    Casuale g;
    EXPECT_FLOAT_EQ(g.Prossimo(), 0.7055475f);
    EXPECT_FLOAT_EQ(g.Prossimo(), 0.533424f);
    EXPECT_FLOAT_EQ(g.Prossimo(), 0.5795186f);
    EXPECT_FLOAT_EQ(g.Reimposta(), 0.224007f);
    const float dopo_reset = g.Prossimo();
    g.Reimposta();
    EXPECT_EQ(g.Prossimo(), dopo_reset);
}

TEST(Casuale, SameSeedSameSequenceOtherSeedOtherSequence) {
    Casuale a, b, c;
    a.Reimposta();
    b.Reimposta();
    c.Reimposta();
    a.Randomizza(79583);
    b.Randomizza(79583);
    c.Randomizza(76051.11);
    bool diversa = false;
    for (int i = 0; i < 20; ++i) {
        const float x = a.Prossimo();
        EXPECT_EQ(x, b.Prossimo());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
        if (x != c.Prossimo()) diversa = true;
    }
    EXPECT_TRUE(diversa);
}

TEST_F(MotoreTest, GeneraCasualeStaysInRangeWithOneDrawPerCall) {
    EXPECT_EQ(m.GeneraCasuale(1), 1);
    Casuale gemello;
    gemello.Prossimo();  // the engine's generator has made one draw so far
    for (int i = 0; i < 5000; ++i) {
        const double v = m.GeneraCasuale(9);
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 9);
        gemello.Prossimo();
    }
    EXPECT_EQ(m.casuale.Stato(), gemello.Stato());
}

TEST_F(MotoreTest, MischiaValidiPermutesTheDigits) {
    std::string uno = "7";
    EXPECT_EQ(m.MischiaValidi(uno, 1), "7");
    std::string s = "13579";
    m.MischiaValidi(s, 5);
    std::string ordinata = s;
    std::sort(ordinata.begin(), ordinata.end());
    EXPECT_EQ(ordinata, "13579");
}

TEST(Livelli, SettaTurniGivesEachGroupItsFirstPosition) {
    Condiviso stato;
    auto motore = std::make_unique<Motore>(stato);
    Motore& m = *motore;
    Livelli liv(m, stato);
    std::string codice = "SGDBC";
    liv.SettaTurni(codice);
    EXPECT_EQ(m.Turni[Motore::kG], 2);
    EXPECT_EQ(m.Turni[Motore::kS], 1);
    EXPECT_EQ(m.Turni[Motore::kB], 4);
    EXPECT_EQ(m.Turni[Motore::kC], 5);
    EXPECT_EQ(m.Turni[Motore::kD], 3);
    EXPECT_EQ(liv.TurnoObbligatorio, 5);
    stato.SequenzeObbligatorie = 1;
    liv.SettaTurni(codice);
    EXPECT_EQ(liv.TurnoObbligatorio, 4);
    stato.SequenzeObbligatorie = 2;
    liv.SettaTurni(codice);
    EXPECT_EQ(liv.TurnoObbligatorio, 1);

    stato.SequenzeObbligatorie = 1;
    std::string solo_c = "C";
    liv.SettaTurni(solo_c);
    EXPECT_EQ(m.Turni[Motore::kC], 1);
    EXPECT_EQ(liv.TurnoObbligatorio, 1);

    stato.SequenzeObbligatorie = 0;
    std::string minuscolo = "sgs";
    liv.SettaTurni(minuscolo);
    EXPECT_EQ(minuscolo, "SGS");
    EXPECT_EQ(m.Turni[Motore::kS], 1);
    EXPECT_EQ(m.Turni[Motore::kG], 2);
    EXPECT_EQ(m.Turni[Motore::kD], 0);
    EXPECT_EQ(liv.TurnoObbligatorio, 2);

    std::string vuoto = " ";
    liv.SettaTurni(vuoto);
    for (auto t : m.Turni) EXPECT_EQ(t, 0);
    EXPECT_EQ(liv.TurnoObbligatorio, 1);

    std::string blank_s = " S";
    liv.SettaTurni(blank_s);
    EXPECT_EQ(m.Turni[Motore::kS], 2);
}

TEST(Livelli, SwitchSettersFillTheSharedSwitches) {
    Condiviso stato;
    auto motore = std::make_unique<Motore>(stato);
    Motore& m = *motore;
    Livelli liv(m, stato);
    liv.AccendiSchK(1, 0);
    EXPECT_EQ(stato.TecnicheAttive, (std::array<Byte, 6>{1, 1, 0, 0, 0, 0}));
    liv.AccendiSchK(0, 1);
    EXPECT_EQ(stato.TecnicheAttive, (std::array<Byte, 6>{0, 0, 1, 1, 1, 1}));
    liv.AccendiAV(1, 0, 1);
    EXPECT_EQ(stato.TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
}

}  // namespace
}  // namespace kenvaron
