// Repaints of parts of the window: a scroll moves the picture and paints
// only the strip it exposes, with that strip as its clip box; the marks,
// circles and shaded triangles of any strip are those of the whole canvas.

#include "PaintFixture.h"
#include "plot/PlotLabels.h"

#include <QScrollBar>
#include <QTest>

namespace {

class StripPaint : public PaintFixture {
protected:
    void SetUp() override {
        // A jittered grid, so that strips cut through marks, circles and triangles.
        std::vector<double> x, y, data;
        unsigned state = 12345;
        const auto jitter = [&state] {
            state = state * 1103515245u + 12345u;
            return static_cast<double>((state >> 16) % 1000) / 100.0;
        };
        for (int row = 0; row < 30; ++row)
            for (int column = 0; column < 40; ++column) {
                x.push_back(column * 25.0 + jitter());
                y.push_back(row * 27.0 + jitter());
                data.push_back(column * 0.7 + row * 0.3 + jitter());
            }
        load(x, y, data);
        view.markedPoint = {roundPlot(view.stationX[500]), roundPlot(view.stationY[500])};
    }

    // The window's pixels of `area` painted by themselves, as a repaint of
    // that area paints them (the area is the clip box).
    QImage paintArea(QSize window, QRect area) {
        QImage image(window, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc(image);
        view.OnPrepareDC(dc);
        const CRect box(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        dc.SetPaintRect(&box);
        view.OnDraw(dc);
        return image;
    }

    // The picture `before` moved by (dx, dy), with the exposed strip painted by itself.
    QImage scrolled(const QImage& before, int dx, int dy) {
        const QRect all = before.rect();
        QImage expected(before.size(), QImage::Format_RGB32);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (all.contains(x - dx, y - dy))
                    expected.setPixel(x, y, before.pixel(x - dx, y - dy));
        const QRegion exposed = QRegion(all) - QRegion(all.translated(dx, dy));
        for (const QRect& strip : exposed) {
            const QImage painted = paintArea(before.size(), strip);
            for (int y = strip.top(); y <= strip.bottom(); ++y)
                for (int x = strip.left(); x <= strip.right(); ++x)
                    expected.setPixel(x, y, painted.pixel(x, y));
        }
        return expected;
    }
};

TEST_F(StripPaint, AScrollMovesThePictureAndPaintsOnlyTheExposedStrip) {
    view.resize(500, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QScrollBar* across = view.horizontalScrollBar();
    QScrollBar* down = view.verticalScrollBar();
    for (const PlotMethod method :
         {PlotMethod::Original, PlotMethod::GradientFill, PlotMethod::Circles}) {
        view.plotMethod = method;
        across->setValue(150);
        down->setValue(120);
        view.invalidate();
        view.viewport()->repaint();
        const struct {
            int across, down;
        } scrolls[] = {{37, 0}, {0, -23}, {-120, 0}, {0, 61}, {700, 0}};
        for (const auto& scroll : scrolls) {
            const QImage before = view.backBuffer().copy();
            const int dx = across->value(), dy = down->value();
            across->setValue(across->value() + scroll.across);
            down->setValue(down->value() + scroll.down);
            view.viewport()->repaint();
            const QImage expected = scrolled(before, dx - across->value(), dy - down->value());
            ASSERT_EQ(view.backBuffer(), expected)
                << "method " << int(method) << ", scroll " << scroll.across << "," << scroll.down;
        }
    }
}

TEST_F(StripPaint, StripsOfMarksCirclesAndTrianglesTileTheCanvas) {
    for (const PlotMethod method : {PlotMethod::GradientFill, PlotMethod::Circles}) {
        view.plotMethod = method;
        const QImage canvas = view.renderCanvas();
        for (const bool columns : {true, false}) {
            QImage tiled(canvas.size(), QImage::Format_RGB32);
            tiled.fill(Qt::white);
            const int length = columns ? canvas.width() : canvas.height();
            for (int start = 0; start < length; start += 97) {
                const QRect strip = columns ? QRect(start, 0, 97, canvas.height())
                                            : QRect(0, start, canvas.width(), 97);
                CDC dc(tiled);
                view.OnPrepareDC(dc);
                dc.SetViewportOrg(0, 0);
                const CRect box(strip.left(), strip.top(), strip.right() + 1, strip.bottom() + 1);
                dc.SetPaintRect(&box);
                view.OnDraw(dc);
            }
            ASSERT_EQ(tiled, canvas)
                << "method " << int(method) << (columns ? ", columns" : ", rows");
        }
    }
}

} // namespace
