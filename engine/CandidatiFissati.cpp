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

}  // namespace kenvaron
