#pragma once
// A view on a document filled in memory, shown at one pixel per plot unit,
// with the interaction installed and its status texts recorded.

#include "MessageCapture.h"
#include "StationFill.h"
#include "data/CTESKAdatDoc.h"
#include "interaction/CViewInteraction.h"
#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"

#include <QCoreApplication>
#include <QImage>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

inline const QString kIdle = "<idle>";

class InteractionTest : public testing::Test {
protected:
    InteractionTest() {
        interaction.setStatusText = [this](const QString& text) { status.push_back(text); };
        interaction.showIdleMessage = [this] { status.push_back(kIdle); };
    }

    // Stations as a successful read leaves them; data 1, 2, 3, ... unless given.
    void load(std::vector<double> x, std::vector<double> y, std::vector<double> data = {}) {
        const size_t n = x.size();
        if (data.empty())
            for (size_t i = 0; i < n; ++i)
                data.push_back(static_cast<double>(i + 1));
        loadStations(doc, std::move(x), std::move(y), std::move(data));
        ASSERT_TRUE(doc.dataReady);
        setUpWindow();
    }

    // One pixel per plot unit, so that every plot unit can be pointed at.
    void setUpWindow() {
        view.magnification = 1;
        view.relayout();
        view.resize(900, 700);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        activate();
    }

    void activate() {
        view.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    }

    // Lets the view bring its picture up to date.
    void settle() {
        viewport()->repaint();
        QCoreApplication::processEvents();
    }

    // The viewport pixel of a plot-unit point, by the paint's own mapping.
    QPoint pixel(IntPoint p) const {
        QImage none;
        CDC dc(none);
        view.OnPrepareDC(dc);
        CPoint device(p.x, p.y);
        dc.LPtoDP(&device);
        CPoint back = device;
        dc.DPtoLP(&back);
        EXPECT_TRUE(back.x == p.x && back.y == p.y) << "plot unit " << p.x << "," << p.y;
        return {device.x, device.y};
    }

    QWidget* viewport() const { return view.viewport(); }

    void leftPress(IntPoint p) { QTest::mousePress(viewport(), Qt::LeftButton, {}, pixel(p)); }
    void leftMove(IntPoint p) { QTest::mouseMove(viewport(), pixel(p)); }
    void leftRelease(IntPoint p) { QTest::mouseRelease(viewport(), Qt::LeftButton, {}, pixel(p)); }
    void leftClick(IntPoint p) {
        leftPress(p);
        leftRelease(p);
    }
    void drag(IntPoint from, IntPoint to) {
        leftPress(from);
        leftMove(to);
        leftRelease(to);
    }
    void rightPress(IntPoint p, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(viewport(), Qt::RightButton, keys, pixel(p));
    }
    void rightRelease(IntPoint p, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseRelease(viewport(), Qt::RightButton, keys, pixel(p));
    }

    QString lastStatus() const { return status.empty() ? QString() : status.back(); }

    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};
    CViewInteraction interaction{view};
    std::vector<QString> status;
};
