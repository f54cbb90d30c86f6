#include "narration/VistaPasso.h"

#include <cctype>
#include <unordered_set>

#include "engine/Marcatori.h"
#include "narration/TestoUtf8.h"

namespace kenvaron {

namespace {

using namespace marcatori;

using narrazione::Contiene;
using narrazione::Sostituisci;

// The items of a part, each closed by "|"; text after the last "|" is no item.
// `dopo` receives, for each item, the text that follows its "|".
std::vector<std::string> Voci(const std::string& parte, std::vector<std::string>* dopo = nullptr) {
    std::vector<std::string> voci;
    std::size_t inizio = 0;
    for (std::size_t fine = parte.find('|'); fine != std::string::npos; fine = parte.find('|', inizio)) {
        voci.push_back(parte.substr(inizio, fine - inizio));
        inizio = fine + 1;
        if (dopo != nullptr) dopo->push_back(parte.substr(inizio));
    }
    return voci;
}

}  // namespace

Terna LeggiTerna(const std::string& voce) {
    int valori[3] = {0, 0, 0};
    std::size_t inizio = 0;
    for (int k = 0; k < 3; ++k) {
        const std::size_t virgola = voce.find(',', inizio);
        if (virgola == std::string::npos) break;
        int n = 0;
        for (std::size_t i = inizio; i < virgola && std::isdigit(static_cast<unsigned char>(voce[i])); ++i)
            n = n * 10 + (voce[i] - '0');
        valori[k] = n;
        inizio = virgola + 1;
    }
    return {valori[0], valori[1], valori[2]};
}

CelleDelPasso ScomponiCelle(const std::string& celle) {
    CelleDelPasso esito;
    std::string lista = Sostituisci(celle, kCLL, kCOL);
    if (Contiene(lista, kCOL)) {
        esito.coloreEvidenza = kColoreSchemaColori;
        lista = Sostituisci(std::move(lista), kCOL, "");
    }
    if (lista.empty()) return esito;
    lista += "/   ";
    const std::size_t barra = lista.find('/');
    esito.eliminazioni = Voci(lista.substr(0, barra));
    std::vector<std::string> dopo;
    const std::vector<std::string> schema = Voci(lista.substr(barra + 1), &dopo);
    int classe = 0;
    for (std::size_t i = 0; i < schema.size(); ++i) {
        std::string maiuscola = schema[i];
        for (char& ch : maiuscola) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        if (Contiene(maiuscola, "X")) classe = 1;
        if (Contiene(maiuscola, "M")) classe = 3;
        if (Contiene(maiuscola, "W")) classe = 2;
        if (dopo[i].rfind(kXxx, 0) == 0) classe += 10;
        esito.schema.push_back({schema[i], classe});
    }
    return esito;
}

std::vector<int> RighePercorso(const LetturaLista& lista, int selezionata, bool analisi) {
    std::vector<int> righe;
    if (selezionata < 1 || selezionata >= lista.Righe()) return righe;
    const std::string chiave = lista.Testo(selezionata, narrazione::kColPercorso);
    for (int j = analisi ? selezionata : 1; j < selezionata; ++j)
        if (Contiene(chiave, lista.Testo(j, narrazione::kColPercorso).c_str())) righe.push_back(j);
    righe.push_back(selezionata);
    return righe;
}

bool Suggerimenti::Aggiungi(const std::string& testo, const std::string& tipo) {
    if (NumSuggerimenti >= kMassimo) return false;
    ++NumSuggerimenti;
    TestiSuggerimento[NumSuggerimenti] = testo;
    TipiSuggerimento[NumSuggerimenti] = tipo;
    return true;
}

void RaccogliSuggerimenti(const LetturaLista& lista, const std::vector<int>& percorso, bool analisi,
                          Suggerimenti& s) {
    s.Svuota();
    if (analisi) return;
    std::unordered_set<std::string> passiVisti;
    for (const int j : percorso) {
        if (!passiVisti.insert(lista.Testo(j, narrazione::kColPasso)).second) continue;
        const Terna t = LeggiTerna(lista.Testo(j, narrazione::kColCella) + "   ");
        if (t.cifra > 0 && t.cifra < 10 &&
            !s.Aggiungi(std::to_string(t.riga) + std::to_string(t.colonna) + std::to_string(t.cifra), "N"))
            return;
        for (const std::string& voce : ScomponiCelle(lista.Testo(j, narrazione::kColCelle)).eliminazioni)
            if (!s.Aggiungi(voce + ",", "C")) return;
    }
}

int PassoCandidati(const std::string& testo, int numeroPasso, int offset) {
    const int meno = Contiene(testo, kContraddizione) || Contiene(testo, kSarebbe) ? 1 : 0;
    if (Contiene(testo, kVerrebbeEscluso)) offset -= 2;
    return numeroPasso + offset - meno;
}

bool TestoTentativo(const std::string& testo) { return Contiene(testo, kProvo); }
bool TestoSoluzione(const std::string& testo) { return Contiene(testo, kSoluzioneN); }
bool TestoConclusione(const std::string& testo) { return Contiene(testo, kQuindi); }

}  // namespace kenvaron
