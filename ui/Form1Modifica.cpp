// Cell editing on the board and the user's undo.  A click on a cell opens a
// pop-up over it: the value pop-up (left button) writes a digit or empties
// the cell, the candidate pop-up (right button) strikes a candidate.  Every
// edit is a record of the undo stack (engine/PilaMosse), which "Undo" and
// "UndoAll" take back.
#include "platform/Dialogs.h"
#include "ui/Form1.h"
#include "engine/PilaMosse.h"

namespace kenvaron {

namespace {

constexpr long kSfondoValori = 0x80FFFF;     // RGB(255, 255, 128)
constexpr long kSfondoCandidati = 0x80FF80;  // RGB(128, 255, 128)
constexpr long kRossoCandidato = 0xFF;       // a candidate the cell does not offer
constexpr long kRosaAnnullato = 12632319;    // RGB(255, 192, 192): the cell just undone
constexpr int kLatoEtichetta = 350;
constexpr int kLatoCentro = 700;
// The pop-up's top-left corner stands this far above and left of its cell.
constexpr int kScostamentoPopup = 352;

// Where each ring label sits, indices 1..11, in twips inside the pop-up.
struct PostoEtichetta {
    int left, top, altezza;
};
constexpr PostoEtichetta kAnello[12] = {
    {0, 0, 0},
    {0, 0, kLatoEtichetta},       {355, 0, kLatoEtichetta},      {720, 0, kLatoEtichetta},
    {1080, 0, kLatoEtichetta},    {1080, 360, kLatoEtichetta},   {1080, 720, kLatoEtichetta},
    {1080, 1080, kLatoEtichetta}, {720, 1080, kLatoEtichetta},   {360, 1080, kLatoEtichetta},
    {0, 1080, kLatoEtichetta},  // "0"
    {0, 360, 710},              // "     X", over the second and third rows
};

std::string TitoloEtichetta(int k) {
    if (k <= 9) return std::string(1, static_cast<char>('0' + k));
    return k == 10 ? "0" : "     X";
}

}  // namespace

void Form1::CostruisciPopup() {
    const auto anello = [](plat::Frame& f, std::array<std::unique_ptr<plat::Label>, 12>& etichette, long sfondo,
                           const std::function<void(int)>& clic) {
        for (int k = 1; k <= 11; ++k) {
            auto& e = etichette[static_cast<std::size_t>(k)];
            e = std::make_unique<plat::Label>(f, TitoloEtichetta(k));
            const PostoEtichetta& p = kAnello[k];
            e->Move(p.left, p.top, kLatoEtichetta, p.altezza);
            e->SetBackColor(sfondo);
            e->SetFont("MS Sans Serif", 9.75, true);
            // "     X" is wider than its label: aligned right, the blanks give way
            // and the X shows whole.
            e->SetAlignment(k == 11 ? plat::vbRightJustify : plat::vbCenter);
            e->Click = [clic, k] { clic(k); };
        }
    };
    anello(Frame1, Label1, kSfondoValori, [this](int k) { Label1_Click(k); });
    anello(Frame2, LabelC, kSfondoCandidati, [this](int k) { LabelC_Click(k); });
    for (auto* centro : {&LabeV, &LabeCC}) {
        *centro = std::make_unique<plat::Label>(centro == &LabeV ? Frame1 : Frame2);
        (*centro)->Move(360, 360, kLatoCentro, kLatoCentro);
        (*centro)->SetBackColor(kColoreBianco);
        (*centro)->SetFont("Arial", 9.75, true);
    }
    gr.MouseDown = [this](int b, int s, float x, float y) { gr_MouseButton(b, s, x, y); };
    gr.Click = [this] { gr_Click(); };
}

void Form1::gr_MouseButton(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    stato.ModoSelezione = "N";
    if (Button == plat::vbRightButton && gr.MouseRow() > 0 && gr.MouseCol() > 0) {
        gr.SetRow(gr.MouseRow());
        gr.SetCol(gr.MouseCol());
        stato.ModoSelezione = "C";
    }
}

void Form1::PosizionaPopup(plat::Frame& f, int g, int h) {
    int x = 0, y = 0;
    for (int j = 1; j < h; ++j) x += gr.ColWidth(j);
    for (int i = 1; i < g; ++i) y += gr.RowHeight(i);
    // At the board's edges the pop-up moves in just enough to stay inside the window.
    const int left = std::clamp(gr.Left() + x - kScostamentoPopup, 0, std::max(0, ScaleWidth() - f.Width()));
    const int top = std::clamp(gr.Top() + y - kScostamentoPopup, 0, std::max(0, ScaleHeight() - f.Height()));
    f.SetLeft(left);
    f.SetTop(top);
}

void Form1::gr_Click() {
    if (stato.generazione.GenerazioneInCorso) return;
    Stbr.SetText("p2", "");
    if (gr.Col() < 1 || gr.Row() < 1) return;
    gr.SetRow(AgganciaCella(gr.Row()));
    gr.SetCol(AgganciaCella(gr.Col()));
    stato.RigaGriglia = static_cast<Byte>(gr.Row());
    stato.ColonnaGriglia = static_cast<Byte>(gr.Col());
    const int r = IndiceCella(stato.RigaGriglia), c = IndiceCella(stato.ColonnaGriglia);
    if (motore().CelleDate[r][c] != 0 &&
        plat::MsgBox("Intendi modificare un valore iniziale del SUDOKU", plat::vbYesNo) == plat::vbNo)
        return;
    const std::string testoCella = std::string(10, ' ') + gr.TextMatrix(stato.RigaGriglia, stato.ColonnaGriglia);
    plat::Frame& popup = stato.ModoSelezione != "N" ? Frame2 : Frame1;
    if (&popup == &Frame2) {
        // The candidates of the board as it stands, the user's strikes included.
        const std::array<bool, 10> offerti = CandidatiOfferti(condiviso(), r, c);
        for (int d = 1; d <= 10; ++d) {
            const bool offerto = d <= 9 && offerti[static_cast<std::size_t>(d)];
            plat::Label& e = *LabelC[static_cast<std::size_t>(d)];
            e.SetBackColor(offerto ? LabelC[11]->BackColor() : kRossoCandidato);
            e.SetEnabled(offerto);
        }
        LabeCC->SetCaption(testoCella);
    } else {
        LabeV->SetCaption(testoCella);
    }
    PosizionaPopup(popup, stato.RigaGriglia, stato.ColonnaGriglia);
    popup.SetVisible(true);
    popup.ZOrder(0);
}

void Form1::Label1_Click(int Index) {
    if (Index >= 1 && Index <= 10) {
        const int r = IndiceCella(stato.RigaGriglia), c = IndiceCella(stato.ColonnaGriglia);
        if (r >= 1 && r <= 9 && c >= 1 && c <= 9) {
            stato.SchemaModificato = 1;
            const Byte v = Index == 10 ? 0 : static_cast<Byte>(Index);
            MossaValore(condiviso(), r, c, v);
            // Only the text changes: the cell keeps its colours until the next redraw.
            gr.SetTextMatrix(stato.RigaGriglia, stato.ColonnaGriglia, v == 0 ? "" : std::to_string(v));
            AbilitaBottone("Undo", true);
            AbilitaBottone("UndoAll", true);
            if (stato.FlagVisPoss == 1) CmdValidi_Click();
        }
    }
    NascondiFrame();
}

void Form1::LabelC_Click(int Index) {
    if (Index >= 1 && Index <= 9) {
        const int r = IndiceCella(stato.RigaGriglia), c = IndiceCella(stato.ColonnaGriglia);
        if (r >= 1 && r <= 9 && c >= 1 && c <= 9) {
            stato.SchemaModificato = 1;
            MossaCandidato(condiviso(), motore().Possibili, r, c, Index);
            AbilitaBottone("Undo", true);
            AbilitaBottone("UndoAll", true);
            if (stato.FlagVisPoss == 1) CmdValidi_Click();
        }
    }
    NascondiFrame();
}

void Form1::AccettaSuggerimento(std::span<const std::string> testi, std::span<const std::string> tipi,
                                int quanti) {
    AccettaSuggerimenti(condiviso(), motore().Possibili, testi, tipi, quanti);
    // The board is redrawn by the command that opened the reasoning window.
    AbilitaBottone("Undo", true);
    AbilitaBottone("UndoAll", true);
    stato.SchemaModificato = 1;
}

void Form1::AnnullaMossa() {
    NascondiFrame();
    const std::optional<Mossa> m = AnnullaUltimaMossa(condiviso(), motore().Possibili);
    if (!m) return;
    if (condiviso().NumMosse == 0) {
        AbilitaBottone("Undo", false);
        AbilitaBottone("UndoAll", false);
    }
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    if (stato.FlagVisPoss == 1) CmdValidi_Click();
    if (m->Riga >= 1 && m->Riga <= 9 && m->Colonna >= 1 && m->Colonna <= 9) {
        gr.SetRow(IndiceGriglia(m->Riga));
        gr.SetCol(IndiceGriglia(m->Colonna));
        gr.SetCellBackColor(kRosaAnnullato);
    }
}

void Form1::AnnullaTutto() {
    NascondiFrame();
    while (condiviso().NumMosse > 0) AnnullaMossa();
}

}  // namespace kenvaron
