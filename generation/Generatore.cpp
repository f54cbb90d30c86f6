// Full grid and given selection, and the seeded run.  The solver fills an
// empty grid with randomly ordered candidates; the cell order is shuffled with
// four cells of every box in front, and the m-subsets of that order are tried
// in lexicographic order until the chosen cells with their symmetric partners
// leave exactly one solution.  Lowering passes, the simplification loop and a
// removal pass then shape the puzzle for the level.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "engine/Funzioni.h"
#include "generation/ContaSoluzioni.h"
#include "generation/Generatore.h"

namespace kenvaron {

namespace {

// Restores the default pointer on every way out of a pass.
class Clessidra {
public:
    explicit Clessidra(FinestraGenerazione& f) : f_(f) { f_.Puntatore(11); }
    ~Clessidra() { f_.Puntatore(0); }
    Clessidra(const Clessidra&) = delete;
    Clessidra& operator=(const Clessidra&) = delete;

private:
    FinestraGenerazione& f_;
};


void ScambiaPosizioni(OrdineCelle& o, int a, int b) {
    std::swap(o.OrdineRighe[a], o.OrdineRighe[b]);
    std::swap(o.OrdineColonne[a], o.OrdineColonne[b]);
}

// Runs f and keeps in `peggiore` the longest it has taken (seconds, real time).
template <class F>
void Cronometra(double& peggiore, F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    peggiore = std::max(peggiore, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
}

// A draw 1..n as a position of the order (n is at most 81).
int Posizione(Motore& m, double n) { return std::clamp(static_cast<int>(m.GeneraCasuale(n)), 1, 81); }

}  // namespace

bool NO456(const ImpostazioniGenerazione& impostazioni, int x) {
    return !(impostazioni.SoloAngolari && x >= 4 && x <= 6);
}

void RandomizzaCelle(Motore& motore, OrdineCelle& ordine, double n) {
    for (int i = 1; i <= 9; ++i)
        for (int j = 1; j <= 9; ++j) {
            ordine.OrdineRighe[9 * (i - 1) + j] = static_cast<Byte>(i);
            ordine.OrdineColonne[9 * (i - 1) + j] = static_cast<Byte>(j);
        }
    for (int volta = 0; volta < 1000; ++volta) {
        const int a = Posizione(motore, n);
        const int b = Posizione(motore, n);
        ScambiaPosizioni(ordine, a, b);
    }
    Forza4(motore, ordine);
}

void Forza4(Motore& motore, OrdineCelle& ordine) {
    int k = 0;
    for (int q = 0; q < 9; ++q) {
        const int r0 = 3 * (q / 3), c0 = 3 * (q % 3);
        std::array<bool, 9> preso{};
        int liberi = 9;
        for (int volta = 0; volta < 4; ++volta) {
            const int x = static_cast<int>(motore.GeneraCasuale(liberi));
            // The x-th free cell of the box, row-major.
            int conta = 0, scelta = -1;
            for (int i = 0; i < 9 && scelta < 0; ++i)
                if (!preso[i] && ++conta == x) scelta = i;
            if (scelta < 0) continue;
            preso[scelta] = true;
            ++k;
            const Byte r = static_cast<Byte>(r0 + scelta / 3 + 1), c = static_cast<Byte>(c0 + scelta % 3 + 1);
            int p = 1;
            while (p < 81 && !(ordine.OrdineRighe[p] == r && ordine.OrdineColonne[p] == c)) ++p;
            ScambiaPosizioni(ordine, p, k);
            --liberi;
        }
    }
    for (int volta = 0; volta < 500; ++volta) {
        const int a = Posizione(motore, 36);
        const int b = Posizione(motore, 36);
        ScambiaPosizioni(ordine, a, b);
    }
}

namespace {

// Calls f(r, c) for each chosen cell and each of its symmetric partners.
template <class F>
void PerOgniCellaScelta(const OrdineCelle& ordine, const ImpostazioniGenerazione& imp, int m, F&& f) {
    for (int k = 1; k <= m && k <= 81; ++k) {
        const int p = ordine.PilaCombinazioni[k];
        if (p < 1 || p > 81) continue;
        const int r = ordine.OrdineRighe[p], c = ordine.OrdineColonne[p];
        if (r < 1 || r > 9 || c < 1 || c > 9) continue;
        f(r, c);
        if (imp.Simmetrico && !(r == 5 && c == 5)) f(10 - r, 10 - c);
        if (imp.SuperSimmetrico && NO456(imp, r) && NO456(imp, c)) {
            if (c != 5) f(r, 10 - c);
            if (r != 5) f(10 - r, c);
        }
    }
}

}  // namespace

void TrasferisciCelleSelez(Motore& motore, const OrdineCelle& ordine, const ImpostazioniGenerazione& imp, Byte m) {
    PerOgniCellaScelta(ordine, imp, m, [&](int r, int c) { PiazzaCifra(motore, r, c, motore.Soluzione[r][c]); });
}

void Generatore::SceltiSuTabella(Byte m, Tabella& t) const {
    t = Tabella{};
    PerOgniCellaScelta(gen_.ordine, imp_, m, [&](int r, int c) { t[r][c] = m_.Soluzione[r][c]; });
}

Generatore::Generatore(Motore& motore, Condiviso& stato, Livelli& livelli, ImpostazioniGenerazione& impostazioni,
                       StatoGenerazione& generazione, FinestraGenerazione& finestra)
    : m_(motore), stato_(stato), livelli_(livelli), imp_(impostazioni), gen_(generazione), finestra_(finestra) {}

// ---- Helpers -----------------------------------------------------------------------------

void Generatore::Risolvi(Byte maxSoluzioni) {
    Cronometra(PeggiorRisoluzione, [&] { m_.Risolvi(maxSoluzioni); });
}

void Generatore::ContaSoluzioni() {
    // The count the engine's plain search would give (one, or more than one),
    // with the grid left holding the givens.
    Cronometra(PeggiorRisoluzione, [&] { m_.ContaSoluz = ContaSoluzioniRapido(m_.Griglia, 2); });
}

Generatore::Gruppo Generatore::GruppoDi(int r, int c) const {
    Gruppo g;
    auto aggiungi = [&](int rr, int cc) {
        for (int i = 0; i < g.n; ++i)
            if (g.r[i] == rr && g.c[i] == cc) return;
        g.r[g.n] = static_cast<Byte>(rr);
        g.c[g.n] = static_cast<Byte>(cc);
        ++g.n;
    };
    aggiungi(r, c);
    if (imp_.Simmetrico) aggiungi(10 - r, 10 - c);
    if (imp_.SuperSimmetrico && NO456(imp_, r) && NO456(imp_, c)) {
        aggiungi(r, 10 - c);
        aggiungi(10 - r, c);
    }
    return g;
}

void Generatore::Scrivi(Tabella& t, const Gruppo& g, const Tabella* sorgente) {
    for (int i = 0; i < g.n; ++i) t[g.r[i]][g.c[i]] = sorgente ? (*sorgente)[g.r[i]][g.c[i]] : 0;
}

void Generatore::Piazza(int r, int c, Byte cifra) { PiazzaCifra(m_, r, c, cifra); }

void PiazzaCifra(Motore& motore, int r, int c, Byte cifra) {
    if (cifra < 1 || cifra > 9) return;
    LivelloPila& p1 = motore.PilaLivelli[1];
    p1.Riga = static_cast<Byte>(r);
    p1.Colonna = static_cast<Byte>(c);
    p1.Cifra = cifra;
    motore.Aggiorna(1);
}

double Generatore::Adesso() const { return m_.orologio->Trascorsi(); }

// ---- Full grid and givens ---------------------------------------------------------------------

bool Generatore::Command1_Click() {
    Clessidra clessidra(finestra_);
    // The generator's own solves: no user's limits, trials allowed, no analysis.
    m_.ModoRisolvi = false;
    m_.SenzaTentativi = false;
    m_.SoloSingoli = false;
    m_.Analisi = false;
    m_.Inizializza();
    m_.ContaRiempimento = 0;
    Cronometra(PeggiorRisoluzione, [&] { m_.Sviluppa(1, true, 81, false); });
    Motore::SalvaTabella(m_.Griglia, m_.Soluzione);
    if (!Generazione()) return false;
    finestra_.Disegna(stato_.Problema);
    finestra_.Ridisegna();
    const int passi = 36 - (23 + std::clamp(imp_.IndiceCmbC, 0, 7));
    for (int i = 1; i <= passi; ++i) {
        if (gen_.Chiudi == 1) return false;
        Command4_Click();
    }
    if (gen_.Chiudi == 1) return false;
    Risolvi(1);
    m_.ContaRiempimento = 0;
    finestra_.Disegna(stato_.Problema);
    finestra_.Ridisegna();
    finestra_.FineVistaCandidati();
    return true;
}

bool Generatore::Generazione() {
    const double n = !imp_.Simmetrico ? 81 : (imp_.SuperSimmetrico ? 21 : 41);
    for (;;) {
        finestra_.Cedi();
        if (gen_.Chiudi == 1) return false;
        const auto t0 = std::chrono::steady_clock::now();
        gen_.TempoScaduto = false;
        m_.ContaSoluz = 0;
        gen_.ScadenzaTentativo = Adesso() + 10;
        RandomizzaCelle(m_, gen_.ordine, n);
        int m = 0;
        if (imp_.SuperSimmetrico)
            m = livelli_.CodiciTecniche.empty() ? 12 : 18;
        else {
            const double v = Val(imp_.TestoLiv);
            m = v >= 1 && v <= 81 ? static_cast<int>(v) : 0;
        }
        const EsitoRicerca esito = GeneraProbl(m);
        PeggiorTentativo = std::max(
            PeggiorTentativo, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (esito == EsitoRicerca::Unico) break;
    }
    Motore::SalvaTabella(m_.Griglia, stato_.Problema);
    return true;
}

Generatore::EsitoRicerca Generatore::GeneraProbl(int m) {
    // No count of representatives outside 1..81 can make a puzzle.
    if (m < 1 || m > 81) return EsitoRicerca::Esaurito;
    auto& pila = gen_.ordine.PilaCombinazioni;
    const Byte mb = static_cast<Byte>(m);
    Tabella prova{};
    int k = 0;
    pila[0] = 0;
    // One search can take seconds: the event loop gets a turn every 4096
    // counts (some 20 ms), so that a stop (Esc, or a signal in batch
    // production) ends it at once.  Counting, not timing, keeps the yields
    // of a seeded run the same on every machine.
    constexpr int kConteTraCessioni = 4096;
    int conteDaCessione = 0;
    for (;;) {
        // Outer step: extend the combination, while the deadline allows.
        if (!senzaLimiti_ && Adesso() > gen_.ScadenzaTentativo) {
            gen_.TempoScaduto = true;
            return EsitoRicerca::Scaduto;
        }
        ++k;
        pila[k] = pila[k - 1];
        for (;;) {
            ++pila[k];
            if (pila[k] <= 81) {
                if (k < m) break;
                // The givens of the combination; the engine gets them only for the
                // puzzle found (or the last combination), nothing reads them otherwise.
                SceltiSuTabella(mb, prova);
                if (pila[k] % 20 == 1) {
                    finestra_.Disegna(prova);
                    finestra_.Ridisegna();
                }
                if (++conteDaCessione == kConteTraCessioni) {
                    conteDaCessione = 0;
                    finestra_.Cedi();
                    if (gen_.Chiudi == 1) return EsitoRicerca::Fermato;
                }
                m_.ContaSoluz = ContaSoluzioniRapido(prova, 2);
                if (m_.ContaSoluz == 1) {
                    m_.Inizializza();
                    TrasferisciCelleSelez(m_, gen_.ordine, imp_, mb);
                    return EsitoRicerca::Unico;
                }
                continue;
            }
            --k;
            if (k == 0) {
                m_.Inizializza();
                TrasferisciCelleSelez(m_, gen_.ordine, imp_, mb);
                return EsitoRicerca::Esaurito;
            }
        }
    }
}

void Generatore::TrasferisciSoluzOld() {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) Piazza(r, c, stato_.Problema[r][c]);
}

// ---- Seeded run ------------------------------------------------------------------------------------

std::pair<long, int> PrendiCoppiaLibera(std::set<std::pair<long, int>>& usate, long seme, int salto) {
    for (;; ++seme)
        for (int i = 0; i < 100; ++i) {
            const std::pair<long, int> coppia{seme, (salto + i) % 100};
            if (usate.insert(coppia).second) return coppia;
        }
}

bool Generatore::Command7_Click(bool senzaLimiti) {
    const Orologio& orologio = *m_.orologio;
    const auto seme = static_cast<long>(std::floor(orologio.SecondiDaMezzanotte()));
    const int salto = static_cast<int>(std::fmod(std::floor(orologio.Giorno()), 100.0));
    const auto [libero, saltoLibero] = PrendiCoppiaLibera(stato_.CoppieUsate, seme, salto);
    return CorpoSeminato(static_cast<double>(libero), saltoLibero, senzaLimiti);
}

bool Generatore::CorpoSeminato(double seme, int salto, bool senzaLimiti) {
    Clessidra clessidra(finestra_);
    // Without limits the engine reads a clock that never moves.
    Orologio* const orologio = m_.orologio;
    const bool limitiPrima = senzaLimiti_;
    senzaLimiti_ = senzaLimiti;
    if (senzaLimiti) m_.orologio = &fermo_;
    // The user's strikes belong to the puzzle on the board, not to the one being made.
    const int mosse = stato_.NumMosse;
    stato_.NumMosse = 0;
    struct Ripristino {
        Generatore& g;
        Orologio* orologio;
        bool limiti;
        int mosse;
        ~Ripristino() {
            g.m_.orologio = orologio;
            g.senzaLimiti_ = limiti;
            g.stato_.NumMosse = mosse;
        }
    } ripristino{*this, orologio, limitiPrima, mosse};

    const double minimo = Val(imp_.TestoMin);
    gen_.ModoInterrogativo = 1;
    m_.casuale.Reimposta();
    m_.casuale.Randomizza(seme);
    for (int i = 0; i < salto; ++i) m_.GeneraCasuale(1000);
    gen_.SemeCorrente = std::to_string(static_cast<long long>(seme)) + "|" + std::to_string(salto);

    if (!Command1_Click() || gen_.Chiudi == 1) return false;
    if (gen_.ProvaCronometrata && m_.Valore <= minimo) {
        m_.ProfonditaMax = 9;
        gen_.ModoInterrogativo = 0;
        return false;
    }
    // Simplify while a fresh solve of the puzzle needs a trial; a step that
    // adds nothing ends the run as failed.
    for (;;) {
        m_.SenzaTentativi = false;
        Risolvi(1);
        if (m_.ProfonditaMax < 2 || gen_.Chiudi == 1) break;
        const Tabella prima = stato_.Problema;
        CmdSemplifica_Click();
        if (stato_.Problema == prima) return false;
    }
    if (gen_.Chiudi == 1) return false;
    CmdTogliSemplici_Click();
    if (!gen_.ProvaCronometrata && !gen_.GenerazioneInCorso) {
        gen_.ModoInterrogativo = 0;
        finestra_.Disegna(stato_.Problema);
        finestra_.Ridisegna();
    }
    return gen_.Chiudi != 1;
}

}  // namespace kenvaron
