// The user's moves and their undo: values and strikes taken back restore the
// board and the counters exactly, strikes act on the solve through their
// records, accepted hints, the full stack, and the candidates a cell offers.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Motore.h"
#include "engine/PilaMosse.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

class PilaMosse : public ::testing::Test {
protected:
    Condiviso s;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(s, orologio);
    const std::string schema = verifica::LeggiSchemi("qqwing_expert.txt", 1)[0];

    PilaMosse() {
        m->CostruisciTabelleUnita();
        for (int i = 0; i < 81; ++i) s.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(schema[i] - '0');
    }
    std::set<std::tuple<int, int, int>> Colpi() const {
        std::set<std::tuple<int, int, int>> c;
        for (int k = 1; k <= s.NumMosse; ++k)
            if (s.PilaAnnulla[k].Tipo == "C") c.insert({s.PilaAnnulla[k].Riga, s.PilaAnnulla[k].Colonna, s.PilaAnnulla[k].Cifra});
        return c;
    }
    int Soluzioni() {
        m->Risolvi(2);
        return static_cast<int>(m->ContaSoluz);
    }
};

TEST_F(PilaMosse, ValuesAndStrikesUndoneOneByOneRestoreBoardAndCountersExactly) {
    m->Risolvi(1);  // counters as a solve leaves them: 50, 49, 47 ...
    std::vector<std::pair<Tabella, TabellaCandidati>> prima;
    const auto mossa = [&](auto f) {
        prima.emplace_back(s.Problema, m->Possibili);
        f();
    };
    mossa([&] { MossaValore(s, 1, 1, 4); });
    mossa([&] { MossaCandidato(s, m->Possibili, 1, 2, 3); });
    mossa([&] { MossaValore(s, 1, 1, 0); });           // emptied again
    mossa([&] { MossaValore(s, 9, 9, 0); });           // an empty cell emptied: still a record
    mossa([&] { MossaCandidato(s, m->Possibili, 1, 2, 3); });  // struck twice
    mossa([&] { MossaValore(s, 1, 6, 2); });           // over a given
    mossa([&] { MossaCandidato(s, m->Possibili, 5, 5, 1); });
    ASSERT_EQ(s.NumMosse, 7);
    while (!prima.empty()) {
        ASSERT_TRUE(AnnullaUltimaMossa(s, m->Possibili).has_value());
        EXPECT_EQ(s.Problema, prima.back().first) << prima.size();
        EXPECT_EQ(m->Possibili, prima.back().second) << prima.size();
        prima.pop_back();
    }
    EXPECT_EQ(s.NumMosse, 0);
    EXPECT_FALSE(AnnullaUltimaMossa(s, m->Possibili).has_value());
}

TEST_F(PilaMosse, AStrikeHoldsThroughTheSolveUntilItIsUndone) {
    verifica::Celle soluzione{};
    ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(schema), 2, &soluzione), 1);
    ASSERT_EQ(Soluzioni(), 1);
    // Striking the solution's digit of an empty cell leaves no solution.
    const int vuota = static_cast<int>(schema.find('0'));
    const int r = vuota / 9 + 1, c = vuota % 9 + 1;
    MossaCandidato(s, m->Possibili, r, c, soluzione[static_cast<std::size_t>(vuota)]);
    EXPECT_EQ(Soluzioni(), 0);
    AnnullaUltimaMossa(s, m->Possibili);
    EXPECT_EQ(Soluzioni(), 1);
}

TEST_F(PilaMosse, AcceptedHintsRepeatNoEliminationButEveryPlacement) {
    const std::vector<std::string> testi{"", "2,3,7,", "456", "2,3,7,", "456", "0,3,7,", "4a6", "2,3", "460"};
    const std::vector<std::string> tipi{"", "C", "N", "C", "N", "C", "N", "C", "N"};
    AccettaSuggerimenti(s, m->Possibili, testi, tipi, 8);
    ASSERT_EQ(s.NumMosse, 3);
    EXPECT_EQ(s.PilaAnnulla[1].Tipo, "C");
    EXPECT_EQ(s.PilaAnnulla[2].Tipo, "N");
    EXPECT_EQ(s.PilaAnnulla[3].Tipo, "N");
    EXPECT_EQ(s.Problema[4][5], 6);
    EXPECT_EQ(s.PilaAnnulla[3].Vecchio, 6);  // the second placement saw the first's value
    // An elimination accepted in a later visit is still on the stack: skipped.
    AccettaSuggerimenti(s, m->Possibili, testi, tipi, 1);
    EXPECT_EQ(s.NumMosse, 3);
    // A count past the entries stops at the last entry.
    AccettaSuggerimenti(s, m->Possibili, testi, tipi, 500);
    EXPECT_EQ(s.NumMosse, 5);
}

TEST_F(PilaMosse, AFullStackLetsTheOldestValueGoAndKeepsEveryStrike) {
    // 1001 pushes: a strike every third move, values between them.
    for (int k = 0; k < 1001; ++k) {
        const int r = k % 9 + 1, c = k / 9 % 9 + 1;
        if (k % 3 == 0)
            MossaCandidato(s, m->Possibili, r, c, k / 81 % 9 + 1);
        else
            MossaValore(s, r, c, static_cast<Byte>(k % 9 + 1));
    }
    EXPECT_EQ(s.NumMosse, Condiviso::kMaxMosse);
    int registrati = 0;
    for (int k = 1; k <= s.NumMosse; ++k) registrati += s.PilaAnnulla[k].Tipo == "C";
    EXPECT_EQ(registrati, 334);
    // Record 1 was the first strike; the value after it (move 1) went.
    EXPECT_EQ(s.PilaAnnulla[1].Tipo, "C");
    EXPECT_EQ(s.PilaAnnulla[2].Riga, 3);
    // Every strike still acts on the rebuilt candidates.
    m->Risolvi(1);
    for (const auto& [r, c, d] : Colpi()) {
        if (s.Problema[r][c] == 0) {
            EXPECT_LT(m->Possibili[r][c][d], 50) << r << c << d;
        }
    }

    // A stack of strikes only: the oldest repeated strike goes, no strike is lost.
    Condiviso solo;
    for (int k = 0; k < Condiviso::kMaxMosse; ++k)
        MossaCandidato(solo, m->Possibili, k % 9 + 1, k / 9 % 9 + 1, k / 81 % 9 + 1);
    Mossa nuova;
    nuova.Tipo = "C";
    nuova.Riga = nuova.Colonna = nuova.Cifra = 9;
    SpingiMossa(solo, nuova);
    EXPECT_EQ(solo.NumMosse, Condiviso::kMaxMosse);
    std::set<std::tuple<int, int, int>> colpi;
    for (int k = 1; k <= solo.NumMosse; ++k)
        colpi.insert({solo.PilaAnnulla[k].Riga, solo.PilaAnnulla[k].Colonna, solo.PilaAnnulla[k].Cifra});
    EXPECT_EQ(colpi.size(), 729u);
}

TEST_F(PilaMosse, ACellOffersTheDigitsItsUnitsLackLessTheUserStrikes) {
    // Digit d is free in (r, c) when no cell sharing a unit with it, itself included, holds d.
    const auto libero = [&](int r, int c, int d) {
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j) {
                const bool pari = i == r || j == c || ((i - 1) / 3 == (r - 1) / 3 && (j - 1) / 3 == (c - 1) / 3);
                if (pari && s.Problema[i][j] == d) return false;
            }
        return true;
    };
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const std::array<bool, 10> offerti = CandidatiOfferti(s, r, c);
            EXPECT_FALSE(offerti[0]);
            for (int d = 1; d <= 9; ++d)
                EXPECT_EQ(offerti[static_cast<std::size_t>(d)], libero(r, c, d)) << r << c << d;
        }
    const int vuota = static_cast<int>(schema.find('0'));
    const int r = vuota / 9 + 1, c = vuota % 9 + 1;
    const std::array<bool, 10> prima = CandidatiOfferti(s, r, c);
    const int d = static_cast<int>(std::find(prima.begin() + 1, prima.end(), true) - prima.begin());
    MossaCandidato(s, m->Possibili, r, c, d);
    EXPECT_FALSE(CandidatiOfferti(s, r, c)[static_cast<std::size_t>(d)]);
    AnnullaUltimaMossa(s, m->Possibili);
    EXPECT_TRUE(CandidatiOfferti(s, r, c)[static_cast<std::size_t>(d)]);
}

}  // namespace
}  // namespace kenvaron
