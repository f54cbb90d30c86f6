// libFuzzer target for the pool file reader: any bytes as Kenvaron.txt load
// (they are far below the line limit) with a whole seed, and slots that are
// empty or 81 digits; the line the writer makes from what was loaded, with
// the seed that was read, loads back to the same slots, seed and option.
// Built only with -DKENVARON_FUZZ=ON and clang.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "background/CorsaSfondo.h"
#include "background/Impostazioni.h"

namespace {

// The input's file in $TMPDIR, removed when the fuzzer ends.
struct FileDiProva {
    std::string percorso =
        (std::filesystem::temp_directory_path() / ("kenvaron_fuzz_pool_" + std::to_string(::getpid()) + ".txt"))
            .string();
    ~FileDiProva() { std::remove(percorso.c_str()); }
};

const std::string& File() {
    static const FileDiProva file;
    return file.percorso;
}

void Scrivi(const char* dati, std::size_t n) {
    std::ofstream f(File(), std::ios::binary | std::ios::trunc);
    f.write(dati, static_cast<std::streamsize>(n));
    if (!f) std::abort();
}

bool StessiPool(const kenvaron::Condiviso& a, const kenvaron::Condiviso& b) {
    return a.SchemiBkgS == b.SchemiBkgS && a.SchemiBkgN == b.SchemiBkgN && a.SchemiBkgD == b.SchemiBkgD &&
           a.SchemiBkgC == b.SchemiBkgC && a.SchemiBkgE == b.SchemiBkgE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t n) {
    using namespace kenvaron;
    if (n > (std::size_t{1} << 20)) return 0;
    Scrivi(reinterpret_cast<const char*>(dati), n);
    Condiviso letto;
    std::int64_t seme = -1;
    const bool opzione = CaricaImpostazioni(letto, File(), &seme);
    if (!letto.PoolCaricato || seme < 0 || seme > 2147483647) std::abort();
    for (const char* pool : {"S", "N", "D", "C", "E"})
        for (const std::string& slot : SlotSfondo(letto, pool))
            if (!slot.empty() && (slot.size() != 81 || slot.find_first_not_of("0123456789") != std::string::npos))
                std::abort();

    const std::string riga = RigaImpostazioni(letto, seme, opzione) + "\r\n";
    Scrivi(riga.data(), riga.size());
    Condiviso riletto;
    std::int64_t semeRiletto = -1;
    if (CaricaImpostazioni(riletto, File(), &semeRiletto) != opzione || semeRiletto != seme ||
        !StessiPool(letto, riletto))
        std::abort();
    return 0;
}
