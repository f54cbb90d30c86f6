// Google Benchmark timing of the reasoning list: MostraRag fills an offscreen
// list grid from a full step log of 6000 real records (narrated solves of a
// public puzzle set appended one after the other, solution lines left out).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/Comune.h"
#include "engine/Marcatori.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "platform/CommonControls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "ui/Ragionamento.h"

using namespace kenvaron;

namespace {

// The step records of narrated solves of the superior puzzles, in the
// sequence window's orders, until the log is full.
void RiempiRegistro(Condiviso& stato, Motore& m) {
    auto lavoro = std::make_unique<Motore>(stato);
    Livelli livelli(*lavoro, stato);
    livelli.AccendiSchK(1, 1);
    lavoro->LimiteFor = 5;
    lavoro->ModoRisolvi = true;
    std::ifstream in(KENVARON_DATA_DIR "/sudocue_superiors.txt");
    std::vector<std::string> schemi;
    for (std::string riga; std::getline(in, riga);)
        if (riga.size() >= 81) schemi.push_back(riga.substr(0, 81));
    m.NumPassi = 0;
    for (std::size_t i = 0; m.NumPassi < Motore::kMaxPassi && !schemi.empty(); ++i) {
        bench::Carica(stato.Problema, schemi[i % schemi.size()]);
        std::string codice = (i / schemi.size()) % 2 == 0 ? "C" : "BSGCD";
        livelli.SettaTurni(codice);
        lavoro->Risolvi(4);
        for (int k = 1; k <= lavoro->NumPassi && m.NumPassi < Motore::kMaxPassi; ++k)
            if (lavoro->LogPassi[k].Testo.find(marcatori::kSoluzioneN) == std::string::npos)
                m.LogPassi[++m.NumPassi] = lavoro->LogPassi[k];
    }
}

void BM_MostraRag6000(benchmark::State& st) {
    Condiviso stato;
    auto m = std::make_unique<Motore>(stato);
    RiempiRegistro(stato, *m);
    if (m->NumPassi != Motore::kMaxPassi) {
        st.SkipWithError("registro non pieno");
        return;
    }
    plat::Form finestra;
    plat::Grid gp(finestra);
    gp.SetWidth(9000);
    plat::StatusBar stbr(finestra);
    stbr.Add("p2");
    int mostrati = 0;
    for (auto _ : st) {
        MostraRag(gp, stbr, nullptr, *m, mostrati);
        benchmark::DoNotOptimize(mostrati);
    }
    st.counters["righe"] = gp.Rows();
}
BENCHMARK(BM_MostraRag6000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
