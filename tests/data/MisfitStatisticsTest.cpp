#include "data/MisfitStatistics.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Stations {
    std::vector<double> data, predicted, error;
    void add(double d, double p, double e) {
        data.push_back(d);
        predicted.push_back(p);
        error.push_back(e);
    }
    MisfitStatistics misfit() const {
        return computeMisfit(data.data(), predicted.data(), error.data(),
                             static_cast<int>(data.size()));
    }
};

} // namespace

// Residuals 1, 2, -3, 0, -6 over errors 1, 0.5, 1, 2, 1 (normalised 1, 4,
// -3, 0, -6); three stations without a usable error, one of them with the
// largest difference of all, must not count.
TEST(MisfitStatistics, FiguresOfAHandCheckedSet) {
    Stations s;
    s.add(10, 9, 1);
    s.add(12, 10, 0.5);
    s.add(7, 10, 1);
    s.add(5, 5, 2);
    s.add(100, 0, 0);  // no error
    s.add(3, 3, -1);   // negative error
    s.add(kNaN, 3, 1); // no value
    s.add(-2, 4, 1);
    const MisfitStatistics m = s.misfit();
    EXPECT_EQ(m.stations, 5);
    EXPECT_EQ(m.withoutPositiveError, 3);
    EXPECT_DOUBLE_EQ(m.rms, std::sqrt(50.0 / 5));
    EXPECT_DOUBLE_EQ(m.bias, -6.0 / 5);
    EXPECT_DOUBLE_EQ(m.chi2PerStation, 62.0 / 5);
    EXPECT_EQ(m.beyond2, 3); // 4, -3, -6
    EXPECT_EQ(m.beyond3, 2); // 4, -6 (exactly 3 is not beyond)
    EXPECT_DOUBLE_EQ(m.percentBeyond2, 60);
    EXPECT_DOUBLE_EQ(m.percentBeyond3, 40);
    EXPECT_EQ(m.largestDifference, 6);
    EXPECT_EQ(m.largestStation, 8);
    EXPECT_EQ(misfitSummaryText(m), "misfit: 5 stations, rms 3.16228, bias -1.2, chi2/N 12.4\n"
                                    "beyond 2 sigma: 3 (60.0%), beyond 3 sigma: 2 (40.0%)\n"
                                    "largest difference: 6 at station 8\n"
                                    "stations without a positive error: 3\n");
}

TEST(MisfitStatistics, HistogramBinsAndEnds) {
    Stations s;
    for (double r : {1.0, 4.0, -3.0, 0.0, -6.0, -5.0, 5.0, 5.0000001, 0.2499, 0.25, -0.0001})
        s.add(r, 0, 1);
    const MisfitStatistics m = s.misfit();
    std::array<int, kResidualBins> expected{};
    expected[24] = 1; // 1
    expected[36] = 1; // 4
    expected[8] = 1;  // -3
    expected[20] = 2; // 0 and 0.2499
    expected[21] = 1; // 0.25 opens the next bin
    expected[19] = 1; // just below 0
    expected[0] = 1;  // -5 is inside
    expected[39] = 1; // so is 5
    EXPECT_EQ(m.bins, expected);
    EXPECT_EQ(m.below, 1); // -6
    EXPECT_EQ(m.above, 1); // 5.0000001
}

// Differences of 1e16, 1 and -1e16: summed in double the 1 is lost.
TEST(MisfitStatistics, SumsKeepSmallTermsBesideLargeOnes) {
    Stations s;
    s.add(1e16, 0, 1);
    s.add(1, 0, 1);
    s.add(0, 1e16, 1);
    EXPECT_DOUBLE_EQ(s.misfit().bias, 1.0 / 3);
}

TEST(MisfitStatistics, NoUsableStationGivesNoFiguresButNoDivision) {
    Stations s;
    s.add(1, 0, 0);
    s.add(2, kNaN, 1);
    s.add(3, 0, std::numeric_limits<double>::infinity());
    const MisfitStatistics m = s.misfit();
    EXPECT_EQ(m.stations, 0);
    EXPECT_EQ(m.withoutPositiveError, 3);
    EXPECT_TRUE(std::isnan(m.rms));
    EXPECT_EQ(m.largestStation, 0);
    EXPECT_EQ(m.percentBeyond2, 0);
    // Extreme finite values neither overflow the differences nor the figures.
    Stations extreme;
    extreme.add(1e308, -1e308, 1e-300);
    extreme.add(0, 0, 1);
    const MisfitStatistics e = extreme.misfit();
    EXPECT_EQ(e.stations, 2);
    EXPECT_EQ(e.above, 1);
    EXPECT_EQ(e.largestStation, 1);
    EXPECT_TRUE(std::isinf(e.largestDifference));
}
