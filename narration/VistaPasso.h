// The step view's reading of the reasoning list: which rows lie on the branch
// of a selected step, what a row's cell list asks to be painted, the
// placements and eliminations that the shown steps hand to the main window
// when the user accepts them, and the log position at which the candidate
// view of a step stops the replay.  The window paints; this file only reads.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "narration/ListaRagionamento.h"

namespace kenvaron {

// Read access to the list's cells; row 0 is the hidden header.
class LetturaLista {
public:
    virtual ~LetturaLista() = default;
    virtual int Righe() const = 0;
    virtual std::string Testo(int riga, int colonna) const = 0;
};

// Up to three numbers of a list item: the leading digits of each field closed
// by ","; a missing or non-numeric field reads 0.
struct Terna {
    int riga = 0;
    int colonna = 0;
    int cifra = 0;
};
Terna LeggiTerna(const std::string& voce);

// Pattern colours of a cell list.
inline constexpr long kColoreSchema = 0x00FF00;        // green
inline constexpr long kColoreSchemaColori = 0x00FFFF;  // yellow, a colour-chain list

// A cell list split as the step view paints it.
struct VoceSchema {
    std::string voce;  // the item without its "|"
    int classe = 0;    // colour class in force when the item is painted
};
struct CelleDelPasso {
    long coloreEvidenza = kColoreSchema;
    std::vector<std::string> eliminazioni;  // items before the first "/"
    std::vector<VoceSchema> schema;         // items after it
};
CelleDelPasso ScomponiCelle(const std::string& celle);

// The rows painted for the selected row: the rows 1..selezionata (only the
// selected one in analysis) whose branch path occurs in the selected row's,
// each once, in list order; the selected row always ends the path.
std::vector<int> RighePercorso(const LetturaLista& lista, int selezionata, bool analisi);

// What "Accetta" hands to the main window: "N" placements as row, column and
// digit ("359"), "C" eliminations as "3,5,9,"; entries 1..NumSuggerimenti.
struct Suggerimenti {
    static constexpr int kMassimo = 1000;
    int NumSuggerimenti = 0;
    std::array<std::string, kMassimo + 1> TestiSuggerimento{};
    std::array<std::string, kMassimo + 1> TipiSuggerimento{};
    void Svuota() { NumSuggerimenti = 0; }
    // False, and nothing written, once the arrays are full.
    bool Aggiungi(const std::string& testo, const std::string& tipo);
};

// The hints of a path, in path order: each step number gives its placement
// (a digit 1..9 in the cell column, a trial digit too) and then its
// eliminations once, even when its "Quindi" row lies on the path as well.
// Nothing is collected in analysis.  Beyond the arrays' bound the rest is dropped.
void RaccogliSuggerimenti(const LetturaLista& lista, const std::vector<int>& percorso, bool analisi,
                          Suggerimenti& s);

// The log position whose candidates the candidate view of a row shows: the
// row's step number plus the offset, two less on a Nishio exclusion and one
// less on a contradiction.  Below 1 the candidates of the puzzle itself.
int PassoCandidati(const std::string& testo, int numeroPasso, int offset);

// Whether a row's text marks a trial digit, the solution line, or an
// elimination line of its own.
bool TestoTentativo(const std::string& testo);
bool TestoSoluzione(const std::string& testo);
bool TestoConclusione(const std::string& testo);

}  // namespace kenvaron
