// The simplification step: every empty cell of the first half of the board
// in turn gets its solution digit back, with its symmetric partners; each try
// is rated (first by singles alone, then by a full solve and the level's
// rule), and the start puzzle plus the best group is kept.  Among tries of
// equal merit the first in reading order wins.
#include "generation/Generatore.h"

namespace kenvaron {

void Generatore::CmdSemplifica_Click() {
    gen_.ModoSemplifica = 53;
    Semplifica4();
    gen_.ModoSemplifica = 0;
}

void Generatore::Semplifica4() {
    finestra_.Puntatore(11);
    Tabella& problema = stato_.Problema;
    m_.ModoRisolvi = false;
    const Tabella partenza = problema;
    m_.contaCellePiene();
    const double piene = m_.NumCellePiene;
    Byte limite = 2;
    if (!m_.SenzaTentativi) {
        Risolvi(1);
        limite = m_.ProfonditaMax;
        gen_.MaxValore = 0;
    }
    int migliorR = 0, migliorC = 0, migliori = 0;
    const bool perCelle = livelli_.Livello == "1" || gen_.ModoSemplifica == 53;
    for (int b = 1; b <= 5 && gen_.Chiudi != 1; ++b) {
        const int ultima = b == 5 ? 5 : imp_.LimiteColonnaRimozione;
        for (int a = 1; a <= ultima; ++a) {
            finestra_.Cedi();
            if (partenza[b][a] == 0) {
                problema = partenza;
                const Gruppo g = GruppoDi(b, a);
                Scrivi(problema, g, &m_.Soluzione);
                m_.NumCellePiene = piene + g.n;
                if (g.n > 2) {
                    finestra_.Disegna(problema);
                    finestra_.Ridisegna();
                }
                const Tabella prova = problema;
                m_.SoloSingoli = true;
                Risolvi(2);
                m_.SoloSingoli = false;
                if (m_.ProfonditaMax < 2 || m_.ContaSoluz != 1) {
                    m_.Valore = perCelle ? static_cast<std::int32_t>(100 - m_.NumCellePiene) : 0;
                } else {
                    problema = prova;
                    Risolvi(1);
                    m_.ContaRiempimento = 0;
                    ValutaFinericerca();
                }
                if (m_.Valore > gen_.MaxValore && m_.ProfonditaMax < limite) {
                    gen_.MaxValore = m_.Valore;
                    gen_.Pregio = m_.ContaPregio;
                    gen_.ContaTecnicaMigliore = {m_.ContaTecnicaS, m_.ContaTecnicaG, m_.ContaTecnicaD,
                                                 m_.ContaTecnicaB, m_.ContaTecnicaC};
                    migliorR = b;
                    migliorC = a;
                    migliori = 1;
                    if (m_.SenzaTentativi && ValutaFinericercaSAV()) {
                        gen_.AccettatoPresente = true;
                        gen_.SchemaAccettato = prova;
                        gen_.ValoreAccettato = m_.Valore;
                    }
                }
            }
            if (gen_.Chiudi == 1) break;
        }
    }
    problema = partenza;
    if (migliori > 0) {
        // The list of best cells never holds more than one entry, but the draw
        // is part of the random sequence a seed rebuilds.
        m_.GeneraCasuale(migliori);
        Scrivi(problema, GruppoDi(migliorR, migliorC), &m_.Soluzione);
    }
    m_.ContaRiempimento = 0;
    finestra_.Puntatore(0);
}

}  // namespace kenvaron
