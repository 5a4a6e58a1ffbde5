// The view's window picture: the device mapping of every paint, and the
// back buffer that keeps the painted plots between paints. Invalidated
// areas are rendered into the back buffer (white first, then the plots
// clipped to the area); the window shows the back buffer.

#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"
#include "plot/PlotLayout.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cstdlib>
#include <cstring>

void CTESKAdatView::OnPrepareDC(CDC& dc) const {
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(roundHalfAway(canvasWidth / magnification),
                    roundHalfAway(canvasHeight / magnification));
    dc.SetWindowOrg(-plot_layout::kCanvasMargin, -plot_layout::kCanvasMargin);
    dc.SetViewportExt(canvasWidth, canvasHeight);
}

void CTESKAdatView::invalidate() {
    m_dirty = QRegion(viewport()->rect());
    viewport()->update();
}

void CTESKAdatView::invalidateRect(const QRect& area) {
    m_dirty += area;
    viewport()->update(area);
}

void CTESKAdatView::showBackBuffer(const QRect& area) {
    viewport()->update(area);
}

namespace {

// Moves the pixels of an RGB32 `image` by (dx, dy) within the image; what
// moves in from outside keeps its old pixels and must be painted again.
void shiftPixels(QImage& image, int dx, int dy) {
    const int rowPixels = image.width() - std::abs(dx);
    const int rows = image.height() - std::abs(dy);
    if (rowPixels <= 0 || rows <= 0)
        return;
    uchar* bits = image.bits(); // detaches a shared image once, before any pointer is taken
    const qsizetype stride = image.bytesPerLine();
    const size_t bytes = static_cast<size_t>(rowPixels) * sizeof(QRgb);
    const int fromX = std::max(-dx, 0), toX = std::max(dx, 0);
    const auto moveRow = [&](int to) {
        std::memmove(bits + to * stride + toX * sizeof(QRgb),
                     bits + (to - dy) * stride + fromX * sizeof(QRgb), bytes);
    };
    // Rows move towards the bottom from the last one, towards the top from the first.
    if (dy > 0)
        for (int y = image.height() - 1; y >= dy; --y)
            moveRow(y);
    else
        for (int y = 0; y < rows; ++y)
            moveRow(y);
}

} // namespace

// A scroll moves the picture and paints only the strip it exposes, as a
// scrolling window does: the strip is painted with its own clip box.
void CTESKAdatView::scrollContentsBy(int dx, int dy) {
    if (m_backBuffer.isNull() || m_backBuffer.size() != viewport()->size()) {
        invalidate();
        return;
    }
    const QRect all = m_backBuffer.rect();
    shiftPixels(m_backBuffer, dx, dy);
    m_dirty.translate(dx, dy);
    m_dirty += QRegion(all) - QRegion(all.translated(dx, dy));
    viewport()->scroll(dx, dy);
}

void CTESKAdatView::renderDirtyArea() {
    const QRegion dirty = m_dirty & m_backBuffer.rect();
    m_dirty = QRegion();
    if (dirty.isEmpty())
        return;
    {
        QPainter eraser(&m_backBuffer);
        for (const QRect& area : dirty)
            eraser.fillRect(area, Qt::white);
    }
    CDC dc(m_backBuffer);
    OnPrepareDC(dc);
    for (const QRect& area : dirty) {
        const CRect box(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        dc.SetPaintRect(&box);
        OnDraw(dc);
    }
}

void CTESKAdatView::paintEvent(QPaintEvent* event) {
    const QSize size = viewport()->size();
    if (m_backBuffer.size() != size) {
        m_backBuffer = QImage(size, QImage::Format_RGB32);
        m_dirty = QRegion(m_backBuffer.rect());
    }
    if (m_backBuffer.isNull())
        return;
    renderDirtyArea();
    QPainter painter(viewport());
    painter.drawImage(event->rect(), m_backBuffer, event->rect());
}
