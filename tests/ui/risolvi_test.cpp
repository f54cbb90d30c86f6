// "Risolvi" on the main window offscreen, with puzzles of the public sets
// checked by the independent solver, and the reasoning list, the technique
// name and the hint written into controls of the test's own.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "narration/ListaRagionamento.h"
#include "narration/Risoluzione.h"
#include "platform/Form.h"
#include "tests/core/BancoGenerazione.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"
#include "tests/ui/TabelloneProva.h"
#include "ui/Ragionamento.h"
#include "ui/Tabellone.h"

namespace kenvaron {
namespace {

class Risolvi : public TabelloneProva {
protected:
    void Clic() { ASSERT_TRUE(f->tlb1.Click("Risolvi")); }
    // The board as 81 digits, 0 for an empty cell.
    std::string Tabellone() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                const std::string t = f->gr.TextMatrix(IndiceGriglia(r), IndiceGriglia(c));
                s += t.empty() ? "0" : t;
            }
        return s;
    }
    std::string Conteggio() { return f->Stbr.Text("p2"); }
};

std::string Unica(const std::string& schema) {
    verifica::Celle unica{};
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(schema), 2, &unica), 1);
    return verifica::ComeTesto(unica);
}

TEST_F(Risolvi, OneSolutionIsDrawnWithItsCountEvenWhenTheSearchLeftTheGridPartial) {
    const std::string schema = verifica::LeggiSchemi("qqwing_expert.txt", 1)[0];
    Carica(schema);
    Clic();
    EXPECT_EQ(Tabellone(), Unica(schema));
    EXPECT_EQ(Conteggio(), "Trovate 1 soluzioni");
    EXPECT_EQ(f->condiviso().Sequenze[1], f->stato.livelli.CodiciTecniche);
    EXPECT_EQ(f->MousePointer(), 0);
    EXPECT_TRUE(f->tlb1.Button("Mostra")->Enabled());
    // Singles only: trials, and a search that goes on past the solution.
    Carica(schema);
    f->stato.livelli.CodiciTecniche = " ";
    Clic();
    EXPECT_FALSE(narrazione::TabellaPiena(f->motore().Griglia));
    EXPECT_EQ(Tabellone(), Unica(schema));
    EXPECT_EQ(Conteggio(), "Trovate 1 soluzioni");
}

TEST_F(Risolvi, TwoSolutionsShowOneNoneKeepsTheBoardAndTheLimitSaysAlmeno) {
    const std::string schema = verifica::ConDueSoluzioni(verifica::LeggiSchemi("qqwing_expert.txt", 3)[2]);
    ASSERT_FALSE(schema.empty());
    Carica(schema);
    Clic();
    EXPECT_EQ(Conteggio(), "Trovate 2 soluzioni");
    EXPECT_TRUE(verifica::SoluzioneDi(verifica::DaTesto(schema), verifica::DaTesto(Tabellone())));

    // Nothing fits: the board keeps what it showed.
    int dove = 0;
    const std::string impossibile =
        verifica::ConUnDatoSbagliato(verifica::LeggiSchemi("qqwing_expert.txt", 1)[0], dove);
    ASSERT_FALSE(impossibile.empty());
    Carica(impossibile);
    const std::string prima = Tabellone();
    Clic();
    EXPECT_EQ(Conteggio(), "Trovate 0 soluzioni");
    EXPECT_EQ(Tabellone(), prima);

    // Ten seconds further at every reading: the solve meets its 5-second limit at once.
    verifica::OrologioACatti veloce(10, 0, 0);
    Carica(verifica::LeggiSchemi("sudocue_superiors.txt", 1)[0]);
    f->motore().orologio = &veloce;
    Clic();
    f->motore().orologio = &OrologioDiSistema::Istanza();
    EXPECT_EQ(Conteggio(), "Trovate almeno 4 soluzioni");
    EXPECT_EQ(f->motore().ContaSoluz, 4);
}

TEST_F(Risolvi, AWrongGivenEmptiedAfterLoadingGivesTheFullSolutionOfWhatIsLeft) {
    const std::string schema = verifica::LeggiSchemi("sudocue_superiors.txt", 2)[1];
    int dove = 0;
    const std::string sbagliato = verifica::ConUnDatoSbagliato(schema, dove);
    ASSERT_FALSE(sbagliato.empty());
    Carica(sbagliato);
    f->stato.livelli.CodiciTecniche = " ";
    f->condiviso().Problema[dove / 9 + 1][dove % 9 + 1] = 0;
    f->Visualizza(f->condiviso().Problema);
    Clic();
    std::string svuotato = sbagliato;
    svuotato[dove] = '0';
    EXPECT_NE(Conteggio(), "Trovate 0 soluzioni");
    EXPECT_TRUE(verifica::SoluzioneDi(verifica::DaTesto(svuotato), verifica::DaTesto(Tabellone())));
}

TEST_F(Risolvi, AnalysisWritesNoCount) {
    Carica(verifica::LeggiSchemi("qqwing_expert.txt", 1)[0]);
    f->Stbr.SetText("p2", "prima");
    f->motore().Analisi = true;
    f->PreparaRisolvi();
    f->motore().Analisi = false;
    EXPECT_EQ(Conteggio(), "prima");
}

// ---- The list, the name and the hint in controls of their own ---------------------------------

class Controlli : public Risolvi {
protected:
    plat::Form finestra;
    plat::Grid gp{finestra};
    plat::StatusBar stbr{finestra};
    plat::Toolbar barra{finestra};
    Controlli() {
        stbr.Add("p1");
        stbr.Add("p2");
        barra.Add("Applica");
        gp.SetWidth(9000);
    }
};

TEST_F(Controlli, TheListFillsTheGridWithHiddenDataColoursAndTheCount) {
    Carica(verifica::LeggiSchemi("qqwing_expert.txt", 4)[3]);
    f->stato.livelli.CodiciTecniche = "SGDBC";
    f->condiviso().TecnicheAttive = {1, 1, 1, 1, 1, 1};
    f->motore().LimiteFor = 5;
    Clic();
    f->gr.SetRow(3);
    int mostrati = -1;
    MostraRag(gp, f->Stbr, &f->gr, f->motore(), mostrati);
    EXPECT_EQ(mostrati, f->motore().NumPassi);
    EXPECT_EQ(f->Stbr.Text("p2"), "Trovate 1 soluzioni");
    EXPECT_EQ(f->gr.Row(), 0);
    EXPECT_TRUE(gp.Redraw());
    EXPECT_EQ(gp.Cols(), 8);
    EXPECT_EQ(gp.RowHeight(0), 0);
    EXPECT_EQ(gp.ColWidth(0), 200);
    EXPECT_EQ(gp.ColWidth(3), 9000 - 560);
    for (int c : {1, 2, 4, 5, 6, 7}) EXPECT_EQ(gp.ColWidth(c), 0);
    // Step 20 and its continuation row.
    int r = 1;
    while (r < gp.Rows() && gp.TextMatrix(r, 6) != "20") ++r;
    ASSERT_LT(r + 1, gp.Rows());
    EXPECT_EQ(gp.TextMatrix(r + 1, 3), "020     Quindi   3 non in 2,8 , ");
    EXPECT_EQ(gp.TextMatrix(r + 1, 4), "2,8,3|/1,8,3|1,9,3|");
    gp.SetRow(r);
    gp.SetCol(0);
    EXPECT_EQ(gp.CellBackColor(), narrazione::kMagenta);
    EXPECT_EQ(gp.CellForeColor(), narrazione::kMagenta);
    gp.SetCol(3);
    EXPECT_TRUE(gp.CellFontBold());
    EXPECT_EQ(gp.CellAlignment(), plat::flexAlignLeftCenter);
    gp.SetRow(r + 1);
    EXPECT_FALSE(gp.CellFontBold());
    gp.SetCol(0);
    EXPECT_EQ(gp.CellBackColor(), 0);
    // The last row is the solution line, grey with its depth showing.
    gp.SetRow(gp.Rows() - 1);
    EXPECT_EQ(gp.CellBackColor(), narrazione::kGrigioSoluzione);
    EXPECT_EQ(gp.CellForeColor(), 0);
    EXPECT_NE(gp.TextMatrix(gp.Rows() - 1, 3).find("Soluzione n.1"), std::string::npos);

    // Its name, and the apply prompt only on the continuation row.
    const narrazione::ModoLista modo{1, 1, false};
    gp.SetRow(r);
    Vishelp(20, f->motore(), modo, gp, stbr, barra.Button("Applica"));
    EXPECT_EQ(stbr.Text("p2"), "Candidati Fissati");
    EXPECT_EQ(stbr.Text("p1"), "");
    EXPECT_FALSE(barra.Button("Applica")->Enabled());
    gp.SetRow(r + 1);
    Vishelp(20, f->motore(), modo, gp, stbr, barra.Button("Applica"));
    EXPECT_EQ(stbr.Text("p1"), "Tasto Dx: Applica");
    EXPECT_TRUE(barra.Button("Applica")->Enabled());

    VisAiuto(20, f->motore(), 2, f->Stbr);
    EXPECT_EQ(f->Stbr.Text("p2"), "Cerca Candidati Fissati per il numero 3");
    VisAiuto(20, f->motore(), 1, f->Stbr);
    EXPECT_EQ(f->Stbr.Text("p2"), "Cerca Candidati Fissati");

    // A new fill starts over; an empty log leaves row 0 alone and still writes the count.
    f->motore().NumPassi = 0;
    f->Stbr.SetText("p2", "");
    MostraRag(gp, f->Stbr, nullptr, f->motore(), mostrati);
    EXPECT_EQ(gp.Rows(), 1);
    EXPECT_EQ(f->Stbr.Text("p2"), "Trovate 1 soluzioni");
}

TEST_F(Controlli, AnEmptyTrialRecordKeepsItsRowOneTwipHigh) {
    Carica(verifica::LeggiSchemi("qqwing_expert.txt", 2)[1]);
    f->stato.livelli.CodiciTecniche = "C";
    f->condiviso().TecnicheAttive = {1, 1, 1, 1, 1, 1};
    f->condiviso().TecnicheAvanzate = {0, 0, 0};
    Clic();
    f->motore().Analisi = true;
    f->Stbr.SetText("p2", "prima");
    int mostrati = 0;
    MostraRag(gp, f->Stbr, nullptr, f->motore(), mostrati);
    f->motore().Analisi = false;
    EXPECT_EQ(f->Stbr.Text("p2"), "prima");
    int vuote = 0;
    for (int r = 1; r < gp.Rows(); ++r) {
        const int passo = std::stoi(gp.TextMatrix(r, 6));
        if (f->motore().LogPassi[passo].Testo != "Vuota") continue;
        ++vuote;
        EXPECT_EQ(gp.RowHeight(r), 1);
        EXPECT_EQ(gp.TextMatrix(r, 3), "");
        EXPECT_NE(gp.TextMatrix(r, 4), "");
    }
    EXPECT_GT(vuote, 0);
}

}  // namespace
}  // namespace kenvaron
