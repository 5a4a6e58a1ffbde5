#pragma once
// Internal: the incremental build over a mesh of triangles and half-edges.
// It makes the same point locations, insertions and swaps, in the same
// order, as addNode applied to each node in turn, and writes the lists that
// addNode would have written; finding a neighbour's place in a list is a
// step from one half-edge to the next instead of a search, and no edit moves
// any other list.

#include <cstdint>
#include <vector>

// Inserts nodes firstNode..n (firstNode >= 4), with their swaps, into the
// triangulation of nodes 1..firstNode-1 held packed in the arrays, and
// writes the packed lists of all n nodes: true, with the arrays exactly as
// addNode called for each node in turn leaves them (positions after the
// lists untouched). False when it declines: a node it does not handle (one
// at the place of an earlier node, a point location or swaps that ran past
// their bound, a triangle of no area on the hull), or storage it could not
// have; the lists and list ends of nodes 1..firstNode-1 are then as they
// came (the list ends of later nodes are not), and the caller adds the
// nodes with addNode, which reports such cases. `adjacency` must hold
// adjacencySize(n) entries. The list ends' array holds the build's working
// state until the lists are packed.
bool insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                        int32_t* adjacency, int32_t* adjacencyEnd);
// The same with the lists of nodes 1..firstNode-1 in `adjacency` (packed, of
// any size that holds them); on success `adjacency` is replaced by the
// packed lists of adjacencySize(n) entries with 0 after them, made in the
// build's own storage so that the lists never exist twice: the build's peak
// is its 48 bytes a node. With `threads` >= 2 the places of the lists are
// found on two threads on large sets (the same lists).
bool insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                        std::vector<int32_t>& adjacency, int32_t* adjacencyEnd, int threads);

// Gives the whole pages of `entries`' storage after its last entry back to
// the system (they read as zeros if they are ever used again); where the
// system has no such call the pages stay.
void releaseStorageAfterEnd(std::vector<int32_t>& entries);
