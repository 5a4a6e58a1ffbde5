// The incremental build over pooled neighbour lists: the same point
// location, insertion and swaps as addNode, each list edit made in its own
// slot.

#include "triangulation/ListPool.h"

#include "triangulation/Triangulation.h"
#include "triangulation/Walk.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <new>
#include <optional>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// Slot size of a new list: room for the six neighbours of a typical node
// and the boundary marker, so that few lists ever move.
constexpr int32_t kInitialCapacity = 8;

} // namespace

// The lists packed in a build's working storage leave its slack resident
// otherwise (about 10 bytes per node for the pool, 24 for the half-edges).
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

ListPool::ListPool(int32_t n, int32_t packedCount, const int32_t* adjacency,
                   const int32_t* adjacencyEnd)
    : m_slots(static_cast<size_t>(n)) {
    // Untouched reserved memory costs address space only; room beyond the
    // first slots keeps moved lists from reallocating the whole pool.
    const int64_t room = static_cast<int64_t>(n) * 2 * kInitialCapacity + 64;
    m_entries.reserve(static_cast<size_t>(std::min<int64_t>(room, INT32_MAX)));
    const ConstPositions lists(adjacency), ends(adjacencyEnd);
    for (int32_t node = 1; node <= packedCount; ++node) {
        addList(node);
        for (int32_t p = firstPosition(ends, node); p <= ends[node]; ++p)
            append(node, lists[p]);
    }
}

int32_t ListPool::indexOf(int32_t node, int32_t entry) const {
    const int32_t* list = m_entries.data() + slot(node).start - 1;
    for (int32_t i = slot(node).size - 1; i >= 0; --i) {
        if (list[i] == entry)
            return i;
    }
    return -1;
}

int32_t ListPool::takeSlot(int32_t capacity) {
    std::vector<int32_t>& released = m_released[sizeClass(capacity)];
    if (!released.empty()) {
        const int32_t start = released.back();
        released.pop_back();
        return start;
    }
    const size_t end = m_entries.size();
    if (end + static_cast<size_t>(capacity) > static_cast<size_t>(INT32_MAX)) {
        m_full = true;
        return 0;
    }
    m_entries.resize(end + static_cast<size_t>(capacity));
    return static_cast<int32_t>(end) + 1;
}

bool ListPool::addList(int32_t node) {
    const int32_t start = takeSlot(kInitialCapacity);
    if (start == 0)
        return false;
    slot(node) = {start, 0, kInitialCapacity};
    return true;
}

bool ListPool::moveList(int32_t node, int32_t capacity) {
    const int32_t to = takeSlot(capacity);
    if (to == 0)
        return false;
    Slot& moved = slot(node);
    std::copy_n(m_entries.data() + moved.start - 1, moved.size, m_entries.data() + to - 1);
    m_released[sizeClass(moved.capacity)].push_back(moved.start);
    moved.start = to;
    moved.capacity = capacity;
    return true;
}

int ListPool::sizeClass(int32_t capacity) {
    int sizeClass = 0;
    for (int32_t c = kInitialCapacity; c < capacity; c *= 2)
        ++sizeClass;
    return sizeClass;
}

bool ListPool::insert(int32_t node, int32_t index, int32_t value) {
    if (slot(node).size == slot(node).capacity && !moveList(node, 2 * slot(node).capacity))
        return false;
    int32_t* list = m_entries.data() + slot(node).start - 1;
    const int32_t size = slot(node).size++;
    for (int32_t i = size; i > index; --i)
        list[i] = list[i - 1];
    list[index] = value;
    return true;
}

bool ListPool::erase(int32_t node, int32_t index) {
    int32_t* list = m_entries.data() + slot(node).start - 1;
    const int32_t size = --slot(node).size;
    for (int32_t i = index; i < size; ++i)
        list[i] = list[i + 1];
    // Lists swell while the nodes next to them go in and shrink again as
    // swaps take arcs away; a list that fits a slot half as large with room
    // for two more entries moves there, so that the pool does not keep
    // every peak (most lists end at 5 to 7 entries, in the first slot size).
    const int32_t capacity = slot(node).capacity;
    if (capacity > kInitialCapacity && size <= capacity / 2 - 2)
        return moveList(node, capacity / 2);
    return true;
}

void ListPool::pack(int32_t n, int32_t* adjacency, int32_t* adjacencyEnd) const {
    int32_t end = 0;
    for (int32_t node = 1; node <= n; ++node) {
        const int32_t size = slot(node).size;
        if (size > 0)
            std::copy_n(m_entries.data() + slot(node).start - 1, size, adjacency + end);
        end += size;
        adjacencyEnd[node - 1] = end;
    }
}

bool ListPool::packInPlace(int32_t n, int32_t* adjacencyEnd, int32_t size,
                           std::vector<int32_t>& adjacency) {
    // Where each list goes: after the lists of the nodes before it.
    int32_t end = 0;
    int64_t overrun = 0;
    for (int32_t node = 1; node <= n; ++node) {
        const Slot& list = slot(node);
        if (list.size > 0 && end > list.start - 1)
            overrun += list.size;
        end += list.size;
        adjacencyEnd[node - 1] = end;
    }
    const size_t room = m_entries.capacity();
    if (end > size || static_cast<size_t>(size) > room ||
        m_entries.size() + static_cast<size_t>(overrun) > room)
        return false;
    // A list whose packed place begins after its slot does would be written
    // over by the lists before it: those move beyond every packed place.
    // Then each list's packed place ends no later than the next list's slot
    // begins, so the lists can move down in node order.
    for (int32_t node = 1; node <= n; ++node) {
        Slot& list = slot(node);
        const int32_t place = node == 1 ? 0 : adjacencyEnd[node - 2];
        if (list.size == 0 || place <= list.start - 1)
            continue;
        const size_t to = m_entries.size();
        m_entries.resize(to + static_cast<size_t>(list.size));
        std::copy_n(m_entries.data() + list.start - 1, list.size, m_entries.data() + to);
        list.start = static_cast<int32_t>(to) + 1;
    }
    for (int32_t node = 1; node <= n; ++node) {
        const Slot& list = slot(node);
        const int32_t place = node == 1 ? 0 : adjacencyEnd[node - 2];
        const int32_t* from = m_entries.data() + list.start - 1;
        std::copy(from, from + list.size, m_entries.data() + place);
    }
    if (static_cast<size_t>(size) > m_entries.size())
        m_entries.resize(static_cast<size_t>(size));
    std::fill(m_entries.begin() + end, m_entries.begin() + size, 0);
    m_entries.resize(static_cast<size_t>(size));
    releaseStorageAfterEnd(m_entries);
    adjacency.swap(m_entries);
    std::vector<int32_t>().swap(m_entries);
    std::vector<Slot>().swap(m_slots);
    return true;
}

namespace {

// The pooled counterparts of addNode's steps. Each edit of a list is the
// edit the packed routine makes at the same place of that list.
class PoolBuild {
public:
    PoolBuild(ListPool& pool, const double* nodeX, const double* nodeY)
        : m_pool(pool), m_nodeX(nodeX), m_nodeY(nodeY), m_x(nodeX), m_y(nodeY) {}

    int addNode(int32_t k);

private:
    bool sameNode(int32_t a, int32_t b) const { return m_x[a] == m_x[b] && m_y[a] == m_y[b]; }
    bool insertInterior(int32_t k, int32_t i1, int32_t i2, int32_t i3);
    bool insertBoundary(int32_t k, int32_t i1, int32_t i2);
    bool insertAfter(int32_t node, int32_t neighbour, int32_t value);
    int32_t nodeAcrossArc(int32_t io2, int32_t io1, int32_t& io1Index) const;
    int32_t swapInsertionIndex(int32_t node, int32_t oldSameRank, int32_t before,
                               int32_t after) const;
    bool swapAtNewNode(int32_t in1, int32_t k, int32_t io1, int32_t io2, int32_t io1InIo2,
                       int32_t io1InK);
    int swapArcsOppositeNode(int32_t k);

    ListPool& m_pool;
    const double* m_nodeX;
    const double* m_nodeY;
    Coordinates m_x, m_y;
};

// A neighbour missing from a list means the lists no longer describe a
// triangulation; the build then ends as a degenerate one.
constexpr int kDegenerate = 3;

bool PoolBuild::insertAfter(int32_t node, int32_t neighbour, int32_t value) {
    const int32_t i = m_pool.indexOf(node, neighbour);
    if (i < 0)
        return false;
    return m_pool.insert(node, i + 1, value);
}

// insertInteriorNode: k just after the next vertex counterclockwise in each
// vertex's list; k's list is (i1, i2, i3).
bool PoolBuild::insertInterior(int32_t k, int32_t i1, int32_t i2, int32_t i3) {
    if (!insertAfter(i1, i2, k) || !insertAfter(i2, i3, k) || !insertAfter(i3, i1, k))
        return false;
    return m_pool.addList(k) && m_pool.append(k, i1) && m_pool.append(k, i2) &&
           m_pool.append(k, i3);
}

// insertBoundaryNode: k becomes i1's last neighbour (before its boundary
// marker) and i2's first; the hull nodes from i1 clockwise to i2 follow i1
// in k's list and take k in place of their boundary marker.
bool PoolBuild::insertBoundary(int32_t k, int32_t i1, int32_t i2) {
    if (m_pool.size(i1) < 2 || !m_pool.insert(i1, m_pool.size(i1) - 1, k) ||
        !m_pool.insert(i2, 0, k) || !m_pool.addList(k) || !m_pool.append(k, i1))
        return false;
    int32_t next = m_pool.at(i1, m_pool.size(i1) - 3);
    for (int32_t steps = 0; next != i2; ++steps) {
        if (next <= 0 || next >= k || m_pool.size(next) < 2 || steps >= k ||
            !m_pool.append(k, next))
            return false;
        m_pool.set(next, m_pool.size(next) - 1, k);
        next = m_pool.at(next, m_pool.size(next) - 2);
    }
    return m_pool.append(k, i2) && m_pool.append(k, 0);
}

// The node across arc io2-io1 from the node that follows io1 in io2's list
// (0 on the hull), and the index of io1 in io2's list; -1 when io1 is not
// in that list.
int32_t PoolBuild::nodeAcrossArc(int32_t io2, int32_t io1, int32_t& io1Index) const {
    io1Index = m_pool.indexOf(io2, io1);
    if (io1Index < 0)
        return -1;
    return m_pool.at(io2, io1Index == 0 ? m_pool.size(io2) - 1 : io1Index - 1);
}

// swapInsertionPosition as a list index: just before `after` when the old
// arc's end of the same rank is numbered below `node`, else just after `before`.
int32_t PoolBuild::swapInsertionIndex(int32_t node, int32_t oldSameRank, int32_t before,
                                      int32_t after) const {
    if (oldSameRank < node)
        return m_pool.indexOf(node, after);
    const int32_t i = m_pool.indexOf(node, before);
    return i < 0 ? -1 : i + 1;
}

// swapDiagonal(in1, k, io1, io2) for the newest node k: the four edits
// touch four different lists, so each can be made on its own once every
// index is known. The indices of io1 in io2's and in k's list are given.
// All other nodes are numbered below k, so in1 is the new arc's lower end
// and the old arc's lower end decides its place in in1's list; in k's list
// in1 goes just before io1.
bool PoolBuild::swapAtNewNode(int32_t in1, int32_t k, int32_t io1, int32_t io2, int32_t io1InIo2,
                              int32_t io1InK) {
    const int32_t removeIo2 = m_pool.indexOf(io1, io2);
    const int32_t insertK = swapInsertionIndex(in1, std::min(io1, io2), io1, io2);
    if (removeIo2 < 0 || insertK < 0)
        return false;
    return m_pool.erase(io1, removeIo2) && m_pool.erase(io2, io1InIo2) &&
           m_pool.insert(in1, insertK, k) && m_pool.insert(k, io1InK, in1);
}

// swapArcsOppositeNode over the pool, with k's list positions as indices: a
// swap puts the new neighbour at the index of the arc end it replaces.
int PoolBuild::swapArcsOppositeNode(int32_t k) {
    const int32_t nabor1 = m_pool.at(k, 0);
    int32_t io2 = nabor1;
    int32_t index = 1;
    int32_t io1 = m_pool.at(k, index);
    for (int64_t stepsLeft = 4 * static_cast<int64_t>(k) + 64; stepsLeft > 0; --stepsLeft) {
        int32_t io1InIo2 = 0;
        const int32_t in1 = nodeAcrossArc(io2, io1, io1InIo2);
        if (in1 < 0)
            return kDegenerate;
        if (in1 != 0 && swapTest(in1, k, io1, io2, m_nodeX, m_nodeY)) {
            if (!swapAtNewNode(in1, k, io1, io2, io1InIo2, index))
                return kDegenerate;
            io1 = in1;
            continue;
        }
        if (io1 == nabor1)
            return 0;
        io2 = io1;
        if (++index >= m_pool.size(k))
            index = 0;
        io1 = m_pool.at(k, index);
        if (io1 == 0)
            return 0;
    }
    return kDegenerate;
}

int PoolBuild::addNode(int32_t k) {
    Walk<ListPool> walk(k - 1, m_x[k], m_y[k], m_nodeX, m_nodeY, m_pool);
    const PointLocation at = walk.from(k - 1);
    if (at.i1 == 0)
        return 1;
    const int32_t vertices[3] = {at.i1, at.i2, at.i3};
    for (int32_t vertex : vertices) {
        if (vertex != 0 && sameNode(k, vertex))
            return 2;
    }
    if (at.i3 == 0 && at.i1 == at.i2)
        return kDegenerate;
    const bool inserted =
        at.i3 == 0 ? insertBoundary(k, at.i1, at.i2) : insertInterior(k, at.i1, at.i2, at.i3);
    if (!inserted)
        return kDegenerate;
    return swapArcsOppositeNode(k);
}

} // namespace

namespace {

// Adds nodes firstNode..n to the pool: addNode's result for the first that
// fails, else 0; `built` is the count of nodes whose lists exist (a node
// that failed at once, with 1 or 2, left the lists as they were).
int addNodesToPool(ListPool& pool, int32_t firstNode, int32_t n, const double* nodeX,
                   const double* nodeY, int32_t& built) {
    PoolBuild build(pool, nodeX, nodeY);
    int32_t node = firstNode;
    int result = 0;
    for (; node <= n && result == 0; ++node)
        result = build.addNode(node);
    built = result == 0 ? n : (result == kDegenerate ? node - 1 : node - 2);
    return result;
}

bool poolFits(int32_t n) {
    return static_cast<int64_t>(n) * kInitialCapacity + 64 <= INT32_MAX;
}

} // namespace

int insertNodesInPool(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                      int32_t* adjacency, int32_t* adjacencyEnd) {
    if (!poolFits(n))
        return kPoolUnavailable;
    try {
        ListPool pool(n, firstNode - 1, adjacency, adjacencyEnd);
        int32_t built = 0;
        const int result = addNodesToPool(pool, firstNode, n, nodeX, nodeY, built);
        // The caller's arrays are still as they came: build there instead.
        if (pool.full())
            return kPoolUnavailable;
        pool.pack(built, adjacency, adjacencyEnd);
        return result;
    } catch (const std::bad_alloc&) {
        return kPoolUnavailable;
    }
}

int insertNodesInPool(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                      std::vector<int32_t>& adjacency, int32_t* adjacencyEnd) {
    if (!poolFits(n))
        return kPoolUnavailable;
    std::optional<ListPool> pool;
    int result = 0;
    int32_t built = 0;
    try {
        pool.emplace(n, firstNode - 1, adjacency.data(), adjacencyEnd);
        result = addNodesToPool(*pool, firstNode, n, nodeX, nodeY, built);
    } catch (const std::bad_alloc&) {
        return kPoolUnavailable;
    }
    if (pool->full())
        return kPoolUnavailable;
    const int32_t size = adjacencySize(n);
    if (!pool->packInPlace(built, adjacencyEnd, size, adjacency)) {
        adjacency.assign(static_cast<size_t>(size), 0);
        pool->pack(built, adjacency.data(), adjacencyEnd);
    }
    return result;
}
