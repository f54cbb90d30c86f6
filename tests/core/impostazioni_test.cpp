// The pool file: the digit scrambler, the exact line the writer makes, reading
// any line back, and the rules that keep a stored pool from being lost.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "background/Impostazioni.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

class FileImpostazioniTest : public ::testing::Test {
protected:
    // ctest runs the tests as parallel processes: each has its own folder.
    fs::path cartella = fs::temp_directory_path() /
                        ("kenvaron_pool_" + std::to_string(::getpid()) + "_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string file = (cartella / kFileImpostazioni).string();
    Condiviso c;
    OrologioFinto orologio;

    void SetUp() override {
        fs::create_directories(cartella);
        orologio.mezzanotte = 43200.75;  // whole seconds: 43200
    }
    void TearDown() override { fs::remove_all(cartella); }

    void Scrivi(const std::string& testo) const { std::ofstream(file, std::ios::binary) << testo; }
    std::string Leggi() const {
        std::ifstream f(file, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    static std::string Vuoto(int slot) { return std::string(static_cast<std::size_t>(slot), '|') + "X"; }
    // A puzzle-like text that differs per pool and slot.
    static std::string Schema(int pool, int slot) {
        std::string s;
        for (int i = 0; i < 81; ++i) s += static_cast<char>('0' + (pool * 7 + slot * 3 + i * i) % 10);
        return s;
    }
    void Riempi() {
        for (int i = 1; i <= 30; ++i) c.SchemiBkgS[i] = Schema(0, i);
        for (int i = 1; i <= 10; ++i) {
            c.SchemiBkgN[i] = Schema(1, i);
            c.SchemiBkgD[i] = Schema(2, i);
            c.SchemiBkgC[i] = Schema(3, i);
            c.SchemiBkgE[i] = Schema(4, i);
        }
        c.SchemiBkgD[4].clear();      // an empty slot
        c.SchemiBkgC[7] = "0123";     // short slots are kept as they are
        c.SchemiBkgS[30] = "98765";
    }
};

TEST(CodificaCifre, ScramblesFromTheSeedAndTheSameCallUnscrambles) {
    std::int64_t seme = 0;
    EXPECT_EQ(CodificaCifre("0000", seme), "2023");
    EXPECT_EQ(seme, 136);
    seme = 0;
    EXPECT_EQ(CodificaCifre("2023", seme), "0000");
    // A non-digit counts as 0; an empty text uses no key.
    seme = 0;
    EXPECT_EQ(CodificaCifre("a.", seme), "20");
    EXPECT_EQ(CodificaCifre("", seme), "");
    // Seeds of four or more digits take their hundreds and tens digits.
    seme = 86399;
    const std::string s = CodificaCifre("123456789", seme);
    std::int64_t indietro = 86399;
    EXPECT_EQ(CodificaCifre(s, indietro), "123456789");
    EXPECT_EQ(indietro, seme);
    // A hand-edited negative seed still gives digits.
    seme = -5;
    const std::string n = CodificaCifre("555", seme);
    for (char ch : n) EXPECT_TRUE(ch >= '0' && ch <= '9') << n;
}

TEST_F(FileImpostazioniTest, AMissingFileIsCreatedEmptyAndTheEmptyPoolIsWrittenExactly) {
    c.SchemiBkgS[3] = "stale";
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_TRUE(fs::is_regular_file(file));
    EXPECT_EQ(Leggi(), "");
    EXPECT_EQ(c.SchemiBkgS[3], "");
    EXPECT_EQ(c.SemeCodifica, 0);
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_EQ(Leggi(), "43200X" + Vuoto(10) + Vuoto(10) + Vuoto(10) + Vuoto(10) + Vuoto(30) + "1X\r\n");
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST_F(FileImpostazioniTest, OnlyOneSlotFullWritesItsScrambledDigitsInTheSPool) {
    CaricaImpostazioni(c, file);
    c.SchemiBkgS[1] = Schema(0, 1);
    SalvaImpostazioni(c, file, false, orologio);
    std::int64_t seme = 43200;
    EXPECT_EQ(Leggi(), "43200X" + Vuoto(10) + Vuoto(10) + Vuoto(10) + Vuoto(10) +
                           CodificaCifre(Schema(0, 1), seme) + Vuoto(30) + "0X\r\n");
}

TEST_F(FileImpostazioniTest, ARoundTripKeepsEverySlotAndTheOption) {
    CaricaImpostazioni(c, file);
    Riempi();
    const Condiviso prima = c;
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    Condiviso dopo;
    EXPECT_TRUE(CaricaImpostazioni(dopo, file));
    EXPECT_EQ(dopo.SchemiBkgS, prima.SchemiBkgS);
    EXPECT_EQ(dopo.SchemiBkgN, prima.SchemiBkgN);
    EXPECT_EQ(dopo.SchemiBkgD, prima.SchemiBkgD);
    EXPECT_EQ(dopo.SchemiBkgC, prima.SchemiBkgC);
    EXPECT_EQ(dopo.SchemiBkgE, prima.SchemiBkgE);
    // No slot is stored in clear.
    EXPECT_EQ(Leggi().find(Schema(0, 1)), std::string::npos);
}

TEST_F(FileImpostazioniTest, TheSameSecondGivesTheSameLineAndTheNextSecondANewOne) {
    CaricaImpostazioni(c, file);
    Riempi();
    SalvaImpostazioni(c, file, false, orologio);
    const std::string primo = Leggi();
    orologio.mezzanotte += 0.2;
    SalvaImpostazioni(c, file, false, orologio);
    EXPECT_EQ(Leggi(), primo);
    orologio.Avanza(1);
    SalvaImpostazioni(c, file, false, orologio);
    const std::string secondo = Leggi();
    EXPECT_EQ(secondo.substr(0, 6), "43201X");
    // Same slot lengths, other digits.
    EXPECT_EQ(secondo.size(), primo.size());
    EXPECT_NE(secondo.substr(6), primo.substr(6));
    Condiviso letto;
    EXPECT_FALSE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgS, c.SchemiBkgS);
    EXPECT_EQ(letto.SchemiBkgC, c.SchemiBkgC);
}

TEST_F(FileImpostazioniTest, AnyFirstLineLoads) {
    // Digits without any "X": the seed, every slot empty, the option off.
    Scrivi("123");
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SemeCodifica, 123);
    EXPECT_EQ(c.SchemiBkgS[1], "");
    // The option is on only for a field 6 of exactly "1".
    Scrivi("XXXXXX1X\r\nXXXXXX0X");
    EXPECT_TRUE(CaricaImpostazioni(c, file));
    for (const char* riga : {"XXXXXX0X", "XXXXXXX", "XXXXXX11X", "XXXXXX 1X", "abc"}) {
        Scrivi(riga);
        EXPECT_FALSE(CaricaImpostazioni(c, file)) << riga;
    }
    // Only the first line counts, whatever ends it; extra entries and fields are ignored.
    Scrivi("0X2023|||||||||||99|X\rXXXX1X");
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SchemiBkgD[1], "0000");
    EXPECT_EQ(c.SchemiBkgD[10], "");
    Scrivi("0XXXXX2023|X1XjunkX");
    EXPECT_TRUE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SchemiBkgS[1], "0000");
}

TEST_F(FileImpostazioniTest, ANeverLoadedPoolLeavesTheFileByteIdentical) {
    const std::string stored = "777X1|2|X\r\nsecond line\n";
    Scrivi(stored);
    EXPECT_FALSE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_EQ(Leggi(), stored);
}

TEST_F(FileImpostazioniTest, AFolderInTheFilesPlaceIsNeitherLoadedNorWritten) {
    fs::create_directory(file);
    fs::create_directory(fs::path(file) / "inside");
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_FALSE(c.PoolCaricato);
    EXPECT_FALSE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_TRUE(fs::is_directory(fs::path(file) / "inside"));
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

TEST_F(FileImpostazioniTest, AFailedWriteKeepsTheOldFileAndIsRetriedLater) {
    CaricaImpostazioni(c, file);
    SalvaImpostazioni(c, file, false, orologio);
    const std::string prima = Leggi();
    fs::create_directory(file + ".tmp");  // the temporary file cannot be made
    c.SchemiBkgN[2] = Schema(1, 2);
    EXPECT_FALSE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_EQ(Leggi(), prima);
    EXPECT_EQ(c.SchemiBkgN[2], Schema(1, 2));
    fs::remove(file + ".tmp");
    EXPECT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    Condiviso letto;
    EXPECT_TRUE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgN[2], Schema(1, 2));
}

}  // namespace
}  // namespace kenvaron
