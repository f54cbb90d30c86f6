// The background generator's building blocks on a background engine of its
// own: set-up and levels, puzzles from an empty board checked by the
// independent solver, the deadline and the fill retry on a fake clock, the
// lowering, simplify and reduction passes, the rating, and the stop code.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "background/GeneratoreSfondo.h"
#include "generation/Generatore.h"
#include "tests/core/ProvaSfondo.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

std::string Testo(const Tabella& t) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
    return s;
}

int Piene(const Tabella& t) {
    int n = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) n += t[r][c] != 0;
    return n;
}

bool Simmetrico(const Tabella& t) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if ((t[r][c] == 0) != (t[10 - r][10 - c] == 0)) return false;
    return true;
}

// Cells of `prima` that `dopo` no longer holds (dopo never adds one here).
int Tolte(const Tabella& prima, const Tabella& dopo) {
    int n = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (dopo[r][c] != 0) {
                EXPECT_EQ(dopo[r][c], prima[r][c]) << r << c;
            }
            n += prima[r][c] != 0 && dopo[r][c] == 0;
        }
    return n;
}

class Sfondo : public ::testing::Test, protected verifica::CessioniProva {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio, Profilo());
    GeneratoreSfondo g{*m};

    void SetUp() override { g.Form_Load(); }

    // A puzzle from an empty board after a fixed reseed.
    void Schema(double seme) {
        m->casuale.Reimposta();
        m->casuale.Randomizza(seme);
        ASSERT_TRUE(g.Command1_Click());
    }
};

TEST_F(Sfondo, TheFormLoadsClassicoAndEachLevelSetsItsCodeLetterFishLimitAndTurnsOnly) {
    EXPECT_EQ(m->QuadratoCella[5][5][0], 5);
    EXPECT_EQ(m->QuadratoCella[5][5][1], 5);
    EXPECT_EQ(m->QuadratoCella[1][9][0], 3);
    EXPECT_EQ(m->QuadratoCella[9][1][1], 7);
    EXPECT_EQ(m->CelleQuadrato[0][6][4], 5);
    EXPECT_EQ(m->CelleQuadrato[1][6][4], 7);
    EXPECT_EQ(g.CodiciTecniche, "SGB");
    EXPECT_EQ(g.Livello, "C");
    EXPECT_EQ(m->LimiteFor, 3);
    // Turns in the order G, S, B, C, D.
    EXPECT_EQ(m->Turni, (std::array<std::int16_t, 5>{2, 1, 3, 0, 0}));
    EXPECT_TRUE(m->ModoRisolvi);
    EXPECT_EQ(m->IndiceRagionamento, 4);

    const Condiviso prima = stato;
    struct Caso {
        void (GeneratoreSfondo::*seleziona)();
        const char* codice;
        const char* lettera;
        int limite;
        std::array<std::int16_t, 5> turni;
    };
    const Caso casi[] = {{&GeneratoreSfondo::mnuSemplice_Click, " ", "S", 5, {0, 0, 0, 0, 0}},
                         {&GeneratoreSfondo::MnuNormale_Click, "S", "N", 5, {0, 1, 0, 0, 0}},
                         {&GeneratoreSfondo::MnuDifficile_Click, "SDG", "D", 5, {3, 1, 0, 0, 2}},
                         {&GeneratoreSfondo::mnuClassico_Click, "SGB", "C", 3, {2, 1, 3, 0, 0}},
                         {&GeneratoreSfondo::MnuEstremo_Click, "SGDBC", "M", 5, {2, 1, 4, 5, 3}}};
    for (const Caso& k : casi) {
        (g.*k.seleziona)();
        EXPECT_EQ(g.CodiciTecniche, k.codice);
        EXPECT_EQ(g.Livello, k.lettera);
        EXPECT_EQ(m->LimiteFor, k.limite) << k.lettera;
        EXPECT_EQ(m->Turni, k.turni) << k.lettera;
    }
    std::string minuscolo = "sgb";
    g.Settaf5turni(minuscolo);
    EXPECT_EQ(minuscolo, "SGB");
    // Nothing shared: the technique switches stay as they were.
    EXPECT_EQ(stato.TecnicheAttive, prima.TecnicheAttive);
}

TEST_F(Sfondo, PuzzlesFromAnEmptyBoardAreUniqueSymmetricAndAgreeWithTheSolution) {
    // The main window's puzzle and engine are never touched.
    stato.Problema[1][1] = 7;
    stato.Problema[9][9] = 3;
    const Tabella problema = stato.Problema;
    Motore principale(stato, orologio);
    principale.Griglia[4][4] = 6;
    const Tabella griglia = principale.Griglia;
    for (double seme : {1.0, 2.0, 3.0}) {
        Schema(seme);
        const Tabella& p = stato.ProblemaF5;
        EXPECT_TRUE(Simmetrico(p)) << Testo(p);
        verifica::Celle soluzione{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Testo(p)), 2, &soluzione), 1) << Testo(p);
        EXPECT_EQ(verifica::ComeTesto(soluzione), Testo(m->Soluzione));
        EXPECT_EQ(m->NumCellePiene, Piene(p));
    }
    EXPECT_EQ(stato.Problema, problema);
    EXPECT_EQ(principale.Griglia, griglia);
    // The same seed makes the same puzzle.
    const Tabella terzo = stato.ProblemaF5;
    Schema(3.0);
    EXPECT_EQ(stato.ProblemaF5, terzo);
}

TEST_F(Sfondo, ARandomFillStoppedAtItsLimitIsMadeAgain) {
    // The windows work for 6 seconds inside the first fill's first yield.
    allaCessione = [this] {
        if (cessioni == 1) orologio.Avanza(6);
    };
    Schema(5.0);
    EXPECT_EQ(g.Riempimenti, 2);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Testo(stato.ProblemaF5)), 2), 1);
}

TEST_F(Sfondo, TheGivensSearchRestartsOnlyStrictlyAfterItsTenSeconds) {
    for (double oltre : {0.0, 0.001}) {
        // At the first yield of the first search the clock stands at its deadline, or just past it.
        const int prima = g.RicercheGivens;
        bool fatto = false;
        allaCessione = [&] {
            if (!fatto && g.RicercheGivens == prima + 1) {
                orologio.trascorsi = g.generazione.ScadenzaTentativo + oltre;
                fatto = true;
            }
        };
        Schema(7.0);
        EXPECT_EQ(g.RicercheGivens - prima, oltre > 0 ? 2 : 1) << oltre;
    }
}

TEST_F(Sfondo, CellOrderAndTransfersOfTheBackground) {
    // Four cells of every box in positions 1..36 of a permutation, the same for the same seed.
    OrdineCelle o1, o2;
    for (OrdineCelle* o : {&o1, &o2}) {
        m->casuale.Reimposta();
        m->casuale.Randomizza(11);
        RandomizzaCelle(*m, *o, 41);
    }
    EXPECT_EQ(o1.OrdineRighe, o2.OrdineRighe);
    EXPECT_EQ(o1.OrdineColonne, o2.OrdineColonne);
    std::array<int, 10> perBox{};
    std::array<int, 82> visti{};
    for (int p = 1; p <= 81; ++p) {
        const int r = o1.OrdineRighe[p], c = o1.OrdineColonne[p];
        ++visti[9 * (r - 1) + c];
        if (p <= 36) ++perBox[3 * ((r - 1) / 3) + (c - 1) / 3 + 1];
    }
    for (int i = 1; i <= 81; ++i) EXPECT_EQ(visti[i], 1);
    for (int b = 1; b <= 9; ++b) EXPECT_EQ(perBox[b], 4);

    // A chosen cell brings its partner; the centre comes alone.
    Schema(1.0);
    o1.PilaCombinazioni = {};
    o1.OrdineRighe[1] = 5, o1.OrdineColonne[1] = 5;
    o1.OrdineRighe[2] = 2, o1.OrdineColonne[2] = 3;
    o1.PilaCombinazioni[1] = 1;
    o1.PilaCombinazioni[2] = 2;
    m->Inizializza();
    TrasferisciCelleSelez(*m, o1, g.impostazioni, 2);
    EXPECT_EQ(Piene(m->Griglia), 3);
    EXPECT_EQ(m->Griglia[8][7], m->Soluzione[8][7]);

    // The givens but entry k and its partner: a pair is left out, or the centre alone.
    Tabella& p = stato.ProblemaF5;
    p = m->Soluzione;
    std::array<Byte, 82> righe{}, colonne{};
    int n = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if ((r + c) % 2 == 0) {
                ++n;
                righe[n] = static_cast<Byte>(r);
                colonne[n] = static_cast<Byte>(c);
            }
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j)
            if ((i + j) % 2 != 0) p[i][j] = 0;
    ASSERT_EQ(n, 41);  // 20 partner pairs and the centre
    int centro = 0, altro = 0;
    for (int k = 1; k <= n; ++k) (righe[k] == 5 && colonne[k] == 5 ? centro : altro) = k;
    m->Inizializza();
    g.TrasferisciSoluz(n, centro, righe, colonne);
    EXPECT_EQ(Piene(m->Griglia), n - 1);
    EXPECT_EQ(m->Griglia[5][5], 0);
    m->Inizializza();
    g.TrasferisciSoluz(n, altro, righe, colonne);
    EXPECT_EQ(Piene(m->Griglia), n - 2);
    EXPECT_EQ(m->Griglia[10 - righe[altro]][10 - colonne[altro]], 0);
}

TEST_F(Sfondo, LoweringTakesOutOnePairAndKeepsTheSolutionUnique) {
    for (double seme : {2.0, 4.0}) {
        Schema(seme);
        const Tabella prima = stato.ProblemaF5;
        const int cessioniPrima = cessioni;
        g.AbbassaLivello();
        const Tabella& dopo = stato.ProblemaF5;
        const int tolte = Tolte(prima, dopo);
        const bool centro = prima[5][5] != 0 && dopo[5][5] == 0;
        EXPECT_TRUE(tolte == 0 || tolte == (centro ? 1 : 2)) << tolte;
        EXPECT_TRUE(Simmetrico(dopo));
        EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Testo(dopo)), 2), 1);
        EXPECT_GT(cessioni, cessioniPrima);  // a yield before every trial count
    }
    // A full table changes nothing.
    stato.ProblemaF5 = m->Soluzione;
    g.AbbassaLivello();
    EXPECT_EQ(stato.ProblemaF5, m->Soluzione);
}

TEST_F(Sfondo, SimplifyAddsAtMostOnePairAndNeverTheOneJustRemoved) {
    g.MnuDifficile_Click();
    for (double seme : {3.0, 6.0}) {
        Schema(seme);
        Tabella& p = stato.ProblemaF5;
        // Take out the first given pair of the first half, as the run's tries do.
        int r = 0, c = 0;
        for (int i = 1; i <= 5 && r == 0; ++i)
            for (int j = 1; j <= (i == 5 ? 5 : 9) && r == 0; ++j)
                if (p[i][j] != 0) r = i, c = j;
        ASSERT_NE(r, 0);
        p[r][c] = 0;
        p[10 - r][10 - c] = 0;
        const Tabella tolto = p;
        g.RigaTolta = static_cast<Byte>(r);
        g.ColonnaTolta = static_cast<Byte>(c);
        m->SenzaTentativi = true;
        g.generazione.MaxValore = 0;
        g.Semplifica4();
        m->SenzaTentativi = false;
        const int aggiunte = Tolte(p, tolto);
        EXPECT_TRUE(aggiunte == 0 || aggiunte == 1 || aggiunte == 2) << aggiunte;
        EXPECT_EQ(p[r][c], 0);
        EXPECT_TRUE(Simmetrico(p));
        EXPECT_FALSE(m->ModoRisolvi);
    }
}

TEST_F(Sfondo, TheReductionLeavesAPuzzleTheLevelsLogicSolvesAndNeedsEveryPair) {
    g.MnuNormale_Click();
    Schema(8.0);
    // From the full grid: every pair the logic of "S" can do without goes.
    stato.ProblemaF5 = m->Soluzione;
    g.TogliSempliciOrdine();
    Tabella& p = stato.ProblemaF5;
    EXPECT_FALSE(m->SenzaTentativi);
    EXPECT_TRUE(Simmetrico(p));
    m->SenzaTentativi = true;
    g.Risolvi(1);
    EXPECT_LT(m->ProfonditaMax, 2);
    EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(Testo(p)), 2), 1);
    const Tabella ridotto = p;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (ridotto[r][c] == 0 || (r == 5 && c > 5)) continue;
            p = ridotto;
            p[r][c] = 0;
            p[10 - r][10 - c] = 0;
            g.Risolvi(1);
            EXPECT_GT(m->ProfonditaMax, 1) << r << c;
        }
    m->SenzaTentativi = false;
}

TEST_F(Sfondo, RatingAndAcceptanceByTheLevelLetter) {
    g.MnuDifficile_Click();
    m->ContaTecnicaS = 1, m->ContaTecnicaD = 0, m->ContaTecnicaG = 1, m->ContaTecnicaB = 0, m->ContaTecnicaC = 0;
    m->ContaPregio = 2;
    g.ValutaFinericerca();
    EXPECT_EQ(m->Valore, 200110);
    // Not accepted: no bonus.
    m->ContaTecnicaG = 0;
    g.ValutaFinericerca();
    EXPECT_EQ(m->Valore, 10);
    // A letter the background does not generate leaves the merit as the solve left it.
    g.Livello = "E";
    m->Valore = 77;
    g.ValutaFinericerca();
    EXPECT_EQ(m->Valore, 77);
    EXPECT_FALSE(g.ValutaFinericercaSAV());

    g.MnuNormale_Click();
    g.generazione.ContaTecnicaMigliore = {0, 3, 2, 1, 1};
    EXPECT_FALSE(g.ValutaFinericercaSAV());
    EXPECT_FALSE(g.generazione.SudokuDisponibile);
    g.generazione.ContaTecnicaMigliore[0] = 1;
    EXPECT_TRUE(g.ValutaFinericercaSAV());
    EXPECT_TRUE(g.generazione.SudokuDisponibile);
}

TEST_F(Sfondo, StopCodeOneEndsEveryStepWithoutStoringAnything) {
    Schema(9.0);
    const Tabella schema = stato.ProblemaF5;
    // Code 2 is left to the run: the steps go on.
    stato.CodiceStop = 2;
    g.AbbassaLivello();
    stato.CodiceStop = 0;
    const std::function<void()> passi[] = {[&] { g.Command1_Click(); }, [&] { g.AbbassaLivello(); },
                                           [&] { g.Semplifica4(); }, [&] { g.TogliSempliciOrdine(); }};
    for (std::size_t i = 0; i < std::size(passi); ++i) {
        const auto& passo = passi[i];
        for (int dopo : {1, 10}) {
            stato.ProblemaF5 = schema;
            const int inizio = cessioni;
            stato.CodiceStop = 0;
            fini = 0;
            allaCessione = [&] {
                if (cessioni - inizio == dopo) stato.CodiceStop = 1;
            };
            passo();
            EXPECT_EQ(stato.ProblemaF5, schema) << i << " " << dopo;
            EXPECT_GE(fini, 1) << i << " " << dopo << " " << cessioni - inizio;
        }
    }
    stato.CodiceStop = 0;
    allaCessione = nullptr;
}

TEST_F(Sfondo, TheCountsReadTheBackgroundsPuzzle) {
    stato.Problema[1][1] = 5;
    stato.ProblemaF5[2][2] = 4;
    stato.ProblemaF5[3][3] = 4;
    g.contaCellePiene();
    EXPECT_EQ(m->NumCellePiene, 2);
    g.Visualizza(Tabella{});
    EXPECT_EQ(m->NumCellePiene, 0);
}

}  // namespace
}  // namespace kenvaron
