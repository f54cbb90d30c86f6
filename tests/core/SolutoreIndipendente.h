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

// A puzzle with exactly two solutions made from a puzzle with one: its
// givens taken away, first to last, as long as one solution is left, until
// taking one more leaves two.  When no given does, the solution itself with
// the four cells of a rectangle a b / b a over two boxes emptied.  "" when
// the puzzle has no single solution or neither way works.
inline std::string ConDueSoluzioni(std::string schema) {
    Celle soluzione{};
    if (ContaSoluzioni(DaTesto(schema), 2, &soluzione) != 1) return {};
    for (int i = 0; i < 81 && i < static_cast<int>(schema.size()); ++i) {
        if (schema[i] < '1' || schema[i] > '9') continue;
        std::string prova = schema;
        prova[i] = '0';
        const int n = ContaSoluzioni(DaTesto(prova), 3);
        if (n == 2) return prova;
        if (n == 1) schema = prova;
    }
    const Celle& s = soluzione;
    for (int r1 = 0; r1 < 9; ++r1)
        for (int r2 = r1 + 1; r2 < 9 && r2 / 3 == r1 / 3; ++r2)
            for (int c1 = 0; c1 < 9; ++c1)
                for (int c2 = (c1 / 3 + 1) * 3; c2 < 9; ++c2)
                    if (s[r1 * 9 + c1] == s[r2 * 9 + c2] && s[r1 * 9 + c2] == s[r2 * 9 + c1]) {
                        Celle prova = s;
                        for (int i : {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2}) prova[i] = 0;
                        return ComeTesto(prova);
                    }
    return {};
}

// A puzzle text with one given changed to a digit that meets no equal digit
// in its row, column or box, yet leaves the puzzle without a solution (the
// first such given and digit); `dove` gets the changed cell, 0..80.  "" when
// there is none.
inline std::string ConUnDatoSbagliato(const std::string& schema, int& dove) {
    const Celle t = DaTesto(schema);
    for (int i = 0; i < 81; ++i) {
        if (t[i] == 0) continue;
        for (int cifra = 1; cifra <= 9; ++cifra) {
            bool scontro = false;
            for (int j = 0; j < 81 && !scontro; ++j) {
                const bool pari = i / 9 == j / 9 || i % 9 == j % 9 || (i / 27 == j / 27 && i % 9 / 3 == j % 9 / 3);
                scontro = j != i && pari && t[j] == cifra;
            }
            Celle prova = t;
            prova[i] = cifra;
            if (!scontro && ContaSoluzioni(prova, 1) == 0) {
                dove = i;
                return ComeTesto(prova);
            }
        }
    }
    return {};
}

}  // namespace kenvaron::verifica
