// The step view's reading of the reasoning list: item parsing, the split of a
// cell list into eliminations and pattern classes, the branch path of a
// selected row, the hints collected once per step, and the replay position
// of the candidate view.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "narration/Sequenze.h"
#include "narration/VistaPasso.h"

namespace kenvaron {
namespace {

// A list written by hand: row 0 is the header, then one row per entry.
class ListaFinta : public LetturaLista {
public:
    struct Riga {
        std::string cella, testo, celle, percorso, passo;
    };
    explicit ListaFinta(std::vector<Riga> righe) : righe_(std::move(righe)) {}
    int Righe() const override { return static_cast<int>(righe_.size()) + 1; }
    std::string Testo(int riga, int colonna) const override {
        if (riga < 1) return "";
        const Riga& r = righe_.at(riga - 1);
        switch (colonna) {
            case narrazione::kColCella: return r.cella;
            case narrazione::kColTesto: return r.testo;
            case narrazione::kColCelle: return r.celle;
            case narrazione::kColPercorso: return r.percorso;
            case narrazione::kColPasso: return r.passo;
            default: return "";
        }
    }

private:
    std::vector<Riga> righe_;
};

std::vector<std::string> Voci(const Suggerimenti& s) {
    std::vector<std::string> v;
    for (int i = 1; i <= s.NumSuggerimenti; ++i) v.push_back(s.TipiSuggerimento[i] + ":" + s.TestiSuggerimento[i]);
    return v;
}

TEST(VistaPasso, ItemsReadUpToThreeNumbersAndNonNumbersAsZero) {
    const Terna t = LeggiTerna("3,5,9,");
    EXPECT_EQ(t.riga, 3);
    EXPECT_EQ(t.colonna, 5);
    EXPECT_EQ(t.cifra, 9);
    const Terna gruppo = LeggiTerna("X,X,X,");
    EXPECT_EQ(gruppo.riga + gruppo.colonna + gruppo.cifra, 0);
    const Terna corta = LeggiTerna("4,7,   ");
    EXPECT_EQ(corta.riga, 4);
    EXPECT_EQ(corta.colonna, 7);
    EXPECT_EQ(corta.cifra, 0);
    EXPECT_EQ(LeggiTerna("4,7,37,").cifra, 37);
    EXPECT_EQ(LeggiTerna("").riga, 0);
}

TEST(VistaPasso, CellListSplitsAtTheFirstSlashIntoEliminationsAndPattern) {
    const CelleDelPasso c = ScomponiCelle("2,8,3|/1,8,3|1,9,3|");
    EXPECT_EQ(c.coloreEvidenza, kColoreSchema);
    EXPECT_EQ(c.eliminazioni, std::vector<std::string>{"2,8,3"});
    ASSERT_EQ(c.schema.size(), 2u);
    EXPECT_EQ(c.schema[0].voce, "1,8,3");
    EXPECT_EQ(c.schema[1].classe, 0);

    // No "/": everything is eliminations; text after the last "|" is no item.
    const CelleDelPasso solo = ScomponiCelle("2,8,3|2,9,3|resto");
    EXPECT_EQ(solo.eliminazioni.size(), 2u);
    EXPECT_TRUE(solo.schema.empty());
    EXPECT_TRUE(ScomponiCelle("").eliminazioni.empty());
}

TEST(VistaPasso, ColourListsAreYellowAndGroupMarkersSetTheClass) {
    // "CLL" reads as "COL"; both make the pattern yellow and vanish from the items.
    const CelleDelPasso nishio = ScomponiCelle("5,5,1|/4,4,1|CLL");
    EXPECT_EQ(nishio.coloreEvidenza, kColoreSchemaColori);
    EXPECT_EQ(nishio.eliminazioni, std::vector<std::string>{"5,5,1"});
    EXPECT_EQ(ScomponiCelle("COL/1,1,1|").coloreEvidenza, kColoreSchemaColori);

    // X then 1, M then 3, W then 2; "xxx" right after an item's "|" adds 10; the class lasts.
    const CelleDelPasso c = ScomponiCelle("/1,1,1|X,X,X|2,2,2|M,M,M|3,3,3|W,W,W|4,4,4|xxx|");
    std::vector<int> classi;
    for (const VoceSchema& v : c.schema) classi.push_back(v.classe);
    // The "xxx" item itself is upper-cased "XXX": class 1 again.
    EXPECT_EQ(classi, (std::vector<int>{0, 1, 1, 3, 3, 2, 12, 1}));
}

TEST(VistaPasso, PathTakesTheRowsOfTheSelectedBranchOnce) {
    // Steps 1-2 at the top, a trial 3 whose branch (4, 5) is abandoned, a
    // second trial 6 with step 7 below it; step 2 has its "Quindi" row.
    const ListaFinta lista({
        {"1,1,5,", "001) a", "", "R0X", "1"},
        {"0,0,0,", "002) b", "1,2,3|/4,4,4|", "R0X", "2"},
        {"0,0,0,", "002     Quindi   3 non in 1,2 , ", "1,2,3|/4,4,4|", "R0X", "2"},
        {"2,2,4,", "003) Provo 4  in 2,2", "", "R0X", "3"},
        {"2,3,6,", "004) c", "", "R0XR3X", "4"},
        {"2,4,7,", "005) d", "", "R0XR3X", "5"},
        {"2,2,8,", "006) Provo 8  in 2,2", "", "R0X", "6"},
        {"3,3,1,", "007) e", "", "R0XR6X", "7"},
    });
    EXPECT_EQ(RighePercorso(lista, 8, false), (std::vector<int>{1, 2, 3, 4, 7, 8}));
    EXPECT_EQ(RighePercorso(lista, 6, false), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(RighePercorso(lista, 8, true), std::vector<int>{8});
    EXPECT_TRUE(RighePercorso(lista, 0, false).empty());
    EXPECT_TRUE(RighePercorso(lista, 9, false).empty());

    Suggerimenti s;
    RaccogliSuggerimenti(lista, RighePercorso(lista, 8, false), false, s);
    // Step 2 once although both its rows lie on the path; trial digits are placements.
    EXPECT_EQ(Voci(s), (std::vector<std::string>{"N:115", "C:1,2,3,", "N:224", "N:228", "N:331"}));
    RaccogliSuggerimenti(lista, RighePercorso(lista, 8, false), true, s);
    EXPECT_EQ(s.NumSuggerimenti, 0);
}

TEST(VistaPasso, PlacementsNeedADigitFrom1To9AndHintsStopAtTheBound) {
    const ListaFinta lista({
        {"4,4,37,", "001) 37 sono possibili in 4,4", "", "R0X", "1"},
        {"0,0,0,", "002) x", "", "R0X", "2"},
    });
    Suggerimenti s;
    RaccogliSuggerimenti(lista, {1, 2}, false, s);
    EXPECT_EQ(s.NumSuggerimenti, 0);

    std::string eliminazioni;
    for (int i = 0; i < 1200; ++i) eliminazioni += "1,2,3|";
    const ListaFinta lunga({{"5,5,5,", "001) y", eliminazioni + "/", "R0X", "1"}});
    RaccogliSuggerimenti(lunga, {1}, false, s);
    EXPECT_EQ(s.NumSuggerimenti, Suggerimenti::kMassimo);
    EXPECT_EQ(s.TipiSuggerimento[1], "N");
    EXPECT_EQ(s.TestiSuggerimento[Suggerimenti::kMassimo], "1,2,3,");
}

TEST(VistaPasso, CandidateViewStopsBeforeNishioExclusionsAndContradictions) {
    EXPECT_EQ(PassoCandidati("012) 3 in 4,5", 12, 0), 12);
    EXPECT_EQ(PassoCandidati("012) 3 in 4,5", 12, 1), 13);
    EXPECT_EQ(PassoCandidati("012) 7 verrebbe escluso da 4,5", 12, 0), 10);
    EXPECT_EQ(PassoCandidati("012) 7 verrebbe escluso da 4,5", 12, 1), 11);
    EXPECT_EQ(PassoCandidati("012) porta a una contraddizione poichè: ", 12, 0), 11);
    EXPECT_EQ(PassoCandidati("012) 4 sarebbe l' unico possibile", 12, 0), 11);
    EXPECT_EQ(PassoCandidati("001) x verrebbe escluso, contraddizione", 1, 0), -2);
}

TEST(Sequenze, TheOpeningTabIsTheLastWithTheLevelsOrderAndTab2NeedsEverySwitch) {
    std::array<std::string, 8> sequenze{"", "SGDBC", "SGDBC", "SGCDB", "BSGCD", "GSDBC", "C", "DSGBC"};
    const std::array<Byte, 6> tutte{1, 1, 1, 1, 1, 1};
    const std::array<Byte, 6> senzaColori{1, 1, 1, 0, 1, 1};
    EXPECT_EQ(SchedaIniziale("SGDBC", sequenze, tutte), 2);
    EXPECT_EQ(SchedaIniziale("SGDBC", sequenze, senzaColori), 1);
    sequenze[1] = "C";
    EXPECT_EQ(SchedaIniziale("C", sequenze, senzaColori), 6);
    sequenze[1] = " ";
    EXPECT_EQ(SchedaIniziale(" ", sequenze, tutte), 1);
    EXPECT_EQ(TitoloScheda(1, "Estremo"), "Estremo");
    EXPECT_EQ(TitoloScheda(7, "Estremo"), "Sequenza 7");
    EXPECT_STREQ(SuggerimentoScheda(0), "");
    EXPECT_STREQ(SuggerimentoScheda(8), "");
}

}  // namespace
}  // namespace kenvaron
