#include "narration/Sequenze.h"

#include <algorithm>

namespace kenvaron {

std::string TitoloScheda(int i, const std::string& nomeLivello) {
    return i == 1 ? nomeLivello : "Sequenza " + std::to_string(i);
}

const char* SuggerimentoScheda(int i) {
    static constexpr const char* kSuggerimenti[kNumeroSequenze + 1] = {
        "",
        "Sequenza di soluzione applicando il livello selezionato",
        "Sequenza di soluzione applicando tutti gli schemi logici",
        "Sequenza di soluzione privilegiando colori e catene obbligate",
        "Sequenza di soluzione privilegiando Burma",
        "Sequenza di soluzione privlegiando doppi / tripli nudi/nascosti",
        "Sequenza di soluzione applicando solo colori e catene obbligate ",
        "Sequenza di soluzione privilegiando candidati fissati in 2 quadrati",
    };
    return i >= 1 && i <= kNumeroSequenze ? kSuggerimenti[i] : "";
}

int SchedaIniziale(const std::string& codiciTecniche, const std::array<std::string, 8>& sequenze,
                   const std::array<Byte, 6>& tecnicheAttive) {
    const bool tutte = std::all_of(tecnicheAttive.begin(), tecnicheAttive.end(), [](Byte b) { return b == 1; });
    int scelta = 1;
    for (int i = 1; i <= kNumeroSequenze; ++i)
        if (codiciTecniche == sequenze[i] && (i != 2 || tutte)) scelta = i;
    return scelta;
}

TecnicheSalvate TecnicheSalvate::Da(const Condiviso& c, const Motore& m) {
    return {c.TecnicheAttive, m.LimiteFor, c.TecnicheAvanzate};
}

void TecnicheSalvate::Ripristina(Condiviso& c, Motore& m, TecnicheLivello& livello) const {
    c.TecnicheAttive = attive;
    m.LimiteFor = limiteFor;
    c.TecnicheAvanzate = avanzate;
    livello.SettaTurni(livello.CodiciTecniche);
}

void ImpostaScheda(int i, const TecnicheSalvate& salvate, Condiviso& c, Motore& m, TecnicheLivello& livello) {
    std::string ordine = c.Sequenze[std::clamp(i, 1, kNumeroSequenze)];
    livello.SettaTurni(ordine);
    if (i != 1) {
        livello.AccendiSchK(1, 1);
        livello.AccendiAV(0, 0, 0);
        m.LimiteFor = 5;
    } else {
        c.TecnicheAttive = salvate.attive;
        livello.AccendiAV(salvate.avanzate[0], salvate.avanzate[1], salvate.avanzate[2]);
        m.LimiteFor = salvate.limiteFor;
    }
}

RisultatiSoluzione RisultatiSoluzione::Da(const Motore& m) {
    RisultatiSoluzione r;
    r.contaSoluz = m.ContaSoluz;
    const int n = std::clamp(m.NumPassi, 0, Motore::kMaxPassi);
    r.passi.assign(m.LogPassi.begin() + 1, m.LogPassi.begin() + 1 + n);
    r.soluzione = m.Soluzione;
    r.griglia = m.Griglia;
    r.possibili = m.Possibili;
    r.numeroCandidati = m.NumeroCandidati;
    r.profonditaMax = m.ProfonditaMax;
    r.valore = m.Valore;
    r.contaTecnica = {m.ContaTecnicaS, m.ContaTecnicaG, m.ContaTecnicaD, m.ContaTecnicaB, m.ContaTecnicaC};
    r.contaPregio = m.ContaPregio;
    return r;
}

void RisultatiSoluzione::Ripristina(Motore& m) const {
    m.ContaSoluz = contaSoluz;
    m.NumPassi = static_cast<int>(passi.size());
    std::copy(passi.begin(), passi.end(), m.LogPassi.begin() + 1);
    m.Soluzione = soluzione;
    m.Griglia = griglia;
    m.Possibili = possibili;
    m.NumeroCandidati = numeroCandidati;
    m.ProfonditaMax = profonditaMax;
    m.Valore = valore;
    m.ContaTecnicaS = contaTecnica[0];
    m.ContaTecnicaG = contaTecnica[1];
    m.ContaTecnicaD = contaTecnica[2];
    m.ContaTecnicaB = contaTecnica[3];
    m.ContaTecnicaC = contaTecnica[4];
    m.ContaPregio = contaPregio;
}

}  // namespace kenvaron
