// The fill's searches on two threads must give, bit for bit, the answers of
// one loop: the second thread starts from a guess, and its answers count
// only from where its chain of start nodes meets the true one.

#include "plot/SearchInTurn.h"
#include "triangulation/Triangulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {

// Survey lines along y, 40 m apart with a station every 4 m and a little
// jitter, sorted along x as the view's nodes are; values vary smoothly.
StationArrays surveyArrays() {
    StationArrays a;
    uint64_t state = 12345;
    const auto jitter = [&state] {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / 9007199254740992.0 - 0.5;
    };
    std::vector<std::pair<double, double>> xy;
    for (int line = 0; line < 25; ++line)
        for (int station = 0; station < 120; ++station)
            xy.emplace_back(40.0 * line + jitter(), 4.0 * station + jitter());
    std::sort(xy.begin(), xy.end());
    for (const auto& [x, y] : xy) {
        a.stationX.push_back(x);
        a.stationY.push_back(y);
        a.mainValues.push_back(0.01 * x * x - 3 * y);
    }
    a.adjacencyEnd.assign(xy.size(), 0);
    EXPECT_EQ(buildTriangulation(a.nodeCount(), a.stationX.data(), a.stationY.data(), a.adjacency,
                                 a.adjacencyEnd.data()),
              BuildOk);
    return a;
}

// Cell centres column by column over and beyond the stations, nodes
// themselves, and midpoints of arcs, where the triangle found (and so the
// rounding of the value) depends on where the search came from.
std::vector<SearchPoint> fillOrder(const StationArrays& a) {
    std::vector<SearchPoint> points;
    for (double x = -30; x <= 1010; x += 7.5)
        for (double y = -20; y <= 500; y += 6.5)
            points.push_back({x, y});
    for (int node = 0; node < a.nodeCount(); node += 37) {
        points.push_back({a.stationX[node], a.stationY[node]});
        const int32_t neighbour = a.adjacency[a.adjacencyEnd[node] - 2];
        if (neighbour > 0)
            points.push_back({(a.stationX[node] + a.stationX[neighbour - 1]) / 2,
                              (a.stationY[node] + a.stationY[neighbour - 1]) / 2});
    }
    return points;
}

bool sameAnswers(const std::vector<SearchAnswer>& a, const std::vector<SearchAnswer>& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](const SearchAnswer& x, const SearchAnswer& y) {
                          return x.result == y.result && x.endNode == y.endNode &&
                                 std::memcmp(&x.value, &y.value, sizeof x.value) == 0;
                      });
}

TEST(SearchInTurn, TwoThreadsGiveTheAnswersOfOneLoop) {
    const StationArrays a = surveyArrays();
    const std::vector<SearchPoint> all = fillOrder(a);
    int32_t oneStart = 1, twoStart = 1;
    const auto one = interpolateInTurn(a, a.mainValues, all, oneStart, 1);
    const auto two = interpolateInTurn(a, a.mainValues, all, twoStart, 2);
    EXPECT_TRUE(sameAnswers(one, two));
    EXPECT_EQ(oneStart, twoStart);
    EXPECT_TRUE(std::any_of(one.begin(), one.end(),
                            [](const SearchAnswer& s) { return s.result == Interpolated; }));
    EXPECT_TRUE(std::any_of(one.begin(), one.end(),
                            [](const SearchAnswer& s) { return s.result == Extrapolated; }));

    // In batches that carry the start node on, as the fill makes them, and
    // in batches too small for the chains to meet.
    for (const size_t batch : {size_t{1}, size_t{2}, size_t{3}, size_t{500}}) {
        int32_t start = 1;
        std::vector<SearchAnswer> joined;
        for (size_t from = 0; from < all.size(); from += batch) {
            const std::vector<SearchPoint> part(
                all.begin() + static_cast<long>(from),
                all.begin() + static_cast<long>(std::min(all.size(), from + batch)));
            const auto answers = interpolateInTurn(a, a.mainValues, part, start, 2);
            joined.insert(joined.end(), answers.begin(), answers.end());
        }
        EXPECT_TRUE(sameAnswers(one, joined)) << "batches of " << batch;
        EXPECT_EQ(start, oneStart);
    }
}

} // namespace
