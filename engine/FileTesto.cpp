#include "engine/FileTesto.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <sstream>

namespace kenvaron {

bool TextFile::Open(const std::string& percorso, Modo modo) {
    Close();
    errore_.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(percorso, ec)) {
        errore_ = percorso + ": è una cartella";
        return false;
    }
    std::ios::openmode m = std::ios::binary;
    switch (modo) {
    case Modo::Lettura: m |= std::ios::in; break;
    case Modo::Scrittura: m |= std::ios::out | std::ios::trunc; break;
    case Modo::Aggiunta: m |= std::ios::out | std::ios::app; break;
    }
    errno = 0;
    file_.open(percorso, m);
    if (!file_.is_open()) {
        errore_ = percorso + ": " + (errno != 0 ? std::strerror(errno) : "impossibile aprire il file");
        return false;
    }
    return true;
}

bool TextFile::Eof() {
    if (!file_.is_open()) return true;
    return file_.peek() == std::char_traits<char>::eof();
}

bool TextFile::LineInput(std::string& riga) {
    riga.clear();
    if (Eof()) return false;
    for (;;) {
        const int c = file_.get();
        if (c == std::char_traits<char>::eof() || c == '\n') break;
        if (c == '\r') {
            if (file_.peek() == '\n') file_.get();
            break;
        }
        riga.push_back(static_cast<char>(c));
    }
    file_.clear(file_.rdstate() & ~std::ios::failbit & ~std::ios::eofbit);
    return true;
}

bool TextFile::PrintLine(const std::string& testo) {
    if (!file_.is_open()) return false;
    // One insertion for the text and its end, so that a line longer than the
    // stream's buffer still reaches the file in a single write.
    file_ << (testo + "\r\n");
    return static_cast<bool>(file_);
}

bool TextFile::Close() {
    if (!file_.is_open()) return true;
    file_.close();
    const bool riuscita = !file_.fail();
    file_.clear();
    return riuscita;
}

bool FileExists(const std::string& percorso) {
    std::error_code ec;
    return !percorso.empty() && std::filesystem::is_regular_file(percorso, ec);
}

bool AggiungiRigaIntera(const std::string& percorso, const std::string& riga) {
    namespace fs = std::filesystem;
    auto aggiungi = [&] {
        TextFile f;
        if (!f.Open(percorso, TextFile::Modo::Aggiunta)) return false;
        const bool scritta = f.PrintLine(riga);
        return f.Close() && scritta;
    };
    std::error_code ec;
    fs::path destinazione = percorso;
    if (fs::is_symlink(destinazione, ec)) destinazione = fs::canonical(destinazione, ec);
    if (ec) return aggiungi();
    const bool esiste = fs::exists(destinazione, ec);
    if (ec || (esiste && !fs::is_regular_file(destinazione, ec))) return aggiungi();
    std::string testo;
    if (esiste && !LeggiFile(destinazione.string(), testo)) return false;
    fs::path temporaneo = destinazione;
    temporaneo += ".kenvaron-tmp";
    {
        std::ofstream f(temporaneo, std::ios::binary | std::ios::trunc);
        if (!f) return aggiungi();
        f << testo << riga << "\r\n";
        f.close();
        if (!f) {
            fs::remove(temporaneo, ec);
            return false;
        }
    }
    if (esiste) fs::permissions(temporaneo, fs::status(destinazione, ec).permissions(), ec);
    fs::rename(temporaneo, destinazione, ec);
    if (!ec) return true;
    fs::remove(temporaneo, ec);
    return aggiungi();
}

bool LeggiFile(const std::string& percorso, std::string& testo) {
    std::ifstream f(percorso, std::ios::binary);
    if (!f) return false;
    std::ostringstream tutto;
    tutto << f.rdbuf();
    testo = tutto.str();
    return !f.bad();
}

}  // namespace kenvaron
