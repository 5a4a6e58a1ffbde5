#pragma once
// The texts and positions of the plot labels (axis ticks, colour bar,
// titles), computed from the view state alone, and the integer plot-unit
// arithmetic shared by the drawing code.

#include "plot/ViewState.h"

#include <algorithm>
#include <string>
#include <vector>

struct ObservationSet;

// Plot-unit positions are held within this magnitude, so that offsets of a
// few hundred units (labels, margins, the second plot's origin) can be added
// to them without overflowing int.
constexpr int kPlotUnitLimit = 1 << 30;

// A double rounded (halves away from zero) or truncated to plot units, held
// within +-kPlotUnitLimit; NaN gives 0.
inline int roundPlot(double value) {
    return std::clamp(roundHalfAway(value), -kPlotUnitLimit, kPlotUnitLimit);
}
inline int truncatePlot(double value) {
    return std::clamp(truncateToInt(value), -kPlotUnitLimit, kPlotUnitLimit);
}

// A quarter of the font height between neighbouring labels (round ticks).
inline int labelGap(int fontHeight) {
    return std::max(fontHeight / 4, 1);
}

// A label at a plot-unit position along its axis (x for the easting axis,
// y for the northing axis and the colour bar).
struct AxisLabel {
    int position = 0;
    std::string text;
    bool operator==(const AxisLabel& other) const {
        return position == other.position && text == other.text;
    }
};

// An axis value as printed: the value rounded to an integer when the
// region's extent along the axis is greater than 100 m, else two decimals.
std::string axisValueText(double value, double extent);

// The seven easting labels, x from the plot's left edge.
std::vector<AxisLabel> eastingLabels(const ViewState& state);

// The number of northing intervals: 6 for a square plot, in proportion to
// the height, at least 2 (and at most kMaxNorthingIntervals).
constexpr int kMaxNorthingIntervals = 1000;
int northingIntervals(double plotWidth, double plotHeight);

// The northing labels from the southern edge (bottom) upward, y from the top.
std::vector<AxisLabel> northingLabels(const ViewState& state);

// The seven colour-bar labels from min at the bottom to max at the top.
std::vector<AxisLabel> colourBarLabels(double min, double max, double plotHeight);

// With round ticks (ViewState::roundTicks): the labels at the multiples of a
// 1, 2 or 5 x 10^k step within the axis or the colour range, printed without
// exponent (see RoundTicks.h), about six across the easting axis and the
// colour bar and as many as northingIntervals along the northing axis.
// Ranges that give no round ticks fall back to the labels above.
std::vector<AxisLabel> roundEastingLabels(const ViewState& state);
std::vector<AxisLabel> roundNorthingLabels(const ViewState& state);
// The colour-bar values can be printed in units of 10^power (see
// powerOfTenText for the factor shown with them).
std::vector<AxisLabel> roundColourBarLabels(double min, double max, double plotHeight,
                                            int power = 0);
// The factor of labels printed in units of 10^power: "×10⁶", "×10⁻⁹".
std::string powerOfTenText(int power);

// What a colour bar without a finite range says instead of its labels (with
// round ticks): for the normalised difference, that the errors are missing.
std::string colourRangeNote(const ViewState& state);

// Every how many labels one is printed so that neighbours `spacing` apart
// (plot units) do not overprint labels `size` long along the axis.
int labelStride(double spacing, double size);

// The line under the main title: station count, and for magnetic data the
// inclination and declination of the file's header.
std::string summaryText(const ObservationSet& set);

// The title of a map second plot; empty for none and for the profile.
std::string secondPlotTitle(const ViewState& state);

// What the colour bar of a plot shows, with its unit (unitsLabel for the
// data, metres for the elevation, none for the normalised difference):
// "Observed (nT)", "Standard deviation (mGal)". `kind` None is the main plot.
std::string colourBarTitle(const ViewState& state, PlotKind kind);
// The title of the one colour bar of the observed and predicted maps:
// "Data (nT)", short enough to read up the bar.
std::string sharedColourBarTitle(const ViewState& state);
