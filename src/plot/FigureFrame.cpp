// The furniture of a map plot drawn for a figure: with round ticks a thin
// frame around the map, the colour bar's outline and title, and a triangle
// at each end of the bar beyond which some values lie; on request contour
// lines, a scale bar and a north arrow on the main map.

#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"
#include "plot/Contours.h"
#include "plot/PlotFont.h"
#include "plot/PlotLabels.h"
#include "plot/RoundTicks.h"

#include <algorithm>
#include <cmath>
#include <map>

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

bool insideRect(double x, double y, double width, double height) {
    return x >= 0 && x <= width && y >= 0 && y <= height;
}

// Every how many levels one is labelled: 1, 2, 5, 10, ... times the
// interval, so that about eight or fewer levels carry a label.
int labelEvery(double lo, double hi, double interval) {
    const double levels = (hi - lo) / interval;
    for (int every : {1, 2, 5, 10, 20, 50, 100, 200, 500})
        if (levels / every <= 8)
            return every;
    return 1000;
}

bool inBoxes(const std::vector<CRect>& boxes, double x, double y) {
    for (const CRect& box : boxes)
        if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom)
            return true;
    return false;
}

// The lines inside the map and outside `keepOut`; the label of a level on
// its longest segment at least 2.5 font heights from the labels before.
void drawContours(CTESKAdatView& view, CDC& dc, const std::vector<double>& values,
                  const std::vector<CRect>& keepOut) {
    const std::vector<ContourSegment> segments =
        contourSegments(view, view, values, view.contourInterval);
    if (segments.empty())
        return;
    CPen pen(PS_SOLID, 0, RGB(40, 40, 40));
    CPen* previous = dc.SelectObject(&pen);
    double lo = segments.front().level, hi = lo;
    std::map<double, std::vector<const ContourSegment*>> candidates;
    const double w = view.plotWidth, h = view.plotHeight, margin = 2.0 * view.fontHeight;
    for (const ContourSegment& s : segments) {
        if (!insideRect(s.x0, s.y0, w, h) || !insideRect(s.x1, s.y1, w, h) ||
            inBoxes(keepOut, s.x0, s.y0) || inBoxes(keepOut, s.x1, s.y1))
            continue;
        dc.MoveTo(roundPlot(s.x0), roundPlot(s.y0));
        dc.LineTo(roundPlot(s.x1), roundPlot(s.y1));
        lo = std::min(lo, s.level);
        hi = std::max(hi, s.level);
        const double mx = (s.x0 + s.x1) / 2, my = (s.y0 + s.y1) / 2;
        if (mx >= margin && mx <= w - margin && my >= margin && my <= h - margin)
            candidates[s.level].push_back(&s);
    }
    dc.SelectObject(previous);
    const int every = labelEvery(lo, hi, view.contourInterval);
    CFont small;
    createPlotFont(small, std::max(view.fontHeight * 4 / 5, 1), FW_NORMAL);
    CFont* previousFont = dc.SelectObject(&small);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 255, 255));
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    const auto length = [](const ContourSegment* s) {
        return std::hypot(s->x1 - s->x0, s->y1 - s->y0);
    };
    std::vector<std::pair<double, double>> labelled;
    const double spacing = 2.5 * view.fontHeight;
    for (auto& [level, list] : candidates) {
        if (std::llround(level / view.contourInterval) % every != 0)
            continue;
        std::sort(list.begin(), list.end(), [&](const ContourSegment* a, const ContourSegment* b) {
            return length(a) > length(b);
        });
        for (const ContourSegment* s : list) {
            const double mx = (s->x0 + s->x1) / 2, my = (s->y0 + s->y1) / 2;
            const bool clear = std::all_of(labelled.begin(), labelled.end(), [&](const auto& p) {
                return std::hypot(p.first - mx, p.second - my) >= spacing;
            });
            if (!clear)
                continue;
            dc.TextOut(roundPlot(mx), roundPlot(my + view.fontHeight / 4.0),
                       formatRoundTick(level, view.contourInterval * every));
            labelled.emplace_back(mx, my);
            break;
        }
    }
    dc.SetBkMode(TRANSPARENT);
    if (previousFont)
        dc.SelectObject(previousFont);
}

// A bar of a round length near a fifth of the map's width at its lower
// left, on a white box, with its length above it.
// With `draw` false only its box is found.
CRect placeScaleBar(CTESKAdatView& view, CDC& dc, bool draw) {
    const double metres = (view.regionXMax - view.regionXMin) / 5;
    const RoundTicks ticks = chooseRoundTicks(0, metres, 1);
    if (!(ticks.step > 0))
        return CRect();
    const int length = roundPlot(ticks.step * view.plotScale), gap = labelGap(view.fontHeight);
    const int left = 3 * gap, baseline = roundPlot(view.plotHeight) - 3 * gap;
    const std::string text = formatRoundTick(ticks.step, ticks.step) + " m";
    const CSize size = dc.GetTextExtent(text);
    const CRect box(left - gap, baseline - size.cy - 2 * gap,
                    left + std::max<int>(length, size.cx) + gap, baseline + gap);
    if (!draw)
        return box;
    dc.FillSolidRect(box, RGB(255, 255, 255));
    CPen thick(PS_SOLID, 6, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&thick);
    dc.MoveTo(left, baseline);
    dc.LineTo(left + length, baseline);
    dc.SelectObject(previous);
    dc.SetTextAlign(TA_CENTER | TA_BOTTOM);
    dc.TextOut(left + length / 2, baseline - gap, text);
    return box;
}

// An arrow pointing north with an "N" under its head, at the upper right.
CRect placeNorthArrow(CTESKAdatView& view, CDC& dc, bool draw) {
    const int gap = labelGap(view.fontHeight), size = 2 * view.fontHeight;
    const int x = roundPlot(view.plotWidth) - 3 * gap - size / 4, top = 3 * gap;
    const CSize letter = dc.GetTextExtent("N");
    const CRect box(x - size / 4 - gap, top - gap, x + size / 4 + gap,
                    top + size + letter.cy + gap);
    if (!draw)
        return box;
    dc.FillSolidRect(box, RGB(255, 255, 255));
    CPen pen(PS_SOLID, 4, RGB(0, 0, 0));
    CPen* previous = dc.SelectObject(&pen);
    dc.MoveTo(x, top + size);
    dc.LineTo(x, top);
    dc.LineTo(x - size / 4, top + size / 3);
    dc.MoveTo(x, top);
    dc.LineTo(x + size / 4, top + size / 3);
    dc.SelectObject(previous);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    dc.TextOut(x, top + size, "N");
    return box;
}

} // namespace

void CTESKAdatView::drawMapFurniture(CDC& dc, const std::vector<double>& values) {
    std::vector<CRect> furniture;
    if (scaleBar)
        furniture.push_back(placeScaleBar(*this, dc, false));
    if (northArrow)
        furniture.push_back(placeNorthArrow(*this, dc, false));
    if (contourInterval > 0)
        drawContours(*this, dc, values, furniture);
    dc.SetBkMode(TRANSPARENT);
    if (scaleBar)
        placeScaleBar(*this, dc, true);
    if (northArrow)
        placeNorthArrow(*this, dc, true);
}

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
    const std::string title =
        colourBarRole == ColourBarRole::Shared
            ? sharedColourBarTitle(*this)
            : colourBarTitle(*this,
                             m_colourBarKind == PlotKind::None ? mainPlotKind : m_colourBarKind);
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
