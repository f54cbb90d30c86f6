// Saving the puzzle on the board: the save question asked before the board
// is replaced or the window closes, and the puzzle file of one line.
#pragma once

#include <functional>
#include <string>

#include "engine/FileTesto.h"
#include "engine/TestoSchema.h"
#include "engine/Tipi.h"

namespace kenvaron {

// The program's name, the main window's caption without a file.
inline constexpr const char* kNomeProgramma = "Kenvaron";

enum class Risposta { Si, No, Annulla };

// The question asked before a changed puzzle is left behind.
inline constexpr const char* kDomandaSalvataggio = "Salvare lo schema attuale?";

// Asks whether to save a changed puzzle (schemaModificato = 1) and saves on
// Yes.  True means the caller must stop: the user cancelled, or the save did
// not take place (the puzzle is still marked as changed afterwards).
bool ChiediSalvataggio(const Byte& schemaModificato, const std::function<Risposta()>& chiedi,
                       const std::function<void()>& salva);

// Writes the puzzle file: one line of 81 digits ended by CR LF, replacing the
// file's content as a whole.  False, with the file as it was, when it could
// not be written, is not a regular file or is one of the program's own files.
bool ScriviSchema(const std::string& percorso, const Tabella& t, const FilePropri& propri);

// The caption of the window for a puzzle file: "Kenvaron", three blanks and
// the file's name between "<" and ">" (empty after a cancelled dialog).
std::string TitoloConFile(const std::string& percorso);

}  // namespace kenvaron
