// The main window's commands offscreen: the command states, the toolbar's dispatcher, the "Nuovo" loop
// around a stand-in generator, the background option and its pool file, and
// the toolbar fitting the window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QToolBar>
#include <algorithm>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>

#include "background/Impostazioni.h"
#include "tests/ui/FinestraProva.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;
using prova::Finestra;

class Comandi : public Finestra {
protected:
    // What each command state enables: state 0 "Nuovo" and "Incolla", state 1
    // nothing, state 2 all but "Mostra" and the two undo buttons.
    static bool Abilitato(int modo, const std::string& k) {
        if (modo == 0) return k == "Nuovo" || k == "Incolla";
        if (modo == 2) return k != "Mostra" && k != "Undo" && k != "UndoAll";
        return false;
    }
    void ControllaStato(int modo) {
        for (int i = 1; i <= f->tlb1.Count(); ++i) {
            const plat::ToolbarButton& b = f->tlb1.ButtonAt(i);
            EXPECT_EQ(b.Enabled(), Abilitato(modo, b.Key())) << modo << " " << b.Key();
        }
        EXPECT_TRUE(f->Menu("mnuInf0")->Enabled());
        EXPECT_TRUE(f->Menu("mnuInformazioni")->Enabled());
    }
};

TEST_F(Comandi, TheToolbarFollowsTheCommandState) {
    cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");  // "CalcolaValore" is there too
    Apri();
    ASSERT_NE(f->tlb1.Button("CalcolaValore"), nullptr);
    ControllaStato(0);
    for (int modo : {1, 2, 0, 2}) {
        f->settaBottoni(modo);
        ControllaStato(modo);
        for (const char* m : {"MnuFile", "MnuLivelli", "mnuOpzioni", "mnuAiuto"})
            EXPECT_EQ(f->Menu(m)->Enabled(), modo != 1) << m;
    }
    EXPECT_TRUE(f->tlb1.Button("Uscita")->Enabled());
    f->AbilitaBottone("Nuovo", false);
    f->AbilitaBottone("Undo", true);
    EXPECT_FALSE(f->tlb1.Button("Nuovo")->Enabled());
    EXPECT_TRUE(f->tlb1.Button("Undo")->Enabled());
    f->AbilitaBottone("Uscita", false);
    EXPECT_FALSE(f->tlb1.Button("Uscita")->Enabled());
    for (const char* m : {"mnuNuovo", "mnuManuale", "mnuApri", "mnuSalva", "mnuStampa", "mnuEsci"})
        EXPECT_TRUE(f->Menu(m)->Enabled()) << m;
    // A greyed button does nothing when clicked.
    EXPECT_FALSE(f->tlb1.Click("Nuovo"));
}

// ---- The dispatcher -------------------------------------------------------------------

TEST_F(Comandi, EveryClickClearsTheResultPanelAndTheStopFlagButNotAWaitingClose) {
    Apri();
    f->Stbr.SetText("p2", "Trovate 1 soluzioni");
    f->stato.generazione.Chiudi = 1;
    f->tlb1_ButtonClick(*f->tlb1.Button("s1"));
    EXPECT_EQ(f->Stbr.Text("p2"), "");
    EXPECT_EQ(f->stato.generazione.Chiudi, 0);

    Form1::CalcoloLungo calcolo(*f);
    EXPECT_FALSE(f->CloseRequested());  // waits for the computation, which is asked to stop
    ASSERT_EQ(f->stato.generazione.Chiudi, 1);
    f->tlb1_ButtonClick(*f->tlb1.Button("Copia"));
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
}

TEST_F(Comandi, SolveAndReasoningKeysSetTheirModesAndTheTurnsOfTheLevel) {
    Apri();
    f->tlb1.Add("Aiutino");  // no button carries it, yet the dispatcher knows it
    const std::pair<const char*, std::pair<int, int>> casi[] = {
        {"SingoloStep", {1, 0}}, {"Aiutino", {1, 1}}, {"Aiuto", {1, 2}}, {"Mostra", {0, 0}}, {"Analisi", {0, 0}}};
    for (const auto& [chiave, atteso] : casi) {
        f->stato.SingoloStep = 9;
        f->stato.LivelloAiuto = 9;
        f->stato.livelli.CodiciTecniche = "gs";
        f->motore().Turni = {};
        f->tlb1_ButtonClick(*f->tlb1.Button(chiave));
        EXPECT_EQ(f->stato.SingoloStep, atteso.first) << chiave;
        EXPECT_EQ(f->stato.LivelloAiuto, atteso.second) << chiave;
        EXPECT_EQ(f->stato.livelli.CodiciTecniche, "GS") << chiave;
        EXPECT_EQ(f->motore().Turni[Motore::kG], 1) << chiave;
        EXPECT_FALSE(f->motore().Analisi) << chiave;
        EXPECT_EQ(f->MousePointer(), plat::vbDefault) << chiave;
    }
    f->stato.livelli.CodiciTecniche = "sdg";
    f->tlb1_ButtonClick(*f->tlb1.Button("Risolvi"));
    EXPECT_EQ(f->stato.livelli.CodiciTecniche, "SDG");
    EXPECT_EQ(f->motore().Turni[Motore::kD], 2);
}

TEST_F(Comandi, UndoKeysMarkThePuzzleChangedAndIncollaAsksFirst) {
    Apri();
    for (const char* chiave : {"Undo", "UndoAll"}) {
        f->stato.SchemaModificato = 0;
        f->tlb1_ButtonClick(*f->tlb1.Button(chiave));
        EXPECT_EQ(f->stato.SchemaModificato, 1) << chiave;
    }
    f->SetCaption("Kenvaron   <a.txt>");
    risposte.messaggi = {plat::vbCancel};
    f->tlb1_ButtonClick(*f->tlb1.Button("Incolla"));
    EXPECT_EQ(Domandati("messaggio"), std::vector<std::string>{"Salvare lo schema attuale?"});
    EXPECT_EQ(f->Caption(), "Kenvaron   <a.txt>");
    risposte.messaggi = {plat::vbNo};
    plat::Clipboard::SetText("12");
    f->tlb1_ButtonClick(*f->tlb1.Button("Incolla"));
    EXPECT_EQ(f->Caption(), "Kenvaron");
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    // "Uscita" closes the window (the save question says No).
    risposte.messaggi = {plat::vbNo};
    f->tlb1_ButtonClick(*f->tlb1.Button("Uscita"));
    EXPECT_FALSE(f->Loaded());
}

// ---- The "Nuovo" loop -----------------------------------------------------------------

// Solved by singles alone, and one that needs trials at level "Impegnativo".
const std::string kFacile =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
const std::string kDifficile =
    "800000000003600000070090200050007000000045700000100030001000068008500010090000400";

// The main window with a generator that hands out given puzzles, then none.
class Form1ConGeneratore : public Form1 {
public:
    std::vector<std::string> schemi;
    std::vector<int> mosse;  // the undo stack's count at every request
    void Cmdcomplic4_Click() override {
        mosse.push_back(condiviso().NumMosse);
        condiviso().NumMosse = 3;
        stato.generazione.SudokuDisponibile = mosse.size() <= schemi.size();
        if (!stato.generazione.SudokuDisponibile) return;
        const std::string& s = schemi[mosse.size() - 1];
        for (int k = 0; k < 81; ++k) condiviso().Problema[k / 9 + 1][k % 9 + 1] = static_cast<Byte>(s[k] - '0');
    }
};

class Nuovo : public Finestra {
protected:
    void SetUp() override {
        auto g = std::make_unique<Form1ConGeneratore>();
        gen = g.get();
        Crea(std::move(g));
        f->Show();
    }
    Form1ConGeneratore* gen = nullptr;
};

TEST_F(Nuovo, CancelAtTheSaveQuestionChangesNothing) {
    Cambia();
    f->SetCaption("Kenvaron   <a.txt>");
    f->condiviso().NumMosse = 5;
    risposte.messaggi = {plat::vbCancel};
    f->mnuNuovo_Click();
    EXPECT_TRUE(gen->mosse.empty());
    EXPECT_EQ(f->condiviso().NumMosse, 5);
    EXPECT_EQ(f->Caption(), "Kenvaron   <a.txt>");
    EXPECT_EQ(f->condiviso().Problema[1][1], 5);
}

TEST_F(Nuovo, NoAcceptedPuzzleEndsTheLoopAtOnceMarkedChangedWithTheBareCaption) {
    f->SetCaption("Kenvaron   <a.txt>");
    f->condiviso().NumMosse = 5;
    f->tlb1_ButtonClick(*f->tlb1.Button("Nuovo"));
    EXPECT_EQ(gen->mosse, std::vector<int>{0});
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    EXPECT_EQ(f->Caption(), "Kenvaron");
}

TEST_F(Nuovo, APuzzleNeedingATrialIsDiscardedWithTheUndoStackEmptiedEachTime) {
    gen->schemi = {kDifficile, kFacile};
    risposte.messaggi = {plat::vbNo};
    Cambia();
    f->Menu("mnuNuovo")->Click();
    EXPECT_EQ(gen->mosse, (std::vector<int>{0, 0}));
    EXPECT_EQ(f->motore().ProfonditaMax, 1);
    EXPECT_EQ(f->condiviso().Problema[1][2], 3);
    EXPECT_EQ(Domandati("messaggio").size(), 1u);
}

TEST_F(Nuovo, AWindowCloseDuringTheLoopEndsItAndThenTheWindow) {
    gen->schemi = {kDifficile, kDifficile, kDifficile};
    {
        Form1::CalcoloLungo esterno(*f);
        f->CloseRequested();  // waits, and asks the running work to stop
        f->CicloNuovo();
        EXPECT_EQ(gen->mosse.size(), 1u);  // an accepted puzzle but a waiting close: no second try
        EXPECT_TRUE(f->Loaded());
    }
    EXPECT_FALSE(f->Loaded());
}

// ---- The background option and the pool file ------------------------------------------------

class Sfondo : public Finestra {
protected:
    std::string Linea() const { return cartella.Leggi(kFileImpostazioni); }
    std::string Opzione() const {
        const std::string l = Linea();
        return l.size() >= 4 ? l.substr(l.size() - 4) : l;
    }
};

TEST_F(Sfondo, TheToggleRewritesThePoolFileAndStartsOrStopsTheGenerator) {
    Apri();
    EXPECT_TRUE(fs::is_regular_file(cartella.percorso / kFileImpostazioni));  // created empty
    EXPECT_FALSE(f->Menu("mnuAttivaBackGround")->Checked());
    EXPECT_FALSE(sfondo->Timer2.Enabled());
    f->condiviso().CodiceStop = 2;
    f->Menu("mnuAttivaBackGround")->Choose();
    EXPECT_TRUE(f->Menu("mnuAttivaBackGround")->Checked());
    EXPECT_EQ(Opzione(), "1X\r\n");
    EXPECT_EQ(f->condiviso().CodiceStop, 0);
    EXPECT_TRUE(sfondo->Timer2.Enabled());
    f->Menu("mnuAttivaBackGround")->Choose();
    EXPECT_EQ(Opzione(), "0X\r\n");
    EXPECT_EQ(f->condiviso().CodiceStop, 2);
    EXPECT_TRUE(sfondo->Timer2.Enabled());
}

TEST_F(Sfondo, OpeningRemovesTheOldLeftoversOfKilledPoolWritesOnly) {
    // One left by a write killed an hour ago, one that may be another
    // program's write going on now.
    for (const char* nome : {".kenvaron-vecchio12345", ".kenvaron-giovane12345"}) cartella.Scrivi(nome, "avanzo");
    const timespec ora{std::time(nullptr) - 3600, 0};
    const timespec tempi[2] = {ora, ora};
    ASSERT_EQ(::utimensat(AT_FDCWD, (cartella.percorso / ".kenvaron-vecchio12345").c_str(), tempi, 0), 0);
    Apri();
    EXPECT_FALSE(fs::exists(cartella.percorso / ".kenvaron-vecchio12345"));
    EXPECT_TRUE(fs::exists(cartella.percorso / ".kenvaron-giovane12345"));
}

TEST_F(Sfondo, TheOptionIsFoundAsLeftAndSlotsWrittenByHandSurvive) {
    // A line written by hand: seed 0, slot 1 of pool C holds a puzzle.
    const std::string schema = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
    cartella.Scrivi(kFileImpostazioni, "0XX772343002631135332234133143400162030900237339322380136142002042203894305030"
                                       "350053|XXXX1X\r\n");
    Apri();
    EXPECT_TRUE(f->Menu("mnuAttivaBackGround")->Checked());
    EXPECT_EQ(f->condiviso().CodiceStop, 0);
    EXPECT_TRUE(sfondo->Timer2.Enabled());
    EXPECT_EQ(f->condiviso().SchemiBkgC[1], schema);
    f->mnuAttivaBackGround_Click();
    Condiviso letto;
    EXPECT_FALSE(CaricaImpostazioni(letto, (cartella.percorso / kFileImpostazioni).string()));
    EXPECT_EQ(letto.SchemiBkgC[1], schema);
}

TEST_F(Sfondo, AToggleBeforeTheFirstActivationOrInBatchModeNeverWrites) {
    const std::string stored = "5X1|X\r\n";
    cartella.Scrivi(kFileImpostazioni, stored);
    Crea();
    f->mnuAttivaBackGround_Click();
    EXPECT_EQ(Linea(), stored);
    EXPECT_TRUE(sfondo->Timer2.Enabled());

    Crea();
    f->stato.generazione.GeneraAuto = true;
    f->Show();
    EXPECT_EQ(fini, 1);
    f->mnuAttivaBackGround_Click();
    f->SalvaImpostazioni();
    EXPECT_EQ(Linea(), stored);
}

TEST_F(Sfondo, TheBackgroundFormOwnsAnEngineOfItsOwnAndItsStopEndsTheProgram) {
    Apri();
    Motore& bkg = sfondo->motore();
    EXPECT_NE(&bkg, &f->motore());
    EXPECT_TRUE(bkg.Sfondo);
    EXPECT_FALSE(f->motore().Sfondo);
    EXPECT_EQ(&bkg.stato, &f->condiviso());
    EXPECT_EQ(sfondo->generatore().Livello, "C");
    // A puzzle made in the background leaves the board and the main engine alone.
    f->condiviso().Problema[2][2] = 8;
    const Tabella problema = f->condiviso().Problema;
    const Tabella griglia = f->motore().Griglia;
    ASSERT_TRUE(sfondo->generatore().Command1_Click());
    EXPECT_NE(f->condiviso().ProblemaF5, Tabella{});
    EXPECT_EQ(f->condiviso().Problema, problema);
    EXPECT_EQ(f->motore().Griglia, griglia);
    // A closing main window: the next yield ends the program.
    const Tabella fatto = f->condiviso().ProblemaF5;
    f->condiviso().CodiceStop = 1;
    EXPECT_FALSE(sfondo->generatore().Command1_Click());
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->condiviso().ProblemaF5, fatto);
    f->condiviso().CodiceStop = 0;
}

// ---- The toolbar fits the window ----------------------------------------------------------

TEST_F(Comandi, EveryToolbarButtonLiesInsideTheWindow) {
    for (bool regole : {false, true}) {
        if (regole) cartella.Scrivi("Kenvaron.ini", "[REGOLE]\n");
        Apri();
        QWidget* finestra = f->Widget();
        // Let the window lay itself out as it does on a screen.
        QCoreApplication::processEvents();
        for (int i = 1; i <= f->tlb1.Count(); ++i) {
            const plat::ToolbarButton& b = f->tlb1.ButtonAt(i);
            if (b.Style() != plat::tbrDefault) continue;
            QWidget* w = f->tlb1.Widget()->widgetForAction(b.Action());
            ASSERT_NE(w, nullptr) << b.Key();
            EXPECT_TRUE(w->isVisible()) << b.Key();
            const QPoint destra = w->mapTo(finestra, QPoint(w->width(), w->height()));
            EXPECT_LE(destra.x(), finestra->width()) << b.Key();
            EXPECT_LE(destra.y(), finestra->height()) << b.Key();
        }
        // The window widened for the toolbar keeps the board at its margin on
        // the left, as far from the edge as from the top, so that the
        // reasoning window beside the board gets the room.
        ASSERT_GT(f->ScaleWidth(), f->gr.Width() + 2 * f->gr.Top());
        EXPECT_EQ(f->gr.Left(), f->gr.Top());
        // Nor can the user make the window narrower than the toolbar.
        f->SetWidth(1500);
        EXPECT_GE(finestra->width(), f->tlb1.Widget()->sizeHint().width());
    }
}

}  // namespace
}  // namespace kenvaron
