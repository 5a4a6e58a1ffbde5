#pragma once
// Tools > Misfit statistics: a window beside the main one with the misfit
// figures, the histogram of normalised residuals against the standard
// normal curve, and a Copy button for the figures. It follows the data:
// every change that reaches the view schedules a recomputation.

#include "data/MisfitStatistics.h"

#include <QWidget>

class CTESKAdatDoc;
class QLabel;
class QPainter;

// Draws the histogram into `area`: 40 bins of 0.25 from -5 to 5 and the two
// end bins, beside them, for values beyond; the standard normal density
// scaled to the station count; axes with round tick values.
void paintResidualHistogram(QPainter& painter, const QRect& area, const MisfitStatistics& misfit);

class CResidualHistogram : public QWidget {
    Q_OBJECT
public:
    explicit CResidualHistogram(QWidget* parent = nullptr);
    void setStatistics(const MisfitStatistics& misfit);
    QSize sizeHint() const override { return {560, 320}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MisfitStatistics m_misfit;
};

// The top-left corner of a window whose frame is `size`, beside the frame
// `main` and inside `available`: right of it, else left, below or above,
// whichever covers the least of it.
QPoint placeBeside(const QRect& main, QSize size, const QRect& available);

class CMisfitWindow : public QWidget {
    Q_OBJECT
public:
    CMisfitWindow(const CTESKAdatDoc& doc, QWidget* parent);

    // Recomputes the figures soon (once, however many changes arrive first)
    // when the window is shown; a hidden window catches up when shown.
    void scheduleRefresh();
    // Recomputes the figures from the document now.
    void refresh();

    const MisfitStatistics& statistics() const { return m_misfit; }
    // The text the Copy button puts on the clipboard.
    QString figuresText() const;
    void copyFigures() const;

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void moveBesideMainWindow();

    const CTESKAdatDoc& m_doc;
    MisfitStatistics m_misfit;
    QLabel* m_figures;
    CResidualHistogram* m_histogram;
    bool m_refreshPending = false;
};
