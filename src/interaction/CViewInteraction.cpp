#include "interaction/CViewInteraction.h"

#include "plot/PlotLayout.h"
#include "plot/ProfileTrace.h"

#include "data/CTESKAdatDoc.h"
#include "data/TextFile.h"
#include "dialogs/CDlgDataProp.h"
#include "dialogs/ModalDialog.h"
#include "platform/DeviceContext.h"
#include "platform/Format.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"
#include "plot/TriangleMask.h"
#include "triangulation/Triangulation.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QRegion>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr IntPoint kNoMark{-1, -1};

// A window manager activates a window on the press into it and passes the
// press on at once; a press this soon after such an activation made it.
constexpr qint64 kActivatingPressMs = 300;

// How far outside the main plot the readout still looks for a station, in
// plot units.
constexpr double kFrameSlack = 4;

// Keeps plot positions far enough inside the int range that a mark or an
// offset to the second plot can be added without overflow.
int clampPlot(long long value) {
    constexpr long long limit = 1LL << 30;
    return static_cast<int>(std::clamp(value, -limit, limit));
}

// Runs `draw(dc, touched)` on the picture of the window with the paint's
// mapping, then shows the rectangle it touched without repainting the plots.
template <class Draw> void drawBetweenPaints(CTESKAdatView& view, Draw draw) {
    QImage& image = view.backBuffer();
    if (image.isNull())
        return;
    QRect touched;
    {
        CDC dc(image);
        view.OnPrepareDC(dc);
        draw(dc, touched);
    }
    touched &= image.rect();
    if (!touched.isEmpty())
        view.showBackBuffer(touched);
}

// The device pixels around two logical points, with a margin for rounding
// and the pen.
QRect deviceBox(const CDC& dc, CPoint a, CPoint b) {
    dc.LPtoDP(&a);
    dc.LPtoDP(&b);
    return QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                 QPoint(std::max(a.x, b.x), std::max(a.y, b.y)))
        .adjusted(-2, -2, 2, 2);
}

MouseKeys keysOf(const QMouseEvent& event) {
    MouseKeys keys;
    keys.left = event.buttons() & Qt::LeftButton;
    keys.right = event.buttons() & Qt::RightButton;
    keys.shift = event.modifiers() & Qt::ShiftModifier;
    return keys;
}

} // namespace

CViewInteraction::CViewInteraction(CTESKAdatView& view, QObject* parent)
    : QObject(parent), m_view(view), m_doc(view.document()), m_viewport(view.viewport()) {
    m_viewport->installEventFilter(this);
    // Moves without a button reach the hover readout; the gestures ignore them.
    view.viewport()->setMouseTracking(true);
    view.cancelGesture = [this] { return cancelLine(); };
}

CViewInteraction::~CViewInteraction() = default;

bool CViewInteraction::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouseEvent = type == QEvent::MouseButtonPress ||
                            type == QEvent::MouseButtonDblClick ||
                            type == QEvent::MouseButtonRelease || type == QEvent::MouseMove;
    // Only the events' type and the watched object are looked at first: the
    // viewport also reports events while the view is being destroyed.
    if (watched == m_viewport &&
        (type == QEvent::WindowActivate || type == QEvent::WindowDeactivate))
        noteActivation(type == QEvent::WindowActivate);
    if (watched != m_viewport)
        return QObject::eventFilter(watched, event);
    if (type == QEvent::Wheel)
        return wheel(static_cast<const QWheelEvent&>(*event));
    if (type == QEvent::Leave && setHoverText)
        setHoverText(QString());
    if (!mouseEvent)
        return QObject::eventFilter(watched, event);
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (pan(type, mouse))
        return true;
    if (type == QEvent::MouseMove && mouse.buttons() == Qt::NoButton)
        hover(mouse.position().toPoint());
    else if (type == QEvent::MouseButtonPress && setHoverText)
        setHoverText(QString()); // a gesture's readouts get the whole status bar
    const QPoint pointer = mouse.position().toPoint();
    const MouseKeys keys = keysOf(mouse);
    const bool left = mouse.button() == Qt::LeftButton;
    if (type == QEvent::MouseMove)
        OnMouseMove(keys, pointer);
    else if (!left && mouse.button() != Qt::RightButton)
        return false;
    else if (type == QEvent::MouseButtonRelease)
        left ? OnLButtonUp(keys, pointer) : OnRButtonUp(keys, pointer);
    else if (!activateWindowFirst())
        left ? OnLButtonDown(keys, pointer) : OnRButtonDown(keys, pointer);
    return true;
}

bool CViewInteraction::activateWindowFirst() {
    // The first click into an inactive window only activates it. (The second
    // press of a double click arrives as a double click and is a press too.)
    const bool activatedByThisPress =
        m_activatedFromOutside.isValid() && m_activatedFromOutside.elapsed() < kActivatingPressMs;
    m_activatedFromOutside.invalidate();
    QWidget* window = m_view.window();
    if (window->isActiveWindow())
        return activatedByThisPress;
    window->activateWindow();
    m_inactiveForOtherApplication = false; // the activation that follows is this press's
    return true;
}

void CViewInteraction::noteActivation(bool active) {
    if (!active) {
        // The window that is active now: none for another application, or
        // one of ours (a dialog), which gives the activation back when it closes.
        m_inactiveForOtherApplication = QApplication::activeWindow() == nullptr;
        m_activatedFromOutside.invalidate();
    } else if (m_inactiveForOtherApplication) {
        m_inactiveForOtherApplication = false;
        m_activatedFromOutside.start();
    }
}

// --- Readouts ---

namespace {

// "%g" prints a UTM coordinate with an exponent (7.51235e+06); with round
// ticks on, coordinates of 10^5 and beyond get their whole metres instead.
std::string coordinateText(double value, bool roundTicks) {
    return roundTicks ? formatHoverCoordinate(value) : formatString("%g", value);
}

} // namespace

void CViewInteraction::showPositionReadout(IntPoint point) {
    const double easting = point.x / m_view.plotScale + m_view.regionXMin;
    const double northing = m_view.regionYMax - point.y / m_view.plotScale;
    data::ClassicNumericLocale classic;
    setStatus("(Easting, Northing)  =  (" + coordinateText(easting, m_view.roundTicks) + ",  " +
              coordinateText(northing, m_view.roundTicks) + ")");
}

int CViewInteraction::inspectStation(QPoint pointer, bool eraseOnly) {
    IntPoint p = toPlotUnits(pointer);
    // A pointer over a map second plot reads the same place of the main plot.
    if (secondIsMap()) {
        if (m_view.arrangeVertical && p.y > m_view.plotHeight)
            p.y -= m_view.secondOriginY;
        else if (!m_view.arrangeVertical && p.x > m_view.plotWidth)
            p.x -= m_view.secondOriginX;
    }
    if (!(m_view.markedPoint == kNoMark)) {
        invertMark(m_view.markedPoint);
        m_view.markedPoint = kNoMark;
    }
    int32_t maskStart = 1;
    const bool outside = p.x < -kFrameSlack || p.x > m_view.plotWidth + kFrameSlack ||
                         p.y < -kFrameSlack || p.y > m_view.plotHeight + kFrameSlack ||
                         TriangleMask(m_view, m_view).masksPoint(p.x, p.y, maskStart);
    const int index = eraseOnly || outside || !dataReady() ? -1 : nearestStation(p);
    if (index < 0) {
        idle();
        return -1;
    }
    m_view.markedPoint = plotPosition(index);
    // A station exactly at the no-mark position cannot be marked; its values still show.
    if (!(m_view.markedPoint == kNoMark))
        invertMark(m_view.markedPoint);
    setStatus(stationText(index));
    return index;
}

int CViewInteraction::nearestStation(IntPoint p) const {
    const double easting = p.x / m_view.plotScale + m_view.regionXMin;
    const double northing = m_view.regionYMax - p.y / m_view.plotScale;
    const size_t count =
        std::min({static_cast<size_t>(std::max(m_doc.count, 0)), m_doc.x.size(), m_doc.y.size()});
    // Strictly closer only, so that a tie goes to the earlier station; a
    // station whose distance is not a number is never taken.
    int nearest = -1;
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < count; ++i) {
        const double dx = m_doc.x[i] - easting, dy = m_doc.y[i] - northing;
        const double distance = dx * dx + dy * dy;
        if (distance < best) {
            best = distance;
            nearest = static_cast<int>(i);
        }
    }
    return nearest;
}

IntPoint CViewInteraction::plotPosition(int index) const {
    const double x = (m_doc.x[index] - m_view.regionXMin) * m_view.plotScale;
    const double y = (m_view.regionYMax - m_doc.y[index]) * m_view.plotScale;
    return {clampPlot(roundHalfAway(x)), clampPlot(roundHalfAway(y))};
}

std::string CViewInteraction::stationText(int index) const {
    const auto i = static_cast<size_t>(index);
    data::ClassicNumericLocale classic;
    std::string text = formatString(" (x, y) = (%.10g, %.10g) ,    data = %g", m_doc.x[i],
                                    m_doc.y[i], m_doc.data[i]);
    const bool predicted = i < m_doc.predicted.size();
    switch (m_view.secondKind) {
    case PlotKind::Errors:
        text += formatString(" ,    err = %g", m_doc.error[i]);
        break;
    case PlotKind::Predicted:
        if (predicted)
            text += formatString(" ,    predicted data = %g", m_doc.predicted[i]);
        break;
    case PlotKind::NormalizedDifference:
        if (predicted)
            text += formatString(" ,    normalized difference = %g",
                                 (m_doc.data[i] - m_doc.predicted[i]) / m_doc.error[i]);
        break;
    case PlotKind::Difference:
        if (predicted)
            text += formatString(" ,    difference = %g", m_doc.data[i] - m_doc.predicted[i]);
        break;
    case PlotKind::Elevation:
        text += formatString(" ,    elevation = %g", m_doc.elevation[i]);
        break;
    case PlotKind::None:
    case PlotKind::Profile:
        break;
    }
    return text;
}

void CViewInteraction::invertMark(IntPoint at) {
    const bool second = secondIsMap();
    const int dx = m_view.secondOriginX, dy = m_view.secondOriginY;
    drawBetweenPaints(m_view, [&](CDC& dc, QRect& touched) {
        auto invert = [&](long long x, long long y) {
            const CPoint topLeft(clampPlot(x - plot_layout::kStationMarkHalf),
                                 clampPlot(y - plot_layout::kStationMarkHalf));
            const CPoint bottomRight(clampPlot(x + plot_layout::kStationMarkHalf),
                                     clampPlot(y + plot_layout::kStationMarkHalf));
            dc.InvertRect(CRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y));
            touched |= deviceBox(dc, topLeft, bottomRight);
        };
        invert(at.x, at.y);
        if (second)
            invert(static_cast<long long>(at.x) + dx, static_cast<long long>(at.y) + dy);
    });
}

// --- Left button: the profile line, its level, closing it ---

void CViewInteraction::OnLButtonDown(MouseKeys, QPoint pointer) {
    if (!dataReady())
        return;
    // Moves and the release keep coming to the viewport that got the press,
    // even outside it, so the press captures the mouse by itself.
    const IntPoint p = toPlotUnits(pointer);
    if (p.x >= 0 && p.x <= m_view.plotWidth && p.y >= 0 && p.y <= m_view.plotHeight)
        startLine(p);
    else if (m_view.secondKind == PlotKind::Profile)
        clickBesideMainPlot(p);
}

void CViewInteraction::startLine(IntPoint p) {
    // A band left over from a drag whose release never came goes first.
    if (m_view.mouseMode == 2)
        eraseRubberBand();
    // The shown profile keeps its ends until the release completes a line.
    m_view.mouseMode = 1;
    m_lineStart = p;
    showPositionReadout(p);
}

void CViewInteraction::clickBesideMainPlot(IntPoint p) {
    const bool level =
        m_view.arrangeVertical ? p.y > m_view.secondOriginY : p.x > m_view.secondOriginX;
    if (!level) {
        m_view.mouseMode = 0;
        m_view.secondKind = PlotKind::None;
        m_view.relayout();
        m_view.invalidate();
        return;
    }
    // The profile's axis runs across the middle of the second plot's frame.
    const double half = roundHalfAway(m_view.plotHeight * 0.5);
    const double height = static_cast<double>(p.y) - m_view.secondOriginY - half;
    m_view.profileLevel = std::max(roundHalfAway(height), kNoProfileLevel + 1);
    // Only the profile's side changes: everything but the main plot is repainted.
    const QRegion rest = QRegion(m_view.viewport()->rect()).subtracted(mainPlotDeviceRect());
    for (const QRect& area : rest)
        m_view.invalidateRect(area);
}

void CViewInteraction::OnMouseMove(MouseKeys keys, QPoint pointer) {
    if (!dataReady())
        return;
    if (keys.right) {
        const int index = inspectStation(pointer, false);
        if (keys.shift && index >= 0)
            editOnce(index, pointer);
        return;
    }
    if (!keys.left || (m_view.mouseMode != 1 && m_view.mouseMode != 2))
        return;
    const IntPoint p = toPlotUnits(pointer);
    showPositionReadout(p);
    const bool drawn = m_view.mouseMode == 2;
    const IntPoint a = m_lineStart, previous = m_rubberEnd;
    drawBetweenPaints(m_view, [&](CDC& dc, QRect& touched) {
        const int oldMode = dc.SetROP2(R2_NOTXORPEN);
        if (drawn)
            touched |= xorLine(dc, a, previous);
        touched |= xorLine(dc, a, p);
        dc.SetROP2(oldMode);
    });
    m_rubberEnd = p;
    m_view.mouseMode = 2;
}

QRect CViewInteraction::xorLine(CDC& dc, IntPoint from, IntPoint to) {
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
    return deviceBox(dc, CPoint(from.x, from.y), CPoint(to.x, to.y));
}

void CViewInteraction::eraseRubberBand() {
    const IntPoint a = m_lineStart, end = m_rubberEnd;
    drawBetweenPaints(m_view, [&](CDC& dc, QRect& touched) {
        const int oldMode = dc.SetROP2(R2_NOTXORPEN);
        touched |= xorLine(dc, a, end);
        dc.SetROP2(oldMode);
    });
}

void CViewInteraction::OnLButtonUp(MouseKeys, QPoint pointer) {
    if (!dataReady())
        return;
    const IntPoint b = toPlotUnits(pointer);
    const bool dragged = m_view.mouseMode == 2;
    const IntPoint end = dragged && !(b == m_lineStart) ? fitIntoMainPlot(b) : m_lineStart;
    // A line that ends where it started (also after fitting, as when it
    // starts on an edge and leaves the plot across it) gives no profile; the
    // shown one stays as it was.
    if (end == m_lineStart) {
        if (dragged)
            eraseRubberBand();
        m_view.mouseMode = 0;
        return;
    }
    IntPoint a = m_lineStart;
    IntPoint bEnd = end;
    if (a.x > bEnd.x)
        std::swap(a, bEnd);
    m_view.profileStart = a;
    m_view.profileEnd = bEnd;
    m_view.secondKind = PlotKind::Profile;
    m_view.relayout();
    m_view.profileLevel = kNoProfileLevel;
    m_view.mouseMode = 0;
    idle();
    m_view.invalidate(); // the repaint removes the rubber band and draws the profile
}

IntPoint CViewInteraction::fitIntoMainPlot(IntPoint end) const {
    return ::fitIntoMainPlot(m_lineStart, end, m_view.plotWidth, m_view.plotHeight);
}

// --- Right button: inspection and the Data Properties dialog ---

void CViewInteraction::OnRButtonDown(MouseKeys keys, QPoint pointer) {
    m_editedInGesture = false;
    if (!dataReady())
        return;
    const int index = inspectStation(pointer, false);
    if (keys.shift && index >= 0)
        editOnce(index, pointer);
}

void CViewInteraction::OnRButtonUp(MouseKeys keys, QPoint pointer) {
    if (keys.shift && !m_editedInGesture) {
        const int index = inspectStation(pointer, false);
        if (index >= 0)
            editStationProperties(index);
    }
    m_editedInGesture = false;
    inspectStation(pointer, true);
    idle();
}

void CViewInteraction::editOnce(int index, QPoint pointer) {
    // One Shift+right gesture opens the dialog once: the moves and the
    // release that follow it do not open it again.
    if (m_editedInGesture)
        return;
    m_editedInGesture = true;
    editStationProperties(index);
    inspectStation(pointer, true);
}

void CViewInteraction::editStationProperties(int index) {
    if (index < 0 || index >= m_doc.count)
        return;
    const auto i = static_cast<size_t>(index);
    CDlgDataProp dialog(m_view.window());
    dialog.m_x = m_doc.x[i];
    dialog.m_y = m_doc.y[i];
    dialog.m_elevation = m_doc.elevation[i];
    dialog.m_data = m_doc.data[i];
    dialog.m_error = m_doc.error[i];
    dialogs::runModal(dialog);
    if (dialog.result() == QDialog::Accepted) {
        changeError(index, dialog.m_error);
    } else if (dialog.result() == CDlgDataProp::kDeleteResult) {
        // The station and its mark go; the rebuild's repaint draws no mark.
        m_view.markedPoint = kNoMark;
        m_doc.deleteStation(index);
    }
}

void CViewInteraction::changeError(int index, double error) {
    if (!m_doc.changeError(index, error))
        return;
    // A shown second plot turns to the errors; all second plots share one place.
    if (m_view.secondKind != PlotKind::None && m_view.secondKind != PlotKind::Errors) {
        m_view.secondKind = PlotKind::Errors;
        m_view.refreshErrorValues();
        m_view.invalidate();
    }
}

// --- Helpers ---

bool CViewInteraction::dataReady() const {
    return m_doc.dataReady && m_doc.count > 0;
}

bool CViewInteraction::secondIsMap() const {
    const PlotKind kind = m_view.secondKind;
    return kind != PlotKind::None && kind != PlotKind::Profile;
}

IntPoint CViewInteraction::toPlotUnits(QPoint pointer) const {
    QImage unused; // the mapping needs no pixels
    CDC dc(unused);
    m_view.OnPrepareDC(dc);
    CPoint p(pointer.x(), pointer.y());
    dc.DPtoLP(&p);
    return {p.x, p.y};
}

QRect CViewInteraction::mainPlotDeviceRect() const {
    // The rectangle the paint stores, taken at the current mapping, so that
    // a canvas copy (which paints with another mapping) cannot leave it stale.
    QImage unused;
    CDC dc(unused);
    m_view.OnPrepareDC(dc);
    const IntRect plotArea = plot_layout::mainPlotArea(m_view.plotWidth, m_view.plotHeight);
    CRect area(plotArea.left, plotArea.top, plotArea.right, plotArea.bottom);
    dc.LPtoDP(&area);
    return QRect(QPoint(std::min(area.left, area.right), std::min(area.top, area.bottom)),
                 QPoint(std::max(area.left, area.right) - 1, std::max(area.top, area.bottom) - 1));
}

void CViewInteraction::setStatus(const std::string& text) {
    if (setStatusText)
        setStatusText(QString::fromStdString(text));
}

void CViewInteraction::idle() {
    if (showIdleMessage)
        showIdleMessage();
}

// --- Hover readout, wheel and pan ---

QString CViewInteraction::hoverText(QPoint pointer) {
    if (!dataReady() || m_view.nodeCount() < 3 || !(m_view.plotScale > 0))
        return {};
    IntPoint p = toPlotUnits(pointer);
    const std::vector<double>* values = &m_view.mainValues;
    std::string units = m_view.unitsLabel;
    const bool inMain = p.x >= 0 && p.x <= m_view.plotWidth && p.y >= 0 && p.y <= m_view.plotHeight;
    if (!inMain) {
        if (!secondIsMap())
            return {};
        p.x -= m_view.secondOriginX;
        p.y -= m_view.secondOriginY;
        if (p.x < 0 || p.x > m_view.plotWidth || p.y < 0 || p.y > m_view.plotHeight)
            return {};
        values = &m_view.secondaryValues;
        if (m_view.secondKind == PlotKind::NormalizedDifference)
            units.clear();
        else if (m_view.secondKind == PlotKind::Elevation)
            units = "m";
    }
    if (values->size() < static_cast<size_t>(m_view.nodeCount()))
        return {};
    double value = 0;
    const int result = interpolateLinear(
        m_view.nodeCount(), p.x, p.y, m_view.stationX.data(), m_view.stationY.data(),
        values->data(), m_view.adjacency.data(), m_view.adjacencyEnd.data(), m_hoverStart, value);
    if (result == BadArgument)
        m_hoverStart = 1;
    const double easting = p.x / m_view.plotScale + m_view.regionXMin;
    const double northing = m_view.regionYMax - p.y / m_view.plotScale;
    // Masked triangles (between separate blocks) count as outside, as on the map.
    const bool inside = result == Interpolated &&
                        !TriangleMask(m_view, m_view).masksPoint(p.x, p.y, m_hoverMaskStart);
    return QString::fromStdString(hoverReadoutText(easting, northing, inside, value, units));
}

void CViewInteraction::hover(QPoint pointer) {
    if (setHoverText)
        setHoverText(hoverText(pointer));
}

bool CViewInteraction::cancelLine() {
    if (m_view.mouseMode != 1 && m_view.mouseMode != 2)
        return false;
    if (m_view.mouseMode == 2)
        eraseRubberBand();
    m_view.mouseMode = 0;
    idle();
    return true;
}

AxisMapping CViewInteraction::horizontalMapping() const {
    return {m_view.horizontalScrollBar()->value(), std::max(1, m_view.canvasWidth),
            std::max(1, roundHalfAway(m_view.canvasWidth / m_view.magnification))};
}

AxisMapping CViewInteraction::verticalMapping() const {
    return {m_view.verticalScrollBar()->value(), std::max(1, m_view.canvasHeight),
            std::max(1, roundHalfAway(m_view.canvasHeight / m_view.magnification))};
}

void CViewInteraction::zoomAt(QPoint pointer, int steps) {
    if (!runCommand || steps == 0)
        return;
    const double ux = horizontalMapping().unitAt(pointer.x());
    const double uy = verticalMapping().unitAt(pointer.y());
    const int id = steps > 0 ? ID_VIEW_MAGNIFY : ID_VIEW_SHRINK;
    // The frame keeps its size: grown around the canvas it would move the
    // plots away from the pointer, which no scroll position could undo.
    m_view.setFrameFollowsCanvas(false);
    for (int i = 0; i < std::abs(steps); ++i)
        if (!runCommand(id))
            break;
    m_view.setFrameFollowsCanvas(true);
    // Scroll bars that come or go change the viewport once the layout has
    // run: the position is set again then.
    const auto keep = [this, ux, uy, pointer] {
        m_view.horizontalScrollBar()->setValue(horizontalMapping().scrollKeeping(ux, pointer.x()));
        m_view.verticalScrollBar()->setValue(verticalMapping().scrollKeeping(uy, pointer.y()));
    };
    keep();
    QTimer::singleShot(0, this, keep);
}

namespace {

// Scrolls `bar` by `pixels` (positive: toward the start, as a wheel turned
// away from the user), keeping the fraction of a pixel in `rest`.
void scrollBy(QScrollBar* bar, double pixels, double& rest) {
    rest += pixels;
    const double whole = std::trunc(rest);
    rest -= whole;
    bar->setValue(bar->value() - truncateToInt(whole));
}

} // namespace

bool CViewInteraction::wheel(const QWheelEvent& event) {
    const QPoint delta = event.angleDelta();
    if (event.modifiers() & Qt::ControlModifier) {
        // One step per notch of 120; finer wheels add up to a notch first.
        m_wheelRest += delta.y() != 0 ? delta.y() : delta.x();
        const int steps = m_wheelRest / 120;
        m_wheelRest -= steps * 120;
        zoomAt(event.position().toPoint(), steps);
        return true;
    }
    // A touchpad or high-resolution wheel reports pixels; a notch of 120 is
    // the platform's lines of one single step each.
    QPointF pixels = event.pixelDelta();
    if (pixels.isNull())
        pixels = QPointF(delta) / 120.0 * QApplication::wheelScrollLines() *
                 m_view.verticalScrollBar()->singleStep();
    if (event.modifiers() & Qt::ShiftModifier)
        pixels = QPointF(pixels.y() != 0 ? pixels.y() : pixels.x(), 0);
    scrollBy(m_view.horizontalScrollBar(), pixels.x(), m_wheelPixelRest.rx());
    scrollBy(m_view.verticalScrollBar(), pixels.y(), m_wheelPixelRest.ry());
    return true;
}

bool CViewInteraction::pan(QEvent::Type type, const QMouseEvent& event) {
    if (type == QEvent::MouseButtonPress && event.button() == Qt::MiddleButton) {
        m_panning = true;
        m_panPointer = event.position().toPoint();
        m_panScroll = {m_view.horizontalScrollBar()->value(), m_view.verticalScrollBar()->value()};
        return true;
    }
    if (!m_panning)
        return false;
    if (type == QEvent::MouseButtonRelease && event.button() == Qt::MiddleButton) {
        m_panning = false;
        return true;
    }
    if (type != QEvent::MouseMove)
        return false;
    const QPoint moved = event.position().toPoint() - m_panPointer;
    m_view.horizontalScrollBar()->setValue(m_panScroll.x() - moved.x());
    m_view.verticalScrollBar()->setValue(m_panScroll.y() - moved.y());
    return true;
}
