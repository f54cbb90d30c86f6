// The clock the engine and the generators read: an elapsed clock for every
// time limit, and the seconds since midnight for seeds and texts.
#pragma once

#include <chrono>

#include <time.h>

namespace kenvaron {

class Orologio {
public:
    virtual ~Orologio() = default;
    // Seconds on a monotonic clock; only differences mean anything.  The
    // system clock may step by a few milliseconds at a time.
    virtual double Trascorsi() const = 0;
    // Seconds since local midnight, with fractions (the role of Timer).
    virtual double SecondiDaMezzanotte() const = 0;
    // Whole days from 30 December 1899 to today's local date (the role of Int(Now)).
    virtual double Giorno() const = 0;
};

// The real clock of the machine.
class OrologioDiSistema final : public Orologio {
public:
    // Defined here so that a caller holding this class can have it inline.
    double Trascorsi() const override {
#ifdef CLOCK_MONOTONIC_COARSE
        // The solver reads this once per search level: the coarse clock costs
        // a few nanoseconds where the precise one costs tens, and its
        // resolution (a few milliseconds) is ample for limits of seconds.
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
#else
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
#endif
    }
    double SecondiDaMezzanotte() const override;
    double Giorno() const override;
    // One shared instance; the clock has no state.
    static OrologioDiSistema& Istanza();
};

// A clock that tests set and advance by hand.
class OrologioFinto final : public Orologio {
public:
    double Trascorsi() const override { return trascorsi; }
    double SecondiDaMezzanotte() const override { return mezzanotte; }
    double Giorno() const override { return giorno; }
    void Avanza(double secondi) {
        trascorsi += secondi;
        mezzanotte += secondi;
    }
    double trascorsi = 1000.0;
    double mezzanotte = 43200.0;
    double giorno = 46000.0;
};

}  // namespace kenvaron
