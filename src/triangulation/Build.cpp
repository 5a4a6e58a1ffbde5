// Construction of the triangulation: the collinear start, the first fan and
// the incremental insertion of the remaining nodes.

#include "triangulation/EdgeBuild.h"
#include "triangulation/OneBased.h"
#include "triangulation/SecondHalf.h"
#include "triangulation/Triangulation.h"

#include <cmath>

namespace {

bool sameNode(int32_t a, int32_t b, Coordinates x, Coordinates y) {
    return x[a] == x[b] && y[a] == y[b];
}

bool usableCoordinate(double v) {
    const double magnitude = std::fabs(v); // NaN fails every comparison
    return magnitude == 0 || (magnitude >= kMinCoordinate && magnitude <= kMaxCoordinate);
}

bool allCoordinatesUsable(int32_t n, const double* nodeX, const double* nodeY) {
    for (int32_t i = 0; i < n; ++i) {
        if (!usableCoordinate(nodeX[i]) || !usableCoordinate(nodeY[i]))
            return false;
    }
    return true;
}

// The nodes seen so far all lie on one line and are held in `chain`, ordered
// from its left end to its right end. Returns the first chain entry (from 2
// on) that is not strictly between the left end and node k, or 0 if there is
// none, i.e. k lies beyond the right end.
int32_t chainEntryNotBefore(int32_t k, int32_t chainLength, Positions chain, Coordinates x,
                            Coordinates y) {
    const double xL = x[chain[1]], yL = y[chain[1]];
    for (int32_t ind = 2; ind <= chainLength; ++ind) {
        const int32_t n0 = chain[ind];
        if ((xL - x[n0]) * (x[k] - x[n0]) + (yL - y[n0]) * (y[k] - y[n0]) >= 0)
            return ind;
    }
    return 0;
}

void reverseChain(Positions chain, int32_t length) {
    for (int32_t i = 1; i <= length / 2; ++i) {
        const int32_t held = chain[i];
        chain[i] = chain[length + 1 - i];
        chain[length + 1 - i] = held;
    }
}

struct CollinearStart {
    int32_t offLine = 0;    // first node off the line, 0 when all are on it
    bool duplicate = false; // two nodes of the chain coincide
};

// Orders nodes 1, 2, ... along their common line in chain[1..] until a node
// lies strictly off that line. Returns that node k, with chain[1..k-1] turned
// so that k lies strictly right of the directed line from chain[1] to
// chain[k-1]. A node at the place of a chain node goes just before it.
CollinearStart orderCollinearStart(int32_t n, Coordinates x, Coordinates y, Positions chain) {
    CollinearStart start;
    start.duplicate = sameNode(1, 2, x, y);
    chain[1] = 1;
    chain[2] = 2;
    int32_t k = 2;
    double xL = x[1], yL = y[1], xR = x[2], yR = y[2];
    for (;;) {
        const double dxR = xR - xL, dyR = yR - yL;
        for (;;) {
            if (k == n)
                return start;
            const int32_t km1 = k++;
            const double dxK = x[k] - xL, dyK = y[k] - yL;
            const double cprod = dxR * dyK - dxK * dyR;
            if (cprod > 0)
                reverseChain(chain, km1);
            if (cprod != 0) {
                start.offLine = k;
                return start;
            }
            // k is on the line: put it in its place along the chain.
            if (dxR * dxK + dyR * dyK <= 0) {
                start.duplicate = start.duplicate || sameNode(k, chain[1], x, y);
                shiftEntries(1, km1, 1, chain.data());
                chain[1] = k;
                xL = x[k];
                yL = y[k];
                break;
            }
            const int32_t ind = chainEntryNotBefore(k, km1, chain, x, y);
            if (ind != 0) {
                start.duplicate = start.duplicate || sameNode(k, chain[ind], x, y);
                shiftEntries(ind, km1, 1, chain.data());
                chain[ind] = k;
                continue;
            }
            chain[k] = k;
            xR = x[k];
            yR = y[k];
            break;
        }
    }
}

// Joins the chain nodes 1..k-1 (all boundary nodes) to node k, which lies
// strictly right of the chain, and replaces the chain by the list ends.
void joinChainToNode(int32_t k, Positions chain, Positions adjacency) {
    const int32_t km1 = k - 1;
    const int32_t left = chain[1], right = chain[km1];
    for (int32_t ind = 1; ind <= km1; ++ind) {
        const int32_t node = chain[ind];
        int32_t pos = 4 * node - (node >= left ? 1 : 0) - (node >= right ? 1 : 0);
        adjacency[pos] = 0;
        if (ind < km1)
            adjacency[--pos] = chain[ind + 1];
        adjacency[--pos] = k;
        if (ind > 1)
            adjacency[--pos] = chain[ind - 1];
    }
    int32_t pos = 4 * km1 - 1;
    for (int32_t ind = km1; ind >= 1; --ind)
        adjacency[pos++] = chain[ind];
    adjacency[pos] = 0;

    int32_t end = 0;
    for (int32_t j = 1; j <= km1; ++j) {
        end += (j == left || j == right) ? 3 : 4;
        chain[j] = end;
    }
    chain[k] = chain[km1] + k;
}

// The node across arc io2-io1 from the node that follows io1 in io2's list,
// or 0 when that arc lies on the hull.
int32_t nodeAcrossArc(int32_t io2, int32_t io1, Positions adjacency, Positions adjacencyEnd) {
    const int32_t p = neighbourPosition(io2, io1, adjacency.data(), adjacencyEnd.data());
    if (p == firstPosition(adjacencyEnd, io2))
        return adjacency[adjacencyEnd[io2]];
    return adjacency[p - 1];
}

// Tests the arcs opposite the newly added node k, in the order of k's list,
// and swaps each one that fails the max-min angle criterion; the two arcs
// that a swap exposes are tested next. Every swap gives k one more
// neighbour, so a valid triangulation needs fewer than k swaps and k further
// steps; false when rounding keeps the tests swapping beyond a bound well
// above that (the lists then hold no valid triangulation).
bool swapArcsOppositeNode(int32_t k, const double* nodeX, const double* nodeY, Positions adjacency,
                          Positions adjacencyEnd) {
    int32_t first = adjacencyEnd[k - 1] + 1;
    const int32_t last = adjacencyEnd[k];
    const int32_t nabor1 = adjacency[first];
    int32_t io2 = nabor1;
    int32_t pos = first + 1;
    int32_t io1 = adjacency[pos];
    for (int64_t stepsLeft = 4 * static_cast<int64_t>(k) + 64; stepsLeft > 0; --stepsLeft) {
        const int32_t in1 = nodeAcrossArc(io2, io1, adjacency, adjacencyEnd);
        if (in1 != 0 && swapTest(in1, k, io1, io2, nodeX, nodeY)) {
            swapDiagonal(in1, k, io1, io2, adjacency.data(), adjacencyEnd.data());
            // The lists before k's lost one entry net, and in1 now stands
            // just before io1 in k's list; k's last position is unchanged.
            io1 = in1;
            --pos;
            --first;
            continue;
        }
        if (io1 == nabor1)
            return true;
        io2 = io1;
        if (++pos > last)
            pos = first;
        io1 = adjacency[pos];
        if (io1 == 0)
            return true;
    }
    return false;
}

// Adds nodes first..n with addNode; its result for the first that fails,
// else BuildOk. The nodes placed before `first` span a triangle, so a point
// location without an answer ran past its bound.
BuildResult addNodesInPlace(int32_t first, int32_t n, const double* nodeX, const double* nodeY,
                            int32_t* adjacency, int32_t* adjacencyEnd) {
    for (int32_t node = first; node <= n; ++node) {
        const BuildResult result = addNode(node, nodeX, nodeY, adjacency, adjacencyEnd);
        if (result == BuildCollinear)
            return BuildDegenerate;
        if (result != BuildOk)
            return result;
    }
    return BuildOk;
}

} // namespace

int32_t adjacencySize(int64_t n) {
    if (n < 3 || n > kMaxTriangulationNodes)
        return 0;
    return static_cast<int32_t>(6 * n - 9);
}

namespace {

// The checks and the collinear start that both forms of the build make
// before any list exists: BuildOk with `start` set, or the refusal.
BuildResult startBuild(int32_t n, const double* nodeX, const double* nodeY, int32_t* adjacencyEnd,
                       CollinearStart& start) {
    if (n < 3)
        return BuildTooFewNodes;
    if (n > kMaxTriangulationNodes || !allCoordinatesUsable(n, nodeX, nodeY))
        return BuildBadInput;
    start = orderCollinearStart(n, Coordinates(nodeX), Coordinates(nodeY), Positions(adjacencyEnd));
    if (start.offLine == 0)
        return BuildCollinear;
    // Coinciding nodes would make triangles of no area and lists that no
    // longer describe a triangulation; refuse them before the lists are made.
    if (start.duplicate)
        return BuildDuplicateNodes;
    return BuildOk;
}

} // namespace

BuildResult buildTriangulation(int32_t n, const double* nodeX, const double* nodeY,
                               int32_t* adjacency, int32_t* adjacencyEnd) {
    CollinearStart start;
    if (const BuildResult refused = startBuild(n, nodeX, nodeY, adjacencyEnd, start);
        refused != BuildOk)
        return refused;
    joinChainToNode(start.offLine, Positions(adjacencyEnd), Positions(adjacency));
    // The rest go in on triangles and half-edges, which give the same lists
    // as adding them here one by one; what that build declines is added here.
    if (insertNodesByEdges(start.offLine + 1, n, nodeX, nodeY, adjacency, adjacencyEnd))
        return BuildOk;
    return addNodesInPlace(start.offLine + 1, n, nodeX, nodeY, adjacency, adjacencyEnd);
}

BuildResult buildTriangulation(int32_t n, const double* nodeX, const double* nodeY,
                               std::vector<int32_t>& adjacency, int32_t* adjacencyEnd) {
    CollinearStart start;
    if (const BuildResult refused = startBuild(n, nodeX, nodeY, adjacencyEnd, start);
        refused != BuildOk)
        return refused;
    // The lists of the first nodes (all on the hull) fill 5k-6 <= 6k-9 positions.
    adjacency.assign(static_cast<size_t>(adjacencySize(start.offLine)), 0);
    joinChainToNode(start.offLine, Positions(adjacencyEnd), Positions(adjacency.data()));
    if (insertNodesByEdges(start.offLine + 1, n, nodeX, nodeY, adjacency, adjacencyEnd,
                           splitThreads()))
        return BuildOk;
    adjacency.resize(static_cast<size_t>(adjacencySize(n)), 0);
    return addNodesInPlace(start.offLine + 1, n, nodeX, nodeY, adjacency.data(), adjacencyEnd);
}

BuildResult addNode(int32_t k, const double* nodeX, const double* nodeY, int32_t* adjacency,
                    int32_t* adjacencyEnd) {
    const PointLocation at = locatePoint(k - 1, k - 1, nodeX[k - 1], nodeY[k - 1], nodeX, nodeY,
                                         adjacency, adjacencyEnd);
    if (at.i1 == 0)
        return BuildCollinear;
    // A node at the place of an earlier one lands on a vertex of the triangle
    // or on an end of the hull arc that the search returns.
    const Coordinates x(nodeX), y(nodeY);
    const int32_t vertices[3] = {at.i1, at.i2, at.i3};
    for (int32_t vertex : vertices) {
        if (vertex != 0 && sameNode(k, vertex, x, y))
            return BuildDuplicateNodes;
    }
    // A node outside the hull sees at least one hull arc, so two different
    // ends; one node seen on both sides means the tests contradicted each other.
    if (at.i3 == 0 && at.i1 == at.i2)
        return BuildDegenerate;
    if (at.i3 == 0)
        insertBoundaryNode(k, at.i1, at.i2, adjacency, adjacencyEnd);
    else
        insertInteriorNode(k, at.i1, at.i2, at.i3, adjacency, adjacencyEnd);
    if (!swapArcsOppositeNode(k, nodeX, nodeY, Positions(adjacency), Positions(adjacencyEnd)))
        return BuildDegenerate;
    return BuildOk;
}
