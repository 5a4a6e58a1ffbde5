#include "data/EditChecks.h"

#include "data/TextFile.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace data {
namespace {

bool onlyBlanksFrom(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text)))
        ++text;
    return *text == '\0';
}

} // namespace

ErrorValuesCheck checkErrorValues(double percent, double minimum) {
    if (!(minimum > 0))
        return {ErrorField::Minimum, "Minimum must be greater than 0."};
    if (percent < 0)
        return {ErrorField::Percent, "Percent cannot be negative."};
    return {};
}

const char* checkDownsampleStep(int step, int maximum) {
    if (step <= 1)
        return "Downsample value must be greater than 1.";
    if (step > maximum)
        return "Downsample value too large.";
    return nullptr;
}

bool parseReal(const std::string& text, double& value) {
    ClassicNumericLocale classic;
    const char* start = text.c_str();
    char* end = nullptr;
    // An overflow comes back as an infinity and is refused with it; an
    // underflow to a tiny value or zero is still the number typed.
    const double parsed = std::strtod(start, &end);
    if (end == start || !onlyBlanksFrom(end) || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool parseInteger(const std::string& text, int& value) {
    const char* start = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*start)))
        ++start;
    const char* digits = start + ((*start == '+' || *start == '-') ? 1 : 0);
    if (!std::isdigit(static_cast<unsigned char>(*digits)))
        return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(start, &end, 10);
    if (errno == ERANGE || parsed < INT_MIN || parsed > INT_MAX || !onlyBlanksFrom(end))
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace data
