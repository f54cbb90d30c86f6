// The hidden developer buttons offscreen: hidden after load with their
// captions, the puzzle-and-solution line, the program's own files out of the
// developer files' reach, the row swap, the digit-slice file, the developer
// text file, the box tables on the board, statistics runs on an injected
// clock, the whole reasoning list, a close during the hill climb and the
// random experiment's caption.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "engine/Funzioni.h"
#include "engine/Orologio.h"
#include "engine/TestoSchema.h"
#include "generation/Sviluppo.h"
#include "narration/ListaRagionamento.h"
#include "tests/core/SolutoreIndipendente.h"
#include "tests/ui/FinestraProva.h"
#include "ui/Form2.h"
#include "ui/Salvataggio.h"
#include "ui/Tabellone.h"

namespace kenvaron::prova {
namespace {

// Needs more than singles, and no trial.
constexpr const char* kDifficile = "100040000007000103600500200800027030060803020030460001006004007901000600000080002";
constexpr const char* kSchema =
    "000000400029100006074920000000590080180000054090068000000059260600002570002000000";

class Sviluppo : public Finestra {
protected:
    void SetUp() override {
        Apri();
        Tabella t{};
        ASSERT_TRUE(LeggiSchema(kSchema, t));
        f->condiviso().Problema = t;
        f->motore().Griglia = t;
        f->motore().Griglia[1][1] = 8;  // the working grid differs from the puzzle
        f->motore().CelleDate = t;
    }
    std::string Cella(int r, int c) { return f->gr.TextMatrix(IndiceGriglia(r), IndiceGriglia(c)); }
};

TEST_F(Sviluppo, EveryDeveloperControlIsHiddenWithItsCaption) {
    const std::pair<const char*, const char*> attese[] = {
        {"Command1", "Nuovo Sudoku"}, {"Command4", "Abbassa un Livello"}, {"Command5", "Generazione"},
        {"Command8", "Ruota"},        {"Cmdriparti", "Riparti "},         {"cmdSalvaPS", "salva probl e soluz"},
        {"cmdScambiariga", "scambiariga"}, {"cmdscambiacolonna", "scambiaacolonna"},
        {"Command3", "Calcolavalore"}, {"CmDazzeraVal", "AzzeraMaxvalore"}, {"Command2", "vis sol"},
        {"Command14", "Command14"}, {"CmdComplica", "Complica"}, {"RiduciNuovo", "RiduciNuovo "},
        {"semplNuovo", "semplNuovo"}, {"CmdComplicaGen", "CompilcaGen"}, {"cmdComplica2", "complica2"},
        {"ModoNuovo", "ModoNuovo"}, {"ModoRandom", "Random"}, {"probl41", "probl41"},
        {"Command17", "Command17"}, {"Command18", "GeneraCod"}, {"Command19", "RecupRisC"},
        {"Command20", "RecupRisM"}};
    for (const auto& [nome, didascalia] : attese) {
        ASSERT_NE(f->Bottone(nome), nullptr) << nome;
        EXPECT_EQ(f->Bottone(nome)->Caption(), didascalia);
    }
    EXPECT_EQ(f->Bottone("Command99"), nullptr);
    for (const char* nome : {"Command1", "Command7", "CmdSemplifica", "CmdTogliSemplici", "Command10",
                             "Command12", "Command16", "cmdSalvaPS", "Command2", "Command11", "cmdComplica2",
                             "ModoRandom", "Command17", "Command20"})
        EXPECT_FALSE(f->Bottone(nome)->Visible()) << nome;
    EXPECT_EQ(f->Timer1.Interval(), 1);
    EXPECT_FALSE(f->Timer1.Enabled());
}

TEST_F(Sviluppo, TheButtonsReachTheirHandlers) {
    f->Text1.SetText("qualcosa");
    f->Bottone("Command10")->Click();
    EXPECT_EQ(f->Text1.Text(), "");
    f->stato.generazione.MaxValore = 77;
    f->Bottone("CmDazzeraVal")->Click();
    EXPECT_EQ(f->stato.generazione.MaxValore, 0);
    f->motore().Soluzione[2][3] = 6;
    f->stato.FlagVisPoss = 1;
    f->motore().NumCellePiene = 0;
    f->Bottone("Command2")->Click();
    EXPECT_EQ(f->stato.FlagVisPoss, 0);
    EXPECT_EQ(Cella(2, 3), "6");
    // The drawing counts the solution's filled cells.
    int piene = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) piene += f->motore().Soluzione[r][c] != 0;
    EXPECT_EQ(f->motore().NumCellePiene, piene);
}

TEST_F(Sviluppo, PuzzleAndGridLinesAreAppended) {
    f->cmdSalvaPS_Click();
    f->Bottone("cmdSalvaPS")->Click();
    std::string griglia = kSchema;
    griglia[0] = '8';
    const std::string riga = std::string(kSchema) + "," + griglia + "\r\n";
    EXPECT_EQ(riga.size(), 165u);
    EXPECT_EQ(cartella.Leggi("tmpsuper.txt"), riga + riga);
    EXPECT_TRUE(Domandati("messaggio").empty());
}

TEST_F(Sviluppo, TheDeveloperFilesNeverWriteIntoTheProgramsOwnFiles) {
    cartella.Scrivi("Kenvaron.txt", "il pool");
    fs::create_symlink("Kenvaron.txt", cartella.percorso / "tmpsuper.txt");
    fs::create_symlink("Kenvaron.rtf", cartella.percorso / "z.txt");
    f->cmdSalvaPS_Click();
    f->Command16_Click();
    EXPECT_EQ(Domandati("messaggio"),
              (std::vector<std::string>{"File " + (cartella.percorso / "tmpsuper.txt").string() + " non salvato",
                                        "File " + (cartella.percorso / "z.txt").string() + " non salvato"}));
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), "il pool");
    EXPECT_FALSE(fs::exists(cartella.percorso / "Kenvaron.rtf"));
}

TEST_F(Sviluppo, RowSwapMovesPuzzleAndGridButNotTheGivens) {
    const Tabella prima = f->condiviso().Problema, grigliaPrima = f->motore().Griglia;
    for (const char* cattiva : {"0x", "", "1", "1 2"}) {
        risposte.domande.push_back(std::string(cattiva));
        f->cmdScambiariga_Click();
    }
    risposte.domande.push_back(std::nullopt);
    f->cmdscambiacolonna_Click();
    EXPECT_EQ(f->condiviso().Problema, prima);
    EXPECT_EQ(f->motore().Griglia, grigliaPrima);

    risposte.domande.push_back(std::string("12"));
    f->cmdScambiariga_Click();
    const auto& p = f->condiviso().Problema;
    const auto& g = f->motore().Griglia;
    for (int c = 1; c <= 9; ++c) {
        EXPECT_EQ(p[1][c], prima[2][c]);
        EXPECT_EQ(p[2][c], prima[1][c]);
        EXPECT_EQ(p[8][c], prima[9][c]);
        EXPECT_EQ(p[9][c], prima[8][c]);
        EXPECT_EQ(g[2][c], grigliaPrima[1][c]);
        EXPECT_EQ(g[9][c], grigliaPrima[8][c]);
    }
    EXPECT_EQ(f->motore().CelleDate, prima);
    EXPECT_EQ(Cella(1, 2), prima[2][2] ? std::to_string(prima[2][2]) : "");
    const auto domande = Domandati("domanda");
    EXPECT_EQ(domande.front(), "scambia riga");
    EXPECT_EQ(domande[4], "scambia colonna");
}

TEST_F(Sviluppo, SliceFileAndDeveloperText) {
    f->Command16_Click();
    f->Command16_Click();  // rewritten, not appended
    const std::string s = kSchema;
    EXPECT_EQ(cartella.Leggi("z.txt"), s + "\r\n" + s.substr(0, 20) + "\r\n" + s.substr(20, 20) + "\r\n" +
                                           s.substr(40, 20) + "\r\n" + s.substr(60) + "\r\n");

    f->Text1.SetText("prima");
    f->Text2.SetText("  ");
    f->Command12_Click();  // no tmp.ss: nothing changes, nothing is asked
    EXPECT_EQ(f->Text2.Text(), "tmp");
    EXPECT_EQ(f->Text1.Text(), "prima");
    const std::string s2 = kSchema;
    cartella.Scrivi("tmp.ss", s2.substr(0, 40) + "\r\n" + s2.substr(40, 40) + "\n" + s2.substr(80) + "\r\n");
    f->Command12_Click();
    EXPECT_EQ(f->Text1.Text(), kSchema);
    EXPECT_TRUE(Domandati("messaggio").empty());
    EXPECT_TRUE(Domandati("apri").empty());
}

TEST_F(Sviluppo, BoxTablesShowOnAnEmptyGrid) {
    f->motore().Griglia = Tabella{};
    f->VisualizzaTabellaStr();
    EXPECT_EQ(Cella(4, 5), "5/2");
    f->VisualizzaTabellaStr2();
    EXPECT_EQ(Cella(5, 2), "4/5");
    EXPECT_EQ(Cella(9, 9), "9/9");
}

TEST_F(Sviluppo, FermaEsecuzioneAsksTheStop) {
    f->Frame1.SetVisible(true);
    f->FermaEsecuzione();
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
    EXPECT_FALSE(f->Frame1.Visible());
}

TEST_F(Sviluppo, AStoppedStatisticsRunEndsAfterOneTick) {
    OrologioFinto orologio;
    f->motore().orologio = &orologio;
    f->txtSec.SetText("0");
    f->Txtmax.SetText("non un numero");
    f->stato.generazione.Chiudi = 1;  // no generation: the tick only does its bookkeeping
    f->Command14_Click();
    EXPECT_TRUE(f->Timer1.Enabled());
    EXPECT_TRUE(f->stato.generazione.ProvaCronometrata);
    EXPECT_EQ(f->statistica.ValoreObiettivo, 0);
    EXPECT_EQ(f->statistica.MigliorValoreStatistica, -1);
    EXPECT_EQ(f->stato.generazione.Chiudi, 0);
    // Command14 restarted the board.
    EXPECT_EQ(f->condiviso().Problema, Tabella{});

    f->condiviso().Problema[5][5] = 3;
    f->stato.generazione.Chiudi = 1;
    f->motore().ProfonditaMax = 2;
    f->motore().Valore = 900;
    orologio.Avanza(1.0);
    f->Timer1_Timer();
    // The try needed a trial: logged, counted in class 0, nothing dumped.
    EXPECT_EQ(f->Text1.Text().substr(f->Text1.Text().size() - 1), "_");
    ASSERT_EQ(f->List1.ListCount(), 1);
    EXPECT_EQ(f->List1.List(0), "00 1");
    EXPECT_FALSE(f->Timer1.Enabled());
    EXPECT_FALSE(f->stato.generazione.ProvaCronometrata);
    EXPECT_EQ(f->stato.generazione.Chiudi, 0);
    // No tick beat -1: the board keeps its last puzzle.
    EXPECT_EQ(f->condiviso().Problema[5][5], 3);
    EXPECT_EQ(f->Label2.Caption(), " 1 -1");
    f->motore().orologio = &OrologioDiSistema::Istanza();
}

TEST_F(Sviluppo, TheStatisticsRunWithTarget0EndsAtTheFirstPositiveMeritShowingIt) {
    OrologioFinto orologio;
    f->motore().orologio = &orologio;
    f->MnuEstremo_Click();
    f->TxtMin.SetText("0");  // no early reject: every try is simplified
    f->Txtmax.SetText("0");
    f->txtSec.SetText("9999");
    f->Command14_Click();
    int ticks = 0;
    while (f->Timer1.Enabled() && ticks < 30) {
        ++ticks;
        orologio.Avanza(2.0);
        f->Timer1_Timer();
        if (f->Timer1.Enabled()) {  // the class replaced the merit
            EXPECT_EQ(f->motore().Valore, 0);
        }
    }
    ASSERT_FALSE(f->Timer1.Enabled());
    const CorsaStatistica& corsa = f->statistica;
    ASSERT_GT(corsa.MigliorValoreStatistica, 0);
    EXPECT_EQ(f->Text1.Text(), "");  // no try needed a trial
    const int classe = ClasseMerito(corsa.MigliorValoreStatistica);
    ASSERT_EQ(f->List1.ListCount(), 2);
    EXPECT_EQ(f->List1.List(0), "00 " + std::to_string(ticks - 1));
    EXPECT_EQ(f->List1.List(1), Format(classe, "00") + " 1");
    EXPECT_EQ(f->Label2.Caption(),
              " " + std::to_string(2 * ticks) + " " + std::to_string(corsa.MigliorValoreStatistica));
    // The best puzzle is on the board with its solution.
    EXPECT_EQ(f->condiviso().Problema, corsa.ProblemaMiglioreStatistica);
    EXPECT_EQ(f->motore().Soluzione, corsa.SoluzioneMiglioreStatistica);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(SchemaTesto(f->condiviso().Problema)), 2), 1);
    EXPECT_FALSE(f->stato.generazione.ProvaCronometrata);
    EXPECT_EQ(f->stato.generazione.ModoInterrogativo, 0);
    EXPECT_EQ(f->MousePointer(), 0);
    f->motore().orologio = &OrologioDiSistema::Istanza();
}

TEST_F(Sviluppo, AStatisticsTickOfClass5OrMoreDumpsThePuzzle) {
    f->MnuEstremo_Click();
    f->Txtmax.SetText("0");
    cartella.Scrivi("tmpsv12_01.txt", "di una corsa prima\r\n");
    f->Command14_Click();
    // The tick's generation stops at once and the rating solves this puzzle.
    f->Text1.SetText(kDifficile);
    ASSERT_TRUE(f->Text1_DblClick());
    f->Text1.SetText("");
    f->stato.generazione.Chiudi = 1;
    f->Timer1_Timer();
    ASSERT_EQ(ClasseMerito(f->statistica.MigliorValoreStatistica), 12);
    // An earlier run's dump of the same class and count is overwritten.
    EXPECT_EQ(cartella.Leggi("tmpsv12_01.txt"), std::string(kDifficile) + "\r\n");
    EXPECT_EQ(f->List1.List(0), "12 1");
    EXPECT_FALSE(f->Timer1.Enabled());
}

TEST_F(Sviluppo, Command17ListsTheWholeReasoningAndPutsTheWindowBack) {
    f->motore().Soluzione = Tabella{};
    f->motore().Risolvi(1);
    const int passi = f->motore().NumPassi;
    ASSERT_GT(passi, 1);
    f->Move(900, 600);
    f->Stbr.SetText("p2", "vecchio");
    bool mostrata = false;
    risposte.finestraModale = [&](plat::Form& w) {
        mostrata = true;
        ASSERT_EQ(&w, static_cast<plat::Form*>(f->Sequenza()));
        EXPECT_EQ(f->Left(), 0);
        EXPECT_EQ(f->Top(), 600);
        const Form2& s = *f->Sequenza();
        int visibili = 0;
        for (int i = 1; i < s.gp.Rows(); ++i) visibili += s.gp.RowHeight(i) > 1;
        EXPECT_GE(visibili, passi / 2);  // every step shows, not one at a time
        EXPECT_NE(s.gp.TextMatrix(1, narrazione::kColTesto).find("1"), std::string::npos);
        w.Unload();
    };
    f->Bottone("Command17")->Click();
    EXPECT_TRUE(mostrata);
    EXPECT_EQ(f->Left(), 900);
    EXPECT_EQ(f->Top(), 600);
    EXPECT_EQ(f->Stbr.Text("p2"), "");
    EXPECT_EQ(f->Sequenza(), nullptr);
}

class SviluppoCedevole : public Sviluppo {
protected:
    void SetUp() override {
        Crea(std::make_unique<FinestraCedevole>());
        w = static_cast<FinestraCedevole*>(f.get());
        f->Show();
        Tabella t{};
        ASSERT_TRUE(LeggiSchema(kSchema, t));
        f->condiviso().Problema = t;
        f->motore().orologio = &orologio;
        // The solution the passes put back from.
        verifica::Celle soluzione{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(kSchema), 2, &soluzione), 1);
        ASSERT_TRUE(LeggiSchema(verifica::ComeTesto(soluzione), f->motore().Soluzione));
    }
    void TearDown() override { f->motore().orologio = &OrologioDiSistema::Istanza(); }
    OrologioFinto orologio;
    FinestraCedevole* w = nullptr;
};

TEST_F(SviluppoCedevole, ACloseDuringComplica2EndsItAtThatYieldAndThenTheWindow) {
    w->aOgniCessione = [&] {
        if (w->cessioni == 1) {
            EXPECT_EQ(f->Label2.Caption().substr(0, 3), "1\r\n");
            f->Unload();
        }
    };
    f->Bottone("cmdComplica2")->Click();
    EXPECT_EQ(w->cessioni, 1);
    EXPECT_TRUE(f->stato.ChiusuraRinviata());
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->motore().SenzaTentativi);
    EXPECT_EQ(f->MousePointer(), 0);
    // The best puzzle found stays: the start, or a harder one on the same solution.
    const Tabella& p = f->condiviso().Problema;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (p[r][c] != 0) {
                EXPECT_EQ(p[r][c], f->motore().Soluzione[r][c]);
            }
}

TEST_F(SviluppoCedevole, RandomWritesItsProgressInTheCaption) {
    f->ChkSimm.SetValue(plat::vbUnchecked);
    f->Bottone("ModoRandom")->Click();
    EXPECT_EQ(f->Caption(), "91 " + std::to_string(f->stato.generazione.MaxValore));
}

}  // namespace
}  // namespace kenvaron::prova
