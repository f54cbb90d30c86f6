#include "generation/Varianti.h"

#include <algorithm>

namespace kenvaron {

namespace {

// Restores the pointer and the trial switch on every way out of a pass.
class Ripristino {
public:
    Ripristino(Motore& m, FinestraGenerazione& f) : m_(m), f_(f), senzaTentativi_(m.SenzaTentativi) {}
    ~Ripristino() {
        m_.SenzaTentativi = senzaTentativi_;
        f_.Puntatore(0);
    }
    Ripristino(const Ripristino&) = delete;
    Ripristino& operator=(const Ripristino&) = delete;

private:
    Motore& m_;
    FinestraGenerazione& f_;
    bool senzaTentativi_;
};

}  // namespace

void Varianti::Mostra() {
    finestra_.Disegna(stato_.Problema);
    finestra_.Ridisegna();
    m_.contaCellePiene();
}

void Varianti::Rimetti(int r, int c, bool partner) {
    // A stale solution with no digit there puts nothing back.
    auto metti = [this](int i, int j) {
        const Byte d = m_.Soluzione[i][j];
        if (d >= 1 && d <= 9) stato_.Problema[i][j] = d;
    };
    metti(r, c);
    if (partner) metti(10 - r, 10 - c);
}

void Varianti::CmdComplica_Click() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    int date = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) date += p[r][c] != 0;
    // The draw is made on an empty board too, so a seeded run draws the same numbers.
    const int k = static_cast<int>(m_.GeneraCasuale(date));
    int visti = 0;
    for (int r = 1; r <= 9 && visti < k; ++r)
        for (int c = 1; c <= 9 && visti < k; ++c) {
            if (p[r][c] == 0 || ++visti != k) continue;
            p[r][c] = 0;
            if (Simmetrico) p[10 - r][10 - c] = 0;
        }
    Mostra();
    m_.Risolvi(1);
    while (m_.ProfonditaMax > 1 && gen_.Chiudi != 1) {
        const Tabella prima = p;
        semplifica_();
        // A step that adds nothing would repeat for ever.
        if (p == prima) break;
        // The last try's depth is not the result's: solve the result afresh.
        m_.Risolvi(1);
    }
}

void Varianti::Riduci1() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    m_.ModoRisolvi = false;
    Mostra();
    finestra_.Puntatore(11);
    m_.SoluzioneLogica = true;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (p[r][c] == 0) continue;
            const int rp = Simmetrico ? 10 - r : r, cp = Simmetrico ? 10 - c : c;
            const Byte cifra = p[r][c], cifraPartner = p[rp][cp];
            p[r][c] = 0;
            p[rp][cp] = 0;
            Mostra();
            m_.Risolvi(2);
            // Two solutions, or the solver's time limit: the pair is needed.  The
            // digits removed go back, whatever a stale solution holds.
            if (m_.ContaSoluz > 1) {
                p[r][c] = cifra;
                p[rp][cp] = cifraPartner;
            }
        }
    Mostra();
}

void Varianti::SemplificaNuovo() {
    Ripristino ripristino(m_, finestra_);
    m_.ModoRisolvi = false;
    Mostra();
    finestra_.Puntatore(11);
    m_.RegistraCelleMin = true;
    m_.Risolvi(1);
    m_.RegistraCelleMin = false;
    m_.ContaRiempimento = 0;
    const int n = std::clamp(static_cast<int>(m_.NumCelleMin), 0, 80);
    for (int k = 1; k <= n; ++k) {
        const int r = m_.CelleMinR[k], c = m_.CelleMinC[k];
        if (r >= 1 && r <= 9 && c >= 1 && c <= 9) Rimetti(r, c, true);
    }
    Mostra();
}

}  // namespace kenvaron
