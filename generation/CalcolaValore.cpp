#include "generation/CalcolaValore.h"

#include <algorithm>
#include <limits>

#include "narration/ListaRagionamento.h"
#include "narration/TestoUtf8.h"

namespace kenvaron {

namespace {

using narrazione::Contiene;

int Caratteri(std::string_view s) { return static_cast<int>(narrazione::NumeroCaratteri(s)); }

// Weight number and label of one step; peso -1 = the step weighs nothing.
struct Esito {
    int peso = -1;
    std::string etichetta;
};

Esito EsitoPasso(const Passo& p, std::string_view t) {
    const std::string& tipo = p.Tipo;
    if (tipo == "U") return p.Codice.empty() ? Esito{0, "Singolo nudo"} : Esito{1, "Singolo nascosto"};
    if (tipo == "S") return {2, "Candidati Imprigionati"};
    if (tipo == "D") return {2, "Candidati Fissati in Due Quadrati"};
    if (tipo == "G" || tipo == "g") {
        const bool nudo = tipo == "G";
        const int base = p.Dimensione == 2 ? 3 : p.Dimensione == 3 ? 5 : 7;
        return {nudo ? base : base + 1, narrazione::DecodDoppioTriplo(p.Dimensione) + (nudo ? " Nudo" : " Nascosto")};
    }
    if (tipo == "B") {
        // A fish narration ends with its lines as one run of digits: its length is the size.
        const auto blank = t.rfind(' ');
        const int n = Caratteri(blank == std::string_view::npos ? t : t.substr(blank + 1));
        return {n == 2 ? 9 : n == 3 ? 11 : 14,
                "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (" + std::to_string(n) + " righe/colonne)"};
    }
    if (tipo == "W") {
        const auto andare = p.Testo.find("andare");
        if (andare != std::string::npos && andare >= 1) return {10, "XYZ-wings"};
        return {10, Caratteri(t) < 70 ? "XY-wing" : "XYZT-wings"};
    }
    const bool conclusione = Contiene(t, "Ne consegue");
    if (tipo == "O") return {conclusione ? 15 : -1, "Catene Obbligate"};
    if (tipo == "I") return {conclusione ? 16 : -1, "Catene Obbligate da RCQ"};
    if (tipo == "M") {
        if (!conclusione) return {-1, "Colori"};
        return Contiene(t, "viola") ? Esito{13, "Colori multipli"} : Esito{12, "Colori"};
    }
    if (tipo == "C") return {Contiene(t, " contraddizione") ? 17 : -1, "Nishio"};
    return {};
}

std::int32_t Satura(std::int64_t n) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(n, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::string NumeroStampato(std::int64_t n) {
    return (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -static_cast<std::uint64_t>(n) : n) + " ";
}

Valutazione ValutaPassi(const Motore& motore, const PesiTecniche& pesi, bool registra) {
    Valutazione v;
    std::int64_t totale = 0;
    std::string ultima, sep;
    const int passi = std::clamp(motore.NumPassi, 0, Motore::kMaxPassi);
    for (int i = 1; i <= passi; ++i) {
        const Passo& p = motore.LogPassi[i];
        const std::string_view t = narrazione::SenzaSpazi(p.Testo);
        const Esito e = EsitoPasso(p, t);
        if (p.Tipo == "U" && Contiene(t, "!!")) {
            std::string voce = ultima;
            std::replace(voce.begin(), voce.end(), ',', ' ');
            v.TestoTecniche += sep + voce;
            sep = "|";
        }
        const std::int32_t peso = e.peso < 0 ? 0 : pesi[e.peso];
        if (!e.etichetta.empty()) ultima = e.etichetta;
        totale = Satura(totale + peso);
        if (registra) v.Rapporto.push_back(p.Tipo + NumeroStampato(peso) + e.etichetta + p.Testo);
    }
    v.ValoreCalcolato = Satura(totale);
    if (registra) v.Rapporto.push_back(NumeroStampato(v.ValoreCalcolato) + v.TestoTecniche);
    return v;
}

void RisolviProblema(Motore& motore, Livelli& livelli) {
    motore.stato.Sequenze[1] = livelli.CodiciTecniche;
    motore.contaCellePiene();
    motore.ModoRisolvi = true;
    motore.Risolvi(4);
}

}  // namespace kenvaron
