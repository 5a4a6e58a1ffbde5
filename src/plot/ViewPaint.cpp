// The view's paint: the main plot with its units label, the second map plot
// or the profile, the titles; and the picture of the whole canvas that Edit >
// Copy puts on the clipboard.

#include "data/CTESKAdatDoc.h"
#include "platform/DeviceContext.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"
#include "plot/CTESKAdatView.h"
#include "plot/CanvasLimits.h"
#include "plot/PlotFont.h"
#include "plot/PlotLabels.h"
#include "plot/PlotLayout.h"
#include "plot/ProfileTrace.h"
#include "plot/RoundTicks.h"
#include "plot/StationTriangulation.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

namespace {

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The window origin that puts a plot's origin `offset` units from the main plot's.
void moveWindowOrigin(CDC& dc, std::int64_t offsetX, std::int64_t offsetY) {
    dc.SetWindowOrg(clampToInt(-plot_layout::kCanvasMargin - offsetX),
                    clampToInt(-plot_layout::kCanvasMargin - offsetY));
}

bool isMapKind(PlotKind kind) {
    return kind != PlotKind::None && kind != PlotKind::Profile;
}

void storeMainPlotDeviceRect(CTESKAdatView& view, CDC& dc) {
    const IntRect area = plot_layout::mainPlotArea(view.plotWidth, view.plotHeight);
    CRect rect(area.left, area.top, area.right, area.bottom);
    dc.LPtoDP(&rect);
    view.mainPlotDeviceRect = {rect.left, rect.top, rect.right, rect.bottom};
}

void drawSecondPlot(CTESKAdatView& view, CDC& dc) {
    if (view.secondKind == PlotKind::Profile) {
        view.drawProfile(dc);
    } else if (isMapKind(view.secondKind)) {
        moveWindowOrigin(dc, view.secondOriginX, view.secondOriginY);
        view.drawSecondMapPlot(dc);
    }
    dc.SetWindowOrg(-plot_layout::kCanvasMargin, -plot_layout::kCanvasMargin);
}

void drawTitles(CTESKAdatView& view, CDC& dc) {
    if (!view.showTitles)
        return;
    CFont bold;
    createPlotFont(bold, view.fontHeight + 10, FW_BOLD);
    CFont* previous = dc.SelectObject(&bold);
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    const int middle = truncatePlot(view.plotWidth * 0.5);
    int titleY = -110, summaryY = -60;
    bool withSummary = view.showSummary;
    if (view.roundTicks) {
        // Clear of the labels at the plot's top edge whatever the font; the
        // summary gives way when both lines would not fit above the plot.
        const int bold = view.fontHeight + 10, gap = labelGap(view.fontHeight);
        summaryY = std::min(-60, -(view.fontHeight + gap));
        titleY = summaryY - bold;
        withSummary = withSummary && titleY - bold >= -plot_layout::kCanvasMargin;
        if (!withSummary)
            titleY = summaryY;
    }
    dc.TextOut(middle, titleY, view.mainLabel);
    if (withSummary)
        dc.TextOut(middle, summaryY, summaryText(view.document()));
    if (isMapKind(view.secondKind))
        dc.TextOut(clampToInt(std::int64_t(view.secondOriginX) + middle),
                   clampToInt(std::int64_t(view.secondOriginY) - 60), secondPlotTitle(view));
    if (previous)
        dc.SelectObject(previous);
}

// The curve (unless `withCurve` is false), the crossing marks with their
// distances, and the level line.
void drawProfileTrace(CDC& dc, const ProfileTrace& trace, int level, bool withCurve = true) {
    CPen thick(PS_SOLID, 6, RGB(0, 0, 0));
    CPen* previousPen = dc.SelectObject(&thick);
    auto crossing = trace.crossings.begin();
    for (size_t j = 0; j < trace.curve.size(); ++j) {
        const IntPoint p = trace.curve[j];
        if (j == 0)
            dc.MoveTo(p.x, p.y);
        else if (withCurve)
            dc.LineTo(p.x, p.y);
        for (; crossing != trace.crossings.end() && crossing->afterSample == int(j); ++crossing) {
            dc.FillSolidRect(crossing->markX - 1, -4, 3, 9, RGB(0, 0, 200));
            if (crossing->hasDistance)
                dc.TextOut(crossing->distanceAt.x, crossing->distanceAt.y, crossing->distanceText);
        }
    }
    if (!trace.crossings.empty()) {
        CPen dotted(PS_DOT, 0, RGB(0, 0, 0));
        dc.SelectObject(&dotted);
        const int previousRop = dc.SetROP2(R2_NOTXORPEN);
        dc.MoveTo(0, level);
        dc.LineTo(roundPlot(trace.length), level);
        dc.SetROP2(previousRop);
        dc.SelectObject(&thick);
    }
    dc.SelectObject(previousPen);
}

// A profile curve of one value of the samples, broken where the value is a gap.
void drawGappedCurve(CDC& dc, const std::vector<ProfileSample>& samples,
                     double ProfileSample::*value, double verticalScale, CPen& pen) {
    CPen* previous = dc.SelectObject(&pen);
    bool drawing = false;
    for (const ProfileSample& sample : samples) {
        const double v = sample.*value;
        if (!std::isfinite(v)) {
            drawing = false;
            continue;
        }
        const int x = roundPlot(sample.along), y = roundPlot(v * verticalScale);
        if (drawing)
            dc.LineTo(x, y);
        else
            dc.MoveTo(x, y);
        drawing = true;
    }
    dc.SelectObject(previous);
}

constexpr COLORREF kPredictedColour = RGB(220, 30, 30);

void drawProfileLegend(CDC& dc, int top, int rowHeight) {
    const struct {
        const char* text;
        int width;
        COLORREF colour;
    } rows[] = {{"observed", 6, RGB(0, 0, 0)}, {"predicted", 4, kPredictedColour}};
    dc.SetTextAlign(TA_LEFT | TA_BASELINE);
    int y = top;
    for (const auto& row : rows) {
        CPen pen(PS_SOLID, row.width, row.colour);
        CPen* previous = dc.SelectObject(&pen);
        dc.MoveTo(20, y - rowHeight / 3);
        dc.LineTo(80, y - rowHeight / 3);
        dc.SelectObject(previous);
        dc.TextOut(95, y, row.text);
        y += rowHeight;
    }
}

// Metres from A below the profile, at round distances.
void drawDistanceAxis(CDC& dc, double length, double plotScale, int axisY, int rowHeight) {
    const RoundTicks ticks = chooseRoundTicks(0, length / plotScale, 6);
    dc.MoveTo(0, axisY);
    dc.LineTo(roundPlot(length), axisY);
    dc.SetTextAlign(TA_CENTER | TA_TOP);
    for (const double metres : ticks.values) {
        const int x = roundPlot(metres * plotScale);
        dc.MoveTo(x, axisY);
        dc.LineTo(x, axisY + 12);
        dc.TextOut(x, axisY + 16, formatRoundTick(metres, ticks.step));
    }
    dc.TextOut(roundPlot(length / 2), axisY + 16 + rowHeight, "Distance from A (m)");
}

} // namespace

void CTESKAdatView::OnDraw(CDC& dc) {
    if (!m_doc.dataReady)
        return;
    CFont normal;
    createPlotFont(normal, fontHeight, FW_NORMAL);
    CFont* previous = dc.SelectObject(&normal);
    platform::WaitCursor wait;

    storeMainPlotDeviceRect(*this, dc);
    drawMapPlot(dc, mainValues, mainMin, mainMax);
    // Left-baseline, as the colour bar left the alignment. With round ticks
    // the bar's title carries the unit.
    if (!roundTicks)
        dc.TextOut(roundPlot(plotWidth) + 160, roundPlot(plotHeight + 40), unitsLabel);
    drawSecondPlot(*this, dc);
    drawTitles(*this, dc);
    if (previous)
        dc.SelectObject(previous);
}

void CTESKAdatView::drawSecondMapPlot(CDC& dc) {
    m_colourBarKind = secondKind;
    if (!usesDivergingColours()) {
        drawMapPlot(dc, secondaryValues, secondMin, secondMax);
        m_colourBarKind = PlotKind::None;
        return;
    }
    // The main plot keeps the chosen map; only this plot and its bar change.
    const ColourTable chosen = colourTable;
    colourTable = divergingColourTable();
    m_zeroCentredColourBar = true;
    drawMapPlot(dc, secondaryValues, secondMin, secondMax);
    m_zeroCentredColourBar = false;
    colourTable = chosen;
    m_colourBarKind = PlotKind::None;
}

void CTESKAdatView::drawProfile(CDC& dc) {
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(220, 220, 220));
    dc.TextOut(clampToInt(std::int64_t(profileStart.x) - 30), profileStart.y, " A ");
    dc.TextOut(clampToInt(std::int64_t(profileEnd.x) + 30), profileEnd.y, " B ");
    dc.SetBkMode(TRANSPARENT);
    dc.MoveTo(profileStart.x, profileStart.y);
    dc.LineTo(profileEnd.x, profileEnd.y);

    if (roundTicks) {
        drawProfileChart(dc);
        return;
    }
    // The profile's axis runs across the middle of the second plot's frame.
    const int half = roundPlot(plotHeight * 0.5);
    moveWindowOrigin(dc, secondOriginX, std::int64_t(secondOriginY) + half);
    const double length =
        std::hypot(double(profileEnd.x) - profileStart.x, double(profileEnd.y) - profileStart.y);
    dc.TextOut(-30, 0, "A");
    dc.TextOut(roundPlot(length + 30), 0, "B");
    dc.MoveTo(0, 0);
    dc.LineTo(roundPlot(length), 0);

    CSize pixels(roundPlot(length), 1);
    dc.LPtoDP(&pixels);
    const ProfileTrace trace = traceProfile(*this, *this, pixels.cx);
    if (profileWithPredicted && m_doc.hasPredicted) {
        drawProfileWithPredicted(dc, trace, pixels.cx);
        return;
    }
    drawProfileTrace(dc, trace, profileLevel);

    // Without samples there are no extremes to print.
    if (!trace.sampled())
        return;
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    const int labelX = truncatePlot(length) + 160;
    dc.TextOut(labelX, roundPlot(trace.lo * trace.verticalScale), formatString("%.2e", trace.lo));
    dc.TextOut(labelX, roundPlot(trace.hi * trace.verticalScale), formatString("%.2e", trace.hi));
}

void CTESKAdatView::drawProfileWithPredicted(CDC& dc, const ProfileTrace& trace, int lengthPixels) {
    std::vector<double> predictedNodes(static_cast<size_t>(nodeCount()),
                                       std::numeric_limits<double>::quiet_NaN());
    toNodeOrder(m_doc.predicted, m_doc.count, *this, predictedNodes);
    const std::vector<ProfileSample> samples =
        sampleProfile(*this, *this, &predictedNodes, lengthPixels);
    const int half = roundPlot(plotHeight * 0.5);
    const int rowHeight = fontHeight + 10;
    drawDistanceAxis(dc, trace.length, plotScale, half + 20, rowHeight);
    drawProfileLegend(dc, -half + rowHeight, rowHeight);
    drawProfileTrace(dc, trace, profileLevel, false);
    if (!trace.sampled())
        return;
    CPen observedPen(PS_SOLID, 6, RGB(0, 0, 0)), predictedPen(PS_SOLID, 4, kPredictedColour);
    drawGappedCurve(dc, samples, &ProfileSample::observed, trace.verticalScale, observedPen);
    drawGappedCurve(dc, samples, &ProfileSample::predicted, trace.verticalScale, predictedPen);

    // The extremes of the observed samples inside the hull.
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const ProfileSample& sample : samples)
        if (std::isfinite(sample.observed)) {
            lo = std::min(lo, sample.observed);
            hi = std::max(hi, sample.observed);
        }
    if (!(lo <= hi))
        return;
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    const int labelX = truncatePlot(trace.length) + 160;
    dc.TextOut(labelX, roundPlot(lo * trace.verticalScale), formatString("%.2e", lo));
    dc.TextOut(labelX, roundPlot(hi * trace.verticalScale), formatString("%.2e", hi));
}

int CTESKAdatView::profileLengthPixels() const {
    QImage probe(1, 1, QImage::Format_RGB32);
    CDC dc(probe);
    OnPrepareDC(dc);
    const double length =
        std::hypot(double(profileEnd.x) - profileStart.x, double(profileEnd.y) - profileStart.y);
    CSize pixels(roundPlot(length), 1);
    dc.LPtoDP(&pixels);
    return pixels.cx;
}

bool canvasFits(int width, int height) {
    return width > 0 && height > 0 && std::int64_t(width) * height <= kMaxCanvasPixels;
}

std::string canvasTooLargeText(double width, double height, const std::string& purpose) {
    return formatString("The picture of the plots would be %.0f by %.0f pixels, too large to ",
                        width, height) +
           purpose + ".";
}

QImage CTESKAdatView::renderCanvas(VectorLayer* vectors) {
    const int width = std::max(canvasWidth, 1), height = std::max(canvasHeight, 1);
    if (!canvasFits(width, height))
        return QImage();
    QImage canvas(width, height, QImage::Format_RGB32);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::white);
    // The window's paints keep their device rectangle of the main plot.
    const IntRect windowRect = mainPlotDeviceRect;
    {
        CDC dc(canvas);
        dc.SetVectorLayer(vectors);
        OnPrepareDC(dc);
        dc.SetViewportOrg(0, 0);
        OnDraw(dc);
    }
    mainPlotDeviceRect = windowRect;
    return canvas;
}

void CTESKAdatView::copyToClipboard() {
    const QImage canvas = renderCanvas();
    if (canvas.isNull()) {
        AfxMessageBox(canvasTooLargeText(canvasWidth, canvasHeight, "copy to the clipboard") +
                          " Shrink the plots (View > shrink) and try again.",
                      MB_ICONHAND);
        return;
    }
    QGuiApplication::clipboard()->setImage(canvas);
}
