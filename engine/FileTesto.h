// Text files as the program keeps them.  Every write goes through the one
// writer here: ScriviFile replaces a whole file, AggiungiRiga appends one
// line, each ended by CR LF; both take the program's own files, which they
// never write.  Every open, for reading or writing, goes through
// ApriRegolare.  Nothing throws: a failure answers false.  Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kenvaron {

// True when the path names an existing file (the role of the directory look-up).
bool FileExists(const std::string& percorso);

// Opens the path with the given flags (O_RDONLY, or O_WRONLY with O_APPEND or
// O_CREAT) and answers the descriptor when what it opened is a regular file,
// otherwise -1 with nothing left open.  The open never waits and never takes
// a terminal: a pipe put in the file's place is refused at once.  A path
// holding a NUL byte is refused.  Callers test the type by name first (the
// readers below and the writer do), so that a device is never opened at all.
int ApriRegolare(const std::string& percorso, int modo, mode_t permessi = 0666);

// A regular file opened for reading, closed when it goes.  Only a regular
// file is opened: a folder, a pipe or a device never is.
class FileInLettura {
public:
    explicit FileInLettura(const std::string& percorso);
    ~FileInLettura();
    FileInLettura(const FileInLettura&) = delete;
    FileInLettura& operator=(const FileInLettura&) = delete;

    bool Aperto() const { return descrittore_ >= 0; }
    // Reads up to `quanti` bytes into `dove`; fewer only at the end of the
    // file.  False on a read error.
    bool Leggi(char* dove, std::size_t quanti, std::size_t& letti);

private:
    int descrittore_;
};

// The text of a regular file, at most `massimo` bytes of it, or false when
// it cannot be read (a folder, a pipe or a device is never opened).  With
// `oltre`, one byte more is read to tell whether the file goes on past
// `massimo`; the text stops at `massimo` all the same.
bool LeggiFile(const std::string& percorso, std::string& testo,
               std::size_t massimo = std::numeric_limits<std::size_t>::max(), bool* oltre = nullptr);

// The program's own files: the folder it runs from and the names of the
// files it keeps there (the pool, the rules, the manual, the program itself).
struct FilePropri {
    std::string cartella;
    std::vector<std::string> nomi;
};

// For the one writer that is itself the program's own (the pool file): no
// own file to keep away from.
inline const FilePropri kNessunFileProprio{};

// The files the program keeps in its folder, beside its own file: the pool,
// the rules and the manual.
inline constexpr const char* kFileImpostazioni = "Kenvaron.txt";
inline constexpr const char* kFileRegole = "Kenvaron.ini";
inline constexpr const char* kFileIstruzioni = "Kenvaron.rtf";
// The program's file as the build names it.
inline constexpr const char* kFileProgramma = "kenvaron";

// The own files of a program named `programma` that runs from `cartella`.
FilePropri FilePropriIn(const std::string& cartella, const std::string& programma = kFileProgramma);

// True when a path reaches one of the program's own files under any
// spelling.  An own file that exists is compared by device and inode after
// following links, which also catches hard links; one that does not exist yet
// (a missing file, or a link that reaches no file) by the place where it would
// be made: its folder by device and inode, and its name, the links of both
// paths followed, so that no write can create what the program will later
// take for its own.  A path with a NUL byte names no file whole: it is
// refused before this is asked (DestinazioneScrivibile).
bool FileDelProgramma(const std::string& percorso, const FilePropri& propri);

// The check both writers start with: true when the path holds no NUL byte
// (every system call would see a shorter name), reaches none of the
// program's own files, and nothing is there yet or a regular file (through
// any links).  A folder, a pipe or a device is never opened: a pipe with no
// reader would wait for ever.
bool DestinazioneScrivibile(const std::string& percorso, const FilePropri& propri);

// Replaces a file's whole content.  The text goes to a fresh file made
// exclusively beside the target (beside the file a link points to), which
// has the target's group and mode before its first byte, and is renamed over
// it; the folder is then synced, so that the new file survives a power loss.
// A failure or a kill leaves the old file whole; the file keeps its group and
// permission bits and a link stays a link.  A file that a rename cannot
// replace as it is (other hard links, another owner, a group the program
// cannot give, a folder where no file can be made, a file mounted on its own)
// is written in place, and put back as it was when that write fails.  An
// empty content empties the file where it stands.  Refused: what
// DestinazioneScrivibile refuses, and a file the program may not write.
// False when nothing was written.
bool ScriviFile(const std::string& percorso, std::string_view contenuto, const FilePropri& propri);

// Appends one line and CR LF with a single write on a descriptor opened for
// appending, never by rewriting the file.  When the file ends inside a line (a
// cut line, an editor's last line without its end), the write starts with the
// missing line end, so the new line is never glued to the old one.  The
// program's appends to one file take turns, from the look at the file's last
// byte through the write, so that none takes another's half-written line for a
// cut one.  Each takes two locks: an exclusive flock on its descriptor, which
// other programs appending to the file may hold too, then the program's own
// turn, which no lock of another program on the file (a flock, a record lock
// of any range, as lockf takes one) can hold up: a Unix socket bound to a name
// of the abstract namespace made of the file's device and inode, which one
// socket of the machine at a time can hold.  It makes no file anywhere, needs
// no locks of the file system, and goes with the process: a killed run leaves
// no turn held.  It is the machine's (its network namespace's): appends from
// another machine (a file on NFS) or another network namespace take turns with
// these through the flock alone.  An append waits up to a second while another
// holds either lock, then goes on without it, as on a file system without
// flock.  Each lock's wait runs out at most once per file in a run: after it,
// an append to that file, by any name, takes that lock only when it is free at
// once, so that another program costs a run at most a second on each file (the
// own turn is held that long only by a run stopped in its turn, or a program
// that took its name).  Such a file is known by device and inode, and kept
// open while it is remembered, so that no new file takes its inode; it is
// forgotten (and closed) at the first append of the run after its last name is
// gone.  A write that cannot finish (a full disk, a size limit) cuts back its
// own bytes, when nothing was appended after them; a kill can cut the line
// only where the kernel stops that one write between two pages of the file.
// The file keeps its owner, mode and links.  Refused: what
// DestinazioneScrivibile refuses.  False when the line is not in the file.
bool AggiungiRiga(const std::string& percorso, std::string_view riga, const FilePropri& propri);

// The lines, each ended by CR LF, as the whole new content of a file, through
// ScriviFile.  False when the file was not written.
bool ScriviRighe(const std::string& percorso, const std::vector<std::string>& righe, const FilePropri& propri);

// Removes what killed writes left beside the file at percorso (beside the
// file a link leads to): the writer's temporary files, regular files of the
// user running the program, untouched for more than ten minutes, so that a
// write still going on in another program is never disturbed.  Nothing is
// followed through a link; anything else stays.
void RimuoviTemporaneiVecchi(const std::string& percorso);

// How many waits for a lock that another held the appends of this run have
// begun, for either lock (none on a file whose wait for that lock ran out),
// for the tests to count the waits.
std::size_t AtteseDelTurno();

// Tests replace the system's write and rename to simulate a full disk, a
// failing device or a file mounted on its own; nullptr restores them.  Each
// answers the function that was in use.
using FunzioneScrittura = ssize_t (*)(int descrittore, const void* dati, std::size_t quanti);
FunzioneScrittura SostituisciScrittura(FunzioneScrittura scrivi);
using FunzioneRinomina = int (*)(const char* da, const char* a);
FunzioneRinomina SostituisciRinomina(FunzioneRinomina rinomina);

}  // namespace kenvaron
