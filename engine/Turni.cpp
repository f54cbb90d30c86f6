// The technique turns of the narrated solver and the scoring of a solve.
#include <algorithm>
#include <array>
#include <cmath>
#include <span>
#include <string>

#include "engine/Marcatori.h"
#include "engine/Motore.h"

namespace kenvaron {

namespace {

// Indices of TurniAttivi (S, G, D, B, C) and of the switches of TecnicheAttive.
enum { kAttivoS = 0, kAttivoG = 1, kAttivoD = 2, kAttivoB = 3, kAttivoC = 4 };
enum { kPesci = 0, kXYWing = 1, kNishio = 2, kColori = 3, kCatene = 4, kCateneUnita = 5 };

constexpr std::int16_t kPesoAvanzato = 50;

// A weight counts as the nearest whole number (0 when it is not a number).
int PesoIntero(double peso) {
    if (!std::isfinite(peso)) return 0;
    return static_cast<int>(std::lround(std::clamp(peso, -1e6, 1e6)));
}

}  // namespace

void Motore::PesaPassoPendente() {
    if (!TecnicaPendente) return;
    Valore += PesoPasso;
    if (TurnoPendente >= 1 && TurnoPendente <= 5) AccumulatoriTurno[TurnoPendente] += PesoPasso;
}

void Motore::PremiaSingolo(int livello) {
    Valore += 5 * PesoPasso + 210;
    for (int k = 1; k <= 5; ++k) {
        if (k >= TurnoPendente) Valore += 10 * AccumulatoriTurno[k];
        AccumulatoriTurno[k] = 0;
    }
    if (livello == 1) ++ContaPregio;
    if (NumPassi > 0) LogPassi[NumPassi].Testo += marcatori::kBonus;
    TecnicaPendente = false;
}

void Motore::ApplicaEliminazioni(int livello, char tipo) {
    AggiornaXYW(CelleGruppo);
    std::string voce(1, tipo);
    voce += "0,";
    voce += CelleGruppo;
    voce += ",|";
    PilaLivelli[livello].ListaRipristino.insert(0, voce);
}

bool Motore::TurniTecniche(int livello) {
    // The background engine reads no switch: fish, XY-wing, Nishio and chains
    // from a cell always run, colours and chains from a unit never.
    static constexpr std::array<Byte, 6> kInterruttoriSfondo{1, 1, 1, 0, 1, 0};
    const std::array<Byte, 6>& attive = Sfondo ? kInterruttoriSfondo : stato.TecnicheAttive;
    // What an XY-wing adds to its group counter: the switch, or the background's weight.
    const int incrementoXY = Sfondo ? PesoIntero(PesoTecnica) : attive[kXYWing];
    // Group C in turn order; the background engine tries Nishio first.
    static constexpr int kOrdineC[] = {kColori, kCatene, kCateneUnita, kNishio};
    static constexpr int kOrdineCSfondo[] = {kNishio, kCatene};
    const std::span<const int> ordineC =
        Sfondo ? std::span<const int>(kOrdineCSfondo) : std::span<const int>(kOrdineC);

    // Runs one self-narrating search; on a finding applies its list as a "W" or
    // "O" entry and scores it.
    auto avanzata = [&](auto&& cerca, char tipo, std::int32_t& contatore, int incremento, int turno) {
        TrovatoAvanzato = false;
        cerca(IncrementaIndice(livello));
        if (!TrovatoAvanzato) return false;
        ApplicaEliminazioni(livello, tipo);
        RegistraTecnica(kPesoAvanzato, contatore, turno, incremento);
        return true;
    };
    auto gruppoC = [&](int tecnica, int t) {
        switch (tecnica) {
            case kColori:
                return avanzata([&](const std::string& rientro) { CtrlColori(2, rientro, livello); }, 'O',
                                ContaTecnicaC, 1, t);
            case kCatene:
                return avanzata([&](const std::string& rientro) { CtrlXYwings("O", rientro, livello); }, 'O',
                                ContaTecnicaC, 1, t);
            case kCateneUnita:
                return avanzata([&](const std::string& rientro) { CtrlXYwingsMult("O", rientro, livello); }, 'O',
                                ContaTecnicaC, 1, t);
            default:
                // The search strikes the candidate and writes its own "L" entry.
                for (int d = 1; d <= 9; ++d) {
                    TrovatoAvanzato = false;
                    CtrlNishio(d, livello);
                    if (TrovatoAvanzato) {
                        RegistraTecnica(0, ContaTecnicaC, t);
                        return true;
                    }
                }
                return false;
        }
    };

    for (int t = 1; t <= 5; ++t) {
        if (Turni[kS] == t && TurniAttivi[kAttivoS] && CercaCandidatiFissati(livello, t)) return true;
        if (LivelloRagionamento < 2) return false;

        if (Turni[kB] == t && TurniAttivi[kAttivoB]) {
            if (attive[kPesci] == 1 && CercaPesci(livello, t)) return true;
            if (PermessoXYW &&
                avanzata([&](const std::string& rientro) { CtrlXYwings("W", rientro, livello); }, 'W',
                         ContaTecnicaB, incrementoXY, t))
                return true;
        }
        if (Turni[kG] == t && TurniAttivi[kAttivoG] && CercaGruppiG(livello, t)) return true;
        if (Turni[kD] == t && TurniAttivi[kAttivoD] && !Analisi && CercaCandidatiFissatiDue(livello, t))
            return true;
        if (Turni[kC] == t && TurniAttivi[kAttivoC])
            for (const int tecnica : ordineC)
                if (attive[tecnica] == 1 && gruppoC(tecnica, t)) return true;
    }
    return false;
}

}  // namespace kenvaron
