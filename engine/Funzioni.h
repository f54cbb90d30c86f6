// Number and date helpers as the windows' runtime has them: Val, rounding
// half to even, the current date and time with Format patterns, and the
// seconds since midnight.  Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kenvaron {

// The leading number of a text: blanks, tabs and line ends are ignored
// wherever they stand; an optional sign, digits, one ".", an exponent (E or D
// with optional sign); or a whole number after "&H" (hexadecimal) or "&O" / "&"
// (octal).  Reading stops at the first character that cannot continue the
// number; no number gives 0.  A hexadecimal or octal number of at most 16 bits
// reads as a signed 16-bit value, of at most 32 bits as a signed 32-bit value
// ("&HFFFF" is -1).  A decimal number too large for a double gives 0.
double Val(std::string_view testo);

// Rounds to the nearest whole number, ties to the even one (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);
// Rounded half to even and kept within the 16-bit / 32-bit range.
std::int16_t CInt(double x);
std::int32_t CLng(double x);

struct DataOra {
    int anno = 1899, mese = 12, giorno = 30;
    int ora = 0, minuto = 0, secondo = 0, millisecondo = 0;
    // The date serial: days since 30 December 1899, the time as the fraction.
    double Seriale() const;
    // The whole days of the serial (what Int(Now) gives).
    long Giorni() const;
};

// The local date and time now.
DataOra Now();
// Seconds since local midnight, with fractions (the role of Timer).
double SecondiDaMezzanotte();

// A date formatted with a pattern of yyyy, yy, m, mm (month), d, dd, h, hh,
// n, nn (minutes), s, ss; m and mm after an hour or before a second are the
// minutes.  Letters are case-insensitive; anything else is copied.
// Format(t, "YYYY/mm/DD HH:MM:SS") gives "2024/03/07 09:05:02".
std::string Format(const DataOra& t, std::string_view modello);
// A number formatted with digit places: "0" always written, "#" only when
// significant, one "." before the decimals; rounded half away from zero.
// Format(7, "00") gives "07".
std::string Format(double numero, std::string_view modello);

}  // namespace kenvaron
