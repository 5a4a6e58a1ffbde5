// The triangulation on arbitrary node sets, prepared as the view prepares
// them: converted to plot units, ordered along x, and without coinciding
// nodes (the view refuses those; here they are dropped). A build either
// succeeds with lists that describe a triangulation, or reports why not;
// point location and interpolation on it always come back. The lists are
// those that adding the nodes one by one with addNode makes, and the build
// in its own array gives the same.
//
// Input: a layout byte, an angle byte, then the nodes in the layout's form:
//   0  raw doubles (16 bytes a node): any value, NaN and infinities included
//   1  small integer grid (2 bytes): exact tests, many cocircular nodes
//   2  regular grid at UTM size, rotated (2 bytes: column, row)
//   3  nearly collinear survey lines at UTM size, rotated (3 bytes)

#include "FuzzSupport.h"
#include "TriangulationCheck.h"
#include "plot/NodeOrder.h"
#include "triangulation/Triangulation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

using fuzz::require;

constexpr size_t kMaxNodes = 600;

struct Nodes {
    std::vector<double> x, y;
    int32_t n() const { return static_cast<int32_t>(x.size()); }
    void add(double px, double py) {
        x.push_back(px);
        y.push_back(py);
    }
};

// A point of the local survey frame, rotated and moved to UTM size.
void addSurveyPoint(Nodes& nodes, double east, double north, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    nodes.add(500000.0 + c * east - s * north, 6000000.0 + s * east + c * north);
}

Nodes decodeNodes(fuzz::ByteReader& input) {
    const int layout = input.byte() % 4;
    const double angle = input.byte() * (2 * M_PI / 256) + 1e-7;
    Nodes nodes;
    while (nodes.x.size() < kMaxNodes && input.remaining() > 0) {
        if (layout == 0) {
            double xy[2] = {0, 0};
            std::memcpy(xy, input.rest(), std::min(input.remaining(), sizeof xy));
            for (size_t i = 0; i < sizeof xy && input.remaining() > 0; ++i)
                input.byte();
            nodes.add(xy[0], xy[1]);
        } else if (layout == 1) {
            const int8_t px = static_cast<int8_t>(input.byte());
            nodes.add(px, static_cast<int8_t>(input.byte()));
        } else if (layout == 2) {
            const int column = input.byte();
            addSurveyPoint(nodes, 25.0 * column, 25.0 * input.byte(), angle);
        } else {
            const int line = input.byte() % 8;
            const int station = input.byte();
            const double jitter = (input.byte() - 128) * 1e-9;
            addSurveyPoint(nodes, 10.0 * station, 200.0 * line + jitter, angle);
        }
    }
    return nodes;
}

// The view's plot units: 1000 across the easting extent, y down.
void toPlotUnits(Nodes& nodes) {
    double xMin = 1e30, xMax = -1e30, yMax = -1e30;
    for (int32_t i = 0; i < nodes.n(); ++i) {
        xMin = std::fmin(xMin, nodes.x[i]);
        xMax = std::fmax(xMax, nodes.x[i]);
        yMax = std::fmax(yMax, nodes.y[i]);
    }
    const double scale = 1000.0 / (xMax - xMin);
    for (int32_t i = 0; i < nodes.n(); ++i) {
        nodes.x[i] = (nodes.x[i] - xMin) * scale;
        nodes.y[i] = (yMax - nodes.y[i]) * scale;
    }
}

// Sorts along x as the view does and drops every node at the place of an
// earlier one (only nodes of one run of equal x can coincide).
void sortAndDropDuplicates(Nodes& nodes) {
    const int32_t n = nodes.n();
    if (n < 2)
        return;
    std::vector<int32_t> order(n);
    sortNodesByKey(n, 2, nodes.x.data(), nodes.y.data(), nullptr, order.data());
    Nodes kept;
    size_t runStart = 0;
    for (int32_t i = 0; i < n; ++i) {
        if (!kept.x.empty() && kept.x.back() != nodes.x[i])
            runStart = kept.x.size();
        bool duplicate = false;
        for (size_t k = runStart; k < kept.x.size() && !duplicate; ++k)
            duplicate = kept.x[k] == nodes.x[i] && kept.y[k] == nodes.y[i];
        if (!duplicate)
            kept.add(nodes.x[i], nodes.y[i]);
    }
    nodes = kept;
}

bool usable(double v) {
    return v == 0 || (std::fabs(v) >= kMinCoordinate && std::fabs(v) <= kMaxCoordinate);
}

bool usable(const Nodes& nodes) {
    for (int32_t i = 0; i < nodes.n(); ++i)
        if (!usable(nodes.x[i]) || !usable(nodes.y[i]))
            return false;
    return true;
}

// The reference: the smallest leading set that is not collinear built with
// nothing to add, then every further node added with addNode in place.
int buildNodeByNode(const Nodes& nodes, std::vector<int32_t>& adjacency,
                    std::vector<int32_t>& adjacencyEnd) {
    const int32_t n = nodes.n();
    int32_t spanning = 3;
    int result = BuildCollinear;
    for (; spanning <= n && result == BuildCollinear; ++spanning)
        result = buildTriangulation(spanning, nodes.x.data(), nodes.y.data(), adjacency.data(),
                                    adjacencyEnd.data());
    for (int32_t node = spanning; node <= n && result == BuildOk; ++node)
        result = addNode(node, nodes.x.data(), nodes.y.data(), adjacency.data(),
                         adjacencyEnd.data()) == 0
                     ? BuildOk
                     : BuildDegenerate;
    return result;
}

void requireSameLists(const Nodes& nodes, const std::vector<int32_t>& adjacency,
                      const std::vector<int32_t>& adjacencyEnd) {
    const int32_t n = nodes.n();
    std::vector<int32_t> ownAdjacency, ownEnd(static_cast<size_t>(n), -1);
    require(buildTriangulation(n, nodes.x.data(), nodes.y.data(), ownAdjacency, ownEnd.data()) ==
                BuildOk,
            "the build in its own array succeeds as well");
    require(ownEnd == adjacencyEnd, "the same list ends in its own array");
    const auto used = static_cast<size_t>(adjacencyEnd.back());
    require(std::equal(ownAdjacency.begin(), ownAdjacency.begin() + used, adjacency.begin()),
            "the same lists in its own array");
    std::vector<int32_t> oneByOne(adjacency.size(), -1), oneByOneEnd(adjacencyEnd.size(), -1);
    if (buildNodeByNode(nodes, oneByOne, oneByOneEnd) != BuildOk)
        return;
    require(oneByOneEnd == adjacencyEnd, "the list ends of adding node by node");
    require(std::equal(oneByOne.begin(), oneByOne.begin() + used, adjacency.begin()),
            "the lists of adding node by node");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ByteReader input(data, size);
    Nodes nodes = decodeNodes(input);
    if (size > 0 && data[0] % 4 >= 2)
        toPlotUnits(nodes);
    sortAndDropDuplicates(nodes);

    const int32_t n = nodes.n();
    if (n < 3) {
        require(buildTriangulation(n, nodes.x.data(), nodes.y.data(), nullptr, nullptr) ==
                    BuildTooFewNodes,
                "fewer than 3 nodes");
        return 0;
    }
    std::vector<int32_t> adjacency(static_cast<size_t>(adjacencySize(n)), -1);
    std::vector<int32_t> adjacencyEnd(static_cast<size_t>(n), -1);
    const int result = buildTriangulation(n, nodes.x.data(), nodes.y.data(), adjacency.data(),
                                          adjacencyEnd.data());
    require(result != BuildDuplicateNodes, "no duplicates are left");
    require((result == BuildBadInput) == !usable(nodes),
            "exactly unusable coordinates are refused");
    if (result != BuildOk)
        return 0;
    const TriangulationView mesh{n, nodes.x.data(), nodes.y.data(), adjacency.data(),
                                 adjacencyEnd.data()};
    checkTriangulation(mesh);
    requireSameLists(nodes, adjacency, adjacencyEnd);
    // Small integers make every sign test exact: then every walk must answer.
    checkLocations(mesh, data[0] % 4 == 1);
    return 0;
}
