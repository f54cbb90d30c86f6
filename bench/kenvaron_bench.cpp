// kenvaron-bench: solves every puzzle of a file as the program does and reports
// the time taken and the search levels visited; --dump and --steps print the
// results for checking them against other solvers and against earlier builds.
// --generate makes seeded puzzles of a level instead; --bg-board makes puzzles
// from an empty board as the background generator does; --pool prints (and
// --rewrite writes again) a pool file.
//
//   kenvaron-bench [options] FILE
//   kenvaron-bench [options] --full-grids N
//   kenvaron-bench --generate LEVEL N [--seed S] [--skip K] [--code C]
//   kenvaron-bench --bg-board N
//   kenvaron-bench --pool FILE [--rewrite OUT]
//
// FILE holds one puzzle a line: the first 81 characters are digits, "0" or "."
// for an empty cell; other lines are skipped.  A FILE that is no regular
// file, is larger than 64 MiB or holds no puzzle ends the bench at once with
// a message and exit code 2.
#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "background/GeneratoreSfondo.h"
#include "background/Impostazioni.h"
#include "bench/BancoNuovo.h"
#include "bench/BancoSfondo.h"
#include "bench/Comune.h"
#include "engine/FileTesto.h"
#include "engine/Motore.h"
#include "engine/TestoSchema.h"
#include "generation/Generatore.h"
#include "generation/Livelli.h"
#include "generation/MenuLivelli.h"
#include "narration/Risoluzione.h"

using namespace kenvaron;

namespace {

constexpr const char* kUso =
    "uso: kenvaron-bench [opzioni] FILE\n"
    "     kenvaron-bench --generate LIVELLO N [--seed S] [--skip K] [--code CODICE]\n"
    "     kenvaron-bench --bg-board N\n"
    "     kenvaron-bench --pool FILE [--rewrite USCITA]\n"
    "     kenvaron-bench --pool-fill FILE  lo sfondo riempie il pool di FILE, pause comprese:\n"
    "                    pool, posto e secondi per schema, poi tempo totale e cessione più lunga\n"
    "  --bg-board N      N schemi da griglia vuota come lo sfondo, semi 1..N:\n"
    "                    schema e soluzione su stdout\n"
    "  --pool FILE       seme, opzione e i 70 posti del file dei pool (S N D C E)\n"
    "  --rewrite USCITA  riscrive il pool letto in USCITA con lo scrittore del programma\n"
    "     kenvaron-bench --search LIVELLO N [--seed S]  ricerche di \"Nuovo\" senza pool\n"
    "     kenvaron-bench --decode LIVELLO  i record della raccolta del livello (N D C E M)\n"
    "     kenvaron-bench --records LIVELLO CARTELLA  da CARTELLA/n.txt a CARTELLA/y.txt\n"
    "  --generate L N    N schemi del livello L (S N D E M C P 1 2 3), uno per seme,\n"
    "                    senza limiti di tempo: cifre e seme su stdout\n"
    "  --seed S          primo seme (poi S+1, ...); senza, il seme e il salto dell'orologio\n"
    "  --skip K          estrazioni scartate 0..99 (default 0)\n"
    "  --code CODICE     ordine dei gruppi di tecniche (default SGDBC; \"\" = solo singoli)\n"
    "  --depth N         profondità di ragionamento 0..4 (default 4)\n"
    "  --generation      risolve come la generazione (ModoRisolvi falso)\n"
    "  --switches XXXXXX sei interruttori 0/1 delle tecniche (default 000000)\n"
    "  --advanced XXX    tre interruttori delle tecniche avanzate (default 000)\n"
    "  --fish N          LimiteFor (default 3)\n"
    "  --max N           massimo di soluzioni della seconda risoluzione (default 4)\n"
    "  --no-trial        SenzaTentativi e una sola Risolvi(1)\n"
    "  --plain           test di unicità della generazione\n"
    "  --sequences       dopo il caricamento, le sette sequenze della finestra del ragionamento\n"
    "                    (la prima da --code, --switches, --advanced, --fish; le altre SGDBC,\n"
    "                    SGCDB, BSGCD, GSDBC, C, DSGBC con 111111, 000 e 5) risolte come Risolvi;\n"
    "                    con --dump sette righe per schema\n"
    "  --min-cells       una sola Risolvi(1) con RegistraCelleMin, come le semplificazioni\n"
    "  --full-grids N    al posto di FILE: N griglie piene casuali, semi 1..N\n"
    "  --dump            una riga di risultati per schema, con l'impronta delle tabelle finali\n"
    "  --steps           dopo la riga di risultati, ogni passo del registro\n"
    "  --frozen-clock    il motore legge un orologio fermo: il limite di 5 secondi non scatta\n"
    "                    (i tempi stampati restano quelli reali)\n"
    "  --background      risolve con il motore dello sfondo (schema in ProblemaF5, cessione vuota)\n"
    "  --xy-weight N     PesoTecnica del motore dello sfondo, da 0 a 1 (default 1)\n";

struct Opzioni {
    std::string codice = "SGDBC";
    int profondita = 4;
    bool generazione = false;
    std::string interruttori = "000000";
    std::string avanzate = "000";
    int limiteFor = 3;
    int massimo = 4;
    bool senzaTentativi = false;
    bool semplice = false;
    bool sequenze = false;
    bool celleMin = false;
    int griglie = 0;
    bool dump = false;
    bool passi = false;
    bool orologioFermo = false;
    bool sfondo = false;
    double pesoXY = 1;
    std::string file;
    // --generate
    std::string livello;
    int quanti = 0;
    bool semeDato = false;
    long seme = 0;
    int salto = 0;
    bool codiceDato = false;
    // --bg-board, --pool, --rewrite
    int schemiSfondo = 0;
    std::string pool;
    std::string riscrivi;
};

[[noreturn]] void Errore(const std::string& messaggio) {
    std::cerr << "kenvaron-bench: " << messaggio << "\n" << kUso;
    std::exit(2);
}

int Intero(const std::string& testo, const char* opzione, int minimo, int massimo) {
    char* fine = nullptr;
    const long v = std::strtol(testo.c_str(), &fine, 10);
    if (testo.empty() || *fine != '\0' || v < minimo || v > massimo)
        Errore(std::string(opzione) + " vuole un numero da " + std::to_string(minimo) + " a " +
               std::to_string(massimo) + ", non \"" + testo + "\"");
    return static_cast<int>(v);
}

double Reale(const std::string& testo, const char* opzione, double minimo, double massimo) {
    char* fine = nullptr;
    const double v = std::strtod(testo.c_str(), &fine);
    if (testo.empty() || *fine != '\0' || !(v >= minimo && v <= massimo))
        Errore(std::string(opzione) + " vuole un numero da " + std::to_string(static_cast<int>(minimo)) + " a " +
               std::to_string(static_cast<int>(massimo)) + ", non \"" + testo + "\"");
    return v;
}

std::string Interruttori(const std::string& testo, const char* opzione, std::size_t quanti) {
    if (testo.size() != quanti || testo.find_first_not_of("01") != std::string::npos)
        Errore(std::string(opzione) + " vuole " + std::to_string(quanti) + " caratteri 0 o 1, non \"" + testo +
               "\"");
    return testo;
}

Opzioni LeggiOpzioni(int argc, char** argv) {
    Opzioni o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto valore = [&]() -> std::string {
            if (i + 1 >= argc) Errore(a + " vuole un valore");
            return argv[++i];
        };
        if (a == "--code") {
            o.codice = valore();
            o.codiceDato = true;
        } else if (a == "--generate") {
            o.livello = valore();
            if (!TrovaRigaLettera(o.livello) && o.livello != "P")
                Errore("--generate vuole un livello S N D E M C P 1 2 3, non \"" + o.livello + "\"");
            o.quanti = Intero(valore(), "--generate", 1, 1000000);
        } else if (a == "--seed") {
            o.seme = Intero(valore(), "--seed", 0, 2000000000);
            o.semeDato = true;
        } else if (a == "--skip")
            o.salto = Intero(valore(), "--skip", 0, 99);
        else if (a == "--depth")
            o.profondita = Intero(valore(), "--depth", 0, 4);
        else if (a == "--generation")
            o.generazione = true;
        else if (a == "--switches")
            o.interruttori = Interruttori(valore(), "--switches", 6);
        else if (a == "--advanced")
            o.avanzate = Interruttori(valore(), "--advanced", 3);
        else if (a == "--fish")
            o.limiteFor = Intero(valore(), "--fish", 0, 9);
        else if (a == "--max")
            o.massimo = Intero(valore(), "--max", 0, 255);
        else if (a == "--no-trial")
            o.senzaTentativi = true;
        else if (a == "--plain")
            o.semplice = true;
        else if (a == "--sequences")
            o.sequenze = true;
        else if (a == "--min-cells")
            o.celleMin = true;
        else if (a == "--full-grids")
            o.griglie = Intero(valore(), "--full-grids", 1, 1000000);
        else if (a == "--dump")
            o.dump = true;
        else if (a == "--steps")
            o.passi = true;
        else if (a == "--bg-board")
            o.schemiSfondo = Intero(valore(), "--bg-board", 1, 1000000);
        else if (a == "--pool")
            o.pool = valore();
        else if (a == "--rewrite")
            o.riscrivi = valore();
        else if (a == "--frozen-clock")
            o.orologioFermo = true;
        else if (a == "--background")
            o.sfondo = true;
        else if (a == "--xy-weight")
            o.pesoXY = Reale(valore(), "--xy-weight", 0, 1);
        else if (a == "--help" || a == "-h") {
            std::cout << kUso;
            std::exit(0);
        } else if (a.size() > 1 && a[0] == '-')
            Errore("opzione sconosciuta " + a);
        else if (!o.file.empty())
            Errore("un solo FILE, non anche " + a);
        else
            o.file = a;
    }
    if (!o.riscrivi.empty() && o.pool.empty()) Errore("--rewrite vuole --pool");
    if (o.schemiSfondo > 0 || !o.pool.empty()) {
        if (!o.file.empty() || o.griglie > 0) Errore("--bg-board e --pool non leggono FILE");
        return o;
    }
    if (!o.livello.empty()) {
        if (!o.file.empty() || o.griglie > 0) Errore("--generate non legge FILE");
        return o;
    }
    if (o.file.empty() && o.griglie == 0) Errore("manca FILE");
    if (!o.file.empty() && o.griglie > 0) Errore("--full-grids non vuole un FILE");
    return o;
}

// Far above the largest puzzle set: a larger file is refused, never cut.
constexpr std::uintmax_t kMaxFileSchemi = std::uintmax_t{64} << 20;

// Puzzles of the file: lines whose first 81 characters are digits or ".".
// Only a regular file is opened (a pipe would wait for a writer, a device
// might never end), and a file that holds no puzzle is an error.
std::vector<std::string> LeggiSchemi(const std::string& nome) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(nome, ec)) Errore(nome + " non è un file da leggere");
    const std::uintmax_t dimensione = fs::file_size(nome, ec);
    if (ec) Errore("non riesco a leggere " + nome);
    if (dimensione > kMaxFileSchemi) Errore(nome + " supera 64 MiB");
    // The reader also tells a file that grew past the limit while it was read.
    std::string testo;
    bool oltre = false;
    if (!LeggiFile(nome, testo, kMaxFileSchemi, &oltre)) Errore("non riesco a leggere " + nome);
    if (oltre) Errore(nome + " supera 64 MiB");
    std::istringstream in(testo);
    std::vector<std::string> schemi;
    std::string riga;
    while (std::getline(in, riga)) {
        if (riga.size() < 81) continue;
        std::string s = riga.substr(0, 81);
        if (s.find_first_not_of("0123456789.") != std::string::npos) continue;
        std::replace(s.begin(), s.end(), '.', '0');
        schemi.push_back(s);
    }
    if (schemi.empty()) Errore(nome + " non contiene schemi");
    return schemi;
}

// The sequence window's tabs 2 to 7 and the switches they solve with.
constexpr const char* kSequenzeFisse[] = {"SGDBC", "SGCDB", "BSGCD", "GSDBC", "C", "DSGBC"};
constexpr int kPesciSequenze = 5;

// The technique switches and the fish limit of the options.
void ApplicaInterruttori(const Opzioni& o, Condiviso& stato, Motore& m) {
    for (int i = 0; i < 6; ++i) stato.TecnicheAttive[i] = static_cast<Byte>(o.interruttori[i] - '0');
    for (int i = 0; i < 3; ++i) stato.TecnicheAvanzate[i] = static_cast<Byte>(o.avanzate[i] - '0');
    m.LimiteFor = static_cast<std::int16_t>(o.limiteFor);
}

// FNV-1a over the tables a caller reads after a solve, so that two builds that
// print the same results but leave different tables behind are told apart.
class Impronta {
public:
    void Aggiungi(std::uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            h_ ^= (v >> (8 * i)) & 0xFF;
            h_ *= 0x100000001B3ull;
        }
    }
    void Aggiungi(const Tabella& t) {
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) Aggiungi(t[r][c]);
    }
    void Aggiungi(const std::string& testo) {
        Aggiungi(testo.size());
        for (char ch : testo) Aggiungi(static_cast<unsigned char>(ch));
    }
    std::uint64_t Valore() const { return h_; }

private:
    std::uint64_t h_ = 0xCBF29CE484222325ull;
};

std::uint64_t ImprontaTabelle(const Motore& m) {
    Impronta h;
    h.Aggiungi(m.Griglia);
    h.Aggiungi(m.Soluzione);
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            for (int d = 1; d <= 9; ++d) h.Aggiungi(m.Possibili[r][c][d]);
    h.Aggiungi(m.NumeroCandidati);
    h.Aggiungi(static_cast<std::uint64_t>(m.NumCellePiene));
    h.Aggiungi(static_cast<std::uint64_t>(m.CelleRiempite));
    if (m.RegistraCelleMin) {
        const int n = static_cast<int>(m.NumCelleMin);
        h.Aggiungi(static_cast<std::uint64_t>(n));
        for (int i = 1; i <= n; ++i) {
            h.Aggiungi(m.CelleMinR[i]);
            h.Aggiungi(m.CelleMinC[i]);
            h.Aggiungi(m.CelleMinValidi[i]);
        }
    }
    return h.Valore();
}

// The results of the last solve, with the grid the board shows.
void Stampa(const Motore& m, const Tabella& mostrata, bool passi) {
    std::printf("%lld %s %d %d %d %d %d %d %d %d %d %016" PRIx64 "\n", static_cast<long long>(m.ContaSoluz),
                SchemaTesto(mostrata).c_str(), m.ProfonditaMax, m.Valore, m.NumPassi, m.ContaTecnicaS,
                m.ContaTecnicaG, m.ContaTecnicaD, m.ContaTecnicaB, m.ContaTecnicaC, m.ContaPregio,
                ImprontaTabelle(m));
    if (!passi) return;
    for (int i = 1; i <= m.NumPassi; ++i) {
        const Passo& p = m.LogPassi[i];
        std::printf("%d|%d|%d|%s|%s|%s|%d|%s|%s|%s\n", p.Profondita, p.Riga, p.Colonna, p.Cifra.c_str(),
                    p.Tipo.c_str(), p.Codice.c_str(), p.Dimensione, p.Testo.c_str(), p.Celle.c_str(),
                    p.Ripristino.c_str());
    }
}

// Seeded runs of a level, as the window makes them, without wall-clock limits.
int Genera(const Opzioni& o) {
    Condiviso stato;
    auto motore = std::make_unique<Motore>(stato);
    Motore& m = *motore;
    Livelli livelli(m, stato);
    ImpostazioniGenerazione impostazioni;
    StatoGenerazione generazione;
    FinestraGenerazione finestra;
    ContestoLivello contesto{livelli, m, stato, impostazioni};
    if (const RigaLivello* riga = TrovaRigaLettera(o.livello))
        ApplicaRigaLivello(*riga, contesto);
    else
        ApplicaPersonalizzato(contesto);
    if (o.codiceDato) {
        livelli.CodiciTecniche = o.codice;
        livelli.SettaTurni(livelli.CodiciTecniche);
    }
    stato.Sequenze[1] = livelli.CodiciTecniche;
    m.ModoRisolvi = false;
    Generatore generatore(m, stato, livelli, impostazioni, generazione, finestra);

    using Cronometro = std::chrono::steady_clock;
    std::vector<double> millisecondi;
    int alLimite = 0, falliti = 0;
    const auto inizio = Cronometro::now();
    for (int i = 0; i < o.quanti; ++i) {
        generazione.Chiudi = 0;
        generatore.PeggiorRisoluzione = 0;
        generatore.PeggiorTentativo = 0;
        const auto t0 = Cronometro::now();
        const bool riuscito = o.semeDato ? generatore.CorpoSeminato(static_cast<double>(o.seme + i), o.salto, true)
                                         : generatore.Command7_Click(true);
        millisecondi.push_back(std::chrono::duration<double, std::milli>(Cronometro::now() - t0).count());
        if (generatore.PeggiorRisoluzione > 5.0 || generatore.PeggiorTentativo > 10.0) ++alLimite;
        if (!riuscito) {
            ++falliti;
            std::printf("- %s\n", generazione.SemeCorrente.c_str());
            continue;
        }
        std::printf("%s %s\n", SchemaTesto(stato.Problema).c_str(), generazione.SemeCorrente.c_str());
    }
    const double secondi = std::chrono::duration<double>(Cronometro::now() - inizio).count();
    const bench::Sintesi s = bench::Riassumi(millisecondi);
    std::fflush(stdout);
    std::fprintf(stderr, "puzzles %d seconds %.3f median-ms %.3f max-ms %.3f at-limit %d failed %d\n", o.quanti,
                 secondi, s.mediana, s.massimo, alLimite, falliti);
    return 0;
}

// Puzzles from an empty board on a background engine whose yield does nothing.
int SchemiSfondo(const Opzioni& o) {
    Condiviso stato;
    auto motore = std::make_unique<Motore>(stato, OrologioDiSistema::Istanza(), ProfiloMotore::DiSfondo([] {}));
    Motore& m = *motore;
    GeneratoreSfondo generatore(m);
    generatore.Form_Load();
    using Cronometro = std::chrono::steady_clock;
    std::vector<double> millisecondi;
    const auto inizio = Cronometro::now();
    for (int i = 1; i <= o.schemiSfondo; ++i) {
        m.casuale.Reimposta();
        m.casuale.Randomizza(static_cast<double>(i));
        const auto t0 = Cronometro::now();
        generatore.Command1_Click();
        millisecondi.push_back(std::chrono::duration<double, std::milli>(Cronometro::now() - t0).count());
        std::printf("%s %s\n", SchemaTesto(stato.ProblemaF5).c_str(), SchemaTesto(m.Soluzione).c_str());
    }
    const double secondi = std::chrono::duration<double>(Cronometro::now() - inizio).count();
    const bench::Sintesi s = bench::Riassumi(millisecondi);
    std::fflush(stdout);
    std::fprintf(stderr, "puzzles %d seconds %.3f median-ms %.3f max-ms %.3f fills %d searches %d\n",
                 o.schemiSfondo, secondi, s.mediana, s.massimo, generatore.Riempimenti, generatore.RicercheGivens);
    return 0;
}

// The pool file as the program reads it, and optionally written again by the program.
int Pool(const Opzioni& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // The program would create a missing file; the bench only reads.
    if (!fs::is_regular_file(o.pool, ec)) Errore("non riesco a leggere " + o.pool);
    Condiviso c;
    std::int64_t seme = 0;
    const bool opzione = CaricaImpostazioni(c, o.pool, &seme);
    if (!c.PoolCaricato) Errore("non riesco a leggere " + o.pool);
    std::printf("seed %lld\noption %d\n", static_cast<long long>(seme), opzione ? 1 : 0);
    struct Voce {
        const char* nome;
        const std::string* posti;
        std::size_t quanti;
    };
    const Voce pool[] = {{"S", c.SchemiBkgS.data(), c.SchemiBkgS.size()},
                         {"N", c.SchemiBkgN.data(), c.SchemiBkgN.size()},
                         {"D", c.SchemiBkgD.data(), c.SchemiBkgD.size()},
                         {"C", c.SchemiBkgC.data(), c.SchemiBkgC.size()},
                         {"E", c.SchemiBkgE.data(), c.SchemiBkgE.size()}};
    for (const Voce& v : pool)
        for (std::size_t i = 1; i < v.quanti; ++i) std::printf("%s %zu %s\n", v.nome, i, v.posti[i].c_str());
    if (o.riscrivi.empty()) return 0;
    std::fflush(stdout);
    if (!SalvaImpostazioni(c, o.riscrivi, opzione, OrologioDiSistema::Istanza())) {
        std::fprintf(stderr, "kenvaron-bench: non riesco a scrivere %s\n", o.riscrivi.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const int esito = bench::BancoNuovo(argc, argv); esito >= 0) return esito;
    if (const int esito = bench::BancoSfondo(argc, argv); esito >= 0) return esito;
    const Opzioni o = LeggiOpzioni(argc, argv);
    if (o.schemiSfondo > 0) return SchemiSfondo(o);
    if (!o.pool.empty()) return Pool(o);
    if (!o.livello.empty()) return Genera(o);
    const std::vector<std::string> schemi = o.griglie > 0 ? std::vector<std::string>() : LeggiSchemi(o.file);
    const std::size_t quanti = o.griglie > 0 ? static_cast<std::size_t>(o.griglie) : schemi.size();

    Condiviso stato;
    // A clock that never advances keeps every result independent of the
    // machine and the build: the 5-second limit cannot end a solve.
    OrologioFinto fermo;
    Orologio& orologio = o.orologioFermo ? static_cast<Orologio&>(fermo) : OrologioDiSistema::Istanza();
    // The background engine yields at every level: here the yield has nothing to do.
    auto motore =
        std::make_unique<Motore>(stato, orologio, o.sfondo ? ProfiloMotore::DiSfondo([] {}) : ProfiloMotore{});
    Motore& m = *motore;
    m.PesoTecnica = o.pesoXY;
    Tabella& schema = bench::Schema(m);
    Livelli livelli(m, stato);
    ApplicaInterruttori(o, stato, m);
    m.IndiceRagionamento = o.profondita;

    using Cronometro = std::chrono::steady_clock;
    std::vector<double> millisecondi;
    millisecondi.reserve(quanti);
    int alLimite = 0;
    std::int64_t visitati = 0;
    const auto inizio = Cronometro::now();

    for (std::size_t i = 0; i < quanti; ++i) {
        if (o.griglie == 0) bench::Carica(schema, schemi[i]);
        Motore::AzzeraTabella(m.Soluzione);
        stato.NumMosse = 0;
        std::string codice = o.codice;
        livelli.SettaTurni(codice);
        m.ModoRisolvi = !o.generazione;
        m.SenzaTentativi = o.senzaTentativi;

        bool limite = false;
        // A solve ended by the 5-second limit: its measures say so and it took that long.
        auto misura = [&](auto&& risolvi) {
            const auto t0 = Cronometro::now();
            risolvi();
            visitati += m.LivelliVisitati;
            const double secondi = std::chrono::duration<double>(Cronometro::now() - t0).count();
            if (m.ContaSoluz == 4 && m.ProfonditaMax == 20 && m.Valore == 0 && secondi > 5.0) limite = true;
        };

        const auto t0 = Cronometro::now();
        if (o.griglie > 0) {
            // The generator's random full grid, after a fixed reseed.
            m.casuale.Reimposta();
            m.casuale.Randomizza(static_cast<double>(i + 1));
            m.Inizializza();
            m.ContaRiempimento = 0;
            misura([&] { m.Sviluppa(1, true, 81, false); });
        } else if (o.semplice) {
            misura([&] { bench::Unicita(m, schema); });
        } else if (o.celleMin) {
            // A simplification pass: one narrated solve that records the
            // fewest-candidates cells of its first trial point.
            m.RegistraCelleMin = true;
            misura([&] { m.Risolvi(1); });
        } else if (o.senzaTentativi) {
            misura([&] { m.Risolvi(1); });
        } else if (o.sequenze) {
            bench::SoluzioneDelCaricatore(m);
            const auto t1 = Cronometro::now();
            for (int tab = 1; tab <= 7; ++tab) {
                if (tab == 1) {
                    ApplicaInterruttori(o, stato, m);
                    codice = o.codice;
                } else {
                    livelli.AccendiSchK(1, 1);
                    livelli.AccendiAV(0, 0, 0);
                    m.LimiteFor = kPesciSequenze;
                    codice = kSequenzeFisse[tab - 2];
                }
                livelli.SettaTurni(codice);
                std::optional<Tabella> mostrata;
                misura([&] { mostrata = narrazione::RisolviPerComando(m); });
                if (o.dump || o.passi) Stampa(m, mostrata.value_or(Tabella{}), o.passi);
            }
            millisecondi.push_back(std::chrono::duration<double, std::milli>(Cronometro::now() - t1).count());
            if (limite) ++alLimite;
            continue;
        } else {
            // The loader: every digit a given, one solve, its grid kept as the solution.
            misura([&] { bench::SoluzioneDelCaricatore(m); });
            // The solve command.
            misura([&] { m.Risolvi(static_cast<Byte>(o.massimo)); });
        }
        millisecondi.push_back(std::chrono::duration<double, std::milli>(Cronometro::now() - t0).count());
        if (limite) ++alLimite;
        if (o.dump || o.passi) Stampa(m, narrazione::TabellaPiena(m.Griglia) ? m.Griglia : m.Soluzione, o.passi);
    }

    const double secondi = std::chrono::duration<double>(Cronometro::now() - inizio).count();
    const bench::Sintesi sintesi = bench::Riassumi(millisecondi);
    std::fflush(stdout);
    std::fprintf(stderr, "puzzles %zu seconds %.3f median-ms %.3f max-ms %.3f at-limit %d levels %" PRId64 "\n",
                 quanti, secondi, sintesi.mediana, sintesi.massimo, alLimite, visitati);
    return 0;
}
