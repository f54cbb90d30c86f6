// "Nuovo": the generation driver of the main window.  A puzzle of the current
// level comes from the pool, from the search (Esc stops it; once a puzzle is
// available Esc accepts it), or from the level's coded collection; levels
// without a collection restart the board.  The search and the collections are
// the generator's; this file keeps the window's part: the status panels, the
// command states, the loader, the pool file and the background's restart.
#include "engine/Funzioni.h"
#include "generation/Nuovo.h"
#include "generation/Produzione.h"
#include "generation/Raccolte.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Form5.h"
#include "ui/Programma.h"

namespace kenvaron {

namespace {

void SvuotaPannello(plat::StatusBar& barra, const char* chiave) {
    if (plat::StatusPanel* p = barra.Panel(chiave)) {
        p->SetText("");
        p->SetToolTipText("");
    }
}

}  // namespace

Decodificatore& Form1::decodificatore() {
    if (!decodificatore_)
        decodificatore_ = std::make_unique<Decodificatore>(generatore(), motore(), condiviso(), stato.livelli,
                                                           stato.impostazioni, stato.generazione);
    return *decodificatore_;
}

std::string Form1::RecuperaProbl(const std::string& livello) {
    std::string s = kenvaron::RecuperaProbl(condiviso(), livello);
    SalvaImpostazioni();
    return s;
}

void Form1::ChiudiIstruzioni() {
    if (form3 && form3->Visible()) form3->Unload();
}

void Form1::Cmdcomplic4_Click() {
    CalcoloLungo calcolo(*this);
    CopiaImpostazioniGenerazione();
    StatoGenerazione& g = stato.generazione;
    Livelli& lv = stato.livelli;
    Motore& m = motore();
    // Whatever road the call takes, it leaves these as they were before a generation.
    struct Uscita {
        Form1& f;
        ~Uscita() {
            f.motore().SenzaTentativi = false;
            f.SetMousePointer(plat::vbDefault);
            f.stato.generazione.GenerazioneInCorso = false;
            f.stato.generazione.ModoInterrogativo = 0;
        }
    } uscita{*this};

    NascondiFrame();
    const std::string l = LetteraDiLavoro(lv.Livello, lv.CodiciTecniche);
    txtSec.SetText(LimiteSecondi(l));
    Stbr.SetText("p1", "ESC per interrompere");
    if (plat::StatusPanel* p2 = Stbr.Panel("p2")) p2->SetToolTipText("SUDOKU  in corso di realizzazione");
    g.InizioGenerazione = m.orologio->Trascorsi();
    // A close that waits for this call keeps its stop request.
    if (!stato.ChiusuraRinviata()) g.Chiudi = 0;
    condiviso().Sequenze[1] = lv.CodiciTecniche;
    lv.SettaTurni(lv.CodiciTecniche);
    g.SudokuDisponibile = false;
    g.GenerazioneInCorso = true;
    settaBottoni(1);

    bool cerca = l == "P" || l == "1" || l == "2" || l == "3";
    bool dalPool = false;
    if (l == "E" || l == "M" || l == "C" || l == "D" || l == "N" || l == "S") {
        Stbr.SetText("p2", "SUDOKU  in corso di realizzazione");
        // Batch production never loaded the pool: it neither asks it nor writes it.
        const std::string s = g.GeneraAuto ? std::string() : RecuperaProbl(l);
        if (!s.empty()) {
            m.SenzaTentativi = false;
            g.GenerazioneInCorso = false;
            g.ModoInterrogativo = 0;
            Text1.SetText(s);
            Text1_DblClick();
            DecodMnuLiv();
            g.SudokuDisponibile = true;
            dalPool = true;
        } else {
            cerca = l == "D";
        }
    }

    if (!dalPool) {
        bool accettato = false;
        if (cerca) {
            RicercaNuovo ricerca(generatore(), m, condiviso(), stato.impostazioni, g, *this, *m.orologio);
            ricerca.SemeDalPool = [this, &g] {
                const std::string s = RecuperaProbl("S");
                if (s.empty()) return false;
                Stbr.SetText("p2", "SUDOKU  in corso di realizzazione");
                g.ModoInterrogativo = 1;
                Text1.SetText(s);
                Text1_DblClick();
                // The loader leaves the commands of a loaded puzzle: none may start mid-search.
                settaBottoni(1);
                return true;
            };
            accettato = ricerca.Cerca(l, Val(txtSec.Text()));
        }
        if (accettato) {
            MostraSchemaFinale();
        } else if (stato.ChiusuraRinviata()) {
            // The window closes when this call returns: no fallback puzzle.
        } else if (l == "N") {
            ScegliSchemaN();
        } else if (l == "D") {
            ScegliSchemaD();
        } else if (l == "C" || l == "E") {
            Command19_Click();
        } else if (l == "M") {
            Command20_Click();
        } else {
            Ricomincia();
        }
        condiviso().NumMosse = 0;
        ChiudiIstruzioni();
        m.SenzaTentativi = false;
        g.GenerazioneInCorso = false;
        g.ModoInterrogativo = 0;
        DecodMnuLiv();
    }
    SvuotaPannello(Stbr, "p2");
    SvuotaPannello(Stbr, "p1");

    Condiviso& c = condiviso();
    if (!g.GeneraAuto && !c.BkgInEsecuzione && Menu("mnuAttivaBackGround")->Checked()) {
        c.CodiceStop = 0;
        if (sfondo_ != nullptr) sfondo_->EsecBkg();
    }
}

void Form1::Ricomincia() {
    settaBottoni(0);
    Cmdriparti_Click();
    for (const char* nome : {"MnuFile", "MnuLivelli", "mnuOpzioni", "mnuAiuto"}) Menu(nome)->SetEnabled(true);
}

// ---- Coded collections --------------------------------------------------------------------

void Form1::ScegliSchemaN() { ScegliSchema('N'); }
void Form1::ScegliSchemaD() { ScegliSchema('D'); }
void Form1::Command19_Click() { ScegliSchema('C'); }
void Form1::Command20_Click() { ScegliSchema('M'); }

void Form1::ScegliSchema(char tabella) {
    Motore& m = motore();
    m.casuale.Reimposta();
    m.casuale.Randomizza(m.orologio->SecondiDaMezzanotte());
    const int n = static_cast<int>(RecordTabella(tabella).size());
    TrasformaSchema(tabella, n > 0 ? static_cast<int>(m.GeneraCasuale(n)) : 0);
}

bool Form1::TrasformaSchema(char tabella, int k) {
    CalcoloLungo calcolo(*this);
    CopiaImpostazioniGenerazione();
    StatoGenerazione& g = stato.generazione;
    Motore& m = motore();
    g.GenerazioneInCorso = false;
    m.SenzaTentativi = false;
    if (!stato.ChiusuraRinviata()) g.Chiudi = 0;
    g.ModoInterrogativo = 1;
    if (decodificatore().DecodificaDa(tabella, k) == 0) {
        g.ModoInterrogativo = 0;
        Ricomincia();
        return false;
    }
    decodificatore().Travesti(m.orologio->SecondiDaMezzanotte());
    MostraSchemaFinale();
    return true;
}

void Form1::MostraSchemaFinale() {
    Motore& m = motore();
    m.SenzaTentativi = false;
    m.Inizializza();
    Motore::SalvaTabella(condiviso().Problema, m.CelleDate);
    m.Risolvi(1);
    stato.generazione.GenerazioneInCorso = false;
    stato.generazione.ModoInterrogativo = 0;
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    settaBottoni(2);
}

void Form1::Command18_Click() {
    CalcoloLungo calcolo(*this);
    CopiaImpostazioniGenerazione();
    stato.generazione.GenerazioneInCorso = false;
    if (!stato.ChiusuraRinviata()) stato.generazione.Chiudi = 0;
    const std::string ingresso = plat::AppPath() + "/n.txt", uscita = plat::AppPath() + "/y.txt";
    const EsitoTabella e = CreaTabella(decodificatore(), *this, ingresso, uscita, FilePropriProgramma());
    stato.generazione.ModoInterrogativo = 0;
    if (!e.letto)
        plat::MsgBox("File " + ingresso + " non trovato", plat::vbExclamation);
    else if (e.nonScritto)
        plat::MsgBox(MessaggioNonSalvato(uscita), plat::vbExclamation);
}

}  // namespace kenvaron
