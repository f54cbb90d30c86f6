// Sequential text files as the windows' runtime has them: opened for reading
// line by line, for writing (emptied first) or for appending; every line
// written ends with CR LF.  A line read ends at CR LF, LF or CR.  Nothing
// throws: Open answers false and Errore says why.  Plain C++, no Qt.
#pragma once

#include <fstream>
#include <string>

namespace kenvaron {

class TextFile {
public:
    enum class Modo { Lettura, Scrittura, Aggiunta };

    TextFile() = default;
    TextFile(const std::string& percorso, Modo modo) { Open(percorso, modo); }
    bool Open(const std::string& percorso, Modo modo);
    bool IsOpen() const { return file_.is_open(); }
    // True when nothing more can be read.
    bool Eof();
    // The next line without its end; false at the end of the file.
    bool LineInput(std::string& riga);
    // Writes the text and CR LF; false when the writing failed.
    bool PrintLine(const std::string& testo);
    // False when what was written could not be flushed to the file.
    bool Close();
    const std::string& Errore() const { return errore_; }

private:
    std::fstream file_;
    std::string errore_;
};

// True when the path names an existing file (the role of the directory look-up).
bool FileExists(const std::string& percorso);
// Appends one line and CR LF so that the file, whenever the program is
// killed, holds either the whole line or none of it: the file is rewritten
// beside itself and renamed over the old one.  A path that is not a plain
// file, or a folder where no file can be made, gets a plain append instead.
// False when the line could not be written.
bool AggiungiRigaIntera(const std::string& percorso, const std::string& riga);
// The whole text of a file, or false when it cannot be read.
bool LeggiFile(const std::string& percorso, std::string& testo);

}  // namespace kenvaron
