// Locked candidates inside whole solves: findings built from the user's struck
// candidates, and public hard puzzles solved with the groups S and D.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

class SoluzioneTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    Motore m{stato, orologio};
    Livelli livelli{m, stato};

    void Codice(std::string codice) { livelli.SettaTurni(codice); }
    void Colpisci(int r, int c, int d) {
        Mossa& mossa = stato.PilaAnnulla[++stato.NumMosse];
        mossa.Tipo = "C";
        mossa.Riga = static_cast<Byte>(r);
        mossa.Colonna = static_cast<Byte>(c);
        mossa.Cifra = static_cast<Byte>(d);
    }
    // The candidates are those of the empty board less the user's strikes.
    void SoloColpi() {
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                int n = 0;
                for (int d = 1; d <= 9; ++d) {
                    bool colpito = false;
                    for (int k = 1; k <= stato.NumMosse; ++k) {
                        const Mossa& mossa = stato.PilaAnnulla[k];
                        colpito |= mossa.Riga == r && mossa.Colonna == c && mossa.Cifra == d;
                    }
                    ASSERT_EQ(m.Possibili[r][c][d], colpito ? 49 : 50) << r << c << d;
                    n += !colpito;
                }
                ASSERT_EQ(m.NumeroCandidati[r][c], n) << r << c;
            }
    }
    // The empty board with struck candidates, solved up to the trial point.
    void RisolviSenzaTentativi() {
        m.contaCellePiene();
        m.SenzaTentativi = true;
        m.Risolvi(1);
        m.SenzaTentativi = false;
    }
    // The level's undo string replayed: the board as the strikes left it.
    void AnnullaLivelloUno() {
        std::string lista = m.PilaLivelli[1].ListaRipristino;
        m.RipristinaTecnica(lista);
        SoloColpi();
        for (int i = 1; i <= 9; ++i)
            for (int d = 1; d <= 9; ++d) {
                ASSERT_EQ(m.CandidatiApplicatiR[i][d] | m.CandidatiApplicatiC[i][d] |
                              m.CandidatiApplicatiQR[i][d] | m.CandidatiApplicatiQC[i][d],
                          0);
                ASSERT_EQ(m.CoppieApplicateR[i][d] + m.CoppieApplicateC[i][d] +
                              m.CoppieApplicateQR[i][d] + m.CoppieApplicateQC[i][d],
                          "");
            }
    }
};

TEST_F(SoluzioneTest, GroupSMeetsTheStruckRowAtTheFirstLogic) {
    for (int c : {1, 2, 3, 7, 8, 9}) Colpisci(4, c, 7);
    Codice("S");
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    const Passo& p = m.LogPassi[1];
    EXPECT_EQ(p.Testo, "    i possibili 7 della riga  4 sono tutti nel quadrato 5");
    EXPECT_EQ(p.Celle, "5,4,7|5,5,7|5,6,7|6,4,7|6,5,7|6,6,7|/4,4,7|4,5,7|4,6,7|");
    EXPECT_EQ(p.Tipo, "S");
    EXPECT_EQ(p.Codice, "RQ");
    EXPECT_EQ(p.Profondita, 1);
    EXPECT_EQ(m.ContaTecnicaS, 1);
    EXPECT_EQ(m.Valore, -10);  // the trial point was reached and forbidden
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino, "Q5,4,7|R4,5,7|");
    AnnullaLivelloUno();
}

TEST_F(SoluzioneTest, GroupDMeetsTheStruckRowsAtTheFirstLogic) {
    for (int r : {1, 2})
        for (int c : {7, 8, 9}) Colpisci(r, c, 5);
    Codice("D");
    RisolviSenzaTentativi();
    ASSERT_GE(m.NumPassi, 1);
    const Passo& p = m.LogPassi[1];
    EXPECT_EQ(p.Testo, "     i possibili 5 delle righe 12 sono tutti nei quadrati 12");
    EXPECT_EQ(p.Celle.substr(0, 37), "3,1,5|3,2,5|3,3,5|3,4,5|3,5,5|3,6,5|/");
    EXPECT_EQ(p.Tipo, "D");
    EXPECT_EQ(p.Codice, "RQ");
    EXPECT_EQ(m.ContaTecnicaD, 1);
    EXPECT_EQ(m.ContaTecnicaS, 0);
    EXPECT_EQ(m.PilaLivelli[1].ListaRipristino.substr(m.PilaLivelli[1].ListaRipristino.size() - 8),
              "11,12,5|");
    AnnullaLivelloUno();
}

TEST_F(SoluzioneTest, AnalysisModeNarratesGroupSAndLeavesTheBoard) {
    for (int c : {1, 2, 3, 7, 8, 9}) Colpisci(4, c, 7);
    for (int c = 2; c <= 9; ++c) Colpisci(8, c, 2);  // a one-cell pattern at (8,1)
    Codice("SD");
    m.Analisi = true;
    m.contaCellePiene();
    m.Risolvi(1);
    m.Analisi = false;
    EXPECT_EQ(m.ContaTecnicaS, 2);
    EXPECT_EQ(m.ContaTecnicaD, 0);
    int passiS = 0;
    for (int i = 1; i <= m.NumPassi; ++i) passiS += m.LogPassi[i].Tipo == "S";
    EXPECT_EQ(passiS, 1);
    SoloColpi();
}

// Every elimination narrated at depth 1, before any trial, must spare the
// solution's digit; and the solve still finds exactly the one solution.  With
// "SD" group S takes every two-box finding first (the third box of the band
// then holds the digit in one line only), so "DS" runs as well.
TEST_F(SoluzioneTest, HardPuzzlesKeepTheirSolutionUnderGroupsSAndD) {
    int passiS = 0, passiD = 0, schemi = 0;
    for (const char* file : {"sudocue_superiors.txt", "qqwing_expert.txt"}) {
        for (const std::string& riga : verifica::LeggiSchemi(file, 40)) {
            verifica::Celle prima{};
            ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(riga), 2, &prima), 1) << riga;
            const std::string soluzione = verifica::ComeTesto(prima);
            ++schemi;
            for (int i = 0; i < 81; ++i)
                stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(riga[i] - '0');
            m.contaCellePiene();

            for (const char* codice : {"SD", "DS"}) {
                Codice(codice);
                // Stopped at the first solution, the grid holds it.
                m.Risolvi(1);
                ASSERT_EQ(m.ContaSoluz, 1) << riga;
                std::string trovata;
                for (int r = 1; r <= 9; ++r)
                    for (int c = 1; c <= 9; ++c) trovata += static_cast<char>('0' + m.Griglia[r][c]);
                EXPECT_EQ(trovata, soluzione);
                // Searched to the end, it finds no other.
                m.Risolvi(2);
                ASSERT_EQ(m.ContaSoluz, 1) << riga;

                for (int i = 1; i <= m.NumPassi; ++i) {
                    const Passo& p = m.LogPassi[i];
                    if (p.Profondita != 1 || (p.Tipo != "S" && p.Tipo != "D")) continue;
                    (p.Tipo == "S" ? passiS : passiD)++;
                    const std::string tolti = p.Celle.substr(0, p.Celle.find('/'));
                    ASSERT_FALSE(tolti.empty());
                    for (std::size_t k = 0; k + 5 < tolti.size(); k += 6) {
                        const int r = tolti[k] - '0', c = tolti[k + 2] - '0';
                        EXPECT_NE(tolti[k + 4], soluzione[(r - 1) * 9 + c - 1])
                            << riga << " " << p.Testo;
                    }
                }
            }
        }
    }
    EXPECT_EQ(schemi, 80);
    // The puzzles do exercise both groups.
    EXPECT_GT(passiS, 0);
    EXPECT_GT(passiD, 0);
}

}  // namespace
}  // namespace kenvaron
