#include "platform/VectorLayer.h"

#include <QFontInfo>
#include <QPainter>
#include <QPen>

namespace {

// Pixel (x, y) of the image covers the square from (x, y) to (x + 1, y + 1);
// a vector line through the middle of the pixels lands where the image has it.
QPointF pixelCentre(QPointF p) {
    return p + QPointF(0.5, 0.5);
}

// Line widths of the replay: 0 keeps each pen's own.
struct LineWidths {
    double thin = 0, wide = 0;
};

QPen qtPen(const VectorLayer::Pen& pen, LineWidths widths = {}) {
    const bool wide = pen.width > 1;
    const double chosen = wide ? widths.wide : widths.thin;
    QPen result(pen.colour, chosen > 0 ? chosen : pen.width, pen.style);
    result.setCapStyle(wide ? Qt::RoundCap : Qt::FlatCap);
    result.setJoinStyle(wide ? Qt::RoundJoin : Qt::MiterJoin);
    return result;
}

struct Replay {
    QPainter& painter;
    LineWidths widths;

    void operator()(const VectorLayer::Polyline& line) const {
        painter.setPen(qtPen(line.pen, widths));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line.points);
    }
    void operator()(const VectorLayer::Outline& outline) const {
        painter.setPen(qtPen(outline.pen, widths));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(outline.box);
    }
    void operator()(const VectorLayer::Text& text) const {
        painter.save();
        painter.translate(text.origin);
        if (text.angle != 0)
            painter.rotate(text.angle);
        if (text.opaque)
            painter.fillRect(text.box, text.background);
        painter.setFont(text.font);
        painter.setPen(text.colour);
        painter.drawText(text.offset, text.text);
        painter.restore();
    }
};

} // namespace

void VectorLayer::addLine(QPointF from, QPointF to, const Pen& pen) {
    const QPointF start = pixelCentre(from), end = pixelCentre(to);
    if (!m_items.empty())
        if (auto* last = std::get_if<Polyline>(&m_items.back()))
            if (last->pen == pen && last->points.back() == start) {
                last->points.append(end);
                return;
            }
    m_items.emplace_back(Polyline{pen, QPolygonF({start, end})});
}

void VectorLayer::addOutline(const QRectF& pixelBox, const Pen& pen) {
    m_items.emplace_back(Outline{pen, pixelBox.translated(0.5, 0.5)});
}

void VectorLayer::addText(Text text) {
    // Name the face the text was measured with, not the generic alias, so
    // that viewers of the file pick the same font.
    text.font.setFamily(QFontInfo(text.font).family());
    m_items.emplace_back(std::move(text));
}

void VectorLayer::append(const VectorLayer& other, QPointF offset) {
    for (Item item : other.m_items) {
        if (auto* line = std::get_if<Polyline>(&item))
            line->points.translate(offset);
        else if (auto* outline = std::get_if<Outline>(&item))
            outline->box.translate(offset);
        else if (auto* text = std::get_if<Text>(&item))
            text->origin += offset;
        m_items.push_back(std::move(item));
    }
}

void VectorLayer::replay(QPainter& painter) const {
    replay(painter, 0, 0);
}

void VectorLayer::replay(QPainter& painter, double thinWidth, double wideWidth) const {
    const Replay replay{painter, {thinWidth, wideWidth}};
    for (const Item& item : m_items)
        std::visit(replay, item);
}
