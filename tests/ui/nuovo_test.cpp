// "Nuovo" in the window, offscreen: the pool puzzle and its slot, the coded
// puzzle of "Impegnativo", the empty board of "Semplice", the search of
// "Difficile" with Esc before and after a puzzle is available, the command
// states during and after, the state every exit leaves, a close asked for
// during the search, and the loop taking the next pool puzzle when one needs
// a trial.  The clock stands still unless a yield moves it.
#include <gtest/gtest.h>

#include <functional>

#include "background/Impostazioni.h"
#include "generation/Nuovo.h"
#include "tests/core/SolutoreIndipendente.h"
#include "tests/ui/FinestraProva.h"

namespace kenvaron {
namespace {

using prova::Finestra;
namespace fs = std::filesystem;

constexpr const char* kDifficile = "100040000007000103600500200800027030060803020030460001006004007901000600000080002";
constexpr const char* kImpegnativo =
    "060102000020930806010000030900005004006000200400600005090000020205081040000509070";

// The window with a hook at every yield and a count of the driver's calls.
class FinestraNuovo final : public prova::FinestraCedevole {
public:
    void Cmdcomplic4_Click() override {
        ++chiamate;
        Form1::Cmdcomplic4_Click();
    }
    void Esc() { KeyTyped(27); }
    int chiamate = 0;
};

class NuovoFinestra : public Finestra {
protected:
    void SetUp() override {
        Crea(std::make_unique<FinestraNuovo>());
        w = static_cast<FinestraNuovo*>(f.get());
        f->Show();
        f->motore().orologio = &orologio;
        f->CaricaImpostazioni();
    }
    void TearDown() override { f->motore().orologio = &OrologioDiSistema::Istanza(); }
    std::string Tavola() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + f->condiviso().Problema[r][c]);
        return s;
    }
    bool Bottone(const char* chiave) { return f->tlb1.Button(chiave)->Enabled(); }
    // The state every exit of the driver leaves.
    void ControllaUscita() {
        const StatoGenerazione& g = f->stato.generazione;
        EXPECT_FALSE(g.GenerazioneInCorso);
        EXPECT_EQ(g.ModoInterrogativo, 0);
        EXPECT_FALSE(f->motore().SenzaTentativi);
        EXPECT_EQ(f->MousePointer(), 0);
        for (const char* p : {"p1", "p2"}) {
            EXPECT_EQ(f->Stbr.Text(p), "") << p;
            EXPECT_EQ(f->Stbr.Panel(p)->ToolTipText(), "") << p;
        }
        EXPECT_EQ(f->condiviso().NumMosse, 0);
    }
    OrologioFinto orologio;
    FinestraNuovo* w = nullptr;
};

TEST_F(NuovoFinestra, APoolPuzzleIsShownAndItsSlotLeavesThePoolAndTheFile) {
    f->MnuNormale_Click();
    f->condiviso().SchemiBkgN[2] = kImpegnativo;
    f->condiviso().SchemiBkgN[4] = kImpegnativo;
    f->Menu("mnuAttivaBackGround")->SetChecked(true);
    f->mnuNuovo_Click();
    EXPECT_EQ(Tavola(), kImpegnativo);
    EXPECT_TRUE(f->stato.generazione.SudokuDisponibile);
    EXPECT_EQ(w->chiamate, 1);
    EXPECT_TRUE(f->condiviso().SchemiBkgN[2].empty());
    Condiviso letto;
    ASSERT_TRUE(kenvaron::CaricaImpostazioni(letto, (cartella.percorso / kFileImpostazioni).string()));
    EXPECT_TRUE(letto.SchemiBkgN[2].empty());
    EXPECT_EQ(letto.SchemiBkgN[4], kImpegnativo);
    EXPECT_TRUE(Bottone("Nuovo"));
    EXPECT_TRUE(f->Menu("MnuLivelli")->Enabled());
    EXPECT_TRUE(sfondo->Timer2.Enabled());
    EXPECT_EQ(f->stato.SchemaModificato, 1);
    ControllaUscita();
}

TEST_F(NuovoFinestra, ImpegnativoWithAnEmptyPoolShowsACodedPuzzleAndEndsTheLoop) {
    f->MnuNormale_Click();
    f->Menu("mnuAttivaBackGround")->SetChecked(false);
    f->mnuNuovo_Click();
    EXPECT_EQ(w->chiamate, 1);
    EXPECT_FALSE(f->stato.generazione.SudokuDisponibile);
    const std::string t = Tavola();
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(t), 2), 1) << t;
    EXPECT_TRUE(SimmetriaCentrale(f->condiviso().Problema));
    // Command state 2: everything but "Mostra" and the undo buttons.
    EXPECT_TRUE(Bottone("Copia"));
    EXPECT_FALSE(Bottone("Undo"));
    EXPECT_EQ(f->stato.livelli.Livello, "N");
    EXPECT_EQ(f->Stbr.Text("p3"), "Impegnativo");
    EXPECT_FALSE(sfondo->Timer2.Enabled());
    ControllaUscita();
}

TEST_F(NuovoFinestra, APoolRequestThatFindsNothingStillWritesThePoolFile) {
    f->MnuEstremo_Click();
    f->condiviso().SchemiBkgC[1] = kImpegnativo;  // "Estremo" takes the E slots only
    const fs::path file = cartella.percorso / kFileImpostazioni;
    fs::remove(file);
    f->mnuNuovo_Click();
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(f->condiviso().SchemiBkgC[1], kImpegnativo);
    EXPECT_NE(Tavola(), kImpegnativo);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Tavola()), 2), 1);
    ControllaUscita();
}

TEST_F(NuovoFinestra, SempliceWithAnEmptyPoolRestartsTheBoard) {
    f->mnuSemplice_Click();
    f->condiviso().Problema[1][1] = 5;
    f->mnuNuovo_Click();
    EXPECT_EQ(Tavola(), std::string(81, '0'));
    EXPECT_FALSE(f->stato.generazione.SudokuDisponibile);
    for (int i = 1; i <= f->tlb1.Count(); ++i) {
        const plat::ToolbarButton& b = f->tlb1.ButtonAt(i);
        EXPECT_EQ(b.Enabled(), b.Key() == "Nuovo" || b.Key() == "Incolla") << b.Key();
    }
    for (const char* m : {"MnuFile", "MnuLivelli", "mnuOpzioni", "mnuAiuto"}) EXPECT_TRUE(f->Menu(m)->Enabled());
    ControllaUscita();
}

TEST_F(NuovoFinestra, DifficileEscBeforeAPuzzleIsAvailableGivesTheCodedOne) {
    f->MnuDifficile_Click();
    bool bloccati = true;
    w->aOgniCessione = [&] {
        bloccati = bloccati && !Bottone("Nuovo") && !f->Menu("MnuFile")->Enabled() && f->Menu("mnuInf0")->Enabled();
        if (w->cessioni == 3) {
            EXPECT_EQ(f->Stbr.Text("p1"), "ESC per interrompere");
            EXPECT_EQ(f->Stbr.Panel("p2")->ToolTipText(), "SUDOKU  in corso di realizzazione");
            w->Esc();
        }
    };
    f->mnuNuovo_Click();
    EXPECT_TRUE(bloccati);
    EXPECT_EQ(f->txtSec.Text(), "180");
    EXPECT_FALSE(f->stato.generazione.SudokuDisponibile);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Tavola()), 2), 1);
    EXPECT_TRUE(Bottone("Nuovo"));
    ControllaUscita();
}

TEST_F(NuovoFinestra, DifficileEscAfterAPuzzleIsAvailableAcceptsTheBestSoFar) {
    f->MnuDifficile_Click();
    std::string disponibile;
    w->aOgniCessione = [&] {
        if (disponibile.empty() && f->Stbr.Text("p1") == "ESC per accettare") {
            disponibile = f->Stbr.Text("p2");
            w->Esc();
        }
    };
    f->mnuNuovo_Click();
    EXPECT_EQ(disponibile.rfind("PREGIO=", 0), 0u) << disponibile;
    EXPECT_TRUE(f->stato.generazione.SudokuDisponibile);
    const std::string t = Tavola();
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(t), 2), 1);
    EXPECT_EQ(f->motore().ProfonditaMax, 1);
    EXPECT_FALSE(Bottone("Mostra"));
    ControllaUscita();
}

TEST_F(NuovoFinestra, TheSearchStopsAfterItsLimitButNotAtIt) {
    f->MnuDifficile_Click();
    // Every yield moves the clock 60 s: the stop comes at the first check after 180 s.
    double alLimite = -1;
    w->aOgniCessione = [&] {
        orologio.Avanza(60);
        if (alLimite < 0 && orologio.trascorsi - f->stato.generazione.InizioGenerazione == 180)
            alLimite = f->stato.generazione.Chiudi;
    };
    f->mnuNuovo_Click();
    EXPECT_EQ(alLimite, 0);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Tavola()), 2), 1);
    ControllaUscita();
}

TEST_F(NuovoFinestra, ACloseAskedForDuringTheSearchEndsItAndTheWindow) {
    f->MnuDifficile_Click();
    w->aOgniCessione = [&] {
        if (w->cessioni == 2) f->Unload();
    };
    f->mnuNuovo_Click();
    EXPECT_TRUE(f->stato.ChiusuraRinviata());
    EXPECT_EQ(w->chiamate, 1);
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
    EXPECT_FALSE(f->Visible());
}

TEST_F(NuovoFinestra, ANewPuzzleEndsTheCandidateViewSoThatAnEntryKeepsThePuzzleView) {
    f->MnuNormale_Click();
    f->Text1.SetText(kImpegnativo);
    ASSERT_TRUE(f->Text1_DblClick());
    for (const auto livello : {&Form1::MnuNormale_Click, &Form1::MnuDifficile_Click}) {
        ASSERT_TRUE(f->tlb1.Click("Validi"));
        ASSERT_EQ(f->stato.FlagVisPoss, 1);
        (f.get()->*livello)();
        SCOPED_TRACE(f->stato.livelli.Livello);
        // "Difficile" searches until Esc, which then gives the coded puzzle.
        w->aOgniCessione = [&] {
            if (w->cessioni == 3) w->Esc();
        };
        w->cessioni = 0;
        f->stato.SchemaModificato = 0;  // no save question
        const int chiamate = w->chiamate;
        f->mnuNuovo_Click();
        ASSERT_EQ(w->chiamate, chiamate + 1);
        w->aOgniCessione = nullptr;
        EXPECT_EQ(f->stato.FlagVisPoss, 0);
        // One digit written into the first empty cell: the other empty cells stay empty.
        const std::size_t vuota = Tavola().find('0');
        ASSERT_NE(vuota, std::string::npos);
        const int r = static_cast<int>(vuota) / 9 + 1, c = static_cast<int>(vuota) % 9 + 1;
        f->gr.SetRow(IndiceGriglia(r));
        f->gr.SetCol(IndiceGriglia(c));
        f->gr_MouseButton(plat::vbLeftButton, 0, 0, 0);
        f->gr_Click();
        ASSERT_TRUE(f->Frame1.Visible());
        f->Label1_Click(1);
        int conTesto = 0;
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j)
                conTesto += f->condiviso().Problema[i][j] == 0 && !f->gr.TextMatrix(IndiceGriglia(i), IndiceGriglia(j)).empty();
        EXPECT_EQ(conTesto, 0);
    }
}

TEST_F(NuovoFinestra, APoolPuzzleThatNeedsATrialMakesTheLoopTakeTheNext) {
    f->MnuNormale_Click();
    f->condiviso().SchemiBkgN[1] = kDifficile;  // needs group G, beyond "Impegnativo"
    f->condiviso().SchemiBkgN[2] = kImpegnativo;
    f->mnuNuovo_Click();
    EXPECT_EQ(w->chiamate, 2);
    EXPECT_EQ(Tavola(), kImpegnativo);
    EXPECT_EQ(f->motore().ProfonditaMax, 1);
    EXPECT_TRUE(f->condiviso().SchemiBkgN[1].empty());
    ControllaUscita();
}

}  // namespace
}  // namespace kenvaron
