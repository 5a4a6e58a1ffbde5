#pragma once
// Internal: the incremental build over a mesh of triangles and half-edges.
// It makes the same point locations, insertions and swaps, in the same
// order, as the build over neighbour lists (ListPool.h), and writes the
// lists that build would have written; finding a neighbour's place in a
// list is a step from one half-edge to the next instead of a search.

#include <cstdint>
#include <vector>

// insertNodesByEdges' answer when it did not build: a node it does not
// handle (one at the place of an earlier node, a point location or swaps
// that ran past their bound, a triangle of no area on the hull), or storage
// it could not have. The lists and list ends of nodes 1..firstNode-1 are
// then as they came (the list ends of later nodes are not), and the caller
// builds with its other routines, which report such cases.
constexpr int kEdgesDeclined = -2;

// Inserts nodes firstNode..n (firstNode >= 4), with their swaps, into the
// triangulation of nodes 1..firstNode-1 held packed in the arrays, and on
// success writes the packed lists of all n nodes: 0, the arrays exactly as
// addNode called for each node in turn leaves them (positions after the
// lists untouched). Otherwise kEdgesDeclined. `adjacency` must hold
// adjacencySize(n) entries. The list ends' array holds the build's working
// state until the lists are packed.
int insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                       int32_t* adjacency, int32_t* adjacencyEnd);
// The same with the lists of nodes 1..firstNode-1 in `adjacency` (packed, of
// any size that holds them); on 0 `adjacency` is replaced by the packed lists
// of adjacencySize(n) entries with 0 after them, made in the build's own
// storage so that the lists never exist twice: the build's peak is its
// 48 bytes a node.
int insertNodesByEdges(int32_t firstNode, int32_t n, const double* nodeX, const double* nodeY,
                       std::vector<int32_t>& adjacency, int32_t* adjacencyEnd);
