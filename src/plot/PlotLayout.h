#pragma once
// The canvas layout in plot units: the numbers that the paint, the view's
// back buffer, the pointer mapping and the mouse gestures must agree on.

#include "plot/PlotLabels.h"
#include "plot/ViewState.h"

namespace plot_layout {

// Plot units left of and above the main plot's origin, where its axis
// labels and titles go (the window origin is at -kCanvasMargin).
constexpr int kCanvasMargin = 200;
// Plot units from a map plot's left edge to the left edge of the plot beside
// it, beyond the plot's own width: its colour bar and labels lie between.
constexpr int kSideBySideGap = 600;
// The part of that gap that a map plot without a colour bar leaves out: the
// rest keeps room for the half of its last easting label beyond the plot.
constexpr int kColourBarRoom = 250;
// Half the side of the inverted square that marks the chosen station.
constexpr int kStationMarkHalf = 4;

// The main plot with its axes, axis labels and colour bar, in plot units.
inline IntRect mainPlotArea(double plotWidth, double plotHeight) {
    return {-80, 0, roundPlot(plotWidth + 60), roundPlot(plotHeight + 140)};
}

} // namespace plot_layout
