#include "engine/Casuale.h"

#include <cstring>

namespace kenvaron {

namespace {
constexpr std::uint32_t kMaschera = 0xFFFFFF;
constexpr std::uint32_t kMoltiplicatore = 0x43FD43FD;
constexpr std::uint32_t kIncremento = 0xC39EC3;
}  // namespace

float Casuale::Prossimo() {
    stato_ = (stato_ * kMoltiplicatore + kIncremento) & kMaschera;
    return static_cast<float>(stato_) / 16777216.0f;
}

float Casuale::Reimposta() {
    const float meno_uno = -1.0f;
    std::uint32_t bit = 0;
    std::memcpy(&bit, &meno_uno, sizeof bit);
    stato_ = (bit + (bit >> 24)) & kMaschera;
    return Prossimo();
}

void Casuale::Randomizza(double seme) {
    std::uint64_t bit = 0;
    std::memcpy(&bit, &seme, sizeof bit);
    const auto alto = static_cast<std::int32_t>(static_cast<std::uint32_t>(bit >> 32));
    const std::uint32_t misto =
        (static_cast<std::uint32_t>(alto & 0xFFFF) ^ static_cast<std::uint32_t>(alto >> 16)) << 8;
    stato_ = (stato_ & 0xFF0000FF & kMaschera) | (misto & 0xFFFF00);
}

}  // namespace kenvaron
