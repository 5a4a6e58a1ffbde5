#pragma once
// A document filled in memory with its view, drawn at magnification 1 so
// that plot unit p of the main plot is pixel p + 200 of the canvas.

#include "MessageCapture.h"
#include "StationFill.h"
#include "data/CTESKAdatDoc.h"
#include "platform/DeviceContext.h"
#include "plot/CTESKAdatView.h"

#include <QImage>
#include <gtest/gtest.h>
#include <vector>

class PaintFixture : public testing::Test {
protected:
    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};

    // Loads stations (metres) as a successful read would, and updates the view.
    void load(std::vector<double> x, std::vector<double> y, std::vector<double> data) {
        loadStations(doc, std::move(x), std::move(y), std::move(data));
        ASSERT_TRUE(doc.dataReady);
        view.magnification = 1.0;
        view.relayout();
    }

    // A window of the canvas, as the view paints it scrolled to `topLeft`.
    QImage renderPart(QPoint topLeft, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::white);
        CDC dc(image);
        view.OnPrepareDC(dc);
        dc.SetViewportOrg(-topLeft.x(), -topLeft.y());
        view.OnDraw(dc);
        return image;
    }

    // The canvas pixel of a main-plot point, and its colour as 0x00RRGGBB.
    static QRgb rgbAt(const QImage& image, int plotX, int plotY) {
        return image.pixel(plotX + 200, plotY + 200) & 0xFFFFFFu;
    }
    static QRgb rgbOf(const Rgb& colour) { return colour.rgb(); }
    static constexpr QRgb kWhite = 0xFFFFFF;
    static constexpr QRgb kBlack = 0x000000;
};
