// The words inside step texts and cell lists that the reasoning list, the
// technique names and the hints search for.  The solver and the techniques
// write them from these constants and the narration searches with the same
// ones, so a change of wording cannot leave the two sides apart.
#pragma once

namespace kenvaron::marcatori {

// ---- Written by the solver loop ----------------------------------------------
// Begins the line that records a solution.
inline constexpr char kSoluzioneN[] = "Soluzione n.";
// Begins the narration of a trial digit.
inline constexpr char kProvo[] = "Provo";
// Appended to the single that used a technique step's eliminations.
inline constexpr char kBonus[] = " !!!!";
// What the list looks for: the bonus or any text that carries it.
inline constexpr char kEvidenza[] = "!!";

// ---- Written by the techniques ------------------------------------------------
// Nishio: the whole text of an empty record of a trial, the contradiction,
// the cells excluded, the cell lists of a trial and of a colour chain.
inline constexpr char kVuota[] = "Vuota";
inline constexpr char kPortaA[] = "porta a";
inline constexpr char kContraddizione[] = "contraddizione";
inline constexpr char kVerrebbeEscluso[] = "verrebbe escluso";
inline constexpr char kCOL[] = "COL";
inline constexpr char kCLL[] = "CLL";
// Nishio and colours: what a placement would be.
inline constexpr char kSarebbe[] = "sarebbe";
// Forcing chains from a cell and colours: the cell lists that are no elimination lists.
inline constexpr char kXxx[] = "xxx";
inline constexpr char kYyy[] = "yyy";
// The three-cell wing: "il d può andare in r,c o ...".
inline constexpr char kPuo[] = "può ";
inline constexpr char kAndare[] = "andare";

// ---- Only searched for ------------------------------------------------------------
// The cell or unit a narration names follows its first "in ", "per  " or "il n".
inline constexpr char kIn[] = "in ";
inline constexpr char kPerDue[] = "per  ";
inline constexpr char kIlN[] = "il n";
// A forcing chain from a unit names the unit before its first ":".
inline constexpr char kDuePunti[] = ":";
// The continuation row of a step that eliminated candidates.
inline constexpr char kQuindi[] = "Quindi";

}  // namespace kenvaron::marcatori
