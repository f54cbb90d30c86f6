// The background form in the window, offscreen, with a stand-in generation run
// that stores a puzzle at once: the start from the event loop, the tick's
// guards (a run under way, a computation of the main window), and a close or
// Esc that arrives in one of the run's yields.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "background/Impostazioni.h"
#include "tests/core/ProvaSfondo.h"
#include "tests/core/SolutoreIndipendente.h"
#include "tests/ui/FinestraProva.h"

namespace kenvaron {
namespace {

using prova::Finestra;
using namespace std::chrono_literals;

constexpr const char* kSchema = "060102000020930806010000030900005004006000200400600005090000020205081040000509070";

// Lets the event loop run until the condition holds.
template <class Condizione>
bool Attendi(Condizione&& fatto, std::chrono::seconds limite = 2s) {
    const auto fine = std::chrono::steady_clock::now() + limite;
    while (!fatto() && std::chrono::steady_clock::now() < fine) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(1ms);
    }
    return fatto();
}

Condiviso LeggiPool(const prova::CartellaProva& cartella) {
    Condiviso letto;
    kenvaron::CaricaImpostazioni(letto, (cartella.percorso / kFileImpostazioni).string());
    return letto;
}

class SfondoFinestra : public Finestra {
protected:
    void SetUp() override {
        Apri();
        verifica::RiempiPool(f->condiviso(), kSchema);
        sfondo->Corsa = [this] {
            ++corse;
            profondita = std::max(profondita, ++dentro);
            if (inCorsa) inCorsa();
            verifica::ArchiviaSubito(f->condiviso(), kSchema);
            --dentro;
        };
    }
    std::function<void()> inCorsa;
    int corse = 0, dentro = 0, profondita = 0;
};

TEST_F(SfondoFinestra, TheStartRequestReturnsAtOnceAndTheRunFillsThePoolFromTheEventLoop) {
    f->condiviso().SchemiBkgS[30].clear();
    f->Stbr.SetText("p4", "BKG");
    sfondo->EsecBkg();
    EXPECT_EQ(corse, 0);
    EXPECT_FALSE(f->condiviso().BkgInEsecuzione);
    ASSERT_TRUE(Attendi([&] { return corse == 1 && !f->condiviso().BkgInEsecuzione; }));
    EXPECT_FALSE(sfondo->Timer2.Enabled());
    EXPECT_EQ(f->Stbr.Text("p4"), "");
    EXPECT_EQ(LeggiPool(cartella).SchemiBkgS, f->condiviso().SchemiBkgS);
    EXPECT_EQ(f->condiviso().SchemiBkgS[30], kSchema);
}

TEST_F(SfondoFinestra, NoRunStartsInsideARunOrInsideAComputationOfTheMainWindow) {
    Condiviso& c = f->condiviso();
    c.SchemiBkgS[29].clear();
    c.SchemiBkgS[30].clear();
    f->Menu("mnuAttivaBackGround")->SetChecked(true);
    // The option off and on again inside the run: its tick finds the run under way.
    inCorsa = [&] {
        if (corse != 1) return;
        f->mnuAttivaBackGround_Click();
        EXPECT_EQ(c.CodiceStop, 2);
        f->mnuAttivaBackGround_Click();
        EXPECT_TRUE(sfondo->Timer2.Enabled());
        sfondo->Timer2_Timer();
        EXPECT_FALSE(sfondo->Timer2.Enabled());
    };
    sfondo->Timer2_Timer();
    EXPECT_EQ(corse, 2);  // the run went on to the next slot
    EXPECT_EQ(profondita, 1);
    EXPECT_FALSE(c.BkgInEsecuzione);

    // A tick while the main window computes or generates waits for it.
    c.SchemiBkgS[30].clear();
    for (int caso = 0; caso < 2; ++caso) {
        {
            std::optional<Form1::CalcoloLungo> calcolo;
            if (caso == 0) calcolo.emplace(*f);
            f->stato.generazione.GenerazioneInCorso = caso == 1;
            sfondo->Timer2_Timer();
            EXPECT_EQ(corse, 2) << caso;
            EXPECT_TRUE(sfondo->Timer2.Enabled()) << caso;
            EXPECT_EQ(sfondo->Timer2.Interval(), 200) << caso;
            f->stato.generazione.GenerazioneInCorso = false;
        }
    }
    ASSERT_TRUE(Attendi([&] { return corse == 3 && !c.BkgInEsecuzione; }));
    EXPECT_EQ(c.SchemiBkgS[30], kSchema);
}

TEST_F(SfondoFinestra, ACloseInARunsYieldEndsTheProgramAndTheFileHoldsWhatWasStored) {
    Condiviso& c = f->condiviso();
    c.SchemiBkgS[29].clear();
    c.SchemiBkgS[30].clear();
    inCorsa = [&] {
        QMetaObject::invokeMethod(f->Widget(), "close", Qt::QueuedConnection);
        // Past the yield's few milliseconds: its next call gives the loop a turn.
        std::this_thread::sleep_for(10ms);
    };
    sfondo->Timer2_Timer();
    EXPECT_EQ(corse, 1);
    EXPECT_EQ(fini, 1);
    EXPECT_FALSE(f->Loaded());
    EXPECT_EQ(c.CodiceStop, 1);
    const Condiviso letto = LeggiPool(cartella);
    EXPECT_EQ(letto.SchemiBkgS[29], kSchema);
    EXPECT_TRUE(letto.SchemiBkgS[30].empty());
    EXPECT_EQ(letto.SchemiBkgE[10], kSchema);
}

TEST_F(SfondoFinestra, EscInARunsYieldReachesTheMainWindow) {
    f->condiviso().SchemiBkgS[30].clear();
    inCorsa = [&] {
        // A foreground generation started from one of the run's yields.
        f->stato.generazione.GenerazioneInCorso = true;
        QCoreApplication::postEvent(f->Widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        std::this_thread::sleep_for(10ms);
        sfondo->motore().profilo.Cedi();
        f->stato.generazione.GenerazioneInCorso = false;
    };
    sfondo->Timer2_Timer();
    EXPECT_EQ(corse, 1);
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
}

// ---- With the form's own generation run ------------------------------------------------------

class SfondoVero : public Finestra {};

TEST_F(SfondoVero, AtStartTheRunFillsTheTwoEmptySlotsWithValidPuzzlesAndKeepsTheRest) {
    Condiviso prima;
    verifica::RiempiPool(prima, kSchema);
    prima.SchemiBkgS[30].clear();
    prima.SchemiBkgN[10].clear();
    prima.PoolCaricato = true;
    ASSERT_TRUE(SalvaImpostazioni(prima, (cartella.percorso / kFileImpostazioni).string(), true,
                                  OrologioDiSistema::Istanza()));
    Apri();
    Condiviso& c = f->condiviso();
    ASSERT_TRUE(Attendi([&] { return !c.SchemiBkgN[10].empty() && !c.BkgInEsecuzione; }, 60s));
    for (const std::string& nuovo : {c.SchemiBkgS[30], c.SchemiBkgN[10]}) {
        ASSERT_EQ(nuovo.size(), 81u);
        EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(nuovo), 2), 1) << nuovo;
    }
    // The file holds the old slots and the two new puzzles.
    prima.SchemiBkgS[30] = c.SchemiBkgS[30];
    prima.SchemiBkgN[10] = c.SchemiBkgN[10];
    Condiviso letto = LeggiPool(cartella);
    for (const char* p : {"S", "N", "D", "C", "E"})
        EXPECT_TRUE(std::ranges::equal(SlotSfondo(letto, p), SlotSfondo(prima, p))) << p;
    EXPECT_EQ(f->Stbr.Text("p4"), "");
    EXPECT_EQ(f->Stbr.Panel("p4")->ToolTipText(), "");
    EXPECT_EQ(fini, 0);
}

}  // namespace
}  // namespace kenvaron
