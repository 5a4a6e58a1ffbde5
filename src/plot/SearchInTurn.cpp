#include "plot/SearchInTurn.h"

#include "triangulation/SecondHalf.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>

namespace {

class Searcher {
public:
    Searcher(const StationArrays& arrays, const std::vector<double>& values,
             const std::vector<SearchPoint>& points)
        : m_arrays(arrays), m_values(values), m_points(points) {}

    SearchAnswer at(size_t i, int32_t startNode) const {
        SearchAnswer answer;
        answer.endNode = startNode;
        answer.result = interpolateLinear(
            m_arrays.nodeCount(), m_points[i].x, m_points[i].y, m_arrays.stationX.data(),
            m_arrays.stationY.data(), m_values.data(), m_arrays.adjacency.data(),
            m_arrays.adjacencyEnd.data(), answer.endNode, answer.value);
        return answer;
    }

    // Points [from, to) in turn from startNode; returns where the last ended.
    int32_t inTurn(size_t from, size_t to, int32_t startNode,
                   std::vector<SearchAnswer>& answers) const {
        for (size_t i = from; i < to; ++i) {
            if (i == from || m_points[i].x != m_points[i - 1].x)
                readAheadForColumn(i, from, to);
            answers[i] = at(i, startNode);
            startNode = answers[i].endNode;
        }
        return startNode;
    }

private:
    // The searches of a column of points (one x, the fill's order) cross the
    // triangles of nodes near that x. The nodes are in x order, so their
    // positions, values and lists lie in one stretch of each array: read in
    // order, memory streams them, where the walks would wait for each step's
    // node. Only reads; no answer changes. The stretch covers one column
    // spacing to either side.
    void readAheadForColumn(size_t i, size_t from, size_t to) const {
        const double x = m_points[i].x;
        double spacing = 0;
        if (i > from) {
            spacing = std::fabs(x - m_points[i - 1].x);
        } else {
            for (size_t j = i + 1; j < to && spacing == 0; ++j)
                spacing = std::fabs(m_points[j].x - x);
        }
        if (!(spacing > 0) || !std::isfinite(spacing))
            return;
        const std::vector<double>& nodeX = m_arrays.stationX;
        const auto firstNode = std::lower_bound(nodeX.begin(), nodeX.end(), x - spacing);
        const auto endNode = std::upper_bound(firstNode, nodeX.end(), x + spacing);
        const size_t first = static_cast<size_t>(firstNode - nodeX.begin());
        const size_t last = static_cast<size_t>(endNode - nodeX.begin());
        if (first >= last)
            return;
        readInOrder(nodeX, first, last);
        readInOrder(m_arrays.stationY, first, last);
        readInOrder(m_values, first, last);
        readInOrder(m_arrays.adjacencyEnd, first, last);
        if (m_arrays.adjacencyEnd.size() >= last) {
            const int32_t listStart = first == 0 ? 0 : m_arrays.adjacencyEnd[first - 1];
            const int32_t listEnd = m_arrays.adjacencyEnd[last - 1];
            if (listStart >= 0 && listStart < listEnd)
                readInOrder(m_arrays.adjacency, static_cast<size_t>(listStart),
                            static_cast<size_t>(listEnd));
        }
    }

    // Touches one byte per cache line of values[first, last).
    template <class T>
    static void readInOrder(const std::vector<T>& values, size_t first, size_t last) {
        last = std::min(last, values.size());
        if (first >= last)
            return;
        const volatile char* bytes = reinterpret_cast<const volatile char*>(values.data() + first);
        const size_t size = (last - first) * sizeof(T);
        char sink = 0;
        for (size_t offset = 0; offset < size; offset += 64)
            sink = static_cast<char>(sink ^ bytes[offset]);
        (void)sink;
    }

    const StationArrays& m_arrays;
    const std::vector<double>& m_values;
    const std::vector<SearchPoint>& m_points;
};

} // namespace

std::vector<SearchAnswer> interpolateInTurn(const StationArrays& arrays,
                                            const std::vector<double>& values,
                                            const std::vector<SearchPoint>& points,
                                            int32_t& startNode, int threads) {
    const Searcher searcher(arrays, values, points);
    std::vector<SearchAnswer> answers(points.size());
    const size_t half = points.size() / 2;
    if (threads < 2 || half == 0) {
        startNode = searcher.inTurn(0, points.size(), startNode, answers);
        return answers;
    }
    // The second half from a guessed start, at the same time as the first.
    int32_t node = startNode, guessedEnd = 1;
    runSecondHalfAlongside(
        threads, [&] { node = searcher.inTurn(0, half, node, answers); },
        [&] { guessedEnd = searcher.inTurn(half, points.size(), 1, answers); });
    // The true chain goes on into the second half until it meets the guessed
    // one: the same node after a point means the same searches from there on.
    for (size_t i = half; i < points.size(); ++i) {
        const int32_t guessed = answers[i].endNode;
        answers[i] = searcher.at(i, node);
        node = answers[i].endNode;
        if (node == guessed) {
            startNode = guessedEnd;
            return answers;
        }
    }
    startNode = node;
    return answers;
}
