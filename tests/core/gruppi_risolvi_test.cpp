// Subsets and fish inside narrated solves: findings built from the user's struck
// candidates, and public hard puzzles solved with the groups S, G, D and B.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

class GruppiRisolviTest : public ::testing::Test {
protected:
    Condiviso stato;
    // The real clock, so that the 5-second limit can fire.
    std::unique_ptr<Motore> motore = std::make_unique<Motore>(stato);
    Motore& m = *motore;
    Livelli livelli{m, stato};

    void SetUp() override { stato.TecnicheAttive = {1, 0, 0, 0, 0, 0}; }
    void Codice(std::string codice) { livelli.SettaTurni(codice); }
    void Colpisci(int r, int c, int d) {
        stato.PilaAnnulla[++stato.NumMosse] =
            Mossa{static_cast<Byte>(r), static_cast<Byte>(c), 50, 49, "C", static_cast<Byte>(d)};
    }
    // The user strikes every candidate of (r, c) but those of `cifre`.
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d)
            if (cifre.find(static_cast<char>('0' + d)) == std::string::npos) Colpisci(r, c, d);
    }
    // The user strikes d from row r everywhere but the columns listed.
    void SoloInColonne(int d, int r, const std::string& colonne) {
        for (int c = 1; c <= 9; ++c)
            if (colonne.find(static_cast<char>('0' + c)) == std::string::npos) Colpisci(r, c, d);
    }
    // The empty board with the strikes, solved up to the forbidden trial point.
    void RisolviSenzaTentativi() {
        m.SenzaTentativi = true;
        m.Risolvi(1);
        m.SenzaTentativi = false;
    }
    int Conta(const std::string& tipo) const {
        int n = 0;
        for (int i = 1; i <= m.NumPassi; ++i) n += m.LogPassi[i].Tipo == tipo;
        return n;
    }
};

const std::string kRientro = Motore::IncrementaIndice(1);

TEST_F(GruppiRisolviTest, StruckPairGivesTheNakedPairOfRowOneThenOfBoxOne) {
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    Codice("G");
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 2);
    EXPECT_EQ(m.LogPassi[1].Testo,
              kRientro + " nella riga  1 i numeri 12 sono gli unici possibili per le celle (1,1) (1,2) ");
    EXPECT_EQ(m.LogPassi[1].Profondita, 1);
    EXPECT_EQ(m.LogPassi[1].Tipo, "G");
    EXPECT_EQ(m.LogPassi[1].Codice, "R");
    EXPECT_EQ(m.LogPassi[1].Dimensione, 2);
    EXPECT_EQ(m.LogPassi[2].Testo,
              kRientro + " nel quadrato  1 i numeri 12 sono gli unici possibili per le celle (1,1) (1,2) ");
    EXPECT_EQ(m.LogPassi[2].Codice, "Q");
    EXPECT_EQ(m.ContaTecnicaG, 2);
    EXPECT_EQ(m.Valore, -10);
    const std::string& lista = m.PilaLivelli[1].ListaRipristino;
    // The oldest entry stands last; the row's seven-cell complement was applied in between.
    EXPECT_EQ(lista.substr(lista.size() - 9), "X1,12,12|");
    EXPECT_NE(lista.find("S1,12,12|"), std::string::npos);
    EXPECT_LT(lista.find("S1,12,12|"), lista.find("X1,3456789,3456789|"));
}

TEST_F(GruppiRisolviTest, HiddenPairIsNarratedOnlyInAUsersSolve) {
    SoloInColonne(3, 1, "16");
    SoloInColonne(7, 1, "16");
    Codice("G");
    m.IndiceRagionamento = 2;
    m.ModoRisolvi = false;
    RisolviSenzaTentativi();
    EXPECT_EQ(m.ContaTecnicaG, 0);
    EXPECT_EQ(Conta("g"), 0);

    m.ModoRisolvi = true;
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo,
              kRientro + " nella riga 1 le celle (1,1) (1,6)  sono  le uniche possibili per i numeri 37");
    EXPECT_EQ(m.LogPassi[1].Tipo, "g");
}

TEST_F(GruppiRisolviTest, XWingOfFourNarratesItsFourteenEliminations) {
    SoloInColonne(4, 2, "38");
    SoloInColonne(4, 6, "38");
    Codice("B");
    m.ModoRisolvi = true;
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    const Passo& p = m.LogPassi[1];
    EXPECT_EQ(p.Testo, kRientro + " il numero  4 nelle righe 26 possibile solo in colonne 38");
    EXPECT_EQ(p.Dimensione, 2);
    const std::string tolti = p.Celle.substr(0, p.Celle.find('/'));
    EXPECT_EQ(tolti.size(), 14u * 6u);
    EXPECT_EQ(p.Celle.substr(tolti.size()), "/2,3,4|6,3,4|2,8,4|6,8,4|");
    EXPECT_EQ(m.ContaTecnicaB, 1);
    EXPECT_NE(m.PilaLivelli[1].ListaRipristino.find("54,26,38|"), std::string::npos);
}

TEST_F(GruppiRisolviTest, SwordfishOnThreeRowsAndTheFishLimit) {
    SoloInColonne(7, 1, "14");
    SoloInColonne(7, 5, "47");
    SoloInColonne(7, 9, "17");
    Codice("B");
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo,
              kRientro + " il numero  7 nelle righe 159 possibile solo in colonne 147");
    EXPECT_EQ(m.LogPassi[1].Dimensione, 3);

    // A jellyfish is beyond LimiteFor 3 in a generation solve.
    stato.NumMosse = 0;
    SoloInColonne(3, 1, "12");
    SoloInColonne(3, 5, "23");
    SoloInColonne(3, 9, "34");
    SoloInColonne(3, 7, "14");
    m.ModoRisolvi = false;
    m.LimiteFor = 3;
    RisolviSenzaTentativi();
    EXPECT_EQ(Conta("B"), 0);
    m.LimiteFor = 5;
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    EXPECT_EQ(m.LogPassi[1].Testo,
              kRientro + " il numero  3 nelle righe 1579 possibile solo in colonne 1234");
}

// Every elimination of a subset or fish at depth 1 must spare the solution's
// digit, the solve must find exactly the one solution, and none may run into
// the 5-second limit.  Both a user's solve (hidden subsets, fish by size) and a
// generation solve (fish up to 5 lines per digit) are run.
TEST_F(GruppiRisolviTest, HardPuzzlesKeepTheirSolutionUnderSGDB) {
    std::vector<std::string> schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 160);
    const std::vector<std::string> altri = verifica::LeggiSchemi("qqwing_expert.txt", 100);
    schemi.insert(schemi.end(), altri.begin(), altri.end());


    Codice("SGDB");
    m.LimiteFor = 5;
    std::array<int, 3> passi{};  // G, g, B at depth 1
    double piuLento = 0;
    for (const bool utente : {true, false}) {
        m.ModoRisolvi = utente;
        for (const std::string& schema : schemi) {
            const verifica::Celle celle = verifica::DaTesto(schema);
            verifica::Celle soluzione{};
            ASSERT_EQ(verifica::ContaSoluzioni(celle, 2, &soluzione), 1) << schema;
            for (int i = 0; i < 81; ++i)
                stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(celle[i]);

            const auto inizio = std::chrono::steady_clock::now();
            m.Risolvi(2);
            piuLento = std::max(
                piuLento,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count());
            ASSERT_NE(m.ContaSoluz, 4) << "time limit: " << schema;
            EXPECT_EQ(m.ContaSoluz, 1) << schema;
            for (int k = 1; k <= m.NumPassi; ++k) {
                const Passo& p = m.LogPassi[k];
                if (p.Profondita != 1) continue;
                const int tipo = p.Tipo == "G" ? 0 : p.Tipo == "g" ? 1 : p.Tipo == "B" ? 2 : -1;
                if (tipo < 0) continue;
                ++passi[tipo];
                const std::size_t barra = p.Celle.find('/');
                ASSERT_NE(barra, std::string::npos) << p.Testo;
                ASSERT_GT(barra, 0u) << p.Testo;
                for (std::size_t i = 0; i + 6 <= barra; i += 6) {
                    const int r = p.Celle[i] - '0', c = p.Celle[i + 2] - '0', d = p.Celle[i + 4] - '0';
                    EXPECT_NE(soluzione[(r - 1) * 9 + c - 1], d) << schema << " " << p.Testo;
                }
            }
        }
    }
    // The puzzles exercise naked and hidden subsets and fish.
    EXPECT_GT(passi[0], 0);
    EXPECT_GT(passi[1], 0);
    EXPECT_GT(passi[2], 0);
    RecordProperty("SlowestSolveSeconds", std::to_string(piuLento));
    std::printf("steps at depth 1: naked %d, hidden %d, fish %d; slowest solve %.3f s\n", passi[0],
                passi[1], passi[2], piuLento);
}

}  // namespace
}  // namespace kenvaron
