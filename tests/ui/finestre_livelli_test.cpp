// The windows the level menu opens (the technique choice of "Personalizzato",
// its advanced techniques, the supersymmetric options), the merit limit of
// "Non so", and the instructions and about windows, driven offscreen through
// the responder.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTest>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/RichText.h"
#include "platform/Schermo.h"
#include "platform/Units.h"
#include "tests/ui/FinestraProva.h"
#include "ui/Form3.h"
#include "ui/Form6.h"
#include "ui/Form7.h"
#include "ui/Form8.h"
#include "ui/Form9.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;
using prova::Finestra;

constexpr int kSpunta = plat::vbChecked;
constexpr int kVuota = plat::vbUnchecked;

class FinestreLivelli : public Finestra {
protected:
    void SetUp() override { Apri(); }
    // Runs azione on the technique-choice window while it is open.
    void ConForm6(const std::function<void(Form6&)>& azione) {
        risposte.finestraModale = [azione](plat::Form& w) {
            if (auto* s = dynamic_cast<Form6*>(&w)) {
                azione(*s);
                if (s->Loaded()) s->Unload();  // the close box
            } else {
                w.Unload();
            }
        };
    }
    std::array<Byte, 6> Attive() const { return f->condiviso().TecnicheAttive; }
};

TEST_F(FinestreLivelli, PersonalizzatoTakesTheOrderOfTheTicksFromTheTechniqueChoice) {
    std::string sequenza;
    ConForm6([&](Form6& s) {
        EXPECT_EQ(s.Caption(), "Livello Personalizzato");
        s.Command3.Click();  // "Clear"
        s.ChK[2]->SetValue(kSpunta);  // G
        s.ChK[0]->SetValue(kSpunta);  // S
        ASSERT_EQ(s.ChkO.Caption(), "[Catene obbligate]");
        s.ChkO.SetValue(kSpunta);
        EXPECT_EQ(s.ChK[4]->Value(), kSpunta);
        EXPECT_TRUE(s.CmdTecniche.Enabled());
        ASSERT_EQ(s.Option2.Caption(), "Le ultime due");
        s.Option2.SetValue(true);
        sequenza = s.Label1.Caption();
        s.Command1.Click();  // "Conferma"
    });
    f->Menu("mnuPersonalizzato")->Choose();
    EXPECT_EQ(sequenza,
              "SEQUENZA 1: [Doppi, tripli,quadr nudi/nascosti] + \r\n"
              "SEQUENZA 2: [Candidati Fissati] + \r\n"
              "SEQUENZA 3: [Catene obbligate]");
    EXPECT_EQ(f->stato.livelli.CodiciTecniche, "GSC");
    EXPECT_EQ(f->motore().Turni[Motore::kG], 1);
    EXPECT_EQ(f->motore().Turni[Motore::kS], 2);
    EXPECT_EQ(f->motore().Turni[Motore::kC], 3);
    EXPECT_EQ(f->motore().Turni[Motore::kB], 0);
    EXPECT_EQ(f->stato.livelli.TurnoObbligatorio, 2);
    EXPECT_EQ(Attive(), (std::array<Byte, 6>{0, 0, 0, 0, 1, 0}));
    EXPECT_EQ(f->Stbr.Text("p3"), "Personalizzato");
    EXPECT_EQ(f->stato.livelli.Livello, "P");
    EXPECT_TRUE(f->Menu("mnuPersonalizzato")->Checked());
}

TEST_F(FinestreLivelli, AbbandonaOrTheCloseBoxStoreNothingYetTheLevelBecomesP) {
    f->Menu("MnuDifficile")->Choose();
    f->condiviso().ScelteAvanzate = {1, 0, 1};
    for (bool chiusura : {false, true}) {
        ConForm6([&](Form6& s) {
            s.chkBXS.SetValue(kSpunta);
            s.Option3.SetValue(true);
            if (!chiusura) s.Command2.Click();  // "Abbandona"
        });
        f->Menu("mnuPersonalizzato")->Choose();
        EXPECT_EQ(f->stato.livelli.CodiciTecniche, "SDG");
        EXPECT_EQ(f->stato.livelli.Livello, "P");
        EXPECT_EQ(Attive(), (std::array<Byte, 6>{}));
        EXPECT_EQ(f->condiviso().SequenzeObbligatorie, 0);
        EXPECT_EQ(f->condiviso().TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
        EXPECT_EQ(f->Stbr.Text("p3"), "Personalizzato");
    }
}

TEST_F(FinestreLivelli, GroupBoxesFollowTheirSwitchesAndTheCaptionsTellTheOrder) {
    f->Menu("MnuEstremo")->Choose();
    f->condiviso().TecnicheAttive = {};
    ConForm6([&](Form6& s) {
        // Every group of "SGDBC" ticked; the B and C captions empty; five lines.
        for (auto& g : s.ChK) EXPECT_EQ(g->Value(), kSpunta) << g->Tag;
        EXPECT_EQ(s.ChK[3]->Caption(), "");
        EXPECT_EQ(s.ChK[4]->Caption(), "");
        EXPECT_EQ(s.SequenzaScelta, "SGDBC");
        EXPECT_TRUE(s.CmdTecniche.Enabled());
        EXPECT_NE(s.Label1.Caption().find("SEQUENZA 5: "), std::string::npos);
        EXPECT_EQ(s.Label1.Caption().find("SEQUENZA 6"), std::string::npos);
        EXPECT_FALSE(s.ChK[3]->Enabled());  // set only through the switches

        s.Command3.Click();
        EXPECT_EQ(s.Label1.Caption(), "");
        EXPECT_EQ(s.SequenzaScelta, "");
        // The fish switch alone ticks group B; the XY-wing is then optional.
        s.chkBXS.SetValue(kSpunta);
        EXPECT_EQ(s.SequenzaScelta, "B");
        EXPECT_EQ(s.ChK[3]->Caption(),
                  "[X-Wing,Swordfish,Burma,Jellyfish,Squirmbag]  ([XY-Wing, XYZ-wings] non obblig. ma possibile)");
        // A tick that changes nothing raises nothing: no second "B".
        s.chkBXS.SetValue(kSpunta);
        s.ChkXYW.SetValue(kSpunta);
        EXPECT_EQ(s.SequenzaScelta, "B");
        EXPECT_EQ(s.ChK[3]->Caption(), "[X-Wing,Swordfish,Burma,Jellyfish,Squirmbag][XY-Wing, XYZ-wings]");
        s.chkBXS.SetValue(kVuota);
        s.ChkXYW.SetValue(kVuota);
        EXPECT_EQ(s.SequenzaScelta, "");
        EXPECT_EQ(s.ChK[3]->Value(), kVuota);

        // Group C joins its ticked switches' captions in a fixed order.
        s.ChK[2]->SetValue(kSpunta);
        s.ChK[0]->SetValue(kSpunta);
        s.ChkC.SetValue(kSpunta);
        s.ChkM.SetValue(kSpunta);
        EXPECT_EQ(s.SequenzaScelta, "GSC");
        EXPECT_EQ(s.ChK[4]->Caption(), "[Colori,Colori multipli][Nishio]");
        s.ChK[0]->SetValue(kVuota);
        EXPECT_EQ(s.SequenzaScelta, "GC");
        s.ChkC.SetValue(kVuota);
        EXPECT_EQ(s.SequenzaScelta, "GC");
        s.ChkM.SetValue(kVuota);
        EXPECT_EQ(s.SequenzaScelta, "G");
        EXPECT_FALSE(s.CmdTecniche.Enabled());
        // The option buttons follow the stored option.
        EXPECT_TRUE(s.Option1.Value());
    });
    f->Menu("mnuPersonalizzato")->Choose();
}

TEST_F(FinestreLivelli, TheAdvancedWindowStoresEveryBoxAndRecaptionsTheSwitches) {
    f->condiviso().ScelteAvanzate = {0, 0, 1};  // colours chosen earlier
    bool aperta = false;
    risposte.finestraModale = [&](plat::Form& w) {
        if (auto* a = dynamic_cast<Form9*>(&w)) {
            aperta = true;
            EXPECT_EQ(a->Caption(), "Tecniche di soluzione avanzate");
            EXPECT_TRUE(a->ChkVC.Enabled());
            EXPECT_FALSE(a->ChkVO.Enabled());
            EXPECT_FALSE(a->ChkVM.Enabled());
            EXPECT_EQ(a->ChkVM.Value(), kSpunta);  // a disabled box shows its stored choice
            a->ChkVC.SetValue(kSpunta);
            a->CmdTecniche.Click();  // "OK"
        } else if (auto* s = dynamic_cast<Form6*>(&w)) {
            s->Command3.Click();
            s->ChkC.SetValue(kSpunta);
            s->CmdTecniche.Click();
            EXPECT_EQ(s->ChkC.Caption(), "[Nishio (tecnica av.)]");
            EXPECT_EQ(s->ChkM.Caption(), "[Colori,Colori multipli (tecnica av.)]");
            EXPECT_EQ(s->ChK[4]->Caption(), "[Nishio (tecnica av.)]");
            s->Command1.Click();
        }
    };
    f->Menu("mnuPersonalizzato")->Choose();
    ASSERT_TRUE(aperta);
    EXPECT_EQ(f->condiviso().ScelteAvanzate, (std::array<Byte, 3>{1, 0, 1}));
    EXPECT_EQ(f->condiviso().TecnicheAvanzate, (std::array<Byte, 3>{1, 0, 1}));
    EXPECT_EQ(f->stato.livelli.CodiciTecniche, "C");

    // Its close box stores nothing.
    risposte.finestraModale = [&](plat::Form& w) {
        if (auto* a = dynamic_cast<Form9*>(&w)) {
            a->ChkVM.SetValue(kVuota);
            a->Unload();
        } else if (auto* s = dynamic_cast<Form6*>(&w)) {
            s->CmdTecniche.Click();
            s->Unload();
        }
    };
    f->Menu("mnuPersonalizzato")->Choose();
    EXPECT_EQ(f->condiviso().ScelteAvanzate, (std::array<Byte, 3>{1, 0, 1}));
}

// ---- The supersymmetric options -------------------------------------------------------

TEST_F(FinestreLivelli, SuperSimmetricoAvanzatoOpensWithoutTheCheckBoxAndOkSetsTheChoices) {
    risposte.finestraModale = [&](plat::Form& w) {
        auto& o = dynamic_cast<Form7&>(w);
        EXPECT_EQ(o.Caption(), "Livello SuperSimmetrico avanzato");
        EXPECT_FALSE(o.Check1.Visible());
        EXPECT_EQ(o.Cmbf.Text(), "Moderatamente semplice");
        EXPECT_TRUE(o.Option1.Value());
        EXPECT_NEAR(o.Left(), f->Left() + (f->Width() - o.Width()) / 2, plat::TwipPerPixel);
        o.Cmbf.SetListIndex(0);  // "Molto semplice"
        o.Command1.Click();
    };
    f->Menu("mnuSuperComplesso")->Choose();
    EXPECT_EQ(f->Stbr.Text("p3"), "Supersimm. avanzato");
    EXPECT_EQ(f->CmbR.ListIndex(), 0);
    EXPECT_EQ(f->Cmbf.ListIndex(), 0);
    EXPECT_EQ(f->motore().IndiceRagionamento, 0);
    EXPECT_TRUE(f->motore().SaltaNaked);
    EXPECT_EQ(f->stato.impostazioni.LimiteSuperSemplice, 68);
}

TEST_F(FinestreLivelli, SuperSimmetricoSempliceOffersTheFewestGivensAndTheCloseBoxKeepsTheLevel) {
    f->stato.impostazioni.LimiteSuperSemplice = 70;
    risposte.finestraModale = [&](plat::Form& w) {
        auto& o = dynamic_cast<Form7&>(w);
        EXPECT_EQ(o.Caption(), "Livello SuperSimmetrico semplice");
        EXPECT_TRUE(o.Check1.Visible());
        EXPECT_EQ(o.Check1.Caption(), " Genera con il minimo numero di celle iniziali ");
        EXPECT_EQ(o.Check1.Value(), kSpunta);
        o.Option2.SetValue(true);
        o.Cmbf.SetListIndex(1);
        o.Command1.Click();
    };
    f->Menu("mnuSuperSemplice")->Choose();
    EXPECT_EQ(f->stato.impostazioni.LimiteSuperSemplice, 70);
    EXPECT_FALSE(f->stato.impostazioni.SoloAngolari);
    EXPECT_EQ(f->Cmbf.ListIndex(), 1);
    EXPECT_EQ(f->CmbR.ListIndex(), 4);
    EXPECT_FALSE(f->motore().SaltaNaked);

    risposte.finestraModale = [&](plat::Form& w) {
        auto& o = dynamic_cast<Form7&>(w);
        EXPECT_FALSE(o.Option1.Value());  // a fresh window shows the stored values
        o.Check1.SetValue(kVuota);
        o.Cmbf.SetListIndex(0);
        o.Unload();
    };
    f->Menu("mnuSuperSemplice")->Choose();
    EXPECT_EQ(f->stato.impostazioni.LimiteSuperSemplice, 70);
    EXPECT_EQ(f->Cmbf.ListIndex(), 1);
    EXPECT_FALSE(f->motore().SaltaNaked);
}

// ---- "Non so" -----------------------------------------------------------------------------

TEST_F(FinestreLivelli, NonSoAsksForItsMeritLimitAndReadsTheLeadingNumber) {
    const std::pair<std::optional<std::string>, double> casi[] = {
        {"abc", 0}, {"", 0}, {std::nullopt, 0}, {"12,5", 12}, {" 1 5", 15}, {"12.5", 12.5}};
    for (const auto& [risposta, atteso] : casi) {
        risposte.domande = {risposta};
        f->mnuSemplice2_Click();
        EXPECT_EQ(f->stato.impostazioni.LimiteSemplice2, atteso) << risposta.value_or("(annullata)");
    }
    ASSERT_EQ(Domandati("domanda").size(), std::size(casi));
    EXPECT_EQ(risposte.domandati.front().testo, "");
    EXPECT_EQ(risposte.domandati.front().titolo, "Kenvaron");
    EXPECT_EQ(risposte.domandati.front().predefinito, "0");
    EXPECT_EQ(risposte.domandati[4].predefinito, "12");
    // The default shows the limit with a "." so that Val reads it back.
    risposte.domande = {std::nullopt};
    f->mnuSemplice2_Click();
    EXPECT_EQ(risposte.domandati.back().predefinito, "12.5");
    EXPECT_EQ(f->Stbr.Text("p3"), "Non so");
    EXPECT_EQ(f->stato.livelli.Livello, "3");
}

// ---- Instructions and about ----------------------------------------------------------------

TEST_F(FinestreLivelli, TheInstructionsShowTheManualBesideTheProgramInAFreshWindowEachTime) {
    fs::copy_file(KENVARON_MANUALE, cartella.percorso / kFileIstruzioni);
    std::vector<std::string> testi;
    std::vector<Form3*> istanze;
    risposte.finestraModale = [&](plat::Form& w) {
        auto& i = dynamic_cast<Form3&>(w);
        EXPECT_EQ(i.Caption(), "Kenvaron Istruzioni");
        EXPECT_EQ(f->form3.get(), &i);  // reachable while open
        EXPECT_NEAR(i.Left(), f->Left() + 500, plat::TwipPerPixel);
        EXPECT_NEAR(i.Top(), f->Top() + 500, plat::TwipPerPixel);
        testi.push_back(i.Rtb.Text());
        istanze.push_back(&i);
        i.Unload();
    };
    f->Menu("mnuAiuto")->Choose();
    EXPECT_EQ(f->form3, nullptr);
    f->Menu("mnuAiuto")->Choose();
    ASSERT_EQ(testi.size(), 2u);
    EXPECT_EQ(testi[0], testi[1]);
    EXPECT_NE(testi[0].find("Il livello Personalizzato"), std::string::npos);
    EXPECT_TRUE(Domandati("messaggio").empty());
}

TEST_F(FinestreLivelli, AMissingOrUnreadableManualIsReportedAndTheWindowOpensEmpty) {
    const std::string percorso = (cartella.percorso / kFileIstruzioni).string();
    for (bool cartellaAlPosto : {false, true}) {
        if (cartellaAlPosto) fs::create_directory(percorso);
        std::string testo = "?";
        risposte.finestraModale = [&](plat::Form& w) {
            testo = dynamic_cast<Form3&>(w).Rtb.Text();
            w.Unload();
        };
        f->mnuAiuto_Click();
        EXPECT_EQ(testo, "");
    }
    EXPECT_EQ(Domandati("messaggio"),
              (std::vector<std::string>(2, "File " + percorso + " non trovato")));
}

TEST_F(FinestreLivelli, TheAboutWindowShowsTheVersionCentredAndOkClosesIt) {
    f->Move(3000, 1500);
    bool vista = false;
    risposte.finestraModale = [&](plat::Form& w) {
        auto& a = dynamic_cast<Form8&>(w);
        vista = true;
        EXPECT_EQ(a.Caption(), "Informzioni su Kenvaron");
        EXPECT_EQ(a.Label1.Caption(), "VERSIONE   1.0");
        EXPECT_EQ(a.Command1.Caption(), "OK");
        EXPECT_NEAR(a.Left(), f->Left() + (f->Width() - a.Width()) / 2, plat::TwipPerPixel);
        EXPECT_NEAR(a.Top(), f->Top() + (f->Height() - a.Height()) / 2, plat::TwipPerPixel);
        a.Command1.Click();
        EXPECT_FALSE(a.Loaded());
    };
    f->Menu("mnuInformazioni")->Choose();
    EXPECT_TRUE(vista);
}

// A window opened over the main window lies wholly on the screen, title bar
// and buttons included, however short or low the main window stands: it
// moves, keeping its size and its centre's column.
TEST_F(FinestreLivelli, WindowsOpenedOverAShortOrLowMainWindowLieOnTheScreen) {
    fs::copy_file(KENVARON_MANUALE, cartella.percorso / kFileIstruzioni);
    const QRect schermo = f->Widget()->screen()->availableGeometry();
    int aperte = 0;
    risposte.finestraModale = [&](plat::Form& w) {
        ++aperte;
        const QRect c = w.Widget()->windowHandle()->frameGeometry();
        EXPECT_TRUE(schermo.contains(c)) << w.Caption() << " " << c.x() << "," << c.y() << " " << c.width() << "x"
                                         << c.height();
        if (dynamic_cast<Form6*>(&w) != nullptr) {
            EXPECT_NEAR(w.Left() + w.Width() / 2, f->Left() + f->Width() / 2, plat::TwipPerPixel);
        }
        w.Unload();
    };
    for (const int alto : {0, 600}) {
        f->Move(0, plat::Twip(alto), f->Width(), plat::Twip(420));
        f->Menu("mnuPersonalizzato")->Choose();
        f->mnuAiuto_Click();
    }
    EXPECT_EQ(aperte, 4);
}

// Every window the program places before showing it (the instructions, the
// about window, the level options, the advanced techniques) opens at its
// size, wholly on the screen, as the window system shows it: run also on a
// desktop under fluxbox at a scale of 2, which framed such a window 65534
// server pixels a side where it was told a base size below 0.
TEST_F(FinestreLivelli, EveryWindowPlacedBeforeShowingOpensAtItsSizeOnTheScreen) {
    fs::copy_file(KENVARON_MANUALE, cartella.percorso / kFileIstruzioni);
    const bool desktop = QGuiApplication::platformName() == "xcb";
    std::vector<std::string> aperte;
    risposte.finestraModale = [&](plat::Form& w) {
        const QWidget* q = w.Widget();
        const QSize voluta = q->size();
        const QRect schermo = plat::AreaDisponibile(*q->screen());
        const auto cornice = [&] { return q->windowHandle()->geometry().marginsAdded(q->windowHandle()->frameMargins()); };
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                return (!desktop || !q->windowHandle()->frameMargins().isNull()) && !w.Assestamento() &&
                       q->windowHandle()->geometry().size() == voluta && schermo.contains(cornice());
            },
            30000))
            << w.Caption() << ": " << q->windowHandle()->geometry().width() << "x"
            << q->windowHandle()->geometry().height() << " for " << voluta.width() << "x" << voluta.height();
        aperte.push_back(w.Caption());
        if (auto* s = dynamic_cast<Form6*>(&w)) s->CmdTecniche.Click();
        if (w.Loaded()) w.Unload();
    };
    for (const char* voce : {"mnuAiuto", "mnuInformazioni", "mnuPersonalizzato", "mnuSuperComplesso", "mnuSuperSemplice"})
        f->Menu(voce)->Choose();
    EXPECT_EQ(aperte, (std::vector<std::string>{"Kenvaron Istruzioni", "Informzioni su Kenvaron",
                                                "Livello Personalizzato", "Tecniche di soluzione avanzate",
                                                "Livello SuperSimmetrico avanzato",
                                                "Livello SuperSimmetrico semplice"}));
}

TEST(Manuale, TheShippedManualReadsAsPlainItalianText) {
    plat::Form finestra;
    plat::RichTextBox rtb(finestra);
    ASSERT_TRUE(rtb.LoadFile(KENVARON_MANUALE));
    const std::string testo = rtb.Text();
    for (const char* titolo : {"I livelli e i gruppi di tecniche", "I livelli SuperSimmetrici",
                               "Il livello Personalizzato", "La preparazione in sottofondo", "I menù",
                               "Il valore di uno schema e la produzione in serie", "Risolvere lo schema",
                               "I candidati", "Aiuto e Suggerimento", "La finestra del ragionamento"})
        EXPECT_NE(testo.find(titolo), std::string::npos) << titolo;
    EXPECT_NE(testo.find("è"), std::string::npos);
    for (const char* resto : {"\\", "{", "}"}) EXPECT_EQ(testo.find(resto), std::string::npos) << resto;
}

}  // namespace
}  // namespace kenvaron
