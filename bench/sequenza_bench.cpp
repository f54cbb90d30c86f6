// kenvaron-bench-sequenza: times of the reasoning window, offscreen.
//   tabs:   every tab change (re-solve, list, hiding, first reveal, board) of
//           every puzzle of data/qqwing_expert.txt and data/sudocue_superiors.txt,
//           in single-step mode, as the user clicks tabs 2..7 and then 1;
//   long:   a 6000-record log (data/seventeen_1000.txt puzzle 180, singles
//           only): opening the window after the solve (fill, hiding, first
//           reveal) and single reveals at rows spread over the list.
// Each prints one summary line with medians and maxima in milliseconds.
// --limit N takes the first N puzzles of each file for the tab changes.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/Comune.h"
#include "platform/Dialogs.h"
#include "ui/Form1.h"
#include "ui/Form2.h"

namespace {

using namespace kenvaron;
using Cronometro = std::chrono::steady_clock;

double Ms(Cronometro::time_point da) {
    return std::chrono::duration<double, std::milli>(Cronometro::now() - da).count();
}

std::vector<std::string> Schemi(const std::string& nome, std::size_t limite) {
    std::ifstream in(std::string(KENVARON_DATA_DIR) + "/" + nome);
    std::vector<std::string> v;
    std::string riga;
    while (v.size() < limite && std::getline(in, riga))
        if (riga.size() >= 81) v.push_back(riga.substr(0, 81));
    return v;
}

// The puzzle as the loader leaves it: on the board, solved once, commands on.
void Carica(Form1& f, const std::string& schema) {
    bench::Carica(f.condiviso().Problema, schema);
    f.condiviso().NumMosse = 0;
    bench::SoluzioneDelCaricatore(f.motore());
    f.Visualizza(f.condiviso().Problema);
    f.settaBottoni(2);
}

// The "SingoloStep" command: the solve, then the window with `dentro` run while it shows.
// Returns the time from the end of the solve to the window shown with its first step.
template <class Dentro>
double SingoloStep(Form1& f, plat::RisponditoreProgrammato& r, Dentro dentro) {
    f.stato.SingoloStep = 1;
    f.stato.LivelloAiuto = 0;
    f.stato.livelli.SettaTurni(f.stato.livelli.CodiciTecniche);
    f.PreparaRisolvi();
    double apertura = 0;
    const auto inizio = Cronometro::now();
    r.finestraModale = [&](plat::Form& w) {
        apertura = Ms(inizio);
        dentro(*f.Sequenza());
        w.Unload();
    };
    f.MostraSequenzaRagionamento();
    return apertura;
}

double Mediana(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::size_t limite = 100000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--limit") == 0) limite = static_cast<std::size_t>(std::stoul(argv[i + 1]));

    plat::RisponditoreProgrammato risposte;
    plat::RisponditoreInUso inUso(risposte);
    Form1 f;
    f.Show();
    f.MnuEstremo_Click();

    for (const char* file : {"qqwing_expert.txt", "sudocue_superiors.txt"}) {
        std::vector<double> cambi;
        const std::vector<std::string> schemi = Schemi(file, limite);
        for (const std::string& s : schemi) {
            Carica(f, s);
            SingoloStep(f, risposte, [&](Form2& w) {
                for (int scheda : {2, 3, 4, 5, 6, 7, 1}) {
                    if (w.Tbs.SelectedIndex() == scheda) continue;
                    const auto inizio = Cronometro::now();
                    w.Tbs.SetSelectedIndex(scheda);
                    cambi.push_back(Ms(inizio));
                }
            });
        }
        std::printf("tabs %s: %zu puzzles, %zu changes, median %.2f ms, max %.2f ms\n", file, schemi.size(),
                    cambi.size(), Mediana(cambi), cambi.empty() ? 0.0 : *std::max_element(cambi.begin(), cambi.end()));
    }

    // The long log: singles only, so the list holds every record of the capped log.
    f.mnuSemplice_Click();
    Carica(f, Schemi("seventeen_1000.txt", 180).back());
    std::vector<double> rivelazioni;
    int righe = 0;
    const double apertura = SingoloStep(f, risposte, [&](Form2& w) {
        righe = w.gp.Rows() - 1;
        for (int obiettivo = 2; obiettivo < w.gp.Rows(); obiettivo += std::max(1, righe / 20)) {
            // Rows before the target count as revealed already.
            w.gp.SetRedraw(false);
            for (int i = 1; i < obiettivo; ++i)
                if (w.gp.RowHeight(i) == 0) w.gp.SetRowHeight(i, 270);
            w.gp.SetRedraw(true);
            const auto inizio = Cronometro::now();
            w.tlb1.Click("SingoloStep");
            rivelazioni.push_back(Ms(inizio));
        }
    });
    std::printf("long: %d log records, %d rows, opening %.2f ms, %zu reveals median %.2f ms, max %.2f ms\n",
                f.motore().NumPassi, righe, apertura, rivelazioni.size(), Mediana(rivelazioni),
                rivelazioni.empty() ? 0.0 : *std::max_element(rivelazioni.begin(), rivelazioni.end()));
    return 0;
}
