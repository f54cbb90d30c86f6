// The reasoning list, the technique names and the hints on the step logs of
// real solves of the public puzzle sets (every group, every switch, both
// advanced settings), on hand-made logs for the boundaries, and the solve
// behind "Risolvi" checked against the independent solver.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "bench/Comune.h"
#include "engine/Marcatori.h"
#include "engine/Motore.h"
#include "generation/Livelli.h"
#include "narration/Aiuto.h"
#include "narration/ListaRagionamento.h"
#include "narration/NomeTecnica.h"
#include "narration/Risoluzione.h"
#include "tests/core/SchemiPubblici.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron {
namespace {

using namespace narrazione;

// An engine on a clock that never moves: no solve ends at the time limit.
struct Banco {
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> motore = std::make_unique<Motore>(stato, orologio);
    Motore& m = *motore;
    Livelli livelli{m, stato};
    std::optional<Tabella> mostrata;

    // Loads the puzzle as the loader does, then solves it as "Risolvi" does.
    void Risolvi(const std::string& schema, std::string codice, const std::string& avanzate = "000",
                 const std::string& interruttori = "111111", int pesci = 5) {
        bench::Carica(stato.Problema, schema);
        stato.NumMosse = 0;
        for (int i = 0; i < 6; ++i) stato.TecnicheAttive[i] = static_cast<Byte>(interruttori[i] - '0');
        for (int i = 0; i < 3; ++i) stato.TecnicheAvanzate[i] = static_cast<Byte>(avanzate[i] - '0');
        m.LimiteFor = static_cast<std::int16_t>(pesci);
        livelli.SettaTurni(codice);
        m.ModoRisolvi = true;
        bench::SoluzioneDelCaricatore(m);
        mostrata = RisolviPerComando(m);
    }
};

// One real solve, with the puzzle and the order it was solved with.
struct Soluzione {
    std::string nome;
    std::vector<Passo> passi;
};

// Solves of both public sets with every group order, both advanced settings
// and two opposite sets of technique switches.
const std::vector<Soluzione>& SoluzioniReali() {
    static const std::vector<Soluzione> tutte = [] {
        std::vector<Soluzione> v;
        auto banco = std::make_unique<Banco>();
        for (const char* file : {"qqwing_expert.txt", "sudocue_superiors.txt"})
            for (const std::string& schema : verifica::LeggiSchemi(file, 10))
                for (const char* codice : {"SGDBC", "BSGCD", "C", "DSGBC", "GSDBC"})
                    for (const char* avanzate : {"000", "111"})
                        for (const char* interruttori : {"111111", "010101"}) {
                            banco->Risolvi(schema, codice, avanzate, interruttori);
                            Soluzione s{
                                std::string(file) + " " + schema + " " + codice + " " + avanzate + " " + interruttori,
                                {}};
                            s.passi.assign(banco->m.LogPassi.begin() + 1,
                                           banco->m.LogPassi.begin() + 1 + banco->m.NumPassi);
                            v.push_back(std::move(s));
                        }
        return v;
    }();
    return tutte;
}

// An engine whose log holds the given steps.
std::unique_ptr<Banco> ConPassi(const std::vector<Passo>& passi) {
    auto b = std::make_unique<Banco>();
    b->m.NumPassi = static_cast<int>(passi.size());
    std::copy(passi.begin(), passi.end(), b->m.LogPassi.begin() + 1);
    return b;
}

Passo Fatto(const std::string& tipo, const std::string& testo, const std::string& celle = "", Byte profondita = 1,
            const std::string& codice = "", Byte dimensione = 0) {
    return Passo{testo, profondita, 0, 0, "0", "", celle, tipo, codice, dimensione};
}

bool Contiene(const std::string& s, const std::string& parola) { return s.find(parola) != std::string::npos; }

// The (row, column, digit) entries of a cell list before its first "/".
std::vector<std::string> Eliminazioni(const std::string& celle) {
    std::vector<std::string> voci;
    const std::string parte = celle.substr(0, celle.find('/'));
    for (std::size_t inizio = 0, barra; (barra = parte.find('|', inizio)) != std::string::npos; inizio = barra + 1)
        voci.push_back(parte.substr(inizio, barra - inizio));
    return voci;
}

// ---- The reasoning list -----------------------------------------------------------------

TEST(ListaRagionamento, RealLogsListEveryStepUpToTheFirstSolutionWithItsEliminationsAndPath) {
    int continuazioni = 0, vuote = 0, profonde = 0, fermate = 0;
    for (const Soluzione& s : SoluzioniReali()) {
        SCOPED_TRACE(s.nome);
        auto b = ConPassi(s.passi);
        const ListaRagionamento lista = RigheRagionamento(b->m);
        std::size_t r = 0;
        int ultimo = 0;
        for (int i = 1; i <= static_cast<int>(s.passi.size()); ++i) {
            const Passo& p = s.passi[i - 1];
            ASSERT_LT(r, lista.righe.size()) << "step " << i;
            const RigaRagionamento& riga = lista.righe[r++];
            ultimo = i;
            EXPECT_FALSE(riga.continuazione);
            EXPECT_EQ(riga.colonne[kColPasso], std::to_string(i));
            EXPECT_EQ(riga.colonne[kColMarcatore], std::to_string(p.Profondita));
            EXPECT_EQ(riga.colonne[kColCella],
                      std::to_string(p.Riga) + "," + std::to_string(p.Colonna) + "," + p.Cifra + ",");
            EXPECT_EQ(riga.colonne[kColCelle], p.Celle);
            if (Contiene(p.Testo, "Vuota")) {
                EXPECT_TRUE(riga.vuota);
                EXPECT_EQ(riga.colonne[kColTesto], "");
                ++vuote;
            } else {
                EXPECT_EQ(riga.colonne[kColTesto], NumeroPasso(i) + ")" + p.Testo);
            }
            // The path names, for each depth above the step, the latest step at that depth.
            std::string percorso;
            for (int k = 0; k < p.Profondita; ++k) {
                int j = i;
                while (j >= 1 && s.passi[j - 1].Profondita != k) --j;
                percorso += "R" + std::to_string(j) + "X";
            }
            EXPECT_EQ(riga.colonne[kColPercorso], percorso);
            if (p.Profondita > 1) ++profonde;
            if (Contiene(p.Testo, "Soluzione n.")) {
                EXPECT_EQ(riga.sfondo, kGrigioSoluzione);
                EXPECT_EQ(riga.inchiostro, 0);
                EXPECT_TRUE(riga.grassetto);
                ++fermate;
                break;
            }
            EXPECT_EQ(riga.inchiostro, riga.sfondo);
            const bool elenca =
                !p.Celle.empty() && !Contiene(p.Celle, "COL") && !Contiene(p.Celle, "xxx") && !Contiene(p.Celle, "yyy");
            if (!elenca) continue;
            ASSERT_LT(r, lista.righe.size());
            const RigaRagionamento& seguito = lista.righe[r++];
            ++continuazioni;
            EXPECT_TRUE(seguito.continuazione);
            EXPECT_EQ(seguito.sfondo, 0);
            EXPECT_FALSE(seguito.grassetto);
            for (int c : {kColMarcatore, kColCella, kColRipristino, kColCelle, kColPercorso, kColPasso})
                EXPECT_EQ(seguito.colonne[c], riga.colonne[c]);
            std::string atteso = NumeroPasso(i) + std::string(3 * p.Profondita, ' ') + "  Quindi  ";
            for (const std::string& v : Eliminazioni(p.Celle))
                atteso += " " + v.substr(4, 1) + " non in " + v.substr(0, 1) + "," + v.substr(2, 1) + " , ";
            EXPECT_EQ(seguito.colonne[kColTesto], atteso);
        }
        EXPECT_EQ(r, lista.righe.size());
        EXPECT_EQ(lista.numPassiMostrati, static_cast<int>(s.passi.size()));
        EXPECT_EQ(lista.fermataSoluzione, ultimo > 0 && Contiene(s.passi[ultimo - 1].Testo, "Soluzione n."));
    }
    // The logs did hold every case.
    EXPECT_GT(continuazioni, 100);
    EXPECT_GT(vuote, 0);
    EXPECT_GT(profonde, 0);
    EXPECT_GT(fermate, 100);
}

TEST(ListaRagionamento, LockedCandidateOfPuzzle4ReadsAsNumberedMagentaRowAndItsQuindiRow) {
    auto b = std::make_unique<Banco>();
    b->Risolvi(verifica::LeggiSchemi("qqwing_expert.txt", 4)[3], "SGDBC");
    const ListaRagionamento lista = RigheRagionamento(b->m);
    auto riga = std::find_if(lista.righe.begin(), lista.righe.end(),
                             [](const RigaRagionamento& x) { return x.colonne[kColPasso] == "20"; });
    ASSERT_NE(riga, lista.righe.end());
    EXPECT_EQ(riga->colonne[kColTesto], "020)    i possibili 3 della riga  1 sono tutti nel quadrato 3");
    EXPECT_EQ(riga->colonne[kColCelle], "2,8,3|/1,8,3|1,9,3|");
    EXPECT_EQ(riga->colonne[kColPercorso], "R0X");
    EXPECT_EQ(riga->sfondo, kMagenta);
    EXPECT_TRUE(riga->grassetto);
    EXPECT_EQ((riga + 1)->colonne[kColTesto], "020     Quindi   3 non in 2,8 , ");
    // The single that used a technique step carries the bonus: grey, bold.
    const auto bonus = std::find_if(lista.righe.begin(), lista.righe.end(), [](const RigaRagionamento& x) {
        return x.colonne[kColTesto].find("!!!!") != std::string::npos;
    });
    ASSERT_NE(bonus, lista.righe.end());
    EXPECT_EQ(bonus->sfondo, kGrigioEvidenza);
    EXPECT_TRUE(bonus->grassetto);
}

TEST(ListaRagionamento, AnAmbiguousPuzzleListsUpToTheFirstOfItsSolutionLines) {
    const std::string schema = verifica::ConDueSoluzioni(verifica::LeggiSchemi("qqwing_expert.txt", 1)[0]);
    ASSERT_FALSE(schema.empty());
    auto b = std::make_unique<Banco>();
    b->Risolvi(schema, "SGDBC");
    ASSERT_GE(b->m.ContaSoluz, 2);
    int prima = 0;
    for (int i = b->m.NumPassi; i >= 1; --i)
        if (Contiene(b->m.LogPassi[i].Testo, "Soluzione n.")) prima = i;
    ASSERT_GT(prima, 0);
    ASSERT_LT(prima, b->m.NumPassi);
    const ListaRagionamento lista = RigheRagionamento(b->m);
    EXPECT_TRUE(lista.fermataSoluzione);
    EXPECT_EQ(lista.righe.back().colonne[kColPasso], std::to_string(prima));
    EXPECT_EQ(lista.righe.back().sfondo, kGrigioSoluzione);
}

TEST(ListaRagionamento, ALogAtItsCapWithoutASolutionLineListsAllItsRecords) {
    auto b = std::make_unique<Banco>();
    b->Risolvi(verifica::LeggiSchemi("seventeen_1000.txt", 180)[179], " ");
    ASSERT_EQ(b->m.NumPassi, Motore::kMaxPassi);
    const ListaRagionamento lista = RigheRagionamento(b->m);
    EXPECT_FALSE(lista.fermataSoluzione);
    EXPECT_EQ(lista.numPassiMostrati, Motore::kMaxPassi);
    int passi = 0;
    for (const RigaRagionamento& r : lista.righe) passi += r.continuazione ? 0 : 1;
    EXPECT_EQ(passi, Motore::kMaxPassi);
    EXPECT_EQ(lista.righe.back().colonne[kColPasso], "6000");
}

TEST(ListaRagionamento, HandMadeLogsColourPrecedenceEmptyRecordsDeepPathsAndLongNumbers) {
    std::vector<Passo> passi{
        Fatto("W", "    se 1 porta a tutto"),       // the text marker wins over the kind
        Fatto("S", "    candidati !!", "1,2,3|/"),  // the kind wins over the bonus
        Fatto("U", "    singolo !!!!"),             // the bonus alone: grey
        Fatto("", "Vuota", "12|/4,5,6|", 2),        // an empty record keeps its Quindi row
        Fatto("P", "    prova", "/1,2,3|", 60),     // deeper than any table of 50
        Fatto("N", "    vicolo", "", 3),
        Fatto("U", "    u", "", 4),
        Fatto("U", "    u", "", 55),
        Fatto("U", "    u", "", 56),
    };
    auto b = ConPassi(passi);
    ListaRagionamento lista = RigheRagionamento(b->m);
    ASSERT_EQ(lista.righe.size(), 12u);
    EXPECT_EQ(lista.righe[0].sfondo, kGiallo);
    EXPECT_EQ(lista.righe[1].sfondo, kMagenta);
    EXPECT_EQ(lista.righe[2].colonne[kColTesto], "002     Quindi   3 non in 1,2 , ");
    EXPECT_EQ(lista.righe[3].sfondo, kGrigioEvidenza);
    EXPECT_TRUE(lista.righe[3].grassetto);
    EXPECT_EQ(lista.righe[5].colonne[kColMarcatore], "2");
    EXPECT_FALSE(lista.righe[5].grassetto);
    EXPECT_TRUE(lista.righe[4].vuota);
    EXPECT_EQ(lista.righe[4].sfondo, kBianco);
    // An entry without its commas reads 0s.
    EXPECT_EQ(lista.righe[5].colonne[kColTesto], "004" + std::string(6, ' ') + "  Quindi   0 non in 12,0 , ");
    EXPECT_TRUE(lista.righe[5].continuazione);
    EXPECT_EQ(lista.righe[6].colonne[kColPercorso].size(), std::string("R0X").size() + 2 * 3 + 57 * 3);
    EXPECT_EQ(lista.righe[6].colonne[kColPercorso].substr(0, 12), "R0XR3XR4XR0X");
    // A list beginning with "/": only the number, the indentation and "Quindi".
    EXPECT_EQ(lista.righe[7].colonne[kColTesto], "005" + std::string(180, ' ') + "  Quindi  ");
    EXPECT_EQ(lista.righe[8].colonne[kColPercorso], "R0XR3XR4X");
    EXPECT_EQ(lista.righe[9].colonne[kColPercorso], "R0XR3XR4XR6X");
    const std::string& profondo = lista.righe[11].colonne[kColPercorso];
    EXPECT_EQ(profondo.substr(0, 15), "R0XR3XR4XR6XR7X");
    EXPECT_EQ(profondo.substr(profondo.size() - 3), "R8X");

    std::vector<Passo> mille(1000, Fatto("U", "    u"));
    b = ConPassi(mille);
    lista = RigheRagionamento(b->m);
    EXPECT_EQ(lista.righe[998].colonne[kColTesto], "999)    u");
    EXPECT_EQ(lista.righe[999].colonne[kColTesto], "1000)    u");

    b = ConPassi({});
    EXPECT_TRUE(RigheRagionamento(b->m).righe.empty());
}

TEST(ListaRagionamento, EliminationWordingCountAndSubsetWords) {
    std::string lista = "3,5,9,resto";
    EXPECT_EQ(DecodificaNonpossibili(lista), "9 non in 3,5 , ");
    EXPECT_EQ(lista, "resto");
    lista = "x,,7";
    EXPECT_EQ(DecodificaNonpossibili(lista), "0 non in 0,0 , ");
    EXPECT_EQ(lista, "");
    EXPECT_EQ(DecodDoppioTriplo(2), "Doppio");
    EXPECT_EQ(DecodDoppioTriplo(5), "Quintuplo");
    EXPECT_EQ(DecodDoppioTriplo(1), "");
    EXPECT_EQ(DecodDoppioTriplo(6), "");
    EXPECT_EQ(TestoSoluzioni(1, true), "Trovate 1 soluzioni");
    EXPECT_EQ(TestoSoluzioni(0, true), "Trovate 0 soluzioni");
    EXPECT_EQ(TestoSoluzioni(4, true), "Trovate almeno 4 soluzioni");
    EXPECT_EQ(TestoSoluzioni(4, false), "Trovate 4 soluzioni");
}

// ---- Technique names ------------------------------------------------------------------

// The fish's lines from its pattern: the columns of a fish on rows, the rows of one on columns.
std::size_t LineeCoperte(const Passo& p) {
    std::set<char> linee;
    const std::string schema = p.Celle.substr(p.Celle.find('/') + 1);
    for (std::size_t i = 0; i + 4 < schema.size(); i += 6) linee.insert(schema[p.Codice == "R" ? i + 2 : i]);
    return linee.size();
}

TEST(NomeTecnica, EveryKindOfTheRealLogsHasItsName) {
    const std::map<std::string, std::string> fissi{{"S", "Candidati Fissati"},
                                                   {"O", "Catene Obbligate"},
                                                   {"I", "Catene Obbligate da riga,colonna,quadrato"},
                                                   {"M", "Colori,Colori multipli"},
                                                   {"D", "Candidati Fissati in Due Quadrati"},
                                                   {"C", "Nishio"},
                                                   {"P", ""},
                                                   {"N", ""},
                                                   {"X", ""},
                                                   {"", ""}};
    std::set<std::string> visti;
    for (const Soluzione& s : SoluzioniReali())
        for (const Passo& p : s.passi) {
            SCOPED_TRACE(s.nome + " " + p.Testo);
            visti.insert(p.Tipo);
            const std::string nome = NomeDelPasso(p).nome;
            if (const auto it = fissi.find(p.Tipo); it != fissi.end())
                EXPECT_EQ(nome, it->second);
            else if (p.Tipo == "U")
                EXPECT_EQ(nome, p.Codice.empty() ? "Singolo nudo" : "Singolo nascosto");
            else if (p.Tipo == "W")
                EXPECT_EQ(nome == "XYZ-wings", Contiene(p.Testo, "andare"));
            else if (p.Tipo == "B")
                EXPECT_EQ(nome, "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (" + std::to_string(LineeCoperte(p)) +
                                    " righe/colonne)");
            else if (p.Tipo == "G" || p.Tipo == "g")
                EXPECT_EQ(nome, DecodDoppioTriplo(p.Dimensione) + (p.Tipo == "G" ? " Nudo" : " Nascosto"));
            else
                ADD_FAILURE() << "unexpected kind " << p.Tipo;
        }
    for (const char* tipo : {"U", "S", "W", "O", "I", "M", "D", "B", "C", "G", "g", "P", "N", "X"})
        EXPECT_TRUE(visti.count(tipo)) << tipo;
}

TEST(NomeTecnica, WingsByWordingAndLengthInCharactersAndFishByTheLastWord) {
    auto ala = [](const std::string& testo) { return NomeDelPasso(Fatto("W", testo)).nome; };
    EXPECT_EQ(ala("    il 8 può andare in 6,7"), "XYZ-wings");
    EXPECT_EQ(ala("andare " + std::string(80, 'x')), "XYZT-wings");  // "andare" at position 1 does not count
    EXPECT_EQ(ala("andare"), "XY-wing");
    EXPECT_EQ(ala("  " + std::string(69, 'x') + "  "), "XY-wing");
    EXPECT_EQ(ala(std::string(70, 'x')), "XYZT-wings");
    // 69 characters, more bytes: "può" and "è" count one character each.
    EXPECT_EQ(ala("può è " + std::string(63, 'x')), "XY-wing");
    EXPECT_EQ(ala(""), "XY-wing");
    auto pesce = [](const std::string& testo) { return NomeDelPasso(Fatto("B", testo)).nome; };
    EXPECT_EQ(pesce("  il numero  4 nelle righe 159 possibile solo in colonne 159  "),
              "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (3 righe/colonne)");
    EXPECT_EQ(pesce("1234"), "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (4 righe/colonne)");
    EXPECT_EQ(pesce(""), "X-wings,Swordfish,Burma,Jellyfish,Squirmbag (0 righe/colonne)");
    EXPECT_EQ(NomeDelPasso(Fatto("G", "", "", 1, "R", 6)).nome, " Nudo");
    EXPECT_EQ(NomeDelPasso(Fatto("g", "", "", 1, "C", 3)).nome, "Triplo Nascosto");
}

TEST(NomeTecnica, TheApplyPromptFollowsTheSelectedRowTheCandidateViewAndAnalysis) {
    auto b = ConPassi({Fatto("U", "    5 in 1,1", "", 1, "R"), Fatto("S", "    candidati", "1,2,3|/"),
                       Fatto("C", "    Nishio"), Fatto("P", "    Provo 1  in 1,1")});
    const ModoLista conCandidati{1, 0, false};
    const std::string quindi = "002     Quindi   3 non in 1,2 , ";
    auto testi = [&](int passo, const std::string& riga, const ModoLista& modo) {
        const TestiPasso t = TestiDelPasso(b->m, passo, riga, modo);
        return t.p1 + "|" + t.p2;
    };
    EXPECT_EQ(testi(1, "001)    5 in 1,1", conCandidati), "Tasto Dx: Applica|Singolo nascosto");
    EXPECT_EQ(testi(2, "002)    candidati", conCandidati), "|Candidati Fissati");
    EXPECT_EQ(testi(2, quindi, conCandidati), "Tasto Dx: Applica|Candidati Fissati");
    EXPECT_EQ(testi(3, "003)    Nishio", conCandidati), "|Nishio");
    EXPECT_EQ(testi(3, "003)    verrebbe escluso dalle celle", conCandidati), "Tasto Dx: Applica|Nishio");
    EXPECT_EQ(testi(2, quindi, ModoLista{0, 1, false}), "|Candidati Fissati");
    EXPECT_EQ(testi(1, quindi, ModoLista{1, 1, true}), "|Singolo nascosto");
    EXPECT_EQ(testi(4, "004)    Provo", conCandidati), "|");
    EXPECT_EQ(testi(5, quindi, conCandidati), "|");
    EXPECT_EQ(testi(0, quindi, conCandidati), "|");
}

// ---- Hints --------------------------------------------------------------------------------

// The first record of a real solve whose text is `testo`, with its hints.
std::pair<std::string, std::string> Aiuti(Banco& b, const std::string& testo) {
    for (int i = 1; i <= b.m.NumPassi; ++i)
        if (b.m.LogPassi[i].Testo == testo) return {TestoAiuto(b.m, i, 1), TestoAiuto(b.m, i, 2)};
    ADD_FAILURE() << "no record " << testo;
    return {};
}

TEST(Aiuto, RealWingAndColourRecordsOfPublicPuzzles) {
    const auto schemi = verifica::LeggiSchemi("qqwing_expert.txt", 2);
    auto b = std::make_unique<Banco>();
    b->Risolvi(schemi[1], "BSGCD");
    const std::string ala =
        "    il 8 può andare in 6,7 o se 2 in 6,7 allora 8 in 4,8  se invece 6 in 6,7 allora 8 in 6,9";
    EXPECT_EQ(Aiuti(*b, ala), std::make_pair(std::string("Cerca XYZ-wings dalla cella 6,7"),
                                             std::string("Cerca XYZ-wings dalla cella 6,7")));
    b->Risolvi(schemi[0], "C");
    EXPECT_EQ(Aiuti(*b, "    9 in 2,2 è una delle due possibilità per  la colonna 2").second,
              "Cerca Colori , Colori multipli da colonna 2 per il n. 9");
}

int Quadrato(int r, int c) { return (r - 1) / 3 * 3 + (c - 1) / 3 + 1; }

TEST(Aiuto, EveryKindOfTheRealLogsAtBothStrengths) {
    std::set<std::string> visti;
    for (const Soluzione& s : SoluzioniReali()) {
        auto b = ConPassi(s.passi);
        for (int i = 1; i <= b->m.NumPassi; ++i) {
            const Passo& p = b->m.LogPassi[i];
            SCOPED_TRACE(s.nome + " " + p.Testo);
            const std::string piccolo = TestoAiuto(b->m, i, 1), grande = TestoAiuto(b->m, i, 2);
            if (p.Testo == "Vuota") {
                // Only one record is skipped.
                const bool altra = i < b->m.NumPassi && b->m.LogPassi[i + 1].Testo != "Vuota";
                EXPECT_EQ(piccolo, altra ? TestoAiuto(b->m, i + 1, 1) : "Cerca ");
                continue;
            }
            visti.insert(p.Tipo);
            EXPECT_EQ(TestoAiuto(b->m, i, 0), piccolo);
            const char tipo = p.Tipo.empty() ? ' ' : p.Tipo[0];
            switch (tipo) {
                case 'U':
                    if (p.Codice == "Q")
                        EXPECT_EQ(grande, "Cerca Singolo nascosto per il quadrato  " +
                                              std::to_string(Quadrato(p.Riga, p.Colonna)));
                    else if (p.Codice.empty())
                        EXPECT_EQ(grande, "Cerca Singolo nudo per il numero " + p.Cifra);
                    else
                        EXPECT_EQ(grande, std::string("Cerca Singolo nascosto per la ") +
                                              (p.Codice == "R" ? "riga " + std::to_string(p.Riga)
                                                               : "colonna " + std::to_string(p.Colonna)));
                    break;
                case 'S': EXPECT_EQ(grande, piccolo + " per il numero " + p.Celle.substr(4, 1)); break;
                case 'D': EXPECT_EQ(grande, piccolo + " per il n." + p.Celle.substr(4, 1)); break;
                case 'G':
                case 'g':
                    EXPECT_EQ(piccolo, "Cerca " + NomeDelPasso(p).nome);
                    EXPECT_EQ(grande.rfind(piccolo + " per ", 0), 0u);
                    if (p.Codice == "Q") {
                        EXPECT_EQ(grande, piccolo + " per il quadrato  " +
                                              std::to_string(Quadrato(p.Celle[0] - '0', p.Celle[2] - '0')));
                    }
                    break;
                case 'B':
                    EXPECT_EQ(grande, "Cerca X-wings,Swordfish,Burma per il numero  " + p.Celle.substr(4, 1));
                    break;
                case 'W': EXPECT_EQ(grande.rfind("Cerca XY", 0), 0u); break;
                case 'O': EXPECT_EQ(grande.rfind("Cerca Catene Obbligate", 0), 0u); break;
                case 'I': EXPECT_EQ(grande.rfind("Cerca Catene Obbligate ", 0), 0u); break;
                case 'M': EXPECT_EQ(grande.rfind("Cerca Colori", 0), 0u); break;
                case 'C': EXPECT_EQ(grande.rfind("Cerca Nishio", 0), 0u); break;
                case 'P': EXPECT_EQ(grande, "Cerca  per tentativi o seleziona un livello più potente"); break;
                default: EXPECT_EQ(grande, "Cerca ");
            }
            if (tipo != 'U' && tipo != 'S' && tipo != 'D' && tipo != 'G' && tipo != 'g') {
                EXPECT_EQ(grande, piccolo);
            }
        }
    }
    for (const char* tipo : {"U", "S", "W", "O", "I", "M", "D", "B", "C", "G", "g", "P", "N", "X"})
        EXPECT_TRUE(visti.count(tipo)) << tipo;
}

TEST(Aiuto, LocationsCutByCharactersAndTheTechniqueAloneWhenTheMarkerIsMissing) {
    auto b = ConPassi({
        Fatto("W", "    se 5 in 8,2 allora 1 in 8,3"),                          // 1
        Fatto("W", std::string(70, 'x') + " in 1,2"),                           // 2
        Fatto("W", "    il 8 può andare"),                                      // 3: no "in "
        Fatto("O", "    Se 5 in cella 1,1 allora 6"),                           // 4
        Fatto("I", "   In quadrato 5: 3 possibile solo in due celle"),          // 5
        Fatto("I", "    4 in cella 6,1 comporta 9 in cella 6,2"),               // 6: no ":"
        Fatto("M", "    Verrebbe escluso dalle celle 2,7, 3,2,  "),             // 7: no "per  "
        Fatto("B", "    nelle righe 17"),                                       // 8: no "il n"
        Fatto("C", "    9 in 2,2 porta a una contraddizione poichè: "),         // 9
        Fatto("C", "    verrebbe escluso dalle celle"),                         // 10: no "in "
        Fatto("M", "    5 in è 2,2 è l'altra possibilità per  il quadrato 1"),  // 11
        Fatto("g", "", "1,9,3|", 1, "Q", 6),                                    // 12
        Fatto("", "Vuota"),                                                     // 13: the last record
    });
    const std::vector<std::string> attesi{
        "Cerca XY-wings dalla cella 8,2",
        "Cerca XYZT-wings dalla cella 1,2",
        "Cerca XYZ-wings",
        "Cerca Catene Obbligate da cella 1,1 ",
        "Cerca Catene Obbligate da quadrato 5",
        "Cerca Catene Obbligate da riga,colonna,quadrato",
        "Cerca Colori,Colori multipli",
        "Cerca X-wings,Swordfish,Burma,Jellyfish,Squirmbag (2 righe/colonne)",
        "Cerca Nishio in cella 2,2",
        "Cerca Nishio",
        "Cerca Colori , Colori multipli da quadrato 1 per il n. 5",
        "Cerca  Nascosto per il quadrato  3",
        "Cerca ",
    };
    for (int i = 1; i <= static_cast<int>(attesi.size()); ++i) EXPECT_EQ(TestoAiuto(b->m, i, 2), attesi[i - 1]) << i;
    EXPECT_EQ(TestoAiuto(b->m, 0, 2), "Cerca ");
    EXPECT_EQ(TestoAiuto(b->m, 12, 1), "Cerca  Nascosto");
}

// ---- The shared search texts ---------------------------------------------------------

TEST(Marcatori, EverySearchTextButQuindiOccursInWhatTheSolverLogs) {
    std::string tutto;
    for (const Soluzione& s : SoluzioniReali())
        for (const Passo& p : s.passi) tutto += p.Testo + "\n" + p.Celle + "\n";
    using namespace marcatori;
    for (const char* m : {kSoluzioneN, kProvo, kBonus, kEvidenza, kVuota, kPortaA, kContraddizione, kVerrebbeEscluso,
                          kCOL, kCLL, kSarebbe, kXxx, kYyy, kPuo, kAndare, kIn, kPerDue, kIlN, kDuePunti})
        EXPECT_TRUE(Contiene(tutto, m)) << m;
}

// ---- The solve behind "Risolvi" --------------------------------------------------------

verifica::Celle Celle(const Tabella& t) {
    verifica::Celle c{};
    for (int i = 0; i < 81; ++i) c[i] = t[i / 9 + 1][i % 9 + 1];
    return c;
}

TEST(RisolviPerComando, AGridLeftPartialShowsTheLoadersSolutionOrTheFirstOfASecondSolve) {
    const std::string schema = verifica::LeggiSchemi("qqwing_expert.txt", 1)[0];
    verifica::Celle unica{};
    ASSERT_EQ(verifica::ContaSoluzioni(verifica::DaTesto(schema), 2, &unica), 1);
    auto b = std::make_unique<Banco>();
    // Singles only: the search needs trials and goes on past its first solution.
    b->Risolvi(schema, " ");
    ASSERT_FALSE(TabellaPiena(b->m.Griglia));
    ASSERT_TRUE(b->mostrata);
    EXPECT_EQ(Celle(*b->mostrata), unica);
    // Without the loader's copy the solution comes from a second solve.
    Motore::AzzeraTabella(b->m.Soluzione);
    b->mostrata = RisolviPerComando(b->m);
    ASSERT_FALSE(TabellaPiena(b->m.Griglia));
    ASSERT_TRUE(b->mostrata);
    EXPECT_EQ(Celle(*b->mostrata), unica);
    EXPECT_EQ(b->m.ContaSoluz, 1);
}

}  // namespace
}  // namespace kenvaron
