// The axes of a map plot (easting below, northing to the left, the axis
// labels) and its colour bar with seven value labels. With round ticks the
// labels sit at round values and are thinned where they would overprint.

#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"
#include "plot/PlotFont.h"
#include "plot/PlotLabels.h"
#include "plot/PlotLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The stride that keeps labels along an axis from overprinting: their
// spacing against their widest extent (horizontal) or the font height.
int strideFor(CDC& dc, const std::vector<AxisLabel>& labels, bool horizontal, int fontHeight) {
    if (labels.size() < 2)
        return 1;
    const double spacing = std::abs(double(labels[1].position) - labels[0].position);
    int size = 0;
    for (const AxisLabel& label : labels) {
        const CSize extent = dc.GetTextExtent(label.text);
        size = std::max(size, horizontal ? extent.cx : extent.cy);
    }
    return labelStride(spacing, double(size) + labelGap(fontHeight));
}

int widestLabel(CDC& dc, const std::vector<AxisLabel>& labels) {
    int widest = 0;
    for (const AxisLabel& label : labels)
        widest = std::max(widest, dc.GetTextExtent(label.text).cx);
    return widest;
}

} // namespace

void CTESKAdatView::drawAxes(CDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    drawEastingAxis(dc);
    const std::vector<AxisLabel> northing =
        roundTicks ? roundNorthingLabels(*this) : northingLabels(*this);
    CFont vertical;
    createPlotFont(vertical, fontHeight, FW_NORMAL, 900);
    // The vertical axis label's top faces left, so it covers x to x + its
    // height. With round ticks it keeps clear of the widest tick label; when
    // that would push it off the canvas (7-digit UTM northings), the tick
    // labels read bottom to top along the axis instead.
    int labelX = -170;
    bool uprightTicks = true;
    if (roundTicks) {
        const int clearX = -40 - widestLabel(dc, northing) - labelGap(fontHeight) - fontHeight;
        uprightTicks = clearX >= -plot_layout::kCanvasMargin;
        // Along the axis the tick labels reach fontHeight to the left of -40.
        const int clearOfAlong = -40 - 2 * fontHeight - labelGap(fontHeight);
        labelX = std::min(
            labelX, uprightTicks ? clearX : std::max(clearOfAlong, -plot_layout::kCanvasMargin));
    }
    if (uprightTicks)
        drawNorthingTicks(dc, northing);
    CFont* previous = dc.SelectObject(&vertical);
    if (!uprightTicks)
        drawNorthingTicksAlongAxis(dc, northing);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut(labelX, truncatePlot(plotHeight / 2), yAxisLabel);
    if (previous)
        dc.SelectObject(previous);
}

void CTESKAdatView::drawEastingAxis(CDC& dc) {
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int bottom = truncatePlot(plotHeight);
    const std::vector<AxisLabel> easting =
        roundTicks ? roundEastingLabels(*this) : eastingLabels(*this);
    const int stride = roundTicks ? strideFor(dc, easting, true, fontHeight) : 1;
    for (size_t i = 0; i < easting.size(); ++i) {
        const AxisLabel& label = easting[i];
        if (i % stride == 0)
            dc.TextOut(label.position, bottom + 40, label.text);
        dc.MoveTo(label.position, bottom + 24);
        dc.LineTo(label.position, bottom + 36);
    }
    // With round ticks the label keeps clear of the tick labels whatever the font.
    const int labelY = roundTicks ? bottom + 40 + fontHeight : truncatePlot(plotHeight + 80);
    dc.TextOut(truncatePlot(plotWidth / 2), std::max(labelY, truncatePlot(plotHeight + 80)),
               xAxisLabel);
}

void CTESKAdatView::drawNorthingTicks(CDC& dc, const std::vector<AxisLabel>& labels) {
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    const int stride = roundTicks ? strideFor(dc, labels, false, fontHeight) : 1;
    const bool twoFit = labels.size() > size_t(stride);
    for (size_t i = 0; i < labels.size(); ++i) {
        if (i % stride == 0 && twoFit)
            dc.TextOut(-40, labels[i].position, labels[i].text);
        dc.MoveTo(-24, labels[i].position);
        dc.LineTo(-36, labels[i].position);
    }
    if (!twoFit)
        drawNorthingEnds(dc, labels);
}

// A plot too low for two labels beside each other gets its lowest and
// highest label, the one hanging below its tick, the other standing on it;
// with fewer than two ticks those of the region's edges.
void CTESKAdatView::drawNorthingEnds(CDC& dc, const std::vector<AxisLabel>& labels) {
    const std::vector<AxisLabel> ends = labels.size() >= 2 ? labels : northingLabels(*this);
    dc.SetTextAlign(TA_RIGHT | TA_TOP);
    dc.TextOut(-40, ends.front().position, ends.front().text);
    dc.SetTextAlign(TA_RIGHT | TA_BOTTOM);
    dc.TextOut(-40, ends.back().position, ends.back().text);
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
}

// From the south upward, each label that stays within the plot's height
// (clear of the easting labels and the title) and clear of the last one.
void CTESKAdatView::drawNorthingTicksAlongAxis(CDC& dc, const std::vector<AxisLabel>& labels) {
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    int lastTop = INT_MAX;
    for (const AxisLabel& label : labels) {
        const int half = dc.GetTextExtent(label.text).cx / 2;
        const int top = label.position - half, end = label.position + half;
        if (top >= -30 && end <= plotHeight + 20 && end + labelGap(fontHeight) <= lastTop) {
            dc.TextOut(-40, label.position, label.text);
            lastTop = top;
        }
        dc.MoveTo(-24, label.position);
        dc.LineTo(-36, label.position);
    }
}

// Round colour-bar labels too long for the room between the bar and the
// canvas edge are printed in thousands, millions, ... (or thousandths, ...)
// of the unit; `power` tells which (the factor is drawn with the bar's title).
std::vector<AxisLabel> CTESKAdatView::fittedColourBarLabels(CDC& dc, double min, double max,
                                                            int& power) {
    const int labelX = truncatePlot(plotWidth) + 220;
    const int room = truncatePlot(plotWidth) + 400 - labelX - labelGap(fontHeight);
    const int direction = std::max(std::fabs(min), std::fabs(max)) >= 1 ? 3 : -3;
    power = 0;
    std::vector<AxisLabel> labels = roundColourBarLabels(min, max, plotHeight);
    // Labels that get no narrower (a font too large for any room) keep the unit.
    int previousWidth = widestLabel(dc, labels);
    while (previousWidth > room && std::abs(power) < 300) {
        std::vector<AxisLabel> scaled =
            roundColourBarLabels(min, max, plotHeight, power + direction);
        const int width = widestLabel(dc, scaled);
        if (width >= previousWidth)
            break;
        power += direction;
        labels = std::move(scaled);
        previousWidth = width;
    }
    return labels;
}

void CTESKAdatView::drawColourBar(CDC& dc, double max, double min) {
    const double height = plotHeight;
    const double stripStep = height * (1.0 / 61.0);
    const int stripHeight = roundPlot(stripStep + 1);
    const int barLeft = truncatePlot(plotWidth) + 160;
    // Each strip is one unit taller than the step, so neighbours overlap.
    for (int f = 0; f < kColourCount; ++f)
        dc.FillSolidRect(barLeft, roundPlot(height - stripStep * (f + 1)), 30, stripHeight,
                         colourTable[f].colorRef());

    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    const int labelX = barLeft + 60;
    if (roundTicks && !(std::isfinite(min) && std::isfinite(max))) {
        // A normalised difference over errors of 0 has no finite values; the
        // note reads along the bar, where it has room.
        CFont vertical;
        createPlotFont(vertical, fontHeight, FW_NORMAL, 900);
        CFont* previous = dc.SelectObject(&vertical);
        dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.TextOut(barLeft + 40, roundPlot(height / 2), colourRangeNote(*this));
        dc.SetTextAlign(TA_LEFT | TA_BASELINE);
        if (previous)
            dc.SelectObject(previous);
        return;
    }
    int power = 0;
    std::vector<AxisLabel> labels =
        roundTicks ? fittedColourBarLabels(dc, min, max, power) : colourBarLabels(min, max, height);
    if (roundTicks)
        drawColourBarFurniture(dc, power);
    if (m_zeroCentredColourBar && !roundTicks)
        labels[3].text = "0"; // the white middle, whatever the rounding of the steps
    const int stride = roundTicks ? strideFor(dc, labels, false, fontHeight) : 1;
    for (size_t i = 0; i < labels.size(); ++i) {
        const AxisLabel& label = labels[i];
        if (i % stride == 0)
            dc.TextOut(labelX, label.position, label.text);
        dc.MoveTo(labelX - 20, label.position);
        dc.LineTo(labelX - 30, label.position);
    }
}
