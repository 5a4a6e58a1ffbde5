// Judging a fit on the view: the diverging colours of the difference plots,
// the profile samples with the predicted data, and their CSV file.

#include "PaintFixture.h"
#include "TempFiles.h"
#include "plot/ProfileExport.h"
#include "plot/StationTriangulation.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace {

double plane(double easting, double northing) {
    return 3 + 0.02 * easting - 0.01 * northing;
}

class ResidualView : public PaintFixture {
protected:
    // Stations (metres) with their predicted values, loaded as a read of both files would.
    void loadWithPredicted(std::vector<double> x, std::vector<double> y, std::vector<double> data,
                           std::vector<double> predicted) {
        fillStations(doc, std::move(x), std::move(y), std::move(data));
        doc.predicted = std::move(predicted);
        doc.hasPredicted = true;
        doc.UpdateAllViews(nullptr, HintNewData);
        ASSERT_TRUE(doc.dataReady);
        view.magnification = 1.0;
        view.relayout();
    }

    // A triangle of stations every 100 m (x + y <= 1000) on the plane, the
    // predicted values 1 above it. The region is the square 0..1000, so
    // the north-east half of the plot lies outside the stations' hull.
    void loadTriangle() {
        std::vector<double> x, y, data, predicted;
        for (int i = 0; i <= 10; ++i)
            for (int j = 0; i + j <= 10; ++j) {
                x.push_back(100.0 * i);
                y.push_back(100.0 * j);
                data.push_back(plane(x.back(), y.back()));
                predicted.push_back(data.back() + 1);
            }
        loadWithPredicted(x, y, data, predicted);
    }

    void showProfile(IntPoint a, IntPoint b) {
        view.profileStart = a;
        view.profileEnd = b;
        view.secondKind = PlotKind::Profile;
        view.relayout();
    }
};

TEST_F(ResidualView, DivergingColoursCentreTheDifferencesOnWhite) {
    // Differences -1 .. 3.
    loadWithPredicted({0, 1000, 0, 1000}, {0, 0, 1000, 1000}, {1, 2, 3, 4}, {2, 2, 3, 1});
    view.showSecondKind(PlotKind::Difference);
    EXPECT_EQ(view.secondMin, -1);
    EXPECT_EQ(view.secondMax, 3);
    const QImage plain = view.renderCanvas();

    view.divergingDifferences = true;
    view.showSecondKind(PlotKind::Difference);
    EXPECT_EQ(view.secondMin, -3);
    EXPECT_EQ(view.secondMax, 3);
    const ColourTable chosen = view.colourTable;
    const QImage diverging = view.renderCanvas();
    EXPECT_EQ(view.colourTable.colours, chosen.colours) << "the main plot keeps its map";

    // The middle strip of the second colour bar, and a main-plot pixel.
    const int barX = 1000 + 175, middleY = view.secondOriginY + 500;
    EXPECT_EQ(rgbAt(diverging, barX, middleY), kWhite);
    EXPECT_NE(rgbAt(plain, barX, middleY), kWhite);
    EXPECT_EQ(rgbAt(diverging, 500, 500), rgbAt(plain, 500, 500));

    const ColourTable table = divergingColourTable();
    EXPECT_EQ(table[30].rgb(), kWhite);
    EXPECT_EQ(table[0].rgb(), 0x2166ACu);
    EXPECT_EQ(table[60].rgb(), 0xB2182Bu);
    EXPECT_GT(table[29].b, table[29].r) << "below zero is blue";
    EXPECT_GT(table[31].r, table[31].b) << "above zero is red";

    // No difference at all: white, not the colour of a degenerate range.
    loadWithPredicted({0, 1000, 0}, {0, 0, 1000}, {1, 2, 3}, {1, 2, 3});
    view.showSecondKind(PlotKind::NormalizedDifference);
    EXPECT_EQ(view.secondMin, -1);
    EXPECT_EQ(view.secondMax, 1);
}

TEST_F(ResidualView, ProfileSamplesOfAPlaneAreLinearAndGapsOutsideTheHull) {
    loadTriangle();
    showProfile({0, 500}, {1000, 500}); // northing 500, eastings 0 to 1000
    std::vector<double> predictedNodes(size_t(view.nodeCount()));
    toNodeOrder(doc.predicted, doc.count, view, predictedNodes);
    const std::vector<ProfileSample> samples = sampleProfile(view, view, &predictedNodes, 1000);
    ASSERT_EQ(samples.size(), 249u);
    int inside = 0, outside = 0;
    for (size_t j = 0; j < samples.size(); ++j) {
        const ProfileSample& s = samples[j];
        EXPECT_EQ(s.distance, 4.0 * (j + 1));
        EXPECT_EQ(s.easting, 4.0 * (j + 1));
        EXPECT_EQ(s.northing, 500);
        if (s.easting < 499.5) {
            ++inside;
            EXPECT_NEAR(s.observed, plane(s.easting, 500), 1e-12);
            EXPECT_NEAR(s.predicted, plane(s.easting, 500) + 1, 1e-12);
        } else if (s.easting > 500.5) {
            ++outside;
            EXPECT_TRUE(std::isnan(s.observed)) << s.easting;
            EXPECT_TRUE(std::isnan(s.predicted)) << s.easting;
        }
    }
    EXPECT_EQ(inside, 124);
    EXPECT_EQ(outside, 124);

    // The file has the same rows, gaps as empty fields.
    std::istringstream csv(profileCsvText(viewProfileSamples(view), true));
    std::string line;
    std::getline(csv, line);
    EXPECT_EQ(line, "distance,easting,northing,observed,predicted");
    std::vector<std::string> rows;
    while (std::getline(csv, line))
        rows.push_back(line);
    ASSERT_EQ(rows.size(), 249u);
    double distance = 0, easting = 0, northing = 0, observed = 0, predicted = 0;
    ASSERT_EQ(std::sscanf(rows[10].c_str(), "%lf,%lf,%lf,%lf,%lf", &distance, &easting, &northing,
                          &observed, &predicted),
              5);
    EXPECT_EQ(distance, 44);
    EXPECT_NEAR(observed, plane(44, 500), 1e-9);
    EXPECT_NEAR(predicted, observed + 1, 1e-9);
    EXPECT_EQ(rows[200], "804,804,500,,");

    // Without predicted data the last column stays empty.
    EXPECT_EQ(profileCsvText({samples[0]}, false).substr(45), "4,4,500,-1.92,\n");
}

TEST_F(ResidualView, ExportWritesTheWholeFileOrNothing) {
    loadTriangle();
    showProfile({0, 500}, {1000, 500});
    TempDir folder;
    const std::string path = folder.file("profile.csv");
    EXPECT_TRUE(exportProfile(view, path));
    EXPECT_EQ(readWholeFile(path), profileCsvText(viewProfileSamples(view), true));
    EXPECT_TRUE(messages.empty());

    const std::string missing = folder.file("no such folder/profile.csv");
    EXPECT_FALSE(exportProfile(view, missing));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().style, unsigned(MB_ICONHAND));
    EXPECT_EQ(messages.last().text.rfind("Error: " + missing + "\ncould not be saved: ", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.file("no such folder")));
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path()))
        ++files;
    EXPECT_EQ(files, 1u) << "no temporary left behind";
}

TEST_F(ResidualView, ProfileWithPredictedDrawsBothCurvesOnlyWhenAskedFor) {
    loadTriangle();
    showProfile({0, 500}, {1000, 500});
    const auto redPixels = [this] {
        const QImage canvas = view.renderCanvas();
        int red = 0;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                red += (canvas.pixel(x, y) & 0xFFFFFFu) == 0xDC1E1Eu;
        return red;
    };
    EXPECT_EQ(redPixels(), 0);
    view.profileWithPredicted = true;
    EXPECT_GT(redPixels(), 500);
}

} // namespace
