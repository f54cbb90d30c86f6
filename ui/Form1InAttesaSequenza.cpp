// Stand-ins for main-window commands that the editing part of the program
// brings: the accepted steps as undoable moves, and the printer set-up.
#include "platform/Dialogs.h"
#include "ui/Form1.h"

namespace kenvaron {

void Form1::AccettaSuggerimento(std::span<const std::string> testi, std::span<const std::string> tipi,
                                int quanti) {
    Condiviso& c = condiviso();
    for (int i = 1; i <= quanti && i < static_cast<int>(testi.size()); ++i) {
        const std::string& t = testi[i];
        if (t.size() < 3 || c.NumMosse >= Condiviso::kMaxMosse) continue;
        Mossa mossa;
        if (tipi[i] == "N") {
            mossa.Tipo = "N";
            mossa.Riga = static_cast<Byte>(t[0] - '0');
            mossa.Colonna = static_cast<Byte>(t[1] - '0');
            mossa.Vecchio = c.Problema[mossa.Riga][mossa.Colonna];
            mossa.Nuovo = static_cast<Byte>(t[2] - '0');
            c.Problema[mossa.Riga][mossa.Colonna] = mossa.Nuovo;
        } else {
            if (t.size() < 5) continue;
            mossa.Tipo = "C";
            mossa.Riga = static_cast<Byte>(t[0] - '0');
            mossa.Colonna = static_cast<Byte>(t[2] - '0');
            mossa.Cifra = static_cast<Byte>(t[4] - '0');
            bool presente = false;
            for (int k = 1; k <= c.NumMosse; ++k) {
                const Mossa& p = c.PilaAnnulla[k];
                presente = presente || (p.Tipo == "C" && p.Riga == mossa.Riga && p.Colonna == mossa.Colonna &&
                                        p.Cifra == mossa.Cifra);
            }
            if (presente) continue;
            Byte& contatore = motore().Possibili[mossa.Riga][mossa.Colonna][mossa.Cifra];
            mossa.Vecchio = contatore;
            if (contatore == 50) contatore = 49;
        }
        c.PilaAnnulla[++c.NumMosse] = mossa;
    }
    tlb1.SetButtonEnabled("Undo", true);
    tlb1.SetButtonEnabled("UndoAll", true);
    stato.SchemaModificato = 1;
}

bool Form1::Sceglistampante() { return plat::DialogoStampante(); }

}  // namespace kenvaron
