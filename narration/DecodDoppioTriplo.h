// The word for a subset's size in the names of subset steps.
#pragma once

#include <string>

namespace kenvaron {

// 2 "Doppio", 3 "Triplo", 4 "Quadruplo", 5 "Quintuplo", any other size "".
inline std::string DecodDoppioTriplo(int n) {
    switch (n) {
        case 2: return "Doppio";
        case 3: return "Triplo";
        case 4: return "Quadruplo";
        case 5: return "Quintuplo";
        default: return "";
    }
}

}  // namespace kenvaron
