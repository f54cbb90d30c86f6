// Checks the --dump output of kenvaron-bench against an independent solver:
//
//   kenvaron-bench-verifica MAX PUZZLEFILE DUMPFILE [LINES]
//
// For every puzzle the dumped count must be the true number of solutions
// counted up to MAX, and the dumped grid a solution that keeps the givens (the
// only one when the puzzle has one).  LINES (default 1) is the number of dump
// lines of each puzzle (--sequences writes seven), all checked alike.  Exits 1
// on the first disagreements.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/core/SolutoreIndipendente.h"

using namespace kenvaron::verifica;

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "uso: kenvaron-bench-verifica MAX PUZZLEFILE DUMPFILE [LINES]\n");
        return 2;
    }
    const int massimo = std::max(1, std::atoi(argv[1]));
    const int righe = argc == 5 ? std::max(1, std::atoi(argv[4])) : 1;
    std::ifstream schemi(argv[2]), dump(argv[3]);
    if (!schemi || !dump) {
        std::fprintf(stderr, "kenvaron-bench-verifica: non riesco a leggere i file\n");
        return 2;
    }
    std::string riga, risultato;
    int controllati = 0, errori = 0;
    while (std::getline(schemi, riga)) {
        if (riga.size() < 81) continue;
        std::string s = riga.substr(0, 81);
        if (s.find_first_not_of("0123456789.") != std::string::npos) continue;
        const Celle schema = DaTesto(s);
        Celle unica{};
        const int vere = ContaSoluzioni(schema, massimo, &unica);
        for (int k = 0; k < righe; ++k) {
            if (!std::getline(dump, risultato)) {
                std::fprintf(stderr, "manca la riga di risultati dello schema %s\n", s.c_str());
                return 1;
            }
            std::istringstream campi(risultato);
            long long conta = -1;
            std::string griglia;
            campi >> conta >> griglia;
            bool bene = conta == vere && griglia.size() == 81;
            if (bene && vere >= 1) bene = SoluzioneDi(schema, DaTesto(griglia));
            if (bene && vere == 1) bene = griglia == ComeTesto(unica);
            if (!bene) {
                ++errori;
                std::fprintf(stderr, "%s: atteso %d soluzioni (%s), letto: %s\n", s.c_str(), vere,
                             ComeTesto(unica).c_str(), risultato.c_str());
            }
        }
        ++controllati;
    }
    std::printf("%d schemi controllati, %d in disaccordo\n", controllati, errori);
    if (controllati == 0) std::fprintf(stderr, "nessuno schema in %s\n", argv[2]);
    return errori == 0 && controllati > 0 ? 0 : 1;
}
