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

void Varianti::RisolviAlloStallo() {
    m_.RegistraCelleMin = true;
    m_.Risolvi(1);
    m_.RegistraCelleMin = false;
    m_.ContaRiempimento = 0;
}

void Varianti::Semplifica2() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    m_.ModoRisolvi = false;
    gen_.MaxValore = 0;
    const Tabella salvato = p;
    Mostra();
    finestra_.Puntatore(11);
    RisolviAlloStallo();
    const Byte d0 = m_.ProfonditaMax;
    // The tries' solves do not record: the lists stay those of the stalls.
    const int n = std::clamp(static_cast<int>(m_.NumCelleMin), 0, 80);
    const auto righe = m_.CelleMinR, colonne = m_.CelleMinC;
    Tabella provate{};
    int migliorR = 0, migliorC = 0;
    for (int k = 1; k <= n; ++k) {
        const int r = righe[k], c = colonne[k];
        if (r < 1 || r > 9 || c < 1 || c > 9 || provate[r][c] != 0) continue;
        p = salvato;
        Rimetti(r, c, Simmetrico);
        provate[r][c] = 1;
        m_.Risolvi(1);
        Mostra();
        m_.ContaRiempimento = 0;
        if (m_.Valore >= gen_.MaxValore && m_.ProfonditaMax < d0) {
            gen_.MaxValore = m_.Valore;
            migliorR = r;
            migliorC = c;
        }
    }
    if (SoloValutazione == 1) return;
    p = salvato;
    if (migliorR != 0) {
        gen_.MigliorValore = gen_.MaxValore;
        Rimetti(migliorR, migliorC, Simmetrico);
    }
    m_.Risolvi(1);
    Mostra();
    m_.ContaRiempimento = 0;
}

void Varianti::CmdComplicaGen_Click() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    finestra_.Puntatore(11);
    const Tabella salvato = p;
    std::int32_t migliore = 0;
    int migliorR = 0, migliorC = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (salvato[r][c] == 0) continue;
            p[r][c] = 0;
            if (Simmetrico) p[10 - r][10 - c] = 0;
            SoloValutazione = 1;
            Semplifica2();
            // Strictly better: on ties the earlier cell in row-major order stays.
            if (gen_.MaxValore > migliore) {
                migliore = gen_.MaxValore;
                migliorR = r;
                migliorC = c;
            }
            p = salvato;
        }
    gen_.MaxValore = 0;
    SoloValutazione = 0;
    // No removal reached a merit: the puzzle stays as it began.
    if (migliorR == 0) return;
    p[migliorR][migliorC] = 0;
    if (Simmetrico) p[10 - migliorR][10 - migliorC] = 0;
    Mostra();
    Semplifica2();
    Mostra();
}

void Varianti::SemplificaNuovo() {
    Ripristino ripristino(m_, finestra_);
    m_.ModoRisolvi = false;
    Mostra();
    finestra_.Puntatore(11);
    RisolviAlloStallo();
    const int n = std::clamp(static_cast<int>(m_.NumCelleMin), 0, 80);
    for (int k = 1; k <= n; ++k) {
        const int r = m_.CelleMinR[k], c = m_.CelleMinC[k];
        if (r >= 1 && r <= 9 && c >= 1 && c <= 9) Rimetti(r, c, true);
    }
    Mostra();
}

}  // namespace kenvaron
