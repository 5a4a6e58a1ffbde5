// The view's paint: main plot, second plot or profile, titles; the canvas
// copy. (Being filled in.)

#include "CTESKAdatView.h"
#include "DeviceContext.h"

#include <QClipboard>
#include <QGuiApplication>

void CTESKAdatView::OnDraw(CDC&) {}
void CTESKAdatView::drawMapPlot(CDC&, const std::vector<double>&, double, double) {}
void CTESKAdatView::drawAxes(CDC&) {}
void CTESKAdatView::drawColourBar(CDC&, double, double) {}
void CTESKAdatView::drawProfile(CDC&) {}

QImage CTESKAdatView::renderCanvas() {
    QImage canvas(std::max(canvasWidth, 1), std::max(canvasHeight, 1), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    return canvas;
}

void CTESKAdatView::copyToClipboard() {
    QGuiApplication::clipboard()->setImage(renderCanvas());
}
