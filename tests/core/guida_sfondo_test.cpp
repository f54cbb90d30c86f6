// The background driver with a stand-in run that stores a puzzle at once:
// the scan order and the level of each pool, one write per run, a full pool,
// the stop codes, and a slot emptied while another pool is being filled.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "background/GuidaSfondo.h"
#include "background/Impostazioni.h"
#include "tests/core/CartellaTemporanea.h"
#include "tests/core/ProvaSfondo.h"

namespace kenvaron {
namespace {

constexpr const char* kSchema = "123";  // the driver never looks inside a slot

using verifica::PannelloRegistrato;

class Guida : public ::testing::Test, protected verifica::CessioniProva {
protected:
    Guida() {
        verifica::RiempiPool(stato, kSchema);
        stato.BkgInEsecuzione = true;
        g.Form_Load();
    }
    void Archivia() { verifica::ArchiviaSubito(stato, kSchema); }

    Condiviso stato;
    int scritture = 0;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, OrologioDiSistema::Istanza(), Profilo());
    GeneratoreSfondo g{*m};
    PannelloRegistrato pannello;
    // Each run as the driver started it: pool letter, level letter, yields before it.
    struct Corsa {
        std::string pool, livello;
        int cessioni;
        double peso;
    };
    std::vector<Corsa> corse;
    std::function<void()> corsa = [this] {
        corse.push_back({stato.LivelloBkg, g.Livello, cessioni, m->PesoTecnica});
        Archivia();
    };
    GuidaSfondo guida{g, pannello, [this] { corsa(); }, [this] { ++scritture; }};
};

TEST_F(Guida, EmptySlotsFillInPoolOrderEachRunAtItsLevelAndWrittenOnce) {
    stato.SchemiBkgE[10].clear();
    stato.SchemiBkgC[1].clear();
    stato.SchemiBkgN[10].clear();
    stato.SchemiBkgS[3].clear();
    m->PesoTecnica = 0.5;
    guida.EsecBkg2();

    ASSERT_EQ(corse.size(), 4u);
    const char* attesi[][2] = {{"S", "S"}, {"N", "N"}, {"C", "C"}, {"E", "M"}};
    // A scan yields once per slot it looks at and starts again from S 1.
    const int cessioniPrima[] = {3, 3 + 40, 3 + 40 + 51, 3 + 40 + 51 + 70};
    for (std::size_t i = 0; i < corse.size(); ++i) {
        EXPECT_EQ(corse[i].pool, attesi[i][0]) << i;
        EXPECT_EQ(corse[i].livello, attesi[i][1]) << i;
        EXPECT_EQ(corse[i].cessioni, cessioniPrima[i]) << i;
    }
    EXPECT_EQ(g.CodiciTecniche, "SGDBC");
    // The weight stays for S and N and is drawn, 0 or 1, for C and E.
    EXPECT_EQ(corse[1].peso, 0.5);
    for (std::size_t i : {2u, 3u}) EXPECT_TRUE(corse[i].peso == 0 || corse[i].peso == 1) << corse[i].peso;
    EXPECT_EQ(scritture, 4);
    EXPECT_EQ(cessioni, 3 + 40 + 51 + 70 + 70);
    EXPECT_FALSE(stato.BkgInEsecuzione);
    EXPECT_TRUE(pannello.Svuotato());
}

TEST_F(Guida, SlotsThatCouldNeverBeServedLoadEmptyAndAreFilledAgain) {
    constexpr const char* kValido =
        "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
    Condiviso scritto;
    verifica::RiempiPool(scritto, kValido);
    scritto.SchemiBkgS[2] = "12345";
    scritto.SchemiBkgE[10] = std::string(81, '0');
    verifica::CartellaTemporanea cartella;
    cartella.Scrivi(kFileImpostazioni, RigaImpostazioni(scritto, 0, true) + "\r\n");
    CaricaImpostazioni(stato, cartella.Percorso(kFileImpostazioni));
    guida.EsecBkg2();
    ASSERT_EQ(corse.size(), 2u);
    EXPECT_EQ(corse[0].pool, "S");
    EXPECT_EQ(corse[1].pool, "E");
    EXPECT_EQ(stato.SchemiBkgS[2], kSchema);
    EXPECT_EQ(stato.SchemiBkgE[10], kSchema);
    EXPECT_EQ(stato.SchemiBkgS[1], kValido);
    EXPECT_EQ(stato.SchemiBkgE[9], kValido);
}

TEST_F(Guida, AFullPoolCostsSeventyYieldsAndNoWrite) {
    guida.EsecBkg2();
    EXPECT_EQ(cessioni, 70);
    EXPECT_TRUE(corse.empty());
    EXPECT_EQ(scritture, 0);
    EXPECT_FALSE(stato.BkgInEsecuzione);
    EXPECT_TRUE(pannello.Svuotato());
}

TEST_F(Guida, StopCodeTwoInARunWritesOnceAndEndsAtTheNextSlot) {
    stato.SchemiBkgD[4].clear();
    // The run sees the code and returns without a puzzle.
    corsa = [this] {
        corse.push_back({stato.LivelloBkg, g.Livello, cessioni, 0});
        stato.CodiceStop = 2;
    };
    guida.EsecBkg2();
    EXPECT_EQ(corse.size(), 1u);
    EXPECT_EQ(scritture, 1);
    EXPECT_EQ(cessioni, 30 + 10 + 4 + 1);
    EXPECT_TRUE(stato.SchemiBkgD[4].empty());
    EXPECT_FALSE(stato.BkgInEsecuzione);
    EXPECT_TRUE(pannello.Svuotato());

    // Switched off while armed: the run starts, and its first slot ends it.
    corse.clear();
    stato.BkgInEsecuzione = true;
    guida.EsecBkg2();
    EXPECT_TRUE(corse.empty());
    EXPECT_EQ(scritture, 1);
    EXPECT_FALSE(stato.BkgInEsecuzione);
}

TEST_F(Guida, StopCodeOneCallsTheEndActionAndWritesNothing) {
    stato.SchemiBkgS[2].clear();
    // In the scan: the yield that sees it is the last thing the driver does.
    allaCessione = [this] {
        if (cessioni == 2) stato.CodiceStop = 1;
    };
    guida.EsecBkg2();
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(cessioni, 2);
    EXPECT_TRUE(corse.empty());
    EXPECT_EQ(scritture, 0);

    // In the run: the run has called the end action; the driver returns and writes nothing.
    stato.CodiceStop = 0;
    allaCessione = nullptr;
    corsa = [this] {
        stato.CodiceStop = 1;
        ++fini;
    };
    guida.EsecBkg2();
    EXPECT_EQ(fini, 2);
    EXPECT_EQ(scritture, 0);
    EXPECT_TRUE(stato.SchemiBkgS[2].empty());
}

TEST_F(Guida, ASlotEmptiedInAnEarlierPoolDuringARunIsRefilledNext) {
    stato.SchemiBkgD[2].clear();
    stato.SchemiBkgD[3].clear();
    bool preso = false;
    corsa = [&] {
        // "Nuovo" takes S 5 inside one of the run's yields.
        if (!preso) {
            stato.SchemiBkgS[5].clear();
            preso = true;
        }
        corse.push_back({stato.LivelloBkg, g.Livello, cessioni, 0});
        Archivia();
    };
    guida.EsecBkg2();
    ASSERT_EQ(corse.size(), 3u);
    EXPECT_EQ(corse[0].pool, "D");
    EXPECT_EQ(corse[1].pool, "S");
    EXPECT_EQ(corse[1].cessioni, 30 + 10 + 2 + 5);
    EXPECT_EQ(corse[2].pool, "D");
    EXPECT_FALSE(stato.SchemiBkgS[5].empty());
    EXPECT_FALSE(stato.SchemiBkgD[3].empty());
    EXPECT_EQ(scritture, 3);
}

}  // namespace
}  // namespace kenvaron
