// The view's paint: the main plot with its units label, the second map plot
// or the profile, the titles; and the picture of the whole canvas that Edit >
// Copy puts on the clipboard.

#include "CTESKAdatDoc.h"
#include "CTESKAdatView.h"
#include "CanvasLimits.h"
#include "DeviceContext.h"
#include "Format.h"
#include "MessageBox.h"
#include "PlotFont.h"
#include "PlotLabels.h"
#include "ProfileTrace.h"
#include "WaitCursor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// The window origin that puts a plot's origin `offset` units from the main plot's.
void moveWindowOrigin(CDC& dc, std::int64_t offsetX, std::int64_t offsetY) {
    dc.SetWindowOrg(clampToInt(-200 - offsetX), clampToInt(-200 - offsetY));
}

bool isMapKind(PlotKind kind) {
    return kind != PlotKind::None && kind != PlotKind::Profile;
}

void storeMainPlotDeviceRect(CTESKAdatView& view, CDC& dc) {
    CRect rect(-80, 0, roundPlot(view.plotWidth + 60), roundPlot(view.plotHeight + 140));
    dc.LPtoDP(&rect);
    view.mainPlotDeviceRect = {rect.left, rect.top, rect.right, rect.bottom};
}

void drawSecondPlot(CTESKAdatView& view, CDC& dc) {
    if (view.secondKind == PlotKind::Profile) {
        view.drawProfile(dc);
    } else if (isMapKind(view.secondKind)) {
        moveWindowOrigin(dc, view.secondOriginX, view.secondOriginY);
        view.drawMapPlot(dc, view.secondaryValues, view.secondMin, view.secondMax);
    }
    dc.SetWindowOrg(-200, -200);
}

void drawTitles(CTESKAdatView& view, CDC& dc) {
    CFont bold;
    createPlotFont(bold, view.fontHeight + 10, FW_BOLD);
    CFont* previous = dc.SelectObject(&bold);
    dc.SetTextAlign(TA_CENTER | TA_BASELINE);
    const int middle = truncatePlot(view.plotWidth * 0.5);
    dc.TextOut(middle, -110, view.mainLabel);
    dc.TextOut(middle, -60, summaryText(view.document()));
    if (isMapKind(view.secondKind))
        dc.TextOut(clampToInt(std::int64_t(view.secondOriginX) + middle),
                   clampToInt(std::int64_t(view.secondOriginY) - 60), secondPlotTitle(view));
    if (previous)
        dc.SelectObject(previous);
}

// The curve, the crossing marks with their distances, and the level line.
void drawProfileTrace(CDC& dc, const ProfileTrace& trace, int level) {
    CPen thick(PS_SOLID, 6, RGB(0, 0, 0));
    CPen* previousPen = dc.SelectObject(&thick);
    auto crossing = trace.crossings.begin();
    for (size_t j = 0; j < trace.curve.size(); ++j) {
        const IntPoint p = trace.curve[j];
        if (j == 0)
            dc.MoveTo(p.x, p.y);
        else
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
    // Left-baseline, as the colour bar left the alignment.
    dc.TextOut(roundPlot(plotWidth) + 160, roundPlot(plotHeight + 40), unitsLabel);
    drawSecondPlot(*this, dc);
    drawTitles(*this, dc);
    if (previous)
        dc.SelectObject(previous);
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
    drawProfileTrace(dc, trace, profileLevel);

    // Without samples there are no extremes to print.
    if (!trace.sampled())
        return;
    dc.SetTextAlign(TA_RIGHT | TA_BASELINE);
    const int labelX = truncatePlot(length) + 160;
    dc.TextOut(labelX, roundPlot(trace.lo * trace.verticalScale), formatString("%.2e", trace.lo));
    dc.TextOut(labelX, roundPlot(trace.hi * trace.verticalScale), formatString("%.2e", trace.hi));
}

bool canvasFits(int width, int height) {
    return width > 0 && height > 0 && std::int64_t(width) * height <= kMaxCanvasPixels;
}

std::string canvasTooLargeText(int width, int height, const std::string& purpose) {
    return formatString("The picture of the plots would be %i by %i pixels, too large to ", width,
                        height) +
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
