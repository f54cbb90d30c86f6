// Test fixture: an engine on an empty board whose candidates the tests strike by hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/Motore.h"

namespace kenvaron {

class CandidatiAMano : public ::testing::Test {
protected:
    Condiviso stato;
    OrologioFinto orologio;
    std::unique_ptr<Motore> motore = std::make_unique<Motore>(stato, orologio);
    Motore& m = *motore;

    void SetUp() override {
        m.ModoRisolvi = true;
        m.LivelloRagionamento = 4;
        stato.TecnicheAttive[0] = 1;
    }
    void Metti(int r, int c, int d) {
        m.PilaLivelli[0].Riga = static_cast<Byte>(r);
        m.PilaLivelli[0].Colonna = static_cast<Byte>(c);
        m.PilaLivelli[0].Cifra = static_cast<Byte>(d);
        m.Aggiorna(0);
    }
    // Strikes d from (r, c) as the user does: 50 becomes 49.
    void Cancella(int r, int c, int d) {
        if (m.Possibili[r][c][d] == 50) {
            m.Possibili[r][c][d] = 49;
            --m.NumeroCandidati[r][c];
        }
    }
    // Leaves only the digits of `cifre` as candidates of (r, c).
    void Lascia(int r, int c, const std::string& cifre) {
        for (int d = 1; d <= 9; ++d)
            if (!Contiene(cifre, d)) Cancella(r, c, d);
    }
    // Strikes d from row r everywhere but the columns listed.
    void SoloInColonne(int d, int r, const std::string& colonne) {
        for (int c = 1; c <= 9; ++c)
            if (!Contiene(colonne, c)) Cancella(r, c, d);
    }
    // Strikes d from column c everywhere but the rows listed.
    void SoloInRighe(int d, int c, const std::string& righe) {
        for (int r = 1; r <= 9; ++r)
            if (!Contiene(righe, r)) Cancella(r, c, d);
    }
    static bool Contiene(const std::string& cifre, int v) {
        return cifre.find(static_cast<char>('0' + v)) != std::string::npos;
    }
};

}  // namespace kenvaron
