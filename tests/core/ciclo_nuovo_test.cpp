// The "Nuovo" loop around a stand-in generator: a puzzle that needs a trial
// is discarded, the undo stack is emptied before every try, and no accepted
// puzzle ends the loop at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/CicloNuovo.h"
#include "generation/Livelli.h"

namespace kenvaron {
namespace {

// Solved by singles alone.
const std::string kFacile =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
// Singles alone stall on it: the solve needs trials.
const std::string kDifficile =
    "800000000003600000070090200050007000000045700000100030001000068008500010090000400";

class CicloNuovoTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio);
    Livelli livelli{*m, stato};
    std::vector<int> mosseAlleProve;

    void SetUp() override {
        std::string singoli = " ";
        livelli.SettaTurni(singoli);
    }
    // A generator that hands out the given puzzles in turn, then gives up.
    std::function<bool()> Generatore(std::vector<std::string> schemi) {
        return [this, schemi, i = std::size_t{0}]() mutable {
            mosseAlleProve.push_back(stato.NumMosse);
            stato.NumMosse = 7;  // the user's moves of the puzzle just made
            if (i == schemi.size()) return false;
            const std::string& s = schemi[i++];
            for (int k = 0; k < 81; ++k) stato.Problema[k / 9 + 1][k % 9 + 1] = static_cast<Byte>(s[k] - '0');
            return true;
        };
    }
};

TEST_F(CicloNuovoTest, APuzzleNeedingATrialIsDiscardedAndAnotherMade) {
    CicloNuovo(*m, Generatore({kDifficile, kDifficile, kFacile, kDifficile}));
    EXPECT_EQ(mosseAlleProve, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(m->ProfonditaMax, 1);
    EXPECT_EQ(stato.Problema[1][1], 5);
    EXPECT_EQ(m->NumCellePiene, 30);
}

TEST_F(CicloNuovoTest, NoAcceptedPuzzleEndsTheLoopAtOnce) {
    CicloNuovo(*m, Generatore({kDifficile}));
    EXPECT_EQ(mosseAlleProve, (std::vector<int>{0, 0}));
    CicloNuovo(*m, Generatore({}));
    EXPECT_EQ(mosseAlleProve.size(), 3u);
}

}  // namespace
}  // namespace kenvaron
