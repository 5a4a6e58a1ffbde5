// The incremental build over triangles and half-edges. Triangle t holds the
// half-edges 3t, 3t+1 and 3t+2 in counterclockwise order; each half-edge has
// its origin node and its twin, the half-edge of the neighbouring triangle
// that runs the other way (none on the hull). A node's neighbour list is the
// counterclockwise turn about the node. Where the list starts is the one
// thing the triangles do not hold: it is kept as the half-edge from each
// node to its first neighbour, and moved exactly where the list edits of
// addNode in the packed lists move a list's first entry:
// - a new interior node's list starts with the first vertex of its
//   triangle, a new hull node's with the rightmost visible hull node, and
//   the leftmost one's list then starts with the new node;
// - an entry inserted "before" the first entry becomes the first, one
//   inserted "after" the last stays the last;
// - removing the first entry makes the next one first.
// Hull nodes' lists run from the next hull node counterclockwise to the
// previous one, which is kept per node.

#include "triangulation/EdgeBuild.h"

#include "triangulation/OneBased.h"
#include "triangulation/SecondHalf.h"
#include "triangulation/SwapTest.h"
#include "triangulation/Triangulation.h"
#include "triangulation/Walk.h"

#include <algorithm>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

constexpr int32_t kNoEdge = -1;

int32_t nextEdge(int32_t e) {
    return e % 3 == 2 ? e - 2 : e + 1;
}
int32_t prevEdge(int32_t e) {
    return e % 3 == 0 ? e + 2 : e - 1;
}

// A hull half-edge has no twin. Its twin entry holds instead, as
// -2 - node, the hull node before its origin (the origin's last nonzero
// neighbour); every hull node's first half-edge is its hull half-edge, so
// that entry is found from the node.
int32_t hullMark(int32_t previous) {
    return -2 - previous;
}
int32_t markedNode(int32_t mark) {
    return -2 - mark;
}

class EdgeMesh {
public:
    // The first half-edges are kept in `firstEdges` (n entries, node k's at
    // k-1), the list ends' array, which the build does not need otherwise
    // before the lists are packed.
    EdgeMesh(int32_t n, int32_t* firstEdges) : m_first(firstEdges) {
        // The triangles never number more than 2n-5; their storage holds the
        // packed lists (6n-9 entries) at the end.
        m_edges.reserve(6 * (2 * static_cast<size_t>(n) - 5));
    }

    int32_t origin(int32_t e) const { return m_edges[originSlot(e)]; }
    int32_t target(int32_t e) const { return m_edges[originSlot(nextEdge(e))]; }
    // The twin, or a negative number for a hull half-edge.
    int32_t twin(int32_t e) const { return m_edges[originSlot(e) + 1]; }
    // The half-edge from `node` to the first neighbour of its list.
    int32_t firstEdge(int32_t node) const { return m_first[node]; }
    int32_t firstNeighbour(int32_t node) const { return target(m_first[node]); }
    bool isBoundary(int32_t node) const { return twin(m_first[node]) < 0; }
    // The hull node before a hull node (its last nonzero neighbour).
    int32_t hullPrevious(int32_t node) const { return markedNode(twin(m_first[node])); }

    // The layout interface of the point-location walk (Walk.h): a place in
    // a node's turn is the half-edge from the node to that neighbour, a side
    // the half-edge from its first node to its second.
    using Turn = int32_t;
    using Side = int32_t;
    struct Crossing {
        int32_t node;
        Side nodeToC, eToNode;
    };
    int32_t lastNeighbour(int32_t node) const {
        return isBoundary(node) ? hullPrevious(node) : target(nextEdge(twin(m_first[node])));
    }
    Turn firstTurn(int32_t node) const { return m_first[node]; }
    Turn nextTurn(Turn t) const { return twin(prevEdge(t)); }
    Turn previousTurn(Turn t) const { return nextEdge(twin(t)); }
    int32_t neighbour(Turn t) const { return target(t); }
    int32_t neighbourAfter(Turn t) const { return origin(prevEdge(t)); }
    Side sideAfter(Turn t, int32_t, int32_t) const { return nextEdge(t); }
    // The triangle across the side is entered by its twin (none on the hull).
    Crossing cross(Side side, int32_t, int32_t) const {
        const int32_t beyond = twin(side);
        if (beyond < 0)
            return {0, kNoEdge, kNoEdge};
        const int32_t back = prevEdge(beyond);
        return {origin(back), back, nextEdge(beyond)};
    }

    // Adds triangle (a, b, c), counterclockwise, without twins: its first
    // half-edge (a to b).
    int32_t addTriangle(int32_t a, int32_t b, int32_t c) {
        const auto e = static_cast<int32_t>(m_edges.size() / 2);
        m_edges.insert(m_edges.end(), {a, kNoEdge, b, kNoEdge, c, kNoEdge});
        return e;
    }
    // Makes `twin` the twin of e; a hull mark is copied to e alone.
    void link(int32_t e, int32_t twin) {
        twinOf(e) = twin;
        if (twin >= 0)
            twinOf(twin) = e;
    }
    void setOrigin(int32_t e, int32_t node) { originOf(e) = node; }
    void setFirstEdge(int32_t node, int32_t e) { m_first[node] = e; }
    // For a hull node whose first half-edge is set.
    void setHullPrevious(int32_t node, int32_t previous) {
        twinOf(m_first[node]) = hullMark(previous);
    }

    bool addPackedLists(int32_t count, const int32_t* adjacency, const int32_t* adjacencyEnd);
    bool pack(int32_t n, int32_t size, int32_t* adjacency);
    void packInPlace(int32_t n, int32_t size, std::vector<int32_t>& adjacency, int threads);

private:
    // What placing a range of nodes' lists gives besides the places.
    struct Placed {
        std::vector<std::pair<int32_t, int32_t>> hullTails; // (place, last neighbour)
        int64_t later = 0;
    };
    int32_t placeInLists(int32_t node, int32_t start, int64_t& later);
    void placeRange(int32_t from, int32_t to, int32_t start,
                    const std::vector<std::pair<int32_t, int32_t>>& hullNodes, Placed& placed);
    void placeAll(int32_t n, int32_t used,
                  const std::vector<std::pair<int32_t, int32_t>>& hullNodes, int threads,
                  Placed& low, Placed& high);
    void moveInPlace(int32_t used, int64_t later);
    void moveToNewArray(int32_t used, int32_t size);

    // Half-edge e's origin and twin are entries 2e and 2e+1: in 64 bits, as
    // 2e passes int32_t above about 1.79 x 10^8 nodes.
    static size_t originSlot(int32_t e) { return 2 * static_cast<size_t>(e); }
    int32_t& originOf(int32_t e) { return m_edges[originSlot(e)]; }
    int32_t& twinOf(int32_t e) { return m_edges[originSlot(e) + 1]; }

    // Each half-edge's origin and twin side by side, so that one cache line
    // holds a triangle or two.
    std::vector<int32_t> m_edges;
    Positions m_first;
    // Packing in place: an entry can go to its place at once when that lies
    // in storage already read (at most the entry's own pair of slots on).
    static bool goesLater(int32_t e, int32_t place) {
        return static_cast<size_t>(place) > originSlot(e) + 1;
    }
    // Below this many nodes the lists are placed on one thread.
    static constexpr int32_t kNodesForTwoThreads = 16384;
};

int64_t edgeKey(int32_t from, int32_t to) {
    return static_cast<int64_t>(from) << 32 | static_cast<uint32_t>(to);
}

// Makes the triangles of the packed lists of nodes 1..count: each triangle
// once, from its lowest-numbered vertex, and the twins by matching the ends
// of every half-edge. False when the lists are no triangulation. The lists
// may lie in the storage of the first half-edges: they are read first.
bool EdgeMesh::addPackedLists(int32_t count, const int32_t* adjacency,
                              const int32_t* adjacencyEnd) {
    const ConstPositions lists(adjacency), ends(adjacencyEnd);
    std::vector<std::pair<int64_t, int32_t>> edges;
    std::vector<int32_t> firstNeighbours, lastNeighbours;
    for (int32_t node = 1; node <= count; ++node) {
        const int32_t firstPos = firstPosition(ends, node);
        const bool boundary = lists[ends[node]] == 0;
        const int32_t lastPos = boundary ? ends[node] - 1 : ends[node];
        if (lastPos - firstPos < 1)
            return false;
        for (int32_t p = firstPos; p <= lastPos; ++p) {
            const int32_t a = lists[p];
            const int32_t b = p < lastPos ? lists[p + 1] : (boundary ? 0 : lists[firstPos]);
            if (b == 0 || node > a || node > b)
                continue;
            const int32_t e = addTriangle(node, a, b);
            edges.push_back({edgeKey(node, a), e});
            edges.push_back({edgeKey(a, b), e + 1});
            edges.push_back({edgeKey(b, node), e + 2});
        }
        firstNeighbours.push_back(lists[firstPos]);
        lastNeighbours.push_back(boundary ? lists[lastPos] : 0);
    }
    std::sort(edges.begin(), edges.end());
    const auto find = [&edges](int32_t from, int32_t to) {
        const int64_t key = edgeKey(from, to);
        const auto at =
            std::lower_bound(edges.begin(), edges.end(), std::make_pair(key, INT32_MIN));
        return at != edges.end() && at->first == key ? at->second : kNoEdge;
    };
    for (const auto& [key, e] : edges)
        twinOf(e) = find(target(e), origin(e));
    for (int32_t node = 1; node <= count; ++node) {
        const int32_t first = find(node, firstNeighbours[node - 1]);
        const int32_t last = lastNeighbours[node - 1];
        if (first == kNoEdge || (twin(first) == kNoEdge) != (last != 0))
            return false;
        m_first[node] = first;
        if (last != 0)
            setHullPrevious(node, last);
    }
    return true;
}

// Writes the lists of nodes 1..n packed, each node's turn from its first
// neighbour and after a hull node's last neighbour the 0, and each list's
// end over the node's first half-edge. False, with part of the arrays
// written, should they need more than `size` entries.
bool EdgeMesh::pack(int32_t n, int32_t size, int32_t* adjacency) {
    int32_t end = 0;
    for (int32_t node = 1; node <= n; ++node) {
        const int32_t first = m_first[node];
        int32_t e = first;
        for (;;) {
            if (end >= size)
                return false;
            adjacency[end++] = target(e);
            const int32_t p = prevEdge(e);
            e = twin(p);
            if (e == first)
                break;
            if (e < 0) {
                if (end + 2 > size)
                    return false;
                adjacency[end++] = origin(p);
                adjacency[end++] = 0;
                break;
            }
        }
        m_first[node] = end;
    }
    return true;
}

// Gives each half-edge from `node` its place in the packed lists (from
// `start`), written over its twin, and returns the list's end. The turn is
// followed clockwise, from each half-edge over its own twin to the next, so
// that only the node's own twins are read; for a hull node it starts at the
// half-edge to the neighbour before the last, which the hull mark of the
// node's hull half-edge then holds (see packInPlace).
int32_t EdgeMesh::placeInLists(int32_t node, int32_t start, int64_t& later) {
    const int32_t first = m_first[node];
    if (twin(first) >= 0) {
        // Interior: `first` goes to the start, the others clockwise from the
        // end of the list down.
        int32_t count = 0;
        for (int32_t e = first;;) {
            ++count;
            e = nextEdge(twin(e));
            if (e == first)
                break;
        }
        int32_t place = 0;
        for (int32_t e = first;;) {
            const int32_t next = nextEdge(twin(e));
            twinOf(e) = start + place;
            later += goesLater(e, start + place);
            place = place == 0 ? count - 1 : place - 1;
            e = next;
            if (e == first)
                return start + count;
        }
    }
    // Hull node: clockwise from the half-edge to the neighbour before the
    // last down to `first`; then the last neighbour and the 0.
    const int32_t from = markedNode(twin(first));
    int32_t count = 1;
    for (int32_t e = from; e != first; e = nextEdge(twin(e)))
        ++count;
    int32_t place = count - 1;
    for (int32_t e = from;; --place) {
        const int32_t next = nextEdge(twin(e));
        twinOf(e) = start + place;
        later += goesLater(e, start + place);
        if (e == first)
            return start + count + 2;
        e = next;
    }
}

void EdgeMesh::placeRange(int32_t from, int32_t to, int32_t start,
                          const std::vector<std::pair<int32_t, int32_t>>& hullNodes,
                          Placed& placed) {
    auto hull = std::lower_bound(hullNodes.begin(), hullNodes.end(), std::make_pair(from, 0));
    for (int32_t node = from; node <= to; ++node) {
        const int32_t listEnd = placeInLists(node, start, placed.later);
        if (hull != hullNodes.end() && hull->first == node) {
            placed.hullTails.push_back({listEnd - 2, hull->second});
            ++hull;
        }
        m_first[node] = start = listEnd;
    }
}

// Places the lists of nodes 1..n, the upper half of the nodes alongside
// the lower with two threads: each node's places touch only its own
// half-edges and its own list end, and the upper half's lists start after
// the lower half's, whose length is the count of half-edges from the lower
// nodes and two more for each lower hull node.
void EdgeMesh::placeAll(int32_t n, int32_t used,
                        const std::vector<std::pair<int32_t, int32_t>>& hullNodes, int threads,
                        Placed& low, Placed& high) {
    if (n < kNodesForTwoThreads || threads < 2) {
        placeRange(1, n, 0, hullNodes, low);
        return;
    }
    const int32_t middle = n / 2;
    int32_t start = 0;
    for (int32_t e = 0; e < used; ++e)
        start += origin(e) <= middle ? 1 : 0;
    for (const auto& hullNode : hullNodes)
        start += hullNode.first <= middle ? 2 : 0;
    runSecondHalfAlongside(
        threads, [&] { placeRange(1, middle, 0, hullNodes, low); },
        [&] { placeRange(middle + 1, n, start, hullNodes, high); });
}

// The packed lists made in the triangles' storage, which becomes
// `adjacency` (`size` entries, 0 after the lists): every half-edge's place
// in the lists is found node by node and written over its twin, the origins
// become the targets, and the targets move to their places. The half-edges
// of n nodes fill fewer places than the lists; the places that no half-edge
// takes are the hull nodes' last neighbours and 0s, written at the end.
void EdgeMesh::packInPlace(int32_t n, int32_t size, std::vector<int32_t>& adjacency, int threads) {
    // Each hull node's hull mark becomes the half-edge to its neighbour
    // before the last: the one after the hull half-edge of the hull node
    // before it. The hull is followed once by first neighbours.
    int32_t hullStart = 1;
    while (twin(m_first[hullStart]) >= 0)
        ++hullStart;
    std::vector<std::pair<int32_t, int32_t>> hullNodes; // (node, its last neighbour)
    for (int32_t u = hullStart;;) {
        const int32_t v = target(m_first[u]);
        hullNodes.push_back({v, u});
        u = v;
        if (u == hullStart)
            break;
    }
    for (const auto& [v, u] : hullNodes)
        twinOf(m_first[v]) = hullMark(nextEdge(m_first[u]));
    std::sort(hullNodes.begin(), hullNodes.end());

    const auto used = static_cast<int32_t>(m_edges.size() / 2);
    Placed low, high;
    placeAll(n, used, hullNodes, threads, low, high);
    const int64_t later = low.later + high.later;

    for (int32_t t = 0; t < used; t += 3) {
        const int32_t a = origin(t);
        originOf(t) = origin(t + 1);
        originOf(t + 1) = origin(t + 2);
        originOf(t + 2) = a;
    }
    // Nodes sorted along x keep almost every entry near its place, so
    // almost every one can go there at once.
    if (later <= used / 64) {
        if (m_edges.size() < static_cast<size_t>(size))
            m_edges.resize(static_cast<size_t>(size), 0);
        moveInPlace(used, later);
    } else {
        moveToNewArray(used, size);
    }
    for (const Placed* placed : {&low, &high}) {
        for (const auto& [place, last] : placed->hullTails) {
            m_edges[place] = last;
            m_edges[place + 1] = 0;
        }
    }
    m_edges.resize(static_cast<size_t>(size));
    std::fill(m_edges.begin() + m_first[n], m_edges.end(), 0);
    releaseStorageAfterEnd(m_edges);
    adjacency.swap(m_edges);
    std::vector<int32_t>().swap(m_edges);
}

// Moves each half-edge's entry to its place (in its twin's slot), reading
// the pairs in order: a place in storage already read (at most the entry's
// own pair on) takes the entry at once, the few places further on take
// theirs when every pair has been read.
void EdgeMesh::moveInPlace(int32_t used, int64_t laterCount) {
    std::vector<std::pair<int32_t, int32_t>> later; // (place, entry)
    later.reserve(static_cast<size_t>(laterCount));
    for (int32_t e = 0; e < used; ++e) {
        const int32_t value = origin(e);
        const int32_t place = twin(e);
        if (goesLater(e, place))
            later.push_back({place, value});
        else
            m_edges[place] = value;
    }
    for (const auto& [place, value] : later)
        m_edges[place] = value;
}

// The same moves into a new array, for entries far from their places (nodes
// in no order along x); the triangles' storage then goes.
void EdgeMesh::moveToNewArray(int32_t used, int32_t size) {
    std::vector<int32_t> lists(static_cast<size_t>(size), 0);
    for (int32_t e = 0; e < used; ++e)
        lists[twin(e)] = origin(e);
    m_edges.swap(lists);
}

class EdgeBuild {
public:
    EdgeBuild(EdgeMesh& mesh, const double* nodeX, const double* nodeY)
        : m_mesh(mesh), m_x(nodeX), m_y(nodeY) {}

    bool addNode(int32_t k);

private:
    bool sameNode(int32_t a, int32_t b) const { return m_x[a] == m_x[b] && m_y[a] == m_y[b]; }
    bool swapsToNewNode(double kx, double ky, int32_t in1, int32_t io1, int32_t io2) const;
    void insertInterior(int32_t k, int32_t edge);
    bool insertBoundary(int32_t k, int32_t i1, int32_t i2);
    void swapAtNewNode(int32_t k, int32_t toIo2, int32_t across, int32_t in1, int32_t io1,
                       int32_t io2);
    bool swapArcsOppositeNode(int32_t k);

    EdgeMesh& m_mesh;
    Coordinates m_x, m_y;
};

// swapTest(in1, k, io1, io2) for the new node k at (kx, ky), inlined into
// the swap loop.
bool EdgeBuild::swapsToNewNode(double kx, double ky, int32_t in1, int32_t io1, int32_t io2) const {
    return swapTestAt(m_x[in1], m_y[in1], kx, ky, m_x[io1], m_y[io1], m_x[io2], m_y[io2]);
}

// Splits the triangle of `edge` (i1 to i2, third vertex i3) at k into
// (i1, i2, k), (i2, i3, k) and (i3, i1, k). k's list is (i1, i2, i3); the
// vertices' lists take k after their next vertex, so their first entries
// stay.
void EdgeBuild::insertInterior(int32_t k, int32_t edge) {
    EdgeMesh& mesh = m_mesh;
    const int32_t toI3 = nextEdge(edge), toI1 = prevEdge(edge);
    const int32_t i2 = mesh.origin(toI3), i3 = mesh.origin(toI1);
    const int32_t outer23 = mesh.twin(toI3), outer31 = mesh.twin(toI1);
    const int32_t b = mesh.addTriangle(i2, i3, k);
    const int32_t c = mesh.addTriangle(i3, mesh.origin(edge), k);
    mesh.setOrigin(toI1, k);
    mesh.link(b, outer23);
    mesh.link(c, outer31);
    mesh.link(toI3, b + 2);
    mesh.link(b + 1, c + 2);
    mesh.link(c + 1, toI1);
    if (mesh.firstEdge(i2) == toI3)
        mesh.setFirstEdge(i2, b);
    if (mesh.firstEdge(i3) == toI1)
        mesh.setFirstEdge(i3, c);
    mesh.setFirstEdge(k, toI1);
}

// Joins k, outside the hull, to the hull nodes from i1 clockwise to i2: a
// triangle on each hull arc between them. k's list runs from i1 to i2; i2's
// list now starts with k and i1's ends with it.
bool EdgeBuild::insertBoundary(int32_t k, int32_t i1, int32_t i2) {
    EdgeMesh& mesh = m_mesh;
    int32_t w = i1;
    int32_t u = mesh.hullPrevious(i1);
    int32_t toK = kNoEdge; // from w to k, in the triangle made before
    for (int32_t steps = 0;; ++steps) {
        if (u <= 0 || u >= k || steps >= k || !mesh.isBoundary(u) || mesh.firstNeighbour(u) != w)
            return false;
        const int32_t hullArc = mesh.firstEdge(u);
        const int32_t beforeU = mesh.hullPrevious(u); // its mark goes with the arc
        const int32_t t = mesh.addTriangle(w, u, k);
        mesh.link(t, hullArc);
        if (toK == kNoEdge)
            mesh.setFirstEdge(k, t + 2);
        else
            mesh.link(t + 2, toK);
        toK = t + 1;
        if (u == i2) {
            mesh.setFirstEdge(i2, toK);
            mesh.setHullPrevious(i2, beforeU);
            break;
        }
        w = u;
        u = beforeU;
    }
    mesh.setHullPrevious(k, i2);
    mesh.setHullPrevious(i1, k);
    return true;
}

// Replaces arc io1-io2 by in1-k. toIo2 is the half-edge from k to io2 (its
// triangle (k, io2, io1)), `across` the one from io1 to io2 (triangle
// (io1, io2, in1)). The triangles become (k, io2, in1) and (io1, k, in1) in
// the same places. The lists: io1 and io2 lose each other, k goes between
// io1 and io2 in in1's list (before io2 when the lower of io1 and io2 is
// numbered below in1, else after io1), in1 just before io1 in k's list.
void EdgeBuild::swapAtNewNode(int32_t k, int32_t toIo2, int32_t across, int32_t in1, int32_t io1,
                              int32_t io2) {
    EdgeMesh& mesh = m_mesh;
    const int32_t x1 = nextEdge(toIo2), x2 = prevEdge(toIo2);   // io2->io1, io1->k
    const int32_t y1 = nextEdge(across), y2 = prevEdge(across); // io2->in1, in1->io1
    const int32_t in1ToIo2 = mesh.twin(y1), kToIo1 = mesh.twin(x2);

    const int32_t first1 = mesh.firstEdge(io1), first2 = mesh.firstEdge(io2);
    if (first2 == x1) // io1 was io2's first: the next one, k
        mesh.setFirstEdge(io2, mesh.twin(toIo2));
    else if (first2 == y1)
        mesh.setFirstEdge(io2, x1);
    if (first1 == across) // io2 was io1's first: the next one, in1
        mesh.setFirstEdge(io1, mesh.twin(y2));
    else if (first1 == x2)
        mesh.setFirstEdge(io1, across);
    const bool kFirstOfIn1 = mesh.firstEdge(in1) == in1ToIo2 && std::min(io1, io2) < in1;
    const bool in1FirstOfK = mesh.firstEdge(k) == kToIo1;

    mesh.setOrigin(x2, in1); // (k, io2, in1): toIo2, io2->in1, in1->k
    mesh.setOrigin(y1, k);   // (io1, k, in1): io1->k, k->in1, in1->io1
    mesh.link(x1, in1ToIo2);
    mesh.link(across, kToIo1);
    mesh.link(x2, y1);
    if (kFirstOfIn1)
        mesh.setFirstEdge(in1, x2);
    if (in1FirstOfK)
        mesh.setFirstEdge(k, y1);
}

// Tests the arcs opposite k in the order of k's list and swaps each that
// fails the max-min angle criterion; the two arcs a swap exposes are tested
// next. The bound on the steps is addNode's.
bool EdgeBuild::swapArcsOppositeNode(int32_t k) {
    EdgeMesh& mesh = m_mesh;
    int32_t toIo2 = mesh.firstEdge(k);
    const int32_t nabor1 = mesh.target(toIo2);
    int32_t io2 = nabor1;
    int32_t io1 = mesh.origin(prevEdge(toIo2));
    const double kx = m_x[k], ky = m_y[k];
    for (int64_t stepsLeft = 4 * static_cast<int64_t>(k) + 64; stepsLeft > 0; --stepsLeft) {
        const int32_t across = mesh.twin(nextEdge(toIo2));
        if (across >= 0) {
            const int32_t in1 = mesh.origin(prevEdge(across));
            if (swapsToNewNode(kx, ky, in1, io1, io2)) {
                swapAtNewNode(k, toIo2, across, in1, io1, io2);
                io1 = in1;
                continue;
            }
        }
        if (io1 == nabor1)
            return true;
        io2 = io1;
        toIo2 = mesh.twin(prevEdge(toIo2));
        if (toIo2 < 0)
            return true; // io1 was the last neighbour of hull node k
        io1 = mesh.origin(prevEdge(toIo2));
    }
    return false;
}

bool EdgeBuild::addNode(int32_t k) {
    Walk<EdgeMesh> walk(k - 1, m_x[k], m_y[k], m_x.data(), m_y.data(), m_mesh);
    const WalkEnd<int32_t> end = walk.from(k - 1);
    const PointLocation& at = end.at;
    if (at.i1 == 0)
        return false;
    for (int32_t vertex : {at.i1, at.i2, at.i3}) {
        if (vertex != 0 && sameNode(k, vertex))
            return false;
    }
    if (at.i3 == 0) {
        if (at.i1 == at.i2 || !insertBoundary(k, at.i1, at.i2))
            return false;
    } else {
        insertInterior(k, end.side);
    }
    return swapArcsOppositeNode(k);
}

// Builds nodes firstNode..n into a mesh made from the packed lists before
// them; false when a node is declined.
bool buildMesh(EdgeMesh& mesh, int32_t firstNode, int32_t n, const double* nodeX,
               const double* nodeY, const int32_t* adjacency, const int32_t* adjacencyEnd) {
    if (!mesh.addPackedLists(firstNode - 1, adjacency, adjacencyEnd))
        return false;
    EdgeBuild build(mesh, nodeX, nodeY);
    for (int32_t node = firstNode; node <= n; ++node) {
        if (!build.addNode(node))
            return false;
    }
    return true;
}

bool usable(int32_t firstNode, int32_t n) {
    return firstNode >= 4 && n <= kMaxTriangulationNodes;
}

// The lists and list ends of the first nodes, put back when the build
// declines after it has used the list ends' array.
class FirstLists {
public:
    FirstLists(int32_t count, const int32_t* adjacency, const int32_t* adjacencyEnd)
        : m_ends(adjacencyEnd, adjacencyEnd + count),
          m_lists(adjacency, adjacency + adjacencyEnd[count - 1]) {}
    void restore(int32_t* adjacency, int32_t* adjacencyEnd) const {
        std::copy(m_ends.begin(), m_ends.end(), adjacencyEnd);
        std::copy(m_lists.begin(), m_lists.end(), adjacency);
    }

private:
    std::vector<int32_t> m_ends, m_lists;
};

// Builds the mesh and packs it with `pack` (true when the lists are
// written); on a decline, or storage that cannot be had, the first nodes'
// lists and list ends are put back.
template <class Pack>
bool buildAndPack(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                  int32_t* adjacency, int32_t* adjacencyEnd, Pack pack) {
    if (firstNode > n)
        return true;
    if (!usable(firstNode, n))
        return false;
    try {
        const FirstLists firstLists(firstNode - 1, adjacency, adjacencyEnd);
        try {
            EdgeMesh mesh(n, adjacencyEnd);
            if (buildMesh(mesh, firstNode, n, nodeX, nodeY, adjacency, adjacencyEnd) && pack(mesh))
                return true;
        } catch (const std::bad_alloc&) {
        }
        firstLists.restore(adjacency, adjacencyEnd);
    } catch (const std::bad_alloc&) {
    }
    return false;
}

} // namespace

bool insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                        int32_t* adjacency, int32_t* adjacencyEnd) {
    return buildAndPack(firstNode, n, nodeX, nodeY, adjacency, adjacencyEnd,
                        [&](EdgeMesh& mesh) { return mesh.pack(n, adjacencySize(n), adjacency); });
}

bool insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                        std::vector<int32_t>& adjacency, int32_t* adjacencyEnd, int threads) {
    return buildAndPack(firstNode, n, nodeX, nodeY, adjacency.data(), adjacencyEnd,
                        [&](EdgeMesh& mesh) {
                            mesh.packInPlace(n, adjacencySize(n), adjacency, threads);
                            return true;
                        });
}

// The lists packed in the build's working storage leave its slack resident
// otherwise (about 24 bytes per node for the half-edges).
void releaseStorageAfterEnd(std::vector<int32_t>& entries) {
#ifdef __linux__
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pageSize <= 0)
        return;
    const auto page = static_cast<uintptr_t>(pageSize);
    const auto end = reinterpret_cast<uintptr_t>(entries.data() + entries.size());
    const auto storageEnd = reinterpret_cast<uintptr_t>(entries.data() + entries.capacity());
    const uintptr_t from = (end + page - 1) / page * page;
    const uintptr_t to = storageEnd / page * page;
    if (to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
#else
    (void)entries;
#endif
}
