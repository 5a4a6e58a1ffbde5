#include "commands/ViewCommands.h"
#include "MessageCapture.h"
#include "commands/EditCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgRegion.h"
#include "dialogs/CMinMax.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {

class ViewCommands : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<double> x = {0, 100, 0, 100, 50}, y = {0, 0, 100, 100, 40};
        doc.count = 5;
        doc.x = x;
        doc.y = y;
        doc.data = {1, 2, 3, 4, 5};
        doc.elevation = {10, 20, 30, 40, 50};
        doc.error = {0.05, 0.05, 0.05, 0.05, 0.05};
        doc.predicted = {1, 1, 1, 1, 1};
        doc.hasPredicted = true;
        doc.recomputeExtents();
        doc.dataReady = true;
        doc.UpdateAllViews(nullptr, HintNewData);
        registerViewCommands(commands, view);
    }
    void TearDown() override { dialogs::setModalRunner({}); }

    bool enabled(int id) const { return commands.state(id).enabled(); }
    bool checked(int id) const { return commands.state(id).checked(); }

    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};
    CommandTable commands;
};

TEST_F(ViewCommands, MagnifyShrinkAndReset) {
    EXPECT_EQ(view.secondKind, PlotKind::Predicted);
    commands.execute(ID_VIEW_MAGNIFY);
    EXPECT_DOUBLE_EQ(view.magnification, 0.33);
    commands.execute(ID_VIEW_MAGNIFY);
    EXPECT_DOUBLE_EQ(view.magnification, 0.363);
    while (enabled(ID_VIEW_MAGNIFY))
        commands.execute(ID_VIEW_MAGNIFY);
    EXPECT_GE(view.canvasWidth, 8000);
    EXPECT_LT(view.canvasWidth / 1.1, 8000);

    commands.execute(ID_VIEW_RESET);
    EXPECT_EQ(view.magnification, 0.3);
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_EQ(view.canvasWidth, 480);

    while (enabled(ID_VIEW_SHRINK))
        commands.execute(ID_VIEW_SHRINK);
    EXPECT_LE(view.canvasHeight, 50);
}

TEST_F(ViewCommands, SecondPlotTogglesAndTheirRules) {
    EXPECT_TRUE(checked(ID_VIEW_PREDICTED));
    commands.execute(ID_VIEW_PREDICTED);
    EXPECT_EQ(view.secondKind, PlotKind::None) << "choosing the shown kind turns it off";
    EXPECT_FALSE(enabled(ID_ARRANGE_VERTICAL));

    commands.execute(ID_VIEW_ERRORS);
    EXPECT_EQ(view.secondKind, PlotKind::Errors);
    EXPECT_DOUBLE_EQ(view.secondMin, 0.0495);
    EXPECT_DOUBLE_EQ(view.secondMax, 0.0505);
    commands.execute(ID_VIEW_ELEVATION);
    EXPECT_EQ(view.secondKind, PlotKind::Elevation) << "another kind replaces the shown one";
    EXPECT_TRUE(checked(ID_VIEW_ELEVATION));
    EXPECT_FALSE(checked(ID_VIEW_ERRORS));

    EXPECT_TRUE(checked(ID_ARRANGE_VERTICAL));
    commands.execute(ID_ARRANGE_HORIZONTAL);
    EXPECT_FALSE(view.arrangeVertical);
    EXPECT_EQ(view.canvasWidth, 960);

    doc.hasPredicted = false;
    EXPECT_FALSE(enabled(ID_VIEW_DIFFERENCE));
    EXPECT_TRUE(enabled(ID_VIEW_ERRORS));
}

TEST_F(ViewCommands, PlottingMethodRadiusFontAndLocations) {
    EXPECT_TRUE(checked(ID_METHOD_ORIGINAL));
    EXPECT_FALSE(enabled(ID_METHOD_INC_RADIUS));
    EXPECT_FALSE(commands.execute(ID_METHOD_INC_RADIUS)) << "Q and W act only with circles";
    EXPECT_EQ(view.circleRadius, 6);

    commands.execute(ID_METHOD_CIRCLES);
    EXPECT_FALSE(enabled(ID_VIEW_LOCATIONS));
    EXPECT_TRUE(commands.execute(ID_METHOD_INC_RADIUS));
    EXPECT_EQ(view.circleRadius, 7);
    view.circleRadius = 1;
    EXPECT_FALSE(enabled(ID_METHOD_DEC_RADIUS));
    commands.execute(ID_METHOD_GRADIENT_FILL);
    EXPECT_TRUE(enabled(ID_VIEW_LOCATIONS));

    commands.execute(ID_VIEW_LOCATIONS);
    EXPECT_FALSE(view.showLocations);
    EXPECT_FALSE(checked(ID_VIEW_LOCATIONS));

    commands.execute(ID_FONT_INCREASE);
    EXPECT_EQ(view.fontHeight, 45);
    view.fontHeight = 5;
    EXPECT_FALSE(enabled(ID_FONT_DECREASE));
}

TEST_F(ViewCommands, RegionDialogAndItsReset) {
    dialogs::setModalRunner([](QDialog& dialog) {
        static_cast<CDlgRegion&>(dialog).setRegion(0, 50, 0, 100);
        dialog.accept();
        return dialog.result();
    });
    commands.execute(ID_OPTIONS_REGION);
    EXPECT_EQ(view.regionXMax, 50);
    EXPECT_EQ(view.plotScale, 20);
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_TRUE(enabled(ID_EDIT_CROP)) << "stations lie outside the region now";

    dialogs::setModalRunner([](QDialog& dialog) {
        static_cast<CDlgRegion&>(dialog).reset();
        return dialog.result();
    });
    commands.execute(ID_OPTIONS_REGION);
    EXPECT_EQ(view.regionXMax, 100) << "Reset gives the data extent";
    EXPECT_FALSE(enabled(ID_EDIT_CROP));
}

TEST_F(ViewCommands, ARegionThatCannotBePlottedKeepsThePreviousOne) {
    // So narrow that the stations' plot positions overflow: refused with
    // the message, and the view goes on with the region it had.
    const std::vector<int32_t> lists = view.adjacency, ends = view.adjacencyEnd;
    dialogs::setModalRunner([](QDialog& dialog) {
        static_cast<CDlgRegion&>(dialog).setRegion(0, 1e-300, 0, 100);
        dialog.accept();
        return dialog.result();
    });
    commands.execute(ID_OPTIONS_REGION);
    EXPECT_EQ(messages.last().text,
              "Error: station positions that are not finite numbers, or too far\n"
              "from the displayed region, cannot be plotted.");
    EXPECT_EQ(view.regionXMax, 100);
    EXPECT_EQ(view.plotScale, 10);
    EXPECT_TRUE(doc.dataReady);
    EXPECT_EQ(view.nodeCount(), 5);
    EXPECT_EQ(view.adjacencyEnd, ends);
    EXPECT_EQ(view.adjacency, lists);
    EXPECT_FALSE(view.renderCanvas().isNull());
}

TEST_F(ViewCommands, ColourRangeResetScansTheSecondValues) {
    commands.execute(ID_VIEW_ELEVATION);
    view.mainMin = -7;
    dialogs::setModalRunner([](QDialog& dialog) {
        static_cast<CMinMax&>(dialog).reset();
        return dialog.result();
    });
    commands.execute(ID_OPTIONS_MIN_MAX);
    EXPECT_EQ(view.mainMin, 1);
    EXPECT_EQ(view.mainMax, 5);
    EXPECT_EQ(view.secondMin, 10);
    EXPECT_EQ(view.secondMax, 50);
}

} // namespace
