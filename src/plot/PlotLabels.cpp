#include "plot/PlotLabels.h"

#include "data/ObservationSet.h"
#include "platform/Format.h"
#include "plot/RoundTicks.h"

#include <algorithm>
#include <climits>
#include <cmath>

std::string axisValueText(double value, double extent) {
    if (!(extent > 100))
        return formatString("%.2f", value);
    const double rounded = value < 0 ? std::ceil(value - 0.5) : std::floor(value + 0.5);
    // Beyond the int range the rounded value is printed whole rather than clamped.
    if (!(std::fabs(rounded) <= INT_MAX))
        return formatString("%.0f", rounded);
    return formatString("%i", roundHalfAway(value));
}

std::vector<AxisLabel> eastingLabels(const ViewState& state) {
    const double extent = state.regionXMax - state.regionXMin;
    const double step = extent * (1.0 / 6.0);
    std::vector<AxisLabel> labels;
    labels.reserve(7);
    for (int k = 0; k <= 6; ++k) {
        const double value = k * step + state.regionXMin;
        labels.push_back({roundPlot(k * step * state.plotScale), axisValueText(value, extent)});
    }
    return labels;
}

int northingIntervals(double plotWidth, double plotHeight) {
    const double ratio = 6 * plotHeight / plotWidth;
    if (!(ratio < kMaxNorthingIntervals))
        return std::isnan(ratio) ? 2 : kMaxNorthingIntervals;
    return std::max(roundHalfAway(ratio), 2);
}

std::vector<AxisLabel> northingLabels(const ViewState& state) {
    const int n = northingIntervals(state.plotWidth, state.plotHeight);
    const double extent = state.regionYMax - state.regionYMin;
    const double step = extent / n;
    std::vector<AxisLabel> labels;
    labels.reserve(static_cast<size_t>(n) + 1);
    for (int k = 0; k <= n; ++k) {
        const double value = k * step + state.regionYMin;
        labels.push_back(
            {roundPlot(step * (n - k) * state.plotScale), axisValueText(value, extent)});
    }
    return labels;
}

std::vector<AxisLabel> colourBarLabels(double min, double max, double plotHeight) {
    const double valueStep = (max - min) * (1.0 / 6.0);
    const double yStep = (1.0 / 6.0) * plotHeight;
    std::vector<AxisLabel> labels;
    labels.reserve(7);
    for (int m = 0; m <= 6; ++m) {
        double v = m * valueStep + min;
        // A tiny positive middle value is rounding noise of a range around 0.
        if (m == 3 && std::fabs(v) < 1e-5 && max / v > 1000)
            v = 0;
        labels.push_back({roundPlot(plotHeight - m * yStep), formatString("%.4g", v)});
    }
    return labels;
}

std::vector<AxisLabel> roundEastingLabels(const ViewState& state) {
    const RoundTicks ticks = chooseRoundTicks(state.regionXMin, state.regionXMax);
    if (ticks.values.empty())
        return eastingLabels(state);
    std::vector<AxisLabel> labels;
    for (double v : ticks.values)
        labels.push_back(
            {roundPlot((v - state.regionXMin) * state.plotScale), formatRoundTick(v, ticks.step)});
    return labels;
}

std::vector<AxisLabel> roundNorthingLabels(const ViewState& state) {
    const int target = northingIntervals(state.plotWidth, state.plotHeight);
    const RoundTicks ticks = chooseRoundTicks(state.regionYMin, state.regionYMax, target);
    if (ticks.values.empty())
        return northingLabels(state);
    std::vector<AxisLabel> labels;
    for (double v : ticks.values)
        labels.push_back(
            {roundPlot((state.regionYMax - v) * state.plotScale), formatRoundTick(v, ticks.step)});
    return labels;
}

std::vector<AxisLabel> roundColourBarLabels(double min, double max, double plotHeight, int power) {
    const RoundTicks ticks = chooseRoundTicks(min, max);
    if (ticks.values.empty() || !(max > min))
        return colourBarLabels(min, max, plotHeight);
    const double unit = std::pow(10.0, power);
    std::vector<AxisLabel> labels;
    for (double v : ticks.values)
        labels.push_back({roundPlot(plotHeight - (v - min) / (max - min) * plotHeight),
                          formatRoundTick(v / unit, ticks.step / unit)});
    return labels;
}

std::string powerOfTenText(int power) {
    static const char* const kSuperscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = "×10";
    if (power < 0)
        text += "⁻";
    for (char digit : std::to_string(std::abs(power)))
        text += kSuperscripts[digit - '0'];
    return text;
}

std::string colourRangeNote(const ViewState& state) {
    if (state.secondKind == PlotKind::NormalizedDifference)
        return "errors missing (all 0)";
    return "no finite values";
}

int labelStride(double spacing, double size) {
    if (!(spacing > 0) || !(size > spacing))
        return 1;
    const double stride = std::ceil(size / spacing);
    return stride < 1000 ? static_cast<int>(stride) : 1000;
}

std::string summaryText(const ObservationSet& set) {
    if (set.isMagnetic)
        return formatString("%i data,   I = %g,  D = %g", set.count, set.header1a, set.header1b);
    return formatString("%i data", set.count);
}

std::string secondPlotTitle(const ViewState& state) {
    switch (state.secondKind) {
    case PlotKind::Errors:
        return "Absolute Errors";
    case PlotKind::Predicted:
        return state.secondLabel;
    case PlotKind::NormalizedDifference:
        return "Observed - Predicted (Normalized by Stn Dev)";
    case PlotKind::Difference:
        return "Observed - Predicted";
    case PlotKind::Elevation:
        return "Elevation";
    case PlotKind::None:
    case PlotKind::Profile:
        break;
    }
    return {};
}

namespace {

std::string withUnit(const char* quantity, const std::string& unit) {
    return unit.empty() ? std::string(quantity) : std::string(quantity) + " (" + unit + ")";
}

} // namespace

std::string sharedColourBarTitle(const ViewState& state) {
    return withUnit("Data", state.unitsLabel);
}

std::string colourBarTitle(const ViewState& state, PlotKind kind) {
    switch (kind) {
    case PlotKind::None:
    case PlotKind::Profile:
        break;
    case PlotKind::Errors:
        return withUnit("Standard deviation", state.unitsLabel);
    case PlotKind::Predicted:
        return withUnit("Predicted", state.unitsLabel);
    case PlotKind::NormalizedDifference:
        return "Normalized difference";
    case PlotKind::Difference:
        return withUnit("Difference", state.unitsLabel);
    case PlotKind::Elevation:
        return "Elevation (m)";
    }
    return withUnit("Observed", state.unitsLabel);
}
