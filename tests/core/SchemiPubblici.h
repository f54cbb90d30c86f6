// The public puzzle sets of the repository's data/ folder, for tests.
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace kenvaron::verifica {

// The full path of a file in data/.
inline std::string PercorsoDati(const std::string& nome) { return std::string(KENVARON_DATA_DIR) + "/" + nome; }

// The first `quanti` puzzles (the first 81 characters of each line) of a file
// in data/.  A file that is missing or holds fewer puzzles throws, naming the
// file, so the test fails with that message instead of reading an empty list.
inline std::vector<std::string> LeggiSchemi(const std::string& nome, std::size_t quanti) {
    const std::string percorso = PercorsoDati(nome);
    std::ifstream in(percorso);
    std::vector<std::string> schemi;
    std::string riga;
    while (schemi.size() < quanti && std::getline(in, riga))
        if (riga.size() >= 81) schemi.push_back(riga.substr(0, 81));
    if (schemi.size() < quanti)
        throw std::runtime_error(percorso + ": " + std::to_string(schemi.size()) + " puzzles, " +
                                 std::to_string(quanti) + " needed");
    return schemi;
}

}  // namespace kenvaron::verifica
