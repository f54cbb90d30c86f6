// Text files as the program keeps them.  Every write goes through the one
// writer here: ScriviFile replaces a whole file, AggiungiRiga appends one
// line, each ended by CR LF.  Nothing throws: a failure answers false.
// Plain C++, no Qt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace kenvaron {

// True when the path names an existing file (the role of the directory look-up).
bool FileExists(const std::string& percorso);
// The whole text of a regular file, or false when it cannot be read (a
// folder, a pipe or a device is never opened).
bool LeggiFile(const std::string& percorso, std::string& testo);

// The program's own files: the folder it runs from and the names of the
// files it keeps there (the pool, the rules, the manual, the program itself).
struct FilePropri {
    std::string cartella;
    std::vector<std::string> nomi;
};

// True when a path reaches one of the program's own files under any
// spelling.  An own file that exists is compared by device and inode after
// following links, which also catches hard links; one that does not exist
// yet by its name in its folder (the folder by device and inode), the path's
// own links followed, so that no write can create what the program will
// later take for its own.
bool FileDelProgramma(const std::string& percorso, const FilePropri& propri);

// True when a write may go to the path as far as its type goes: nothing is
// there yet, or a regular file (through any links).  A folder, a pipe or a
// device is never opened: a pipe with no reader would wait for ever.
bool DestinazioneScrivibile(const std::string& percorso);

// Replaces a file's whole content.  The text goes to a fresh file made
// exclusively beside the target (beside the file a link points to) and is
// renamed over it, so a failure or a kill leaves the old file whole; the
// file keeps its permission bits and a link stays a link.  A file that a
// rename cannot replace as it is (other hard links, another owner, a folder
// where no file can be made) is written in place, and put back as it was
// when that write fails.  Refused: a target that is not a regular file and
// a file the program may not write.  False when nothing was written.
bool ScriviFile(const std::string& percorso, std::string_view contenuto);

// Appends one line and CR LF with a single write on a descriptor opened for
// appending, never by rewriting the file: a write that cannot finish (a full
// disk) cuts the file back to its former length, and a kill can cut the line
// only where the kernel stops that one write between two pages of the file.
// The file keeps its owner, mode and links.  False when the line is not in
// the file.
bool AggiungiRiga(const std::string& percorso, std::string_view riga);

// The lines, each ended by CR LF, as the whole new content of a file, through
// ScriviFile; a path that reaches one of the program's own files is refused
// and nothing is written.  False when the file was not written.
bool ScriviRighe(const std::string& percorso, const std::vector<std::string>& righe, const FilePropri& propri);

// AggiungiRiga for a path named by the user or built from the program's
// folder: one that reaches one of the program's own files is refused.
bool AggiungiRiga(const std::string& percorso, std::string_view riga, const FilePropri& propri);

// Tests replace the system's write to simulate a full disk or a failing
// device; nullptr restores it.  Answers the function that was in use.
using FunzioneScrittura = ssize_t (*)(int descrittore, const void* dati, std::size_t quanti);
FunzioneScrittura SostituisciScrittura(FunzioneScrittura scrivi);

}  // namespace kenvaron
