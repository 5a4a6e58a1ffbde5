#pragma once
// The profile as a chart (with round ticks): the curve across the whole
// width of the profile panel, a value axis at its left and a distance axis
// in metres below it, sampled at a spacing in metres that does not depend
// on the magnification. Positions are plot units from the panel's top-left
// corner, y downward.

#include "plot/ProfileTrace.h"
#include "plot/RoundTicks.h"

#include <vector>

struct ProfileChart {
    std::vector<ProfileSample> samples;
    double width = 0, height = 0; // the panel
    double lengthUnits = 0;       // A to B, plot units of the map
    double lengthMetres = 0;
    double valueMin = 0, valueMax = 0;    // the value axis, bottom to top
    RoundTicks valueTicks, distanceTicks; // distance ticks in metres from A
    bool withPredicted = false;

    bool sampled() const { return !samples.empty(); }
    double xOf(double along) const;  // along: plot units of the map from A
    double yOf(double value) const;  // a value on the value axis
    double valueAtY(double y) const; // the inverse of yOf
};

// Half the median distance from a station to its nearest neighbour (plot
// units), over an even selection of at most 20001 stations; 0 without a
// triangulation.
double halfMedianSpacing(const StationArrays& arrays);

// The chart's sample spacing in plot units of the map: profileStep metres,
// or half the median station spacing.
double profileStepUnits(const ViewState& state, const StationArrays& arrays);

// The chart of the view's profile line: the samples, and value axis ticks
// that enclose every finite sample (observed, and predicted when
// `predictedNodes` is given). No samples: an empty chart.
ProfileChart buildProfileChart(const ViewState& state, const StationArrays& arrays,
                               const std::vector<double>* predictedNodes);
