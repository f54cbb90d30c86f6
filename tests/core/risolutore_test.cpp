// The solver loop, singles, the dead-end test and the scoring of a solve.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

// Solved by singles alone; its solution is kSoluzioneFacile.
const std::string kFacile =
    "530070000600195000098000060800060003400803001700020006060000280000419005000080079";
const std::string kSoluzioneFacile =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

using verifica::ContaSoluzioni;
using verifica::DaTesto;
using Tavola = verifica::Celle;

using verifica::LeggiSchemi;

// A clock that moves on by `passo` seconds at every reading.
class OrologioCheCorre final : public Orologio {
public:
    explicit OrologioCheCorre(double passo, double passoMezzanotte = 0) : passo_(passo), passoM_(passoMezzanotte) {}
    double Trascorsi() const override { return t_ += passo_; }
    double SecondiDaMezzanotte() const override { return m_ -= passoM_; }
    double Giorno() const override { return 46000.0; }

private:
    double passo_, passoM_;
    mutable double t_ = 100.0;
    mutable double m_ = 86399.0;
};

class RisolutoreTest : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> m = std::make_unique<Motore>(stato, orologio);
    Livelli livelli{*m, stato};

    void Carica(const std::string& schema, std::string codice = "") {
        for (int i = 0; i < 81; ++i) {
            const char ch = schema[i];
            stato.Problema[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(ch >= '1' && ch <= '9' ? ch - '0' : 0);
        }
        Motore::AzzeraTabella(m->Soluzione);
        livelli.SettaTurni(codice);
    }
    static std::string Testo(const Tabella& t) {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
        return s;
    }
    std::vector<Passo> Passi() const {
        return std::vector<Passo>(m->LogPassi.begin() + 1, m->LogPassi.begin() + 1 + m->NumPassi);
    }
    int ContaTipo(const std::string& tipo) const {
        int n = 0;
        for (const Passo& p : Passi()) n += p.Tipo == tipo;
        return n;
    }
    void Colpisci(int k, int r, int c, int d, const char* tipo = "C") {
        Mossa& mossa = stato.PilaAnnulla[k];
        mossa.Riga = static_cast<Byte>(r);
        mossa.Colonna = static_cast<Byte>(c);
        mossa.Cifra = static_cast<Byte>(d);
        mossa.Tipo = tipo;
        stato.NumMosse = k;
    }
};

// ---- Singles, dead ends, solutions ----------------------------------------------

TEST_F(RisolutoreTest, PuzzleOfSinglesIsSolvedAtLevelOneWithoutTrials) {
    Carica(kFacile);
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(m->ProfonditaMax, 1);
    EXPECT_EQ(Testo(m->Griglia), kSoluzioneFacile);
    EXPECT_EQ(ContaTipo("P"), 0);
    int soluzioni = 0;
    for (const Passo& p : Passi()) {
        EXPECT_TRUE(p.Tipo == "U" || p.Tipo == "X") << p.Testo;
        EXPECT_EQ(p.Profondita, 1);
        if (p.Tipo == "X") {
            ++soluzioni;
            EXPECT_EQ(p.Testo, "    Soluzione n.1");
        }
        if (p.Tipo == "U") {  // every narrated single is the solution's digit
            EXPECT_EQ(p.Cifra[0], kSoluzioneFacile[(p.Riga - 1) * 9 + p.Colonna - 1]) << p.Testo;
        }
    }
    EXPECT_EQ(soluzioni, 1);
    EXPECT_EQ(ContaTipo("U"), 51);  // one record per empty cell
    // A solution completed by the sweep is counted but not copied.
    EXPECT_EQ(m->Soluzione[1][1], 0);
}

TEST_F(RisolutoreTest, TwoSolutionsAreNarratedTrialByTrial) {
    std::string schema = kSoluzioneFacile;
    for (int i : {3 * 9 + 5, 3 * 9 + 8, 4 * 9 + 5, 4 * 9 + 8}) schema[i] = '0';  // (4,6) (4,9) (5,6) (5,9)
    Carica(schema);
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 2);
    EXPECT_EQ(m->ProfonditaMax, 2);
    const std::vector<std::string> attesi = {
        "    13 sono possibili in 4,6",
        "    Provo 1  in 4,6",
        "       1 in 5,9 unico possibile per quadrato 6",
        "       3 in 4,9 unico possibile per quadrato 6",
        "       3 in 5,6 unico possibile per quadrato 5",
        "       Soluzione n.1",
        "     cerco altre soluzioni",
        "    Provo 3  in 4,6",
        "       3 in 5,9 unico possibile per quadrato 6",
        "       1 in 4,9 unico possibile per quadrato 6",
        "       1 in 5,6 unico possibile per quadrato 5",
        "       Soluzione n.2",
        "     cerco altre soluzioni",
    };
    const auto passi = Passi();
    ASSERT_EQ(passi.size(), attesi.size());
    for (std::size_t i = 0; i < attesi.size(); ++i) EXPECT_EQ(passi[i].Testo, attesi[i]) << i;
    EXPECT_EQ(passi[0].Cifra, "13");
    EXPECT_EQ(passi[0].Codice, "P");
    EXPECT_EQ(passi[1].Cifra, "1");
    EXPECT_EQ(passi[6].Tipo, "X");
    EXPECT_EQ(passi[6].Codice, "P");
    EXPECT_EQ(passi[6].Riga, 4);
    EXPECT_EQ(passi[6].Colonna, 6);
    // The abandoned level's undo string, newest first, then ten blanks.
    EXPECT_EQ(passi[6].Ripristino, "E5,6,3|E4,9,3|E5,9,1|          ");
    // Neither solution was completed by a trial digit: Soluzione stays empty,
    // and the exhausted search leaves level 1's state (nothing placed there).
    EXPECT_EQ(m->Soluzione[1][1], 0);
    EXPECT_EQ(Testo(m->Griglia), schema);

    // With a maximum of 2 the search stops at the second solution, grid full.
    m->Risolvi(2);
    EXPECT_EQ(m->ContaSoluz, 2);
    EXPECT_EQ(m->LogPassi[m->NumPassi].Testo, "       Soluzione n.2");
    EXPECT_EQ(m->Griglia[4][6], 3);
}

TEST_F(RisolutoreTest, OneSolutionNeedingTrialsAnnouncesTheSearchForMoreOnce) {
    const auto schemi = LeggiSchemi("sudocue_superiors.txt", 1);
    ASSERT_EQ(schemi.size(), 1u);
    Carica(schemi[0]);
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 1);
    const auto passi = Passi();
    // The first backtrack after the solution line is the only " cerco altre
    // soluzioni"; every other backtrack withdraws its digit.
    bool primoDopo = false;
    int cerco = 0, nonPossibile = 0;
    for (const Passo& p : passi) {
        if (p.Tipo == "X" && p.Codice.empty()) {
            primoDopo = true;
            continue;
        }
        if (p.Tipo != "X" || p.Codice != "P") continue;
        if (p.Testo.find(" cerco altre soluzioni") != std::string::npos) {
            EXPECT_TRUE(primoDopo) << p.Testo;
            ++cerco;
        } else {
            EXPECT_NE(p.Testo.find(" non possibile in "), std::string::npos) << p.Testo;
            EXPECT_FALSE(primoDopo) << p.Testo;
            ++nonPossibile;
        }
        primoDopo = false;
    }
    EXPECT_EQ(cerco, 1);
    EXPECT_GT(nonPossibile, 0);
    EXPECT_NE(passi.back().Testo, " Nessuna Soluzione ");
    EXPECT_GE(m->ProfonditaMax, 2);
}

TEST_F(RisolutoreTest, ContradictoryGivensEndWithNoSolution) {
    // Row 1 holds 1..8 and column 9 a 9: cell (1,9) has no candidate.
    Carica("123456780000000009" + std::string(63, '0'));
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 0);
    const auto passi = Passi();
    ASSERT_FALSE(passi.empty());
    EXPECT_EQ(passi.back().Testo, " Nessuna Soluzione ");
    EXPECT_EQ(passi.back().Tipo, "X");
    EXPECT_EQ(passi.back().Codice, "N");
    EXPECT_EQ(passi.back().Profondita, 1);
    EXPECT_EQ(ContaTipo("N"), 1);
    EXPECT_EQ(passi[passi.size() - 2].Testo, "     nessun numero possibile in 1,9");
}

TEST_F(RisolutoreTest, StaleFilledCountAndLeftoverRestrictionDoNotChangeTheSolve) {
    Carica(kFacile);
    m->NumCellePiene = 81;  // stale: would make every empty cell look filled
    m->PilaLivelli[0].Cifra = 7;
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(Testo(m->Griglia), kSoluzioneFacile);
    const auto prima = Passi();
    m->Risolvi(4);
    const auto dopo = Passi();
    ASSERT_EQ(prima.size(), dopo.size());
    for (std::size_t i = 0; i < prima.size(); ++i) EXPECT_EQ(prima[i].Testo, dopo[i].Testo);
}

TEST_F(RisolutoreTest, StruckCandidatesAreHonouredOnce) {
    Carica(kFacile);
    Colpisci(1, 1, 3, 4);       // (1,3) is 4 in the only solution
    Colpisci(2, 1, 3, 4);       // a second strike of the same candidate
    Colpisci(3, 1, 4, 6, "N");  // not a strike
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 0);
    EXPECT_EQ(m->LogPassi[m->NumPassi].Testo, " Nessuna Soluzione ");

    // Checked on the counters: Risolvi builds them, then a no-trial run in
    // analysis mode leaves them as the set-up made them.
    Carica(std::string(81, '0'));
    m->Analisi = true;
    m->Risolvi(1);
    EXPECT_EQ(m->Possibili[1][3][4], 49);
    EXPECT_EQ(m->NumeroCandidati[1][3], 8);
    EXPECT_EQ(m->Possibili[1][4][6], 50);
    EXPECT_EQ(m->NumeroCandidati[1][4], 9);
}

// ---- Modes ---------------------------------------------------------------------

TEST_F(RisolutoreTest, AnalysisNarratesEverySingleAndPlacesNone) {
    Carica(kFacile);
    m->Analisi = true;
    m->Risolvi(4);
    EXPECT_EQ(Testo(m->Griglia), kFacile);
    // Every rule that holds in the initial grid, counted independently.
    const Tavola t = DaTesto(kFacile);
    auto candidato = [&](int r, int c, int d) {
        if (t[r * 9 + c] != 0) return false;
        for (int i = 0; i < 9; ++i)
            if (t[r * 9 + i] == d || t[i * 9 + c] == d ||
                t[((r / 3) * 3 + i / 3) * 9 + (c / 3) * 3 + i % 3] == d)
                return false;
        return true;
    };
    int regole = 0;
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c)
            for (int d = 1; d <= 9; ++d) {
                if (!candidato(r, c, d)) continue;
                int nb = 0, nr = 0, nc = 0, nn = 0;
                for (int i = 0; i < 9; ++i) {
                    nb += candidato((r / 3) * 3 + i / 3, (c / 3) * 3 + i % 3, d);
                    nr += candidato(r, i, d);
                    nc += candidato(i, c, d);
                    nn += candidato(r, c, i + 1);
                }
                regole += (nb == 1) + (nr == 1) + (nc == 1) + (nn == 1);
            }
    EXPECT_GT(regole, 0);
    EXPECT_EQ(m->NumPassi, regole);
    EXPECT_EQ(ContaTipo("U"), regole);  // no trial, no solution line
    EXPECT_EQ(m->ContaSoluz, 0);
}

TEST_F(RisolutoreTest, SinglesReportBoxBeforeRowBeforeColumnBeforeNaked) {
    // Digit 5 at (1,1) only place in box 1 and in row 1, the only candidate too.
    Carica("0" + kSoluzioneFacile.substr(1));
    m->Inizializza();
    for (int r = 1; r <= 9; ++r)
        for (int c = 1; c <= 9; ++c)
            if (stato.Problema[r][c]) {
                m->PilaLivelli[0].Riga = static_cast<Byte>(r);
                m->PilaLivelli[0].Colonna = static_cast<Byte>(c);
                m->PilaLivelli[0].Cifra = stato.Problema[r][c];
                m->Aggiorna(0);
            }
    m->NumPassi = 0;
    EXPECT_TRUE(m->CercaSoluzioniBelle(1, 1, true, 1, 5));
    ASSERT_EQ(m->NumPassi, 1);
    EXPECT_EQ(m->LogPassi[1].Testo, "    5 in 1,1 unico possibile per quadrato 1");
    EXPECT_EQ(m->LogPassi[1].Codice, "Q");
    EXPECT_FALSE(m->CercaSoluzioniBelle(1, 1, true, 1, 3));  // not a candidate
    EXPECT_FALSE(m->CercaSoluzioniBelle(1, 2, true, 1, 3));  // a filled cell
    EXPECT_EQ(m->NumPassi, 1);

    m->Analisi = true;
    m->NumPassi = 0;
    EXPECT_FALSE(m->CercaSoluzioniBelle(1, 1, true, 2, 5));
    ASSERT_EQ(m->NumPassi, 4);
    EXPECT_EQ(m->LogPassi[2].Testo, "       5 in 1,1 unico possibile per riga 1");
    EXPECT_EQ(m->LogPassi[3].Testo, "       5 in 1,1 unico possibile per colonna 1");
    EXPECT_EQ(m->LogPassi[4].Testo, "       5 in 1,1 unico possibile");
    EXPECT_EQ(m->LogPassi[4].Codice, "");
    EXPECT_EQ(m->LogPassi[4].Tipo, "U");
    EXPECT_EQ(m->LogPassi[4].Profondita, 2);

    // A struck candidate is no place for its digit.
    m->Analisi = false;
    m->NumPassi = 0;
    m->PilaLivelli[0].Riga = 1;
    m->PilaLivelli[0].Colonna = 1;
    m->PilaLivelli[0].Cifra = 5;
    m->AggiornaColori(0);
    EXPECT_FALSE(m->CercaSoluzioniBelle(1, 1, true, 1, 5));
    EXPECT_EQ(m->NumPassi, 0);

    // On an empty board, 7 left alone at (5,5): a naked single, but 7 has other
    // places in every unit, so with hidden singles only it is none.
    m->Inizializza();
    for (int d = 1; d <= 9; ++d) {
        if (d == 7) continue;
        m->PilaLivelli[0].Riga = 5;
        m->PilaLivelli[0].Colonna = 5;
        m->PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m->AggiornaColori(0);
    }
    EXPECT_TRUE(m->CercaSoluzioniBelle(5, 5, false, 1, 7));
    EXPECT_EQ(m->NumPassi, 0);  // narra false: nothing logged
    m->SaltaNaked = true;
    EXPECT_FALSE(m->CercaSoluzioniBelle(5, 5, true, 1, 7));
    EXPECT_EQ(m->NumPassi, 0);
}

TEST_F(RisolutoreTest, DeadEndTestNamesTheFirstContradiction) {
    m->Inizializza();
    EXPECT_TRUE(m->Verifiche(1));
    m->NumPassi = 0;
    // Digit 4 struck from every cell of row 3: the row test fires.
    for (int c = 1; c <= 9; ++c) {
        m->PilaLivelli[0].Riga = 3;
        m->PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m->PilaLivelli[0].Cifra = 4;
        m->AggiornaColori(0);
    }
    EXPECT_FALSE(m->Verifiche(1));
    EXPECT_EQ(m->LogPassi[1].Testo, "    4 non  possibile in riga 3");
    EXPECT_EQ(m->LogPassi[1].Codice, "R");
    EXPECT_EQ(m->LogPassi[1].Tipo, "N");
    EXPECT_EQ(m->LogPassi[1].Cifra, "0");
    // A cell without candidates comes first, even with the row still lacking 4.
    for (int d = 1; d <= 9; ++d) {
        m->PilaLivelli[0].Riga = 8;
        m->PilaLivelli[0].Colonna = 2;
        m->PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m->AggiornaColori(0);
    }
    EXPECT_FALSE(m->Verifiche(2));
    EXPECT_EQ(m->LogPassi[2].Testo, "        nessun numero possibile in 8,2");
    EXPECT_EQ(m->LogPassi[2].Riga, 8);

    // Columns and boxes, with the double blanks of their sentences.
    m->Inizializza();
    for (int r = 1; r <= 9; ++r) {
        m->PilaLivelli[0].Riga = static_cast<Byte>(r);
        m->PilaLivelli[0].Colonna = 6;
        m->PilaLivelli[0].Cifra = 2;
        m->AggiornaColori(0);
    }
    EXPECT_FALSE(m->Verifiche(1));
    EXPECT_EQ(m->LogPassi[m->NumPassi].Testo, "    2 non  possibile in colonna  6");
    m->Inizializza();
    for (int p = 1; p <= 9; ++p) {
        m->PilaLivelli[0].Riga = m->CelleQuadrato[0][9][p];
        m->PilaLivelli[0].Colonna = m->CelleQuadrato[1][9][p];
        m->PilaLivelli[0].Cifra = 9;
        m->AggiornaColori(0);
    }
    EXPECT_FALSE(m->Verifiche(1));
    EXPECT_EQ(m->LogPassi[m->NumPassi].Testo, "    9 non  possibile in quadrato 9");
    EXPECT_EQ(m->LogPassi[m->NumPassi].Codice, "Q");
}

TEST_F(RisolutoreTest, TimeLimitEndsTheSearchOnTheElapsedClock) {
    const auto schemi = LeggiSchemi("sudocue_superiors.txt", 1);
    ASSERT_EQ(schemi.size(), 1u);
    {
        // One second per reading: past 5 seconds at the sixth level entered,
        // long before an empty board has its first solution.
        OrologioCheCorre veloce(1.0);
        auto mm = std::make_unique<Motore>(stato, veloce);
        Carica(std::string(81, '0'));
        mm->Risolvi(4);
        EXPECT_EQ(mm->ContaSoluz, 4);
        EXPECT_EQ(mm->ProfonditaMax, 20);
        EXPECT_EQ(mm->Valore, 0);
        // Plain searches are bounded by the same clock.
        mm->Inizializza();
        mm->ContaRiempimento = 0;
        mm->Sviluppa(1, true, 81, false);
        EXPECT_EQ(mm->ContaSoluz, 4);
    }
    {
        // Seconds since midnight running backwards (a solve across midnight)
        // do not matter: only the elapsed clock bounds the solve.
        OrologioCheCorre mezzanotte(0.0, 3600.0);
        auto mm = std::make_unique<Motore>(stato, mezzanotte);
        Carica(schemi[0]);
        mm->Risolvi(4);
        EXPECT_EQ(mm->ContaSoluz, 1);
    }
}

TEST_F(RisolutoreTest, PlainSearchLeavesTheTablesOfItsTrialDigitsInPlace) {
    // However a plain search ends, Possibili and NumeroCandidati are what the
    // givens and the trial digits still in place make of them, placed one by one.
    const auto schemi = LeggiSchemi("seventeen_1000.txt", 1);
    auto tabelleAttese = [&](const Motore& fatto, int piazzati) {
        Condiviso altro;
        auto atteso = std::make_unique<Motore>(altro, orologio);
        atteso->ContaRiempimento = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (stato.Problema[r][c] != 0) {
                    atteso->PilaLivelli[0] = {static_cast<Byte>(r), static_cast<Byte>(c), 0, 0, "",
                                              stato.Problema[r][c], ""};
                    atteso->Aggiorna(0);
                }
        for (int k = 1; k <= piazzati; ++k) {
            atteso->PilaLivelli[0] = fatto.PilaLivelli[k];
            atteso->Aggiorna(0);
        }
        EXPECT_EQ(Testo(atteso->Griglia), Testo(fatto.Griglia));
        EXPECT_EQ(atteso->Possibili, fatto.Possibili);
        EXPECT_EQ(atteso->NumeroCandidati, fatto.NumeroCandidati);
    };
    auto cerca = [&](Motore& mm, Byte massimo) {
        Carica(schemi[0]);
        mm.Inizializza();
        mm.ContaRiempimento = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (stato.Problema[r][c] != 0) {
                    mm.PilaLivelli[0] = {static_cast<Byte>(r), static_cast<Byte>(c), 0, 0, "",
                                         stato.Problema[r][c], ""};
                    mm.Aggiorna(0);
                }
        mm.Sviluppa(massimo, false, 64, false);
    };
    // Cut short by the time limit at the sixth level entered: five trial digits in place.
    OrologioCheCorre veloce(1.0);
    auto mm = std::make_unique<Motore>(stato, veloce);
    cerca(*mm, 2);
    EXPECT_EQ(mm->ContaSoluz, 4);
    tabelleAttese(*mm, 5);
    // Ended at its solution: every empty cell holds its trial digit.
    cerca(*m, 1);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(Testo(m->Griglia).find('0'), std::string::npos);
    tabelleAttese(*m, 64);
    // Exhausted: nothing is left of the trials.
    cerca(*m, 2);
    EXPECT_EQ(m->ContaSoluz, 1);
    tabelleAttese(*m, 0);
}

TEST_F(RisolutoreTest, PlainSearchTakesTheTrialCellByTheCountsItIsGiven) {
    // The trial cell is chosen by NumeroCandidati as it stands, whatever the
    // candidates say, counts of 16 and more included.
    auto prepara = [&](int conteggio, int conteggioB) {
        Carica(kFacile);
        m->Inizializza();
        m->ContaRiempimento = 0;
        int vuote = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) {
                if (stato.Problema[r][c] == 0) {
                    ++vuote;
                    continue;
                }
                m->PilaLivelli[0] = {static_cast<Byte>(r), static_cast<Byte>(c), 0, 0, "", stato.Problema[r][c], ""};
                m->Aggiorna(0);
            }
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c)
                if (m->Griglia[r][c] == 0) m->NumeroCandidati[r][c] = static_cast<Byte>(conteggio);
        m->NumeroCandidati[9][1] = static_cast<Byte>(conteggioB);
        m->Sviluppa(2, false, static_cast<Byte>(vuote), false);
    };
    // Every other empty cell counts more than (9,1), by its high bits or its low ones.
    for (const auto& [conteggio, conteggioB] : {std::pair{20, 17}, std::pair{200, 3}}) {
        Motore::AzzeraTabella(m->Soluzione);
        prepara(conteggio, conteggioB);
        EXPECT_EQ(m->PilaLivelli[1].Riga, 9);
        EXPECT_EQ(m->PilaLivelli[1].Colonna, 1);
        EXPECT_EQ(m->PilaLivelli[1].NumValidi, conteggioB);
        EXPECT_EQ(m->ContaSoluz, 1);
        EXPECT_EQ(Testo(m->Soluzione), kSoluzioneFacile);
    }
}

TEST_F(RisolutoreTest, NoTrialModeStopsWhereATrialWouldBeNeeded) {
    m->SenzaTentativi = true;
    Carica(kFacile);
    m->Risolvi(1);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(m->ProfonditaMax, 1);
    // Two solutions wanted: even the logic-solved puzzle reaches the trial point.
    m->Risolvi(2);
    EXPECT_EQ(m->Valore, -10);
    EXPECT_EQ(m->ProfonditaMax, 10);

    const auto schemi = LeggiSchemi("sudocue_superiors.txt", 1);
    Carica(schemi[0]);
    m->Risolvi(1);
    EXPECT_EQ(m->Valore, -10);
    EXPECT_EQ(m->ProfonditaMax, 10);
    EXPECT_EQ(ContaTipo("P"), 0);

    // Singles only: the forbidden trial does not apply.
    m->SoloSingoli = true;
    m->Risolvi(1);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_GE(m->ProfonditaMax, 2);
}

TEST_F(RisolutoreTest, PlainSearchOnAnEmptyBoardDrawsAFullGrid) {
    m->Inizializza();
    m->ContaRiempimento = 0;
    m->NumPassi = 0;
    m->Sviluppa(1, true, 81, false);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(m->ProfonditaMax, 82);
    EXPECT_EQ(m->NumPassi, 0);
    const std::string griglia = Testo(m->Griglia);
    EXPECT_EQ(griglia.find('0'), std::string::npos);
    EXPECT_EQ(ContaSoluzioni(DaTesto(griglia), 2, nullptr), 1);
    EXPECT_EQ(Testo(m->Soluzione), griglia);
    // Another draw gives another grid.
    Motore::AzzeraTabella(m->Soluzione);
    m->Inizializza();
    m->Sviluppa(1, true, 81, false);
    EXPECT_NE(Testo(m->Griglia), griglia);
}

TEST_F(RisolutoreTest, UnnarratedSolveOfTheBoardStopsFullAtItsFirstSolution) {
    // Risolvi keeps counting filled cells, so without narration a grid completed
    // by a trial is recognised twice: by the count and by the level.  Asked for
    // two solutions, a unique puzzle thus ends with its solution on the grid.
    const auto schemi = LeggiSchemi("sudocue_superiors.txt", 1);
    ASSERT_EQ(schemi.size(), 1u);
    Carica(schemi[0]);
    m->SoluzioneLogica = false;
    m->Risolvi(2);
    EXPECT_EQ(m->ContaSoluz, 2);
    EXPECT_EQ(m->NumPassi, 0);
    EXPECT_EQ(Testo(m->Griglia), Testo(m->Soluzione));
    EXPECT_EQ(ContaSoluzioni(DaTesto(schemi[0]), 2, nullptr), 1);
    EXPECT_TRUE(verifica::SoluzioneDi(DaTesto(schemi[0]), DaTesto(Testo(m->Griglia))));
}

TEST_F(RisolutoreTest, FullBoardIsOneSolutionAtOnce) {
    Carica(kSoluzioneFacile);
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(Testo(m->Soluzione), kSoluzioneFacile);
    EXPECT_EQ(m->NumPassi, 1);
    EXPECT_EQ(m->LogPassi[1].Testo, "    Soluzione n.1");
}

TEST_F(RisolutoreTest, FewestCandidatesCellsAreRecordedAtTheFirstTrialPoint) {
    // On an empty board the first cells keep 4, 3, 3 and 5 candidates; the
    // minimum of the grid is 3.  Every cell that equalled or lowered the running
    // minimum is recorded, the one with 5 is not.
    m->Inizializza();
    m->ContaRiempimento = 0;
    auto lascia = [&](int c, const std::string& validi) {
        for (int d = 1; d <= 9; ++d) {
            if (validi.find(static_cast<char>('0' + d)) != std::string::npos) continue;
            m->PilaLivelli[0].Riga = 1;
            m->PilaLivelli[0].Colonna = static_cast<Byte>(c);
            m->PilaLivelli[0].Cifra = static_cast<Byte>(d);
            m->AggiornaColori(0);
        }
    };
    lascia(1, "1234");
    lascia(2, "567");
    lascia(3, "189");
    lascia(4, "23456");
    m->RegistraCelleMin = true;
    m->Sviluppa(1, false, 81, false);
    EXPECT_EQ(m->ContaSoluz, 1);
    ASSERT_EQ(m->NumCelleMin, 3);
    const char* attesi[] = {"", "1234", "567", "189"};
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(m->CelleMinR[i], 1);
        EXPECT_EQ(m->CelleMinC[i], i);
        EXPECT_EQ(m->CelleMinValidi[i], attesi[i]);
    }
    // Only the first trial point records.
    m->RegistraCelleMin = false;
    m->Inizializza();
    m->Sviluppa(1, false, 81, false);
    EXPECT_EQ(m->NumCelleMin, 0);
}

// ---- Scoring -------------------------------------------------------------------------

TEST_F(RisolutoreTest, SingleAfterATechniqueStepEarnsTheBonus) {
    auto singolo = [&](int livello) {
        m->AggiungiPasso(static_cast<Byte>(livello), "    4 in 1,1 unico possibile", 1, 1, "4", "", "", "U", "",
                         0);
        m->PremiaSingolo(livello);
    };
    // Group S in turn 1, the single in the first pass after it.
    m->RegistraTecnica(3, m->ContaTecnicaS, 1);
    m->PesaPassoPendente();
    singolo(1);
    EXPECT_EQ(m->Valore, 258);
    EXPECT_EQ(m->ContaTecnicaS, 1);
    EXPECT_EQ(m->ContaPregio, 1);
    EXPECT_FALSE(m->TecnicaPendente);
    EXPECT_EQ(m->LogPassi[m->NumPassi].Testo, "    4 in 1,1 unico possibile !!!!");

    // The single only in the second pass: the step's weight counts once.
    m->Valore = 0;
    m->RegistraTecnica(3, m->ContaTecnicaS, 1);
    m->PesaPassoPendente();
    m->PesoPasso = 0;  // end of the first pass
    m->PesaPassoPendente();
    singolo(1);
    EXPECT_EQ(m->Valore, 243);

    // Accumulated weights of earlier turns count only from the pending turn on;
    // every accumulator is emptied by the bonus, and level 2 earns no merit.
    m->Valore = 0;
    m->RegistraTecnica(10, m->ContaTecnicaG, 2);
    m->PesaPassoPendente();  // turn 2 holds 10, no single followed
    m->RegistraTecnica(3, m->ContaTecnicaS, 1);
    m->PesaPassoPendente();  // turn 1 holds 3
    m->RegistraTecnica(50, m->ContaTecnicaC, 4);
    m->PesaPassoPendente();  // turn 4 holds 50
    m->RegistraTecnica(0, m->ContaTecnicaC, 3);  // Nishio, turn 3
    m->PesaPassoPendente();
    const std::int32_t prima = m->Valore;
    singolo(2);
    EXPECT_EQ(prima, 63);
    EXPECT_EQ(m->Valore - prima, 210 + 10 * 50);
    EXPECT_EQ(m->ContaPregio, 2);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(m->AccumulatoriTurno[k], 0);
    EXPECT_EQ(m->ContaTecnicaC, 2);
}

TEST_F(RisolutoreTest, LockedCandidateStepThenASingleScoresThroughTheTurnLoop) {
    // Singles alone stall on these; one locked-candidate step of group S opens them.
    const std::string primoPasso =
        "034078900000095348108000000809700023000800001710020800061007084287400630340080170";
    const std::string secondoPasso =
        "500000902000090308098302560000701003400053700000924006001507080280409605300200070";
    Carica(primoPasso, "S");
    m->Risolvi(4);
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(m->ProfonditaMax, 1);
    EXPECT_EQ(m->ContaTecnicaS, 1);
    // The single came in the first pass after the step: 3 + 15 + 210 + 30.
    EXPECT_EQ(m->Valore, 258);
    EXPECT_EQ(m->ContaPregio, 1);
    const auto passi = Passi();
    int tecnica = -1, premiati = 0;
    for (int i = 0; i < static_cast<int>(passi.size()); ++i) {
        if (passi[i].Tipo == "S") tecnica = i;
        const std::string& t = passi[i].Testo;
        if (t.size() > 5 && t.compare(t.size() - 5, 5, " !!!!") == 0) {
            ++premiati;
            // The marker is on the first single after the step.
            EXPECT_EQ(passi[i].Tipo, "U");
            ASSERT_GE(tecnica, 0);
            for (int j = tecnica + 1; j < i; ++j) EXPECT_NE(passi[j].Tipo, "U");
        }
    }
    EXPECT_EQ(premiati, 1);

    // Here the single comes only in the second pass: 3 + 210 + 30.
    Carica(secondoPasso, "S");
    m->Risolvi(4);
    EXPECT_EQ(m->ContaTecnicaS, 1);
    EXPECT_EQ(m->Valore, 243);

    // Without the group a trial is needed, and nothing is scored.
    Carica(primoPasso, "");
    m->Risolvi(4);
    EXPECT_GE(m->ProfonditaMax, 2);
    EXPECT_EQ(m->Valore, 0);
    EXPECT_EQ(m->ContaTecnicaS, 0);

    // Reasoning depth 1 runs group S only in the first turn; depth 0 runs no turn.
    m->IndiceRagionamento = 1;
    Carica(primoPasso, "GS");
    m->Risolvi(4);
    EXPECT_EQ(m->ContaTecnicaS, 0);
    Carica(primoPasso, "SG");
    m->Risolvi(4);
    EXPECT_EQ(m->ContaTecnicaS, 1);
    m->IndiceRagionamento = 0;
    m->Risolvi(4);
    EXPECT_EQ(m->ContaTecnicaS, 0);
}

TEST_F(RisolutoreTest, RestrictionDigitZeroMakesAnEmptyPassAfterASubsetStep) {
    // 17 givens, no single at the start; two hidden subsets of group G at level 1
    // (row 7, then box 9) open the singles.  Subset steps leave record 0 alone, so
    // each sweep after them starts restricted to digit 0: that pass adds the
    // step's weight and finds nothing, and the single comes in the next pass.
    const std::string schema =
        "300004005000020600000000800060000720100800000000000000020670000000000013000900000";
    Carica(schema, "GSDBC");
    stato.TecnicheAttive = {1, 1, 1, 1, 1, 1};
    m->ModoRisolvi = true;
    m->PilaLivelli[0].Cifra = 7;  // left by an earlier solve; Risolvi clears it
    m->Risolvi(4);
    m->ModoRisolvi = false;
    EXPECT_EQ(m->ContaSoluz, 1);
    EXPECT_EQ(m->ProfonditaMax, 1);
    EXPECT_EQ(m->ContaTecnicaG, 2);
    EXPECT_EQ(m->ContaPregio, 1);
    // First step: its empty pass adds 10 (turn 1 holds 10).  Second step: its
    // empty pass adds 10 (turn 1 holds 20), the single of the next pass adds
    // 5 x 0 + 210 and 10 x 20.  Read as "no restriction", digit 0 would let the
    // single come in the first pass and add 5 x 10 more.
    EXPECT_EQ(m->Valore, 10 + 10 + 210 + 200);
    const auto passi = Passi();
    ASSERT_GE(passi.size(), 3u);
    EXPECT_EQ(passi[0].Tipo, "g");
    EXPECT_EQ(passi[1].Tipo, "g");
    EXPECT_EQ(passi[2].Testo, "    2 in 3,9 unico possibile per colonna 9 !!!!");
}

// ---- Technique turns -------------------------------------------------------------

// The empty board with the user's strikes, solved up to the forbidden trial point.
class TurniTest : public RisolutoreTest {
protected:
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d)
            if (cifre.find(static_cast<char>('0' + d)) == std::string::npos)
                Colpisci(stato.NumMosse + 1, r, c, d);
    }
    void Risolvi(const std::string& codice, const std::array<Byte, 6>& interruttori) {
        Carica(std::string(81, '0'), codice);
        stato.TecnicheAttive = interruttori;
        m->SenzaTentativi = true;
        m->Risolvi(1);
        m->SenzaTentativi = false;
    }
    std::string TipiTecniche() const {
        std::string tipi;
        for (const Passo& p : Passi())
            if (p.Tipo != "U" && p.Tipo != "P" && p.Tipo != "X" && p.Tipo != "N") tipi += p.Tipo;
        return tipi;
    }
};

TEST_F(TurniTest, GroupsRunInTheOrderOfTheLevelCode) {
    // Row 4 keeps 7 only in box 5 (group S); (1,1) and (1,2) keep only 1 and 2 (group G).
    for (int c : {1, 2, 3, 7, 8, 9}) Colpisci(stato.NumMosse + 1, 4, c, 7);
    Lascia(1, 1, "12");
    Lascia(1, 2, "12");
    Risolvi("SG", {0, 0, 0, 0, 0, 0});
    EXPECT_EQ(TipiTecniche().substr(0, 2), "SG");
    Risolvi("GS", {0, 0, 0, 0, 0, 0});
    const std::string tipi = TipiTecniche();
    EXPECT_EQ(tipi[0], 'G');
    EXPECT_NE(tipi.find('S'), std::string::npos);
    // A letter beyond the fifth position never runs.
    Risolvi("BCXYZS", {0, 0, 0, 0, 0, 0});
    EXPECT_EQ(TipiTecniche(), "");
    EXPECT_EQ(m->Valore, -10);
}

TEST_F(TurniTest, FishSwitchAloneLetsTheXYWingRunWithoutCountingIt) {
    // An XY-wing: {3,5} at (2,2), {3,8} at (2,7), {5,8} at (5,2).
    Lascia(2, 2, "35");
    Lascia(2, 7, "38");
    Lascia(5, 2, "58");
    Risolvi("B", {1, 0, 0, 0, 0, 0});
    EXPECT_GE(ContaTipo("W"), 1);
    EXPECT_EQ(m->ContaTecnicaB, ContaTipo("B"));
    // Its own switch counts every wing.
    Risolvi("B", {0, 1, 0, 0, 0, 0});
    EXPECT_GE(ContaTipo("W"), 1);
    EXPECT_EQ(m->ContaTecnicaB, ContaTipo("W") + ContaTipo("B"));
    // With the fish switch on, any other technique switch withholds the wing.
    for (int altro = 2; altro <= 5; ++altro) {
        std::array<Byte, 6> interruttori{1, 0, 0, 0, 0, 0};
        interruttori[altro] = 1;
        Risolvi("B", interruttori);
        EXPECT_EQ(ContaTipo("W"), 0) << altro;
    }
}

TEST_F(RisolutoreTest, SolveResetsItsMeasuresAndReadsTheReasoningDepth) {
    m->Valore = 999;
    m->ContaTecnicaB = 7;
    m->ContaPregio = 9;
    m->AccumulatoriTurno[2] = 40;
    m->GruppiApplicatiR[3][5] = "k";
    m->SwordFishApplicatiC[9][50] = "k";
    m->IndiceRagionamento = 1;
    Carica(kFacile, "SGDBC");
    m->Risolvi(4);
    EXPECT_EQ(m->LivelloRagionamento, 1);
    // Singles alone solve it: no technique step, no bonus.
    EXPECT_EQ(m->Valore, 0);
    EXPECT_EQ(m->ContaTecnicaB, 0);
    EXPECT_EQ(m->ContaPregio, 0);
    EXPECT_EQ(m->AccumulatoriTurno[2], 0);
    EXPECT_EQ(m->GruppiApplicatiR[3][5], "");
    EXPECT_EQ(m->SwordFishApplicatiC[9][50], "");
}

// ---- Agreement with an independent solver ----------------------------------------

TEST_F(RisolutoreTest, NarratedAndPlainSolvesAgreeWithAnIndependentSolver) {
    std::vector<std::string> schemi = LeggiSchemi("sudocue_superiors.txt", 25);
    for (const std::string& s : LeggiSchemi("qqwing_expert.txt", 25)) schemi.push_back(s);
    ASSERT_EQ(schemi.size(), 50u);
    // Some with several solutions: a few givens taken away.
    for (int i = 0; i < 6; ++i) {
        std::string s = schemi[i];
        int tolti = 0;
        for (char& ch : s)
            if (ch != '0' && ch != '.' && tolti < 4 + i) ch = '0', ++tolti;
        schemi.push_back(s);
    }
    for (const std::string& s : schemi) {
        Tavola prima{};
        const int attese = ContaSoluzioni(DaTesto(s), 4, &prima);
        const std::string unica = verifica::ComeTesto(prima);

        // As the loader and the solve command do it.
        Carica(s);
        m->Risolvi(1);
        Motore::SalvaTabella(m->Griglia, m->Soluzione);
        m->Risolvi(4);
        EXPECT_EQ(m->ContaSoluz, attese) << s;
        const std::string griglia = Testo(m->Griglia);
        const std::string mostrata = griglia.find('0') == std::string::npos ? griglia : Testo(m->Soluzione);
        EXPECT_TRUE(verifica::SoluzioneDi(DaTesto(s), DaTesto(mostrata))) << s;
        if (attese == 1) {
            EXPECT_EQ(mostrata, unica) << s;
            // Every placed single at depth 1 is the solution's digit.
            for (const Passo& p : Passi())
                if (p.Tipo == "U" && p.Profondita == 1) {
                    EXPECT_EQ(p.Cifra[0], unica[(p.Riga - 1) * 9 + p.Colonna - 1]) << s;
                }
        }

        // The generator's plain uniqueness test.
        m->Inizializza();
        m->ContaRiempimento = 0;
        int vuote = 0;
        for (int i = 0; i < 81; ++i) {
            if (s[i] < '1' || s[i] > '9') {
                ++vuote;
                continue;
            }
            m->PilaLivelli[0].Riga = static_cast<Byte>(i / 9 + 1);
            m->PilaLivelli[0].Colonna = static_cast<Byte>(i % 9 + 1);
            m->PilaLivelli[0].Cifra = static_cast<Byte>(s[i] - '0');
            m->Aggiorna(0);
        }
        Motore::AzzeraTabella(m->Soluzione);
        m->Sviluppa(2, false, static_cast<Byte>(vuote), false);
        EXPECT_EQ(m->ContaSoluz, std::min(attese, 2)) << s;
        if (attese == 1) {
            EXPECT_EQ(Testo(m->Soluzione), unica) << s;
        }
    }
}

}  // namespace
}  // namespace kenvaron
