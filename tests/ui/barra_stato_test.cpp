// The main window's status bar offscreen, in the window as it opens: panel
// "p2" shows whole every hint of the public puzzle sets, the solution count
// and the search's progress, in the default font.
#include <gtest/gtest.h>

#include <QLabel>
#include <iostream>
#include <string>

#include "generation/Nuovo.h"
#include "narration/Aiuto.h"
#include "narration/ListaRagionamento.h"
#include "tests/ui/TabelloneProva.h"

namespace kenvaron {
namespace {

class BarraStato : public TabelloneProva {
protected:
    // The width the label asks for holding `testo` (frame and indent
    // included), beyond the width it has; 0 or less when the text shows whole.
    int Eccesso(const std::string& testo) {
        f->Stbr.SetText("p2", testo);
        const QLabel* p2 = f->Stbr.Panel("p2")->Widget();
        return p2->sizeHint().width() - p2->width();
    }
};

TEST_F(BarraStato, PanelP2ShowsEveryHintCountAndProgressWhole) {
    ASSERT_GT(f->Stbr.Panel("p2")->Widget()->width(), 0);
    for (const std::string& t : {narrazione::TestoSoluzioni(4, true), TestoInCorso(9999), TestoDisponibile(98, 9999)})
        EXPECT_LE(Eccesso(t), 0) << t;
    EXPECT_EQ(TestoDisponibile(98, 9999), "PREGIO=99 SUDOKU DISPONIBILE 9999");

    // The strong hint of every step of each puzzle's solve, at two levels.
    int aiuti = 0, peggiore = -1000;
    std::string largo;
    for (const auto& [file, quanti] : {std::pair{"qqwing_expert.txt", 1000}, std::pair{"sudocue_superiors.txt", 160}}) {
        const auto schemi = verifica::LeggiSchemi(file, quanti);
        for (const auto livello : {&Form1::MnuNormale_Click, &Form1::MnuEstremo_Click}) {
            (f.get()->*livello)();
            for (const std::string& s : schemi) {
                Carica(s);
                f->stato.livelli.SettaTurni(f->stato.livelli.CodiciTecniche);
                f->PreparaRisolvi();
                const Motore& m = f->motore();
                for (int i = 1; i <= m.NumPassi; ++i) {
                    const std::string t = narrazione::TestoAiuto(m, i, 2);
                    const int e = Eccesso(t);
                    ++aiuti;
                    if (e > peggiore) {
                        peggiore = e;
                        largo = t;
                    }
                }
            }
        }
    }
    EXPECT_LE(peggiore, 0) << largo;
    EXPECT_GT(aiuti, 100000);
    const QLabel* p2 = f->Stbr.Panel("p2")->Widget();
    Eccesso(largo);
    std::cout << aiuti << " hints; the widest, \"" << largo << "\" (" << QString::fromStdString(largo).size()
              << " characters), asks for " << p2->sizeHint().width() << " of the panel's " << p2->width() << " px\n";
}

}  // namespace
}  // namespace kenvaron
