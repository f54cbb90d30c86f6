// The entry decision: batch production, interactive use, or an immediate end.
#pragma once

#include <string>

namespace kenvaron {

// The batch rules file, looked for in the program's folder.
inline constexpr const char* kFileRegole = "Kenvaron.ini";

enum class ModoAvvio {
    Interattivo,  // any command line but "/prod"
    Produzione,   // "/prod" with the rules file: batch production
    Fine,         // "/prod" without the rules file: end at once, silently
};

// The whole argument string decides: only "/prod" exactly (case-sensitive,
// nothing else on the line) asks for batch production.
ModoAvvio DecidiAvvio(const std::string& rigaComando, bool regolePresenti);

}  // namespace kenvaron
