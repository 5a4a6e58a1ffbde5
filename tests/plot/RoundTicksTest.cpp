#include "plot/RoundTicks.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// The step must be 1, 2 or 5 times a power of ten.
bool isRoundStep(double step) {
    const double power = std::pow(10.0, std::floor(std::log10(step) + 1e-12));
    const double leading = step / power;
    return std::fabs(leading - 1) < 1e-9 || std::fabs(leading - 2) < 1e-9 ||
           std::fabs(leading - 5) < 1e-9;
}

TEST(RoundTicks, RoundStepsWithAboutSixTicksFromMillimetresToUtm) {
    for (double offset : {0.0, -350.0, 512000.0, 7512000.0}) {
        for (double span = 1e-3; span <= 1e7; span *= 3.7) {
            if (offset != 0 && span < offset * 1e-12)
                continue;
            const double lo = offset, hi = offset + span;
            const RoundTicks ticks = chooseRoundTicks(lo, hi);
            SCOPED_TRACE(testing::Message() << lo << " .. " << hi);
            ASSERT_GT(ticks.step, 0);
            EXPECT_TRUE(isRoundStep(ticks.step)) << ticks.step;
            EXPECT_GE(ticks.values.size(), 3u);
            EXPECT_LE(ticks.values.size(), 11u);
            for (size_t i = 0; i < ticks.values.size(); ++i) {
                const double v = ticks.values[i];
                // Doubles near a UTM offset are about 1e-9 m apart.
                const double slack = 1e-9 * ticks.step + 1e-15 * std::fabs(v);
                EXPECT_GE(v, lo - slack);
                EXPECT_LE(v, hi + slack);
                EXPECT_NEAR(v, std::round(v / ticks.step) * ticks.step, slack);
                if (i > 0) {
                    EXPECT_GT(v, ticks.values[i - 1]);
                }
            }
        }
    }
}

TEST(RoundTicks, LabelsWithoutExponentAndZeroSnapped) {
    const RoundTicks utm = chooseRoundTicks(7511400, 7516700);
    ASSERT_FALSE(utm.values.empty());
    EXPECT_EQ(utm.step, 1000);
    EXPECT_EQ(formatRoundTick(utm.values.front(), utm.step), "7512000");
    EXPECT_EQ(formatRoundTick(0.0015, 0.0005), "0.0015");
    EXPECT_EQ(formatRoundTick(-3e-17, 0.1), "0");
    EXPECT_EQ(formatRoundTick(-0.2, 0.1), "-0.2");
    const RoundTicks around = chooseRoundTicks(-0.3 + 1e-17, 0.3);
    EXPECT_EQ(std::count(around.values.begin(), around.values.end(), 0.0), 1);
}

TEST(RoundTicks, NoTicksForRangesThatCannotHaveThem) {
    const double inf = INFINITY, nan = NAN;
    for (auto [lo, hi] : {std::pair{1.0, 1.0},
                          {0.0, inf},
                          {nan, 1.0},
                          {-1e308, 1e308},
                          {1e300, 1e300 * (1 + 1e-15)}})
        EXPECT_EQ(chooseRoundTicks(lo, hi).step, 0) << lo << " " << hi;
    EXPECT_EQ(chooseRoundTicks(0, 1, 0).values.size(), 0u);
    EXPECT_EQ(chooseRoundTicks(10, 0).values.front(), 0); // reversed ends
}

} // namespace
