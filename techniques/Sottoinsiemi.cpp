// Naked subsets: k empty cells of a unit whose candidates together are exactly
// k digits.  Also the unit helpers shared with the hidden-subset search.
#include <algorithm>

#include "engine/Motore.h"

namespace kenvaron {

Motore::ListeApplicate* Motore::ListaDiUnita(char unita) {
    switch (unita) {
        case 'R': return &GruppiApplicatiR;
        case 'C': return &GruppiApplicatiC;
        case 'Q': return &GruppiApplicatiQ;
        default: return nullptr;
    }
}

void Motore::CercaChiave(const ListeApplicate& lista, int indice, char separatore) {
    if (indice < 1 || indice > 9) return;
    const std::size_t lunghezza = CelleGruppo.size() + 1 + NumeriGruppo.size();
    for (int slot = 1; slot <= kSlotApplicati; ++slot) {
        const std::string& chiave = lista[indice][slot];
        if (chiave.empty()) {
            TrovatoGruppo = true;
            return;
        }
        // Compared piece by piece, so that no key text is built per combination.
        if (chiave.size() == lunghezza && chiave.compare(0, CelleGruppo.size(), CelleGruppo) == 0 &&
            chiave[CelleGruppo.size()] == separatore &&
            chiave.compare(CelleGruppo.size() + 1, NumeriGruppo.size(), NumeriGruppo) == 0)
            return;
    }
}

int Motore::RaccogliPresenze(std::string& destinazione) const {
    destinazione.clear();
    for (int i = 1; i <= 9; ++i)
        if (PresenzeGruppo[i] == 1) destinazione += static_cast<char>('0' + i);
    return static_cast<int>(destinazione.size());
}

namespace {

// Rebuilds ElementiGruppo with the positions of the empty cells of unit u.
void ElencaCelleVuote(Motore& m, char unita, int u) {
    m.ElementiGruppo.clear();
    for (int p = 1; p <= 9; ++p) m.TabellaGruppo[p].clear();
    for (int p = 1; p <= 9; ++p) {
        int r = 0, c = 0;
        if (m.CellaDiUnita(unita, u, p, r, c) && m.Griglia[r][c] != 0) m.TabellaGruppo[p].assign(1, 'x');
    }
    for (int p = 1; p <= 9; ++p)
        if (m.TabellaGruppo[p].empty()) m.ElementiGruppo += static_cast<char>('0' + p);
}

}  // namespace

// Tries the sizes 2..7 allowed by the mode and the reasoning depth; a subset never
// covers every empty cell of the unit.  In a user's solve the size is at most the
// number of empty cells halved and rounded up, and sizes 6 and 7 are off.
static void CercaNudi(Motore& m, const std::string& unita, Byte u) {
    ElencaCelleVuote(m, unita[0], u);
    const int n = static_cast<int>(m.ElementiGruppo.size());
    const int limite = m.ModoRisolvi ? (n + 1) / 2 : n;
    const bool profondo = m.LivelloRagionamento > 2;
    for (int k = 2; k <= 7; ++k) {
        if (k > limite || n <= k) continue;
        if (k >= 4 && !profondo) continue;
        if (k >= 6 && m.ModoRisolvi) continue;
        switch (k) {
            case 2: m.CombinaCelle2(unita, u, 2); break;
            case 3: m.CombinaCelle3(unita, u, 3); break;
            case 4: m.CombinaCelle4(unita, u, 4); break;
            case 5: m.CombinaCelle5(unita, u, 5); break;
            case 6: m.CombinaCelle6(unita, u, 6); break;
            case 7: m.CombinaCelle7(unita, u, 7); break;
        }
        if (m.TrovatoGruppo) return;
    }
}

void Motore::CtrlGruppiR(Byte u) { CercaNudi(*this, "R", u); }
void Motore::CtrlGruppiC(Byte u) { CercaNudi(*this, "C", u); }
void Motore::CtrlGruppiQ(Byte u) { CercaNudi(*this, "Q", u); }

// The enumerators differ only in the size, which their name fixes.
static void CombinaCelleK(Motore& m, const std::string& unita, Byte u, Byte k) {
    m.PresenzeGruppo.fill(0);
    // What VerificaGruppi counts for each cell: its digits at 50 when it is empty.
    const char codice = unita.size() == 1 ? unita[0] : ' ';
    std::array<std::uint16_t, 9> maschere{};
    for (std::size_t i = 0; i < m.ElementiGruppo.size() && i < maschere.size(); ++i) {
        int r = 0, c = 0;
        if (!m.CellaDiUnita(codice, u, m.ElementiGruppo[i] - '0', r, c) || m.Griglia[r][c] != 0) continue;
        for (int d = 1; d <= 9; ++d)
            if (m.Possibili[r][c][d] == 50) maschere[i] |= static_cast<std::uint16_t>(1u << d);
    }
    m.CombinaElementi(k, m.CelleGruppo, maschere, [&] { m.VerificaGruppi(unita, u, k); });
}
void Motore::CombinaCelle2(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 2); }
void Motore::CombinaCelle3(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 3); }
void Motore::CombinaCelle4(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 4); }
void Motore::CombinaCelle5(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 5); }
void Motore::CombinaCelle6(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 6); }
void Motore::CombinaCelle7(const std::string& unita, Byte u, Byte) { CombinaCelleK(*this, unita, u, 7); }

void Motore::VerificaGruppi(const std::string& unita, Byte u, Byte k) {
    const char codice = unita.size() == 1 ? unita[0] : ' ';
    PresenzeGruppo.fill(0);
    const std::size_t quante = std::min<std::size_t>(k, CelleGruppo.size());
    for (std::size_t i = 0; i < quante; ++i) {
        int r = 0, c = 0;
        if (!CellaDiUnita(codice, u, CelleGruppo[i] - '0', r, c) || Griglia[r][c] != 0) continue;
        for (int d = 1; d <= 9; ++d)
            if (Possibili[r][c][d] == 50) PresenzeGruppo[d] = 1;
    }
    if (RaccogliPresenze(NumeriGruppo) != k) return;
    if (const ListeApplicate* lista = ListaDiUnita(codice)) CercaChiave(*lista, u, '|');
}

}  // namespace kenvaron
