// The ordinary controls: when their events fire, what their properties keep.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QMenu>
#include <QTest>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/System.h"

namespace kenvaron::plat {
namespace {

class Controlli : public ::testing::Test {
protected:
    Form f;
};

TEST_F(Controlli, ACheckBoxChangedInCodeFiresClickOncePerChange) {
    CheckBox c(f, "Simmetrico");
    int clic = 0;
    c.Click = [&] { ++clic; };
    c.SetValue(vbChecked);
    EXPECT_EQ(clic, 1);
    EXPECT_EQ(c.Value(), vbChecked);
    c.SetValue(vbChecked);
    EXPECT_EQ(clic, 1);
    c.SetValue(vbUnchecked);
    EXPECT_EQ(clic, 2);
    QTest::mouseClick(c.Widget(), Qt::LeftButton);
    EXPECT_EQ(clic, 3);
    EXPECT_EQ(c.Value(), vbChecked);
}

TEST_F(Controlli, OptionButtonsOfOneContainerExcludeEachOther) {
    Frame gruppo(f);
    OptionButton a(gruppo, "L'ultima"), b(gruppo, "Le ultime due");
    OptionButton fuori(f, "altro");
    int clicB = 0;
    b.Click = [&] { ++clicB; };
    fuori.SetValue(true);
    a.SetValue(true);
    b.SetValue(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_TRUE(fuori.Value());
    EXPECT_EQ(clicB, 1);
    b.SetValue(false);
    EXPECT_FALSE(b.Value());
}

TEST_F(Controlli, CombosNeverSelectWhileFillingAndFireClickOnAChosenIndex) {
    ComboBox c(f);
    int clic = 0;
    c.Click = [&] { ++clic; };
    for (const char* v : {"Facile", "Medio", "Difficile"}) c.AddItem(v);
    EXPECT_EQ(c.ListIndex(), -1);
    EXPECT_EQ(c.ListCount(), 3);
    EXPECT_EQ(clic, 0);
    c.SetListIndex(2);
    EXPECT_EQ(clic, 1);
    EXPECT_EQ(c.Text(), "Difficile");
    c.SetListIndex(7);  // out of range: nothing changes
    EXPECT_EQ(c.ListIndex(), 2);
    EXPECT_EQ(c.List(9), "");
    c.Clear();
    EXPECT_EQ(c.ListCount(), 0);
    EXPECT_EQ(c.Text(), "");

    ListBox l(f);
    l.AddItem("05 3");
    l.AddItem("06 1");
    EXPECT_EQ(l.ListIndex(), -1);
    l.SetListIndex(1);
    EXPECT_EQ(l.Text(), "06 1");
}

TEST_F(Controlli, ATextBoxKeepsItsTextExactlyAndReportsChanges) {
    TextBox t(f);
    int cambi = 0;
    t.Change = [&] { ++cambi; };
    const std::string figura = " 1 . . | . . . | . . . \r\n-------+-------+------ ";
    t.SetText(figura);
    EXPECT_EQ(t.Text(), figura);
    EXPECT_EQ(cambi, 1);
    t.SetText(figura);
    EXPECT_EQ(cambi, 1);
    QTest::keyClicks(t.Widget(), "x");
    EXPECT_EQ(cambi, 2);

    TextBox multi(f, true);
    multi.SetText("riga 1\r\nriga 2");
    EXPECT_EQ(multi.Text(), "riga 1\r\nriga 2");
}

TEST_F(Controlli, AnEnabledLabelReportsALeftClick) {
    Label l(f, "     X");
    int clic = 0;
    l.Click = [&] { ++clic; };
    l.Move(0, 0, 350, 350);
    f.Show();
    QTest::mouseClick(l.Widget(), Qt::LeftButton);
    QTest::mouseClick(l.Widget(), Qt::RightButton);
    EXPECT_EQ(clic, 1);
    l.SetEnabled(false);
    QTest::mouseClick(l.Widget(), Qt::LeftButton);
    EXPECT_EQ(clic, 1);
    EXPECT_FALSE(l.Enabled());
    EXPECT_EQ(l.Caption(), "     X");
    l.SetBackColor(RGB(255, 255, 128));
    EXPECT_EQ(l.BackColor(), RGB(255, 255, 128));
}

TEST_F(Controlli, VisibleAndEnabledAreTheControlsOwnFlags) {
    Frame riquadro(f);
    CommandButton b(riquadro, "OK");
    riquadro.SetVisible(false);
    riquadro.SetEnabled(false);
    EXPECT_TRUE(b.Visible());
    EXPECT_TRUE(b.Enabled());
    b.SetVisible(false);
    EXPECT_FALSE(b.Visible());
}

TEST_F(Controlli, TimersRepeatUntilDisabledAndASingleShotFiresOnce) {
    Timer ripetuto, unico;
    int nR = 0, nU = 0;
    ripetuto.OnTimer = [&] {
        if (++nR == 3) ripetuto.SetEnabled(false);
    };
    unico.OnTimer = [&] { ++nU; };
    unico.SetSingleShot(true);
    ripetuto.SetInterval(1);
    unico.SetInterval(1);
    ripetuto.SetEnabled(true);
    unico.SetEnabled(true);
    QElapsedTimer orologio;
    orologio.start();
    while (orologio.elapsed() < 200) DoEvents();
    EXPECT_EQ(nR, 3);
    EXPECT_EQ(nU, 1);
    EXPECT_FALSE(unico.Enabled());

    Timer senzaIntervallo;
    int n0 = 0;
    senzaIntervallo.OnTimer = [&] { ++n0; };
    senzaIntervallo.SetEnabled(true);
    orologio.restart();
    while (orologio.elapsed() < 30) DoEvents();
    EXPECT_EQ(n0, 0);
}

TEST_F(Controlli, MenusReportChoicesAndOpeningAndNeverTickThemselves) {
    Menu file(f, "File"), nuovo(file, "Nuovo"), sep(file, "-"), esci(file, "Esci");
    Menu opzioni(f, "Opzioni"), sfondo(opzioni, "Attiva Backgorund");
    Menu istruzioni(f, "Istruzioni");
    std::vector<std::string> log;
    file.Click = [&] { log.push_back("File aperto"); };
    nuovo.Click = [&] { log.push_back("Nuovo"); };
    istruzioni.Click = [&] { log.push_back("Istruzioni"); };
    sfondo.Click = [&] {
        log.push_back("sfondo");
        sfondo.SetChecked(!sfondo.Checked());
    };
    nuovo.Choose();
    file.Choose();
    istruzioni.Choose();
    sfondo.SetChecked(false);
    sfondo.Action()->trigger();
    EXPECT_TRUE(sfondo.Checked());
    EXPECT_TRUE(sfondo.Action()->isChecked());
    sfondo.Action()->trigger();
    EXPECT_FALSE(sfondo.Checked());
    EXPECT_FALSE(sfondo.Action()->isChecked());
    file.SetEnabled(false);
    nuovo.Choose();
    EXPECT_EQ(log, (std::vector<std::string>{"Nuovo", "File aperto", "Istruzioni", "sfondo", "sfondo"}));
    EXPECT_TRUE(sep.Action()->isSeparator());
    ASSERT_NE(file.Action()->menu(), nullptr);
    emit file.Action()->menu()->aboutToShow();
    EXPECT_EQ(log.back(), "File aperto");
    EXPECT_EQ(istruzioni.Action()->menu(), nullptr);
}

}  // namespace
}  // namespace kenvaron::plat
