#pragma once
// Checks of a built triangulation for the fuzz target: the lists describe a
// triangulation, and point location and interpolation on it come back with
// answers that the lists confirm. A broken check stops the run.

#include <cstdint>

struct TriangulationView {
    int32_t n;
    const double* x;
    const double* y;
    const int32_t* adjacency;
    const int32_t* adjacencyEnd;
};

// Every list well formed and counterclockwise (where rounding cannot decide
// the orientation, either way passes), every arc in both end lists, every
// triangle in all three vertex lists, 2n-2-NB triangles filling 6n-6-NB
// positions, and the hull one closed walk through its NB nodes.
void checkTriangulation(const TriangulationView& mesh);

// Locates and interpolates at the nodes, between them and far outside, from
// several start nodes. With `exact` (coordinates whose tests are exact) every
// walk must find an answer; otherwise a walk may end at its bound.
void checkLocations(const TriangulationView& mesh, bool exact);
