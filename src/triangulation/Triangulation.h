#pragma once
// Delaunay triangulation of points in the plane, kept as packed neighbour
// lists, with point location on it and piecewise-linear interpolation over it.
//
// Conventions shared by every function below:
//
// - Nodes are numbered 1..n. The caller's arrays are plain zero-based C
//   arrays: node k is at (nodeX[k-1], nodeY[k-1]), adjacencyEnd[k-1] belongs
//   to node k, and list position p is adjacency[p-1]. The values stored in
//   the arrays are 1-based node numbers and positions; 0 in `adjacency` is the
//   boundary marker.
// - Array lengths: nodeX, nodeY, adjacencyEnd and node values: n;
//   adjacency: adjacencySize(n) = 6n-9. The caller owns and sizes them; the
//   package keeps no state between calls. Only buildTriangulation allocates:
//   working storage of about 50 bytes per node, freed before it returns
//   (without it, it builds in the caller's arrays alone, far slower).
// - Node k's neighbours occupy positions adjacencyEnd[k-2]+1 .. adjacencyEnd[k-1]
//   (node 1's list starts at position 1), counterclockwise about node k in the
//   frame x right, y up. An interior node's list is circular (its first entry
//   is arbitrary). A hull node's list starts with the next hull node
//   counterclockwise and ends with the previous one followed by a 0, so node k
//   is on the hull exactly when adjacency[adjacencyEnd[k-1]-1] == 0.
// - Coordinates are in any length unit, the same on both axes. Every
//   geometric decision is an exact sign test of products of coordinate
//   differences; there is no tolerance. The nodes must be distinct
//   (buildTriangulation refuses coinciding nodes).
// - With NB hull nodes there are 2n-2-NB triangles and the lists fill
//   6n-6-NB positions; positions beyond that are left as they were.

#include <cstdint>
#include <vector>

// Largest node count whose adjacency size 6n-9 fits in int32_t.
constexpr int32_t kMaxTriangulationNodes = 357913942;

// Coordinates (and interpolation points) must lie within +-kMaxCoordinate, so
// that no product of the sign tests overflows to infinity.
constexpr double kMaxCoordinate = 1e75;
// Node coordinates other than 0 must be at least this large in magnitude, so
// that no difference or product of the sign tests underflows towards zero
// (where rounding would no longer be relative and flat triangles could pass).
constexpr double kMinCoordinate = 1e-75;

// Number of int32_t entries `adjacency` needs for n nodes: 6n-9. Returns 0
// when n < 3 (no triangulation exists) or n > kMaxTriangulationNodes.
int32_t adjacencySize(int64_t n);

// Results of buildTriangulation and addNode.
enum BuildResult : int {
    BuildOk = 0,
    BuildTooFewNodes = 1,    // n < 3; no array touched
    BuildCollinear = 2,      // all nodes on one line; adjacency untouched,
                             // adjacencyEnd holds the nodes ordered along the line
    BuildBadInput = 3,       // n > kMaxTriangulationNodes, or a coordinate that is
                             // not finite, beyond kMaxCoordinate or not 0 but
                             // below kMinCoordinate; no array touched
    BuildDuplicateNodes = 4, // two nodes at the same place (not all collinear);
                             // the arrays hold no valid triangulation
    BuildDegenerate = 5,     // nodes so nearly collinear that rounding made the
                             // sign tests contradict each other (a walk or the
                             // swaps ran past their bound); no valid triangulation
};

// Builds the Delaunay triangulation of nodes 1..n into adjacency (6n-9) and
// adjacencyEnd (n). Any result other than BuildOk means there is no valid
// triangulation. Sorting the nodes along x beforehand keeps every point
// location during the build short. Where four nodes lie on one circle, the
// diagonal produced by the insertion order stays. The arrays end exactly as
// addNode, applied in turn to each node after the first ones that span a
// triangle, leaves them. The build works on triangles and half-edges and
// writes the lists at the end; what it declines (a repeated node, a walk or
// swaps past their bound), and a build whose working storage cannot be had,
// goes in with addNode, which reports it.
BuildResult buildTriangulation(int32_t n, const double* nodeX, const double* nodeY,
                               int32_t* adjacency, int32_t* adjacencyEnd);
// The same build with `adjacency` made by it: on every result but
// BuildTooFewNodes, BuildBadInput, BuildCollinear and BuildDuplicateNodes
// found before the lists (which leave it untouched) it holds adjacencySize(n)
// entries, the lists exactly as above and 0 after them. The working storage
// becomes the array, so the lists never exist twice: the build's peak is
// about 48 bytes per node, 24 more than the array. Throws std::bad_alloc
// when the array cannot be had.
BuildResult buildTriangulation(int32_t n, const double* nodeX, const double* nodeY,
                               std::vector<int32_t>& adjacency, int32_t* adjacencyEnd);

// Adds node k (k >= 4) to the triangulation of nodes 1..k-1 held in the
// arrays and restores the Delaunay property by swapping arcs opposite k.
// Node k's list is appended after node k-1's. Returns BuildOk;
// BuildCollinear when nodes 1..k-1 are all collinear or the point location
// found no answer within its bound; BuildDuplicateNodes when node k is at
// the place of an earlier node; BuildDegenerate when rounding made the tests
// contradict each other during the insertion or the swaps. The arrays are
// untouched after BuildCollinear and BuildDuplicateNodes and hold no valid
// triangulation after BuildDegenerate.
BuildResult addNode(int32_t k, const double* nodeX, const double* nodeY, int32_t* adjacency,
                    int32_t* adjacencyEnd);

// Joins node k to the counterclockwise vertices i1, i2, i3 of a triangle that
// contains it, without swapping: k follows i2 in i1's list, i3 in i2's list
// and i1 in i3's list, and k's list (i1, i2, i3) is appended after node
// k-1's. The lists of nodes 1..k-1 must end at adjacencyEnd[k-2].
void insertInteriorNode(int32_t k, int32_t i1, int32_t i2, int32_t i3, int32_t* adjacency,
                        int32_t* adjacencyEnd);

// Joins node k, outside the hull, to the visible hull nodes i1 (rightmost as
// seen from k) through i2 (leftmost), without swapping. k becomes i1's last
// and i2's first neighbour; the hull nodes strictly between become interior.
// k's list (i1, ..., i2, 0) is appended after node k-1's.
void insertBoundaryNode(int32_t k, int32_t i1, int32_t i2, int32_t* adjacency,
                        int32_t* adjacencyEnd);

// For the quadrilateral with diagonal io1-io2, where in1, io1, io2 are
// counterclockwise and in2 lies on the other side of the diagonal: true when
// the angles at in1 and in2 add up to more than 180 degrees, i.e. when
// io1-io2 should be replaced by in1-in2. Four nodes on one circle: false.
bool swapTest(int32_t in1, int32_t in2, int32_t io1, int32_t io2, const double* nodeX,
              const double* nodeY);

// Replaces the arc nout1-nout2 of a convex quadrilateral by nin1-nin2, where
// nout1, nout2, nin1 are counterclockwise and nin2 is opposite nin1. Where
// the new entry could go either at the end or at the start of a circular
// list, the node numbers decide (see the implementation). The total length
// of the lists does not change.
void swapDiagonal(int32_t nin1, int32_t nin2, int32_t nout1, int32_t nout2, int32_t* adjacency,
                  int32_t* adjacencyEnd);

// Position (1-based) of neighbour nb in node nv's list, searched from the end
// of the list. nb must be a neighbour of nv.
int32_t neighbourPosition(int32_t nv, int32_t nb, const int32_t* adjacency,
                          const int32_t* adjacencyEnd);

// Result of locatePoint. Inside the hull: i1, i2, i3 are the counterclockwise
// vertices of a triangle containing the point. Outside (i3 == 0): i1 is the
// rightmost and i2 the leftmost hull node visible from the point; a point on
// a hull arc may be reported this way too. i1 == 0: no triangulation to
// search (all nodes collinear, n < 3) or a point that is not finite or beyond
// kMaxCoordinate, or a walk that did not end within its bound (8n + 64
// steps, far more than a valid triangulation needs; only nodes so nearly
// collinear that rounding makes the sign tests contradict each other get there).
struct PointLocation {
    int32_t i1 = 0;
    int32_t i2 = 0;
    int32_t i3 = 0;
};

// Finds the triangle containing (px, py), walking from startNode (taken as 1
// when outside 1..n). Only reads the arrays. A caller asking at many nearby
// points passes the i1 of the previous answer as the next start.
PointLocation locatePoint(int32_t n, int32_t startNode, double px, double py, const double* nodeX,
                          const double* nodeY, const int32_t* adjacency,
                          const int32_t* adjacencyEnd);

// Moves entries first..last (1-based positions) of `array` by k positions
// (k < 0 towards the front). Does nothing when first > last or k == 0. The
// array must hold position last + max(k, 0).
void shiftEntries(int32_t first, int32_t last, int32_t k, int32_t* array);

// Barycentric coordinates b1, b2, b3 of (px, py) in the triangle with
// vertices (x1, y1), (x2, y2), (x3, y3); they sum to 1 up to rounding.
// Returns 0, or 1 when the vertices are collinear (b1..b3 then unchanged).
int barycentricCoordinates(double px, double py, double x1, double x2, double x3, double y1,
                           double y2, double y3, double& b1, double& b2, double& b3);

// Results of interpolateLinear.
enum InterpolationResult : int {
    Interpolated = 0, // inside the hull
    Extrapolated = 1, // outside: value of the nearest hull point
    BadArgument = -1, // n < 3, startNode outside 1..n, or a point that is not
                      // finite or beyond kMaxCoordinate
    NoTriangle = -2,  // all nodes collinear, a degenerate triangle, or a walk
                      // (point location, hull) that ran past its bound
};

// Value at (px, py) of the piecewise-linear surface through the node values
// z[0..n-1] (z[k-1] at node k): linear over each triangle, and outside the
// hull the value of the nearest point of the hull. Sets pz (0 for negative
// results) and returns an InterpolationResult. startNode (1..n) is where the
// search starts; it is set to a vertex near the point, so carrying it from
// call to call keeps the searches short. It is unchanged on BadArgument and
// on NoTriangle from collinear nodes.
int interpolateLinear(int32_t n, double px, double py, const double* nodeX, const double* nodeY,
                      const double* z, const int32_t* adjacency, const int32_t* adjacencyEnd,
                      int32_t& startNode, double& pz);
