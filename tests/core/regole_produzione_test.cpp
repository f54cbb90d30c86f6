// The rules file: weights up to "[REGOLE]", rule blocks after it, the output
// files emptied at batch start only, and malformed files that never crash.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "generation/RegoleProduzione.h"
#include "tests/core/CartellaTemporanea.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

struct CasoPeso {
    const char* riga;
    int indice;
    std::int32_t atteso;
};

TEST(RegoleProduzione, WeightLinesReadTheirNumberRoundedHalfToEven) {
    const CasoPeso casi[] = {
        {"Singoli nudi: 3.5", 0, 4},
        {"Singoli nascosti: 2.5", 1, 2},
        {"Coppia nuda: 2,5", 3, 2},           // reading stops at the comma
        {"Coppia nascosta: &H10", 4, 16},
        {"Tripletta nuda: x", 5, 0},
        {"tRiPlEtTa NaScOsTa : 7", 6, 7},     // any letter case, blanks around the name
        {"\tQuartina\t nuda:\t9", 7, 9},      // tabs are removed before anything else
        {"X-Wing: - 1 2", 9, -12},            // blanks inside the number are ignored
        {"Nishio: 1e12", 17, 2147483647},     // a huge number is clamped
        {"Burma: -1e12", 14, -2147483647 - 1},
        {"Forcing Chain1: 1e999", 15, 0},    // too large for a number at all
        {"Multiple Colors:13", 13, 13},
    };
    for (const CasoPeso& c : casi) {
        const RegoleProduzione r = LeggiRegole(std::string(c.riga) + "\r\n[REGOLE]\r\n");
        EXPECT_EQ(r.Pesi[c.indice], c.atteso) << c.riga;
    }
}

TEST(RegoleProduzione, MalformedWeightLinesChangeNothing) {
    const char* righe[] = {
        "Singoli nudi 5",        // no colon
        "Singoli nudi: 5: 6",    // two colons
        "Singolinudi: 5",        // the inner blank counts
        "Singoli  nudi: 5",      // so does its number
        "Sconosciuto: 5",
    };
    for (const char* riga : righe) {
        const RegoleProduzione r = LeggiRegole(std::string(riga) + "\n");
        for (int k = 0; k < PesiTecniche::kNumero; ++k) EXPECT_EQ(r.Pesi[k], 0) << riga << " weight " << k;
    }
}

TEST(RegoleProduzione, WeightsEndAtRegoleInAnyCaseAndTheNamesFollowTheirOrder) {
    std::string testo;
    for (int k = 0; k < PesiTecniche::kNumero; ++k)
        testo += std::string(PesiTecniche::kNomi[k]) + ":" + std::to_string(k + 1) + "\n";
    testo += "  [regole]  \nNishio: 99\n";
    const RegoleProduzione r = LeggiRegole(testo);
    for (int k = 0; k < PesiTecniche::kNumero; ++k) EXPECT_EQ(r.Pesi[k], k + 1);
    EXPECT_EQ(r.Pesi.PNishio, 18);
    EXPECT_EQ(r.Pesi.PSingoli_nudi, 1);
    EXPECT_EQ(r.Pesi.PForcing_Chain2, 17);
}

TEST(RegoleProduzione, RuleKeysAreReadAsWritten) {
    const RegoleProduzione r = LeggiRegole(
        "[REGOLE]\r\n"
        "<regola>\r\n"
        "FILE=uno.txt,output\r\n"
        "tecniche=cndimp,HIDNAK\r\n"
        "SCHEMI=2.5\r\n"
        "FILTRO=3.5\r\n"
        "COMPLICA=true\r\n"
        "  <REGOLA>  \r\n"
        "FILE=due.txt,append,x\r\n"
        "SCHEMI=1e9\r\n"
        "COMPLICA= TRUE\r\n"
        "FILTRO=7=8\r\n"
        "<REGOLA>\r\n"
        "FILE=tre.txt\r\n"
        "FILE =altro.txt,OUTPUT\r\n"   // a blank before "=" makes the key unknown
        "\tSCHEMI=4\r\n"               // so does a leading tab
        "SCHEMI=-3\r\n");
    ASSERT_EQ(r.NumRegole, 3);
    const Regola& a = r.Regole[1];
    EXPECT_EQ(a.File, "uno.txt");
    EXPECT_EQ(a.TipoFile, "OUTPUT");
    EXPECT_EQ(a.Tecniche, "CNDIMP,HIDNAK");
    EXPECT_EQ(a.Schemi, 2);
    EXPECT_EQ(a.Filtro, 4);
    EXPECT_TRUE(a.Complica);
    EXPECT_EQ(a.Generati, 0);
    EXPECT_EQ(a.ValMin, 99999999);
    const Regola& b = r.Regole[2];
    EXPECT_EQ(b.File, "due.txt");
    EXPECT_EQ(b.TipoFile, "APPEND");
    EXPECT_EQ(b.Schemi, 32767);
    EXPECT_FALSE(b.Complica);  // the blank after "=" stays in the value
    EXPECT_EQ(b.Filtro, 7);
    const Regola& c = r.Regole[3];
    EXPECT_EQ(c.File, "tre.txt");
    EXPECT_EQ(c.TipoFile, "");  // no kind: lines are appended
    EXPECT_EQ(c.Schemi, -3);
    EXPECT_EQ(c.Filtro, 0);
}

TEST(RegoleProduzione, KeysBeforeTheFirstBlockAndAfterTheTwentiethSetNoRule) {
    std::string testo = "FILE=prima.txt,OUTPUT\nSCHEMI=5\n[REGOLE]\n";
    for (int i = 1; i <= 21; ++i)
        testo += "<REGOLA>\nFILE=r" + std::to_string(i) + ".txt,OUTPUT\nSCHEMI=" + std::to_string(i) + "\n";
    const RegoleProduzione r = LeggiRegole(testo);
    ASSERT_EQ(r.NumRegole, 20);
    for (int i = 1; i <= 20; ++i) {
        EXPECT_EQ(r.Regole[i].File, "r" + std::to_string(i) + ".txt");
        EXPECT_EQ(r.Regole[i].Schemi, i);
    }
    EXPECT_EQ(LeggiRegole("[REGOLE]\nFILE=x.txt,OUTPUT\n").NumRegole, 0);
}

TEST(RegoleProduzione, LinesEndAtCrLfLfOrCr) {
    const RegoleProduzione r = LeggiRegole("Nishio: 4\r[REGOLE]\r<REGOLA>\rSCHEMI=3\n<REGOLA>\r\nSCHEMI=2");
    EXPECT_EQ(r.Pesi.PNishio, 4);
    ASSERT_EQ(r.NumRegole, 2);
    EXPECT_EQ(r.Regole[1].Schemi, 3);
    EXPECT_EQ(r.Regole[2].Schemi, 2);
}

// ---- Malformed files -----------------------------------------------------------------

void VerificaLimiti(const RegoleProduzione& r) {
    ASSERT_GE(r.NumRegole, 0);
    ASSERT_LE(r.NumRegole, RegoleProduzione::kMaxRegole);
    for (int i = 1; i <= r.NumRegole; ++i) {
        EXPECT_EQ(r.Regole[i].Generati, 0);
        EXPECT_EQ(r.Regole[i].Somma, 0);
        EXPECT_FALSE(r.Regole[i].Bloccata);
        for (char c : r.Regole[i].TipoFile) EXPECT_FALSE(c >= 'a' && c <= 'z');
    }
}

TEST(RegoleProduzione, MalformedFilesNeverCrashAndKeepEveryFieldInRange) {
    std::string trenta = "[REGOLE]\n";
    for (int i = 0; i < 30; ++i) trenta += "<REGOLA>\nSCHEMI=1\n";
    std::string lunga(10 * 1024 * 1024, 'x');
    lunga += "=1";
    const std::vector<std::string> fissi{
        "",
        "[REGOLE]",
        "[REGOLE]\n<REGOLA>\nSCHEMI=1e999\nFILTRO=-1e999\n",
        "Singoli nudi: abc\nNishio: ::\n",
        "<REGOLA>\n=\n==\n===\nFILE=\nFILE=,\nFILE=,,,\n",
        std::string("Nishio: 5\0\0\n[REGOLE]\n<REGOLA>\nFILE=a\0b,OUTPUT\n", 40),
        "\xff\xfe\xc3(\xe2\x82\n<REGOLA>\nTECNICHE=\xc3\xa0\xff\n",
        "\r\r\r\n\n\r",
        trenta,
        lunga,
    };
    for (const std::string& testo : fissi) VerificaLimiti(LeggiRegole(testo));
    const RegoleProduzione r = LeggiRegole(trenta);
    EXPECT_EQ(r.NumRegole, 20);
}

TEST(RegoleProduzione, SeededMutationsOfAValidFileNeverCrash) {
    const std::string valido =
        "Singoli nudi: 1\r\nSingoli nascosti: 2\r\nCoppia nuda: 3\r\nNishio: 17\r\n[REGOLE]\r\n"
        "<REGOLA>\r\nFILE=a.txt,OUTPUT\r\nTECNICHE=CNDIMP,HIDNAK\r\nSCHEMI=10\r\nFILTRO=5\r\nCOMPLICA=TRUE\r\n"
        "<REGOLA>\r\nFILE=b.txt,APPEND\r\nTECNICHE=XWISWO,BURMA\r\nSCHEMI=3\r\nFILTRO=0\r\nCOMPLICA=FALSE\r\n";
    std::mt19937 casuale(20);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int prova = 0; prova < 2000; ++prova) {
        std::string testo = valido;
        const int modifiche = 1 + prova % 8;
        for (int m = 0; m < modifiche; ++m) {
            const std::size_t pos = casuale() % (testo.size() + 1);
            switch (casuale() % 4) {
                case 0: if (pos < testo.size()) testo[pos] = static_cast<char>(byte(casuale)); break;
                case 1: testo.insert(pos, 1, static_cast<char>(byte(casuale))); break;
                case 2: if (pos < testo.size()) testo.erase(pos, 1 + casuale() % 8); break;
                default: testo.insert(pos, testo.substr(casuale() % testo.size(), casuale() % 40)); break;
            }
        }
        VerificaLimiti(LeggiRegole(testo));
    }
    std::string casuali(4096, '\0');
    for (char& c : casuali) c = static_cast<char>(byte(casuale));
    VerificaLimiti(LeggiRegole(casuali));
}

}  // namespace
}  // namespace kenvaron
