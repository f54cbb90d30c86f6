// Colours and multi-colours: for one digit, a unit with exactly two (or three)
// places starts one scenario per place.  Each scenario places the digit there,
// strikes it from the peers and follows the units left with a single place.
// Cells that lose the digit in every scenario cannot hold it; cells that get it
// in every scenario are the violet cells of multi-colours.
#include <array>
#include <string>

#include "engine/Marcatori.h"
#include "engine/Motore.h"
#include "techniques/TerneTesto.h"

namespace kenvaron {

namespace {

constexpr int kMaxScenari = 3;
constexpr int kMaxVoci = 81;

using Segni = std::array<std::array<Byte, 10>, 10>;
using Conte = std::array<int, 10>;

// Places of one digit: per unit, how many cells allow it and which positions.
struct PostiCifra {
    Segni segni{};  // 1 where the digit is possible
    Conte nR{}, nC{}, nQ{};
    std::array<std::array<Byte, 10>, 10> listaR{}, listaC{}, listaQ{};  // ascending positions
};

struct Cella {
    Byte r = 0, c = 0;
};

// One scenario: the chain of placed cells and, per chain entry, the excluded
// peers that count for colouring (a slice of `esclusi`).
struct Scenario {
    int lunghezza = 0;
    std::array<Cella, kMaxVoci + 1> catena{};
    std::array<char, kMaxVoci + 1> lettera{};
    std::array<int, kMaxVoci + 2> inizio{};  // exclusions of entry q: [inizio[q], inizio[q+1])
    std::array<Cella, kMaxVoci + 1> esclusi{};
    int numEsclusi = 0;
};

struct Partenza {
    char lettera = 0;
    int numero = 0;
};

}  // namespace

std::string Motore::DecodificaMult1(const std::string& voce, int s, int q) const {
    auto carattere = [&](std::size_t i) { return i < voce.size() ? voce[i] : ' '; };
    const char riga = carattere(0), colonna = carattere(2), cifra = carattere(4), unita = carattere(6);
    std::string parteUnita;
    if (unita == 'R') {
        parteUnita = std::string(" la riga ") + riga;
    } else if (unita == 'C') {
        parteUnita = std::string(" la colonna ") + colonna;
    } else if (unita == 'Q') {
        const int r = riga - '0', c = colonna - '0';
        if (r >= 1 && r <= 9 && c >= 1 && c <= 9)
            parteUnita = " il quadrato " + std::to_string(QuadratoCella[r][c][0]);
        else
            parteUnita = " il quadrato ";
    }
    const std::string medio = q != 1   ? std::string(" ") + marcatori::kSarebbe + " l' unico possibile per "
                              : s == 1 ? " è una delle due possibilità per "
                                       : " è l'altra possibilità per ";
    std::string frase;
    frase += cifra;
    frase += " in ";
    frase += riga;
    frase += ',';
    frase += colonna;
    frase += medio;
    frase += parteUnita;
    return frase;
}

std::string Motore::DecodificaMult2(const std::string& lista) {
    std::string frase = "Verrebbe escluso dalle celle ";
    AggiungiPezzi(frase, lista, 4, " ");
    return frase;
}

std::string Motore::DecodificaMult3(int cifra, const std::string& viola) {
    const std::string d = std::to_string(cifra);
    if (viola.empty()) return "Ne consegue che " + d + " o è nel gruppo verde o è nel gruppo azzurro";
    return "Ne consegue che " + d + " o è nel gruppo verdeviola o è nel gruppo azzurroviola";
}

void Motore::CtrlColori(int posti, const std::string& Rientro, int livello) {
    // The scenario tables hold at most three places per start unit.
    if (posti < 1 || posti > kMaxScenari) return;
    const Byte avanzato = stato.TecnicheAvanzate[2];
    const bool esteso = avanzato == 1;
    const int passate = (avanzato == 0 && ModoRisolvi && !Analisi) ? 2 : 1;
    const Byte profondita = static_cast<Byte>(livello);

    int migliore = 9999;
    int cifraMigliore = 0;
    Partenza unitaMigliore;

    PostiCifra pc;
    Segni esclusiConta{}, piazzatiConta{};
    std::array<Scenario, kMaxScenari + 1> scen;
    std::array<Partenza, kMaxVoci + 1> partenze{};
    std::array<Cella, 82> eliminate{}, viola{};

    auto cellaDi = [&](char lettera, int u, int posto) {
        if (lettera == 'R') return Cella{static_cast<Byte>(u), static_cast<Byte>(posto)};
        if (lettera == 'C') return Cella{static_cast<Byte>(posto), static_cast<Byte>(u)};
        return Cella{CelleQuadrato[0][u][posto], CelleQuadrato[1][u][posto]};
    };
    auto contaDue = [&](int r, int c) {
        return pc.nR[r] == 2 || pc.nC[c] == 2 || pc.nQ[QuadratoCella[r][c][0]] == 2;
    };

    for (int passata = 1; passata <= passate; ++passata) {
        const bool misura = passate == 2 && passata == 1;
        const int primaCifra = passata == 1 ? 1 : cifraMigliore;
        const int ultimaCifra = passata == 1 ? 9 : cifraMigliore;
        for (int d = primaCifra; d <= ultimaCifra; ++d) {
            // Place lists and marks of the digit.
            pc = PostiCifra{};
            for (int r = 1; r <= 9; ++r) {
                for (int c = 1; c <= 9; ++c) {
                    if (Possibili[r][c][d] != 50 || Griglia[r][c] != 0) continue;
                    const int q = QuadratoCella[r][c][0], p = QuadratoCella[r][c][1];
                    pc.segni[r][c] = 1;
                    pc.listaR[r][++pc.nR[r]] = static_cast<Byte>(c);
                    pc.listaC[c][++pc.nC[c]] = static_cast<Byte>(r);
                    pc.listaQ[q][++pc.nQ[q]] = static_cast<Byte>(p);
                }
            }
            int numPartenze = 0;
            if (passata == 1) {
                for (int u = 1; u <= 9; ++u) {
                    if (pc.nR[u] == posti) partenze[++numPartenze] = {'R', u};
                    if (pc.nC[u] == posti) partenze[++numPartenze] = {'C', u};
                    if (pc.nQ[u] == posti) partenze[++numPartenze] = {'Q', u};
                }
            } else {
                partenze[++numPartenze] = unitaMigliore;
            }

            for (int iu = 1; iu <= numPartenze; ++iu) {
                const Partenza partenza = partenze[iu];
                const auto& lista = partenza.lettera == 'R'   ? pc.listaR[partenza.numero]
                                    : partenza.lettera == 'C' ? pc.listaC[partenza.numero]
                                                              : pc.listaQ[partenza.numero];
                esclusiConta = Segni{};
                piazzatiConta = Segni{};
                for (int s = 1; s <= posti; ++s) {
                    Scenario& sc = scen[s];
                    Segni segni = pc.segni;
                    Conte wR = pc.nR, wC = pc.nC, wQ = pc.nQ;
                    auto spegni = [&](int r, int c) {
                        segni[r][c] = 0;
                        --wR[r];
                        --wC[c];
                        --wQ[QuadratoCella[r][c][0]];
                    };
                    sc.catena[1] = cellaDi(partenza.lettera, partenza.numero, lista[s]);
                    sc.lettera[1] = partenza.lettera;
                    sc.numEsclusi = 0;
                    int numVoci = 1;
                    for (int q = 1; q <= numVoci; ++q) {
                        const int r = sc.catena[q].r, c = sc.catena[q].c;
                        sc.inizio[q] = sc.numEsclusi;
                        ++piazzatiConta[r][c];
                        if (segni[r][c] == 1) spegni(r, c);
                        auto escludi = [&](int rr, int cc) {
                            if (segni[rr][cc] != 1) return;
                            spegni(rr, cc);
                            ++esclusiConta[rr][cc];
                            if (esteso || contaDue(rr, cc))
                                sc.esclusi[sc.numEsclusi++] = {static_cast<Byte>(rr), static_cast<Byte>(cc)};
                        };
                        for (int i = 1; i <= 9; ++i) escludi(r, i);
                        for (int i = 1; i <= 9; ++i) escludi(i, c);
                        const int qq = QuadratoCella[r][c][0];
                        for (int p = 1; p <= 9; ++p) escludi(CelleQuadrato[0][qq][p], CelleQuadrato[1][qq][p]);

                        // The first qualifying unit left with one place forces it.
                        if (numVoci >= kMaxVoci) continue;
                        Cella forzata;
                        char lettera = 0;
                        for (int u = 1; u <= 9 && !lettera; ++u) {
                            if (wR[u] == 1 && (esteso || pc.nR[u] == 2)) {
                                for (int i = 1; i <= 9; ++i)
                                    if (segni[u][i]) forzata = {static_cast<Byte>(u), static_cast<Byte>(i)};
                                lettera = 'R';
                            }
                        }
                        for (int u = 1; u <= 9 && !lettera; ++u) {
                            if (wC[u] == 1 && (esteso || pc.nC[u] == 2)) {
                                for (int i = 1; i <= 9; ++i)
                                    if (segni[i][u]) forzata = {static_cast<Byte>(i), static_cast<Byte>(u)};
                                lettera = 'C';
                            }
                        }
                        for (int u = 1; u <= 9 && !lettera; ++u) {
                            if (wQ[u] == 1 && (esteso || pc.nQ[u] == 2)) {
                                for (int p = 1; p <= 9; ++p) {
                                    const Byte rr = CelleQuadrato[0][u][p], cc = CelleQuadrato[1][u][p];
                                    if (segni[rr][cc]) forzata = {rr, cc};
                                }
                                lettera = 'Q';
                            }
                        }
                        if (lettera) {
                            ++numVoci;
                            sc.catena[numVoci] = forzata;
                            sc.lettera[numVoci] = lettera;
                        }
                    }
                    sc.inizio[numVoci + 1] = sc.numEsclusi;
                    sc.lunghezza = numVoci;
                }

                // Cells excluded, and cells placed, in every scenario.
                CelleGruppo.clear();
                int numEliminate = 0, numViola = 0;
                for (int r = 1; r <= 9; ++r) {
                    for (int c = 1; c <= 9; ++c) {
                        const Cella cella{static_cast<Byte>(r), static_cast<Byte>(c)};
                        if (esclusiConta[r][c] == posti) {
                            eliminate[numEliminate++] = cella;
                            CelleGruppo += static_cast<char>('0' + r);
                            CelleGruppo += static_cast<char>('0' + c);
                            CelleGruppo += static_cast<char>('0' + d);
                        }
                        if (piazzatiConta[r][c] == posti) viola[numViola++] = cella;
                    }
                }
                if (CelleGruppo.empty()) continue;

                if (misura) {
                    int lunghezza = 0;
                    for (int s = 1; s <= posti; ++s)
                        if (scen[s].lunghezza > lunghezza) lunghezza = scen[s].lunghezza;
                    if (lunghezza < migliore) {
                        migliore = lunghezza;
                        cifraMigliore = d;
                        unitaMigliore = partenza;
                    }
                    continue;
                }

                // Narration: each scenario's chain with its exclusions, then the conclusion.
                std::string listaViola;
                for (int i = 0; i < numViola; ++i) AggiungiTerna(listaViola, viola[i].r, viola[i].c, d);
                std::string conclusione;
                for (int i = 0; i < numEliminate; ++i) AggiungiTerna(conclusione, eliminate[i].r, eliminate[i].c, d);
                conclusione += '/';
                for (int s = 1; s <= posti; ++s) {
                    const Scenario& sc = scen[s];
                    std::string schema = s > 1 ? "W,W,W|" : "";
                    std::string escluseFinora;
                    if (s > 1) conclusione += "W,W,W|";
                    for (int q = 1; q <= sc.lunghezza; ++q) {
                        std::string voce;
                        AggiungiTerna(voce, sc.catena[q].r, sc.catena[q].c, d);
                        schema += voce;
                        conclusione += voce;
                        voce += sc.lettera[q];
                        AggiungiPasso(profondita, Rientro + DecodificaMult1(voce, s, q), 0, 0, "0", "",
                                      "/" + schema + "X,X,X|" + escluseFinora + marcatori::kYyy, "M", "", 4);
                        if (sc.inizio[q + 1] > sc.inizio[q]) {
                            std::string esclusa;
                            for (int i = sc.inizio[q]; i < sc.inizio[q + 1]; ++i)
                                AggiungiTerna(esclusa, sc.esclusi[i].r, sc.esclusi[i].c, d);
                            escluseFinora += esclusa;
                            AggiungiPasso(profondita, Rientro + DecodificaMult2(esclusa), 0, 0, "0", "",
                                          "/" + schema + "X,X,X|" + escluseFinora + marcatori::kYyy, "M", "", 4);
                        }
                    }
                }
                if (!listaViola.empty()) conclusione += "M,M,M|" + listaViola;
                AggiungiPasso(profondita, Rientro + DecodificaMult3(d, listaViola), 0, 0, "0", "",
                              conclusione, "M", "", 4);
                if (!Analisi) {
                    TrovatoAvanzato = true;
                    return;
                }
                TrovatoAvanzato = false;
            }
        }
        if (misura && cifraMigliore == 0) return;
    }
}

}  // namespace kenvaron
