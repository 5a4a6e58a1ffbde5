#include "platform/DeviceContext.h"
#include "platform/VectorLayer.h"

#include <QColor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <climits>
#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

QImage whiteImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A patterned image, so that restoring it exactly means something.
QImage patternImage(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    return image;
}

// The view's mapping: isotropic, plot unit p at pixel (p + 200) * magnification - scroll.
void prepareView(CDC& dc, int canvasW, int canvasH, double magnification, CPoint scroll = {}) {
    dc.SetViewportOrg(-scroll.x, -scroll.y);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(platform::roundToInt(canvasW / magnification),
                    platform::roundToInt(canvasH / magnification));
    dc.SetWindowOrg(-200, -200);
    dc.SetViewportExt(canvasW, canvasH);
}

// Bounding box of the pixels that are not white.
QRect inkBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(DeviceMapping, PlotUnitsLandWhereTheViewPutsThem) {
    QImage image = whiteImage(480, 720);
    CDC dc(image);
    prepareView(dc, 480, 720, 0.3);
    CPoint points[3] = {{0, 0}, {1000, 2000}, {-200, -200}};
    dc.LPtoDP(points, 3);
    EXPECT_EQ(points[0], CPoint(60, 60));
    EXPECT_EQ(points[1], CPoint(360, 660));
    EXPECT_EQ(points[2], CPoint(0, 0));
    CPoint back(360, 660);
    dc.DPtoLP(&back);
    EXPECT_EQ(back, CPoint(1000, 2000));
    CSize size(100, 40);
    dc.LPtoDP(&size);
    EXPECT_EQ(size, CSize(30, 12));
    CRect rect(0, 0, 1000, 2000);
    dc.LPtoDP(&rect);
    EXPECT_EQ(rect, CRect(60, 60, 360, 660));

    // Scrolled by (30, 50): every pixel moves up and left.
    QImage visible = whiteImage(200, 200);
    CDC scrolled(visible);
    prepareView(scrolled, 480, 720, 0.3, CPoint(30, 50));
    CPoint p(0, 0);
    scrolled.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(30, 10));
}

TEST(DeviceMapping, IsotropicExtentsRoundingAndTextMode) {
    QImage image = whiteImage(10, 10);
    CDC dc(image);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(300, -200); // the larger x scale is shrunk to y's, the sign kept
    EXPECT_EQ(dc.GetViewportExt(), CSize(200, -200));
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(5, 5);
    CPoint p[4] = {{1, 1}, {-1, -1}, {3, -3}, {2, 2}};
    dc.LPtoDP(p, 4); // halves away from zero
    EXPECT_EQ(p[0], CPoint(1, 1));
    EXPECT_EQ(p[1], CPoint(-1, -1));
    EXPECT_EQ(p[2], CPoint(2, -2));
    EXPECT_EQ(p[3], CPoint(1, 1));
    // Halves on both sides of 2^30, where the scaling changes its arithmetic.
    dc.SetWindowExt(8, 8);
    dc.SetViewportExt(1, 1);
    CPoint h[2] = {{(1 << 30) - 4, -(1 << 30) + 4}, {(1 << 30) + 4, -(1 << 30) - 4}};
    dc.LPtoDP(h, 2);
    EXPECT_EQ(h[0], CPoint(1 << 27, -(1 << 27)));
    EXPECT_EQ(h[1], CPoint((1 << 27) + 1, -(1 << 27) - 1));
    dc.SetWindowExt(10, 10);
    dc.SetViewportExt(5, 5);
    EXPECT_EQ(dc.SetWindowExt(0, 5), CSize(10, 10)); // refused
    EXPECT_EQ(dc.GetWindowExt(), CSize(10, 10));

    dc.SetMapMode(MM_TEXT);
    dc.SetWindowOrg(5, 0);
    dc.SetViewportOrg(0, 3);
    CPoint q(7, 7);
    dc.LPtoDP(&q);
    EXPECT_EQ(q, CPoint(2, 10));
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
}

TEST(DeviceMapping, ExtremeCoordinatesAreHeld) {
    QImage image = whiteImage(20, 20);
    CDC dc(image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(INT_MAX, INT_MIN);
    CPoint p[2] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN}};
    dc.LPtoDP(p, 2);
    EXPECT_EQ(p[0], CPoint(1 << 28, -(1 << 28)));
    EXPECT_EQ(p[1], CPoint(-(1 << 28), 1 << 28));
    dc.SetWindowExt(INT_MAX, INT_MAX);
    dc.SetViewportExt(1, 1);
    CPoint q(INT_MAX, INT_MIN);
    dc.DPtoLP(&q);
    EXPECT_EQ(q, CPoint(INT_MAX, INT_MIN));
    // Drawing with such a mapping touches only the image.
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(1000, 1000);
    dc.FillSolidRect(CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), kBlack);
    dc.MoveTo(INT_MIN, INT_MIN);
    dc.LineTo(INT_MAX, INT_MAX);
    dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    dc.TextOut(INT_MAX, INT_MIN, "far away");
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255)); // the ellipse filled it white
}

TEST(RasterOperations, NotXorTwiceRestoresAndLinesLeaveOutTheirEnd) {
    QImage image = patternImage(60, 40);
    const QImage before = image.copy();
    {
        CDC dc(image);
        dc.SetROP2(R2_NOTXORPEN);
        for (int pass = 0; pass < 2; ++pass) {
            dc.MoveTo(3, 4);
            dc.LineTo(55, 31);
            dc.LineTo(10, 35);
        }
    }
    EXPECT_EQ(image, before);

    QImage line = whiteImage(20, 10);
    {
        CDC dc(line);
        dc.MoveTo(2, 5);
        dc.LineTo(12, 5);
    }
    EXPECT_EQ(inkBox(line), QRect(2, 5, 10, 1));
    EXPECT_EQ(line.pixel(12, 5), qRgb(255, 255, 255));
}

TEST(RasterOperations, MaskPenDiscsAndInvertedRectangles) {
    QImage image = whiteImage(40, 30);
    {
        CDC dc(image);
        dc.SetROP2(R2_MASKPEN);
        dc.SelectStockObject(NULL_PEN);
        CBrush red(RGB(255, 0, 0)), blue(RGB(0, 0, 255));
        CBrush* old = dc.SelectObject(&red);
        dc.Ellipse(0, 0, 20, 20);
        dc.SelectObject(&blue);
        dc.Ellipse(10, 0, 30, 20);
        dc.SelectObject(old);
    }
    EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(25, 10), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(15, 10), qRgb(0, 0, 0)); // red AND blue
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(0, 10), qRgb(255, 0, 0));  // the disc reaches its box's left edge
    EXPECT_EQ(image.pixel(10, 19), qRgb(255, 0, 0)); // and its last row
    EXPECT_EQ(image.pixel(10, 20), qRgb(255, 255, 255));

    QImage pattern = patternImage(30, 30);
    const QImage before = pattern.copy();
    {
        CDC dc(pattern);
        dc.InvertRect(CRect(4, 4, 12, 12));
    }
    EXPECT_EQ(pattern.pixel(4, 4), before.pixel(4, 4) ^ 0x00FFFFFFu);
    EXPECT_EQ(pattern.pixel(11, 11), before.pixel(11, 11) ^ 0x00FFFFFFu);
    EXPECT_EQ(pattern.pixel(12, 11), before.pixel(12, 11));
    {
        CDC dc(pattern);
        dc.InvertRect(CRect(12, 12, 4, 4)); // the same rectangle given the other way round
    }
    EXPECT_EQ(pattern, before);
}

TEST(RasterOperations, WidePensScaleDottedPensHaveGaps) {
    for (double magnification : {0.3, 1.0}) {
        QImage image = whiteImage(120, 120);
        {
            CDC dc(image);
            prepareView(dc, 120, 120, magnification);
            CPen wide(PS_SOLID, 6, kBlack);
            dc.SelectObject(&wide);
            dc.MoveTo(-150, -150);
            dc.LineTo(-120, -150);
        }
        const int expected = magnification == 1.0 ? 6 : 2; // 6 * 0.3 = 1.8, rounded
        EXPECT_NEAR(inkBox(image).height(), expected, 1) << magnification;
    }
    QImage image = whiteImage(100, 5);
    {
        CDC dc(image);
        CPen dotted(PS_DOT, 0, kBlack);
        dc.SelectObject(&dotted);
        dc.SetBkMode(TRANSPARENT);
        dc.MoveTo(0, 2);
        dc.LineTo(100, 2);
    }
    int ink = 0;
    for (int x = 0; x < 100; ++x)
        ink += image.pixel(x, 2) != qRgb(255, 255, 255);
    EXPECT_GT(ink, 20);
    EXPECT_LT(ink, 80);
}

TEST(Clipping, RegionsPaintRectAndVisibilityTests) {
    QImage image = whiteImage(100, 100);
    CDC dc(image);
    prepareView(dc, 100, 100, 0.5); // plot unit p at pixel (p + 200) / 2
    CRgn region;
    region.CreateRectRgn(20, 30, 60, 70);
    EXPECT_EQ(dc.SelectClipRgn(&region), SIMPLEREGION);
    CRect box;
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(-160, -140, -80, -60));
    EXPECT_TRUE(dc.PtVisible(-160, -140));
    EXPECT_FALSE(dc.PtVisible(-80, -100)); // the right edge is outside
    EXPECT_TRUE(dc.RectVisible(CRect(-300, -300, -158, -138)));
    EXPECT_FALSE(dc.RectVisible(CRect(-300, -300, -160, -100))); // touches only the left edge
    dc.FillSolidRect(CRect(-200, -200, 1000, 1000), kBlack);
    EXPECT_EQ(inkBox(image), QRect(20, 30, 40, 40));

    const CRect paint(50, 0, 100, 100);
    dc.SetPaintRect(&paint);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-100, -140, -80, -60));
    dc.SelectClipRgn(nullptr);
    dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(-100, -200, 0, 0));
    dc.SetPaintRect(nullptr);
    CRgn outside;
    outside.CreateRectRgn(200, 200, 300, 300);
    EXPECT_EQ(dc.SelectClipRgn(&outside), NULLREGION);
    EXPECT_FALSE(dc.RectVisible(CRect(-200, -200, 1000, 1000)));
    EXPECT_FALSE(dc.SetPixelV(-100, -100, kBlack));
}

// A marker sets exactly the pixels of SetPixelV, for points inside its
// range, outside it (mapped directly) and outside the clip box, at shrinking
// (many units per pixel, where rounding decides the pixel) and magnifying.
TEST(Clipping, PixelMarkerSetsThePixelsOfSetPixelV) {
    for (double magnification : {0.37, 1.0, 2.6}) {
        QImage expected = whiteImage(120, 90), marked = whiteImage(120, 90);
        CDC single(expected), many(marked);
        for (CDC* dc : {&single, &many}) {
            prepareView(*dc, 333, 250, magnification, CPoint(17, 9));
            const CRect paint(10, 5, 110, 80);
            dc->SetPaintRect(&paint);
        }
        CDC::PixelMarker marker(many, CRect(-150, -180, 90, 60), kBlack);
        for (int y = -260; y <= 140; y += 3) {
            for (int x = -240; x <= 200; x += 2) {
                single.SetPixelV(x, y, kBlack);
                marker.mark(x, y);
            }
        }
        EXPECT_EQ(marked, expected) << magnification;
        EXPECT_NE(inkBox(marked), QRect()) << magnification;
    }
}

class Text : public testing::Test {
protected:
    // Draws `text` at (x, y) with `align` in a font 40 units high and returns the ink box.
    QRect draw(const std::string& text, int x, int y, unsigned align, int escapement = 0,
               int bkMode = TRANSPARENT) {
        image = whiteImage(300, 300);
        CDC dc(image);
        CFont font;
        font.CreateFont(40, 0, escapement, escapement, FW_NORMAL, 0, 0, 0, 0, 4, 0x30, 0, 0x26, "");
        dc.SelectObject(&font);
        dc.SetTextAlign(align);
        dc.SetBkMode(bkMode);
        dc.SetBkColor(RGB(220, 220, 220));
        dc.TextOut(x, y, text);
        ascent = QFontMetrics(dc.resolvedFont()).ascent();
        return inkBox(image);
    }
    QImage image;
    int ascent = 0;
};

// The family the system gives a bold sans-serif face (DejaVu Sans where only
// DejaVu is installed, whatever fontconfig prefers elsewhere).
static QString systemSansSerif() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    return QFontInfo(font).family();
}

TEST_F(Text, FontResolvesToTheSystemSansSerifAndScalesWithTheMapping) {
    QImage image = whiteImage(10, 10);
    CDC dc(image);
    CFont font;
    font.CreateFont(40, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 4, 0x30, 0, 0x26, "");
    dc.SelectObject(&font);
    EXPECT_EQ(QFontInfo(dc.resolvedFont()).family(), systemSansSerif());
    EXPECT_TRUE(QFontInfo(dc.resolvedFont()).bold());
    EXPECT_NEAR(QFontMetrics(dc.resolvedFont()).height(), 40, 1);
    prepareView(dc, 480, 720, 0.3);
    EXPECT_NEAR(QFontMetrics(dc.resolvedFont()).height(), 12, 1);
    const CSize extent = dc.GetTextExtent("Easting (m)");
    EXPECT_NEAR(extent.cy, 40, 4);
    EXPECT_GT(extent.cx, 100);
}

TEST_F(Text, AlignmentFlagsPlaceTheReferencePoint) {
    const QRect centreTop = draw("HHHH", 150, 100, TA_CENTER | TA_TOP);
    EXPECT_NEAR(centreTop.center().x(), 150, 2);
    EXPECT_GE(centreTop.top(), 100);
    EXPECT_LE(centreTop.top(), 100 + ascent / 3);

    const QRect rightBaseline = draw("HHHH", 150, 100, TA_RIGHT | TA_BASELINE);
    EXPECT_LE(rightBaseline.right(), 150);
    EXPECT_GE(rightBaseline.right(), 144);
    EXPECT_EQ(rightBaseline.bottom(), 99); // "H" sits on the baseline

    const QRect leftBaseline = draw("HHHH", 150, 100, TA_LEFT | TA_BASELINE);
    EXPECT_GE(leftBaseline.left(), 150);
    EXPECT_LE(leftBaseline.left(), 155);
    EXPECT_EQ(leftBaseline.width(), rightBaseline.width());

    // Escapement 900 reads bottom to top: tall, glyph tops toward smaller x.
    const QRect vertical = draw("Northing", 100, 150, TA_CENTER | TA_TOP, 900);
    EXPECT_GT(vertical.height(), 2 * vertical.width());
    EXPECT_NEAR(vertical.center().y(), 150, 2);
    EXPECT_GE(vertical.left(), 100);

    // An opaque background fills the text cell.
    const QRect opaque = draw(" A ", 150, 100, TA_CENTER | TA_BASELINE, 0, OPAQUE);
    EXPECT_EQ(image.pixel(opaque.left(), opaque.top()), qRgb(220, 220, 220));
    EXPECT_LE(opaque.top(), 100 - ascent + 1);
}

TEST(Drawing, ObjectsSelectionPixelsAndPatterns) {
    QImage image = whiteImage(20, 20);
    CDC dc(image);
    CPen pen(PS_SOLID, 0, RGB(1, 2, 3));
    CPen* previous = dc.SelectObject(&pen);
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(dc.SelectObject(previous), &pen);
    CPen uncreated;
    EXPECT_EQ(dc.SelectObject(&uncreated), nullptr);
    CGdiObject* oldPen = dc.SelectStockObject(NULL_PEN);
    EXPECT_EQ(oldPen, previous);
    CGdiObject* nullPen = dc.SelectObject(oldPen);
    EXPECT_EQ(dc.SelectObject(nullPen), oldPen);
    EXPECT_EQ(dc.SetROP2(99), 0);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);

    EXPECT_TRUE(dc.SetPixelV(3, 4, RGB(10, 20, 30)));
    EXPECT_EQ(dc.GetPixel(3, 4), RGB(10, 20, 30));
    EXPECT_EQ(image.pixel(3, 4), qRgb(10, 20, 30));
    EXPECT_EQ(dc.GetPixel(30, 4), CLR_INVALID);
    dc.PatBlt(0, 0, 20, 20, BLACKNESS);
    dc.PatBlt(0, 0, 10, 20, WHITENESS);
    EXPECT_EQ(dc.GetPixel(9, 0), kWhite);
    EXPECT_EQ(dc.GetPixel(10, 0), kBlack);
    dc.FillSolidRect(2, 2, 3, 3, RGB(0, 200, 0));
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(0, 200, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), kWhite);
}

TEST(Drawing, GradientTrianglesThroughTheMapping) {
    QImage image = whiteImage(100, 100);
    CDC dc(image);
    prepareView(dc, 100, 100, 0.5);
    TRIVERTEX v[4];
    v[0] = {-200, -200, 0xFF00, 0, 0, 0};
    v[1] = {0, -200, 0, 0xFF00, 0, 0};
    v[2] = {-200, 0, 0, 0, 0xFF80, 0};
    v[3] = {0, 0, 0, 0, 0, 0};
    const GRADIENT_TRIANGLE mesh[2] = {{0, 1, 2}, {1, 3, 2}};
    CRgn region;
    region.CreateRectRgn(0, 0, 80, 100);
    dc.SelectClipRgn(&region);
    ASSERT_TRUE(dc.GradientFill(v, 4, mesh, 2, GRADIENT_FILL_TRIANGLE));
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(50, 0), qRgb(127, 127, 0));
    EXPECT_NE(image.pixel(79, 99), qRgb(255, 255, 255)); // the second triangle
    EXPECT_EQ(image.pixel(80, 50), qRgb(255, 255, 255)); // clipped
    EXPECT_EQ(image.pixel(99, 99), qRgb(255, 255, 255));

    const GRADIENT_TRIANGLE bad[1] = {{0, 1, 4}};
    EXPECT_FALSE(dc.GradientFill(v, 4, bad, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_FALSE(dc.GradientFill(v, 4, mesh, 2, GRADIENT_FILL_RECT_H));
    TRIVERTEX extreme[3] = {{INT_MIN, INT_MIN, 0, 0, 0, 0},
                            {INT_MAX, INT_MIN, 0, 0, 0, 0},
                            {0, INT_MAX, 0xFFFF, 0xFFFF, 0xFFFF, 0}};
    dc.SelectClipRgn(nullptr);
    EXPECT_TRUE(dc.GradientFill(extreme, 3, mesh, 1, GRADIENT_FILL_TRIANGLE));
    EXPECT_NE(image.pixel(99, 99), qRgb(255, 255, 255));
}

// A vector layer takes text and the lines of copying pens in device pixels;
// fills and the other raster operations stay in the image.
TEST(VectorLayer, TakesTextAndCopyingLinesWhileFillsStayInTheImage) {
    QImage image = whiteImage(300, 260);
    VectorLayer layer;
    {
        CDC dc(image);
        dc.SetVectorLayer(&layer);
        prepareView(dc, 300, 260, 1);
        dc.TextOut(0, 0, "A");
        dc.MoveTo(0, 0);
        dc.LineTo(40, 0);
        dc.LineTo(40, 20); // continues the line
        dc.FillSolidRect(-200, -200, 10, 10, RGB(0, 0, 200));
        CPen red(PS_SOLID, 0, RGB(255, 0, 0));
        dc.SelectObject(&red);
        dc.SetROP2(R2_XORPEN);
        dc.MoveTo(-200, -100);
        dc.LineTo(-100, -100);
    }
    ASSERT_EQ(layer.items().size(), 2u);
    const auto& text = std::get<VectorLayer::Text>(layer.items()[0]);
    EXPECT_EQ(text.text, "A");
    EXPECT_EQ(text.origin, QPointF(200, 200));
    const auto& line = std::get<VectorLayer::Polyline>(layer.items()[1]);
    EXPECT_EQ(line.points, QPolygonF({{200.5, 200.5}, {240.5, 200.5}, {240.5, 220.5}}))
        << "through the middle of the pixels the image would set";
    EXPECT_EQ(image.pixel(2, 2), qRgb(0, 0, 200));
    EXPECT_EQ(image.pixel(50, 100), qRgb(0, 255, 255)) << "the XOR line stays in the image";
    EXPECT_EQ(inkBox(image), QRect(0, 0, 100, 101)) << "no text or copying line in the image";
}

} // namespace
