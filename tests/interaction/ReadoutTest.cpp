#include "InteractionFixture.h"

namespace {

constexpr IntPoint kNoMark{-1, -1};

// A survey 10 m across: 100 plot units per metre.
class Readout : public InteractionTest {
protected:
    void SetUp() override {
        load({0, 10, 10, 0, 5}, {0, 10, 0, 10, 20});
        ASSERT_EQ(view.plotScale, 100);
        ASSERT_EQ(view.plotWidth, 1000);
        ASSERT_EQ(view.plotHeight, 2000);
    }
    int inspect(IntPoint p) { return interaction.inspectStation(pixel(p), false); }
};

TEST_F(Readout, TiesGoToTheEarlierStationAndTheMarkFollows) {
    // World (5, 10) is as far from station 1 (10, 10) as from station 3 (0, 10).
    EXPECT_EQ(inspect({500, 1000}), 1);
    EXPECT_EQ(view.markedPoint, (IntPoint{1000, 1000}));
    EXPECT_EQ(lastStatus(), " (x, y) = (10, 10) ,    data = 2");

    // World (5, 0.5): stations 0 and 2 tie.
    EXPECT_EQ(inspect({500, 1950}), 0);
    EXPECT_EQ(view.markedPoint, (IntPoint{0, 2000}));
}

TEST_F(Readout, FourUnitsOutsideTheFrameStillCountFiveDoNot) {
    EXPECT_EQ(inspect({-4, 1000}), 3);
    EXPECT_EQ(inspect({1004, 1000}), 1);
    EXPECT_EQ(inspect({500, -4}), 4);
    EXPECT_EQ(inspect({500, 2004}), 0);
    for (IntPoint outside :
         {IntPoint{-5, 1000}, IntPoint{1005, 1000}, IntPoint{500, -5}, IntPoint{500, 2005}}) {
        status.clear();
        EXPECT_EQ(inspect(outside), -1);
        EXPECT_EQ(status, std::vector<QString>{kIdle});
        EXPECT_EQ(view.markedPoint, kNoMark);
    }
    EXPECT_EQ(interaction.inspectStation(pixel({500, 500}), true), -1) << "erase only";
}

TEST_F(Readout, TheMarkIsInvertedAndRemovedOnThePicture) {
    settle();
    QImage& picture = view.backBuffer();
    ASSERT_FALSE(picture.isNull());
    const QImage before = picture.copy();
    auto inverted = [&](IntPoint p) {
        return picture.pixel(pixel(p)) == (before.pixel(pixel(p)) ^ 0xFFFFFFu);
    };

    rightPress({500, 100}); // station 4 at (500, 0)
    EXPECT_EQ(view.markedPoint, (IntPoint{500, 0}));
    EXPECT_TRUE(inverted({496, -4}));
    EXPECT_TRUE(inverted({503, 3}));
    EXPECT_FALSE(inverted({504, 0})) << "right edge excluded";
    EXPECT_FALSE(inverted({500, 4})) << "bottom edge excluded";

    // Held and moved: the mark jumps to the next station.
    QTest::mouseMove(viewport(), pixel({100, 1100}));
    EXPECT_EQ(view.markedPoint, (IntPoint{0, 1000}));
    EXPECT_FALSE(inverted({500, 0}));

    rightRelease({100, 1100});
    EXPECT_EQ(view.markedPoint, kNoMark);
    EXPECT_EQ(picture, before);
    EXPECT_EQ(lastStatus(), kIdle);
}

TEST_F(Readout, PositionSixDigitsStationTenDigits) {
    load({1234567.891, 1235567.891, 1234567.891, 1235567.891},
         {7654321.5, 7654321.5, 7655321.5, 7655321.5});
    leftPress({0, 0});
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (1.23457e+06,  7.65532e+06)");
    leftRelease({0, 0});
    EXPECT_EQ(inspect({0, 0}), 2);
    EXPECT_EQ(lastStatus(), " (x, y) = (1234567.891, 7655321.5) ,    data = 3");

    interaction.showPositionReadout({250, 500});
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (1.23482e+06,  7.65482e+06)");

    view.roundTicks = true;
    interaction.showPositionReadout({250, 500});
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (1234818,  7654822)")
        << "whole metres beside round tick values";
}

TEST_F(Readout, NoStationBetweenMaskedBlocks) {
    // Two blocks of four stations, 10 m squares, 80 m apart.
    load({0, 10, 0, 10, 90, 100, 90, 100}, {0, 0, 10, 10, 0, 0, 10, 10});
    EXPECT_EQ(inspect({450, 50}), 1) << "the nearest station, unmasked";
    view.maskLength = 20;
    EXPECT_EQ(inspect({450, 50}), -1) << "the gap counts as outside the stations";
    EXPECT_EQ(inspect({50, 50}), 0) << "inside a block";
}

TEST_F(Readout, LogScaleShowsTheLogarithmsHeld) {
    load({0, 10, 0, 10}, {0, 0, 10, 10}, {10, 100, 1000, 0.5});
    ASSERT_TRUE(doc.toggleLogScale());
    setUpWindow();
    EXPECT_EQ(inspect({0, 0}), 2);
    EXPECT_EQ(lastStatus(), " (x, y) = (0, 10) ,    data = 3");
    EXPECT_EQ(inspect({1000, 1000}), 1);
    EXPECT_EQ(lastStatus(), " (x, y) = (10, 0) ,    data = 2");
    EXPECT_EQ(inspect({1000, 0}), 3);
    EXPECT_EQ(lastStatus(), " (x, y) = (10, 10) ,    data = -0.30103");
}

TEST_F(Readout, SecondMapToTheRightReadsTheMainPlotAndIsMarkedToo) {
    view.arrangeVertical = false;
    view.showSecondKind(PlotKind::Errors);
    ASSERT_EQ(view.secondOriginX, 1600);
    view.resize(2400, 700);
    settle();
    QImage& picture = view.backBuffer();
    ASSERT_GT(picture.width(), 2310); // the vertical scroll bar takes its part
    const QImage before = picture.copy();

    EXPECT_EQ(inspect({1600 + 500, 100}), 4);
    EXPECT_EQ(view.markedPoint, (IntPoint{500, 0}));
    EXPECT_EQ(lastStatus(), " (x, y) = (5, 20) ,    data = 5 ,    err = 0.05");
    for (IntPoint corner : {IntPoint{496, -4}, IntPoint{1600 + 496, -4}})
        EXPECT_EQ(picture.pixel(pixel(corner)), before.pixel(pixel(corner)) ^ 0xFFFFFFu);

    EXPECT_EQ(inspect({1600 - 5, 500}), -1) << "left of the second plot: beyond the main one";
    EXPECT_EQ(picture, before);
}

TEST_F(Readout, SecondMapBelowWithItsGapAndTheAppendedValues) {
    view.showSecondKind(PlotKind::Elevation);
    ASSERT_EQ(view.secondOriginY, 2300);
    EXPECT_EQ(inspect({500, 2300 - 4}), 4);
    EXPECT_EQ(lastStatus(), " (x, y) = (5, 20) ,    data = 5 ,    elevation = 100");
    EXPECT_EQ(inspect({500, 2300 - 5}), -1) << "the gap between the plots";
    EXPECT_EQ(inspect({500, 2300 + 1990}), 0);

    doc.predicted = {1, 1, 1, 1, 7};
    doc.hasPredicted = true;
    const std::pair<PlotKind, const char*> kinds[] = {
        {PlotKind::Predicted, " ,    predicted data = 7"},
        {PlotKind::NormalizedDifference, " ,    normalized difference = -40"},
        {PlotKind::Difference, " ,    difference = -2"},
    };
    for (const auto& [kind, appended] : kinds) {
        view.showSecondKind(kind);
        EXPECT_EQ(inspect({500, 0}), 4);
        EXPECT_EQ(lastStatus(), QString(" (x, y) = (5, 20) ,    data = 5") + appended);
    }
}

TEST_F(Readout, AProfileIsNoMapAndGetsNoMark) {
    drag({0, 1000}, {1000, 1000});
    ASSERT_EQ(view.secondKind, PlotKind::Profile);
    EXPECT_EQ(inspect({500, 2300 + 1000}), -1);
    EXPECT_EQ(inspect({500, 100}), 4);
    EXPECT_EQ(lastStatus(), " (x, y) = (5, 20) ,    data = 5") << "nothing appended";
}

} // namespace
