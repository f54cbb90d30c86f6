// The one writer of files: whole-file replacement, one-line appends, and the
// check that keeps the program's own files out of reach of both.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "engine/FileTesto.h"
#include "tests/core/CartellaTemporanea.h"
#include "tests/core/ScritturaProva.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;
using verifica::CartellaTemporanea;
using verifica::ComeUtenteComune;
using verifica::DiscoPienoQui;

fs::perms Permessi(const std::string& percorso) { return fs::status(percorso).permissions() & fs::perms::all; }

bool SoloIlFile(const CartellaTemporanea& c, std::size_t quanti) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(c.percorso), fs::directory_iterator{})) ==
           quanti;
}

TEST(FileDelProgramma, EveryNameThatReachesAnOwnFileIsCaught) {
    CartellaTemporanea programma, altrove;
    programma.Scrivi("Kenvaron.txt", "pool");
    const FilePropri propri{programma.percorso.string(), {"Kenvaron.txt", "Kenvaron.ini", "kenvaron"}};
    fs::create_symlink(programma.Percorso("Kenvaron.txt"), altrove.Percorso("collegamento"));
    fs::create_hard_link(programma.Percorso("Kenvaron.txt"), altrove.Percorso("stesso"));
    fs::create_directory_symlink(programma.percorso, altrove.Percorso("cartella"));

    EXPECT_TRUE(FileDelProgramma(programma.Percorso("Kenvaron.txt"), propri));
    EXPECT_TRUE(FileDelProgramma(programma.percorso.string() + "/../" + programma.percorso.filename().string() +
                                     "/./Kenvaron.txt",
                                 propri));
    EXPECT_TRUE(FileDelProgramma(altrove.Percorso("collegamento"), propri));
    EXPECT_TRUE(FileDelProgramma(altrove.Percorso("stesso"), propri));
    // Missing own files: the same name in the program's folder, by any road.
    EXPECT_TRUE(FileDelProgramma(programma.Percorso("Kenvaron.ini"), propri));
    EXPECT_TRUE(FileDelProgramma(altrove.Percorso("cartella/Kenvaron.ini"), propri));
    fs::create_symlink(programma.Percorso("kenvaron"), altrove.Percorso("verso_il_programma"));
    EXPECT_TRUE(FileDelProgramma(altrove.Percorso("verso_il_programma"), propri));

    altrove.Scrivi("Kenvaron.txt", "altro");
    EXPECT_FALSE(FileDelProgramma(altrove.Percorso("Kenvaron.txt"), propri));
    EXPECT_FALSE(FileDelProgramma(altrove.Percorso("Kenvaron.ini"), propri));
    EXPECT_FALSE(FileDelProgramma(programma.Percorso("kenvaron.ini"), propri));
    EXPECT_FALSE(FileDelProgramma(programma.Percorso("schema.txt"), propri));
    EXPECT_FALSE(FileDelProgramma("", propri));
}

TEST(FileDelProgramma, TheWritersThatTakeTheOwnFilesRefuseThemAndWriteElsewhere) {
    CartellaTemporanea programma;
    programma.Scrivi("Kenvaron.txt", "pool");
    const FilePropri propri{programma.percorso.string(), {"Kenvaron.txt", "Kenvaron.ini"}};
    fs::create_symlink("Kenvaron.txt", programma.Percorso("z.txt"));
    EXPECT_FALSE(ScriviRighe(programma.Percorso("z.txt"), {"x"}, propri));
    EXPECT_FALSE(AggiungiRiga(programma.Percorso("z.txt"), "x", propri));
    EXPECT_FALSE(ScriviRighe(programma.Percorso("Kenvaron.ini"), {"x"}, propri));
    EXPECT_EQ(programma.Leggi("Kenvaron.txt"), "pool");
    EXPECT_FALSE(fs::exists(programma.Percorso("Kenvaron.ini")));

    ASSERT_TRUE(ScriviRighe(programma.Percorso("a.txt"), {"uno", "", "tre"}, propri));
    ASSERT_TRUE(AggiungiRiga(programma.Percorso("a.txt"), "quattro", propri));
    EXPECT_EQ(programma.Leggi("a.txt"), "uno\r\n\r\ntre\r\nquattro\r\n");
}

TEST(ScriviFile, ReplacesTheContentKeepingModeAndLinkAndLeavesNothingBeside) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchio contenuto");
    fs::permissions(c.Percorso("a.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("a.txt", c.Percorso("link.txt"));
    ASSERT_TRUE(ScriviFile(c.Percorso("link.txt"), "nuovo\r\n"));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("link.txt")));
    EXPECT_EQ(c.Leggi("a.txt"), "nuovo\r\n");
    EXPECT_EQ(Permessi(c.Percorso("a.txt")), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(ScriviFile(c.Percorso("b.txt"), ""));
    EXPECT_EQ(c.Leggi("b.txt"), "");
    EXPECT_TRUE(SoloIlFile(c, 3));

    // A file with a second name is written where it stands: both names see it.
    fs::create_hard_link(c.Percorso("b.txt"), c.Percorso("b2.txt"));
    ASSERT_TRUE(ScriviFile(c.Percorso("b.txt"), "condiviso"));
    EXPECT_EQ(c.Leggi("b2.txt"), "condiviso");
}

TEST(ScriviFile, AFailedWriteLeavesTheOldFileByteForByte) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchio contenuto");
    c.Scrivi("b.txt", "altro vecchio");
    fs::create_hard_link(c.Percorso("b.txt"), c.Percorso("b2.txt"));
    {
        DiscoPienoQui pieno;
        EXPECT_FALSE(ScriviFile(c.Percorso("a.txt"), "un contenuto nuovo e piu lungo"));
    }
    {
        DiscoPienoQui pieno;
        EXPECT_FALSE(ScriviFile(c.Percorso("b.txt"), "un contenuto nuovo e piu lungo"));
    }
    EXPECT_EQ(c.Leggi("a.txt"), "vecchio contenuto");
    EXPECT_EQ(c.Leggi("b.txt"), "altro vecchio");
    EXPECT_TRUE(SoloIlFile(c, 3));
}

TEST(ScriviFile, NonRegularTargetsAndReadOnlyFilesAreRefusedAtOnce) {
    CartellaTemporanea c;
    ASSERT_EQ(::mkfifo(c.Percorso("fifo").c_str(), 0644), 0);
    fs::create_directory(c.Percorso("cartella"));
    // A pipe with no reader would block an open for writing for ever.
    EXPECT_FALSE(ScriviFile(c.Percorso("fifo"), "x"));
    EXPECT_FALSE(ScriviFile(c.Percorso("cartella"), "x"));
    EXPECT_FALSE(ScriviFile("/dev/null", "x"));
    EXPECT_FALSE(AggiungiRiga(c.Percorso("fifo"), "x"));
    EXPECT_FALSE(AggiungiRiga(c.Percorso("cartella"), "x"));
    EXPECT_TRUE(fs::is_fifo(c.Percorso("fifo")));
    EXPECT_TRUE(fs::is_empty(c.Percorso("cartella")));

    c.Scrivi("sola_lettura.txt", "fisso");
    fs::permissions(c.Percorso("sola_lettura.txt"), fs::perms::owner_read | fs::perms::others_read);
    const std::string percorso = c.Percorso("sola_lettura.txt");
    EXPECT_TRUE(ComeUtenteComune([&] { return !ScriviFile(percorso, "nuovo") && !AggiungiRiga(percorso, "riga"); }));
    EXPECT_EQ(c.Leggi("sola_lettura.txt"), "fisso");
}

TEST(AggiungiRiga, AppendsOneWholeLineOrNothing) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchia senza fine riga");
    fs::permissions(c.Percorso("a.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(c.Percorso("a.txt"), c.Percorso("link.txt"));
    ASSERT_TRUE(AggiungiRiga(c.Percorso("link.txt"), "uno"));
    ASSERT_TRUE(AggiungiRiga(c.Percorso("nuovo.txt"), "due"));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("link.txt")));
    EXPECT_EQ(c.Leggi("a.txt"), "vecchia senza fine rigauno\r\n");
    EXPECT_EQ(Permessi(c.Percorso("a.txt")), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(c.Leggi("nuovo.txt"), "due\r\n");
    {
        DiscoPienoQui pieno;
        EXPECT_FALSE(AggiungiRiga(c.Percorso("nuovo.txt"), "una riga che non entra"));
    }
    EXPECT_EQ(c.Leggi("nuovo.txt"), "due\r\n");
    EXPECT_TRUE(SoloIlFile(c, 3));
}

}  // namespace
}  // namespace kenvaron
