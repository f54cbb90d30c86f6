// Puzzle text: the forms the loader reads, its limits, the puzzle file's
// reading (what cannot be read never blocks), and the clipboard picture.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/TestoSchema.h"
#include "tests/core/SchemiPubblici.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

const std::string kSchema =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";

Tabella Da(const std::string& cifre) {
    Tabella t{};
    for (int i = 0; i < 81; ++i) t[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(cifre[i] - '0');
    return t;
}

std::string Cifre(const Tabella& t) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
    return s;
}

// What LeggiSchema makes of a text, starting from a board full of 9s.
std::string Letto(const std::string& testo) {
    Tabella t = Da(std::string(81, '9'));
    return LeggiSchema(testo, t) ? Cifre(t) : "nessuna cella";
}

TEST(TestoSchema, EveryTextFormReadsTheSameBoard) {
    std::string nove_righe, puntini;
    for (int r = 0; r < 9; ++r) nove_righe += kSchema.substr(static_cast<std::size_t>(9 * r), 9) + "\r\n";
    for (char ch : kSchema) puntini += ch == '0' ? std::string(". ") : std::string(1, ch) + " ";
    std::string x_maiuscole = kSchema;
    for (char& ch : x_maiuscole)
        if (ch == '0') ch = 'X';
    std::string utf16;  // little-endian with its byte-order mark
    utf16 += "\xFF\xFE";
    for (char ch : nove_righe) utf16 += std::string{ch, '\0'};

    EXPECT_EQ(Letto(kSchema), kSchema);
    EXPECT_EQ(Letto(nove_righe), kSchema);
    EXPECT_EQ(Letto(puntini), kSchema) << "blanks are skipped, dots are cells";
    EXPECT_EQ(Letto(x_maiuscole), kSchema);
    EXPECT_EQ(Letto(utf16), kSchema);
    EXPECT_EQ(Letto(FiguraSchema(Da(kSchema))), kSchema);
    EXPECT_EQ(Letto(std::string("\t|-+àé\0", 9) + kSchema + " e poi altro 123"), kSchema);
}

TEST(TestoSchema, LowerCaseXIsSkippedSoTheFollowingDigitsMoveUp) {
    EXPECT_EQ(Letto("x5x3"), "53" + std::string(79, '0'));
}

TEST(TestoSchema, FewerThan81CellsLeaveTheRestEmptyAndMoreAreIgnored) {
    EXPECT_EQ(Letto("12."), "120" + std::string(78, '0'));
    EXPECT_EQ(Letto(kSchema + "987654321"), kSchema);
}

TEST(TestoSchema, ATextWithoutCellsLeavesTheBoardAlone) {
    for (const std::string& testo :
         std::vector<std::string>{"", "   \r\n\t", "nessun numero qui", "xxxx", std::string(3, '\0')})
        EXPECT_EQ(Letto(testo), "nessuna cella") << testo;
}

TEST(TestoSchema, ReadingNeverPassesTheFirstMiB) {
    const std::string riga_infinita(3 * kMaxTestoSchema, 'a');
    EXPECT_EQ(TestoDaLeggere(riga_infinita).size(), kMaxTestoSchema);
    EXPECT_EQ(Letto(riga_infinita + kSchema), "nessuna cella");
    // The limit never splits a character: "é" is two bytes.
    const std::string accenti = std::string(kMaxTestoSchema - 1, 'a') + "é";
    EXPECT_EQ(TestoDaLeggere(accenti).size(), kMaxTestoSchema - 1);
    // It stops at the 81st cell.
    EXPECT_EQ(TestoDaLeggere(kSchema + "123"), kSchema);
}

TEST(TestoSchema, TheClipboardPictureIsExact) {
    const std::string figura = FiguraSchema(Da(kSchema));
    EXPECT_EQ(figura,
              " 5 3 . | . 7 . | . . . \r\n"
              " 6 . . | 1 9 5 | . . . \r\n"
              " . 9 8 | . . . | . 6 . \r\n"
              "-------+-------+------ \r\n"
              " 8 . . | . 6 . | . . 3 \r\n"
              " 4 . . | 8 . 3 | . . 1 \r\n"
              " 7 . . | . 2 . | . . 6 \r\n"
              "-------+-------+------ \r\n"
              " . 6 . | . . . | 2 8 . \r\n"
              " . . . | 4 1 9 | . . 5 \r\n"
              " . . . | . 8 . | . 7 9");
    EXPECT_EQ(figura.size(), 272u);
    EXPECT_EQ(FiguraSchema(Tabella{}).substr(250), " . . . | . . . | . . .");
    // A full board (no dot at all) reads back whole.
    const std::string piena =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    EXPECT_EQ(Letto(FiguraSchema(Da(piena))), piena);
}

class FileSchema : public ::testing::Test {
protected:
    fs::path cartella = fs::temp_directory_path() / ("kenvaron_testo_" + std::to_string(::getpid()));
    FileSchema() { fs::create_directories(cartella); }
    ~FileSchema() override { fs::remove_all(cartella); }
    std::string Scrivi(const std::string& nome, const std::string& testo) {
        std::ofstream(cartella / nome, std::ios::binary) << testo;
        return (cartella / nome).string();
    }
};

TEST_F(FileSchema, ACollectionOpensItsFirstPuzzle) {
    std::string testo;
    ASSERT_TRUE(LeggiFileSchema(verifica::PercorsoDati("qqwing_expert.txt"), testo));
    EXPECT_EQ(Letto(testo), verifica::LeggiSchemi("qqwing_expert.txt", 1)[0]);
}

TEST_F(FileSchema, WhatCannotBeReadAnswersFalseAtOnce) {
    std::string testo = "vecchio";
    EXPECT_FALSE(LeggiFileSchema((cartella / "manca.txt").string(), testo));
    EXPECT_EQ(testo, "");
    EXPECT_FALSE(LeggiFileSchema(cartella.string(), testo));
    EXPECT_FALSE(LeggiFileSchema((cartella / "manca" / "x.txt").string(), testo));
    // A FIFO without a writer would block whoever opened it.
    const fs::path fifo = cartella / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(LeggiFileSchema(fifo.string(), testo));
}

TEST_F(FileSchema, AHugeFileIsReadOnlyUpToItsPuzzle) {
    // 5 MB: a puzzle a line, and one endless line without cells.
    std::string raccolta;
    while (raccolta.size() < 5'000'000) raccolta += kSchema + "\r\n";
    std::string testo;
    ASSERT_TRUE(LeggiFileSchema(Scrivi("raccolta.txt", raccolta), testo));
    EXPECT_EQ(testo, kSchema);
    ASSERT_TRUE(LeggiFileSchema(Scrivi("riga.txt", std::string(5'000'000, 'z') + kSchema), testo));
    EXPECT_EQ(testo.size(), kMaxTestoSchema);
    EXPECT_EQ(Letto(testo), "nessuna cella");
    ASSERT_TRUE(LeggiFileSchema(Scrivi("vuoto.txt", ""), testo));
    EXPECT_EQ(testo, "");
}

}  // namespace
}  // namespace kenvaron
