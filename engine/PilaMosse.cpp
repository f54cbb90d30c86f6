#include "engine/PilaMosse.h"

#include <algorithm>

namespace kenvaron {

namespace {

bool Valida(int x) { return x >= 1 && x <= 9; }

bool StessoColpo(const Mossa& a, const Mossa& b) {
    return a.Tipo == "C" && b.Tipo == "C" && a.Riga == b.Riga && a.Colonna == b.Colonna && a.Cifra == b.Cifra;
}

// The record a full stack lets go of.  At most 729 distinct strikes exist, so
// a stack of 1000 records always holds an "N" record or a repeated strike.
int DaLasciare(const Condiviso& s) {
    const auto inizio = s.PilaAnnulla.begin() + 1, fine = s.PilaAnnulla.begin() + s.NumMosse + 1;
    const auto valore = std::find_if(inizio, fine, [](const Mossa& m) { return m.Tipo != "C"; });
    if (valore != fine) return static_cast<int>(valore - s.PilaAnnulla.begin());
    for (auto m = inizio; m != fine; ++m)
        if (std::any_of(m + 1, fine, [&](const Mossa& dopo) { return StessoColpo(*m, dopo); }))
            return static_cast<int>(m - s.PilaAnnulla.begin());
    return 1;
}

}  // namespace

void SpingiMossa(Condiviso& s, const Mossa& m) {
    s.NumMosse = std::clamp(s.NumMosse, 0, Condiviso::kMaxMosse);
    if (s.NumMosse == Condiviso::kMaxMosse) {
        const int via = DaLasciare(s);
        std::move(s.PilaAnnulla.begin() + via + 1, s.PilaAnnulla.begin() + s.NumMosse + 1,
                  s.PilaAnnulla.begin() + via);
        --s.NumMosse;
    }
    s.PilaAnnulla[++s.NumMosse] = m;
}

void MossaValore(Condiviso& s, int r, int c, Byte v) {
    Mossa m;
    m.Tipo = "N";
    m.Riga = static_cast<Byte>(r);
    m.Colonna = static_cast<Byte>(c);
    m.Vecchio = s.Problema[r][c];
    m.Nuovo = v;
    s.Problema[r][c] = v;
    SpingiMossa(s, m);
}

void MossaCandidato(Condiviso& s, TabellaCandidati& possibili, int r, int c, int d) {
    Mossa m;
    m.Tipo = "C";
    m.Riga = static_cast<Byte>(r);
    m.Colonna = static_cast<Byte>(c);
    m.Cifra = static_cast<Byte>(d);
    m.Vecchio = possibili[r][c][d];
    SpingiMossa(s, m);
    if (possibili[r][c][d] == 50) possibili[r][c][d] = 49;
}

void AccettaSuggerimenti(Condiviso& s, TabellaCandidati& possibili, std::span<const std::string> testi,
                         std::span<const std::string> tipi, int n) {
    const int ultimo = std::min({n, static_cast<int>(testi.size()) - 1, static_cast<int>(tipi.size()) - 1});
    for (int i = 1; i <= ultimo; ++i) {
        const std::string& t = testi[static_cast<std::size_t>(i)];
        const bool piazza = tipi[static_cast<std::size_t>(i)] == "N";
        // "rcv" for a placement, "r,c,d," for an elimination.
        const std::size_t passo = piazza ? 1 : 2;
        if (t.size() < 2 * passo + 1) continue;
        const int r = t[0] - '0', c = t[passo] - '0', d = t[2 * passo] - '0';
        if (!Valida(r) || !Valida(c) || !Valida(d)) continue;
        if (piazza) {
            MossaValore(s, r, c, static_cast<Byte>(d));
            continue;
        }
        Mossa colpo;
        colpo.Tipo = "C";
        colpo.Riga = static_cast<Byte>(r);
        colpo.Colonna = static_cast<Byte>(c);
        colpo.Cifra = static_cast<Byte>(d);
        const auto fine = s.PilaAnnulla.begin() + std::clamp(s.NumMosse, 0, Condiviso::kMaxMosse) + 1;
        if (std::none_of(s.PilaAnnulla.begin() + 1, fine, [&](const Mossa& m) { return StessoColpo(m, colpo); }))
            MossaCandidato(s, possibili, r, c, d);
    }
}

std::optional<Mossa> AnnullaUltimaMossa(Condiviso& s, TabellaCandidati& possibili) {
    s.NumMosse = std::clamp(s.NumMosse, 0, Condiviso::kMaxMosse);
    if (s.NumMosse == 0) return std::nullopt;
    const Mossa m = s.PilaAnnulla[s.NumMosse--];
    if (Valida(m.Riga) && Valida(m.Colonna)) {
        if (m.Tipo == "N")
            s.Problema[m.Riga][m.Colonna] = m.Vecchio;
        else if (m.Tipo == "C" && Valida(m.Cifra))
            possibili[m.Riga][m.Colonna][m.Cifra] = m.Vecchio;
    }
    return m;
}

std::array<bool, 10> CandidatiOfferti(const Condiviso& s, int r, int c) {
    std::array<bool, 10> offerti{};
    for (int d = 1; d <= 9; ++d) offerti[static_cast<std::size_t>(d)] = true;
    const int r0 = (r - 1) / 3 * 3 + 1, c0 = (c - 1) / 3 * 3 + 1;
    const auto togli = [&](Byte v) {
        if (v <= 9) offerti[v] = false;
    };
    for (int i = 1; i <= 9; ++i) {
        togli(s.Problema[r][i]);
        togli(s.Problema[i][c]);
        togli(s.Problema[r0 + (i - 1) / 3][c0 + (i - 1) % 3]);
    }
    for (int k = 1; k <= std::clamp(s.NumMosse, 0, Condiviso::kMaxMosse); ++k) {
        const Mossa& m = s.PilaAnnulla[static_cast<std::size_t>(k)];
        if (m.Tipo == "C" && m.Riga == r && m.Colonna == c && Valida(m.Cifra)) offerti[m.Cifra] = false;
    }
    offerti[0] = false;
    return offerti;
}

}  // namespace kenvaron
