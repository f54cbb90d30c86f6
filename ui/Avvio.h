// The entry decision: batch production, interactive use, or an immediate end.
#pragma once

#include <string>

#include "generation/RegoleProduzione.h"

namespace kenvaron {

enum class ModoAvvio {
    Interattivo,  // any command line but "/prod"
    Produzione,   // "/prod" with the rules file: batch production
    Fine,         // "/prod" without the rules file: end at once, silently
};

// The whole argument string decides: only "/prod" exactly (case-sensitive,
// nothing else on the line) asks for batch production.
ModoAvvio DecidiAvvio(const std::string& rigaComando, bool regolePresenti);

}  // namespace kenvaron
