// libFuzzer target for the rules file reader: any bytes read as Kenvaron.ini
// must give at most 20 rules, fresh counters and upper-case file kinds, and
// never crash.  Built only with -DKENVARON_FUZZ=ON and clang.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "generation/Produzione.h"
#include "generation/RegoleProduzione.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    using namespace kenvaron;
    const RegoleProduzione r = LeggiRegole(std::string_view(reinterpret_cast<const char*>(dati), n));
    if (r.NumRegole < 0 || r.NumRegole > RegoleProduzione::kMaxRegole) std::abort();
    for (int i = 1; i <= r.NumRegole; ++i) {
        const Regola& g = r.Regole[i];
        if (g.Generati != 0 || g.Somma != 0 || g.Bloccata) std::abort();
        for (char c : g.TipoFile)
            if (c >= 'a' && c <= 'z') std::abort();
        const ConfigurazioneAuto cfg = DecodificaTecniche(g.Tecniche);
        if (cfg.LimiteFor != 3 && cfg.LimiteFor != 5) std::abort();
        if (cfg.Codice.find_first_not_of("SGBC") != std::string::npos) std::abort();
    }
    return 0;
}
