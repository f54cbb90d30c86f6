#include "generation/Nuovo.h"

#include <cmath>

#include "generation/ContaSoluzioni.h"

namespace kenvaron {

namespace {

template <std::size_t N>
std::string Prendi(std::array<std::string, N>& slot) {
    for (std::size_t i = 1; i < N; ++i) {
        if (slot[i].empty()) continue;
        std::string s;
        s.swap(slot[i]);
        if (SlotValido(s)) return s;
    }
    return "";
}

}  // namespace

std::string RecuperaProbl(Condiviso& stato, const std::string& livello) {
    if (livello == "S") return Prendi(stato.SchemiBkgS);
    if (livello == "N") return Prendi(stato.SchemiBkgN);
    if (livello == "D") return Prendi(stato.SchemiBkgD);
    if (livello == "C" || livello == "E") return Prendi(stato.SchemiBkgC);
    if (livello == "M") return Prendi(stato.SchemiBkgE);
    return "";
}

bool SimmetriaCentrale(const Tabella& t) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if ((t[r][c] == 0) != (t[10 - r][10 - c] == 0)) return false;
    return true;
}

const char* LimiteSecondi(const std::string& lettera) {
    return lettera == "E" || lettera == "M" || lettera == "C" || lettera == "D" ? "180" : "9999";
}

std::string LetteraDiLavoro(const std::string& livello, const std::string& codici) {
    if (livello == "P" && (codici == " " || codici.empty())) return "S";
    return livello;
}

std::string TestoInCorso(long t) { return "SUDOKU  in corso di realizzazione " + std::to_string(t); }

std::string TestoDisponibile(int pregio, long t) {
    return "PREGIO=" + std::to_string(pregio + 1) + " SUDOKU DISPONIBILE " + std::to_string(t);
}

RicercaNuovo::RicercaNuovo(Generatore& generatore, Motore& motore, Condiviso& stato,
                           ImpostazioniGenerazione& impostazioni, StatoGenerazione& generazione,
                           FinestraGenerazione& finestra, const Orologio& orologio)
    : g_(generatore),
      m_(motore),
      stato_(stato),
      imp_(impostazioni),
      gen_(generazione),
      finestra_(finestra),
      orologio_(orologio) {}

double RicercaNuovo::Trascorsi() const { return orologio_.Trascorsi() - gen_.InizioGenerazione; }

void RicercaNuovo::Accettato(const Tabella& schema, std::int32_t valore) {
    if (accettato_ && valore < valoreAccettato_) return;
    accettato_ = true;
    valoreAccettato_ = valore;
    schemaAccettato_ = schema;
    soluzioneAccettata_ = m_.Soluzione;
    semeAccettato_ = gen_.SemeCorrente;
}

void RicercaNuovo::Giro(const Tabella& inizio, Tabella& miglioreGiro, double limite) {
    Tabella& problema = stato_.Problema;
    for (int b = 1; b <= 5; ++b) {
        const int ultima = b == 5 ? 5 : imp_.LimiteColonnaRimozione;
        for (int a = 1; a <= ultima; ++a) {
            if (inizio[b][a] == 0) continue;
            problema = inizio;
            problema[b][a] = 0;
            problema[10 - b][10 - a] = 0;
            if (imp_.SuperSimmetrico && NO456(imp_, b) && NO456(imp_, a)) {
                problema[b][10 - a] = 0;
                problema[10 - b][a] = 0;
            }
            gen_.AccettatoPresente = false;
            g_.Semplifica4();
            if (gen_.AccettatoPresente) Accettato(gen_.SchemaAccettato, gen_.ValoreAccettato);
            const long t = static_cast<long>(std::floor(Trascorsi()));
            if (gen_.SudokuDisponibile) {
                finestra_.Disegna(problema);
                finestra_.Ridisegna();
                finestra_.TestoPannello("p2", TestoDisponibile(gen_.Pregio, t));
                finestra_.TestoPannello("p1", "ESC per accettare");
                if (gen_.GeneraAuto2) gen_.Chiudi = 1;
            } else {
                finestra_.TestoPannello("p2", TestoInCorso(t));
            }
            if (gen_.MaxValore > gen_.MigliorValore) {
                gen_.MigliorValore = gen_.MaxValore;
                miglioreGiro = problema;
            }
            if (limite < Trascorsi()) gen_.Chiudi = 1;
            if (gen_.Chiudi == 1) return;
        }
    }
}

bool RicercaNuovo::Cerca(const std::string& lettera, double limite) {
    accettato_ = false;
    valoreAccettato_ = 0;
    gen_.ContaTecnicaMigliore = {};
    gen_.Pregio = 0;
    bool primoGiro = true;
    const bool senzaRimozione = lettera == "1" || lettera == "3";
    Tabella& problema = stato_.Problema;

    while (!(limite < Trascorsi())) {
        m_.SenzaTentativi = false;
        const bool seme = lettera != "3" && !imp_.SuperSimmetrico && !gen_.GeneraAuto && SemeDalPool && SemeDalPool();
        if (seme) {
            gen_.SemeCorrente.clear();
        } else if (!g_.Command7_Click()) {
            // A seed that failed ends its attempt; so does a stop inside it.
            if (gen_.Chiudi == 1) break;
            continue;
        }
        std::int32_t precedente = 0;
        for (;;) {
            const Tabella inizio = problema;
            Tabella miglioreGiro = problema;
            finestra_.Disegna(problema);
            finestra_.Ridisegna();
            m_.Risolvi(1);
            if (primoGiro) {
                m_.Valore = 0;
                primoGiro = false;
            } else {
                m_.contaCellePiene();
                g_.ValutaFinericerca();
            }
            if (senzaRimozione) {
                m_.contaCellePiene();
                m_.Valore = static_cast<std::int32_t>(100 - m_.NumCellePiene);
                if (g_.ValutaFinericercaSAV()) Accettato(problema, m_.Valore);
                finestra_.Puntatore(0);
            } else {
                gen_.MaxValore = m_.Valore;
                gen_.MigliorValore = m_.Valore;
                m_.SenzaTentativi = true;
                Giro(inizio, miglioreGiro, limite);
            }
            problema = miglioreGiro;
            if (gen_.MigliorValore <= precedente) break;
            precedente = gen_.MigliorValore;
            if (gen_.Chiudi == 1) break;
        }
        if (gen_.Chiudi == 1 || gen_.SudokuDisponibile) break;
    }
    m_.SenzaTentativi = false;
    if (!accettato_) {
        gen_.SudokuDisponibile = false;
        return false;
    }
    gen_.SudokuDisponibile = true;
    problema = schemaAccettato_;
    m_.Soluzione = soluzioneAccettata_;
    gen_.SemeCorrente = semeAccettato_;
    return true;
}

}  // namespace kenvaron
