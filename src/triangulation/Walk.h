#pragma once
// Internal: the point-location walk over neighbour lists in any layout that
// keeps each node's list contiguous. `Lists` provides entries() (the
// zero-based entry array) and first(n) / last(n) (1-based positions of node
// n's first and last entry).

#include "triangulation/OneBased.h"
#include "triangulation/Triangulation.h"

#include <cstdint>

template <class Lists> class Walk {
public:
    Walk(int32_t n, double px, double py, const double* nodeX, const double* nodeY,
         const Lists& lists)
        : m_px(px), m_py(py), m_x(nodeX), m_y(nodeY), m_lists(lists.entries()), m_layout(lists),
          m_stepsLeft(walkStepBound(n)) {}

    PointLocation from(int32_t n0);

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

    int32_t firstPos(int32_t n) const { return m_layout.first(n); }
    int32_t lastPos(int32_t n) const { return m_layout.last(n); }
    bool isBoundary(int32_t n) const { return m_lists[lastPos(n)] == 0; }
    int32_t firstNeighbour(int32_t n) const { return m_lists[firstPos(n)]; }
    int32_t lastNonzeroNeighbour(int32_t n) const { return m_lists[lastPos(n) - 1]; }
    // The neighbour that follows b in n's list, wrapping to the first entry;
    // 0 when b is the last neighbour of a boundary node, or not in the list
    // (lists that no longer describe a triangulation; the walk then ends on
    // the hull or at its step bound).
    int32_t neighbourAfter(int32_t n, int32_t b) const {
        const int32_t first = firstPos(n), last = lastPos(n);
        int32_t p = last;
        while (p >= first && m_lists[p] != b)
            --p;
        if (p < first)
            return 0;
        return p == last ? m_lists[first] : m_lists[p + 1];
    }

    PointLocation walkThroughCone(int32_t n0, int32_t e, int32_t c);
    PointLocation found(int32_t i1, int32_t i2, int32_t i3) const;
    PointLocation outsideFrom(int32_t rightNode, int32_t leftNode);
    PointLocation outsideClockwise(int32_t i1, int32_t leftNode);

    double m_px, m_py;
    Coordinates m_x, m_y;
    ConstPositions m_lists;
    const Lists& m_layout;
    int64_t m_stepsLeft;
};

// Searches the neighbours of n0 for the cone (e, c) between consecutive
// neighbours that contains P, and walks from there. When P is left of every
// arc from n0 (P at n0, or on the line through a hull arc), the search
// restarts at a neighbour from which P is seen differently.
template <class Lists> PointLocation Walk<Lists>::from(int32_t n0) {
    for (;;) {
        if (!step())
            return {};
        const int32_t firstPos = this->firstPos(n0);
        int32_t lastPos = this->lastPos(n0);
        const bool boundary = m_lists[lastPos] == 0;
        if (boundary)
            --lastPos;
        const int32_t first = m_lists[firstPos];
        const int32_t last = m_lists[lastPos];

        int32_t ePos = firstPos;
        if (boundary) {
            if (strictlyRight(n0, first))
                return outsideFrom(first, n0);
            if (strictlyRight(last, n0))
                return outsideClockwise(n0, last);
        } else if (strictlyRight(n0, first)) {
            // Find the first neighbour that P is left of; if that can only be
            // the last one, P lies in the cone (last, first).
            for (ePos = firstPos + 1; ePos != lastPos; ++ePos) {
                if (left(n0, m_lists[ePos]))
                    break;
            }
            if (ePos == lastPos)
                return walkThroughCone(n0, last, first);
        }
        for (int32_t cPos = ePos + 1; cPos <= lastPos; ++cPos) {
            if (strictlyRight(n0, m_lists[cPos]))
                return walkThroughCone(n0, m_lists[cPos - 1], m_lists[cPos]);
        }
        if (strictlyRight(n0, first))
            return walkThroughCone(n0, last, first);

        // P is left of or on every arc from n0 to its neighbours.
        if (atNode(n0) || strictlyRight(last, n0)) {
            n0 = last;
            continue;
        }
        int32_t cPos = lastPos;
        for (;;) {
            if (cPos == firstPos)
                return {}; // every node lies on one line
            --cPos;
            if (strictlyRight(m_lists[cPos], n0))
                break;
        }
        n0 = m_lists[cPos];
    }
}

// P is left of n0->e and strictly right of n0->c. Crosses arcs away from n0,
// keeping n0 as the apex of the narrowing cone, until a triangle contains P
// or a hull arc is crossed.
template <class Lists>
PointLocation Walk<Lists>::walkThroughCone(int32_t n0, int32_t e, int32_t c) {
    int32_t third = n0;
    while (!left(e, c)) {
        if (!step())
            return {};
        const int32_t h = neighbourAfter(c, e);
        if (h == 0)
            return outsideFrom(c, e);
        if (left(n0, h)) {
            third = e;
            e = h;
        } else {
            third = c;
            c = h;
        }
    }
    return found(e, c, third);
}

// Triangle (i1, i2, i3) contains P. P on one of the two hull arcs at i1 is
// reported as outside, with the arc's ends as the visible nodes.
template <class Lists> PointLocation Walk<Lists>::found(int32_t i1, int32_t i2, int32_t i3) const {
    if (isBoundary(i1)) {
        if (i3 == lastNonzeroNeighbour(i1) && left(i1, i3))
            return {i1, i3, 0};
        if (i2 == firstNeighbour(i1) && left(i2, i1))
            return {i2, i1, 0};
    }
    return {i1, i2, i3};
}

// P is outside, beyond the hull arc from leftNode to rightNode. Follows the
// visible hull arcs counterclockwise from rightNode to the rightmost visible
// node, then clockwise from leftNode to the leftmost.
template <class Lists> PointLocation Walk<Lists>::outsideFrom(int32_t rightNode, int32_t leftNode) {
    int32_t i1 = rightNode;
    while (strictlyRight(i1, firstNeighbour(i1))) {
        if (!step())
            return {};
        i1 = firstNeighbour(i1);
    }
    return outsideClockwise(i1, leftNode);
}

template <class Lists> PointLocation Walk<Lists>::outsideClockwise(int32_t i1, int32_t leftNode) {
    int32_t i2 = leftNode;
    while (strictlyRight(lastNonzeroNeighbour(i2), i2)) {
        if (!step())
            return {};
        i2 = lastNonzeroNeighbour(i2);
    }
    return {i1, i2, 0};
}

// The caller's packed lists: node k's list ends at adjacencyEnd[k-1] and
// starts just after node k-1's.
class PackedLists {
public:
    PackedLists(const int32_t* adjacency, const int32_t* adjacencyEnd)
        : m_entries(adjacency), m_ends(adjacencyEnd) {}
    const int32_t* entries() const { return m_entries; }
    int32_t first(int32_t n) const { return firstPosition(m_ends, n); }
    int32_t last(int32_t n) const { return m_ends[n]; }

private:
    const int32_t* m_entries;
    ConstPositions m_ends;
};
