// Locked candidates in one box (group S): a digit of a row or column confined
// to one box, or a digit of a box confined to one row or column.
#include "engine/Motore.h"

namespace kenvaron {

void Motore::ApplicaFissato(int variante, int k, bool applica) {
    static constexpr Tabella Motore::*kSegni[4] = {
        &Motore::CandidatiApplicatiR, &Motore::CandidatiApplicatiC,
        &Motore::CandidatiApplicatiQR, &Motore::CandidatiApplicatiQC};
    const LivelloPila& p = PilaLivelli[k];
    const int linea = p.Riga, unita = p.Colonna, d = p.Cifra;
    if (applica) InizioApplica();
    (this->*kSegni[variante])[linea][d] = applica ? static_cast<Byte>(unita) : 0;
    CifraInUnita(kVisita[variante], unita, d, kLinea[variante], 1u << linea, applica);
    if (applica) FineApplica();
}

void Motore::AggiornaR(int k) { ApplicaFissato(0, k, true); }
void Motore::RipristinaR(int k) { ApplicaFissato(0, k, false); }
void Motore::AggiornaC(int k) { ApplicaFissato(1, k, true); }
void Motore::RipristinaC(int k) { ApplicaFissato(1, k, false); }
void Motore::AggiornaQR(int k) { ApplicaFissato(2, k, true); }
void Motore::RipristinaQR(int k) { ApplicaFissato(2, k, false); }
void Motore::AggiornaQC(int k) { ApplicaFissato(3, k, true); }
void Motore::RipristinaQC(int k) { ApplicaFissato(3, k, false); }

bool Motore::CercaCandidatiFissati(int livello, int turno) {
    static constexpr Tabella Motore::*kSegni[4] = {
        &Motore::CandidatiApplicatiR, &Motore::CandidatiApplicatiC,
        &Motore::CandidatiApplicatiQR, &Motore::CandidatiApplicatiQC};
    static constexpr char kTipi[4] = {'R', 'C', 'Q', 'q'};
    static const char* const kCodici[4] = {"RQ", "CQ", "QR", "QC"};
    // The sentence: "i possibili " d, first piece, line or box, second piece, unit.
    static const char* const kPrimo[4] = {" della riga  ", " della colonna  ", " del quadrato ",
                                          " del quadrato "};
    static const char* const kSecondo[4] = {" sono tutti nel quadrato ", " sono tutti nel quadrato ",
                                            " sono tutti nella riga ", " sono tutti nella colonna "};
    if (livello < 0 || livello > kMaxLivelli) return false;
    LivelloPila& p0 = PilaLivelli[0];
    RilevaPosti(0);
    for (int v = 0; v < 4; ++v) {
        const Tabella& segni = this->*kSegni[v];
        for (int a = 1; a <= 9; ++a) {
            for (int d = 1; d <= 9; ++d) {
                if (segni[a][d] != 0) continue;
                int unita = 0, seconda = 0;
                if (!UnitaIncontrate(kLinea[v], a, d, kVisita[v], 1, unita, seconda)) continue;
                p0.Riga = static_cast<Byte>(a);
                p0.Colonna = static_cast<Byte>(unita);
                p0.Cifra = static_cast<Byte>(d);
                ApplicaFissato(v, 0, true);
                const char voce[] = {kTipi[v], static_cast<char>('0' + a), ',',
                                     static_cast<char>('0' + unita), ',',
                                     static_cast<char>('0' + d), '|'};
                PilaLivelli[livello].ListaRipristino.insert(0, voce, sizeof voce);
                if (!TrovatoAvanzato) {
                    // Applied silently; the scan goes on.
                    RilevaPosti(d);
                    continue;
                }

                if (!Analisi || AlmenoDue(ListaCambi)) {
                    const std::string testo = IncrementaIndice(livello) + "i possibili " +
                                              std::to_string(d) + kPrimo[v] + std::to_string(a) +
                                              kSecondo[v] + std::to_string(unita);
                    AggiungiPasso(static_cast<Byte>(livello), testo, 0, 0, "0", "", ListaCambi,
                                  "S", kCodici[v], 0);
                }
                RegistraTecnica(3, ContaTecnicaS, turno);
                if (!Analisi) return true;
                // Analysis mode: every finding is reported against the same grid.
                ApplicaFissato(v, 0, false);
                TrovatoAvanzato = false;
                RilevaPosti(d);
            }
        }
    }
    return false;
}

}  // namespace kenvaron
