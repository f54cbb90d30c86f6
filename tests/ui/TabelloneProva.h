// The main window shown, for the editing, puzzle-text and printing tests:
// puzzles go through the window's loader and clicks reach the board grid as
// the mouse sends them.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/System.h"
#include "platform/Units.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"
#include "tests/ui/FinestraProva.h"
#include "ui/Form1.h"
#include "ui/Form5.h"

namespace kenvaron {

class TabelloneProva : public prova::Finestra {
protected:
    TabelloneProva() { Apri(); }

    // Loads a puzzle through the window's loader.
    void Carica(const std::string& testo) {
        f->Text1.SetText(testo);
        ASSERT_TRUE(f->Text1_DblClick());
    }
    static std::string Cifre(const Tabella& t) {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
        return s;
    }
    std::string Problema() const { return Cifre(f->condiviso().Problema); }
    // The centre of grid cell (g, h), in the grid widget's pixels.
    QPoint Punto(int g, int h) const {
        int x = 0, y = 0;
        for (int j = 0; j < h; ++j) x += f->gr.ColWidth(j);
        for (int i = 0; i < g; ++i) y += f->gr.RowHeight(i);
        return {plat::Grid::BordoPixel + plat::Px(x + f->gr.ColWidth(h) / 2),
                plat::Grid::BordoPixel + plat::Px(y + f->gr.RowHeight(g) / 2)};
    }
    void Clic(int g, int h, Qt::MouseButton tasto = Qt::LeftButton) {
        QTest::mouseClick(f->gr.Widget(), tasto, {}, Punto(g, h));
    }
    // A click on puzzle cell (r, c).
    void ClicCella(int r, int c, Qt::MouseButton tasto = Qt::LeftButton) {
        Clic(IndiceGriglia(r), IndiceGriglia(c), tasto);
    }
    bool Abilitato(const std::string& chiave) { return f->tlb1.Button(chiave)->Enabled(); }
    // The board lies wholly inside the frame's client area.
    bool Dentro(const plat::Control& c) const {
        return c.Left() >= 0 && c.Top() >= 0 && c.Left() + c.Width() <= f->ScaleWidth() &&
               c.Top() + c.Height() <= f->ScaleHeight();
    }

    const std::string schema = verifica::LeggiSchemi("qqwing_expert.txt", 1)[0];
};

}  // namespace kenvaron
