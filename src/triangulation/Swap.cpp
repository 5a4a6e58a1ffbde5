// The max-min angle test of a quadrilateral's diagonal and the exchange of
// the diagonal in the lists.

#include "triangulation/OneBased.h"
#include "triangulation/SwapTest.h"
#include "triangulation/Triangulation.h"

#include <algorithm>

namespace {

// One edit of a swap: at `position` of `node`'s list either the entry there
// is removed (delta -1) or `entry` is inserted before it (delta +1).
struct ListEdit {
    int32_t node;
    int32_t position;
    int32_t delta;
    int32_t entry;
};

// The position at which the new arc's other end goes into the list of `node`
// (an end of the new arc), between its consecutive neighbours `before` and
// `after`. When those are the last and the first entry of a circular list the
// entry could go at either end: it goes just before `after` when
// `oldSameRank` (the end of the old arc of the same rank by node number as
// `node` among the new ends) is numbered below `node`, else just after `before`.
int32_t swapInsertionPosition(int32_t node, int32_t oldSameRank, int32_t before, int32_t after,
                              const int32_t* adjacency, const int32_t* adjacencyEnd) {
    if (oldSameRank < node)
        return neighbourPosition(node, after, adjacency, adjacencyEnd);
    return neighbourPosition(node, before, adjacency, adjacencyEnd) + 1;
}

// The part of the lists between edits i and i+1 (old positions).
struct Block {
    int32_t first;
    int32_t last;
    int32_t shift;
};

Block blockAfter(const ListEdit* edits, int32_t i, int32_t shift) {
    const int32_t first = edits[i].position + (edits[i].delta < 0 ? 1 : 0);
    return {first, edits[i + 1].position - 1, shift};
}

// Applies four edits, sorted by node, whose deltas sum to zero. Every block
// between two edits moves once by the net count of edits before it: blocks
// moving up are moved from the highest down, then blocks moving down from the
// lowest up, so that no entry is overwritten before it has moved.
void applyEdits(const ListEdit* edits, Positions adjacency, Positions adjacencyEnd) {
    Block blocks[3];
    int32_t shift = 0;
    for (int32_t i = 0; i < 3; ++i) {
        shift += edits[i].delta;
        blocks[i] = blockAfter(edits, i, shift);
    }
    for (int32_t i = 2; i >= 0; --i) {
        if (blocks[i].shift > 0)
            shiftEntries(blocks[i].first, blocks[i].last, blocks[i].shift, adjacency.data());
    }
    for (int32_t i = 0; i < 3; ++i) {
        if (blocks[i].shift < 0)
            shiftEntries(blocks[i].first, blocks[i].last, blocks[i].shift, adjacency.data());
    }
    shift = 0;
    for (int32_t i = 0; i < 4; ++i) {
        if (edits[i].delta > 0)
            adjacency[edits[i].position + shift] = edits[i].entry;
        shift += edits[i].delta;
        const int32_t nextNode = i < 3 ? edits[i + 1].node : edits[i].node;
        for (int32_t node = edits[i].node; node < nextNode; ++node)
            adjacencyEnd[node] += shift;
    }
}

} // namespace

bool swapTest(int32_t in1, int32_t in2, int32_t io1, int32_t io2, const double* nodeX,
              const double* nodeY) {
    const Coordinates x(nodeX), y(nodeY);
    return swapTestAt(x[in1], y[in1], x[in2], y[in2], x[io1], y[io1], x[io2], y[io2]);
}

void swapDiagonal(int32_t nin1, int32_t nin2, int32_t nout1, int32_t nout2, int32_t* adjacency,
                  int32_t* adjacencyEnd) {
    const int32_t newLow = std::min(nin1, nin2);
    const int32_t oldLow = std::min(nout1, nout2), oldHigh = std::max(nout1, nout2);
    const int32_t oldSameRank1 = nin1 == newLow ? oldLow : oldHigh;
    const int32_t oldSameRank2 = nin2 == newLow ? oldLow : oldHigh;
    ListEdit edits[4] = {
        {nout1, neighbourPosition(nout1, nout2, adjacency, adjacencyEnd), -1, 0},
        {nout2, neighbourPosition(nout2, nout1, adjacency, adjacencyEnd), -1, 0},
        {nin1, swapInsertionPosition(nin1, oldSameRank1, nout1, nout2, adjacency, adjacencyEnd), 1,
         nin2},
        {nin2, swapInsertionPosition(nin2, oldSameRank2, nout2, nout1, adjacency, adjacencyEnd), 1,
         nin1},
    };
    std::sort(edits, edits + 4,
              [](const ListEdit& a, const ListEdit& b) { return a.node < b.node; });
    applyEdits(edits, Positions(adjacency), Positions(adjacencyEnd));
}
