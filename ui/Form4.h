// The print window: never shown, it lays the board out in a grid of its own,
// every digit alike in black 14-point bold between black separator lines, for
// the printer to draw.
#pragma once

#include "engine/Tipi.h"
#include "platform/Form.h"
#include "platform/Grid.h"

namespace kenvaron {

class Form4 : public plat::Form {
public:
    Form4();
    plat::Grid gr;
    // Lays out the grid and writes the digits of the table into it.
    void VisualizzaF4(const Tabella& t);
};

}  // namespace kenvaron
