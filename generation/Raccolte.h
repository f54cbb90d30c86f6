// The coded puzzle collections.  A record "seed|skip|clear|add|" rebuilds a
// puzzle with the seeded run (no wall-clock limit) and then clears and adds
// the listed first-half cells, each with its central partner.  The tables
// decode in a fixed context per table; the user's level comes back before the
// final solve.  A decoded puzzle is checked (one solution, central symmetry,
// a solve without trial that meets the table's rule) and a record that fails
// gives way to the next one.  The disguise turns, relabels and exchanges rows
// and columns on a fresh clock-seeded sequence.
//
// The record maker (CreaRecord, CreaTabella) turns wanted puzzles back into
// records: the cells where the rebuilt puzzle and the wanted one differ.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Condiviso.h"
#include "engine/FileTesto.h"
#include "engine/Motore.h"
#include "generation/FinestraGenerazione.h"
#include "generation/Generatore.h"

namespace kenvaron {

// The table of a level letter: "N", "D", "C" (also for "E") and "M"; '\0' for none.
char TabellaDiLivello(const std::string& lettera);
// Records of a table (keys 1..size), and the table's level letter for its context.
const std::vector<const char*>& RecordTabella(char tabella);
// The level letters whose rule each table's records meet.
const char* LetteraContesto(char tabella);

// A record's four fields.
struct RecordCodificato {
    std::string seme;   // as written, "," allowed as the decimal point
    std::string salto;  // as written
    std::vector<std::pair<int, int>> togli, aggiungi;
};
// False for a record without four "|", with an odd list or a pair character
// outside "1".."9".
bool LeggiRecord(const std::string& testo, RecordCodificato& r);

// The level settings a table's context changes, kept to be put back.
struct ContestoLivelloSalvato {
    std::string CodiciTecniche, Livello;
    std::int16_t TurnoObbligatorio = 0;
    std::array<std::int16_t, 5> Turni{};
    std::array<bool, 5> TurniAttivi{};
    std::int16_t LimiteFor = 0;
    int IndiceRagionamento = 0;
    Byte LivelloRagionamento = 0;
    bool SaltaNaked = false, ModoRisolvi = false;
    std::array<Byte, 6> TecnicheAttive{};
    std::array<Byte, 3> TecnicheAvanzate{};
    double SequenzeObbligatorie = 0;
    std::string Sequenza1;
    ImpostazioniGenerazione impostazioni;
};

class Decodificatore {
public:
    Decodificatore(Generatore& generatore, Motore& motore, Condiviso& stato, Livelli& livelli,
                   ImpostazioniGenerazione& impostazioni, StatoGenerazione& generazione);

    // Puts the table's level row (or that of `lettera`) and the fixed choices
    // in place; Ripristina puts back what was saved.
    ContestoLivelloSalvato ImpostaContesto(char tabella, const char* lettera = nullptr);
    void Ripristina(const ContestoLivelloSalvato& salvato);

    // In the current context: the seeded run of the record, then its edits.
    // Problema and Soluzione hold the result, SemeCorrente seed "|" skip "|".
    // False for an unreadable record or a failed run (a stop request fails it).
    bool Ricostruisci(const std::string& record);
    // In the current context: one solution, central symmetry, a solve without
    // trial that meets the level's rule.  Leaves the solve's measures.
    bool Verifica();
    // Rebuild and check a record in a table's context (the caller's context
    // comes back); true when it passes.
    bool Decodifica(char tabella, const std::string& record);
    // Tries key k of the table's records (or of `record`), then k Mod N + 1,
    // ... until one passes; the key that passed, 0 when none.
    int DecodificaDa(char tabella, int k);
    int DecodificaDa(char tabella, int k, const std::vector<const char*>& record);

    // Turns, digit relabels and row and column exchanges of Problema with Soluzione,
    // drawn after reseeding the engine's generator with `seme`.
    void Travesti(double seme);

    // The record of a wanted puzzle (81 characters, "0" empty) rebuilt from
    // seed and skip, in the current context; "" when the run fails.
    std::string CreaRecord(const std::string& seme, const std::string& salto, const std::string& voluto);

private:
    Generatore& g_;
    Motore& m_;
    Condiviso& stato_;
    Livelli& livelli_;
    ImpostazioniGenerazione& imp_;
    StatoGenerazione& gen_;
};

// The code line of a record: `if ric = <n> then s  = "<record>"` (the
// append adds CR LF).
std::string RigaCodice(int n, const std::string& record);

// The record maker over a file of wanted puzzles ("seed|skip|81 characters"
// a line): one code line per readable line appended to `uscita`.  Before each
// line the window's progress label shows the line's number.  Lines without
// two "|" or 41 digits after them are skipped and counted; a code line that
// cannot be appended ends the making, and is not counted as written.  The
// input is read only when it is a regular file; no line goes into one of the
// program's own files.
struct EsitoTabella {
    bool letto = false;
    int scritte = 0, saltate = 0;
    bool nonScritto = false;
};
EsitoTabella CreaTabella(Decodificatore& d, FinestraGenerazione& finestra, const std::string& ingresso,
                         const std::string& uscita, const FilePropri& propri);

}  // namespace kenvaron
