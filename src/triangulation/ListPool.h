#pragma once
// Internal: the neighbour lists of a triangulation under construction, each
// node's list in its own slot of one pool with room to grow (a list that
// outgrows its slot moves to one twice as large, one that shrinks well
// below half of it to one half as large, and the slot it leaves is reused
// by a later list), so that
// inserting into or removing from a list moves only that list's entries.
// The packed layout of the public arrays moves every list after the edited
// one instead, which on large sets costs far more than the rest of the build.
//
// Every edit gives the list the same entries in the same order as the
// packed routines of Insertion.cpp and Swap.cpp, so packing the pool at the
// end yields exactly the arrays that the packed build would have made.

#include "triangulation/OneBased.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ListPool {
public:
    // Room for the lists of nodes 1..n; the lists of nodes 1..packedCount
    // are copied from the packed arrays.
    ListPool(int32_t n, int32_t packedCount, const int32_t* adjacency, const int32_t* adjacencyEnd);

    // The layout interface of the point-location walk (Walk.h).
    const int32_t* entries() const { return m_entries.data(); }
    int32_t first(int32_t node) const { return slot(node).start; }
    int32_t last(int32_t node) const { return slot(node).start + slot(node).size - 1; }

    int32_t size(int32_t node) const { return slot(node).size; }
    // Entry `index` (0-based) of node's list.
    int32_t at(int32_t node, int32_t index) const {
        return m_entries[slot(node).start + index - 1];
    }
    void set(int32_t node, int32_t index, int32_t value) {
        m_entries[slot(node).start + index - 1] = value;
    }
    // Index of `entry` in node's list searched from the end, -1 when absent.
    int32_t indexOf(int32_t node, int32_t entry) const;

    // Inserts `value` before entry `index` (index == size: at the end).
    // False, with full() set, when the pool's positions would pass int32_t.
    bool insert(int32_t node, int32_t index, int32_t value);
    // Removes entry `index`; a list left far smaller than its slot moves to
    // a smaller one. False as insert.
    bool erase(int32_t node, int32_t index);
    // Starts the (empty) list of a new node; false as insert.
    bool addList(int32_t node);
    // Appends to node's list; false as insert.
    bool append(int32_t node, int32_t value) { return insert(node, size(node), value); }
    // Some list found no room (the lists are then incomplete).
    bool full() const { return m_full; }

    // Writes the lists of nodes 1..n packed into the caller's arrays.
    void pack(int32_t n, int32_t* adjacency, int32_t* adjacencyEnd) const;
    // The same packed layout made in the pool's own storage, which then
    // becomes `adjacency` with `size` entries (0 after the lists), so that
    // the lists never exist twice. Lists that the packed ones would overrun
    // first move to the end of the storage, within the room reserved for
    // it; false, with the pool unchanged in content, when they would need
    // more (pack() then does the work).
    bool packInPlace(int32_t n, int32_t* adjacencyEnd, int32_t size,
                     std::vector<int32_t>& adjacency);

private:
    // Moves node's list to a slot of `capacity` entries; its old slot is kept
    // for reuse by the next list of that size. False as insert.
    bool moveList(int32_t node, int32_t capacity);
    // 1-based start of a free slot of `capacity` entries, a released one
    // first; 0 (with full() set) when the pool cannot grow.
    int32_t takeSlot(int32_t capacity);
    // Slot sizes are the first capacity times a power of two: its exponent.
    static int sizeClass(int32_t capacity);

    std::vector<int32_t> m_entries; // every slot, in pool order
    // Each node's slot: its 1-based pool position, the list's size and the
    // slot's capacity, side by side so that one cache line gives all three.
    struct Slot {
        int32_t start = 0;
        int32_t size = 0;
        int32_t capacity = 0;
    };
    std::vector<Slot> m_slots;
    Slot& slot(int32_t node) { return m_slots[static_cast<size_t>(node - 1)]; }
    const Slot& slot(int32_t node) const { return m_slots[static_cast<size_t>(node - 1)]; }
    std::vector<int32_t> m_released[32]; // starts of released slots, by size class
    bool m_full = false;
};

// Gives the whole pages of `entries`' storage after its last entry back to
// the system (they read as zeros if they are ever used again); where the
// system has no such call the pages stay.
void releaseStorageAfterEnd(std::vector<int32_t>& entries);

// insertNodesInPool's answer when it could not build: its storage could not
// be allocated or would outgrow int32_t positions. The arrays are then as
// they came, and the caller builds in them directly.
constexpr int kPoolUnavailable = -1;

// Inserts nodes firstNode..n, one by one with their swaps, into the
// triangulation of nodes 1..firstNode-1 held packed in the arrays, and packs
// the result into the arrays. Returns 0, or the result of addNode (1, 2 or
// 3) for the first node that fails (the arrays then hold no valid
// triangulation), or kPoolUnavailable. The arrays end exactly as addNode called for each node in
// turn leaves them.
int insertNodesInPool(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                      int32_t* adjacency, int32_t* adjacencyEnd);
// The same with the lists of nodes 1..firstNode-1 in `adjacency` (packed, of
// any size that holds them); on 0, 1, 2 or 3 `adjacency` is replaced by the
// packed lists of adjacencySize(n) entries, made in the pool's storage.
// Throws std::bad_alloc only where the pool is built and its storage can
// then not be handed over or copied.
int insertNodesInPool(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                      std::vector<int32_t>& adjacency, int32_t* adjacencyEnd);
