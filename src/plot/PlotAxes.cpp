// The axes of a map plot (easting below, northing to the left, the axis
// labels) and its colour bar with seven value labels.

#include "CTESKAdatView.h"
#include "DeviceContext.h"
#include "PlotFont.h"
#include "PlotLabels.h"

void CTESKAdatView::drawAxes(CDC& dc) {
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int bottom = truncatePlot(plotHeight);
    for (const AxisLabel& label : eastingLabels(*this)) {
        dc.TextOut(label.position, bottom + 40, label.text);
        dc.MoveTo(label.position, bottom + 24);
        dc.LineTo(label.position, bottom + 36);
    }
    dc.TextOut(truncatePlot(plotWidth / 2), truncatePlot(plotHeight + 80), xAxisLabel);

    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    for (const AxisLabel& label : northingLabels(*this)) {
        dc.TextOut(-40, label.position, label.text);
        dc.MoveTo(-24, label.position);
        dc.LineTo(-36, label.position);
    }

    CFont vertical;
    createPlotFont(vertical, fontHeight, FW_NORMAL, 900);
    CFont* previous = dc.SelectObject(&vertical);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut(-170, truncatePlot(plotHeight / 2), yAxisLabel);
    if (previous)
        dc.SelectObject(previous);
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
    std::vector<AxisLabel> labels = colourBarLabels(min, max, height);
    if (m_zeroCentredColourBar)
        labels[3].text = "0"; // the white middle, whatever the rounding of the steps
    for (const AxisLabel& label : labels) {
        dc.TextOut(labelX, label.position, label.text);
        dc.MoveTo(labelX - 20, label.position);
        dc.LineTo(labelX - 30, label.position);
    }
}
