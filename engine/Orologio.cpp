#include "engine/Orologio.h"

#include "engine/Funzioni.h"

#include <chrono>
#include <ctime>

#include <time.h>

namespace kenvaron {

double OrologioDiSistema::Trascorsi() const {
#ifdef CLOCK_MONOTONIC_COARSE
    // The solver reads this once per search level: the coarse clock costs a
    // few nanoseconds where the precise one costs tens, and its resolution (a
    // few milliseconds) is ample for limits of seconds.
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
#endif
}

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
