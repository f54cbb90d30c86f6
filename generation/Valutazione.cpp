// Acceptance and merit of a try.  Each level letter has a rule the try's
// technique counters must meet and a merit whose weights are powers of ten
// rising with the difficulty of the group; an accepted try gains 100000 per
// quality point of the solve.  The custom level and level "2" weigh each
// group by the power of ten of its turn.
#include <cmath>
#include <limits>

#include "engine/FileTesto.h"
#include "engine/TestoSchema.h"
#include "generation/Generatore.h"

namespace kenvaron {

namespace {

// The five counters, named as the rules use them.
struct Conteggi {
    std::int64_t S, G, D, B, C;
};

std::int32_t ComeLong(double x) {
    if (!(x < static_cast<double>(std::numeric_limits<std::int32_t>::max())))
        return std::numeric_limits<std::int32_t>::max();
    if (x < static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::nearbyint(x));
}

std::int32_t ComeLong(std::int64_t x) {
    if (x > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (x < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

// Every group whose turn is at or after the mandatory turn was used at least
// once; S and D count together, and a group off (turn 0) never blocks.
bool RegolaTurni(const Conteggi& k, const Motore& m, std::int16_t obbligatorio) {
    auto blocca = [&](std::int64_t conteggio, std::int16_t turno) {
        return conteggio == 0 && turno >= 1 && turno >= obbligatorio;
    };
    return !(blocca(k.S + k.D, m.Turni[Motore::kS]) || blocca(k.S + k.D, m.Turni[Motore::kD]) ||
             blocca(k.B, m.Turni[Motore::kB]) || blocca(k.C, m.Turni[Motore::kC]) ||
             blocca(k.G, m.Turni[Motore::kG]));
}

// 10^turn per group; D steps carry the weight of the S turn.
std::int32_t MeritoTurni(const Conteggi& k, const Motore& m) {
    auto peso = [&](Motore::Gruppo g) { return std::pow(10.0, m.Turni[g]); };
    return ComeLong(peso(Motore::kS) * static_cast<double>(k.S + k.D) + peso(Motore::kG) * static_cast<double>(k.G) +
                    peso(Motore::kB) * static_cast<double>(k.B) + peso(Motore::kC) * static_cast<double>(k.C));
}

bool Regola2(const Conteggi& k, double pieni) { return (k.S + k.D >= 1 || k.G >= 1 || k.B >= 1) && pieni <= 32; }

}  // namespace

bool RegolaEMerito(const std::string& l, const std::array<std::int32_t, 5>& conteggi, bool& regola,
                   std::int64_t& valore) {
    const Conteggi k{conteggi[0], conteggi[1], conteggi[2], conteggi[3], conteggi[4]};
    if (l == "S") {
        regola = true;
        valore = 1;
    } else if (l == "N") {
        regola = k.S >= 1;
        valore = 10 * k.S;
    } else if (l == "D") {
        regola = k.G >= 1;
        valore = 10 * (k.S + k.D) + 100 * k.G;
    } else if (l == "E") {
        regola = k.B >= 1 || k.C >= 1;
        valore = 10 * (k.S + k.D) + 100 * k.G + 1000 * (k.B + k.C);
    } else if (l == "M") {
        regola = k.C >= 1;
        valore = 10 * (k.S + k.D) + 100 * k.G + 1000 * k.B + 10000 * k.C;
    } else if (l == "C") {
        regola = k.B >= 1;
        valore = 10 * (k.S + k.D) + 100 * k.G + 1000 * k.B;
    } else {
        return false;
    }
    return true;
}

std::int32_t MeritoComeLong(std::int64_t valore) { return ComeLong(valore); }

void Generatore::ValutaFinericerca() {
    const Conteggi k{m_.ContaTecnicaS, m_.ContaTecnicaG, m_.ContaTecnicaD, m_.ContaTecnicaB, m_.ContaTecnicaC};
    const std::string& l = livelli_.Livello;
    bool regola = false;
    std::int64_t valore = 0;
    if (RegolaEMerito(l, {m_.ContaTecnicaS, m_.ContaTecnicaG, m_.ContaTecnicaD, m_.ContaTecnicaB, m_.ContaTecnicaC},
                      regola, valore)) {
        // Rule and merit read the counters alone.
    } else if (l == "1" || l == "3") {
        regola = true;
        valore = 1;
    } else if (l == "P") {
        regola = RegolaTurni(k, m_, livelli_.TurnoObbligatorio);
        valore = gen_.GeneraAuto ? (k.S + k.D) * gen_.PCandidati_imprigionati + k.G * gen_.PTripletta_nascosta +
                                       k.B * gen_.PSwordfish + k.C * gen_.PSimple_Color
                                 : MeritoTurni(k, m_);
    } else if (l == "2") {
        regola = Regola2(k, m_.NumCellePiene);
        valore = MeritoTurni(k, m_);
    } else {
        // A letter outside the table leaves the merit as it is.
        gen_.RegolaSoddisfatta = false;
        return;
    }
    if (regola && !gen_.GeneraAuto) valore += static_cast<std::int64_t>(m_.ContaPregio) * 100000;
    m_.Valore = ComeLong(valore);
    gen_.RegolaSoddisfatta = regola;
}

bool Generatore::ValutaFinericercaSAV() {
    const auto& b = gen_.ContaTecnicaMigliore;
    const Conteggi k{b[0], b[1], b[2], b[3], b[4]};
    const std::string& l = livelli_.Livello;
    bool regola = false;
    std::int64_t valore = 0;
    if (RegolaEMerito(l, b, regola, valore)) {
        // The counters alone decide.
    } else if (l == "1") {
        regola = m_.Valore > imp_.LimiteSuperSemplice;
    } else if (l == "3") {
        regola = m_.Valore > imp_.LimiteSemplice2;
    } else if (l == "P") {
        regola = RegolaTurni(k, m_, livelli_.TurnoObbligatorio);
    } else if (l == "2") {
        regola = Regola2(k, m_.NumCellePiene);
    }
    if (regola) gen_.SudokuDisponibile = true;
    return regola;
}

bool Generatore::Archivia(const std::string& cartella) {
    const std::string riga = gen_.SemeCorrente + "|" + SchemaTesto(stato_.Problema);
    return AggiungiRiga(cartella + "/" + livelli_.Livello + ".txt", riga, FilePropriIn(cartella));
}

}  // namespace kenvaron
