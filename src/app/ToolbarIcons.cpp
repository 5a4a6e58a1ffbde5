#include "app/ToolbarIcons.h"

#include "platform/Resource.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr QSize kButton(16, 15);
const QColor kFace(0xC0, 0xC0, 0xC0);
const QColor kInk(0x20, 0x20, 0x20);

QPen ink(double width = 1.2) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawSheets(QPainter& p) {
    p.setPen(ink(1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 8, 9));
    p.drawRect(QRectF(5.5, 4.5, 8, 9));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(7.5, y), QPointF(11.5, y));
}

void drawInformation(QPainter& p) {
    p.setPen(ink(1.2));
    p.setBrush(QColor(0x30, 0x60, 0xC0));
    p.drawEllipse(QPointF(8, 7.5), 6.5, 6.5);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPoint(QPointF(8, 4.2));
    p.drawLine(QPointF(8, 6.8), QPointF(8, 11));
}

void drawLens(QPainter& p, bool plus) {
    p.setPen(ink(1.3));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(6.5, 6.5), 4.8, 4.8);
    p.setPen(ink(2.2));
    p.drawLine(QPointF(10, 10), QPointF(14, 14));
    p.setPen(ink(1.2));
    p.drawLine(QPointF(4.3, 6.5), QPointF(8.7, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4.3), QPointF(6.5, 8.7));
}

void drawLocations(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (QPointF dot : {QPointF(3.5, 3.5), QPointF(11.5, 4.5), QPointF(6.5, 9.5),
                        QPointF(12.5, 11.5), QPointF(3, 12.5), QPointF(8.5, 2.5)})
        p.drawEllipse(dot, 1.2, 1.2);
}

void drawErrorBars(QPainter& p) {
    p.setPen(ink(1));
    const struct { double x, y, half; } bars[] = {{3.5, 9, 3}, {8, 6, 4.5}, {12.5, 8, 2.5}};
    for (const auto& bar : bars) {
        p.drawLine(QPointF(bar.x, bar.y - bar.half), QPointF(bar.x, bar.y + bar.half));
        p.drawLine(QPointF(bar.x - 1.5, bar.y - bar.half), QPointF(bar.x + 1.5, bar.y - bar.half));
        p.drawLine(QPointF(bar.x - 1.5, bar.y + bar.half), QPointF(bar.x + 1.5, bar.y + bar.half));
    }
    p.setBrush(QColor(0xC0, 0x20, 0x20));
    p.setPen(Qt::NoPen);
    for (const auto& bar : bars)
        p.drawEllipse(QPointF(bar.x, bar.y), 1.4, 1.4);
}

void drawPredictedCurve(QPainter& p) {
    QPainterPath curve(QPointF(1.5, 11));
    curve.cubicTo(QPointF(5, 11), QPointF(5.5, 2.5), QPointF(8, 2.5));
    curve.cubicTo(QPointF(10.5, 2.5), QPointF(11, 11), QPointF(14.5, 11));
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(curve);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (QPointF dot :
         {QPointF(3, 10.5), QPointF(6, 6), QPointF(8.5, 3.5), QPointF(11, 7.5), QPointF(13.5, 10)})
        p.drawEllipse(dot, 1, 1);
}

void drawDelta(QPainter& p, bool normalised) {
    const double bottom = normalised ? 9.5 : 13;
    QPainterPath delta(QPointF(8, 1.5));
    delta.lineTo(QPointF(normalised ? 13 : 14, bottom));
    delta.lineTo(QPointF(normalised ? 3 : 2, bottom));
    delta.closeSubpath();
    p.setPen(ink(1.3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(delta);
    if (normalised) { // over a fraction bar and the error's σ-like circle
        p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
        p.setPen(ink(1));
        p.drawEllipse(QPointF(8, 13.4), 1.3, 1.1);
    }
}

void drawMountain(QPainter& p) {
    QPainterPath ridge(QPointF(1, 13.5));
    ridge.lineTo(QPointF(6, 4));
    ridge.lineTo(QPointF(8.5, 8));
    ridge.lineTo(QPointF(11, 5.5));
    ridge.lineTo(QPointF(15, 13.5));
    ridge.closeSubpath();
    p.setPen(ink(1));
    p.setBrush(QColor(0x70, 0x90, 0x50));
    p.drawPath(ridge);
    QPainterPath snow(QPointF(6, 4));
    snow.lineTo(QPointF(7.4, 6.6));
    snow.lineTo(QPointF(4.6, 6.6));
    snow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(snow);
}

void drawPictogram(QPainter& p, int commandId) {
    switch (commandId) {
    case ID_EDIT_COPY:
        return drawSheets(p);
    case ID_APP_ABOUT:
        return drawInformation(p);
    case ID_VIEW_MAGNIFY:
        return drawLens(p, true);
    case ID_VIEW_SHRINK:
        return drawLens(p, false);
    case ID_VIEW_LOCATIONS:
        return drawLocations(p);
    case ID_VIEW_ERRORS:
        return drawErrorBars(p);
    case ID_VIEW_PREDICTED:
        return drawPredictedCurve(p);
    case ID_VIEW_DIFFERENCE_NORMALIZED:
        return drawDelta(p, true);
    case ID_VIEW_DIFFERENCE:
        return drawDelta(p, false);
    case ID_VIEW_ELEVATION:
        return drawMountain(p);
    default:
        return;
    }
}

QPixmap pictogramAt(int commandId, int scale) {
    QPixmap image(kButton * scale);
    image.setDevicePixelRatio(scale);
    image.fill(kFace);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    drawPictogram(painter, commandId);
    return image;
}

} // namespace

QIcon toolbarIcon(int commandId) {
    QIcon icon;
    for (int scale : {1, 2})
        icon.addPixmap(pictogramAt(commandId, scale));
    return icon;
}
