#pragma once
// Ordering of the stations along x before they are triangulated, and the
// in-place permutation that brings any per-station array into that order.
//
// Positions and permutation entries are 1-based, as in the triangulation:
// index[0] holds the station number (1..n) of node 1.

#include <cstdint>

// Fills index[0..n-1] with 1..n reordered so that key[index[0]-1] <=
// key[index[1]-1] <= ...; `key` is not changed. A quicksort with a
// pseudo-random pivot fraction, an explicit stack and insertion sort for
// short segments; equal keys end up in no guaranteed order. NaN keys
// compare neither way: the sort terminates but places them arbitrarily.
// Works on a copy of the keys beside their station numbers (16 bytes per
// station for the sort); without that memory it runs in place.
void quickSortIndex(int n, const double* key, int32_t* index);
// The same sort reading each key through the index, with no working
// memory: the same order, equal keys included.
void quickSortIndexInPlace(int n, const double* key, int32_t* index);

// Reorders `values` so that afterwards values[i] = old values[index[i]-1].
// `index` must be a permutation of 1..n; it is used as scratch marks and is
// the same on return. No extra storage.
void applyPermutation(int n, int32_t* index, double* values);

// Sorts `key` ascending and fills `index` with the resulting order. Then
// applies that order to `arrays` of the arrays: 0 none, 1 the key, 2 the key
// and `second`, 3 or more also `third`.
// Uses up to 16 bytes per station of working memory, none when it cannot be had.
void sortNodesByKey(int n, int arrays, double* key, double* second, double* third, int32_t* index);
// The same with quickSortIndexInPlace and applyPermutation: no working memory.
void sortNodesByKeyInPlace(int n, int arrays, double* key, double* second, double* third,
                           int32_t* index);
