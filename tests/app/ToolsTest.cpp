// The Tools menu in the main window: the misfit window follows the data,
// the check items, and the profile export.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "app/CMainFrame.h"
#include "app/CMisfitWindow.h"
#include "commands/ToolsCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/FileDialogs.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"
#include "plot/ProfileExport.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

class ToolsMenu : public testing::Test {
protected:
    MessageCapture messages;
    CTESKAdatDoc doc;
    CMainFrame frame{doc};

    void openSample(bool withPredicted = true) {
        const std::string samples = std::string(TESKADAT_SOURCE_DIR) + "/samples/";
        doc.setCommandLinePredicted(false, withPredicted ? samples + "magnetic.pre" : "");
        ASSERT_TRUE(doc.OnOpenDocument(samples + "magnetic.obs"));
        frame.refreshCommandStates();
    }
    static void settle() { QCoreApplication::processEvents(); }
};

TEST_F(ToolsMenu, MisfitWindowFollowsEveryKindOfEdit) {
    openSample(false);
    EXPECT_FALSE(frame.action(ID_TOOLS_MISFIT)->isEnabled());
    EXPECT_FALSE(frame.action(ID_TOOLS_PROFILE_PREDICTED)->isEnabled());
    EXPECT_TRUE(frame.action(ID_TOOLS_DIVERGING)->isEnabled());
    openSample();
    ASSERT_TRUE(frame.executeCommand(ID_TOOLS_MISFIT));
    CMisfitWindow& window = frame.misfitWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(window.statistics().stations, 615);
    const double bias = window.statistics().bias;

    doc.deleteStation(0); // stations removed: the document's update
    settle();
    EXPECT_EQ(window.statistics().stations, 614);
    doc.addConstant(100); // values changed in place: the direct reload of the values
    settle();
    EXPECT_NEAR(window.statistics().bias, bias + 100, 1);
    doc.assignStandardDeviation(0, 1000); // the direct reload of the errors
    settle();
    EXPECT_EQ(window.statistics().beyond2, 0);

    window.close();
    ASSERT_TRUE(frame.executeCommand(ID_TOOLS_MISFIT));
    EXPECT_EQ(&frame.misfitWindow(), &window) << "made once, shown again";
    window.copyFigures();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              misfitSummaryText(computeMisfit(doc)));
    EXPECT_TRUE(messages.empty());
}

TEST_F(ToolsMenu, CheckItemsAndTheExportOfTheShownProfile) {
    openSample();
    CTESKAdatView& view = frame.view();
    frame.executeCommand(ID_VIEW_DIFFERENCE);
    const double plainMin = view.secondMin, plainMax = view.secondMax;
    frame.executeCommand(ID_TOOLS_DIVERGING);
    EXPECT_TRUE(frame.action(ID_TOOLS_DIVERGING)->isChecked());
    EXPECT_EQ(view.secondMin, -std::max(-plainMin, plainMax)) << "the plot shown follows at once";
    EXPECT_EQ(view.secondMax, -view.secondMin);

    EXPECT_FALSE(frame.action(ID_TOOLS_EXPORT_PROFILE)->isEnabled());
    view.profileStart = {100, 300};
    view.profileEnd = {900, 400};
    view.secondKind = PlotKind::Profile;
    view.relayout();
    frame.executeCommand(ID_TOOLS_PROFILE_PREDICTED);
    EXPECT_TRUE(view.profileWithPredicted);
    frame.refreshCommandStates();
    ASSERT_TRUE(frame.action(ID_TOOLS_EXPORT_PROFILE)->isEnabled());

    TempDir folder;
    std::string offered;
    const auto previous = dialogs::setSaveFileHandler(
        [&](QWidget*, const QString&, const QString& name, const QString&) {
            offered = name.toStdString();
            return QString::fromStdString(folder.file("line.csv"));
        });
    EXPECT_TRUE(frame.executeCommand(ID_TOOLS_EXPORT_PROFILE));
    dialogs::setSaveFileHandler(previous);
    EXPECT_EQ(offered, std::string(TESKADAT_SOURCE_DIR) + "/samples/magnetic-profile.csv");
    EXPECT_EQ(readWholeFile(folder.file("line.csv")),
              profileCsvText(viewProfileSamples(view), true));
}

} // namespace
