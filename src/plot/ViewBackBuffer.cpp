// The view's window picture: the device mapping of every paint, and the
// back buffer that keeps the painted plots between paints. Invalidated
// areas are rendered into the back buffer (white first, then the plots
// clipped to the area); the window shows the back buffer.

#include "CTESKAdatView.h"
#include "DeviceContext.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

void CTESKAdatView::OnPrepareDC(CDC& dc) const {
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(roundHalfAway(canvasWidth / magnification),
                    roundHalfAway(canvasHeight / magnification));
    dc.SetWindowOrg(-200, -200);
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

void CTESKAdatView::scrollContentsBy(int, int) {
    invalidate();
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
