// "Calcola Valore" and batch production in the main window, offscreen: the
// report file, the rules file read again at each click, the results grid,
// a stand-in "Nuovo" loop, Esc mid-run, and the program run with "/prod".
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QProcess>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "generation/CalcolaValore.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "tests/ui/FinestraProva.h"
#include "ui/Form1.h"
#include "ui/Form5.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

// An easy puzzle (every fourth cell of a public puzzle's solution left empty),
// solved by singles, so that the "Nuovo" loop accepts it at any level.
const std::string kSchema = "014309780362084905790251064901840237087102650236075801840617023103520496025403170";

void CaricaSchema(Form1& f) {
    for (int i = 0; i < 81; ++i) f.condiviso().Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(kSchema[i] - '0');
}

// The lines a file of the test's folder holds.
int Righe(const prova::CartellaProva& cartella, const std::string& nome) {
    const std::string t = cartella.Leggi(nome);
    return static_cast<int>(std::count(t.begin(), t.end(), '\n'));
}

// The main window with a stand-in generation driver: each try puts the easy
// puzzle on the board as an accepted one.
class FinestraConGeneratore : public Form1 {
public:
    void Cmdcomplic4_Click() override {
        ++fatti;
        if (azione) azione(fatti);
        CaricaSchema(*this);
        stato.generazione.SudokuDisponibile = true;
    }
    std::function<void(int)> azione;
    int fatti = 0;
};

class ProduzioneFinestra : public prova::Finestra {
protected:
    void CaricaSchema() { kenvaron::CaricaSchema(*f); }
    FinestraConGeneratore& Generatore() { return static_cast<FinestraConGeneratore&>(*f); }
    std::string Percorso(const std::string& nome) const { return (cartella.percorso / nome).string(); }
    std::vector<std::string> Messaggi() const { return Domandati("messaggio"); }
    int Righe(const std::string& nome) const { return kenvaron::Righe(cartella, nome); }
    // Batch production in a window whose generator is a stand-in; `azione`
    // runs at each try with its number.
    void Produci(std::function<void(int)> azione = nullptr) {
        Crea(std::make_unique<FinestraConGeneratore>());
        Generatore().azione = std::move(azione);
        f->stato.generazione.GeneraAuto = true;
        f->Show(plat::vbModal);
    }
    int schemiFatti() { return Generatore().fatti; }
};

const std::string kPesi = "Singoli nudi: 1\r\nSingoli nascosti: 2\r\nCandidati imprigionati: 50\r\n[REGOLE]\r\n";

TEST_F(ProduzioneFinestra, CalcolaValoreRatesTheBoardWritesTheReportAndEmptiesNoFile) {
    const std::string vecchie = "riga 1\r\nriga 2\r\n";
    cartella.Scrivi("out.txt", vecchie);
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") + ",OUTPUT\r\n");
    Crea();
    f->Show();
    CaricaSchema();
    f->settaBottoni(2);
    plat::ToolbarButton* bottone = f->tlb1.Button("CalcolaValore");
    ASSERT_NE(bottone, nullptr);
    EXPECT_TRUE(bottone->Enabled());
    f->tlb1_ButtonClick(*bottone);
    EXPECT_EQ(cartella.Leggi("out.txt"), vecchie);
    EXPECT_EQ(f->stato.regole.Pesi.PCandidati_imprigionati, 50);
    EXPECT_EQ(f->stato.generazione.PCandidati_imprigionati, 50);  // the batch merit reads it there
    const std::int32_t valore = f->stato.ValoreCalcolato;
    EXPECT_GE(valore, 21);  // 21 singles, each weighing 1 or 2
    const std::string rapporto = cartella.Leggi("CalcolaValore.txt");
    EXPECT_TRUE(rapporto.rfind("U 1 Singolo nudo", 0) == 0 || rapporto.rfind("U 2 Singolo nascosto", 0) == 0)
        << rapporto.substr(0, 80);
    const std::string totale = NumeroStampato(valore) + f->condiviso().TestoTecniche + "\r\n";
    ASSERT_GE(rapporto.size(), totale.size());
    EXPECT_EQ(rapporto.substr(rapporto.size() - totale.size()), totale);
    EXPECT_EQ(f->motore().NumPassi + 1, static_cast<int>(std::count(rapporto.begin(), rapporto.end(), '\n')));
    EXPECT_TRUE(Messaggi().empty());
}

// A rules file padded with NUL bytes (a sparse file) to `dimensione`.
constexpr std::uintmax_t kMiB = 1 << 20;
void RegoleLunghe(const prova::CartellaProva& cartella, const std::string& testo, std::uintmax_t dimensione) {
    cartella.Scrivi("Kenvaron.ini", testo);
    fs::resize_file(cartella.percorso / "Kenvaron.ini", dimensione);
}

TEST_F(ProduzioneFinestra, WithTheRulesFileGoneOrOver1MiBCalcolaValoreSaysSoAndChangesNothing) {
    cartella.Scrivi("Kenvaron.ini", kPesi);
    Crea();
    f->Show();
    CaricaSchema();
    f->Command3_Click();
    const std::string rapporto = cartella.Leggi("CalcolaValore.txt");
    fs::remove(cartella.percorso / "Kenvaron.ini");
    f->condiviso().Problema = Tabella{};
    f->Command3_Click();
    RegoleLunghe(cartella, "Singoli nudi: 7\r\n", kMiB + 1);
    f->Command3_Click();
    EXPECT_EQ(Messaggi(), (std::vector<std::string>{"File " + Percorso("Kenvaron.ini") + " non trovato",
                                                    "File " + Percorso("Kenvaron.ini") + " troppo grande: più di 1 MiB"}));
    EXPECT_EQ(f->stato.regole.Pesi.PSingoli_nudi, 1);
    EXPECT_EQ(cartella.Leggi("CalcolaValore.txt"), rapporto);
    // 1 MiB itself is read.
    fs::resize_file(cartella.percorso / "Kenvaron.ini", kMiB);
    CaricaSchema();
    f->Command3_Click();
    EXPECT_EQ(Messaggi().size(), 2u);
    EXPECT_EQ(f->stato.regole.Pesi.PSingoli_nudi, 7);
}

TEST_F(ProduzioneFinestra, AnUnwritableReportIsSaidButTheValueIsComputed) {
    cartella.Scrivi("Kenvaron.ini", kPesi);
    fs::create_directories(cartella.percorso / "CalcolaValore.txt");
    Crea();
    f->Show();
    CaricaSchema();
    f->Command3_Click();
    EXPECT_EQ(Messaggi(), std::vector<std::string>{"File " + Percorso("CalcolaValore.txt") + " non salvato"});
    EXPECT_GT(f->stato.ValoreCalcolato, 0);
}

TEST_F(ProduzioneFinestra, BatchProductionFillsTheGridAndTheFilesAndEndsWithoutADialog) {
    cartella.Scrivi("out.txt", "vecchia\r\n");
    cartella.Scrivi("app.txt", "vecchia\r\n");
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") +
                                        ",OUTPUT\r\nTECNICHE=CNDIMP\r\nSCHEMI=2\r\n<REGOLA>\r\nFILE=" +
                                        Percorso("app.txt") + ",APPEND\r\nSCHEMI=1\r\n");
    Produci();
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 0);
    EXPECT_EQ(schemiFatti(), 3);
    EXPECT_EQ(Righe("out.txt"), 2);
    EXPECT_EQ(cartella.Leggi("out.txt").substr(0, 82), kSchema + ",");
    EXPECT_EQ(Righe("app.txt"), 2);
    EXPECT_EQ(cartella.Leggi("app.txt").substr(0, 9), "vecchia\r\n");
    EXPECT_EQ(f->gra.TextMatrix(0, 1), "Regola");
    EXPECT_EQ(f->gra.TextMatrix(0, 6), "Media");
    EXPECT_EQ(f->gra.TextMatrix(1, 1), "CNDIMP");
    EXPECT_EQ(f->gra.TextMatrix(1, 3), "2");
    EXPECT_EQ(f->gra.TextMatrix(2, 3), "1");
    EXPECT_EQ(f->gra.TextMatrix(1, 4), f->gra.TextMatrix(1, 5));  // the same puzzle twice
    EXPECT_EQ(f->gra.ColWidth(1), 8050);
    EXPECT_TRUE(Messaggi().empty());
    EXPECT_FALSE(fs::exists(cartella.percorso / "Kenvaron.txt"));
}

TEST_F(ProduzioneFinestra, EscMidRunEndsTheProgramAndLeavesWholeLines) {
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") + ",OUTPUT\r\nSCHEMI=50\r\n");
    Produci([this](int n) {
        if (n == 3) f->KeyTyped(27);
    });
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 0);
    EXPECT_EQ(schemiFatti(), 3);
    EXPECT_EQ(Righe("out.txt"), 2);
    const std::string t = cartella.Leggi("out.txt");
    EXPECT_EQ(t.substr(t.size() - 2), "\r\n");
}

// The handler each stop signal has outside a batch run.
bool GestoreDiSistema(int segnale) {
    struct sigaction ora {};
    ::sigaction(segnale, nullptr, &ora);
    return ora.sa_handler == SIG_DFL;
}

TEST_F(ProduzioneFinestra, SigtermAndSigintBetweenTwoPuzzlesStopTheRunAsEscDoes) {
    for (const int segnale : {SIGTERM, SIGINT}) {
        cartella.Scrivi("Kenvaron.ini",
                        kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") + ",OUTPUT\r\nSCHEMI=50\r\n");
        fini = 0;
        // The stand-in maker does not yield: the loop's yield after the third puzzle sees the signal.
        Produci([segnale](int n) {
            if (n == 3) std::raise(segnale);
        });
        EXPECT_EQ(fini, 1) << segnale;
        EXPECT_EQ(f->stato.CodiceUscita, 0);
        EXPECT_TRUE(f->stato.ProduzioneFermata);
        EXPECT_EQ(schemiFatti(), 3);
        EXPECT_EQ(Righe("out.txt"), 2);
        EXPECT_TRUE(GestoreDiSistema(segnale));
    }
}

TEST_F(ProduzioneFinestra, ASignalInsideAGenerationStopsItAtItsNextYieldAsEscDoes) {
    // Rule 1 makes its puzzle; rule 2 can never reach its filter; rule 3 has no file.
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") +
                                        ",OUTPUT\r\nSCHEMI=5\r\n<REGOLA>\r\nFILE=" + Percorso("mai.txt") +
                                        ",OUTPUT\r\nTECNICHE=CNDIMP\r\nSCHEMI=1\r\nFILTRO=99999999999\r\n"
                                        "<REGOLA>\r\nSCHEMI=1\r\n");
    Crea(std::make_unique<prova::FinestraCedevole>());
    auto& w = static_cast<prova::FinestraCedevole&>(*f);
    int cessioneDelSegnale = 0, cessioneDellaFine = 0;
    w.aOgniCessione = [&] {
        if (cessioneDelSegnale == 0 && f->stato.generazione.GenerazioneInCorso && f->stato.livelli.Livello == "P") {
            cessioneDelSegnale = w.cessioni;
            std::raise(SIGINT);
        } else if (cessioneDelSegnale > 0 && fini == 0 && w.cessioni > cessioneDelSegnale + 100) {
            f->KeyTyped(27);  // the signal went unseen: end the endless rule
        }
    };
    f->FineProgramma = [&] {
        ++fini;
        cessioneDellaFine = w.cessioni;
    };
    f->stato.generazione.GeneraAuto = true;
    f->Show(plat::vbModal);
    ASSERT_GT(cessioneDelSegnale, 0);
    EXPECT_EQ(cessioneDellaFine, cessioneDelSegnale);  // the very next yield
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.generazione.Chiudi, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 1);  // rule 3 was reported
    EXPECT_EQ(Righe("out.txt"), 1);
    EXPECT_EQ(cartella.Leggi("mai.txt"), "");
    EXPECT_TRUE(GestoreDiSistema(SIGINT));
}

TEST_F(ProduzioneFinestra, AnUnwritableOutputFileIsReportedAndGivesExitCode1) {
    // A file in a folder that is not there: it fails at its first line.  The
    // failing rule comes last, so that no later rating's count covers its message.
    const std::string senzaCartella = Percorso("manca/b.txt");
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("b.txt") + "\r\nSCHEMI=1\r\n" +
                                        "<REGOLA>\r\nFILE=" + senzaCartella + "\r\nSCHEMI=3\r\n");
    Produci();
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 1);
    EXPECT_EQ(f->Stbr.Text("p2"), "Regola 2: File " + senzaCartella + " non salvato");
    EXPECT_EQ(schemiFatti(), 2);
    EXPECT_EQ(Righe("b.txt"), 1);
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(ProduzioneFinestra, WithTheGeneratorBatchProductionWritesTheRulesPuzzle) {
    cartella.Scrivi("out.txt", "vecchia\r\n");
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=" + Percorso("out.txt") + ",OUTPUT\r\nSCHEMI=1\r\n");
    Crea();
    f->stato.generazione.GeneraAuto = true;
    f->Show(plat::vbModal);
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 0);
    const std::string uscita = cartella.Leggi("out.txt");
    ASSERT_GE(uscita.size(), 81u);
    EXPECT_EQ(uscita.find_first_not_of("0123456789"), 81u) << uscita;
    EXPECT_EQ(f->gra.TextMatrix(0, 2), "Schemi");
    EXPECT_EQ(f->gra.TextMatrix(1, 2), "1");
    // A rule without techniques makes its puzzles at level "1", whose name the status bar shows.
    EXPECT_EQ(f->Stbr.Text("p3"), "Supersimm. semplice");
    EXPECT_TRUE(Messaggi().empty());
}

TEST_F(ProduzioneFinestra, ARulesFileGoneAtBatchStartEndsWithExitCode1AndNoDialog) {
    Produci();
    EXPECT_EQ(fini, 1);
    EXPECT_EQ(f->stato.CodiceUscita, 1);
    EXPECT_EQ(schemiFatti(), 0);
    EXPECT_TRUE(Messaggi().empty());
}

// ---- The program itself ------------------------------------------------------------------

class ProgrammaProduzione : public ::testing::Test {
protected:
    ProgrammaProduzione() {
        const std::string eseguibile = (cartella.percorso / "kenvaron").string();
        fs::copy_file(KENVARON_ESEGUIBILE, eseguibile);
        processo.setProgram(QString::fromStdString(eseguibile));
        processo.setWorkingDirectory(QString::fromStdString(cartella.percorso.string()));
        // No display at all: "/prod" must find its way off screen by itself.
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove("DISPLAY");
        ambiente.remove("WAYLAND_DISPLAY");
        ambiente.remove("QT_QPA_PLATFORM");
        processo.setProcessEnvironment(ambiente);
        processo.setArguments({"/prod"});
    }
    ~ProgrammaProduzione() override {
        if (processo.state() != QProcess::NotRunning) {
            processo.kill();
            processo.waitForFinished(5000);
        }
    }
    // How long a run is waited for, to end by itself or to write a line: a
    // busy machine may take minutes where an idle one takes milliseconds, and
    // a run that never ends still fails.
    static constexpr int kAttesa = 300000;
    // Waits, while the program runs, for a file to hold n lines.
    bool AttendiRighe(const std::string& nome, int n) {
        processo.waitForStarted(kAttesa);
        const QDeadlineTimer scadenza(kAttesa);
        while (processo.state() == QProcess::Running && !scadenza.hasExpired()) {
            if (Righe(cartella, nome) >= n) return true;
            processo.waitForFinished(10);
        }
        return false;
    }
    std::vector<std::string> Contenuto() const {
        std::vector<std::string> nomi;
        for (const auto& voce : fs::directory_iterator(cartella.percorso)) nomi.push_back(voce.path().filename().string());
        std::sort(nomi.begin(), nomi.end());
        return nomi;
    }
    prova::CartellaProva cartella;
    QProcess processo;
};

// Every line of a batch output file, each whole.
void RigheIntere(const std::string& testo) {
    static const std::regex forma(R"([0-9]{81},[1-9]{81},-?[0-9]+,[^,\r\n]*,[0-9/]{10} [0-9:]{8}\r)");
    std::size_t inizio = 0, fine;
    while ((fine = testo.find('\n', inizio)) != std::string::npos) {
        EXPECT_TRUE(std::regex_match(testo.substr(inizio, fine - inizio), forma)) << testo.substr(inizio, fine - inizio);
        inizio = fine + 1;
    }
    EXPECT_EQ(inizio, testo.size()) << "a part of a line at the end";
}

TEST_F(ProgrammaProduzione, HeadlessProdWithNothingToMakeExits0AndTouchesNoPoolFile) {
    cartella.Scrivi("Kenvaron.txt", "pool");
    cartella.Scrivi("out.txt", "vecchia\r\n");
    cartella.Scrivi("app.txt", "vecchia\r\n");
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=out.txt,OUTPUT\r\nSCHEMI=0\r\n" +
                                        "<REGOLA>\r\nFILE=app.txt\r\nSCHEMI=0\r\n");
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(kAttesa));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 0);
    EXPECT_EQ(cartella.Leggi("out.txt"), "");  // relative to the current folder
    EXPECT_EQ(cartella.Leggi("app.txt"), "vecchia\r\n");
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), "pool");
}

TEST_F(ProgrammaProduzione, HeadlessARulesFileOver1MiBIsRefusedAtOnceWithExitCode1AndTouchesNothing) {
    cartella.Scrivi("out.txt", "vecchia\r\n");
    RegoleLunghe(cartella, kPesi + "<REGOLA>\r\nFILE=out.txt,OUTPUT\r\nSCHEMI=0\r\n", kMiB + 1);
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(kAttesa));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 1);
    const std::string errori = "\n" + processo.readAllStandardError().toStdString();
    const std::string atteso = "\nFile " + (cartella.percorso / "Kenvaron.ini").string() + " troppo grande: più di 1 MiB\n";
    EXPECT_NE(errori.find(atteso), std::string::npos) << errori;
    EXPECT_EQ(cartella.Leggi("out.txt"), "vecchia\r\n");
    EXPECT_EQ(Contenuto(), (std::vector<std::string>{"Kenvaron.ini", "kenvaron", "out.txt"}));
}

TEST_F(ProgrammaProduzione, HeadlessProdWritesItsPuzzlesAndExits0) {
    const std::string pool = "0XX2023|XXXX1X\r\n";
    cartella.Scrivi("Kenvaron.txt", pool);
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=out.txt,OUTPUT\r\nSCHEMI=1\r\n");
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(kAttesa));
    EXPECT_EQ(processo.exitCode(), 0);
    EXPECT_EQ(cartella.Leggi("out.txt").find_first_not_of("0123456789"), 81u);
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), pool);
}

TEST_F(ProgrammaProduzione, HeadlessRulesThatCanAcceptNothingOrWouldWriteTheProgramsFilesAreReportedAndTheOthersRun) {
    // No weights at all: the search of rule 1 could never keep a try.  Rules
    // 3 to 6 name the rules file and the pool, directly, through a link or
    // with a NUL byte that every system call would end the name at.  Rule 7
    // names a missing folder with bytes a terminal would act on (a new title,
    // a bell, a reset) and one that is no UTF-8.
    const std::string regole = "[REGOLE]\r\n<REGOLA>\r\nFILE=a.txt,OUTPUT\r\nTECNICHE=CNDIMP\r\nSCHEMI=1\r\n"
                               "<REGOLA>\r\nFILE=b.txt,OUTPUT\r\nSCHEMI=2\r\n"
                               "<REGOLA>\r\nFILE=Kenvaron.ini,OUTPUT\r\nSCHEMI=1\r\n"
                               "<REGOLA>\r\nFILE=./Kenvaron.txt,OUTPUT\r\nSCHEMI=1\r\n"
                               "<REGOLA>\r\nFILE=pool.lnk,APPEND\r\nSCHEMI=1\r\n"
                               "<REGOLA>\r\nFILE=Kenvaron.txt" + std::string(1, '\0') + "x.txt,OUTPUT\r\n"
                               "<REGOLA>\r\nFILE=manca\x1B]0;x\x07\x08\x7F\xC3\x1B" "c/a.txt,OUTPUT\r\n";
    const std::string pool = "0XX2023|XXXX1X\r\n";
    cartella.Scrivi("Kenvaron.ini", regole);
    cartella.Scrivi("Kenvaron.txt", pool);
    fs::create_symlink("Kenvaron.txt", cartella.percorso / "pool.lnk");
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(kAttesa));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(processo.exitCode(), 1);
    const std::string errori = "\n" + processo.readAllStandardError().toStdString();
    for (const std::string riga : {"Regola 3: File Kenvaron.ini non salvato", "Regola 4: File ./Kenvaron.txt non salvato",
                                   "Regola 5: File pool.lnk non salvato", "Regola 6: File Kenvaron.txt\\0x.txt non salvato",
                                   "Regola 7: File manca\\x1B]0;x\\x07\\x08\\x7F\\xC3\\x1Bc/a.txt non salvato",
                                   "Regola 1: il peso di Candidati imprigionati è 0: nessuno schema può essere accettato"})
        EXPECT_NE(errori.find("\n" + riga + "\n"), std::string::npos) << riga << " in" << errori;
    // No byte of a name reaches the terminal as a control.
    EXPECT_TRUE(std::none_of(errori.begin(), errori.end(),
                             [](unsigned char c) { return (c < 0x20 && c != '\n') || c == 0x7F; }))
        << errori;
    EXPECT_EQ(errori.find("Regola 2"), std::string::npos);
    EXPECT_EQ(cartella.Leggi("Kenvaron.ini"), regole);
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), pool);
    EXPECT_EQ(cartella.Leggi("a.txt"), "");
    const std::string b = cartella.Leggi("b.txt");
    RigheIntere(b);
    EXPECT_EQ(std::count(b.begin(), b.end(), '\n'), 2);
}

TEST_F(ProgrammaProduzione, UnderAFileSizeLimitTheLineThatDoesNotFitIsCutBackAndReported) {
    // Lines of 189 or 190 bytes: two fit, the kernel stops the third one's write at the limit.
    constexpr rlim_t kLimite = 450;
    cartella.Scrivi("Kenvaron.ini", kPesi + "<REGOLA>\r\nFILE=app.txt\r\nSCHEMI=5\r\n");
    processo.setChildProcessModifier([] {
        const struct rlimit limite {kLimite, kLimite};
        ::setrlimit(RLIMIT_FSIZE, &limite);
    });
    processo.start();
    ASSERT_TRUE(processo.waitForFinished(kAttesa));
    EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit) << "ended by signal " << processo.exitCode();
    EXPECT_EQ(processo.exitCode(), 1);
    const std::string t = cartella.Leggi("app.txt");
    RigheIntere(t);
    EXPECT_EQ(std::count(t.begin(), t.end(), '\n'), 2);
    EXPECT_LT(t.size(), kLimite);  // what the kernel wrote of the third line is gone
    const std::string errori = "\n" + processo.readAllStandardError().toStdString();
    EXPECT_NE(errori.find("\nRegola 1: File app.txt non salvato\n"), std::string::npos) << errori;
}

TEST_F(ProgrammaProduzione, HeadlessSigtermAndSigintEndTheRunAtItsNextYieldAsEscDoes) {
    struct Caso {
        int segnale;
        bool inGenerazione;  // sent while a search that never ends runs, else while lines stream out
    };
    // A test run started in the background would hand its SIGINT on ignored, and the program keeps that.
    processo.setChildProcessModifier([] {
        ::signal(SIGINT, SIG_DFL);
        ::signal(SIGTERM, SIG_DFL);
    });
    for (const Caso caso : {Caso{SIGTERM, false}, Caso{SIGINT, false}, Caso{SIGTERM, true}, Caso{SIGINT, true}}) {
        SCOPED_TRACE(std::to_string(caso.segnale) + (caso.inGenerazione ? " in a search" : " between puzzles"));
        // The search of rule 2 never reaches its filter; rule 3, without a file, is reported (exit code 1).
        cartella.Scrivi("Kenvaron.ini",
                        kPesi + "<REGOLA>\r\nFILE=out.txt,OUTPUT\r\nSCHEMI=" + (caso.inGenerazione ? "1" : "30000") +
                            "\r\n" +
                            (caso.inGenerazione ? "<REGOLA>\r\nFILE=mai.txt,OUTPUT\r\nTECNICHE=CNDIMP\r\nSCHEMI=1\r\n"
                                                  "FILTRO=99999999999\r\n<REGOLA>\r\nSCHEMI=1\r\n"
                                                : ""));
        processo.start();
        ASSERT_TRUE(AttendiRighe("out.txt", caso.inGenerazione ? 1 : 5));
        if (caso.inGenerazione) processo.waitForFinished(200);
        ASSERT_EQ(processo.state(), QProcess::Running);
        ::kill(static_cast<pid_t>(processo.processId()), caso.segnale);
        // Only a stop ends either run: the search never ends by itself, and
        // the 30000 puzzles end long after the signal.
        ASSERT_TRUE(processo.waitForFinished(kAttesa));
        EXPECT_EQ(processo.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(processo.exitCode(), caso.inGenerazione ? 1 : 0);
        RigheIntere(cartella.Leggi("out.txt"));
        EXPECT_LT(Righe(cartella, "out.txt"), 30000);
        std::vector<std::string> attesi{"Kenvaron.ini", "kenvaron", "out.txt"};
        if (caso.inGenerazione) attesi.push_back("mai.txt");
        std::sort(attesi.begin(), attesi.end());
        EXPECT_EQ(Contenuto(), attesi);  // no temporary file left
        EXPECT_EQ(cartella.Leggi("mai.txt"), "");
        fs::remove(cartella.percorso / "out.txt");
        fs::remove(cartella.percorso / "mai.txt");
    }
}

}  // namespace
}  // namespace kenvaron
