// Hidden subsets: k digits of a unit whose places together are exactly k empty
// cells; every other digit can then leave those cells.
#include <algorithm>

#include "engine/Motore.h"

namespace kenvaron {

// Lists the digits missing from unit u and tries the sizes 2..5 that the number
// of empty cells allows (halved, rounded down, in a user's solve) and the
// reasoning depth allows.
static void CercaNascosti(Motore& m, const std::string& unita, Byte u) {
    m.ElementiGruppo.clear();
    for (int d = 1; d <= 9; ++d) m.TabellaGruppo[d].clear();
    int vuote = 9;
    for (int p = 1; p <= 9; ++p) {
        int r = 0, c = 0;
        if (!m.CellaDiUnita(unita[0], u, p, r, c)) continue;
        const int d = m.Griglia[r][c];
        if (d >= 1 && d <= 9) {
            --vuote;
            m.TabellaGruppo[d].assign(1, 'x');
        }
    }
    for (int d = 1; d <= 9; ++d)
        if (m.TabellaGruppo[d].empty()) m.ElementiGruppo += static_cast<char>('0' + d);
    const int n = static_cast<int>(m.ElementiGruppo.size());
    const int limite = m.ModoRisolvi ? vuote / 2 : vuote;
    for (int k = 2; k <= 5; ++k) {
        if (k > limite || n < k) continue;
        if (k >= 4 && m.LivelloRagionamento <= 2) continue;
        switch (k) {
            case 2: m.CombinaNumeri2(unita, u, 2); break;
            case 3: m.CombinaNumeri3(unita, u, 3); break;
            case 4: m.CombinaNumeri4(unita, u, 4); break;
            case 5: m.CombinaNumeri5(unita, u, 5); break;
        }
        if (m.TrovatoGruppo) return;
    }
}

void Motore::CtrlGruppiNumeriR(Byte u) { CercaNascosti(*this, "R", u); }
void Motore::CtrlGruppiNumeriC(Byte u) { CercaNascosti(*this, "C", u); }
void Motore::CtrlGruppiNumeriQ(Byte u) { CercaNascosti(*this, "Q", u); }

// The enumerators differ only in the size, which their name fixes.
static void CombinaNumeriK(Motore& m, const std::string& unita, Byte u, Byte k) {
    m.PresenzeGruppo.fill(0);
    // What VerificaGruppiNumeri counts for each digit: the empty cells of the unit where it is at 50.
    const char codice = unita.size() == 1 ? unita[0] : ' ';
    std::array<std::uint16_t, 9> maschere{};
    for (std::size_t i = 0; i < m.ElementiGruppo.size() && i < maschere.size(); ++i) {
        const int d = m.ElementiGruppo[i] - '0';
        if (d < 1 || d > 9) continue;
        for (int p = 1; p <= 9; ++p) {
            int r = 0, c = 0;
            if (m.CellaDiUnita(codice, u, p, r, c) && m.Griglia[r][c] == 0 && m.Possibili[r][c][d] == 50)
                maschere[i] |= static_cast<std::uint16_t>(1u << p);
        }
    }
    m.CombinaElementi(k, m.NumeriGruppo, maschere, [&] { m.VerificaGruppiNumeri(unita, u, k); });
}
void Motore::CombinaNumeri2(const std::string& unita, Byte u, Byte) { CombinaNumeriK(*this, unita, u, 2); }
void Motore::CombinaNumeri3(const std::string& unita, Byte u, Byte) { CombinaNumeriK(*this, unita, u, 3); }
void Motore::CombinaNumeri4(const std::string& unita, Byte u, Byte) { CombinaNumeriK(*this, unita, u, 4); }
void Motore::CombinaNumeri5(const std::string& unita, Byte u, Byte) { CombinaNumeriK(*this, unita, u, 5); }

void Motore::VerificaGruppiNumeri(const std::string& unita, Byte u, Byte k) {
    const char codice = unita.size() == 1 ? unita[0] : ' ';
    PresenzeGruppo.fill(0);
    const std::size_t quante = std::min<std::size_t>(k, NumeriGruppo.size());
    for (std::size_t i = 0; i < quante; ++i) {
        const int d = NumeriGruppo[i] - '0';
        if (d < 1 || d > 9) continue;
        for (int p = 1; p <= 9; ++p) {
            int r = 0, c = 0;
            if (CellaDiUnita(codice, u, p, r, c) && Griglia[r][c] == 0 && Possibili[r][c][d] == 50)
                PresenzeGruppo[p] = 1;
        }
    }
    if (RaccogliPresenze(CelleGruppo) != k) return;
    if (const ListeApplicate* lista = ListaDiUnita(codice)) CercaChiave(*lista, u, '/');
}

}  // namespace kenvaron
