#include "ui/Ragionamento.h"

#include "narration/Aiuto.h"
#include "narration/ListaRagionamento.h"

namespace kenvaron {

namespace {

constexpr int kLarghezzaMarcatore = 200;
// What the text column leaves of the grid's width.
constexpr int kMargineTesto = 560;
// A row that keeps its data but shows nothing.
constexpr int kAltezzaVuota = 1;

}  // namespace

void MostraRag(plat::Grid& gp, plat::StatusBar& stbrPrincipale, plat::Grid* gr, const Motore& m,
               int& NumPassiMostrati) {
    using namespace narrazione;
    const ListaRagionamento lista = RigheRagionamento(m);
    NumPassiMostrati = lista.numPassiMostrati;

    gp.SetRedraw(false);
    gp.SetRows(1);
    gp.SetCols(kColonne);
    gp.SetRowHeight(0, 0);
    for (int c = 0; c < kColonne; ++c) gp.SetColWidth(c, 0);
    gp.SetColWidth(kColMarcatore, kLarghezzaMarcatore);
    gp.SetColWidth(kColTesto, gp.Width() - kMargineTesto);

    gp.SetRows(1 + static_cast<int>(lista.righe.size()));
    int r = 0;
    for (const RigaRagionamento& riga : lista.righe) {
        ++r;
        for (int c = 0; c < kColonne; ++c)
            if (!riga.colonne[c].empty()) gp.SetTextMatrix(r, c, riga.colonne[c]);
        if (riga.vuota) gp.SetRowHeight(r, kAltezzaVuota);
        if (!riga.continuazione) {
            gp.SetRow(r);
            gp.SetCol(kColMarcatore);
            gp.SetCellBackColor(riga.sfondo);
            gp.SetCellForeColor(riga.inchiostro);
        }
        gp.SetRow(r);
        gp.SetCol(kColTesto);
        gp.SetCellAlignment(plat::flexAlignLeftCenter);
        gp.SetCellFontBold(riga.grassetto);
    }

    if (!m.Analisi) stbrPrincipale.SetText("p2", TestoSoluzioni(m.ContaSoluz, false));
    if (gr != nullptr) gr->SetRow(0);
    gp.SetRedraw(true);
}

void Vishelp(int passo, const Motore& m, const narrazione::ModoLista& modo, const plat::Grid& gp, plat::StatusBar& stbr,
             plat::ToolbarButton* applica) {
    const narrazione::TestiPasso t =
        narrazione::TestiDelPasso(m, passo, gp.TextMatrix(gp.Row(), narrazione::kColTesto), modo);
    stbr.SetText("p1", t.p1);
    stbr.SetText("p2", t.p2);
    if (modo.SingoloStep == 1 && applica != nullptr) applica->SetEnabled(!t.p1.empty());
}

void VisAiuto(int passo, const Motore& m, Byte LivelloAiuto, plat::StatusBar& stbrPrincipale) {
    stbrPrincipale.SetText("p2", narrazione::TestoAiuto(m, passo, LivelloAiuto));
}

}  // namespace kenvaron
