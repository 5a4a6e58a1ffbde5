#include "InteractionFixture.h"

#include <QApplication>

namespace {

// A square survey 1000 m across: plot units are metres, y downward.
class Gestures : public InteractionTest {
protected:
    void SetUp() override {
        load({0, 1000, 0, 1000, 500}, {0, 0, 1000, 1000, 500});
        ASSERT_EQ(view.plotWidth, 1000);
        ASSERT_EQ(view.plotHeight, 1000);
    }

    void expectProfile(IntPoint start, IntPoint end) {
        EXPECT_EQ(view.secondKind, PlotKind::Profile);
        EXPECT_EQ(view.profileStart, start) << view.profileStart.x << "," << view.profileStart.y;
        EXPECT_EQ(view.profileEnd, end) << view.profileEnd.x << "," << view.profileEnd.y;
        EXPECT_EQ(view.mouseMode, 0);
    }
};

TEST_F(Gestures, PressOnTheRightEdgeStartsALineOneUnitFurtherDoesNot) {
    leftPress({1001, 400});
    EXPECT_EQ(view.mouseMode, 0);
    EXPECT_TRUE(status.empty()) << "no readout outside the plot";
    leftMove({500, 500});
    leftRelease({500, 500});
    EXPECT_EQ(view.secondKind, PlotKind::None);

    leftPress({1000, 400});
    EXPECT_EQ(view.mouseMode, 1);
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (1000,  600)");
    leftMove({700, 400});
    EXPECT_EQ(view.mouseMode, 2);
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (700,  600)");
    leftRelease({700, 400});
    expectProfile({700, 400}, {1000, 400});
    EXPECT_EQ(lastStatus(), kIdle);
}

TEST_F(Gestures, EndsBeyondTheFrameAreMovedAlongTheLineOntoIt) {
    // Beyond the lower right corner: onto the right edge first, then, still
    // below the frame, onto the bottom edge.
    drag({400, 300}, {1300, 1900});
    expectProfile({400, 300}, {794, 1000});
    EXPECT_EQ(view.profileLevel, kNoProfileLevel);

    // The move readout extrapolates beyond the frame.
    leftPress({500, 500});
    leftMove({-250, 1250});
    EXPECT_EQ(lastStatus(), "(Easting, Northing)  =  (-250,  -250)");
    leftRelease({-250, 1250});
    expectProfile({0, 1000}, {500, 500});

    drag({500, 500}, {600, -300}); // through the top edge only
    expectProfile({500, 500}, {563, 0});
}

TEST_F(Gestures, RightToLeftDragsAreExchangedVerticalOnesKeepThePressPoint) {
    drag({800, 200}, {100, 600});
    expectProfile({100, 600}, {800, 200});
    drag({300, 800}, {300, 100});
    expectProfile({300, 800}, {300, 100});
}

TEST_F(Gestures, ClicksAndDragsBackToTheStartKeepTheProfile) {
    drag({100, 100}, {900, 900});
    view.profileLevel = 50;
    status.clear();

    leftClick({250, 750});
    EXPECT_EQ(status, std::vector<QString>{"(Easting, Northing)  =  (250,  250)"});
    expectProfile({100, 100}, {900, 900});
    EXPECT_EQ(view.profileLevel, 50);

    leftPress({250, 750});
    leftMove({400, 400});
    leftMove({250, 750});
    leftRelease({250, 750});
    expectProfile({100, 100}, {900, 900});

    // Started on the right edge and left across it: the fitted end is the
    // start again, which makes no line.
    drag({1000, 500}, {1200, 700});
    expectProfile({100, 100}, {900, 900});
    EXPECT_EQ(view.profileLevel, 50);
}

TEST_F(Gestures, LevelAndCloseWithThePlotsOneAboveTheOther) {
    drag({0, 500}, {1000, 500});
    ASSERT_TRUE(view.arrangeVertical);
    ASSERT_EQ(view.secondOriginY, 1300);

    // Spots flipped on the picture show what the level click repaints.
    settle();
    QImage& picture = view.backBuffer();
    const QPoint inMainPlot = pixel({500, 300}), inMargin = pixel({-150, 300});
    const QRgb mainBefore = picture.pixel(inMainPlot), marginBefore = picture.pixel(inMargin);
    picture.setPixel(inMainPlot, ~mainBefore);
    picture.setPixel(inMargin, ~marginBefore);

    leftClick({500, 1400}); // below the second plot's origin
    EXPECT_EQ(view.profileLevel, 1400 - 1300 - 500);
    EXPECT_EQ(view.secondKind, PlotKind::Profile);
    settle();
    EXPECT_EQ(picture.pixel(inMargin), marginBefore) << "beside the main plot: repainted";
    EXPECT_NE(picture.pixel(inMainPlot), mainBefore) << "the main plot is left alone";

    leftClick({500, 1300}); // on the origin's line still closes
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_EQ(view.mouseMode, 0);

    drag({0, 500}, {1000, 500});
    EXPECT_EQ(view.profileLevel, kNoProfileLevel) << "a new profile has no level";
    leftClick({-100, 500}); // the main plot's left margin
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_EQ(view.profileStart, (IntPoint{0, 500})) << "the line keeps its ends";
}

TEST_F(Gestures, LevelAndCloseWithThePlotsSideBySide) {
    view.arrangeVertical = false;
    drag({0, 500}, {1000, 500});
    ASSERT_EQ(view.secondOriginX, 1600);

    leftClick({1700, 200});
    EXPECT_EQ(view.profileLevel, 200 - 500);
    EXPECT_EQ(view.secondKind, PlotKind::Profile);
    leftClick({1700, 1200});
    EXPECT_EQ(view.profileLevel, 1200 - 500);

    drag({0, 0}, {1000, 1000});
    EXPECT_EQ(view.profileLevel, kNoProfileLevel);
    leftClick({1200, 200}); // between the plots
    EXPECT_EQ(view.secondKind, PlotKind::None);
}

TEST_F(Gestures, ClicksBesideTheMainPlotWithoutAProfileDoNothing) {
    view.showSecondKind(PlotKind::Elevation);
    leftClick({500, 1400});
    EXPECT_EQ(view.secondKind, PlotKind::Elevation);
    EXPECT_EQ(view.mouseMode, 0);
    EXPECT_TRUE(status.empty());
}

TEST_F(Gestures, NothingHappensWithoutData) {
    doc.dataReady = false;
    drag({100, 100}, {900, 900});
    EXPECT_EQ(view.secondKind, PlotKind::None);
    rightPress({0, 0});
    EXPECT_EQ(view.markedPoint, (IntPoint{-1, -1}));
    rightRelease({0, 0});
    EXPECT_EQ(status, std::vector<QString>({kIdle, kIdle}))
        << "the release restores the idle message";
}

TEST_F(Gestures, TheFirstClickIntoAnInactiveWindowOnlyActivatesIt) {
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    drag({100, 100}, {900, 900});
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_TRUE(status.empty());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));

    drag({100, 100}, {900, 900});
    expectProfile({100, 100}, {900, 900});
}

// A window manager activates the window on the press and then passes the
// press on: the window is already active when it arrives.
TEST_F(Gestures, APressRightAfterActivationFromAnotherApplicationOnlyActivates) {
    QApplication::setActiveWindow(nullptr); // another application takes the activation
    ASSERT_FALSE(view.isActiveWindow());
    // (The platform still counts the view's window as focused and would not
    // activate it again; another window takes that focus first.)
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    activate();
    ASSERT_TRUE(view.isActiveWindow());
    drag({100, 100}, {900, 900});
    EXPECT_EQ(view.secondKind, PlotKind::None);
    drag({100, 100}, {900, 900});
    expectProfile({100, 100}, {900, 900});
}

TEST_F(Gestures, TheRubberBandIsDrawnOverThePictureAndRemovedAgain) {
    settle();
    QImage& picture = view.backBuffer();
    ASSERT_FALSE(picture.isNull());
    const QImage before = picture.copy();

    leftPress({100, 100});
    leftMove({600, 100});
    const QPoint middle = pixel({350, 100});
    EXPECT_NE(picture.pixel(middle), before.pixel(middle)) << "the band shows";
    leftMove({100, 600});
    EXPECT_EQ(picture.pixel(middle), before.pixel(middle)) << "the old band is gone";
    EXPECT_NE(picture.pixel(pixel({100, 350})), before.pixel(pixel({100, 350})));
    leftMove({100, 100});
    leftRelease({100, 100});
    EXPECT_EQ(picture, before) << "a drag that makes no line leaves the picture as it was";
}

} // namespace
