// Apply and undo of locked candidates, subsets, fish and elimination lists.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/Motore.h"

namespace kenvaron {
namespace {

// Everything an apply may change and its undo must give back.
struct Fotografia {
    Tabella griglia;
    TabellaCandidati possibili;
    Tabella numero;
    Tabella segniR, segniC, segniQR, segniQC;
    Motore::TabellaTesti coppieR, coppieC, coppieQR, coppieQC;

    explicit Fotografia(const Motore& m)
        : griglia(m.Griglia),
          possibili(m.Possibili),
          numero(m.NumeroCandidati),
          segniR(m.CandidatiApplicatiR),
          segniC(m.CandidatiApplicatiC),
          segniQR(m.CandidatiApplicatiQR),
          segniQC(m.CandidatiApplicatiQC),
          coppieR(m.CoppieApplicateR),
          coppieC(m.CoppieApplicateC),
          coppieQR(m.CoppieApplicateQR),
          coppieQC(m.CoppieApplicateQC) {}

    bool operator==(const Fotografia&) const = default;
};

// Entries of a change list: one triple per digit of `cifre` in cell (r, c).
std::string Triple(int r, int c, const std::string& cifre) {
    std::string s;
    for (char d : cifre) s += std::to_string(r) + "," + std::to_string(c) + "," + d + "|";
    return s;
}

class EliminazioniTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    Motore m{stato, orologio};

    void Record(int a, int b, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(a);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(b);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
    }
    void RecordDue(int p, const std::string& unita, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(p);
        m.PilaLivelli[0].Validi = unita;
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
    }
    void Metti(int r, int c, int d) {
        Record(r, c, d);
        m.Aggiorna(0);
    }
    // A candidate struck as the user strikes it: 50 -> 49.
    void Cancella(int r, int c, int d) {
        Record(r, c, d);
        m.AggiornaColori(0);
    }
    void Gruppo(const std::string& celle, const std::string& numeri) {
        m.CelleGruppo = celle;
        m.NumeriGruppo = numeri;
    }
    void Annulla(std::string lista) {
        m.RipristinaTecnica(lista);
        EXPECT_EQ(lista, "");
    }
};

TEST_F(EliminazioniTest, RowIntoBoxListsRemovalsThenPatternAndUndoes) {
    // Digit 7 of box 5 left at (4,4), (4,5), (5,4), (6,6); row 4 holds it only in box 5.
    for (auto [r, c] : {std::pair{4, 6}, {5, 5}, {5, 6}, {6, 4}, {6, 5}}) Cancella(r, c, 7);
    for (int c : {1, 2, 3, 7, 8, 9}) Cancella(4, c, 7);
    Metti(5, 5, 1);  // a filled cell is never touched
    const Fotografia prima(m);
    const Byte pieno = m.Possibili[5][5][7];

    Record(4, 5, 7);
    m.AggiornaR(0);
    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.ListaCambi, "5,4,7|6,6,7|/4,4,7|4,5,7|");
    EXPECT_EQ(m.CandidatiApplicatiR[4][7], 5);
    EXPECT_EQ(m.Possibili[5][4][7], 49);
    EXPECT_EQ(m.Possibili[6][4][7], 48);  // struck before, one lower still
    EXPECT_EQ(m.Possibili[5][5][7], pieno);
    EXPECT_EQ(m.NumeroCandidati[5][4], prima.numero[5][4] - 1);
    EXPECT_EQ(m.NumeroCandidati[6][4], prima.numero[6][4]);

    Annulla("R4,5,7|");
    EXPECT_EQ(Fotografia(m), prima);

    // Applied again once the box holds no other 7: nothing is listed, but the
    // mark is set and the struck counters go one lower until the undo.
    Cancella(5, 4, 7);
    Cancella(6, 6, 7);
    const Fotografia vuota(m);
    Record(4, 5, 7);
    m.AggiornaR(0);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.ListaCambi, "");
    EXPECT_EQ(m.CandidatiApplicatiR[4][7], 5);
    EXPECT_EQ(m.Possibili[5][4][7], 48);
    Annulla("R4,5,7|");
    EXPECT_EQ(Fotografia(m), vuota);
}

TEST_F(EliminazioniTest, OtherOneBoxVariantsVisitTheirLineOrBox) {
    const Fotografia prima(m);
    Record(3, 7, 2);  // column 3 into box 7: box 7 outside column 3
    m.AggiornaC(0);
    EXPECT_EQ(m.ListaCambi, Triple(7, 1, "2") + Triple(7, 2, "2") + Triple(8, 1, "2") +
                                Triple(8, 2, "2") + Triple(9, 1, "2") + Triple(9, 2, "2") +
                                "/" + Triple(7, 3, "2") + Triple(8, 3, "2") + Triple(9, 3, "2"));
    EXPECT_EQ(m.CandidatiApplicatiC[3][2], 7);
    Record(6, 5, 9);  // box 6 into row 5: row 5 outside box 6
    m.AggiornaQR(0);
    EXPECT_EQ(m.ListaCambi.substr(0, 12), "5,1,9|5,2,9|");
    EXPECT_EQ(m.ListaCambi.substr(m.ListaCambi.find('/')), "/5,7,9|5,8,9|5,9,9|");
    EXPECT_EQ(m.CandidatiApplicatiQR[6][9], 5);
    Record(1, 2, 4);  // box 1 into column 2: column 2 outside box 1
    m.AggiornaQC(0);
    EXPECT_EQ(m.ListaCambi.substr(0, 6), "4,2,4|");
    EXPECT_EQ(m.CandidatiApplicatiQC[1][4], 2);
    EXPECT_EQ(m.NumeroCandidati[4][2], 8);
    EXPECT_EQ(m.NumeroCandidati[8][2], 7);
    Annulla("q1,2,4|Q6,5,9|C3,7,2|");
    EXPECT_EQ(Fotografia(m), prima);
}

TEST_F(EliminazioniTest, TwoBoxVariantsRemoveFromTheThirdLineAndUndo) {
    const Fotografia prima(m);
    RecordDue(1, "12", 5);  // rows 1 and 2 in boxes 1 and 2
    m.AggiornaRcp(0);
    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.CoppieApplicateR[1][5], "12");
    const std::string tolti = "3,1,5|3,2,5|3,3,5|3,4,5|3,5,5|3,6,5|/";
    ASSERT_EQ(m.ListaCambi.substr(0, tolti.size()), tolti);
    EXPECT_EQ(m.ListaCambi.substr(tolti.size(), 18), "1,1,5|1,2,5|1,3,5|");
    EXPECT_EQ(m.ListaCambi.size(), tolti.size() + 12 * 6);

    RecordDue(1, "31", 6);  // boxes 1 and 4 (a stack) in columns 3 and 1
    m.AggiornaQCcp(0);
    EXPECT_EQ(m.CoppieApplicateQC[1][6], "31");
    EXPECT_EQ(m.ListaCambi.substr(0, 18), "7,3,6|8,3,6|9,3,6|");
    EXPECT_EQ(m.NumeroCandidati[9][1], 8);

    RecordDue(4, "28", 8);  // columns 4 and 5 in boxes 2 and 8
    m.AggiornaCcp(0);
    EXPECT_EQ(m.ListaCambi.substr(0, 37), "1,6,8|2,6,8|3,6,8|7,6,8|8,6,8|9,6,8|/");
    EXPECT_EQ(m.CoppieApplicateC[4][8], "28");
    RecordDue(7, "79", 3);  // boxes 7 and 8 in rows 7 and 9
    m.AggiornaQRcp(0);
    EXPECT_EQ(m.ListaCambi.substr(0, 18), "7,7,3|7,8,3|7,9,3|");
    EXPECT_EQ(m.CoppieApplicateQR[7][3], "79");

    Annulla("47,79,3|24,28,8|31,31,6|11,12,5|");
    EXPECT_EQ(Fotografia(m), prima);
}

TEST_F(EliminazioniTest, SubsetChangeListsNameRowThenColumn) {
    Gruppo("15", "29");  // naked pair at positions 1 and 5 of box 5
    m.AggiornaGruppiQ(5);
    std::string atteso;
    for (auto [r, c] : {std::pair{4, 5}, {4, 6}, {5, 4}, {5, 6}, {6, 4}, {6, 5}, {6, 6}})
        atteso += Triple(r, c, "29");
    EXPECT_EQ(m.ListaCambi, atteso + "/" + Triple(4, 4, "2") + Triple(5, 5, "2"));
    EXPECT_EQ(m.GruppiApplicatiQ[5][1], "15|29");

    Gruppo("38", "15");  // hidden pair at rows 3 and 8 of column 7
    m.AggiornaGruppiNumeriC(7);
    EXPECT_EQ(m.ListaCambi, Triple(3, 7, "2346789") + Triple(8, 7, "2346789") + "/" +
                                Triple(3, 7, "1") + Triple(8, 7, "1"));
    EXPECT_EQ(m.GruppiApplicatiC[7][1], "38/15");
    EXPECT_EQ(m.NumeroCandidati[3][7], 2);
}

TEST_F(EliminazioniTest, StackedEliminationsReturnOnlyWhenBothAreUndone) {
    const Fotografia prima(m);
    Gruppo("27", "48");
    m.AggiornaGruppiR(1);  // 4 and 8 leave the rest of row 1
    Gruppo("13", "1234567");
    m.AggiornaGruppiNumeriR(1);  // 8 and 9 leave cells (1,1) and (1,3)
    EXPECT_EQ(m.Possibili[1][1][8], 48);
    EXPECT_EQ(m.NumeroCandidati[1][1], 6);
    const Tabella dopo = m.NumeroCandidati;

    const std::string nudo = "X1,27,48|", nascosto = "x1,13,1234567|";
    Annulla(nudo);  // undone in the other order than applied: still exact
    EXPECT_EQ(m.Possibili[1][1][8], 49);
    EXPECT_EQ(m.NumeroCandidati[1][1], dopo[1][1] + 1);  // only 4 came back
    Annulla(nascosto);
    EXPECT_EQ(m.Possibili[1][1][8], 50);
    EXPECT_EQ(Fotografia(m), prima);
    EXPECT_EQ(m.GruppiApplicatiR[1][1], "E");
    EXPECT_EQ(m.GruppiApplicatiR[1][2], "E");

    // Applied again: the key takes the next free slot; "E" slots are never reused.
    Gruppo("27", "48");
    m.AggiornaGruppiR(1);
    EXPECT_EQ(m.GruppiApplicatiR[1][3], "27|48");
    // In analysis mode the undo leaves the key in place.
    m.Analisi = true;
    m.RipristinaGruppiR(1);
    EXPECT_EQ(m.GruppiApplicatiR[1][3], "27|48");
    EXPECT_EQ(Fotografia(m), prima);
}

TEST_F(EliminazioniTest, FishListsCoverEliminationsAndLiveBaseCells) {
    for (int r : {3, 4, 5, 7, 8, 9}) Cancella(r, 3, 4);
    for (int r : {1, 3, 4, 5, 8, 9}) Cancella(r, 8, 4);
    const Fotografia prima(m);
    Gruppo("26", "38");
    m.AggiornaSwordFishR(4);
    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.ListaCambi, "1,3,4|7,8,4|/2,3,4|6,3,4|2,8,4|6,8,4|");
    EXPECT_EQ(m.SwordFishApplicatiR[4][1], "26/38");
    Annulla("54,26,38|");
    EXPECT_EQ(Fotografia(m), prima);
    EXPECT_EQ(m.SwordFishApplicatiR[4][1], "E");

    // Nothing left to remove: key recorded, empty list, flag down.
    Cancella(1, 3, 4);
    Cancella(7, 8, 4);
    Cancella(6, 8, 4);
    Gruppo("26", "38");
    m.AggiornaSwordFishR(4);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(m.ListaCambi, "");
    EXPECT_EQ(m.SwordFishApplicatiR[4][2], "26/38");

    // On columns, with a base cell no longer possible left out of the pattern.
    Cancella(9, 5, 1);
    Gruppo("15", "29");
    m.AggiornaSwordFishC(1);
    EXPECT_EQ(m.ListaCambi.substr(0, 6), "2,2,1|");
    EXPECT_EQ(m.ListaCambi.substr(m.ListaCambi.find('/')), "/2,1,1|2,5,1|9,1,1|");
    EXPECT_EQ(m.SwordFishApplicatiC[1][1], "15/29");
}

TEST_F(EliminazioniTest, TripleListsSkipFilledCellsAndBrokenTails) {
    Metti(9, 9, 1);
    const Fotografia prima(m);
    m.AggiornaXYW("");
    EXPECT_EQ(Fotografia(m), prima);
    m.TrovatoAvanzato = true;
    m.ListaCambi = "resta";
    m.AggiornaXYW("347519992" "12");  // (9,9) is filled; "12" is not a whole triple
    EXPECT_EQ(m.Possibili[3][4][7], 49);
    EXPECT_EQ(m.Possibili[5][1][9], 49);
    EXPECT_EQ(m.Possibili[9][9][2], 50);
    EXPECT_EQ(m.NumeroCandidati[3][4], 8);
    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(m.ListaCambi, "resta");
    Annulla("W0,347519992,|");
    EXPECT_EQ(Fotografia(m), prima);
    m.AggiornaXYW("347");
    Annulla("O0,347,|");
    EXPECT_EQ(Fotografia(m), prima);
}

TEST_F(EliminazioniTest, BreakpointShowsTheCandidatesBeforeAnEffectiveApply) {
    int mostrate = 0;
    Byte visto = 0;
    m.VisualizzaValidi = [&](const TabellaCandidati& t) {
        ++mostrate;
        visto = t[2][2][4];
    };
    m.NumPassi = 7;
    m.IsalvaValidi = 8;
    // Row 1 keeps 4 only at columns 2 and 7: a subset there removes nothing.
    for (int c : {1, 3, 4, 5, 6, 8, 9}) Cancella(1, c, 4);
    Gruppo("27", "4");
    m.AggiornaGruppiR(1);
    EXPECT_FALSE(m.TrovatoAvanzato);
    EXPECT_EQ(mostrate, 0);
    EXPECT_EQ(m.IsalvaValidi, 8);

    Gruppo("13", "4");
    m.AggiornaGruppiR(2);
    EXPECT_TRUE(m.TrovatoAvanzato);
    EXPECT_EQ(mostrate, 1);
    EXPECT_EQ(visto, 50);  // as before the elimination
    EXPECT_EQ(m.Possibili[2][2][4], 49);
    EXPECT_EQ(m.IsalvaValidi, -1);
    m.AggiungiPasso(1, "passo", 0, 0, "0", "", m.ListaCambi, "G", "R", 2);
    EXPECT_EQ(mostrate, 1);

    // The list apply comes after its step is logged: the breakpoint is that step.
    m.IsalvaValidi = static_cast<std::int16_t>(m.NumPassi);
    m.AggiornaXYW("224");
    EXPECT_EQ(mostrate, 2);
    EXPECT_EQ(visto, 49);
    EXPECT_EQ(m.Possibili[2][2][4], 48);
    EXPECT_EQ(m.IsalvaValidi, -1);
}

TEST_F(EliminazioniTest, FullKeyListStillEliminatesAndUndoes) {
    for (int j = 1; j <= Motore::kSlotApplicati; ++j) m.SwordFishApplicatiC[3][j] = "x";
    const Fotografia prima(m);
    Gruppo("12", "45");
    m.AggiornaSwordFishC(3);
    EXPECT_TRUE(m.TrovatoAvanzato);
    for (int j = 1; j <= Motore::kSlotApplicati; ++j) EXPECT_EQ(m.SwordFishApplicatiC[3][j], "x");
    Annulla("63,12,45|");
    EXPECT_EQ(Fotografia(m), prima);
}

TEST(AlmenoDue, CountsTheCharactersAfterTheFirstSlash) {
    EXPECT_FALSE(Motore::AlmenoDue(""));
    EXPECT_FALSE(Motore::AlmenoDue("5,4,7|/4,4,7|"));
    EXPECT_TRUE(Motore::AlmenoDue("5,4,7|/4,4,7|4,5,7|"));
    EXPECT_TRUE(Motore::AlmenoDue("/4,4,7|4"));
    EXPECT_TRUE(Motore::AlmenoDue("abcdefg"));
    EXPECT_FALSE(Motore::AlmenoDue("abcdef"));
}

TEST_F(EliminazioniTest, MalformedUndoEntriesAreConsumedAndIgnored) {
    const Fotografia prima(m);
    Annulla("R0,5,7|C4,12,7|10,12,5|X0,12,34|50,12,3|E4,4,300|");
    EXPECT_EQ(Fotografia(m), prima);

    // An entry that lacks its commas ends the replay and stays in the string whole,
    // after the well-formed entries before it are undone.
    for (const std::string coda : {"R5|", "R5,6|", "R5|6,7,8"}) {
        Metti(2, 3, 4);
        std::string lista = "E2,3,4|" + coda;
        m.RipristinaTecnica(lista);
        EXPECT_EQ(lista, coda);
        EXPECT_EQ(Fotografia(m), prima) << coda;
    }
}

// Random applies of every kind, stacked on one another and mixed with placements
// and strikes, undone by one replay of their undo string.
TEST_F(EliminazioniTest, ReplayUndoesAnyStackOfFindingsExactly) {
    std::mt19937 gen(12345);
    auto tra = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(gen); };
    auto insieme = [&]() {
        std::string s;
        for (int d = 1; d <= 9; ++d)
            if (tra(0, 2) == 0) s += static_cast<char>('0' + d);
        return s.empty() ? std::string("5") : s;
    };
    for (int giro = 0; giro < 40; ++giro) {
        m.Inizializza();
        for (auto* liste : {&m.GruppiApplicatiR, &m.GruppiApplicatiC, &m.GruppiApplicatiQ,
                            &m.SwordFishApplicatiR, &m.SwordFishApplicatiC})
            for (auto& l : *liste) l.fill("");
        // A valid grid, partly placed, with some struck candidates.
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (tra(0, 3) == 0) Metti(r, c, (3 * (r - 1) + (r - 1) / 3 + c - 1) % 9 + 1);
        for (int i = 0; i < 30; ++i) Cancella(tra(1, 9), tra(1, 9), tra(1, 9));
        const Fotografia prima(m);

        std::string lista;
        for (int passo = 0; passo < 60; ++passo) {
            const int a = tra(1, 9), b = tra(1, 9), d = tra(1, 9);
            const std::string t = std::to_string(a), tb = std::to_string(b),
                              td = std::to_string(d);
            std::string voce;
            switch (tra(0, 12)) {
                case 0: {
                    if (m.Griglia[a][b] != 0) continue;
                    Metti(a, b, d);
                    voce = "E" + t + "," + tb + "," + td + "|";
                    break;
                }
                case 1: {
                    const char tipi[] = "RCQq";
                    const int v = tra(0, 3);
                    Record(a, b, d);
                    if (v == 0) m.AggiornaR(0);
                    if (v == 1) m.AggiornaC(0);
                    if (v == 2) m.AggiornaQR(0);
                    if (v == 3) m.AggiornaQC(0);
                    voce = std::string(1, tipi[v]) + t + "," + tb + "," + td + "|";
                    break;
                }
                case 2: {
                    const int v = tra(0, 3);
                    const std::string& coppia = v == 3 ? m.CoppieLineeQ[a] : m.CoppieLinee[a];
                    // The two units visited: boxes of the band or stack, or two lines.
                    std::string unita = coppia;
                    if (v >= 2) {
                        const int base = 3 * ((b - 1) / 3);
                        unita = std::to_string(base + 1) + std::to_string(base + 3);
                    }
                    RecordDue(a, unita, d);
                    const char tipi[] = "1243";
                    if (v == 0) m.AggiornaRcp(0);
                    if (v == 1) m.AggiornaCcp(0);
                    if (v == 2) m.AggiornaQRcp(0);
                    if (v == 3) m.AggiornaQCcp(0);
                    voce = std::string(1, tipi[v]) + t + "," + unita + "," + td + "|";
                    break;
                }
                case 3:
                case 4:
                case 5: {
                    Gruppo(insieme(), insieme());
                    const int v = tra(0, 7);
                    const char tipi[] = "XYSxys56";
                    switch (v) {
                        case 0: m.AggiornaGruppiR(a); break;
                        case 1: m.AggiornaGruppiC(a); break;
                        case 2: m.AggiornaGruppiQ(a); break;
                        case 3: m.AggiornaGruppiNumeriR(a); break;
                        case 4: m.AggiornaGruppiNumeriC(a); break;
                        case 5: m.AggiornaGruppiNumeriQ(a); break;
                        case 6: m.AggiornaSwordFishR(a); break;
                        default: m.AggiornaSwordFishC(a); break;
                    }
                    voce = std::string(1, tipi[v]) + t + "," + m.CelleGruppo + "," +
                           m.NumeriGruppo + "|";
                    break;
                }
                case 6: {
                    std::string triple;
                    for (int i = tra(0, 5); i > 0; --i)
                        triple += std::to_string(tra(1, 9)) + std::to_string(tra(1, 9)) +
                                  std::to_string(tra(1, 9));
                    m.AggiornaXYW(triple);
                    voce = std::string(tra(0, 1) ? "W" : "O") + "0," + triple + ",|";
                    break;
                }
                default: {
                    Cancella(a, b, d);
                    voce = "L" + t + "," + tb + "," + td + "|";
                    break;
                }
            }
            lista.insert(0, voce);
        }
        Annulla(lista);
        ASSERT_EQ(Fotografia(m), prima) << "giro " << giro;
        for (auto* liste : {&m.GruppiApplicatiR, &m.GruppiApplicatiC, &m.GruppiApplicatiQ,
                            &m.SwordFishApplicatiR, &m.SwordFishApplicatiC})
            for (int i = 1; i <= 9; ++i)
                for (int j = 1; j <= Motore::kSlotApplicati; ++j) {
                    const std::string& slot = (*liste)[i][j];
                    ASSERT_TRUE(slot.empty() || slot == "E") << slot;
                }
    }
}

}  // namespace
}  // namespace kenvaron
