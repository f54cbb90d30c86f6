#include "generation/RegoleProduzione.h"

#include "engine/Funzioni.h"
#include "narration/TestoUtf8.h"

namespace kenvaron {

namespace {

// Upper case of the ASCII letters only; every other byte stays as it is.
std::string Maiuscolo(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return r;
}

// Blanks trimmed at both ends (tabs stay, as the runtime's Trim does).
using narrazione::SenzaSpazi;

// Pass 1 on one line: "name : value", tabs removed, any letter case.
// False at the line "[REGOLE]", where the weights end.
bool LeggiPeso(std::string_view riga, PesiTecniche& pesi) {
    std::string senzaTab;
    for (char c : riga)
        if (c != '\t') senzaTab += c;
    const std::string l = Maiuscolo(SenzaSpazi(senzaTab));
    if (l == "[REGOLE]") return false;
    const auto duepunti = l.find(':');
    if (duepunti == std::string::npos || l.find(':', duepunti + 1) != std::string::npos) return true;
    const std::string_view nome = SenzaSpazi(std::string_view(l).substr(0, duepunti));
    for (int k = 0; k < PesiTecniche::kNumero; ++k)
        if (nome == Maiuscolo(PesiTecniche::kNomi[k])) {
            pesi[k] = CLng(Val(SenzaSpazi(std::string_view(l).substr(duepunti + 1))));
            break;
        }
    return true;
}

// Pass 2 on one line: "<REGOLA>" opens a rule, KEY=value sets a field of it.
// `regola` is the record that keys go to (record 0 before the first rule, and
// a scratch record after the last one the table holds).
void LeggiChiave(std::string_view riga, RegoleProduzione& regole, Regola*& regola, Regola& scarto) {
    const std::string_view l = SenzaSpazi(riga);
    if (Maiuscolo(l) == "<REGOLA>") {
        if (regole.NumRegole < RegoleProduzione::kMaxRegole) {
            ++regole.NumRegole;
            regola = &regole.Regole[regole.NumRegole];
        } else {
            scarto = Regola{};
            regola = &scarto;
        }
        return;
    }
    const auto uguale = l.find('=');
    if (uguale == std::string_view::npos) return;
    const std::string chiave = Maiuscolo(l.substr(0, uguale));
    std::string_view valore = l.substr(uguale + 1);
    valore = valore.substr(0, valore.find('='));
    Regola& r = *regola;
    if (chiave == "FILE") {
        const auto virgola = valore.find(',');
        r.File = std::string(valore.substr(0, virgola));
        if (virgola == std::string_view::npos) {
            r.TipoFile.clear();
        } else {
            const std::string_view tipo = valore.substr(virgola + 1);
            r.TipoFile = Maiuscolo(tipo.substr(0, tipo.find(',')));
        }
    } else if (chiave == "TECNICHE") {
        r.Tecniche = Maiuscolo(valore);
    } else if (chiave == "SCHEMI") {
        r.Schemi = CInt(Val(valore));
    } else if (chiave == "FILTRO") {
        r.Filtro = CLng(Val(valore));
    } else if (chiave == "COMPLICA") {
        r.Complica = Maiuscolo(valore) == "TRUE";
    }
}

}  // namespace

std::vector<std::string_view> RigheTesto(std::string_view testo) {
    std::vector<std::string_view> righe;
    std::size_t inizio = 0;
    while (inizio < testo.size()) {
        const std::size_t fine = testo.find_first_of("\r\n", inizio);
        if (fine == std::string_view::npos) {
            righe.push_back(testo.substr(inizio));
            break;
        }
        righe.push_back(testo.substr(inizio, fine - inizio));
        inizio = fine + 1;
        if (testo[fine] == '\r' && inizio < testo.size() && testo[inizio] == '\n') ++inizio;
    }
    return righe;
}

RegoleProduzione LeggiRegole(std::string_view testo) {
    RegoleProduzione regole;
    const std::vector<std::string_view> righe = RigheTesto(testo);
    for (std::string_view riga : righe)
        if (!LeggiPeso(riga, regole.Pesi)) break;
    Regola scarto;
    Regola* regola = &regole.Regole[0];
    for (std::string_view riga : righe) LeggiChiave(riga, regole, regola, scarto);
    return regole;
}

}  // namespace kenvaron
