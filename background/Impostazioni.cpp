#include "background/Impostazioni.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/FileTesto.h"
#include "engine/Funzioni.h"

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

bool CaricaImpostazioni(Condiviso& c, const std::string& percorso) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(percorso, ec);
    std::string testo;
    if (st.type() == fs::file_type::not_found) {
        // A missing file is created empty; when even that fails the pool is
        // simply empty, and nothing stored is lost by writing it later.
        std::ofstream(percorso, std::ios::binary);
    } else if (!fs::is_regular_file(st) || !LeggiFile(percorso, testo)) {
        // A folder, a pipe or an unreadable file: nothing loaded, nothing ever written.
        c.PoolCaricato = false;
        return false;
    }
    c.PoolCaricato = true;

    const std::string riga = testo.substr(0, testo.find_first_of("\r\n"));
    const std::vector<std::string> campi = Parti(riga, 'X', 7);
    const bool opzione = campi[6] == "1";
    c.SemeCodifica = CLng(Val(campi[0]));
    std::size_t campo = 1;
    PerOgniPool(c, [&](auto& pool) {
        const std::vector<std::string> voci = Parti(campi[campo++], '|', pool.size());
        for (std::size_t i = 1; i < pool.size(); ++i) pool[i] = CodificaCifre(voci[i - 1], c.SemeCodifica);
    });
    return opzione;
}

bool SalvaImpostazioni(Condiviso& c, const std::string& percorso, bool opzione, const Orologio& orologio) {
    if (!c.PoolCaricato) return false;
    const auto seme = static_cast<std::int64_t>(std::floor(orologio.SecondiDaMezzanotte()));
    const std::string riga = RigaImpostazioni(c, seme, opzione);

    namespace fs = std::filesystem;
    const std::string temporaneo = percorso + ".tmp";
    std::error_code ec;
    {
        std::ofstream f(temporaneo, std::ios::binary | std::ios::trunc);
        if (f) f << riga << "\r\n";
        f.close();
        if (f.fail()) {
            fs::remove(temporaneo, ec);
            return false;
        }
    }
    fs::rename(temporaneo, percorso, ec);
    if (ec) {
        fs::remove(temporaneo, ec);
        return false;
    }
    return true;
}

}  // namespace kenvaron
