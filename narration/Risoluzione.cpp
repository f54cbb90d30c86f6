#include "narration/Risoluzione.h"

#include <memory>

namespace kenvaron::narrazione {

namespace {

// A full grid that keeps every filled cell of the puzzle.
bool AccordaConProblema(const Tabella& soluzione, const Tabella& problema) {
    if (!TabellaPiena(soluzione)) return false;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (problema[r][c] != 0 && problema[r][c] != soluzione[r][c]) return false;
    return true;
}

// The first solution of the puzzle, from an engine of its own so that the
// main engine's results stay as the solve left them.
std::optional<Tabella> PrimaSoluzione(const Motore& m) {
    auto secondo = std::make_unique<Motore>(m.stato, *m.orologio);
    secondo->CostruisciTabelleUnita();
    secondo->SoluzioneLogica = false;
    secondo->ModoRisolvi = true;
    secondo->Risolvi(1);
    if (secondo->ContaSoluz == 0) return std::nullopt;
    if (TabellaPiena(secondo->Griglia)) return secondo->Griglia;
    if (TabellaPiena(secondo->Soluzione)) return secondo->Soluzione;
    return std::nullopt;
}

}  // namespace

bool TabellaPiena(const Tabella& t) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (t[r][c] == 0) return false;
    return true;
}

std::optional<Tabella> RisolviPerComando(Motore& m) {
    m.ModoRisolvi = true;
    m.Risolvi(4);
    if (m.ContaSoluz <= 0) return std::nullopt;
    if (TabellaPiena(m.Griglia)) return m.Griglia;
    // Soluzione is not cleared before the solve: a solution the singles sweep
    // completes is never copied into it, so it may still hold the loader's
    // copy, which fits only the puzzle as it was loaded.
    if (AccordaConProblema(m.Soluzione, m.stato.Problema)) return m.Soluzione;
    return PrimaSoluzione(m);
}

}  // namespace kenvaron::narrazione
