#pragma once
// The vector part of a picture: the text, lines and outlines that a device
// context hands over instead of rasterising them (see CDC::SetVectorLayer),
// in device pixels, in drawing order. Replayed onto a QPainter over the image
// that holds everything else, it gives an SVG or PDF picture whose text is
// real text and whose lines stay sharp at any zoom.

#include <QColor>
#include <QFont>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <variant>
#include <vector>

class QPainter;

class VectorLayer {
public:
    // A pen as the device context resolved it: width in pixels (1 for the
    // one-pixel pen), round ends for wider pens.
    struct Pen {
        QColor colour;
        double width = 1;
        Qt::PenStyle style = Qt::SolidLine;
        bool operator==(const Pen& other) const {
            return colour == other.colour && width == other.width && style == other.style;
        }
    };
    struct Polyline {
        Pen pen;
        QPolygonF points;
    };
    struct Outline {
        Pen pen;
        QRectF box;
    };
    // Text drawn at `offset` from `origin` after turning by `angle` degrees
    // (clockwise on the page), over `background` in `box` when opaque.
    struct Text {
        QPointF origin;
        double angle = 0;
        QPointF offset;
        QString text;
        QFont font;
        QColor colour;
        bool opaque = false;
        QColor background;
        QRectF box;
    };
    using Item = std::variant<Polyline, Outline, Text>;

    // A line of pixels from `from` to `to` (pixel indices, both ends as the
    // image would have them); joined to the previous line when it continues it.
    void addLine(QPointF from, QPointF to, const Pen& pen);
    void addOutline(const QRectF& pixelBox, const Pen& pen);
    void addText(Text text);
    // Appends every item of `other` moved by `offset` pixels.
    void append(const VectorLayer& other, QPointF offset);

    const std::vector<Item>& items() const { return m_items; }
    bool empty() const { return m_items.empty(); }

    // Draws every item in order; the painter's coordinates are image pixels.
    void replay(QPainter& painter) const;
    // The same with the lines in widths of the page: one-pixel pens
    // `thinWidth` wide, wider pens `wideWidth` (both in image pixels).
    void replay(QPainter& painter, double thinWidth, double wideWidth) const;

private:
    std::vector<Item> m_items;
};
