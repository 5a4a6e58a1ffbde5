#include "app/CMainFrame.h"
#include "data/CTESKAdatDoc.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

QStringList itemTexts(const QMenu* menu) {
    QStringList texts;
    for (const QAction* item : menu->actions())
        texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
    return texts;
}

QMenu* topMenu(const CMainFrame& frame, const QString& title) {
    for (QAction* item : frame.menuBar()->actions())
        if (item->text() == title)
            return item->menu();
    return nullptr;
}

TEST(MainFrame, InitialSizeFollowsTheScreen) {
    EXPECT_EQ(CMainFrame::initialSize(QSize(1024, 768)), QSize(550, 590));
    EXPECT_EQ(CMainFrame::initialSize(QSize(640, 480)), QSize(512, 432));
}

// The command-line load fits the frame before the window was ever laid out.
TEST(MainFrame, TheFrameFitsTheCanvasFromTheStart) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    ASSERT_TRUE(doc.OnOpenDocument(std::string(TESKADAT_SOURCE_DIR) + "/samples/magnetic.obs"));
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const CTESKAdatView& view = frame.view();
    EXPECT_EQ(view.size(), QSize(view.canvasWidth, view.canvasHeight));
    const QSize atStart = frame.size();
    frame.executeCommand(ID_VIEW_RESET);
    EXPECT_EQ(frame.size(), atStart);
}

TEST(MainFrame, CaptionShowsTheDocumentTitle) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    EXPECT_EQ(frame.windowTitle(), "Untitled - TESKA/PORLIN data viewer");
    doc.SetPathName("rel/survey.obs");
    EXPECT_EQ(frame.windowTitle(), "rel/survey.obs - TESKA/PORLIN data viewer");
}

TEST(MainFrame, MenusHoldTheirItemsInOrder) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    QStringList titles;
    for (QAction* item : frame.menuBar()->actions())
        titles << item->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Options", "&Tools", "&Help"}));
    EXPECT_EQ(itemTexts(topMenu(frame, "&File")),
              QStringList({"&Open...\tCtrl+O", "&Save...", "Text editor ...", "-", "E&xit"}));
    EXPECT_EQ(itemTexts(topMenu(frame, "&Options")),
              QStringList({"Min / Max ...", "Region ...", "Labels ...", "log scale"}));
    EXPECT_EQ(itemTexts(topMenu(frame, "&Tools")),
              QStringList({"Misfit statistics ...", "Diverging colours for differences",
                           "Profile with predicted data", "-", "Round tick values",
                           "Mask long triangles ...", "-", "Export picture ...",
                           "Export profile ...", "Export stations as CSV ..."}));
    EXPECT_EQ(itemTexts(topMenu(frame, "&Edit")).mid(7),
              QStringList({"&Copy", "-", "Undo\tCtrl+Z", "Redo\tCtrl+Y"}));
    const QStringList view = itemTexts(topMenu(frame, "&View"));
    EXPECT_EQ(view.mid(0, 8),
              QStringList({"Locations", "Errors", "Predicted data", "Difference (normalized)",
                           "Difference (not normalized)", "elevation", "-", "Colormap ..."}));
    EXPECT_TRUE(view.contains("plotting method"));
    EXPECT_EQ(frame.action(ID_VIEW_ERRORS)->statusTip(), "Display errors");
    EXPECT_EQ(frame.action(ID_METHOD_INC_RADIUS)->text(), "   inc. radius");
}

TEST(MainFrame, ToolbarSharesActionsAndTogglesWithItsCheckMark) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    frame.show();
    int buttons = 0;
    for (QAction* item : frame.toolBar()->actions())
        buttons += item->isSeparator() ? 0 : 1;
    EXPECT_EQ(buttons, 10);
    EXPECT_EQ(frame.action(ID_VIEW_PREDICTED)->toolTip(), "predicted data");

    frame.refreshCommandStates();
    EXPECT_TRUE(frame.action(ID_VIEW_TOOLBAR)->isChecked());
    EXPECT_TRUE(frame.executeCommand(ID_VIEW_TOOLBAR));
    EXPECT_FALSE(frame.toolBar()->isVisible());
    EXPECT_FALSE(frame.action(ID_VIEW_TOOLBAR)->isChecked());
    frame.executeCommand(ID_VIEW_STATUS_BAR);
    EXPECT_FALSE(frame.action(ID_VIEW_STATUS_BAR)->isChecked());
    frame.executeCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame.action(ID_VIEW_STATUS_BAR)->isChecked());
}

TEST(MainFrame, KeysRunOnlyEnabledCommands) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    int resets = 0;
    bool allowed = false;
    frame.commands().add(
        ID_VIEW_RESET, [&] { ++resets; }, [&](CCmdUI& ui) { ui.Enable(allowed); });
    frame.refreshCommandStates();
    QTest::keyClick(&frame.view(), Qt::Key_Escape);
    EXPECT_EQ(resets, 0);
    allowed = true;
    frame.refreshCommandStates();
    QTest::keyClick(&frame.view(), Qt::Key_Escape);
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(frame.executeCommand(12345)) << "an unknown command is disabled";
}

TEST(MainFrame, EnableRulesBeforeAndAfterALoad) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    frame.refreshCommandStates();
    for (int id : {ID_FILE_SAVE_AS, ID_FILE_TEXT_EDITOR, ID_EDIT_ASSIGN_ERROR, ID_EDIT_DOWNSAMPLE,
                   ID_VIEW_ERRORS, ID_VIEW_PREDICTED, ID_OPTIONS_REGION, ID_OPTIONS_LOG_SCALE,
                   ID_EDIT_CROP, ID_VIEW_MAGNIFY})
        EXPECT_FALSE(frame.action(id)->isEnabled()) << id;
    for (int id : {ID_FILE_OPEN, ID_APP_ABOUT, ID_EDIT_COPY, ID_VIEW_COLOURMAP, ID_OPTIONS_LABELS})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;

    const std::string path = std::string(TESKADAT_SOURCE_DIR) + "/samples/magnetic.obs";
    doc.setCommandLinePredicted(false, std::string(TESKADAT_SOURCE_DIR) + "/samples/magnetic.pre");
    ASSERT_TRUE(doc.OnOpenDocument(path));
    frame.refreshCommandStates();
    for (int id : {ID_FILE_SAVE_AS, ID_FILE_TEXT_EDITOR, ID_EDIT_ASSIGN_ERROR, ID_EDIT_DOWNSAMPLE,
                   ID_VIEW_ERRORS, ID_VIEW_PREDICTED, ID_OPTIONS_REGION, ID_VIEW_MAGNIFY})
        EXPECT_TRUE(frame.action(id)->isEnabled()) << id;
    EXPECT_TRUE(frame.action(ID_VIEW_PREDICTED)->isChecked());
    EXPECT_FALSE(frame.action(ID_OPTIONS_LOG_SCALE)->isEnabled())
        << "the anomaly has negative values";
    EXPECT_EQ(frame.windowTitle(), QString::fromStdString(path) + " - TESKA/PORLIN data viewer");
}

TEST(MainFrame, StatusBarFallsBackToTheIdleMessage) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    EXPECT_EQ(frame.statusBar()->currentMessage(), CMainFrame::idleMessage());
    frame.setStatusText("(Easting, Northing)  =  (1,  2)");
    EXPECT_EQ(frame.statusBar()->currentMessage(), "(Easting, Northing)  =  (1,  2)");
    frame.showIdleMessage();
    EXPECT_EQ(frame.statusBar()->currentMessage(), CMainFrame::idleMessage());
}

} // namespace
