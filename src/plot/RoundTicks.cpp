#include "plot/RoundTicks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Beyond 2^52 steps from zero consecutive multiples of the step are no
// longer distinct doubles.
constexpr double kLargestTickIndex = 4503599627370496.0;
constexpr int kMostTicks = 1000;

double roundStepFor(double span, int target) {
    const double raw = span / target;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    const double fraction = raw / power;
    if (fraction < 1.5)
        return power;
    if (fraction < 3.5)
        return 2 * power;
    if (fraction < 7.5)
        return 5 * power;
    return 10 * power;
}

int decimalsFor(double step) {
    if (!(step > 0) || !std::isfinite(step) || step >= 1)
        return 0;
    // 0.25-like steps never occur, so the leading digit's place is enough.
    const double places = std::ceil(-std::log10(step) - 1e-9);
    return static_cast<int>(std::clamp(places, 0.0, 17.0));
}

} // namespace

RoundTicks chooseRoundTicks(double lo, double hi, int target) {
    RoundTicks ticks;
    if (lo > hi)
        std::swap(lo, hi);
    const double span = hi - lo;
    if (target < 1 || !std::isfinite(lo) || !std::isfinite(hi) || !(span > 0) ||
        !std::isfinite(span))
        return ticks;
    const double step = roundStepFor(span, target);
    if (!(step > 0) || !std::isfinite(step))
        return ticks;
    const double first = std::ceil(lo / step - 1e-9);
    const double last = std::floor(hi / step + 1e-9);
    if (!(std::fabs(first) < kLargestTickIndex) || !(std::fabs(last) < kLargestTickIndex) ||
        last - first + 1 > kMostTicks)
        return ticks;
    ticks.step = step;
    for (double k = first; k <= last; ++k)
        ticks.values.push_back(k == 0 ? 0.0 : k * step);
    return ticks;
}

std::string formatRoundTick(double value, double step) {
    if (std::fabs(value) < 1e-9 * std::fabs(step) || value == 0)
        return "0";
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimalsFor(step), value);
    return text;
}
