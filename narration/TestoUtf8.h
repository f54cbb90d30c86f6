// Measuring and cutting narration texts by characters: the texts are UTF-8
// and words such as "può" and "possibilità" take two bytes for one letter.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace kenvaron::narrazione {

// The first byte of a character (not a continuation byte of UTF-8).
inline bool InizioCarattere(char b) { return (static_cast<unsigned char>(b) & 0xC0) != 0x80; }

inline std::size_t NumeroCaratteri(std::string_view s) {
    std::size_t n = 0;
    for (char b : s) n += InizioCarattere(b) ? 1 : 0;
    return n;
}

// The byte offset `quanti` characters past the byte offset `da` (at most the end).
inline std::size_t SaltaCaratteri(std::string_view s, std::size_t da, std::size_t quanti) {
    std::size_t fine = da, contati = 0;
    while (fine < s.size()) {
        if (InizioCarattere(s[fine]) && contati++ == quanti) break;
        ++fine;
    }
    return std::min(fine, s.size());
}

// Up to `quanti` characters from the byte offset `da` (an offset past the end gives "").
inline std::string Caratteri(std::string_view s, std::size_t da, std::size_t quanti) {
    if (da >= s.size()) return {};
    return std::string(s.substr(da, SaltaCaratteri(s, da, quanti) - da));
}

// Without the blanks at either end (blanks only, as the narration pads with them).
inline std::string_view SenzaSpazi(std::string_view s) {
    const std::size_t inizio = s.find_first_not_of(' ');
    if (inizio == std::string_view::npos) return {};
    return s.substr(inizio, s.find_last_not_of(' ') - inizio + 1);
}

inline bool Contiene(std::string_view s, std::string_view parola) { return s.find(parola) != std::string_view::npos; }

// Every occurrence of `da` replaced by `a`, scanning on after each replacement.
inline std::string Sostituisci(std::string s, std::string_view da, std::string_view a) {
    for (std::size_t pos = 0; (pos = s.find(da, pos)) != std::string::npos; pos += a.size())
        s.replace(pos, da.size(), a);
    return s;
}

}  // namespace kenvaron::narrazione
