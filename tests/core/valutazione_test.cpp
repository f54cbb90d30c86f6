// The level rules and merits of a rated try, the best-try verdict, and the
// level archive.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/FileTesto.h"
#include "tests/core/BancoGenerazione.h"

namespace kenvaron {
namespace {

using verifica::BancoGenerazione;

struct Caso {
    const char* lettera;
    const char* codice;  // nullptr: the level row's own code
    int S, G, D, B, C, pregio;
    double piene;
    bool batch;
    bool accettato;
    std::int32_t valore;
};

class Valutazione : public ::testing::TestWithParam<Caso> {};

TEST_P(Valutazione, RuleAndMeritOfTheLastSolve) {
    const Caso& k = GetParam();
    BancoGenerazione b(k.lettera);
    b.livelli.Livello = k.lettera;
    if (k.codice) {
        b.livelli.CodiciTecniche = k.codice;
        b.livelli.SettaTurni(b.livelli.CodiciTecniche);
    }
    b.gen.GeneraAuto = k.batch;
    b.gen.PCandidati_imprigionati = 3;
    b.gen.PTripletta_nascosta = 7;
    b.gen.PSwordfish = 11;
    b.gen.PSimple_Color = 13;
    b.m.ContaTecnicaS = k.S;
    b.m.ContaTecnicaG = k.G;
    b.m.ContaTecnicaD = k.D;
    b.m.ContaTecnicaB = k.B;
    b.m.ContaTecnicaC = k.C;
    b.m.ContaPregio = static_cast<Byte>(k.pregio);
    b.m.NumCellePiene = k.piene;
    b.m.Valore = -5;
    b.generatore.ValutaFinericerca();
    EXPECT_EQ(b.gen.RegolaSoddisfatta, k.accettato);
    EXPECT_EQ(b.m.Valore, k.valore);
}

INSTANTIATE_TEST_SUITE_P(
    Livelli, Valutazione,
    ::testing::Values(
        // D: 10 (S + D) + 100 G, and 100000 per quality point once accepted.
        Caso{"D", nullptr, 3, 2, 1, 0, 0, 4, 30, false, true, 400240},
        Caso{"D", nullptr, 3, 0, 1, 0, 0, 4, 30, false, false, 40},
        Caso{"E", nullptr, 0, 0, 0, 0, 1, 0, 30, false, true, 1000},
        Caso{"E", nullptr, 1, 0, 0, 0, 0, 0, 30, false, false, 10},
        Caso{"M", nullptr, 0, 1, 0, 2, 1, 0, 30, false, true, 12100},
        Caso{"C", nullptr, 0, 0, 0, 0, 5, 0, 30, false, false, 0},
        Caso{"N", nullptr, 2, 0, 0, 0, 0, 1, 30, false, true, 100020},
        Caso{"S", nullptr, 0, 0, 0, 0, 0, 2, 30, false, true, 200001},
        // "2": turns of SGB are S 1, G 2, B 3; D steps weigh as S; at most 32 givens.
        Caso{"2", nullptr, 1, 1, 2, 1, 0, 0, 32, false, true, 30 + 100 + 1000},
        Caso{"2", nullptr, 1, 1, 2, 1, 0, 0, 33, false, false, 30 + 100 + 1000},
        Caso{"2", nullptr, 0, 0, 0, 0, 3, 0, 30, false, false, 3},  // C is off: turn 0 weighs 1
        // "P" on "SG" (mandatory turn 2): G must occur, S + D may be 0.
        Caso{"P", "SG", 0, 1, 0, 0, 0, 0, 30, false, true, 100},
        Caso{"P", "SG", 4, 0, 0, 0, 0, 0, 30, false, false, 40},
        Caso{"P", "SG", 1, 2, 1, 3, 0, 0, 30, false, true, 20 + 200 + 3},
        // Batch: the four weights, no bonus.
        Caso{"P", "SG", 1, 2, 1, 3, 1, 5, 30, true, true, 2 * 3 + 2 * 7 + 3 * 11 + 13},
        // An unknown letter keeps the merit and accepts nothing.
        Caso{"X", nullptr, 3, 3, 3, 3, 3, 3, 30, false, false, -5}),
    [](const ::testing::TestParamInfo<Caso>& i) {
        return std::string("Livello") + i.param.lettera + "_" + std::to_string(i.index);
    });

TEST(ValutazioneMigliore, VerdictOnTheBestTryNeverClearsTheFlag) {
    BancoGenerazione b("1");
    b.m.Valore = 68;
    EXPECT_FALSE(b.generatore.ValutaFinericercaSAV());  // strictly above the limit
    EXPECT_FALSE(b.gen.SudokuDisponibile);
    b.m.Valore = 69;
    EXPECT_TRUE(b.generatore.ValutaFinericercaSAV());
    EXPECT_TRUE(b.gen.SudokuDisponibile);
    b.m.Valore = 0;
    EXPECT_FALSE(b.generatore.ValutaFinericercaSAV());
    EXPECT_TRUE(b.gen.SudokuDisponibile);

    b.Livello("3");
    b.gen.SudokuDisponibile = false;
    b.impostazioni.LimiteSemplice2 = 40;
    b.m.Valore = 40;
    EXPECT_FALSE(b.generatore.ValutaFinericercaSAV());
    b.Livello("D");
    b.gen.ContaTecnicaMigliore = {5, 1, 0, 0, 0};  // S, G, D, B, C
    EXPECT_TRUE(b.generatore.ValutaFinericercaSAV());
    b.livelli.Livello = "?";
    b.gen.SudokuDisponibile = false;
    EXPECT_FALSE(b.generatore.ValutaFinericercaSAV());
    EXPECT_FALSE(b.gen.SudokuDisponibile);
}

TEST(Archivio, AppendsSeedAndPuzzleAsOneLineAndKeepsTheSeed) {
    namespace fs = std::filesystem;
    const fs::path cartella = fs::temp_directory_path() / ("kenvaron_archivio_" + std::to_string(::getpid()));
    fs::create_directories(cartella);
    BancoGenerazione b("C");
    b.gen.SemeCorrente = "79583|38";
    BancoGenerazione::Carica(b.stato.Problema, std::string(80, '0') + "7");
    ASSERT_TRUE(b.generatore.Archivia(cartella.string()));
    ASSERT_TRUE(b.generatore.Archivia(cartella.string()));
    EXPECT_EQ(b.gen.SemeCorrente, "79583|38");
    std::string testo;
    ASSERT_TRUE(LeggiFile((cartella / "C.txt").string(), testo));
    const std::string riga = "79583|38|" + std::string(80, '0') + "7\r\n";
    EXPECT_EQ(testo, riga + riga);
    fs::remove_all(cartella);
    EXPECT_FALSE(b.generatore.Archivia((cartella / "manca").string()));
}

}  // namespace
}  // namespace kenvaron
