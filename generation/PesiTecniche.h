// The technique weights of the difficulty value: one weight per kind of step,
// read from the rules file (a weight the file does not set is 0).  The batch
// merit of a custom-level try reads four of them too.
#pragma once

#include <array>
#include <cstdint>

namespace kenvaron {

struct PesiTecniche {
    std::int32_t PSingoli_nudi = 0;
    std::int32_t PSingoli_nascosti = 0;
    std::int32_t PCandidati_imprigionati = 0;
    std::int32_t PCoppia_nuda = 0;
    std::int32_t PCoppia_nascosta = 0;
    std::int32_t PTripletta_nuda = 0;
    std::int32_t PTripletta_nascosta = 0;
    std::int32_t PQuartina_nuda = 0;
    std::int32_t PQuartina_nascosta = 0;
    std::int32_t PX_Wing = 0;
    std::int32_t PXY_Wing = 0;
    std::int32_t PSwordfish = 0;
    std::int32_t PSimple_Color = 0;
    std::int32_t PMultiple_Colors = 0;
    std::int32_t PBurma = 0;
    std::int32_t PForcing_Chain1 = 0;
    std::int32_t PForcing_Chain2 = 0;
    std::int32_t PNishio = 0;

    static constexpr int kNumero = 18;
    // A weight by its number 0..17, in the order above.
    std::int32_t& operator[](int k) { return (this->*kCampi[k]); }
    std::int32_t operator[](int k) const { return (this->*kCampi[k]); }

    // The name of weight k in the rules file, e.g. "Coppia nuda".
    static constexpr std::array<const char*, kNumero> kNomi{
        "Singoli nudi",   "Singoli nascosti", "Candidati imprigionati", "Coppia nuda",
        "Coppia nascosta", "Tripletta nuda",  "Tripletta nascosta",     "Quartina nuda",
        "Quartina nascosta", "X-Wing",        "XY-Wing",                "Swordfish",
        "Simple Color",   "Multiple Colors",  "Burma",                  "Forcing Chain1",
        "Forcing Chain2", "Nishio"};

private:
    using Campo = std::int32_t PesiTecniche::*;
    static constexpr std::array<Campo, kNumero> kCampi{
        &PesiTecniche::PSingoli_nudi,     &PesiTecniche::PSingoli_nascosti,
        &PesiTecniche::PCandidati_imprigionati, &PesiTecniche::PCoppia_nuda,
        &PesiTecniche::PCoppia_nascosta,  &PesiTecniche::PTripletta_nuda,
        &PesiTecniche::PTripletta_nascosta, &PesiTecniche::PQuartina_nuda,
        &PesiTecniche::PQuartina_nascosta, &PesiTecniche::PX_Wing,
        &PesiTecniche::PXY_Wing,          &PesiTecniche::PSwordfish,
        &PesiTecniche::PSimple_Color,     &PesiTecniche::PMultiple_Colors,
        &PesiTecniche::PBurma,            &PesiTecniche::PForcing_Chain1,
        &PesiTecniche::PForcing_Chain2,   &PesiTecniche::PNishio};
};

}  // namespace kenvaron
