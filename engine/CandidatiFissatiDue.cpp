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

bool Motore::CercaCandidatiFissatiDue(int livello, int turno) {
    static constexpr TabellaTesti Motore::*kSegni[4] = {
        &Motore::CoppieApplicateR, &Motore::CoppieApplicateC, &Motore::CoppieApplicateQR,
        &Motore::CoppieApplicateQC};
    static constexpr char kTipi[4] = {'1', '2', '4', '3'};
    static const char* const kCodici[4] = {"RQ", "CQ", "QR", "QC"};
    // The sentence: head, d, middle, the pair, tail, the two units.
    static const char* const kTesta[4] = {" i possibili ", " i possibli ", " i possibili ",
                                          " i possibli "};
    static const char* const kMezzo[4] = {" delle righe ", " delle colonne  ", " dei quadrati ",
                                          " dei quadrati "};
    static const char* const kCoda[4] = {" sono tutti nei quadrati ", " sono tutti nei quadrati ",
                                         " sono tutti nelle righe ", " sono tutti nelle colonne "};
    // Every finding of this group stays applied, so it never runs in analysis mode.
    if (Analisi || livello < 0 || livello > kMaxLivelli) return false;
    LivelloPila& p0 = PilaLivelli[0];
    RilevaPosti(0);
    for (int v = 0; v < 4; ++v) {
        const TabellaTesti& segni = this->*kSegni[v];
        const auto& coppie = v == 3 ? CoppieLineeQ : CoppieLinee;
        for (int p = 1; p <= 9; ++p) {
            const std::string& linee = coppie[p];
            for (int d = 1; d <= 9; ++d) {
                if (!segni[p][d].empty()) continue;
                // Both lines (or boxes) must meet the same two units, in the same order.
                // The background engine also takes one unit on both ("A0"): no
                // solution has it, so it only shows up in trial branches.
                int u1 = 0, u2 = 0, w1 = 0, w2 = 0;
                if (!UnitaIncontrate(kLinea[v], linee[0] - '0', d, kVisita[v], 2, u1, u2)) continue;
                if (!UnitaIncontrate(kLinea[v], linee[1] - '0', d, kVisita[v], 2, w1, w2)) continue;
                if (u1 != w1 || u2 != w2 || (u2 == 0 && !Sfondo)) continue;
                const char unita[] = {static_cast<char>('0' + u1), static_cast<char>('0' + u2)};
                p0.Riga = static_cast<Byte>(p);
                p0.Validi.assign(unita, 2);
                p0.Cifra = static_cast<Byte>(d);
                ApplicaFissatoDue(v, 0, true);
                const char voce[] = {kTipi[v], static_cast<char>('0' + p), ',', unita[0],
                                     unita[1], ',', static_cast<char>('0' + d), '|'};
                PilaLivelli[livello].ListaRipristino.insert(0, voce, sizeof voce);
                if (!TrovatoAvanzato) {
                    // Applied silently; the scan goes on.
                    RilevaPosti(d);
                    continue;
                }

                const std::string testo = IncrementaIndice(livello) + kTesta[v] +
                                          std::to_string(d) + kMezzo[v] + linee + kCoda[v] +
                                          p0.Validi;
                AggiungiPasso(static_cast<Byte>(livello), testo, 0, 0, "0", "", ListaCambi, "D",
                              kCodici[v], 0);
                RegistraTecnica(10, ContaTecnicaD, turno);
                return true;
            }
        }
    }
    return false;
}

}  // namespace kenvaron
