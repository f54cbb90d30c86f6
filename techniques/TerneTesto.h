// Small text helpers shared by the colour and Nishio narrations.
#pragma once

#include <algorithm>
#include <string>

namespace kenvaron {

// Appends the cell-triple entry "r,c,d|".
inline void AggiungiTerna(std::string& s, int r, int c, int d) {
    s += static_cast<char>('0' + r);
    s += ',';
    s += static_cast<char>('0' + c);
    s += ',';
    s += static_cast<char>('0' + d);
    s += '|';
}

// Splits `lista` at "|" (the piece after the last "|" included, empty or not)
// and appends the first `n` characters of every piece, each followed by `dopo`.
inline void AggiungiPezzi(std::string& testo, const std::string& lista, std::size_t n,
                          const char* dopo) {
    std::size_t inizio = 0;
    while (true) {
        const std::size_t barra = lista.find('|', inizio);
        const std::size_t fine = barra == std::string::npos ? lista.size() : barra;
        testo.append(lista, inizio, std::min(n, fine - inizio));
        testo += dopo;
        if (barra == std::string::npos) return;
        inizio = barra + 1;
    }
}

}  // namespace kenvaron
