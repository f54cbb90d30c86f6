#include "engine/Orologio.h"

#include "engine/Funzioni.h"

#include <chrono>
#include <ctime>

#include <time.h>

namespace kenvaron {

double OrologioDiSistema::SecondiDaMezzanotte() const {
    using namespace std::chrono;
    const auto ora = system_clock::now();
    const std::time_t t = system_clock::to_time_t(ora);
    std::tm locale{};
    localtime_r(&t, &locale);
    const double frazione =
        duration<double>(ora.time_since_epoch()).count() - static_cast<double>(t);
    return locale.tm_hour * 3600.0 + locale.tm_min * 60.0 + locale.tm_sec + frazione;
}

double OrologioDiSistema::Giorno() const { return static_cast<double>(Now().Giorni()); }

OrologioDiSistema& OrologioDiSistema::Istanza() {
    static OrologioDiSistema orologio;
    return orologio;
}

}  // namespace kenvaron
