// Joining a new node to the triangle or the hull nodes around it, and the
// in-place list edits both need.

#include "triangulation/OneBased.h"
#include "triangulation/Triangulation.h"

#include <algorithm>

namespace {

// Node k goes into `node`'s list at `position`: the entry there and all
// after it move one place up.
struct ListInsertion {
    int32_t node;
    int32_t position;
};

// Inserts node k into the lists of 1 to 3 distinct nodes below k, given in
// decreasing node order. Working from the highest position down keeps the
// positions not yet used valid, and moves every block of the lists once: the
// block after the i-th highest insertion point moves up by count - i.
void insertIntoLists(int32_t k, const ListInsertion* insertions, int32_t count, Positions adjacency,
                     Positions adjacencyEnd) {
    int32_t blockEnd = adjacencyEnd[k - 1];
    int32_t nodesAbove = k;
    for (int32_t i = 0; i < count; ++i) {
        const ListInsertion& at = insertions[i];
        const int32_t shift = count - i;
        shiftEntries(at.position, blockEnd, shift, adjacency.data());
        adjacency[at.position + shift - 1] = k;
        for (int32_t node = at.node; node < nodesAbove; ++node)
            adjacencyEnd[node] += shift;
        blockEnd = at.position - 1;
        nodesAbove = at.node;
    }
}

void sortByDecreasingNode(ListInsertion* insertions, int32_t count) {
    std::sort(insertions, insertions + count,
              [](const ListInsertion& a, const ListInsertion& b) { return a.node > b.node; });
}

// Moves `count` entries from `from` to `to` one by one, in the direction that
// never overwrites an entry before it is read.
void moveEntries(int32_t* from, int32_t* to, int32_t count) {
    if (to > from) {
        for (int32_t i = count - 1; i >= 0; --i)
            to[i] = from[i];
    } else {
        for (int32_t i = 0; i < count; ++i)
            to[i] = from[i];
    }
}

} // namespace

void shiftEntries(int32_t first, int32_t last, int32_t k, int32_t* array) {
    if (first > last || k == 0)
        return;
    const int32_t count = last - first + 1;
    const int32_t grouped = count - count % 5;
    int32_t* const block = array + (first - 1);
    if (k > 0) {
        // Upwards: copy from the last entry backwards, five at a time first.
        int32_t i = count - 1;
        for (; i >= count - grouped; i -= 5) {
            block[i + k] = block[i];
            block[i - 1 + k] = block[i - 1];
            block[i - 2 + k] = block[i - 2];
            block[i - 3 + k] = block[i - 3];
            block[i - 4 + k] = block[i - 4];
        }
        moveEntries(block, block + k, i + 1);
    } else {
        // Downwards: copy from the first entry forwards, five at a time first.
        int32_t i = 0;
        for (; i < grouped; i += 5) {
            block[i + k] = block[i];
            block[i + 1 + k] = block[i + 1];
            block[i + 2 + k] = block[i + 2];
            block[i + 3 + k] = block[i + 3];
            block[i + 4 + k] = block[i + 4];
        }
        moveEntries(block + i, block + i + k, count - i);
    }
}

int32_t neighbourPosition(int32_t nv, int32_t nb, const int32_t* adjacency,
                          const int32_t* adjacencyEnd) {
    const ConstPositions lists(adjacency), ends(adjacencyEnd);
    int32_t p = ends[nv];
    while (lists[p] != nb)
        --p;
    return p;
}

void insertInteriorNode(int32_t k, int32_t i1, int32_t i2, int32_t i3, int32_t* adjacency,
                        int32_t* adjacencyEnd) {
    const Positions lists(adjacency), ends(adjacencyEnd);
    // k goes just after the next vertex counterclockwise in each vertex's list.
    ListInsertion insertions[3] = {
        {i1, neighbourPosition(i1, i2, adjacency, adjacencyEnd) + 1},
        {i2, neighbourPosition(i2, i3, adjacency, adjacencyEnd) + 1},
        {i3, neighbourPosition(i3, i1, adjacency, adjacencyEnd) + 1},
    };
    sortByDecreasingNode(insertions, 3);
    insertIntoLists(k, insertions, 3, lists, ends);

    const int32_t start = ends[k - 1];
    lists[start + 1] = i1;
    lists[start + 2] = i2;
    lists[start + 3] = i3;
    ends[k] = start + 3;
}

void insertBoundaryNode(int32_t k, int32_t i1, int32_t i2, int32_t* adjacency,
                        int32_t* adjacencyEnd) {
    const Positions lists(adjacency), ends(adjacencyEnd);
    // k becomes i1's last neighbour (before its boundary marker) and i2's first.
    ListInsertion insertions[2] = {
        {i1, ends[i1]},
        {i2, firstPosition(ends, i2)},
    };
    sortByDecreasingNode(insertions, 2);
    insertIntoLists(k, insertions, 2, lists, ends);

    // k's list: i1, then the hull nodes from i1 clockwise up to i2, which
    // stop being hull nodes and take k in place of their boundary marker.
    int32_t pos = ends[k - 1] + 1;
    lists[pos] = i1;
    int32_t next = lists[ends[i1] - 2];
    while (next != i2) {
        lists[++pos] = next;
        lists[ends[next]] = k;
        next = lists[ends[next] - 1];
    }
    lists[++pos] = i2;
    lists[++pos] = 0;
    ends[k] = pos;
}
