// Batch production with a stand-in puzzle maker: the order rules are served
// in, the filter, failed tries, the keywords of a rule, the results grid, the
// output lines and their files, an unwritable file and a stop mid-run.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/FileTesto.h"
#include "generation/Produzione.h"
#include "tests/core/CartellaTemporanea.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

class GrigliaFinta final : public GrigliaRisultati {
public:
    void SetRows(int n) override { righe = n; }
    void SetCols(int n) override { colonne = n; }
    void SetColWidth(int c, int twip) override { larghezze[c] = twip; }
    void SetTextMatrix(int r, int c, const std::string& t) override { testi[{r, c}] = t; }
    void AllineaADestra(int r, int c) override { aDestra[{r, c}] = true; }
    std::string Testo(int r, int c) const {
        const auto it = testi.find({r, c});
        return it == testi.end() ? "" : it->second;
    }
    int righe = 0, colonne = 0;
    std::map<int, int> larghezze;
    std::map<std::pair<int, int>, std::string> testi;
    std::map<std::pair<int, int>, bool> aDestra;
};

class ProduzioneTest : public ::testing::Test, protected verifica::CartellaTemporanea {
protected:
    ProduzioneTest() {
        servizi.Eventi = [this] { return ++eventi != fermaAlTurno; };
        // The stand-in maker: the rule number it was asked for, in order.
        servizi.Genera = [this](const Regola& r) {
            ordine.push_back(NumeroRegola(r));
            if (!esitiGenera.empty()) {
                const bool esito = esitiGenera.front();
                esitiGenera.pop_front();
                if (!esito) return false;
            }
            stato.Problema[1][1] = static_cast<Byte>(ordine.size() % 10);
            return true;
        };
        servizi.CalcolaValore = [this] {
            Valutazione v;
            if (!valori.empty()) {
                v.ValoreCalcolato = valori.front();
                valori.pop_front();
            }
            v.TestoTecniche = "Colori|Nishio";
            ++valutazioni;
            return v;
        };
        servizi.Avviso = [this](const std::string& t) { avvisi.push_back(t); };
        servizi.Adesso = [] { return DataOra{2026, 3, 7, 9, 5, 2, 0}; };
    }
    std::vector<std::string> Righe(const std::string& nome) const {
        std::vector<std::string> righe;
        const std::string tutto = Leggi(nome);
        std::size_t inizio = 0, fine;
        while ((fine = tutto.find('\n', inizio)) != std::string::npos) {
            righe.push_back(tutto.substr(inizio, fine - inizio));
            inizio = fine + 1;
        }
        EXPECT_EQ(inizio, tutto.size()) << "a partial line at the end of " << nome;
        return righe;
    }
    // Rules from the text after "[REGOLE]"; FILE=@name stands for a file in the test's folder.
    void Regole(std::string testo) {
        for (std::size_t p; (p = testo.find('@')) != std::string::npos;)
            testo.replace(p, 1, percorso.string() + "/");
        regole = LeggiRegole("[REGOLE]\n" + testo);
        // The search of a rule with techniques climbs on these.
        regole.Pesi.PCandidati_imprigionati = 5;
        regole.Pesi.PTripletta_nascosta = 8;
    }
    int NumeroRegola(const Regola& r) const {
        for (int i = 1; i <= regole.NumRegole; ++i)
            if (&regole.Regole[i] == &r) return i;
        return 0;
    }
    EsitoProduzione Esegui() { return EseguiGenerazione(regole, stato, gra, servizi, kNessunFileProprio); }

    Condiviso stato;
    RegoleProduzione regole;
    GrigliaFinta gra;
    ServiziProduzione servizi;
    std::vector<int> ordine;
    std::deque<bool> esitiGenera;
    std::deque<std::int32_t> valori;
    std::vector<std::string> avvisi;
    int eventi = 0, fermaAlTurno = -1, valutazioni = 0;
};

TEST_F(ProduzioneTest, RulesAreServedInTurnUntilAPassMakesNothing) {
    Regole("<REGOLA>\nFILE=@a.txt,OUTPUT\nSCHEMI=2\n<REGOLA>\nFILE=@b.txt\nSCHEMI=1\n"
           "<REGOLA>\nFILE=@c.txt\nSCHEMI=0\n<REGOLA>\nFILE=@d.txt\nSCHEMI=-4\n");
    const EsitoProduzione e = Esegui();
    EXPECT_FALSE(e.Interrotta);
    EXPECT_FALSE(e.Fallimenti);
    EXPECT_EQ(ordine, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(Righe("a.txt").size(), 2u);
    EXPECT_EQ(Righe("b.txt").size(), 1u);
    EXPECT_FALSE(fs::exists(percorso / "c.txt"));
    EXPECT_EQ(regole.Regole[1].Generati, 2);
    EXPECT_TRUE(avvisi.empty());
}

TEST_F(ProduzioneTest, TriesBelowTheFilterAndFailedTriesAreMadeAgainAndNotWritten) {
    Regole("<REGOLA>\nFILE=@a.txt\nSCHEMI=2\nFILTRO=5\n");
    esitiGenera = {false, true, true, false, true};
    valori = {3, 5, 9};
    Esegui();
    EXPECT_EQ(ordine.size(), 5u);
    EXPECT_EQ(valutazioni, 3);  // a failed try is not rated
    const auto righe = Righe("a.txt");
    ASSERT_EQ(righe.size(), 2u);
    EXPECT_NE(righe[0].find(",5,Colori|Nishio,"), std::string::npos);
    EXPECT_NE(righe[1].find(",9,Colori|Nishio,"), std::string::npos);
}

TEST_F(ProduzioneTest, TheGridShowsTheRulesAndTheirMinimumMaximumAndMeanRoundedDown) {
    Regole("<REGOLA>\nFILE=@a.txt\nTECNICHE=CNDIMP,HIDNAK\nSCHEMI=2\nFILTRO=-100\n"
           "<REGOLA>\nFILE=@b.txt\nSCHEMI=2\nFILTRO=-100\n"
           "<REGOLA>\nFILE=@c.txt\nSCHEMI=1\nFILTRO=-100\n");
    InizializzaGRA(gra, regole);
    EXPECT_EQ(gra.colonne, 7);
    EXPECT_EQ(gra.righe, 4);
    const std::vector<std::string> intestazioni{"", "Regola", "Schemi", "Generati", "Val. Min.", "Val. Max.",
                                                "Media"};
    const std::vector<int> larghezze{0, 8050, 1000, 1000, 1000, 1000, 1000};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(gra.Testo(0, c), intestazioni[c]);
        EXPECT_EQ(gra.larghezze[c], larghezze[c]);
        for (int r = 0; r < 4; ++r) EXPECT_EQ((gra.aDestra[{r, c}]), c > 0) << r << "," << c;
    }
    EXPECT_EQ(gra.Testo(1, 1), "CNDIMP,HIDNAK");
    EXPECT_EQ(gra.Testo(1, 2), "2");
    EXPECT_EQ(gra.Testo(1, 3), "");
    // Rules 1, 2, 3, then 1, 2: 10 and 15; -7 and 0; -3 alone.
    valori = {10, -7, -3, 15, 0};
    Esegui();
    const std::vector<std::vector<std::string>> attese{
        {"2", "10", "15", "12"}, {"2", "-7", "0", "-4"}, {"1", "-3", "-3", "-3"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 3; c <= 6; ++c) EXPECT_EQ(gra.Testo(r, c), attese[r - 1][c - 3]) << r << "," << c;
}

TEST_F(ProduzioneTest, AnUnwritableFileStopsItsRuleOnlyAndIsReported) {
    fs::create_directories(percorso / "cartella");
    Regole("<REGOLA>\nFILE=@cartella\nSCHEMI=3\n<REGOLA>\nFILE=@b.txt\nSCHEMI=2\n");
    InizializzaGRA(gra, regole);
    const EsitoProduzione e = Esegui();
    EXPECT_TRUE(e.Fallimenti);
    EXPECT_FALSE(e.Interrotta);
    EXPECT_EQ(ordine, (std::vector<int>{1, 2, 2}));
    EXPECT_EQ(avvisi, std::vector<std::string>{"Regola 1: File " + Percorso("cartella") + " non salvato"});
    EXPECT_EQ(regole.Regole[1].Generati, 0);
    EXPECT_EQ(gra.Testo(1, 3), "");  // nothing counted that was not written
    EXPECT_EQ(Righe("b.txt").size(), 2u);
}

TEST_F(ProduzioneTest, AtTheStartOutputFilesAreEmptiedAndARuleWithoutAUsableFileIsStoppedByNumber) {
    // The program's folder, with its rules and (in the first round) its pool.
    fs::create_directories(percorso / "programma");
    const FilePropri propri{Percorso("programma"), {"Kenvaron.txt", "Kenvaron.ini", "Kenvaron.rtf", "kenvaron"}};
    const std::string ini = "[REGOLE]\r\n<REGOLA>\r\nFILE=x,OUTPUT\r\nSCHEMI=3\r\n";
    Scrivi("programma/Kenvaron.ini", ini);
    fs::create_symlink(Percorso("programma/Kenvaron.txt"), Percorso("pool.lnk"));
    fs::create_symlink(Percorso("programma/Kenvaron.ini"), Percorso("ini.lnk"));
    ASSERT_EQ(::mkfifo(Percorso("fifo").c_str(), 0644), 0);  // no reader: an open would wait for ever
    fs::create_directories(percorso / "cartella");
    for (const bool conPool : {true, false}) {
        SCOPED_TRACE(conPool ? "with a pool" : "without a pool");
        Scrivi("out.txt", "vecchia\r\n");
        Scrivi("app.txt", "vecchia\r\n");
        if (conPool) Scrivi("programma/Kenvaron.txt", "0XX2023|pool\r\n");
        Regole("<REGOLA>\nFILE=@out.txt,Output\n"
               "<REGOLA>\nFILE=@app.txt,APPEND\nSCHEMI=1\n"
               "<REGOLA>\nFILE=@nuovo.txt,OUTPUT\n"
               "<REGOLA>\nFILE=@programma/Kenvaron.ini,OUTPUT\n"
               "<REGOLA>\nFILE=@programma/Kenvaron.txt,OUTPUT\n"
               "<REGOLA>\nFILE=@pool.lnk,OUTPUT\n"
               "<REGOLA>\nFILE=@ini.lnk,APPEND\nSCHEMI=1\n"
               "<REGOLA>\nFILE=@programma/../programma/Kenvaron.rtf,APPEND\nSCHEMI=1\n"
               "<REGOLA>\nFILE=@fifo,OUTPUT\n"
               "<REGOLA>\nFILE=@fifo,APPEND\nSCHEMI=1\n"
               "<REGOLA>\nFILE=@cartella,OUTPUT\n" +
               // Every system call would see the pool's name only.
               std::string("<REGOLA>\nFILE=@programma/Kenvaron.txt\0x.txt,OUTPUT\n", 51) +
               "<REGOLA>\nSCHEMI=1\n"
               "<REGOLA>\nFILE=\nSCHEMI=1\n"
               "<REGOLA>\nFILE=,OUTPUT\n"
               "<REGOLA>\nSCHEMI=0\n");  // writes nothing: needs no file
        std::vector<std::string> attesi;
        for (int i = 4; i <= 11; ++i)
            attesi.push_back("Regola " + std::to_string(i) + ": File " + regole.Regole[i].File + " non salvato");
        // The NUL byte shows, so that the message printed as C text goes on past it.
        attesi.push_back("Regola 12: File " + Percorso("programma/Kenvaron.txt") + "\\0x.txt non salvato");
        for (int i = 13; i <= 15; ++i) attesi.push_back("Regola " + std::to_string(i) + ": FILE mancante");
        ordine.clear();
        EXPECT_EQ(PreparaFileRegole(regole, propri), attesi);
        for (int i = 1; i <= regole.NumRegole; ++i) EXPECT_EQ(regole.Regole[i].Bloccata, i >= 4 && i <= 15) << i;

        EXPECT_EQ(Leggi("out.txt"), "");
        EXPECT_TRUE(fs::exists(percorso / "nuovo.txt"));
        EXPECT_EQ(Leggi("programma/Kenvaron.ini"), ini);
        EXPECT_EQ(fs::exists(percorso / "programma/Kenvaron.txt"), conPool);
        if (conPool) {
            EXPECT_EQ(Leggi("programma/Kenvaron.txt"), "0XX2023|pool\r\n");
        }
        EXPECT_FALSE(fs::exists(percorso / "programma/Kenvaron.rtf"));
        EXPECT_TRUE(fs::is_fifo(percorso / "fifo"));
        EXPECT_TRUE(fs::is_empty(percorso / "cartella"));
        EXPECT_EQ(Esegui().Fallimenti, false);  // the loop reports nothing twice
        EXPECT_EQ(ordine, std::vector<int>{2});
        EXPECT_EQ(Righe("app.txt").size(), 2u);
        fs::remove(percorso / "programma/Kenvaron.txt");
    }
}

TEST_F(ProduzioneTest, ARuleWhoseGroupsAllWeighNothingIsReportedAndSkippedAndTheOthersRun) {
    Regole("<REGOLA>\nFILE=@a.txt\nTECNICHE=CNDIMP\nSCHEMI=2\n"
           "<REGOLA>\nFILE=@b.txt\nTECNICHE=CNDIMP,HIDNAK\nSCHEMI=1\n"
           "<REGOLA>\nFILE=@c.txt\nSCHEMI=2\n"                          // singles only: no weight needed
           "<REGOLA>\nFILE=@d.txt\nTECNICHE=HIDNAK,NISHIO\nSCHEMI=1\n"  // one of its groups weighs
           "<REGOLA>\nFILE=@e.txt\nTECNICHE=XWISWO\nSCHEMI=0\n");      // makes nothing: says nothing
    // Weights that steer no search of rules 1 and 2.
    regole.Pesi = PesiTecniche{};
    regole.Pesi.PSingoli_nudi = 1;
    regole.Pesi.PSingoli_nascosti = 2;
    regole.Pesi.PSwordfish = 20;
    regole.Pesi.PSimple_Color = 40;
    const EsitoProduzione e = Esegui();
    EXPECT_TRUE(e.Fallimenti);
    EXPECT_FALSE(e.Interrotta);
    EXPECT_EQ(avvisi, (std::vector<std::string>{
                          "Regola 1: il peso di Candidati imprigionati è 0: nessuno schema può essere accettato",
                          "Regola 2: i pesi di Candidati imprigionati e Tripletta nascosta sono 0: nessuno schema "
                          "può essere accettato"}));
    EXPECT_EQ(ordine, (std::vector<int>{3, 4, 3}));
    EXPECT_FALSE(fs::exists(percorso / "a.txt"));
    EXPECT_EQ(Righe("c.txt").size(), 2u);

    regole.Pesi = PesiTecniche{};
    regole.Pesi.PCandidati_imprigionati = -1;  // not 0: the search runs as it always did
    EXPECT_EQ(NessunoSchemaAccettabile(regole.Regole[1], regole.Pesi), "");
    EXPECT_EQ(NessunoSchemaAccettabile(regole.Regole[4], regole.Pesi),
              "i pesi di Tripletta nascosta e Simple Color sono 0: nessuno schema può essere accettato");
    Regole("<REGOLA>\nTECNICHE=NISHIO,BURMA,HIDNAK,FORCH1\n");
    regole.Pesi.PTripletta_nascosta = 0;
    EXPECT_EQ(NessunoSchemaAccettabile(regole.Regole[1], regole.Pesi),
              "i pesi di Tripletta nascosta, Swordfish e Simple Color sono 0: nessuno schema può essere accettato");
}

TEST_F(ProduzioneTest, AStopMidRunReturnsAtOnceAndLeavesWholeLines) {
    Regole("<REGOLA>\nFILE=@a.txt\nSCHEMI=100\n");
    // The loop yields before each rule visit and after each try: the stop
    // comes right after the third try, whose puzzle is not written.
    fermaAlTurno = 6;
    const EsitoProduzione e = Esegui();
    EXPECT_TRUE(e.Interrotta);
    EXPECT_EQ(ordine.size(), 3u);
    EXPECT_EQ(Righe("a.txt").size(), 2u);
    EXPECT_EQ(regole.Regole[1].Generati, 2);
    EXPECT_EQ(eventi, 6);
}

TEST_F(ProduzioneTest, AStopDuringAnEndlessFilterEndsTheRule) {
    Regole("<REGOLA>\nFILE=@a.txt\nSCHEMI=1\nFILTRO=1000\n");
    fermaAlTurno = 50;
    EXPECT_TRUE(Esegui().Interrotta);
    EXPECT_FALSE(fs::exists(percorso / "a.txt"));
}

// ---- A rule's techniques --------------------------------------------------------------

struct CasoTecniche {
    const char* tecniche;
    const char* codice;
    std::array<Byte, 6> interruttori;
    std::int16_t limiteFor;
    const char* livello;
};

TEST(DecodificaTecniche, KeywordsGiveTheCodeTheSwitchesAndTheLargestFish) {
    const CasoTecniche casi[] = {
        {"CNDIMP,CNDIMP,XWISWO,BURMA", "SSB", {1, 0, 0, 0, 0, 0}, 5, "P"},
        {"BURMA,XWISWO", "B", {1, 0, 0, 0, 0, 0}, 3, "P"},
        {"HIDNAK,XYZWIN,HIDNAK", "GBG", {0, 1, 0, 0, 0, 0}, 3, "P"},
        {"COLMCO,FORCH1,FORCH2,NISHIO", "C", {0, 0, 1, 1, 1, 1}, 3, "P"},
        {"CNDIMP, HIDNAK", "S", {0, 0, 0, 0, 0, 0}, 3, "P"},  // a blank makes a keyword unknown
        {"cndimp,ALTRO,", "", {0, 0, 0, 0, 0, 0}, 3, "1"},
        {"", "", {0, 0, 0, 0, 0, 0}, 3, "1"},
    };
    for (const CasoTecniche& c : casi) {
        const ConfigurazioneAuto cfg = DecodificaTecniche(c.tecniche);
        EXPECT_EQ(cfg.Codice, c.codice) << c.tecniche;
        EXPECT_EQ(cfg.TecnicheAttive, c.interruttori) << c.tecniche;
        EXPECT_EQ(cfg.LimiteFor, c.limiteFor) << c.tecniche;
        EXPECT_EQ(cfg.Livello, c.livello) << c.tecniche;
    }
}

// ---- Real puzzles through the whole line ------------------------------------------------

class ProduzioneRealeTest : public ProduzioneTest {
protected:
    ProduzioneRealeTest() {
        schemi = verifica::LeggiSchemi("qqwing_expert.txt", 3);
        // The stand-in "Nuovo" loop: a public puzzle, solved with the rule's techniques.
        servizi.Genera = [this](const Regola& r) {
            return EseguiGeneraAuto(r, *m, livelli, imp, gen, [this] {
                visti.push_back({gen.GeneraAuto2, imp.SuperSimmetrico, imp.LimiteRigaRimozione,
                                 imp.LimiteColonnaRimozione, m->SaltaNaked});
                const std::string& s = schemi[prossimo++ % schemi.size()];
                for (int i = 0; i < 81; ++i) stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(s[i] - '0');
                m->Risolvi(1);
                return true;
            });
        };
        servizi.CalcolaValore = [this] { return ValutaPassi(*m, pesi, false); };
        servizi.Adesso = [] { return Now(); };
        pesi.PSingoli_nudi = 1;
        pesi.PSingoli_nascosti = 2;
        pesi.PCandidati_imprigionati = 5;
    }
    std::vector<std::string> schemi;
    std::size_t prossimo = 0;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio);
    Livelli livelli{*m, stato};
    ImpostazioniGenerazione imp;
    StatoGenerazione gen;
    PesiTecniche pesi;
    // What the "Nuovo" loop found set at each call.
    struct Visto {
        bool primoAccettabile, superSimmetrico;
        Byte limiteRiga, limiteColonna;
        bool saltaNaked;
        bool operator==(const Visto&) const = default;
    };
    std::vector<Visto> visti;
};

TEST_F(ProduzioneRealeTest, EachLineHoldsThePuzzleItsOnlySolutionTheValueAndTheTime) {
    Regole("<REGOLA>\nFILE=@a.txt,OUTPUT\nTECNICHE=CNDIMP,HIDNAK,XWISWO,COLMCO,FORCH1\nSCHEMI=3\nFILTRO=10\n");
    Esegui();
    EXPECT_EQ(livelli.CodiciTecniche, "SGBC");
    EXPECT_EQ(m->Turni[Motore::kC], 4);
    EXPECT_EQ(stato.SequenzeObbligatorie, 1);
    EXPECT_EQ(livelli.Livello, "P");
    const std::regex forma(
        R"(^[0-9]{81},[1-9]{81},-?[0-9]+,[^,]*,[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}\r$)");
    const auto righe = Righe("a.txt");
    ASSERT_EQ(righe.size(), 3u);
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const std::string& riga = righe[i];
        EXPECT_TRUE(std::regex_match(riga, forma)) << riga;
        EXPECT_EQ(riga.substr(0, 81), schemi[i]);
        const verifica::Celle schema = verifica::DaTesto(riga.substr(0, 81));
        verifica::Celle unica{};
        EXPECT_EQ(verifica::ContaSoluzioni(schema, 2, &unica), 1);
        EXPECT_EQ(riga.substr(82, 81), verifica::ComeTesto(unica));
        EXPECT_GE(std::stoi(riga.substr(164)), 10);
    }
}

TEST_F(ProduzioneRealeTest, AnEmptyTechniqueListMakesSinglesOnlyPuzzlesAtLevel1) {
    Regole("<REGOLA>\nFILE=@a.txt\nSCHEMI=1\n");
    stato.TecnicheAttive = {1, 1, 1, 1, 1, 1};
    Esegui();
    EXPECT_EQ(livelli.Livello, "1");
    EXPECT_EQ(livelli.CodiciTecniche, "");
    EXPECT_EQ(stato.TecnicheAttive, (std::array<Byte, 6>{}));
    EXPECT_EQ(m->Turni, (std::array<std::int16_t, 5>{}));
}

TEST_F(ProduzioneRealeTest, EachRuleReachesTheNuovoLoopWithItsOwnFirstPuzzleSwitchAndFullRemoval) {
    Regole("<REGOLA>\nFILE=@a.txt\nTECNICHE=CNDIMP\nSCHEMI=1\nCOMPLICA=true\n"
           "<REGOLA>\nFILE=@b.txt\nTECNICHE=CNDIMP\nSCHEMI=1\n");
    // Left over from an interactive supersymmetric level.
    imp.SuperSimmetrico = true;
    imp.LimiteRigaRimozione = imp.LimiteColonnaRimozione = 5;
    m->SaltaNaked = true;
    gen.GeneraAuto2 = false;
    Esegui();
    EXPECT_EQ(visti, (std::vector<Visto>{{true, false, 9, 9, false}, {false, false, 9, 9, false}}));
}

TEST_F(ProduzioneTest, KilledWritersCutALineOnlyWhereTheKernelStopsItsOneWrite) {
    Regole("<REGOLA>\nFILE=@a.txt\n");
    Tabella p{}, sol{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) sol[r][c] = static_cast<Byte>((r * 3 + r / 4 + c - 1) % 9 + 1);
    // Lines as long as real ones: a technique list of a few labels, or none.
    const std::string lunga =
        RigaProduzione(p, sol, 7, "Colori|Candidati Imprigionati|Doppio Nudo|Nishio|Catene Obbligate", DataOra{});
    const std::string corta = RigaProduzione(p, sol, 7, "", DataOra{});
    auto scritti = [&] {
        std::error_code ec;
        const auto n = fs::file_size(Percorso("a.txt"), ec);
        return ec ? 0 : n;
    };
    // Each writer appends lines as fast as it can until it is killed, after a
    // few lines that vary from one writer to the next.
    constexpr int kScrittori = 150;
    for (int k = 0; k < kScrittori; ++k) {
        const auto prima = scritti();
        const pid_t figlio = ::fork();
        ASSERT_GE(figlio, 0);
        if (figlio == 0) {
            for (int i = 0; i < 1000000; ++i) ScriviSchema(regole.Regole[1], i % 2 ? lunga : corta, kNessunFileProprio);
            ::_exit(0);
        }
        while (scritti() < prima + (1 + k % 7) * lunga.size() && ::waitpid(figlio, nullptr, WNOHANG) == 0)
            std::this_thread::yield();
        ::kill(figlio, SIGKILL);
        ::waitpid(figlio, nullptr, 0);
    }
    // A line goes in with one write, which the kernel stops for SIGKILL only
    // where the file crosses into a new page: the one place a line can be cut.
    // The next writer ends the cut line before its own, so no line is glued
    // to a cut piece.
    const auto pagina = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    auto intera = [&](std::string_view r) { return r == lunga + "\r" || r == corta + "\r"; };
    const std::string testo = Leggi("a.txt");
    int righe = 0, tagliAPagina = 0;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        const std::size_t fine = std::min(testo.find('\n', inizio), testo.size());
        const std::string_view r = std::string_view(testo).substr(inizio, fine - inizio);
        const std::size_t dove = inizio;
        inizio = fine + 1;
        if (intera(r)) {
            ++righe;
            continue;
        }
        // A cut piece, then the CR LF the next writer put after it (none after
        // the file's last piece).
        const bool chiusa = fine < testo.size();
        const std::string_view taglio = chiusa && r.ends_with('\r') ? r.substr(0, r.size() - 1) : r;
        const bool aPagina = (!chiusa || r.ends_with('\r')) &&
                             ((lunga + "\r\n").starts_with(taglio) || (corta + "\r\n").starts_with(taglio)) &&
                             (dove + taglio.size()) % pagina == 0;
        EXPECT_TRUE(aPagina) << "a line cut at byte " << dove + taglio.size() << ": " << r;
        tagliAPagina += aPagina;
    }
    EXPECT_GE(righe, kScrittori);
    RecordProperty("tagli_a_pagina", tagliAPagina);
}

TEST(RigaProduzione, FourCommasZerosForEmptyCellsAndATwoDigitTimeStamp) {
    Tabella p{}, s{};
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c) s[r][c] = static_cast<Byte>((r * 3 + r / 4 + c - 1) % 9 + 1);
    for (int i = 0; i < 25; ++i) p[i / 9 + 1][i % 9 + 1] = s[i / 9 + 1][i % 9 + 1];
    const std::string riga = RigaProduzione(p, s, -12, "", DataOra{2026, 3, 7, 9, 5, 2, 0});
    EXPECT_EQ(std::count(riga.begin(), riga.end(), ','), 4);
    EXPECT_EQ(std::count(riga.begin(), riga.begin() + 81, '0'), 56);
    EXPECT_EQ(riga.substr(164), "-12,,2026/03/07 09:05:02");
}

TEST(MessaggioNonSalvato, ControlBytesAndInvalidUtf8ShowAsHexAndValidUtf8StaysAsItIs) {
    struct Caso {
        std::string nome, visto;
    };
    const Caso casi[] = {
        {std::string("a\0b", 3), "a\\0b"},
        {"\x1B]0;titolo\x07\x1B" "c", "\\x1B]0;titolo\\x07\\x1B" "c"},  // ESC, BEL: a title, a reset
        {"ab\x08\x08xy\tz\x1F", "ab\\x08\\x08xy\\x09z\\x1F"},
        {"canc\x7F", "canc\\x7F"},
        {"\xC3(.txt", "\\xC3(.txt"},                                  // a lead byte alone
        {"\xA9\xFF\xF5\x80\x80\x80", "\\xA9\\xFF\\xF5\\x80\\x80\\x80"},  // never a lead byte
        {"\xC0\xAF\xE0\x80\xAF\xF0\x8F\xBF\xBF", "\\xC0\\xAF\\xE0\\x80\\xAF\\xF0\\x8F\\xBF\\xBF"},  // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},                           // a surrogate
        {"\xF4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},                   // past U+10FFFF
        {"\xE2\x82(", "\\xE2\\x82("},                                  // cut short by another character
        {"x\xE2\x82", "x\\xE2\\x82"},                                  // cut short by the end
        {"più €\xED\x9F\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF", "più €\xED\x9F\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"},
    };
    for (const Caso& caso : casi) EXPECT_EQ(MessaggioNonSalvato(caso.nome), "File " + caso.visto + " non salvato");
}

}  // namespace
}  // namespace kenvaron
