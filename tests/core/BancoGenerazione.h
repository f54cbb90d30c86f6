// A generator on its own engine, for tests: a fake clock, a level applied as
// the menu applies it, and a window that counts what the passes ask of it and
// can press Esc at a chosen yield.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Motore.h"
#include "generation/Generatore.h"
#include "generation/MenuLivelli.h"
#include "tests/core/SolutoreIndipendente.h"

namespace kenvaron::verifica {

// A clock whose elapsed face moves `passo` seconds at every reading while its
// seconds since midnight and its day stand still.
class OrologioACatti final : public Orologio {
public:
    OrologioACatti(double passo, double mezzanotte, double giorno)
        : passo_(passo), mezzanotte_(mezzanotte), giorno_(giorno) {}
    double Trascorsi() const override { return t_ += passo_; }
    double SecondiDaMezzanotte() const override { return mezzanotte_; }
    double Giorno() const override { return giorno_; }

private:
    double passo_, mezzanotte_, giorno_;
    mutable double t_ = 0;
};

class FinestraProva final : public FinestraGenerazione {
public:
    explicit FinestraProva(StatoGenerazione& g) : gen_(g) {}
    void Cedi() override {
        ++cessioni;
        if (escAllaCessione > 0 && cessioni >= escAllaCessione) gen_.Chiudi = 1;
    }
    void Disegna(const Tabella& t) override { disegnate.push_back(t); }
    void TestoPannello(const std::string& chiave, const std::string& testo) override {
        testi.push_back(chiave + "=" + testo);
    }
    void Puntatore(int p) override { puntatore = p; }
    void TestoEtichetta(const std::string& t) override { etichetta = t; }
    void Didascalia(const std::string& t) override { didascalie.push_back(t); }

    int cessioni = 0;
    int escAllaCessione = 0;  // 0 = never
    int puntatore = 0;
    std::vector<Tabella> disegnate;
    std::vector<std::string> testi;
    std::string etichetta;
    std::vector<std::string> didascalie;

private:
    StatoGenerazione& gen_;
};

class BancoGenerazione {
public:
    explicit BancoGenerazione(const std::string& lettera = "N")
        : motore(std::make_unique<Motore>(stato, orologio)),
          m(*motore),
          livelli(m, stato),
          finestra(gen),
          generatore(m, stato, livelli, impostazioni, gen, finestra) {
        Livello(lettera);
    }

    void Livello(const std::string& lettera) {
        ContestoLivello c{livelli, m, stato, impostazioni};
        if (const RigaLivello* riga = TrovaRigaLettera(lettera))
            ApplicaRigaLivello(*riga, c);
        else
            ApplicaPersonalizzato(c);
        m.ModoRisolvi = false;
    }

    // The seeded run of a seed and skip, without limits; the puzzle as text.
    std::string Genera(double seme, int salto) {
        EXPECT_TRUE(generatore.CorpoSeminato(seme, salto, true)) << seme;
        return Testo(stato.Problema);
    }

    static std::string Testo(const Tabella& t) {
        std::string s;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) s += static_cast<char>('0' + t[r][c]);
        return s;
    }
    static void Carica(Tabella& t, const std::string& s) {
        for (int i = 0; i < 81; ++i) t[i / 9 + 1][i % 9 + 1] = static_cast<Byte>(s[i] - '0');
    }
    static int Piene(const Tabella& t) {
        int n = 0;
        for (int r = 1; r <= 9; ++r)
            for (int c = 1; c <= 9; ++c) n += t[r][c] != 0;
        return n;
    }

    // Draws the engine's generator has made since the state `da`, counted on a copy.
    static int Estrazioni(Casuale da, const Casuale& a, int massimo = 100000) {
        for (int n = 0; n <= massimo; ++n) {
            if (da.Stato() == a.Stato()) return n;
            da.Prossimo();
        }
        return -1;
    }

    OrologioFinto orologio;
    Condiviso stato;
    std::unique_ptr<Motore> motore;
    Motore& m;
    Livelli livelli;
    ImpostazioniGenerazione impostazioni;
    StatoGenerazione gen;
    FinestraProva finestra;
    Generatore generatore;
};

}  // namespace kenvaron::verifica
