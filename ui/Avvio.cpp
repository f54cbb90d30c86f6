#include "ui/Avvio.h"

namespace kenvaron {

ModoAvvio DecidiAvvio(const std::string& rigaComando, bool regolePresenti) {
    if (rigaComando != "/prod") return ModoAvvio::Interattivo;
    return regolePresenti ? ModoAvvio::Produzione : ModoAvvio::Fine;
}

}  // namespace kenvaron
