#include "NodeOrder.h"
#include "StationTriangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numeric>
#include <random>
#include <vector>

namespace {

bool isPermutation(std::vector<int32_t> index) {
    std::sort(index.begin(), index.end());
    for (size_t i = 0; i < index.size(); ++i)
        if (index[i] != static_cast<int32_t>(i + 1))
            return false;
    return true;
}

TEST(QuickSortIndex, SortsEveryShapeOfInput) {
    std::mt19937 random(7);
    std::vector<std::vector<double>> inputs = {
        {}, {5}, {2, 1}, {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}};
    for (int n : {11, 12, 13, 50, 1000, 20000}) {
        std::vector<double> shuffled(n), ascending(n), descending(n), fewValues(n), sawtooth(n);
        for (int i = 0; i < n; ++i) {
            shuffled[i] = std::uniform_real_distribution<double>(-1e6, 1e6)(random);
            ascending[i] = i;
            descending[i] = n - i;
            fewValues[i] = i % 3;
            sawtooth[i] = i % 17;
        }
        for (auto* input : {&shuffled, &ascending, &descending, &fewValues, &sawtooth})
            inputs.push_back(*input);
    }
    for (const std::vector<double>& key : inputs) {
        const int n = static_cast<int>(key.size());
        std::vector<int32_t> index(key.size());
        quickSortIndex(n, key.data(), index.data());
        ASSERT_TRUE(isPermutation(index)) << "n = " << n;
        for (int i = 1; i < n; ++i)
            ASSERT_LE(key[index[i - 1] - 1], key[index[i] - 1]) << "n = " << n << ", i = " << i;
    }
}

TEST(QuickSortIndex, NaNKeysStillGiveAPermutation) {
    std::vector<double> key(100);
    for (int i = 0; i < 100; ++i)
        key[i] = i % 7 == 0 ? std::nan("") : 100.0 - i;
    std::vector<int32_t> index(key.size());
    quickSortIndex(100, key.data(), index.data());
    EXPECT_TRUE(isPermutation(index));
}

TEST(ApplyPermutation, BringsValuesIntoNodeOrderAndRestoresTheIndex) {
    std::vector<int32_t> order = {3, 1, 2};
    std::vector<double> values = {10, 20, 30};
    applyPermutation(3, order.data(), values.data());
    EXPECT_EQ(values, (std::vector<double>{30, 10, 20}));
    EXPECT_EQ(order, (std::vector<int32_t>{3, 1, 2}));

    std::mt19937 random(3);
    std::vector<int32_t> big(5000);
    std::iota(big.begin(), big.end(), 1);
    std::shuffle(big.begin(), big.end(), random);
    const std::vector<int32_t> original = big;
    std::vector<double> stations(big.size());
    std::iota(stations.begin(), stations.end(), 1.0);
    applyPermutation(5000, big.data(), stations.data());
    EXPECT_EQ(big, original);
    for (size_t i = 0; i < big.size(); ++i)
        ASSERT_EQ(stations[i], big[i]);
}

TEST(SortNodesByKey, CarriesTheCompanionArraysAlong) {
    std::vector<double> x = {3, 1, 2, 0}, y = {30, 10, 20, 0}, v = {300, 100, 200, 0};
    std::vector<int32_t> order(4);
    sortNodesByKey(4, 2, x.data(), y.data(), v.data(), order.data());
    EXPECT_EQ(x, (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(y, (std::vector<double>{0, 10, 20, 30}));
    EXPECT_EQ(v, (std::vector<double>{300, 100, 200, 0})) << "only two arrays were asked for";
    EXPECT_EQ(order, (std::vector<int32_t>{4, 2, 3, 1}));
}

} // namespace
