#include "background/Impostazioni.h"

#include <cmath>
#include <filesystem>
#include <vector>

#include "engine/FileTesto.h"
#include "engine/Funzioni.h"
#include "generation/ContaSoluzioni.h"

namespace kenvaron {

namespace {

// The pools in the order the file holds them.
template <typename F>
void PerOgniPool(Condiviso& c, F&& f) {
    f(c.SchemiBkgD);
    f(c.SchemiBkgC);
    f(c.SchemiBkgE);
    f(c.SchemiBkgN);
    f(c.SchemiBkgS);
}

// The parts of a text cut at every separator; parts the text doesn't reach read as "".
std::vector<std::string> Parti(const std::string& testo, char separatore, std::size_t almeno) {
    std::vector<std::string> parti(1);
    for (const char ch : testo) {
        if (ch == separatore)
            parti.emplace_back();
        else
            parti.back() += ch;
    }
    if (parti.size() < almeno) parti.resize(almeno);
    return parti;
}

// The remainder that keeps the sign of the divisor, so that a hand-edited
// negative seed still gives digits.
std::int64_t Resto10(std::int64_t n) { return ((n % 10) + 10) % 10; }

// A whole pool is about 6 KB: a longer first line than this is no pool line,
// and the file is left alone rather than cut.
constexpr std::size_t kMaxRiga = std::size_t{1} << 20;

// The first line of a file without its end; false when the file cannot be
// read or the line runs past kMaxRiga bytes.
bool LeggiPrimaRiga(const std::string& percorso, std::string& riga) {
    // One byte past the limit tells a line that runs past it.
    std::string testo;
    if (!LeggiFile(percorso, testo, kMaxRiga + 1)) return false;
    riga = testo.substr(0, testo.find_first_of("\r\n"));
    return riga.size() <= kMaxRiga;
}

// The seed of field 0: its leading number as Val reads it, when that is a
// whole number 0..2^31-1; anything else (a sign, a fraction, a huge number)
// reads as 0, so every key stays a one-digit substitution.
std::int64_t SemeLetto(const std::string& campo) {
    const double v = Val(campo);
    if (!(v >= 0 && v <= 2147483647.0) || v != std::floor(v)) return 0;
    return static_cast<std::int64_t>(v);
}

}  // namespace

std::string CodificaCifre(const std::string& testo, std::int64_t& seme) {
    std::string risultato;
    risultato.reserve(testo.size());
    for (const char ch : testo) {
        // The hundreds and tens digits of the seed; places a small seed doesn't reach count as 1.
        const std::string forma = "111111" + std::to_string(seme);
        const std::string ultime = forma.substr(forma.size() - 4);
        const auto k = static_cast<std::int64_t>(Val(ultime.substr(1, 2)));
        seme += 19 + k;
        if (Resto10(seme) < 5) seme += 3;
        if (Resto10(seme) < 6) seme += 4;
        const int d = ch >= '0' && ch <= '9' ? ch - '0' : 0;
        risultato += static_cast<char>('0' + 9 - Resto10(d + seme));
    }
    return risultato;
}

std::string RigaImpostazioni(Condiviso& c, std::int64_t seme, bool opzione) {
    c.SemeCodifica = seme;
    std::string riga = std::to_string(seme) + "X";
    PerOgniPool(c, [&](auto& pool) {
        for (std::size_t i = 1; i < pool.size(); ++i) riga += CodificaCifre(pool[i], c.SemeCodifica) + "|";
        riga += "X";
    });
    riga += opzione ? "1X" : "0X";
    return riga;
}

bool CaricaImpostazioni(Condiviso& c, const std::string& percorso, std::int64_t* semeIniziale) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(percorso, ec);
    std::string riga;
    if (st.type() == fs::file_type::not_found) {
        // A missing file is created empty; when even that fails the pool is
        // simply empty, and nothing stored is lost by writing it later.
        ScriviFile(percorso, "", kNessunFileProprio);
    } else if (!fs::is_regular_file(st) || !LeggiPrimaRiga(percorso, riga)) {
        // A folder, a pipe, an unreadable file or a line far longer than any
        // pool: nothing loaded, nothing ever written.
        c.PoolCaricato = false;
        return false;
    }
    c.PoolCaricato = true;

    const std::vector<std::string> campi = Parti(riga, 'X', 7);
    const bool opzione = campi[6] == "1";
    c.SemeCodifica = SemeLetto(campi[0]);
    if (semeIniziale != nullptr) *semeIniziale = c.SemeCodifica;
    std::size_t campo = 1;
    PerOgniPool(c, [&](auto& pool) {
        const std::vector<std::string> voci = Parti(campi[campo++], '|', pool.size());
        for (std::size_t i = 1; i < pool.size(); ++i) pool[i] = CodificaCifre(voci[i - 1], c.SemeCodifica);
    });
    // A slot that could never be served is emptied, so that the background
    // fills it again instead of carrying it from write to write.
    PerOgniPool(c, [](auto& pool) {
        for (std::string& slot : pool)
            if (!slot.empty() && !SlotValido(slot)) slot.clear();
    });
    return opzione;
}

bool SalvaImpostazioni(Condiviso& c, const std::string& percorso, bool opzione, const Orologio& orologio) {
    if (!c.PoolCaricato) return false;
    const auto seme = static_cast<std::int64_t>(std::floor(orologio.SecondiDaMezzanotte()));
    return ScriviFile(percorso, RigaImpostazioni(c, seme, opzione) + "\r\n", kNessunFileProprio);
}

}  // namespace kenvaron
