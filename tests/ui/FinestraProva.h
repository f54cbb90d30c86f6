// What the window tests share: a temporary folder standing for the program's
// folder, and the main window built as the program builds it, with a
// programmed responder answering every dialog.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "tests/core/CartellaTemporanea.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Form5.h"

namespace kenvaron {

using verifica::CartellaTemporanea;
using CartellaProva = CartellaTemporanea;

class FinestraProva : public ::testing::Test {
protected:
    FinestraProva() { plat::SetAppPath(cartella.percorso.string()); }
    ~FinestraProva() override { plat::SetAppPath(""); }

    // Builds the window the way the program does, with its background form.
    void Crea() {
        f = std::make_unique<Form1>();
        sfondo = std::make_unique<Form5>(*f);
        sfondo->Load();
        f->CollegaSfondo(*sfondo);
        f->FineProgramma = [this] { ++fini; };
    }
    void Apri() {
        Crea();
        f->Show();
    }
    // The texts of the dialogs of one kind ("messaggio", "finestra", ...) asked so far.
    std::vector<std::string> Domandati(const std::string& tipo) const {
        std::vector<std::string> v;
        for (const auto& d : risposte.domandati)
            if (d.tipo == tipo) v.push_back(d.testo);
        return v;
    }

    CartellaProva cartella;
    plat::RisponditoreProgrammato risposte;
    plat::RisponditoreInUso inUso{risposte};
    std::unique_ptr<Form1> f;
    std::unique_ptr<Form5> sfondo;
    int fini = 0;
};

}  // namespace kenvaron
