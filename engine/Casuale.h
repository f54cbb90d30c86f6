// The seedable pseudo-random generator behind every random choice.
//
// A 24-bit linear congruential generator, defined bit for bit so that the same
// seed gives the same draws on every compiler and platform: draws are
// single-precision values in [0, 1), Reimposta puts the generator into its
// fixed reset state and Randomizza mixes a Double seed into the state.
#pragma once

#include <cstdint>

namespace kenvaron {

class Casuale {
public:
    // The next draw in [0, 1).
    float Prossimo();
    // The fixed reset state (the role of a draw with the argument -1); returns that draw.
    float Reimposta();
    // Reseeds from a Double: its high 32 bits are folded into the middle 16 bits of the state.
    void Randomizza(double seme);
    // Raw state, for tests and for saving.
    std::uint32_t Stato() const { return stato_; }

private:
    std::uint32_t stato_ = 0x50000;
};

}  // namespace kenvaron
