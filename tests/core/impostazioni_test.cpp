// The pool file: the digit scrambler, the exact line the writer makes, reading
// any line back, and the rules that keep a stored pool from being lost.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "background/Impostazioni.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/ScritturaProva.h"

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
    // A puzzle with one solution that differs per pool (0 = S .. 4 = E) and slot.
    static const std::string& Schema(int pool, int slot) {
        static const std::vector<std::string> schemi = verifica::LeggiSchemi("qqwing_expert.txt", 70);
        return schemi[static_cast<std::size_t>(pool == 0 ? slot - 1 : 30 + (pool - 1) * 10 + slot - 1)];
    }
    void Riempi() {
        for (int i = 1; i <= 30; ++i) c.SchemiBkgS[i] = Schema(0, i);
        for (int i = 1; i <= 10; ++i) {
            c.SchemiBkgN[i] = Schema(1, i);
            c.SchemiBkgD[i] = Schema(2, i);
            c.SchemiBkgC[i] = Schema(3, i);
            c.SchemiBkgE[i] = Schema(4, i);
        }
        c.SchemiBkgD[4].clear();  // an empty slot
    }
    // A slot's field text as the writer scrambles it from seed 0 when it is the first full slot.
    static std::string PrimoCifrato(const std::string& schema) {
        std::int64_t seme = 0;
        return CodificaCifre(schema, seme);
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
    Scrivi("0X" + PrimoCifrato(Schema(2, 1)) + "|||||||||||99|X\rXXXX1X");
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SchemiBkgD[1], Schema(2, 1));
    EXPECT_EQ(c.SchemiBkgD[10], "");
    Scrivi("0XXXXX" + PrimoCifrato(Schema(0, 1)) + "|X1XjunkX");
    EXPECT_TRUE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SchemiBkgS[1], Schema(0, 1));
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
    c.SchemiBkgN[2] = Schema(1, 2);
    {
        verifica::DiscoPienoQui pieno;
        EXPECT_FALSE(SalvaImpostazioni(c, file, true, orologio));
    }
    EXPECT_EQ(Leggi(), prima);
    EXPECT_EQ(c.SchemiBkgN[2], Schema(1, 2));
    EXPECT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    Condiviso letto;
    EXPECT_TRUE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgN[2], Schema(1, 2));
}

TEST_F(FileImpostazioniTest, AWriteKeepsTheModeGoesThroughALinkAndLeavesWhatLiesBesideAlone) {
    // A leftover of the old fixed temporary name: a link to another file, then an empty folder.
    const std::string vittima = (cartella / "vittima.txt").string(), avanzo = file + ".tmp";
    std::ofstream(vittima, std::ios::binary) << "non toccare";
    fs::create_symlink(vittima, avanzo);
    CaricaImpostazioni(c, file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    Riempi();
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_TRUE(fs::is_symlink(avanzo));
    fs::remove(avanzo);
    fs::create_directory(avanzo);
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_TRUE(fs::is_directory(avanzo));
    std::ifstream v(vittima, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(v), {}), "non toccare");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Three files beside the pool, none left over by the writes.
    EXPECT_EQ(std::distance(fs::directory_iterator(cartella), fs::directory_iterator{}), 3);

    // A pool file that is a link: the file it points to gets the pool.
    fs::create_directory(cartella / "vero");
    fs::rename(file, cartella / "vero" / kFileImpostazioni);
    fs::create_symlink(cartella / "vero" / kFileImpostazioni, file);
    c.SchemiBkgD[4] = Schema(2, 4);
    ASSERT_TRUE(SalvaImpostazioni(c, file, false, orologio));
    EXPECT_TRUE(fs::is_symlink(file));
    Condiviso letto;
    EXPECT_FALSE(CaricaImpostazioni(letto, (cartella / "vero" / kFileImpostazioni).string()));
    EXPECT_EQ(letto.SchemiBkgD, c.SchemiBkgD);
}

TEST_F(FileImpostazioniTest, APoolTheProgramMayNotWriteStaysAsItWas) {
    CaricaImpostazioni(c, file);
    Riempi();
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    const std::string prima = Leggi();
    // The user's own file, in a folder where anyone may make files: only the
    // file's own mode forbids the write.
    ASSERT_TRUE(verifica::DaiAUtenteComune(file));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(cartella, fs::perms::all);
    const std::string percorso = file;
    OrologioFinto dopo;
    dopo.mezzanotte = 50000;
    EXPECT_TRUE(verifica::ComeUtenteComune([&] {
        Condiviso x;
        return CaricaImpostazioni(x, percorso) && x.SchemiBkgS[1] == Schema(0, 1) &&
               !SalvaImpostazioni(x, percorso, false, dopo);
    }));
    EXPECT_EQ(Leggi(), prima);
}

TEST_F(FileImpostazioniTest, AKillDuringWritesLeavesOneWholeLine) {
    CaricaImpostazioni(c, file);
    Riempi();
    const pid_t figlio = ::fork();
    if (figlio == 0) {
        // Writes for ever, each with another seed, so every line differs.
        for (;;) {
            orologio.Avanza(1);
            SalvaImpostazioni(c, file, true, orologio);
        }
    }
    // Killed some way into its writes.
    for (int i = 0; i < 500 && Leggi().empty(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);
    const std::string testo = Leggi();
    ASSERT_GE(testo.size(), 2u);
    EXPECT_EQ(testo.find("\r\n"), testo.size() - 2);
    Condiviso letto;
    EXPECT_TRUE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgS, c.SchemiBkgS);
    EXPECT_EQ(letto.SchemiBkgE, c.SchemiBkgE);
}

// The format written again from its description, by other means: the key is
// the seed's hundreds and tens digits (1 where a small seed has none), and a
// digit d becomes (9 - key - d) mod 10.
namespace altro {

int Chiave(std::int64_t seme) {
    const int centinaia = seme >= 100 ? static_cast<int>(seme / 100 % 10) : 1;
    const int decine = seme >= 10 ? static_cast<int>(seme / 10 % 10) : 1;
    return 10 * centinaia + decine;
}

std::string Trasforma(const std::string& s, std::int64_t& seme) {
    std::string r;
    for (char ch : s) {
        seme += 19 + Chiave(seme);
        if (seme % 10 < 5) seme += 3;
        if (seme % 10 < 6) seme += 4;
        const int d = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        r += static_cast<char>('0' + ((9 - d - seme % 10) % 10 + 10) % 10);
    }
    return r;
}

// Pools in file order D, C, E, N, S.
std::string Riga(std::int64_t seme, const std::vector<std::vector<std::string>>& pool, bool opzione) {
    std::string riga = std::to_string(seme) + "X";
    for (const auto& p : pool) {
        for (const auto& slot : p) riga += Trasforma(slot, seme) + "|";
        riga += "X";
    }
    return riga + (opzione ? "1X" : "0X");
}

}  // namespace altro

TEST_F(FileImpostazioniTest, AnIndependentCoderReadsWhatTheProgramWritesAndTheProgramReadsIt) {
    std::mt19937 caso(1234);
    // Empty slots, puzzles, and damaged slots of any length, which the
    // reader empties after passing their digits through the keys.
    std::vector<std::vector<std::string>> pool, servibili;
    for (const std::size_t posti : {10u, 10u, 10u, 10u, 30u}) {
        pool.emplace_back(posti);
        servibili.emplace_back(posti);
        for (std::size_t j = 0; j < posti; ++j) {
            const unsigned tipo = caso() % 8;
            if (tipo < 2) continue;
            if (tipo == 2) {
                for (unsigned i = 0, n = 1 + caso() % 90; i < n; ++i) pool.back()[j] += static_cast<char>('0' + caso() % 10);
                continue;
            }
            pool.back()[j] = servibili.back()[j] = Schema(static_cast<int>(caso() % 5), 1 + static_cast<int>(caso() % 10));
        }
    }
    auto inMemoria = [](Condiviso& x, const std::vector<std::vector<std::string>>& p) {
        std::array<std::string*, 5> a{x.SchemiBkgD.data(), x.SchemiBkgC.data(), x.SchemiBkgE.data(),
                                      x.SchemiBkgN.data(), x.SchemiBkgS.data()};
        for (std::size_t i = 0; i < 5; ++i)
            for (std::size_t j = 0; j < p[i].size(); ++j) a[i][j + 1] = p[i][j];
    };
    // The program's writer, checked against the other coder.
    CaricaImpostazioni(c, file);
    inMemoria(c, pool);
    orologio.mezzanotte = 86399.9;
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_EQ(Leggi(), altro::Riga(86399, pool, true) + "\r\n");
    // The other coder's line, read by the program.
    Scrivi(altro::Riga(517, pool, false) + "\r\n");
    Condiviso letto, atteso;
    inMemoria(atteso, servibili);
    EXPECT_FALSE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgS, atteso.SchemiBkgS);
    EXPECT_EQ(letto.SchemiBkgN, atteso.SchemiBkgN);
    EXPECT_EQ(letto.SchemiBkgD, atteso.SchemiBkgD);
    EXPECT_EQ(letto.SchemiBkgC, atteso.SchemiBkgC);
    EXPECT_EQ(letto.SchemiBkgE, atteso.SchemiBkgE);
}

TEST_F(FileImpostazioniTest, TheSecondPinnedLineHoldsTheScrambledFirstPuzzleOfPoolS) {
    CaricaImpostazioni(c, file);
    c.SchemiBkgS[1] = "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
    SalvaImpostazioni(c, file, true, orologio);
    const std::string riga = Leggi();
    const std::string campo5 = "43200X" + Vuoto(10) + Vuoto(10) + Vuoto(10) + Vuoto(10);
    ASSERT_EQ(riga.substr(0, campo5.size()), campo5);
    EXPECT_EQ(riga.substr(campo5.size(), 12), "580162130600");
    EXPECT_EQ(riga.substr(campo5.size() + 81), Vuoto(30) + "1X\r\n");
}

TEST_F(FileImpostazioniTest, TheSeedIsAWholeLeadingNumberUpToTwoToThe31Minus1) {
    const std::pair<const char*, std::int64_t> casi[] = {
        {"43200 X", 43200}, {"43200abcX", 43200}, {"  17X", 17},      {"X", 0},          {"abcX", 0},
        {"-5X", 0},         {"1.5X", 0},          {"2147483647X", 2147483647},           {"2147483648X", 0},
        {"99999999999999999999X", 0}};
    for (const auto& [riga, seme] : casi) {
        Scrivi(std::string(riga) + "2023|X");
        std::int64_t letto = -1;
        CaricaImpostazioni(c, file, &letto);
        EXPECT_EQ(letto, seme) << riga;
    }
}

TEST_F(FileImpostazioniTest, DamagedLinesLoadWhatCanBeServedAndLeaveTheFileAsItWas) {
    // Cut just before its last "X": the option is still on.
    Scrivi("0XXXXXX1");
    EXPECT_TRUE(CaricaImpostazioni(c, file));
    EXPECT_EQ(Leggi(), "0XXXXXX1");
    // Binary bytes count as 0 and pass through the keys; the slot they make is emptied.
    const std::string binario = std::string("0X\0\xff\xc3|X", 7) + PrimoCifrato("000" + Schema(2, 2)).substr(3) + "|X";
    Scrivi(binario);
    EXPECT_FALSE(CaricaImpostazioni(c, file));
    EXPECT_EQ(c.SchemiBkgD[1], "");
    EXPECT_EQ(c.SchemiBkgC[1], Schema(2, 2));
    EXPECT_EQ(Leggi(), binario);

    // Slots that could never be served: too long, a clash, more than one
    // solution.  They load empty; the puzzles around them stay and are
    // written back.
    Condiviso scritto;
    scritto.SchemiBkgD[1] = std::string(70000, '5');
    scritto.SchemiBkgD[2] = "11" + std::string(79, '0');
    scritto.SchemiBkgD[3] = std::string(81, '0');
    scritto.SchemiBkgD[10] = Schema(2, 10);
    scritto.SchemiBkgS[1] = Schema(0, 1);
    scritto.SchemiBkgS[2] = Schema(0, 2);
    const std::string danneggiata = RigaImpostazioni(scritto, 1234, true) + "\r\n";
    Scrivi(danneggiata);
    ASSERT_TRUE(CaricaImpostazioni(c, file));
    EXPECT_EQ(Leggi(), danneggiata);
    for (int i : {1, 2, 3}) EXPECT_EQ(c.SchemiBkgD[i], "") << i;
    ASSERT_TRUE(SalvaImpostazioni(c, file, true, orologio));
    Condiviso letto;
    EXPECT_TRUE(CaricaImpostazioni(letto, file));
    EXPECT_EQ(letto.SchemiBkgD[10], Schema(2, 10));
    EXPECT_EQ(letto.SchemiBkgS[1], Schema(0, 1));
    EXPECT_EQ(letto.SchemiBkgS[2], Schema(0, 2));

    // A first line of more than 1 MiB is no pool: nothing loads, nothing is written.
    const std::string enorme = "0X" + std::string((1u << 20) + 1, '5') + "|XXXX1X\r\n";
    Scrivi(enorme);
    Condiviso fermo;
    fermo.SchemiBkgS[1] = Schema(0, 1);
    EXPECT_FALSE(CaricaImpostazioni(fermo, file));
    EXPECT_FALSE(fermo.PoolCaricato);
    EXPECT_EQ(fermo.SchemiBkgS[1], Schema(0, 1));
    EXPECT_FALSE(SalvaImpostazioni(fermo, file, true, orologio));
    EXPECT_EQ(Leggi(), enorme);
}

TEST_F(FileImpostazioniTest, APipeInTheFilesPlaceIsNeitherReadNorWritten) {
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    EXPECT_FALSE(CaricaImpostazioni(c, file));  // returns at once: nothing opens the pipe
    EXPECT_FALSE(SalvaImpostazioni(c, file, true, orologio));
    EXPECT_TRUE(fs::is_fifo(file));
    EXPECT_FALSE(fs::exists(file + ".tmp"));
}

}  // namespace
}  // namespace kenvaron
