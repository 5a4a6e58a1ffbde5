#pragma once
// The geometry of the profile plot, computed without drawing: the sampled
// curve of the observed data along A-B, the level crossings with their
// distance labels, and the lowest and highest sample. Positions are plot
// units in the profile's own frame: x along the line from A, y downward
// from the axis.

#include "plot/ViewState.h"

#include <string>
#include <vector>

// A level crossing, found between samples afterSample - 1 and afterSample.
struct ProfileCrossing {
    int afterSample = 0;
    int markX = 0; // centre of the crossing mark on the axis
    bool hasDistance = false;
    IntPoint distanceAt;      // centre-baseline of the distance label
    std::string distanceText; // metres from the previous crossing, "%im"
};

struct ProfileTrace {
    double length = 0;        // |B - A|, plot units
    double step = 0;          // distance between samples, plot units
    double verticalScale = 0; // plot units per data unit, negative: larger values upward
    std::vector<IntPoint> curve;
    std::vector<ProfileCrossing> crossings;
    double lo = 0, hi = 0; // extremes of the samples; meaningful only when sampled()

    bool sampled() const { return !curve.empty(); }
};

// Samples the main values along profileStart-profileEnd every 4 pixels, the
// line being lengthPixels long on the device. No sample is taken when the
// line is too short, the triangulation is missing or the vertical scale is
// not finite (a colour range of 0 to 0); then the trace has no curve.
// Samples outside the stations' hull count as 0. Crossings are looked for
// only while a level is set (profileLevel is not kNoProfileLevel).
ProfileTrace traceProfile(const ViewState& state, const StationArrays& arrays, int lengthPixels);

// One sample of the profile line at the positions traceProfile uses.
struct ProfileSample {
    double along = 0;                 // plot units from A
    double distance = 0;              // metres from A
    double easting = 0, northing = 0; // metres
    double observed = 0;              // NaN outside the stations' hull: a gap
    double predicted = 0;             // NaN outside the hull or without predicted values
};

// The samples of traceProfile (every 4 pixels of a line lengthPixels long)
// with their world positions; outside the stations' hull both values are
// gaps (NaN). `predictedNodes` holds the predicted values in node order, or
// is null (then every predicted value is NaN). No samples when traceProfile
// would take none for a reason of geometry (a short line, no triangulation).
std::vector<ProfileSample> sampleProfile(const ViewState& state, const StationArrays& arrays,
                                         const std::vector<double>* predictedNodes,
                                         int lengthPixels);

// The samples every `stepUnits` plot units from A itself to B (the last one
// at most one step short of B), with their world positions; gaps (NaN)
// outside the stations' hull and without predicted values. No samples
// without a triangulation, a line or a positive step; at most `maxSamples`
// (the step grows to keep within them).
std::vector<ProfileSample> sampleProfileEvery(const ViewState& state, const StationArrays& arrays,
                                              const std::vector<double>* predictedNodes,
                                              double stepUnits, int maxSamples = 100000);

// The end B of a line from A (inside the main plot) moved along the line
// onto the plot's edge when it lies outside; plot units.
IntPoint fitIntoMainPlot(IntPoint a, IntPoint b, double plotWidth, double plotHeight);

// Fits the end B of a dragged line into the main plot along the line from
// A (which lies inside), then orders the ends so that the start is the
// left one. False when B equals A: no line was drawn.
bool fitProfileLine(IntPoint a, IntPoint b, double plotWidth, double plotHeight, IntPoint& start,
                    IntPoint& end);
