#include "platform/MessageBox.h"
#include "MessageCapture.h"

#include <gtest/gtest.h>

TEST(MessageBox, CaptureRecordsTextStyleAndAnswersFromItsQueue) {
    MessageCapture capture;
    capture.answerNext(IDYES);
    EXPECT_EQ(AfxMessageBox("Delete?", MB_YESNO | MB_ICONQUESTION), IDYES);
    EXPECT_EQ(AfxMessageBox("Again?", MB_YESNO), IDNO) << "unanswered Yes/No changes nothing";
    EXPECT_EQ(AfxMessageBox("Save?", MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(AfxMessageBox("Note"), IDOK);
    ASSERT_EQ(capture.messages().size(), 4u);
    EXPECT_EQ(capture.messages()[0].text, "Delete?");
    EXPECT_EQ(capture.messages()[0].style, MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(capture.last().style, MB_OK);
}

TEST(MessageBox, DefaultHandlerWritesTextAndLineFeedToStandardError) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox("Error: Need more than 2 data.", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Need more than 2 data.\n");
}

TEST(MessageBox, CapturesNestAndRestore) {
    MessageCapture outer;
    {
        MessageCapture inner;
        AfxMessageBox("inner");
        EXPECT_EQ(inner.messages().size(), 1u);
    }
    AfxMessageBox("outer");
    ASSERT_EQ(outer.messages().size(), 1u);
    EXPECT_EQ(outer.last().text, "outer");
}
