// What the background tests share: panel "p4" that records what is written
// to it, and a background engine profile whose yield counts and whose end
// action only counts (it returns, so the code under test goes on).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "background/CorsaSfondo.h"
#include "background/PannelloSfondo.h"
#include "engine/Motore.h"

namespace kenvaron::verifica {

class PannelloRegistrato final : public PannelloSfondo {
public:
    void Testo(const std::string& t) override { eventi.push_back("testo:" + t); }
    void Suggerimento(const std::string& s) override { eventi.push_back("suggerimento:" + s); }
    void Ridisegna() override { eventi.push_back("ridisegna"); }
    std::vector<std::string> Testi() const {
        std::vector<std::string> t;
        for (const std::string& e : eventi)
            if (e.rfind("testo:", 0) == 0) t.push_back(e.substr(6));
        return t;
    }
    // The last two writes emptied the text and the tool tip.
    bool Svuotato() const {
        const std::size_t n = eventi.size();
        return n >= 2 && eventi[n - 2] == "testo:" && eventi[n - 1] == "suggerimento:";
    }
    std::vector<std::string> eventi;
};

// Every slot of the five pools holds `schema`.
inline void RiempiPool(Condiviso& c, const std::string& schema) {
    for (const char* p : {"S", "N", "D", "C", "E"})
        for (std::string& slot : SlotSfondo(c, p)) slot = schema;
}

// What a stand-in generation run stores: `schema` in the first empty slot of LivelloBkg's pool.
inline void ArchiviaSubito(Condiviso& c, const std::string& schema) {
    for (std::string& slot : SlotSfondo(c, c.LivelloBkg))
        if (slot.empty()) {
            slot = schema;
            return;
        }
}

struct CessioniProva {
    // What the yield does besides counting.
    std::function<void()> allaCessione;
    int cessioni = 0, fini = 0;
    ProfiloMotore Profilo() {
        return ProfiloMotore::DiSfondo(
            [this] {
                ++cessioni;
                if (allaCessione) allaCessione();
            },
            [this] { ++fini; });
    }
};

}  // namespace kenvaron::verifica
