#pragma once
// The view: a scrollable canvas with the main plot and an optional second
// plot, rebuilt from the document whenever it announces new data.

#include "Document.h"
#include "ValueRefresher.h"
#include "ViewState.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>

class CTESKAdatDoc;

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

    // Second-plot origin, canvas size and scroll range; fits the frame.
    void relayout();
    // Shows one of the map kinds Errors .. Elevation as the second plot.
    void showSecondKind(PlotKind kind);
    // A plain min/max scan of the second plot's values (the colour range's Reset).
    void rescanSecondRange();
    // Reloads the observed values (after noise or a constant was added).
    void refreshMainValues() override;
    // Reloads the errors when they are the second plot (after they changed).
    void refreshErrorValues() override;

    // Repaints the whole view.
    void invalidate() override;

    // Asked by relayout to fit the frame around a canvas of this many pixels.
    std::function<void(QSize canvas)> fitFrameToCanvas;

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateScrollRanges();
    void fillSecondValues(PlotKind kind);

    CTESKAdatDoc& m_doc;
};
