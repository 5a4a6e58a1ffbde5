#include "data/NumberScan.h"

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace data {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Powers of ten that are exact in a double.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// A plain decimal number: optional sign, digits with at most one point
// (at least one digit), and an optional exponent with at least one digit.
struct Decimal {
    const char* begin = nullptr;
    const char* end = nullptr;
    bool negative = false;
    std::uint64_t mantissa = 0; // the digits without the point, up to kMaxDigits
    int significant = 0;        // digits after the leading zeros
    int fractionDigits = 0;
    long exponent = 0; // written exponent (bounded, see parseExponent)
    bool exponentTooLong = false;
};

constexpr int kMaxDigits = 15; // every 15-digit integer is exact in a double

void addDigit(Decimal& d, char c) {
    if (d.significant == 0 && c == '0')
        return;
    ++d.significant;
    if (d.significant <= kMaxDigits)
        d.mantissa = d.mantissa * 10 + static_cast<unsigned>(c - '0');
}

// Reads digits into d; the number of digits read.
int readDigits(const char*& p, Decimal& d, bool fraction) {
    int count = 0;
    for (; isDigit(*p); ++p, ++count) {
        addDigit(d, *p);
        if (fraction)
            ++d.fractionDigits;
    }
    return count;
}

bool parseExponent(const char*& p, Decimal& d) {
    const char* q = p + 1;
    const bool negative = *q == '-';
    if (*q == '+' || *q == '-')
        ++q;
    if (!isDigit(*q))
        return false;
    long value = 0;
    for (; isDigit(*q); ++q) {
        if (value < 100000)
            value = value * 10 + (*q - '0');
        else
            d.exponentTooLong = true;
    }
    d.exponent = negative ? -value : value;
    p = q;
    return true;
}

// Parses a plain decimal number at p that ends at white space or the end of
// the text; false for anything else (the caller then asks sscanf).
bool parseDecimal(const char* p, Decimal& d) {
    d.begin = p;
    d.negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    int digits = readDigits(p, d, false);
    if (*p == '.') {
        ++p;
        digits += readDigits(p, d, true);
    }
    if (digits == 0)
        return false;
    if ((*p == 'e' || *p == 'E') && !parseExponent(p, d))
        return false;
    if (*p != '\0' && !isSpace(*p))
        return false;
    d.end = p;
    return true;
}

// The value of d, correctly rounded: exact integer mantissa times or over
// an exact power of ten is one rounding; anything else goes to strtod, the
// conversion sscanf itself uses.
double valueOf(const Decimal& d) {
    if (d.significant == 0)
        return d.negative ? -0.0 : 0.0;
    const long scale = d.exponent - d.fractionDigits;
    if (d.significant <= kMaxDigits && !d.exponentTooLong && scale >= -22 && scale <= 22) {
        const double m = static_cast<double>(d.mantissa);
        const double v = scale >= 0 ? m * kExactPowers[scale] : m / kExactPowers[-scale];
        return d.negative ? -v : v;
    }
    const std::string token(d.begin, d.end);
    return std::strtod(token.c_str(), nullptr);
}

int scanWithLibrary(const char* text, double* const* t, int count) {
    switch (count) {
    case 1:
        return std::sscanf(text, "%lf", t[0]);
    case 2:
        return std::sscanf(text, "%lf %lf", t[0], t[1]);
    case 3:
        return std::sscanf(text, "%lf %lf %lf", t[0], t[1], t[2]);
    case 4:
        return std::sscanf(text, "%lf %lf %lf %lf", t[0], t[1], t[2], t[3]);
    case 5:
        return std::sscanf(text, "%lf %lf %lf %lf %lf", t[0], t[1], t[2], t[3], t[4]);
    case 6:
        return std::sscanf(text, "%lf %lf %lf %lf %lf %lf", t[0], t[1], t[2], t[3], t[4], t[5]);
    case 7:
        return std::sscanf(text, "%lf %lf %lf %lf %lf %lf %lf", t[0], t[1], t[2], t[3], t[4], t[5],
                           t[6]);
    default:
        return std::sscanf(text, "%lf %lf %lf %lf %lf %lf %lf %lf", t[0], t[1], t[2], t[3], t[4],
                           t[5], t[6], t[7]);
    }
}

} // namespace

int scanReals(const char* text, double* const* targets, int count) {
    if (count < 1 || count > 8)
        return 0;
    // The plain form below has a point as its decimal separator.
    const char* point = std::localeconv()->decimal_point;
    if (point[0] != '.' || point[1] != '\0')
        return scanWithLibrary(text, targets, count);
    double values[8];
    const char* p = text;
    int converted = 0;
    for (; converted < count; ++converted) {
        while (isSpace(*p))
            ++p;
        if (*p == '\0')
            break;
        Decimal d;
        if (!parseDecimal(p, d))
            return scanWithLibrary(text, targets, count);
        values[converted] = valueOf(d);
        p = d.end;
    }
    for (int i = 0; i < converted; ++i)
        *targets[i] = values[i];
    return converted == 0 ? EOF : converted;
}

} // namespace data
