#include "SearchInTurn.h"

#include "Triangulation.h"

#include <system_error>
#include <thread>

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
            answers[i] = at(i, startNode);
            startNode = answers[i].endNode;
        }
        return startNode;
    }

private:
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
    int32_t guessedEnd = 1;
    std::thread second;
    try {
        second =
            std::thread([&] { guessedEnd = searcher.inTurn(half, points.size(), 1, answers); });
    } catch (const std::system_error&) { // no thread to be had: one loop
        startNode = searcher.inTurn(0, points.size(), startNode, answers);
        return answers;
    }
    int32_t node = searcher.inTurn(0, half, startNode, answers);
    second.join();
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
