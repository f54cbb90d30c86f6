// The background generator's engine: its yield and end action, its separation
// from the main window's engine on one Condiviso, and where its solve parts
// from the main engine's on the same input.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

const std::string kRientro = Motore::IncrementaIndice(1);

std::string Testo(const Tabella& t) {
    std::string s;
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
    return s;
}

// Every field of every record, one line each.
std::vector<std::string> Registro(const Motore& m) {
    std::vector<std::string> righe;
    for (int i = 1; i <= m.NumPassi; ++i) {
        const Passo& p = m.LogPassi[i];
        righe.push_back(std::to_string(p.Profondita) + "|" + std::to_string(p.Riga) + "|" +
                        std::to_string(p.Colonna) + "|" + p.Cifra + "|" + p.Ripristino + "|" + p.Celle + "|" +
                        p.Tipo + "|" + p.Codice + "|" + std::to_string(p.Dimensione) + "|" + p.Testo);
    }
    return righe;
}

// The measures a caller reads after a solve, and the grid.
std::string Risultati(const Motore& m) {
    return std::to_string(m.ContaSoluz) + " " + std::to_string(m.ProfonditaMax) + " " +
           std::to_string(m.Valore) + " " + std::to_string(m.ContaTecnicaS) + " " +
           std::to_string(m.ContaTecnicaG) + " " + std::to_string(m.ContaTecnicaD) + " " +
           std::to_string(m.ContaTecnicaB) + " " + std::to_string(m.ContaTecnicaC) + " " +
           std::to_string(m.ContaPregio) + " " + Testo(m.Griglia);
}

int Conta(const Motore& m, const std::function<bool(const Passo&)>& quale) {
    int n = 0;
    for (int i = 1; i <= m.NumPassi; ++i) n += quale(m.LogPassi[i]);
    return n;
}

class SfondoTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    int cessioni = 0;
    int terminazioni = 0;
    int passiAllaFine = -1;
    std::function<void()> allaCessione;
    std::unique_ptr<Motore> sfondo = std::make_unique<Motore>(
        stato, orologio,
        ProfiloMotore::DiSfondo(
            [this] {
                ++cessioni;
                if (allaCessione) allaCessione();
            },
            [this] {
                ++terminazioni;
                passiAllaFine = sfondo->NumPassi;
            }));
    std::unique_ptr<Motore> principale = std::make_unique<Motore>(stato, orologio);
    Livelli livelliSfondo{*sfondo, stato};
    Livelli livelliPrincipale{*principale, stato};

    // The puzzle goes where the engine reads it: ProblemaF5 or Problema.
    void Carica(Motore& m, const std::string& schema, std::string codice) {
        Tabella& t = m.Sfondo ? stato.ProblemaF5 : stato.Problema;
        for (int i = 0; i < 81; ++i) {
            const char ch = schema[i];
            t[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        Motore::AzzeraTabella(m.Soluzione);
        (&m == sfondo.get() ? livelliSfondo : livelliPrincipale).SettaTurni(codice);
    }
    // Both engines on an empty grid, the same candidates struck (digits not in
    // `cifre` leave (r, c)).
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d)
            if (cifre.find(static_cast<char>('0' + d)) == std::string::npos) Togli(r, c, d);
    }
    void Togli(int r, int c, int d) {
        for (Motore* m : {sfondo.get(), principale.get()}) {
            m->PilaLivelli[0].Riga = static_cast<Byte>(r);
            m->PilaLivelli[0].Colonna = static_cast<Byte>(c);
            m->PilaLivelli[0].Cifra = static_cast<Byte>(d);
            m->AggiornaColori(0);
        }
    }
    // The first puzzle of a public set that the background's solve with this
    // code needs trials for.
    std::string SchemaConTentativi(const std::string& file = "sudocue_superiors.txt",
                                   const std::string& codice = "S") {
        for (const std::string& s : verifica::LeggiSchemi(file, 100)) {
            Carica(*sfondo, s, codice);
            sfondo->Risolvi(2);
            if (Conta(*sfondo, [](const Passo& p) { return p.Tipo == "P"; }) > 0) return s;
        }
        return {};
    }
};

// ---- Yield and stop -------------------------------------------------------------------

TEST_F(SfondoTest, YieldsOnceAtTheHeadOfEveryLevelAndTheMainEngineNever) {
    const std::string schema = SchemaConTentativi();
    ASSERT_FALSE(schema.empty());
    cessioni = 0;
    Carica(*sfondo, schema, "S");
    sfondo->Risolvi(2);
    const int prove = Conta(*sfondo, [](const Passo& p) { return p.Testo.find("Provo ") != std::string::npos; });
    EXPECT_GT(prove, 0);
    EXPECT_EQ(cessioni, prove + 1);
    EXPECT_EQ(sfondo->ContaSoluz, 1);

    // A plain search yields too: one level per trial digit.
    cessioni = 0;
    sfondo->SoluzioneLogica = false;
    sfondo->Risolvi(2);
    sfondo->SoluzioneLogica = true;
    EXPECT_GT(cessioni, 1);

    cessioni = 0;
    stato.CodiceStop = 1;  // the main engine reads no stop code either
    Carica(*principale, schema, "S");
    principale->Risolvi(2);
    EXPECT_EQ(cessioni, 0);
    EXPECT_EQ(principale->ContaSoluz, 1);
    EXPECT_EQ(terminazioni, 0);
}

TEST_F(SfondoTest, StopCodeOneAfterAYieldCallsTheEndActionAtOnce) {
    const std::string schema = SchemaConTentativi();
    ASSERT_FALSE(schema.empty());
    Carica(*sfondo, schema, "S");
    sfondo->Risolvi(2);
    const std::string atteso = Risultati(*sfondo);
    const std::vector<std::string> registro = Registro(*sfondo);

    // Stop code 2 stops the generator's loops, not a solve.
    allaCessione = [this] { stato.CodiceStop = 2; };
    sfondo->Risolvi(2);
    EXPECT_EQ(Risultati(*sfondo), atteso);
    EXPECT_EQ(Registro(*sfondo), registro);
    EXPECT_EQ(terminazioni, 0);

    int passiAllaCessione = -1;
    cessioni = 0;
    stato.CodiceStop = 0;
    allaCessione = [&] {
        if (cessioni != 3) return;
        stato.CodiceStop = 1;
        passiAllaCessione = sfondo->NumPassi;
    };
    sfondo->Risolvi(2);
    EXPECT_EQ(cessioni, 3);
    EXPECT_EQ(terminazioni, 1);
    EXPECT_GT(passiAllaCessione, 0);
    EXPECT_EQ(passiAllaFine, passiAllaCessione);
    EXPECT_EQ(sfondo->NumPassi, passiAllaCessione);  // nothing logged after the yield
    // An end action that returns ends the solve as the time limit does.
    EXPECT_EQ(sfondo->ContaSoluz, 4);
    EXPECT_EQ(sfondo->ProfonditaMax, 20);
    EXPECT_EQ(sfondo->Valore, 0);
}

TEST_F(SfondoTest, TimeSpentInsideAYieldCountsAgainstTheLimit) {
    Carica(*sfondo, verifica::LeggiSchemi("sudocue_superiors.txt", 1)[0], "SGDBC");
    allaCessione = [this] { orologio.Avanza(6); };
    sfondo->Risolvi(1);
    EXPECT_EQ(cessioni, 1);
    EXPECT_EQ(sfondo->ContaSoluz, 4);
    EXPECT_EQ(sfondo->ProfonditaMax, 20);
    EXPECT_EQ(sfondo->Valore, 0);
    EXPECT_EQ(sfondo->NumPassi, 0);

    // No yield and no end action injected: none happens, the stop code still ends the solve.
    auto nudo = std::make_unique<Motore>(stato, orologio, ProfiloMotore::DiSfondo());
    stato.CodiceStop = 1;
    nudo->Risolvi(1);
    EXPECT_EQ(nudo->ContaSoluz, 4);
    EXPECT_EQ(nudo->ProfonditaMax, 20);
}

TEST_F(SfondoTest, RisolviSolvesProblemaF5WithoutTheUsersMarks) {
    const std::string s = verifica::LeggiSchemi("sudocue_superiors.txt", 1)[0];
    verifica::Celle soluzione{};
    ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2, &soluzione), 1);
    // The board holds another puzzle and the user struck the solution's digit at
    // the first empty cell: neither reaches the background engine.
    stato.Problema = {};
    const int vuota = static_cast<int>(s.find('0'));
    Mossa& mossa = stato.PilaAnnulla[stato.NumMosse = 1];
    mossa.Riga = static_cast<Byte>(vuota / 9 + 1);
    mossa.Colonna = static_cast<Byte>(vuota % 9 + 1);
    mossa.Cifra = static_cast<Byte>(soluzione[vuota]);
    mossa.Tipo = "C";
    sfondo->NumCellePiene = 81;  // stale: Risolvi counts the puzzle itself
    Carica(*sfondo, s, "SGDBC");
    sfondo->Risolvi(2);
    EXPECT_EQ(sfondo->ContaSoluz, 1);
    const std::string atteso = Risultati(*sfondo);
    sfondo->Risolvi(1);
    EXPECT_EQ(Testo(sfondo->Griglia), verifica::ComeTesto(soluzione));

    // A cell outside 0..9 counts as empty.
    stato.ProblemaF5[mossa.Riga][mossa.Colonna] = 12;
    sfondo->Risolvi(2);
    EXPECT_EQ(Risultati(*sfondo), atteso);

    // Two givens of one digit in a row: no solution, said once.
    for (Motore* m : {principale.get(), sfondo.get()}) {
        Carica(*m, "55" + std::string(79, '0'), "SGDBC");
        m->Risolvi(2);
        EXPECT_EQ(m->ContaSoluz, 0);
        ASSERT_EQ(m->NumPassi, 1);
        EXPECT_EQ(m->LogPassi[1].Testo, " Nessuna Soluzione ");
        EXPECT_EQ(m->LogPassi[1].Tipo, "X");
        EXPECT_EQ(m->LogPassi[1].Codice, "N");
    }
}

// ---- Separation -------------------------------------------------------------------------

TEST_F(SfondoTest, TheMainEngineWorkingInsideTheYieldsChangesNothingOfTheBackground) {
    const std::array<Byte, 6> tutte{1, 1, 1, 1, 1, 1};
    const std::array<Byte, 6> nessuna{};
    sfondo->LimiteFor = 5;
    sfondo->PesoTecnica = 1;
    const std::string perSfondo = SchemaConTentativi("qqwing_expert.txt", "SGDBC");
    ASSERT_FALSE(perSfondo.empty());
    const std::string perPrincipale = verifica::LeggiSchemi("qqwing_expert.txt", 2)[1];
    principale->ModoRisolvi = true;

    auto risolviSfondo = [&] {
        Carica(*sfondo, perSfondo, "SGDBC");
        sfondo->Risolvi(2);
    };
    auto riempi = [&] {
        sfondo->Inizializza();
        sfondo->casuale.Reimposta();
        sfondo->casuale.Randomizza(12345);
        sfondo->ContaRiempimento = 0;
        sfondo->PilaLivelli[0].Cifra = 0;
        Motore::AzzeraTabella(sfondo->Soluzione);
        sfondo->Sviluppa(1, true, 81, false);
        return Testo(sfondo->Soluzione);
    };
    auto risolviPrincipale = [&] {
        stato.TecnicheAttive = tutte;
        stato.TecnicheAvanzate = {0, 0, 0};
        principale->Analisi = false;
        Carica(*principale, perPrincipale, "SGDBC");
        principale->Risolvi(4);
    };

    risolviSfondo();
    const std::string attesoSfondo = Risultati(*sfondo);
    const auto registroSfondo = Registro(*sfondo);
    const std::string riempimento = riempi();
    risolviPrincipale();
    const std::string attesoPrincipale = Risultati(*principale);
    const auto registroPrincipale = Registro(*principale);
    EXPECT_EQ(riempimento.find('0'), std::string::npos);

    std::string risultatiPrincipale;
    std::vector<std::string> registroDentro;
    allaCessione = [&] {
        if (cessioni == 1) {
            risolviPrincipale();
            risultatiPrincipale = Risultati(*principale);
            registroDentro = Registro(*principale);
        }
        const bool pari = cessioni % 2 == 0;
        stato.TecnicheAttive = pari ? tutte : nessuna;
        stato.TecnicheAvanzate = pari ? std::array<Byte, 3>{1, 1, 1} : std::array<Byte, 3>{};
        principale->Analisi = pari;
        principale->GeneraCasuale(9);
    };
    stato.TecnicheAttive = nessuna;
    cessioni = 0;
    risolviSfondo();
    EXPECT_GE(cessioni, 2);
    EXPECT_EQ(Risultati(*sfondo), attesoSfondo);
    EXPECT_EQ(Registro(*sfondo), registroSfondo);
    EXPECT_EQ(risultatiPrincipale, attesoPrincipale);
    EXPECT_EQ(registroDentro, registroPrincipale);
    EXPECT_EQ(riempi(), riempimento);
}

// ---- Same input, both profiles ------------------------------------------------------------

TEST_F(SfondoTest, SinglesAreNamedByTheBackgroundsOwnRuleOrder) {
    // (1,1) holds only 5, and 5 has no other place in row 1 (box 1 and column 1 have more).
    Lascia(1, 1, "5");
    for (int c = 2; c <= 9; ++c) Togli(1, c, 5);
    // (5,5) keeps every digit; 7 has no other place in row 5 nor in column 5.
    for (int i = 1; i <= 9; ++i)
        if (i != 5) {
            Togli(5, i, 7);
            Togli(i, 5, 7);
        }
    struct Caso {
        int r, c, d;
        const char* codicePrincipale;
        const char* codiceSfondo;
        std::string testoSfondo;
    };
    const Caso casi[] = {
        {1, 1, 5, "R", "", kRientro + "5 in 1,1 unico possibile"},
        {5, 5, 7, "R", "C", kRientro + "7 in 5,5 unico possibile per colonna 5"},
    };
    for (const Caso& caso : casi) {
        for (Motore* m : {principale.get(), sfondo.get()}) {
            m->NumPassi = 0;
            m->SaltaNaked = true;  // read by the main engine only
            EXPECT_EQ(m->CercaSoluzioniBelle(static_cast<Byte>(caso.r), static_cast<Byte>(caso.c), true, 1,
                                             static_cast<Byte>(caso.d)),
                      true);
            ASSERT_EQ(m->NumPassi, 1);
            EXPECT_EQ(m->LogPassi[1].Codice, m->Sfondo ? caso.codiceSfondo : caso.codicePrincipale);
            EXPECT_EQ(m->LogPassi[1].Tipo, "U");
        }
        EXPECT_EQ(sfondo->LogPassi[1].Testo, caso.testoSfondo);
    }
}

TEST_F(SfondoTest, TheBackgroundReadsNoTechniqueSwitch) {
    // Same results and records whatever the shared switches say.
    const auto schemi = verifica::LeggiSchemi("qqwing_expert.txt", 40);
    sfondo->LimiteFor = 5;
    sfondo->PesoTecnica = 1;
    for (const std::string& s : schemi) {
        std::vector<std::string> registri[2];
        std::string risultati[2];
        for (int i = 0; i < 2; ++i) {
            stato.TecnicheAttive.fill(static_cast<Byte>(i));
            stato.TecnicheAvanzate.fill(static_cast<Byte>(i));
            Carica(*sfondo, s, "SGDBC");
            sfondo->Risolvi(2);
            registri[i] = Registro(*sfondo);
            risultati[i] = Risultati(*sfondo);
        }
        EXPECT_EQ(risultati[0], risultati[1]) << s;
        EXPECT_EQ(registri[0], registri[1]) << s;
        // No colours, no chains from a unit, no Nishio marker.
        EXPECT_EQ(Conta(*sfondo, [](const Passo& p) {
                      return p.Tipo == "M" || p.Tipo == "I" || p.Testo == "Vuota";
                  }),
                  0)
            << s;
    }
}

TEST_F(SfondoTest, GroupCTriesNishioBeforeTheChainsFromACell) {
    const std::string s = verifica::LeggiSchemi("sudocue_superiors.txt", 1)[0];
    stato.TecnicheAttive = {0, 0, 1, 0, 1, 0};  // Nishio and chains from a cell
    auto primoC = [](const Motore& m) {
        for (int i = 1; i <= m.NumPassi; ++i)
            if (m.LogPassi[i].Tipo == "C" || m.LogPassi[i].Tipo == "O") return m.LogPassi[i].Tipo;
        return std::string();
    };
    Carica(*principale, s, "C");
    principale->Risolvi(2);
    Carica(*sfondo, s, "C");
    sfondo->Risolvi(2);
    EXPECT_EQ(primoC(*principale), "O");
    EXPECT_EQ(primoC(*sfondo), "C");
    EXPECT_EQ(principale->ContaSoluz, 1);
    EXPECT_EQ(sfondo->ContaSoluz, 1);
}

TEST_F(SfondoTest, AnXYWingAddsTheRoundedWeightToGroupB) {
    // The second qqwing puzzle has XY-wing steps in the background's solve.
    const std::string s = verifica::LeggiSchemi("qqwing_expert.txt", 2)[1];
    sfondo->LimiteFor = 5;
    auto risolvi = [&](double peso) {
        sfondo->PesoTecnica = peso;
        Carica(*sfondo, s, "SGDBC");
        sfondo->Risolvi(2);
        return sfondo->ContaTecnicaB;
    };
    const std::int32_t senza = risolvi(0);
    const auto registro = Registro(*sfondo);
    const int ali = Conta(*sfondo, [](const Passo& p) { return p.Tipo == "W"; });
    ASSERT_GT(ali, 0);
    EXPECT_EQ(risolvi(1), senza + ali);
    EXPECT_EQ(Registro(*sfondo), registro);
    EXPECT_EQ(risolvi(0.6), senza + ali);
    EXPECT_EQ(risolvi(0.4), senza);
    EXPECT_EQ(risolvi(2.2), senza + 2 * ali);
}

TEST_F(SfondoTest, FishAreSearchedDigitFirstWhateverModoRisolvi) {
    // Digit 1: a swordfish on rows 4, 5, 6 (columns 4, 5, 6).  Digit 2: an X-Wing on rows 1, 2.
    for (int r = 4; r <= 6; ++r)
        for (int c : {1, 2, 3, 7, 8, 9}) Togli(r, c, 1);
    for (int r = 1; r <= 2; ++r)
        for (int c = 3; c <= 9; ++c) Togli(r, c, 2);
    for (Motore* m : {principale.get(), sfondo.get()}) {
        m->ModoRisolvi = true;
        m->LimiteFor = 3;
    }
    // The fish switch is off: only the background engine searches.
    stato.TecnicheAttive = {};
    EXPECT_FALSE(principale->CercaPesci(1, 1));
    EXPECT_TRUE(sfondo->CercaPesci(1, 1));
    stato.TecnicheAttive[0] = 1;
    EXPECT_TRUE(principale->CercaPesci(1, 1));
    ASSERT_EQ(principale->NumPassi, 1);
    ASSERT_EQ(sfondo->NumPassi, 1);
    // Size first: every X-Wing before any swordfish.
    EXPECT_EQ(principale->LogPassi[1].Testo, kRientro + " il numero  2 nelle righe 12 possibile solo in colonne 12");
    EXPECT_EQ(sfondo->LogPassi[1].Testo, kRientro + " il numero  1 nelle righe 456 possibile solo in colonne 456");
    EXPECT_EQ(sfondo->LogPassi[1].Dimensione, 3);
}

TEST_F(SfondoTest, TwoBoxFindingOnOneBoxIsAppliedAndUndoneExactly) {
    // Digit 5 of rows 1 and 2 only in box 1: the pair meets box 1 and no second box.
    for (int r = 1; r <= 2; ++r)
        for (int c = 4; c <= 9; ++c) Togli(r, c, 5);
    const TabellaCandidati prima = sfondo->Possibili;
    const Tabella numeriPrima = sfondo->NumeroCandidati;

    EXPECT_FALSE(principale->CercaCandidatiFissatiDue(1, 1));
    EXPECT_EQ(principale->NumPassi, 0);

    ASSERT_TRUE(sfondo->CercaCandidatiFissatiDue(1, 1));
    ASSERT_EQ(sfondo->NumPassi, 1);
    const Passo& p = sfondo->LogPassi[1];
    EXPECT_EQ(p.Testo, kRientro + " i possibili 5 delle righe 12 sono tutti nei quadrati 10");
    EXPECT_EQ(p.Tipo, "D");
    EXPECT_EQ(p.Codice, "RQ");
    EXPECT_EQ(p.Celle, "3,1,5|3,2,5|3,3,5|/1,1,5|1,2,5|1,3,5|2,1,5|2,2,5|2,3,5|");
    EXPECT_EQ(sfondo->CoppieApplicateR[1][5], "10");
    std::string annulla = sfondo->PilaLivelli[1].ListaRipristino;
    EXPECT_EQ(annulla, "11,10,5|");
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(sfondo->Possibili[3][c][5], 49);

    sfondo->RipristinaTecnica(annulla);
    EXPECT_EQ(sfondo->Possibili, prima);
    EXPECT_EQ(sfondo->NumeroCandidati, numeriPrima);
    EXPECT_EQ(sfondo->CoppieApplicateR[1][5], "");
}

// The two-place window: TheBackgroundReadsNoTechniqueSwitch solves with the
// extended windows on and off.
TEST_F(SfondoTest, NishioWritesNoMarker) {
    stato.TecnicheAttive = {0, 0, 1, 0, 0, 0};
    stato.TecnicheAvanzate = {1, 0, 0};
    const auto schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 10);
    int marcatori = 0;
    for (const std::string& s : schemi) {
        for (Motore* m : {principale.get(), sfondo.get()}) {
            m->ModoRisolvi = true;
            Carica(*m, s, "C");
            m->Risolvi(2);
            const int vuote = Conta(*m, [](const Passo& p) { return p.Testo == "Vuota"; });
            if (m->Sfondo)
                EXPECT_EQ(vuote, 0) << s;
            else
                marcatori += vuote;
        }
    }
    EXPECT_GT(marcatori, 0);
}

TEST_F(SfondoTest, ThreeCandidateWingIsTheMainEnginesOnly) {
    Lascia(2, 2, "358");
    Lascia(2, 7, "38");
    Lascia(1, 3, "58");
    for (Motore* m : {principale.get(), sfondo.get()}) {
        m->TrovatoAvanzato = false;
        m->CtrlXYwings("W", kRientro, 1);
    }
    ASSERT_EQ(principale->NumPassi, 1);
    EXPECT_EQ(principale->LogPassi[1].Testo.rfind(kRientro + "il 8 può andare in 2,2 o ", 0), 0u);
    EXPECT_EQ(sfondo->NumPassi, 0);
    EXPECT_FALSE(sfondo->TrovatoAvanzato);
}

// Cells of the wing example that do not hold 3.
constexpr std::pair<int, int> kSenzaTre[] = {{1, 3}, {3, 4}, {3, 6}};

TEST_F(SfondoTest, WingFoundInThePassOfItsTargetDigit) {
    Lascia(1, 1, "12");
    Lascia(1, 5, "13");
    Lascia(3, 2, "23");
    for (const auto& [r, c] : kSenzaTre) Togli(r, c, 3);
    sfondo->TrovatoAvanzato = false;
    sfondo->CtrlXYwings("W", kRientro, 1);
    ASSERT_TRUE(sfondo->TrovatoAvanzato);
    ASSERT_EQ(sfondo->NumPassi, 1);
    const Passo& p = sfondo->LogPassi[1];
    EXPECT_EQ(p.Testo, kRientro + "se 1 in 1,1 allora 3 in 1,5  se invece 2 in 1,1 allora 3 in 3,2");
    EXPECT_EQ(p.Celle, "1,2,3|3,5,3|/1,5,3|1,1,1|3,2,3|1,1,2|");
    EXPECT_EQ(sfondo->CelleGruppo, "123353");
    EXPECT_EQ(p.Tipo, "W");
    EXPECT_EQ(p.Codice, "");
    EXPECT_EQ(p.Dimensione, 4);
    EXPECT_EQ(p.Profondita, 1);

    // With 2, 3 and 4 in (3,2) the second branch forces nothing: no wing.
    sfondo->Inizializza();
    principale->Inizializza();
    Lascia(1, 1, "12");
    Lascia(1, 5, "13");
    Lascia(3, 2, "234");
    for (const auto& [r, c] : kSenzaTre) Togli(r, c, 3);
    sfondo->NumPassi = 0;
    sfondo->TrovatoAvanzato = false;
    sfondo->CtrlXYwings("W", kRientro, 1);
    EXPECT_FALSE(sfondo->TrovatoAvanzato);
    EXPECT_EQ(sfondo->NumPassi, 0);
}

TEST_F(SfondoTest, ChainFromACellNarratesBothSourceNodes) {
    Lascia(1, 1, "12");
    Lascia(1, 4, "15");
    Lascia(4, 4, "57");
    Lascia(2, 1, "27");
    Togli(4, 1, 7);
    sfondo->TrovatoAvanzato = false;
    sfondo->CtrlXYwings("O", kRientro, 1);
    ASSERT_TRUE(sfondo->TrovatoAvanzato);
    const std::vector<std::string> testi = {
        kRientro + "Se 2 in cella 1,1 allora 7 in cella 2,1",
        kRientro + "Se 1 in cella 1,1 allora 5 in cella 1,4",
        kRientro + "5 in cella 1,4 comporta 7 in cella 4,4",
        kRientro + "Ne consegue che o 7 in cella 4,4   o 7 in cella 2,1   ",
    };
    ASSERT_EQ(sfondo->NumPassi, 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sfondo->LogPassi[i + 1].Testo, testi[i]);
        EXPECT_EQ(sfondo->LogPassi[i + 1].Tipo, "O");
        EXPECT_EQ(sfondo->LogPassi[i + 1].Dimensione, 4);
    }
    for (int i = 1; i <= 3; ++i) {
        const std::string& celle = sfondo->LogPassi[i].Celle;
        EXPECT_EQ(celle.substr(celle.size() - 3), "xxx");
    }
    EXPECT_EQ(sfondo->LogPassi[4].Celle, "2,4,7|/4,4,7|2,1,7|");
    EXPECT_EQ(sfondo->CelleGruppo, "247");
}

TEST_F(SfondoTest, ChainWhoseBranchesMeetInOneNodeStillNamesItTwice) {
    // Both branches force 7 into (1,4): through the start's 1, or through (1,2)'s 1.
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    Lascia(1, 4, "17");
    for (int c = 3; c <= 9; ++c)
        if (c != 4) {
            Togli(1, c, 1);
            Togli(1, c, 2);
        }
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            Togli(r, c, 1);
            Togli(r, c, 2);
        }
    for (Motore* m : {principale.get(), sfondo.get()}) {
        m->TrovatoAvanzato = false;
        m->CtrlXYwings("O", kRientro, 1);
        ASSERT_TRUE(m->TrovatoAvanzato);
    }
    const Passo& fine = sfondo->LogPassi[sfondo->NumPassi];
    EXPECT_EQ(fine.Testo, kRientro + "Ne consegue che o 7 in cella 1,4   o 7 in cella 1,4   ");
    EXPECT_EQ(fine.Celle.substr(fine.Celle.find('/')), "/1,4,7|1,4,7|");
    EXPECT_EQ(fine.Celle.substr(0, 6), "1,3,7|");
    const Passo& finePrincipale = principale->LogPassi[principale->NumPassi];
    EXPECT_EQ(finePrincipale.Testo, kRientro + "Ne consegue che 7 è l'unico possibile per  cella 1,4   ");
    EXPECT_EQ(finePrincipale.Celle.substr(finePrincipale.Celle.find('/')), "/1,4,7|");
}

TEST_F(SfondoTest, RestrictionDigitZeroScoresTheSameInBothProfiles) {
    // No single at the start; two hidden subsets at level 1 leave record 0 at
    // digit 0, so each sweep after them starts with an empty pass.
    const std::string schema =
        "300004005000020600000000800060000720100800000000000000020670000000000013000900000";
    stato.TecnicheAttive = {1, 1, 1, 1, 1, 1};
    for (Motore* m : {principale.get(), sfondo.get()}) {
        m->ModoRisolvi = true;
        m->PilaLivelli[0].Cifra = 7;  // left by an earlier solve; Risolvi clears it
        Carica(*m, schema, "GSDBC");
        m->Risolvi(4);
        EXPECT_EQ(m->ContaSoluz, 1);
        EXPECT_EQ(m->ContaTecnicaG, 2);
        EXPECT_EQ(m->ContaPregio, 1);
        EXPECT_EQ(m->Valore, 10 + 10 + 210 + 200) << m->Sfondo;
    }
}

// ---- Whole sets ---------------------------------------------------------------------------------

// A two-box finding on one unit (kinds "1" to "4", second unit 0) in an undo entry.
bool HaUnaSolaUnita(const Motore& m) {
    static const std::regex voce("[1-4][1-9],[1-9]0,[1-9]\\|");
    for (int i = 1; i <= m.NumPassi; ++i) {
        const Passo& p = m.LogPassi[i];
        if (std::regex_search(p.Ripristino, voce)) return true;
        if (p.Tipo == "D" && !p.Testo.empty() && p.Testo.back() == '0') return true;
    }
    return false;
}

TEST_F(SfondoTest, WithoutWingsAndChainsBothProfilesAgreeButForTheSinglesRule) {
    std::vector<std::string> schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 160);
    for (const std::string& s : verifica::LeggiSchemi("qqwing_expert.txt", 300)) schemi.push_back(s);
    int uguali = 0;
    for (const std::string& s : schemi) {
        std::vector<Passo> passi[2];
        for (Motore* m : {principale.get(), sfondo.get()}) {
            m->ModoRisolvi = false;
            Carica(*m, s, "SDG");
            m->Risolvi(2);
            passi[m->Sfondo].assign(m->LogPassi.begin() + 1, m->LogPassi.begin() + m->NumPassi + 1);
        }
        bool stessi = passi[0].size() == passi[1].size();
        for (std::size_t i = 0; stessi && i < passi[0].size(); ++i) {
            Passo a = passi[0][i], b = passi[1][i];
            if (a.Tipo == "U" && b.Tipo == "U") {
                a.Codice = b.Codice;
                a.Testo = b.Testo;
            }
            stessi = a.Testo == b.Testo && a.Profondita == b.Profondita && a.Riga == b.Riga &&
                     a.Colonna == b.Colonna && a.Cifra == b.Cifra && a.Ripristino == b.Ripristino &&
                     a.Celle == b.Celle && a.Tipo == b.Tipo && a.Codice == b.Codice &&
                     a.Dimensione == b.Dimensione;
        }
        if (stessi)
            ++uguali;
        else
            EXPECT_TRUE(HaUnaSolaUnita(*sfondo)) << s;
    }
    EXPECT_GT(uguali, static_cast<int>(schemi.size()) * 9 / 10);
}

TEST_F(SfondoTest, BackgroundSolvesOfPublicSetsAreSound) {
    std::vector<std::string> schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 160);
    for (const std::string& s : verifica::LeggiSchemi("qqwing_expert.txt", 300)) schemi.push_back(s);
    sfondo->LimiteFor = 5;
    sfondo->PesoTecnica = 1;
    sfondo->ModoRisolvi = false;
    for (const std::string& s : schemi) {
        verifica::Celle soluzione{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(s), 2, &soluzione), 1) << s;
        const std::string attesa = verifica::ComeTesto(soluzione);
        Carica(*sfondo, s, "SGDBC");
        sfondo->Risolvi(1);
        EXPECT_EQ(sfondo->ContaSoluz, 1) << s;
        EXPECT_EQ(Testo(sfondo->Griglia), attesa) << s;
        for (int i = 1; i <= sfondo->NumPassi; ++i) {
            const Passo& p = sfondo->LogPassi[i];
            EXPECT_NE(p.Tipo, "M");
            EXPECT_NE(p.Tipo, "I");
            EXPECT_NE(p.Testo, "Vuota");
            if (p.Profondita != 1) continue;
            if (p.Tipo == "U") {
                EXPECT_EQ(attesa[(p.Riga - 1) * 9 + p.Colonna - 1], p.Cifra[0]) << s << " " << p.Testo;
            }
            // The eliminations: the "r,c,d|" entries before the first "/".
            const std::string tolti = p.Celle.substr(0, p.Celle.find('/'));
            for (std::size_t k = 0; k + 5 < tolti.size() + 1; k += 6) {
                if (tolti[k + 1] != ',' || tolti[k + 3] != ',') break;
                const int r = tolti[k] - '0', c = tolti[k + 2] - '0';
                EXPECT_NE(attesa[(r - 1) * 9 + c - 1], tolti[k + 4]) << s << " " << p.Testo;
            }
        }
    }
}

}  // namespace
}  // namespace kenvaron
