#include "MessageCapture.h"
#include "StationFill.h"
#include "data/CTESKAdatDoc.h"
#include "plot/CTESKAdatView.h"
#include "plot/StationTriangulation.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

bool allWhite(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu)
                return false;
    return true;
}

// Stations as a successful read leaves them; data 1 unless given.
void fill(CTESKAdatDoc& doc, std::vector<double> x, std::vector<double> y,
          std::vector<double> data = {}) {
    if (data.empty())
        data.assign(x.size(), 1.0);
    fillStations(doc, std::move(x), std::move(y), std::move(data));
}

class ViewUpdate : public testing::Test {
protected:
    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};
};

TEST_F(ViewUpdate, ThreeStationsBecomeOneTriangleInPlotUnits) {
    fill(doc, {0, 10, 0}, {0, 0, 10});
    doc.UpdateAllViews(nullptr, HintNewData);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(doc.dataReady);
    EXPECT_EQ(view.plotScale, 100);
    ASSERT_EQ(view.nodeCount(), 3);
    for (int node = 0; node < 3; ++node) {
        const int station = view.nodeOrder[node] - 1;
        const double expectedX[] = {0, 1000, 0}, expectedY[] = {1000, 1000, 0};
        EXPECT_EQ(view.stationX[node], expectedX[station]);
        EXPECT_EQ(view.stationY[node], expectedY[station]);
    }
    const std::vector<Triangle> triangles = listTriangles(view);
    ASSERT_EQ(triangles.size(), 1u);
    EXPECT_EQ(triangles[0][0], 0);
    EXPECT_EQ(view.mainLabel, "Observed Gravity Data");
    EXPECT_EQ(view.unitsLabel, "mGal");
}

TEST_F(ViewUpdate, DuplicatesAreListedOnceEachInStationOrder) {
    // Stations 2 and 5 share a position, and so do 3 and 7.
    fill(doc, {0, 5, 9, 1, 5, 2, 9, 3}, {0, 5, 1, 4, 5, 8, 1, 2});
    doc.UpdateAllViews(nullptr, HintNewData);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Error: duplicate points found.\n\n"
                                    "2:  5 5 100  1\n"
                                    "3:  9 1 100  1\n"
                                    "5:  5 5 100  1\n"
                                    "7:  9 1 100  1\n");
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
    EXPECT_EQ(doc.count, 0) << "a refused set leaves nothing to draw";
    EXPECT_FALSE(doc.dataReady);
}

TEST_F(ViewUpdate, DuplicatesOnALineOfOneEastingAreAllListed) {
    // Stations 2 to 7 share one easting; 3, 5 and 7 coincide, and so do 4 and 6.
    fill(doc, {0, 3, 3, 3, 3, 3, 3, 8}, {0, 1, 5, 2, 5, 2, 5, 1});
    doc.UpdateAllViews(nullptr, HintNewData);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Error: duplicate points found.\n\n"
                                    "3:  3 5 100  1\n"
                                    "4:  3 2 100  1\n"
                                    "5:  3 5 100  1\n"
                                    "6:  3 2 100  1\n"
                                    "7:  3 5 100  1\n");
}

TEST_F(ViewUpdate, CollinearSetsAreRefused) {
    fill(doc, {4, 4, 4, 4}, {0, 1, 1, 3}); // one easting: refused before the duplicate check
    doc.UpdateAllViews(nullptr, HintNewData);
    EXPECT_EQ(messages.last().text, "Error: Points in the data file are collinear.");

    messages.clear();
    fill(doc, {0, 1, 2, 4}, {0, 2, 4, 8}); // exactly on one line in plot units too
    doc.UpdateAllViews(nullptr, HintNewData);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Error: Points in the data file are collinear.");
    EXPECT_EQ(doc.count, 0);
}

TEST_F(ViewUpdate, TooFewStationsDrawNothingButStayInTheSet) {
    fill(doc, {0, 1}, {0, 1});
    doc.UpdateAllViews(nullptr, HintStationsChanged);
    EXPECT_EQ(messages.last().text, "Error: Need more than 2 data.");
    EXPECT_FALSE(doc.dataReady);
    EXPECT_EQ(doc.count, 2);
    EXPECT_EQ(view.nodeCount(), 0);
}

TEST_F(ViewUpdate, LayoutOfOneAndTwoPlots) {
    fill(doc, {0, 100, 0, 100}, {0, 0, 200, 200});
    doc.UpdateAllViews(nullptr, HintNewData);
    EXPECT_DOUBLE_EQ(view.plotHeight, 2000);
    EXPECT_EQ(view.canvasWidth, 480);
    EXPECT_EQ(view.canvasHeight, 720);

    view.showSecondKind(PlotKind::Elevation);
    EXPECT_EQ(view.canvasWidth, 480);
    EXPECT_EQ(view.canvasHeight, 1398);
    EXPECT_EQ(view.secondOriginY, 2300);

    view.arrangeVertical = false;
    view.relayout();
    EXPECT_EQ(view.canvasWidth, 960);
    EXPECT_EQ(view.secondOriginX, 1600);

    view.secondKind = PlotKind::None;
    view.relayout();
    EXPECT_EQ(view.canvasWidth, 480) << "the single plot size returns";
    EXPECT_EQ(view.secondOriginX, 1600) << "the origins are kept";
}

TEST_F(ViewUpdate, ExtremeRegionsKeepTheCanvasSizeInRange) {
    fill(doc, {0, 1, 0}, {0, 0, 1e9});
    doc.UpdateAllViews(nullptr, HintNewData);
    view.showSecondKind(PlotKind::Elevation); // doubles a canvas beyond the int range
    EXPECT_GT(view.canvasHeight, 1000000000); // clamped, not wrapped round
    EXPECT_GT(view.canvasWidth, 0);
}

TEST_F(ViewUpdate, SecondPlotRanges) {
    fill(doc, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 2, 3, 4});
    doc.predicted = {3, 1, 3, -1};
    doc.hasPredicted = true;
    doc.error = {1, 1, 1, 1};
    doc.UpdateAllViews(nullptr, HintNewData);
    EXPECT_EQ(view.secondKind, PlotKind::Predicted) << "predicted data are shown at once";
    EXPECT_EQ(view.secondMin, 1);
    EXPECT_EQ(view.secondMax, 4);

    view.showSecondKind(PlotKind::NormalizedDifference); // -2 .. 5
    EXPECT_EQ(view.secondMin, -5);
    EXPECT_EQ(view.secondMax, 5);

    view.showSecondKind(PlotKind::Errors);
    EXPECT_DOUBLE_EQ(view.secondMin, 0.99);
    EXPECT_DOUBLE_EQ(view.secondMax, 1.01);

    view.showSecondKind(PlotKind::Difference);
    EXPECT_EQ(view.secondMin, -2);
    EXPECT_EQ(view.secondMax, 5);
    for (int node = 0; node < view.nodeCount(); ++node) {
        const int station = view.nodeOrder[node] - 1;
        EXPECT_EQ(view.secondaryValues[node], doc.data[station] - doc.predicted[station]);
    }
}

TEST_F(ViewUpdate, ValueEditsRefreshADifferenceSecondPlot) {
    fill(doc, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 2, 3, 4});
    doc.predicted = {3, 1, 3, -1};
    doc.hasPredicted = true;
    doc.error = {1, 1, 1, 1};
    doc.UpdateAllViews(nullptr, HintNewData);
    view.showSecondKind(PlotKind::Difference);
    doc.addConstant(10); // differences 8, 11, 10, 15
    EXPECT_EQ(view.secondMin, 8);
    EXPECT_EQ(view.secondMax, 15);
    for (int node = 0; node < view.nodeCount(); ++node) {
        const int station = view.nodeOrder[node] - 1;
        EXPECT_EQ(view.secondaryValues[node], doc.data[station] - doc.predicted[station]);
    }
    EXPECT_EQ(view.mainMin, 1) << "the main colour range stays";
    EXPECT_EQ(view.mainMax, 4);

    view.showSecondKind(PlotKind::NormalizedDifference);
    doc.assignStandardDeviation(0, 2); // 4, 5.5, 5, 7.5
    EXPECT_EQ(view.secondMin, 4);
    EXPECT_EQ(view.secondMax, 7.5);
    doc.addGaussianNoise(0, 1, 1); // errors 1 again, values moved
    for (int node = 0; node < view.nodeCount(); ++node) {
        const int station = view.nodeOrder[node] - 1;
        EXPECT_EQ(view.secondaryValues[node],
                  (doc.data[station] - doc.predicted[station]) / doc.error[station]);
    }
}

TEST_F(ViewUpdate, AFailedReadClearsThePictureAtOnce) {
    view.resize(300, 300);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    fill(doc, {0, 10, 0, 10}, {0, 0, 10, 10}, {1, 2, 3, 4});
    doc.UpdateAllViews(nullptr, HintNewData);
    view.viewport()->repaint();
    ASSERT_FALSE(allWhite(view.backBuffer()));

    EXPECT_FALSE(doc.OnOpenDocument("/no/such/folder/survey.obs"));
    // The window system shows the kept picture again through restores and
    // overlaps; only a repaint asked for by the view replaces it.
    QCoreApplication::processEvents();
    EXPECT_TRUE(allWhite(view.backBuffer()));
}

TEST_F(ViewUpdate, StationsChangedKeepsRegionAndLabels) {
    fill(doc, {0, 10, 0, 10}, {0, 0, 10, 10});
    doc.UpdateAllViews(nullptr, HintNewData);
    view.mainLabel = "typed by the user";
    view.regionXMax = 20;
    doc.UpdateAllViews(nullptr, HintStationsChanged);
    EXPECT_EQ(view.mainLabel, "typed by the user");
    EXPECT_EQ(view.regionXMax, 20);
    EXPECT_EQ(view.plotScale, 50);
    doc.UpdateAllViews(nullptr, HintNewData);
    EXPECT_EQ(view.mainLabel, "Observed Gravity Data");
    EXPECT_EQ(view.regionXMax, 10);
}

TEST_F(ViewUpdate, RefreshMainValuesFollowsNodeOrder) {
    fill(doc, {3, 1, 2, 0}, {0, 5, 1, 4}, {30, 10, 20, 0});
    doc.UpdateAllViews(nullptr, HintNewData);
    doc.data = {31, 11, 21, 1};
    view.refreshMainValues();
    EXPECT_EQ(view.mainValues, (std::vector<double>{1, 11, 21, 31}));
}

} // namespace

namespace {

// Undo and redo bring back the picture of the other side of each step: the
// colour ranges, the second plot and the profile that the edits reset.
TEST(UndoPicture, UndoingToTheSavedStateGivesItsPicturePixelForPixel) {
    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view(doc);
    doc.history.setEnabled(true);
    const std::string samples = std::string(TESKADAT_SOURCE_DIR) + "/samples/";
    doc.setCommandLinePredicted(false, samples + "magnetic.pre");
    ASSERT_TRUE(doc.OnOpenDocument(samples + "magnetic.obs"));
    view.secondKind = PlotKind::Profile; // a profile with its level, as drawn with the mouse
    view.profileStart = {100, 100};
    view.profileEnd = {900, 600};
    view.profileLevel = -50;
    view.relayout();
    const QImage saved = view.renderCanvas();

    doc.assignStandardDeviation(5, 1);
    doc.addGaussianNoise(5, 1, 7);
    doc.addConstant(100);
    ASSERT_TRUE(doc.downsample(2));
    view.showSecondKind(PlotKind::Difference);
    const QImage edited = view.renderCanvas();
    for (int step = 0; step < 4; ++step)
        ASSERT_TRUE(view.undo());
    EXPECT_FALSE(view.undo());
    EXPECT_EQ(view.secondKind, PlotKind::Profile);
    EXPECT_EQ(view.renderCanvas(), saved);
    for (int step = 0; step < 4; ++step)
        ASSERT_TRUE(view.redo());
    EXPECT_EQ(view.renderCanvas(), edited);
    EXPECT_TRUE(messages.empty());
}

} // namespace
