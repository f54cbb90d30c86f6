// Fish: k base lines in which a digit has 2..k places, all lying in exactly k
// cover lines; the digit then leaves the other cells of the cover lines.
#include <algorithm>

#include "engine/Motore.h"

namespace kenvaron {

// TabellaGruppo[line] = the places of digit d across that base line; then, size by
// size, the base lines with 2..k places are combined.  Sizes above 5 have no
// enumerator and find nothing.
static void CercaPesce(Motore& m, bool righe, Byte d, std::int16_t kmin, std::int16_t kmax) {
    for (int i = 1; i <= 9; ++i) m.TabellaGruppo[i].clear();
    if (d < 1 || d > 9) return;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (m.Griglia[r][c] != 0 || m.Possibili[r][c][d] != 50) continue;
            if (righe)
                m.TabellaGruppo[r] += static_cast<char>('0' + c);
            else
                m.TabellaGruppo[c] += static_cast<char>('0' + r);
        }
    }
    const std::string orientamento = righe ? "R" : "C";
    const int ultimo = std::min<int>(kmax, 5);
    for (int k = std::max<int>(kmin, 2); k <= ultimo; ++k) {
        m.ElementiGruppo.clear();
        for (int i = 1; i <= 9; ++i) {
            const int posti = static_cast<int>(m.TabellaGruppo[i].size());
            if (posti >= 2 && posti <= k) m.ElementiGruppo += static_cast<char>('0' + i);
        }
        switch (k) {
            case 2: m.CombinaSwordFish2(orientamento, d, 2); break;
            case 3: m.CombinaSwordFish3(orientamento, d, 3); break;
            case 4: m.CombinaSwordFish4(orientamento, d, 4); break;
            case 5: m.CombinaSwordFish5(orientamento, d, 5); break;
        }
        if (m.TrovatoGruppo) return;
    }
}

void Motore::CtrlSwordFishR(Byte d, std::int16_t kmin, std::int16_t kmax) {
    CercaPesce(*this, true, d, kmin, kmax);
}
void Motore::CtrlSwordFishC(Byte d, std::int16_t kmin, std::int16_t kmax) {
    CercaPesce(*this, false, d, kmin, kmax);
}

// The enumerators differ only in the size, which their name fixes.
static void CombinaSwordFishK(Motore& m, const std::string& orientamento, Byte d, Byte k) {
    // What VerificaSwordFish counts for each base line: the places of its digit.
    std::array<std::uint16_t, 9> maschere{};
    for (std::size_t i = 0; i < m.ElementiGruppo.size() && i < maschere.size(); ++i) {
        const int base = m.ElementiGruppo[i] - '0';
        if (base < 1 || base > 9) continue;
        for (char posto : m.TabellaGruppo[base])
            if (posto >= '1' && posto <= '9') maschere[i] |= static_cast<std::uint16_t>(1u << (posto - '0'));
    }
    m.CombinaElementi(k, m.CelleGruppo, maschere, [&] { m.VerificaSwordFish(orientamento, d, k); });
}
void Motore::CombinaSwordFish2(const std::string& orientamento, Byte d, Byte) { CombinaSwordFishK(*this, orientamento, d, 2); }
void Motore::CombinaSwordFish3(const std::string& orientamento, Byte d, Byte) { CombinaSwordFishK(*this, orientamento, d, 3); }
void Motore::CombinaSwordFish4(const std::string& orientamento, Byte d, Byte) { CombinaSwordFishK(*this, orientamento, d, 4); }
void Motore::CombinaSwordFish5(const std::string& orientamento, Byte d, Byte) { CombinaSwordFishK(*this, orientamento, d, 5); }

void Motore::VerificaSwordFish(const std::string& orientamento, Byte d, Byte k) {
    PresenzeGruppo.fill(0);
    const std::size_t quante = std::min<std::size_t>(k, CelleGruppo.size());
    for (std::size_t i = 0; i < quante; ++i) {
        const int base = CelleGruppo[i] - '0';
        if (base < 1 || base > 9) continue;
        for (char posto : TabellaGruppo[base])
            if (posto >= '1' && posto <= '9') PresenzeGruppo[posto - '0'] = 1;
    }
    if (RaccogliPresenze(NumeriGruppo) != k) return;
    if (orientamento == "R")
        CercaChiave(SwordFishApplicatiR, d, '/');
    else if (orientamento == "C")
        CercaChiave(SwordFishApplicatiC, d, '/');
}

}  // namespace kenvaron
