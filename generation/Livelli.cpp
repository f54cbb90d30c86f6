#include "generation/Livelli.h"

#include <cctype>

namespace kenvaron {

void Livelli::SettaTurni(std::string& codice) {
    TurnoObbligatorio = 0;
    for (char& ch : codice) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    // Positions count every character of the code, blanks included.
    auto posizione = [&](char lettera) -> std::int16_t {
        const std::size_t i = codice.find(lettera);
        return i == std::string::npos ? 0 : static_cast<std::int16_t>(i + 1);
    };
    struct Voce {
        char lettera;
        Motore::Gruppo gruppo;
    };
    static constexpr Voce kOrdine[] = {
        {'G', Motore::kG}, {'D', Motore::kD}, {'B', Motore::kB}, {'S', Motore::kS}, {'C', Motore::kC}};
    for (const Voce& v : kOrdine) {
        const std::int16_t turno = posizione(v.lettera);
        motore_.Turni[v.gruppo] = turno;
        if (turno > TurnoObbligatorio) TurnoObbligatorio = turno;
    }
    const std::int16_t ultimo = TurnoObbligatorio;
    if (ultimo == 0)
        TurnoObbligatorio = 1;
    else if (stato_.SequenzeObbligatorie == 1 && ultimo > 1)
        TurnoObbligatorio = static_cast<std::int16_t>(ultimo - 1);
    else if (stato_.SequenzeObbligatorie == 2)
        TurnoObbligatorio = 1;
}

void Livelli::AccendiSchK(Byte a, Byte b) {
    auto& t = stato_.TecnicheAttive;
    t[0] = a;
    t[1] = a;
    t[2] = b;
    t[3] = b;
    t[4] = b;
    t[5] = b;
}

void Livelli::AccendiAV(Byte a, Byte b, Byte c) {
    stato_.TecnicheAvanzate = {a, b, c};
}

}  // namespace kenvaron
