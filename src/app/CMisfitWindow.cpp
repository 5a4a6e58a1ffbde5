#include "app/CMisfitWindow.h"

#include "data/CTESKAdatDoc.h"
#include "platform/MessageBox.h"
#include "plot/RoundTicks.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

// The histogram's x axis: the inner bins, a gap of one bin, then an end bin.
constexpr double kEndBinOffset = kResidualBinWidth;
constexpr double kAxisEnd = kResidualLimit + kEndBinOffset + kResidualBinWidth;

// Maps residuals and counts onto the plot rectangle.
struct HistogramFrame {
    QRectF plot;
    double countTop = 1;

    double xOf(double residual) const {
        return plot.left() + (residual + kAxisEnd) / (2 * kAxisEnd) * plot.width();
    }
    double yOf(double count) const { return plot.bottom() - count / countTop * plot.height(); }
};

void drawBar(QPainter& painter, const HistogramFrame& frame, double from, int count) {
    if (count <= 0)
        return;
    const QRectF bar(QPointF(frame.xOf(from), frame.yOf(count)),
                     QPointF(frame.xOf(from + kResidualBinWidth), frame.yOf(0)));
    painter.drawRect(bar);
}

void drawBars(QPainter& painter, const HistogramFrame& frame, const MisfitStatistics& misfit) {
    painter.setPen(QPen(QColor(40, 60, 110), 1));
    painter.setBrush(QColor(120, 150, 210));
    for (int k = 0; k < kResidualBins; ++k)
        drawBar(painter, frame, -kResidualLimit + k * kResidualBinWidth, misfit.bins[size_t(k)]);
    painter.setBrush(QColor(200, 140, 60));
    drawBar(painter, frame, -kAxisEnd, misfit.below);
    drawBar(painter, frame, kResidualLimit + kEndBinOffset, misfit.above);
}

// The density of the standard normal distribution times the count per bin.
void drawNormalCurve(QPainter& painter, const HistogramFrame& frame, int stations) {
    if (stations <= 0)
        return;
    const double scale = stations * kResidualBinWidth / std::sqrt(2 * kPi);
    QPainterPath curve;
    constexpr int kPoints = 200;
    for (int i = 0; i <= kPoints; ++i) {
        const double z = -kResidualLimit + 2 * kResidualLimit * i / kPoints;
        const QPointF point(frame.xOf(z), frame.yOf(scale * std::exp(-0.5 * z * z)));
        if (i == 0)
            curve.moveTo(point);
        else
            curve.lineTo(point);
    }
    painter.setPen(QPen(QColor(200, 30, 30), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(curve);
}

void drawAxes(QPainter& painter, const HistogramFrame& frame, const RoundTicks& countTicks) {
    painter.setPen(Qt::black);
    const QRectF& plot = frame.plot;
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    const int textHeight = painter.fontMetrics().height();
    const RoundTicks residualTicks = chooseRoundTicks(-kResidualLimit, kResidualLimit, 10);
    for (const double r : residualTicks.values) {
        const double x = frame.xOf(r);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 4));
        painter.drawText(QRectF(x - 30, plot.bottom() + 5, 60, textHeight), Qt::AlignCenter,
                         QString::fromStdString(formatRoundTick(r, residualTicks.step)));
    }
    const double endRow = plot.bottom() + 5 + textHeight;
    const double endWidth = frame.xOf(kAxisEnd) - frame.xOf(kAxisEnd - kResidualBinWidth);
    painter.drawText(QRectF(frame.xOf(-kAxisEnd) - 20, endRow, endWidth + 40, textHeight),
                     Qt::AlignCenter, QStringLiteral("< -5"));
    painter.drawText(QRectF(frame.xOf(kAxisEnd) - endWidth - 20, endRow, endWidth + 40, textHeight),
                     Qt::AlignCenter, QStringLiteral("> 5"));
    painter.drawText(QRectF(plot.left(), endRow + textHeight, plot.width(), textHeight),
                     Qt::AlignCenter, QStringLiteral("(data - predicted) / error"));
    painter.save();
    painter.translate(plot.left() - 58 - textHeight / 2.0, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, -textHeight / 2.0, plot.height(), textHeight),
                     Qt::AlignCenter, QStringLiteral("stations"));
    painter.restore();
    for (const double count : countTicks.values) {
        const double y = frame.yOf(count);
        painter.drawLine(QPointF(plot.left() - 4, y), QPointF(plot.left(), y));
        painter.drawText(QRectF(plot.left() - 66, y - textHeight / 2.0, 60, textHeight),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(formatRoundTick(count, countTicks.step)));
    }
}

int largestBin(const MisfitStatistics& misfit) {
    int largest = std::max(misfit.below, misfit.above);
    for (const int count : misfit.bins)
        largest = std::max(largest, count);
    return largest;
}

} // namespace

void paintResidualHistogram(QPainter& painter, const QRect& area, const MisfitStatistics& misfit) {
    painter.fillRect(area, Qt::white);
    const int textHeight = painter.fontMetrics().height();
    HistogramFrame frame;
    frame.plot = QRectF(area.left() + 60 + textHeight, area.top() + 12,
                        area.width() - 80 - textHeight, area.height() - 24 - 3 * textHeight);
    const double normalPeak = misfit.stations * kResidualBinWidth / std::sqrt(2 * kPi);
    const double highest = std::max({1.0, double(largestBin(misfit)), normalPeak});
    const RoundTicks countTicks = chooseRoundTicks(0, highest, 5);
    // The top is the first round value at or above the highest bar or curve.
    frame.countTop = highest;
    if (countTicks.step > 0)
        frame.countTop = std::ceil(highest / countTicks.step) * countTicks.step;
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawBars(painter, frame, misfit);
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawNormalCurve(painter, frame, misfit.stations);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawAxes(painter, frame, chooseRoundTicks(0, frame.countTop, 5));
}

CResidualHistogram::CResidualHistogram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(360, 220);
}

void CResidualHistogram::setStatistics(const MisfitStatistics& misfit) {
    m_misfit = misfit;
    update();
}

void CResidualHistogram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintResidualHistogram(painter, rect(), m_misfit);
}

CMisfitWindow::CMisfitWindow(const CTESKAdatDoc& doc, QWidget* parent)
    : QWidget(parent, Qt::Window), m_doc(doc), m_figures(new QLabel(this)),
      m_histogram(new CResidualHistogram(this)) {
    setWindowTitle(QStringLiteral("Misfit statistics - ") + QString::fromUtf8(platform::kAppTitle));
    m_figures->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_figures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* copy = new QPushButton(QStringLiteral("Copy"), this);
    connect(copy, &QPushButton::clicked, this, &CMisfitWindow::copyFigures);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_figures);
    layout->addWidget(m_histogram, 1);
    layout->addLayout(buttons);
}

QPoint placeBeside(const QRect& main, QSize size, const QRect& available) {
    const auto inside = [&](QPoint at) {
        const int x = std::min(at.x(), available.right() + 1 - size.width());
        const int y = std::min(at.y(), available.bottom() + 1 - size.height());
        return QPoint(std::max(x, available.left()), std::max(y, available.top()));
    };
    // Right, left, below, above: the first that covers the least of the main window.
    const QPoint sides[] = {{main.right() + 1, main.top()},
                            {main.left() - size.width(), main.top()},
                            {main.left(), main.bottom() + 1},
                            {main.left(), main.top() - size.height()}};
    QPoint best;
    long long leastCovered = -1;
    for (const QPoint& side : sides) {
        const QPoint at = inside(side);
        const QRect covered = QRect(at, size) & main;
        const long long area = covered.isEmpty() ? 0 : 1LL * covered.width() * covered.height();
        if (leastCovered < 0 || area < leastCovered) {
            best = at;
            leastCovered = area;
        }
    }
    return best;
}

void CMisfitWindow::moveBesideMainWindow() {
    const QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : nullptr;
    if (!screen)
        return;
    if (!testAttribute(Qt::WA_Resized))
        adjustSize();
    // This window is not decorated yet: the main window's decoration stands in.
    const QWindow* decorated = main->windowHandle();
    const QMargins margins = decorated ? decorated->frameMargins() : QMargins();
    move(placeBeside(main->frameGeometry(), size().grownBy(margins), screen->availableGeometry()));
}

void CMisfitWindow::scheduleRefresh() {
    if (!isVisible() || m_refreshPending)
        return;
    m_refreshPending = true;
    QTimer::singleShot(0, this, [this] { refresh(); });
}

void CMisfitWindow::refresh() {
    m_refreshPending = false;
    m_misfit = computeMisfit(m_doc);
    m_figures->setText(figuresText().trimmed());
    m_histogram->setStatistics(m_misfit);
}

QString CMisfitWindow::figuresText() const {
    if (!m_doc.hasPredicted || m_doc.count <= 0)
        return QStringLiteral("No predicted data.\n");
    return QString::fromStdString(misfitSummaryText(m_misfit));
}

void CMisfitWindow::copyFigures() const {
    QGuiApplication::clipboard()->setText(figuresText());
}

void CMisfitWindow::setVisible(bool visible) {
    // A hidden window that is shown first moves beside the main window
    // (while it is hidden, a position is that of its frame).
    if (visible && !isVisible())
        moveBesideMainWindow();
    QWidget::setVisible(visible);
}

void CMisfitWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}
