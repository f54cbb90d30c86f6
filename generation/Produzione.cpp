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

// How many bytes the UTF-8 character at the start of `testo` takes; 0 when
// none starts there: a continuation byte, an overlong form, a surrogate, a
// value past U+10FFFF or a character cut short.
std::size_t LunghezzaUtf8(std::string_view testo) {
    const auto primo = static_cast<unsigned char>(testo.front());
    if (primo < 0x80) return 1;
    // The second byte's range rules out the overlong forms, the surrogates
    // (ED A0..BF) and what lies past U+10FFFF (F4 90..BF).
    std::size_t lunghezza = 0;
    unsigned char minimo = 0x80, massimo = 0xBF;
    if (primo >= 0xC2 && primo <= 0xDF) {
        lunghezza = 2;
    } else if (primo >= 0xE0 && primo <= 0xEF) {
        lunghezza = 3;
        if (primo == 0xE0) minimo = 0xA0;
        if (primo == 0xED) massimo = 0x9F;
    } else if (primo >= 0xF0 && primo <= 0xF4) {
        lunghezza = 4;
        if (primo == 0xF0) minimo = 0x90;
        if (primo == 0xF4) massimo = 0x8F;
    } else {
        return 0;
    }
    // The bytes that are there: fewer at the end of the text.
    const std::string_view carattere = testo.substr(0, lunghezza);
    if (carattere.size() < lunghezza) return 0;
    for (std::size_t i = 1; i < carattere.size(); ++i) {
        const auto seguito = static_cast<unsigned char>(carattere[i]);
        if (seguito < minimo || seguito > massimo) return 0;
        minimo = 0x80;
        massimo = 0xBF;
    }
    return lunghezza;
}

// A file name as a message shows it, on a terminal or in a message box: a
// control byte (a terminal would act on ESC, BEL, BS), DEL and a byte that
// is no part of valid UTF-8 show as \xNN, a NUL byte (which would end the
// message where it is printed as C text) as \0; the rest stays as it is.
std::string NomeVisibile(std::string_view nome) {
    std::string visibile;
    while (!nome.empty()) {
        const auto primo = static_cast<unsigned char>(nome.front());
        const std::size_t lunghezza = primo < 0x20 || primo == 0x7F ? 0 : LunghezzaUtf8(nome);
        if (lunghezza > 0) {
            visibile += nome.substr(0, lunghezza);
            nome.remove_prefix(lunghezza);
            continue;
        }
        static constexpr char kCifre[] = "0123456789ABCDEF";
        if (primo == 0)
            visibile += "\\0";
        else
            visibile.append({'\\', 'x', kCifre[primo >> 4], kCifre[primo & 0xF]});
        nome.remove_prefix(1);
    }
    return visibile;
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
    return "File " + NomeVisibile(percorso) + " non salvato";
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
