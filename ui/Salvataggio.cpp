#include "ui/Salvataggio.h"

#include <fstream>

namespace kenvaron {

bool ChiediSalvataggio(const Byte& schemaModificato, const std::function<Risposta()>& chiedi,
                       const std::function<void()>& salva) {
    if (schemaModificato == 0) return false;
    switch (chiedi()) {
        case Risposta::No: return false;
        case Risposta::Annulla: return true;
        case Risposta::Si: break;
    }
    salva();
    return schemaModificato == 1;
}

bool ScriviSchema(const std::string& percorso, const Tabella& t) {
    std::ofstream f(percorso, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f << SchemaTesto(t) << "\r\n";
    f.close();
    return !f.fail();
}

std::string TitoloConFile(const std::string& percorso) {
    // Windows and POSIX paths alike: the name is what follows the last separator.
    const std::size_t barra = percorso.find_last_of("\\/");
    const std::string nome = barra == std::string::npos ? percorso : percorso.substr(barra + 1);
    return std::string(kNomeProgramma) + "   <" + nome + ">";
}

}  // namespace kenvaron
