// Google Benchmark timings of the solver on a public puzzle set: the plain
// uniqueness test of the generator, the narrated solve with singles only and
// the narrated solve with every group and technique switch on.
#include <benchmark/benchmark.h>

#include <array>
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

// The user's narrated solve with the level code `codice` and the six technique switches.
void Narrato(benchmark::State& st, std::string codice, const std::array<Byte, 6>& interruttori) {
    Condiviso stato;
    auto m = std::make_unique<Motore>(stato);
    Livelli livelli(*m, stato);
    livelli.SettaTurni(codice);
    stato.TecnicheAttive = interruttori;
    m->ModoRisolvi = true;
    Giro(st, stato, [&] {
        m->Risolvi(4);
        benchmark::DoNotOptimize(m->ContaSoluz);
    });
}

void BM_RisolviSingoli(benchmark::State& st) { Narrato(st, " ", {0, 0, 0, 0, 0, 0}); }
BENCHMARK(BM_RisolviSingoli);

void BM_RisolviSGDBC(benchmark::State& st) { Narrato(st, "SGDBC", {1, 1, 1, 1, 1, 1}); }
BENCHMARK(BM_RisolviSGDBC);

}  // namespace

BENCHMARK_MAIN();
