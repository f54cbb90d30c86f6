#include "narration/NomeTecnica.h"

#include "engine/Marcatori.h"
#include "narration/ListaRagionamento.h"
#include "narration/TestoUtf8.h"

namespace kenvaron::narrazione {

namespace {

// A narration this long or longer (trimmed) is a four-cell wing.
constexpr std::size_t kLunghezzaXYZT = 70;

// The kinds whose name is a fixed label.
struct VoceNome {
    char tipo;
    const char* nome;
    Applicabile applicabile;
};
constexpr VoceNome kNomiFissi[] = {
    {'S', "Candidati Fissati", Applicabile::SeQuindi},
    {'O', "Catene Obbligate", Applicabile::SeQuindi},
    {'I', "Catene Obbligate da riga,colonna,quadrato", Applicabile::SeQuindi},
    {'M', "Colori,Colori multipli", Applicabile::SeQuindi},
    {'D', "Candidati Fissati in Due Quadrati", Applicabile::SeQuindi},
    {'C', "Nishio", Applicabile::SeVerrebbeEscluso},
};

std::string NomeAla(const std::string& testo) {
    const std::size_t andare = testo.find(marcatori::kAndare);
    if (andare != std::string::npos && andare > 0) return "XYZ-wings";
    return NumeroCaratteri(SenzaSpazi(testo)) < kLunghezzaXYZT ? "XY-wing" : "XYZT-wings";
}

// The fish's lines: the characters of the trimmed narration's last word.
std::size_t LineePesce(const std::string& testo) {
    const std::string_view t = SenzaSpazi(testo);
    const std::size_t spazio = t.rfind(' ');
    return NumeroCaratteri(spazio == std::string_view::npos ? t : t.substr(spazio + 1));
}

}  // namespace

NomeTecnica NomeDelPasso(const Passo& p) {
    if (p.Tipo.size() != 1) return {};
    const char tipo = p.Tipo[0];
    for (const VoceNome& v : kNomiFissi)
        if (v.tipo == tipo) return {v.nome, v.applicabile};
    switch (tipo) {
        case 'U': return {p.Codice.empty() ? "Singolo nudo" : "Singolo nascosto", Applicabile::Sempre};
        case 'W': return {NomeAla(p.Testo), Applicabile::SeQuindi};
        case 'B':
            return {"X-wings,Swordfish,Burma,Jellyfish,Squirmbag (" + std::to_string(LineePesce(p.Testo)) +
                        " righe/colonne)",
                    Applicabile::SeQuindi};
        case 'G': return {DecodDoppioTriplo(p.Dimensione) + " Nudo", Applicabile::SeQuindi};
        case 'g': return {DecodDoppioTriplo(p.Dimensione) + " Nascosto", Applicabile::SeQuindi};
        default: return {};
    }
}

TestiPasso TestiDelPasso(const Motore& m, int passo, const std::string& testoRiga, const ModoLista& modo) {
    TestiPasso t;
    if (passo < 1 || passo > m.NumPassi || passo > Motore::kMaxPassi) return t;
    const NomeTecnica n = NomeDelPasso(m.LogPassi[passo]);
    if (n.applicabile == Applicabile::Mai) return t;
    t.p2 = n.nome;
    bool applica = false;
    switch (n.applicabile) {
        case Applicabile::Sempre: applica = true; break;
        case Applicabile::SeQuindi: applica = Contiene(testoRiga, marcatori::kQuindi); break;
        case Applicabile::SeVerrebbeEscluso: applica = Contiene(testoRiga, marcatori::kVerrebbeEscluso); break;
        case Applicabile::Mai: break;
    }
    if (modo.FlagVisPoss == 1 && applica && !modo.Analisi) t.p1 = kTastoDestro;
    return t;
}

}  // namespace kenvaron::narrazione
