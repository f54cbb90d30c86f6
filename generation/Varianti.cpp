#include "generation/Varianti.h"

#include <algorithm>
#include <string>
#include <vector>

#include "generation/MenuLivelli.h"

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
        generatore_.CmdSemplifica_Click();
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

void Varianti::IniziaAlleggerimento(Alleggerimento& a, bool mostra) {
    m_.ModoRisolvi = false;
    gen_.MaxValore = 0;
    a.salvato = stato_.Problema;
    if (mostra) Mostra();
    finestra_.Puntatore(11);
    m_.contaCellePiene();
    a.inizio = static_cast<int>(m_.NumCellePiene);
    RisolviAlloStallo();
    a.d0 = m_.ProfonditaMax;
}

void Varianti::ProvaAlleggerimento(Alleggerimento& a, int r, int c, bool semplifica1) {
    if (r < 1 || r > 9 || c < 1 || c > 9 || a.provate[r][c] != 0) return;
    Tabella& p = stato_.Problema;
    p = a.salvato;
    a.provate[r][c] = 1;
    if (semplifica1) {
        // The partner goes back, and counts as tried, only when it is another cell.
        const bool partner = Simmetrico && !(r == 5 && c == 5);
        Rimetti(r, c, partner);
        if (partner) a.provate[10 - r][10 - c] = 1;
        m_.NumCellePiene = a.inizio + 1 + (partner ? 1 : 0);
        m_.Risolvi(1);
    } else {
        Rimetti(r, c, Simmetrico);
        m_.Risolvi(1);
        Mostra();
    }
    m_.ContaRiempimento = 0;
    // Not below the best merit: of two equal tries the later wins.
    if (m_.Valore >= gen_.MaxValore && m_.ProfonditaMax < a.d0) {
        gen_.MaxValore = m_.Valore;
        a.migliorR = r;
        a.migliorC = c;
    }
}

void Varianti::FineAlleggerimento(const Alleggerimento& a) {
    Tabella& p = stato_.Problema;
    p = a.salvato;
    if (a.migliorR != 0) {
        gen_.MigliorValore = gen_.MaxValore;
        Rimetti(a.migliorR, a.migliorC, Simmetrico);
    }
    m_.Risolvi(1);
    Mostra();
    m_.ContaRiempimento = 0;
}

void Varianti::Semplifica2() {
    Ripristino ripristino(m_, finestra_);
    Alleggerimento a;
    IniziaAlleggerimento(a, true);
    // The tries' solves do not record: the lists stay those of the stalls.
    const int n = std::clamp(static_cast<int>(m_.NumCelleMin), 0, 80);
    const auto righe = m_.CelleMinR, colonne = m_.CelleMinC;
    for (int k = 1; k <= n; ++k) ProvaAlleggerimento(a, righe[k], colonne[k], false);
    if (SoloValutazione == 1) return;
    FineAlleggerimento(a);
}

void Varianti::Semplifica1() {
    Ripristino ripristino(m_, finestra_);
    Alleggerimento a;
    IniziaAlleggerimento(a, false);
    const int n = std::clamp(static_cast<int>(m_.NumCelleMin), 0, 80);
    const auto righe = m_.CelleMinR, colonne = m_.CelleMinC;
    const auto validi = m_.CelleMinValidi;
    const Tabella& sol = m_.Soluzione;
    for (int k = 1; k <= n; ++k) {
        // A stop leaves the last try on the board.
        if (gen_.Chiudi == 1) return;
        const int r = righe[k], c = colonne[k];
        if (r < 1 || r > 9 || c < 1 || c > 9) continue;
        ProvaAlleggerimento(a, r, c, true);
        for (const char ch : validi[k]) {
            const int d = ch - '0';
            if (d < 1 || d > 9 || d == sol[r][c]) continue;
            // The cells whose solved digit d would rule d out at (r, c): its
            // row, its column, then its box row by row.
            for (int j = 1; j <= 9; ++j)
                if (sol[r][j] == d) ProvaAlleggerimento(a, r, j, true);
            for (int i = 1; i <= 9; ++i)
                if (sol[i][c] == d) ProvaAlleggerimento(a, i, c, true);
            const int r0 = 3 * ((r - 1) / 3) + 1, c0 = 3 * ((c - 1) / 3) + 1;
            for (int i = r0; i < r0 + 3; ++i)
                for (int j = c0; j < c0 + 3; ++j)
                    if (sol[i][j] == d) ProvaAlleggerimento(a, i, j, true);
        }
    }
    if (SoloValutazione == 1) return;
    FineAlleggerimento(a);
}

void Varianti::Semplifica0() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    const Tabella salvato = p;
    Mostra();
    finestra_.Puntatore(11);
    m_.Risolvi(1);
    m_.ContaRiempimento = 0;
    m_.contaCellePiene();
    const int date = static_cast<int>(m_.NumCellePiene);
    int migliorConteggio = -1, migliorR = 0, migliorC = 0;
    struct Prova {
        Byte r, c;
        std::string cifre;
    };
    constexpr std::size_t kMaxProve = 50;
    std::vector<Prova> prove;
    prove.reserve(kMaxProve);
    for (int ciclo = 1; ciclo <= 5; ++ciclo) {
        // The trial steps of the latest solve, the first 50 of them.
        prove.clear();
        for (int i = 1; i <= m_.NumPassi && prove.size() < kMaxProve; ++i) {
            const Passo& passo = m_.LogPassi[i];
            if (passo.Testo.find("sono possibili") != std::string::npos)
                prove.push_back({passo.Riga, passo.Colonna, passo.Cifra});
        }
        if (prove.empty()) break;
        const auto q = static_cast<std::size_t>(m_.GeneraCasuale(static_cast<double>(prove.size())));
        const Prova prova = prove[std::min(q, prove.size()) - 1];
        const int r = prova.r, c = prova.c;
        if (r < 1 || r > 9 || c < 1 || c > 9) continue;
        auto prova_cella = [&](int i, int j, int d) {
            // The grid of the latest solve: after the first try, the try's.
            if (m_.Griglia[i][j] != d) return;
            p = salvato;
            p[i][j] = static_cast<Byte>(d);
            m_.NumCellePiene = date + 1;
            m_.Risolvi(1);
            Mostra();
            int segnati = 0;
            for (int k = 1; k <= m_.NumPassi; ++k) segnati += m_.LogPassi[k].Testo.find('!') != std::string::npos;
            if (segnati > migliorConteggio) {
                migliorConteggio = segnati;
                migliorR = i;
                migliorC = j;
            }
        };
        for (const char ch : prova.cifre) {
            const int d = ch - '0';
            if (d < 1 || d > 9 || d == m_.Soluzione[r][c]) continue;
            for (int j = 1; j <= 9; ++j) prova_cella(r, j, d);
            for (int i = 1; i <= 9; ++i) prova_cella(i, c, d);
            const int r0 = 3 * ((r - 1) / 3) + 1, c0 = 3 * ((c - 1) / 3) + 1;
            for (int i = r0; i < r0 + 3; ++i)
                for (int j = c0; j < c0 + 3; ++j) prova_cella(i, j, d);
        }
    }
    p = salvato;
    if (migliorR != 0) p[migliorR][migliorC] = m_.Griglia[migliorR][migliorC];
    m_.Risolvi(1);
    Mostra();
}

void Varianti::Semplifica5() {
    Ripristino ripristino(m_, finestra_);
    const Tabella& p = stato_.Problema;
    m_.ModoRisolvi = false;
    // The easing works on the engine's grid alone: the solve and the rating
    // that stay afterwards are those of the puzzle as it was given.
    m_.Inizializza();
    const Tabella& g = m_.Griglia;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) PiazzaCifra(m_, r, c, p[r][c]);
    // Singles until a sweep places nothing.
    for (bool piazzato = true; piazzato;) {
        piazzato = false;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                for (int d = 1; d <= 9 && g[r][c] == 0; ++d)
                    if (m_.CercaSoluzioniBelle(static_cast<Byte>(r), static_cast<Byte>(c), false, 1,
                                               static_cast<Byte>(d))) {
                        PiazzaCifra(m_, r, c, static_cast<Byte>(d));
                        piazzato = true;
                    }
    }
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (g[r][c] != 0 && g[10 - r][10 - c] == 0) PiazzaCifra(m_, 10 - r, 10 - c, m_.Soluzione[10 - r][10 - c]);
    m_.Risolvi(1);
    generatore_.ValutaFinericerca();
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
    // No removal reached a merit: the puzzle stays as it began, and the board
    // shows it again in place of the last removal tried.
    if (migliorR == 0) {
        Mostra();
        return;
    }
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

void Varianti::cmdComplica2_Click() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    const Orologio& orologio = *m_.orologio;
    const double t0 = orologio.Trascorsi();
    Mostra();
    m_.Risolvi(1);
    std::int32_t migliore = m_.Valore;
    Tabella tabellaMigliore = p;
    auto migliora = [&] {
        if (m_.Valore <= migliore || m_.Valore == 0) return false;
        migliore = m_.Valore;
        tabellaMigliore = p;
        return true;
    };
    // Each cycle starts from the best puzzle, with the attempts counted anew.
    for (bool nuovoCiclo = true; nuovoCiclo;) {
        nuovoCiclo = false;
        p = tabellaMigliore;
        for (int k = 1; k <= 10 && !nuovoCiclo; ++k) {
            if (orologio.Trascorsi() - t0 > 180) break;
            Mostra();
            int n = static_cast<int>(m_.NumCellePiene);
            do {
                const Tabella prima = p;
                // The draw's bound is the count of filled cells; past the last
                // empty cell nothing goes back.
                const int r = static_cast<int>(m_.GeneraCasuale(n));
                int vuote = 0;
                for (int i = 1; i <= 9 && vuote < r; ++i)
                    for (int j = 1; j <= 9 && vuote < r; ++j) {
                        if (p[i][j] != 0 || ++vuote != r) continue;
                        const bool partner = Simmetrico && !(i == 5 && j == 5);
                        const bool partnerVuoto = p[10 - i][10 - j] == 0;
                        Rimetti(i, j, partner);
                        m_.NumCellePiene += (p[i][j] != 0) + (partner && partnerVuoto && p[10 - i][10 - j] != 0);
                    }
                m_.Risolvi(1);
                if (migliora()) {
                    nuovoCiclo = true;
                    break;
                }
                Semplifica1();
                m_.Risolvi(1);
                migliora();
                m_.contaCellePiene();
                n = static_cast<int>(m_.NumCellePiene);
                // A solution without the drawn digits gives nothing to put back:
                // the attempt ends instead of drawing for ever.
                if (p == prima) break;
            } while (n < 34);
            if (nuovoCiclo) break;
            generatore_.TogliSempliciOrdine();
            m_.Risolvi(1);
            if (migliora()) {
                nuovoCiclo = true;
                break;
            }
            finestra_.TestoEtichetta(std::to_string(k) + "\r\n" + std::to_string(migliore) + "\r\n" +
                                     TestoNumero(orologio.Trascorsi() - t0));
            finestra_.Cedi();
            if (gen_.Chiudi == 1) break;
        }
    }
    p = tabellaMigliore;
    Mostra();
}

void Varianti::GrigliaCasuale() {
    finestra_.Puntatore(11);
    m_.Inizializza();
    m_.ContaRiempimento = 0;
    m_.Sviluppa(1, true, 81, false);
}

void Varianti::ModoNuovo_Click() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    GrigliaCasuale();
    const OrdineCelle& ordine = gen_.ordine;
    RandomizzaCelle(m_, gen_.ordine, 81);
    Motore::AzzeraTabella(p);
    for (int k = 1; k <= 14; ++k) {
        const int r = ordine.OrdineRighe[k], c = ordine.OrdineColonne[k];
        p[r][c] = m_.Griglia[r][c];
        p[10 - r][10 - c] = m_.Griglia[10 - r][10 - c];
    }
    m_.SoluzioneLogica = false;
    m_.Soluzione = m_.Griglia;
    const Tabella& sol = m_.Soluzione;
    auto differenze = [&](const Tabella& g) {
        int n = 0;
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j) n += g[i][j] != sol[i][j];
        return n;
    };
    for (;;) {
        Mostra();
        m_.Risolvi(2);
        const Tabella trovata = m_.Griglia;
        int minimo = 999, migliorR = 0, migliorC = 0;
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j) {
                // A given is never taken away, whatever a cut-short solve left.
                if (trovata[i][j] == sol[i][j] || p[i][j] != 0) continue;
                Rimetti(i, j, true);
                Mostra();
                m_.Risolvi(2);
                // Strictly fewer: on ties the earlier pair in row-major order stays.
                if (const int n = differenze(m_.Griglia); n < minimo) {
                    minimo = n;
                    migliorR = i;
                    migliorC = j;
                }
                p[i][j] = p[10 - i][10 - j] = 0;
            }
        if (minimo == 999) break;
        Rimetti(migliorR, migliorC, true);
    }
    m_.SoluzioneLogica = true;
    Mostra();
}

void Varianti::ModoRandom_Click() {
    Ripristino ripristino(m_, finestra_);
    Tabella& p = stato_.Problema;
    GrigliaCasuale();
    m_.Soluzione = m_.Griglia;
    gen_.MaxValore = -1;
    Tabella migliore{};
    const OrdineCelle& ordine = gen_.ordine;
    for (int t = 1; t <= 100; ++t) {
        RandomizzaCelle(m_, gen_.ordine, 81);
        Motore::AzzeraTabella(p);
        for (int k = 1; k <= 16; ++k) Rimetti(ordine.OrdineRighe[k], ordine.OrdineColonne[k], true);
        m_.SoluzioneLogica = true;
        Mostra();
        if (t % 10 == 1) finestra_.Didascalia(std::to_string(t) + " " + std::to_string(gen_.MaxValore));
        m_.Risolvi(1);
        if (m_.ProfonditaMax < 6 && m_.ContaSoluz == 1 && m_.Valore > gen_.MaxValore) {
            migliore = p;
            gen_.MaxValore = m_.Valore;
        }
    }
    p = migliore;
    Mostra();
}

}  // namespace kenvaron
