// Colours and Nishio inside whole solves, and the whole engine, every group
// and switch on, on public hard puzzles checked against an independent solver.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

class MotoreInteroTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;  // the solves are checked for what they find, not for time
    std::unique_ptr<Motore> motore = std::make_unique<Motore>(stato, orologio);
    Motore& m = *motore;
    Livelli livelli{m, stato};

    void Imposta(std::string codice, const std::string& attive, const std::string& avanzate) {
        livelli.SettaTurni(codice);
        for (int i = 0; i < 6; ++i) stato.TecnicheAttive[i] = static_cast<Byte>(attive[i] - '0');
        livelli.AccendiAV(static_cast<Byte>(avanzate[0] - '0'), static_cast<Byte>(avanzate[1] - '0'),
                          static_cast<Byte>(avanzate[2] - '0'));
    }
    void Carica(const std::string& schema) {
        for (int i = 0; i < 81; ++i) {
            const char ch = schema[i];
            stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        m.contaCellePiene();
    }
    // The user's strikes of digit 1 that leave it only at (1,1), (1,5) in row 1,
    // at (1,5), (5,5) in column 5 and at (5,1), (5,5) in row 5, on an empty board.
    void StrikesOfTheExample() {
        stato.NumMosse = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                const bool tenuta = (r == 1 || r == 5) && (c == 1 || c == 5);
                if ((r == 1 || r == 5 || c == 5) && !tenuta) {
                    Mossa& mossa = stato.PilaAnnulla[++stato.NumMosse];
                    mossa.Tipo.assign(1, 'C');
                    mossa.Riga = static_cast<Byte>(r);
                    mossa.Colonna = static_cast<Byte>(c);
                    mossa.Cifra = 1;
                }
            }
        Carica(std::string(81, '0'));
    }
    // Digit 1 is a candidate exactly where the example's strikes and `tolte` leave it.
    void SoloColpiE(const std::vector<int>& tolte) {
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                bool colpita = (r == 1 || r == 5 || c == 5) && !((r == 1 || r == 5) && (c == 1 || c == 5));
                for (int t : tolte) colpita = colpita || t == r * 10 + c;
                ASSERT_EQ(m.Possibili[r][c][1], colpita ? 49 : 50) << r << "," << c;
                for (int d = 2; d <= 9; ++d) ASSERT_EQ(m.Possibili[r][c][d], 50);
            }
    }
    void RisolviSenzaTentativi() {
        m.SenzaTentativi = true;
        m.Risolvi(1);
        m.SenzaTentativi = false;
    }
    std::string Griglia() const {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + m.Griglia[r][c]);
        return s;
    }
    int Conta(const std::string& testo, int profondita = 0) const {
        int n = 0;
        for (int i = 1; i <= m.NumPassi; ++i)
            if ((profondita == 0 || m.LogPassi[i].Profondita == profondita) &&
                m.LogPassi[i].Testo.find(testo) != std::string::npos)
                ++n;
        return n;
    }
};

const std::vector<int> kColonnaUno = {21, 31, 41, 61, 71, 81, 91};

TEST_F(MotoreInteroTest, ColourFindingIsAppliedAsAnOEntryAndUndone) {
    StrikesOfTheExample();
    Imposta("C", "000100", "000");
    m.ModoRisolvi = true;
    RisolviSenzaTentativi();
    EXPECT_EQ(m.LogPassi[1].Testo, "    1 in 1,1 è una delle due possibilità per  la riga 1");
    EXPECT_EQ(m.LogPassi[7].Testo, "    Ne consegue che 1 o è nel gruppo verde o è nel gruppo azzurro");
    EXPECT_GE(m.ContaTecnicaC, 1);
    const std::string& annulla = m.PilaLivelli[1].ListaRipristino;
    const std::string prima = "O0,211311411611711811911,|";
    ASSERT_GE(annulla.size(), prima.size());
    EXPECT_EQ(annulla.substr(annulla.size() - prima.size()), prima);
    for (int t : kColonnaUno) EXPECT_LT(m.Possibili[t / 10][t % 10][1], 50) << t;

    std::string lista = annulla;
    m.RipristinaTecnica(lista);
    SoloColpiE({});
}

TEST_F(MotoreInteroTest, NishioInAUserSolveStrikesOneCandidatePerStep) {
    StrikesOfTheExample();
    Imposta("C", "001000", "000");
    m.ModoRisolvi = true;
    RisolviSenzaTentativi();
    EXPECT_EQ(m.ContaTecnicaC, 7);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "L9,1,1|L8,1,1|L7,1,1|L6,1,1|L4,1,1|L3,1,1|L2,1,1|");
    EXPECT_EQ(m.LogPassi[1].Testo, "Vuota");
    EXPECT_EQ(m.LogPassi[2].Testo, "    1 in 2,1 porta a una contraddizione poichè: ");
    EXPECT_EQ(Conta("Vuota"), 7);
    EXPECT_EQ(Conta(" contraddizione"), 7);
    EXPECT_EQ(m.Valore, -10);  // the trial point was reached and forbidden
    SoloColpiE(kColonnaUno);

    std::string lista = m.PilaLivelli[1].ListaRipristino;
    m.RipristinaTecnica(lista);
    SoloColpiE({});
}

TEST_F(MotoreInteroTest, NishioInAGenerationSolveStrikesEveryContradictionAtOnce) {
    StrikesOfTheExample();
    Imposta("C", "001000", "000");
    m.ModoRisolvi = false;
    RisolviSenzaTentativi();
    EXPECT_EQ(m.ContaTecnicaC, 1);
    EXPECT_EQ(Conta("Vuota"), 0);
    EXPECT_EQ(Conta(" contraddizione"), 7);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "L9,1,1|L8,1,1|L7,1,1|L6,1,1|L4,1,1|L3,1,1|L2,1,1|");
    SoloColpiE(kColonnaUno);

    std::string lista = m.PilaLivelli[1].ListaRipristino;
    m.RipristinaTecnica(lista);
    SoloColpiE({});
}

TEST_F(MotoreInteroTest, AnalysisNarratesColoursAndNishioAndAppliesNothing) {
    StrikesOfTheExample();
    Imposta("C", "001100", "000");
    m.ModoRisolvi = true;
    m.Analisi = true;
    m.Risolvi(1);
    m.Analisi = false;
    EXPECT_EQ(m.ContaTecnicaC, 0);
    EXPECT_EQ(Conta("Ne consegue"), 3);
    EXPECT_EQ(Conta(" contraddizione"), 7);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "");
    SoloColpiE({});
}

// The candidates a colour conclusion or a Nishio contradiction record names
// as eliminated: the cell triples before the first "/" of its cell list.
std::vector<std::string> Eliminati(const Passo& p) {
    std::vector<std::string> terne;
    const bool colore = p.Tipo == "M" && p.Testo.find("Ne consegue") != std::string::npos;
    const bool nishio = p.Tipo == "C" && !p.Codice.empty();
    if (!colore && !nishio) return terne;
    const std::string lista = p.Celle.substr(0, p.Celle.find('/'));
    for (std::size_t k = 0; k + 5 <= lista.size(); k += 6) terne.push_back(lista.substr(k, 5));
    return terne;
}

// With every group and switch on: no candidate eliminated at depth 1 is the
// solution's digit, each puzzle has exactly its one solution, and a solve that
// logic alone finishes leaves the same grid with and without trials allowed.
// Colour and Nishio steps at deeper levels are undone by the backtracking.
// Analysis mode narrates every colour and Nishio finding against the givens'
// grid, none of them against the solution, and changes nothing.
TEST_F(MotoreInteroTest, WholeEngineOnHardPuzzles) {
    int conclusioniColore = 0, contraddizioni = 0, logiche = 0, analizzati = 0;
    std::vector<std::string> schemi = verifica::LeggiSchemi("sudocue_superiors.txt", 40);
    const auto altri = verifica::LeggiSchemi("qqwing_expert.txt", 40);
    schemi.insert(schemi.end(), altri.begin(), altri.end());
    ASSERT_EQ(schemi.size(), 80u);
    stato.NumMosse = 0;
    m.LimiteFor = 5;
    for (const char* avanzate : {"000", "111"}) {
        for (bool modoRisolvi : {true, false}) {
            Imposta("SGDBC", "111111", avanzate);
            m.ModoRisolvi = modoRisolvi;
            for (const std::string& schema : schemi) {
                verifica::Celle soluzione{};
                ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(schema), 2, &soluzione), 1) << schema;
                const std::string attesa = verifica::ComeTesto(soluzione);
                Carica(schema);
                // Every filled cell holds its solution digit, every empty cell
                // still has its solution digit as a candidate.
                auto soloVerita = [&](const char* quando) {
                    for (int r = 1; r <= 9; ++r)
                        for (int c = 1; c <= 9; ++c) {
                            const int giusta = attesa[(r - 1) * 9 + c - 1] - '0';
                            if (m.Griglia[r][c] != 0)
                                ASSERT_EQ(m.Griglia[r][c], giusta) << quando << " " << schema << " " << r << c;
                            else
                                ASSERT_EQ(m.Possibili[r][c][giusta], 50)
                                    << quando << " " << schema << " " << avanzate << " " << r << c << giusta;
                        }
                };

                RisolviSenzaTentativi();
                soloVerita("logica");
                const std::string logica = Griglia();
                conclusioniColore += Conta("Ne consegue", 1);
                contraddizioni += Conta(" contraddizione", 1);

                // Stopped at the first solution, the grid holds it.
                m.Risolvi(1);
                ASSERT_EQ(m.ContaSoluz, 1) << schema;
                ASSERT_EQ(Griglia(), attesa) << schema;
                if (logica.find('0') == std::string::npos) {
                    ++logiche;
                    EXPECT_EQ(logica, Griglia()) << schema;
                }
                // Searched to the end, it finds no other.
                m.Risolvi(2);
                ASSERT_EQ(m.ContaSoluz, 1) << schema;

                if (!modoRisolvi) continue;
                m.Analisi = true;
                m.Risolvi(1);
                m.Analisi = false;
                soloVerita("analisi");
                ASSERT_EQ(Griglia(), verifica::ComeTesto(verifica::DaTesto(schema)));
                for (int i = 1; i <= m.NumPassi; ++i)
                    for (const std::string& t : Eliminati(m.LogPassi[i])) {
                        ++analizzati;
                        const int r = t[0] - '0', c = t[2] - '0';
                        EXPECT_NE(t[4], attesa[(r - 1) * 9 + c - 1]) << schema << " " << m.LogPassi[i].Testo;
                    }
            }
        }
    }
    // The colour and Nishio searches took part.
    EXPECT_GT(conclusioniColore, 0);
    EXPECT_GT(contraddizioni, 0);
    EXPECT_GT(logiche, 0);
    EXPECT_GT(analizzati, 0);
}

}  // namespace
}  // namespace kenvaron
