// The background generation run and the archive: seeded runs at S, N and D
// checked by the independent solver, the status panel's texts, the pause
// without a yield, the slot chosen, the 240-second weight, failed attempts,
// and the two stop codes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "background/CorsaSfondo.h"
#include "engine/TestoSchema.h"
#include "tests/core/ProvaSfondo.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

using verifica::PannelloRegistrato;

// The elapsed face moves `passo` at every reading (so the archive's busy
// wait ends), or past the solver's 5-second limit while `scade` says so; the
// hour and the day stand still.
class OrologioProva final : public Orologio {
public:
    explicit OrologioProva(double p) : passo(p) {}
    double Trascorsi() const override {
        ++letture;
        return t += scade && scade() ? 6.0 : passo;
    }
    double SecondiDaMezzanotte() const override { return 43200.0; }
    double Giorno() const override { return giorno; }
    double passo;
    double giorno = 46001.0;
    std::function<bool()> scade;
    mutable double t = 0;
    mutable int letture = 0;
};

class Corsa : public ::testing::Test, protected verifica::CessioniProva {
protected:
    Condiviso stato;
    OrologioProva orologioMotore{0.0};
    OrologioProva orologio{0.001};
    PannelloRegistrato pannello;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologioMotore, Profilo());
    GeneratoreSfondo g{*m};
    CorsaSfondo corsa{g, pannello, orologio};

    void SetUp() override { g.Form_Load(); }

    // Selects a pool's level as the driver does ("E" is made at "M").
    void Livello(const std::string& pool) {
        stato.LivelloBkg = pool;
        if (pool == "S") g.mnuSemplice_Click();
        if (pool == "N") g.MnuNormale_Click();
        if (pool == "D") g.MnuDifficile_Click();
        if (pool == "C") g.mnuClassico_Click();
        if (pool == "E") g.MnuEstremo_Click();
    }

    int Riempiti() {
        int n = 0;
        for (const char* l : {"S", "N", "D", "C", "E"})
            for (const std::string& s : SlotSfondo(stato, l)) n += !s.empty();
        return n;
    }
};

bool Simmetrico(const std::string& s) {
    for (int i = 0; i < 81; ++i)
        if ((s[i] == '0') != (s[80 - i] == '0')) return false;
    return true;
}

TEST_F(Corsa, SeededRunsFillTheFirstEmptySlotWithAUniqueSymmetricPuzzleOfTheLevel) {
    for (const char* pool : {"S", "N", "D"}) {
        SCOPED_TRACE(pool);
        pannello.eventi.clear();
        Livello(pool);
        std::span<std::string> slot = SlotSfondo(stato, pool);
        slot[0] = "occupato";
        corsa.Cmdcomplic4_Click();
        ASSERT_EQ(slot[1].size(), 81u);
        EXPECT_TRUE(slot[2].empty());
        const std::string s = slot[1];
        EXPECT_TRUE(Simmetrico(s)) << s;
        EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2), 1) << s;
        // The level's logic finishes it without a trial.
        LeggiSchema(s, stato.ProblemaF5);
        m->SenzaTentativi = true;
        g.Risolvi(1);
        m->SenzaTentativi = false;
        EXPECT_EQ(m->ProfonditaMax, 1) << s;
        if (std::string(pool) == "N") {
            EXPECT_GT(m->ContaTecnicaS, 0) << s;
        }
        if (std::string(pool) == "D") {
            EXPECT_GT(m->ContaTecnicaG, 0) << s;
        }

        const std::vector<std::string> testi = pannello.Testi();
        ASSERT_GE(testi.size(), 4u);
        EXPECT_EQ(testi.front(), "BKG");
        EXPECT_EQ(pannello.eventi[1], "suggerimento:Funzione Background in esecuzione");
        const auto accettati = std::count(testi.begin(), testi.end(), "**    BKG");
        if (std::string(pool) == "S") {
            EXPECT_EQ(accettati, 1);
        } else {
            EXPECT_GE(accettati, 1);
        }
        EXPECT_EQ(std::vector<std::string>(testi.end() - 2, testi.end()), (std::vector<std::string>{"****BKG", ""}));
        EXPECT_EQ(pannello.eventi.back(), "suggerimento:");
        // Nothing but the pool is left: a run under 240 seconds keeps the XY-wing weight.
        EXPECT_EQ(m->PesoTecnica, 0.0);
        EXPECT_FALSE(g.generazione.SudokuDisponibile);
    }
}

TEST_F(Corsa, TheArchivePausesJustOverASecondWithoutAYieldAndFillsTheFirstEmptySlot) {
    orologio.passo = 0.25;
    LeggiSchema(std::string(81, '0').replace(0, 3, "123"), stato.ProblemaF5);
    const std::string testo = SchemaTesto(stato.ProblemaF5);
    for (int i = 1; i <= 4; ++i) stato.SchemiBkgS[i] = "vecchio";
    stato.SchemiBkgS[6] = "vecchio";
    stato.LivelloBkg = "S";
    const int letture = orologio.letture;
    corsa.Archivia();
    EXPECT_EQ(cessioni, 0);
    EXPECT_EQ(pannello.eventi, (std::vector<std::string>{"testo:****BKG", "ridisegna"}));
    // Readings at 0.25 .. 1.0 do not end the wait; 1.25 does.
    EXPECT_EQ(orologio.letture - letture, 6);
    EXPECT_EQ(stato.SchemiBkgS[5], testo);
    EXPECT_EQ(stato.SchemiBkgS[4], "vecchio");
    EXPECT_TRUE(stato.SchemiBkgS[7].empty());

    stato.LivelloBkg = "E";
    corsa.Archivia();
    EXPECT_EQ(stato.SchemiBkgE[1], testo);
    EXPECT_EQ(Riempiti(), 5 + 1 + 1);

    // A full pool, or a letter that names none, stores nothing.
    for (std::string& s : SlotSfondo(stato, "N")) s = "vecchio";
    const Condiviso prima = stato;
    for (const char* l : {"N", "M", ""}) {
        stato.LivelloBkg = l;
        corsa.Archivia();
    }
    EXPECT_EQ(stato.SchemiBkgN, prima.SchemiBkgN);
    EXPECT_EQ(Riempiti(), 5 + 1 + 1 + 10);
    EXPECT_EQ(cessioni, 0);
}

TEST_F(Corsa, ARunOlderThan240SecondsWeighsXYWingsInFull) {
    Livello("N");
    // The windows keep the first yield busy for just over four minutes.
    allaCessione = [this] {
        if (cessioni == 1) orologio.t += 240.5;
    };
    corsa.Cmdcomplic4_Click();
    EXPECT_EQ(m->PesoTecnica, 1.0);
    EXPECT_FALSE(stato.SchemiBkgN[1].empty());
}

TEST_F(Corsa, AttemptsThatFailGiveWayToNewOnesFromUnusedSeeds) {
    // Every solve of the first attempt's passes runs out of time, so none of
    // its tries is recorded: an "S" run still stores a puzzle from the next attempt.
    Livello("S");
    orologioMotore.scade = [this] { return g.Riempimenti == 1 && m->SenzaTentativi; };
    // A run that never accepts is stopped rather than left to loop.
    allaCessione = [this] {
        if (g.Riempimenti > 4) stato.CodiceStop = 2;
    };
    corsa.Cmdcomplic4_Click();
    EXPECT_EQ(g.Riempimenti, 2);
    EXPECT_FALSE(stato.SchemiBkgS[1].empty());

    // The easy puzzle's simplification finds no try in time and adds
    // nothing: the attempt fails instead of simplifying for ever.  (This
    // day's skip gives a puzzle that needs simplifying.)
    orologio.giorno = 46005.0;
    orologioMotore.scade = [this] { return !m->ModoRisolvi; };
    int dopo = 0;
    allaCessione = [this, &dopo] {
        if (!m->ModoRisolvi && ++dopo > 100000) stato.CodiceStop = 1;
    };
    m->ModoRisolvi = true;
    EXPECT_FALSE(corsa.Command7_Click());
    EXPECT_FALSE(m->ModoRisolvi);
    EXPECT_EQ(fini, 0);
    // Each attempt took its own (seed, skip) pair: the same second, the day's skip or the next.
    EXPECT_EQ(stato.CoppieUsate, (std::set<std::pair<long, int>>{{43200, 1}, {43200, 2}, {43200, 5}}));
}

TEST_F(Corsa, StopCodesEndTheRunWithoutStoringAnything) {
    Livello("N");
    // While the easy puzzle is made, and inside a pass's scan (at a cell check).
    const std::function<bool()> quando[] = {[this] { return cessioni == 1; },
                                           [this] { return g.RigaTolta == 3 && g.ColonnaTolta == 4; }};
    for (int codice : {2, 1})
        for (const auto& ora : quando) {
            SCOPED_TRACE(codice);
            stato.CodiceStop = 0;
            cessioni = fini = 0;
            g.RigaTolta = 0;
            pannello.eventi.clear();
            allaCessione = [&, codice] {
                if (stato.CodiceStop == 0 && ora()) stato.CodiceStop = codice;
            };
            corsa.Cmdcomplic4_Click();
            EXPECT_NE(stato.CodiceStop, 0);
            EXPECT_EQ(Riempiti(), 0);
            EXPECT_EQ(fini > 0, codice == 1);
            // The panel keeps its last text: the driver clears it.
            const std::vector<std::string> testi = pannello.Testi();
            EXPECT_EQ(testi.front(), "BKG");
            EXPECT_NE(testi.back(), "");
            EXPECT_EQ(std::count(testi.begin(), testi.end(), "****BKG"), 0);
        }
}

}  // namespace
}  // namespace kenvaron
