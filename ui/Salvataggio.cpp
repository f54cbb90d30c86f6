#include "ui/Salvataggio.h"

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

bool ScriviSchema(const std::string& percorso, const Tabella& t, const FilePropri& propri) {
    return ScriviRighe(percorso, {SchemaTesto(t)}, propri);
}

std::string TitoloConFile(const std::string& percorso) {
    // Windows and POSIX paths alike: the name is what follows the last separator.
    const std::size_t barra = percorso.find_last_of("\\/");
    const std::string nome = barra == std::string::npos ? percorso : percorso.substr(barra + 1);
    return std::string(kNomeProgramma) + "   <" + nome + ">";
}

}  // namespace kenvaron
