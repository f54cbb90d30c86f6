// Nishio: for one digit, every cell that allows it is tried for real on the
// working grid.  The trial follows the cells where the digit becomes forced by
// units with few places; a unit left with no place proves the trial cell wrong,
// and the digit is struck there.  Every trial is taken back.
#include <array>
#include <string>
#include <vector>

#include "engine/Marcatori.h"
#include "engine/Motore.h"
#include "techniques/TerneTesto.h"

namespace kenvaron {

namespace {

constexpr int kMaxCoda = 80;

using Conte = std::array<int, 10>;

struct PostiIniziali {
    Conte riga{}, colonna{}, quadrato{};
};

// One trial of digit d at (r0, c0).  Narrated, it writes its records as it
// goes and, when it ends without a contradiction, drops them again.  Silent,
// it only places and takes back; the caller uses it when no breakpoint can
// fire and narrates again the trials that end in a contradiction.
class ProvaNishio {
public:
    ProvaNishio(Motore& m, int d, int livello, const PostiIniziali& prima, int minimo, int massimo)
        : m_(m), d_(d), livello_(livello), prima_(prima), minimo_(minimo), massimo_(massimo) {}

    // True when the trial ends in a contradiction; the grid is restored either way.
    bool Esegui(int r0, int c0, bool narra) {
        narra_ = narra;
        numCoda_ = 1;
        posati_ = 0;
        codaR_[1] = static_cast<Byte>(r0);
        codaC_[1] = static_cast<Byte>(c0);
        const int numPassiSalvato = m_.NumPassi;
        const std::int16_t breakpointSalvato = m_.IsalvaValidi;
        if (narra_) {
            frasi_.assign(1, std::string());
            persi_.assign(1, std::string());
            frasi_.push_back(Inizio(r0, c0) + " " + marcatori::kPortaA + " una " + marcatori::kContraddizione +
                             " poichè: ");
            annulla_.clear();
            celle_ = std::string(marcatori::kCOL) + "/";
            AggiungiTerna(celle_, r0, c0, d_);
            corrente_ = frasi_[1];
        }
        for (int k = 1; k <= numCoda_; ++k) {
            if (Passo(k)) {
                Annulla();
                return true;
            }
        }
        if (narra_) {
            m_.IsalvaValidi = breakpointSalvato;
            m_.NumPassi = numPassiSalvato;
        }
        Annulla();
        return false;
    }

private:
    std::string Inizio(int r, int c) const {
        return std::to_string(d_) + " in " + std::to_string(r) + "," + std::to_string(c);
    }

    std::string VociCoda(int k) const {
        std::string s;
        for (int i = 1; i <= k; ++i) AggiungiTerna(s, codaR_[i], codaC_[i], d_);
        return s;
    }

    std::string Persi(int k) const {
        std::string s;
        for (int i = 1; i <= k; ++i) s += persi_[i];
        return s;
    }

    void Scrivi(const std::string& testo, const std::string& celle, const std::string& codice) {
        m_.AggiungiPasso(static_cast<Byte>(livello_), testo, 0, 0, "0", "", celle, "C", codice, 0);
    }

    // Processes queue entry k: places it, narrates, recounts and queues the
    // forced cells.  True when some unit is left without a place.
    bool Passo(int k) {
        const int r = codaR_[k], c = codaC_[k];
        const std::string rientro = narra_ ? Motore::IncrementaIndice(livello_) : std::string();
        if (narra_ && m_.ModoRisolvi && !m_.Sfondo &&
            corrente_.find(marcatori::kContraddizione) != std::string::npos) {
            if (m_.NumPassi == m_.IsalvaValidi - 1) m_.SalvaCandidati();
            m_.AggiungiPasso(static_cast<Byte>(livello_), marcatori::kVuota, 0, 0, "0", "", celle_, "", "", 0);
        }
        LivelloPila& p0 = m_.PilaLivelli[0];
        p0.Riga = static_cast<Byte>(r);
        p0.Colonna = static_cast<Byte>(c);
        p0.Cifra = static_cast<Byte>(d_);
        posati_ = k;
        if (narra_) {
            m_.AggiornaPerClr(0);
            persi_.push_back(m_.CelleGruppo);
            std::string voce = "E";
            AggiungiTerna(voce, r, c, d_);
            annulla_.insert(0, voce);

            celle_ = marcatori::kCOL + ("/" + VociCoda(k)) + "X,X,X|" + Persi(k - 1);
            Scrivi(rientro + frasi_[k], celle_, "");
            const std::string& perso = persi_[k];
            if (!perso.empty()) {
                // The list with one more "|": the two empty pieces at its end add blanks too.
                std::string testo = rientro + marcatori::kVerrebbeEscluso + " dalle celle ";
                AggiungiPezzi(testo, perso + "|", 3, "  ");
                Scrivi(testo, celle_ + "X,X,X|" + Persi(k), "");
            }
        } else {
            m_.Aggiorna(0);
        }

        // Places left in every unit; a unit that holds the digit is done.
        Conte nR{}, nC{}, nQ{};
        std::array<bool, 10> fattaR{}, fattaC{}, fattaQ{};
        std::array<Byte, 10> ultR{}, ultC{}, ultQr{}, ultQc{};
        for (int rr = 1; rr <= 9; ++rr) {
            for (int cc = 1; cc <= 9; ++cc) {
                const int q = m_.QuadratoCella[rr][cc][0];
                if (m_.Griglia[rr][cc] == d_) {
                    fattaR[rr] = fattaC[cc] = fattaQ[q] = true;
                } else if (m_.Griglia[rr][cc] == 0 && m_.Possibili[rr][cc][d_] == 50) {
                    ++nR[rr];
                    ++nC[cc];
                    ++nQ[q];
                    ultR[rr] = static_cast<Byte>(cc);
                    ultC[cc] = static_cast<Byte>(rr);
                    ultQr[q] = static_cast<Byte>(rr);
                    ultQc[q] = static_cast<Byte>(cc);
                }
            }
        }
        struct Tipo {
            const Conte& posti;
            const std::array<bool, 10>& fatta;
            const Conte& primaPosti;
            const char* nome;
            const char* codice;
        };
        const Tipo tipi[3] = {{nR, fattaR, prima_.riga, "riga ", "R"},
                              {nC, fattaC, prima_.colonna, "colonna ", "C"},
                              {nQ, fattaQ, prima_.quadrato, "quadrato ", "Q"}};
        for (int t = 0; t < 3; ++t) {
            const Tipo& tipo = tipi[t];
            for (int u = 1; u <= 9; ++u) {
                if (tipo.fatta[u]) continue;
                if (tipo.posti[u] == 0) {
                    if (narra_) Contraddizione(k, tipo.nome, tipo.codice, u);
                    return true;
                }
                if (tipo.posti[u] != 1 || tipo.primaPosti[u] < minimo_ || tipo.primaPosti[u] > massimo_)
                    continue;
                const Byte fr = t == 0 ? static_cast<Byte>(u) : t == 1 ? ultC[u] : ultQr[u];
                const Byte fc = t == 0 ? ultR[u] : t == 1 ? static_cast<Byte>(u) : ultQc[u];
                bool inCoda = false;
                for (int i = 1; i <= numCoda_ && !inCoda; ++i) inCoda = codaR_[i] == fr && codaC_[i] == fc;
                if (inCoda || numCoda_ >= kMaxCoda) continue;
                ++numCoda_;
                codaR_[numCoda_] = fr;
                codaC_[numCoda_] = fc;
                if (narra_) {
                    frasi_.push_back(Inizio(fr, fc) + " " + marcatori::kSarebbe + " unico poss. per " + tipo.nome +
                                     std::to_string(u));
                    corrente_ = frasi_.back();
                }
            }
        }
        return false;
    }

    void Contraddizione(int k, const char* nome, const char* codice, int u) {
        const std::string testo = Motore::IncrementaIndice(livello_) + std::to_string(d_) +
                                  " non  " + marcatori::kSarebbe + "  poss. per " + nome + std::to_string(u);
        m_.ListaCambi.clear();
        AggiungiTerna(m_.ListaCambi, codaR_[1], codaC_[1], d_);
        Scrivi(testo, m_.ListaCambi + "/" + VociCoda(k) + "X,X,X|" + Persi(k) + marcatori::kCLL, codice);
    }

    // Takes back every placement of the trial, newest first.
    void Annulla() {
        if (narra_) {
            m_.RipristinaTecnica(annulla_);
            return;
        }
        // Same effect as replaying the "E" entries: the parameter block and
        // the replay's scratch strings end on the trial cell.
        LivelloPila& p0 = m_.PilaLivelli[0];
        for (int i = posati_; i >= 1; --i) {
            p0.Riga = codaR_[i];
            p0.Colonna = codaC_[i];
            p0.Cifra = static_cast<Byte>(d_);
            m_.Ripristina(0);
        }
        m_.CelleGruppo = std::to_string(codaC_[1]);
        m_.NumeriGruppo = std::to_string(d_);
    }

    Motore& m_;
    const int d_;
    const int livello_;
    const PostiIniziali& prima_;
    const int minimo_, massimo_;
    bool narra_ = false;
    int numCoda_ = 0;
    int posati_ = 0;
    std::array<Byte, kMaxCoda + 1> codaR_{}, codaC_{};
    std::vector<std::string> frasi_, persi_;
    std::string annulla_, celle_, corrente_;
};

}  // namespace

void Motore::CtrlNishio(int cifra, int livello) {
    if (cifra < 1 || cifra > 9 || livello < 0 || livello > kMaxLivelli) return;
    const int d = cifra;
    auto possibile = [&](int r, int c) { return Griglia[r][c] == 0 && Possibili[r][c][d] == 50; };

    PostiIniziali prima;
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (!possibile(r, c)) continue;
            ++prima.riga[r];
            ++prima.colonna[c];
            ++prima.quadrato[QuadratoCella[r][c][0]];
        }
    }
    int unitaDue = 0;
    for (int u = 1; u <= 9; ++u)
        unitaDue += (prima.riga[u] == 2) + (prima.colonna[u] == 2) + (prima.quadrato[u] == 2);
    if (unitaDue < 2) return;

    // Units of two places force a cell; the extended window (main engine only) takes any.
    const int massimo = !Sfondo && stato.TecnicheAvanzate[0] != 0 ? 9 : 2;
    ProvaNishio prova(*this, d, livello, prima, 2, massimo);
    for (int r0 = 1; r0 <= 9; ++r0) {
        for (int c0 = 1; c0 <= 9; ++c0) {
            if (!possibile(r0, c0)) continue;
            // A silent trial is enough while no record of it could reach the breakpoint.
            const bool silenziosa = IsalvaValidi <= NumPassi && IsalvaValidi != kMaxPassi;
            bool contraddizione = prova.Esegui(r0, c0, !silenziosa);
            if (contraddizione && silenziosa) contraddizione = prova.Esegui(r0, c0, true);
            if (!contraddizione) continue;

            LivelloPila& p0 = PilaLivelli[0];
            p0.Riga = static_cast<Byte>(r0);
            p0.Colonna = static_cast<Byte>(c0);
            p0.Cifra = static_cast<Byte>(d);
            if (Analisi) continue;
            std::string voce = "L";
            AggiungiTerna(voce, r0, c0, d);
            PilaLivelli[livello].ListaRipristino.insert(0, voce);
            AggiornaColori(0);
            TrovatoAvanzato = true;
            if (ModoRisolvi) return;
        }
    }
}

}  // namespace kenvaron
