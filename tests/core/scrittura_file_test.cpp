// The one writer of files: whole-file replacement, one-line appends, the open
// every reader shares, the clean-up of what killed writes left, and the check
// that keeps the program's own files out of reach of all of them.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <future>
#include <utility>

#include "engine/FileTesto.h"
#include "tests/core/CartellaTemporanea.h"
#include "tests/core/ScritturaProva.h"

namespace kenvaron {
namespace {

namespace fs = std::filesystem;
using verifica::CartellaTemporanea;
using verifica::ComeUtenteComune;
using verifica::DaiAUtenteComune;
using verifica::DiscoPienoQui;
using verifica::Radice;

fs::perms Permessi(const std::string& percorso) { return fs::status(percorso).permissions() & fs::perms::all; }

bool SoloIlFile(const fs::path& cartella, std::size_t quanti) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(cartella), fs::directory_iterator{})) ==
           quanti;
}
bool SoloIlFile(const CartellaTemporanea& c, std::size_t quanti) { return SoloIlFile(c.percorso, quanti); }

struct stat Stato(const std::string& percorso) {
    struct stat st {};
    ::lstat(percorso.c_str(), &st);
    return st;
}

std::string ConNul(const std::string& prima, const std::string& dopo) { return prima + std::string(1, '\0') + dopo; }

// A folder the user of ComeUtenteComune may make files in.
std::string CartellaComune(const CartellaTemporanea& c) {
    const std::string cartella = c.Percorso("comune");
    fs::create_directory(cartella);
    EXPECT_TRUE(DaiAUtenteComune(cartella));
    return cartella;
}

// A file of the test's own, given to the user of ComeUtenteComune with `modo`.
std::string FileComune(const std::string& percorso, const std::string& testo, fs::perms modo) {
    std::ofstream(percorso, std::ios::binary) << testo;
    EXPECT_TRUE(DaiAUtenteComune(percorso));
    fs::permissions(percorso, modo);
    return percorso;
}

TEST(FileDelProgramma, EveryNameThatReachesAnOwnFileIsCaught) {
    CartellaTemporanea programma, altrove;
    programma.Scrivi("Kenvaron.txt", "pool");
    const FilePropri propri{programma.percorso.string(), {"Kenvaron.txt", "Kenvaron.ini", "kenvaron", "Kenvaron.rtf"}};
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
    // An own name that is a link reaching no file: its name, and the missing
    // file it points to by any road, would make the file read through it.
    fs::create_directory(programma.Percorso("deposito"));
    fs::create_symlink("deposito/manca.rtf", programma.Percorso("Kenvaron.rtf"));
    EXPECT_TRUE(FileDelProgramma(programma.Percorso("Kenvaron.rtf"), propri));
    EXPECT_TRUE(FileDelProgramma(programma.Percorso("deposito/manca.rtf"), propri));
    EXPECT_TRUE(FileDelProgramma(altrove.Percorso("cartella/deposito/manca.rtf"), propri));

    altrove.Scrivi("Kenvaron.txt", "altro");
    EXPECT_FALSE(FileDelProgramma(altrove.Percorso("Kenvaron.txt"), propri));
    EXPECT_FALSE(FileDelProgramma(altrove.Percorso("Kenvaron.ini"), propri));
    EXPECT_FALSE(FileDelProgramma(programma.Percorso("kenvaron.ini"), propri));
    EXPECT_FALSE(FileDelProgramma(programma.Percorso("schema.txt"), propri));
    EXPECT_FALSE(FileDelProgramma(programma.Percorso("deposito/altro.rtf"), propri));
    EXPECT_FALSE(FileDelProgramma("", propri));
}

TEST(FileDelProgramma, TheWritersThatTakeTheOwnFilesRefuseThemAndWriteElsewhere) {
    CartellaTemporanea programma;
    programma.Scrivi("Kenvaron.txt", "pool");
    const FilePropri propri = FilePropriIn(programma.percorso.string());
    fs::create_symlink("Kenvaron.txt", programma.Percorso("z.txt"));
    fs::create_symlink("manca.rtf", programma.Percorso(kFileIstruzioni));
    for (const std::string& percorso :
         {programma.Percorso("z.txt"), programma.Percorso("Kenvaron.ini"), programma.Percorso("manca.rtf"),
          ConNul(programma.Percorso("Kenvaron.ini"), "x.txt")}) {
        EXPECT_FALSE(ScriviFile(percorso, "x", propri)) << percorso;
        EXPECT_FALSE(ScriviFile(percorso, "", propri)) << percorso;
        EXPECT_FALSE(AggiungiRiga(percorso, "x", propri)) << percorso;
    }
    // A NUL byte is refused even where no own file is at stake.
    EXPECT_FALSE(ScriviFile(ConNul(programma.Percorso("a.txt"), "b"), "x", kNessunFileProprio));
    EXPECT_FALSE(AggiungiRiga(ConNul(programma.Percorso("a.txt"), "b"), "x", kNessunFileProprio));
    EXPECT_EQ(programma.Leggi("Kenvaron.txt"), "pool");
    EXPECT_TRUE(SoloIlFile(programma, 3));

    ASSERT_TRUE(ScriviRighe(programma.Percorso("a.txt"), {"uno", "", "tre"}, propri));
    ASSERT_TRUE(AggiungiRiga(programma.Percorso("a.txt"), "quattro", propri));
    EXPECT_EQ(programma.Leggi("a.txt"), "uno\r\n\r\ntre\r\nquattro\r\n");
}

TEST(ScriviFile, ReplacesTheContentKeepingModeAndLinkAndLeavesNothingBeside) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchio contenuto");
    fs::permissions(c.Percorso("a.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("a.txt", c.Percorso("link.txt"));
    ASSERT_TRUE(ScriviFile(c.Percorso("link.txt"), "nuovo\r\n", kNessunFileProprio));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("link.txt")));
    EXPECT_EQ(c.Leggi("a.txt"), "nuovo\r\n");
    EXPECT_EQ(Permessi(c.Percorso("a.txt")), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Any name a file may have leaves room for the temporary one.
    const std::string lungo(250, 'n');
    c.Scrivi(lungo, "vecchio");
    const ino_t prima = Stato(c.Percorso(lungo)).st_ino;
    ASSERT_TRUE(ScriviFile(c.Percorso(lungo), "nuovo", kNessunFileProprio));
    EXPECT_EQ(c.Leggi(lungo), "nuovo");
    EXPECT_NE(Stato(c.Percorso(lungo)).st_ino, prima);
    EXPECT_TRUE(SoloIlFile(c, 3));

    // A file with a second name is written where it stands: both names see it.
    c.Scrivi("b.txt", "b");
    fs::create_hard_link(c.Percorso("b.txt"), c.Percorso("b2.txt"));
    ASSERT_TRUE(ScriviFile(c.Percorso("b.txt"), "condiviso", kNessunFileProprio));
    EXPECT_EQ(c.Leggi("b2.txt"), "condiviso");
}

// What the temporary file was like when its first byte went in.
struct stat primaScrittura;
int scrittureViste = 0;
ssize_t ScritturaOsservata(int descrittore, const void* dati, std::size_t quanti) {
    if (scrittureViste++ == 0) ::fstat(descrittore, &primaScrittura);
    return ::write(descrittore, dati, quanti);
}

TEST(ScriviFile, TheNewFileHasTheGroupAndModeOfTheOldOneBeforeItsFirstByte) {
    CartellaTemporanea c;
    const verifica::ScritturaQui osservata(&ScritturaOsservata);
    const mode_t maschera = ::umask(022);
    c.Scrivi("riservato.txt", "vecchio");
    fs::permissions(c.Percorso("riservato.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    scrittureViste = 0;
    EXPECT_TRUE(ScriviFile(c.Percorso("riservato.txt"), "segreto", kNessunFileProprio));
    EXPECT_EQ(primaScrittura.st_mode & 07777, 0640u);
    EXPECT_EQ(primaScrittura.st_size, 0);
    EXPECT_EQ(primaScrittura.st_gid, Stato(c.Percorso("riservato.txt")).st_gid);
    // A new file is as open as the user's mask lets any new file be.
    EXPECT_TRUE(ScriviFile(c.Percorso("nuovo.txt"), "nuovo", kNessunFileProprio));
    EXPECT_EQ(Stato(c.Percorso("nuovo.txt")).st_mode & 07777, 0644u);
    ::umask(maschera);

    if (Radice()) {
        // In a set-group-ID folder a new file takes the folder's group; the
        // file it replaces keeps its own.
        const fs::path cartella = c.percorso / "sgid";
        fs::create_directory(cartella);
        ASSERT_EQ(::chown(cartella.c_str(), 0, verifica::kGruppoComune), 0);
        ASSERT_EQ(::chmod(cartella.c_str(), 02775), 0);
        const std::string file = (cartella / "gruppo0.txt").string();
        std::ofstream(file) << "vecchio";
        ASSERT_EQ(::chown(file.c_str(), 0, 0), 0);
        scrittureViste = 0;
        EXPECT_TRUE(ScriviFile(file, "nuovo", kNessunFileProprio));
        EXPECT_EQ(Stato(file).st_gid, 0u);
        EXPECT_EQ(primaScrittura.st_gid, 0u);
        EXPECT_TRUE(SoloIlFile(cartella, 1));
    }
}

TEST(ScriviFile, AFailedWriteLeavesTheOldFileByteForByte) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchio contenuto");
    c.Scrivi("b.txt", "altro vecchio");
    fs::create_hard_link(c.Percorso("b.txt"), c.Percorso("b2.txt"));
    for (const char* nome : {"a.txt", "b.txt"}) {
        DiscoPienoQui pieno;
        EXPECT_FALSE(ScriviFile(c.Percorso(nome), "un contenuto nuovo e piu lungo", kNessunFileProprio));
    }
    EXPECT_EQ(c.Leggi("a.txt"), "vecchio contenuto");
    EXPECT_EQ(c.Leggi("b.txt"), "altro vecchio");
    EXPECT_TRUE(SoloIlFile(c, 3));
}

int erroreRinomina = 0;
int RinominaRifiutata(const char*, const char*) {
    errno = erroreRinomina;
    return -1;
}

class RinominaRifiutataQui : verifica::RinominaQui {
public:
    explicit RinominaRifiutataQui(int errore) : verifica::RinominaQui(&RinominaRifiutata) { erroreRinomina = errore; }
};

TEST(ScriviFile, AFileARenameCannotReplaceIsWrittenInPlaceAndPutBackWhenThatFails) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchio");
    const ino_t inode = Stato(c.Percorso("a.txt")).st_ino;
    // A file mounted on its own (EBUSY), or one on another file system.
    for (const int errore : {EBUSY, EXDEV}) {
        RinominaRifiutataQui rifiutata(errore);
        EXPECT_TRUE(ScriviFile(c.Percorso("a.txt"), "nuovo " + std::to_string(errore), kNessunFileProprio));
        EXPECT_EQ(c.Leggi("a.txt"), "nuovo " + std::to_string(errore));
    }
    {
        // The temporary file is written whole, the write in place fails.
        RinominaRifiutataQui rifiutata(EBUSY);
        DiscoPienoQui pieno(1);
        EXPECT_FALSE(ScriviFile(c.Percorso("a.txt"), "un contenuto che non entra", kNessunFileProprio));
    }
    EXPECT_EQ(c.Leggi("a.txt"), "nuovo " + std::to_string(EXDEV));
    {
        // Any other refusal is a failure, not a reason to write in place.
        RinominaRifiutataQui rifiutata(EACCES);
        EXPECT_FALSE(ScriviFile(c.Percorso("a.txt"), "mai", kNessunFileProprio));
    }
    EXPECT_EQ(c.Leggi("a.txt"), "nuovo " + std::to_string(EXDEV));
    EXPECT_EQ(Stato(c.Percorso("a.txt")).st_ino, inode);
    EXPECT_TRUE(SoloIlFile(c, 1));
}

TEST(ScriviFile, AFileMountedOnItsOwnIsWritten) {
    CartellaTemporanea c;
    c.Scrivi("sorgente.txt", "vecchio");
    c.Scrivi("montato.txt", "");
    const std::string sorgente = c.Percorso("sorgente.txt"), montato = c.Percorso("montato.txt");
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        if (::unshare(CLONE_NEWNS) != 0) ::_exit(errno == EPERM ? 77 : 2);
        // Private mounts: the bind mount dies with this child and never shows outside it.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) ::_exit(3);
        if (::mount(sorgente.c_str(), montato.c_str(), nullptr, MS_BIND, nullptr) != 0) ::_exit(4);
        ::_exit(ScriviFile(montato, "nuovo", kNessunFileProprio) ? 0 : 1);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    ASSERT_TRUE(WIFEXITED(stato));
    if (WEXITSTATUS(stato) == 77) GTEST_SKIP() << "no mount namespace here: unshare(CLONE_NEWNS) answers EPERM";
    EXPECT_EQ(WEXITSTATUS(stato), 0);
    EXPECT_EQ(c.Leggi("sorgente.txt"), "nuovo");
    EXPECT_TRUE(SoloIlFile(c, 2));
}

TEST(ScriviFile, AnEmptyContentEmptiesTheFileWhereItStands) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "righe di prima\r\n");
    const ino_t inode = Stato(c.Percorso("a.txt")).st_ino;
    ASSERT_TRUE(ScriviFile(c.Percorso("a.txt"), "", kNessunFileProprio));
    EXPECT_EQ(c.Leggi("a.txt"), "");
    EXPECT_EQ(Stato(c.Percorso("a.txt")).st_ino, inode);
    ASSERT_TRUE(ScriviFile(c.Percorso("nuovo.txt"), "", kNessunFileProprio));
    EXPECT_TRUE(fs::is_regular_file(c.Percorso("nuovo.txt")));
    // A file its user may write but not read is emptied all the same.
    const std::string cieco =
        FileComune(CartellaComune(c) + "/cieco.txt", "righe di prima\r\n", fs::perms::owner_write);
    const ino_t inodeCieco = Stato(cieco).st_ino;
    EXPECT_TRUE(ComeUtenteComune([&] { return ScriviFile(cieco, "", kNessunFileProprio); }));
    EXPECT_EQ(fs::file_size(cieco), 0u);
    EXPECT_EQ(Stato(cieco).st_ino, inodeCieco);
    EXPECT_TRUE(SoloIlFile(c, 3));
}

TEST(ScriviFile, NonRegularTargetsAndReadOnlyFilesAreRefusedAtOnce) {
    CartellaTemporanea c;
    ASSERT_EQ(::mkfifo(c.Percorso("fifo").c_str(), 0644), 0);
    fs::create_directory(c.Percorso("cartella"));
    // Links that lead to each other reach no file: not a missing one either.
    fs::create_symlink("anello_b", c.Percorso("anello_a"));
    fs::create_symlink("anello_a", c.Percorso("anello_b"));
    // A pipe with no reader would block an open for writing for ever.
    for (const char* nome : {"fifo", "cartella", "anello_a"}) {
        EXPECT_FALSE(ScriviFile(c.Percorso(nome), "x", kNessunFileProprio)) << nome;
        EXPECT_FALSE(ScriviFile(c.Percorso(nome), "", kNessunFileProprio)) << nome;
        EXPECT_FALSE(AggiungiRiga(c.Percorso(nome), "x", kNessunFileProprio)) << nome;
    }
    EXPECT_TRUE(fs::is_fifo(c.Percorso("fifo")));
    EXPECT_TRUE(fs::is_empty(c.Percorso("cartella")));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("anello_a")));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("anello_b")));

    // The user's own read-only file, in a folder where the user may make
    // files: only the file's mode forbids the write.
    const std::string cartella = CartellaComune(c);
    const std::string fisso = FileComune(cartella + "/fisso.txt", "fisso", fs::perms::owner_read | fs::perms::others_read);
    EXPECT_TRUE(ComeUtenteComune([&] {
        return !ScriviFile(fisso, "nuovo", kNessunFileProprio) && !ScriviFile(fisso, "", kNessunFileProprio) &&
               !AggiungiRiga(fisso, "riga", kNessunFileProprio);
    }));
    EXPECT_EQ(c.Leggi("comune/fisso.txt"), "fisso");
    EXPECT_TRUE(SoloIlFile(cartella, 1));
}

TEST(ScriviFile, AFileInAFolderWhereNoFileCanBeMadeIsWrittenInPlace) {
    CartellaTemporanea c;
    const std::string cartella = CartellaComune(c);
    const std::string file = FileComune(cartella + "/a.txt", "vecchio", fs::perms::owner_read | fs::perms::owner_write);
    const ino_t inode = Stato(file).st_ino;
    const fs::perms scrittura = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(cartella, scrittura, fs::perm_options::remove);
    EXPECT_TRUE(ComeUtenteComune([&] { return ScriviFile(file, "nuovo", kNessunFileProprio); }));
    fs::permissions(cartella, fs::perms::owner_write, fs::perm_options::add);  // so that it can go
    EXPECT_EQ(c.Leggi("comune/a.txt"), "nuovo");
    EXPECT_EQ(Stato(file).st_ino, inode);
    EXPECT_TRUE(SoloIlFile(cartella, 1));
}

TEST(ScriviFile, AnotherOwnersFileIsWrittenInPlaceAndEveryFileKeepsItsGroup) {
    if (!Radice()) GTEST_SKIP() << "needs root to give files to other users";
    CartellaTemporanea c;
    const std::string cartella = CartellaComune(c);
    // Root's file that anyone may write: a rename would make it the writer's.
    const std::string altrui = cartella + "/altrui.txt";
    std::ofstream(altrui) << "vecchio";
    ASSERT_EQ(::chown(altrui.c_str(), 0, verifica::kGruppoComune), 0);
    fs::permissions(altrui, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    const ino_t inodeAltrui = Stato(altrui).st_ino;
    // The writer's own file of a group the writer is not in.
    const std::string gruppo = cartella + "/gruppo.txt";
    std::ofstream(gruppo) << "vecchio";
    ASSERT_EQ(::chown(gruppo.c_str(), verifica::kUtenteComune, 0), 0);
    EXPECT_TRUE(ComeUtenteComune([&] {
        return ScriviFile(altrui, "nuovo", kNessunFileProprio) && ScriviFile(gruppo, "nuovo", kNessunFileProprio);
    }));
    EXPECT_EQ(c.Leggi("comune/altrui.txt"), "nuovo");
    EXPECT_EQ(Stato(altrui).st_ino, inodeAltrui);
    EXPECT_EQ(Stato(altrui).st_uid, 0u);
    EXPECT_EQ(c.Leggi("comune/gruppo.txt"), "nuovo");
    EXPECT_EQ(Stato(gruppo).st_gid, 0u);
    EXPECT_TRUE(SoloIlFile(cartella, 2));
}

TEST(AggiungiRiga, AppendsOneWholeLineOrNothing) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "vecchia senza fine riga");
    fs::permissions(c.Percorso("a.txt"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(c.Percorso("a.txt"), c.Percorso("link.txt"));
    c.Scrivi("cr.txt", "finisce con CR\r");
    ASSERT_TRUE(AggiungiRiga(c.Percorso("link.txt"), "uno", kNessunFileProprio));
    ASSERT_TRUE(AggiungiRiga(c.Percorso("cr.txt"), "uno", kNessunFileProprio));
    ASSERT_TRUE(AggiungiRiga(c.Percorso("nuovo.txt"), "due", kNessunFileProprio));
    EXPECT_TRUE(fs::is_symlink(c.Percorso("link.txt")));
    EXPECT_EQ(c.Leggi("a.txt"), "vecchia senza fine riga\r\nuno\r\n");
    EXPECT_EQ(c.Leggi("cr.txt"), "finisce con CR\r\nuno\r\n");
    EXPECT_EQ(Permessi(c.Percorso("a.txt")), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(c.Leggi("nuovo.txt"), "due\r\n");
    {
        DiscoPienoQui pieno;
        EXPECT_FALSE(AggiungiRiga(c.Percorso("nuovo.txt"), "una riga che non entra", kNessunFileProprio));
    }
    EXPECT_EQ(c.Leggi("nuovo.txt"), "due\r\n");
    // A file its user may append to but not read still gets its line.
    const std::string cieco = FileComune(CartellaComune(c) + "/cieco.txt", "prima\r\n", fs::perms::owner_write);
    EXPECT_TRUE(ComeUtenteComune([&] { return AggiungiRiga(cieco, "dopo", kNessunFileProprio); }));
    EXPECT_EQ(c.Leggi("comune/cieco.txt"), "prima\r\ndopo\r\n");
    EXPECT_TRUE(SoloIlFile(c, 5));
}

TEST(AggiungiRiga, AnAppendWaitsForAnotherAppendsLineToBeWholeAndAddsNoEmptyLine) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "prima\r\n");
    // Another run's append, half way through its line.
    const int altra = ::open(c.Percorso("a.txt").c_str(), O_WRONLY | O_APPEND);
    ASSERT_EQ(::flock(altra, LOCK_EX), 0);
    ASSERT_EQ(::write(altra, "meta", 4), 4);
    auto aggiunta = std::async(std::launch::async,
                               [&] { return AggiungiRiga(c.Percorso("a.txt"), "riga", kNessunFileProprio); });
    EXPECT_EQ(aggiunta.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    EXPECT_EQ(::write(altra, " riga\r\n", 7), 7);
    ::close(altra);
    EXPECT_TRUE(aggiunta.get());
    EXPECT_EQ(c.Leggi("a.txt"), "prima\r\nmeta riga\r\nriga\r\n");
}

// Whether the file's flock was taken, as another descriptor finds it, when
// the writer wrote.
std::string fileSorvegliato;
bool turnoTenuto = false;
ssize_t ScritturaSorvegliata(int descrittore, const void* dati, std::size_t quanti) {
    const int altro = ::open(fileSorvegliato.c_str(), O_RDONLY);
    turnoTenuto = ::flock(altro, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(altro);
    return ::write(descrittore, dati, quanti);
}

// A line of the run's own, half written when the run's next append to the
// same file comes: the first write puts down four bytes, starts that append
// and gives it 200 ms before the rest of the line follows.
std::string fileInTurno;
std::atomic<int> scrittureInTurno = 0;
std::future<bool> seconda;
bool secondaInAttesa = false;
ssize_t ScritturaInterrotta(int descrittore, const void* dati, std::size_t quanti) {
    if (scrittureInTurno++ > 0) return ::write(descrittore, dati, quanti);
    const ssize_t scritti = ::write(descrittore, dati, std::min<std::size_t>(quanti, 4));
    seconda = std::async(std::launch::async, [] { return AggiungiRiga(fileInTurno, "seconda", kNessunFileProprio); });
    secondaInAttesa = seconda.wait_for(std::chrono::milliseconds(200)) == std::future_status::timeout;
    return scritti;
}

// True when a descriptor of this process still holds the removed file that
// was at percorso.
bool TenutoAperto(const std::string& percorso) {
    std::error_code errore;
    for (const auto& voce : fs::directory_iterator("/proc/self/fd"))
        if (fs::read_symlink(voce.path(), errore).string() == percorso + " (deleted)") return true;
    return false;
}

TEST(AggiungiRiga, AnotherProgramsLockIsWaitedOutOncePerFileThenTakenOnlyWhenFree) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "");
    fs::create_hard_link(c.Percorso("a.txt"), c.Percorso("stesso.txt"));
    fs::create_symlink("a.txt", c.Percorso("link.txt"));
    const int altra = ::open(c.Percorso("a.txt").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(altra, LOCK_EX), 0);
    const std::size_t prima = AtteseDelTurno();
    // The first append waits its second out; the next ones, by any name of
    // the file, no longer wait.
    const auto inizio = std::chrono::steady_clock::now();
    for (const std::string& nome : {c.Percorso("a.txt"), c.Percorso("stesso.txt"), c.Percorso("link.txt"),
                                    fs::relative(c.Percorso("a.txt")).string()})
        EXPECT_TRUE(AggiungiRiga(nome, "riga", kNessunFileProprio)) << nome;
    EXPECT_EQ(AtteseDelTurno(), prima + 1);
    // One wait of a second, with room to spare on a busy machine.
    EXPECT_LT(std::chrono::steady_clock::now() - inizio, std::chrono::milliseconds(2500));

    // The run's own appends still take turns: one that comes while another's
    // line is half written waits for it and adds no empty line.
    fileInTurno = c.Percorso("a.txt");
    scrittureInTurno = 0;
    {
        const verifica::ScritturaQui interrotta(&ScritturaInterrotta);
        EXPECT_TRUE(AggiungiRiga(c.Percorso("a.txt"), "meta riga", kNessunFileProprio));
        EXPECT_TRUE(seconda.get());
    }
    EXPECT_TRUE(secondaInAttesa);

    // Once free, the lock is taken again for the write.
    ::close(altra);
    fileSorvegliato = c.Percorso("a.txt");
    {
        const verifica::ScritturaQui sorvegliata(&ScritturaSorvegliata);
        EXPECT_TRUE(AggiungiRiga(c.Percorso("a.txt"), "riga", kNessunFileProprio));
    }
    EXPECT_TRUE(turnoTenuto);
    EXPECT_EQ(c.Leggi("a.txt"), "riga\r\nriga\r\nriga\r\nriga\r\nmeta riga\r\nseconda\r\nriga\r\n");

    // A file made after the first is removed, which a file system that
    // reuses inodes would put on the first one's inode were that still free,
    // is waited for, until its lock goes; the removed file is no longer held.
    const std::string rimosso = (fs::canonical(c.percorso) / "a.txt").string();
    for (const char* nome : {"a.txt", "stesso.txt", "link.txt"}) fs::remove(c.Percorso(nome));
    c.Scrivi("b.txt", "");
    const std::size_t primaDiB = AtteseDelTurno();
    const int altraB = ::open(c.Percorso("b.txt").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(altraB, LOCK_EX), 0);
    auto aggiunta = std::async(std::launch::async,
                               [&] { return AggiungiRiga(c.Percorso("b.txt"), "riga", kNessunFileProprio); });
    const auto limite = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (AtteseDelTurno() < primaDiB + 1 && std::chrono::steady_clock::now() < limite)
        if (aggiunta.wait_for(std::chrono::milliseconds(1)) == std::future_status::ready) break;
    ::close(altraB);
    EXPECT_TRUE(aggiunta.get());
    EXPECT_EQ(AtteseDelTurno(), primaDiB + 1);
    EXPECT_EQ(c.Leggi("b.txt"), "riga\r\n");
    EXPECT_FALSE(TenutoAperto(rimosso));
}

// Another program holding locks on a file for as long as this lives: a child
// process that takes the file's flock (with `conFlock`), then a record lock
// from byte `da` to infinity (from 0: the whole file, as lockf takes it).
class AltroProgramma {
public:
    AltroProgramma(const std::string& percorso, bool conFlock, off_t da) {
        int pronto[2];
        if (::pipe(pronto) != 0 || ::pipe(fine_) != 0) return;
        figlio_ = ::fork();
        if (figlio_ == 0) {
            const int d = ::open(percorso.c_str(), O_RDWR);
            struct flock blocco {};
            blocco.l_type = F_WRLCK;
            blocco.l_whence = SEEK_SET;
            blocco.l_start = da;
            char esito = d >= 0 && (!conFlock || ::flock(d, LOCK_EX) == 0) && ::fcntl(d, F_SETLK, &blocco) == 0;
            (void)!::write(pronto[1], &esito, 1);
            // Until the test closes its end of the pipe.
            ::close(fine_[1]);
            (void)!::read(fine_[0], &esito, 1);
            ::_exit(0);
        }
        ::close(pronto[1]);
        ::close(fine_[0]);
        char esito = 0;
        tenuti_ = figlio_ > 0 && ::read(pronto[0], &esito, 1) == 1 && esito;
        ::close(pronto[0]);
    }
    ~AltroProgramma() {
        ::close(fine_[1]);
        if (figlio_ > 0) ::waitpid(figlio_, nullptr, 0);
    }
    bool Tenuti() const { return tenuti_; }

private:
    int fine_[2] = {-1, -1};
    pid_t figlio_ = -1;
    bool tenuti_ = false;
};

TEST(AggiungiRiga, AnotherProgramsRecordLockHoldsUpNoTurnOfTheRunsOwn) {
    // A record lock covers every byte of the file, also any far past its end;
    // yet no append waits for it, and the run's own appends still take turns:
    // one that comes while another's line is half written waits for it.  Of
    // the other program's locks, only a flock is waited out, once.
    for (const auto& [conFlock, da] : {std::pair{false, off_t{0}}, std::pair{true, off_t{1} << 20}}) {
        CartellaTemporanea c;
        c.Scrivi("a.txt", "");
        const AltroProgramma altro(c.Percorso("a.txt"), conFlock, da);
        ASSERT_TRUE(altro.Tenuti());
        const std::size_t prima = AtteseDelTurno();
        EXPECT_TRUE(AggiungiRiga(c.Percorso("a.txt"), "riga", kNessunFileProprio));
        EXPECT_EQ(AtteseDelTurno(), prima + (conFlock ? 1 : 0)) << da;
        fileInTurno = c.Percorso("a.txt");
        scrittureInTurno = 0;
        {
            const verifica::ScritturaQui interrotta(&ScritturaInterrotta);
            EXPECT_TRUE(AggiungiRiga(c.Percorso("a.txt"), "meta riga", kNessunFileProprio));
            EXPECT_TRUE(seconda.get());
        }
        EXPECT_TRUE(secondaInAttesa) << da;
        EXPECT_EQ(c.Leggi("a.txt"), "riga\r\nmeta riga\r\nseconda\r\n") << da;
    }
}

// A write that tells the test it has begun, then never ends.
int scritturaIniziata = -1;
ssize_t ScritturaSenzaFine(int, const void*, std::size_t) {
    (void)!::write(scritturaIniziata, "x", 1);
    for (;;) ::pause();
}

TEST(AggiungiRiga, ARunKilledInItsTurnLeavesNoTurnHeld) {
    CartellaTemporanea c;
    c.Scrivi("a.txt", "");
    int iniziata[2];
    ASSERT_EQ(::pipe(iniziata), 0);
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        scritturaIniziata = iniziata[1];
        const verifica::ScritturaQui senzaFine(&ScritturaSenzaFine);
        ::_exit(AggiungiRiga(c.Percorso("a.txt"), "mai", kNessunFileProprio) ? 0 : 1);
    }
    ::close(iniziata[1]);
    char segno;
    EXPECT_EQ(::read(iniziata[0], &segno, 1), 1);
    ::close(iniziata[0]);
    ::kill(figlio, SIGKILL);
    ::waitpid(figlio, nullptr, 0);
    const std::size_t prima = AtteseDelTurno();
    EXPECT_TRUE(AggiungiRiga(c.Percorso("a.txt"), "riga", kNessunFileProprio));
    EXPECT_EQ(AtteseDelTurno(), prima);
    EXPECT_EQ(c.Leggi("a.txt"), "riga\r\n");
}

// Another writer appends a line to the same file while this one writes:
// before this one's write number `altroPrima` (from 1; 0 never); this one
// puts down `pezzi` pieces of three bytes, then finds the disk full.
std::string fileConteso;
struct Contesa {
    int altroPrima, pezzi;
    const char* resta;
} contesa;
int chiamate = 0;
ssize_t ScritturaContesa(int descrittore, const void* dati, std::size_t quanti) {
    if (++chiamate == contesa.altroPrima) {
        const int d = ::open(fileConteso.c_str(), O_WRONLY | O_APPEND);
        (void)!::write(d, "altro\r\n", 7);
        ::close(d);
    }
    if (chiamate > contesa.pezzi) {
        errno = ENOSPC;
        return -1;
    }
    return ::write(descrittore, dati, std::min<std::size_t>(quanti, 3));
}

TEST(AggiungiRiga, AFailedAppendCutsBackOnlyItsOwnBytes) {
    CartellaTemporanea c;
    fileConteso = c.Percorso("a.txt");
    const verifica::ScritturaQui sostituita(&ScritturaContesa);
    // Bytes of this append with another writer's line after them stay:
    // cutting them would take that line too, also when a later piece of
    // this append ends the file again.
    for (const Contesa caso : {Contesa{1, 0, "prima\r\naltro\r\n"},          // before any byte
                               Contesa{1, 1, "prima\r\naltro\r\n"},          // before the piece: cut back
                               Contesa{2, 1, "prima\r\nla altro\r\n"},       // after the piece
                               Contesa{2, 2, "prima\r\nla altro\r\nrig"},    // between two pieces
                               Contesa{0, 2, "prima\r\n"}}) {                // none: both pieces cut back
        c.Scrivi("a.txt", "prima\r\n");
        contesa = caso;
        chiamate = 0;
        EXPECT_FALSE(AggiungiRiga(fileConteso, "la riga", kNessunFileProprio));
        EXPECT_EQ(c.Leggi("a.txt"), caso.resta) << caso.altroPrima << " " << caso.pezzi;
    }
}

TEST(ApriRegolare, OpensOnlyRegularFilesAndNeverWaits) {
    CartellaTemporanea c;
    const std::string coda = c.Percorso("coda");
    ASSERT_EQ(::mkfifo(coda.c_str(), 0600), 0);
    const pid_t figlio = ::fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        // An open that waits for the pipe's other end is ended here.
        ::alarm(5);
        ::_exit(ApriRegolare(coda, O_RDONLY) < 0 && ApriRegolare(coda, O_WRONLY | O_APPEND) < 0 ? 0 : 1);
    }
    int stato = 0;
    ::waitpid(figlio, &stato, 0);
    EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0) << "the open waited, or took the pipe";
    const int nuovo = ApriRegolare(c.Percorso("nuovo"), O_WRONLY | O_CREAT);
    EXPECT_GE(nuovo, 0);
    ::close(nuovo);
    EXPECT_LT(ApriRegolare(c.percorso.string(), O_RDONLY), 0);
    EXPECT_LT(ApriRegolare(ConNul(c.Percorso("nuovo"), "x"), O_RDONLY), 0);
}

// Sets a file's times (the file itself, not what a link points to) an hour back.
void Invecchia(const std::string& percorso) {
    const timespec ora{std::time(nullptr) - 3600, 0};
    const timespec tempi[2] = {ora, ora};
    ASSERT_EQ(::utimensat(AT_FDCWD, percorso.c_str(), tempi, AT_SYMLINK_NOFOLLOW), 0) << percorso;
}

TEST(RimuoviTemporaneiVecchi, RemovesOnlyTheWritersOwnOldLeftoversBesideTheFile) {
    CartellaTemporanea c;
    fs::create_directory(c.Percorso("vero"));
    c.Scrivi("vero/Kenvaron.txt", "pool");
    fs::create_symlink("vero/Kenvaron.txt", c.Percorso("Kenvaron.txt"));
    const std::vector<std::string> via = {".kenvaron-abcdefGHIJ12", ".Kenvaron.txt.abcdefGHIJ12"};
    for (const std::string& nome : via) c.Scrivi("vero/" + nome, "avanzo");
    std::vector<std::string> restano = {
        ".kenvaron-abcdefGHIJ1",   ".kenvaron-abcdefGHIJ123", ".kenvaron-abcdefGHIJ1.",
        ".altro.txt.abcdefGHIJ12", "Kenvaron.txt.tmp",        "kenvaron-abcdefGHIJ12"};
    for (const std::string& nome : restano) c.Scrivi("vero/" + nome, "non toccare");
    // A link (to an old file), a folder, a pipe and another user's file of
    // the pattern stay.
    fs::create_symlink("Kenvaron.txt.tmp", c.Percorso("vero/.kenvaron-collegamento"));
    fs::create_directory(c.Percorso("vero/.kenvaron-cartellaXXXX"));
    ASSERT_EQ(::mkfifo(c.Percorso("vero/.kenvaron-codaXXXXXXXX").c_str(), 0600), 0);
    restano.insert(restano.end(), {".kenvaron-collegamento", ".kenvaron-cartellaXXXX", ".kenvaron-codaXXXXXXXX"});
    if (Radice()) {
        c.Scrivi("vero/.kenvaron-altroUtente1", "non toccare");
        ASSERT_TRUE(DaiAUtenteComune(c.Percorso("vero/.kenvaron-altroUtente1")));
        restano.push_back(".kenvaron-altroUtente1");
    }
    for (const std::string& nome : via) Invecchia(c.Percorso("vero/" + nome));
    for (const std::string& nome : restano) Invecchia(c.Percorso("vero/" + nome));
    // A fresh one may be another program's write still going on.
    c.Scrivi("vero/.kenvaron-giovane12345", "in corso");
    restano.push_back(".kenvaron-giovane12345");
    // Beside the link itself nothing is removed.
    c.Scrivi(".kenvaron-abcdefGHIJ12", "non toccare");
    Invecchia(c.Percorso(".kenvaron-abcdefGHIJ12"));

    RimuoviTemporaneiVecchi(c.Percorso("Kenvaron.txt"));
    for (const std::string& nome : via) EXPECT_FALSE(fs::exists(fs::symlink_status(c.Percorso("vero/" + nome)))) << nome;
    for (const std::string& nome : restano) EXPECT_TRUE(fs::exists(fs::symlink_status(c.Percorso("vero/" + nome)))) << nome;
    EXPECT_TRUE(fs::exists(c.Percorso(".kenvaron-abcdefGHIJ12")));
    EXPECT_EQ(c.Leggi("vero/Kenvaron.txt"), "pool");
}

}  // namespace
}  // namespace kenvaron
