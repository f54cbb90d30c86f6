// A temporary folder for a window test, standing for the program's folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace kenvaron {

// A folder of its own for each test, standing for the program's folder.
class CartellaProva {
public:
    CartellaProva() {
        static int numero = 0;
        percorso = std::filesystem::temp_directory_path() /
                   ("kenvaron_ui_" + std::to_string(::getpid()) + "_" + std::to_string(++numero));
        std::filesystem::create_directories(percorso);
    }
    ~CartellaProva() {
        std::error_code ec;
        std::filesystem::remove_all(percorso, ec);
    }
    void Scrivi(const std::string& nome, const std::string& testo) const {
        std::ofstream(percorso / nome) << testo;
    }
    std::string Leggi(const std::string& nome) const {
        std::ifstream f(percorso / nome, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    std::filesystem::path percorso;
};

}  // namespace kenvaron
