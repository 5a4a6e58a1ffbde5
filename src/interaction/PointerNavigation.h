#pragma once
// Arithmetic of the hover readout and of the wheel and pan gestures, kept
// apart from the widgets so that it can be checked without a window.

#include <string>

// One axis of the view's mapping: plot unit u lands at device pixel
// (u + 200) * canvas / windowExtent - scroll.
struct AxisMapping {
    int scroll = 0;       // scroll position, pixels
    int canvas = 1;       // canvas extent, pixels (> 0)
    int windowExtent = 1; // the canvas in plot units (> 0)

    // The plot unit under viewport pixel `pixel` (not rounded).
    double unitAt(double pixel) const;
    // The scroll position that brings plot unit `unit` under viewport pixel
    // `pixel`, rounded to the nearest pixel and clamped to the int range.
    int scrollKeeping(double unit, double pixel) const;
};

// A coordinate of the hover readout (and of the position readout with round
// ticks) in metres: whole metres ("%.0f") from 1e5 on (UTM eastings and
// northings) up to 1e15, "%.6g" below and beyond.
std::string formatHoverCoordinate(double metres);

// The hover pane's text for a point of a map plot; `value` is shown only
// when `insideHull`, otherwise "outside the stations".
std::string hoverReadoutText(double easting, double northing, bool insideHull, double value,
                             const std::string& units);
