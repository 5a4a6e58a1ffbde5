// Mask long triangles: two survey blocks far apart get no colours, no
// profile values and no station readout between them.

#include "PaintFixture.h"
#include "plot/ProfileTrace.h"

namespace {

class TriangleMaskTest : public PaintFixture {
protected:
    // Two blocks of 5 by 9 stations 50 m apart: x 0..200 and 800..1000, y 0..400.
    void SetUp() override {
        std::vector<double> x, y, data;
        for (double x0 : {0.0, 800.0})
            for (int i = 0; i < 5; ++i)
                for (int j = 0; j < 9; ++j) {
                    x.push_back(x0 + 50 * i);
                    y.push_back(50 * j);
                    data.push_back(100 + 0.1 * (x0 + 50 * i) + 3 * j);
                }
        load(x, y, data);
        view.secondKind = PlotKind::None;
        view.showLocations = false;
        view.relayout();
    }
    QImage render() { return renderPart({0, 0}, QSize(view.canvasWidth, view.canvasHeight)); }

    // Pixels in plot columns from x0 to x1 across the plot's height that are not white.
    static int paintedBetween(const QImage& image, int x0, int x1, int plotHeight) {
        int painted = 0;
        for (int x = x0; x <= x1; ++x)
            for (int y = 0; y <= plotHeight; ++y)
                painted += rgbAt(image, x, y) != kWhite;
        return painted;
    }
    // A block's inside, away from the cells that straddle its edge.
    static QImage block(const QImage& image, int x0) { return image.copy(205 + x0, 200, 191, 401); }
};

TEST_F(TriangleMaskTest, NothingIsPaintedBetweenTheBlocks) {
    ASSERT_EQ(view.plotScale, 1);
    for (PlotMethod method : {PlotMethod::Original, PlotMethod::GradientFill}) {
        SCOPED_TRACE(int(method));
        view.plotMethod = method;
        view.maskLength = 0;
        const QImage unmasked = render();
        EXPECT_GT(paintedBetween(unmasked, 210, 790, 400), 0) << "an invented anomaly";
        view.maskLength = 100;
        const QImage masked = render();
        EXPECT_EQ(paintedBetween(masked, 210, 790, 400), 0);
        EXPECT_EQ(block(masked, 0), block(unmasked, 0)) << "the blocks keep their pixels";
        EXPECT_EQ(block(masked, 800), block(unmasked, 800));
        view.maskLength = 2000;
        EXPECT_EQ(render(), unmasked) << "no edge that long";
    }
}

TEST_F(TriangleMaskTest, TheProfileIsZeroBetweenTheBlocks) {
    view.profileStart = {0, 200};
    view.profileEnd = {1000, 200};
    view.maskLength = 100;
    const ProfileTrace masked = traceProfile(view, view, 1000);
    view.maskLength = 0;
    const ProfileTrace unmasked = traceProfile(view, view, 1000);
    ASSERT_EQ(masked.curve.size(), unmasked.curve.size());
    for (size_t j = 0; j < masked.curve.size(); ++j) {
        const int x = masked.curve[j].x;
        SCOPED_TRACE(x);
        if (x > 210 && x < 790) {
            EXPECT_EQ(masked.curve[j].y, 0);
            EXPECT_NE(unmasked.curve[j].y, 0);
        } else if (x < 190 || x > 810) {
            EXPECT_EQ(masked.curve[j].y, unmasked.curve[j].y);
        }
    }
}

} // namespace
