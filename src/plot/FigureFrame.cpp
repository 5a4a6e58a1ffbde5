// The furniture of a map plot drawn for a figure (with round ticks): a thin
// frame around the map, the colour bar's outline and title, and a triangle
// at each end of the bar beyond which some values lie.

#include "CTESKAdatView.h"
#include "DeviceContext.h"
#include "PlotFont.h"
#include "PlotLabels.h"

#include <algorithm>

namespace {

void drawRectangle(CDC& dc, int left, int top, int right, int bottom) {
    dc.MoveTo(left, top);
    dc.LineTo(right, top);
    dc.LineTo(right, bottom);
    dc.LineTo(left, bottom);
    dc.LineTo(left, top);
}

// A flat triangle of one colour, apex (x, tip), base along y = base.
void fillTriangle(CDC& dc, int left, int right, int base, int tip, COLORREF colour) {
    TRIVERTEX corners[3];
    const int xs[3] = {left, right, (left + right) / 2}, ys[3] = {base, base, tip};
    for (int i = 0; i < 3; ++i) {
        corners[i].x = xs[i];
        corners[i].y = ys[i];
        corners[i].Red = static_cast<COLOR16>(GetRValue(colour) << 8);
        corners[i].Green = static_cast<COLOR16>(GetGValue(colour) << 8);
        corners[i].Blue = static_cast<COLOR16>(GetBValue(colour) << 8);
    }
    const GRADIENT_TRIANGLE triangle{0, 1, 2};
    dc.GradientFill(corners, 3, &triangle, 1, GRADIENT_FILL_TRIANGLE);
    dc.MoveTo(left, base);
    dc.LineTo((left + right) / 2, tip);
    dc.LineTo(right, base);
}

} // namespace

void CTESKAdatView::drawMapFrame(CDC& dc) {
    drawRectangle(dc, 0, 0, roundPlot(plotWidth), roundPlot(plotHeight));
}

void CTESKAdatView::drawColourBarFurniture(CDC& dc, int power) {
    const int barLeft = truncatePlot(plotWidth) + 160, barRight = barLeft + 30;
    const int height = roundPlot(plotHeight);
    const int gap = labelGap(fontHeight);
    drawRectangle(dc, barLeft, 0, barRight, height);
    const int tip = std::max(gap, 20);
    if (m_valuesAbove)
        fillTriangle(dc, barLeft, barRight, 0, -tip, colourTable[kColourCount - 1].colorRef());
    if (m_valuesBelow)
        fillTriangle(dc, barLeft, barRight, height, height + tip, colourTable[0].colorRef());

    // The title reads up the bar's left side where it is long enough, else
    // it ends at the canvas edge above the bar, with the labels' factor.
    const std::string title = colourBarTitle(*this, m_colourBarKind);
    const std::string factor = power != 0 ? powerOfTenText(power) : std::string();
    const int titleLength = dc.GetTextExtent(title).cx;
    // Above the top label (whose baseline may be the bar's top) and the triangle.
    const int baseline = -fontHeight - gap;
    if (titleLength + 2 * gap <= height) {
        CFont vertical;
        createPlotFont(vertical, fontHeight, FW_NORMAL, 900);
        CFont* previous = dc.SelectObject(&vertical);
        dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.TextOut(barLeft - gap - fontHeight, truncatePlot(plotHeight / 2), title);
        if (previous)
            dc.SelectObject(previous);
        if (!factor.empty()) {
            dc.SetTextAlign(TA_LEFT | TA_BASELINE);
            dc.TextOut(barLeft, baseline, factor);
        }
    } else {
        dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
        dc.TextOut(truncatePlot(plotWidth) + 400 - gap, baseline,
                   factor.empty() ? title : title + " " + factor);
    }
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
}
