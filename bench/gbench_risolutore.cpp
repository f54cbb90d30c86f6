// Google Benchmark timings of the solver on a public puzzle set: the plain
// uniqueness test of the generator and the narrated solve with singles only.
#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/Comune.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"

using namespace kenvaron;

namespace {

const std::vector<std::string>& Schemi() {
    static const std::vector<std::string> schemi = [] {
        std::vector<std::string> v;
        std::ifstream in(KENVARON_DATA_DIR "/sudocue_superiors.txt");
        std::string riga;
        while (std::getline(in, riga))
            if (riga.size() >= 81) v.push_back(riga.substr(0, 81));
        return v;
    }();
    return schemi;
}

// Runs `passo` once per iteration, on the puzzles of the set in turn.
template <class F>
void Giro(benchmark::State& st, Condiviso& stato, F passo) {
    const auto& schemi = Schemi();
    if (schemi.empty()) {
        st.SkipWithError("nessuno schema");
        return;
    }
    std::size_t i = 0;
    for (auto _ : st) {
        bench::Carica(stato.Problema, schemi[i++ % schemi.size()]);
        passo();
    }
}

void BM_Unicita(benchmark::State& st) {
    Condiviso stato;
    auto m = std::make_unique<Motore>(stato);
    Giro(st, stato, [&] {
        bench::Unicita(*m, stato.Problema);
        benchmark::DoNotOptimize(m->ContaSoluz);
    });
}
BENCHMARK(BM_Unicita);

void BM_RisolviSingoli(benchmark::State& st) {
    Condiviso stato;
    auto m = std::make_unique<Motore>(stato);
    Livelli livelli(*m, stato);
    std::string codice = " ";
    livelli.SettaTurni(codice);
    m->ModoRisolvi = true;
    Giro(st, stato, [&] {
        m->Risolvi(4);
        benchmark::DoNotOptimize(m->ContaSoluz);
    });
}
BENCHMARK(BM_RisolviSingoli);

}  // namespace

BENCHMARK_MAIN();
