// Singles (hidden in box, row, column; naked) and the dead-end test.
#include <array>
#include <string>

#include "engine/Motore.h"

namespace kenvaron {

namespace {

std::string Num(int n) { return std::to_string(n); }

}  // namespace

bool Motore::CercaSoluzioniBelle(Byte riga, Byte colonna, bool narra, Byte livello, Byte cifra) {
    const int r = riga, c = colonna, d = cifra;
    // Every rule needs (r, c) itself to be a place for d; outside analysis mode
    // (where the answer is always no anyway) nothing else can hold.
    if (Griglia[r][c] != 0 || Possibili[r][c][d] != 50) return false;
    auto posto = [&](int rr, int cc) { return Griglia[rr][cc] == 0 && Possibili[rr][cc][d] == 50; };

    bool trovato = false;
    // A rule holds: its record names the unit (none for the naked rule).
    auto registra = [&](const char* codice, const char* unita, int numero) {
        trovato = true;
        if (!narra) return;
        std::string testo = IncrementaIndice(livello) + Num(d) + " in " + Num(r) + "," + Num(c) + " unico possibile";
        if (*unita) testo += std::string(" per ") + unita + " " + Num(numero);
        AggiungiPasso(livello, testo, riga, colonna, Num(d), "", "", "U", codice, 0);
    };

    // The only place for d among the nine cells of a unit is (r, c), itself a
    // place: any other place decides it.
    auto unico = [&](auto cella) {
        for (int i = 0; i < 9; ++i) {
            int rr = 0, cc = 0;
            cella(i, rr, cc);
            if ((rr != r || cc != c) && posto(rr, cc)) return false;
        }
        return true;
    };
    // With the sweep's places at hand: the unit's places of d are (r, c) alone.
    auto solo = [&](Unita u, int indice, int posizione) {
        return PostiUnita[static_cast<int>(u)][indice][d] == 1u << posizione;
    };
    const int r0 = 3 * ((r - 1) / 3) + 1, c0 = 3 * ((c - 1) / 3) + 1;
    auto inQuadrato = [&] {
        if (PostiCorrenti ? !solo(Unita::kQuadrato, QuadratoCella[r][c][0], QuadratoCella[r][c][1])
                          : !unico([&](int i, int& rr, int& cc) { rr = r0 + i / 3, cc = c0 + i % 3; }))
            return false;
        registra("Q", "quadrato", QuadratoCella[r][c][0]);
        return true;
    };
    auto inRiga = [&] {
        if (PostiCorrenti ? !solo(Unita::kRiga, r, c) : !unico([&](int i, int& rr, int& cc) { rr = r, cc = i + 1; }))
            return false;
        registra("R", "riga", r);
        return true;
    };
    auto inColonna = [&] {
        if (PostiCorrenti ? !solo(Unita::kColonna, c, r)
                          : !unico([&](int i, int& rr, int& cc) { rr = i + 1, cc = c; }))
            return false;
        registra("C", "colonna", c);
        return true;
    };
    // Naked: d, a candidate of (r, c), is its only one.
    auto nudo = [&] {
        bool solo = true;
        for (int dd = 1; dd <= 9 && solo; ++dd) solo = dd == d || Possibili[r][c][dd] != 50;
        if (!solo) return false;
        registra("", "", 0);
        return true;
    };

    // Outside analysis mode the first rule that holds decides.
    if (inQuadrato() && !Analisi) return true;
    if (Sfondo) {
        // The background engine tests the cell itself before the column and
        // the row, and reads no SaltaNaked.
        if (nudo() && !Analisi) return true;
        if (inColonna() && !Analisi) return true;
        if (inRiga() && !Analisi) return true;
        return trovato && !Analisi;
    }
    if (inRiga() && !Analisi) return true;
    if (inColonna() && !Analisi) return true;
    if (SaltaNaked) return false;
    if (nudo() && !Analisi) return true;
    return trovato && !Analisi;
}

bool Motore::Verifiche(Byte livello) {
    // Cells without a candidate.
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (Griglia[r][c] == 0 && NumeroCandidati[r][c] == 0) {
                AggiungiPasso(livello,
                              IncrementaIndice(livello) + " nessun numero possibile in " + Num(r) + "," + Num(c),
                              static_cast<Byte>(r), static_cast<Byte>(c), "0", "", "", "N", "", 0);
                return false;
            }

    // The digits each unit holds or may take, one bit each: those of its filled
    // cells, and those with a place in it.
    std::array<std::array<unsigned, 10>, 3> segniUnita{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            const int g = Griglia[r][c];
            unsigned segni = 0;
            if (g != 0) {
                if (g <= 9) segni = 1u << g;
            } else if (!PostiCorrenti) {
                for (int d = 1; d <= 9; ++d)
                    if (Possibili[r][c][d] == 50) segni |= 1u << d;
            }
            segniUnita[static_cast<int>(Unita::kRiga)][r] |= segni;
            segniUnita[static_cast<int>(Unita::kColonna)][c] |= segni;
            segniUnita[static_cast<int>(Unita::kQuadrato)][QuadratoCella[r][c][0]] |= segni;
        }
    // During the sweep the places of each digit stand ready.
    if (PostiCorrenti)
        for (int tipo = 0; tipo < 3; ++tipo)
            for (int u = 1; u <= 9; ++u)
                for (int d = 1; d <= 9; ++d)
                    if (PostiUnita[tipo][u][d] != 0) segniUnita[tipo][u] |= 1u << d;
    // The first digit that a unit neither holds nor may take, 0 when there is none.
    auto mancante = [&](Unita tipo, int u) {
        const unsigned segni = segniUnita[static_cast<int>(tipo)][u];
        for (int d = 1; d <= 9; ++d)
            if (!(segni & (1u << d))) return d;
        return 0;
    };
    auto contraddizione = [&](int d, const char* frase, int unita, const char* codice) {
        AggiungiPasso(livello, IncrementaIndice(livello) + Num(d) + frase + Num(unita), 0, 0, "0", "", "", "N",
                      codice, 0);
        return false;
    };

    for (int u = 1; u <= 9; ++u)
        if (const int d = mancante(Unita::kRiga, u)) return contraddizione(d, " non  possibile in riga ", u, "R");
    for (int u = 1; u <= 9; ++u)
        if (const int d = mancante(Unita::kColonna, u))
            return contraddizione(d, " non  possibile in colonna  ", u, "C");
    for (int u = 1; u <= 9; ++u)
        if (const int d = mancante(Unita::kQuadrato, u))
            return contraddizione(d, " non  possibile in quadrato ", u, "Q");
    return true;
}

}  // namespace kenvaron
