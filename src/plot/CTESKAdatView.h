#pragma once
// The view: a scrollable canvas with the main plot and an optional second
// plot, rebuilt from the document whenever it announces new data.

#include "data/ValueRefresher.h"
#include "platform/Document.h"
#include "plot/PictureHistory.h"
#include "plot/ViewState.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>
#include <QSizeF>
#include <functional>
#include <vector>

class CDC;
class CTESKAdatDoc;
struct ProfileTrace;
class VectorLayer;
struct AxisLabel;

class CTESKAdatView : public QAbstractScrollArea,
                      public CView,
                      public ViewState,
                      public StationArrays,
                      public ValueRefresher {
    Q_OBJECT
public:
    explicit CTESKAdatView(CTESKAdatDoc& doc, QWidget* parent = nullptr);
    ~CTESKAdatView() override;

    CTESKAdatDoc& document() const { return m_doc; }

    // The document's notification: HintNewData resets region, labels and
    // colour range; HintStationsChanged keeps region and labels.
    void OnUpdate(CView* sender, long hint, void* hintObject) override;

    // Recomputes plotScale, plotWidth and plotHeight from the region.
    void recomputeScale();
    // Converts and triangulates the stations with the wait cursor shown.
    bool triangulate();
    // Shows the region x1..x2, y1..y2 (metres) with a new scale and
    // triangulation, without a second plot. When the stations cannot be
    // triangulated in it (the message is shown), the previous region stays;
    // false then.
    bool showRegion(double x1, double x2, double y1, double y2);

    // Second-plot origin, canvas size and scroll range; fits the frame.
    void relayout();
    // Second-plot origin and canvas size only, from the region and magnification.
    void computeLayout();
    // The canvas in pixels before rounding, however large.
    QSizeF exactCanvasSize() const;
    // Shows one of the map kinds Errors .. Elevation as the second plot.
    void showSecondKind(PlotKind kind);
    // True while a difference plot is shown in the diverging colours.
    bool usesDivergingColours() const;
    // A plain min/max scan of the second plot's values (the colour range's Reset).
    void rescanSecondRange();
    // Reloads the observed values (after noise or a constant was added),
    // and a difference second plot with its range.
    void refreshMainValues() override;
    // Reloads the errors or the normalised difference, with its range, when
    // it is the second plot (after the errors changed).
    void refreshErrorValues() override;

    // Edit > Undo and Redo: the document's step, then the picture the view
    // showed on the other side of it. False when there was nothing to cross.
    bool undo();
    bool redo();

    // Repaints the whole view.
    void invalidate() override;
    // Repaints one rectangle of the window (client pixels) from the state.
    void invalidateRect(const QRect& area);

    // Sets the logical mapping of every paint: plot unit p lands at pixel
    // (p + 200) * magnification, less the scroll position.
    void OnPrepareDC(CDC& dc) const;
    // Paints the plots into a prepared device context.
    void OnDraw(CDC& dc);
    // Paints one map plot (fill, station marks, highlight, axes, colour bar).
    void drawMapPlot(CDC& dc, const std::vector<double>& values, double min, double max);
    // The axes, tick labels and axis labels of a map plot.
    void drawAxes(CDC& dc);
    void drawEastingAxis(CDC& dc);
    void drawNorthingTicks(CDC& dc, const std::vector<AxisLabel>& labels);
    void drawNorthingTicksAlongAxis(CDC& dc, const std::vector<AxisLabel>& labels);
    void drawNorthingEnds(CDC& dc, const std::vector<AxisLabel>& labels);
    void drawColourBar(CDC& dc, double max, double min);
    std::vector<AxisLabel> fittedColourBarLabels(CDC& dc, double min, double max, int& power);
    // With round ticks: a thin frame around a map plot, the colour bar's
    // outline, its title, and triangles at the ends beyond which values lie.
    void drawMapFrame(CDC& dc);
    void drawColourBarFurniture(CDC& dc, int power);
    // On the main map when asked for: contour lines with labels at round
    // values, a scale bar, a north arrow.
    void drawMapFurniture(CDC& dc, const std::vector<double>& values);
    // The second map plot, in the diverging colours when they apply.
    void drawSecondMapPlot(CDC& dc);
    // The second plot for PlotKind::Profile; with round ticks a chart.
    void drawProfile(CDC& dc);
    void drawProfileChart(CDC& dc);
    // The length of the profile line in device pixels, as the paint sees it
    // (the samples are 4 pixels apart).
    int profileLengthPixels() const;
    // The whole canvas at the current magnification on white, as copied and
    // rendered; with a vector layer, text and lines go there instead (see CDC).
    QImage renderCanvas(VectorLayer* vectors = nullptr);
    // Edit > Copy: the whole canvas onto the clipboard.
    void copyToClipboard();

    // The picture on the window, kept between paints. Drawing done between
    // paints (rubber band, station mark) goes into it, followed by
    // showBackBuffer of the touched rectangle.
    QImage& backBuffer() { return m_backBuffer; }
    // Shows a rectangle of the back buffer on the window without repainting the plots.
    void showBackBuffer(const QRect& area);

    // Asked by relayout to fit the frame around a canvas of this many pixels.
    std::function<void(QSize canvas)> fitFrameToCanvas;
    // False while relayout should leave the frame as it is (a zoom about the pointer).
    void setFrameFollowsCanvas(bool follows) { m_frameFollowsCanvas = follows; }
    // Asked by Esc first: true when it ended a mouse gesture instead.
    std::function<bool()> cancelGesture;

signals:
    // The document's stations or values changed (new data, stations
    // removed, values changed in place): for windows that show figures of
    // the data. Emitted after the view has taken the change.
    void dataChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollRanges();
    void takeUpdate(long hint);
    void fillSecondValues(PlotKind kind);
    void centreSecondRangeOnZero();
    void drawProfileWithPredicted(CDC& dc, const ProfileTrace& trace, int lengthPixels);
    void renderDirtyArea();
    void showPicture(const PictureState& picture);

    CTESKAdatDoc& m_doc;
    QImage m_backBuffer;
    QRegion m_dirty;                     // parts of the back buffer that must be painted again
    bool m_zeroCentredColourBar = false; // the colour bar being drawn is symmetric about 0
    bool m_frameFollowsCanvas = true;
    PictureHistory m_pictures;
    PlotKind m_colourBarKind = PlotKind::None; // the plot whose bar is drawn (None: the main one)
    bool m_valuesBelow = false, m_valuesAbove = false; // values beyond the bar's range
};
