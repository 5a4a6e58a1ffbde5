#include "CMainFrame.h"
#include "CTESKAdatDoc.h"

#include <gtest/gtest.h>

TEST(MainFrame, InitialSizeFollowsTheScreen) {
    EXPECT_EQ(CMainFrame::initialSize(QSize(1024, 768)), QSize(550, 590));
    EXPECT_EQ(CMainFrame::initialSize(QSize(640, 480)), QSize(512, 432));
}

TEST(MainFrame, CaptionShowsTheDocumentTitle) {
    CTESKAdatDoc doc;
    CMainFrame frame(doc);
    EXPECT_EQ(frame.windowTitle(), "Untitled - TESKA/PORLIN data viewer");
    doc.SetPathName("rel/survey.obs");
    EXPECT_EQ(frame.windowTitle(), "rel/survey.obs - TESKA/PORLIN data viewer");
}
