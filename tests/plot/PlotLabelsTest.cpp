// The label texts and positions of the axes, the colour bar and the titles.

#include "plot/PlotLabels.h"
#include "data/CTESKAdatDoc.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

std::vector<std::string> textsOf(const std::vector<AxisLabel>& labels) {
    std::vector<std::string> texts;
    for (const AxisLabel& label : labels)
        texts.push_back(label.text);
    return texts;
}

std::vector<int> positionsOf(const std::vector<AxisLabel>& labels) {
    std::vector<int> positions;
    for (const AxisLabel& label : labels)
        positions.push_back(label.position);
    return positions;
}

ViewState regionState(double x1, double x2, double y1, double y2) {
    ViewState state;
    state.regionXMin = x1;
    state.regionXMax = x2;
    state.regionYMin = y1;
    state.regionYMax = y2;
    state.plotScale = 1000.0 / (x2 - x1);
    state.plotWidth = (x2 - x1) * state.plotScale;
    state.plotHeight = (y2 - y1) * state.plotScale;
    return state;
}

using Texts = std::vector<std::string>;

TEST(AxisLabels, IntegersBeyondAHundredMetresElseTwoDecimals) {
    const ViewState wide = regionState(0, 6000, 0, 6000);
    EXPECT_EQ(textsOf(eastingLabels(wide)),
              (Texts{"0", "1000", "2000", "3000", "4000", "5000", "6000"}));
    EXPECT_EQ(positionsOf(eastingLabels(wide)),
              (std::vector<int>{0, 167, 333, 500, 667, 833, 1000}));

    EXPECT_EQ(textsOf(eastingLabels(regionState(0, 60, 0, 60))),
              (Texts{"0.00", "10.00", "20.00", "30.00", "40.00", "50.00", "60.00"}));
    EXPECT_EQ(textsOf(eastingLabels(regionState(0, 100, 0, 100))),
              (Texts{"0.00", "16.67", "33.33", "50.00", "66.67", "83.33", "100.00"}))
        << "exactly 100 m still has decimals";
    EXPECT_EQ(textsOf(eastingLabels(regionState(-1000, 0, 0, 1000)))[1], "-833")
        << "rounded, halves away from zero";
    EXPECT_EQ(axisValueText(-2.5, 1000), "-3");
    EXPECT_EQ(axisValueText(6e9, 1e10), "6000000000") << "beyond int: printed whole";
}

TEST(AxisLabels, NorthingIntervalsFollowTheAspect) {
    EXPECT_EQ(northingIntervals(1000, 1000), 6);
    EXPECT_EQ(northingIntervals(1000, 200), 2) << "1.2 rounds to 1, raised to 2";
    EXPECT_EQ(northingIntervals(1000, 333.3), 2);
    EXPECT_EQ(northingIntervals(1000, 2000), 12);
    EXPECT_EQ(northingIntervals(1000, 1e15), kMaxNorthingIntervals);
    EXPECT_EQ(northingIntervals(1000, std::nan("")), 2);

    const ViewState flat = regionState(0, 1000, 0, 200);
    EXPECT_EQ(textsOf(northingLabels(flat)), (Texts{"0", "100", "200"}));
    EXPECT_EQ(positionsOf(northingLabels(flat)), (std::vector<int>{200, 100, 0}))
        << "the southern edge at the bottom";
    const ViewState square = regionState(500, 560, 20, 80);
    EXPECT_EQ(textsOf(northingLabels(square)),
              (Texts{"20.00", "30.00", "40.00", "50.00", "60.00", "70.00", "80.00"}));
}

TEST(ColourBarLabels, SevenValuesFromMinAtTheBottom) {
    const std::vector<AxisLabel> symmetric = colourBarLabels(-3, 3, 1000);
    EXPECT_EQ(textsOf(symmetric), (Texts{"-3", "-2", "-1", "0", "1", "2", "3"}));
    EXPECT_EQ(positionsOf(symmetric), (std::vector<int>{1000, 833, 667, 500, 333, 167, 0}));

    EXPECT_EQ(textsOf(colourBarLabels(1e-7, 2e-7, 1000))[3], "1.5e-07")
        << "a small middle value of a small range is kept";
    EXPECT_EQ(textsOf(colourBarLabels(-3, 3 + 6e-10, 1000))[3], "0")
        << "a tiny positive middle value of a range around 0 prints as 0";
    EXPECT_EQ(textsOf(colourBarLabels(-3 - 6e-10, 3, 1000))[3], "-3e-10")
        << "a tiny negative one is printed as it is";
    EXPECT_EQ(
        textsOf(colourBarLabels(48000, 52000, 1000)),
        (Texts{"4.8e+04", "4.867e+04", "4.933e+04", "5e+04", "5.067e+04", "5.133e+04", "5.2e+04"}));
}

TEST(Titles, SummaryLineAndSecondPlotTitles) {
    CTESKAdatDoc doc;
    doc.count = 615;
    doc.isMagnetic = true;
    doc.header1a = 65;
    doc.header1b = -2.5;
    EXPECT_EQ(summaryText(doc), "615 data,   I = 65,  D = -2.5");
    doc.isMagnetic = false;
    EXPECT_EQ(summaryText(doc), "615 data");

    ViewState state;
    state.secondLabel = "Predicted Data";
    const std::pair<PlotKind, const char*> titles[] = {
        {PlotKind::None, ""},
        {PlotKind::Profile, ""},
        {PlotKind::Errors, "Absolute Errors"},
        {PlotKind::Predicted, "Predicted Data"},
        {PlotKind::NormalizedDifference, "Observed - Predicted (Normalized by Stn Dev)"},
        {PlotKind::Difference, "Observed - Predicted"},
        {PlotKind::Elevation, "Elevation"},
    };
    for (const auto& [kind, title] : titles) {
        state.secondKind = kind;
        EXPECT_EQ(secondPlotTitle(state), title);
    }
}

} // namespace
