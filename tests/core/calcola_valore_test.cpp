// The difficulty value: the weight and label of every kind of step, the list
// of techniques that opened the way to a bonus single, the report's exact
// bytes, and ratings of real solves.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "engine/FileTesto.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "generation/CalcolaValore.h"
#include "tests/core/CartellaTemporanea.h"
#include "tests/core/SchemiPubblici.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

class ValutazioneTest : public ::testing::Test {
protected:
    ValutazioneTest() {
        // Weight k is 100 + k, so every row of the table shows which weight it took.
        for (int k = 0; k < PesiTecniche::kNumero; ++k) pesi[k] = 100 + k;
    }
    void Passo_(const std::string& tipo, const std::string& testo, const std::string& codice = "",
                Byte dimensione = 0) {
        Passo& p = m->LogPassi[++m->NumPassi];
        p = Passo{};
        p.Tipo = tipo;
        p.Testo = testo;
        p.Codice = codice;
        p.Dimensione = dimensione;
    }

    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio);
    PesiTecniche pesi;
};

struct CasoPasso {
    const char* tipo;
    std::string testo;
    const char* codice;
    Byte dimensione;
    int peso;  // -1: the step weighs nothing
    const char* etichetta;
};

TEST_F(ValutazioneTest, EveryKindOfStepTakesItsWeightAndLabel) {
    // 69 characters holding "può" twice: more than 70 bytes, fewer than 70 characters.
    std::string corto = "il 5 può o può ";
    while (corto.size() < 69 + 2) corto += 'x';
    ASSERT_GE(corto.size(), 71u);
    const std::string lungo = corto + "y";  // 70 characters
    const CasoPasso casi[] = {
        {"U", "Singolo", "", 0, 0, "Singolo nudo"},
        {"U", "Singolo", "R", 0, 1, "Singolo nascosto"},
        {"S", "x", "", 0, 2, "Candidati Imprigionati"},
        {"D", "x", "", 0, 2, "Candidati Fissati in Due Quadrati"},
        {"G", "x", "", 2, 3, "Doppio Nudo"},
        {"G", "x", "", 3, 5, "Triplo Nudo"},
        {"G", "x", "", 4, 7, "Quadruplo Nudo"},
        {"G", "x", "", 6, 7, " Nudo"},
        {"g", "x", "", 2, 4, "Doppio Nascosto"},
        {"g", "x", "", 3, 6, "Triplo Nascosto"},
        {"g", "x", "", 5, 8, "Quintuplo Nascosto"},
        {"B", "righe 13 ", "R", 0, 9, "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (2 righe/colonne)"},
        {"B", "righe 135", "R", 0, 11, "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (3 righe/colonne)"},
        {"B", "righe 1357", "R", 0, 14, "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (4 righe/colonne)"},
        {"B", "12345", "R", 0, 14, "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (5 righe/colonne)"},
        {"W", " il 5 può andare in 1,1", "", 0, 10, "XYZ-wings"},
        {"W", "andare " + std::string(80, 'x'), "", 0, 10, "XYZT-wings"},  // "andare" at position 1 does not count
        {"W", corto, "", 0, 10, "XY-wing"},
        {"W", lungo, "", 0, 10, "XYZT-wings"},
        {"O", "a, b. Ne consegue che 5", "", 0, 15, "Catene Obbligate"},
        {"O", "a, b", "", 0, -1, "Catene Obbligate"},
        {"I", "Ne consegue che", "", 0, 16, "Catene Obbligate da RCQ"},
        {"I", "ne consegue", "", 0, -1, "Catene Obbligate da RCQ"},
        {"M", "Ne consegue che 4 o è nel gruppo verde", "", 0, 12, "Colori"},
        {"M", "Ne consegue che 4 o è nel gruppo verdeviola", "", 0, 13, "Colori multipli"},
        {"M", "il 4 in 1,1 è verde", "", 0, -1, "Colori"},
        {"C", "5 in 1,1 porta a una contraddizione poichè", "", 0, 17, "Nishio"},
        {"C", "5 in 1,1 porta a una contraddizione", "", 0, 17, "Nishio"},
        {"C", "5 in 1,1 nessuna", "", 0, -1, "Nishio"},
        {"X", "Nessuna Soluzione", "N", 0, -1, ""},
        {"T", "Tentativo", "", 0, -1, ""},
    };
    for (const CasoPasso& c : casi) {
        m->NumPassi = 0;
        Passo_(c.tipo, c.testo, c.codice, c.dimensione);
        const Valutazione v = ValutaPassi(*m, pesi, true);
        const std::int32_t peso = c.peso < 0 ? 0 : 100 + c.peso;
        EXPECT_EQ(v.ValoreCalcolato, peso) << c.tipo << " " << c.testo;
        ASSERT_EQ(v.Rapporto.size(), 2u);
        EXPECT_EQ(v.Rapporto[0], c.tipo + NumeroStampato(peso) + c.etichetta + c.testo) << c.tipo << " " << c.testo;
        EXPECT_EQ(v.Rapporto[1], NumeroStampato(peso));
        EXPECT_EQ(v.TestoTecniche, "");
    }
}

TEST_F(ValutazioneTest, ColoursTakeTheLabelOfTheWeightThatAppliesEvenWithEqualWeights) {
    pesi.PSimple_Color = 5;
    pesi.PMultiple_Colors = 5;
    Passo_("M", "Ne consegue che 4 o è nel gruppo verde");
    Passo_("U", "Singolo !!!!");
    Passo_("M", "Ne consegue che 4 o è nel gruppo verdeviola");
    Passo_("U", "Singolo !!!!");
    const Valutazione v = ValutaPassi(*m, pesi, false);
    EXPECT_EQ(v.TestoTecniche, "Colori|Colori multipli");
    EXPECT_EQ(v.ValoreCalcolato, 5 + 100 + 5 + 100);
    EXPECT_TRUE(v.Rapporto.empty());
}

TEST_F(ValutazioneTest, ABonusSingleListsTheLastLabelledStepBeforeIt) {
    Passo_("U", "Singolo !!!!");  // nothing labelled before it: an empty item
    Passo_("S", "candidati");
    Passo_("X", "tentativo");     // unlabelled steps are passed over
    Passo_("U", "   Singolo !!!!   ", "R");
    Passo_("B", "righe 147");
    Passo_("U", "Singolo !!");
    Passo_("U", "Singolo");
    Passo_("U", "Singolo !!");    // the plain single before it is the last label
    const Valutazione v = ValutaPassi(*m, pesi, false);
    EXPECT_EQ(v.TestoTecniche,
              "|Candidati Imprigionati|X-wings Swordfish Burma Jellyfish Squirmbag (3 righe/colonne)|Singolo nudo");
}

TEST_F(ValutazioneTest, TheTotalSaturatesAt32Bits) {
    pesi.PNishio = 2000000000;
    for (int i = 0; i < 3; ++i) Passo_("C", "porta a una contraddizione");
    EXPECT_EQ(ValutaPassi(*m, pesi, false).ValoreCalcolato, 2147483647);
    pesi.PNishio = -2000000000;
    EXPECT_EQ(ValutaPassi(*m, pesi, false).ValoreCalcolato, -2147483647 - 1);
}

class RapportoTest : public ValutazioneTest, protected verifica::CartellaTemporanea {
protected:
    std::string rapporto = Percorso("CalcolaValore.txt");
    std::string Leggi() const { return CartellaTemporanea::Leggi("CalcolaValore.txt"); }
};

TEST_F(RapportoTest, TheReportFileHoldsExactlyTheStepAndTotalLines) {
    std::ofstream(rapporto) << "una riga vecchia molto lunga che deve sparire\n";
    pesi = PesiTecniche{};
    pesi.PSingoli_nudi = 1;
    pesi.PCandidati_imprigionati = -2;
    Passo_("U", "1 Singolo nudo in 1,1");
    Passo_("S", "2 candidati");
    Passo_("U", "3 Singolo !!!!");
    ASSERT_TRUE(ScriviRighe(rapporto, ValutaPassi(*m, pesi, true).Rapporto, {}));
    EXPECT_EQ(Leggi(),
              "U 1 Singolo nudo1 Singolo nudo in 1,1\r\n"
              "S-2 Candidati Imprigionati2 candidati\r\n"
              "U 1 Singolo nudo3 Singolo !!!!\r\n"
              " 0 Candidati Imprigionati\r\n");
    m->NumPassi = 0;
    ASSERT_TRUE(ScriviRighe(rapporto, ValutaPassi(*m, pesi, true).Rapporto, {}));
    EXPECT_EQ(Leggi(), " 0 \r\n");
}

// ---- Real solves -------------------------------------------------------------------------

class ValutazioneRisolviTest : public ValutazioneTest {
protected:
    ValutazioneRisolviTest() {
        std::string codice = "SGDBC";
        livelli.CodiciTecniche = codice;
        livelli.SettaTurni(codice);
        livelli.AccendiSchK(1, 1);
        m->LimiteFor = 5;
    }
    void Carica(const std::string& schema) {
        for (int i = 0; i < 81; ++i) {
            const char c = schema[i];
            stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(c >= '1' && c <= '9' ? c - '0' : 0);
        }
    }
    bool HaPasso(const std::string& tipo, const std::string& testo) const {
        for (int i = 1; i <= m->NumPassi; ++i)
            if (m->LogPassi[i].Tipo == tipo && m->LogPassi[i].Testo.find(testo) != std::string::npos) return true;
        return false;
    }
    Livelli livelli{*m, stato};
};

TEST_F(ValutazioneRisolviTest, RealSolvesRateTheirFishAndColourStepsAndRateTheSameTwice) {
    bool pesce = false, colori = false;
    for (const std::string& schema : verifica::LeggiSchemi("qqwing_expert.txt", 8)) {
        Carica(schema);
        RisolviProblema(*m, livelli);
        EXPECT_EQ(stato.Sequenze[1], "SGDBC");
        const Valutazione prima = ValutaPassi(*m, pesi, false);
        const bool conPesce = HaPasso("B", "");
        const bool conColori = HaPasso("M", "Ne consegue");
        // Only the fish and colour weights set: the value is there exactly when the step is.
        PesiTecniche solo;
        solo.PX_Wing = solo.PSwordfish = solo.PBurma = 1000;
        solo.PSimple_Color = solo.PMultiple_Colors = 1;
        const std::int32_t v = ValutaPassi(*m, solo, false).ValoreCalcolato;
        EXPECT_EQ(v >= 1000, conPesce) << schema;
        EXPECT_EQ(v % 1000 > 0, conColori) << schema;
        pesce = pesce || conPesce;
        colori = colori || conColori;
        RisolviProblema(*m, livelli);
        const Valutazione seconda = ValutaPassi(*m, pesi, false);
        EXPECT_EQ(prima.ValoreCalcolato, seconda.ValoreCalcolato) << schema;
        EXPECT_EQ(prima.TestoTecniche, seconda.TestoTecniche) << schema;
    }
    EXPECT_TRUE(pesce);
    EXPECT_TRUE(colori);
}

}  // namespace
}  // namespace kenvaron
