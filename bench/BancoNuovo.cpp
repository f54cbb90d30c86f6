// The modes of kenvaron-bench for "Nuovo" and its coded collections:
//
//   --search L N [--seed S]   N searches of level L as "Nuovo" runs them, without
//                             the pool and the collections; each delivered puzzle
//                             as 81 digits and its attempt's seed and skip
//   --decode L                every record of L's table rebuilt without disguise
//                             in L's context, 81 digits and the record a line
//                             ("E" checks the "C" table against its own rule)
//   --records L FOLDER        the record maker on FOLDER/n.txt, appending FOLDER/y.txt,
//                             in the context of L's table
#include <algorithm>
#include <cmath>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "bench/BancoNuovo.h"
#include "bench/Comune.h"
#include "engine/Funzioni.h"
#include "engine/TestoSchema.h"
#include "generation/Generatore.h"
#include "generation/MenuLivelli.h"
#include "generation/Nuovo.h"
#include "generation/Produzione.h"
#include "generation/Raccolte.h"

namespace kenvaron::bench {

namespace {

using Cronometro = std::chrono::steady_clock;

// The real elapsed clock with a seconds-since-midnight that only a given seed moves.
class OrologioSeme final : public Orologio {
public:
    explicit OrologioSeme(double seme) : seme_(seme) {}
    double Trascorsi() const override { return OrologioDiSistema::Istanza().Trascorsi(); }
    double SecondiDaMezzanotte() const override { return seme_; }
    double Giorno() const override { return 0; }

private:
    double seme_;
};

// An engine, the level state and a generator in one piece.
struct Banco {
    explicit Banco(Orologio& orologio)
        : motore(std::make_unique<Motore>(stato, orologio)),
          livelli(*motore, stato),
          generatore(*motore, stato, livelli, impostazioni, generazione, finestra),
          decodificatore(generatore, *motore, stato, livelli, impostazioni, generazione) {}
    Condiviso stato;
    std::unique_ptr<Motore> motore;
    Livelli livelli;
    ImpostazioniGenerazione impostazioni;
    StatoGenerazione generazione;
    FinestraGenerazione finestra;
    Generatore generatore;
    Decodificatore decodificatore;
};

[[noreturn]] void Errore(const std::string& messaggio) {
    std::fprintf(stderr, "kenvaron-bench: %s\n", messaggio.c_str());
    std::exit(2);
}

char Tabella(const std::string& lettera, const char* opzione) {
    const char t = TabellaDiLivello(lettera);
    if (t == '\0') Errore(std::string(opzione) + " vuole un livello N D C E M, non \"" + lettera + "\"");
    return t;
}

int Cerca(const std::string& lettera, int quanti, double seme) {
    if (!TrovaRigaLettera(lettera) && lettera != "P") Errore("--search vuole un livello S N D E M C P 1 2 3");
    OrologioSeme orologio(seme);
    Banco b(orologio);
    ContestoLivello contesto{b.livelli, *b.motore, b.stato, b.impostazioni};
    if (const RigaLivello* riga = TrovaRigaLettera(lettera))
        ApplicaRigaLivello(*riga, contesto);
    else
        ApplicaPersonalizzato(contesto);
    b.stato.Sequenze[1] = b.livelli.CodiciTecniche;
    b.motore->ModoRisolvi = false;
    const std::string l = LetteraDiLavoro(b.livelli.Livello, b.livelli.CodiciTecniche);
    const double limite = Val(LimiteSecondi(l));
    RicercaNuovo ricerca(b.generatore, *b.motore, b.stato, b.impostazioni, b.generazione, b.finestra,
                         orologio);
    std::vector<double> secondi;
    int alLimite = 0;
    for (int i = 0; i < quanti; ++i) {
        b.generazione.Chiudi = 0;
        b.generazione.SudokuDisponibile = false;
        b.generazione.GenerazioneInCorso = true;
        b.generazione.InizioGenerazione = orologio.Trascorsi();
        const auto t0 = Cronometro::now();
        const bool ok = ricerca.Cerca(l, limite);
        b.generazione.GenerazioneInCorso = false;
        secondi.push_back(std::chrono::duration<double>(Cronometro::now() - t0).count());
        if (!ok) {
            ++alLimite;
            std::printf("- %.3f s\n", secondi.back());
        } else {
            std::printf("%s %s %.3f s\n", SchemaTesto(b.stato.Problema).c_str(), b.generazione.SemeCorrente.c_str(),
                        secondi.back());
        }
        std::fflush(stdout);
    }
    const Sintesi s = Riassumi(secondi);
    std::fprintf(stderr, "searches %d median-s %.3f max-s %.3f at-limit %d\n", quanti, s.mediana, s.massimo,
                 alLimite);
    return 0;
}

int Decodifica(const std::string& lettera) {
    const char tabella = Tabella(lettera, "--decode");
    OrologioSeme orologio(0);
    Banco b(orologio);
    const auto& record = RecordTabella(tabella);
    std::vector<double> ms;
    int falliti = 0;
    for (std::size_t k = 1; k <= record.size(); ++k) {
        const auto t0 = Cronometro::now();
        const ContestoLivelloSalvato salvato = b.decodificatore.ImpostaContesto(tabella, lettera.c_str());
        const bool ok = b.decodificatore.Ricostruisci(record[k - 1]);
        ms.push_back(std::chrono::duration<double, std::milli>(Cronometro::now() - t0).count());
        const bool verificato = ok && b.decodificatore.Verifica();
        b.decodificatore.Ripristina(salvato);
        if (!verificato) ++falliti;
        std::printf("%s %s%s\n", ok ? SchemaTesto(b.stato.Problema).c_str() : "-", record[k - 1],
                    verificato ? "" : " NON VERIFICATO");
    }
    const Sintesi s = Riassumi(ms);
    std::fflush(stdout);
    std::fprintf(stderr, "records %zu median-ms %.3f max-ms %.3f failed %d\n", record.size(), s.mediana, s.massimo,
                 falliti);
    return falliti == 0 ? 0 : 1;
}

int Record(const std::string& lettera, const std::string& cartella) {
    const char tabella = Tabella(lettera, "--records");
    OrologioSeme orologio(0);
    Banco b(orologio);
    b.decodificatore.ImpostaContesto(tabella);
    const EsitoTabella e = CreaTabella(b.decodificatore, b.finestra, cartella + "/n.txt", cartella + "/y.txt",
                                      FilePropriIn(cartella));
    if (!e.letto) Errore("File " + cartella + "/n.txt non trovato");
    if (e.nonScritto) Errore(MessaggioNonSalvato(cartella + "/y.txt"));
    std::fprintf(stderr, "lines %d skipped %d\n", e.scritte, e.saltate);
    return 0;
}

}  // namespace

int BancoNuovo(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (a.empty()) return -1;
    if (a[0] == "--search") {
        if (a.size() != 3 && !(a.size() == 5 && a[3] == "--seed")) Errore("uso: --search LIVELLO N [--seed S]");
        const int quanti = std::atoi(a[2].c_str());
        if (quanti < 1) Errore("--search vuole un numero di ricerche");
        const double seme = a.size() == 5 ? std::atof(a[4].c_str())
                                          : std::floor(OrologioDiSistema::Istanza().SecondiDaMezzanotte());
        return Cerca(a[1], quanti, seme);
    }
    if (a[0] == "--decode") {
        if (a.size() != 2) Errore("uso: --decode LIVELLO");
        return Decodifica(a[1]);
    }
    if (a[0] == "--records") {
        if (a.size() != 3) Errore("uso: --records LIVELLO CARTELLA");
        return Record(a[1], a[2]);
    }
    return -1;
}

}  // namespace kenvaron::bench
