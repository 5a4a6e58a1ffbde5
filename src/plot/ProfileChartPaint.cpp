// The profile chart's paint: frame, value and distance axes, the curves,
// the letters of the line's ends, the legend and the level crossings. Text
// inside the chart is placed only where it overprints no other text and
// neither end of a curve.

#include "data/CTESKAdatDoc.h"
#include "platform/DeviceContext.h"
#include "platform/Format.h"
#include "plot/CTESKAdatView.h"
#include "plot/PlotFont.h"
#include "plot/PlotLabels.h"
#include "plot/PlotLayout.h"
#include "plot/ProfileChart.h"
#include "plot/StationTriangulation.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr COLORREF kObservedColour = RGB(0, 0, 0), kPredictedColour = RGB(220, 30, 30);

// The logical box of text drawn at (x, y) with a top or bottom alignment.
CRect textBox(CDC& dc, int x, int y, unsigned align, const std::string& text) {
    const CSize size = dc.GetTextExtent(text);
    const int left = (align & TA_CENTER) == TA_CENTER ? x - size.cx / 2
                     : (align & TA_RIGHT)             ? x - size.cx
                                                      : x;
    const int top = (align & TA_BOTTOM) ? y - size.cy : y;
    return CRect(left, top, left + size.cx, top + size.cy);
}

class PlacedBoxes {
public:
    bool clear(const CRect& box) const {
        for (const CRect& other : m_boxes)
            if (box.left < other.right && other.left < box.right && box.top < other.bottom &&
                other.top < box.bottom)
                return false;
        return true;
    }
    void add(const CRect& box) { m_boxes.push_back(box); }

private:
    std::vector<CRect> m_boxes;
};

struct ChartPainter {
    CDC& dc;
    const ProfileChart& chart;
    int fontHeight;
    PlacedBoxes placed;

    int gap() const { return labelGap(fontHeight); }
    int x(double along) const { return roundPlot(chart.xOf(along)); }
    int y(double value) const { return roundPlot(chart.yOf(value)); }

    void text(int px, int py, unsigned align, const std::string& s) {
        dc.SetTextAlign(align);
        dc.TextOut(px, py, s);
        placed.add(textBox(dc, px, py, align, s));
    }
    // Draws the text only where it is clear of everything placed so far.
    bool textIfClear(int px, int py, unsigned align, const std::string& s) {
        if (!placed.clear(textBox(dc, px, py, align, s)))
            return false;
        text(px, py, align, s);
        return true;
    }

    void frame() {
        const int w = roundPlot(chart.width), h = roundPlot(chart.height);
        dc.MoveTo(0, 0);
        dc.LineTo(w, 0);
        dc.LineTo(w, h);
        dc.LineTo(0, h);
        dc.LineTo(0, 0);
    }

    // Every how many labels one is printed, so that they do not overprint.
    int stride(const std::vector<std::string>& texts, double spacing, bool horizontal) const {
        int size = 0;
        for (const std::string& s : texts) {
            const CSize extent = dc.GetTextExtent(s);
            size = std::max(size, horizontal ? extent.cx : extent.cy);
        }
        return labelStride(spacing, size + gap());
    }

    // Returns the widest label drawn.
    int valueAxis() {
        const RoundTicks& ticks = chart.valueTicks;
        std::vector<std::string> texts;
        for (const double v : ticks.values)
            texts.push_back(formatRoundTick(v, ticks.step));
        const double spacing =
            ticks.values.size() > 1
                ? std::fabs(chart.yOf(ticks.values[0]) - chart.yOf(ticks.values[1]))
                : chart.height;
        const int every = stride(texts, spacing, false);
        int widest = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            const int py = y(ticks.values[i]);
            dc.MoveTo(-24, py);
            dc.LineTo(-36, py);
            if (i % every != 0)
                continue;
            const int half = dc.GetTextExtent(texts[i]).cy / 2;
            text(-40, py - half, TA_RIGHT | TA_TOP, texts[i]);
            widest = std::max(widest, dc.GetTextExtent(texts[i]).cx);
        }
        return widest;
    }

    // `room`: plot units below the frame to the canvas edge; without room
    // for the axis title the last label carries the unit.
    void distanceAxis(int room) {
        const RoundTicks& ticks = chart.distanceTicks;
        const int h = roundPlot(chart.height);
        const double unitsPerMetre = chart.lengthMetres > 0 ? chart.width / chart.lengthMetres : 0;
        std::vector<std::string> texts;
        for (const double metres : ticks.values)
            texts.push_back(formatRoundTick(metres, ticks.step));
        const int every = stride(texts, ticks.step * unitsPerMetre, true);
        const bool titleFits = 40 + 2 * fontHeight <= room;
        size_t lastDrawn = texts.size();
        for (size_t i = 0; i < texts.size(); ++i)
            if (i % every == 0)
                lastDrawn = i;
        if (!titleFits && lastDrawn < texts.size())
            texts[lastDrawn] += " m";
        for (size_t i = 0; i < texts.size(); ++i) {
            const int px = roundPlot(ticks.values[i] * unitsPerMetre);
            dc.MoveTo(px, h + 24);
            dc.LineTo(px, h + 36);
            if (i % every == 0)
                text(px, h + 40, TA_CENTER | TA_TOP, texts[i]);
        }
        if (titleFits)
            text(roundPlot(chart.width / 2), h + 40 + fontHeight, TA_CENTER | TA_TOP,
                 "Distance from A (m)");
    }

    // A curve broken at gaps; the boxes around its ends keep text away.
    void curve(double ProfileSample::*value, int width, COLORREF colour) {
        CPen pen(PS_SOLID, width, colour);
        CPen* previous = dc.SelectObject(&pen);
        bool drawing = false;
        IntPoint first{0, 0}, last{0, 0};
        bool any = false;
        for (const ProfileSample& sample : chart.samples) {
            const double v = sample.*value;
            if (!std::isfinite(v)) {
                drawing = false;
                continue;
            }
            const IntPoint p{x(sample.along), y(v)};
            if (drawing)
                dc.LineTo(p.x, p.y);
            else
                dc.MoveTo(p.x, p.y);
            drawing = true;
            if (!any)
                first = p;
            last = p;
            any = true;
        }
        dc.SelectObject(previous);
        if (!any)
            return;
        const int reach = width + gap();
        for (const IntPoint& end : {first, last})
            placed.add(CRect(end.x - reach, end.y - reach, end.x + reach, end.y + reach));
    }

    // The legend's two rows in the first corner of the frame that no
    // sample of either curve enters (the top right one when all do).
    void legend() {
        const struct {
            const char* text;
            int width;
            COLORREF colour;
        } rows[] = {{"observed", 6, kObservedColour}, {"predicted", 4, kPredictedColour}};
        const int sampleLength = 60, rowHeight = fontHeight + gap();
        int textWidth = 0;
        for (const auto& row : rows)
            textWidth = std::max(textWidth, dc.GetTextExtent(row.text).cx);
        const int boxWidth = sampleLength + 2 * gap() + textWidth, boxHeight = 2 * rowHeight;
        const int w = roundPlot(chart.width), h = roundPlot(chart.height), inset = 2 * gap();
        const CRect corners[] = {
            CRect(w - inset - boxWidth, inset, w - inset, inset + boxHeight),
            CRect(inset, inset, inset + boxWidth, inset + boxHeight),
            CRect(w - inset - boxWidth, h - inset - boxHeight, w - inset, h - inset),
            CRect(inset, h - inset - boxHeight, inset + boxWidth, h - inset)};
        // Else in one row above the frame between the letters, else in the
        // corner that the fewest samples enter.
        const int rowWidth = 2 * boxWidth + 2 * gap();
        const CRect above(w / 2 - rowWidth / 2, -gap() - fontHeight, w / 2 + rowWidth / 2, -gap());
        CRect box = corners[0];
        bool inRow = false, found = false;
        for (const CRect& corner : corners)
            if (!found && placed.clear(corner) && curveEntries(corner) == 0) {
                box = corner;
                found = true;
            }
        if (!found && placed.clear(above)) {
            box = above;
            inRow = true;
        } else if (!found) {
            for (const CRect& corner : corners)
                if (curveEntries(corner) < curveEntries(box))
                    box = corner;
        }
        int left = box.left, top = box.top;
        for (const auto& row : rows) {
            CPen pen(PS_SOLID, row.width, row.colour);
            CPen* previous = dc.SelectObject(&pen);
            dc.MoveTo(left, top + fontHeight / 2);
            dc.LineTo(left + sampleLength, top + fontHeight / 2);
            dc.SelectObject(previous);
            text(left + sampleLength + gap(), top, TA_LEFT | TA_TOP, row.text);
            if (inRow)
                left += boxWidth + 2 * gap();
            else
                top += rowHeight;
        }
    }

    int curveEntries(const CRect& box) const {
        const int margin = 6 + gap();
        int entries = 0;
        for (const ProfileSample& sample : chart.samples)
            for (const double v : {sample.observed, sample.predicted}) {
                if (!std::isfinite(v))
                    continue;
                const int px = x(sample.along), py = y(v);
                if (px > box.left - margin && px < box.right + margin && py > box.top - margin &&
                    py < box.bottom + margin)
                    ++entries;
            }
        return entries;
    }

    // The level's crossings of the observed curve, marked on the level
    // line, with the distance between successive ones above or below it.
    void crossings(int levelY) {
        if (levelY < 0 || levelY > chart.height)
            return;
        std::vector<double> found;
        const ProfileSample* previous = nullptr;
        for (const ProfileSample& sample : chart.samples) {
            if (!std::isfinite(sample.observed)) {
                previous = nullptr;
                continue;
            }
            if (previous) {
                const double y0 = chart.yOf(previous->observed), y1 = chart.yOf(sample.observed);
                if ((y1 <= levelY && levelY < y0) || (y1 >= levelY && levelY > y0)) {
                    const double x0 = chart.xOf(previous->along), x1 = chart.xOf(sample.along);
                    found.push_back(x0 + (x1 - x0) * (levelY - y0) / (y1 - y0));
                }
            }
            previous = &sample;
        }
        if (found.empty())
            return;
        const double metresPerUnit = chart.lengthMetres / chart.width;
        for (size_t i = 0; i < found.size(); ++i) {
            dc.FillSolidRect(roundPlot(found[i]) - 1, levelY - 4, 3, 9, RGB(0, 0, 200));
            if (i == 0)
                continue;
            const std::string label =
                formatString("%im", roundHalfAway((found[i] - found[i - 1]) * metresPerUnit));
            const int middle = roundPlot((found[i] + found[i - 1]) / 2);
            if (!textIfClear(middle, levelY - 8, TA_CENTER | TA_BOTTOM, label))
                textIfClear(middle, levelY + 8, TA_CENTER | TA_TOP, label);
        }
        CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
        CPen* previousPen = dc.SelectObject(&dotted);
        const int previousRop = dc.SetROP2(R2_NOTXORPEN);
        dc.MoveTo(0, levelY);
        dc.LineTo(roundPlot(chart.width), levelY);
        dc.SetROP2(previousRop);
        dc.SelectObject(previousPen);
    }
};

} // namespace

void CTESKAdatView::drawProfileChart(CDC& dc) {
    std::vector<double> predictedNodes;
    const bool withPredicted = profileWithPredicted && m_doc.hasPredicted;
    if (withPredicted) {
        predictedNodes.assign(static_cast<size_t>(nodeCount()),
                              std::numeric_limits<double>::quiet_NaN());
        toNodeOrder(m_doc.predicted, m_doc.count, *this, predictedNodes);
    }
    ProfileChart chart = buildProfileChart(*this, *this, withPredicted ? &predictedNodes : nullptr);
    // The chart moves right as far as its value labels and their title need.
    const int gap = labelGap(fontHeight);
    int widestTick = 0;
    for (const double v : chart.valueTicks.values)
        widestTick =
            std::max(widestTick, dc.GetTextExtent(formatRoundTick(v, chart.valueTicks.step)).cx);
    const int inset =
        std::clamp(40 + widestTick + 2 * gap + fontHeight - plot_layout::kCanvasMargin, 0,
                   truncatePlot(plotWidth / 2));
    chart.width -= inset;
    const std::int64_t originX =
        -plot_layout::kCanvasMargin - (std::int64_t(secondOriginX) + inset);
    dc.SetWindowOrg(
        static_cast<int>(std::clamp<std::int64_t>(originX, INT_MIN, INT_MAX)),
        static_cast<int>(std::clamp<std::int64_t>(
            -plot_layout::kCanvasMargin - std::int64_t(secondOriginY), INT_MIN, INT_MAX)));
    const double canvasUnits = canvasHeight / magnification;
    const int room =
        truncatePlot(canvasUnits - plot_layout::kCanvasMargin - secondOriginY - plotHeight);
    ChartPainter painter{dc, chart, fontHeight, {}};
    dc.SetBkMode(TRANSPARENT);
    painter.frame();
    painter.text(0, -labelGap(fontHeight), TA_CENTER | TA_BOTTOM, "A");
    painter.text(roundPlot(chart.width), -labelGap(fontHeight), TA_CENTER | TA_BOTTOM, "B");
    painter.distanceAxis(room);
    if (!chart.sampled())
        return;
    const int widest = painter.valueAxis();
    CFont vertical;
    createPlotFont(vertical, fontHeight, FW_NORMAL, 900);
    CFont* previous = dc.SelectObject(&vertical);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    const int titleX =
        std::max(-40 - widest - gap - fontHeight, -plot_layout::kCanvasMargin - inset);
    dc.TextOut(titleX, truncatePlot(plotHeight / 2), colourBarTitle(*this, PlotKind::None));
    if (previous)
        dc.SelectObject(previous);
    if (withPredicted)
        painter.curve(&ProfileSample::predicted, 4, kPredictedColour);
    painter.curve(&ProfileSample::observed, 6, kObservedColour);
    if (withPredicted)
        painter.legend();
    if (profileLevel != kNoProfileLevel)
        painter.crossings(roundPlot(plotHeight * 0.5) + profileLevel);
}
