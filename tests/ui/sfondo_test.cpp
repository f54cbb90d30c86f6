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

#include "background/CorsaSfondo.h"
#include "background/Impostazioni.h"
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
        for (const char* p : {"S", "N", "D", "C", "E"})
            for (std::string& slot : SlotSfondo(f->condiviso(), p)) slot = kSchema;
        sfondo->Corsa = [this] {
            ++corse;
            profondita = std::max(profondita, ++dentro);
            if (inCorsa) inCorsa();
            Archivia();
            --dentro;
        };
    }
    // The first empty slot of LivelloBkg's pool gets the puzzle.
    void Archivia() {
        for (std::string& slot : SlotSfondo(f->condiviso(), f->condiviso().LivelloBkg))
            if (slot.empty()) {
                slot = kSchema;
                return;
            }
    }
    Condiviso Letto() const { return LeggiPool(cartella); }

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
    EXPECT_EQ(Letto().SchemiBkgS[30], kSchema);
    EXPECT_EQ(Letto().SchemiBkgS[1], kSchema);
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
    const Condiviso letto = Letto();
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
    for (const char* p : {"S", "N", "D", "C", "E"})
        for (std::string& slot : SlotSfondo(prima, p)) slot = kSchema;
    prima.SchemiBkgS[30].clear();
    prima.SchemiBkgN[10].clear();
    prima.PoolCaricato = true;
    ASSERT_TRUE(SalvaImpostazioni(prima, (cartella.percorso / kFileImpostazioni).string(), true,
                                  OrologioDiSistema::Istanza()));
    Apri();
    Condiviso& c = f->condiviso();
    ASSERT_TRUE(Attendi([&] { return !c.SchemiBkgN[10].empty() && !c.BkgInEsecuzione; }, 60s));
    Condiviso letto = LeggiPool(cartella);
    for (const char* p : {"S", "N", "D", "C", "E"}) {
        const auto slot = SlotSfondo(letto, p);
        for (std::size_t i = 0; i < slot.size(); ++i) {
            const bool nuovo = (p == std::string("S") && i == 29) || (p == std::string("N") && i == 9);
            if (!nuovo) {
                EXPECT_EQ(slot[i], kSchema) << p << i + 1;
                continue;
            }
            ASSERT_EQ(slot[i].size(), 81u) << p;
            EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(slot[i]), 2), 1) << slot[i];
            EXPECT_EQ(slot[i], p == std::string("S") ? c.SchemiBkgS[30] : c.SchemiBkgN[10]);
        }
    }
    EXPECT_EQ(f->Stbr.Text("p4"), "");
    EXPECT_EQ(f->Stbr.Panel("p4")->ToolTipText(), "");
    EXPECT_EQ(fini, 0);
}

}  // namespace
}  // namespace kenvaron
