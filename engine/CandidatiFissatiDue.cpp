// Locked candidates over two boxes (group D): two lines of a band or stack
// whose candidates of a digit lie in the same two boxes, or two boxes whose
// candidates lie in the same two lines.
#include "engine/Motore.h"

namespace kenvaron {

void Motore::ApplicaFissatoDue(int variante, int k, bool applica) {
    static constexpr TabellaTesti Motore::*kSegni[4] = {
        &Motore::CoppieApplicateR, &Motore::CoppieApplicateC, &Motore::CoppieApplicateQR,
        &Motore::CoppieApplicateQC};
    const LivelloPila& p = PilaLivelli[k];
    const int coppia = p.Riga, d = p.Cifra;
    // Boxes by columns pair the boxes of a stack; the others pair lines or boxes of a band.
    const std::string& linee = variante == 3 ? CoppieLineeQ[coppia] : CoppieLinee[coppia];
    if (applica) InizioApplica();
    std::string& segno = (this->*kSegni[variante])[coppia][d];
    if (applica)
        segno = p.Validi;
    else
        segno.clear();
    const unsigned maschera = Maschera(linee);
    for (char ch : p.Validi) {
        if (ch < '1' || ch > '9') continue;
        CifraInUnita(kVisita[variante], ch - '0', d, kLinea[variante], maschera, applica);
    }
    if (applica) FineApplica();
}

void Motore::AggiornaRcp(int k) { ApplicaFissatoDue(0, k, true); }
void Motore::RipristinaRcp(int k) { ApplicaFissatoDue(0, k, false); }
void Motore::AggiornaCcp(int k) { ApplicaFissatoDue(1, k, true); }
void Motore::RipristinaCcp(int k) { ApplicaFissatoDue(1, k, false); }
void Motore::AggiornaQRcp(int k) { ApplicaFissatoDue(2, k, true); }
void Motore::RipristinaQRcp(int k) { ApplicaFissatoDue(2, k, false); }
void Motore::AggiornaQCcp(int k) { ApplicaFissatoDue(3, k, true); }
void Motore::RipristinaQCcp(int k) { ApplicaFissatoDue(3, k, false); }

}  // namespace kenvaron
