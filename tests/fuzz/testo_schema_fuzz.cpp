// libFuzzer target for the puzzle text loader: for any bytes, the part the
// loader reads is a prefix that ends at the 81st cell or at the size limit,
// the board read holds digits only and comes back unchanged through the
// puzzle's digits and through its clipboard picture, and a text without a
// cell leaves the board alone.  Built only with -DKENVARON_FUZZ=ON and clang.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/TestoSchema.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    using namespace kenvaron;
    const std::string_view testo(reinterpret_cast<const char*>(dati), n);
    const std::string_view letto = TestoDaLeggere(testo);
    if (letto.data() != testo.data() || letto.size() > testo.size() || letto.size() > kMaxTestoSchema) std::abort();
    const auto celle = std::count_if(letto.begin(), letto.end(), CarattereCella);
    if (celle > 81) std::abort();
    // Cut short only after the 81st cell, or at the size limit moved back to
    // the start of the character it would split.
    if (letto.size() < testo.size() && celle < 81) {
        auto continua = [&](std::size_t i) { return (static_cast<unsigned char>(testo[i]) & 0xC0) == 0x80; };
        if (testo.size() <= kMaxTestoSchema || letto.size() > kMaxTestoSchema) std::abort();
        if (letto.size() > 0 && continua(letto.size())) std::abort();
        for (std::size_t i = letto.size() + 1; i <= kMaxTestoSchema; ++i)
            if (!continua(i)) std::abort();
    }

    Tabella t{};
    t[5][5] = 7;
    const Tabella prima = t;
    if (LeggiSchema(testo, t) != (celle > 0)) std::abort();
    if (celle == 0) {
        if (t != prima) std::abort();
        return 0;
    }
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (t[r][c] > 9 || (9 * (r - 1) + c > celle && t[r][c] != 0)) std::abort();

    Tabella daCifre{}, daFigura{};
    const std::string figura = FiguraSchema(t);
    if (figura.size() != 272) std::abort();
    if (!LeggiSchema(SchemaTesto(t), daCifre) || daCifre != t) std::abort();
    if (!LeggiSchema(figura, daFigura) || daFigura != t) std::abort();
    return 0;
}
