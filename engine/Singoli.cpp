// Singles (hidden in box, row, column; naked) and the dead-end test.
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
    auto registra = [&](const char* codice, const std::string& coda) {
        trovato = true;
        if (narra) {
            AggiungiPasso(livello, IncrementaIndice(livello) + Num(d) + " in " + Num(r) + "," + Num(c) +
                                       " unico possibile" + coda,
                          riga, colonna, Num(d), "", "", "U", codice, 0);
        }
    };

    // Box.
    {
        const int r0 = 3 * ((r - 1) / 3) + 1, c0 = 3 * ((c - 1) / 3) + 1;
        int conta = 0, ur = 0, uc = 0;
        for (int rr = r0; rr <= r0 + 2; ++rr)
            for (int cc = c0; cc <= c0 + 2; ++cc)
                if (posto(rr, cc)) {
                    ++conta;
                    ur = rr;
                    uc = cc;
                }
        if (conta == 1 && ur == r && uc == c) {
            registra("Q", " per quadrato " + Num(QuadratoCella[r][c][0]));
            if (!Analisi) return true;
        }
    }
    // Row.
    {
        int conta = 0, uc = 0;
        for (int cc = 1; cc <= 9; ++cc)
            if (posto(r, cc)) {
                ++conta;
                uc = cc;
            }
        if (conta == 1 && uc == c) {
            registra("R", " per riga " + Num(r));
            if (!Analisi) return true;
        }
    }
    // Column.
    {
        int conta = 0, ur = 0;
        for (int rr = 1; rr <= 9; ++rr)
            if (posto(rr, c)) {
                ++conta;
                ur = rr;
            }
        if (conta == 1 && ur == r) {
            registra("C", " per colonna " + Num(c));
            if (!Analisi) return true;
        }
    }
    if (SaltaNaked) return false;
    // Naked.
    {
        int conta = 0, ud = 0;
        for (int dd = 1; dd <= 9; ++dd)
            if (Possibili[r][c][dd] == 50) {
                ++conta;
                ud = dd;
            }
        if (conta == 1 && ud == d) {
            registra("", "");
            if (!Analisi) return true;
        }
    }
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

    // Digits of a unit that have neither a filled cell nor a candidate left:
    // returns the first such digit, 0 when every digit has a place.
    auto mancante = [&](auto cella) {
        unsigned segni = 0;
        for (int i = 1; i <= 9; ++i) {
            int r = 0, c = 0;
            cella(i, r, c);
            const int g = Griglia[r][c];
            if (g != 0) {
                if (g <= 9) segni |= 1u << g;
            } else {
                for (int d = 1; d <= 9; ++d)
                    if (Possibili[r][c][d] == 50) segni |= 1u << d;
            }
        }
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
        if (const int d = mancante([u](int i, int& r, int& c) { r = u, c = i; }))
            return contraddizione(d, " non  possibile in riga ", u, "R");
    for (int u = 1; u <= 9; ++u)
        if (const int d = mancante([u](int i, int& r, int& c) { r = i, c = u; }))
            return contraddizione(d, " non  possibile in colonna  ", u, "C");
    for (int u = 1; u <= 9; ++u)
        if (const int d = mancante([&, u](int i, int& r, int& c) {
                r = CelleQuadrato[0][u][i];
                c = CelleQuadrato[1][u][i];
            }))
            return contraddizione(d, " non  possibile in quadrato ", u, "Q");
    return true;
}

}  // namespace kenvaron
