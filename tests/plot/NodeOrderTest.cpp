#include "plot/NodeOrder.h"
#include "plot/StationTriangulation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
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

// Station eastings of the survey layouts, with the ties each one has: lines
// along y (one easting per line) and along x (eastings repeat on every
// line), exact and rotated grids, uniform, clustered, few values, NaN.
std::vector<std::vector<double>> layoutKeys() {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<std::vector<double>> layouts(8);
    for (int line = 0; line < 60; ++line)
        for (int station = 0; station < 500; ++station) {
            layouts[0].push_back(100.0 * line);
            layouts[1].push_back(10.0 * station);
            layouts[2].push_back(100.0 * line + 0.5 * unit(random));
        }
    const double angle = 0.3;
    for (int row = 0; row < 150; ++row)
        for (int column = 0; column < 200; ++column) {
            layouts[3].push_back(column);
            layouts[4].push_back(500000.0 +
                                 25.0 * (column * std::cos(angle) - row * std::sin(angle)));
        }
    for (int i = 0; i < 30000; ++i) {
        layouts[5].push_back(unit(random) * 1e4);
        const double centre = std::floor(unit(random) * 5) * 1000;
        layouts[6].push_back(centre + std::pow(unit(random), 4) * 50);
        layouts[7].push_back(i % 97 == 0 ? std::nan("") : std::floor(unit(random) * 7));
    }
    return layouts;
}

TEST(QuickSortIndex, KeyedAndInPlaceSortsGiveTheSameOrderOnEveryLayout) {
    for (const std::vector<double>& keys : layoutKeys()) {
        const int n = static_cast<int>(keys.size());
        std::vector<int32_t> keyed(n), inPlace(n);
        quickSortIndex(n, keys.data(), keyed.data());
        quickSortIndexInPlace(n, keys.data(), inPlace.data());
        ASSERT_EQ(keyed, inPlace);

        std::vector<double> x = keys, y(n), v(n), xRef = keys;
        for (int i = 0; i < n; ++i)
            y[i] = v[i] = i * 0.5;
        std::vector<double> yRef = y, vRef = v;
        sortNodesByKey(n, 3, x.data(), y.data(), v.data(), keyed.data());
        sortNodesByKeyInPlace(n, 3, xRef.data(), yRef.data(), vRef.data(), inPlace.data());
        ASSERT_EQ(keyed, inPlace);
        ASSERT_EQ(0, std::memcmp(x.data(), xRef.data(), n * sizeof(double)));
        ASSERT_EQ(y, yRef);
        ASSERT_EQ(v, vRef);
    }
}

} // namespace
