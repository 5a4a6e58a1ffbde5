#pragma once
// Internal: the point-location walk, over any layout of a triangulation that
// offers the counterclockwise turn about each node. `Mesh` provides:
//
// - Turn: a place in a node's neighbour list. firstTurn(n) is at n's first
//   neighbour, nextTurn(t) and previousTurn(t) at the neighbour after and
//   before (never asked past either end of the list), neighbour(t) the one
//   at t and neighbourAfter(t) the one at nextTurn(t).
// - isBoundary(n), firstNeighbour(n), lastNeighbour(n) (the last nonzero one).
// - Side: an arc e-c between consecutive neighbours e, c of a node, with the
//   triangle of the three on its left. sideAfter(t, e, c) for e at t;
//   cross(side, e, c) gives the node beyond it (the neighbour after e in c's
//   list, 0 on the hull) as `node`, and the sides node-c and e-node as
//   `nodeToC` and `eToNode`.
//
// Every test is the orientation test below, made in one fixed order on the
// same nodes whatever the layout, so every layout gives the same answers.

#include "triangulation/OneBased.h"
#include "triangulation/Triangulation.h"

#include <cstdint>

// Where the walk ended, and for a triangle the side from i1 to i2.
template <class Side> struct WalkEnd {
    PointLocation at;
    Side side{};
};

template <class Mesh> class Walk {
public:
    using Turn = typename Mesh::Turn;
    using Side = typename Mesh::Side;
    using End = WalkEnd<Side>;

    Walk(int32_t n, double px, double py, const double* nodeX, const double* nodeY,
         const Mesh& mesh)
        : m_px(px), m_py(py), m_x(nodeX), m_y(nodeY), m_mesh(mesh), m_stepsLeft(walkStepBound(n)) {}

    End from(int32_t n0);

private:
    // On a valid triangulation a walk crosses each of its fewer than 2n
    // triangles at most once and follows at most n hull arcs. Where rounding
    // makes the sign tests contradict each other the walk could circle for
    // ever; this many steps end it with no answer.
    static int64_t walkStepBound(int32_t n) { return 8 * static_cast<int64_t>(n) + 64; }
    // Counts one step; false once the bound is used up.
    bool step() { return --m_stepsLeft >= 0; }

    // P is left of (or on) the line through a and b directed from a to b.
    bool left(int32_t a, int32_t b) const {
        return (m_x[b] - m_x[a]) * (m_py - m_y[a]) >= (m_px - m_x[a]) * (m_y[b] - m_y[a]);
    }
    bool strictlyRight(int32_t a, int32_t b) const { return !left(a, b); }
    bool atNode(int32_t n) const { return m_px == m_x[n] && m_py == m_y[n]; }

    End walkThroughCone(int32_t n0, int32_t e, int32_t c, Side side);
    End found(int32_t i1, int32_t i2, int32_t i3, Side side) const;
    End outsideFrom(int32_t rightNode, int32_t leftNode);
    End outsideClockwise(int32_t i1, int32_t leftNode);

    double m_px, m_py;
    Coordinates m_x, m_y;
    const Mesh& m_mesh;
    int64_t m_stepsLeft;
};

// Searches the neighbours of n0 for the cone (e, c) between consecutive
// neighbours that contains P, and walks from there. When P is left of every
// arc from n0 (P at n0, or on the line through a hull arc), the search
// restarts at a neighbour from which P is seen differently.
template <class Mesh> typename Walk<Mesh>::End Walk<Mesh>::from(int32_t n0) {
    const Mesh& mesh = m_mesh;
    for (;;) {
        if (!step())
            return {};
        const bool boundary = mesh.isBoundary(n0);
        const int32_t first = mesh.firstNeighbour(n0);
        const int32_t last = mesh.lastNeighbour(n0);

        Turn toE = mesh.firstTurn(n0);
        if (boundary) {
            if (strictlyRight(n0, first))
                return outsideFrom(first, n0);
            if (strictlyRight(last, n0))
                return outsideClockwise(n0, last);
        } else if (strictlyRight(n0, first)) {
            // Find the first neighbour that P is left of; if that can only be
            // the last one, P lies in the cone (last, first).
            toE = mesh.nextTurn(toE);
            while (mesh.neighbour(toE) != last && !left(n0, mesh.neighbour(toE)))
                toE = mesh.nextTurn(toE);
            if (mesh.neighbour(toE) == last)
                return walkThroughCone(n0, last, first, mesh.sideAfter(toE, last, first));
        }
        for (;;) {
            const int32_t e = mesh.neighbour(toE);
            const int32_t c = mesh.neighbourAfter(toE);
            if (strictlyRight(n0, c))
                return walkThroughCone(n0, e, c, mesh.sideAfter(toE, e, c));
            if (c == last)
                break;
            toE = mesh.nextTurn(toE);
        }
        // toE is now at the neighbour before the last.
        if (!boundary && strictlyRight(n0, first))
            return walkThroughCone(n0, last, first,
                                   mesh.sideAfter(mesh.nextTurn(toE), last, first));

        // P is left of or on every arc from n0 to its neighbours.
        if (atNode(n0) || strictlyRight(last, n0)) {
            n0 = last;
            continue;
        }
        if (last == first)
            return {}; // every node lies on one line
        Turn toC = toE;
        for (;;) {
            const int32_t c = mesh.neighbour(toC);
            if (strictlyRight(c, n0)) {
                n0 = c;
                break;
            }
            if (c == first)
                return {}; // every node lies on one line
            toC = mesh.previousTurn(toC);
        }
    }
}

// P is left of n0->e and strictly right of n0->c. Crosses arcs away from n0,
// keeping n0 as the apex of the narrowing cone, until a triangle contains P
// or a hull arc is crossed.
template <class Mesh>
typename Walk<Mesh>::End Walk<Mesh>::walkThroughCone(int32_t n0, int32_t e, int32_t c, Side side) {
    int32_t third = n0;
    while (!left(e, c)) {
        if (!step())
            return {};
        const auto beyond = m_mesh.cross(side, e, c);
        const int32_t h = beyond.node;
        if (h == 0)
            return outsideFrom(c, e);
        if (left(n0, h)) {
            third = e;
            e = h;
            side = beyond.nodeToC;
        } else {
            third = c;
            c = h;
            side = beyond.eToNode;
        }
    }
    return found(e, c, third, side);
}

// Triangle (i1, i2, i3) contains P. P on one of the two hull arcs at i1 is
// reported as outside, with the arc's ends as the visible nodes.
template <class Mesh>
typename Walk<Mesh>::End Walk<Mesh>::found(int32_t i1, int32_t i2, int32_t i3, Side side) const {
    if (m_mesh.isBoundary(i1)) {
        if (i3 == m_mesh.lastNeighbour(i1) && left(i1, i3))
            return {{i1, i3, 0}};
        if (i2 == m_mesh.firstNeighbour(i1) && left(i2, i1))
            return {{i2, i1, 0}};
    }
    return {{i1, i2, i3}, side};
}

// P is outside, beyond the hull arc from leftNode to rightNode. Follows the
// visible hull arcs counterclockwise from rightNode to the rightmost visible
// node, then clockwise from leftNode to the leftmost.
template <class Mesh>
typename Walk<Mesh>::End Walk<Mesh>::outsideFrom(int32_t rightNode, int32_t leftNode) {
    int32_t i1 = rightNode;
    while (strictlyRight(i1, m_mesh.firstNeighbour(i1))) {
        if (!step())
            return {};
        i1 = m_mesh.firstNeighbour(i1);
    }
    return outsideClockwise(i1, leftNode);
}

template <class Mesh>
typename Walk<Mesh>::End Walk<Mesh>::outsideClockwise(int32_t i1, int32_t leftNode) {
    int32_t i2 = leftNode;
    while (strictlyRight(m_mesh.lastNeighbour(i2), i2)) {
        if (!step())
            return {};
        i2 = m_mesh.lastNeighbour(i2);
    }
    return {{i1, i2, 0}};
}

// The caller's packed lists: node k's list ends at adjacencyEnd[k-1] and
// starts just after node k-1's. A place in a list is its position; a side
// is known by its two nodes alone.
class PackedLists {
public:
    using Turn = int32_t;
    struct Side {};
    struct Crossing {
        int32_t node;
        Side nodeToC, eToNode;
    };

    PackedLists(const int32_t* adjacency, const int32_t* adjacencyEnd)
        : m_lists(adjacency), m_ends(adjacencyEnd) {}

    bool isBoundary(int32_t n) const { return m_lists[m_ends[n]] == 0; }
    int32_t firstNeighbour(int32_t n) const { return m_lists[firstPosition(m_ends, n)]; }
    int32_t lastNeighbour(int32_t n) const {
        const int32_t last = m_ends[n];
        return m_lists[last] == 0 ? m_lists[last - 1] : m_lists[last];
    }
    Turn firstTurn(int32_t n) const { return firstPosition(m_ends, n); }
    Turn nextTurn(Turn p) const { return p + 1; }
    Turn previousTurn(Turn p) const { return p - 1; }
    int32_t neighbour(Turn p) const { return m_lists[p]; }
    int32_t neighbourAfter(Turn p) const { return m_lists[p + 1]; }
    Side sideAfter(Turn, int32_t, int32_t) const { return {}; }
    Crossing cross(Side, int32_t e, int32_t c) const { return {followerInList(c, e), {}, {}}; }

private:
    // The neighbour that follows b in n's list, wrapping to the first entry;
    // 0 when b is the last neighbour of a boundary node, or not in the list
    // (lists that no longer describe a triangulation; the walk then ends on
    // the hull or at its step bound).
    int32_t followerInList(int32_t n, int32_t b) const {
        const int32_t first = firstPosition(m_ends, n), last = m_ends[n];
        int32_t p = last;
        while (p >= first && m_lists[p] != b)
            --p;
        if (p < first)
            return 0;
        return p == last ? m_lists[first] : m_lists[p + 1];
    }

    ConstPositions m_lists;
    ConstPositions m_ends;
};
