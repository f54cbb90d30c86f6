#include "engine/TecnicheLivello.h"

#include <algorithm>
#include <cctype>

namespace kenvaron {

void TurniDaCodice(std::string& codice, std::array<std::int16_t, 5>& turni) {
    for (char& ch : codice) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    auto posizione = [&](char lettera) -> std::int16_t {
        const std::size_t i = codice.find(lettera);
        return i == std::string::npos ? 0 : static_cast<std::int16_t>(i + 1);
    };
    turni[Motore::kG] = posizione('G');
    turni[Motore::kS] = posizione('S');
    turni[Motore::kB] = posizione('B');
    turni[Motore::kC] = posizione('C');
    turni[Motore::kD] = posizione('D');
}

void TecnicheLivello::SettaTurni(std::string& codice) {
    TurniDaCodice(codice, motore_.Turni);
    TurnoObbligatorio = *std::max_element(motore_.Turni.begin(), motore_.Turni.end());
    const std::int16_t ultimo = TurnoObbligatorio;
    if (ultimo == 0)
        TurnoObbligatorio = 1;
    else if (stato_.SequenzeObbligatorie == 1 && ultimo > 1)
        TurnoObbligatorio = static_cast<std::int16_t>(ultimo - 1);
    else if (stato_.SequenzeObbligatorie == 2)
        TurnoObbligatorio = 1;
}

void TecnicheLivello::AccendiSchK(Byte a, Byte b) {
    auto& t = stato_.TecnicheAttive;
    t[0] = a;
    t[1] = a;
    t[2] = b;
    t[3] = b;
    t[4] = b;
    t[5] = b;
}

void TecnicheLivello::AccendiAV(Byte a, Byte b, Byte c) {
    stato_.TecnicheAvanzate = {a, b, c};
}

}  // namespace kenvaron
