// The profile: samples along A-B, level crossings and their distances,
// the extremes, and fitting a dragged line into the main plot.

#include "PaintFixture.h"
#include "plot/ProfileTrace.h"

#include <climits>

namespace {

// A ridge along the north-south line at the region's middle: values rise
// linearly from 0 at the west and east edges to 10 in the middle.
class Ridge : public PaintFixture {
protected:
    void loadRidge(double width, double peak = 10) {
        load({0, width / 2, width, 0, width / 2, width}, {0, 0, 0, width, width, width},
             {0, peak, 0, 0, peak, 0});
    }
    void setProfile(IntPoint a, IntPoint b, int level = kNoProfileLevel) {
        view.profileStart = a;
        view.profileEnd = b;
        view.profileLevel = level;
        view.secondKind = PlotKind::Profile;
        view.relayout();
    }
};

TEST_F(Ridge, CrossingsOfTheLevelAreMarkedWithTheirDistance) {
    loadRidge(1000); // one plot unit per metre
    // The level where the curve shows the value 5: half the plot height
    // (500 units) is the value 10.
    setProfile({0, 500}, {1000, 500}, -250);
    const ProfileTrace trace = traceProfile(view, view, 1000);
    EXPECT_DOUBLE_EQ(trace.step, 4);
    EXPECT_EQ(trace.curve.size(), 249u);
    ASSERT_EQ(trace.crossings.size(), 2u);
    EXPECT_EQ(trace.crossings[0].markX, 250);
    EXPECT_FALSE(trace.crossings[0].hasDistance);
    EXPECT_EQ(trace.crossings[1].markX, 750);
    EXPECT_EQ(trace.crossings[1].distanceText, "500m");
    EXPECT_EQ(trace.crossings[1].distanceAt, (IntPoint{500, 80}));
    EXPECT_NEAR(trace.hi, 10, 1e-9) << "the sample on the ridge";
    EXPECT_NEAR(trace.lo, 0.08, 1e-9) << "the first and last samples, 4 units from the ends";

    // Half the metres per plot unit: the same picture, half the distance.
    loadRidge(500);
    setProfile({0, 500}, {1000, 500}, -250);
    EXPECT_EQ(traceProfile(view, view, 1000).crossings[1].distanceText, "250m");
}

TEST_F(Ridge, DistanceLabelsAlternateBetweenTwoRows) {
    // Three stations rows: a ridge, a valley, a ridge, so the level is crossed four times.
    load({0, 250, 500, 750, 1000, 0, 250, 500, 750, 1000},
         {0, 0, 0, 0, 0, 1000, 1000, 1000, 1000, 1000}, {0, 10, 0, 10, 0, 0, 10, 0, 10, 0});
    setProfile({0, 500}, {1000, 500}, -250);
    const ProfileTrace trace = traceProfile(view, view, 1000);
    ASSERT_EQ(trace.crossings.size(), 4u);
    EXPECT_EQ(trace.crossings[1].distanceAt.y, 80);
    EXPECT_EQ(trace.crossings[2].distanceAt.y, 40) << "odd crossings one row up";
    EXPECT_EQ(trace.crossings[3].distanceAt.y, 80);
    EXPECT_EQ(trace.crossings[2].distanceText, "250m");

    // Below the axis the rows are above it.
    doc.data = {0, -10, 0, -10, 0, 0, -10, 0, -10, 0};
    doc.recomputeExtents();
    doc.UpdateAllViews(nullptr, HintNewData);
    setProfile({0, 500}, {1000, 500}, 250);
    const ProfileTrace below = traceProfile(view, view, 1000);
    ASSERT_EQ(below.crossings.size(), 4u);
    EXPECT_EQ(below.crossings[1].distanceAt.y, -40);
    EXPECT_EQ(below.crossings[2].distanceAt.y, -80);
}

TEST_F(Ridge, AllNegativeSamplesReportTheLeastNegativeAsHigh) {
    loadRidge(1000, -10);
    setProfile({0, 500}, {1000, 500});
    const ProfileTrace trace = traceProfile(view, view, 1000);
    EXPECT_NEAR(trace.hi, -0.08, 1e-9);
    EXPECT_NEAR(trace.lo, -10, 1e-9);
}

TEST_F(Ridge, NoCrossingsWithoutALevelWhateverTheValues) {
    loadRidge(1000);
    view.mainMin = 0;
    view.mainMax = 1e-9; // the curve reaches far beyond the int range
    setProfile({0, 500}, {1000, 500});
    const ProfileTrace trace = traceProfile(view, view, 1000);
    EXPECT_TRUE(trace.sampled());
    EXPECT_TRUE(trace.crossings.empty());
}

TEST_F(Ridge, LinesWithoutSamples) {
    loadRidge(1000);
    setProfile({100, 100}, {105, 100});
    EXPECT_FALSE(traceProfile(view, view, 5).sampled()) << "shorter than about 6 pixels";
    setProfile({100, 100}, {100, 100});
    EXPECT_FALSE(traceProfile(view, view, 0).sampled()) << "a line of no length";
    setProfile({0, 500}, {1000, 500});
    view.mainMin = view.mainMax = 0;
    EXPECT_FALSE(traceProfile(view, view, 1000).sampled()) << "no finite vertical scale";
}

TEST_F(PaintFixture, SamplesOutsideTheHullLieOnTheAxis) {
    // Stations fill the south-western half of the region only.
    load({0, 1000, 0, 300}, {0, 0, 1000, 300}, {1, 2, 3, 4});
    view.profileStart = {600, 100};
    view.profileEnd = {900, 400};
    const ProfileTrace trace = traceProfile(view, view, 424);
    ASSERT_TRUE(trace.sampled());
    for (const IntPoint& p : trace.curve)
        EXPECT_EQ(p.y, 0);
    EXPECT_EQ(trace.lo, 0);
    EXPECT_EQ(trace.hi, 0);
}

TEST_F(Ridge, ThePictureShowsTheMarksOnTheProfileAxis) {
    loadRidge(1000);
    setProfile({0, 500}, {1000, 500}, -250);
    const QImage canvas = view.renderCanvas();
    // The profile's axis: second plot origin (0, 1300) plus half the plot height.
    const int axis = 1300 + 500;
    EXPECT_EQ(rgbAt(canvas, 250, axis), 0x0000C8u) << "crossing mark";
    EXPECT_EQ(rgbAt(canvas, 750, axis + 4), 0x0000C8u);
    EXPECT_EQ(rgbAt(canvas, 400, axis), kBlack) << "the axis";
    EXPECT_EQ(rgbAt(canvas, 500, axis - 500), kBlack) << "the curve's top";
    EXPECT_EQ(rgbAt(canvas, 500, 500), kBlack) << "the line A-B on the map";
}

TEST(ProfileFit, DraggedEndsAreFittedIntoThePlot) {
    IntPoint start, end;
    ASSERT_TRUE(fitProfileLine({500, 500}, {1200, 1500}, 1000, 1000, start, end));
    EXPECT_EQ(start, (IntPoint{500, 500}));
    EXPECT_EQ(end, (IntPoint{850, 1000})) << "onto the right edge, then onto the bottom";

    ASSERT_TRUE(fitProfileLine({100, 500}, {-100, 700}, 1000, 1000, start, end));
    EXPECT_EQ(start, (IntPoint{0, 600})) << "the left end starts the profile";
    EXPECT_EQ(end, (IntPoint{100, 500}));

    ASSERT_TRUE(fitProfileLine({300, 800}, {300, -100}, 1000, 1000, start, end));
    EXPECT_EQ(start, (IntPoint{300, 800})) << "a vertical line keeps its order";
    EXPECT_EQ(end, (IntPoint{300, 0}));

    EXPECT_FALSE(fitProfileLine({300, 800}, {300, 800}, 1000, 1000, start, end));
}

} // namespace
