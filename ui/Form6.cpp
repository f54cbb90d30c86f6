#include "ui/Form6.h"

#include "ui/Centra.h"
#include "ui/Form1.h"
#include "ui/Form9.h"

namespace kenvaron {

namespace {

constexpr int kSinistra = 240;
constexpr int kLarghezza = 6600;
constexpr int kAltezzaRiga = 280;

// The "(tecnica av.)" captions of the switches of group C.
std::string DidascaliaNishio(bool av) { return av ? "[Nishio (tecnica av.)]" : "[Nishio]"; }
std::string DidascaliaColori(bool av) {
    return av ? "[Colori,Colori multipli (tecnica av.)]" : "[Colori,Colori multipli]";
}
std::string DidascaliaCatene(bool av) { return av ? "[Catene obbligate (tecnica av.)]" : "[Catene obbligate]"; }
std::string DidascaliaCateneRCQ(bool av) {
    return av ? "[Catene obbligate da RCQ(tecnica av.)]" : "[Catene obbligate da Riga,Col,Quad]";
}

bool Spuntato(const plat::CheckBox& c) { return c.Value() == plat::vbChecked; }
int Spunta(bool acceso) { return acceso ? plat::vbChecked : plat::vbUnchecked; }

}  // namespace

Form6::Form6(Form1& principale)
    : chkBXS(*this, "[X-Wing,Swordfish,Burma,Jellyfish,Squirmbag]"),
      ChkXYW(*this, "[XY-Wing, XYZ-wings]"),
      ChkC(*this),
      ChkM(*this),
      ChkO(*this),
      ChkI(*this),
      Frame1(*this, "Sequenze di soluzione obbligatorie nello schema "),
      Option1(Frame1, "L'ultima"),
      Option2(Frame1, "Le ultime due"),
      Option3(Frame1, "Tutte"),
      Label1(*this),
      Command1(*this, "Conferma"),
      Command2(*this, "Abbandona"),
      Command3(*this, "Clear"),
      CmdTecniche(*this, "Tecniche Avanzate"),
      principale_(principale) {
    const char* const gruppi[] = {"[Candidati Fissati]", "[Candidati Fissati in 2 quadrati]",
                                  "[Doppi, tripli,quadr nudi/nascosti]", "", ""};
    const char* const tag[] = {"S", "D", "G", "B", "C"};
    for (int i = 0; i < 5; ++i) {
        ChK[i] = std::make_unique<plat::CheckBox>(*this, gruppi[i]);
        ChK[i]->Tag = tag[i];
        ChK[i]->Click = [this, i] { ChK_Click(i); };
    }
    // The groups B and C follow their switches.
    ChK[3]->SetEnabled(false);
    ChK[4]->SetEnabled(false);

    // Headings, then every control, top to bottom.
    const std::pair<const char*, int> titoli[] = {
        {"Tecniche di soluzione", 120},  {"Impegnative", 480}, {"Difficili", 1400}, {"Per esperti", 2040},
        {"Estreme", 3240}, {"Sequenza di applicazione delle tecniche di soluzione", 4760}};
    for (int i = 0; i < 6; ++i) {
        titoli_[i] = std::make_unique<plat::Label>(*this, titoli[i].first);
        titoli_[i]->Move(kSinistra, titoli[i].second, kLarghezza, kAltezzaRiga);
        titoli_[i]->SetFontBold(true);
    }
    ChK[0]->Move(kSinistra, 760, kLarghezza, kAltezzaRiga);
    ChK[1]->Move(kSinistra, 1040, kLarghezza, kAltezzaRiga);
    ChK[2]->Move(kSinistra, 1680, kLarghezza, kAltezzaRiga);
    chkBXS.Move(kSinistra, 2320, kLarghezza, kAltezzaRiga);
    ChkXYW.Move(kSinistra, 2600, kLarghezza, kAltezzaRiga);
    ChK[3]->Move(kSinistra + 360, 2880, 8400, kAltezzaRiga);
    ChkM.Move(kSinistra, 3520, 4000, kAltezzaRiga);
    ChkO.Move(kSinistra, 3800, 4000, kAltezzaRiga);
    ChkI.Move(kSinistra, 4080, 4000, kAltezzaRiga);
    ChkC.Move(kSinistra, 4360, 4000, kAltezzaRiga);
    ChK[4]->Move(4400, 3520, 4600, kAltezzaRiga);
    CmdTecniche.Move(4400, 4000, 2000, 400);
    Label1.Move(kSinistra, 5040, 8600, 1500);
    Frame1.Move(kSinistra, 6600, 8600, 760);
    Option1.Move(240, 360, 2400, kAltezzaRiga);
    Option2.Move(2880, 360, 2400, kAltezzaRiga);
    Option3.Move(5520, 360, 2400, kAltezzaRiga);
    Command1.Move(7300, 120, 1500, 400);
    Command2.Move(7300, 600, 1500, 400);
    Command3.Move(7300, 1080, 1500, 400);
    SetClientSize(9100, 7500);

    chkBXS.Click = [this] { SwitchPesci(chkBXS, ChkXYW); };
    ChkXYW.Click = [this] { SwitchPesci(ChkXYW, chkBXS); };
    for (plat::CheckBox* c : {&ChkC, &ChkO, &ChkI, &ChkM}) c->Click = [this] { SwitchGruppoC(); };
    CmdTecniche.Click = [this] { CmdTecniche_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Unload(); };
    Command3.Click = [this] { Command3_Click(); };
}

void Form6::Form_Load() {
    CentraSu(*this, principale_);
    const Condiviso& c = principale_.condiviso();
    SequenzaScelta = c.TestoTecniche;
    SetCaption("Livello Personalizzato");
    DidascalieAvanzate();
    for (auto& g : ChK) g->SetValue(plat::vbUnchecked);
    CmdTecniche.SetEnabled(false);
    if (c.SequenzeObbligatorie == 0) Option1.SetValue(true);
    if (c.SequenzeObbligatorie == 1) Option2.SetValue(true);
    if (c.SequenzeObbligatorie == 2) Option3.SetValue(true);
    BloccoEventi = true;
    for (std::size_t i = 0; i < 6; ++i)
        if (c.TecnicheAttive[i] == 1) Switch()[i]->SetValue(plat::vbChecked);
    DecodificaChk();
}

std::array<plat::CheckBox*, 6> Form6::Switch() { return {&chkBXS, &ChkXYW, &ChkC, &ChkM, &ChkO, &ChkI}; }

void Form6::DidascalieAvanzate() {
    const auto& av = principale_.condiviso().ScelteAvanzate;
    ChkC.SetCaption(DidascaliaNishio(av[0] == 1));
    ChkO.SetCaption(DidascaliaCatene(av[1] == 1));
    ChkI.SetCaption(DidascaliaCateneRCQ(av[1] == 1));
    ChkM.SetCaption(DidascaliaColori(av[2] == 1));
}

void Form6::ChK_Click(int indice) {
    if (BloccoEventi) return;
    const std::string& lettera = ChK[indice]->Tag;
    if (Spuntato(*ChK[indice])) {
        SequenzaScelta += lettera;
    } else if (const auto p = SequenzaScelta.find(lettera); p != std::string::npos) {
        SequenzaScelta.erase(p, 1);
    }
    DecodificaChk();
}

// The fish and XY-wing switches: group B is ticked while either is ticked.
void Form6::SwitchPesci(plat::CheckBox& questo, plat::CheckBox& altro) {
    if (BloccoEventi) return;
    if (!Spuntato(questo) && !Spuntato(altro))
        ChK[3]->SetValue(plat::vbUnchecked);
    else if (Spuntato(questo) && !Spuntato(altro))
        ChK[3]->SetValue(plat::vbChecked);
    DecodificaChk();
}

// The colour, chain and Nishio switches: group C is ticked while any is ticked.
void Form6::SwitchGruppoC() {
    if (BloccoEventi) return;
    const bool qualcuno = Spuntato(ChkC) || Spuntato(ChkO) || Spuntato(ChkI) || Spuntato(ChkM);
    ChK[4]->SetValue(Spunta(qualcuno));
    CmdTecniche.SetEnabled(qualcuno);
    DecodificaChk();
}

void Form6::DecodificaChk() {
    BloccoEventi = true;
    std::string b;
    if (Spuntato(chkBXS)) b = chkBXS.Caption();
    if (Spuntato(ChkXYW))
        b += ChkXYW.Caption();
    else if (Spuntato(chkBXS) && !Spuntato(*ChK[4]))
        b += "  (" + ChkXYW.Caption() + " non obblig. ma possibile)";
    ChK[3]->SetCaption(b);

    std::string c;
    for (const plat::CheckBox* s : {&ChkM, &ChkO, &ChkI, &ChkC})
        if (Spuntato(*s)) c += s->Caption();
    ChK[4]->SetCaption(c);

    std::string testo, separatore;
    for (std::size_t n = 1; n <= SequenzaScelta.size(); ++n) {
        const std::string lettera = SequenzaScelta.substr(n - 1, 1);
        for (auto& g : ChK) {
            if (g->Tag != lettera) continue;
            g->SetValue(plat::vbChecked);
            testo += separatore + "SEQUENZA " + std::to_string(n) + ": " + g->Caption();
            separatore = " + \r\n";
        }
    }
    if (Spuntato(*ChK[4])) CmdTecniche.SetEnabled(true);
    Label1.SetCaption(testo);
    BloccoEventi = false;
}

void Form6::CmdTecniche_Click() {
    {
        Form9 avanzate(principale_, *this);
        avanzate.Show(plat::vbModal);
    }
    DidascalieAvanzate();
    DecodificaChk();
}

void Form6::Command1_Click() {
    Condiviso& c = principale_.condiviso();
    c.TestoTecniche = SequenzaScelta;
    if (Option1.Value()) c.SequenzeObbligatorie = 0;
    if (Option2.Value()) c.SequenzeObbligatorie = 1;
    if (Option3.Value()) c.SequenzeObbligatorie = 2;
    for (std::size_t i = 0; i < 6; ++i) c.TecnicheAttive[i] = Spuntato(*Switch()[i]) ? 1 : 0;
    Unload();
}

void Form6::Command3_Click() {
    BloccoEventi = true;
    for (plat::CheckBox* s : Switch()) s->SetValue(plat::vbUnchecked);
    for (auto& g : ChK) g->SetValue(plat::vbUnchecked);
    SequenzaScelta.clear();
    Label1.SetCaption("");
    BloccoEventi = false;
}

}  // namespace kenvaron
