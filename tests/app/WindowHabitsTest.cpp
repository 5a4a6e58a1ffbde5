// Habits of the main window: zoom about the pointer, the caption after a
// failed read, dropped files, the status bar's two panes, the misfit
// window's place.

#include "MessageCapture.h"
#include "app/CMainFrame.h"
#include "app/CMisfitWindow.h"
#include "app/HoverPane.h"
#include "commands/OpenCommand.h"
#include "data/CTESKAdatDoc.h"
#include "interaction/PointerNavigation.h"
#include "plot/CTESKAdatView.h"

#include <QMimeData>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

const std::string kSamples = std::string(TESKADAT_SOURCE_DIR) + "/samples/";

class WindowHabits : public testing::Test {
protected:
    void open(bool withPredicted) {
        doc.setCommandLinePredicted(false, withPredicted ? kSamples + "magnetic.pre" : "");
        ASSERT_TRUE(doc.OnOpenDocument(kSamples + "magnetic.obs"));
        frame.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        QCoreApplication::processEvents();
    }
    CTESKAdatView& view() { return frame.view(); }
    // The plot units under a viewport pixel, by the view's mapping.
    QPointF unitsAt(QPoint pixel) {
        const AxisMapping across{view().horizontalScrollBar()->value(), view().canvasWidth,
                                 roundHalfAway(view().canvasWidth / view().magnification)};
        const AxisMapping down{view().verticalScrollBar()->value(), view().canvasHeight,
                               roundHalfAway(view().canvasHeight / view().magnification)};
        return {across.unitAt(pixel.x()), down.unitAt(pixel.y())};
    }
    void drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint at = frame.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &enter);
        ASSERT_EQ(enter.isAccepted(), !urls.isEmpty() && urls.size() <= 2);
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &dropped);
        QCoreApplication::processEvents();
    }

    MessageCapture messages;
    CTESKAdatDoc doc;
    CMainFrame frame{doc};
};

TEST_F(WindowHabits, CtrlWheelKeepsThePlotPointUnderThePointer) {
    open(true);
    const QSize frameSize = frame.size();
    const QPoint pointer(300, 200); // on the anomaly of the main plot
    for (int notch = 0; notch < 3; ++notch) {
        const QPointF before = unitsAt(pointer);
        QWheelEvent wheel(pointer, view().viewport()->mapToGlobal(pointer), {}, {0, 120},
                          Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(view().viewport(), &wheel);
        QCoreApplication::processEvents();
        const QPointF moved = (unitsAt(pointer) - before) * view().magnification;
        EXPECT_LE(std::abs(moved.x()), 1.0) << "notch " << notch;
        EXPECT_LE(std::abs(moved.y()), 1.0) << "notch " << notch;
    }
    EXPECT_NEAR(view().magnification, 0.3 * 1.1 * 1.1 * 1.1, 1e-9);
    EXPECT_EQ(frame.size(), frameSize) << "the zoom keeps the window";
}

TEST_F(WindowHabits, AFailedReadLeavesNoFileInTheCaption) {
    open(false);
    ASSERT_TRUE(frame.windowTitle().startsWith(QString::fromStdString(kSamples)));
    EXPECT_FALSE(dialogs::loadDataFiles(doc, kSamples + "missing.obs", ""));
    EXPECT_EQ(frame.windowTitle(), "Untitled - TESKA/PORLIN data viewer");
}

TEST_F(WindowHabits, DroppedFilesOpenAsOpenDoes) {
    open(false);
    const QUrl observations =
        QUrl::fromLocalFile(QString::fromStdString(kSamples + "magnetic.obs"));
    const QUrl predicted = QUrl::fromLocalFile(QString::fromStdString(kSamples + "magnetic.pre"));
    drop({observations, predicted});
    EXPECT_TRUE(doc.hasPredicted);
    EXPECT_EQ(view().secondKind, PlotKind::Predicted);
    EXPECT_TRUE(messages.empty());

    drop({observations, predicted, predicted}); // three files are not taken
    drop({QUrl::fromLocalFile(QString::fromStdString(kSamples + "missing.obs"))});
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Data file:\n" + kSamples + "missing.obs\nnot found.");
    EXPECT_TRUE(doc.hasPredicted) << "the refused drop leaves the data";
}

TEST_F(WindowHabits, TheHoverPaneGivesWayToTheMessage) {
    open(true);
    frame.resize(550, frame.height());
    QCoreApplication::processEvents();
    auto* pane = frame.findChild<CHoverPane*>("hoverPane");
    ASSERT_TRUE(pane);
    const QString readout = "E 512346  N 7512345  12.5 nT";
    pane->setReadout(readout);
    QCoreApplication::processEvents();
    const QString message = CMainFrame::idleMessage();
    const int messageEnd = 6 + frame.statusBar()->fontMetrics().horizontalAdvance(message);
    EXPECT_TRUE(!pane->isVisible() || pane->geometry().left() > messageEnd);
    EXPECT_TRUE(readout.startsWith(pane->text()));

    frame.setStatusText(QString(" (x, y) = (512345.6789, 7512345.678) ,    data = 12.5 ,    "
                                "predicted data = 11.25"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(pane->isVisible()) << "no room beside the station text";
    frame.showIdleMessage();
    QCoreApplication::processEvents();
    EXPECT_FALSE(pane->text().isEmpty()) << "back beside the shorter banner";

    const QFontMetrics metrics = frame.fontMetrics();
    EXPECT_EQ(fittingReadout(readout, metrics, 10000), readout);
    EXPECT_EQ(fittingReadout(readout, metrics, metrics.horizontalAdvance("E 512346  N 75123")),
              "E 512346");
    EXPECT_EQ(fittingReadout(readout, metrics, 5), "");
}

TEST(MisfitWindowPlace, BesideTheMainWindowAndOnTheScreen) {
    const QRect screen(0, 0, 1280, 1024);
    EXPECT_EQ(placeBeside(QRect(10, 20, 550, 600), QSize(600, 400), screen), QPoint(560, 20));
    EXPECT_EQ(placeBeside(QRect(10, 20, 900, 500), QSize(600, 400), screen), QPoint(10, 520))
        << "below when the right has no room";
    EXPECT_EQ(placeBeside(QRect(400, 200, 480, 800), QSize(600, 400), screen), QPoint(680, 200))
        << "no room anywhere: over as little of it as can be";
}

} // namespace
