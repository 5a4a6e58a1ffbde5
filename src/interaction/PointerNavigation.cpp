#include "interaction/PointerNavigation.h"

#include "data/TextFile.h"
#include "platform/Format.h"
#include "plot/PlotLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

double AxisMapping::unitAt(double pixel) const {
    return (pixel + scroll) * windowExtent / canvas - plot_layout::kCanvasMargin;
}

int AxisMapping::scrollKeeping(double unit, double pixel) const {
    const double scrollValue =
        std::round((unit + plot_layout::kCanvasMargin) * canvas / windowExtent - pixel);
    if (!(scrollValue > INT_MIN))
        return INT_MIN; // also NaN
    return static_cast<int>(std::min<double>(scrollValue, INT_MAX));
}

std::string formatHoverCoordinate(double metres) {
    data::ClassicNumericLocale classic;
    // Beyond 1e15 whole metres mean nothing more and would print dozens of digits.
    const bool wholeMetres = std::fabs(metres) >= 1e5 && std::fabs(metres) < 1e15;
    return formatString(wholeMetres ? "%.0f" : "%.6g", metres);
}

std::string hoverReadoutText(double easting, double northing, bool insideHull, double value,
                             const std::string& units) {
    data::ClassicNumericLocale classic;
    std::string text =
        "E " + formatHoverCoordinate(easting) + "  N " + formatHoverCoordinate(northing) + "  ";
    if (!insideHull)
        return text + "outside the stations";
    text += formatString("%.6g", value);
    if (!units.empty())
        text += " " + units;
    return text;
}
