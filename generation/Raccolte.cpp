#include "generation/Raccolte.h"

#include <cmath>
#include <sstream>

#include "engine/FileTesto.h"
#include "engine/Funzioni.h"
#include "generation/ContaSoluzioni.h"
#include "generation/MenuLivelli.h"
#include "generation/Nuovo.h"

namespace kenvaron {

namespace {

// The next field of a record, before its "|"; false when there is no "|".
bool Campo(std::string_view& resto, std::string& campo) {
    const std::size_t bar = resto.find('|');
    if (bar == std::string_view::npos) return false;
    campo.assign(resto.substr(0, bar));
    resto.remove_prefix(bar + 1);
    return true;
}

bool Coppie(const std::string& lista, std::vector<std::pair<int, int>>& coppie) {
    if (lista.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < lista.size(); i += 2) {
        const char r = lista[i], c = lista[i + 1];
        if (r < '1' || r > '9' || c < '1' || c > '9') return false;
        coppie.emplace_back(r - '0', c - '0');
    }
    return true;
}

// The value of a seed written with "," or "." as its decimal point.
double ValoreSeme(std::string seme) {
    for (char& ch : seme)
        if (ch == ',') ch = '.';
    return Val(seme);
}

// The 41 representative cells of the first half, in order.
template <class F>
void PerCellePrimaMeta(F&& f) {
    int p = 0;
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= (r == 5 ? 5 : 9); ++c) f(p++, r, c);
}

}  // namespace

char TabellaDiLivello(const std::string& lettera) {
    if (lettera == "N") return 'N';
    if (lettera == "D") return 'D';
    if (lettera == "C" || lettera == "E") return 'C';
    if (lettera == "M") return 'M';
    return '\0';
}

const char* LetteraContesto(char tabella) {
    switch (tabella) {
        case 'N': return "N";
        case 'D': return "D";
        case 'C': return "C";
        case 'M': return "M";
        default: return "";
    }
}

bool LeggiRecord(const std::string& testo, RecordCodificato& r) {
    std::string_view resto(testo);
    std::string togli, aggiungi;
    r = RecordCodificato{};
    if (!Campo(resto, r.seme) || !Campo(resto, r.salto) || !Campo(resto, togli) || !Campo(resto, aggiungi))
        return false;
    return Coppie(togli, r.togli) && Coppie(aggiungi, r.aggiungi);
}

Decodificatore::Decodificatore(Generatore& generatore, Motore& motore, Condiviso& stato, Livelli& livelli,
                               ImpostazioniGenerazione& impostazioni, StatoGenerazione& generazione)
    : g_(generatore), m_(motore), stato_(stato), livelli_(livelli), imp_(impostazioni), gen_(generazione) {}

ContestoLivelloSalvato Decodificatore::ImpostaContesto(char tabella, const char* lettera) {
    ContestoLivelloSalvato s;
    s.CodiciTecniche = livelli_.CodiciTecniche;
    s.Livello = livelli_.Livello;
    s.TurnoObbligatorio = livelli_.TurnoObbligatorio;
    s.Turni = m_.Turni;
    s.TurniAttivi = m_.TurniAttivi;
    s.LimiteFor = m_.LimiteFor;
    s.IndiceRagionamento = m_.IndiceRagionamento;
    s.LivelloRagionamento = m_.LivelloRagionamento;
    s.SaltaNaked = m_.SaltaNaked;
    s.ModoRisolvi = m_.ModoRisolvi;
    s.TecnicheAttive = stato_.TecnicheAttive;
    s.TecnicheAvanzate = stato_.TecnicheAvanzate;
    s.SequenzeObbligatorie = stato_.SequenzeObbligatorie;
    s.Sequenza1 = stato_.Sequenze[1];
    s.impostazioni = imp_;

    ContestoLivello contesto{livelli_, m_, stato_, imp_};
    if (const RigaLivello* riga = TrovaRigaLettera(lettera ? lettera : LetteraContesto(tabella))) ApplicaRigaLivello(*riga, contesto);
    imp_.IndiceCmbf = 2;
    imp_.IndiceCmbC = 0;
    imp_.TestoLiv = "22";
    imp_.Simmetrico = true;
    m_.IndiceRagionamento = 4;
    m_.SaltaNaked = false;
    m_.ModoRisolvi = false;
    m_.TurniAttivi = {true, true, true, true, true};
    livelli_.AccendiAV(0, 0, 0);
    stato_.Sequenze[1] = livelli_.CodiciTecniche;
    return s;
}

void Decodificatore::Ripristina(const ContestoLivelloSalvato& s) {
    livelli_.CodiciTecniche = s.CodiciTecniche;
    livelli_.Livello = s.Livello;
    livelli_.TurnoObbligatorio = s.TurnoObbligatorio;
    m_.Turni = s.Turni;
    m_.TurniAttivi = s.TurniAttivi;
    m_.LimiteFor = s.LimiteFor;
    m_.IndiceRagionamento = s.IndiceRagionamento;
    m_.LivelloRagionamento = s.LivelloRagionamento;
    m_.SaltaNaked = s.SaltaNaked;
    m_.ModoRisolvi = s.ModoRisolvi;
    stato_.TecnicheAttive = s.TecnicheAttive;
    stato_.TecnicheAvanzate = s.TecnicheAvanzate;
    stato_.SequenzeObbligatorie = s.SequenzeObbligatorie;
    stato_.Sequenze[1] = s.Sequenza1;
    imp_ = s.impostazioni;
}

bool Decodificatore::Ricostruisci(const std::string& record) {
    RecordCodificato r;
    if (!LeggiRecord(record, r)) return false;
    const double seme = ValoreSeme(r.seme);
    const int salto = static_cast<int>(std::fmod(std::floor(Val(r.salto)), 100.0));
    if (!g_.CorpoSeminato(seme, salto < 0 ? 0 : salto, true)) return false;
    Tabella& p = stato_.Problema;
    for (const auto& [riga, col] : r.togli) {
        p[riga][col] = 0;
        p[10 - riga][10 - col] = 0;
    }
    for (const auto& [riga, col] : r.aggiungi) {
        p[riga][col] = m_.Soluzione[riga][col];
        p[10 - riga][10 - col] = m_.Soluzione[10 - riga][10 - col];
    }
    gen_.SemeCorrente = r.seme + "|" + TestoNumero(std::floor(Val(r.salto))) + "|";
    return true;
}

bool Decodificatore::Verifica() {
    const Tabella& p = stato_.Problema;
    if (!SimmetriaCentrale(p) || ContaSoluzioniRapido(p, 2) != 1) return false;
    m_.Inizializza();
    Motore::SalvaTabella(p, m_.CelleDate);
    m_.SenzaTentativi = true;
    m_.Risolvi(1);
    m_.SenzaTentativi = false;
    if (m_.ProfonditaMax != 1) return false;
    m_.contaCellePiene();
    g_.ValutaFinericerca();
    return gen_.RegolaSoddisfatta;
}

bool Decodificatore::Decodifica(char tabella, const std::string& record) {
    const ContestoLivelloSalvato salvato = ImpostaContesto(tabella);
    const bool ok = Ricostruisci(record) && Verifica();
    Ripristina(salvato);
    return ok;
}

int Decodificatore::DecodificaDa(char tabella, int k) { return DecodificaDa(tabella, k, RecordTabella(tabella)); }

int Decodificatore::DecodificaDa(char tabella, int k, const std::vector<const char*>& record) {
    const int n = static_cast<int>(record.size());
    if (n == 0) return 0;
    if (k < 1 || k > n) k = 1;
    for (int i = 0; i < n; ++i, k = k % n + 1)
        if (Decodifica(tabella, record[k - 1])) return k;
    return 0;
}

void Decodificatore::Travesti(double seme) {
    m_.casuale.Reimposta();
    m_.casuale.Randomizza(seme);
    Tabella& p = stato_.Problema;
    Tabella& s = m_.Soluzione;
    const int giri = static_cast<int>(m_.GeneraCasuale(4));
    for (int i = 0; i < giri; ++i) {
        Motore::RuotaTabella(p);
        Motore::RuotaTabella(s);
    }
    for (int i = 0; i < 15; ++i) {
        const double a = m_.GeneraCasuale(9), b = m_.GeneraCasuale(9);
        Motore::Scambia(p, a, b);
        Motore::Scambia(s, a, b);
    }
    for (int i = 0; i < 5; ++i) {
        const double a = m_.GeneraCasuale(3), b = m_.GeneraCasuale(3);
        Motore::ScambiaRiga(p, a, b);
        Motore::ScambiaRiga(s, a, b);
    }
    for (int i = 0; i < 5; ++i) {
        const double a = m_.GeneraCasuale(3), b = m_.GeneraCasuale(3);
        Motore::ScambiaColonna(p, a, b);
        Motore::ScambiaColonna(s, a, b);
    }
}

std::string Decodificatore::CreaRecord(const std::string& seme, const std::string& salto, const std::string& voluto) {
    if (!Ricostruisci(seme + "|" + salto + "|||")) return "";
    std::string togli, aggiungi;
    const Tabella& p = stato_.Problema;
    PerCellePrimaMeta([&](int pos, int r, int c) {
        const char fatto = static_cast<char>('0' + p[r][c]);
        if (voluto[pos] == fatto) return;
        if (voluto[pos] == '0') togli += {static_cast<char>('0' + r), static_cast<char>('0' + c)};
        if (fatto == '0') aggiungi += {static_cast<char>('0' + r), static_cast<char>('0' + c)};
    });
    return gen_.SemeCorrente + togli + "|" + aggiungi + "|";
}

std::string RigaCodice(int n, const std::string& record) {
    return "if ric = " + std::to_string(n) + " then s  = \"" + record + "\"";
}

EsitoTabella CreaTabella(Decodificatore& d, FinestraGenerazione& finestra, const std::string& ingresso,
                         const std::string& uscita, const FilePropri& propri) {
    EsitoTabella esito;
    std::string testo;
    if (!LeggiFile(ingresso, testo)) return esito;
    esito.letto = true;
    std::istringstream in(testo);
    std::string riga;
    int n = 0;
    while (std::getline(in, riga)) {
        if (!riga.empty() && riga.back() == '\r') riga.pop_back();
        ++n;
        finestra.TestoEtichetta(std::to_string(n));
        const std::size_t a = riga.find('|');
        const std::size_t b = a == std::string::npos ? a : riga.find('|', a + 1);
        const std::string voluto = b == std::string::npos ? "" : riga.substr(b + 1);
        if (b == std::string::npos || voluto.size() < 41 ||
            voluto.find_first_not_of("0123456789") < 41) {
            ++esito.saltate;
            continue;
        }
        const std::string record = d.CreaRecord(riga.substr(0, a), riga.substr(a + 1, b - a - 1), voluto);
        if (record.empty()) {
            ++esito.saltate;
            continue;
        }
        if (!AggiungiRiga(uscita, RigaCodice(n, record), propri)) {
            esito.nonScritto = true;
            return esito;
        }
        ++esito.scritte;
    }
    return esito;
}

}  // namespace kenvaron
