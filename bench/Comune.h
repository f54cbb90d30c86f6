// What the bench programs share: reading a puzzle into Problema, the
// loader's solve, the generator's plain uniqueness test and the summary of
// a run's timings.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Motore.h"

namespace kenvaron::bench {

// 81 characters, "0" or "." empty.
inline void Carica(Tabella& schema, const std::string& s) {
    for (int i = 0; i < 81; ++i)
        schema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(s[i] >= '1' && s[i] <= '9' ? s[i] - '0' : 0);
}

// The puzzle an engine solves: the board's, or the background generator's.
inline Tabella& Schema(Motore& m) { return m.Sfondo ? m.stato.ProblemaF5 : m.stato.Problema; }

// As the puzzle-text loader leaves the engine: the givens, one solve, and
// the grid it left kept as the solution.
inline void SoluzioneDelCaricatore(Motore& m) {
    Motore::AzzeraTabella(m.Soluzione);
    m.Inizializza();
    Motore::SalvaTabella(Schema(m), m.CelleDate);
    m.Risolvi(1);
    Motore::SalvaTabella(m.Griglia, m.Soluzione);
}

// As the generator tests a puzzle: a reset engine, the givens placed without
// counting, then a plain search for up to two solutions.
inline void Unicita(Motore& m, const Tabella& schema) {
    m.Inizializza();
    m.ContaRiempimento = 0;
    int vuote = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (schema[r][c] == 0) {
                ++vuote;
                continue;
            }
            m.PilaLivelli[0].Riga = static_cast<Byte>(r);
            m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
            m.PilaLivelli[0].Cifra = schema[r][c];
            m.Aggiorna(0);
        }
    m.Sviluppa(2, false, static_cast<Byte>(vuote), false);
}

struct Sintesi {
    double mediana = 0, massimo = 0;
};

// The median and the largest of the timings; both 0 when there are none.
inline Sintesi Riassumi(std::vector<double> ms) {
    Sintesi s;
    if (ms.empty()) return s;
    std::sort(ms.begin(), ms.end());
    const std::size_t n = ms.size();
    s.mediana = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
    s.massimo = ms.back();
    return s;
}

}  // namespace kenvaron::bench
