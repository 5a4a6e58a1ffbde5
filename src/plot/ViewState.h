#pragma once
// The display settings of the view and the per-node arrays it draws from.

#include "plot/ColourMap.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// What the second plot shows.
enum class PlotKind : int {
    None = 0,
    Profile = 1,
    Errors = 2,
    Predicted = 3,
    NormalizedDifference = 4,
    Difference = 5,
    Elevation = 6,
};

// Whose colour bar a map plot draws beside it.
enum class ColourBarRole { Own, Omitted, Shared };

// How map plots are filled.
enum class PlotMethod : int {
    Original = 0,     // linear interpolation per 5 by 5 pixel cell
    GradientFill = 1, // shaded triangles
    Circles = 2,      // a coloured disc per station
};

struct IntPoint {
    int x = 0;
    int y = 0;
    bool operator==(const IntPoint& other) const { return x == other.x && y == other.y; }
};

struct IntRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

constexpr int kNoProfileLevel = INT_MIN;

// Settings that belong to the view, with their values after construction.
// Plot units: one map plot is plotWidth (1000) across, y grows southward.
struct ViewState {
    IntRect mainPlotDeviceRect;          // device rectangle of the main plot with its axes
    double mainMin = 0, mainMax = 0;     // value range of the main plot's colours
    double secondMin = 0, secondMax = 0; // value range of the second plot
    double regionXMin = 0, regionXMax = 0, regionYMin = 0, regionYMax = 0; // metres
    double plotWidth = 0, plotHeight = 0;                                  // plot units
    double plotScale = 0;                                                  // plot units per metre
    int canvasWidth = 1, canvasHeight = 1;                                 // pixels
    int colourMapIndex = 0;
    bool colourMapReversed = false;
    bool showLocations = true;
    PlotKind secondKind = PlotKind::None;
    bool arrangeVertical = true;
    int secondOriginX = 0, secondOriginY = 0; // second plot origin, plot units from the main one
    double magnification = 0.3;               // pixels per plot unit
    int fontHeight = 40;                      // plot units
    IntPoint markedPoint{-1, -1};             // station marked by the readout; (-1,-1) none
    PlotMethod plotMethod = PlotMethod::Original;
    int circleRadius = 6; // pixels
    int mouseMode = 0;    // 0 idle, 1 button down in the main plot, 2 drawing a profile
    IntPoint profileStart, profileEnd;
    int profileLevel = kNoProfileLevel; // plot units below the profile axis
    std::string mainLabel, secondLabel, unitsLabel, xAxisLabel, yAxisLabel;
    // Ticks at 1, 2 or 5 x 10^k and labels that fit (Tools > Round tick values).
    bool roundTicks = false;
    // Triangles with an edge longer than this many metres count as outside
    // the stations (Tools > Mask long triangles); 0 is off.
    double maskLength = 0;
    ColourTable colourTable = normalColourTable(ColourMap::Default);
    // The difference plots in the blue-white-red map, their range symmetric about 0.
    bool divergingDifferences = false;
    // The profile also draws the predicted data, a legend and a distance axis;
    // samples outside the stations' hull are gaps in both curves.
    bool profileWithPredicted = false;
    // The main title and the summary line above the plots, and the second
    // map plot's title; off for a figure whose caption names it.
    bool showTitles = true;
    // The summary line under the main title (off in all but the first panel
    // of a figure of several maps).
    bool showSummary = true;
    // What the main map shows in a panel of a figure of several maps:
    // PlotKind::None for the observed data, else the kind whose values it
    // holds (its colour bar's title follows).
    PlotKind mainPlotKind = PlotKind::None;
    // Metres between the samples of the profile chart (with round ticks) and
    // of its exported values; 0: half the median station spacing.
    double profileStep = 0;
    // Map furniture on request: contour lines of the main plot every this
    // many data units (0: none), a scale bar, a north arrow.
    double contourInterval = 0;
    bool scaleBar = false;
    bool northArrow = false;
    // Station marks kept at least this many device pixels apart (where the
    // stations crowd, the first in each square of that side keeps its
    // mark), so dense survey lines stay dotted; 0 or 1: every station.
    int markSpacing = 0;
    // In a figure of several maps: the main map's colour bar of its own,
    // none (a later panel draws the bar it shares, and the canvas is
    // narrower by the bar), or the bar the observed and predicted maps share.
    ColourBarRole colourBarRole = ColourBarRole::Own;
};

// The stations in triangulation node order, and the triangulation itself.
// All have the station count of the last build (adjacency 6N-9).
struct StationArrays {
    std::vector<double> stationX, stationY; // plot units
    std::vector<double> mainValues;         // observed values
    std::vector<double> secondaryValues;    // values of the second map plot
    std::vector<int32_t> adjacencyEnd;
    std::vector<int32_t> adjacency;
    std::vector<int32_t> nodeOrder; // station number (1-based, file order) of each node
    // The largest easting difference of two neighbouring nodes, plot units
    // (the widest triangle); infinity while it is not known.
    double widestTriangle = std::numeric_limits<double>::infinity();

    int nodeCount() const { return static_cast<int>(stationX.size()); }
    void release();
};

// Rounding of plot arithmetic: halves away from zero, and cut toward zero.
// Values beyond the int range (and NaN) are clamped, so extreme data cannot
// make a pixel position undefined.
// (Inline: every station mark and cell of a paint rounds its position.)
namespace plot_rounding {
inline int clampedToInt(double value) {
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}
} // namespace plot_rounding
inline int roundHalfAway(double value) {
    return plot_rounding::clampedToInt(value > 0 ? value + 0.5 : value - 0.5);
}
inline int truncateToInt(double value) {
    return plot_rounding::clampedToInt(value);
}
