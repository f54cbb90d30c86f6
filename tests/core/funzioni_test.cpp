// Val, rounding, date formats and text files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/Funzioni.h"
#include "engine/FileTesto.h"

namespace kenvaron {
namespace {

TEST(Val, IgnoresBlanksAnywhereAndStopsAtTheFirstForeignCharacter) {
    EXPECT_DOUBLE_EQ(Val(" 2 .5x"), 2.5);
    EXPECT_DOUBLE_EQ(Val("    1615 198th Street"), 1615198);
    EXPECT_DOUBLE_EQ(Val("12,5"), 12);
    EXPECT_DOUBLE_EQ(Val("-3.25"), -3.25);
    EXPECT_DOUBLE_EQ(Val("+.5"), 0.5);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("-"), 0);
    EXPECT_DOUBLE_EQ(Val("\t7\n"), 7);
}

TEST(Val, ReadsExponentsOnlyWhenDigitsFollow) {
    EXPECT_DOUBLE_EQ(Val("1.5E3"), 1500);
    EXPECT_DOUBLE_EQ(Val("2d-1"), 0.2);
    EXPECT_DOUBLE_EQ(Val("2E"), 2);
    EXPECT_DOUBLE_EQ(Val("2E+x"), 2);
    EXPECT_DOUBLE_EQ(Val("1E999"), 0);
}

TEST(Val, ReadsHexadecimalAndOctalWithTheirWidths) {
    EXPECT_DOUBLE_EQ(Val("&H10"), 16);
    EXPECT_DOUBLE_EQ(Val("&h1f"), 31);
    EXPECT_DOUBLE_EQ(Val("&HFFFF"), -1);
    EXPECT_DOUBLE_EQ(Val("&H8000"), -32768);
    EXPECT_DOUBLE_EQ(Val("&H10000"), 65536);
    EXPECT_DOUBLE_EQ(Val("&HFFFFFFFF"), -1);
    EXPECT_DOUBLE_EQ(Val("&O17"), 15);
    EXPECT_DOUBLE_EQ(Val("&17"), 15);
    EXPECT_DOUBLE_EQ(Val("&O19"), 1);
    EXPECT_DOUBLE_EQ(Val("&HG"), 0);
    EXPECT_DOUBLE_EQ(Val("&X1"), 0);
}

TEST(Arrotondamento, TiesGoToTheEvenNumber) {
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(-3.5), -4);
    EXPECT_EQ(RoundHalfEven(2.4999), 2);
    EXPECT_EQ(RoundHalfEven(2.5001), 3);
    EXPECT_EQ(CInt(Val(" 2.5")), 2);
    EXPECT_EQ(CLng(Val("3.5")), 4);
    EXPECT_EQ(CInt(1e9), 32767);
    EXPECT_EQ(CLng(-1e12), -2147483647 - 1);
}

TEST(Data, SerialCountsDaysFromTheEndOf1899) {
    DataOra d;
    EXPECT_EQ(d.Giorni(), 0);
    d.anno = 1900; d.mese = 1; d.giorno = 1;
    EXPECT_EQ(d.Giorni(), 2);
    d.anno = 2000; d.mese = 1; d.giorno = 1;
    EXPECT_EQ(d.Giorni(), 36526);
    d.anno = 2024; d.mese = 3; d.giorno = 1;
    EXPECT_EQ(d.Giorni(), 45352);
    d.ora = 18;
    EXPECT_DOUBLE_EQ(d.Seriale(), 45352.75);
    const DataOra adesso = Now();
    EXPECT_GE(adesso.Giorni(), 45352);
    EXPECT_GE(SecondiDaMezzanotte(), 0.0);
    EXPECT_LT(SecondiDaMezzanotte(), 86400.0);
}

TEST(Formato, MonthBeforeTheHourAndMinutesAfterIt) {
    DataOra d;
    d.anno = 2024; d.mese = 3; d.giorno = 7;
    d.ora = 9; d.minuto = 5; d.secondo = 2;
    EXPECT_EQ(Format(d, "YYYY/mm/DD HH:MM:SS"), "2024/03/07 09:05:02");
    EXPECT_EQ(Format(d, "yy-m-d h:nn"), "24-3-7 9:05");
    EXPECT_EQ(Format(d, "mm:ss"), "05:02");
    EXPECT_EQ(Format(d, "dd/mm/yyyy"), "07/03/2024");
}

TEST(Formato, NumbersTakeTheirDigitPlaces) {
    EXPECT_EQ(Format(7, "00"), "07");
    EXPECT_EQ(Format(30, "00"), "30");
    EXPECT_EQ(Format(123, "00"), "123");
    EXPECT_EQ(Format(0, "00"), "00");
    EXPECT_EQ(Format(2.5, "0"), "3");
    EXPECT_EQ(Format(1.25, "0.0"), "1.3");
    EXPECT_EQ(Format(1.5, "0.##"), "1.5");
    EXPECT_EQ(Format(-4, "00"), "-04");
}

class FileDiTesto : public ::testing::Test {
protected:
    // ctest runs the tests as parallel processes: each has its own folder.
    std::filesystem::path cartella =
        std::filesystem::temp_directory_path() /
        ("kenvaron_testo_" + std::to_string(::getpid()) + "_" +
         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    void SetUp() override { std::filesystem::create_directories(cartella); }
    void TearDown() override { std::filesystem::remove_all(cartella); }
    std::string Percorso(const char* nome) { return (cartella / nome).string(); }
};

TEST_F(FileDiTesto, WhatIsNoRegularFileIsNeitherFoundNorOpened) {
    ASSERT_EQ(::mkfifo(Percorso("coda").c_str(), 0600), 0);
    std::string testo;
    for (const std::string& percorso : {Percorso("manca.txt"), cartella.string(), Percorso("coda")}) {
        EXPECT_FALSE(FileExists(percorso)) << percorso;
        EXPECT_FALSE(LeggiFile(percorso, testo)) << percorso;
    }
}

TEST_F(FileDiTesto, AReadStopsAtItsLimitAndCanTellAFileThatGoesOn) {
    std::ofstream(Percorso("tre.txt"), std::ios::binary) << "abc";
    std::string testo;
    bool oltre = false;
    ASSERT_TRUE(LeggiFile(Percorso("tre.txt"), testo, 2, &oltre));
    EXPECT_EQ(testo, "ab");
    EXPECT_TRUE(oltre);
    ASSERT_TRUE(LeggiFile(Percorso("tre.txt"), testo, 3, &oltre));
    EXPECT_EQ(testo, "abc");
    EXPECT_FALSE(oltre);
}

}  // namespace
}  // namespace kenvaron
