// Apply and undo of eliminations: the helpers every apply procedure shares
// (change list, breakpoint snapshot, applied-key slots), naked and hidden
// subsets, fish, and the triple lists of the wing, chain and colour searches.
#include "engine/Motore.h"

#include <bit>

namespace kenvaron {

namespace {
constexpr unsigned Bit(int v) { return 1u << v; }
char Carattere(int v) { return static_cast<char>('0' + v); }
}  // namespace

unsigned Motore::Maschera(const std::string& cifre) {
    unsigned m = 0;
    for (char ch : cifre)
        if (ch >= '1' && ch <= '9') m |= Bit(ch - '0');
    return m;
}

void Motore::CellaUnita(Unita u, int indice, int i, int& r, int& c) const {
    switch (u) {
        case Unita::kRiga:
            r = indice;
            c = i;
            break;
        case Unita::kColonna:
            r = i;
            c = indice;
            break;
        case Unita::kQuadrato:
            r = CelleQuadrato[0][indice][i];
            c = CelleQuadrato[1][indice][i];
            break;
    }
}

int Motore::ValoreUnita(Unita u, int r, int c) const {
    switch (u) {
        case Unita::kRiga:
            return r;
        case Unita::kColonna:
            return c;
        case Unita::kQuadrato:
            break;
    }
    return QuadratoCella[r][c][0];
}

bool Motore::UnitaIncontrate(Unita linea, int indice, int d, Unita nota, int limite, int& u1,
                             int& u2) const {
    u1 = 0;
    u2 = 0;
    for (unsigned posti = PostiUnita[static_cast<int>(linea)][indice][d]; posti != 0; posti &= posti - 1) {
        int r = 0, c = 0;
        CellaUnita(linea, indice, std::countr_zero(posti), r, c);
        const int v = ValoreUnita(nota, r, c);
        if (u1 == 0) {
            u1 = v;
        } else if (v != u1 && v != u2) {
            if (u2 != 0 || limite < 2) return false;
            u2 = v;
        }
    }
    return u1 != 0;
}

void Motore::RilevaPosti(int d) {
    const int da = d == 0 ? 1 : d, a = d == 0 ? 9 : d;
    if (d == 0)
        PostiUnita = {};
    else
        for (auto& tipo : PostiUnita)
            for (auto& unita : tipo) unita[d] = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) {
            if (Griglia[r][c] != 0) continue;
            const int q = QuadratoCella[r][c][0], p = QuadratoCella[r][c][1];
            auto& riga = PostiUnita[static_cast<int>(Unita::kRiga)][r];
            auto& colonna = PostiUnita[static_cast<int>(Unita::kColonna)][c];
            auto& quadrato = PostiUnita[static_cast<int>(Unita::kQuadrato)][q];
            for (int cifra = da; cifra <= a; ++cifra) {
                if (Possibili[r][c][cifra] != 50) continue;
                riga[cifra] = static_cast<std::uint16_t>(riga[cifra] | Bit(c));
                colonna[cifra] = static_cast<std::uint16_t>(colonna[cifra] | Bit(r));
                quadrato[cifra] = static_cast<std::uint16_t>(quadrato[cifra] | Bit(p));
            }
        }
}

void Motore::PostiDopoPiazzamento(int r, int c, int d) {
    auto togli = [&](int rr, int cc, int cifra) {
        PostiUnita[static_cast<int>(Unita::kRiga)][rr][cifra] &= static_cast<std::uint16_t>(~Bit(cc));
        PostiUnita[static_cast<int>(Unita::kColonna)][cc][cifra] &= static_cast<std::uint16_t>(~Bit(rr));
        PostiUnita[static_cast<int>(Unita::kQuadrato)][QuadratoCella[rr][cc][0]][cifra] &=
            static_cast<std::uint16_t>(~Bit(QuadratoCella[rr][cc][1]));
    };
    // Placing d lowers the counter of d in every cell of the walk, which then
    // is no place for d; the filled cell is no place for any digit.
    for (const VisitaPari& v : kPariDistinti[r * 10 + c]) togli(v.cella / 10, v.cella % 10, d);
    for (int cifra = 1; cifra <= 9; ++cifra) togli(r, c, cifra);
}

// ---- Change lists and the breakpoint snapshot ------------------------------------

void Motore::InizioApplica() {
    // The step about to be logged is the breakpoint step: keep the candidates before it.
    if (NumPassi == IsalvaValidi - 1) SalvaCandidati();
    TrovatoAvanzato = false;
    ListaCambi.clear();
    SchemaCambi.clear();
    SchemaCambi += '/';
}

void Motore::FineApplica() {
    if (!TrovatoAvanzato) return;  // nothing eliminated: the change list stays empty
    if (NumPassi == IsalvaValidi - 1) {
        if (VisualizzaValidi) VisualizzaValidi(PossibiliSalvati);
        IsalvaValidi = -1;
    }
    ListaCambi += SchemaCambi;
}

namespace {
void AggiungiTripla(std::string& lista, int r, int c, int d) {
    lista += Carattere(r);
    lista += ',';
    lista += Carattere(c);
    lista += ',';
    lista += Carattere(d);
    lista += '|';
}
}  // namespace

void Motore::Elimina(int r, int c, int d) {
    if (--Possibili[r][c][d] == 49) {
        --NumeroCandidati[r][c];
        AggiungiTripla(ListaCambi, r, c, d);
        TrovatoAvanzato = true;
    }
}

void Motore::AggiungiSchema(int r, int c, int d) { AggiungiTripla(SchemaCambi, r, c, d); }

void Motore::CifraInUnita(Unita u, int indice, int d, Unita linea, unsigned maschera,
                          bool applica) {
    for (int i = 1; i <= 9; ++i) {
        int r = 0, c = 0;
        CellaUnita(u, indice, i, r, c);
        if (Griglia[r][c] != 0) continue;
        if ((maschera & Bit(ValoreUnita(linea, r, c))) == 0) {
            if (applica)
                Elimina(r, c, d);
            else
                Alza(r, c, d);
        } else if (applica && Possibili[r][c][d] == 50) {
            AggiungiSchema(r, c, d);
        }
    }
}

// ---- Applied-key slots ------------------------------------------------------------

namespace {
// Whether a slot holds the key CelleGruppo + separator + NumeriGruppo.
bool ChiaveUguale(const std::string& slot, const std::string& celle, char separatore,
                  const std::string& numeri) {
    return slot.size() == celle.size() + 1 + numeri.size() &&
           slot.compare(0, celle.size(), celle) == 0 && slot[celle.size()] == separatore &&
           slot.compare(celle.size() + 1, numeri.size(), numeri) == 0;
}
}  // namespace

void Motore::RegistraChiave(std::array<std::string, kSlotApplicati + 1>& slot, char separatore) {
    // The first free slot takes the key; with every slot taken the key is not recorded.
    for (int j = 1; j <= kSlotApplicati; ++j) {
        if (slot[j].empty()) {
            slot[j] = CelleGruppo;
            slot[j] += separatore;
            slot[j] += NumeriGruppo;
            return;
        }
    }
}

void Motore::AnnullaChiave(std::array<std::string, kSlotApplicati + 1>& slot, char separatore) {
    // In analysis mode the key stays, so that the finding is not reported again.
    if (Analisi) return;
    for (int j = 1; j <= kSlotApplicati; ++j) {
        if (ChiaveUguale(slot[j], CelleGruppo, separatore, NumeriGruppo)) {
            slot[j].assign(1, 'E');
            return;
        }
    }
}

// ---- Naked and hidden subsets -----------------------------------------------------

void Motore::GruppoInUnita(Unita u, int indice, bool nascosto, bool applica) {
    const unsigned celle = Maschera(CelleGruppo);
    const unsigned cifre = Maschera(NumeriGruppo);
    // The pattern entries of a subset carry the group's lowest digit as third field.
    int prima = 0;
    for (int d = 1; d <= 9 && prima == 0; ++d)
        if (cifre & Bit(d)) prima = d;
    for (int i = 1; i <= 9; ++i) {
        int r = 0, c = 0;
        CellaUnita(u, indice, i, r, c);
        if (Griglia[r][c] != 0) continue;
        const bool nelGruppo = (celle & Bit(i)) != 0;
        // Naked: the group's digits leave the other cells.  Hidden: the other
        // digits leave the group's cells.
        if (nelGruppo != nascosto) {
            if (applica && nelGruppo) AggiungiSchema(r, c, prima);
            continue;
        }
        for (int d = 1; d <= 9; ++d) {
            if (((cifre & Bit(d)) != 0) == nascosto) continue;
            if (applica)
                Elimina(r, c, d);
            else
                Alza(r, c, d);
        }
        if (applica && nelGruppo) AggiungiSchema(r, c, prima);
    }
}

void Motore::ApplicaGruppo(ListeApplicate& liste, Unita u, int indice, bool nascosto) {
    InizioApplica();
    RegistraChiave(liste[indice], nascosto ? '/' : '|');
    GruppoInUnita(u, indice, nascosto, true);
    FineApplica();
}

void Motore::AnnullaGruppo(ListeApplicate& liste, Unita u, int indice, bool nascosto) {
    AnnullaChiave(liste[indice], nascosto ? '/' : '|');
    GruppoInUnita(u, indice, nascosto, false);
}

void Motore::AggiornaGruppiR(int u) { ApplicaGruppo(GruppiApplicatiR, Unita::kRiga, u, false); }
void Motore::RipristinaGruppiR(int u) { AnnullaGruppo(GruppiApplicatiR, Unita::kRiga, u, false); }
void Motore::AggiornaGruppiC(int u) { ApplicaGruppo(GruppiApplicatiC, Unita::kColonna, u, false); }
void Motore::RipristinaGruppiC(int u) { AnnullaGruppo(GruppiApplicatiC, Unita::kColonna, u, false); }
void Motore::AggiornaGruppiQ(int u) { ApplicaGruppo(GruppiApplicatiQ, Unita::kQuadrato, u, false); }
void Motore::RipristinaGruppiQ(int u) { AnnullaGruppo(GruppiApplicatiQ, Unita::kQuadrato, u, false); }
void Motore::AggiornaGruppiNumeriR(int u) { ApplicaGruppo(GruppiApplicatiR, Unita::kRiga, u, true); }
void Motore::RipristinaGruppiNumeriR(int u) { AnnullaGruppo(GruppiApplicatiR, Unita::kRiga, u, true); }
void Motore::AggiornaGruppiNumeriC(int u) { ApplicaGruppo(GruppiApplicatiC, Unita::kColonna, u, true); }
void Motore::RipristinaGruppiNumeriC(int u) {
    AnnullaGruppo(GruppiApplicatiC, Unita::kColonna, u, true);
}
void Motore::AggiornaGruppiNumeriQ(int u) { ApplicaGruppo(GruppiApplicatiQ, Unita::kQuadrato, u, true); }
void Motore::RipristinaGruppiNumeriQ(int u) {
    AnnullaGruppo(GruppiApplicatiQ, Unita::kQuadrato, u, true);
}

// ---- Fish ---------------------------------------------------------------------------

void Motore::SwordFish(Unita base, int d, bool applica) {
    // Each cover line in turn loses d outside the base lines.
    const Unita copertura = base == Unita::kRiga ? Unita::kColonna : Unita::kRiga;
    const unsigned basi = Maschera(CelleGruppo);
    for (char ch : NumeriGruppo) {
        if (ch < '1' || ch > '9') continue;
        CifraInUnita(copertura, ch - '0', d, base, basi, applica);
    }
}

void Motore::ApplicaSwordFish(ListeApplicate& liste, Unita base, int d) {
    InizioApplica();
    RegistraChiave(liste[d], '/');
    SwordFish(base, d, true);
    FineApplica();
}

void Motore::AnnullaSwordFish(ListeApplicate& liste, Unita base, int d) {
    AnnullaChiave(liste[d], '/');
    SwordFish(base, d, false);
}

void Motore::AggiornaSwordFishR(int d) { ApplicaSwordFish(SwordFishApplicatiR, Unita::kRiga, d); }
void Motore::RipristinaSwordFishR(int d) { AnnullaSwordFish(SwordFishApplicatiR, Unita::kRiga, d); }
void Motore::AggiornaSwordFishC(int d) { ApplicaSwordFish(SwordFishApplicatiC, Unita::kColonna, d); }
void Motore::RipristinaSwordFishC(int d) {
    AnnullaSwordFish(SwordFishApplicatiC, Unita::kColonna, d);
}

// ---- Triple lists -------------------------------------------------------------------

namespace {
// Calls f(r, c, d) for every whole triple of digits 1..9; a short tail or a
// triple with another character is skipped.
template <class F>
void PerTripla(const std::string& lista, F f) {
    for (std::size_t k = 0; k + 2 < lista.size(); k += 3) {
        const int r = lista[k] - '0', c = lista[k + 1] - '0', d = lista[k + 2] - '0';
        if (r < 1 || r > 9 || c < 1 || c > 9 || d < 1 || d > 9) continue;
        f(r, c, d);
    }
}
}  // namespace

void Motore::AggiornaXYW(const std::string& lista) {
    // The search has already logged its step, so the breakpoint step is the current one.
    if (NumPassi == IsalvaValidi) SalvaCandidati();
    PerTripla(lista, [this](int r, int c, int d) {
        if (Griglia[r][c] == 0) Abbassa(r, c, d);
    });
    if (NumPassi == IsalvaValidi) {
        if (VisualizzaValidi) VisualizzaValidi(PossibiliSalvati);
        IsalvaValidi = -1;
    }
}

void Motore::RipristinaXYW(const std::string& lista) {
    PerTripla(lista, [this](int r, int c, int d) {
        if (Griglia[r][c] == 0) Alza(r, c, d);
    });
}

bool Motore::AlmenoDue(const std::string& s) {
    const std::size_t barra = s.find('/');
    const std::size_t p = barra == std::string::npos ? 0 : barra + 1;
    return s.size() >= p + 7;
}

}  // namespace kenvaron
