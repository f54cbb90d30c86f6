// Toolbars, status bar, tab strip and the drawn toolbar pictures.
#include <gtest/gtest.h>

#include <QImage>
#include <QTabBar>
#include <QTest>
#include <QToolBar>
#include <set>

#include "platform/CommonControls.h"
#include "platform/Icons.h"

namespace kenvaron::plat {
namespace {

class Barre : public ::testing::Test {
protected:
    Form f;
    ImageList immagini;
    void SetUp() override { RiempiIcone(immagini); }
};

TEST_F(Barre, EveryToolbarKeyHasItsOwnVisiblePicture) {
    const std::vector<std::string> chiavi = {"Nuovo",  "Aiutino", "Aiuto",   "SingoloStep", "Risolvi", "Mostra",
                                             "Analisi", "Copia",   "Incolla", "UndoAll",     "Undo",    "Validi",
                                             "Schema", "Stampa",  "Uscita",  "Fine",        "Applica", "Accetta"};
    std::set<QByteArray> diverse;
    for (const auto& k : chiavi) {
        const QPixmap* p = immagini.Image(k);
        ASSERT_NE(p, nullptr) << k;
        const QImage im = p->toImage();
        EXPECT_EQ(im.size(), QSize(24, 24));
        int pieni = 0;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (im.pixelColor(x, y).alpha() > 128) ++pieni;
        EXPECT_GT(pieni, 40) << k;
        diverse.insert(QByteArray(reinterpret_cast<const char*>(im.constBits()), im.sizeInBytes()));
    }
    EXPECT_EQ(diverse.size(), chiavi.size());
    EXPECT_EQ(immagini.Image("Inesistente"), nullptr);
}

TEST_F(Barre, KeyedButtonsAreEnabledAndClickedByKey) {
    Toolbar t(f);
    t.SetImageList(&immagini);
    t.Add("Nuovo", tbrDefault, "Nuovo").SetToolTipText("Nuovo Sudoku");
    t.Add("s1", tbrSeparator);
    t.Add("s0", tbrPlaceholder).SetWidth(300);
    t.Add("Aiuto", tbrDefault, "Aiuto").SetToolTipText("Aiuto ");
    std::vector<std::string> premuti;
    t.ButtonClick = [&](ToolbarButton& b) { premuti.push_back(b.Key()); };
    EXPECT_EQ(t.Count(), 4);
    EXPECT_EQ(t.ButtonAt(4).Key(), "Aiuto");
    EXPECT_EQ(t.Button("Aiuto")->ToolTipText(), "Aiuto ");
    EXPECT_EQ(t.Button("s0")->Width(), 300);
    EXPECT_EQ(t.Button("Manca"), nullptr);
    t.SetButtonEnabled("Manca", false);  // an unknown key changes nothing

    for (int i = 1; i <= t.Count(); ++i) t.ButtonAt(i).SetEnabled(false);
    t.SetButtonEnabled("Nuovo", true);
    EXPECT_TRUE(t.Click("Nuovo"));
    EXPECT_FALSE(t.Click("Aiuto"));
    EXPECT_FALSE(t.Click("s1"));
    EXPECT_FALSE(t.ButtonAt(2).Enabled());
    t.SetButtonEnabled("Aiuto", true);
    t.SetEnabled(false);
    EXPECT_FALSE(t.Click("Aiuto"));
    t.SetEnabled(true);
    f.Show();
    QTest::mouseClick(t.Widget()->widgetForAction(t.Button("Aiuto")->Action()), Qt::LeftButton);
    EXPECT_EQ(premuti, (std::vector<std::string>{"Nuovo", "Aiuto"}));
}

TEST_F(Barre, ASecondToolbarEmptiedByItsOwnButtonCanBeRefilled) {
    Toolbar t2(f);
    t2.SetImageList(&immagini);
    t2.SetVisible(false);
    int fine = 0;
    const auto riempi = [&] {
        t2.Clear();
        t2.Add("Fine", tbrDefault, "Fine", "Termina ").SetToolTipText("Termina composizione manuale  SUDOKU");
        t2.SetVisible(true);
    };
    t2.ButtonClick = [&](ToolbarButton& b) {
        if (b.Key() == "Fine") {
            ++fine;
            t2.Clear();  // the button clicked goes away while its click runs
        }
    };
    riempi();
    EXPECT_EQ(t2.Button("Fine")->Caption(), "Termina ");
    EXPECT_TRUE(t2.Click("Fine"));
    EXPECT_EQ(t2.Count(), 0);
    EXPECT_TRUE(t2.Visible());
    riempi();
    EXPECT_EQ(t2.Count(), 1);
    EXPECT_TRUE(t2.Click("Fine"));
    EXPECT_EQ(fine, 2);
}

TEST_F(Barre, StatusPanelsAreFoundByKey) {
    StatusBar s(f);
    s.Add("p1", "", 2000);
    s.Add("p2", "", 4000, sbrSpring);
    s.Add("p3", "Impegnativo");
    s.Add("p4", "", 1000);
    s.SetText("p2", "Trovate 1 soluzioni");
    s.Panel("p4")->SetToolTipText("Funzione Background in esecuzione");
    s.SetText("p9", "nessuno");
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Text("p2"), "Trovate 1 soluzioni");
    EXPECT_EQ(s.Text("p3"), "Impegnativo");
    EXPECT_EQ(s.PanelAt(4).ToolTipText(), "Funzione Background in esecuzione");
    EXPECT_EQ(s.Text("p9"), "");
}

TEST_F(Barre, TheTabStripClicksOnEveryChangeOfSelectionButNotWhileFilling) {
    TabStrip tabs(f);
    int clic = 0;
    tabs.Click = [&] { ++clic; };
    for (int i = 1; i <= 7; ++i) tabs.Add("Sequenza " + std::to_string(i));
    EXPECT_EQ(clic, 0);
    EXPECT_EQ(tabs.SelectedIndex(), 1);
    tabs.TabAt(1).SetCaption("Impegnativo");
    tabs.TabAt(6).SetToolTipText("Sequenza di soluzione applicando solo colori e catene obbligate ");
    tabs.TabAt(2).SetSelected(true);
    EXPECT_EQ(clic, 1);
    EXPECT_TRUE(tabs.TabAt(2).Selected());
    tabs.TabAt(2).SetSelected(true);
    EXPECT_EQ(clic, 1);
    tabs.SetSelectedIndex(9);
    EXPECT_EQ(tabs.SelectedIndex(), 2);
    EXPECT_EQ(tabs.TabAt(1).Caption(), "Impegnativo");
    EXPECT_EQ(tabs.TabAt(6).ToolTipText(), "Sequenza di soluzione applicando solo colori e catene obbligate ");
    tabs.Move(0, 0, 9000, 400);
    f.Show();
    QTest::mouseClick(tabs.Bar(), Qt::LeftButton, {}, tabs.Bar()->tabRect(4).center());
    EXPECT_EQ(tabs.SelectedIndex(), 5);
    EXPECT_EQ(clic, 2);
}

}  // namespace
}  // namespace kenvaron::plat
