// The main window's plain logic: the level table, the command-line decision
// and the caption of a puzzle file.
#include <gtest/gtest.h>

#include "ui/Avvio.h"
#include "generation/MenuLivelli.h"
#include "ui/Salvataggio.h"
#include "ui/StatoPrincipale.h"

namespace kenvaron {
namespace {

// ---- Levels ------------------------------------------------------------------

class LivelliMenuTest : public ::testing::Test {
protected:
    StatoPrincipale p;
    Motore& m = *p.motore;

    void Scegli(const char* menu) {
        const RigaLivello* riga = TrovaRigaLivello(menu);
        ASSERT_NE(riga, nullptr) << menu;
        ApplicaRigaLivello(*riga, p.contestoLivello);
    }
};

TEST_F(LivelliMenuTest, ClassicoSetsFishAndWingsTheFishLimitAndTheTurns) {
    Scegli("mnuClassico");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(m.LimiteFor, 3);
    EXPECT_EQ(m.Turni[Motore::kS], 1);
    EXPECT_EQ(m.Turni[Motore::kG], 2);
    EXPECT_EQ(m.Turni[Motore::kB], 3);
    EXPECT_EQ(m.Turni[Motore::kD], 0);
    EXPECT_EQ(m.Turni[Motore::kC], 0);
    EXPECT_EQ(p.livelli.Livello, "C");
    EXPECT_EQ(p.livelli.CodiciTecniche, "SGB");
}

TEST_F(LivelliMenuTest, EachLevelSetsItsOwnSwitchesAndClearsTheAdvancedVariants) {
    Scegli("MnuEsperto");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{1, 1, 0, 0, 0, 0}));
    Scegli("MnuDifficile");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{}));
    EXPECT_EQ(m.LimiteFor, 5);
    EXPECT_EQ(p.livelli.CodiciTecniche, "SDG");
    p.stato.TecnicheAvanzate = {1, 1, 1};
    Scegli("MnuEstremo");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(p.stato.TecnicheAvanzate, (std::array<Byte, 3>{}));
    EXPECT_EQ(m.Turni[Motore::kC], 5);
}

TEST_F(LivelliMenuTest, SupersymmetricLevelsHalveTheRemovalLoops) {
    p.impostazioni.IndiceCmbf = 0;
    m.IndiceRagionamento = 1;
    Scegli("mnuSuperSemplice");
    EXPECT_TRUE(p.impostazioni.SuperSimmetrico);
    EXPECT_EQ(p.impostazioni.LimiteRigaRimozione, 5);
    EXPECT_EQ(p.impostazioni.LimiteColonnaRimozione, 5);
    // This row leaves the difficulty and reasoning choices as they were.
    EXPECT_EQ(p.impostazioni.IndiceCmbf, 0);
    EXPECT_EQ(m.IndiceRagionamento, 1);
    Scegli("mnuSuperComplesso");
    EXPECT_EQ(p.impostazioni.IndiceCmbf, 2);
    EXPECT_EQ(m.IndiceRagionamento, 4);
    EXPECT_EQ(m.LimiteFor, 3);
    Scegli("MnuNormale");
    EXPECT_FALSE(p.impostazioni.SuperSimmetrico);
    EXPECT_EQ(p.impostazioni.LimiteRigaRimozione, 9);
}

TEST_F(LivelliMenuTest, NonSoKeepsTheChoicesAndResetsTheOption) {
    m.SaltaNaked = true;
    p.stato.SequenzeObbligatorie = 2;
    Scegli("mnuSemplice2");
    EXPECT_EQ(p.livelli.Livello, "3");
    EXPECT_TRUE(m.SaltaNaked);
    EXPECT_EQ(p.stato.SequenzeObbligatorie, 0);
    EXPECT_EQ(m.Turni, (std::array<std::int16_t, 5>{}));
    EXPECT_EQ(p.livelli.TurnoObbligatorio, 1);
}

TEST_F(LivelliMenuTest, PersonalizzatoWithoutItsWindowKeepsTheCodeAndAppliesTheAdvancedChoices) {
    Scegli("MnuDifficile");
    p.stato.ScelteAvanzate = {1, 0, 1};
    p.stato.SequenzeObbligatorie = 1;
    ApplicaPersonalizzato(p.contestoLivello);
    EXPECT_EQ(p.livelli.Livello, "P");
    EXPECT_EQ(p.livelli.CodiciTecniche, "SDG");
    EXPECT_EQ(p.stato.TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
    // The option stays as the technique-choice window left it.
    EXPECT_EQ(p.stato.SequenzeObbligatorie, 1);
    EXPECT_EQ(p.livelli.TurnoObbligatorio, 2);
    EXPECT_EQ(m.LimiteFor, 5);
}

TEST(LivelliNomi, StatusNamesOfEveryLetterAndNoneOutsideTheTable) {
    EXPECT_EQ(DecodMnuLiv("N"), "Impegnativo");
    EXPECT_EQ(DecodMnuLiv("1"), "Supersimm. semplice");
    EXPECT_EQ(DecodMnuLiv("2"), "Supersimm. avanzato");
    EXPECT_EQ(DecodMnuLiv("3"), "Non so");
    EXPECT_FALSE(DecodMnuLiv("X").has_value());
    EXPECT_FALSE(DecodMnuLiv("").has_value());
    EXPECT_EQ(TrovaRigaLivello("mnuPersonalizzato"), nullptr);
}

// ---- Command line ------------------------------------------------------------

TEST(Avvio, OnlyTheExactProdLineAsksForBatchProduction) {
    EXPECT_EQ(DecidiAvvio("/prod", true), ModoAvvio::Produzione);
    EXPECT_EQ(DecidiAvvio("/prod", false), ModoAvvio::Fine);
    EXPECT_EQ(DecidiAvvio("/PROD", false), ModoAvvio::Interattivo);
    EXPECT_EQ(DecidiAvvio("/prod x", true), ModoAvvio::Interattivo);
    EXPECT_EQ(DecidiAvvio(" /prod", true), ModoAvvio::Interattivo);
    EXPECT_EQ(DecidiAvvio("", false), ModoAvvio::Interattivo);
}

TEST(Salvataggio, TheCaptionNamesTheFileAfterItsLastSeparator) {
    EXPECT_EQ(TitoloConFile("C:\\giochi\\a.txt"), "Kenvaron   <a.txt>");
    EXPECT_EQ(TitoloConFile("/home/u/b.ss"), "Kenvaron   <b.ss>");
    EXPECT_EQ(TitoloConFile("c.txt"), "Kenvaron   <c.txt>");
}

}  // namespace
}  // namespace kenvaron
