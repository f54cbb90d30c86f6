// Group G and the fish of group B in the solver's technique turns: each finding
// is applied, recorded in the level's undo string and, when it eliminated a
// candidate, narrated and scored.
#include <string>

#include "engine/Motore.h"

namespace kenvaron {

bool Motore::ApplicaTrovato(int livello, char voce, int indice, void (Motore::*applica)(int)) {
    (this->*applica)(indice);
    std::string entrata(1, voce);
    entrata += std::to_string(indice);
    entrata += ',';
    entrata += CelleGruppo;
    entrata += ',';
    entrata += NumeriGruppo;
    entrata += '|';
    PilaLivelli[livello].ListaRipristino.insert(0, entrata);
    return TrovatoAvanzato;
}

bool Motore::RegistraTrovato(int livello, int turno, const std::string& testo, const char* tipo,
                             const char* codice, std::int16_t peso, std::int32_t& contatore,
                             void (Motore::*annulla)(int), int indice) {
    AggiungiPasso(static_cast<Byte>(livello), testo, 0, 0, "0", "", ListaCambi, tipo, codice,
                  static_cast<Byte>(CelleGruppo.size()));
    RegistraTecnica(peso, contatore, turno);
    if (!Analisi) return true;
    // Analysis mode: every finding is reported against the same candidates.
    (this->*annulla)(indice);
    TrovatoAvanzato = false;
    return false;
}

namespace {

struct BloccoG {
    void (Motore::*driver)(Byte);
    void (Motore::*applica)(int);
    void (Motore::*annulla)(int);
    char voce;           // kind of the undo entry
    const char* tipo;    // "G" naked, "g" hidden
    const char* codice;  // the unit code
    const char* unita;   // how the sentence names the unit
    bool nascosto;
};

constexpr BloccoG kBlocchiG[] = {
    {&Motore::CtrlGruppiR, &Motore::AggiornaGruppiR, &Motore::RipristinaGruppiR, 'X', "G", "R",
     " nella riga  ", false},
    {&Motore::CtrlGruppiNumeriR, &Motore::AggiornaGruppiNumeriR, &Motore::RipristinaGruppiNumeriR,
     'x', "g", "R", " nella riga ", true},
    {&Motore::CtrlGruppiC, &Motore::AggiornaGruppiC, &Motore::RipristinaGruppiC, 'Y', "G", "C",
     " nella colonna ", false},
    {&Motore::CtrlGruppiNumeriC, &Motore::AggiornaGruppiNumeriC, &Motore::RipristinaGruppiNumeriC,
     'y', "g", "C", " nella colonna ", true},
    {&Motore::CtrlGruppiQ, &Motore::AggiornaGruppiQ, &Motore::RipristinaGruppiQ, 'S', "G", "Q",
     " nel quadrato  ", false},
    {&Motore::CtrlGruppiNumeriQ, &Motore::AggiornaGruppiNumeriQ, &Motore::RipristinaGruppiNumeriQ,
     's', "g", "Q", " nel quadrato ", true},
};

}  // namespace

bool Motore::CercaGruppiG(int livello, int turno) {
    TrovatoGruppo = false;
    for (const BloccoG& blocco : kBlocchiG) {
        if (blocco.nascosto && !ModoRisolvi) continue;
        for (int u = 1; u <= 9; ++u) {
            TrovatoGruppo = false;
            (this->*blocco.driver)(static_cast<Byte>(u));
            if (!TrovatoGruppo) continue;
            if (!ApplicaTrovato(livello, blocco.voce, u, blocco.applica)) continue;
            const std::string celle = ListaCelle(blocco.codice, static_cast<Byte>(u), CelleGruppo);
            std::string testo = IncrementaIndice(livello) + blocco.unita + std::to_string(u);
            if (blocco.nascosto)
                testo += " le celle " + celle + " sono  le uniche possibili per i numeri " +
                         NumeriGruppo;
            else
                testo += " i numeri " + NumeriGruppo + " sono gli unici possibili per le celle " +
                         celle;
            if (RegistraTrovato(livello, turno, testo, blocco.tipo, blocco.codice, 10, ContaTecnicaG,
                                blocco.annulla, u))
                return true;
        }
    }
    return false;
}

// ---- Fish in the solver pass (group B) -------------------------------------------

namespace {

// One block of fish calls, digits 1..9 on rows or columns; true when a step stays.
bool BloccoPesci(Motore& m, int livello, int turno, bool righe, std::int16_t kmin,
                 std::int16_t kmax) {
    for (int d = 1; d <= 9; ++d) {
        m.TrovatoGruppo = false;
        if (righe)
            m.CtrlSwordFishR(static_cast<Byte>(d), kmin, kmax);
        else
            m.CtrlSwordFishC(static_cast<Byte>(d), kmin, kmax);
        if (!m.TrovatoGruppo) continue;
        if (!m.ApplicaTrovato(livello, righe ? '5' : '6', d,
                              righe ? &Motore::AggiornaSwordFishR : &Motore::AggiornaSwordFishC))
            continue;
        const std::string testo = Motore::IncrementaIndice(livello) + " il numero  " +
                                  std::to_string(d) + (righe ? " nelle righe " : " nelle colonne ") +
                                  m.CelleGruppo +
                                  (righe ? " possibile solo in colonne " : " possibile solo in righe ") +
                                  m.NumeriGruppo;
        if (m.RegistraTrovato(livello, turno, testo, "B", righe ? "R" : "C", 50, m.ContaTecnicaB,
                              righe ? &Motore::RipristinaSwordFishR : &Motore::RipristinaSwordFishC,
                              d))
            return true;
    }
    return false;
}

}  // namespace

bool Motore::CercaPesci(int livello, int turno) {
    // The background engine reads no switch and always searches digit first.
    if (!Sfondo && stato.TecnicheAttive[0] != 1) return false;
    if (ModoRisolvi && !Sfondo) {
        // Every fish of two lines before any of three, and so on.  Sizes above 5
        // have no enumerator, so the pass stops there.
        for (std::int16_t k = 2; k <= 5; ++k) {
            if (BloccoPesci(*this, livello, turno, true, k, k)) return true;
            if (BloccoPesci(*this, livello, turno, false, k, k)) return true;
        }
        return false;
    }
    // Generation and batch solves: each digit tries every size up to LimiteFor.
    if (BloccoPesci(*this, livello, turno, true, 2, LimiteFor)) return true;
    return BloccoPesci(*this, livello, turno, false, 2, LimiteFor);
}

}  // namespace kenvaron
