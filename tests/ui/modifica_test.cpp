// Editing the board: clicks and the two pop-ups, givens, values and strikes
// taken back one by one or all at once, hints accepted from the reasoning
// window, manual composition, "Riparti " and "Ruota".
#include "tests/ui/TabelloneProva.h"

namespace kenvaron {
namespace {

constexpr long kRosa = 12632319;

using Modifica = TabelloneProva;

TEST_F(Modifica, ClicksSnapOffTheSeparatorsAndTheHeaderOpensNothing) {
    Carica(std::string(81, '0'));
    // Grid row (or column) clicked -> grid row of the cell that opens.
    const std::vector<std::pair<int, int>> aggancio{{1, 2}, {5, 6}, {9, 10}, {13, 12}, {7, 7}};
    for (const auto& [g, atteso] : aggancio) {
        f->NascondiFrame();
        Clic(g, g);
        EXPECT_TRUE(f->Frame1.Visible()) << g;
        EXPECT_EQ(f->stato.RigaGriglia, atteso) << g;
        EXPECT_EQ(f->stato.ColonnaGriglia, atteso) << g;
    }
    f->NascondiFrame();
    for (const auto& [riga, colonna] : std::vector<std::pair<int, int>>{{0, 3}, {3, 0}}) {
        f->gr.SetRow(riga);
        f->gr.SetCol(colonna);
        f->gr_Click();
        EXPECT_FALSE(f->Frame1.Visible());
        EXPECT_FALSE(f->Frame2.Visible());
    }
}

TEST_F(Modifica, TheRightButtonOffersExactlyTheCandidatesOfTheCellUnderTheMouse) {
    Carica(schema);
    f->gr.SetRow(2);
    f->gr.SetCol(2);  // the current cell is elsewhere: the mouse decides
    const int vuota = static_cast<int>(schema.find('0'));
    const int r = vuota / 9 + 1, c = vuota % 9 + 1;
    ClicCella(r, c, Qt::RightButton);
    ASSERT_TRUE(f->Frame2.Visible());
    EXPECT_FALSE(f->Frame1.Visible());
    EXPECT_EQ(f->stato.ModoSelezione, "C");
    // The candidates from the puzzle itself: digits absent from the cell's units.
    std::string attesi;
    for (int d = 1; d <= 9; ++d) {
        bool libero = true;
        for (int i = 0; i < 81; ++i) {
            const int ri = i / 9 + 1, ci = i % 9 + 1;
            const bool pari = ri == r || ci == c || ((ri - 1) / 3 == (r - 1) / 3 && (ci - 1) / 3 == (c - 1) / 3);
            if (pari && schema[static_cast<std::size_t>(i)] == '0' + d) libero = false;
        }
        if (libero) attesi += static_cast<char>('0' + d);
    }
    ASSERT_FALSE(attesi.empty());
    std::string offerti;
    for (int d = 1; d <= 9; ++d)
        if (f->LabelC[static_cast<std::size_t>(d)]->Enabled()) offerti += static_cast<char>('0' + d);
    EXPECT_EQ(offerti, attesi);
    EXPECT_FALSE(f->LabelC[10]->Enabled());
    EXPECT_EQ(f->LabelC[10]->BackColor(), 0xFF);

    // A strike: one record, and the digit is no longer offered.
    const int d = attesi[0] - '0';
    f->LabelC_Click(d);
    EXPECT_FALSE(f->Frame2.Visible());
    EXPECT_EQ(f->condiviso().NumMosse, 1);
    EXPECT_TRUE(Abilitato("Undo"));
    ClicCella(r, c, Qt::RightButton);
    EXPECT_FALSE(f->LabelC[static_cast<std::size_t>(d)]->Enabled());
    // Opening the value pop-up leaves the candidate pop-up open.
    ClicCella(r, c);
    EXPECT_TRUE(f->Frame1.Visible());
    EXPECT_TRUE(f->Frame2.Visible());
}

TEST_F(Modifica, PopUpsOfTheCornerCellsStayInsideTheWindow) {
    Carica(schema);
    for (const auto& [r, c] : std::vector<std::pair<int, int>>{{1, 1}, {9, 9}, {1, 9}, {9, 1}}) {
        if (f->motore().CelleDate[r][c] != 0) risposte.messaggi.push_back(plat::vbYes);
        ClicCella(r, c);
        EXPECT_TRUE(f->Frame1.Visible()) << r << c;
        EXPECT_TRUE(Dentro(f->Frame1)) << r << c;
        f->NascondiFrame();
    }
}

TEST_F(Modifica, AGivenAsksFirstNoChangesNothingYesWritesAndItStaysAGiven) {
    Carica(schema);
    const int data = static_cast<int>(schema.find_first_not_of('0'));
    const int r = data / 9 + 1, c = data % 9 + 1;
    risposte.messaggi = {plat::vbNo, plat::vbYes};
    ClicCella(r, c);
    EXPECT_FALSE(f->Frame1.Visible());
    EXPECT_EQ(Domandati("messaggio"), std::vector<std::string>{"Intendi modificare un valore iniziale del SUDOKU"});
    EXPECT_EQ(f->stato.SchemaModificato, 0);
    ClicCella(r, c);
    ASSERT_TRUE(f->Frame1.Visible());
    const int nuovo = schema[static_cast<std::size_t>(data)] == '9' ? 1 : schema[static_cast<std::size_t>(data)] - '0' + 1;
    f->Label1_Click(nuovo);
    EXPECT_EQ(f->condiviso().Problema[r][c], nuovo);
    EXPECT_NE(f->motore().CelleDate[r][c], 0);
    EXPECT_EQ(f->gr.TextMatrix(IndiceGriglia(r), IndiceGriglia(c)), std::to_string(nuovo));
}

TEST_F(Modifica, AValueShowsAndUndoEmptiesTheCellAndMarksItPink) {
    Carica(schema);
    const int vuota = static_cast<int>(schema.find('0'));
    const int r = vuota / 9 + 1, c = vuota % 9 + 1, g = IndiceGriglia(r), h = IndiceGriglia(c);
    ClicCella(r, c);
    EXPECT_EQ(f->stato.ModoSelezione, "N");
    f->Label1_Click(4);
    EXPECT_EQ(f->gr.TextMatrix(g, h), "4");
    EXPECT_EQ(f->condiviso().Problema[r][c], 4);
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_TRUE(Abilitato("Undo"));
    EXPECT_TRUE(Abilitato("UndoAll"));
    // "     X" only closes; "0" on an empty cell still counts as a move.
    ClicCella(r, c);
    f->Label1_Click(11);
    EXPECT_FALSE(f->Frame1.Visible());
    EXPECT_EQ(f->condiviso().NumMosse, 1);
    ClicCella(9, 9);
    const bool vuota99 = f->condiviso().Problema[9][9] == 0;
    if (vuota99) {
        f->Label1_Click(10);
        EXPECT_EQ(f->condiviso().NumMosse, 2);
        ASSERT_TRUE(f->tlb1.Click("Undo"));
    }
    f->stato.SchemaModificato = 0;
    ASSERT_TRUE(f->tlb1.Click("Undo"));
    EXPECT_EQ(f->condiviso().Problema[r][c], 0);
    EXPECT_EQ(f->gr.TextMatrix(g, h), "");
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_FALSE(Abilitato("Undo"));
    EXPECT_FALSE(Abilitato("UndoAll"));
    f->gr.SetRow(g);
    f->gr.SetCol(h);
    EXPECT_EQ(f->gr.CellBackColor(), kRosa);
    // Undo on an empty stack only closes the pop-ups.
    ClicCella(r, c);
    f->AnnullaMossa();
    EXPECT_FALSE(f->Frame1.Visible());
    EXPECT_EQ(Problema(), schema);
}

TEST_F(Modifica, UndoAllAfterValuesAndStrikesRestoresBoardAndCountersExactly) {
    Carica(schema);
    const Tabella problema = f->condiviso().Problema;
    const TabellaCandidati possibili = f->motore().Possibili;
    int mosse = 0;
    for (int i = 0; i < 81 && mosse < 12; ++i) {
        if (schema[static_cast<std::size_t>(i)] != '0') continue;
        const int r = i / 9 + 1, c = i % 9 + 1;
        ClicCella(r, c, mosse % 2 ? Qt::RightButton : Qt::LeftButton);
        if (mosse % 2) {
            for (int d = 1; d <= 9; ++d)
                if (f->LabelC[static_cast<std::size_t>(d)]->Enabled()) {
                    f->LabelC_Click(d);
                    break;
                }
        } else {
            f->Label1_Click(mosse % 9 + 1);
        }
        ++mosse;
    }
    ASSERT_EQ(f->condiviso().NumMosse, 12);
    ASSERT_NE(f->condiviso().Problema, problema);
    ASSERT_TRUE(f->tlb1.Click("UndoAll"));
    EXPECT_EQ(f->condiviso().Problema, problema);
    EXPECT_EQ(f->motore().Possibili, possibili);
    EXPECT_EQ(f->condiviso().NumMosse, 0);
    EXPECT_FALSE(Abilitato("Undo"));
    EXPECT_EQ(f->stato.SchemaModificato, 1);
}

TEST_F(Modifica, AcceptingNoHintStillEnablesUndoAndMarksTheBoardChanged) {
    Carica(schema);
    const std::vector<std::string> vuoto(1);
    f->AccettaSuggerimento(vuoto, vuoto, 0);
    EXPECT_TRUE(Abilitato("Undo"));
    EXPECT_TRUE(Abilitato("UndoAll"));
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_EQ(f->condiviso().NumMosse, 0);
}

TEST_F(Modifica, CompositionTurnsTheEntriesIntoGivensAndSolvesThem) {
    Carica(schema);
    f->stato.SchemaModificato = 0;
    const int altezza = f->ScaleHeight();
    f->Menu("mnuManuale")->Choose();
    ASSERT_TRUE(f->tlb2.Visible());
    ASSERT_EQ(f->tlb2.Count(), 1);
    plat::ToolbarButton& fine = f->tlb2.ButtonAt(1);
    EXPECT_EQ(fine.Key(), "Fine");
    EXPECT_EQ(fine.Caption(), "Termina ");
    EXPECT_EQ(fine.ToolTipText(), "Termina composizione manuale  SUDOKU");
    // The window grew by the new toolbar: the whole board, row 9 included, is in sight.
    EXPECT_EQ(f->ScaleHeight(), altezza);
    EXPECT_TRUE(Dentro(f->gr));
    EXPECT_EQ(f->Caption(), "Kenvaron");
    EXPECT_EQ(Problema(), std::string(81, '0'));
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    for (int i = 1; i <= f->tlb1.Count(); ++i) EXPECT_FALSE(f->tlb1.ButtonAt(i).Enabled());
    EXPECT_FALSE(f->Menu("MnuFile")->Enabled());

    // The first row of the puzzle, typed in; a slip taken back.
    for (int c = 1; c <= 9; ++c) {
        ClicCella(1, c);
        ASSERT_TRUE(f->Frame1.Visible());
        f->Label1_Click(schema[static_cast<std::size_t>(c - 1)] == '0' ? 10 : schema[static_cast<std::size_t>(c - 1)] - '0');
    }
    ClicCella(5, 5);
    f->Label1_Click(1);
    EXPECT_TRUE(Abilitato("Undo"));
    EXPECT_FALSE(Abilitato("Risolvi"));
    ASSERT_TRUE(f->tlb1.Click("Undo"));
    EXPECT_TRUE(Domandati("messaggio").empty());  // no cell was a given

    ASSERT_TRUE(f->tlb2.Click("Fine"));
    const std::string atteso = schema.substr(0, 9) + std::string(72, '0');
    EXPECT_EQ(Problema(), atteso);
    EXPECT_EQ(Cifre(f->motore().CelleDate), atteso);
    EXPECT_FALSE(Abilitato("Undo"));
    EXPECT_FALSE(Abilitato("UndoAll"));
    EXPECT_TRUE(Abilitato("Copia"));
    EXPECT_EQ(f->condiviso().NumMosse, 0);
    EXPECT_TRUE(verifica::SoluzioneDi(verifica::DaTesto(atteso), verifica::DaTesto(Cifre(f->motore().Soluzione))));
    EXPECT_TRUE(f->tlb2.Visible());
    EXPECT_EQ(f->tlb2.Count(), 0);
    EXPECT_EQ(f->ScaleHeight(), altezza);  // the empty toolbar keeps its room
    for (int c = 1; c <= 9; ++c) {
        f->gr.SetRow(2);
        f->gr.SetCol(IndiceGriglia(c));
        if (schema[static_cast<std::size_t>(c - 1)] != '0') {
            EXPECT_EQ(f->gr.CellForeColor(), kColoreNero) << c;
        }
    }

    // A second composition, ended at once on the empty board.
    risposte.messaggi.push_back(plat::vbNo);  // the composed puzzle is not saved
    f->Menu("mnuManuale")->Choose();
    EXPECT_EQ(f->tlb2.Count(), 1);
    EXPECT_EQ(f->ScaleHeight(), altezza);
    ASSERT_TRUE(f->tlb2.Click("Fine"));
    EXPECT_EQ(Cifre(f->motore().CelleDate), std::string(81, '0'));
    EXPECT_TRUE(verifica::SoluzioneDi(verifica::DaTesto(std::string(81, '0')), verifica::DaTesto(Cifre(f->motore().Soluzione))));
}

TEST_F(Modifica, CancellingTheSaveQuestionLeavesTheCompositionUnstarted) {
    Carica(schema);
    f->stato.SchemaModificato = 1;
    risposte.messaggi.push_back(plat::vbCancel);
    f->Menu("mnuManuale")->Choose();
    EXPECT_FALSE(f->tlb2.Visible());
    EXPECT_EQ(Problema(), schema);
    EXPECT_TRUE(Abilitato("Copia"));
}

TEST_F(Modifica, RestartEmptiesTheBoardAndFourTurnsGiveItBack) {
    Carica(schema);
    const std::string soluzione = Cifre(f->motore().Soluzione);
    const int vuota = static_cast<int>(schema.find('0'));
    ClicCella(vuota / 9 + 1, vuota % 9 + 1, Qt::RightButton);
    ASSERT_TRUE(f->Frame2.Visible());
    f->LabelC_Click(1);
    const int mosse = f->condiviso().NumMosse;
    f->Command8_Click();
    Tabella girato = f->condiviso().Problema;
    EXPECT_EQ(girato[1][1], schema[8] - '0');  // the top-right corner moves to the top-left
    for (int k = 0; k < 3; ++k) f->Command8_Click();
    EXPECT_EQ(Problema(), schema);
    EXPECT_EQ(Cifre(f->motore().Soluzione), soluzione);

    f->Cmdriparti_Click();
    EXPECT_EQ(Problema(), std::string(81, '0'));
    EXPECT_EQ(Cifre(f->motore().CelleDate), std::string(81, '0'));
    EXPECT_EQ(Cifre(f->motore().Soluzione), soluzione);
    EXPECT_EQ(f->condiviso().NumMosse, mosse);
    EXPECT_EQ(f->gr.TextMatrix(2, 2), "");
    // A former given is a plain cell now: no question.
    const int data = static_cast<int>(schema.find_first_not_of('0'));
    ClicCella(data / 9 + 1, data % 9 + 1);
    EXPECT_TRUE(f->Frame1.Visible());
    EXPECT_TRUE(Domandati("messaggio").empty());
}

}  // namespace
}  // namespace kenvaron
