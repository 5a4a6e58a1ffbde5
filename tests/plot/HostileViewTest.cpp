// Extreme station sets loaded into the document and its view, then drawn
// with every plotting method and second plot: each gives a message or a
// sound picture, and nothing undefined reaches the pixel arithmetic.

#include "MessageCapture.h"
#include "data/CTESKAdatDoc.h"
#include "plot/CTESKAdatView.h"
#include "plot/NodeOrder.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

struct Stations {
    std::vector<double> x, y, data;
    void add(double px, double py, double value) {
        x.push_back(px);
        y.push_back(py);
        data.push_back(value);
    }
};

// A survey in local metres, rotated by `angle` and moved to UTM size.
Stations atUtmSize(const std::vector<std::pair<double, double>>& local, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    Stations stations;
    for (const auto& [east, north] : local)
        stations.add(500000 + c * east - s * north, 6000000 + s * east + c * north,
                     std::sin(east / 90) + north / 400);
    return stations;
}

class HostileView : public testing::Test {
protected:
    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};

    // Loads the stations as a successful read would; true when the view
    // took them (otherwise one message and an empty set).
    bool load(const Stations& stations) {
        messages.clear();
        const size_t n = stations.x.size();
        doc.count = static_cast<int>(n);
        doc.x = stations.x;
        doc.y = stations.y;
        doc.data = stations.data;
        doc.elevation.assign(n, 100.0);
        doc.error.assign(n, 0.05);
        doc.predicted = stations.data;
        doc.hasPredicted = true;
        doc.recomputeExtents();
        doc.dataReady = true;
        doc.UpdateAllViews(nullptr, HintNewData);
        if (!doc.dataReady) {
            EXPECT_EQ(messages.messages().size(), 1u);
            EXPECT_EQ(doc.count, 0);
        }
        return doc.dataReady;
    }

    // Strongly coloured pixels: what the colour maps paint and neither the
    // background, the axes nor the text have.
    static int colouredPixels(const QImage& image) {
        int coloured = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                const int r = qRed(p), g = qGreen(p), b = qBlue(p);
                coloured += std::max({r, g, b}) - std::min({r, g, b}) > 60 ? 1 : 0;
            }
        return coloured;
    }

    // Draws the canvas with every plotting method and several second plots;
    // returns the fewest coloured pixels of those pictures.
    int drawEveryWay() {
        int fewest = INT_MAX;
        for (PlotMethod method :
             {PlotMethod::Original, PlotMethod::GradientFill, PlotMethod::Circles})
            for (PlotKind second :
                 {PlotKind::Predicted, PlotKind::NormalizedDifference, PlotKind::Errors}) {
                view.plotMethod = method;
                view.showSecondKind(second);
                const QImage canvas = view.renderCanvas();
                EXPECT_FALSE(canvas.isNull());
                fewest = std::min(fewest, colouredPixels(canvas));
            }
        return fewest;
    }
};

TEST_F(HostileView, UtmSizedRotatedGridsAndNearlyCollinearLinesDrawWholeMaps) {
    std::vector<std::pair<double, double>> grid, lines;
    for (int i = 0; i < 25; ++i)
        for (int j = 0; j < 25; ++j)
            grid.emplace_back(25.0 * i, 25.0 * j);
    for (int line = 0; line < 5; ++line)
        for (int i = 0; i < 120; ++i)
            lines.emplace_back(10.0 * i, 200.0 * line + ((i * 37) % 11 - 5) * 1e-9);
    for (double angle : {1e-7, 0.3, 0.7853981633974483, 2.1}) {
        ASSERT_TRUE(load(atUtmSize(grid, angle))) << messages.last().text;
        EXPECT_GT(drawEveryWay(), 5000) << "grid at " << angle;
        ASSERT_TRUE(load(atUtmSize(lines, angle))) << messages.last().text;
        EXPECT_GT(drawEveryWay(), 1000) << "lines at " << angle;
    }
}

TEST_F(HostileView, NonFiniteValuesStillGiveAPicture) {
    Stations stations;
    for (int i = 0; i < 36; ++i)
        stations.add(i % 6, i / 6, i);
    stations.data[3] = NAN;
    stations.data[10] = HUGE_VAL;
    stations.data[20] = -HUGE_VAL;
    ASSERT_TRUE(load(stations));
    drawEveryWay();
    // Values spread over the whole double range: max - min overflows.
    stations.data = std::vector<double>(36, 0.0);
    stations.data[0] = -1.7e308;
    stations.data[35] = 1.7e308;
    ASSERT_TRUE(load(stations));
    EXPECT_GT(drawEveryWay(), 0);
}

TEST_F(HostileView, NonFiniteOrOverflowingPositionsAreRefused) {
    Stations stations;
    for (int i = 0; i < 16; ++i)
        stations.add(i % 4, i / 4, i);
    for (auto spoil : {+[](Stations& s) { s.x[5] = NAN; }, +[](Stations& s) { s.y[7] = HUGE_VAL; },
                       +[](Stations& s) {
                           s.x[0] = -1.7e308;
                           s.x[15] = 1.7e308;
                       }}) {
        Stations spoilt = stations;
        spoil(spoilt);
        EXPECT_FALSE(load(spoilt));
        EXPECT_EQ(messages.last().text,
                  "Error: station positions that are not finite numbers, or too far\n"
                  "from the displayed region, cannot be plotted.");
        EXPECT_EQ(messages.last().style, MB_ICONHAND);
        EXPECT_FALSE(view.renderCanvas().isNull());
    }
}

TEST_F(HostileView, ExtremeExtentsAreScaledToThePlot) {
    // Extents of 1e300 and of a trillionth of a metre both fill the plot.
    for (double spacing : {1e299, 1e-13}) {
        Stations stations;
        for (int i = 0; i < 49; ++i)
            stations.add(spacing * (i % 7 - 3), spacing * (i / 7 - 3) + spacing * 0.01 * (i % 7),
                         i % 5);
        ASSERT_TRUE(load(stations)) << spacing << ": " << messages.last().text;
        EXPECT_GT(drawEveryWay(), 5000) << spacing;
    }
    // At UTM size a trillionth of a metre is below the resolution of the
    // numbers: the stations coincide and are refused as duplicates.
    Stations close;
    for (int i = 0; i < 49; ++i)
        close.add(500000 + 1e-12 * (i % 7), 6000000 + 1e-12 * (i / 7), i);
    EXPECT_FALSE(load(close));
}

TEST(HostileNodeOrder, NaNKeysAreOrderedSomewhereWithinTheArray) {
    // Found by fuzzing: NaN keys broke the insertion sort's stopping entry,
    // and a shift ran past the front of the index.
    std::mt19937 random(11);
    for (int trial = 0; trial < 2000; ++trial) {
        const int n = 2 + trial % 60;
        std::vector<double> key(n);
        for (double& k : key)
            k = random() % 4 == 0 ? NAN : double(random() % 100);
        std::vector<int32_t> index(n);
        quickSortIndex(n, key.data(), index.data());
        std::vector<int32_t> sorted = index;
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(sorted[i], i + 1) << "a permutation of the stations, trial " << trial;
    }
}

} // namespace
