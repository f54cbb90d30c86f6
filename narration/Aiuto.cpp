#include "narration/Aiuto.h"

#include <optional>

#include "engine/Marcatori.h"
#include "narration/ListaRagionamento.h"
#include "narration/NomeTecnica.h"
#include "narration/TestoUtf8.h"

namespace kenvaron::narrazione {

namespace {

constexpr char kCerca[] = "Cerca ";
// Below this length (untrimmed) a wing without "può " has three cells.
constexpr std::size_t kLunghezzaXYZT = 70;

// `quanti` characters of the narration from the start of the first
// `marcatore`, or right after it; nullopt when the narration lacks it.
std::optional<std::string> Taglio(const std::string& testo, const char* marcatore, std::size_t quanti,
                                  bool dopo = true) {
    const std::size_t pos = testo.find(marcatore);
    if (pos == std::string::npos) return std::nullopt;
    return Caratteri(testo, dopo ? pos + std::char_traits<char>::length(marcatore) : pos, quanti);
}

// The character at position `posizione` (from 1) of a cell list, "" past its end.
std::string Carattere(const std::string& celle, std::size_t posizione) {
    return posizione <= celle.size() ? celle.substr(posizione - 1, 1) : std::string();
}

// The value of a one-character number, 0 when it is no digit.
int ValoreCifra(const std::string& s) { return !s.empty() && s[0] >= '0' && s[0] <= '9' ? s[0] - '0' : 0; }

// The unit of a single or a subset at strength 2; r and c its cell.
std::string UnitaPerCodice(const Motore& m, const std::string& codice, int r, int c, const std::string& riga,
                           const std::string& colonna) {
    if (codice == "R") return " per la riga " + riga;
    if (codice == "C") return " per la colonna " + colonna;
    if (codice == "Q") {
        const int q = r >= 0 && r <= 9 && c >= 0 && c <= 9 ? m.QuadratoCella[r][c][0] : 0;
        return " per il quadrato  " + std::to_string(q);
    }
    return {};
}

// The label and location of a step; nullopt when its narration lacks the
// marker the location is cut at.
std::optional<std::string> Etichetta(const Motore& m, const Passo& p, bool forte) {
    const std::string& t = p.Testo;
    const char tipo = p.Tipo.size() == 1 ? p.Tipo[0] : '\0';
    auto conLuogo = [](const char* etichetta, std::optional<std::string> luogo) -> std::optional<std::string> {
        if (!luogo) return std::nullopt;
        return etichetta + *luogo;
    };
    switch (tipo) {
        case 'U': {
            if (p.Codice.empty()) return std::string("Singolo nudo") + (forte ? " per il numero " + p.Cifra : "");
            std::string s = "Singolo nascosto";
            if (forte)
                s += UnitaPerCodice(m, p.Codice, p.Riga, p.Colonna, std::to_string(p.Riga), std::to_string(p.Colonna));
            return s;
        }
        case 'S': return std::string("Candidati Fissati") + (forte ? " per il numero " + Carattere(p.Celle, 5) : "");
        case 'D':
            return std::string("Candidati Fissati in Due Quadrati") +
                   (forte ? " per il n." + Carattere(p.Celle, 5) : "");
        case 'W': {
            const char* etichetta = "XYZT-wings dalla cella ";
            if (Contiene(t, marcatori::kPuo))
                etichetta = "XYZ-wings dalla cella ";
            else if (NumeroCaratteri(t) < kLunghezzaXYZT)
                etichetta = "XY-wings dalla cella ";
            return conLuogo(etichetta, Taglio(t, marcatori::kIn, 3));
        }
        case 'O': return conLuogo("Catene Obbligate da ", Taglio(t, marcatori::kIn, 10));
        case 'C': return conLuogo("Nishio in cella ", Taglio(t, marcatori::kIn, 3));
        case 'B': return conLuogo("X-wings,Swordfish,Burma per ", Taglio(t, marcatori::kIlN, 12, false));
        case 'I': {
            const std::size_t duePunti = t.find(marcatori::kDuePunti);
            if (duePunti == std::string::npos) return std::nullopt;
            return "Catene Obbligate " + Sostituisci(std::string(SenzaSpazi(t.substr(0, duePunti))), "In", "da");
        }
        case 'M': {
            const std::size_t per = t.find(marcatori::kPerDue);
            if (per == std::string::npos) return std::nullopt;
            // The unit follows "per  la " or "per  il ": three characters past the marker.
            const std::size_t unita = SaltaCaratteri(t, per + std::char_traits<char>::length(marcatori::kPerDue), 3);
            return "Colori , Colori multipli da " + t.substr(unita) + " per il n. " + Caratteri(SenzaSpazi(t), 0, 1);
        }
        case 'G':
        case 'g': {
            std::string s = DecodDoppioTriplo(p.Dimensione) + (tipo == 'G' ? " Nudo" : " Nascosto");
            if (forte) {
                const std::string riga = Carattere(p.Celle, 1), colonna = Carattere(p.Celle, 3);
                s += UnitaPerCodice(m, p.Codice, ValoreCifra(riga), ValoreCifra(colonna), riga, colonna);
            }
            return s;
        }
        case 'P': return std::string(" per tentativi o seleziona un livello più potente");
        default: return std::string();
    }
}

}  // namespace

std::string TestoAiuto(const Motore& m, int passo, Byte livelloAiuto) {
    if (passo >= 1 && passo <= m.NumPassi && passo <= Motore::kMaxPassi && m.LogPassi[passo].Testo == marcatori::kVuota)
        ++passo;
    if (passo < 1 || passo > m.NumPassi || passo > Motore::kMaxPassi) return kCerca;
    const Passo& p = m.LogPassi[passo];
    if (auto etichetta = Etichetta(m, p, livelloAiuto == 2)) return kCerca + *etichetta;
    // A narration without the marker its location is cut at: the technique's name alone.
    return kCerca + NomeDelPasso(p).nome;
}

}  // namespace kenvaron::narrazione
