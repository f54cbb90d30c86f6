// Branch propagation, link sentences and the narration of a two-branch chain,
// shared by the forcing chains from a cell and from a unit.
#include "techniques/Catene.h"

#include <algorithm>
#include <vector>

#include "engine/Marcatori.h"

namespace kenvaron {

namespace {

// Entry i of a list split on "|" ("" beyond its end).
std::string Voce(const std::string& lista, int indice) {
    std::size_t inizio = 0;
    for (int i = 0; i < indice; ++i) {
        const std::size_t barra = lista.find('|', inizio);
        if (barra == std::string::npos) return {};
        inizio = barra + 1;
    }
    const std::size_t fine = lista.find('|', inizio);
    return lista.substr(inizio, fine == std::string::npos ? std::string::npos : fine - inizio);
}

int UltimoIndice(const std::string& lista) {
    int barre = 0;
    for (char ch : lista)
        if (ch == '|') ++barre;
    return barre;
}

// Cell ("r,c") and digit of an entry "r,c,d".
std::string Cella(const std::string& voce) { return voce.substr(0, 3); }
std::string Cifra(const std::string& voce) { return voce.size() >= 5 ? voce.substr(4, 1) : std::string(); }

}  // namespace

std::string Motore::FraseXYWings0(const std::string& lista) {
    const std::size_t barra = lista.find('/');
    const std::string p = barra == std::string::npos ? std::string() : lista.substr(barra + 1);
    const int ultimo = UltimoIndice(p);
    std::string b[7];
    for (int i = 0; i < 7; ++i) b[i] = Voce(p, i);
    if (ultimo == 3) {
        return "in " + Cella(b[1]) + " e " + Cella(b[0]) + " possibili solo  " + Cifra(b[0]) +
               (Cifra(b[1]) != Cifra(b[0]) ? Cifra(b[1]) : Cifra(b[2]));
    }
    std::string frase = "se " + Cifra(b[1]) + " in " + Cella(b[1]) + " allora " + Cifra(b[0]) + " in " +
                        Cella(b[0]) + "  se invece " + Cifra(b[3]) + " in " + Cella(b[3]) + " allora " +
                        Cifra(b[2]) + " in " + Cella(b[2]);
    if (ultimo == 6) {
        frase += "  se " + Cifra(b[5]) + " in " + Cella(b[5]) + " allora " + Cifra(b[4]) + " in " + Cella(b[4]);
        const std::string invece = " invece";
        for (std::size_t i = frase.find(invece); i != std::string::npos; i = frase.find(invece, i))
            frase.erase(i, invece.size());
    }
    return frase;
}

std::string Motore::FraseXYWings(const std::string& a, const std::string& b, int posizione,
                                 const std::string& unita) {
    if (posizione != 1)
        return Cifra(a) + " in cella " + Cella(a) + " comporta " + Cifra(b) + " in cella " + Cella(b);
    std::string frase = "Se " + Cifra(a) + " in cella " + Cella(a) + " allora " + Cifra(b) + " in cella " + Cella(b);
    if (!unita.empty()) {
        const char* nome = nullptr;
        switch (unita[0]) {
            case 'R': nome = "In riga "; break;
            case 'C': nome = "In colonna "; break;
            case 'Q': nome = "In quadrato "; break;
            default: break;
        }
        if (nome != nullptr)
            frase = nome + unita.substr(1, 1) + ": " + Cifra(a) + " possibile solo in due celle, " + frase;
    }
    return frase;
}

std::string Motore::FraseTAV(const std::string& candidati, const std::string& a, const std::string& b) {
    const std::string da = Cifra(a), db = Cifra(b);
    std::string resto;
    for (char ch : candidati) {
        const std::string cifra(1, ch);
        if (cifra != da && cifra != db) resto += ch;
    }
    return "(" + resto + " elim. da tecnica avanzata)";
}

namespace catene {

namespace {
// For each cell bit, the cells of its row, of its column and of its box.
constexpr auto kUnitaDelBit = [] {
    std::array<std::array<Insieme81, 81>, 3> t{};
    for (int i = 0; i < 81; ++i)
        for (int j = 0; j < 81; ++j) {
            if (i / 9 == j / 9) t[0][i].Metti(j);
            if (i % 9 == j % 9) t[1][i].Metti(j);
            if (i / 27 == j / 27 && i % 9 / 3 == j % 9 / 3) t[2][i].Metti(j);
        }
    return t;
}();
constexpr const auto& kRigaDelBit = kUnitaDelBit[0];
constexpr const auto& kColonnaDelBit = kUnitaDelBit[1];
constexpr const auto& kQuadratoDelBit = kUnitaDelBit[2];
}  // namespace

std::string TestoNodo(const Nodo& nodo) {
    const char testo[5] = {static_cast<char>('0' + nodo.riga), ',', static_cast<char>('0' + nodo.colonna), ',',
                           static_cast<char>('0' + nodo.cifra)};
    return std::string(testo, 5);
}

std::string TestoCandidati(InsiemeCifre candidati) {
    std::string testo;
    for (int d = 1; d <= 9; ++d)
        if (candidati & Bit(d)) testo += static_cast<char>('0' + d);
    return testo;
}

void Rami::Prepara(const Motore& m) {
    DoveCella = {};
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            InsiemeCifre candidati = 0;
            if (m.Griglia[r][c] == 0)
                for (int d = 1; d <= 9; ++d)
                    if (m.Possibili[r][c][d] == 50) {
                        candidati |= Bit(d);
                        DoveCella[d].Metti(Insieme81::Bit(r, c));
                    }
            CandidatiCella[r][c] = candidati;
            NumCandidatiCella[r][c] = static_cast<Byte>(ContaBit(candidati));
        }
    }
}

void Rami::NuovaPartenza() {
    ContaEsclusioni = {};
    CauseEsclusione = {};
    CifraComune = 0;
    CifreComuni = 0;
    NodiLavorati = {};
}

void Rami::Propaga(int ramo, int rami, const Nodo& partenza, InsiemeCifre candidatiPartenza, int limite,
                   bool soloPrimoLivello, bool saltaPartenza, int cifraNodi) {
    CandidatiRamo = CandidatiCella;
    DoveRamo = DoveCella;
    const int r0 = partenza.riga, c0 = partenza.colonna;
    CandidatiRamo[r0][c0] = candidatiPartenza;
    const bool partenzaNellaGriglia = r0 >= 1 && r0 <= 9 && c0 >= 1 && c0 <= 9;
    if (partenzaNellaGriglia)
        for (int d = 0; d <= 9; ++d) {
            if (candidatiPartenza & Bit(d))
                DoveRamo[d].Metti(Insieme81::Bit(r0, c0));
            else
                DoveRamo[d].Togli(Insieme81::Bit(r0, c0));
        }
    auto& coda = CodaNodi[ramo];
    auto& cause = CauseEsclusione[ramo];
    coda[1] = partenza;
    coda[1].padre = 0;
    int conta = 1;
    int lettura = 0;
    NodiLavorati[ramo] = 0;
    while (lettura + 1 <= conta) {
        ++lettura;
        const Nodo nodo = coda[lettura];
        // A wing works only its start node and what the start node forced.
        if (soloPrimoLivello && nodo.padre > 1) break;
        NodiLavorati[ramo] = lettura;
        const int a = nodo.riga, b = nodo.colonna, x = nodo.cifra;
        const InsiemeCifre bit = Bit(x);
        auto visita = [&](int r, int c) {
            if (saltaPartenza && r == r0 && c == c0) return;
            InsiemeCifre& candidati = CandidatiRamo[r][c];
            if ((candidati & bit) == 0) return;
            if (r != a || c != b) {
                if (++ContaEsclusioni[r][c][x] == rami) {
                    CifraComune = static_cast<Byte>(x);
                    CifreComuni = static_cast<InsiemeCifre>(CifreComuni | bit);
                }
                cause[r][c][x] = static_cast<Byte>(lettura);
            }
            candidati = static_cast<InsiemeCifre>(candidati & ~bit);
            DoveRamo[x].Togli(Insieme81::Bit(r, c));
            const int quanti = NumCandidatiCella[r][c];
            if (ContaBit(candidati) == 1 && quanti >= 2 && quanti <= limite && conta < kMaxNodi &&
                (cifraNodi == 0 || candidati == Bit(cifraNodi))) {
                ++conta;
                coda[conta] = Nodo{static_cast<Byte>(r), static_cast<Byte>(c),
                                   static_cast<Byte>(std::countr_zero(candidati)), static_cast<Byte>(lettura)};
            }
        };
        // The row, the column, then the box, each in row-major order; only the
        // cells that still hold x can be touched.  A pass skips the cells the
        // passes before it cleared, as a visit to them would find x gone.
        const int cella = Insieme81::Bit(a, b);
        auto passa = [&](const Insieme81& unita) {
            const Insieme81 celle = DoveRamo[x] & unita;
            for (int w = 0; w < 2; ++w)
                for (std::uint64_t resto = celle.parole[w]; resto != 0; resto &= resto - 1) {
                    const Byte rc = kCellaDelBit[64 * w + std::countr_zero(resto)];
                    visita(rc / 10, rc % 10);
                }
        };
        if (x >= 0 && x <= 9) {
            passa(kRigaDelBit[cella]);
            passa(kColonnaDelBit[cella]);
            passa(kQuadratoDelBit[cella]);
        }
    }
}

bool ScriviPasso(Motore& m, int livello, const std::string& testo, const std::string& celle,
                 const std::string& tipo) {
    if (m.Analisi && m.NumPassi > 0 && m.LogPassi[m.NumPassi].Testo == testo) return false;
    m.AggiungiPasso(static_cast<Byte>(livello), testo, 0, 0, "0", "", celle, tipo, "", 4);
    return true;
}

bool NarraCatene(Motore& m, const Rami& rami, const std::string& esclusioni, int a, int b, int d,
                 const std::string& rientro, int livello, const std::string& tipo,
                 const std::string& unita, bool esteso) {
    // The two chains, each from its start node to the node that removed d from
    // (a, b): branch 2 first, then the separator, then branch 1.
    struct Anello {
        Nodo nodo;
        bool separatore;
    };
    std::vector<Anello> catene;
    auto aggiungiCatena = [&](int ramo) {
        const std::size_t inizio = catene.size();
        rami.PercorriCatena(ramo, rami.CauseEsclusione[ramo][a][b][d],
                            [&](const Nodo& nodo) { catene.push_back({nodo, false}); });
        std::reverse(catene.begin() + static_cast<std::ptrdiff_t>(inizio), catene.end());
    };
    aggiungiCatena(1);
    catene.push_back({Nodo{}, true});
    aggiungiCatena(0);

    m.ListaCambi = esclusioni;
    int contatore = 0;
    int anelliScritti = 0;
    std::string prima;
    for (const Anello& anello : catene) {
        const std::string voce = anello.separatore ? std::string("W,W,W") : TestoNodo(anello.nodo);
        if (anello.separatore) {
            m.ListaCambi = esclusioni + prima + "|";
            contatore = -1;
        }
        m.ListaCambi += voce;
        m.ListaCambi += '|';
        if (contatore > 0) {
            std::string testo = rientro + Motore::FraseXYWings(prima, voce, contatore, unita);
            const int r = anello.nodo.riga, c = anello.nodo.colonna;
            if (esteso && rami.NumCandidatiCella[r][c] > 2)
                testo += " " + Motore::FraseTAV(TestoCandidati(rami.CandidatiCella[r][c]), prima, voce);
            if (ScriviPasso(m, livello, testo, m.ListaCambi + marcatori::kXxx, tipo)) ++anelliScritti;
        }
        ++contatore;
        prima = voce;
    }

    m.ListaCambi = esclusioni;
    std::string testo = rientro;
    if (unita.empty() || anelliScritti > 0) {
        testo += "Ne consegue che ";
    } else {
        testo += unita[0] == 'R' ? "Nella riga " : unita[0] == 'C' ? "Nella colonna " : "Nel quadrato ";
        testo += unita.substr(1) + " ";
    }
    const Nodo& fine1 = rami.Rimotore(0, a, b, d);
    const Nodo& fine2 = rami.Rimotore(1, a, b, d);
    auto cifra = [](const Nodo& n) { return std::string(1, static_cast<char>('0' + n.cifra)); };
    auto cella = [](const Nodo& n) { return TestoNodo(n).substr(0, 3); };
    // The background engine names both source nodes even when they are one.
    if (m.Sfondo || fine1.riga != fine2.riga || fine1.colonna != fine2.colonna || fine1.cifra != fine2.cifra) {
        for (const Nodo* fine : {&fine1, &fine2}) {
            m.ListaCambi += TestoNodo(*fine) + "|";
            testo += "o " + cifra(*fine) + " in cella " + cella(*fine) + "   ";
        }
    } else {
        m.ListaCambi += TestoNodo(fine1) + "|";
        testo += cifra(fine1) + " è l'unico possibile per  cella " + cella(fine1) + "   ";
    }
    return ScriviPasso(m, livello, testo, m.ListaCambi, tipo);
}

}  // namespace catene
}  // namespace kenvaron
