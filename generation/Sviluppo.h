// The developer tools' work that needs no window: the timed statistics run's
// bookkeeping (merit classes, histogram, dump names), the row and column swap
// answers and the five lines of the digit-slice file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Tipi.h"

namespace kenvaron {

inline constexpr int kClassiMerito = 30;

// The state of a statistics run, set up when it starts and kept across ticks.
struct CorsaStatistica {
    std::array<std::int32_t, kClassiMerito + 1> ContatoriClasse{};
    double InizioStatistica = 0;  // elapsed clock at the start
    std::int32_t ValoreObiettivo = 0;
    std::int32_t SecondiStatistica = 0;
    std::int32_t MigliorValoreStatistica = -1;
    Tabella ProblemaMiglioreStatistica{};
    Tabella SoluzioneMiglioreStatistica{};
    // A tick has beaten -1: the best tables hold a puzzle of this run.
    bool MigliorePresente = false;

    // Zeroes the counters and the best merit; the run starts at `inizio`.
    void Azzera(double inizio);
    // Counts a try of merit `valore`; keeps it as the best when it beats the
    // best so far.  Returns its merit class.
    int Registra(std::int32_t valore, const Tabella& problema, const Tabella& soluzione);
    // The histogram's lines, "kk n", for the classes counted so far.
    std::vector<std::string> Istogramma() const;
    // The run goes on after a tick at `trascorsi` seconds on the elapsed clock.
    bool Continua(double trascorsi, bool fermata) const;
};

// The merit class of a value, Int(valore / 100 + 0.99) kept within 0..30:
// class k holds 100 (k - 1) + 1 .. 100 k, class 0 everything up to 0.
int ClasseMerito(std::int32_t valore);

// The dump file of a class and that class's count, under the program folder.
std::string NomeDump(const std::string& cartella, int classe, int conteggio);

// A number typed in a developer box, read with Val and kept in 32 bits.
std::int32_t LeggiIntero(const std::string& testo);

// Two rows or columns named by the first two characters of an answer, each a
// digit 1-9; nothing for any other answer.
std::optional<std::pair<int, int>> CoppiaScambio(const std::string& risposta);

// The digit-slice file's lines: the 81 digits, then characters 1-20, 21-40,
// 41-60 and 61-81 with their leading zeros.
std::vector<std::string> RigheFette(const std::string& cifre81);

}  // namespace kenvaron
