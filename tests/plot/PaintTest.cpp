// The pictures of the map plots: fills, marks, colour bar, canvas size,
// clipboard copy and the window's back buffer.

#include "PaintFixture.h"
#include "platform/DeviceContext.h"
#include "plot/CanvasLimits.h"
#include "plot/PlotLabels.h"
#include "triangulation/SecondHalf.h"
#include "triangulation/Triangulation.h"

#include <QClipboard>
#include <QFontInfo>
#include <QGuiApplication>
#include <QTest>
#include <cmath>

namespace {

// A right triangle of stations filling the lower-left half of a 1000 m
// square, with values rising to the north-east, and some inside.
class TriangleMap : public PaintFixture {
protected:
    void SetUp() override {
        load({0, 1000, 0, 300, 200, 600}, {0, 0, 1000, 300, 600, 200}, {0, 10, 20, 7, 15, 9});
    }

    // The colour of the "original" fill's cell that holds canvas pixel
    // (px, py): cells are 5 by 5 pixels starting 3 pixels before the plot
    // rectangle's margin; each takes the colour of the value at its centre.
    QRgb expectedCellColour(int px, int py) {
        const int x0 = -4 + 200, y0 = -4 + 200;
        const int cx = x0 + 2 + 5 * ((px - (x0 - 3)) / 5);
        const int cy = y0 + 2 + 5 * ((py - (y0 - 3)) / 5);
        const int centreX = ((cx - 5 - 200) + (cx - 200)) / 2;
        const int centreY = ((cy - 5 - 200) + (cy - 200)) / 2;
        int32_t start = 1;
        double value = 0;
        const int result = interpolateLinear(
            view.nodeCount(), centreX, centreY, view.stationX.data(), view.stationY.data(),
            view.mainValues.data(), view.adjacency.data(), view.adjacencyEnd.data(), start, value);
        if (result != Interpolated)
            return kWhite;
        return rgbOf(view.colourTable[colourIndexFor(value, view.mainMin, view.mainMax)]);
    }
};

TEST_F(TriangleMap, OriginalFillColoursCellsInsideTheHullOnly) {
    view.showLocations = false;
    const QImage canvas = view.renderCanvas();
    int checked = 0, painted = 0;
    for (int py = 210; py < 1190; py += 37)
        for (int px = 210; px < 1190; px += 41) {
            const QRgb expected = expectedCellColour(px, py);
            EXPECT_EQ(canvas.pixel(px, py) & 0xFFFFFFu, expected) << px << "," << py;
            ++checked;
            painted += expected != kWhite;
        }
    EXPECT_GT(painted, checked / 3);
    EXPECT_LT(painted, checked * 2 / 3) << "the north-east half lies outside the hull";
    EXPECT_EQ(rgbAt(canvas, 900, 100), kWhite);
}

TEST_F(TriangleMap, StationMarksAndTheHighlight) {
    const QImage plain = view.renderCanvas();
    // Stations at plot (300, 700) and on the plot's corners (0, 1000), (1000, 1000), (0, 0).
    EXPECT_EQ(rgbAt(plain, 300, 700), kBlack);
    EXPECT_EQ(rgbAt(plain, 0, 1000), kBlack);
    EXPECT_EQ(rgbAt(plain, 1000, 1000), kBlack);
    EXPECT_EQ(rgbAt(plain, 0, 0), kBlack);

    view.markedPoint = {300, 700};
    const QImage marked = view.renderCanvas();
    for (const auto& [x, y] :
         {std::pair{296, 696}, {303, 703}, {300, 700}, {295, 700}, {304, 700}}) {
        const bool inside = x >= 296 && x < 304 && y >= 696 && y < 704;
        const QRgb before = rgbAt(plain, x, y);
        EXPECT_EQ(rgbAt(marked, x, y), inside ? (~before & 0xFFFFFFu) : before) << x << "," << y;
    }

    view.showLocations = false;
    view.markedPoint = {-1, -1};
    EXPECT_NE(rgbAt(view.renderCanvas(), 300, 700), kBlack);
}

// Enough stations for the marks (and the fill) to be shared between two
// threads: one thread and two paint the same canvas, the pixels that the
// marks change are exactly the stations' own pixels, and every one of them
// is black.
TEST_F(PaintFixture, EveryStationOfALargeSurveyMarksItsOwnPixel) {
    std::vector<double> x, y, data;
    for (int i = 0; i < 640; ++i)
        for (int j = 0; j < 440; ++j) {
            x.push_back(1.5 * i + 0.01 * (j % 7));
            y.push_back(2.2 * j + 0.013 * (i % 5));
            data.push_back(std::sin(0.01 * i) + std::cos(0.013 * j));
        }
    load(x, y, data);
    ASSERT_GE(view.nodeCount(), 1 << 18);
    const int machineThreads = splitThreads();
    setSplitThreads(1);
    view.showLocations = true;
    const QImage oneThread = view.renderCanvas();
    setSplitThreads(2);
    view.showLocations = false;
    const QImage plain = view.renderCanvas();
    view.showLocations = true;
    const QImage marked = view.renderCanvas();
    setSplitThreads(machineThreads);
    EXPECT_TRUE(oneThread == marked);
    ASSERT_EQ(plain.size(), marked.size());

    QImage expected = plain;
    for (int node = 0; node < view.nodeCount(); ++node) {
        const int px = roundPlot(view.stationX[node]) + 200,
                  py = roundPlot(view.stationY[node]) + 200;
        ASSERT_TRUE(expected.rect().contains(px, py)) << node;
        expected.setPixel(px, py, qRgb(0, 0, 0));
    }
    int differing = 0;
    for (int py = 0; py < expected.height(); ++py)
        for (int px = 0; px < expected.width(); ++px)
            differing += (expected.pixel(px, py) & 0xFFFFFFu) != (marked.pixel(px, py) & 0xFFFFFFu);
    EXPECT_EQ(differing, 0);
}

TEST_F(TriangleMap, CirclesAreAndedIntoTheBackground) {
    load({0, 1000, 0, 500, 504}, {0, 0, 1000, 500, 500}, {5, 5, 5, 0, 10});
    view.plotMethod = PlotMethod::Circles;
    const QImage canvas = view.renderCanvas();
    const QRgb low = rgbOf(view.colourTable[0]), high = rgbOf(view.colourTable[60]);
    EXPECT_EQ(rgbAt(canvas, 496, 500), low);
    EXPECT_EQ(rgbAt(canvas, 508, 500), high);
    EXPECT_EQ(rgbAt(canvas, 502, 500), low & high) << "overlapping discs combine bitwise";
    EXPECT_EQ(rgbAt(canvas, 515, 500), kWhite) << "6 pixels of radius";
    EXPECT_EQ(rgbAt(canvas, 0, 1000), rgbOf(view.colourTable[30])) << "a disc on the border";
    EXPECT_EQ(rgbAt(canvas, 300, 300), kWhite) << "no fill between the stations";
}

TEST_F(PaintFixture, ShadedTrianglesStopFourUnitsBeyondThePlot) {
    // Stations on a 2000 m square; the region is its middle 500 m, so the
    // triangles reach far beyond the plot.
    load({0, 2000, 0, 2000, 1000}, {0, 0, 2000, 2000, 1000}, {0, 10, 20, 30, 15});
    view.regionXMin = 750;
    view.regionXMax = 1250;
    view.regionYMin = 750;
    view.regionYMax = 1250;
    view.recomputeScale();
    ASSERT_TRUE(view.triangulate());
    view.relayout();
    view.plotMethod = PlotMethod::GradientFill;
    view.showLocations = false;
    const QImage canvas = view.renderCanvas();
    for (int along : {100, 500, 900}) {
        EXPECT_NE(rgbAt(canvas, 1003, along), kWhite);
        EXPECT_EQ(rgbAt(canvas, 1004, along), kWhite);
        EXPECT_NE(rgbAt(canvas, -4, along), kWhite);
        EXPECT_EQ(rgbAt(canvas, -5, along), kWhite);
        EXPECT_NE(rgbAt(canvas, along, -4), kWhite);
        EXPECT_EQ(rgbAt(canvas, along, -5), kWhite);
        EXPECT_NE(rgbAt(canvas, along, 1003), kWhite);
        EXPECT_EQ(rgbAt(canvas, along, 1004), kWhite);
    }
    // The centre station's own pixel shows exactly its colour.
    EXPECT_EQ(rgbAt(canvas, 500, 500), rgbOf(view.colourTable[30]));
}

TEST_F(TriangleMap, ColourBarStripsLabelsAndTicks) {
    const QImage canvas = view.renderCanvas();
    const double step = 1000.0 / 61;
    for (int f = 0; f <= 60; ++f) {
        const int y = static_cast<int>(1000 - step * (f + 0.5));
        EXPECT_EQ(rgbAt(canvas, 1175, y), rgbOf(view.colourTable[f])) << "strip " << f;
    }
    EXPECT_EQ(rgbAt(canvas, 1160, 1000), rgbOf(view.colourTable[0])) << "bottom edge";
    EXPECT_EQ(rgbAt(canvas, 1189, 0), rgbOf(view.colourTable[60])) << "top edge";
    EXPECT_EQ(rgbAt(canvas, 1190, 510), kWhite) << "30 units wide";
    EXPECT_EQ(rgbAt(canvas, 1159, 510), kWhite);
    // The ticks run from the bar's right edge to 10 units beyond it.
    for (const AxisLabel& label : colourBarLabels(view.mainMin, view.mainMax, 1000)) {
        EXPECT_EQ(rgbAt(canvas, 1195, label.position), kBlack) << label.text;
        EXPECT_EQ(rgbAt(canvas, 1195, label.position - 3), kWhite) << label.text;
    }
}

TEST_F(TriangleMap, AxisTicksSitAtTheirLabelPositions) {
    const QImage canvas = view.renderCanvas();
    for (const AxisLabel& label : eastingLabels(view))
        EXPECT_EQ(rgbAt(canvas, label.position, 1030), kBlack) << label.text;
    for (const AxisLabel& label : northingLabels(view))
        EXPECT_EQ(rgbAt(canvas, -30, label.position), kBlack) << label.text;
    EXPECT_EQ(rgbAt(canvas, -30, 1010), kWhite);
}

TEST_F(TriangleMap, TitlesInTheDefaultSansSerifFace) {
    QImage image(10, 10, QImage::Format_RGB32);
    CDC dc(image);
    CFont font;
    font.CreateFont(40, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 4, 0x30, 0, 0x26, "");
    dc.SelectObject(&font);
    QFont sansSerif(QStringLiteral("Sans Serif"));
    sansSerif.setStyleHint(QFont::SansSerif);
    EXPECT_EQ(QFontInfo(dc.resolvedFont()).family(), QFontInfo(sansSerif).family());
    // The title's ink lies above its baseline at -110, centred on the plot.
    const QImage canvas = view.renderCanvas();
    int ink = 0;
    for (int y = -160; y < -105; ++y)
        for (int x = 300; x < 700; ++x)
            ink += rgbAt(canvas, x, y) != kWhite;
    EXPECT_GT(ink, 100);
}

TEST_F(PaintFixture, CopyOfTwoPlotsOneAboveTheOther) {
    load({0, 100, 0, 100}, {0, 0, 200, 200}, {1, 2, 3, 4});
    view.magnification = 0.3;
    view.showSecondKind(PlotKind::Elevation);
    const QImage canvas = view.renderCanvas();
    EXPECT_EQ(canvas.size(), QSize(480, 1398));

    view.copyToClipboard();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(480, 1398));
    // The second plot's map at its origin (0, 2300): plot centre (50 m, 100 m).
    const QImage copied = QGuiApplication::clipboard()->image();
    const QPoint secondCentre(int((500 + 200) * 0.3), int((2300 + 1000 + 200) * 0.3));
    EXPECT_EQ(copied.pixel(secondCentre) & 0xFFFFFFu, rgbOf(view.colourTable[0]))
        << "all elevations equal: colour 0";
}

TEST_F(PaintFixture, CanvasTooLargeForOnePictureIsReported) {
    load({0, 100, 0, 100}, {0, 0, 200, 200}, {1, 2, 3, 4});
    view.showSecondKind(PlotKind::Elevation);
    view.magnification = 20;
    view.relayout();
    EXPECT_FALSE(canvasFits(view.canvasWidth, view.canvasHeight));
    QGuiApplication::clipboard()->setText("before");
    view.copyToClipboard();
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_NE(messages.last().text.find("32000 by 93200 pixels"), std::string::npos)
        << messages.last().text;
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST_F(PaintFixture, NothingIsDrawnWithoutData) {
    load({0, 100, 0}, {0, 0, 100}, {1, 2, 3});
    doc.dataReady = false;
    const QImage canvas = view.renderCanvas();
    for (int y = 0; y < canvas.height(); y += 7)
        for (int x = 0; x < canvas.width(); x += 7)
            ASSERT_EQ(canvas.pixel(x, y) & 0xFFFFFFu, kWhite);
}

TEST_F(PaintFixture, ExtremeValuesDrawWithoutUndefinedArithmetic) {
    // A region a million times taller than wide, values at the ends of the double range.
    load({0, 1, 0, 1}, {0, 0, 1e6, 1e6}, {-1e308, 1e308, 0, 5});
    view.secondKind = PlotKind::Profile;
    view.profileStart = {0, 0};
    view.profileEnd = {1000, 1000};
    view.profileLevel = 5;
    view.relayout();
    EXPECT_FALSE(canvasFits(view.canvasWidth, view.canvasHeight));
    for (const PlotMethod method :
         {PlotMethod::Original, PlotMethod::GradientFill, PlotMethod::Circles}) {
        view.plotMethod = method;
        const QImage part = renderPart(QPoint(0, 0), QSize(300, 300));
        EXPECT_NE(part.pixel(200, 200) & 0xFFFFFFu, kWhite) << "the station on the corner";
        renderPart(QPoint(0, 1000000), QSize(300, 300));
    }
}

TEST_F(TriangleMap, WindowShowsTheCanvasPicture) {
    view.resize(500, 400);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    view.invalidate();
    view.viewport()->repaint();
    const QImage canvas = view.renderCanvas();
    const QImage& window = view.backBuffer();
    ASSERT_FALSE(window.isNull());
    for (int y = 0; y < window.height(); y += 3)
        for (int x = 0; x < window.width(); x += 3)
            ASSERT_EQ(window.pixel(x, y), canvas.pixel(x, y)) << x << "," << y;
    EXPECT_EQ(view.mainPlotDeviceRect.left, 120) << "the window's paint keeps its rectangle";
}

} // namespace

namespace {

// Map plots fill rectangles that lie beside a window's picture (the colour
// bar of a plot scrolled out of view): the device context must draw nothing.
TEST(DeviceContextBesideTheImage, RectanglesOutsideInOneDirectionDrawNothing) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.fill(Qt::white);
    CDC dc(image);
    dc.FillSolidRect(CRect(100, 10, 130, 20), RGB(0, 0, 0)); // right of the image, rows inside
    dc.InvertRect(CRect(10, 100, 20, 130));                  // below, columns inside
    dc.FillSolidRect(CRect(-40, 10, -10, 20), RGB(0, 0, 0));
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(image.pixel(x, y), 0xFFFFFFFFu) << x << "," << y;
}

} // namespace
