// "Nuovo" without a window: the pool request, the search's delivered puzzles
// and its time limit, the coded collections (every record verified, pinned
// rebuilds, the user's level untouched, fallback, disguises) and the record maker.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "generation/Nuovo.h"
#include "generation/Raccolte.h"
#include "tests/core/BancoGenerazione.h"

namespace kenvaron {
namespace {

using verifica::BancoGenerazione;

constexpr const char* kUnico = "100040000007000103600500200800027030060803020030460001006004007901000600000080002";

// ---- Pool request ----------------------------------------------------------------

TEST(RecuperaProbl, EachLetterTakesItsPoolFirstFullSlotFirstAndEmptiesIt) {
    Condiviso s;
    s.SchemiBkgS[3] = kUnico;
    s.SchemiBkgS[5] = std::string(kUnico).replace(0, 1, "0");  // two solutions? still checked below
    s.SchemiBkgN[10] = kUnico;
    s.SchemiBkgD[1] = kUnico;
    s.SchemiBkgC[2] = kUnico;
    s.SchemiBkgC[4] = kUnico;
    s.SchemiBkgE[7] = kUnico;
    EXPECT_EQ(RecuperaProbl(s, "S"), kUnico);
    EXPECT_TRUE(s.SchemiBkgS[3].empty());
    EXPECT_EQ(RecuperaProbl(s, "N"), kUnico);
    EXPECT_EQ(RecuperaProbl(s, "D"), kUnico);
    // "C" and "E" share the C slots; "M" takes the E slots.
    EXPECT_EQ(RecuperaProbl(s, "E"), kUnico);
    EXPECT_TRUE(s.SchemiBkgC[2].empty());
    EXPECT_FALSE(s.SchemiBkgC[4].empty());
    EXPECT_EQ(RecuperaProbl(s, "C"), kUnico);
    EXPECT_EQ(RecuperaProbl(s, "M"), kUnico);
    EXPECT_TRUE(s.SchemiBkgE[7].empty());
    EXPECT_EQ(RecuperaProbl(s, "M"), "");
    EXPECT_EQ(RecuperaProbl(s, "P"), "");
    EXPECT_EQ(RecuperaProbl(s, "1"), "");
}

TEST(RecuperaProbl, ShortClashingOrAmbiguousSlotsAreEmptiedAndSkipped) {
    Condiviso s;
    std::string scontro = kUnico;
    scontro[1] = '1';  // two 1s in row 1
    std::string vuoto(81, '0');
    s.SchemiBkgD[1] = std::string(kUnico).substr(0, 80);
    s.SchemiBkgD[2] = scontro;
    s.SchemiBkgD[3] = vuoto;
    s.SchemiBkgD[4] = std::string(kUnico).replace(5, 1, "x");
    s.SchemiBkgD[6] = kUnico;
    EXPECT_EQ(RecuperaProbl(s, "D"), kUnico);
    for (int i = 1; i <= 10; ++i) EXPECT_TRUE(s.SchemiBkgD[i].empty()) << i;
    EXPECT_EQ(RecuperaProbl(s, "D"), "");
}

TEST(NuovoTesti, WorkingLetterLimitAndStatusTexts) {
    EXPECT_EQ(LetteraDiLavoro("P", " "), "S");
    EXPECT_EQ(LetteraDiLavoro("P", ""), "S");
    EXPECT_EQ(LetteraDiLavoro("P", "SG"), "P");
    for (const char* l : {"E", "M", "C", "D"}) EXPECT_STREQ(LimiteSecondi(l), "180") << l;
    for (const char* l : {"S", "N", "P", "1", "2", "3"}) EXPECT_STREQ(LimiteSecondi(l), "9999") << l;
    EXPECT_EQ(TestoInCorso(7), "SUDOKU  in corso di realizzazione 7");
    EXPECT_EQ(TestoDisponibile(0, 12), "PREGIO=1 SUDOKU DISPONIBILE 12");
}

// ---- The search ----------------------------------------------------------------------

class RicercaNuovoTest : public ::testing::Test {
protected:
    explicit RicercaNuovoTest(const std::string& l = "D") : b(l) {
        b.stato.Sequenze[1] = b.livelli.CodiciTecniche;
    }
    bool Cerca(const std::string& l, double limite) {
        b.gen.Chiudi = 0;
        b.gen.SudokuDisponibile = false;
        b.gen.GenerazioneInCorso = true;
        RicercaNuovo r(b.generatore, b.m, b.stato, b.impostazioni, b.gen, b.finestra, b.orologio);
        const bool ok = r.Cerca(l, limite);
        b.gen.GenerazioneInCorso = false;
        return ok;
    }
    BancoGenerazione b;
};

TEST_F(RicercaNuovoTest, DeliveredDifficilePuzzlesHaveOneSolutionAGroupGStepAndNoTrial) {
    for (double seme : {1000.0, 2000.0}) {
        b.orologio.mezzanotte = seme;
        b.gen.InizioGenerazione = b.orologio.Trascorsi();
        ASSERT_TRUE(Cerca("D", 180)) << seme;
        const std::string testo = BancoGenerazione::Testo(b.stato.Problema);
        verifica::Celle sol{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(testo), 2, &sol), 1) << testo;
        // The solution handed over is the puzzle's.
        EXPECT_EQ(verifica::ComeTesto(sol), BancoGenerazione::Testo(b.m.Soluzione));
        EXPECT_TRUE(SimmetriaCentrale(b.stato.Problema));
        EXPECT_EQ(b.gen.SemeCorrente.rfind(std::to_string(static_cast<long>(seme)) + "|", 0), 0u);
        b.m.Inizializza();
        Motore::SalvaTabella(b.stato.Problema, b.m.CelleDate);
        b.m.SenzaTentativi = true;
        b.m.Risolvi(1);
        b.m.SenzaTentativi = false;
        EXPECT_EQ(b.m.ProfonditaMax, 1);
        EXPECT_GE(b.m.ContaTecnicaG, 1);
    }
}

TEST_F(RicercaNuovoTest, AnAttemptStartsAtExactlyTheLimitButNotAfterIt) {
    b.gen.InizioGenerazione = b.orologio.Trascorsi() - 180.5;
    EXPECT_FALSE(Cerca("D", 180));
    EXPECT_TRUE(b.stato.CoppieUsate.empty());
    b.gen.InizioGenerazione = b.orologio.Trascorsi() - 180;
    EXPECT_TRUE(Cerca("D", 180));
    EXPECT_FALSE(b.stato.CoppieUsate.empty());
}

// The elapsed clock moves 100 s at every yield while the clock of the day
// passes midnight: the search stops on elapsed time alone.
class FinestraCheAvanza final : public FinestraGenerazione {
public:
    explicit FinestraCheAvanza(OrologioFinto& o) : o_(o) {}
    void Cedi() override {
        ++cessioni;
        o_.trascorsi += 100;
        o_.mezzanotte = std::fmod(o_.mezzanotte + 100, 86400);
    }
    int cessioni = 0;

private:
    OrologioFinto& o_;
};

TEST_F(RicercaNuovoTest, TheLimitStopsTheSweepAcrossMidnightToo) {
    b.Livello("M");
    b.orologio.mezzanotte = 86350;
    FinestraCheAvanza finestra(b.orologio);
    Generatore g(b.m, b.stato, b.livelli, b.impostazioni, b.gen, finestra);
    b.gen.Chiudi = 0;
    b.gen.SudokuDisponibile = false;
    b.gen.InizioGenerazione = b.orologio.Trascorsi();
    RicercaNuovo r(g, b.m, b.stato, b.impostazioni, b.gen, finestra, b.orologio);
    r.Cerca("M", 180);
    // The stop came from the time check after a trial cell, not from midnight.
    EXPECT_EQ(b.gen.Chiudi, 1);
    EXPECT_GT(b.orologio.trascorsi - b.gen.InizioGenerazione, 180);
}

TEST_F(RicercaNuovoTest, LevelsOneAndThreeRemoveNothingAndRateByTheGivens) {
    b.Livello("1");
    b.impostazioni.LimiteSuperSemplice = 0;
    b.gen.InizioGenerazione = b.orologio.Trascorsi();
    ASSERT_TRUE(Cerca("1", 9999));
    // The puzzle is the attempt's seed as built: its seed and skip rebuild it.
    const std::string dato = BancoGenerazione::Testo(b.stato.Problema);
    const std::string seme = b.gen.SemeCorrente;
    const std::size_t bar = seme.find('|');
    BancoGenerazione altro("1");
    EXPECT_EQ(altro.Genera(std::stod(seme.substr(0, bar)), std::stoi(seme.substr(bar + 1))), dato);
}

// ---- Coded collections ------------------------------------------------------------------

class Raccolte : public ::testing::Test {
protected:
    Raccolte() : d(b.generatore, b.m, b.stato, b.livelli, b.impostazioni, b.gen) {}
    std::string Problema() const { return BancoGenerazione::Testo(b.stato.Problema); }
    BancoGenerazione b;
    Decodificatore d;
};

TEST(RecordCodificato, ReadsFieldsAndRefusesBrokenRecords) {
    RecordCodificato r;
    ASSERT_TRUE(LeggiRecord("76051,11|0|35|36|", r));
    EXPECT_EQ(r.seme, "76051,11");
    EXPECT_EQ(r.salto, "0");
    EXPECT_EQ(r.togli, (std::vector<std::pair<int, int>>{{3, 5}}));
    ASSERT_TRUE(LeggiRecord("30011|39|1112142332333445|152437383943475354|", r));
    EXPECT_EQ(r.togli.size(), 8u);
    EXPECT_EQ(r.aggiungi.size(), 9u);
    ASSERT_TRUE(LeggiRecord("64736|38|||", r));
    EXPECT_TRUE(r.togli.empty() && r.aggiungi.empty());
    for (const char* rotto : {"64736|38||", "64736|38|123||", "64736|38|10||", "64736|38||a1|", "", "|||"})
        EXPECT_FALSE(LeggiRecord(rotto, r)) << rotto;
}

TEST_F(Raccolte, EveryRecordRebuildsAPuzzleWithOneSolutionSymmetricAndMeetingItsRule) {
    for (char t : {'N', 'D', 'C', 'M'}) {
        const auto& record = RecordTabella(t);
        ASSERT_FALSE(record.empty()) << t;
#if defined(__SANITIZE_ADDRESS__)
        const std::size_t passo = 10;  // a sample under the sanitizers
#else
        const std::size_t passo = 1;
#endif
        for (std::size_t k = 0; k < record.size(); k += passo) {
            const ContestoLivelloSalvato salvato = d.ImpostaContesto(t);
            ASSERT_TRUE(d.Ricostruisci(record[k])) << t << " " << record[k];
            const std::string p = Problema();
            EXPECT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(p), 2), 1) << record[k];
            EXPECT_TRUE(d.Verifica()) << t << " " << record[k];
            d.Ripristina(salvato);
            RecordCodificato r;
            ASSERT_TRUE(LeggiRecord(record[k], r));
            EXPECT_LE(r.togli.size(), 12u);
            EXPECT_LE(r.aggiungi.size(), 12u);
        }
    }
    EXPECT_EQ(RecordTabella('N').size(), 30u);
    EXPECT_EQ(RecordTabella('D').size(), 83u);
    EXPECT_EQ(RecordTabella('C').size(), 95u);
    EXPECT_EQ(RecordTabella('M').size(), 104u);
    EXPECT_EQ(&RecordTabella(TabellaDiLivello("E")), &RecordTabella('C'));
    EXPECT_EQ(TabellaDiLivello("S"), '\0');
}

TEST_F(Raccolte, PinnedRebuildsWhateverTheUserLevelWhichComesBack) {
    struct Atteso {
        char tabella;
        int k;
        const char* cifre;
    };
    const Atteso attesi[] = {
        {'N', 1, "060102000020930806010000030900005004006000200400600005090000020205081040000509070"},
        {'D', 1, "100040000007000103600500200800027030060803020030460001006004007901000600000080002"},
        {'C', 2, "020000043706002000039080007000760190000509000074028000200050730000800901160000050"},
        {'M', 3, "080062509000805002000130007010000070300906005050000030500094000400507000902310050"},
    };
    for (const char* utente : {"S", "M", "P"}) {
        b.Livello(utente);
        b.impostazioni.TestoLiv = "30";
        const std::string codici = b.livelli.CodiciTecniche;
        const auto turni = b.m.Turni;
        for (const Atteso& a : attesi) {
            ASSERT_EQ(d.DecodificaDa(a.tabella, a.k), a.k) << utente << a.tabella;
            EXPECT_EQ(Problema(), a.cifre) << utente << a.tabella;
            EXPECT_EQ(b.livelli.Livello, utente);
            EXPECT_EQ(b.livelli.CodiciTecniche, codici);
            EXPECT_EQ(b.m.Turni, turni);
            EXPECT_EQ(b.impostazioni.TestoLiv, "30");
        }
    }
    EXPECT_EQ(b.gen.SemeCorrente, "40000|2|");
}

TEST_F(Raccolte, ABrokenOrFailingRecordGivesWayToTheNextAndNoneRestarts) {
    const std::vector<const char*> record = {"x|0|||", "20000|0|3233|3741|", "20000|0|3233|374|"};
    EXPECT_EQ(d.DecodificaDa('D', 3, record), 2);
    EXPECT_EQ(d.DecodificaDa('D', 1, record), 2);
    // A record whose edits leave two solutions fails too.
    EXPECT_EQ(d.DecodificaDa('D', 1, {"20000|0|3233||", "x"}), 0);
    EXPECT_EQ(d.DecodificaDa('D', 1, {}), 0);
}

TEST_F(Raccolte, DisguisesKeepAValidSymmetricPuzzleWithItsSolution) {
    ASSERT_EQ(d.DecodificaDa('M', 1), 1);
    const Tabella p0 = b.stato.Problema, s0 = b.m.Soluzione;
    int cambiati = 0;
    for (int seme = 1; seme <= 100; ++seme) {
        b.stato.Problema = p0;
        b.m.Soluzione = s0;
        d.Travesti(seme * 613.0);
        const std::string p = Problema();
        cambiati += p != BancoGenerazione::Testo(p0);
        EXPECT_TRUE(SimmetriaCentrale(b.stato.Problema)) << seme;
        verifica::Celle sol{};
        ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(p), 2, &sol), 1) << seme;
        EXPECT_EQ(verifica::ComeTesto(sol), BancoGenerazione::Testo(b.m.Soluzione)) << seme;
        EXPECT_EQ(BancoGenerazione::Piene(b.stato.Problema), BancoGenerazione::Piene(p0));
    }
    EXPECT_GT(cambiati, 90);
}

// ---- The record maker -------------------------------------------------------------------

TEST_F(Raccolte, TheMakerWritesTheCodeLineOfARecordThatDecodesToTheWantedPuzzle) {
    d.ImpostaContesto('D');
    // The wanted puzzle: the rebuilt one with one pair cleared and one added.
    ASSERT_TRUE(d.Ricostruisci("20000|0|||"));
    const std::string ricostruito = Problema();
    EXPECT_EQ(d.CreaRecord("20000", "0", ricostruito), "20000|0|||");
    ASSERT_TRUE(d.Ricostruisci("20000|0|3233|3741|"));
    const std::string voluto = Problema();
    EXPECT_EQ(d.CreaRecord("20000", "0", voluto), "20000|0|3233|3741|");
    // A skip of 250 draws 50 and is kept as written.
    ASSERT_TRUE(d.Ricostruisci("20000|50|||"));
    const std::string da50 = Problema();
    EXPECT_EQ(d.CreaRecord("20000", "250", da50), "20000|250|||");
    EXPECT_EQ(b.gen.SemeCorrente, "20000|250|");

    namespace fs = std::filesystem;
    const fs::path cartella = fs::temp_directory_path() / ("kenvaron_record_" + std::to_string(::getpid()));
    fs::create_directories(cartella);
    {
        std::ofstream n(cartella / "n.txt", std::ios::binary);
        n << "20000|0|" << voluto << "\r\n";
        n << "senza barre\n";
        n << "20000|0|12345\n";
        n << "20000|250|" << da50 << "\n";
    }
    const FilePropri propri = FilePropriIn(cartella.string());
    const std::string n = (cartella / "n.txt").string(), y = (cartella / "y.txt").string();
    const EsitoTabella e = CreaTabella(d, b.finestra, n, y, propri);
    EXPECT_TRUE(e.letto);
    EXPECT_EQ(e.scritte, 2);
    EXPECT_EQ(e.saltate, 2);
    EXPECT_FALSE(e.nonScritto);
    EXPECT_EQ(b.finestra.etichetta, "4");
    std::string testo;
    ASSERT_TRUE(LeggiFile(y, testo));
    EXPECT_EQ(testo,
              "if ric = 1 then s  = \"20000|0|3233|3741|\"\r\n"
              "if ric = 4 then s  = \"20000|250|||\"\r\n");
    EXPECT_FALSE(CreaTabella(d, b.finestra, (cartella / "manca.txt").string(), y, propri).letto);
    // A pipe with no writer is never opened: the making ends at once.
    ASSERT_EQ(::mkfifo((cartella / "coda").c_str(), 0600), 0);
    EXPECT_FALSE(CreaTabella(d, b.finestra, (cartella / "coda").string(), y, propri).letto);
    // A code line that cannot be appended (the output is a folder, or a link
    // to the program's rules) ends the making at the first line, and nothing
    // counts as written.
    fs::create_symlink(kFileRegole, cartella / "regole.txt");
    for (const fs::path& uscita : {cartella, cartella / "regole.txt"}) {
        const EsitoTabella nonScritta = CreaTabella(d, b.finestra, n, uscita.string(), propri);
        EXPECT_TRUE(nonScritta.nonScritto);
        EXPECT_EQ(nonScritta.scritte, 0);
        EXPECT_EQ(b.finestra.etichetta, "1");
    }
    EXPECT_FALSE(fs::exists(cartella / kFileRegole));
    fs::remove_all(cartella);
}

}  // namespace
}  // namespace kenvaron
