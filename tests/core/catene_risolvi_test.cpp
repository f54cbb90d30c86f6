// The wing and chain searches inside a narrated solve: findings applied by the
// solver, and soundness on public hard puzzles.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

class CateneRisolviTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio);
    Livelli livelli{*m, stato};

    // The user strikes every candidate of (r, c) but those of `cifre`.
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d) {
            if (cifre.find(static_cast<char>('0' + d)) != std::string::npos) continue;
            Mossa& mossa = stato.PilaAnnulla[++stato.NumMosse];
            mossa.Riga = static_cast<Byte>(r);
            mossa.Colonna = static_cast<Byte>(c);
            mossa.Cifra = static_cast<Byte>(d);
            mossa.Vecchio = 50;
            mossa.Nuovo = 49;
            mossa.Tipo = "C";
        }
    }
    // The user's XY-wing: {3,5} at (2,2), {3,8} at (2,7), {5,8} at (5,2).
    void XYWing() {
        Lascia(2, 2, "35");
        Lascia(2, 7, "38");
        Lascia(5, 2, "58");
    }
    void Imposta(std::string codice, const std::array<Byte, 6>& interruttori) {
        livelli.SettaTurni(codice);
        stato.TecnicheAttive = interruttori;
    }
    void Risolvi(Byte massimo) {
        m->Soluzione[1][1] = 0;
        m->Risolvi(massimo);
    }
    // The first record of the given kind, or nullptr.
    const Passo* Primo(const std::string& tipo) const {
        for (int i = 1; i <= m->NumPassi; ++i)
            if (m->LogPassi[i].Tipo == tipo) return &m->LogPassi[i];
        return nullptr;
    }
};

const std::string kRientro = Motore::IncrementaIndice(1);

TEST_F(CateneRisolviTest, XYWingIsAppliedAndCounted) {
    XYWing();
    Imposta("SGDBC", {0, 1, 0, 0, 0, 0});
    m->ModoRisolvi = true;
    Risolvi(1);
    ASSERT_GE(m->NumPassi, 1);
    EXPECT_EQ(m->LogPassi[1].Tipo, "W");
    EXPECT_EQ(m->LogPassi[1].Testo, kRientro + "se 3 in 2,2 allora 8 in 2,7  se invece 5 in 2,2 allora 8 in 5,2");
    EXPECT_GE(m->ContaTecnicaB, 1);
    EXPECT_NE(m->PilaLivelli[1].ListaRipristino.find("W0,578,|"), std::string::npos);
    // The search stopped at its first solution, with the grid full.
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_NE(m->Griglia[5][7], 0);
    EXPECT_NE(m->Griglia[5][7], 8);
}

TEST_F(CateneRisolviTest, ChainsFromACellAndFromAUnitUnderGroupC) {
    XYWing();
    Imposta("C", {0, 0, 0, 0, 1, 0});
    Risolvi(1);
    ASSERT_GE(m->NumPassi, 3);
    EXPECT_EQ(m->LogPassi[1].Testo, kRientro + "Se 5 in cella 2,2 allora 8 in cella 5,2");
    EXPECT_EQ(m->LogPassi[2].Testo, kRientro + "Se 3 in cella 2,2 allora 8 in cella 2,7");
    EXPECT_EQ(m->LogPassi[3].Testo, kRientro + "Ne consegue che o 8 in cella 2,7   o 8 in cella 5,2   ");
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(m->LogPassi[i].Tipo, "O");
    EXPECT_NE(m->PilaLivelli[1].ListaRipristino.find("O0,578,|"), std::string::npos);
    EXPECT_GE(m->ContaTecnicaC, 1);

    // Digit 3 in row 5 only at (5,4) and (5,6), with chains from a unit alone.
    stato.NumMosse = 0;
    for (int c : {1, 2, 3, 5, 7, 8, 9}) {
        Mossa& mossa = stato.PilaAnnulla[++stato.NumMosse];
        mossa = Mossa{5, static_cast<Byte>(c), 50, 49, "C", 3};
    }
    Imposta("C", {0, 0, 0, 0, 0, 1});
    Risolvi(1);
    const Passo* unita = Primo("I");
    ASSERT_NE(unita, nullptr);
    EXPECT_EQ(unita->Testo, kRientro + "Nella riga 5 o 3 in cella 5,4   o 3 in cella 5,6   ");
    EXPECT_EQ(unita, &m->LogPassi[1]);
    EXPECT_NE(m->PilaLivelli[1].ListaRipristino.find("O0,443453463643653663,|"), std::string::npos);
}

// ---- Public hard puzzles -------------------------------------------------------

// Eliminations (the part before "/") of a record's cell list.
std::vector<std::array<int, 3>> Eliminazioni(const std::string& celle) {
    std::vector<std::array<int, 3>> lista;
    const std::size_t barra = celle.find('/');
    for (std::size_t i = 0; barra != std::string::npos && i + 6 <= barra; i += 6)
        lista.push_back({celle[i] - '0', celle[i + 2] - '0', celle[i + 4] - '0'});
    return lista;
}

TEST_F(CateneRisolviTest, HardPuzzlesSolveUniquelyAndNoChainEliminatesTheSolution) {
    std::vector<std::string> schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 40);
    const std::vector<std::string> altri = verifica::LeggiSchemi("qqwing_expert.txt", 20);
    schemi.insert(schemi.end(), altri.begin(), altri.end());


    Imposta("SGDBC", {1, 1, 1, 1, 1, 1});
    int passiCatene = 0;
    for (const Byte esteso : {Byte{0}, Byte{1}}) {
        livelli.AccendiAV(0, esteso, 0);
        for (const std::string& schema : schemi) {
            const verifica::Celle celle = verifica::DaTesto(schema);
            verifica::Celle soluzione{};
            ASSERT_EQ(verifica::ContaSoluzioni(celle, 2, &soluzione), 1) << schema;
            for (int i = 0; i < 81; ++i) stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(celle[i]);

            Risolvi(2);
            EXPECT_EQ(m->ContaSoluz, 1) << schema;
            for (int k = 1; k <= m->NumPassi; ++k) {
                const Passo& p = m->LogPassi[k];
                if (p.Profondita != 1 || (p.Tipo != "W" && p.Tipo != "O" && p.Tipo != "I")) continue;
                ++passiCatene;
                for (const auto& [r, c, d] : Eliminazioni(p.Celle))
                    EXPECT_NE(soluzione[(r - 1) * 9 + c - 1], d)
                        << schema << " " << p.Testo;
            }
            // Stopping at the first solution leaves it in the grid.
            Risolvi(1);
            for (int i = 0; i < 81; ++i)
                EXPECT_EQ(m->Griglia[i / 9 + 1][i % 9 + 1], soluzione[i]) << schema;
        }
    }
    EXPECT_GT(passiCatene, 0);
}

}  // namespace
}  // namespace kenvaron
