#include "generation/Produzione.h"

#include <vector>

#include "engine/FileTesto.h"
#include "engine/TestoSchema.h"

namespace kenvaron {

namespace {

struct Colonna {
    int larghezza;
    const char* intestazione;
};
constexpr std::array<Colonna, 7> kColonne{{{0, ""},
                                           {8050, "Regola"},
                                           {1000, "Schemi"},
                                           {1000, "Generati"},
                                           {1000, "Val. Min."},
                                           {1000, "Val. Max."},
                                           {1000, "Media"}}};

// The keywords: group letter, whether it is added every time, the switch it
// sets (-1 none) and the largest fish it sets (0 none).
struct ParolaChiave {
    const char* parola;
    char lettera;
    bool ripetuta;
    int interruttore;
    std::int16_t limiteFor;
};
constexpr ParolaChiave kParole[] = {
    {"CNDIMP", 'S', true, -1, 0},  {"HIDNAK", 'G', true, -1, 0},  {"XWISWO", 'B', false, 0, 3},
    {"BURMA", 'B', false, 0, 5},   {"XYZWIN", 'B', false, 1, 0},  {"COLMCO", 'C', false, 3, 0},
    {"FORCH1", 'C', false, 4, 0},  {"FORCH2", 'C', false, 5, 0},  {"NISHIO", 'C', false, 2, 0},
};

// The weight each group's steps carry in the batch merit of a try (the
// locked candidates over two boxes count with the S group), by its number in
// PesiTecniche.
struct PesoGruppo {
    char lettera;
    int peso;
};
constexpr PesoGruppo kPesiMerito[] = {{'S', 2}, {'G', 6}, {'B', 11}, {'C', 12}};

// Floor of a quotient, negatives too (-7 / 2 gives -4).
std::int64_t DivisioneInGiu(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

bool Completa(const Tabella& t) {
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (t[r][c] < 1 || t[r][c] > 9) return false;
    return true;
}

}  // namespace

void InizializzaGRA(GrigliaRisultati& gra, const RegoleProduzione& regole) {
    gra.SetRows(1);
    gra.SetCols(static_cast<int>(kColonne.size()));
    for (int c = 0; c < static_cast<int>(kColonne.size()); ++c) {
        gra.SetColWidth(c, kColonne[c].larghezza);
        if (c == 0) continue;
        gra.SetTextMatrix(0, c, kColonne[c].intestazione);
        gra.AllineaADestra(0, c);
    }
    for (int i = 1; i <= regole.NumRegole; ++i) {
        gra.SetRows(i + 1);
        for (int c = 1; c < static_cast<int>(kColonne.size()); ++c) gra.AllineaADestra(i, c);
        gra.SetTextMatrix(i, 1, regole.Regole[i].Tecniche);
        gra.SetTextMatrix(i, 2, std::to_string(regole.Regole[i].Schemi));
    }
}

ConfigurazioneAuto DecodificaTecniche(const std::string& tecniche) {
    ConfigurazioneAuto cfg;
    std::size_t inizio = 0;
    for (;;) {
        const std::size_t virgola = tecniche.find(',', inizio);
        const std::string parola = tecniche.substr(inizio, virgola - inizio);
        for (const ParolaChiave& k : kParole) {
            if (parola != k.parola) continue;
            if (k.ripetuta || cfg.Codice.find(k.lettera) == std::string::npos) cfg.Codice += k.lettera;
            if (k.interruttore >= 0) cfg.TecnicheAttive[k.interruttore] = 1;
            if (k.limiteFor != 0) cfg.LimiteFor = k.limiteFor;
        }
        if (virgola == std::string::npos) break;
        inizio = virgola + 1;
    }
    if (cfg.Codice.empty()) cfg.Livello = "1";
    return cfg;
}

bool EseguiGeneraAuto(const Regola& regola, Motore& motore, Livelli& livelli, ImpostazioniGenerazione& impostazioni,
                      StatoGenerazione& generazione, const std::function<bool()>& cicloNuovo) {
    const ConfigurazioneAuto cfg = DecodificaTecniche(regola.Tecniche);
    Condiviso& stato = motore.stato;
    impostazioni.SuperSimmetrico = false;
    generazione.GeneraAuto2 = regola.Complica;
    // The mandatory sequences must be set before the turns are worked out.
    stato.SequenzeObbligatorie = 1;
    stato.TecnicheAttive = cfg.TecnicheAttive;
    motore.LimiteFor = cfg.LimiteFor;
    motore.SaltaNaked = false;
    impostazioni.LimiteRigaRimozione = 9;
    impostazioni.LimiteColonnaRimozione = 9;
    livelli.CodiciTecniche = cfg.Codice;
    livelli.SettaTurni(livelli.CodiciTecniche);
    livelli.Livello = cfg.Livello;
    generazione.SudokuDisponibile = false;
    if (!cicloNuovo()) return false;
    Motore::SalvaTabella(motore.Griglia, stato.ProblemaF5);
    return Completa(stato.ProblemaF5);
}

std::string RigaProduzione(const Tabella& problema, const Tabella& soluzione, std::int32_t valore,
                           const std::string& tecniche, const DataOra& quando) {
    return SchemaTesto(problema) + ',' + SchemaTesto(soluzione) + ',' + std::to_string(valore) + ',' + tecniche + ',' +
           Format(quando, "YYYY/mm/DD HH:MM:SS");
}

bool ScriviSchema(const Regola& regola, const std::string& riga, const FilePropri& propri) {
    return AggiungiRiga(regola.File, riga, propri);
}

std::string MessaggioNonSalvato(const std::string& percorso) {
    // A NUL byte would end the message where it is printed as C text: it
    // shows as \0, and the rest of the name follows.
    std::string nome;
    for (const char c : percorso) nome += c == '\0' ? std::string_view("\\0") : std::string_view(&c, 1);
    return "File " + nome + " non salvato";
}

std::string MessaggioRegola(int numero, const std::string& testo) {
    return "Regola " + std::to_string(numero) + ": " + testo;
}

std::vector<std::string> PreparaFileRegole(RegoleProduzione& regole, const FilePropri& propri) {
    std::vector<std::string> messaggi;
    for (int i = 1; i <= regole.NumRegole; ++i) {
        Regola& r = regole.Regole[i];
        const bool svuota = r.TipoFile == "OUTPUT";
        if (!svuota && r.Schemi <= 0) continue;
        std::string perche;
        if (r.File.empty()) {
            perche = "FILE mancante";
        } else if (svuota ? !ScriviFile(r.File, "", propri) : !DestinazioneScrivibile(r.File, propri)) {
            // The pool, the rules or the program itself, a pipe, a folder or
            // a device: never touched, not even emptied (the writer starts
            // with the check an appending rule gets here).
            perche = MessaggioNonSalvato(r.File);
        }
        if (perche.empty()) continue;
        r.Bloccata = true;
        messaggi.push_back(MessaggioRegola(i, perche));
    }
    return messaggi;
}

std::string NessunoSchemaAccettabile(const Regola& regola, const PesiTecniche& pesi) {
    const ConfigurazioneAuto cfg = DecodificaTecniche(regola.Tecniche);
    if (cfg.Livello != "P") return "";
    std::vector<std::string> nomi;
    for (const PesoGruppo& g : kPesiMerito) {
        if (cfg.Codice.find(g.lettera) == std::string::npos) continue;
        if (pesi[g.peso] != 0) return "";
        nomi.push_back(PesiTecniche::kNomi[g.peso]);
    }
    if (nomi.empty()) return "";
    std::string elenco = nomi.front();
    for (std::size_t i = 1; i < nomi.size(); ++i) elenco += (i + 1 == nomi.size() ? " e " : ", ") + nomi[i];
    const std::string verbo = nomi.size() == 1 ? "il peso di " + elenco + " è 0" : "i pesi di " + elenco + " sono 0";
    return verbo + ": nessuno schema può essere accettato";
}

EsitoProduzione EseguiGenerazione(RegoleProduzione& regole, const Condiviso& stato, GrigliaRisultati& gra,
                                  ServiziProduzione& servizi, const FilePropri& propri) {
    EsitoProduzione esito;
    for (int i = 1; i <= regole.NumRegole; ++i) {
        Regola& regola = regole.Regole[i];
        if (regola.Bloccata || regola.Generati >= regola.Schemi) continue;
        const std::string perche = NessunoSchemaAccettabile(regola, regole.Pesi);
        if (perche.empty()) continue;
        regola.Bloccata = true;
        esito.Fallimenti = true;
        servizi.Avviso(MessaggioRegola(i, perche));
    }
    bool prodotto = false;  // some rule tried to make a puzzle in this pass
    int r = 0;
    for (;;) {
        if (!servizi.Eventi()) {
            esito.Interrotta = true;
            return esito;
        }
        if (++r > regole.NumRegole) {
            if (!prodotto) return esito;
            prodotto = false;
            r = 1;
        }
        Regola& regola = regole.Regole[r];
        if (regola.Bloccata || regola.Generati >= regola.Schemi) continue;

        Valutazione v;
        for (;;) {
            prodotto = true;
            const bool accettato = servizi.Genera(regola);
            if (!servizi.Eventi()) {
                esito.Interrotta = true;
                return esito;
            }
            if (!accettato) continue;
            v = servizi.CalcolaValore();
            if (v.ValoreCalcolato >= regola.Filtro) break;
        }

        // A puzzle counts only once its line is in the file.
        const std::string riga =
            RigaProduzione(stato.Problema, stato.ProblemaF5, v.ValoreCalcolato, v.TestoTecniche, servizi.Adesso());
        if (!ScriviSchema(regola, riga, propri)) {
            regola.Bloccata = true;
            esito.Fallimenti = true;
            servizi.Avviso(MessaggioRegola(r, MessaggioNonSalvato(regola.File)));
            continue;
        }
        const std::int32_t valore = v.ValoreCalcolato;
        ++regola.Generati;
        regola.Somma += valore;
        if (regola.Generati == 1 || valore < regola.ValMin) regola.ValMin = valore;
        if (regola.Generati == 1 || valore > regola.ValMax) regola.ValMax = valore;
        gra.SetTextMatrix(r, 3, std::to_string(regola.Generati));
        gra.SetTextMatrix(r, 4, std::to_string(regola.ValMin));
        gra.SetTextMatrix(r, 5, std::to_string(regola.ValMax));
        gra.SetTextMatrix(r, 6, std::to_string(DivisioneInGiu(regola.Somma, regola.Generati)));
    }
}

}  // namespace kenvaron
