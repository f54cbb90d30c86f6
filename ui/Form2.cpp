#include "ui/Form2.h"

#include <QTabBar>
#include <algorithm>

#include "engine/Funzioni.h"
#include "platform/Dialogs.h"
#include "platform/Icons.h"
#include "platform/Printer.h"
#include "platform/Units.h"
#include "ui/Form1.h"
#include "ui/Ragionamento.h"
#include "ui/Tabellone.h"

namespace kenvaron {

namespace {

constexpr const char* kTitolo = "Kenvaron sequenza ragionamento";
constexpr const char* kTitoloAnalisi = "Kenvaron analisi delle semplificazioni possibili";
constexpr const char* kSelezionare = "Selezionare una riga";

// Room between the board and this window, and this window's width, in twips
// (wider when the seven tabs side by side need more).
constexpr int kDistanza = 100;
constexpr int kLarghezza = 9600;
// Height of a revealed row.
constexpr int kAltezzaRiga = 270;
// Rows scrolled when a revealed step lies below the visible rows.
constexpr int kSaltoRighe = 10;

constexpr long kColoreGiallo = 0x00FFFF;
constexpr long kColoreVerde = 0x00FF00;
constexpr long kColoreVerdeChiaro = 0xC0FFC0;
constexpr long kColoreViola = 0xFF00FF;
constexpr long kColoreCeleste = 0xFFFFC0;
constexpr long kColoreOliva = 0xC0C000;
constexpr long kColoreVerdeScuro = 0x00C000;

constexpr double kFontCifra = 14;
constexpr double kFontEliminato = 8;

// The list as the step view reads it.
class LetturaGriglia final : public LetturaLista {
public:
    explicit LetturaGriglia(const plat::Grid& g) : g_(g) {}
    int Righe() const override { return g_.Rows(); }
    std::string Testo(int riga, int colonna) const override { return g_.TextMatrix(riga, colonna); }

private:
    const plat::Grid& g_;
};

}  // namespace

Form2::Form2(Form1& principale)
    : gp(*this), Tbs(*this), tlb1(*this), Stbr(*this), f_(principale) {
    plat::RiempiIcone(ImageList1);
    tlb1.SetImageList(&ImageList1);
    tlb1.ButtonClick = [this](plat::ToolbarButton& b) { tlb1_ButtonClick(b); };
    Stbr.Add("p1", "", 2000);
    Stbr.Add("p2", "", 3000, plat::sbrSpring);
    Stbr.Add("p3", "", 1000);
    gp.SetGridFont("Arial", 8.25);
    gp.SetFixedCols(0);
    gp.SetFixedRows(1);
    // The selected step is marked, so that "Applica" and "Accetta" show what they act on.
    gp.SetHighLight(true);
    gp.MouseDown = [this](int b, int s, float x, float y) { gp_MouseButton(b, s, x, y); };
    gp.Click = [this] { gp_Click(); };
    for (int i = 1; i <= kNumeroSequenze; ++i) Tbs.Add();
    Tbs.Click = [this] { Tbs_Click(); };
}

Form2::~Form2() = default;

// ---- Life cycle -------------------------------------------------------------------------

void Form2::Form_Load() {
    const bool analisi = f_.motore().Analisi;
    const bool singolo = !analisi && f_.stato.SingoloStep == 1;
    struct Voce {
        const char* chiave;
        const char* suggerimento;
        bool presente;
    };
    const Voce voci[] = {
        {"Validi", "Visualizza Candidati Validi", true},
        {"Schema", "Visualizza schema", true},
        {"s9", nullptr, true},
        {"SingoloStep", "Altro suggerimento", singolo},
        {"Applica", "Applica suggerimento", singolo},
        {"Accetta", "Conferma il suggerimento e torna allo schema", !analisi},
        {"s6", nullptr, true},
        {"Stampa", "Stampa", true},
    };
    for (const Voce& v : voci) {
        if (!v.presente) continue;
        if (v.suggerimento == nullptr) {
            tlb1.Add(v.chiave, plat::tbrPlaceholder).SetWidth(500);
            continue;
        }
        tlb1.Add(v.chiave, plat::tbrDefault, v.chiave).SetToolTipText(v.suggerimento);
    }
    tlb1.SetButtonEnabled("Applica", false);

    SetCaption(analisi ? kTitoloAnalisi : kTitolo);
    vistaValidi_ = 0;
    Move(f_.Left() + f_.gr.Left() + f_.gr.Width() + kDistanza, 0, kLarghezza, f_.Height());
    Form_Resize();
    primaAttivazione_ = true;
    tecnicheSalvate_ = TecnicheSalvate::Da(f_.condiviso(), f_.motore());
}

void Form2::Apri() {
    const int schede = plat::Twip(Tbs.Bar()->sizeHint().width());
    if (ScaleWidth() < schede) SetWidth(schede);
    KeepOnScreen();
    Show(plat::vbModal);
}

void Form2::Form_Activate() {
    f_.stato.RidisegnoGriglia = false;
    if (primaAttivazione_) {
        primaAttivazione_ = false;
        SuggerimentoSuccessivo();
        if (f_.stato.FlagVisPoss == 1) MostraValidiPasso(0);
    }
    f_.gr.SetRow(0);
}

void Form2::Form_Unload(int& /*Cancel*/) {
    tecnicheSalvate_.Ripristina(f_.condiviso(), f_.motore(), f_.stato.livelli);
    f_.stato.RidisegnoGriglia = true;
}

void Form2::Form_Resize() {
    const int altezzaSchede = plat::Twip(Tbs.Bar()->sizeHint().height());
    Tbs.Move(0, 0, ScaleWidth(), altezzaSchede);
    gp.Move(0, altezzaSchede, ScaleWidth(), std::max(0, ScaleHeight() - altezzaSchede));
}

// ---- The list -------------------------------------------------------------------------------

void Form2::RiempiLista() {
    MostraRag(gp, f_.Stbr, &f_.gr, f_.motore(), f_.condiviso().NumPassiMostrati);
}

void Form2::NascondiRighe() {
    // One layout for the whole list, not one per row.
    const bool ridisegna = gp.Redraw();
    gp.SetRedraw(false);
    for (int i = 1; i < gp.Rows(); ++i) gp.SetRowHeight(i, 0);
    gp.SetRedraw(ridisegna);
}

void Form2::SuggerimentoSuccessivo() {
    int i = 1;
    while (i < gp.Rows() && (gp.TextMatrix(i, narrazione::kColTesto).empty() || gp.RowHeight(i) != 0)) ++i;
    if (i >= gp.Rows()) return;
    gp.SetRowHeight(i, kAltezzaRiga);
    gp.SetRow(i);
    gp.SetRowSel(i);
    gp.SetCol(narrazione::kColTesto);
    gp_Click();
    if ((i - gp.TopRow() + 1) * kAltezzaRiga > gp.Height()) {
        const int t = gp.TopRow() + kSaltoRighe;
        if (t < gp.Rows() - 1) {
            gp.SetTopRow(1);
            gp.SetScrollBars(plat::flexScrollBarBoth);
            Refresh();
            gp.SetTopRow(t);
        }
    }
    gp.SetRow(i);
    gp.SetRowSel(i);
    gp.SetCol(narrazione::kColTesto);
}

// ---- Commands -------------------------------------------------------------------------------

void Form2::tlb1_ButtonClick(plat::ToolbarButton& Button) {
    const std::string& chiave = Button.Key();
    if (chiave == "Validi") {
        MostraValidiPasso(0);
    } else if (chiave == "Schema") {
        MostraSchemaPasso();
    } else if (chiave == "Stampa") {
        StampaSequenza();
    } else if (chiave == "SingoloStep") {
        applicaPasso_ = 0;
        SuggerimentoSuccessivo();
    } else if (chiave == "Applica") {
        if (Stbr.Text("p1").empty()) return;
        applicaPasso_ = 1;
        gp_Click();
    } else if (chiave == "Accetta") {
        const Suggerimenti& s = suggerimenti_;
        f_.AccettaSuggerimento(s.TestiSuggerimento, s.TipiSuggerimento, s.NumSuggerimenti);
        Unload();
    }
}

void Form2::gp_MouseButton(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == plat::vbLeftButton) {
        applicaPasso_ = 0;
    } else if (Button == plat::vbRightButton && gp.MouseRow() >= 1) {
        gp.SetRow(gp.MouseRow());
        gp.SetRowSel(gp.MouseRow());
        applicaPasso_ = Stbr.Text("p1").empty() ? 0 : 1;
    }
}

void Form2::Tbs_Click() {
    if (!Azione) return;
    const int i = std::max(1, Tbs.SelectedIndex());
    Motore& m = f_.motore();
    ImpostaScheda(i, tecnicheSalvate_, f_.condiviso(), m, f_.stato.livelli);
    f_.DocmdRisolvi();
    RiempiLista();
    const bool singolo = f_.stato.SingoloStep == 1;
    if (singolo) NascondiRighe();
    f_.Visualizza(f_.condiviso().Problema);
    f_.gr.SetRedraw(true);
    gp.SetRow(0);
    gp.SetRowSel(0);
    if (gp.Rows() >= 2) gp.SetTopRow(1);
    if (singolo) SuggerimentoSuccessivo();
}

// ---- Printing -------------------------------------------------------------------------------

void Form2::StampaSequenza() {
    if (f_.Sceglistampante()) StampaRighe();
}

void Form2::StampaRighe() {
    plat::Printer& p = plat::Printer::Instance();
    const double x = plat::ConvertiMmTwip(1);
    p.SetCurrentX(x);
    p.SetCurrentY(plat::ConvertiMmTwip(10));
    p.SetFontName("Verdana");
    p.SetFontSize(9);
    p.SetFontBold(true);
    for (int r = 1; r < gp.Rows(); ++r) {
        p.SetCurrentX(x);
        p.Print(gp.TextMatrix(r, narrazione::kColTesto));
    }
    const std::string errore = gp.Rows() > 1 ? p.Errore() : "";
    p.EndDoc();
    if (!errore.empty()) plat::MsgBox(errore);
}

// ---- The step on the board ------------------------------------------------------------------

void Form2::VaiACella(int r, int c) {
    f_.gr.SetRow(IndiceGriglia(std::clamp(r, 0, 9)));
    f_.gr.SetCol(IndiceGriglia(std::clamp(c, 0, 9)));
}

void Form2::gp_Click() {
    const int salvata = vistaValidi_;
    vistaValidi_ = 0;
    Motore& m = f_.motore();
    f_.Visualizza(f_.condiviso().Problema);
    const std::string conteggio = narrazione::TestoSoluzioni(m.ContaSoluz, false);
    for (int c = 0; c < f_.gr.Cols(); ++c) f_.gr.SetTextMatrix(0, c, conteggio);
    const int selezionata = gp.Row();
    f_.gr.SetRedraw(false);
    const LetturaGriglia lista(gp);
    const std::vector<int> percorso = RighePercorso(lista, selezionata, m.Analisi);
    RaccogliSuggerimenti(lista, percorso, m.Analisi, suggerimenti_);
    for (const int j : percorso) {
        EvidenziaCelle(gp.TextMatrix(j, narrazione::kColCella) + "   ", j);
        DipingiCelle(j);
    }
    vistaValidi_ = salvata;
    if (vistaValidi_ == 1 && selezionata >= 1) {
        gp.SetRow(selezionata);
        MostraValidiPasso(applicaPasso_);
    }
    f_.gr.SetRedraw(true);
    NomeTecnica();
}

void Form2::DipingiCelle(int j) {
    const CelleDelPasso celle = ScomponiCelle(gp.TextMatrix(j, narrazione::kColCelle));
    coloreEvidenza_ = celle.coloreEvidenza;
    for (const std::string& voce : celle.eliminazioni) ScriviConclusione(voce + ",", j);
    for (const VoceSchema& v : celle.schema) {
        classeCella_ = v.classe;
        ColoraCella(v.voce + ",");
    }
    classeCella_ = 0;
}

void Form2::EvidenziaCelle(const std::string& celle, int riga) {
    plat::Grid& gr = f_.gr;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            VaiACella(r, c);
            gr.SetCellBackColor(kColoreBianco);
        }
    const Terna t = LeggiTerna(celle);
    VaiACella(t.riga, t.colonna);
    if (vistaValidi_ == 0) {
        gr.SetCellFontSize(kFontCifra);
        gr.SetText(t.cifra != 0 ? std::to_string(t.cifra) : "");
    }
    gr.SetCellForeColor(kColoreBlu);
    gr.SetCellFontBold(true);
    gr.SetCellBackColor(riga == gp.Row() ? kColoreGiallo : kColoreBianco);
    const std::string testo = gp.TextMatrix(riga, narrazione::kColTesto);
    if (TestoTentativo(testo)) gr.SetText(gr.Text() + "?");
    if (TestoSoluzione(testo)) {
        for (int r = 2; r <= 12; ++r)
            for (int c = 2; c <= 12; ++c) {
                gr.SetRow(r);
                gr.SetCol(c);
                gr.SetCellFontSize(kFontCifra);
                std::string s = gr.Text();
                s.erase(std::remove(s.begin(), s.end(), '?'), s.end());
                gr.SetText(s);
            }
    }
}

void Form2::ScriviConclusione(const std::string& voce, int riga) {
    if (!TestoConclusione(gp.TextMatrix(riga, narrazione::kColTesto))) return;
    plat::Grid& gr = f_.gr;
    const Terna t = LeggiTerna(voce);
    VaiACella(t.riga, t.colonna);
    if (vistaValidi_ == 0) {
        gr.SetCellFontSize(kFontEliminato);
        gr.SetText(gr.Text() + std::to_string(t.cifra));
        gr.SetCellForeColor(kColoreRosso);
        gr.SetCellFontBold(false);
    }
    gr.SetCellBackColor(riga == gp.Row() ? kColoreGiallo : kColoreBianco);
}

void Form2::ColoraCella(const std::string& voce) {
    plat::Grid& gr = f_.gr;
    const Terna t = LeggiTerna(voce);
    VaiACella(t.riga, t.colonna);
    if (coloreEvidenza_ == kColoreVerde && gr.CellBackColor() == kColoreVerde)
        gr.SetCellBackColor(kColoreVerdeChiaro);
    else
        gr.SetCellBackColor(coloreEvidenza_);
    switch (classeCella_) {
        case 0: break;
        case 1: gr.SetCellBackColor(kColoreRosso); break;
        case 2: gr.SetCellBackColor(kColoreCeleste); break;
        case 3: gr.SetCellBackColor(kColoreViola); break;
        case 12: gr.SetCellBackColor(kColoreOliva); break;
        default:
            if (classeCella_ >= 10) gr.SetCellBackColor(kColoreVerdeScuro);
            break;
    }
}

void Form2::MostraValidiPasso(int offset) {
    const int selezionata = gp.Row();
    if (selezionata < 1) {
        plat::MsgBox(kSelezionare);
        return;
    }
    f_.stato.FlagVisPoss = 1;
    Motore& m = f_.motore();
    const std::string testo = gp.TextMatrix(selezionata, narrazione::kColTesto);
    const int passo = static_cast<int>(Val(gp.TextMatrix(selezionata, narrazione::kColPasso)));
    f_.gr.SetRedraw(false);
    {
        // The replay draws the candidates of that moment and leaves the
        // tab's solve (count, log, solution, list) as it was.
        const RisultatiSoluzione salvati = RisultatiSoluzione::Da(m);
        m.IsalvaValidi = static_cast<std::int16_t>(PassoCandidati(testo, passo, offset));
        if (m.IsalvaValidi < 1) f_.CmdValidi_Click();
        m.Risolvi(1);
        m.IsalvaValidi = -1;
        salvati.Ripristina(m);
    }
    vistaValidi_ = 1;
    EvidenziaCelle(gp.TextMatrix(selezionata, narrazione::kColCella) + "   ", selezionata);
    DipingiCelle(selezionata);
    f_.gr.SetRedraw(true);
    NomeTecnica();
}

void Form2::MostraSchemaPasso() {
    if (gp.Row() < 1) {
        plat::MsgBox(kSelezionare);
        return;
    }
    f_.stato.FlagVisPoss = 0;
    vistaValidi_ = 0;
    f_.gr.SetRedraw(false);
    gp_Click();
    f_.gr.SetRedraw(true);
}

void Form2::NomeTecnica() {
    const int passo = static_cast<int>(Val(gp.TextMatrix(gp.Row(), narrazione::kColPasso)));
    const narrazione::ModoLista modo{f_.stato.FlagVisPoss, f_.stato.SingoloStep, f_.motore().Analisi};
    Vishelp(passo, f_.motore(), modo, gp, Stbr, tlb1.Button("Applica"));
}

}  // namespace kenvaron
