#include "background/GeneratoreSfondo.h"

#include <algorithm>
#include <utility>

#include "engine/Funzioni.h"
#include "engine/TecnicheLivello.h"
#include "generation/Generatore.h"

namespace kenvaron {

GeneratoreSfondo::GeneratoreSfondo(Motore& motore) : m_(motore), stato_(motore.stato) {}

bool GeneratoreSfondo::Cedi() {
    if (m_.profilo.Cedi) m_.profilo.Cedi();
    if (!Finito()) return false;
    if (m_.profilo.Termina) m_.profilo.Termina();
    return true;
}

void GeneratoreSfondo::Piazza(int r, int c, Byte cifra) { PiazzaCifra(m_, r, c, cifra); }

void GeneratoreSfondo::ContaPiano() {
    int piene = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (m_.Griglia[r][c] != 0) ++piene;
    // A plain count: nothing is added to the filled-cell tally.
    m_.ContaRiempimento = 0;
    m_.Sviluppa(2, false, static_cast<Byte>(81 - piene), false);
}

void GeneratoreSfondo::Visualizza(const Tabella& t) {
    int piene = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (t[r][c] != 0) ++piene;
    m_.NumCellePiene = piene;
}

// ---- Set-up and levels -----------------------------------------------------------------------

void GeneratoreSfondo::Form_Load() {
    m_.SoluzioneLogica = true;
    m_.TurniAttivi = {true, true, true, true, true};
    m_.ModoRisolvi = true;
    m_.LimiteFor = 3;
    std::string completo = "SGDBC";
    Settaf5turni(completo);
    m_.CostruisciTabelleUnita();
    // The hidden lists: reasoning level 4, "Difficile", "23 caselle".
    m_.IndiceRagionamento = 4;
    impostazioni.IndiceCmbf = 2;
    impostazioni.IndiceCmbC = 0;
    m_.IsalvaValidi = -1;
    mnuClassico_Click();
}

void GeneratoreSfondo::Settaf5turni(std::string& codice) { TurniDaCodice(codice, m_.Turni); }

void GeneratoreSfondo::Seleziona(const char* codice, const char* lettera, std::int16_t limiteFor) {
    CodiciTecniche = codice;
    Settaf5turni(CodiciTecniche);
    Livello = lettera;
    m_.LimiteFor = limiteFor;
}

void GeneratoreSfondo::mnuSemplice_Click() { Seleziona(" ", "S", 5); }
void GeneratoreSfondo::MnuNormale_Click() { Seleziona("S", "N", 5); }
void GeneratoreSfondo::MnuDifficile_Click() { Seleziona("SDG", "D", 5); }
void GeneratoreSfondo::mnuClassico_Click() { Seleziona("SGB", "C", 3); }
void GeneratoreSfondo::MnuEstremo_Click() { Seleziona("SGDBC", "M", 5); }

// ---- Puzzle from an empty board -------------------------------------------------------------

bool GeneratoreSfondo::Command1_Click() {
    const Tabella prima = stato_.ProblemaF5;
    auto fermato = [&] {
        stato_.ProblemaF5 = prima;
        return false;
    };
    // A fill stopped by the 5-second limit (the windows may work inside its
    // yields) leaves the grid partial: it is made again.
    do {
        m_.Inizializza();
        m_.ContaRiempimento = 0;
        ++Riempimenti;
        m_.Sviluppa(1, true, 81, false);
        if (Finito()) return fermato();
    } while (m_.ContaSoluz != 1);
    Motore::SalvaTabella(m_.Griglia, m_.Soluzione);
    if (!Generazione()) return fermato();
    Visualizza(stato_.ProblemaF5);
    for (int k = 1; k <= 13 - impostazioni.IndiceCmbC; ++k) {
        if (Cedi()) return fermato();
        Command4_Click();
        if (Finito()) return fermato();
    }
    Risolvi(1);
    if (Finito()) return fermato();
    m_.ContaRiempimento = 0;
    Visualizza(stato_.ProblemaF5);
    return true;
}

bool GeneratoreSfondo::Generazione() {
    const double n = impostazioni.Simmetrico ? 41 : 81;
    StatoGenerazione& g = generazione;
    do {
        if (Cedi()) return false;
        g.TempoScaduto = false;
        g.ScadenzaTentativo = m_.orologio->Trascorsi() + 10;
        m_.ContaSoluz = 0;
        RandomizzaCelle(m_, g.ordine, n);
        ++RicercheGivens;
        const int m = static_cast<int>(std::clamp(RoundHalfEven(Val(impostazioni.TestoLiv)), 1.0, 81.0));
        Generaf5probl(m);
        if (Finito()) return false;
    } while (g.TempoScaduto);
    Motore::SalvaTabella(m_.Griglia, stato_.ProblemaF5);
    return true;
}

void GeneratoreSfondo::Generaf5probl(int m) {
    StatoGenerazione& g = generazione;
    std::array<Byte, 82>& pila = g.ordine.PilaCombinazioni;
    int k = 0;
    pila[0] = 0;
    bool estendi = true;
    for (;;) {
        if (estendi) {
            if (Cedi()) return;
            // Only a time strictly past the deadline ends the search.
            if (m_.orologio->Trascorsi() > g.ScadenzaTentativo) {
                g.TempoScaduto = true;
                return;
            }
            ++k;
            pila[k] = pila[k - 1];
        }
        if (Cedi()) return;
        ++pila[k];
        if (pila[k] > 81) {
            // No position left at this depth.  Running out of combinations is
            // a search that found nothing in time, never a puzzle.
            --k;
            if (k == 0) {
                g.TempoScaduto = true;
                return;
            }
            estendi = false;
            continue;
        }
        if (k < m) {
            estendi = true;
            continue;
        }
        estendi = false;
        m_.Inizializza();
        TrasferisciCelleSelez(m_, g.ordine, impostazioni, static_cast<Byte>(m));
        if (pila[k] % 20 == 1) Visualizza(m_.Griglia);
        int piene = 0;
        for (int r = 1; r <= 9; ++r) {
            if (Cedi()) return;
            for (int c = 1; c <= 9; ++c) {
                if (Cedi()) return;
                if (m_.Griglia[r][c] != 0) ++piene;
            }
        }
        m_.Sviluppa(2, false, static_cast<Byte>(81 - piene), false);
        if (Finito()) return;
        if (m_.ContaSoluz == 1) {
            m_.Inizializza();
            TrasferisciCelleSelez(m_, g.ordine, impostazioni, static_cast<Byte>(m));
            return;
        }
    }
}

// ---- Lowering ---------------------------------------------------------------------------------

void GeneratoreSfondo::TrasferisciSoluz(int n, int k, const std::array<Byte, 82>& righe,
                                        const std::array<Byte, 82>& colonne) {
    const Tabella& problema = stato_.ProblemaF5;
    const bool simmetrico = impostazioni.Simmetrico;
    const int pr = k >= 1 && k <= n ? 10 - righe[k] : -1;
    const int pc = k >= 1 && k <= n ? 10 - colonne[k] : -1;
    for (int p = 1; p <= n; ++p) {
        if (p == k) continue;
        // Entry k's partner stays out too, so a lowering removes the pair.
        if (simmetrico && righe[p] == pr && colonne[p] == pc) continue;
        const int r = righe[p], c = colonne[p];
        Piazza(r, c, problema[r][c]);
        if (simmetrico && !(r == 5 && c == 5)) Piazza(10 - r, 10 - c, problema[10 - r][10 - c]);
    }
}

void GeneratoreSfondo::AbbassaLivello() {
    Tabella& problema = stato_.ProblemaF5;
    ListaDate lista = DateMischiate(m_, problema);
    // A full table has nothing to lower.
    if (lista.n > 80) return;
    const int n = lista.n;
    const auto& righe = lista.righe;
    const auto& colonne = lista.colonne;
    auto& pesi = lista.pesi;
    m_.GeneraCasuale(3);
    // Weight of each given: the singles left once it and its partner are gone.
    for (int k = 1; k <= n; ++k) {
        m_.Inizializza();
        TrasferisciSoluz(n, k, righe, colonne);
        Motore::SalvaTabella(problema, m_.Griglia);
        m_.Griglia[righe[k]][colonne[k]] = 0;
        if (impostazioni.Simmetrico) m_.Griglia[10 - righe[k]][10 - colonne[k]] = 0;
        int singoli = 0;
        for (int i = 1; i <= 9; ++i)
            for (int j = 1; j <= 9; ++j)
                if (m_.Griglia[i][j] == 0 && m_.CercaSoluzioniBelle(static_cast<Byte>(i), static_cast<Byte>(j), false,
                                                                     1, m_.Soluzione[i][j]))
                    ++singoli;
        pesi[k] = static_cast<Byte>(singoli);
    }
    // Fewest singles first; equal weights keep the shuffled order.
    OrdinaGnomo(n, [&](int a, int b) { return pesi[b] >= pesi[a]; }, [&](int a, int b) { lista.Scambia(a, b); });
    for (int k = 1; k <= n; ++k) {
        if (Cedi()) return;
        m_.Inizializza();
        TrasferisciSoluz(n, k, righe, colonne);
        const Tabella ridotto = m_.Griglia;
        ContaPiano();
        if (Finito()) return;
        if (m_.ContaSoluz == 1) {
            problema = ridotto;
            return;
        }
    }
}

// ---- Simplify and reduce ----------------------------------------------------------------------

void GeneratoreSfondo::Semplifica4() {
    Tabella& problema = stato_.ProblemaF5;
    const Tabella& soluzione = m_.Soluzione;
    StatoGenerazione& g = generazione;
    m_.ModoRisolvi = false;
    const Tabella partenza = problema;
    auto fermato = [&] { problema = partenza; };
    Byte limite = 2;
    if (!m_.SenzaTentativi) {
        RigaTolta = 0;
        ColonnaTolta = 0;
        Risolvi(1);
        if (Finito()) return fermato();
        limite = m_.ProfonditaMax;
        g.MaxValore = 0;
    }
    Tabella segni{};
    bool trovato = false;
    int br = 0, bc = 0;
    for (int r = 1; r <= 5; ++r) {
        if (Cedi()) return fermato();
        for (int c = 1; c <= (r == 5 ? 5 : 9); ++c) {
            if (Cedi()) return fermato();
            if (partenza[r][c] != 0 || (r == RigaTolta && c == ColonnaTolta) || segni[r][c] != 0) continue;
            problema = partenza;
            problema[r][c] = soluzione[r][c];
            if (impostazioni.Simmetrico && !(r == 5 && c == 5)) {
                problema[10 - r][10 - c] = soluzione[10 - r][10 - c];
                ++segni[10 - r][10 - c];
            }
            ++segni[r][c];
            m_.SoloSingoli = true;
            Risolvi(2);
            m_.SoloSingoli = false;
            if (Finito()) return fermato();
            if (m_.ProfonditaMax > 1 && m_.ContaSoluz == 1) {
                Risolvi(1);
                if (Finito()) return fermato();
                ValutaFinericerca();
            } else {
                m_.Valore = 0;
            }
            // Every record replaces the previous one: ties go to the later cell.
            if (m_.Valore >= g.MaxValore && m_.ProfonditaMax < limite) {
                g.MaxValore = m_.Valore;
                g.ContaTecnicaMigliore = {m_.ContaTecnicaS, m_.ContaTecnicaG, m_.ContaTecnicaD, m_.ContaTecnicaB,
                                          m_.ContaTecnicaC};
                g.Pregio = m_.ContaPregio;
                br = r;
                bc = c;
                trovato = true;
                if (m_.SenzaTentativi) ValutaFinericercaSAV();
            }
        }
    }
    problema = partenza;
    if (trovato) {
        problema[br][bc] = soluzione[br][bc];
        if (impostazioni.Simmetrico) problema[10 - br][10 - bc] = soluzione[10 - br][10 - bc];
    }
}

void GeneratoreSfondo::TogliSempliciOrdine() {
    Tabella& problema = stato_.ProblemaF5;
    const Tabella partenza = problema;
    m_.SenzaTentativi = true;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (problema[r][c] == 0) continue;
            problema[r][c] = 0;
            if (impostazioni.Simmetrico) problema[10 - r][10 - c] = 0;
            Risolvi(1);
            if (Finito()) {
                problema = partenza;
                m_.SenzaTentativi = false;
                return;
            }
            if (m_.ProfonditaMax > 1) {
                problema[r][c] = m_.Soluzione[r][c];
                if (impostazioni.Simmetrico) problema[10 - r][10 - c] = m_.Soluzione[10 - r][10 - c];
            }
        }
    m_.SenzaTentativi = false;
}

// ---- Rating and acceptance --------------------------------------------------------------------

namespace {

// The letters the background generates.
bool LetteraSfondo(const std::string& l) { return l == "S" || l == "N" || l == "D" || l == "C" || l == "M"; }

}  // namespace

void GeneratoreSfondo::ValutaFinericerca() {
    if (!LetteraSfondo(Livello)) return;
    bool regola = false;
    std::int64_t valore = 0;
    RegolaEMerito(Livello, {m_.ContaTecnicaS, m_.ContaTecnicaG, m_.ContaTecnicaD, m_.ContaTecnicaB, m_.ContaTecnicaC},
                  regola, valore);
    if (regola) valore += static_cast<std::int64_t>(m_.ContaPregio) * 100000;
    m_.Valore = MeritoComeLong(valore);
}

bool GeneratoreSfondo::ValutaFinericercaSAV() {
    if (!LetteraSfondo(Livello)) return false;
    bool regola = false;
    std::int64_t valore = 0;
    RegolaEMerito(Livello, generazione.ContaTecnicaMigliore, regola, valore);
    if (regola) generazione.SudokuDisponibile = true;
    return regola;
}

}  // namespace kenvaron
