// The main window's developer buttons and the timed statistics run.  Every
// button carries the hidden tag, so the window never shows it; tests and
// developers call the handlers.
#include <string>
#include <utility>

#include "engine/TestoSchema.h"
#include "generation/MenuLivelli.h"
#include "generation/Produzione.h"
#include "generation/Varianti.h"
#include "narration/TestoUtf8.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Programma.h"
#include "ui/Salvataggio.h"

namespace kenvaron {

namespace {

struct BottoneSviluppo {
    const char* nome;
    const char* didascalia;
    void (*click)(Form1&);
};

// Control name, caption, handler.
const BottoneSviluppo kBottoniSviluppo[] = {
    {"Command1", "Nuovo Sudoku", [](Form1& f) { f.Command1_Click(); }},
    {"Command4", "Abbassa un Livello", [](Form1& f) { f.Command4_Click(); }},
    {"Command5", "Generazione", [](Form1& f) { f.Command5_Click(); }},
    {"Command7", "Command7", [](Form1& f) { f.Command7_Click(); }},
    {"Command8", "Ruota", [](Form1& f) { f.Command8_Click(); }},
    {"CmdSemplifica", "Semplifica", [](Form1& f) { f.CmdSemplifica_Click(); }},
    {"CmdTogliSemplici", "TogliSemplici", [](Form1& f) { f.CmdTogliSemplici_Click(); }},
    {"Cmdriparti", "Riparti ", [](Form1& f) { f.Cmdriparti_Click(); }},
    {"Cmdcomplic4", "Cmdcomplic4", [](Form1& f) { f.Cmdcomplic4_Click(); }},
    {"CmdValidi", "CmdValidi", [](Form1& f) { f.CmdValidi_Click(); }},
    {"Command9", "Command9", [](Form1& f) { f.Command9_Click(); }},
    {"Command11", "Command11", [](Form1& f) { f.Command11_Click(); }},
    {"cmdSalvaPS", "salva probl e soluz", [](Form1& f) { f.cmdSalvaPS_Click(); }},
    {"cmdScambiariga", "scambiariga", [](Form1& f) { f.cmdScambiariga_Click(); }},
    {"cmdscambiacolonna", "scambiaacolonna", [](Form1& f) { f.cmdscambiacolonna_Click(); }},
    {"Command3", "Calcolavalore", [](Form1& f) { f.Command3_Click(); }},
    {"CmDazzeraVal", "AzzeraMaxvalore", [](Form1& f) { f.CmDazzeraVal_Click(); }},
    {"Command2", "vis sol", [](Form1& f) { f.Command2_Click(); }},
    {"Command10", "Command10", [](Form1& f) { f.Command10_Click(); }},
    {"Command12", "Command12", [](Form1& f) { f.Command12_Click(); }},
    {"Command14", "Command14", [](Form1& f) { f.Command14_Click(); }},
    {"Command16", "Command16", [](Form1& f) { f.Command16_Click(); }},
    {"CmdComplica", "Complica", [](Form1& f) { f.CmdComplica_Click(); }},
    {"CmdComplicaGen", "CompilcaGen", [](Form1& f) { f.CmdComplicaGen_Click(); }},
    {"RiduciNuovo", "RiduciNuovo ", [](Form1& f) { f.RiduciNuovo_Click(); }},
    {"semplNuovo", "semplNuovo", [](Form1& f) { f.semplNuovo_Click(); }},
    {"cmdComplica2", "complica2", [](Form1& f) { f.cmdComplica2_Click(); }},
    {"ModoNuovo", "ModoNuovo", [](Form1& f) { f.ModoNuovo_Click(); }},
    {"ModoRandom", "Random", [](Form1& f) { f.ModoRandom_Click(); }},
    {"probl41", "probl41", [](Form1& f) { f.probl41_Click(); }},
    {"Command17", "Command17", [](Form1& f) { f.Command17_Click(); }},
    {"Command18", "GeneraCod", [](Form1& f) { f.Command18_Click(); }},
    {"Command19", "RecupRisC", [](Form1& f) { f.Command19_Click(); }},
    {"Command20", "RecupRisM", [](Form1& f) { f.Command20_Click(); }},
};

using narrazione::SenzaSpazi;

}  // namespace

void Form1::CostruisciSviluppo() {
    for (const BottoneSviluppo& b : kBottoniSviluppo) {
        auto bottone = std::make_unique<plat::CommandButton>(*this, b.didascalia);
        bottone->Tag = "V";
        bottone->Click = [this, click = b.click] { click(*this); };
        bottoniSviluppo_.push_back(std::move(bottone));
    }
    Timer1.SetInterval(1);
    Timer1.SetEnabled(false);
    Timer1.OnTimer = [this] { Timer1_Timer(); };
}

plat::CommandButton* Form1::Bottone(const std::string& nome) {
    for (std::size_t i = 0; i < bottoniSviluppo_.size(); ++i)
        if (nome == kBottoniSviluppo[i].nome) return bottoniSviluppo_[i].get();
    return nullptr;
}

// ---- Puzzle tools --------------------------------------------------------------------

void Form1::cmdSalvaPS_Click() {
    const std::string percorso = plat::AppPath() + "/tmpsuper.txt";
    const std::string riga = SchemaTesto(condiviso().Problema) + "," + SchemaTesto(motore().Griglia);
    if (!AggiungiRiga(percorso, riga, FilePropriProgramma())) plat::MsgBox(MessaggioNonSalvato(percorso), plat::vbExclamation);
}

void Form1::Scambia(const std::string& domanda, void (*scambia)(Tabella&, double, double)) {
    const auto coppia = CoppiaScambio(plat::InputBox(domanda));
    if (!coppia) return;
    // The puzzle and the working grid; the givens table keeps its cells.
    scambia(condiviso().Problema, coppia->first, coppia->second);
    scambia(motore().Griglia, coppia->first, coppia->second);
    Visualizza(condiviso().Problema);
    gr.SetRedraw(true);
}

void Form1::cmdScambiariga_Click() { Scambia("scambia riga", &Motore::ScambiaRiga); }
void Form1::cmdscambiacolonna_Click() { Scambia("scambia colonna", &Motore::ScambiaColonna); }

void Form1::CmDazzeraVal_Click() { stato.generazione.MaxValore = 0; }

void Form1::Command2_Click() {
    stato.FlagVisPoss = 0;
    Visualizza(motore().Soluzione);
    gr.SetRedraw(stato.RidisegnoGriglia);
}

void Form1::Command10_Click() { Text1.SetText(""); }

void Form1::Command12_Click() {
    if (SenzaSpazi(Text2.Text()).empty()) Text2.SetText("tmp");
    std::string testo;
    // A file that cannot be read leaves Text1 as it was, without a word.
    if (LeggiFileSchema(plat::AppPath() + "/" + std::string(SenzaSpazi(Text2.Text())) + ".ss", testo)) Text1.SetText(testo);
}

void Form1::Command16_Click() {
    const std::string percorso = plat::AppPath() + "/z.txt";
    if (!ScriviRighe(percorso, RigheFette(SchemaTesto(condiviso().Problema)), FilePropriProgramma()))
        plat::MsgBox(MessaggioNonSalvato(percorso), plat::vbExclamation);
}

void Form1::FermaEsecuzione() {
    NascondiFrame();
    stato.generazione.Chiudi = 1;
    Cedi();
}

void Form1::VisualizzaTabellaStr() {
    const auto& cq = motore().CelleQuadrato;
    TabellaTesti s{};
    for (int b = 1; b <= 9; ++b)
        for (int p = 1; p <= 9; ++p) s[b][p] = std::to_string(cq[0][b][p]) + "/" + std::to_string(cq[1][b][p]);
    VisualizzaStr(s);
    gr.SetRedraw(stato.RidisegnoGriglia);
}

void Form1::VisualizzaTabellaStr2() {
    const auto& qc = motore().QuadratoCella;
    TabellaTesti s{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s[r][c] = std::to_string(qc[r][c][0]) + "/" + std::to_string(qc[r][c][1]);
    VisualizzaStr(s);
    gr.SetRedraw(stato.RidisegnoGriglia);
}

// ---- Harder and easier variants ------------------------------------------------------------

template <class Passo>
void Form1::EseguiVariante(Passo&& passo) {
    EseguiGenerazione([&](Generatore& g) {
        Varianti varianti(motore(), condiviso(), stato.generazione, *this, g);
        varianti.Simmetrico = stato.impostazioni.Simmetrico;
        passo(varianti);
    });
}

void Form1::CmdComplica_Click() {
    EseguiVariante([](Varianti& v) { v.CmdComplica_Click(); });
}
void Form1::CmdComplicaGen_Click() {
    EseguiVariante([](Varianti& v) { v.CmdComplicaGen_Click(); });
}
void Form1::RiduciNuovo_Click() {
    EseguiVariante([](Varianti& v) { v.Riduci1(); });
}
void Form1::semplNuovo_Click() {
    EseguiVariante([](Varianti& v) { v.SemplificaNuovo(); });
}
void Form1::cmdComplica2_Click() {
    EseguiVariante([](Varianti& v) { v.cmdComplica2_Click(); });
}
void Form1::probl41_Click() {
    EseguiVariante([](Varianti& v) { v.Semplifica1(); });
}
void Form1::ModoNuovo_Click() {
    EseguiVariante([](Varianti& v) { v.ModoNuovo_Click(); });
}
void Form1::ModoRandom_Click() {
    EseguiVariante([](Varianti& v) { v.ModoRandom_Click(); });
}

void Form1::TestoEtichetta(const std::string& testo) {
    Label2.SetCaption(testo);
    Refresh();
}

void Form1::Didascalia(const std::string& testo) {
    SetCaption(testo);
    Refresh();
}

// ---- The timed statistics run ------------------------------------------------------------

void Form1::Command14_Click() {
    StatoGenerazione& gen = stato.generazione;
    statistica.Azzera(motore().orologio->Trascorsi());
    gen.ProvaCronometrata = true;
    // A close waiting for a computation keeps its stop request.
    if (!stato.ChiusuraRinviata()) gen.Chiudi = 0;
    Text1.SetText("");
    Cmdriparti_Click();
    statistica.ValoreObiettivo = LeggiIntero(Txtmax.Text());
    statistica.SecondiStatistica = LeggiIntero(txtSec.Text());
    Timer1.SetEnabled(true);
}

void Form1::Timer1_Timer() {
    Timer1.SetEnabled(false);
    bool continua = false;
    {
        // A close asked for during the tick's yields waits until the tick is over.
        CalcoloLungo calcolo(*this);
        Cedi();
        Motore& m = motore();
        StatoGenerazione& gen = stato.generazione;
        Command7_Click();
        const Byte g = m.ProfonditaMax;
        PreparaRisolvi();
        if (m.ProfonditaMax != 1) {
            // The user solve needed a trial: logged, and counted in class 0.
            Text1.SetText(Text1.Text() + std::to_string(m.ProfonditaMax) + std::to_string(g) + "_");
            m.Valore = -1;
        }
        const double trascorsi = m.orologio->Trascorsi();
        Label2.SetCaption(" " + TestoNumero(trascorsi - statistica.InizioStatistica) + " " +
                          std::to_string(m.Valore));
        const int classe = statistica.Registra(m.Valore, condiviso().Problema, m.Soluzione);
        m.Valore = classe;
        if (classe >= 5) {
            const std::string percorso =
                NomeDump(plat::AppPath(), classe, statistica.ContatoriClasse[classe]);
            if (!ScriviRighe(percorso, {SchemaTesto(condiviso().Problema)}, FilePropriProgramma()))
                Stbr.SetText("p2", MessaggioNonSalvato(percorso));
        }
        List1.Clear();
        for (const std::string& riga : statistica.Istogramma()) List1.AddItem(riga);
        continua = statistica.Continua(trascorsi, gen.Chiudi == 1 || stato.ChiusuraRinviata());
        if (!continua) FineStatistica();
    }
    if (continua) Timer1.SetEnabled(true);
}

void Form1::FineStatistica() {
    StatoGenerazione& gen = stato.generazione;
    if (!stato.ChiusuraRinviata()) gen.Chiudi = 0;
    gen.ModoInterrogativo = 0;
    SetMousePointer(plat::vbDefault);
    // A run that never beat -1 keeps the puzzle and solution it ended with.
    if (statistica.MigliorePresente) {
        condiviso().Problema = statistica.ProblemaMiglioreStatistica;
        motore().Soluzione = statistica.SoluzioneMiglioreStatistica;
    }
    Visualizza(condiviso().Problema);
    gr.SetRedraw(stato.RidisegnoGriglia);
    gen.ProvaCronometrata = false;
}

}  // namespace kenvaron
