#include "narration/ListaRagionamento.h"

#include <cmath>
#include <limits>

#include "engine/Marcatori.h"
#include "narration/TestoUtf8.h"

namespace kenvaron::narrazione {

namespace {

// The marker colour rules in the order they apply, a later match winning:
// a text the narration contains, or one of the step kinds.
struct RegolaColore {
    const char* testo;
    const char* tipi;
    long colore;
};
constexpr RegolaColore kRegoleColore[] = {
    {marcatori::kEvidenza, nullptr, kGrigioEvidenza},
    {nullptr, "W", kVerde},
    {nullptr, "OIM", kGiallo},
    {nullptr, "G", kBlu},
    {nullptr, "g", kCiano},
    {nullptr, "D", kRosso},
    {nullptr, "B", kVerde},
    {nullptr, "S", kMagenta},
    {marcatori::kPortaA, nullptr, kGiallo},
};

bool Applica(const RegolaColore& regola, const Passo& p) {
    if (regola.testo != nullptr) return Contiene(p.Testo, regola.testo);
    return p.Tipo.size() == 1 && std::string_view(regola.tipi).find(p.Tipo[0]) != std::string_view::npos;
}

// A cell list that is an elimination list (chains, colours and Nishio trials carry markers instead).
bool ElencaEliminazioni(const std::string& celle) {
    return !celle.empty() && !Contiene(celle, marcatori::kCOL) && !Contiene(celle, marcatori::kXxx) &&
           !Contiene(celle, marcatori::kYyy);
}

// The value of the leading decimal digits, 0 when there are none.
int CifreIniziali(std::string_view s) {
    int n = 0;
    for (char ch : s) {
        if (ch < '0' || ch > '9' || n > std::numeric_limits<int>::max() / 10 - 1) break;
        n = n * 10 + (ch - '0');
    }
    return n;
}

}  // namespace

std::string NumeroPasso(int passo) {
    std::string s = std::to_string(passo);
    if (s.size() < 3) s.insert(0, 3 - s.size(), '0');
    return s;
}

std::string DecodificaNonpossibili(std::string& lista) {
    int numeri[3] = {};
    for (int& n : numeri) {
        const std::size_t virgola = lista.find(',');
        if (virgola == std::string::npos) {
            // A number without its comma reads 0, as a missing one does.
            lista.clear();
            continue;
        }
        n = CifreIniziali(std::string_view(lista).substr(0, virgola));
        lista.erase(0, virgola + 1);
    }
    return std::to_string(numeri[2]) + " non in " + std::to_string(numeri[0]) + "," + std::to_string(numeri[1]) + " , ";
}

std::string DecodDoppioTriplo(int n) {
    switch (n) {
        case 2: return "Doppio";
        case 3: return "Triplo";
        case 4: return "Quadruplo";
        case 5: return "Quintuplo";
        default: return "";
    }
}

std::string TestoSoluzioni(double contaSoluz, bool almeno) {
    std::string numero;
    if (std::floor(contaSoluz) == contaSoluz && std::fabs(contaSoluz) < 1e15)
        numero = std::to_string(static_cast<long long>(contaSoluz));
    else
        numero = std::to_string(contaSoluz);
    if (almeno && contaSoluz == 4) return "Trovate almeno " + numero + " soluzioni";
    return "Trovate " + numero + " soluzioni";
}

ListaRagionamento RigheRagionamento(const Motore& m) {
    ListaRagionamento lista;
    lista.numPassiMostrati = m.NumPassi;
    lista.righe.reserve(static_cast<std::size_t>(2 * std::max(0, m.NumPassi)));
    // The latest step seen at each depth: the search path of a row.
    std::array<int, std::numeric_limits<Byte>::max() + 1> ultimoPasso{};

    for (int i = 1; i <= m.NumPassi && i <= Motore::kMaxPassi; ++i) {
        const Passo& p = m.LogPassi[i];
        ultimoPasso[p.Profondita] = i;

        RigaRagionamento& riga = lista.righe.emplace_back();
        auto& col = riga.colonne;
        col[kColPasso] = std::to_string(i);
        col[kColMarcatore] = std::to_string(p.Profondita);
        col[kColTesto] = NumeroPasso(i) + ")" + p.Testo;
        col[kColCella] = std::to_string(p.Riga) + "," + std::to_string(p.Colonna) + "," + p.Cifra + ",";
        col[kColRipristino] = p.Ripristino;
        col[kColCelle] = p.Celle;
        if (Contiene(p.Testo, marcatori::kVuota)) {
            col[kColTesto].clear();
            riga.vuota = true;
        }

        riga.sfondo = kBianco;
        for (const RegolaColore& regola : kRegoleColore)
            if (Applica(regola, p)) {
                riga.sfondo = regola.colore;
                riga.grassetto = true;
            }
        for (int k = 0; k < p.Profondita; ++k) {
            col[kColPercorso] += 'R';
            col[kColPercorso] += std::to_string(ultimoPasso[k]);
            col[kColPercorso] += 'X';
        }

        if (Contiene(p.Testo, marcatori::kSoluzioneN)) {
            // The solution row keeps the grid's text colour, so its depth shows.
            riga.sfondo = kGrigioSoluzione;
            riga.grassetto = true;
            lista.fermataSoluzione = true;
            break;
        }
        riga.inchiostro = riga.sfondo;

        if (!ElencaEliminazioni(p.Celle)) continue;
        RigaRagionamento seguito;
        seguito.continuazione = true;
        seguito.colonne = riga.colonne;
        std::string testo = NumeroPasso(i) + std::string(3 * static_cast<std::size_t>(p.Profondita), ' ') + "  " +
                            marcatori::kQuindi + "  ";
        std::string eliminazioni = p.Celle.substr(0, p.Celle.find('/'));
        for (std::size_t barra; (barra = eliminazioni.find('|')) != std::string::npos;) {
            std::string voce = eliminazioni.substr(0, barra) + ",";
            eliminazioni.erase(0, barra + 1);
            testo += " " + DecodificaNonpossibili(voce);
        }
        seguito.colonne[kColTesto] = std::move(testo);
        lista.righe.push_back(std::move(seguito));
    }
    return lista;
}

}  // namespace kenvaron::narrazione
