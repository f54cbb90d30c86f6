// The public puzzle sets of the shared data folder, for tests.
#pragma once

#include <fstream>
#include <string>
#include <vector>

namespace kenvaron::verifica {

// The first `quanti` puzzles (81 characters each) of a file in KENVARON_DATA_DIR.
inline std::vector<std::string> LeggiSchemi(const std::string& nome, std::size_t quanti) {
    std::vector<std::string> schemi;
    std::ifstream in(std::string(KENVARON_DATA_DIR) + "/" + nome);
    std::string riga;
    while (schemi.size() < quanti && std::getline(in, riga))
        if (riga.size() >= 81) schemi.push_back(riga.substr(0, 81));
    return schemi;
}

}  // namespace kenvaron::verifica
