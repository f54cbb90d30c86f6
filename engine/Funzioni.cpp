#include "engine/Funzioni.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cctype>
#include <limits>
#include <vector>

namespace kenvaron {

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool Cifra(char c) { return c >= '0' && c <= '9'; }

// A whole number in base 8 or 16, read with the width rules of Val.
double ValIntero(const std::string& s, std::size_t i, int base) {
    std::uint64_t v = 0;
    bool troppo = false;
    for (; i < s.size(); ++i) {
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i])));
        int d;
        if (Cifra(c))
            d = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        if (d >= base) break;
        if (v > (std::numeric_limits<std::uint64_t>::max() >> 4)) troppo = true;
        v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    }
    if (troppo) return 0;
    if (v <= 0xFFFF) return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(v)));
    if (v <= 0xFFFFFFFFu) return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(v)));
    return static_cast<double>(v);
}

int Giorni1899(int anno, int mese, int giorno) {
    // Days from the civil calendar (proleptic Gregorian), counted from 1970-01-01.
    anno -= mese <= 2;
    const int era = (anno >= 0 ? anno : anno - 399) / 400;
    const int ae = anno - era * 400;
    const int ga = (153 * (mese + (mese > 2 ? -3 : 9)) + 2) / 5 + giorno - 1;
    const int ge = ae * 365 + ae / 4 - ae / 100 + ga;
    const int dal1970 = era * 146097 + ge - 719468;
    return dal1970 + 25569;  // 1970-01-01 is day 25569 of the serial
}

std::string DueCifre(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

double Val(std::string_view testo) {
    std::string s;
    s.reserve(testo.size());
    for (const char c : testo)
        if (!Blank(c)) s.push_back(c);
    if (s.size() >= 2 && s[0] == '&') {
        const char p = static_cast<char>(std::toupper(static_cast<unsigned char>(s[1])));
        if (p == 'H') return ValIntero(s, 2, 16);
        if (p == 'O') return ValIntero(s, 2, 8);
        if (Cifra(s[1])) return ValIntero(s, 1, 8);
        return 0;
    }
    // Collect the longest prefix that is a number: sign, digits, ".", digits, exponent.
    std::string n;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) n.push_back(s[i++]);
    bool cifre = false;
    while (i < s.size() && Cifra(s[i])) {
        n.push_back(s[i++]);
        cifre = true;
    }
    if (i < s.size() && s[i] == '.') {
        n.push_back(s[i++]);
        while (i < s.size() && Cifra(s[i])) {
            n.push_back(s[i++]);
            cifre = true;
        }
    }
    if (!cifre) return 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        std::string esponente = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) esponente.push_back(s[j++]);
        bool cifreE = false;
        while (j < s.size() && Cifra(s[j])) {
            esponente.push_back(s[j++]);
            cifreE = true;
        }
        if (cifreE) n += esponente;
    }
    if (n[0] == '+') n.erase(0, 1);
    double v = 0;
    const auto [fine, errore] = std::from_chars(n.data(), n.data() + n.size(), v);
    (void)fine;
    if (errore != std::errc()) return 0;
    return v;
}

double RoundHalfEven(double x) {
    if (!std::isfinite(x)) return 0;
    const double sotto = std::floor(x);
    const double resto = x - sotto;
    if (resto > 0.5) return sotto + 1;
    if (resto < 0.5) return sotto;
    return std::fmod(sotto, 2.0) == 0 ? sotto : sotto + 1;
}

std::int16_t CInt(double x) {
    return static_cast<std::int16_t>(std::clamp(RoundHalfEven(x), -32768.0, 32767.0));
}

std::int32_t CLng(double x) {
    return static_cast<std::int32_t>(std::clamp(RoundHalfEven(x), -2147483648.0, 2147483647.0));
}

double DataOra::Seriale() const {
    return Giorni() + (ora * 3600.0 + minuto * 60.0 + secondo + millisecondo / 1000.0) / 86400.0;
}

long DataOra::Giorni() const { return Giorni1899(anno, mese, giorno); }

DataOra Now() {
    using namespace std::chrono;
    const auto adesso = system_clock::now();
    const std::time_t t = system_clock::to_time_t(adesso);
    std::tm l{};
    localtime_r(&t, &l);
    DataOra d;
    d.anno = l.tm_year + 1900;
    d.mese = l.tm_mon + 1;
    d.giorno = l.tm_mday;
    d.ora = l.tm_hour;
    d.minuto = l.tm_min;
    d.secondo = l.tm_sec;
    d.millisecondo = static_cast<int>(duration_cast<milliseconds>(adesso.time_since_epoch()).count() % 1000);
    return d;
}

double SecondiDaMezzanotte() {
    const DataOra d = Now();
    return d.ora * 3600.0 + d.minuto * 60.0 + d.secondo + d.millisecondo / 1000.0;
}

std::string Format(const DataOra& t, std::string_view modello) {
    // Split the pattern into runs of one letter; tell the minutes from the month.
    struct Pezzo {
        char lettera;  // 0 for text copied as it stands
        std::size_t lunghezza;
        std::string testo;
    };
    std::vector<Pezzo> pezzi;
    for (std::size_t i = 0; i < modello.size();) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(modello[i])));
        if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 'n' || c == 's') {
            std::size_t j = i;
            while (j < modello.size() && std::tolower(static_cast<unsigned char>(modello[j])) == c) ++j;
            pezzi.push_back({c, j - i, {}});
            i = j;
        } else {
            pezzi.push_back({0, 1, std::string(1, modello[i])});
            ++i;
        }
    }
    std::string r;
    for (std::size_t k = 0; k < pezzi.size(); ++k) {
        const Pezzo& p = pezzi[k];
        if (p.lettera == 0) {
            r += p.testo;
            continue;
        }
        char lettera = p.lettera;
        if (lettera == 'm' && p.lunghezza <= 2) {
            char prima = 0, dopo = 0;
            for (std::size_t j = k; j-- > 0;)
                if (pezzi[j].lettera != 0) {
                    prima = pezzi[j].lettera;
                    break;
                }
            for (std::size_t j = k + 1; j < pezzi.size(); ++j)
                if (pezzi[j].lettera != 0) {
                    dopo = pezzi[j].lettera;
                    break;
                }
            if (prima == 'h' || dopo == 's') lettera = 'n';
        }
        const bool due = p.lunghezza >= 2;
        switch (lettera) {
        case 'y':
            r += p.lunghezza >= 3 ? std::to_string(t.anno) : DueCifre(t.anno % 100);
            break;
        case 'm': r += due ? DueCifre(t.mese) : std::to_string(t.mese); break;
        case 'd': r += due ? DueCifre(t.giorno) : std::to_string(t.giorno); break;
        case 'h': r += due ? DueCifre(t.ora) : std::to_string(t.ora); break;
        case 'n': r += due ? DueCifre(t.minuto) : std::to_string(t.minuto); break;
        case 's': r += due ? DueCifre(t.secondo) : std::to_string(t.secondo); break;
        default: break;
        }
    }
    return r;
}

std::string Format(double numero, std::string_view modello) {
    const std::size_t punto = modello.find('.');
    const std::string_view intera = modello.substr(0, punto);
    const std::string_view decimale = punto == std::string_view::npos ? std::string_view() : modello.substr(punto + 1);
    const auto conta = [](std::string_view s, char c) {
        return static_cast<int>(std::count(s.begin(), s.end(), c));
    };
    const int zeriInteri = conta(intera, '0');
    const int zeriDecimali = conta(decimale, '0');
    const int posti = zeriDecimali + conta(decimale, '#');
    // Rounded half away from zero at the last decimal place.
    const double scala = std::pow(10.0, posti);
    const double arrotondato = std::round(std::fabs(numero) * scala) / scala;
    char buffer[64];
    const auto [fine, errore] =
        std::to_chars(buffer, buffer + sizeof buffer, arrotondato, std::chars_format::fixed, posti);
    if (errore != std::errc()) return std::to_string(numero);
    std::string cifre(buffer, fine);
    std::string parteIntera = cifre.substr(0, cifre.find('.'));
    std::string parteDecimale = posti > 0 ? cifre.substr(cifre.find('.') + 1) : std::string();
    // "#" places drop trailing zeros beyond the "0" places.
    while (static_cast<int>(parteDecimale.size()) > zeriDecimali && !parteDecimale.empty() &&
           parteDecimale.back() == '0')
        parteDecimale.pop_back();
    if (parteIntera == "0" && zeriInteri == 0) parteIntera.clear();
    while (static_cast<int>(parteIntera.size()) < zeriInteri) parteIntera.insert(0, "0");
    std::string r = parteIntera;
    if (!parteDecimale.empty() || (punto != std::string_view::npos && zeriDecimali > 0)) r += "." + parteDecimale;
    if (numero < 0 && arrotondato != 0) r.insert(0, "-");
    return r;
}

}  // namespace kenvaron
