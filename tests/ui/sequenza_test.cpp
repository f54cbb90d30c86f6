// The reasoning window offscreen: opening it beside the board, the tabs and
// their solves, single-step reveal, the board at a step and with the
// candidates of that moment, hints without a window, acceptance, and the
// switches put back on closing.  The modal window is driven from inside
// through the responder; puzzles come from data/.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Funzioni.h"
#include "narration/VistaPasso.h"
#include "platform/Dialogs.h"
#include "platform/Units.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Tabellone.h"

namespace kenvaron {
namespace {

class Sequenza : public ::testing::Test {
protected:
    Sequenza() {
        f = std::make_unique<Form1>();
        f->Show();
    }

    void Carica(const std::string& testo) {
        Tabella t{};
        for (int i = 0; i < 81; ++i) t[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(testo[i] == '.' ? 0 : testo[i] - '0');
        f->condiviso().Problema = t;
        f->motore().CelleDate = t;
        f->condiviso().NumMosse = 0;
        f->Visualizza(t);
        f->settaBottoni(2);
    }
    void CaricaDaDati(const std::string& file, int numero) {
        Carica(verifica::LeggiSchemi(file, static_cast<std::size_t>(numero)).back());
    }

    // The toolbar's reasoning commands as the dispatcher runs them.
    void Comando(const std::string& chiave) {
        StatoPrincipale& s = f->stato;
        s.SingoloStep = chiave == "SingoloStep" || chiave == "Aiuto" ? 1 : 0;
        s.LivelloAiuto = chiave == "Aiuto" ? 2 : 0;
        f->motore().Analisi = chiave == "Analisi";
        f->stato.livelli.SettaTurni(f->stato.livelli.CodiciTecniche);
        f->PreparaRisolvi();
        f->MostraSequenzaRagionamento();
        f->motore().Analisi = false;
    }
    // Opens the window and runs `dentro` while it is shown.
    void Apri(const std::string& chiave, const std::function<void(Form2&)>& dentro) {
        bool eseguito = false;
        risposte.finestraModale = [&](plat::Form& w) {
            eseguito = true;
            Form2* f2 = f->Sequenza();
            ASSERT_EQ(&w, static_cast<plat::Form*>(f2));
            dentro(*f2);
            if (w.Loaded()) w.Unload();
        };
        Comando(chiave);
        EXPECT_TRUE(eseguito);
    }

    static std::vector<int> RigheVisibili(const Form2& w) {
        std::vector<int> v;
        for (int i = 1; i < w.gp.Rows(); ++i)
            if (w.gp.RowHeight(i) > 1) v.push_back(i);
        return v;
    }
    // The first list row whose text holds `testo`, 0 when none.
    static int Riga(const Form2& w, const std::string& testo) {
        for (int i = 1; i < w.gp.Rows(); ++i)
            if (w.gp.TextMatrix(i, kColonnaTesto).find(testo) != std::string::npos) return i;
        return 0;
    }
    static void Seleziona(Form2& w, int riga) {
        w.gp.SetRow(riga);
        w.gp.SetRowSel(riga);
        w.gp_Click();
    }
    // Board cell of puzzle row r, column c.
    void Cella(int r, int c) {
        f->gr.SetRow(IndiceGriglia(r));
        f->gr.SetCol(IndiceGriglia(c));
    }

    plat::RisponditoreProgrammato risposte;
    plat::RisponditoreInUso inUso{risposte};
    std::unique_ptr<Form1> f;
};

TEST_F(Sequenza, OpensBesideTheBoardWithItsTabsAndComesBack) {
    CaricaDaDati("qqwing_expert.txt", 1);
    f->Move(900, 600);
    const int altezza = f->Height();
    Apri("Mostra", [&](Form2& w) {
        EXPECT_EQ(f->Left(), 0);
        EXPECT_EQ(f->Top(), 0);
        EXPECT_EQ(w.Top(), 0);
        EXPECT_NEAR(w.Left(), f->gr.Left() + f->gr.Width() + 100, plat::TwipPerPixel);  // whole pixels
        EXPECT_EQ(w.Height(), altezza);
        EXPECT_EQ(w.Caption(), "Kenvaron sequenza ragionamento");
        std::vector<std::string> chiavi;
        for (int i = 1; i <= w.tlb1.Count(); ++i) chiavi.push_back(w.tlb1.ButtonAt(i).Key());
        EXPECT_EQ(chiavi, (std::vector<std::string>{"Validi", "Schema", "s9", "Accetta", "s6", "Stampa"}));
        EXPECT_EQ(w.tlb1.Button("Accetta")->ToolTipText(), "Conferma il suggerimento e torna allo schema");
        EXPECT_EQ(w.tlb1.Button("s9")->Width(), 500);
        const std::vector<std::string> suggerimenti{
            "Sequenza di soluzione applicando il livello selezionato",
            "Sequenza di soluzione applicando tutti gli schemi logici",
            "Sequenza di soluzione privilegiando colori e catene obbligate",
            "Sequenza di soluzione privilegiando Burma",
            "Sequenza di soluzione privlegiando doppi / tripli nudi/nascosti",
            "Sequenza di soluzione applicando solo colori e catene obbligate ",
            "Sequenza di soluzione privilegiando candidati fissati in 2 quadrati"};
        ASSERT_EQ(w.Tbs.Count(), 7);
        EXPECT_EQ(w.Tbs.TabAt(1).Caption(), "Impegnativo");
        for (int i = 1; i <= 7; ++i) {
            if (i > 1) EXPECT_EQ(w.Tbs.TabAt(i).Caption(), "Sequenza " + std::to_string(i));
            EXPECT_EQ(w.Tbs.TabAt(i).ToolTipText(), suggerimenti[i - 1]);
        }
        EXPECT_EQ(w.Tbs.SelectedIndex(), 1);
        EXPECT_FALSE(f->stato.RidisegnoGriglia);
        // Every step is listed, none hidden.
        EXPECT_EQ(RigheVisibili(w).size(), static_cast<std::size_t>(w.gp.Rows() - 1));
    });
    EXPECT_EQ(f->Left(), 900);
    EXPECT_EQ(f->Top(), 600);
    EXPECT_EQ(f->Stbr.Text("p2"), "");
    EXPECT_TRUE(f->stato.RidisegnoGriglia);
    EXPECT_EQ(f->Sequenza(), nullptr);
}

TEST_F(Sequenza, EstremoOpensOnTab2OnlyWithEverySwitchOn) {
    CaricaDaDati("qqwing_expert.txt", 1);
    f->MnuEstremo_Click();
    Apri("Mostra", [&](Form2& w) { EXPECT_EQ(w.Tbs.SelectedIndex(), 2); });
    f->condiviso().TecnicheAttive[3] = 0;
    Apri("Mostra", [&](Form2& w) {
        EXPECT_EQ(w.Tbs.SelectedIndex(), 1);
        EXPECT_EQ(w.Tbs.TabAt(1).Caption(), "Estremo");
    });
}

TEST_F(Sequenza, AHintWritesTheStatusBarAndOpensNothingThenAnalysisHasItsOwnWindow) {
    CaricaDaDati("qqwing_expert.txt", 2);
    f->Move(900, 600);
    Comando("Aiuto");
    EXPECT_EQ(f->Stbr.Text("p2").rfind("Cerca ", 0), 0u) << f->Stbr.Text("p2");
    EXPECT_TRUE(risposte.domandati.empty());
    EXPECT_EQ(f->Left(), 900);
    EXPECT_EQ(f->Top(), 600);
    EXPECT_EQ(f->Sequenza(), nullptr);
    Apri("Analisi", [&](Form2& w) {
        EXPECT_EQ(w.Caption(), "Kenvaron analisi delle semplificazioni possibili");
        std::vector<std::string> chiavi;
        for (int i = 1; i <= w.tlb1.Count(); ++i) chiavi.push_back(w.tlb1.ButtonAt(i).Key());
        EXPECT_EQ(chiavi, (std::vector<std::string>{"Validi", "Schema", "s9", "s6", "Stampa"}));
    });
}

TEST_F(Sequenza, SingleStepShowsOneStepAndRevealsTheNextUntilTheLast) {
    CaricaDaDati("qqwing_expert.txt", 3);
    Apri("SingoloStep", [&](Form2& w) {
        EXPECT_EQ(w.tlb1.Button("SingoloStep")->ToolTipText(), "Altro suggerimento");
        EXPECT_FALSE(w.tlb1.Button("Applica")->Enabled());
        EXPECT_EQ(RigheVisibili(w), std::vector<int>{1});
        EXPECT_EQ(w.gp.Row(), 1);
        // The first step's digit is on the board, highlighted.
        const Terna t = LeggiTerna(w.gp.TextMatrix(1, kColonnaCella));
        Cella(t.riga, t.colonna);
        EXPECT_EQ(f->gr.Text(), std::to_string(t.cifra));
        EXPECT_EQ(f->gr.CellBackColor(), 0x00FFFF);
        w.tlb1.Click("SingoloStep");
        EXPECT_EQ(RigheVisibili(w), (std::vector<int>{1, 2}));
        EXPECT_EQ(w.gp.Row(), 2);
        int conRighe = 0;
        for (int i = 1; i < w.gp.Rows(); ++i) conRighe += w.gp.TextMatrix(i, kColonnaTesto).empty() ? 0 : 1;
        for (int k = 0; k < w.gp.Rows(); ++k) w.tlb1.Click("SingoloStep");
        EXPECT_EQ(static_cast<int>(RigheVisibili(w).size()), conRighe);
        const int ultima = w.gp.Row();
        w.tlb1.Click("SingoloStep");
        EXPECT_EQ(w.gp.Row(), ultima);
    });
}

TEST_F(Sequenza, ATabListsAFreshSolveOfItsOrderAndClosingPutsTheSwitchesBack) {
    CaricaDaDati("qqwing_expert.txt", 4);
    Condiviso& c = f->condiviso();
    Motore& m = f->motore();
    c.TecnicheAvanzate = {1, 0, 1};
    const auto attive = c.TecnicheAttive;
    const auto limite = m.LimiteFor;
    const auto turni = m.Turni;
    const auto obbligatorio = f->stato.livelli.TurnoObbligatorio;

    // What a solve with tab 3's order and every switch gives.
    Condiviso c2;
    c2.Problema = c.Problema;
    c2.TecnicheAttive = {1, 1, 1, 1, 1, 1};
    Motore m2(c2);
    m2.CostruisciTabelleUnita();
    m2.SoluzioneLogica = true;
    m2.ModoRisolvi = true;
    m2.LimiteFor = 5;
    m2.IndiceRagionamento = m.IndiceRagionamento;
    Livelli l2(m2, c2);
    std::string ordine = "SGCDB";
    l2.SettaTurni(ordine);
    m2.Risolvi(4);

    Apri("Mostra", [&](Form2& w) {
        w.Tbs.SetSelectedIndex(3);
        EXPECT_EQ(c.TecnicheAttive, (std::array<Byte, 6>{1, 1, 1, 1, 1, 1}));
        EXPECT_EQ(c.TecnicheAvanzate, (std::array<Byte, 3>{0, 0, 0}));
        EXPECT_EQ(m.LimiteFor, 5);
        int riga = 1;
        for (int i = 1; i <= m2.NumPassi && riga < w.gp.Rows(); ++i) {
            const Passo& p = m2.LogPassi[i];
            if (p.Testo.find("Vuota") == std::string::npos)
                EXPECT_EQ(w.gp.TextMatrix(riga, kColonnaTesto), Format(i, "000") + ")" + p.Testo) << i;
            EXPECT_EQ(w.gp.TextMatrix(riga, kColonnaPasso), std::to_string(i));
            riga += w.gp.TextMatrix(riga + 1, kColonnaTesto).find("Quindi") != std::string::npos ? 2 : 1;
        }
        // Back on tab 1: the level's own switches and advanced variants.
        w.Tbs.SetSelectedIndex(1);
        EXPECT_EQ(c.TecnicheAttive, attive);
        EXPECT_EQ(c.TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
        w.Tbs.SetSelectedIndex(6);
    });
    EXPECT_EQ(c.TecnicheAttive, attive);
    EXPECT_EQ(c.TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
    EXPECT_EQ(m.LimiteFor, limite);
    EXPECT_EQ(m.Turni, turni);
    EXPECT_EQ(f->stato.livelli.TurnoObbligatorio, obbligatorio);
}

}  // namespace
}  // namespace kenvaron
