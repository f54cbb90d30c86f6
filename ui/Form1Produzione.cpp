// The main window's rating and batch production: reading the rules file,
// "Calcola Valore", and the batch run that replaces the board by the results
// grid.  The work itself is core code; this file hands it the window's
// engine, grid, status bar and event loop.
#include <cstdio>

#include "engine/FileTesto.h"
#include "generation/Produzione.h"
#include "generation/CalcolaValore.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Programma.h"

namespace kenvaron {

namespace {

// The results grid seen through the platform's grid.
class GrigliaRisultatiPiattaforma final : public GrigliaRisultati {
public:
    explicit GrigliaRisultatiPiattaforma(plat::Grid& g) : g_(g) {}
    void SetRows(int n) override { g_.SetRows(n); }
    void SetCols(int n) override { g_.SetCols(n); }
    void SetColWidth(int c, int twip) override { g_.SetColWidth(c, twip); }
    void SetTextMatrix(int r, int c, const std::string& t) override { g_.SetTextMatrix(r, c, t); }
    void AllineaADestra(int r, int c) override {
        g_.SetRow(r);
        g_.SetCol(c);
        g_.SetCellAlignment(plat::flexAlignRightCenter);
    }

private:
    plat::Grid& g_;
};

void ScriviErrore(const std::string& testo) {
    std::fprintf(stderr, "%s\n", testo.c_str());
    std::fflush(stderr);
}

}  // namespace

bool Form1::InizializzaAuto(bool tronca) {
    const std::string percorso = plat::AppPath() + "/" + kFileRegole;
    std::string testo;
    bool troppoGrande = false;
    const bool letto = LeggiFile(percorso, testo, kMaxFileRegole, &troppoGrande);
    if (!letto || troppoGrande) {
        // Nothing taken: the weights and rules stay as they were.
        const std::string messaggio =
            "File " + percorso + (letto ? " troppo grande: più di 1 MiB" : " non trovato");
        if (stato.generazione.GeneraAuto)
            ScriviErrore(messaggio);
        else
            plat::MsgBox(messaggio, plat::vbExclamation);
        return false;
    }
    stato.regole = LeggiRegole(testo);
    // The batch merit of a custom-level try reads four of the weights.
    const PesiTecniche& pesi = stato.regole.Pesi;
    StatoGenerazione& g = stato.generazione;
    g.PCandidati_imprigionati = pesi.PCandidati_imprigionati;
    g.PTripletta_nascosta = pesi.PTripletta_nascosta;
    g.PSwordfish = pesi.PSwordfish;
    g.PSimple_Color = pesi.PSimple_Color;
    if (tronca)
        for (const std::string& messaggio : PreparaFileRegole(stato.regole, FilePropriProgramma())) AvvisoProduzione(messaggio);
    GrigliaRisultatiPiattaforma griglia(gra);
    InizializzaGRA(griglia, stato.regole);
    return true;
}

void Form1::CalcolaValore(bool registra) {
    PreparaRisolvi();
    const Valutazione v = ValutaPassi(motore(), stato.regole.Pesi, registra);
    condiviso().TestoTecniche = v.TestoTecniche;
    stato.ValoreCalcolato = v.ValoreCalcolato;
    if (!registra) return;
    const std::string percorso = plat::AppPath() + "/" + kFileCalcolaValore;
    if (!ScriviRighe(percorso, v.Rapporto, FilePropriProgramma())) plat::MsgBox(MessaggioNonSalvato(percorso), plat::vbExclamation);
}

void Form1::Command3_Click() {
    if (!InizializzaAuto(false)) return;
    CalcolaValore(true);
}

void Form1::AvvisoProduzione(const std::string& testo) {
    stato.CodiceUscita = 1;
    Stbr.SetText("p2", testo);
    ScriviErrore(testo);
}

void Form1::AvvioProduzione() {
    // The results grid takes the board's place, twice as wide.
    gra.Move(gr.Left(), gr.Top(), gr.Width(), gr.Height());
    gra.SetWidth(gra.Width() * 2);
    SetWidth(Width() + gr.Width());
    gra.SetVisible(true);
    gr.SetVisible(false);
    tlb1.SetEnabled(false);

    // Without a display there is no Esc to press: SIGINT and SIGTERM stop the
    // run instead, at its next yield, exactly as Esc would.
    plat::ArrestoDaSegnali segnali([this] { Interrompi(); });
    if (!InizializzaAuto(true)) {
        stato.CodiceUscita = 1;
        FineProgramma();
        return;
    }
    CalcoloLungo calcolo(*this);
    SetMousePointer(plat::vbHourglass);
    GrigliaRisultatiPiattaforma griglia(gra);
    ServiziProduzione servizi;
    servizi.Eventi = [this] {
        plat::DoEvents();
        return !stato.ProduzioneFermata;
    };
    servizi.Genera = [this](const Regola& regola) {
        return EseguiGeneraAuto(regola, motore(), stato.livelli, stato.impostazioni, stato.generazione, [this] {
            CicloNuovo();
            return stato.generazione.SudokuDisponibile;
        });
    };
    servizi.CalcolaValore = [this] {
        CalcolaValore(false);
        return Valutazione{stato.ValoreCalcolato, condiviso().TestoTecniche, {}};
    };
    servizi.Avviso = [this](const std::string& testo) { AvvisoProduzione(testo); };
    const EsitoProduzione esito = kenvaron::EseguiGenerazione(stato.regole, condiviso(), griglia, servizi, FilePropriProgramma());
    SetMousePointer(plat::vbDefault);
    if (!esito.Interrotta) FineProgramma();
}

}  // namespace kenvaron
