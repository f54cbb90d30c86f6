// The main window's plain logic: the level table, the board drawing over a
// recording grid, the save question and the puzzle file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "ui/Avvio.h"
#include "ui/MenuLivelli.h"
#include "ui/Salvataggio.h"
#include "ui/StatoPrincipale.h"
#include "ui/Tabellone.h"

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
    std::array<std::int16_t, 5> Turni() const { return m.Turni; }
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

TEST_F(LivelliMenuTest, EspertoThenDifficileSwitchesTheHarderSearchesOff) {
    Scegli("MnuEsperto");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{1, 1, 0, 0, 0, 0}));
    Scegli("MnuDifficile");
    EXPECT_EQ(p.stato.TecnicheAttive, (std::array<Byte, 6>{}));
    EXPECT_EQ(m.LimiteFor, 5);
    EXPECT_EQ(p.livelli.CodiciTecniche, "SDG");
}

TEST_F(LivelliMenuTest, EstremoSwitchesEverySearchOnButNotTheAdvancedVariants) {
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
    EXPECT_EQ(Turni(), (std::array<std::int16_t, 5>{}));
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

// ---- Board drawing -------------------------------------------------------------

// Records the properties given to each cell.
class GrigliaRegistrata final : public GrigliaCelle {
public:
    struct Cella {
        std::string testo;
        double font = 0;
        bool grassetto = false;
        long sfondo = 0;
        long primoPiano = 0;
    };
    std::map<std::pair<int, int>, Cella> celle;
    int righe = 0, colonne = 0, larghezza = 0, altezza = 0, riga = 0, colonna = 0;
    std::map<int, int> altezze, larghezze;
    bool redraw = true;

    Cella& Corrente() { return celle[{riga, colonna}]; }
    const Cella& G(int r, int c) { return celle[{r, c}]; }
    const Cella& In(int i, int j) { return celle[{IndiceGriglia(i), IndiceGriglia(j)}]; }

    void SetRows(int n) override { righe = n; }
    void SetCols(int n) override { colonne = n; }
    void SetRowHeight(int r, int t) override { altezze[r] = t; }
    void SetColWidth(int c, int t) override { larghezze[c] = t; }
    void SetSize(int l, int a) override { larghezza = l, altezza = a; }
    void SetRow(int r) override { riga = r; }
    void SetCol(int c) override { colonna = c; }
    void SetText(const std::string& t) override { Corrente().testo = t; }
    void SetCellFontSize(double p) override { Corrente().font = p; }
    void SetCellFontBold(bool b) override { Corrente().grassetto = b; }
    void SetCellBackColor(long c) override { Corrente().sfondo = c; }
    void SetCellForeColor(long c) override { Corrente().primoPiano = c; }
    void SetCellAlignmentCentre() override {}
    void SetRedraw(bool r) override { redraw = r; }
};

TEST(Tabellone, LayoutHasThinBlueSeparatorsBetweenTheBoxes) {
    GrigliaRegistrata g;
    Inizializzagrid(g);
    EXPECT_EQ(g.righe, 14);
    EXPECT_EQ(g.colonne, 14);
    EXPECT_EQ(g.altezze[0], 0);
    EXPECT_EQ(g.altezze[5], 30);
    EXPECT_EQ(g.altezze[6], 700);
    EXPECT_EQ(g.larghezze[13], 30);
    EXPECT_EQ(g.larghezza, 6530);
    EXPECT_EQ(g.altezza, 6530);
    EXPECT_EQ(g.G(5, 7).sfondo, kColoreBlu);
    EXPECT_EQ(g.G(7, 1).sfondo, kColoreBlu);
    EXPECT_EQ(g.G(6, 7).sfondo, 0);
    EXPECT_EQ(g.G(0, 3).testo, "  ");
    // Puzzle rows land on grid rows 2-4, 6-8, 10-12.
    EXPECT_EQ(IndiceGriglia(1), 2);
    EXPECT_EQ(IndiceGriglia(4), 6);
    EXPECT_EQ(IndiceGriglia(9), 12);
}

TEST(Tabellone, GivensBlackUserDigitsBlueAndTheFilledCellsCounted) {
    GrigliaRegistrata g;
    Tabella t{}, date{};
    OpzioniVisualizza o{&date};
    EXPECT_EQ(Visualizza(g, t, o), 0);
    EXPECT_FALSE(g.redraw);
    EXPECT_EQ(g.riga, 0);
    EXPECT_EQ(g.In(5, 5).testo, "");
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) t[r][c] = static_cast<Byte>((r + c) % 9 + 1);
    date[1][1] = t[1][1];
    EXPECT_EQ(Visualizza(g, t, o), 81);
    EXPECT_EQ(g.In(1, 1).testo, std::to_string(t[1][1]));
    EXPECT_EQ(g.In(1, 1).primoPiano, kColoreNero);
    EXPECT_EQ(g.In(1, 2).primoPiano, kColoreBlu);
    EXPECT_EQ(g.In(9, 9).font, 14);
    EXPECT_TRUE(g.In(9, 9).grassetto);
    EXPECT_EQ(g.In(9, 9).sfondo, kColoreBianco);
}

TEST(Tabellone, QuestionModeHidesTheDigitsRedUntilAPuzzleIsAccepted) {
    GrigliaRegistrata g;
    Tabella t{}, date{};
    t[2][3] = 7;
    date[2][3] = 7;
    OpzioniVisualizza o{&date, 1, false};
    EXPECT_EQ(Visualizza(g, t, o), 1);
    EXPECT_EQ(g.In(2, 3).testo, "?");
    EXPECT_EQ(g.In(2, 3).primoPiano, kColoreRosso);
    o.sudokuDisponibile = true;
    Visualizza(g, t, o);
    EXPECT_EQ(g.In(2, 3).primoPiano, kColoreBlu);
}

TEST(Tabellone, CandidateStringsInSmallTypeSolverDigitsBlackBold) {
    GrigliaRegistrata g;
    Tabella griglia{};
    griglia[1][1] = 4;
    TabellaCandidati p{};
    for (int k = 1; k <= 9; ++k) p[1][2][k] = 50;
    p[3][3][1] = 50;
    p[3][3][7] = 50;
    p[3][3][9] = 49;  // struck by the user
    const TabellaTesti s = CandidatiValidi(p);
    EXPECT_EQ(s[1][2], "123456789");
    EXPECT_EQ(s[3][3], "17");
    VisualizzaStr(g, griglia, s);
    EXPECT_EQ(g.In(1, 1).testo, "4");
    EXPECT_TRUE(g.In(1, 1).grassetto);
    EXPECT_EQ(g.In(1, 1).primoPiano, kColoreNero);
    EXPECT_EQ(g.In(1, 2).testo, "123456789");
    EXPECT_EQ(g.In(1, 2).font, 7);
    EXPECT_FALSE(g.In(1, 2).grassetto);
    // No digit and no candidate: an empty cell in the large size.
    EXPECT_EQ(g.In(9, 9).testo, "");
    EXPECT_EQ(g.In(9, 9).font, 14);
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

// ---- Save question and puzzle file ---------------------------------------------

TEST(Salvataggio, QuestionOnlyForAChangedPuzzleAndYesStopsWhenTheSaveFailed) {
    Byte modificato = 0;
    int domande = 0;
    Risposta risposta = Risposta::Si;
    bool salvaRiesce = true;
    auto chiedi = [&] { ++domande; return risposta; };
    auto salva = [&] { if (salvaRiesce) modificato = 0; };

    EXPECT_FALSE(ChiediSalvataggio(modificato, chiedi, salva));
    EXPECT_EQ(domande, 0);

    modificato = 1;
    risposta = Risposta::Annulla;
    EXPECT_TRUE(ChiediSalvataggio(modificato, chiedi, salva));
    risposta = Risposta::No;
    EXPECT_FALSE(ChiediSalvataggio(modificato, chiedi, salva));
    EXPECT_EQ(modificato, 1);
    risposta = Risposta::Si;
    salvaRiesce = false;
    EXPECT_TRUE(ChiediSalvataggio(modificato, chiedi, salva));
    salvaRiesce = true;
    EXPECT_FALSE(ChiediSalvataggio(modificato, chiedi, salva));
    EXPECT_EQ(modificato, 0);
    EXPECT_EQ(domande, 4);
}

TEST(Salvataggio, PuzzleFileIsOneLineOf81DigitsAndAnUnwritablePathFails) {
    Tabella t{};
    t[1][1] = 5;
    t[9][9] = 9;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("kenvaron_salva_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto file = dir / "schema.txt";
    { std::ofstream(file) << "contenuto precedente, piu lungo di una riga\nseconda riga\n"; }
    ASSERT_TRUE(ScriviSchema(file.string(), t));
    std::ifstream in(file, std::ios::binary);
    std::stringstream letto;
    letto << in.rdbuf();
    EXPECT_EQ(letto.str(), "5" + std::string(79, '0') + "9\r\n");
    EXPECT_FALSE(ScriviSchema((dir / "manca" / "schema.txt").string(), t));
    std::filesystem::remove_all(dir);

    EXPECT_EQ(TitoloConFile("C:\\giochi\\a.txt"), "Kenvaron   <a.txt>");
    EXPECT_EQ(TitoloConFile("/home/u/b.ss"), "Kenvaron   <b.ss>");
    EXPECT_EQ(TitoloConFile(""), "Kenvaron   <>");
}

// ---- Closing during a computation -----------------------------------------------

TEST(Chiusura, ACloseDuringAComputationBecomesAStopAndWaitsForItsEnd) {
    StatoPrincipale p;
    using E = StatoPrincipale::EsitoChiusura;
    EXPECT_EQ(p.RichiestaChiusura(true), E::Annullata);
    EXPECT_EQ(p.RichiestaChiusura(false), E::Chiudere);
    EXPECT_EQ(p.Chiudi, 0);

    p.InizioCalcolo();
    p.InizioCalcolo();  // nested inside the first one's yield
    EXPECT_EQ(p.RichiestaChiusura(false), E::Rinviata);
    EXPECT_EQ(p.Chiudi, 1);
    EXPECT_FALSE(p.FineCalcolo());  // the outer computation is still on the stack
    EXPECT_TRUE(p.FineCalcolo());
}

}  // namespace
}  // namespace kenvaron
