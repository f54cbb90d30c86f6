#include "background/CorsaSfondo.h"

#include <cmath>

#include "engine/TestoSchema.h"
#include "generation/Generatore.h"

namespace kenvaron {

namespace {

// After this long a run lets XY-wings count in full towards group B.
constexpr double kSecondiPesoPieno = 240.0;

}  // namespace

std::span<std::string> SlotSfondo(Condiviso& stato, const std::string& lettera) {
    auto slot = [](auto& pool) { return std::span<std::string>(pool).subspan(1); };
    if (lettera == "S") return slot(stato.SchemiBkgS);
    if (lettera == "N") return slot(stato.SchemiBkgN);
    if (lettera == "D") return slot(stato.SchemiBkgD);
    if (lettera == "C") return slot(stato.SchemiBkgC);
    if (lettera == "E") return slot(stato.SchemiBkgE);
    return {};
}

CorsaSfondo::CorsaSfondo(GeneratoreSfondo& generatore, PannelloSfondo& pannello, const Orologio& orologio)
    : g_(generatore), m_(generatore.motore()), stato_(m_.stato), pannello_(pannello), orologio_(orologio) {}

bool CorsaSfondo::Controllo() { return g_.Cedi() || stato_.CodiceStop == 2; }

// ---- The run --------------------------------------------------------------------------------------

void CorsaSfondo::Cmdcomplic4_Click() {
    StatoGenerazione& gen = g_.generazione;
    Tabella& problema = stato_.ProblemaF5;
    pannello_.Testo("BKG");
    pannello_.Suggerimento("Funzione Background in esecuzione");
    const double inizio = orologio_.Trascorsi();
    g_.Settaf5turni(g_.CodiciTecniche);
    gen.SudokuDisponibile = false;
    gen.GenerazioneInCorso = true;
    gen.ContaTecnicaMigliore = {};
    gen.Pregio = 0;
    // Level "S" is accepted only by a try that singles finish, which a pass
    // rated above 0 never records: so its every attempt starts with a pass
    // rated 0, the others only the run's first.
    const bool semplice = g_.Livello == "S";
    bool primoDellaCorsa = true;
    Tabella partenza{}, migliore{};
    for (;;) {
        if (Controllo()) return;
        if (!Command7_Click()) {
            if (g_.Finito()) return;
            continue;
        }
        std::int32_t precedente = 0;
        bool primoDelTentativo = true;
        for (;;) {
            if (Controllo()) return;
            partenza = problema;
            migliore = problema;
            g_.Visualizza(problema);
            g_.Risolvi(1);
            if (g_.Finito()) return;
            if (primoDellaCorsa || (semplice && primoDelTentativo)) {
                m_.Valore = 0;
                primoDellaCorsa = false;
            } else {
                g_.ValutaFinericerca();
            }
            primoDelTentativo = false;
            gen.MaxValore = m_.Valore;
            gen.MigliorValore = m_.Valore;
            m_.SenzaTentativi = true;
            switch (Passo(inizio, partenza, migliore)) {
                case FinePasso::Fermato: return;
                case FinePasso::Archivia: return ArchiviaERitorna();
                case FinePasso::Finito: break;
            }
            problema = migliore;
            if (gen.MigliorValore <= precedente) break;
            precedente = gen.MigliorValore;
        }
        if (gen.SudokuDisponibile) return ArchiviaERitorna();
    }
}

CorsaSfondo::FinePasso CorsaSfondo::Passo(double inizio, const Tabella& partenza, Tabella& migliore) {
    StatoGenerazione& gen = g_.generazione;
    Tabella& problema = stato_.ProblemaF5;
    for (int r = 1; r <= 5; ++r) {
        if (Controllo()) return FinePasso::Fermato;
        for (int c = 1; c <= (r == 5 ? 5 : 9); ++c) {
            g_.RigaTolta = static_cast<Byte>(r);
            g_.ColonnaTolta = static_cast<Byte>(c);
            if (orologio_.Trascorsi() - inizio > kSecondiPesoPieno) m_.PesoTecnica = 1.0;
            if (g_.Cedi()) return FinePasso::Fermato;
            if (partenza[r][c] == 0) continue;
            problema = partenza;
            problema[r][c] = 0;
            problema[10 - r][10 - c] = 0;
            g_.Semplifica4();
            if (g_.Finito()) return FinePasso::Fermato;
            if (gen.SudokuDisponibile) {
                pannello_.Testo("**    BKG");
                pannello_.Suggerimento("SUDOKU generato in background");
                // At "S" the try itself is not kept: the pass's best so far is archived.
                if (g_.Livello == "S") return FinePasso::Finito;
                if (gen.Pregio >= 3) return FinePasso::Archivia;
            }
            if (gen.MaxValore > gen.MigliorValore) {
                gen.MigliorValore = gen.MaxValore;
                migliore = problema;
            }
        }
    }
    return FinePasso::Finito;
}

void CorsaSfondo::ArchiviaERitorna() {
    StatoGenerazione& gen = g_.generazione;
    gen.MigliorValore = 0;
    gen.SudokuDisponibile = false;
    Archivia();
    pannello_.Testo("");
    pannello_.Suggerimento("");
}

// ---- The attempt's easy puzzle ----------------------------------------------------------------------

bool CorsaSfondo::Command7_Click() {
    // The easy puzzle is made with trials allowed (the random fill needs them).
    m_.SenzaTentativi = false;
    const auto secondi = static_cast<long>(std::floor(orologio_.SecondiDaMezzanotte()));
    const int giorno = static_cast<int>(std::fmod(std::floor(orologio_.Giorno()), 100.0));
    const auto [seme, salto] = PrendiCoppiaLibera(stato_.CoppieUsate, secondi, giorno);
    m_.casuale.Reimposta();
    m_.casuale.Randomizza(static_cast<double>(seme));
    for (int i = 0; i < salto; ++i) m_.GeneraCasuale(1000);
    if (!g_.Command1_Click()) return false;
    if (g_.Cedi()) return false;
    // Command1_Click ended on a solve of the puzzle; every simplification is
    // followed by a fresh one, and a simplification that adds nothing would
    // leave the puzzle as it was for ever: the attempt fails instead.
    for (;;) {
        if (g_.Cedi()) return false;
        if (m_.ProfonditaMax < 2) break;
        const Tabella prima = stato_.ProblemaF5;
        g_.CmdSemplifica_Click();
        if (g_.Finito() || stato_.ProblemaF5 == prima) return false;
        g_.Risolvi(1);
        if (g_.Finito()) return false;
    }
    g_.CmdTogliSemplici_Click();
    return !g_.Finito();
}

// ---- Archive -----------------------------------------------------------------------------------------

void CorsaSfondo::Archivia() {
    pannello_.Testo("****BKG");
    pannello_.Ridisegna();
    // A pause without a yield, so the text stays in view; on the elapsed
    // clock, which midnight does not reset.
    const double inizio = orologio_.Trascorsi();
    while (orologio_.Trascorsi() - inizio <= 1.0) {
    }
    for (std::string& slot : SlotSfondo(stato_, stato_.LivelloBkg))
        if (slot.empty()) {
            slot = SchemaTesto(stato_.ProblemaF5);
            return;
        }
}

}  // namespace kenvaron
