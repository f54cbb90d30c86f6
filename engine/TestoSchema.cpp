#include "engine/TestoSchema.h"

#include <algorithm>

#include "engine/FileTesto.h"

namespace kenvaron {

namespace {

constexpr int kCelle = 81;

// Length of the text up to and including its 81st cell, counting from `gia`
// cells already seen; the whole length when it holds fewer.
std::size_t FineCelle(std::string_view testo, int& gia) {
    for (std::size_t i = 0; i < testo.size(); ++i)
        if (CarattereCella(testo[i]) && ++gia == kCelle) return i + 1;
    return testo.size();
}

// The longest prefix of at most n bytes that does not end inside a UTF-8 character.
std::size_t TaglioIntero(std::string_view testo, std::size_t n) {
    if (n >= testo.size()) return testo.size();
    while (n > 0 && (static_cast<unsigned char>(testo[n]) & 0xC0) == 0x80) --n;
    return n;
}

}  // namespace

std::string_view TestoDaLeggere(std::string_view testo) {
    testo = testo.substr(0, TaglioIntero(testo, kMaxTestoSchema));
    int celle = 0;
    return testo.substr(0, FineCelle(testo, celle));
}

bool LeggiSchema(std::string_view testo, Tabella& t) {
    Tabella letta{};
    int cella = 0;
    for (const char ch : TestoDaLeggere(testo)) {
        if (!CarattereCella(ch)) continue;
        const int r = cella / 9 + 1, c = cella % 9 + 1;
        letta[r][c] = ch >= '0' && ch <= '9' ? static_cast<Byte>(ch - '0') : 0;
        ++cella;
    }
    if (cella == 0) return false;
    t = letta;
    return true;
}

bool LeggiFileSchema(const std::string& percorso, std::string& testo) {
    testo.clear();
    FileInLettura f(percorso);
    if (!f.Aperto()) return false;
    constexpr std::size_t kBlocco = 64 * 1024;
    int celle = 0;
    while (testo.size() < kMaxTestoSchema && celle < kCelle) {
        const std::size_t inizio = testo.size();
        testo.resize(inizio + std::min(kBlocco, kMaxTestoSchema - inizio));
        const std::size_t blocco = testo.size() - inizio;
        std::size_t letti = 0;
        if (!f.Leggi(testo.data() + inizio, blocco, letti)) {
            testo.clear();
            return false;
        }
        testo.resize(inizio + letti);
        testo.resize(inizio + FineCelle(std::string_view(testo).substr(inizio), celle));
        if (letti < blocco) break;
    }
    testo.resize(TestoDaLeggere(testo).size());
    // The file's lines joined, without their line ends.
    std::erase_if(testo, [](char c) { return c == '\r' || c == '\n'; });
    return true;
}

std::string SchemaTesto(const Tabella& t) {
    std::string s;
    s.reserve(81);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c] % 10);
    return s;
}

std::string FiguraSchema(const Tabella& t) {
    constexpr const char* kRiga = " . . . | . . . | . . . \r\n";
    constexpr const char* kSeparatore = "-------+-------+------ \r\n";
    std::string figura;
    for (int r = 1; r <= 9; ++r) {
        std::string riga = kRiga;
        // Column c's dot stands at 1, 3, 5, then 9, 11, 13, then 17, 19, 21 (from 0).
        for (int c = 1; c <= 9; ++c)
            if (t[r][c] != 0) riga[static_cast<std::size_t>(2 * c - 1 + 2 * ((c - 1) / 3))] = static_cast<char>('0' + t[r][c] % 10);
        figura += riga;
        if (r == 3 || r == 6) figura += kSeparatore;
    }
    // The last row has neither its trailing blank nor a line end.
    figura.resize(figura.size() - 3);
    return figura;
}

}  // namespace kenvaron
