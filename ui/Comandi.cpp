#include "ui/Comandi.h"

namespace kenvaron {

std::vector<VoceBarra> VociBarra(bool regolePresenti) {
    using S = StileBottone;
    std::vector<VoceBarra> v{
        {"Nuovo", S::Pulsante, "Nuovo", "Nuovo Sudoku"},
        {"s1", S::Separatore, "", ""},
        {"s0", S::Segnaposto, "", "", 300},
    };
    if (regolePresenti) v.push_back({"CalcolaValore", S::Pulsante, "Aiutino", "Calcola Valore"});
    const std::vector<VoceBarra> resto{
        {"Aiuto", S::Pulsante, "Aiuto", "Aiuto "},
        {"SingoloStep", S::Pulsante, "SingoloStep", "Suggerimento"},
        {"Risolvi", S::Pulsante, "Risolvi", "Risolvi"},
        {"Mostra", S::Pulsante, "Mostra", "Lista ragionamento"},
        {"s2", S::Separatore, "", ""},
        {"Analisi", S::Pulsante, "Analisi", "Analisi"},
        {"s3", S::Segnaposto, "", "", 300},
        {"Copia", S::Pulsante, "Copia", "Copia"},
        {"Incolla", S::Pulsante, "Incolla", "Incolla"},
        {"s5", S::Segnaposto, "", "", 300},
        {"UndoAll", S::Pulsante, "UndoAll", "Ricomincia"},
        {"Undo", S::Pulsante, "Undo", "Annulla"},
        {"s7", S::Segnaposto, "", "", 500},
        {"Validi", S::Pulsante, "Validi", "Visualizza Candidati Validi"},
        {"Schema", S::Pulsante, "Schema", "Visualizza schema"},
        {"s9", S::Segnaposto, "", "", 300},
        {"Stampa", S::Pulsante, "Stampa", "Stampa"},
        {"s10", S::Segnaposto, "", "", 300},
        {"Uscita", S::Pulsante, "Uscita", "Esci"},
    };
    v.insert(v.end(), resto.begin(), resto.end());
    return v;
}

std::optional<bool> BottoneAbilitato(int modo, const std::string& chiave) {
    switch (modo) {
        case 0: return chiave == "Nuovo" || chiave == "Incolla";
        case 1: return false;
        case 2: return !(chiave == "Mostra" || chiave == "Undo" || chiave == "UndoAll");
        default: return std::nullopt;
    }
}

std::optional<bool> MenuAbilitati(int modo) {
    switch (modo) {
        case 1: return false;
        case 2: return true;
        default: return std::nullopt;
    }
}

const std::vector<MenuPrincipale>& BarraMenu() {
    static const std::vector<MenuPrincipale> barra{
        {"MnuFile", "File",
         {{"mnuNuovo", "Nuovo"},
          {"mnuManuale", "Composizione Manuale"},
          {"mnuApri", "Apri"},
          {"mnuSalva", "Salva"},
          {"mnuStampa", "Stampa"},
          {"mnuSep11", ""},
          {"mnuEsci", "Esci"}}},
        {"MnuLivelli", "Livelli",
         {{"mnuSemplice", "Semplice"},
          {"MnuNormale", "Impegnativo"},
          {"MnuDifficile", "Difficile"},
          {"MnuEsperto", "Esperto"},
          {"MnuEstremo", "Estremo"},
          {"mnuSep1", ""},
          {"mnuSemplice2", "Non so"},
          {"mnuClassico", "Classico"},
          {"mnuSuperSemplice", "SuperSimmetrico semplice"},
          {"mnuSuperComplesso", "SuperSimmetrico avanzato"},
          {"mnuSep2", ""},
          {"mnuPersonalizzato", "Personalizzato"}}},
        {"mnuOpzioni", "Opzioni", {{"mnuAttivaBackGround", "Attiva Backgorund"}}},
        {"mnuAiuto", "Istruzioni", {}},
        {"mnuInf0", "?", {{"mnuInformazioni", "Informazioni su Kenvaron"}}},
    };
    return barra;
}

}  // namespace kenvaron
