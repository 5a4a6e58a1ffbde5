#include "plot/CTESKAdatView.h"

#include "data/CTESKAdatDoc.h"
#include "platform/DeviceContext.h"
#include "platform/WaitCursor.h"
#include "plot/PlotLayout.h"
#include "plot/StationTriangulation.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace {

// A running minimum and maximum that starts from the 1e30 sentinels.
struct MinMaxScan {
    double min = 1e30, max = -1e30;
    void add(double value) {
        if (value > max)
            max = value;
        if (value < min)
            min = value;
    }
};

// One line of the scroll bars, in pixels (three to a wheel notch by default).
constexpr int kScrollLinePixels = 20;

} // namespace

CTESKAdatView::CTESKAdatView(CTESKAdatDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFrameShape(QFrame::NoFrame);
    // The wheel scrolls by the platform's lines of one single step each.
    horizontalScrollBar()->setSingleStep(kScrollLinePixels);
    verticalScrollBar()->setSingleStep(kScrollLinePixels);
    m_doc.AddView(this);
    m_doc.onChangeRecording = [this] { m_pictures.recorded(PictureState::of(*this)); };
}

CTESKAdatView::~CTESKAdatView() {
    m_doc.onChangeRecording = nullptr;
    m_doc.RemoveView(this);
}

void CTESKAdatView::OnUpdate(CView*, long hint, void*) {
    // A new file starts a new history.
    if (m_doc.history.stepCount() == 0)
        m_pictures.clear();
    takeUpdate(hint);
    emit dataChanged();
}

bool CTESKAdatView::undo() {
    const PictureState now = PictureState::of(*this);
    if (!m_doc.undo())
        return false;
    if (const auto picture = m_pictures.stepBack(now))
        showPicture(*picture);
    return true;
}

bool CTESKAdatView::redo() {
    const PictureState now = PictureState::of(*this);
    if (!m_doc.redo())
        return false;
    if (const auto picture = m_pictures.stepForward(now))
        showPicture(*picture);
    return true;
}

void CTESKAdatView::showPicture(const PictureState& picture) {
    if (!m_doc.dataReady)
        return;
    const bool sameRegion = picture.sameRegion(*this);
    picture.applyTo(*this);
    if (!sameRegion) {
        recomputeScale();
        m_doc.dataReady = false;
        if (!triangulate()) {
            invalidate();
            return;
        }
        m_doc.dataReady = true;
    }
    const PlotKind kind = secondKind;
    const bool needsPredicted = kind == PlotKind::Predicted || kind == PlotKind::Difference ||
                                kind == PlotKind::NormalizedDifference;
    mouseMode = 0;
    if (kind != PlotKind::None && kind != PlotKind::Profile &&
        (!needsPredicted || m_doc.hasPredicted)) {
        showSecondKind(kind); // the values from the restored data
        secondMin = picture.secondMin;
        secondMax = picture.secondMax;
    } else if (kind != PlotKind::Profile) {
        secondKind = PlotKind::None;
    }
    relayout();
    invalidate();
}

void CTESKAdatView::takeUpdate(long hint) {
    if (!m_doc.dataReady) {
        // No data (a failed read): nothing is drawn, the old picture goes.
        mouseMode = 0;
        markedPoint = IntPoint{-1, -1};
        invalidate();
        return;
    }
    mouseMode = 0;
    secondKind = PlotKind::None;
    mainMin = m_doc.dataMin;
    mainMax = m_doc.dataMax;
    if (hint != HintStationsChanged) {
        regionXMin = m_doc.xMin;
        regionXMax = m_doc.xMax;
        regionYMin = m_doc.yMin;
        regionYMax = m_doc.yMax;
        mainLabel = m_doc.isMagnetic ? "Observed Magnetic Data" : "Observed Gravity Data";
        unitsLabel = m_doc.isMagnetic ? "nT" : "mGal";
        secondLabel = "Predicted Data";
        xAxisLabel = "Easting (m)";
        yAxisLabel = "Northing (m)";
    }
    recomputeScale();

    m_doc.dataReady = false;
    if (!triangulate()) {
        // Too few stations stay in the set (they can still be saved), but
        // stations that cannot be triangulated are dropped.
        if (m_doc.count >= 3)
            m_doc.count = 0;
        invalidate();
        return;
    }
    m_doc.dataReady = true;
    if (m_doc.hasPredicted)
        showSecondKind(PlotKind::Predicted);
    else
        relayout();
    invalidate();
}

void CTESKAdatView::recomputeScale() {
    plotScale = 1000.0 / (regionXMax - regionXMin);
    plotHeight = (regionYMax - regionYMin) * plotScale;
    plotWidth = (regionXMax - regionXMin) * plotScale;
}

bool CTESKAdatView::triangulate() {
    platform::WaitCursor wait;
    return triangulateObservations(m_doc, *this, *this);
}

bool CTESKAdatView::showRegion(double x1, double x2, double y1, double y2) {
    const auto setRegion = [this](double west, double east, double south, double north) {
        regionXMin = west;
        regionXMax = east;
        regionYMin = south;
        regionYMax = north;
        recomputeScale();
        return triangulate();
    };
    const double previous[4] = {regionXMin, regionXMax, regionYMin, regionYMax};
    const bool shown = setRegion(x1, x2, y1, y2);
    if (!shown)
        setRegion(previous[0], previous[1], previous[2], previous[3]);
    secondKind = PlotKind::None;
    relayout();
    invalidate();
    return shown;
}

void CTESKAdatView::relayout() {
    computeLayout();
    updateScrollRanges();
    if (fitFrameToCanvas && m_frameFollowsCanvas)
        fitFrameToCanvas(QSize(canvasWidth, canvasHeight));
}

void CTESKAdatView::computeLayout() {
    if (secondKind != PlotKind::None) {
        if (arrangeVertical) {
            secondOriginX = 0;
            secondOriginY = roundHalfAway(plotHeight + 300);
        } else {
            secondOriginX = roundHalfAway(plotWidth + plot_layout::kSideBySideGap);
            secondOriginY = 0;
        }
    }
    // The pixel sizes are clamped to the int range.
    const QSizeF canvas = exactCanvasSize();
    canvasWidth = roundHalfAway(canvas.width());
    canvasHeight = roundHalfAway(canvas.height());
}

QSizeF CTESKAdatView::exactCanvasSize() const {
    // Plot units are whole numbers first (as the pixel rules expect), but the
    // doubling for a second plot is done in double, so that an extreme region
    // cannot overflow.
    double width = roundHalfAway(plotWidth + plot_layout::kSideBySideGap);
    if (colourBarRole == ColourBarRole::Omitted)
        width -= plot_layout::kColourBarRoom;
    double height = roundHalfAway(plotHeight + 400);
    if (secondKind != PlotKind::None) {
        if (arrangeVertical)
            height = 2 * height - 140;
        else
            width = 2 * width;
    }
    return {width * magnification, height * magnification};
}

void CTESKAdatView::showSecondKind(PlotKind kind) {
    if (kind == PlotKind::Errors) {
        secondKind = PlotKind::Errors;
        relayout();
        refreshErrorValues();
        mouseMode = 0;
        return;
    }
    secondKind = kind;
    mouseMode = 0;
    fillSecondValues(kind);
    relayout();
    invalidate();
}

void CTESKAdatView::fillSecondValues(PlotKind kind) {
    const int n = m_doc.count;
    std::vector<double> values(static_cast<size_t>(std::max(n, 0)));
    MinMaxScan scan;
    for (int i = 0; i < n; ++i) {
        switch (kind) {
        case PlotKind::Errors:
            values[i] = m_doc.error[i];
            break;
        case PlotKind::Predicted:
            values[i] = m_doc.predicted[i];
            break;
        case PlotKind::NormalizedDifference:
            values[i] = (m_doc.data[i] - m_doc.predicted[i]) / m_doc.error[i];
            break;
        case PlotKind::Difference:
            values[i] = m_doc.data[i] - m_doc.predicted[i];
            break;
        case PlotKind::Elevation:
            values[i] = m_doc.elevation[i];
            break;
        default:
            return;
        }
        scan.add(values[i]);
    }
    secondMin = scan.min;
    secondMax = scan.max;
    if (kind == PlotKind::Errors && std::fabs(secondMax - secondMin) < 0.001) {
        secondMin *= 0.99;
        secondMax *= 1.01;
    } else if (kind == PlotKind::Predicted) {
        secondMin = mainMin;
        secondMax = mainMax;
    } else if (kind == PlotKind::NormalizedDifference && secondMin < 0 && secondMax > 0) {
        const double m = std::max(secondMax, -secondMin);
        secondMin = -m;
        secondMax = m;
    }
    if (usesDivergingColours())
        centreSecondRangeOnZero();
    toNodeOrder(values, n, *this, secondaryValues);
}

bool CTESKAdatView::usesDivergingColours() const {
    return divergingDifferences &&
           (secondKind == PlotKind::Difference || secondKind == PlotKind::NormalizedDifference);
}

void CTESKAdatView::centreSecondRangeOnZero() {
    const double m = std::max(std::fabs(secondMin), std::fabs(secondMax));
    // All differences zero (or none at all): white, with a range the bar can label.
    const double half = std::isfinite(m) && m > 0 ? m : 1;
    secondMin = -half;
    secondMax = half;
}

void CTESKAdatView::rescanSecondRange() {
    MinMaxScan scan;
    for (int i = 0; i < std::min(m_doc.count, nodeCount()); ++i)
        scan.add(secondaryValues[i]);
    secondMin = scan.min;
    secondMax = scan.max;
}

void CTESKAdatView::refreshErrorValues() {
    emit dataChanged();
    // The normalised difference divides by the errors, so it changes with them too.
    if (secondKind != PlotKind::Errors && secondKind != PlotKind::NormalizedDifference)
        return;
    fillSecondValues(secondKind);
    invalidate();
}

void CTESKAdatView::refreshMainValues() {
    toNodeOrder(m_doc.data, m_doc.count, *this, mainValues);
    // Both differences are computed from the observed values.
    if (secondKind == PlotKind::Difference || secondKind == PlotKind::NormalizedDifference)
        fillSecondValues(secondKind);
    emit dataChanged();
}

void CTESKAdatView::updateScrollRanges() {
    // When the whole canvas fits without scroll bars, none are shown, even
    // if they are on screen now and take room from the viewport.
    const QSize withoutBars = maximumViewportSize();
    const bool fits = canvasWidth <= withoutBars.width() && canvasHeight <= withoutBars.height();
    const QSize page = fits ? withoutBars : viewport()->size();
    horizontalScrollBar()->setPageStep(page.width());
    verticalScrollBar()->setPageStep(page.height());
    horizontalScrollBar()->setRange(0, std::max(0, canvasWidth - page.width()));
    verticalScrollBar()->setRange(0, std::max(0, canvasHeight - page.height()));
}

void CTESKAdatView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRanges();
}
