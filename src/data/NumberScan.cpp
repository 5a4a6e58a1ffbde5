#include "data/NumberScan.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
    char mark = '.'; // the decimal separator it was written with
};

// The character at p, or '\0' at the end of the text.
char at(const char* p, const char* end) {
    return p < end ? *p : '\0';
}

constexpr int kMaxDigits = 15; // every 15-digit integer is exact in a double

void addDigit(Decimal& d, char c) {
    if (d.significant == 0 && c == '0')
        return;
    ++d.significant;
    if (d.significant <= kMaxDigits)
        d.mantissa = d.mantissa * 10 + static_cast<unsigned>(c - '0');
}

// Reads digits into d; the number of digits read.
int readDigits(const char*& p, const char* end, Decimal& d, bool fraction) {
    int count = 0;
    for (; p < end && isDigit(*p); ++p, ++count) {
        addDigit(d, *p);
        if (fraction)
            ++d.fractionDigits;
    }
    return count;
}

bool parseExponent(const char*& p, const char* end, Decimal& d) {
    const char* q = p + 1;
    const bool negative = at(q, end) == '-';
    if (at(q, end) == '+' || at(q, end) == '-')
        ++q;
    if (!isDigit(at(q, end)))
        return false;
    long value = 0;
    for (; q < end && isDigit(*q); ++q) {
        if (value < 100000)
            value = value * 10 + (*q - '0');
        else
            d.exponentTooLong = true;
    }
    d.exponent = negative ? -value : value;
    p = q;
    return true;
}

// Parses a plain decimal number at p, with `mark` as its decimal separator;
// d.end is where it stops. False when p holds none (the caller then asks
// the C library).
bool parseDecimal(const char* p, const char* end, char mark, Decimal& d) {
    d.begin = p;
    d.mark = mark;
    d.negative = at(p, end) == '-';
    if (at(p, end) == '+' || at(p, end) == '-')
        ++p;
    int digits = readDigits(p, end, d, false);
    if (at(p, end) == mark) {
        ++p;
        digits += readDigits(p, end, d, true);
    }
    if (digits == 0)
        return false;
    if ((at(p, end) == 'e' || at(p, end) == 'E') && !parseExponent(p, end, d))
        return false;
    d.end = p;
    return true;
}

// A plain decimal number that ends at white space or at `end`.
bool parseDelimitedDecimal(const char* p, const char* end, char mark, Decimal& d) {
    return parseDecimal(p, end, mark, d) && (d.end >= end || *d.end == '\0' || isSpace(*d.end));
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
    std::string token(d.begin, d.end);
    if (d.mark != '.')
        std::replace(token.begin(), token.end(), d.mark, '.');
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
    const char* const end = text + std::strlen(text);
    int converted = 0;
    for (; converted < count; ++converted) {
        while (isSpace(*p))
            ++p;
        if (*p == '\0')
            break;
        Decimal d;
        if (!parseDelimitedDecimal(p, end, '.', d))
            return scanWithLibrary(text, targets, count);
        values[converted] = valueOf(d);
        p = d.end;
    }
    for (int i = 0; i < converted; ++i)
        *targets[i] = values[i];
    return converted == 0 ? EOF : converted;
}

const char* scanPlainReal(const char* text, const char* end, char decimalMark, double& value) {
    Decimal d;
    if (!parseDecimal(text, end, decimalMark, d))
        return nullptr;
    value = valueOf(d);
    return d.end;
}

bool scanReal(std::string_view text, char decimalMark, double& value) {
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    Decimal d;
    if (!text.empty() && !isSpace(text[0]) && parseDecimal(begin, end, decimalMark, d) &&
        d.end == end) {
        value = valueOf(d);
        return true;
    }
    // Anything else the C library reads (in the classic locale), as a whole.
    constexpr size_t kLongest = 63;
    if (text.empty() || text.size() > kLongest)
        return false;
    char token[kLongest + 1];
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\0' || isSpace(c))
            return false;
        token[i] = c == decimalMark ? '.' : c;
    }
    token[text.size()] = '\0';
    char* stop = nullptr;
    const double parsed = std::strtod(token, &stop);
    if (stop != token + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

} // namespace data
