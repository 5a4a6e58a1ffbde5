#include "MessageCapture.h"
#include "data/CTESKAdatDoc.h"
#include "data/EditChecks.h"
#include "data/Random.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the document asks of its view, in order.
class RecordingView : public CView, public ValueRefresher {
public:
    void OnUpdate(CView*, long hint, void*) override {
        calls.push_back("hint " + std::to_string(hint));
    }
    void refreshMainValues() override { calls.push_back("main"); }
    void refreshErrorValues() override { calls.push_back("errors"); }
    void invalidate() override { calls.push_back("invalidate"); }
    std::vector<std::string> calls;
};

// A station set built in memory: station i at (i, 10 i), elevation 100 + i.
class DataEdits : public testing::Test {
protected:
    void SetUp() override { doc.AddView(&view); }

    void load(const std::vector<double>& values, const std::vector<double>& predictedValues = {}) {
        doc.count = static_cast<int>(values.size());
        doc.data = values;
        doc.x.clear();
        doc.y.clear();
        doc.elevation.clear();
        for (int i = 0; i < doc.count; ++i) {
            doc.x.push_back(i);
            doc.y.push_back(10.0 * i);
            doc.elevation.push_back(100.0 + i);
        }
        doc.error.assign(values.size(), 0.5);
        doc.predicted = predictedValues;
        doc.hasPredicted = !predictedValues.empty();
        doc.recomputeExtents();
        doc.SetModifiedFlag(false);
        view.calls.clear();
    }

    std::vector<double> xs() const { return {doc.x.begin(), doc.x.begin() + doc.count}; }

    MessageCapture messages;
    CTESKAdatDoc doc;
    RecordingView view;
};

// The recurrence written out independently of data::RuntimeRandom.
struct ReferenceRand {
    unsigned long long state;
    int next() {
        state = (state * 214013ULL + 2531011ULL) % 4294967296ULL;
        return static_cast<int>((state / 65536) % 32768);
    }
};

// One polar-method pair from the reference generator: {returned, spare}.
std::pair<double, double> referencePair(ReferenceRand& random) {
    while (true) {
        const double u1 = random.next() / 32767.0 * 2 - 1;
        const double u2 = random.next() / 32767.0 * 2 - 1;
        const double s = u1 * u1 + u2 * u2;
        if (s < 1) {
            const double m = std::sqrt(-2 * std::log(s) / s);
            return {u2 * m, u1 * m};
        }
    }
}

TEST(RuntimeRandom, ReproducesTheClassicRuntimeSequence) {
    data::RuntimeRandom random;
    // The runtime's well-known first values without a seed (state 1).
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358})
        EXPECT_EQ(random.rand(), expected);

    random.srand(4000000000u);
    ReferenceRand reference{4000000000u};
    for (int i = 0; i < 1000; ++i)
        ASSERT_EQ(random.rand(), reference.next()) << "draw " << i;
    EXPECT_EQ(random.state(), reference.state);
    EXPECT_EQ(data::kRandScale, 1.0 / 32767);
}

TEST(GaussianDeviates, ReturnsOneOfEachPairAndKeepsTheOtherAcrossReseeding) {
    data::GaussianDeviates deviates;
    deviates.seed(42);
    ReferenceRand reference{42};
    const auto first = referencePair(reference);
    EXPECT_EQ(deviates.gaussianDeviate(), first.first);
    EXPECT_TRUE(deviates.hasSpare());
    deviates.seed(7); // the spare is not cleared by reseeding
    EXPECT_EQ(deviates.gaussianDeviate(), first.second);
    EXPECT_FALSE(deviates.hasSpare());
    ReferenceRand reseeded{7};
    EXPECT_EQ(deviates.gaussianDeviate(), referencePair(reseeded).first);
}

TEST(EditChecks, DialogValueRules) {
    EXPECT_EQ(data::checkErrorValues(0, 0.1).message, nullptr) << "a percent of 0 is accepted";
    const data::ErrorValuesCheck noMinimum = data::checkErrorValues(-5, 0);
    EXPECT_STREQ(noMinimum.message, "Minimum must be greater than 0.");
    EXPECT_EQ(noMinimum.field, data::ErrorField::Minimum) << "the minimum is checked first";
    const data::ErrorValuesCheck negative = data::checkErrorValues(-5, 1);
    EXPECT_STREQ(negative.message, "Percent cannot be negative.");
    EXPECT_EQ(negative.field, data::ErrorField::Percent);

    EXPECT_STREQ(data::checkDownsampleStep(1, 3), "Downsample value must be greater than 1.");
    EXPECT_STREQ(data::checkDownsampleStep(4, 3), "Downsample value too large.");
    EXPECT_EQ(data::checkDownsampleStep(3, 3), nullptr);
    EXPECT_STREQ(data::checkDownsampleStep(2, 1), "Downsample value too large.");
}

TEST(EditChecks, NumberParsing) {
    double real = 0;
    EXPECT_TRUE(data::parseReal(" -1.5e2 ", real));
    EXPECT_EQ(real, -150);
    for (const char* refused : {"", "abc", "1,5", "2x", "nan", "inf", "1e999"})
        EXPECT_FALSE(data::parseReal(refused, real)) << refused;
    int integer = 0;
    EXPECT_TRUE(data::parseInteger(" 12 ", integer));
    EXPECT_EQ(integer, 12);
    for (const char* refused : {"", "1.5", "0x10", "99999999999", "3 4"})
        EXPECT_FALSE(data::parseInteger(refused, integer)) << refused;
}

TEST_F(DataEdits, AssignStandardDeviation) {
    load({-20, 0, 30});
    doc.assignStandardDeviation(5, 0.1);
    EXPECT_DOUBLE_EQ(doc.error[0], 1.1);
    EXPECT_EQ(doc.error[1], 0.1);
    EXPECT_DOUBLE_EQ(doc.error[2], 1.6);
    EXPECT_EQ(doc.data[0], -20) << "values are not touched";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"errors", "invalidate"}));
}

TEST_F(DataEdits, GaussianNoiseUsesTheSinglePrecisionFactorAndTheSeed) {
    load({100, -200, 300}, {1, 2, 3});
    doc.addGaussianNoise(10, 1, 42);
    ReferenceRand reference{42};
    const auto pair1 = referencePair(reference);
    const auto pair2 = referencePair(reference);
    const double deviates[] = {pair1.first, pair1.second, pair2.first};
    const double values[] = {100, -200, 300};
    for (int i = 0; i < 3; ++i) {
        const double expectedError = std::fabs(values[i]) * (10 * 0.009999999776482582) + 1;
        EXPECT_EQ(doc.error[i], expectedError);
        EXPECT_EQ(doc.data[i], values[i] + deviates[i] * expectedError);
    }
    EXPECT_NE(doc.error[0], 100 * (10 * 0.01) + 1) << "assign and noise factors differ";
    EXPECT_EQ(doc.predicted, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(doc.dataMax, doc.data[2]) << "extents recomputed";
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"main", "errors", "invalidate"}));

    // Three deviates leave a spare; the next command with the same seed starts with it.
    load({0, 0, 0});
    doc.addGaussianNoise(0, 1, 42);
    EXPECT_EQ(doc.error, (std::vector<double>{1, 1, 1}));
    EXPECT_EQ(doc.data[0], pair2.second);
    EXPECT_EQ(doc.data[1], pair1.first);
}

TEST_F(DataEdits, AddConstantShiftsValuesAndExtents) {
    load({1, 5, 3}, {7, 8, 9});
    const double oldMin = doc.dataMin, oldMax = doc.dataMax;
    doc.addConstant(-0.3);
    EXPECT_EQ(doc.data, (std::vector<double>{1 - 0.3, 5 - 0.3, 3 - 0.3}));
    EXPECT_EQ(doc.dataMin, oldMin - 0.3);
    EXPECT_EQ(doc.dataMax, oldMax - 0.3);
    EXPECT_EQ(doc.error[0], 0.5);
    EXPECT_EQ(doc.predicted[0], 7);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"main", "invalidate"}));
}

TEST_F(DataEdits, AddConstantInLogScaleMultipliesTheValues) {
    load({2, 20, 200});
    ASSERT_TRUE(doc.toggleLogScale());
    doc.addConstant(1);
    ASSERT_TRUE(doc.toggleLogScale());
    EXPECT_NEAR(doc.data[0], 20, 1e-12);
    EXPECT_NEAR(doc.data[2], 2000, 1e-9);
    EXPECT_NEAR(doc.dataMax, 2000, 1e-9);
}

TEST_F(DataEdits, DownsampleKeepsEveryStepthStation) {
    load({0, 1, 2, 3, 4, 5, 6}, {10, 11, 12, 13, 14, 15, 16});
    EXPECT_EQ(doc.downsampleMaximum(), 3);
    ASSERT_TRUE(doc.downsample(2));
    EXPECT_EQ(xs(), (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(doc.predicted[3], 16);
    EXPECT_EQ(doc.elevation[1], 102);
    EXPECT_EQ(doc.xMax, 6);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"hint 1"}));

    load({0, 1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(doc.downsample(3));
    EXPECT_EQ(xs(), (std::vector<double>{0, 3, 6}));
    EXPECT_EQ(doc.downsampleMaximum(), 1) << "three stations: no step is accepted";
    EXPECT_FALSE(doc.downsample(0));
    EXPECT_EQ(doc.count, 3);

    load({0, 1, 2, 3, 4});
    EXPECT_EQ(doc.downsampleMaximum(), 2);
}

TEST_F(DataEdits, CropKeepsStationsOnTheEdgeAndMayEmptyTheSet) {
    load({5, 6, 7, 8});
    doc.x[3] = std::nan("");
    EXPECT_TRUE(doc.extendsBeyondRegion(1, 3, 0, 30));
    EXPECT_FALSE(doc.extendsBeyondRegion(0, 3, 0, 30));
    doc.cropToRegion(1, 3, 0, 30);
    EXPECT_EQ(xs(), (std::vector<double>{1, 2})) << "x = 1 is on the edge; NaN fails";
    EXPECT_EQ(doc.data, (std::vector<double>{6, 7, 7, 8}));
    EXPECT_EQ(doc.xMin, 1);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"hint 1"}));

    doc.cropToRegion(100, 200, 100, 200);
    EXPECT_EQ(doc.count, 0);
    EXPECT_FALSE(doc.canEditValues());
    EXPECT_FALSE(doc.canSave());
    EXPECT_FALSE(doc.canToggleLogScale());
}

TEST_F(DataEdits, DeleteStation) {
    load({0, 1, 2, 3}, {10, 11, 12, 13});
    ASSERT_TRUE(doc.deleteStation(3));
    EXPECT_EQ(xs(), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(doc.data[3], 3) << "deleting the last station only lowers count";
    ASSERT_TRUE(doc.deleteStation(0));
    EXPECT_EQ(xs(), (std::vector<double>{1, 2}));
    EXPECT_EQ(doc.predicted[0], 11);
    EXPECT_EQ(doc.dataMin, 1);
    EXPECT_FALSE(doc.deleteStation(2));
    EXPECT_FALSE(doc.deleteStation(-1));
    EXPECT_EQ(doc.count, 2);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"hint 1", "hint 1"}));
}

TEST_F(DataEdits, LogScaleRoundTripAndEnableRule) {
    load({0.5, 20, 3000}, {-4, 0, 100});
    EXPECT_TRUE(doc.canToggleLogScale());
    ASSERT_TRUE(doc.toggleLogScale());
    EXPECT_TRUE(doc.logScale);
    EXPECT_EQ(doc.data[1], std::log10(20.0));
    EXPECT_EQ(doc.dataMax, std::log10(3000.0));
    EXPECT_EQ(doc.predicted[2], 2);
    EXPECT_TRUE(std::isnan(doc.predicted[0]));
    EXPECT_EQ(doc.error[0], 0.5) << "errors are never transformed";
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(view.calls, (std::vector<std::string>{"hint 0"}));

    doc.deleteStation(1); // removals while on keep the kept predicted values aligned
    ASSERT_TRUE(doc.toggleLogScale());
    EXPECT_FALSE(doc.logScale);
    EXPECT_NEAR(doc.data[0], 0.5, 1e-15);
    EXPECT_NEAR(doc.dataMax, 3000, 1e-9);
    EXPECT_EQ(doc.predicted[0], -4) << "values without a logarithm come back";
    EXPECT_NEAR(doc.predicted[1], 100, 1e-12);

    load({-1, 2, 3});
    EXPECT_FALSE(doc.canToggleLogScale());
    EXPECT_FALSE(doc.toggleLogScale());
    EXPECT_EQ(doc.data[0], -1);
}

TEST_F(DataEdits, EnableRulesFollowTheCount) {
    EXPECT_FALSE(doc.canSave());
    EXPECT_FALSE(doc.canOpenTextEditor());
    EXPECT_FALSE(doc.canDownsample());
    load({1, 2});
    EXPECT_TRUE(doc.canEditValues());
    EXPECT_FALSE(doc.canDownsample());
    load({1, 2, 3});
    EXPECT_TRUE(doc.canDownsample());
}

TEST_F(DataEdits, WorksWithoutARefreshingView) {
    doc.RemoveView(&view);
    load({1, 2, 3});
    doc.assignStandardDeviation(1, 1);
    doc.addConstant(1);
    EXPECT_EQ(doc.data[0], 2);
}

} // namespace
