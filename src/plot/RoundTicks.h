#pragma once
// Round tick values for axes and colour bars: steps of 1, 2 or 5 times a
// power of ten, and labels printed without exponent.

#include <string>
#include <vector>

struct RoundTicks {
    double step = 0;            ///< distance between ticks, in the units of the range; 0 = none
    std::vector<double> values; ///< ascending tick values within the range
};

/// Chooses a step of 1, 2 or 5 x 10^k that puts about `target` ticks across
/// the range from `lo` to `hi` (either order) and returns its multiples
/// within the range (a tick within 1e-9 of a step outside an end still
/// counts). Values within 1e-9 steps of zero are exactly 0. An empty range,
/// a non-finite end, `target` < 1, or a range so narrow against its offset
/// that doubles cannot tell the ticks apart give no ticks (step 0).
RoundTicks chooseRoundTicks(double lo, double hi, int target = 6);

/// Prints a tick value with as many decimals as `step` needs (none for steps
/// of 1 and more, so a UTM northing prints every metre: "7512000"), never
/// with an exponent; zero and values within 1e-9 steps of it print as "0".
std::string formatRoundTick(double value, double step);
