// A solver independent of the engine, for checking it: bit masks per unit and
// plain backtracking on the cell with the fewest free digits.
#pragma once

#include <array>
#include <string>

namespace kenvaron::verifica {

// 81 cells row by row, 0 = empty.
using Celle = std::array<int, 81>;

inline Celle DaTesto(const std::string& s) {
    Celle t{};
    for (int i = 0; i < 81 && i < static_cast<int>(s.size()); ++i)
        t[i] = (s[i] >= '1' && s[i] <= '9') ? s[i] - '0' : 0;
    return t;
}

inline std::string ComeTesto(const Celle& t) {
    std::string s;
    for (int v : t) s += static_cast<char>('0' + v);
    return s;
}

// Counts the solutions up to `limite`; the first one found goes into *prima.
// Givens that clash count as no solution.
inline int ContaSoluzioni(Celle t, int limite, Celle* prima = nullptr) {
    unsigned riga[9] = {}, colonna[9] = {}, box[9] = {};
    for (int i = 0; i < 81; ++i) {
        const int d = t[i];
        if (d == 0) continue;
        const unsigned b = 1u << d;
        const int r = i / 9, c = i % 9, q = (r / 3) * 3 + c / 3;
        if ((riga[r] | colonna[c] | box[q]) & b) return 0;
        riga[r] |= b;
        colonna[c] |= b;
        box[q] |= b;
    }
    int trovate = 0;
    auto cerca = [&](auto&& self) -> void {
        int migliore = -1, minimo = 10;
        unsigned liberi = 0;
        for (int i = 0; i < 81; ++i) {
            if (t[i] != 0) continue;
            const int r = i / 9, c = i % 9, q = (r / 3) * 3 + c / 3;
            const unsigned l = ~(riga[r] | colonna[c] | box[q]) & 0x3FEu;
            const int n = __builtin_popcount(l);
            if (n < minimo) {
                minimo = n;
                migliore = i;
                liberi = l;
            }
        }
        if (migliore < 0) {
            if (trovate++ == 0 && prima) *prima = t;
            return;
        }
        const int r = migliore / 9, c = migliore % 9, q = (r / 3) * 3 + c / 3;
        for (int d = 1; d <= 9 && trovate < limite; ++d) {
            const unsigned b = 1u << d;
            if (!(liberi & b)) continue;
            t[migliore] = d;
            riga[r] |= b, colonna[c] |= b, box[q] |= b;
            self(self);
            riga[r] &= ~b, colonna[c] &= ~b, box[q] &= ~b;
            t[migliore] = 0;
        }
    };
    cerca(cerca);
    return trovate;
}

// True when `griglia` is a full valid grid that keeps every given of `schema`.
inline bool SoluzioneDi(const Celle& schema, const Celle& griglia) {
    for (int i = 0; i < 81; ++i)
        if (griglia[i] == 0 || (schema[i] != 0 && schema[i] != griglia[i])) return false;
    return ContaSoluzioni(griglia, 1) == 1;
}

}  // namespace kenvaron::verifica
