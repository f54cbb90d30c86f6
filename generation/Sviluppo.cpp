#include "generation/Sviluppo.h"

#include <algorithm>

#include "engine/Funzioni.h"

namespace kenvaron {

void CorsaStatistica::Azzera(double inizio) {
    ContatoriClasse.fill(0);
    MigliorValoreStatistica = -1;
    MigliorePresente = false;
    InizioStatistica = inizio;
}

int CorsaStatistica::Registra(std::int32_t valore, const Tabella& problema, const Tabella& soluzione) {
    if (valore > MigliorValoreStatistica) {
        MigliorValoreStatistica = valore;
        ProblemaMiglioreStatistica = problema;
        SoluzioneMiglioreStatistica = soluzione;
        MigliorePresente = true;
    }
    const int classe = ClasseMerito(valore);
    if (ContatoriClasse[classe] < INT32_MAX) ++ContatoriClasse[classe];
    return classe;
}

std::vector<std::string> CorsaStatistica::Istogramma() const {
    std::vector<std::string> righe;
    for (int k = 0; k <= kClassiMerito; ++k)
        if (ContatoriClasse[k] > 0) righe.push_back(Format(k, "00") + " " + std::to_string(ContatoriClasse[k]));
    return righe;
}

bool CorsaStatistica::Continua(double trascorsi, bool fermata) const {
    return MigliorValoreStatistica <= ValoreObiettivo && !fermata &&
           trascorsi - InizioStatistica <= SecondiStatistica;
}

int ClasseMerito(std::int32_t valore) {
    // Int(v / 100 + 0.99) is floor((v + 99) / 100) for whole v, computed
    // without the rounding of a decimal fraction.
    const std::int64_t n = static_cast<std::int64_t>(valore) + 99;
    const std::int64_t classe = n >= 0 ? n / 100 : -((-n + 99) / 100);
    return static_cast<int>(std::clamp<std::int64_t>(classe, 0, kClassiMerito));
}

std::string NomeDump(const std::string& cartella, int classe, int conteggio) {
    return cartella + "/tmpsv" + Format(classe, "00") + "_" + Format(conteggio, "00") + ".txt";
}

std::int32_t LeggiIntero(const std::string& testo) { return CLng(Val(testo)); }

std::optional<std::pair<int, int>> CoppiaScambio(const std::string& risposta) {
    auto cifra = [](char c) { return c >= '1' && c <= '9'; };
    if (risposta.size() < 2 || !cifra(risposta[0]) || !cifra(risposta[1])) return std::nullopt;
    return std::pair{risposta[0] - '0', risposta[1] - '0'};
}

std::vector<std::string> RigheFette(const std::string& cifre81) {
    std::string s = cifre81;
    s.resize(81, '0');
    return {s, s.substr(0, 20), s.substr(20, 20), s.substr(40, 20), s.substr(60, 21)};
}

}  // namespace kenvaron
