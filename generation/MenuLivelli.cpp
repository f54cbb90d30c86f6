#include "generation/MenuLivelli.h"

#include <charconv>

namespace kenvaron {

namespace {

constexpr RigaLivello kRighe[] = {
    // menu, code, letter, SchK, For, removal, SS, choices, own check
    {"mnuSemplice", " ", "S", 0, 0, 5, 9, false, true, true},
    {"MnuNormale", "S", "N", 0, 0, 5, 9, false, true, true},
    {"MnuDifficile", "SDG", "D", 0, 0, 5, 9, false, true, true},
    {"MnuEsperto", "SGDB", "E", 1, 0, 5, 9, false, true, true},
    {"MnuEstremo", "SGDBC", "M", 1, 1, 5, 9, false, true, true},
    {"mnuSemplice2", " ", "3", 0, 0, 5, 9, false, false, false},
    {"mnuClassico", "SGB", "C", 1, 0, 3, 9, false, true, true},
    {"mnuSuperSemplice", " ", "1", 0, 0, 5, 5, true, false, true},
    {"mnuSuperComplesso", "SGB", "2", 1, 0, 3, 5, true, true, true},
};

// The choices every level with its own choices makes: "Difficile" and
// "Molto Complicato", hidden singles and naked singles alike.
void ScelteStandard(ContestoLivello& c) {
    c.impostazioni.IndiceCmbf = 2;
    c.motore.IndiceRagionamento = 4;
    c.motore.SaltaNaked = false;
}

}  // namespace

const RigaLivello* TrovaRigaLivello(const std::string& menu) {
    for (const RigaLivello& r : kRighe)
        if (menu == r.menu) return &r;
    return nullptr;
}

const RigaLivello* TrovaRigaLettera(const std::string& lettera) {
    for (const RigaLivello& r : kRighe)
        if (lettera == r.lettera) return &r;
    return nullptr;
}

void ApplicaRigaLivello(const RigaLivello& riga, ContestoLivello& c) {
    c.livelli.AccendiSchK(riga.schkA, riga.schkB);
    c.livelli.AccendiAV(0, 0, 0);
    c.livelli.CodiciTecniche = riga.codice;
    c.livelli.SettaTurni(c.livelli.CodiciTecniche);
    c.livelli.Livello = riga.lettera;
    c.motore.LimiteFor = riga.limiteFor;
    if (riga.cambiaScelte) ScelteStandard(c);
    c.stato.SequenzeObbligatorie = 0;
    c.impostazioni.LimiteRigaRimozione = riga.limiteRimozione;
    c.impostazioni.LimiteColonnaRimozione = riga.limiteRimozione;
    c.impostazioni.SuperSimmetrico = riga.superSimmetrico;
}

void ScambiaTecniche(ContestoLivello& c, const std::function<void()>& finestra) {
    c.stato.TestoTecniche = c.livelli.CodiciTecniche;
    if (finestra) finestra();
    c.livelli.CodiciTecniche = c.stato.TestoTecniche;
    c.livelli.SettaTurni(c.stato.TestoTecniche);
    const auto& av = c.stato.ScelteAvanzate;
    c.livelli.AccendiAV(av[0], av[1], av[2]);
}

void ApplicaPersonalizzato(ContestoLivello& c, const std::function<void()>& scambio) {
    c.impostazioni.SuperSimmetrico = false;
    if (scambio)
        scambio();
    else
        ScambiaTecniche(c, {});
    c.livelli.Livello = "P";
    c.motore.LimiteFor = 5;
    ScelteStandard(c);
    c.impostazioni.LimiteRigaRimozione = 9;
    c.impostazioni.LimiteColonnaRimozione = 9;
}

std::string TestoNumero(double x) {
    char testo[32];
    const auto fine = std::to_chars(testo, testo + sizeof testo, x).ptr;
    return std::string(testo, fine);
}

std::optional<std::string> DecodMnuLiv(const std::string& lettera) {
    static const std::pair<const char*, const char*> kNomi[] = {
        {"S", "Semplice"},       {"N", "Impegnativo"},         {"D", "Difficile"},
        {"E", "Esperto"},        {"M", "Estremo"},             {"C", "Classico"},
        {"P", "Personalizzato"}, {"1", "Supersimm. semplice"}, {"2", "Supersimm. avanzato"},
        {"3", "Non so"}};
    for (const auto& [l, nome] : kNomi)
        if (lettera == l) return std::string(nome);
    return std::nullopt;
}

}  // namespace kenvaron
