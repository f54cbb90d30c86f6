#include "generation/ContaSoluzioni.h"

#include <array>
#include <bit>
#include <cstdint>

#include "engine/TestoSchema.h"

namespace kenvaron {

namespace {

using Maschera = std::uint16_t;
constexpr Maschera kTutte = 0x3FE;  // digits 1..9 as bits 1..9

// The 27 units, nine cells each, cells numbered 0..80 row-major.
struct Unita {
    std::array<std::array<std::uint8_t, 9>, 27> celle{};
    std::array<std::array<std::uint8_t, 20>, 81> pari{};
    constexpr Unita() {
        for (int i = 0; i < 9; ++i)
            for (int j = 0; j < 9; ++j) {
                celle[i][j] = static_cast<std::uint8_t>(9 * i + j);
                celle[9 + i][j] = static_cast<std::uint8_t>(9 * j + i);
                celle[18 + i][j] = static_cast<std::uint8_t>(9 * (3 * (i / 3) + j / 3) + 3 * (i % 3) + j % 3);
            }
        for (int c = 0; c < 81; ++c) {
            int n = 0;
            const int r = c / 9, k = c % 9;
            for (int d = 0; d < 81; ++d) {
                if (d == c) continue;
                const int rd = d / 9, kd = d % 9;
                if (rd == r || kd == k || (rd / 3 == r / 3 && kd / 3 == k / 3))
                    pari[c][n++] = static_cast<std::uint8_t>(d);
            }
        }
    }
};
constexpr Unita kUnita;

// Bits set in a candidate set (a table: no dependence on the processor's instructions).
struct Conteggi {
    std::array<std::uint8_t, 1024> n{};
    constexpr Conteggi() {
        for (int m = 1; m < 1024; ++m) n[m] = static_cast<std::uint8_t>(n[m >> 1] + (m & 1));
    }
};
constexpr Conteggi kBit;

struct Stato {
    std::array<std::uint8_t, 81> cifra{};
    std::array<Maschera, 81> candidati{};
};

// Places d at c and strikes it from the peers; false on a contradiction.
bool Piazza(Stato& s, int c, int d) {
    if (!(s.candidati[c] & (1u << d))) return false;
    s.cifra[c] = static_cast<std::uint8_t>(d);
    s.candidati[c] = 0;
    for (std::uint8_t p : kUnita.pari[c]) {
        if (s.cifra[p] == d) return false;
        s.candidati[p] &= static_cast<Maschera>(~(1u << d));
    }
    return true;
}

// Naked and hidden singles until none is left; false on a contradiction.
bool Propaga(Stato& s) {
    for (bool cambiato = true; cambiato;) {
        cambiato = false;
        for (int c = 0; c < 81; ++c) {
            if (s.cifra[c]) continue;
            const Maschera m = s.candidati[c];
            if (m == 0) return false;
            if ((m & (m - 1)) == 0) {
                if (!Piazza(s, c, std::countr_zero(m))) return false;
                cambiato = true;
            }
        }
        for (const auto& u : kUnita.celle) {
            Maschera una = 0, piu = 0, poste = 0;
            for (std::uint8_t c : u) {
                if (s.cifra[c]) {
                    poste |= static_cast<Maschera>(1u << s.cifra[c]);
                    continue;
                }
                piu |= una & s.candidati[c];
                una |= s.candidati[c];
            }
            if ((una | poste) != kTutte) return false;
            Maschera sole = una & static_cast<Maschera>(~piu) & static_cast<Maschera>(~poste);
            while (sole) {
                const int d = std::countr_zero(sole);
                sole &= static_cast<Maschera>(sole - 1);
                for (std::uint8_t c : u)
                    if (!s.cifra[c] && (s.candidati[c] & (1u << d))) {
                        if (!Piazza(s, c, d)) return false;
                        cambiato = true;
                        break;
                    }
            }
        }
    }
    return true;
}

void Cerca(Stato& s, int limite, int& trovate) {
    if (!Propaga(s)) return;
    int scelta = -1, minimo = 10;
    for (int c = 0; c < 81; ++c) {
        if (s.cifra[c]) continue;
        const int n = kBit.n[s.candidati[c]];
        if (n < minimo) {
            minimo = n;
            scelta = c;
            if (n == 2) break;  // propagation leaves no cell with one candidate
        }
    }
    if (scelta < 0) {
        ++trovate;
        return;
    }
    for (Maschera m = s.candidati[scelta]; m && trovate < limite; m &= static_cast<Maschera>(m - 1)) {
        Stato prova = s;
        if (Piazza(prova, scelta, std::countr_zero(m))) Cerca(prova, limite, trovate);
    }
}

}  // namespace

int ContaSoluzioniRapido(const Tabella& t, int limite) {
    Stato s;
    s.candidati.fill(kTutte);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int d = t[r][c];
            if (d < 1 || d > 9) continue;
            if (!Piazza(s, 9 * (r - 1) + c - 1, d)) return 0;
        }
    int trovate = 0;
    if (limite > 0) Cerca(s, limite, trovate);
    return trovate;
}

bool SlotValido(const std::string& s) {
    if (s.size() != 81 || s.find_first_not_of("0123456789") != std::string::npos) return false;
    Tabella t{};
    LeggiSchema(s, t);
    return ContaSoluzioniRapido(t, 2) == 1;
}

}  // namespace kenvaron
