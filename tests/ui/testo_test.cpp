// Puzzle text in the window: File/Salva and File/Apri, "Copia" and
// "Incolla", input the loader refuses, the board view, and printing the board
// to a PDF file.
#include <sys/stat.h>

#include <QFile>

#include "engine/TestoSchema.h"
#include "platform/Printer.h"
#include "tests/core/ScritturaProva.h"
#include "tests/platform/TestoPdf.h"
#include "tests/ui/TabelloneProva.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;

class Testo : public TabelloneProva {
protected:
    std::string Percorso(const std::string& nome) const { return (cartella.percorso / nome).string(); }
    // Everything a refused input must leave as it was.
    struct Stato {
        std::string problema, date;
        int mosse;
        std::string titolo;
        int modificato;
        bool operator==(const Stato&) const = default;
    };
    Stato Fotografia() const {
        return {Problema(), Cifre(f->motore().CelleDate), f->condiviso().NumMosse, f->Caption(),
                f->stato.SchemaModificato};
    }
    // A loaded puzzle with one move of the user's, marked as changed.
    void CaricaEModifica() {
        Carica(schema);
        const int vuota = static_cast<int>(schema.find('0'));
        ClicCella(vuota / 9 + 1, vuota % 9 + 1);
        f->Label1_Click(5);
    }
    void ApriFile(const std::string& percorso) {
        risposte.file.push_back(percorso);
        f->Menu("mnuApri")->Choose();
    }
    void ControllaCaricato(const std::string& atteso) {
        EXPECT_EQ(Problema(), atteso);
        EXPECT_EQ(Cifre(f->motore().CelleDate), atteso);
        EXPECT_EQ(f->condiviso().NumMosse, 0);
        EXPECT_EQ(f->stato.FlagVisPoss, 0);
        EXPECT_FALSE(Abilitato("Mostra"));
        EXPECT_FALSE(Abilitato("Undo"));
        EXPECT_FALSE(Abilitato("UndoAll"));
        EXPECT_TRUE(Abilitato("Copia"));
    }
};

TEST_F(Testo, SaveThenOpenGivesTheSameBoardWithEveryDigitAGiven) {
    CaricaEModifica();
    const std::string salvato = Problema();
    const std::string percorso = Percorso("il mio schema è qui.txt");
    risposte.file.push_back(percorso);
    f->Menu("mnuSalva")->Choose();
    EXPECT_EQ(cartella.Leggi("il mio schema è qui.txt"), salvato + "\r\n");
    EXPECT_EQ(f->Caption(), "Kenvaron   <il mio schema è qui.txt>");
    EXPECT_EQ(f->stato.SchemaModificato, 0);

    Carica(std::string(81, '0'));
    f->stato.SchemaModificato = 1;
    f->stato.FlagVisPoss = 1;
    risposte.messaggi.push_back(plat::vbNo);  // the empty board is not saved
    ApriFile(percorso);
    ControllaCaricato(salvato);
    EXPECT_EQ(f->Caption(), "Kenvaron   <il mio schema è qui.txt>");
    EXPECT_EQ(f->stato.SchemaModificato, 0);
    EXPECT_EQ(Domandati("apri"), std::vector<std::string>{"File SUDOKU|*.txt;*.ss"});
    // The solve of the loaded puzzle is its one solution.
    verifica::Celle soluzione{};
    ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(salvato), 2, &soluzione), 1);
    EXPECT_EQ(Cifre(f->motore().Soluzione), verifica::ComeTesto(soluzione));
}

TEST_F(Testo, SaveRefusesTheProgramsOwnFilesAndWhatIsNoFileAtOnce) {
    CaricaEModifica();
    f->SetCaption("Kenvaron   <prima.txt>");
    const Stato prima = Fotografia();
    prova::CartellaProva altrove;
    const std::string programma = plat::AppExeName();
    auto salva = [&](const std::string& percorso) {
        risposte.domandati.clear();
        risposte.file.push_back(percorso);
        f->Menu("mnuSalva")->Choose();
        EXPECT_EQ(Domandati("messaggio"), std::vector<std::string>{"Schema " + percorso + " non salvato"});
        EXPECT_EQ(Fotografia(), prima) << percorso;
    };
    // Each own file missing, then present; a missing one is never created.
    for (const std::string nome : {"Kenvaron.txt", "Kenvaron.ini", "Kenvaron.rtf", programma.c_str()}) {
        fs::remove(cartella.percorso / nome);
        salva(Percorso(nome));
        EXPECT_FALSE(fs::exists(cartella.percorso / nome)) << nome;
        cartella.Scrivi(nome, "proprio " + nome);
        salva(Percorso(nome));
        salva((altrove.percorso / ".." / cartella.percorso.filename() / nome).string());
        EXPECT_EQ(cartella.Leggi(nome), "proprio " + nome);
    }
    // Other names for them, and targets that are no file.
    fs::create_symlink(cartella.percorso / "Kenvaron.txt", altrove.percorso / "collegato.txt");
    fs::create_hard_link(cartella.percorso / "Kenvaron.rtf", altrove.percorso / "stesso.txt");
    fs::create_symlink(cartella.percorso / "Kenvaron.ini", altrove.percorso / "futuro.txt");
    fs::remove(cartella.percorso / "Kenvaron.ini");
    ASSERT_EQ(::mkfifo((altrove.percorso / "coda.txt").c_str(), 0600), 0);  // would block an open for writing
    fs::create_directory(altrove.percorso / "cartella.txt");
    for (const char* nome : {"collegato.txt", "stesso.txt", "futuro.txt", "coda.txt", "cartella.txt"})
        salva((altrove.percorso / nome).string());
    EXPECT_EQ(cartella.Leggi("Kenvaron.txt"), "proprio Kenvaron.txt");
    EXPECT_EQ(cartella.Leggi("Kenvaron.rtf"), "proprio Kenvaron.rtf");
    EXPECT_FALSE(fs::exists(cartella.percorso / "Kenvaron.ini"));
    EXPECT_TRUE(fs::is_fifo(altrove.percorso / "coda.txt"));
    EXPECT_TRUE(fs::is_empty(altrove.percorso / "cartella.txt"));
}

TEST_F(Testo, ASaveReplacesTheWholeFileOrLeavesItByteForByte) {
    CaricaEModifica();
    const std::string salvato = Problema() + "\r\n";
    // Through a link: the file it points to gets the puzzle and keeps its mode.
    cartella.Scrivi("vero.txt", "vecchio");
    fs::permissions(cartella.percorso / "vero.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("vero.txt", cartella.percorso / "collegato.txt");
    risposte.file.push_back(Percorso("collegato.txt"));
    f->Menu("mnuSalva")->Choose();
    EXPECT_TRUE(fs::is_symlink(cartella.percorso / "collegato.txt"));
    EXPECT_EQ(cartella.Leggi("vero.txt"), salvato);
    EXPECT_EQ(fs::status(cartella.percorso / "vero.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(f->stato.SchemaModificato, 0);

    // A disk that fills up half way through the write.
    f->stato.SchemaModificato = 1;
    cartella.Scrivi("mio.txt", "il vecchio schema\r\n");
    {
        verifica::DiscoPienoQui pieno;
        risposte.file.push_back(Percorso("mio.txt"));
        f->Menu("mnuSalva")->Choose();
    }
    EXPECT_EQ(Domandati("messaggio"), std::vector<std::string>{"Schema " + Percorso("mio.txt") + " non salvato"});
    EXPECT_EQ(cartella.Leggi("mio.txt"), "il vecchio schema\r\n");
    EXPECT_EQ(f->stato.SchemaModificato, 1);

    // The user's own read-only file, for a user who is not root, in a folder
    // anyone may write: only the file's mode forbids the save.
    cartella.Scrivi("fisso.txt", "fisso");
    ASSERT_TRUE(verifica::DaiAUtenteComune(Percorso("fisso.txt")));
    fs::permissions(cartella.percorso / "fisso.txt", fs::perms::owner_read | fs::perms::others_read);
    fs::permissions(cartella.percorso, fs::perms::all);
    const std::string fisso = Percorso("fisso.txt");
    EXPECT_TRUE(verifica::ComeUtenteComune([&] {
        risposte.domandati.clear();
        risposte.file.push_back(fisso);
        f->Menu("mnuSalva")->Choose();
        return Domandati("messaggio") == std::vector<std::string>{"Schema " + fisso + " non salvato"} &&
               f->stato.SchemaModificato == 1;
    }));
    EXPECT_EQ(cartella.Leggi("fisso.txt"), "fisso");
}

TEST_F(Testo, CopyPutsTheExactPictureAndPasteGivesTheBoardBack) {
    const std::string pieno =
        "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
    for (const std::string& tavola : {schema, pieno}) {
        Carica(tavola);
        f->stato.SchemaModificato = 0;
        ASSERT_TRUE(f->tlb1.Click("Copia"));
        const std::string figura = plat::Clipboard::GetText();
        EXPECT_EQ(figura.size(), 272u);
        EXPECT_EQ(figura, FiguraSchema(f->condiviso().Problema));
        f->Cmdriparti_Click();
        f->SetCaption("Kenvaron   <altro.txt>");
        ASSERT_TRUE(f->tlb1.Click("Incolla"));
        ControllaCaricato(tavola);
        EXPECT_EQ(f->stato.SchemaModificato, 1);
        EXPECT_EQ(f->Caption(), "Kenvaron");
    }
    EXPECT_EQ(plat::Clipboard::GetText().substr(0, 25), " 5 3 4 | 6 7 8 | 9 1 2 \r\n");
}

TEST_F(Testo, OpenTellsWhatItCannotReadAndChangesNothing) {
    CaricaEModifica();
    f->SetCaption("Kenvaron   <prima.txt>");
    const Stato prima = Fotografia();
    const std::string fifo = Percorso("coda.txt");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directories(cartella.percorso / "cartella.txt");
    cartella.Scrivi("vuoto.txt", "");
    cartella.Scrivi("parole.txt", "nessun numero qui\r\n   \r\n");
    cartella.Scrivi("binario.ss", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0\xff\xfe", 13));
    const std::vector<std::pair<std::string, std::string>> casi{
        {Percorso("manca.txt"), " non trovato"},     {Percorso("manca/schema.txt"), " non trovato"},
        {Percorso("cartella.txt"), " non trovato"},  {fifo, " non trovato"},
        {Percorso("vuoto.txt"), " non valido"},      {Percorso("parole.txt"), " non valido"},
        {Percorso("binario.ss"), " non valido"},
    };
    for (const auto& [percorso, esito] : casi) {
        risposte.messaggi = {plat::vbNo};  // not saved before opening
        risposte.domandati.clear();
        ApriFile(percorso);
        EXPECT_EQ(Domandati("messaggio").back(), "Schema " + percorso + esito);
        EXPECT_EQ(Fotografia(), prima) << percorso;
    }
    // A cancelled dialog: nothing, not even a message.
    risposte.messaggi = {plat::vbNo};
    risposte.domandati.clear();
    f->Menu("mnuApri")->Choose();
    EXPECT_EQ(Domandati("messaggio").size(), 1u);  // only the save question
    EXPECT_EQ(Fotografia(), prima);
}

TEST_F(Testo, OpenReadsTheFirstPuzzleOfAHugeCollectionAndLeavesMissingCellsEmpty) {
    std::string raccolta;
    while (raccolta.size() < 5'000'000) raccolta += schema + "\r\n";
    cartella.Scrivi("raccolta.txt", raccolta);
    cartella.Scrivi("corto.txt", "1 2\r\n");
    for (const char* nome : {"raccolta.txt", "corto.txt"}) {
        ApriFile(Percorso(nome));
        ControllaCaricato(std::string(nome) == "corto.txt" ? "12" + std::string(79, '0') : schema);
        EXPECT_EQ(f->Caption(), std::string("Kenvaron   <") + nome + ">");
    }
}

TEST_F(Testo, PasteWithoutAPuzzleChangesNothing) {
    CaricaEModifica();
    const Stato prima = Fotografia();
    for (const std::string& appunti : {std::string(), std::string("solo parole, niente cifre")}) {
        plat::Clipboard::SetText(appunti);
        risposte.messaggi = {plat::vbNo};
        ASSERT_TRUE(f->tlb1.Click("Incolla"));
        EXPECT_EQ(Fotografia(), prima) << appunti;
    }
}

TEST_F(Testo, TheBoardViewTurnsTheCandidateViewOff) {
    Carica(schema);
    f->stato.FlagVisPoss = 1;
    f->tlb1.Button("Validi")->SetEnabled(false);
    ASSERT_TRUE(f->tlb1.Click("Schema"));
    EXPECT_EQ(f->stato.FlagVisPoss, 0);
    EXPECT_TRUE(Abilitato("Validi"));
    EXPECT_EQ(f->gr.TextMatrix(2, 2), schema[0] == '0' ? "" : schema.substr(0, 1));
}

class StampaSchema : public TabelloneProva {
protected:
    std::string pdf = (cartella.percorso / "schema.pdf").string();
    plat::Printer& stampante = plat::Printer::Instance();
    StampaSchema() { stampante.SetPdfOutput(pdf); }
    ~StampaSchema() override { stampante.SetPdfOutput(""); }
    QByteArray Pdf() const {
        QFile file(QString::fromStdString(pdf));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(StampaSchema, OnePageHoldsExactlyTheBoardsDigits) {
    Carica(schema);
    const int vuota = static_cast<int>(schema.find('0'));
    ClicCella(vuota / 9 + 1, vuota % 9 + 1);
    f->Label1_Click(5);  // the user's entries print like the givens
    ASSERT_TRUE(f->Menu("mnuStampa") != nullptr);
    ASSERT_TRUE(f->tlb1.Click("Stampa"));
    EXPECT_EQ(Domandati("stampante").size(), 1u);
    const plat::TestoPdf letto(Pdf());
    EXPECT_EQ(letto.Pagine(), 1);
    std::string cifre;
    for (const QChar ch : letto.Testo())
        if (!ch.isSpace()) cifre += static_cast<char>(ch.toLatin1());
    std::string attese;
    for (char ch : Problema())
        if (ch != '0') attese += ch;
    EXPECT_EQ(cifre, attese);
    EXPECT_TRUE(Domandati("messaggio").empty());
}

TEST_F(StampaSchema, CancelPrintsNothingAndAFailingPrinterSaysWhy) {
    Carica(schema);
    risposte.stampanti.push_back(false);
    f->Menu("mnuStampa")->Choose();
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(Domandati("messaggio").empty());

    stampante.SetPdfOutput((cartella.percorso / "manca" / "schema.pdf").string());
    f->Menu("mnuStampa")->Choose();
    ASSERT_EQ(Domandati("messaggio").size(), 1u);
    EXPECT_EQ(Domandati("messaggio")[0], stampante.Errore());
    EXPECT_FALSE(stampante.Errore().empty());
}

}  // namespace
}  // namespace kenvaron
