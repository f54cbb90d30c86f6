// XY-wings and XYZ-wings (mode "W") and forcing chains from a bivalue cell
// (mode "O"): one search that assumes each candidate of a start cell in turn
// and reports a candidate that every assumption removes.
#include "techniques/Catene.h"

#include "engine/Marcatori.h"

namespace kenvaron {

using catene::Bit;
using catene::InsiemeCifre;
using catene::Nodo;
using catene::Rami;

void Motore::CtrlXYwings(const std::string& Modo, const std::string& Rientro, int livello) {
    const bool modoW = Modo == "W";
    const bool esteso = !Sfondo && stato.TecnicheAvanzate[1] != 0;
    // Wings start from cells of two or three candidates, chains from bivalue cells;
    // the background engine starts both from bivalue cells only.
    const int massimoCandidati = modoW && !Sfondo ? 3 : 2;
    const int limite = esteso && !modoW ? 9 : 2;
    // Two passes measure first and narrate only the shortest finding; the
    // background engine reports the first finding it meets.
    const int passate = Sfondo || esteso || Analisi || (modoW && ModoRisolvi) ? 1 : 2;
    // The background engine looks for wings one target digit Z at a time: a
    // forced cell becomes a node only when it is left with Z.  The counters of a
    // start cell are shared by its nine passes.
    const bool perCifra = Sfondo && modoW;

    Rami rami;
    rami.Prepara(*this);
    int lunghezzaMigliore = 99999;
    int rigaMigliore = 0, colonnaMigliore = 0;

    // Wing sentence: the chains of the branches, or the pivot's own digit.
    auto narraAla = [&](const std::string& esclusioni, int a, int b, int d, int n) {
        ListaCambi = esclusioni;
        std::string prefisso;
        for (int k = 0; k < n; ++k) {
            const int indice = rami.CauseEsclusione[k][a][b][d];
            const Nodo& rimotore = rami.CodaNodi[k][indice];
            if (n == 2 || rimotore.padre != 0) {
                rami.PercorriCatena(k, indice, [&](const Nodo& nodo) {
                    ListaCambi += catene::TestoNodo(nodo);
                    ListaCambi += '|';
                });
            } else {
                const std::string cella = catene::TestoNodo(rimotore);
                prefisso = "il " + cella.substr(4, 1) + " " + marcatori::kPuo + marcatori::kAndare + " in " +
                           cella.substr(0, 3) + " o ";
            }
        }
        if (rami.Lunghezza(0) < 8 || rami.Lunghezza(1) < 8) return false;
        return catene::ScriviPasso(*this, livello, Rientro + prefisso + FraseXYWings0(ListaCambi), ListaCambi,
                                   Modo);
    };

    for (int passata = 1; passata <= passate; ++passata) {
        const bool misura = passate == 2 && passata == 1;
        const bool soloMigliore = passate == 2 && passata == 2;
        for (int n = 2; n <= massimoCandidati; ++n) {
            for (int r = 1; r <= 9; ++r) {
                for (int c = 1; c <= 9; ++c) {
                    if (soloMigliore && (r != rigaMigliore || c != colonnaMigliore)) continue;
                    if (rami.NumCandidatiCella[r][c] != n) continue;
                    rami.NuovaPartenza();
                    const InsiemeCifre candidati = rami.CandidatiCella[r][c];
                    for (int z = perCifra ? 1 : 0; z <= (perCifra ? 9 : 0); ++z) {
                        int ramo = 0;
                        for (int x = 1; x <= 9; ++x) {
                            if ((candidati & Bit(x)) == 0) continue;
                            const Nodo partenza{static_cast<Byte>(r), static_cast<Byte>(c), static_cast<Byte>(x),
                                                0};
                            rami.Propaga(ramo, n, partenza, static_cast<InsiemeCifre>(candidati & ~Bit(x)),
                                         limite, modoW, false, z);
                            ++ramo;
                        }
                        // The digits judged: the one struck last in every branch; in the
                        // background, the pass's Z, or every digit for chains.
                        int prima = rami.CifraComune, ultima = rami.CifraComune;
                        if (Sfondo) {
                            prima = perCifra ? z : 1;
                            ultima = perCifra ? z : 9;
                        }
                        if (!rami.Comune(prima, ultima)) continue;
                        if (misura) {
                            if (rami.PiuCorta(lunghezzaMigliore)) {
                                rigaMigliore = r;
                                colonnaMigliore = c;
                            }
                            continue;
                        }
                        const bool trovato = rami.Concludi(
                            *this, n, prima, ultima, [&](const std::string& esclusioni, int a, int b, int d) {
                                if (modoW) return narraAla(esclusioni, a, b, d, n);
                                return catene::NarraCatene(*this, rami, esclusioni, a, b, d, Rientro, livello, Modo,
                                                           "", esteso);
                            });
                        if (trovato) return;
                    }
                }
            }
        }
        if (misura && rigaMigliore == 0) return;
    }
}

}  // namespace kenvaron
