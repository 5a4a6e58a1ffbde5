#pragma once
// Generated node sets for the property tests.

#include "TopologyCheck.h"

#include <cstdint>
#include <string>
#include <vector>

struct PointSet {
    std::string name;
    Mesh mesh;
};

Mesh uniformRandom(int32_t n, uint64_t seed);
// columns x rows nodes at integer spacing: full of cocircular quadruples.
Mesh regularGrid(int32_t columns, int32_t rows, uint64_t seed);
// Lines `lineSpacing` apart with a station every `stationSpacing` and up to
// `jitter` of random displacement.
Mesh surveyLines(int32_t lines, int32_t stationsPerLine, double lineSpacing, double stationSpacing,
                 double jitter, uint64_t seed);
Mesh clustered(int32_t n, uint64_t seed);
// `onLine` nodes on one line in random order and one node off it at `offAt`.
Mesh collinearWithOneOff(int32_t onLine, int32_t offAt, uint64_t seed);
// Sorted by x as the view sorts its nodes (ties in any order).
Mesh sortedAlongX(Mesh mesh);
// The nodes in a random order.
Mesh shuffled(Mesh mesh, uint64_t seed);

// A representative mix of all the layouts above, moderate sizes.
std::vector<PointSet> generatedSets();
