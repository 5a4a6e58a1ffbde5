#include "InteractionFixture.h"
#include "interaction/PointerNavigation.h"
#include "platform/Resource.h"

#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

TEST(PointerNavigation, AnchoredScrollKeepsThePlotPointUnderThePointer) {
    const AxisMapping before{150, 1500, 5000}; // 0.3 pixels per plot unit
    const double unit = before.unitAt(420);
    EXPECT_DOUBLE_EQ(unit, (420 + 150) * 5000.0 / 1500 - 200);
    const AxisMapping after{0, 1800, 5000}; // magnified by 1.2
    const int scroll = after.scrollKeeping(unit, 420);
    const AxisMapping kept{scroll, 1800, 5000};
    EXPECT_NEAR(kept.unitAt(420), unit, 5000.0 / 1800);
    EXPECT_EQ(after.scrollKeeping(1e300, 0), INT_MAX);
    EXPECT_EQ(after.scrollKeeping(NAN, 0), INT_MIN);
}

TEST(PointerNavigation, HoverTextsShowWholeMetresFromUtmSizesOn) {
    EXPECT_EQ(hoverReadoutText(512345.678, 7512345.4, true, 12.5, "nT"),
              "E 512346  N 7512345  12.5 nT");
    EXPECT_EQ(hoverReadoutText(99999.5, -12.25, false, 0, "nT"),
              "E 99999.5  N -12.25  outside the stations");
}

// A plane v = x + 2 y over a square survey, one pixel per plot unit.
class Navigation : public InteractionTest {
protected:
    void SetUp() override {
        load({0, 1000, 0, 1000, 500}, {0, 0, 1000, 1000, 500}, {0, 1000, 2000, 3000, 1500});
        interaction.setHoverText = [this](const QString& text) { hover = text; };
        interaction.runCommand = [this](int id) {
            ran.push_back(id);
            view.magnification *= id == ID_VIEW_MAGNIFY ? 1.2 : 1 / 1.2;
            view.relayout();
            return true;
        };
    }
    void wheel(IntPoint at, int delta, Qt::KeyboardModifiers keys) {
        const QPointF position = pixel(at);
        QWheelEvent event(position, viewport()->mapToGlobal(position), {}, {0, delta}, Qt::NoButton,
                          keys, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    void moveWithoutButtons(IntPoint at) {
        const QPointF position = pixel(at);
        QMouseEvent event(QEvent::MouseMove, position, viewport()->mapToGlobal(position),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    QString hover;
    std::vector<int> ran;
};

TEST_F(Navigation, HoverReadsThePlaneWithoutPaintingOrTouchingTheMessagePane) {
    settle();
    const QImage before = view.backBuffer().copy();
    moveWithoutButtons({250, 500});
    EXPECT_EQ(hover, "E 250  N 500  1250 mGal"); // northing 500: y counts down from 1000
    EXPECT_TRUE(status.empty());
    moveWithoutButtons({1200, 500}); // beside the map: no plot there
    EXPECT_EQ(hover, "");
    EXPECT_EQ(view.backBuffer(), before);
    moveWithoutButtons({250, 500});
    rightPress({250, 500}); // the station readout takes the status bar alone
    EXPECT_EQ(hover, "");
    rightRelease({250, 500});
}

TEST_F(Navigation, CtrlWheelZoomsThroughTheCommandsShiftWheelScrollsAcross) {
    view.resize(300, 300);
    view.magnification = 1;
    view.relayout();
    QCoreApplication::processEvents();
    const IntPoint target{600, 700};
    const QPoint under = pixel(target);
    wheel(target, 240, Qt::ControlModifier);
    EXPECT_EQ(ran, (std::vector<int>{ID_VIEW_MAGNIFY, ID_VIEW_MAGNIFY}));
    const QPoint now = pixel(target);
    EXPECT_LE((now - under).manhattanLength(), 2) << now.x() << "," << now.y();

    const int across = view.horizontalScrollBar()->value();
    wheel(target, -120, Qt::ShiftModifier);
    EXPECT_GT(view.horizontalScrollBar()->value(), across);
}

TEST_F(Navigation, TheWheelScrollsByThePlatformsStepAndTakesPixelsAsTheyCome) {
    view.resize(300, 300);
    view.relayout();
    QCoreApplication::processEvents();
    QScrollBar* down = view.verticalScrollBar();
    QScrollBar* across = view.horizontalScrollBar();
    const int notch = QApplication::wheelScrollLines() * down->singleStep();
    EXPECT_EQ(notch, 60) << "three lines of 20 pixels with the defaults";
    wheel({500, 500}, -120, Qt::NoModifier);
    EXPECT_EQ(down->value(), notch);
    wheel({500, 500}, -120, Qt::ShiftModifier);
    EXPECT_EQ(across->value(), notch);
    EXPECT_EQ(down->value(), notch);

    // A touchpad: pixels, both ways at once, as they come.
    QWheelEvent touch(pixel({500, 500}), viewport()->mapToGlobal(pixel({500, 500})), {-7, -37},
                      {-10, -50}, Qt::NoButton, Qt::NoModifier, Qt::ScrollUpdate, false);
    QCoreApplication::sendEvent(viewport(), &touch);
    EXPECT_EQ(down->value(), notch + 37);
    EXPECT_EQ(across->value(), notch + 7);
}

TEST_F(Navigation, EscapeAbandonsALineBeingDrawn) {
    leftPress({100, 100});
    leftMove({600, 600});
    ASSERT_EQ(view.mouseMode, 2);
    EXPECT_TRUE(interaction.cancelLine());
    EXPECT_EQ(view.mouseMode, 0);
    leftRelease({600, 600});
    EXPECT_EQ(view.secondKind, PlotKind::None);
    EXPECT_FALSE(interaction.cancelLine());
}

} // namespace
