// The developer tools' bookkeeping: merit classes at their borders, the
// statistics run's best, histogram and end rule, the swap answers and the
// digit slices.
#include <gtest/gtest.h>

#include "generation/Sviluppo.h"

namespace kenvaron {
namespace {

TEST(ClasseMerito, BordersOfTheClasses) {
    EXPECT_EQ(ClasseMerito(-10), 0);
    EXPECT_EQ(ClasseMerito(0), 0);
    EXPECT_EQ(ClasseMerito(1), 1);
    EXPECT_EQ(ClasseMerito(100), 1);
    EXPECT_EQ(ClasseMerito(101), 2);
    EXPECT_EQ(ClasseMerito(400), 4);
    EXPECT_EQ(ClasseMerito(401), 5);
    EXPECT_EQ(ClasseMerito(2900), 29);
    EXPECT_EQ(ClasseMerito(2901), 30);
    EXPECT_EQ(ClasseMerito(INT32_MAX), 30);
    EXPECT_EQ(ClasseMerito(-250), 0);
    EXPECT_EQ(ClasseMerito(INT32_MIN), 0);
}

TEST(CorsaStatistica, KeepsTheFirstStrictBestAndCountsEveryTry) {
    CorsaStatistica corsa;
    corsa.ContatoriClasse[7] = 3;
    corsa.Azzera(50.0);
    Tabella a{}, b{}, sa{}, sb{};
    a[1][1] = 1;
    b[1][1] = 2;
    sa[9][9] = 3;
    sb[9][9] = 4;
    EXPECT_EQ(corsa.Registra(-1, a, sa), 0);
    EXPECT_FALSE(corsa.MigliorePresente);  // -1 does not beat the start
    EXPECT_EQ(corsa.Registra(450, a, sa), 5);
    EXPECT_EQ(corsa.Registra(450, b, sb), 5);  // a tie keeps the earlier try
    EXPECT_EQ(corsa.MigliorValoreStatistica, 450);
    EXPECT_EQ(corsa.ProblemaMiglioreStatistica, a);
    EXPECT_EQ(corsa.SoluzioneMiglioreStatistica, sa);
    EXPECT_EQ(corsa.Registra(3000, b, sb), 30);
    EXPECT_EQ(corsa.Istogramma(), (std::vector<std::string>{"00 1", "05 2", "30 1"}));
    corsa.Azzera(0);
    EXPECT_FALSE(corsa.MigliorePresente);
    EXPECT_EQ(corsa.MigliorValoreStatistica, -1);
    EXPECT_TRUE(corsa.Istogramma().empty());
}

TEST(CorsaStatistica, EndsOnTargetStopOrTime) {
    CorsaStatistica corsa;
    corsa.Azzera(100.0);
    corsa.ValoreObiettivo = 0;
    corsa.SecondiStatistica = 10;
    EXPECT_TRUE(corsa.Continua(110.0, false));
    EXPECT_FALSE(corsa.Continua(110.5, false));
    EXPECT_FALSE(corsa.Continua(101.0, true));
    Tabella t{};
    corsa.Registra(0, t, t);
    EXPECT_TRUE(corsa.Continua(101.0, false));  // the best must exceed the target
    corsa.Registra(1, t, t);
    EXPECT_FALSE(corsa.Continua(101.0, false));
}

TEST(Sviluppo, DumpNamesAndTypedNumbers) {
    EXPECT_EQ(NomeDump("/d", 5, 1), "/d/tmpsv05_01.txt");
    EXPECT_EQ(NomeDump("/d", 30, 123), "/d/tmpsv30_123.txt");
    EXPECT_EQ(LeggiIntero("abc"), 0);
    EXPECT_EQ(LeggiIntero(""), 0);
    EXPECT_EQ(LeggiIntero(" 1500 "), 1500);
    EXPECT_EQ(LeggiIntero("-7"), -7);
    EXPECT_EQ(LeggiIntero("1e20"), INT32_MAX);
    EXPECT_EQ(LeggiIntero("-1e20"), INT32_MIN);
}

TEST(Sviluppo, SwapAnswersNeedTwoDigitsOneToNineFirst) {
    EXPECT_EQ(CoppiaScambio("12"), std::make_optional(std::pair{1, 2}));
    EXPECT_EQ(CoppiaScambio("98 e altro"), std::make_optional(std::pair{9, 8}));
    for (const char* r : {"", "1", "0x", "1 2", "x1", "10", "a"})
        EXPECT_FALSE(CoppiaScambio(r).has_value()) << r;
}

TEST(Sviluppo, SlicesKeepTheirLeadingZeros) {
    const std::string s =
        "000000400029100006074920000000590080180000054090068000000059260600002570002000000";
    const auto righe = RigheFette(s);
    ASSERT_EQ(righe.size(), 5u);
    EXPECT_EQ(righe[0], s);
    EXPECT_EQ(righe[1], "00000040002910000607");
    EXPECT_EQ(righe[2], s.substr(20, 20));
    EXPECT_EQ(righe[3], s.substr(40, 20));
    EXPECT_EQ(righe[4], s.substr(60));
    EXPECT_EQ(righe[4].size(), 21u);
    EXPECT_EQ(righe[1] + righe[2] + righe[3] + righe[4], s);
}

}  // namespace
}  // namespace kenvaron
