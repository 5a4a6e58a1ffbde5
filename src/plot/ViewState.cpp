#include "ViewState.h"

#include <cmath>

namespace {

int clampToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

int roundHalfAway(double value) {
    return clampToInt(value > 0 ? value + 0.5 : value - 0.5);
}

int truncateToInt(double value) {
    return clampToInt(value);
}
