// The main window offscreen: start-up state, toolbar and menus, the board,
// closing with the save question, a close during a computation, and the
// command line of the program itself.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/Dialogs.h"
#include "platform/System.h"
#include "platform/Units.h"
#include "tests/ui/FinestraProva.h"
#include "ui/Form1.h"
#include "ui/Form5.h"
#include "ui/Programma.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;
using prova::CartellaProva;
using prova::Finestra;

const std::vector<std::string> kChiaviSenzaRegole{
    "Nuovo",  "s1",      "s0",   "Aiuto",   "SingoloStep", "Risolvi", "Mostra", "s2",
    "Analisi", "s3",     "Copia", "Incolla", "s5",          "UndoAll", "Undo",   "s7",
    "Validi", "Schema",  "s9",   "Stampa",  "s10",         "Uscita"};

const std::vector<std::string> kSuggerimentiSenzaRegole{
    "Nuovo Sudoku", "Aiuto ", "Suggerimento", "Risolvi",  "Lista ragionamento",
    "Analisi",      "Copia",  "Incolla",      "Ricomincia", "Annulla",
    "Visualizza Candidati Validi", "Visualizza schema", "Stampa", "Esci"};

TEST_F(Finestra, ToolbarWithoutTheRulesFileHas22EntriesInOrder) {
    Apri();
    EXPECT_EQ(Chiavi(), kChiaviSenzaRegole);
    EXPECT_EQ(Suggerimenti(), kSuggerimentiSenzaRegole);
    EXPECT_EQ(f->tlb1.Button("s0")->Style(), plat::tbrPlaceholder);
    EXPECT_EQ(f->tlb1.Button("s0")->Width(), 300);
    EXPECT_EQ(f->tlb1.Button("s7")->Width(), 500);
    EXPECT_EQ(f->tlb1.Button("s1")->Style(), plat::tbrSeparator);
}

TEST_F(Finestra, ToolbarWithTheRulesFileHasCalcolaValoreAfterS0) {
    cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");
    Apri();
    std::vector<std::string> chiavi = kChiaviSenzaRegole;
    chiavi.insert(chiavi.begin() + 3, "CalcolaValore");
    EXPECT_EQ(Chiavi(), chiavi);
    std::vector<std::string> suggerimenti = kSuggerimentiSenzaRegole;
    suggerimenti.insert(suggerimenti.begin() + 1, "Calcola Valore");
    EXPECT_EQ(Suggerimenti(), suggerimenti);
    EXPECT_EQ(f->tlb1.Button("CalcolaValore")->Image(), "Aiutino");
}

TEST_F(Finestra, AtStartOnlyNuovoAndIncollaAreEnabledAndTheLevelIsImpegnativo) {
    Apri();
    for (int i = 1; i <= f->tlb1.Count(); ++i) {
        const plat::ToolbarButton& b = f->tlb1.ButtonAt(i);
        EXPECT_EQ(b.Enabled(), b.Key() == "Nuovo" || b.Key() == "Incolla") << b.Key();
    }
    for (const char* m : {"MnuFile", "MnuLivelli", "mnuOpzioni", "mnuAiuto", "mnuInf0"})
        EXPECT_TRUE(f->Menu(m)->Enabled()) << m;
    EXPECT_EQ(f->Stbr.Text("p3"), "Impegnativo");
    EXPECT_TRUE(f->Menu("MnuNormale")->Checked());
    EXPECT_FALSE(f->Menu("mnuSemplice")->Checked());
    EXPECT_FALSE(f->Menu("mnuSemplice2")->Enabled());
    EXPECT_EQ(f->stato.livelli.Livello, "N");
    EXPECT_EQ(f->condiviso().Sequenze[1], "S");
    EXPECT_EQ(f->condiviso().Sequenze[7], "DSGBC");
    EXPECT_EQ(f->motore().Turni[Motore::kS], 1);
    EXPECT_EQ(f->motore().Turni[Motore::kG], 0);
    EXPECT_EQ(f->motore().LimiteFor, 5);
    EXPECT_EQ(f->motore().IsalvaValidi, -1);
    EXPECT_EQ(f->CmbR.Text(), "Molto Complicato");
    EXPECT_EQ(f->Cmbf.Text(), "Difficile");
    EXPECT_EQ(f->CmbC.ListCount(), 8);
    EXPECT_EQ(f->CmbC.Text(), "23 caselle");
    EXPECT_EQ(f->txtSec.Text(), "9999");
    EXPECT_EQ(f->ChkSimm.Value(), plat::vbChecked);
    EXPECT_TRUE(f->stato.impostazioni.SoloAngolari);
    EXPECT_EQ(f->stato.RidisegnoGriglia, true);
    EXPECT_EQ(f->Left(), 0);
    EXPECT_EQ(f->Top(), 0);
    EXPECT_EQ(f->Caption(), "Kenvaron");
    // The setting controls and the pop-ups are never seen; the board is.
    for (plat::Control* c : f->Controls())
        if (c->Tag == "V") {
            EXPECT_FALSE(c->Visible());
        }
    EXPECT_FALSE(f->Frame1.Visible());
    EXPECT_FALSE(f->Frame2.Visible());
    EXPECT_TRUE(f->gr.Visible());
    EXPECT_FALSE(f->gra.Visible());
    EXPECT_NEAR(f->gr.Width(), 6530, plat::TwipPerPixel);  // whole pixels
    EXPECT_EQ(f->stato.GiaAttivato, 1);
}

TEST_F(Finestra, CommandStatesSwitchTheToolbarAndTheMenusButNeverTheQuestionMark) {
    Apri();
    f->settaBottoni(1);
    for (int i = 1; i <= f->tlb1.Count(); ++i) EXPECT_FALSE(f->tlb1.ButtonAt(i).Enabled());
    EXPECT_FALSE(f->Menu("MnuLivelli")->Enabled());
    EXPECT_FALSE(f->Menu("mnuAiuto")->Enabled());
    EXPECT_TRUE(f->Menu("mnuInf0")->Enabled());
    f->settaBottoni(2);
    EXPECT_TRUE(f->tlb1.Button("Uscita")->Enabled());
    EXPECT_FALSE(f->tlb1.Button("Mostra")->Enabled());
    EXPECT_FALSE(f->tlb1.Button("Undo")->Enabled());
    EXPECT_FALSE(f->tlb1.Button("UndoAll")->Enabled());
    EXPECT_TRUE(f->Menu("MnuFile")->Enabled());
    f->settaBottoni(0);
    EXPECT_FALSE(f->tlb1.Button("Risolvi")->Enabled());
    EXPECT_TRUE(f->Menu("MnuFile")->Enabled());  // mode 0 leaves the menus
    f->tlb1.Button("Risolvi")->SetEnabled(true);
    f->settaBottoni(7);  // an unknown mode changes nothing
    EXPECT_TRUE(f->tlb1.Button("Risolvi")->Enabled());
}

TEST_F(Finestra, LevelMenusMoveTheCheckMarkAndNameTheLevelInTheStatusBar) {
    Apri();
    f->Menu("mnuClassico")->Choose();
    EXPECT_TRUE(f->Menu("mnuClassico")->Checked());
    EXPECT_FALSE(f->Menu("MnuNormale")->Checked());
    EXPECT_EQ(f->Stbr.Text("p3"), "Classico");
    EXPECT_EQ(f->motore().LimiteFor, 3);
    f->Menu("mnuSuperSemplice")->Choose();
    EXPECT_EQ(f->Stbr.Text("p3"), "Supersimm. semplice");
    EXPECT_TRUE(f->stato.impostazioni.SuperSimmetrico);
    // Its options window opened, and closing it kept the level's values.
    EXPECT_EQ(Domandati("finestra"), std::vector<std::string>{"Livello SuperSimmetrico semplice"});
    f->Menu("mnuPersonalizzato")->Choose();
    EXPECT_EQ(f->Stbr.Text("p3"), "Personalizzato");
    EXPECT_TRUE(f->Menu("mnuPersonalizzato")->Checked());
    EXPECT_FALSE(f->Menu("mnuSuperSemplice")->Checked());
    EXPECT_FALSE(f->stato.impostazioni.SuperSimmetrico);
    EXPECT_EQ(f->stato.livelli.CodiciTecniche, " ");
    // "Non so" leaves no entry checked; its hidden combos keep their choice.
    f->CmbR.SetListIndex(1);
    f->mnuSemplice2_Click();
    EXPECT_EQ(f->Stbr.Text("p3"), "Non so");
    for (const char* m : kVociLivelloSpuntabili) EXPECT_FALSE(f->Menu(m)->Checked()) << m;
    EXPECT_EQ(f->motore().IndiceRagionamento, 1);
    f->Menu("MnuEsperto")->Choose();
    EXPECT_EQ(f->CmbR.ListIndex(), 4);
    EXPECT_EQ(f->motore().IndiceRagionamento, 4);
}

TEST_F(Finestra, BoardCountsFilledCellsGivensBlackUserDigitsBlue) {
    Apri();
    Tabella t{};
    f->Visualizza(t);
    EXPECT_EQ(f->motore().NumCellePiene, 0);
    EXPECT_EQ(f->gr.TextMatrix(IndiceGriglia(5), IndiceGriglia(5)), "");
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) t[r][c] = static_cast<Byte>((3 * (r - 1) + (r - 1) / 3 + c - 1) % 9 + 1);
    f->motore().CelleDate[2][7] = t[2][7];
    f->Visualizza(t);
    f->gr.SetRedraw(f->stato.RidisegnoGriglia);
    EXPECT_EQ(f->motore().NumCellePiene, 81);
    f->gr.SetRow(IndiceGriglia(2));
    f->gr.SetCol(IndiceGriglia(7));
    EXPECT_EQ(f->gr.Text(), std::to_string(t[2][7]));
    EXPECT_EQ(f->gr.CellForeColor(), kColoreNero);
    EXPECT_TRUE(f->gr.CellFontBold());
    EXPECT_EQ(f->gr.CellFontSize(), 14);
    f->gr.SetRow(IndiceGriglia(8));
    f->gr.SetCol(IndiceGriglia(3));
    EXPECT_EQ(f->gr.Text(), std::to_string(t[8][3]));
    EXPECT_EQ(f->gr.CellForeColor(), kColoreBlu);
    // A separator between the boxes is blue.
    f->gr.SetRow(5);
    f->gr.SetCol(3);
    EXPECT_EQ(f->gr.CellBackColor(), kColoreBlu);
    // The generator's question mode hides the digits: red, then blue once accepted.
    f->stato.generazione.ModoInterrogativo = 1;
    f->Visualizza(t);
    f->gr.SetRow(IndiceGriglia(8));
    f->gr.SetCol(IndiceGriglia(3));
    EXPECT_EQ(f->gr.Text(), "?");
    EXPECT_EQ(f->gr.CellForeColor(), kColoreRosso);
    f->stato.generazione.SudokuDisponibile = true;
    f->Visualizza(t);
    f->gr.SetRow(IndiceGriglia(8));
    f->gr.SetCol(IndiceGriglia(3));
    EXPECT_EQ(f->gr.CellForeColor(), kColoreBlu);
}

TEST_F(Finestra, CandidateViewShowsTheCountersStillAt50) {
    Apri();
    Motore& m = f->motore();
    m.Inizializza();
    m.Griglia[1][1] = 3;
    m.Possibili[1][2][4] = 49;
    f->stato.RidisegnoGriglia = false;
    f->VisualizzaValidi(m.Possibili);
    EXPECT_FALSE(f->gr.Redraw());
    EXPECT_EQ(f->gr.TextMatrix(2, 2), "3");
    EXPECT_EQ(f->gr.TextMatrix(2, 3), "12356789");
    f->gr.SetRow(2);
    f->gr.SetCol(3);
    EXPECT_EQ(f->gr.CellFontSize(), 7);
    // All nine candidates fit between the cell's margins and its line in the
    // face the cell's font resolves to: without the narrow face Qt falls back
    // to a wider one.
    const QFont carattere = f->gr.CellFont();
    const double interno = (f->gr.ColWidth(3) - 2 * plat::Grid::MargineTesto) / static_cast<double>(plat::TwipPerPixel) - 1;
    EXPECT_LE(QFontMetricsF(carattere).horizontalAdvance("123456789"), interno)
        << QFontInfo(carattere).family().toStdString();
    // The puzzle drawn again: digits in the board's own face.
    f->Visualizza(f->condiviso().Problema);
    f->gr.SetRow(2);
    f->gr.SetCol(3);
    EXPECT_EQ(f->gr.CellFontName(), "MS Sans Serif");
}

TEST_F(Finestra, ClosingAnUnchangedPuzzleAsksNothing) {
    Apri();
    EXPECT_TRUE(f->Unload());
    EXPECT_TRUE(risposte.domandati.empty());
    EXPECT_EQ(f->condiviso().CodiceStop, 1);
}

TEST_F(Finestra, AChangedPuzzleAsksAndCancelKeepsTheWindowOpen) {
    Apri();
    Cambia();
    risposte.messaggi = {plat::vbCancel};
    EXPECT_FALSE(f->CloseRequested());
    EXPECT_TRUE(f->Loaded());
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(f->condiviso().CodiceStop, 0);
    ASSERT_EQ(Domandati("messaggio"), std::vector<std::string>{"Salvare lo schema attuale?"});
    EXPECT_EQ(risposte.domandati[0].pulsanti, plat::vbYesNoCancel);
    EXPECT_EQ(risposte.domandati[0].titolo, "Kenvaron");

    // Yes, then a cancelled save dialog: still open and still changed.
    risposte.messaggi = {plat::vbYes};
    f->tlb1.Button("Uscita")->SetEnabled(true);
    EXPECT_TRUE(f->tlb1.Click("Uscita"));
    EXPECT_TRUE(f->Loaded());
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_EQ(Domandati("salva"), std::vector<std::string>{"File SUDOKU|*.txt;*.ss"});
    EXPECT_EQ(f->Caption(), "Kenvaron   <>");

    // No: the window closes without saving.
    risposte.messaggi = {plat::vbNo};
    f->Menu("mnuEsci")->Choose();
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(f->condiviso().CodiceStop, 1);
}

TEST_F(Finestra, YesSavesTheBoardAsOneLineAndCloses) {
    Apri();
    Cambia();
    const std::string file = (cartella.percorso / "mio.txt").string();
    risposte.messaggi = {plat::vbYes};
    risposte.file = {file};
    EXPECT_TRUE(f->Unload());
    EXPECT_EQ(cartella.Leggi("mio.txt"), "5" + std::string(80, '0') + "\r\n");
    EXPECT_EQ(f->stato.SchemaModificato, 0);
    EXPECT_EQ(f->Caption(), "Kenvaron   <mio.txt>");
}

TEST_F(Finestra, AFailedSaveSaysSoAndKeepsThePuzzleChanged) {
    Apri();
    Cambia();
    const std::string file = (cartella.percorso / "manca" / "mio.txt").string();
    risposte.messaggi = {plat::vbYes};
    risposte.file = {file};
    EXPECT_FALSE(f->Unload());
    EXPECT_TRUE(f->Loaded());
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_EQ(Domandati("messaggio"),
              (std::vector<std::string>{"Salvare lo schema attuale?", "Schema " + file + " non salvato"}));
    EXPECT_EQ(f->Caption(), "Kenvaron");
}

TEST_F(Finestra, ACloseDuringAComputationWaitsForItAndAsksOnlyOnce) {
    Apri();
    Cambia();
    {
        Form1::CalcoloLungo esterno(*f);
        {
            Form1::CalcoloLungo interno(*f);  // started inside the outer one's yield
            risposte.messaggi = {plat::vbNo};
            EXPECT_FALSE(f->CloseRequested());
            EXPECT_TRUE(f->Loaded());
            EXPECT_EQ(f->stato.generazione.Chiudi, 1);
            EXPECT_FALSE(f->CloseRequested());  // a second close only waits too
        }
        EXPECT_TRUE(f->Loaded());  // the outer computation is still running
        EXPECT_EQ(f->condiviso().CodiceStop, 0);
    }
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(f->condiviso().CodiceStop, 1);
    EXPECT_EQ(Domandati("messaggio").size(), 1u);
}

TEST_F(Finestra, EscStopsARunningGenerationAndEndsOnlyBatchProduction) {
    Apri();
    f->KeyTyped(27);
    EXPECT_EQ(f->stato.generazione.Chiudi, 0);
    EXPECT_EQ(fini, 0);
    f->stato.generazione.GenerazioneInCorso = true;
    f->KeyTyped(27);
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
    EXPECT_EQ(fini, 0);
    f->stato.generazione.GeneraAuto = true;
    f->KeyTyped(27);
    EXPECT_EQ(fini, 1);
}

TEST_F(Finestra, BatchModePutsTheResultsGridInTheBoardsPlaceAndEnds) {
    Crea();
    f->stato.generazione.GeneraAuto = true;
    bool risultatiVisibili = false, tabelloneVisibile = true;
    int larghezza = 0;
    f->FineProgramma = [&] {
        ++fini;
        risultatiVisibili = f->gra.Visible();
        tabelloneVisibile = f->gr.Visible();
        larghezza = f->gra.Width();
    };
    f->Show(plat::vbModal);
    EXPECT_EQ(fini, 1);
    EXPECT_TRUE(risultatiVisibili);
    EXPECT_FALSE(tabelloneVisibile);
    EXPECT_EQ(larghezza, 2 * f->gr.Width());
    EXPECT_EQ(f->gra.Left(), f->gr.Left());
}

TEST_F(Finestra, ALaterActivationOnlyLetsTheBoardRedrawAgain) {
    Apri();
    f->gr.SetVisible(false);
    f->stato.RidisegnoGriglia = false;
    plat::Form altra;
    altra.Show(plat::vbModal);  // the responder closes it, and the main window is active again
    EXPECT_TRUE(f->stato.RidisegnoGriglia);
    EXPECT_FALSE(f->gr.Visible());  // the start-up did not run twice
    EXPECT_EQ(f->stato.GiaAttivato, 1);
}

TEST_F(Finestra, AMaximisedWindowReturnsToNormal) {
    Apri();
    f->SetWindowState(plat::vbMaximized);
    EXPECT_EQ(f->WindowState(), plat::vbNormal);
}

// ---- The program's entry --------------------------------------------------------------

TEST_F(Finestra, EntryShowsTheWindowForAnyLineButProdAndNothingForProdWithoutRules) {
    EXPECT_EQ(Main("/prod"), 0);
    EXPECT_TRUE(Domandati("finestra").empty());
    EXPECT_EQ(Main("/PROD"), 0);
    EXPECT_EQ(Domandati("finestra"), std::vector<std::string>{"Kenvaron"});
    EXPECT_EQ(Main("/prod altro"), 0);
    EXPECT_EQ(Domandati("finestra").size(), 2u);
}

// Runs a copy of the program in the test's folder, so that the rules file is
// looked for there.
class Programma : public ::testing::Test {
protected:
    Programma() {
        eseguibile = (cartella.percorso / "kenvaron").string();
        fs::copy_file(KENVARON_ESEGUIBILE, eseguibile);
        processo.setProgram(QString::fromStdString(eseguibile));
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert("QT_QPA_PLATFORM", "offscreen");
        processo.setProcessEnvironment(ambiente);
    }
    ~Programma() override {
        if (processo.state() != QProcess::NotRunning) {
            processo.kill();
            processo.waitForFinished(5000);
        }
    }
    CartellaProva cartella;
    std::string eseguibile;
    QProcess processo;
};

TEST_F(Programma, ProdWithoutTheRulesFileEndsAtOnceWithExitCode0) {
    processo.setArguments({"/prod"});
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(10000));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 0);
    EXPECT_TRUE(processo.readAllStandardOutput().isEmpty());
}

TEST_F(Programma, ProdWithTheRulesFileRunsTheBatchBranchAndEnds) {
    cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");
    processo.setArguments({"/prod"});
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(10000));
    EXPECT_EQ(processo.exitCode(), 0);
    EXPECT_FALSE(fs::exists(cartella.percorso / "Kenvaron.txt"));
}

TEST_F(Programma, ProdLeavesThePoolFileByteIdentical) {
    cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");
    const std::string pool = "4321X123|X\r\nseconda riga";
    cartella.Scrivi("Kenvaron.txt", pool);
    processo.setArguments({"/prod"});
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(10000));
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), pool);
}

TEST_F(Programma, UpperCaseProdIsInteractiveAndKeepsItsWindowOpen) {
    cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");
    processo.setArguments({"/PROD"});
    processo.start();
    ASSERT_TRUE(processo.waitForStarted(10000));
    EXPECT_FALSE(processo.waitForFinished(1500));
    EXPECT_EQ(processo.state(), QProcess::Running);
    // Interactive use reads the pool file, created empty when missing.
    EXPECT_TRUE(fs::exists(cartella.percorso / "Kenvaron.txt"));
}

}  // namespace
}  // namespace kenvaron
