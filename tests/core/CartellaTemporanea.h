// A temporary folder of its own for a test that writes files.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace kenvaron::verifica {

class CartellaTemporanea {
public:
    CartellaTemporanea() {
        static int numero = 0;
        percorso = std::filesystem::temp_directory_path() /
                   ("kenvaron_prova_" + std::to_string(::getpid()) + "_" + std::to_string(++numero));
        std::filesystem::create_directories(percorso);
    }
    ~CartellaTemporanea() {
        std::error_code ec;
        std::filesystem::remove_all(percorso, ec);
    }
    CartellaTemporanea(const CartellaTemporanea&) = delete;
    CartellaTemporanea& operator=(const CartellaTemporanea&) = delete;

    std::string Percorso(const std::string& nome) const { return (percorso / nome).string(); }
    void Scrivi(const std::string& nome, const std::string& testo) const {
        std::ofstream(Percorso(nome), std::ios::binary) << testo;
    }
    std::string Leggi(const std::string& nome) const {
        std::ifstream f(Percorso(nome), std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }

    std::filesystem::path percorso;
};

}  // namespace kenvaron::verifica
