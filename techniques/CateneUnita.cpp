// Forcing chains from a unit: a digit with exactly two places in a row, column
// or box is assumed in each place in turn; a candidate removed by both
// branches is false whichever place holds the digit.
#include <array>

#include "techniques/Catene.h"

namespace kenvaron {

using catene::Bit;
using catene::Nodo;
using catene::Rami;

namespace {

// A start unit: its kind ('R', 'C', 'Q') and number.
struct Partenza {
    char tipo = 0;
    int numero = 0;
};

// The cell at place p (column, row or box position) of a unit.
void CellaDelPosto(const Motore& m, const Partenza& u, int p, int& r, int& c) {
    switch (u.tipo) {
        case 'R': r = u.numero; c = p; break;
        case 'C': r = p; c = u.numero; break;
        default:
            r = m.CelleQuadrato[0][u.numero][p];
            c = m.CelleQuadrato[1][u.numero][p];
            break;
    }
}

// The places of digit d in a unit, ascending; returns how many (at most 9).
int PostiNellUnita(const Motore& m, const Rami& rami, const Partenza& u, int d, std::array<int, 9>& posti) {
    int quanti = 0;
    for (int p = 1; p <= 9; ++p) {
        int r = 0, c = 0;
        CellaDelPosto(m, u, p, r, c);
        if (rami.CandidatiCella[r][c] & Bit(d)) posti[static_cast<std::size_t>(quanti++)] = p;
    }
    return quanti;
}

}  // namespace

void Motore::CtrlXYwingsMult(const std::string&, const std::string& Rientro, int livello) {
    const bool esteso = stato.TecnicheAvanzate[1] != 0;
    const int passate = esteso || Analisi ? 1 : 2;
    const int limite = esteso ? 9 : 2;

    Rami rami;
    rami.Prepara(*this);
    int lunghezzaMinima = 99999;
    Partenza partenzaMigliore;
    int cifraMigliore = 0;

    for (int passata = 1; passata <= passate; ++passata) {
        const bool misura = passate == 2 && passata == 1;
        const int primaCifra = passata == 1 ? 1 : cifraMigliore;
        const int ultimaCifra = passata == 1 ? 9 : cifraMigliore;
        for (int d = primaCifra; d <= ultimaCifra; ++d) {
            // Start units: row u, column u, box u for u = 1..9, where d has two places.
            std::array<Partenza, 27> partenze{};
            int numPartenze = 0;
            if (passata == 1) {
                std::array<int, 9> posti{};
                for (int u = 1; u <= 9; ++u)
                    for (char tipo : {'R', 'C', 'Q'})
                        if (PostiNellUnita(*this, rami, Partenza{tipo, u}, d, posti) == 2)
                            partenze[static_cast<std::size_t>(numPartenze++)] = Partenza{tipo, u};
            } else {
                partenze[static_cast<std::size_t>(numPartenze++)] = partenzaMigliore;
            }

            for (int i = 0; i < numPartenze; ++i) {
                const Partenza& unita = partenze[static_cast<std::size_t>(i)];
                std::array<int, 9> posti{};
                if (PostiNellUnita(*this, rami, unita, d, posti) != 2) continue;
                rami.NuovaPartenza();
                for (int ramo = 0; ramo < 2; ++ramo) {
                    int r = 0, c = 0;
                    CellaDelPosto(*this, unita, posti[static_cast<std::size_t>(ramo)], r, c);
                    const Nodo partenza{static_cast<Byte>(r), static_cast<Byte>(c), static_cast<Byte>(d), 0};
                    rami.Propaga(ramo, 2, partenza, rami.CandidatiCella[r][c], limite, false, true);
                }
                if (rami.CifraComune == 0) continue;
                if (misura) {
                    if (rami.PiuCorta(lunghezzaMinima)) {
                        partenzaMigliore = unita;
                        cifraMigliore = d;
                    }
                    continue;
                }
                const std::string codice = std::string(1, unita.tipo) + std::to_string(unita.numero);
                const int cifra = rami.CifraComune;
                const bool trovato =
                    rami.Concludi(*this, 2, cifra, cifra, [&](const std::string& esclusioni, int a, int b, int f) {
                        return catene::NarraCatene(*this, rami, esclusioni, a, b, f, Rientro, livello, "I", codice,
                                                   esteso);
                    });
                if (trovato) return;
            }
        }
        if (passata == 1 && partenzaMigliore.tipo == 0) return;
    }
}

}  // namespace kenvaron
