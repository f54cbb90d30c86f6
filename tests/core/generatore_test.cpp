// The generator: seeded runs and their pinned puzzles, the draws each pass
// takes from the engine's generator, the symmetry and uniqueness of what it
// makes, and how every pass ends on a stop request.
#include <gtest/gtest.h>

#include <set>

#include "generation/ContaSoluzioni.h"
#include "tests/core/BancoGenerazione.h"
#include "tests/core/ProvaSfondo.h"

namespace kenvaron {
namespace {

using verifica::BancoGenerazione;

// ---- Seeded runs ---------------------------------------------------------------------

// The seed and skip 79583|38 make a puzzle at 28 givens that no removal of a
// group leaves solvable by logic, so both levels keep it.
constexpr const char* kSchema79583 =
    "000000400029100006074920000000590080180000054090068000000059260600002570002000000";
constexpr const char* kSoluzione79583 =
    "861735492529184736374926815243591687186273954795468123437859261618342579952617348";

struct Dorato {
    const char* lettera;
    const char* schema;
    const char* soluzione;
};

class SeminatoDorato : public ::testing::TestWithParam<Dorato> {};

TEST_P(SeminatoDorato, AClockSecondAndDayGiveThePinnedPuzzleAndTheNextRunTheNextSkip) {
    BancoGenerazione b(GetParam().lettera);
    b.orologio.mezzanotte = 79583.75;
    b.orologio.giorno = 46038;  // day 46038 Mod 100 = 38
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "79583|38");
    EXPECT_EQ(BancoGenerazione::Testo(b.stato.Problema), GetParam().schema);
    EXPECT_EQ(BancoGenerazione::Testo(b.m.Soluzione), GetParam().soluzione);
    EXPECT_EQ(b.gen.ModoInterrogativo, 0);
    EXPECT_EQ(b.finestra.puntatore, 0);
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "79583|39");
    EXPECT_NE(BancoGenerazione::Testo(b.stato.Problema), GetParam().schema);
}

INSTANTIATE_TEST_SUITE_P(Livelli, SeminatoDorato,
                         ::testing::Values(Dorato{"N", kSchema79583, kSoluzione79583},
                                           Dorato{"C", kSchema79583, kSoluzione79583}),
                         [](const ::testing::TestParamInfo<Dorato>& i) {
                             return std::string("Livello") + i.param.lettera;
                         });

// Every level: one solution (by the independent solver), the level's
// symmetry, and a solve without trial under the level's techniques.
class SeminatoLivello : public ::testing::TestWithParam<const char*> {};

TEST_P(SeminatoLivello, TwentySeedsGiveUniqueSymmetricPuzzlesSolvedByLogic) {
    BancoGenerazione b(GetParam());
    const bool superSimmetrico = b.impostazioni.SuperSimmetrico;
    std::set<std::string> schemi;
    for (int seme = 500; seme < 520; ++seme) {
        const std::string s = b.Genera(seme, seme % 100);
        schemi.insert(s);
        verifica::Celle soluzione{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2, &soluzione), 1) << s;
        EXPECT_EQ(verifica::ComeTesto(soluzione), BancoGenerazione::Testo(b.m.Soluzione)) << s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                const bool data = b.stato.Problema[r][c] != 0;
                EXPECT_EQ(data, b.stato.Problema[10 - r][10 - c] != 0) << s << " " << r << "," << c;
                if (superSimmetrico && NO456(b.impostazioni, r) && NO456(b.impostazioni, c)) {
                    EXPECT_EQ(data, b.stato.Problema[r][10 - c] != 0) << s << " " << r << "," << c;
                }
            }
        b.m.SenzaTentativi = true;
        b.m.Risolvi(1);
        b.m.SenzaTentativi = false;
        EXPECT_EQ(b.m.ProfonditaMax, 1) << s;
    }
    EXPECT_EQ(schemi.size(), 20u);
}

INSTANTIATE_TEST_SUITE_P(Livelli, SeminatoLivello,
                         ::testing::Values("S", "N", "D", "E", "M", "C", "1", "2", "3"),
                         [](const ::testing::TestParamInfo<const char*>& i) {
                             return std::string("Livello") + i.param;
                         });

TEST(Seminato, ASeedAndSkipRebuildTheSamePuzzleWhateverTheBoardAndTheEngineHeld) {
    BancoGenerazione a("N"), b("N");
    // Another puzzle, a used generator and the user's strikes of the digits 1..3 everywhere first.
    b.Genera(99, 1);
    b.m.casuale.Prossimo();
    for (int k = 1; k <= 243; ++k) {
        Mossa& m = b.stato.PilaAnnulla[k];
        m.Tipo = "C";
        m.Riga = static_cast<Byte>((k - 1) / 27 + 1);
        m.Colonna = static_cast<Byte>((k - 1) / 3 % 9 + 1);
        m.Cifra = static_cast<Byte>((k - 1) % 3 + 1);
    }
    b.stato.NumMosse = 243;
    for (int seme = 1230; seme < 1235; ++seme) {
        EXPECT_EQ(b.Genera(seme, 56), a.Genera(seme, 56)) << seme;
        EXPECT_EQ(b.gen.SemeCorrente, std::to_string(seme) + "|56");
    }
    EXPECT_EQ(b.stato.NumMosse, 243);
}

TEST(Seminato, AStopDuringALongGivensSearchEndsItAtItsNextYield) {
    // Seed 356 at level "1" spends seconds, some 190 yields, in one search
    // for its givens.  The first yield comes before the search, the second
    // is the search's own, where Esc is pressed: the search ends there, and
    // the run at the yield before the next search.
    BancoGenerazione b("1");
    b.finestra.escAllaCessione = 2;
    EXPECT_FALSE(b.generatore.CorpoSeminato(356, 0, true));
    EXPECT_EQ(b.finestra.cessioni, 3);
}

TEST(Seminato, ThePairsOfASecondAreTakenInTurnThenTheNextSecondsPairs) {
    BancoGenerazione b("S");
    b.orologio.mezzanotte = 100.2;
    b.orologio.giorno = 46099;
    for (int i = 0; i < 99; ++i) b.stato.CoppieUsate.insert({100, i});
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "100|99");
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "101|99");
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "101|0");
}

TEST(Seminato, AForegroundAndABackgroundAttemptInTheSameSecondTakeDifferentPairs) {
    BancoGenerazione b("N");
    b.orologio.mezzanotte = 79583.75;
    b.orologio.giorno = 46038;
    // The background form's own engine, on the program's one shared state.
    auto sfondo = std::make_unique<Motore>(b.stato, b.orologio, ProfiloMotore::DiSfondo());
    GeneratoreSfondo g(*sfondo);
    g.Form_Load();
    verifica::PannelloRegistrato pannello;
    CorsaSfondo corsa(g, pannello, b.orologio);

    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "79583|38");
    corsa.Command7_Click();
    ASSERT_TRUE(b.generatore.Command7_Click(true));
    EXPECT_EQ(b.gen.SemeCorrente, "79583|40");
    EXPECT_EQ(b.stato.CoppieUsate, (std::set<std::pair<long, int>>{{79583, 38}, {79583, 39}, {79583, 40}}));
}

// ---- Draws ----------------------------------------------------------------------------------

TEST(Estrazioni, TheCellOrderIsAPermutationWithFourCellsOfEveryBoxInFront) {
    BancoGenerazione b;
    for (double n : {81.0, 41.0, 21.0}) {
        const Casuale prima = b.m.casuale;
        OrdineCelle o;
        RandomizzaCelle(b.m, o, n);
        EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 2000 + 1036);
        std::set<int> celle;
        std::array<int, 10> perQuadrato{};
        for (int p = 1; p <= 81; ++p) {
            celle.insert(10 * o.OrdineRighe[p] + o.OrdineColonne[p]);
            if (p <= 36) ++perQuadrato[3 * ((o.OrdineRighe[p] - 1) / 3) + (o.OrdineColonne[p] - 1) / 3 + 1];
        }
        EXPECT_EQ(celle.size(), 81u);
        EXPECT_EQ(*celle.begin(), 11);
        EXPECT_EQ(*celle.rbegin(), 99);
        for (int q = 1; q <= 9; ++q) EXPECT_EQ(perQuadrato[q], 4) << q;
    }
}

TEST(Estrazioni, ALoweringPassDraws401WhateverTheDifficulty) {
    for (int indice : {0, 1, 2}) {
        BancoGenerazione b("N");
        BancoGenerazione::Carica(b.stato.Problema, kSchema79583);
        BancoGenerazione::Carica(b.m.Soluzione, kSoluzione79583);
        b.impostazioni.IndiceCmbf = indice;
        const Casuale prima = b.m.casuale;
        b.generatore.Command4_Click();
        EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 401) << indice;
        // "Medio" weighs nothing, so it never yields.
        EXPECT_EQ(b.finestra.cessioni, indice == 1 ? 0 : 28) << indice;
    }
}

// ---- Lowering ---------------------------------------------------------------------------------

TEST(Abbassa, WithoutSymmetryAPassTakesOutExactlyOneGivenAndKeepsOneSolution) {
    BancoGenerazione b("N");
    b.impostazioni.Simmetrico = false;
    // A grid with one given too many: the first listed given can always go.
    const std::string pieno = kSoluzione79583;
    BancoGenerazione::Carica(b.stato.Problema, pieno);
    BancoGenerazione::Carica(b.m.Soluzione, pieno);
    for (int passo = 1; passo <= 3; ++passo) {
        b.generatore.AbbassaLivello();
        const std::string s = BancoGenerazione::Testo(b.stato.Problema);
        EXPECT_EQ(BancoGenerazione::Piene(b.stato.Problema), 81 - passo);
        EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2), 1);
    }
}

TEST(Abbassa, UnderSymmetryATryKeepsItsGivenSoAPassTakesSeveralPairsOrTheLoneCentre) {
    // The pinned puzzle with the centre and four more pairs given.
    const std::string schema =
        "800000400029180006074920005040590080180070054090068020400059260600042570002000008";
    BancoGenerazione b("N");
    BancoGenerazione::Carica(b.stato.Problema, schema);
    BancoGenerazione::Carica(b.m.Soluzione, kSoluzione79583);

    // Entries (1,1), (2,5), (9,9), (4,2), (6,8), (5,5): trying (1,1) places it
    // again as the partner of (9,9) and leaves out the pairs listed after that;
    // trying the centre leaves out the centre alone.
    const std::array<Byte, 82> righe{0, 1, 2, 9, 4, 6, 5}, colonne{0, 1, 5, 9, 2, 8, 5};
    auto vuote = [&](int k) {
        b.m.Inizializza();
        b.generatore.TrasferisciSoluz(6, k, righe, colonne, 0);
        std::vector<int> celle;
        for (int i = 1; i <= 6; ++i)
            if (b.m.Griglia[righe[i]][colonne[i]] == 0) celle.push_back(10 * righe[i] + colonne[i]);
        return celle;
    };
    EXPECT_EQ(vuote(1), (std::vector<int>{42, 68, 55}));
    EXPECT_EQ(vuote(6), (std::vector<int>{55}));

    // Whole passes at "Difficile" from two seeds: two pairs go at once, then the centre alone.
    for (const auto& [seme, tolte] : {std::pair<double, std::vector<int>>{19, {11, 44, 66, 99}}, {27, {55}}}) {
        BancoGenerazione::Carica(b.stato.Problema, schema);
        b.m.casuale.Reimposta();
        b.m.casuale.Randomizza(seme);
        b.generatore.AbbassaLivello();
        const std::string s = BancoGenerazione::Testo(b.stato.Problema);
        std::vector<int> celle;
        for (int i = 0; i < 81; ++i)
            if (s[i] != schema[i]) celle.push_back(10 * (i / 9 + 1) + i % 9 + 1);
        EXPECT_EQ(celle, tolte) << seme;
        EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2), 1) << seme;
    }
}

TEST(Abbassa, BadTablesEndThePassWithoutHarm) {
    BancoGenerazione b("N");
    // No givens: the lists are empty, only the draws happen.
    const Casuale prima = b.m.casuale;
    b.generatore.AbbassaLivello();
    EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 401);
    EXPECT_EQ(BancoGenerazione::Piene(b.stato.Problema), 0);
    // Clashing givens and an empty solution: nothing is unique, nothing changes.
    std::string clash(81, '0');
    clash[0] = clash[1] = clash[2] = '5';
    BancoGenerazione::Carica(b.stato.Problema, clash);
    b.generatore.AbbassaLivello();
    EXPECT_EQ(BancoGenerazione::Testo(b.stato.Problema), clash);
}

// ---- Simplification ---------------------------------------------------------------------------------

// A level "N" puzzle that needs locked candidates, with the group of (1, 3)
// taken out, as the driver's sweep leaves it before a simplification step
// (trial forbidden).  Adding that group back is the only repair.
constexpr const char* kSchemaN =
    "006500000040200007058000600007082000900000005000940800003000280600009010000003700";
constexpr const char* kSoluzioneN =
    "236597148149268537758134692517382964984716325362945871473651289625879413891423756";

class Semplifica : public ::testing::Test {
protected:
    BancoGenerazione b{"N"};
    Tabella partenza{};

    void SetUp() override {
        BancoGenerazione::Carica(b.stato.Problema, kSchemaN);
        BancoGenerazione::Carica(b.m.Soluzione, kSoluzioneN);
        b.stato.Problema[1][3] = 0;
        b.stato.Problema[9][7] = 0;
        partenza = b.stato.Problema;
        b.m.SenzaTentativi = true;
    }
    // The cells where the result differs from the start.
    std::vector<int> Aggiunte() const {
        std::vector<int> v;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (b.stato.Problema[r][c] != partenza[r][c]) {
                    EXPECT_EQ(b.stato.Problema[r][c], b.m.Soluzione[r][c]);
                    v.push_back(10 * r + c);
                }
        return v;
    }
};

TEST_F(Semplifica, TheBestGroupIsAddedWithOneDrawAndATieWithThePresetMeritChangesNothing) {
    b.gen.MaxValore = 0;
    Casuale prima = b.m.casuale;
    b.generatore.Semplifica4();
    EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 1);
    EXPECT_EQ(Aggiunte(), (std::vector<int>{13, 97}));
    // Two locked-candidate steps and one quality point.
    EXPECT_EQ(b.gen.MaxValore, 100020);
    EXPECT_EQ(b.gen.Pregio, 1);
    EXPECT_EQ(b.gen.ContaTecnicaMigliore, (std::array<std::int32_t, 5>{2, 0, 0, 0, 0}));
    EXPECT_TRUE(b.gen.SudokuDisponibile);
    EXPECT_TRUE(b.gen.AccettatoPresente);
    EXPECT_EQ(BancoGenerazione::Testo(b.gen.SchemaAccettato), kSchemaN);
    EXPECT_EQ(b.gen.ValoreAccettato, 100020);
    EXPECT_EQ(b.finestra.cessioni, 41);  // one per visited cell, filled ones too

    b.stato.Problema = partenza;
    b.gen.AccettatoPresente = false;
    prima = b.m.casuale;
    b.generatore.Semplifica4();
    EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 0);
    EXPECT_TRUE(Aggiunte().empty());
    EXPECT_EQ(b.gen.MaxValore, 100020);
    EXPECT_FALSE(b.gen.AccettatoPresente);
}

TEST_F(Semplifica, EscKeepsTheStartPlusTheBestFoundBeforeIt) {
    b.finestra.escAllaCessione = 3;  // at (1, 3): its try runs, then the step ends
    b.generatore.Semplifica4();
    EXPECT_EQ(Aggiunte(), (std::vector<int>{13, 97}));
    EXPECT_EQ(b.finestra.cessioni, 3);
    EXPECT_EQ(b.finestra.puntatore, 0);

    b.stato.Problema = partenza;
    b.finestra.cessioni = 0;
    b.gen.Chiudi = 0;
    b.gen.MaxValore = 0;
    b.finestra.escAllaCessione = 2;  // before (1, 3): nothing better than the start
    const Casuale prima = b.m.casuale;
    b.generatore.Semplifica4();
    EXPECT_TRUE(Aggiunte().empty());
    EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), 0);
}

TEST_F(Semplifica, TheCommandLetsTheRepairThatNeedsATechniqueBeatTriesWorthTheirGivens) {
    // The start needs trials; tries that fall to singles or stay ambiguous are
    // worth 100 minus their givens, the repair its merit as a level "N" puzzle.
    b.m.SenzaTentativi = false;
    b.generatore.CmdSemplifica_Click();
    EXPECT_EQ(b.gen.ModoSemplifica, 0);
    EXPECT_EQ(Aggiunte(), (std::vector<int>{13, 97}));
    EXPECT_EQ(b.gen.MaxValore, 100020);
}

TEST(SemplificaAccettata, TheAcceptedTryIsKeptWhenABetterTryFailsTheRule) {
    // A custom level whose rule wants a subset step (G, the last turn of
    // "SDG"), rated in batch by weights that favour locked candidates: a later
    // try with four locked-candidate steps and no subset outscores the accepted one.
    BancoGenerazione b("D");
    b.livelli.Livello = "P";
    b.livelli.CodiciTecniche = "SDG";
    b.livelli.SettaTurni(b.livelli.CodiciTecniche);
    b.gen.GeneraAuto = true;
    b.gen.PCandidati_imprigionati = 1000;
    b.gen.PTripletta_nascosta = 1;
    BancoGenerazione::Carica(
        b.stato.Problema, "090001503000006004050090160070405000600000001000203070021070040800500000504100020");
    BancoGenerazione::Carica(
        b.m.Soluzione, "496721583312856794758394162279415638643987251185263479921678345837542916564139827");
    b.stato.Problema[4][6] = 0;
    b.stato.Problema[6][4] = 0;
    b.m.SenzaTentativi = true;
    b.generatore.Semplifica4();
    EXPECT_EQ(b.gen.MaxValore, 4000);
    EXPECT_TRUE(b.gen.SudokuDisponibile);
    ASSERT_TRUE(b.gen.AccettatoPresente);
    EXPECT_EQ(b.gen.ValoreAccettato, 1002);
    EXPECT_EQ(BancoGenerazione::Testo(b.gen.SchemaAccettato),
              "090001503300006004050090160070400000600000001000003070021070040800500006504100020");
    EXPECT_NE(b.stato.Problema, b.gen.SchemaAccettato);
}

// ---- Removal passes ------------------------------------------------------------------------------------

TEST(TogliSemplici, LevelThreeOnlyTriesGroupsOfTheTopLeftQuadrantWithinItsBudget) {
    BancoGenerazione b("3");
    const std::string s = b.Genera(77, 7);
    // Start again from a fuller puzzle: the seeded one with its solution filled
    // back in the top-right and bottom-left quadrants.
    Tabella pieno = b.stato.Problema;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if ((r <= 4 && c >= 6) || (r >= 6 && c <= 4)) pieno[r][c] = b.m.Soluzione[r][c];
    b.stato.Problema = pieno;
    b.finestra.disegnate.clear();
    b.finestra.testi.clear();
    b.generatore.CmdTogliSemplici_Click();
    ASSERT_FALSE(b.finestra.disegnate.empty());
    for (const Tabella& t : b.finestra.disegnate)
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if ((r <= 4 && c >= 6) || (r >= 6 && c <= 4)) {
                    ASSERT_NE(t[r][c], 0) << r << "," << c;
                }
    EXPECT_LE(b.gen.ContaChiamate, 51);
    // One status text per working call.
    EXPECT_EQ(b.finestra.testi.size(), b.gen.ContaChiamate);
    EXPECT_EQ(b.finestra.testi.front().rfind("p2=SUDOKU  in corso di realizzazione ", 0), 0u);
    EXPECT_EQ(b.stato.Problema, b.gen.SchemaProfondo);
    EXPECT_EQ(b.finestra.puntatore, 0);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(BancoGenerazione::Testo(b.stato.Problema)), 2), 1) << s;
}

TEST(TogliSemplici, EscGivesTrialsAndTheDefaultPointerBack) {
    BancoGenerazione b("N");
    BancoGenerazione::Carica(b.stato.Problema, kSoluzione79583);
    BancoGenerazione::Carica(b.m.Soluzione, kSoluzione79583);
    b.gen.Chiudi = 1;
    b.generatore.CmdTogliSemplici_Click();
    EXPECT_FALSE(b.m.SenzaTentativi);
    EXPECT_EQ(b.finestra.puntatore, 0);
    EXPECT_EQ(BancoGenerazione::Testo(b.stato.Problema), kSoluzione79583);
}

TEST(TogliSemplici, RemovalsStayOnlyWhileLogicSolvesAndAnEmptySolutionLosesNoGiven) {
    BancoGenerazione b("N");
    BancoGenerazione::Carica(b.stato.Problema, kSoluzione79583);
    b.generatore.CmdTogliSemplici_Click();
    // Without a solution nothing can be put back: a failed removal restores what was there.
    const std::string s = BancoGenerazione::Testo(b.stato.Problema);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2), 1);
    EXPECT_LT(BancoGenerazione::Piene(b.stato.Problema), 81);
    b.m.SenzaTentativi = true;
    b.m.Risolvi(1);
    EXPECT_EQ(b.m.ProfonditaMax, 1);
}

TEST(Passi, EveryPassEndsOnABadTableWithoutHarm) {
    // A second at every reading: the engine's 5-second limit ends a solve
    // that a clashing table would send through a huge search.
    verifica::OrologioACatti veloce(1.0, 0, 0);
    std::string scontro(81, '0');
    scontro[0] = scontro[1] = '5';
    scontro[80] = scontro[79] = '5';
    struct Tavole {
        std::string schema, soluzione;
    };
    const Tavole casi[] = {{scontro, std::string(81, '0')},
                           {kSchema79583, std::string(81, '0')},
                           {kSoluzione79583, kSoluzione79583},
                           {std::string(81, '0'), kSoluzione79583}};
    for (const char* lettera : {"N", "1", "2", "3"}) {
        for (const Tavole& t : casi) {
            BancoGenerazione b(lettera);
            b.m.orologio = &veloce;
            BancoGenerazione::Carica(b.stato.Problema, t.schema);
            BancoGenerazione::Carica(b.m.Soluzione, t.soluzione);
            b.generatore.CmdSemplifica_Click();
            b.m.SenzaTentativi = true;
            b.generatore.Semplifica4();
            b.m.SenzaTentativi = false;
            b.generatore.CmdTogliSemplici_Click();
            b.generatore.AbbassaLivello();
            b.generatore.TrasferisciSoluzOld();
            EXPECT_FALSE(b.m.SenzaTentativi);
            EXPECT_EQ(b.finestra.puntatore, 0);
            for (int r = 1; r <= 9; ++r)
                for (int c = 1; c <= 9; ++c) EXPECT_LE(b.stato.Problema[r][c], 9);
        }
    }
}

// ---- Givens search -----------------------------------------------------------------------------------------

TEST(Generazione, ARepresentativeCountOutside1To81ExhaustsEveryAttemptUntilEsc) {
    for (const char* testo : {"1", "abc", "300"}) {
        BancoGenerazione b("N");
        BancoGenerazione::Carica(b.stato.Problema, kSchema79583);
        b.impostazioni.TestoLiv = testo;
        b.finestra.escAllaCessione = 3;
        // The draws of the full grid alone: Esc before the first attempt.
        BancoGenerazione sola("N");
        sola.finestra.escAllaCessione = 1;
        EXPECT_FALSE(sola.generatore.Command1_Click());
        const int griglia = BancoGenerazione::Estrazioni(Casuale{}, sola.m.casuale);
        const Casuale prima = b.m.casuale;
        EXPECT_FALSE(b.generatore.Command1_Click()) << testo;
        EXPECT_EQ(BancoGenerazione::Testo(b.stato.Problema), kSchema79583) << testo;
        EXPECT_EQ(b.finestra.puntatore, 0);
        // The full grid's draws, then two exhausted attempts of 3036 each.
        EXPECT_EQ(BancoGenerazione::Estrazioni(prima, b.m.casuale), griglia + 2 * 3036) << testo;
    }
}

// ---- Uniqueness count -----------------------------------------------------------------------------

TEST(ContaRapido, CountsLikeTheIndependentSolver) {
    Tabella t{};
    EXPECT_EQ(ContaSoluzioniRapido(t, 2), 2);
    BancoGenerazione::Carica(t, kSoluzione79583);
    EXPECT_EQ(ContaSoluzioniRapido(t, 2), 1);
    BancoGenerazione::Carica(t, kSchema79583);
    EXPECT_EQ(ContaSoluzioniRapido(t, 2), 1);
    t[1][1] = 4;  // clashes with the 4 of row 1
    EXPECT_EQ(ContaSoluzioniRapido(t, 2), 0);
    // Few givens that send a plain search through long dead branches.
    BancoGenerazione::Carica(
        t, "000006000000000000040000001000200700807000302001009000300000090000000000000900000");
    EXPECT_EQ(ContaSoluzioniRapido(t, 2), 2);
    EXPECT_EQ(ContaSoluzioniRapido(t, 1), 1);
}

}  // namespace
}  // namespace kenvaron
