// What the generation passes need of a window: a yield to the event loop
// (where Esc can set the stop request), drawing a table on the board, the
// text of a status panel, the mouse pointer, the developer passes' progress
// label and caption, and the end of the board's candidate view.  The main
// window implements it; the bench and the core tests pass the empty one.
// Drawing never changes the engine's state.
#pragma once

#include <string>

#include "engine/Tipi.h"

namespace kenvaron {

class FinestraGenerazione {
public:
    virtual ~FinestraGenerazione() = default;
    // Lets the event loop run once (the role of DoEvents).
    virtual void Cedi() {}
    // Draws a puzzle table on the board; the board's redraw is left off.
    virtual void Disegna(const Tabella& tabella) { (void)tabella; }
    // Gives the board's Redraw its usual value, or True when `sempre`.
    virtual void Ridisegna(bool sempre = false) { (void)sempre; }
    // Text of the status panel with the given key ("p1", "p2").
    virtual void TestoPannello(const std::string& chiave, const std::string& testo) {
        (void)chiave;
        (void)testo;
    }
    // The mouse pointer: 11 hourglass, 0 default.
    virtual void Puntatore(int puntatore) { (void)puntatore; }
    // The progress label of the developer passes.
    virtual void TestoEtichetta(const std::string& testo) { (void)testo; }
    // The window's caption.
    virtual void Didascalia(const std::string& testo) { (void)testo; }
    // A new puzzle stands on the board: the board leaves its candidate view.
    virtual void FineVistaCandidati() {}
};

}  // namespace kenvaron
