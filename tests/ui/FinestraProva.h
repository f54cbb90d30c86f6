// The window tests' fixture: a folder of its own standing for the program's
// folder, the main window built as the program builds it, and a responder
// that answers every dialog from a script.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/Dialogs.h"
#include "platform/System.h"
#include "ui/Form1.h"
#include "ui/Form5.h"

namespace kenvaron::prova {

namespace fs = std::filesystem;

// A folder of its own for each test, standing for the program's folder.
class CartellaProva {
public:
    CartellaProva() {
        static int numero = 0;
        percorso = fs::temp_directory_path() /
                   ("kenvaron_ui_" + std::to_string(::getpid()) + "_" + std::to_string(++numero));
        fs::create_directories(percorso);
    }
    ~CartellaProva() {
        std::error_code ec;
        fs::remove_all(percorso, ec);
    }
    void Scrivi(const std::string& nome, const std::string& testo) const {
        std::ofstream(percorso / nome) << testo;
    }
    std::string Leggi(const std::string& nome) const {
        std::ifstream f(percorso / nome, std::ios::binary);
        std::stringstream s;
        s << f.rdbuf();
        return s.str();
    }
    fs::path percorso;
};

// The main window with a hook at every yield.
class FinestraCedevole : public Form1 {
public:
    void Cedi() override {
        Form1::Cedi();
        ++cessioni;
        if (aOgniCessione) aOgniCessione();
    }
    std::function<void()> aOgniCessione;
    int cessioni = 0;
};

class Finestra : public ::testing::Test {
protected:
    Finestra() { plat::SetAppPath(cartella.percorso.string()); }
    ~Finestra() override { plat::SetAppPath(""); }

    // Builds the window the way the program does, with its background form
    // (a test may hand in a window of a class of its own).
    void Crea(std::unique_ptr<Form1> finestra = nullptr) {
        f = finestra ? std::move(finestra) : std::make_unique<Form1>();
        sfondo = std::make_unique<Form5>(*f);
        sfondo->Load();
        f->CollegaSfondo(*sfondo);
        f->FineProgramma = [this] { ++fini; };
    }
    void Apri() {
        Crea();
        f->Show();
    }
    std::vector<std::string> Chiavi() const {
        std::vector<std::string> v;
        for (int i = 1; i <= f->tlb1.Count(); ++i) v.push_back(f->tlb1.ButtonAt(i).Key());
        return v;
    }
    std::vector<std::string> Suggerimenti() const {
        std::vector<std::string> v;
        for (int i = 1; i <= f->tlb1.Count(); ++i)
            if (f->tlb1.ButtonAt(i).Style() == plat::tbrDefault)
                v.push_back(f->tlb1.ButtonAt(i).ToolTipText());
        return v;
    }
    std::vector<std::string> Domandati(const std::string& tipo) const {
        std::vector<std::string> v;
        for (const auto& d : risposte.domandati)
            if (d.tipo == tipo) v.push_back(d.testo);
        return v;
    }
    void Cambia() {
        f->condiviso().Problema[1][1] = 5;
        f->stato.SchemaModificato = 1;
    }

    CartellaProva cartella;
    plat::RisponditoreProgrammato risposte;
    plat::RisponditoreInUso inUso{risposte};
    std::unique_ptr<Form1> f;
    std::unique_ptr<Form5> sfondo;
    int fini = 0;
};

}  // namespace kenvaron::prova
