// Figures with round ticks: colour bars that say what they show, northing
// labels on any region shape, and the profile as a chart whose text never
// overprints other text, a curve's end or a letter.

#include "PaintFixture.h"
#include "platform/VectorLayer.h"
#include "plot/Contours.h"
#include "plot/ProfileExport.h"

#include <QTransform>
#include <cmath>
#include <map>
#include <string>

namespace {

struct PlacedText {
    std::string text;
    QRectF box; // canvas pixels
};

class Figure : public PaintFixture {
protected:
    // Lines 40 m apart with a station every 25 m, a ridge along x = 500
    // that dips below zero beside it; predicted values a damped copy.
    void loadRidge(double width, double height) {
        std::vector<double> x, y, data;
        for (double yy = 0; yy <= height; yy += 40)
            for (double xx = 0; xx <= width; xx += 25) {
                x.push_back(xx);
                y.push_back(yy);
                const double d = (xx - width / 2) / 100;
                data.push_back(400 * std::exp(-d * d) - 30 * std::exp(-d * d / 9));
            }
        load(x, y, data);
        doc.predicted = doc.data;
        for (double& p : doc.predicted)
            p *= 0.8;
        doc.hasPredicted = true;
        view.roundTicks = true;
    }

    void showProfile(IntPoint a, IntPoint b, int level) {
        view.profileStart = a;
        view.profileEnd = b;
        view.profileLevel = level;
        view.profileWithPredicted = true;
        view.secondKind = PlotKind::Profile;
        view.relayout();
    }

    std::vector<PlacedText> texts(const VectorLayer& layer) const {
        std::vector<PlacedText> placed;
        for (const VectorLayer::Item& item : layer.items())
            if (const auto* text = std::get_if<VectorLayer::Text>(&item)) {
                QTransform placement;
                placement.translate(text->origin.x(), text->origin.y());
                placement.rotate(text->angle);
                placed.push_back({text->text.toStdString(), placement.mapRect(text->box)});
            }
        return placed;
    }

    void expectNoOverprints(const std::vector<PlacedText>& placed) const {
        const QRectF canvas(0, 0, view.canvasWidth, view.canvasHeight);
        for (size_t i = 0; i < placed.size(); ++i) {
            SCOPED_TRACE(placed[i].text);
            EXPECT_TRUE(canvas.contains(placed[i].box));
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(placed[i].box.intersects(placed[j].box))
                    << "overprints " << placed[j].text;
        }
    }

    // The curves: polylines of pens wider than a pixel, at least 100 pixels long.
    static std::vector<QPolygonF> curves(const VectorLayer& layer) {
        std::vector<QPolygonF> found;
        for (const VectorLayer::Item& item : layer.items())
            if (const auto* line = std::get_if<VectorLayer::Polyline>(&item))
                if (line->pen.width > 1 && line->points.boundingRect().width() >= 100)
                    found.push_back(line->points);
        return found;
    }
};

TEST_F(Figure, ColourBarsHaveTitlesTrianglesForClippedValuesAndFramedMaps) {
    loadRidge(1000, 700);
    view.showSecondKind(PlotKind::Difference);
    view.mainMax = doc.dataMax - 50; // clipped above only
    view.mainMin = doc.dataMin - 1;
    VectorLayer layer;
    view.renderCanvas(&layer);
    const std::vector<PlacedText> placed = texts(layer);
    expectNoOverprints(placed);
    int titles = 0;
    for (const PlacedText& text : placed)
        titles += text.text == "Observed (" + view.unitsLabel + ")" ||
                  text.text == "Difference (" + view.unitsLabel + ")";
    EXPECT_EQ(titles, 2);

    const QImage canvas = view.renderCanvas();
    const int barMiddle = int(view.plotWidth) + 175;
    EXPECT_EQ(rgbAt(canvas, barMiddle, -8), rgbOf(view.colourTable[60])) << "values above";
    EXPECT_EQ(rgbAt(canvas, barMiddle, int(view.plotHeight) + 8), kWhite) << "none below";
    EXPECT_EQ(rgbAt(canvas, 500, 0), kBlack) << "the map's frame";

    view.roundTicks = false;
    const QImage plain = view.renderCanvas();
    EXPECT_EQ(rgbAt(plain, barMiddle, -8), kWhite);
}

TEST_F(Figure, RegionsOfAnyShapeGetTwoNorthingLabels) {
    for (const double height : {200.0, 40.0}) {
        SCOPED_TRACE(height);
        loadRidge(5000, height);
        VectorLayer layer;
        view.renderCanvas(&layer);
        const std::vector<PlacedText> placed = texts(layer);
        expectNoOverprints(placed);
        int northing = 0;
        for (const PlacedText& text : placed)
            northing += text.box.right() < 200 - 30 && text.text.find_first_of("0123456789") == 0;
        EXPECT_GE(northing, 2);
    }
}

TEST_F(Figure, ProfileChartTextClearsOtherTextCurveEndsAndLetters) {
    loadRidge(1000, 700);
    const struct {
        IntPoint a, b;
        int level;
    } lines[] = {{{100, 100}, {900, 600}, -100},
                 {{450, 300}, {560, 330}, -150},
                 {{0, 350}, {1000, 350}, -300}};
    for (const auto& line : lines) {
        SCOPED_TRACE(testing::Message() << line.a.x << "," << line.a.y << " to " << line.b.x);
        showProfile(line.a, line.b, line.level);
        VectorLayer layer;
        view.renderCanvas(&layer);
        const std::vector<PlacedText> placed = texts(layer);
        expectNoOverprints(placed);
        const std::vector<QPolygonF> drawn = curves(layer);
        ASSERT_EQ(drawn.size(), 2u) << "observed and predicted";
        for (const QPolygonF& curve : drawn) {
            // Whatever the line's length, the curve spans the panel.
            EXPECT_GE(curve.boundingRect().width(), 0.9 * view.plotWidth - 40);
            for (const QPointF end : {curve.front(), curve.back()})
                for (const PlacedText& text : placed)
                    EXPECT_FALSE(text.box.adjusted(-3, -3, 3, 3).contains(end)) << text.text;
        }
    }
}

TEST_F(Figure, ProfileSamplesKeepTheirSpacingInMetresAtAnyMagnification) {
    loadRidge(1000, 700);
    showProfile({100, 350}, {900, 350}, kNoProfileLevel);
    const std::vector<ProfileSample> atDefault = viewProfileSamples(view);
    view.magnification = 0.3;
    view.relayout();
    const std::vector<ProfileSample> small = viewProfileSamples(view);
    ASSERT_EQ(atDefault.size(), small.size());
    ASSERT_GT(small.size(), 10u);
    EXPECT_DOUBLE_EQ(small[1].distance - small[0].distance, 12.5) << "half the 25 m spacing";
    for (size_t i = 0; i < small.size(); ++i)
        EXPECT_EQ(small[i].observed, atDefault[i].observed);
    view.profileStep = 100;
    EXPECT_EQ(viewProfileSamples(view).size(), 9u) << "0 to 800 m every 100 m";
}

TEST_F(Figure, ContoursOfAPlaneAreStraightEvenlySpacedLines) {
    std::vector<double> x, y, data;
    for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 7; ++j) {
            x.push_back(100 * i + 13 * (j % 2)); // not a regular grid
            y.push_back(100 * j);
            data.push_back(0.5 * x.back() + 3); // a plane rising eastward
        }
    load(x, y, data);
    const std::vector<ContourSegment> segments = contourSegments(view, view, view.mainValues, 50);
    std::map<double, int> levels;
    for (const ContourSegment& s : segments) {
        const double expectedX = ((s.level - 3) / 0.5 - view.regionXMin) * view.plotScale;
        EXPECT_NEAR(s.x0, expectedX, 1e-6) << s.level;
        EXPECT_NEAR(s.x1, expectedX, 1e-6) << s.level;
        ++levels[s.level];
    }
    // 50, 100, ... 500 within the values 3 to 509.5; each level crosses the
    // survey from south to north.
    ASSERT_EQ(levels.size(), 10u);
    EXPECT_EQ(levels.begin()->first, 50);
    EXPECT_EQ(levels.rbegin()->first, 500);
    for (const auto& [level, count] : levels)
        EXPECT_GE(count, 7) << level;

    view.maskLength = 50; // every triangle has a longer edge
    EXPECT_TRUE(contourSegments(view, view, view.mainValues, 50).empty());
}

} // namespace
