// The background driver without a window:
//
//   --pool-fill FILE   loads the pool file FILE (created empty when missing) and
//                      runs the driver, archive pause included, until the pool
//                      is full, writing FILE after every puzzle as the program
//                      does; prints "<pool> <slot> <seconds>" per puzzle, then
//                      "pool-fill seconds T puzzles N longest-gap-ms G", where G
//                      is the longest stretch between two yields outside the
//                      archive pause.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "background/CorsaSfondo.h"
#include "background/GeneratoreSfondo.h"
#include "background/GuidaSfondo.h"
#include "background/Impostazioni.h"
#include "bench/BancoSfondo.h"

namespace kenvaron::bench {

namespace {

using Cronometro = std::chrono::steady_clock;

double Secondi(Cronometro::duration d) { return std::chrono::duration<double>(d).count(); }

[[noreturn]] void Errore(const std::string& messaggio) {
    std::fprintf(stderr, "kenvaron-bench: %s\n", messaggio.c_str());
    std::exit(2);
}

// Panel "p4" with nobody to show it to: it only notes when the archive's
// pause begins (the repaint before it).
class PannelloMuto final : public PannelloSfondo {
public:
    void Testo(const std::string&) override {}
    void Suggerimento(const std::string&) override {}
    void Ridisegna() override { inizioPausa = Cronometro::now(); }
    Cronometro::time_point inizioPausa{};
};

// 1-based index of the first empty slot, 0 when none.
std::size_t PrimoVuoto(std::span<std::string> pool) {
    const auto i = std::find_if(pool.begin(), pool.end(), [](const std::string& s) { return s.empty(); });
    return i == pool.end() ? 0 : static_cast<std::size_t>(i - pool.begin()) + 1;
}

int RiempiPool(const std::string& file) {
    Condiviso c;
    const bool opzione = CaricaImpostazioni(c, file);
    if (!c.PoolCaricato) Errore("non riesco a leggere " + file);

    // The longest stretch between two yields; the one that holds an archive
    // pause counts without the time from the repaint that starts it to the write.
    Cronometro::time_point ultima = Cronometro::now();
    Cronometro::duration pausa{}, massimo{};
    auto cedi = [&] {
        const auto adesso = Cronometro::now();
        massimo = std::max(massimo, adesso - ultima - pausa);
        ultima = adesso;
        pausa = {};
    };
    Motore motore(c, OrologioDiSistema::Istanza(), ProfiloMotore::DiSfondo(cedi, [] { std::exit(3); }));
    GeneratoreSfondo generatore(motore);
    generatore.Form_Load();
    PannelloMuto pannello;
    CorsaSfondo corsa(generatore, pannello, OrologioDiSistema::Istanza());

    const auto inizio = Cronometro::now();
    int schemi = 0;
    Cronometro::time_point inizioCorsa{};
    std::size_t slot = 0;
    GuidaSfondo guida(
        generatore, pannello,
        [&] {
            slot = PrimoVuoto(SlotSfondo(c, c.LivelloBkg));
            inizioCorsa = Cronometro::now();
            corsa.Cmdcomplic4_Click();
        },
        [&] {
            const auto adesso = Cronometro::now();
            if (pannello.inizioPausa > ultima) pausa = adesso - pannello.inizioPausa;
            SalvaImpostazioni(c, file, opzione, OrologioDiSistema::Istanza());
            if (slot == 0 || SlotSfondo(c, c.LivelloBkg)[slot - 1].empty()) return;
            ++schemi;
            std::printf("%s %zu %.3f\n", c.LivelloBkg.c_str(), slot, Secondi(adesso - inizioCorsa));
            std::fflush(stdout);
        });
    c.BkgInEsecuzione = true;
    guida.EsecBkg2();
    std::printf("pool-fill seconds %.1f puzzles %d longest-gap-ms %.1f\n", Secondi(Cronometro::now() - inizio), schemi,
                1000 * Secondi(massimo));
    return 0;
}

}  // namespace

int BancoSfondo(int argc, char** argv) {
    if (argc < 2 || std::string(argv[1]) != "--pool-fill") return -1;
    if (argc != 3) Errore("uso: --pool-fill FILE");
    return RiempiPool(argv[2]);
}

}  // namespace kenvaron::bench
