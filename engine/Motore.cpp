#include "engine/Motore.h"

#include <cmath>
#include <utility>

namespace kenvaron {

Byte ValoreByte(const std::string& testo) {
    int valore = 0;
    bool cifre = false;
    for (char ch : testo) {
        if (ch == ' ' && !cifre) continue;
        if (ch < '0' || ch > '9') break;
        cifre = true;
        valore = valore * 10 + (ch - '0');
        if (valore > 255) return 255;
    }
    return static_cast<Byte>(valore);
}

Motore::Motore(Condiviso& s, Orologio& o, ProfiloMotore p)
    : stato(s), orologio(&o), profilo(std::move(p)), Sfondo(profilo.Sfondo) {
    CostruisciTabelleUnita();
    Inizializza();
}

void Motore::CostruisciTabelleUnita() {
    for (int q = 1; q <= 9; ++q) {
        const int r0 = 3 * ((q - 1) / 3) + 1;
        const int c0 = 3 * ((q - 1) % 3) + 1;
        int p = 0;
        for (int r = r0; r <= r0 + 2; ++r) {
            for (int c = c0; c <= c0 + 2; ++c) {
                ++p;
                CelleQuadrato[0][q][p] = static_cast<Byte>(r);
                CelleQuadrato[1][q][p] = static_cast<Byte>(c);
                QuadratoCella[r][c][0] = static_cast<Byte>(q);
                QuadratoCella[r][c][1] = static_cast<Byte>(p);
            }
        }
    }
    static const char* const kCoppie[] = {"12", "13", "23", "45", "46", "56", "78", "79", "89"};
    static const char* const kCoppieQ[] = {"14", "17", "47", "25", "28", "58", "36", "39", "69"};
    for (int i = 1; i <= 9; ++i) {
        CoppieLinee[i] = kCoppie[i - 1];
        CoppieLineeQ[i] = kCoppieQ[i - 1];
    }
}

void Motore::Inizializza() {
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            for (int d = 1; d <= 9; ++d) Possibili[r][c][d] = 50;
            NumeroCandidati[r][c] = 9;
            Griglia[r][c] = 0;
            CandidatiApplicatiR[r][c] = 0;
            CandidatiApplicatiC[r][c] = 0;
            CandidatiApplicatiQR[r][c] = 0;
            CandidatiApplicatiQC[r][c] = 0;
            CoppieApplicateR[r][c].clear();
            CoppieApplicateC[r][c].clear();
            CoppieApplicateQR[r][c].clear();
            CoppieApplicateQC[r][c].clear();
        }
    }
}

void Motore::SalvaTabella(const Tabella& sorgente, Tabella& destinazione) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) destinazione[r][c] = sorgente[r][c];
}

void Motore::AzzeraTabella(Tabella& tabella) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) tabella[r][c] = 0;
}

void Motore::contaCellePiene() {
    // Each engine counts the puzzle it solves.
    const Tabella& schema = Sfondo ? stato.ProblemaF5 : stato.Problema;
    int piene = 0;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (schema[r][c] != 0) ++piene;
    NumCellePiene = piene;
}

double Motore::GeneraCasuale(double n) {
    // One draw x < 1, scaled in double precision: the result is always 1..n.
    const double x = casuale.Prossimo();
    return std::floor(x * n + 1.0);
}

void Motore::SalvaCandidati() { PossibiliSalvati = Possibili; }

std::string Motore::ListaCelle(const std::string& unita, Byte indice,
                               const std::string& posizioni) const {
    std::string lista;
    if (unita != "Q" && unita != "R" && unita != "C") return lista;
    for (char ch : posizioni) {
        const int p = ch - '0';
        if (p < 1 || p > 9) continue;
        int r = 0, c = 0;
        if (unita == "Q") {
            r = CelleQuadrato[0][indice][p];
            c = CelleQuadrato[1][indice][p];
        } else if (unita == "R") {
            r = indice;
            c = p;
        } else {
            r = p;
            c = indice;
        }
        lista += '(' + std::to_string(r) + ',' + std::to_string(c) + ") ";
    }
    return lista;
}

void Motore::RuotaTabella(Tabella& tabella) {
    const Tabella copia = tabella;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) tabella[r][c] = copia[c][10 - r];
}

void Motore::Scambia(Tabella& tabella, double a, double b) {
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            if (tabella[r][c] == a)
                tabella[r][c] = static_cast<Byte>(b);
            else if (tabella[r][c] == b)
                tabella[r][c] = static_cast<Byte>(a);
        }
    }
}

namespace {
// Rows and columns are taken as the nearest whole numbers, halves to even.
int Intero19(double x) {
    const int v = static_cast<int>(std::nearbyint(x));
    return v;
}
bool InTabella(int i) { return i >= 1 && i <= 9; }
}  // namespace

void Motore::ScambiaRiga(Tabella& tabella, double r1d, double r2d) {
    const int r1 = Intero19(r1d), r2 = Intero19(r2d);
    // Out-of-range rows would address cells outside the table: nothing to swap.
    if (!InTabella(r1) || !InTabella(r2)) return;
    for (int c = 1; c <= 9; ++c) {
        std::swap(tabella[r1][c], tabella[r2][c]);
        std::swap(tabella[10 - r1][10 - c], tabella[10 - r2][10 - c]);
    }
}

void Motore::ScambiaColonna(Tabella& tabella, double c1d, double c2d) {
    const int c1 = Intero19(c1d), c2 = Intero19(c2d);
    if (!InTabella(c1) || !InTabella(c2)) return;
    for (int r = 1; r <= 9; ++r) {
        std::swap(tabella[r][c1], tabella[r][c2]);
        std::swap(tabella[10 - r][10 - c1], tabella[10 - r][10 - c2]);
    }
}

std::string& Motore::MischiaValidi(std::string& s, Byte n) {
    MischiaCifre(s.data(), s.size(), n);
    return s;
}

void Motore::MischiaCifre(char* s, std::size_t lunghezza, Byte n) {
    const int quante = static_cast<int>(lunghezza);
    for (int volta = 0; volta < 2 * n; ++volta) {
        const int i = static_cast<int>(GeneraCasuale(n));
        const int j = static_cast<int>(GeneraCasuale(n));
        if (i >= 1 && j >= 1 && i <= quante && j <= quante) std::swap(s[i - 1], s[j - 1]);
    }
}

// ---- Placing and unplacing ---------------------------------------------------

void Motore::Aggiorna(int k) {
    const LivelloPila& p = PilaLivelli[k];
    const int r = p.Riga, c = p.Colonna, d = p.Cifra;
    Griglia[r][c] = static_cast<Byte>(d);
    CelleRiempite = static_cast<std::int16_t>(CelleRiempite + ContaRiempimento);
    SpostaCifra(r, c, d, -1);
}

void Motore::Ripristina(int k) {
    const LivelloPila& p = PilaLivelli[k];
    const int r = p.Riga, c = p.Colonna, d = p.Cifra;
    Griglia[r][c] = 0;
    CelleRiempite = static_cast<std::int16_t>(CelleRiempite - ContaRiempimento);
    SpostaCifra(r, c, d, +1);
}

void Motore::AggiornaPerClr(int k) {
    CelleGruppo.clear();
    const LivelloPila& p = PilaLivelli[k];
    const int r = p.Riga, c = p.Colonna, d = p.Cifra;
    Griglia[r][c] = static_cast<Byte>(d);
    CelleRiempite = static_cast<std::int16_t>(CelleRiempite + ContaRiempimento);
    PerOgniPari(r, c, [&](int rr, int cc) {
        if (--Possibili[rr][cc][d] != 49) return;
        --NumeroCandidati[rr][cc];
        if (Griglia[rr][cc] != 0) return;
        const char voce[] = {static_cast<char>('0' + rr), ',', static_cast<char>('0' + cc), ',',
                             static_cast<char>('0' + d), '|'};
        CelleGruppo.append(voce, sizeof voce);
    });
}

void Motore::AggiornaColori(int k) {
    const LivelloPila& p = PilaLivelli[k];
    Abbassa(p.Riga, p.Colonna, p.Cifra);
}

void Motore::RipristinaColori(int k) {
    const LivelloPila& p = PilaLivelli[k];
    Alza(p.Riga, p.Colonna, p.Cifra);
}

// ---- Step log -------------------------------------------------------------------

void Motore::AggiungiPasso(Byte profondita, const std::string& testo, Byte riga, Byte colonna,
                           const std::string& cifra, const std::string& ripristino,
                           const std::string& celle, const std::string& tipo,
                           const std::string& codice, Byte dimensione) {
    ++NumPassi;
    if (NumPassi > kMaxPassi) NumPassi = kMaxPassi;
    Passo& p = LogPassi[NumPassi];
    p.Testo = testo;
    p.Profondita = profondita;
    p.Riga = riga;
    p.Colonna = colonna;
    p.Cifra = cifra;
    p.Ripristino = ripristino;
    p.Celle = celle;
    p.Tipo = tipo;
    p.Codice = codice;
    p.Dimensione = dimensione;
    if (NumPassi == IsalvaValidi) {
        if (VisualizzaValidi) VisualizzaValidi(Possibili);
        IsalvaValidi = -1;
    }
}

std::string Motore::IncrementaIndice(int livello) {
    return std::string(static_cast<std::size_t>(3 * livello + 1), ' ');
}

// ---- Undo strings -------------------------------------------------------------------

void Motore::RipristinaTecnica(std::string& s) {
    std::size_t pos = 0;
    while (s.find('|', pos) != std::string::npos) {
        // An entry without its two commas and closing "|" is a malformed tail, kept whole.
        const std::size_t inizio = pos;
        const char tipo = s[pos];
        ++pos;
        std::size_t virgola = s.find(',', pos);
        if (virgola == std::string::npos) {
            pos = inizio;
            break;
        }
        const Byte a = ValoreByte(s.substr(pos, virgola - pos));
        pos = virgola + 1;
        virgola = s.find(',', pos);
        if (virgola == std::string::npos) {
            pos = inizio;
            break;
        }
        CelleGruppo.assign(s, pos, virgola - pos);
        pos = virgola + 1;
        const std::size_t barra = s.find('|', pos);
        if (barra == std::string::npos) {
            pos = inizio;
            break;
        }
        NumeriGruppo.assign(s, pos, barra - pos);
        pos = barra + 1;

        // The undo procedure of the kind: one that reads record 0, or one that
        // takes the unit or digit a.  Kinds this engine does not know are
        // consumed and ignored.
        void (Motore::*conRecord)(int) = nullptr;
        void (Motore::*conIndice)(int) = nullptr;
        bool dueUnita = false;
        switch (tipo) {
            case 'E': conRecord = &Motore::Ripristina; break;
            case 'L': conRecord = &Motore::RipristinaColori; break;
            case 'R': conRecord = &Motore::RipristinaR; break;
            case 'C': conRecord = &Motore::RipristinaC; break;
            case 'Q': conRecord = &Motore::RipristinaQR; break;
            case 'q': conRecord = &Motore::RipristinaQC; break;
            case '1': conRecord = &Motore::RipristinaRcp; dueUnita = true; break;
            case '2': conRecord = &Motore::RipristinaCcp; dueUnita = true; break;
            case '3': conRecord = &Motore::RipristinaQCcp; dueUnita = true; break;
            case '4': conRecord = &Motore::RipristinaQRcp; dueUnita = true; break;
            case 'X': conIndice = &Motore::RipristinaGruppiR; break;
            case 'Y': conIndice = &Motore::RipristinaGruppiC; break;
            case 'S': conIndice = &Motore::RipristinaGruppiQ; break;
            case 'x': conIndice = &Motore::RipristinaGruppiNumeriR; break;
            case 'y': conIndice = &Motore::RipristinaGruppiNumeriC; break;
            case 's': conIndice = &Motore::RipristinaGruppiNumeriQ; break;
            case '5': conIndice = &Motore::RipristinaSwordFishR; break;
            case '6': conIndice = &Motore::RipristinaSwordFishC; break;
            case 'W':
            case 'O': RipristinaXYW(CelleGruppo); break;
            default: break;
        }
        // Values outside 1..9 cannot come from the engine's own entries; such an
        // entry is ignored rather than let it address outside the tables.
        auto nove = [](int v) { return v >= 1 && v <= 9; };
        LivelloPila& p0 = PilaLivelli[0];
        if (conRecord != nullptr) {
            p0.Riga = a;
            if (dueUnita)
                p0.Validi = CelleGruppo;
            else
                p0.Colonna = ValoreByte(CelleGruppo);
            p0.Cifra = ValoreByte(NumeriGruppo);
            if (nove(a) && nove(p0.Cifra) && (dueUnita || nove(p0.Colonna))) (this->*conRecord)(0);
        } else if (conIndice != nullptr && nove(a)) {
            (this->*conIndice)(a);
        }
    }
    s.erase(0, pos);
}

}  // namespace kenvaron
